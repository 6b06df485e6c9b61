#include "pattern/CaptureGroupParser.h"
#include "pattern/PatternAttributedStringBuilder.h"

#include "platform/SystemAppearanceMonitor.h"
#include "settings/UserDefaults.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList &alphabet()
{
    static const QStringList pieces{
        u"("_s,   u")"_s,   u"["_s,     u"]"_s,     u"{"_s,      u"}"_s,     u"\\"_s,      u"?"_s,      u"*"_s,
        u"+"_s,   u"|"_s,   u"^"_s,     u"$"_s,     u"."_s,      u"#"_s,     u":"_s,       u"<"_s,      u">"_s,
        u"="_s,   u"!"_s,   u","_s,     u" "_s,     u"a"_s,      u"d"_s,     u"x"_s,       u"u"_s,      u"p"_s,
        u"N"_s,   u"Q"_s,   u"E"_s,     u"0"_s,     u"7"_s,      u"\n"_s,    u"\r\n"_s,    u"\u2028"_s, u"(?:"_s,
        u"(?<n>"_s, u"(?<="_s, u"(?#"_s, uR"(\()"_s, uR"(\\)"_s, u"😀"_s,   u"\u0301"_s,  u"\u200d"_s, u"🇫🇷"_s,
        QString(QChar(0)), QString(QChar(0xd83d)), QString(QChar(0xde00)),
    };
    return pieces;
}

QString randomPattern(QRandomGenerator &random, int pieces)
{
    QString pattern;
    for (int i = 0; i < pieces; ++i)
        pattern += alphabet().at(random.bounded(int(alphabet().size())));
    return pattern;
}

// Ranges inside the pattern, each from a "(" to a ")", in order of their starts, nested or disjoint.
bool groupsAreSound(const QString &pattern, const QList<CaptureGroup> &groups, QString &problem)
{
    if (groups.isEmpty() || groups.first().utf16Range() != TextRange{0, pattern.size()}) {
        problem = u"group 0 is not the whole pattern"_s;
        return false;
    }
    for (qsizetype k = 1; k < groups.size(); ++k) {
        const TextRange range = groups.at(k).utf16Range();
        if (!range.fitsIn(pattern.size()) || range.length < 2 || pattern.at(range.location) != u'('
            || pattern.at(range.end() - 1) != u')'
            || groups.at(k).rangeStartIndex >= groups.at(k).rangeEndIndex.value_or(-1)) {
            problem = u"group %1 is not a parenthesised range of the pattern"_s.arg(k);
            return false;
        }
        for (qsizetype j = 1; j < k; ++j) {
            const TextRange outer = groups.at(j).utf16Range();
            const bool nested = range.location > outer.location && range.end() <= outer.end();
            if (range.location <= outer.location || (!nested && range.location < outer.end())) {
                problem = u"groups %1 and %2 overlap or are out of order"_s.arg(j).arg(k);
                return false;
            }
        }
    }
    return true;
}

bool runsAreSound(const QString &pattern, qint64 group, const AttributedPattern &colored, QString &problem)
{
    QList<TextRange> backgrounds;
    for (const ColorRun &run : colored.runs()) {
        if (!run.range.fitsIn(pattern.size()) || run.range.length <= 0) {
            problem = u"a run lies outside the text"_s;
            return false;
        }
        if (run.role == ColorRole::background)
            backgrounds.append(run.range);
    }
    const CaptureGroupParser::Result groups = CaptureGroupParser(pattern).parse();
    QList<TextRange> expected;
    if (groups && group >= 1 && group < groups.value().size())
        expected.append(groups.value().at(group).utf16Range());
    if (backgrounds != expected) {
        problem = u"the group background is not the parser's group"_s;
        return false;
    }
    return true;
}

} // namespace

class tst_PatternBadInput final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void randomPatterns();
    void largePatterns_data();
    void largePatterns();
};

void tst_PatternBadInput::init()
{
    UserDefaults::standard().clear();
    UserDefaults::standard().registerStandardDefaults();
    SystemAppearanceMonitor::instance().setOverride(SystemAppearance::light);
}

void tst_PatternBadInput::randomPatterns()
{
    QRandomGenerator random(20240607);
    int balanced = 0;
    for (int round = 0; round < 4000; ++round) {
        const QString pattern = randomPattern(random, random.bounded(0, 40));
        const CaptureGroupParser::Result result = CaptureGroupParser(pattern).parse();
        QString problem;
        if (result) {
            ++balanced;
            QVERIFY2(groupsAreSound(pattern, result.value(), problem), qPrintable(problem + u" in "_s + pattern));
        } else {
            QCOMPARE(result.error(), CaptureGroupParser::CaptureGroupParserError::invalidPattern);
        }

        UserDefaults::standard().setValue(UserDefaultsKey::allowCommentsAndWhitespace, random.bounded(2) == 1);
        const qint64 group = random.bounded(-1, 4);
        const AttributedPattern colored = PatternAttributedStringBuilder::coloredPattern(pattern, group);
        QVERIFY2(runsAreSound(pattern, group, colored, problem), qPrintable(problem + u" in "_s + pattern));
    }
    // Enough of both outcomes for the checks above to mean something.
    QVERIFY(balanced > 400);
    QVERIFY(balanced < 3600);
}

void tst_PatternBadInput::largePatterns_data()
{
    QTest::addColumn<QString>("pattern");

    const qsizetype size = 100 * 1024;
    QRandomGenerator random(7);
    QTest::addRow("unclosed classes") << QString(size, u'[');
    QTest::addRow("unclosed inline comments") << u"(?#"_s.repeated(size / 3);
    QTest::addRow("unclosed groups") << QString(size, u'(');
    QTest::addRow("unopened groups") << QString(size, u')');
    QTest::addRow("deep nesting") << QString(size / 2, u'(') + QString(size / 2, u')');
    QTest::addRow("trailing backslash") << QString(size - 1, u'\\') + u"a\\"_s;
    QTest::addRow("unclosed counted quantifiers") << u"{1"_s.repeated(size / 2);
    QTest::addRow("one long comment") << u"#"_s + QString(size, u'a');
    QTest::addRow("lone surrogates") << QString(size, QChar(0xd800));
    QTest::addRow("NUL characters") << QString(size, QChar(0));
    QTest::addRow("random") << randomPattern(random, size / 2);
}

// Would hang or crash rather than fail; the runs must still fit the text.
void tst_PatternBadInput::largePatterns()
{
    QFETCH(QString, pattern);

    UserDefaults::standard().setValue(UserDefaultsKey::allowCommentsAndWhitespace, true);
    const CaptureGroupParser::Result result = CaptureGroupParser(pattern).parse();
    QString problem;
    if (result)
        QVERIFY2(groupsAreSound(pattern, result.value().mid(0, 50), problem), qPrintable(problem));
    QVERIFY2(runsAreSound(pattern, 1, PatternAttributedStringBuilder::coloredPattern(pattern, 1), problem),
             qPrintable(problem));
}

QTEST_GUILESS_MAIN(tst_PatternBadInput)
#include "tst_PatternBadInput.moc"
