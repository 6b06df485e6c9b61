#include "EvaluationTestSupport.h"
#include "core/evaluation/Substitution.h"
#include "core/platform/IcuString.h"

#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;
using Status = Substitution::Outcome::Status;

namespace {

// The engine's own replaceAll, or its error name.
QString icuReplaceAll(const icu::RegexPattern &pattern, const QString &replacement, const QString &text)
{
    const icu::UnicodeString input = IcuString::alias(text).value();
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(input, status));
    const icu::UnicodeString result = matcher->replaceAll(IcuString::alias(replacement).value(), status);
    if (U_FAILURE(status))
        return QString::fromLatin1(u_errorName(status));
    return IcuString::toQString(result);
}

} // namespace

class tst_Substitution final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replacesEveryMatch_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("replacements");
        QTest::addRow("numbered groups") << u"(\\w+)@(\\w+)"_s << u"$2 at $1"_s << u"me@host, x@y."_s
                                         << u"host at me, y at x."_s << 2;
        QTest::addRow("named groups") << u"(?<year>\\d{4})-(?<month>\\d\\d)"_s << u"${month}/${year}"_s
                                      << u"2024-05 and 1999-12"_s << u"05/2024 and 12/1999"_s << 2;
        QTest::addRow("whole match") << u"o"_s << u"[$0]"_s << u"foo"_s << u"f[o][o]"_s << 2;
        QTest::addRow("escaped dollar") << u"\\d+"_s << u"\\$$0"_s << u"costs 12"_s << u"costs $12"_s << 1;
        QTest::addRow("escaped backslash") << u"/"_s << u"\\\\"_s << u"a/b"_s << u"a\\b"_s << 1;
        QTest::addRow("unicode escape") << u"a"_s << u"\\u00e9"_s << u"cat"_s << u"cét"_s << 1;
        QTest::addRow("digits beyond the groups stay literal") << u"(a)"_s << u"$10"_s << u"a"_s << u"a0"_s << 1;
        QTest::addRow("group that took no part is empty") << u"(a)|(b)"_s << u"[$2]"_s << u"ab"_s << u"[][b]"_s << 2;
        QTest::addRow("no matches") << u"z"_s << u"$0$0"_s << u"abc"_s << u"abc"_s << 0;
        QTest::addRow("empty matches") << u"\\b"_s << u"|"_s << u"ab cd"_s << u"|ab| |cd|"_s << 4;
        QTest::addRow("empty text") << u"x*"_s << u"-"_s << u""_s << u"-"_s << 1;
        QTest::addRow("surrogate pairs") << u"😀"_s << u"<$0>"_s << u"a😀b"_s << u"a<😀>b"_s << 1;
        QTest::addRow("empty template deletes") << u"\\s+"_s << u""_s << u"a b  c"_s << u"abc"_s << 2;
        QTest::addRow("a text past 2 Mi units")
            << u"b"_s << u"B"_s << u"ab "_s.repeated(800000) << u"aB "_s.repeated(800000) << 800000;
    }

    void replacesEveryMatch()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, replacement);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(int, replacements);
        const auto regex = compiledPattern(pattern);
        const std::atomic<bool> stop = false;
        const Substitution::Outcome outcome = Substitution::run(*regex, replacement, text, stop);
        QCOMPARE(outcome.status, Status::finished);
        QCOMPARE(outcome.text, expected);
        QCOMPARE(outcome.replacements, replacements);
        QCOMPARE(outcome.text, icuReplaceAll(*regex, replacement, text));
        QVERIFY(!Substitution::checkTemplate(*regex, replacement));
    }

    // ICU 72 takes no "0" in a name after "${", though patterns may use one.
    void namesWithZeroAreReplaced()
    {
        const auto pattern = compiledPattern(u"(?<a0>x)(?<b>y)"_s);
        const std::atomic<bool> stop = false;
        QCOMPARE(Substitution::run(*pattern, u"${a0}1${b}"_s, u"xy"_s, stop).text, u"x1y"_s);
        QCOMPARE(Substitution::run(*pattern, u"${a0}"_s, u"xy"_s, stop).text, u"x"_s);
    }

    void invalidTemplatesHaveTheirOwnMessage_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("position");
        QTest::addRow("group beyond the pattern's")
            << u"(a)(b)"_s << u"$1$3"_s << u"The replacement refers to group 3, but the pattern has only 2 groups"_s
            << 2;
        QTest::addRow("group of a pattern with one")
            << u"(a)"_s << u"$2"_s << u"The replacement refers to group 2, but the pattern has only 1 group"_s << 0;
        QTest::addRow("group of a pattern without")
            << u"a"_s << u"x$1"_s << u"The replacement refers to group 1, but the pattern has no groups"_s << 1;
        QTest::addRow("unknown name")
            << u"(?<y>a)"_s << u"${x}"_s
            << u"The replacement refers to the group name \"x\", but the pattern has no group of that name"_s << 0;
        const QString malformed
            = u"\"${\" in the replacement must be followed by a group name of letters and digits and \"}\""_s;
        QTest::addRow("unfinished name") << u"(?<y>a)"_s << u"-${y"_s << malformed << 1;
        QTest::addRow("empty name") << u"(?<y>a)"_s << u"${}"_s << malformed << 0;
        QTest::addRow("underscore in a name") << u"(?<y>a)"_s << u"${y_1}"_s << malformed << 0;
        const QString dollar
            = u"\"$\" in the replacement must be followed by a group number or {name}; write \\$ for a dollar sign"_s;
        QTest::addRow("dollar at the end") << u"a"_s << u"5$"_s << dollar << 1;
        QTest::addRow("dollar before a letter") << u"a"_s << u"$a"_s << dollar << 0;
        QTest::addRow("trailing backslash")
            << u"a"_s << u"a\\\\\\"_s << u"The replacement ends with a lone backslash; write \\\\ for a backslash"_s
            << 3;
    }

    void invalidTemplatesHaveTheirOwnMessage()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, replacement);
        QFETCH(QString, message);
        QFETCH(int, position);
        const auto regex = compiledPattern(pattern);
        const std::atomic<bool> stop = false;
        // Also without a match in the text, where the engine would not look at the template.
        for (const QString &text : {u"a"_s, u"no match here"_s}) {
            const Substitution::Outcome outcome = Substitution::run(*regex, replacement, text, stop);
            QCOMPARE(outcome.status, Status::failed);
            QVERIFY(outcome.error);
            QCOMPARE(outcome.error->message(), message);
            QCOMPARE(outcome.error->position, position);
        }
        QCOMPARE(Substitution::checkTemplate(*regex, replacement),
                 Substitution::run(*regex, replacement, u"a"_s, stop).error);
    }

    void resultBeyondTheLimitFails()
    {
        const std::atomic<bool> stop = false;
        const Substitution::Outcome outcome
            = Substitution::run(*compiledPattern(u"(?:)"_s), u"xx"_s, u"abcde"_s, stop, 15);
        QCOMPARE(outcome.status, Status::failed);
        QCOMPARE(outcome.error->message(), u"The result would be longer than 15 characters"_s);
        QCOMPARE(Substitution::run(*compiledPattern(u"(?:)"_s), u"xx"_s, u"abcde"_s, stop, 17).text,
                 u"xxaxxbxxcxxdxxexx"_s);
    }

    void backtrackStackLimitFailsThePreview()
    {
        const auto pattern = compiledPattern(u"x|y(?:.|\\n)*"_s);
        const QString text = u"x y"_s + QString(2000, u'a');
        const std::atomic<bool> stop = false;
        const Substitution::Outcome outcome = Substitution::run(*pattern, u"-"_s, text, stop, 1 << 20, 1000);
        QCOMPARE(outcome.status, Status::failed);
        QCOMPARE(outcome.error->message(),
                 u"The preview failed: the pattern needs more backtracking memory than the backtrack stack limit "
                 u"allows (U_REGEX_STACK_OVERFLOW). The limit can be raised in Preferences."_s);
        QCOMPARE(Substitution::run(*pattern, u"-"_s, text, stop, 1 << 20, 0).text, u"- -"_s);
    }

    void stopEndsARunawayMatch()
    {
        const auto pattern = compiledPattern(u"(a+)+$"_s);
        std::atomic<bool> stop = true;
        QCOMPARE(Substitution::run(*pattern, u"x"_s, catastrophicText(), stop).status, Status::cancelled);
        stop = false;
        std::atomic<bool> began = false;
        Substitution::Outcome outcome;
        const std::unique_ptr<QThread> worker(QThread::create([&] {
            began = true;
            outcome = Substitution::run(*pattern, u"x"_s, catastrophicText(), stop);
        }));
        worker->start();
        QTRY_VERIFY(began);
        stop = true;
        // Without a working stop the run would take days.
        QVERIFY(worker->wait(20000));
        QCOMPARE(outcome.status, Status::cancelled);
    }
};

QTEST_GUILESS_MAIN(tst_Substitution)
#include "tst_Substitution.moc"
