#include "pattern/PatternAttributedStringBuilder.h"

#include "platform/SystemAppearanceMonitor.h"
#include "settings/AppearanceController.h"
#include "settings/UserDefaults.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// One letter per UTF-16 unit: the foreground's role in the palette (p plain, s special, e escaped, m
// metacharacter, c comment, - none), or whether the group background is there (h) or not (.).
std::pair<QString, QString> describe(const AttributedPattern &colored, const Appearance &palette)
{
    const std::pair<QColor, QChar> roles[] = {
        {palette.plainTextColor().toQColor(), u'p'},
        {palette.specialCharacterColor().toQColor(), u's'},
        {palette.escapedCharacterColor().toQColor(), u'e'},
        {palette.metacharacterColor().toQColor(), u'm'},
        {palette.commentColor().toQColor(), u'c'},
    };
    QString foreground(colored.text().size(), u'-');
    QString background(colored.text().size(), u'.');
    for (const ColorSpan &span : colored.spans()) {
        for (qsizetype i = span.range.location; i < span.range.end(); ++i) {
            if (span.foreground) {
                foreground[i] = u'?';
                for (const auto &[color, letter] : roles) {
                    if (color == *span.foreground)
                        foreground[i] = letter;
                }
            }
            if (span.background)
                background[i] = *span.background == palette.highlightedGroupColor().toQColor() ? u'h' : u'?';
        }
    }
    return {foreground, background};
}

} // namespace

class tst_PatternAttributedStringBuilder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void coloredPattern_data();
    void coloredPattern();
    void laterRunsWin();
};

void tst_PatternAttributedStringBuilder::init()
{
    UserDefaults::standard().clear();
    UserDefaults::standard().registerStandardDefaults();
    SystemAppearanceMonitor::instance().setOverride(SystemAppearance::light);
}

void tst_PatternAttributedStringBuilder::coloredPattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<qint64>("group");
    QTest::addColumn<bool>("comments");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("foreground");
    QTest::addColumn<QString>("background");

    QTest::addRow("plain text") << u"abc"_s << qint64(0) << false << false << u"ppp"_s << u"..."_s;
    QTest::addRow("quantifier") << u"a+"_s << qint64(0) << false << false << u"ps"_s << u".."_s;
    QTest::addRow("counted quantifier") << u"x{2,5}"_s << qint64(0) << false << false << u"psssss"_s << u"......"_s;
    QTest::addRow("non-capturing group") << u"(?:ab)"_s << qint64(0) << false << false << u"ssspps"_s << u"......"_s;
    QTest::addRow("escaped parenthesis") << uR"(\()"_s << qint64(0) << false << false << u"ep"_s << u".."_s;
    QTest::addRow("escaped backslash") << uR"(\\)"_s << qint64(0) << false << false << u"ep"_s << u".."_s;
    QTest::addRow("metacharacter and quantifier") << uR"(\d+)"_s << qint64(0) << false << false << u"mms"_s << u"..."_s;
    QTest::addRow("whole class, dot too") << u"[a-z.]"_s << qint64(0) << false << false << u"mmmmmm"_s << u"......"_s;
    QTest::addRow("inline comment") << u"(?#note)"_s << qint64(0) << false << false << u"cccccccc"_s << u"........"_s;
    QTest::addRow("comment with setting on") << u"a # b"_s << qint64(0) << true << false << u"psccc"_s << u"....."_s;
    QTest::addRow("comment with setting off") << u"a # b"_s << qint64(0) << false << false << u"pspsp"_s << u"....."_s;
    QTest::addRow("dark palette") << uR"(\d+)"_s << qint64(0) << false << true << u"mms"_s << u"..."_s;
    QTest::addRow("empty pattern") << QString() << qint64(1) << false << false << QString() << QString();

    QTest::addRow("first group") << u"(a)(b)"_s << qint64(1) << false << false << u"spssps"_s << u"hhh..."_s;
    QTest::addRow("second group") << u"(a)(b)"_s << qint64(2) << false << false << u"spssps"_s << u"...hhh"_s;
    QTest::addRow("group beyond the last") << u"(a)(b)"_s << qint64(3) << false << false << u"spssps"_s << u"......"_s;
    QTest::addRow("whole pattern never marked") << u"(a)"_s << qint64(0) << false << false << u"sps"_s << u"..."_s;
    QTest::addRow("unbalanced, tokens still coloured") << u"(a"_s << qint64(1) << false << false << u"sp"_s << u".."_s;
    QTest::addRow("non-capturing group skipped")
        << u"(?:a)(b)"_s << qint64(1) << false << false << u"ssspssps"_s << u".....hhh"_s;
    QTest::addRow("named group numbered")
        << u"(?<y>a)(b)"_s << qint64(2) << false << false << u"ssppppssps"_s << u".......hhh"_s;
    QTest::addRow("group after emoji") << u"😀(a)"_s << qint64(1) << false << false << u"ppsps"_s << u"..hhh"_s;
    QTest::addRow("group after CRLF") << u"\r\n(a)"_s << qint64(1) << false << false << u"ppsps"_s << u"..hhh"_s;
    QTest::addRow("group holding a flag") << u"(🇫🇷)"_s << qint64(1) << false << false << u"spppps"_s << u"hhhhhh"_s;
}

void tst_PatternAttributedStringBuilder::coloredPattern()
{
    QFETCH(QString, pattern);
    QFETCH(qint64, group);
    QFETCH(bool, comments);
    QFETCH(bool, dark);
    QFETCH(QString, foreground);
    QFETCH(QString, background);

    UserDefaults::standard().setValue(UserDefaultsKey::allowCommentsAndWhitespace, comments);
    UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, dark ? 1 : 0);
    const AttributedPattern colored = PatternAttributedStringBuilder::coloredPattern(pattern, group);

    QCOMPARE(colored.text(), pattern);
    const std::unique_ptr<Appearance> palette = AppearanceController::appearance(dark ? 1 : 0, SystemAppearance::light);
    const auto [actualForeground, actualBackground] = describe(colored, *palette);
    QCOMPARE(actualForeground, foreground);
    QCOMPARE(actualBackground, background);
}

void tst_PatternAttributedStringBuilder::laterRunsWin()
{
    AttributedPattern colored(u"abcdefgh"_s);
    colored.addColor(ColorRole::foreground, {0, 6}, Qt::red);
    colored.addColor(ColorRole::foreground, {2, 2}, Qt::blue);
    colored.addColor(ColorRole::background, {3, 5}, Qt::yellow);
    colored.addColor(ColorRole::foreground, {6, 1}, Qt::red);
    colored.addColor(ColorRole::foreground, {7, 2}, Qt::green);

    const QList<ColorSpan> expected{
        {{0, 2}, QColor(Qt::red), std::nullopt},
        {{2, 1}, QColor(Qt::blue), std::nullopt},
        {{3, 1}, QColor(Qt::blue), QColor(Qt::yellow)},
        {{4, 3}, QColor(Qt::red), QColor(Qt::yellow)},
        {{7, 1}, std::nullopt, QColor(Qt::yellow)},
    };
    QCOMPARE(colored.spans(), expected);

    const QList<QTextLayout::FormatRange> block = colored.formatRanges(3, 2);
    QCOMPARE(block.size(), 2);
    QCOMPARE(block.at(0).start, 0);
    QCOMPARE(block.at(0).length, 1);
    QCOMPARE(block.at(0).format.foreground().color(), QColor(Qt::blue));
    QCOMPARE(block.at(1).start, 1);
    QCOMPARE(block.at(1).length, 1);
    QCOMPARE(block.at(1).format.background().color(), QColor(Qt::yellow));
}

QTEST_GUILESS_MAIN(tst_PatternAttributedStringBuilder)
#include "tst_PatternAttributedStringBuilder.moc"
