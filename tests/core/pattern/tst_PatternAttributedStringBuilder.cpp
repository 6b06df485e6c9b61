#include "core/pattern/AttributedPattern.h"
#include "core/settings/LightAppearance.h"

#include "ColoredPattern.h"
#include "ExpectedOutput.h"
#include "TestSettings.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Line ends, tabs and other invisible characters as <U+xxxx>, so that each case stays on its lines.
QString visible(const QString &text)
{
    QString shown;
    for (const QChar c : text) {
        const bool invisible = (c.isSpace() && c != u' ') || (!c.isPrint() && !c.isSurrogate());
        shown += invisible ? u"<U+%1>"_s.arg(uint(c.unicode()), 4, 16, QChar(u'0')) : QString(c);
    }
    return shown;
}

QString role(const QColor &color)
{
    if (!color.isValid())
        return u"invalid"_s;
    const LightAppearance palette;
    const std::pair<Color, QString> roles[] = {
        {palette.plainTextColor(), u"plain"_s},         {palette.specialCharacterColor(), u"special"_s},
        {palette.escapedCharacterColor(), u"escape"_s}, {palette.metacharacterColor(), u"meta"_s},
        {palette.commentColor(), u"comment"_s},         {palette.highlightedGroupColor(), u"group"_s},
    };
    for (const auto &[paletteColor, name] : roles) {
        if (paletteColor.toQColor() == color)
            return name;
    }
    return color.name(QColor::HexArgb);
}

// The case, then each stretch of one colouring: where it lies, its colour's role (and the background's), its text.
QByteArray dump(const QString &pattern, qint64 group, bool comments)
{
    QString out = u'"' + visible(pattern) + u'"' + (group ? u", group %1"_s.arg(group) : QString())
        + (comments ? u", free spacing"_s : QString()) + u'\n';
    for (const ColorSpan &span : coloredPattern(pattern, group, comments).spans()) {
        out += u"  %1+%2 %3"_s.arg(span.range.location)
                   .arg(span.range.length)
                   .arg(span.foreground ? role(*span.foreground) : u"none"_s);
        out += (span.background ? u" on "_s + role(*span.background) : QString()) + u" \""_s
            + visible(pattern.sliced(span.range.location, span.range.length)) + u"\"\n"_s;
    }
    return out.toUtf8();
}

} // namespace

class tst_PatternAttributedStringBuilder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetSettingsToLightDefaults(); }

    // Tokens are coloured only where ICU reads syntax; which group is which is CaptureGroupParser's to test.
    void coloursTrickyPatterns()
    {
        struct Case
        {
            QString pattern;
            qint64 group = 0;
            bool comments = false;
        };
        const Case cases[] = {
            {u"x{2,5}"_s},
            {u"(?:ab)"_s},
            {QString(), 1},
            {uR"(\()"_s},
            {uR"(\\)"_s},
            {uR"(\d+)"_s},
            {uR"(a\.b\*)"_s},
            {uR"(\x{41}\x41\u0041\N{COMMA}\0101\cA\c(\p{Lu})"_s},
            {uR"(\Q(a)+\E)"_s},
            {uR"(a\Q+[)"_s},
            {uR"(a\Q\E+)"_s},
            {uR"(\Q\\E(a))"_s},
            {uR"(\Q#\E)"_s, 0, true},
            {uR"(\Q(\E(a))"_s, 1},
            {u"(?#note)"_s},
            {u"(?#(a)b+"_s},
            {uR"((?#\)b))"_s},
            {uR"((?#\Q)\E)a)"_s},
            {u"a # b"_s, 0, true},
            {u"a # b"_s},
            {u"a #b\r\nc"_s, 0, true},
            {u"(?x)a #b"_s},
            {u"(?x)a#b\u2028c"_s},
            {u"(?x:#a\n)#b"_s},
            {u"(?-x)a #b"_s, 0, true},
            {u"( ?:a)(b)"_s, 0, true},
            {u"[a#]\n](b)"_s, 0, true},
            {u"[a-z.]"_s},
            {u"[]a][^]a]"_s},
            {uR"([a\]]b)"_s},
            {uR"([\Q]\E])"_s},
            {u"[[a-z]&&[^(]]+"_s},
            {uR"([\p{L}--[a-z]])"_s},
            {u"[[:alpha:]][:digit:]"_s},
            {u"(a)(b)"_s, 1},
            {u"(a)(b)"_s, 2},
            {u"(a)(b)"_s, 3},
            {u"(a"_s, 1},
            {u"😀(a)"_s, 1},
            {u"(🇫🇷)"_s, 1},
            {u"x\n(a\nb)"_s, 1},
        };
        QByteArray output;
        for (const Case &c : cases)
            output += dump(c.pattern, c.group, c.comments) + '\n';
        compareWithExpectedOutput(output, u"pattern-colours.txt"_s);
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
