#include "core/pattern/CaptureGroupParser.h"

#include "ColoredPattern.h"
#include "TestSettings.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString randomPattern(QRandomGenerator &random, int pieces)
{
    static const QStringList alphabet = u"( ) [ ] { } \\ ? * + | ^ $ . # : < > = ! , a d x u p N Q E 0 7 (?: (?<n> "
                                        u"(?<= (?# \\( \\\\ 😀 \u0301 \u200d 🇫🇷 \n \r\n \u2028"_s.split(u' ')
        + QStringList {u" "_s, QString(QChar(0)), QString(QChar(0xd83d)), QString(QChar(0xde00))};
    QString pattern;
    for (int i = 0; i < pieces; ++i)
        pattern += alphabet.at(random.bounded(int(alphabet.size())));
    return pattern;
}

// Group 0 is the whole pattern; every other group runs from a "(" to a ")" inside it, after the one before,
// nested in or disjoint from each earlier one.
bool groupsNest(const QString &pattern, const QList<CaptureGroup> &groups)
{
    if (groups.isEmpty() || groups.first().utf16Range() != TextRange {0, pattern.size()})
        return false;
    for (qsizetype k = 1; k < groups.size(); ++k) {
        const TextRange range = groups.at(k).utf16Range();
        if (!range.fitsIn(pattern.size()) || range.length < 2 || pattern.at(range.location) != u'('
            || pattern.at(range.end() - 1) != u')')
            return false;
        for (qsizetype j = 1; j < k; ++j) {
            const TextRange earlier = groups.at(j).utf16Range();
            if (range.location <= earlier.location || (range.location < earlier.end() && range.end() > earlier.end()))
                return false;
        }
    }
    return true;
}

bool runsFit(const QString &pattern, qint64 group, bool comments)
{
    const AttributedPattern colored = coloredPattern(pattern, group, comments);
    return std::all_of(colored.runs().cbegin(), colored.runs().cend(),
                       [&](const ColorRun &run) { return run.range.length > 0 && run.range.fitsIn(pattern.size()); });
}

} // namespace

class tst_PatternBadInput final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startClean(); }

    void randomPatterns()
    {
        QRandomGenerator random(20240607);
        int balanced = 0;
        for (int round = 0; round < 4000; ++round) {
            const QString pattern = randomPattern(random, random.bounded(0, 40));
            const bool comments = random.bounded(2) == 1;
            const CaptureGroupParser::Result result = CaptureGroupParser(pattern, comments).parse();
            if (result && ++balanced)
                QVERIFY2(groupsNest(pattern, result.value()), qPrintable(pattern));
            else
                QCOMPARE(result.error(), CaptureGroupParser::CaptureGroupParserError::invalidPattern);
            QVERIFY2(runsFit(pattern, random.bounded(-1, 4), comments), qPrintable(pattern));
        }
        // Enough of both outcomes for the checks to mean something.
        QVERIFY(balanced > 400 && balanced < 3600);
    }

    void largePatterns_data()
    {
        QTest::addColumn<QString>("pattern");
        const qsizetype size = 100 * 1024;
        QRandomGenerator random(7);
        QTest::addRow("unclosed classes") << QString(size, u'[');
        QTest::addRow("unclosed inline comments") << u"(?#"_s.repeated(size / 3);
        QTest::addRow("unopened groups") << QString(size, u')');
        QTest::addRow("deep nesting") << QString(size / 2, u'(') + QString(size / 2, u')');
        QTest::addRow("trailing backslash") << QString(size - 1, u'\\') + u"a\\"_s;
        QTest::addRow("lone surrogates") << QString(size, QChar(0xd800));
        QTest::addRow("NUL characters") << QString(size, QChar(0));
        QTest::addRow("random") << randomPattern(random, size / 2);
    }

    // A fault here hangs or crashes rather than fails.
    void largePatterns()
    {
        QFETCH(QString, pattern);
        const CaptureGroupParser::Result result = CaptureGroupParser(pattern, true).parse();
        if (result)
            QVERIFY(groupsNest(pattern, result.value().mid(0, 50)));
        QVERIFY(runsFit(pattern, 1, true));
    }
};

QTEST_GUILESS_MAIN(tst_PatternBadInput)
#include "tst_PatternBadInput.moc"
