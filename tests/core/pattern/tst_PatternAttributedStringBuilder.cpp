#include "core/pattern/AttributedPattern.h"
#include "core/settings/LightAppearance.h"

#include "ColoredPattern.h"
#include "ExpectedOutput.h"
#include "TestSettings.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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

// Each stretch of one colouring: where it lies, its colour's role (and the background's), its text.
void dump(const QString &pattern, qint64 group, bool comments, QString &out)
{
    for (const ColorSpan &span : coloredPattern(pattern, group, comments).spans()) {
        out += u"  %1+%2 %3"_s.arg(span.range.location)
                   .arg(span.range.length)
                   .arg(span.foreground ? role(*span.foreground) : u"none"_s);
        out += (span.background ? u" on "_s + role(*span.background) : QString()) + u" \""_s
            + visible(pattern.sliced(span.range.location, span.range.length)) + u"\"\n"_s;
    }
}

} // namespace

class tst_PatternAttributedStringBuilder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startClean(); }

    // Tokens are coloured only where ICU reads syntax; which group is which is CaptureGroupParser's to test. The
    // cases are the file's lines in quotes, with "#" lines saying what they show; the lines under each are the
    // colouring, regenerated with the file.
    void coloursTrickyPatterns()
    {
        static const QRegularExpression header(u"^\"(.*)\"(?:, group (\\d+))?(, free spacing)?$"_s);
        const int cases = compareCasesWithExpectedOutput(
            u"pattern-colours.txt"_s, header, [](const QRegularExpressionMatch &match, QString &out) {
                dump(fromVisible(match.captured(1)), match.captured(2).toLongLong(), match.hasCaptured(3), out);
            });
        QVERIFY(cases > 30);
    }
};

QTEST_GUILESS_MAIN(tst_PatternAttributedStringBuilder)
#include "tst_PatternAttributedStringBuilder.moc"
