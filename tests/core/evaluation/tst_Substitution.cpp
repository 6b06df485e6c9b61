#include "EvaluationTestSupport.h"
#include "ExpectedOutput.h"
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
    // Past the length where the engine's find callback is used differently, the result is still ICU's.
    void longTextIsReplacedAsIcuDoes()
    {
        const auto regex = compiledPattern(u"b"_s);
        const QString filler((RegularExpression::unwatchedSkipLength / 2) + 7, u' ');
        const QString text = u"ab "_s.repeated(1000) + filler + u"ab "_s + filler + u"ab "_s.repeated(1000);
        const std::atomic<bool> stop = false;
        const Substitution::Outcome outcome = Substitution::run(*regex, u"B"_s, text, stop);
        QCOMPARE(outcome.status, Status::finished);
        QCOMPARE(outcome.replacements, 2001);
        QCOMPARE(outcome.text, icuReplaceAll(*regex, u"B"_s, text));
    }

    void replacesEveryMatch()
    {
        static const QRegularExpression header(u"^\"(.*)\" -> \"(.*)\" in \"(.*)\"$"_s);
        const int cases = compareCasesWithExpectedOutput(
            u"substitutions.txt"_s, header, [](const QRegularExpressionMatch &match, QString &out) {
                const auto regex = compiledPattern(fromVisible(match.captured(1)));
                const QString replacement = fromVisible(match.captured(2));
                const QString text = fromVisible(match.captured(3));
                const std::atomic<bool> stop = false;
                const Substitution::Outcome outcome = Substitution::run(*regex, replacement, text, stop);
                if (outcome.status == Status::finished) {
                    out += u"  \"%1\", %2 replaced\n"_s.arg(visible(outcome.text)).arg(outcome.replacements);
                    QCOMPARE(outcome.text, icuReplaceAll(*regex, replacement, text));
                    QVERIFY(!Substitution::checkTemplate(*regex, replacement));
                    return;
                }
                QCOMPARE(outcome.status, Status::failed);
                QVERIFY(outcome.error);
                out += u"  refused at %1: %2\n"_s.arg(outcome.error->position).arg(outcome.error->message());
                QCOMPARE(Substitution::run(*regex, replacement, QString(), stop).error, outcome.error);
                QCOMPARE(Substitution::checkTemplate(*regex, replacement), outcome.error);
            });
        QVERIFY(cases > 20);
    }

    // ICU 72 takes no "0" in a name after "${", though patterns may use one.
    void namesWithZeroAreReplaced()
    {
        const auto pattern = compiledPattern(u"(?<a0>x)(?<b>y)"_s);
        const std::atomic<bool> stop = false;
        QCOMPARE(Substitution::run(*pattern, u"${a0}1${b}"_s, u"xy"_s, stop).text, u"x1y"_s);
        QCOMPARE(Substitution::run(*pattern, u"${a0}"_s, u"xy"_s, stop).text, u"x"_s);
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
