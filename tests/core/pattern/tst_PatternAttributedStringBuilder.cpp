#include "core/pattern/PatternAttributedStringBuilder.h"

#include "TestSettings.h"
#include "core/platform/SystemAppearanceMonitor.h"
#include "core/settings/LightAppearance.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Per UTF-16 unit, the foreground's palette role (p plain, s special, e escaped, m metacharacter, c comment) and
// whether the group background is there (h) or not (.); "?" for any other colour.
QString describe(const AttributedPattern &colored, const Appearance &palette)
{
    const QHash<QRgb, QChar> roles {
        {palette.plainTextColor().toQColor().rgba(), u'p'},
        {palette.specialCharacterColor().toQColor().rgba(), u's'},
        {palette.escapedCharacterColor().toQColor().rgba(), u'e'},
        {palette.metacharacterColor().toQColor().rgba(), u'm'},
        {palette.commentColor().toQColor().rgba(), u'c'},
    };
    QString foreground(colored.text().size(), u'-');
    QString background(colored.text().size(), u'.');
    for (const ColorSpan &span : colored.spans()) {
        for (qsizetype i = span.range.location; i < span.range.end(); ++i) {
            if (span.foreground)
                foreground[i] = roles.value(span.foreground->rgba(), u'?');
            if (span.background)
                background[i] = *span.background == palette.highlightedGroupColor().toQColor() ? u'h' : u'?';
        }
    }
    return foreground + u' ' + background;
}

} // namespace

class tst_PatternAttributedStringBuilder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetSettingsToLightDefaults(); }

    void coloredPattern_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<qint64>("group");
        QTest::addColumn<bool>("comments");
        QTest::addColumn<QString>("colors");

        QTest::addRow("counted quantifier") << u"x{2,5}"_s << qint64(0) << false << u"psssss ......"_s;
        QTest::addRow("non-capturing group") << u"(?:ab)"_s << qint64(0) << false << u"ssspps ......"_s;
        QTest::addRow("escaped parenthesis") << uR"(\()"_s << qint64(0) << false << u"ep .."_s;
        QTest::addRow("escaped backslash") << uR"(\\)"_s << qint64(0) << false << u"ep .."_s;
        QTest::addRow("metacharacter and quantifier") << uR"(\d+)"_s << qint64(0) << false << u"mms ..."_s;
        QTest::addRow("whole class, dot too") << u"[a-z.]"_s << qint64(0) << false << u"mmmmmm ......"_s;
        QTest::addRow("inline comment") << u"(?#note)"_s << qint64(0) << false << u"cccccccc ........"_s;
        QTest::addRow("comment, setting on") << u"a # b"_s << qint64(0) << true << u"psccc ....."_s;
        QTest::addRow("comment, setting off") << u"a # b"_s << qint64(0) << false << u"pspsp ....."_s;
        QTest::addRow("empty pattern") << QString() << qint64(1) << false << u" "_s;
        QTest::addRow("first group") << u"(a)(b)"_s << qint64(1) << false << u"spssps hhh..."_s;
        QTest::addRow("second group") << u"(a)(b)"_s << qint64(2) << false << u"spssps ...hhh"_s;
        QTest::addRow("group beyond the last") << u"(a)(b)"_s << qint64(3) << false << u"spssps ......"_s;
        QTest::addRow("unbalanced, tokens coloured") << u"(a"_s << qint64(1) << false << u"sp .."_s;
        QTest::addRow("non-capturing skipped") << u"(?:a)(b)"_s << qint64(1) << false << u"ssspssps .....hhh"_s;
        QTest::addRow("named group numbered") << u"(?<y>a)(b)"_s << qint64(2) << false << u"ssppppssps .......hhh"_s;
        QTest::addRow("group after emoji") << u"😀(a)"_s << qint64(1) << false << u"ppsps ..hhh"_s;
        QTest::addRow("group holding a flag") << u"(🇫🇷)"_s << qint64(1) << false << u"spppps hhhhhh"_s;
        QTest::addRow("quoted text is plain") << uR"(\Q(a)+\E)"_s << qint64(0) << false << u"mmppppmm ........"_s;
        QTest::addRow("quote unclosed to the end") << uR"(a\Q+[)"_s << qint64(0) << false << u"pmmpp ....."_s;
        QTest::addRow("quoted hash, setting on") << uR"(\Q#\E)"_s << qint64(0) << true << u"mmpmm ....."_s;
        QTest::addRow("inline comment holding a group")
            << u"(?#(a)b+"_s << qint64(1) << false << u"ccccccps ........"_s;
        QTest::addRow("inline comment ends at escaped parenthesis")
            << u"(?#\\)b)"_s << qint64(0) << false << u"cccccps ......."_s;
        QTest::addRow("free spacing by inline flag") << u"(?x)a #b"_s << qint64(0) << false << u"sspspscc ........"_s;
        QTest::addRow("free spacing ends with its group")
            << u"(?x:#a\n)#b"_s << qint64(0) << false << u"ssppccpspp .........."_s;
        QTest::addRow("quoted bracket inside a class") << uR"([\Q]\E])"_s << qint64(0) << false << u"mmmpmmm ......."_s;
        QTest::addRow("nested class whole")
            << u"[[a-z]&&[^(]]+"_s << qint64(0) << false << u"mmmmmmmmmmmmms .............."_s;
        QTest::addRow("group after a quoted parenthesis")
            << uR"(\Q(\E(a))"_s << qint64(1) << false << u"mmpmmsps .....hhh"_s;
    }

    void coloredPattern()
    {
        QFETCH(QString, pattern);
        QFETCH(qint64, group);
        QFETCH(bool, comments);
        const AttributedPattern colored
            = PatternAttributedStringBuilder::coloredPattern(pattern, group, comments, LightAppearance());
        QCOMPARE(colored.text(), pattern);
        QTEST(describe(colored, LightAppearance()), "colors");
    }

    void laterRunsWin()
    {
        AttributedPattern colored(u"abcdefgh"_s);
        colored.addColor(ColorRole::foreground, {0, 6}, Qt::red);
        colored.addColor(ColorRole::foreground, {2, 2}, Qt::blue);
        colored.addColor(ColorRole::background, {3, 5}, Qt::yellow);
        colored.addColor(ColorRole::foreground, {6, 1}, Qt::red);
        colored.addColor(ColorRole::foreground, {7, 2}, Qt::green); // beyond the text

        const QColor red(Qt::red), blue(Qt::blue), yellow(Qt::yellow);
        QCOMPARE(colored.spans(),
                 (QList<ColorSpan> {{{0, 2}, red, {}},
                                    {{2, 1}, blue, {}},
                                    {{3, 1}, blue, yellow},
                                    {{4, 3}, red, yellow},
                                    {{7, 1}, {}, yellow}}));
    }
};

QTEST_GUILESS_MAIN(tst_PatternAttributedStringBuilder)
#include "tst_PatternAttributedStringBuilder.moc"
