#include "core/evaluation/MatchingSwitches.h"

QList<MatchingSwitches::Switch> MatchingSwitches::all()
{
    // Shortcuts take the letter ICU uses for the switch inside a pattern, "(?i)", "(?m)", "(?x)", "(?s)", "(?w)",
    // where it has one.
    return {
        {UserDefaultsKey::caseInsensitive, caseInsensitiveOption, tr("Case insensitive"), tr("&Case Insensitive"),
         //: Button above the pattern for case-insensitive matching; ICU's flag letter
         tr("i"), tr("Letters match in either case"), Qt::CTRL | Qt::SHIFT | Qt::Key_I, "caseInsensitiveAction"},
        {UserDefaultsKey::multiline, anchorsMatchLinesOption, tr("Anchors match lines"), tr("&Anchors Match Lines"),
         //: Button above the pattern for anchors matching at lines; ICU's flag letter
         tr("m"), tr("\"^\" and \"$\" match at the start and end of every line"), Qt::CTRL | Qt::SHIFT | Qt::Key_M,
         "multilineAction"},
        {UserDefaultsKey::allowCommentsAndWhitespace, allowCommentsAndWhitespaceOption,
         tr("Allow comments and whitespace"), tr("Allow Comments and &Whitespace"),
         //: Button above the pattern for free spacing; ICU's flag letter
         tr("x"), tr("White space in the pattern is ignored and \"#\" starts a comment"),
         Qt::CTRL | Qt::SHIFT | Qt::Key_X, "allowCommentsAndWhitespaceAction"},
        {UserDefaultsKey::dotMatchesLineSeparators, dotMatchesLineSeparatorsOption, tr("Dot matches line separators"),
         tr("&Dot Matches Line Separators"),
         //: Button above the pattern for "." matching line breaks too; ICU's flag letter
         tr("s"), tr("\".\" matches every character, line separators too"), Qt::CTRL | Qt::SHIFT | Qt::Key_S,
         "dotMatchesLineSeparatorsAction"},
        {UserDefaultsKey::unicodeWordBoundaries, unicodeWordBoundariesOption, tr("Unicode word boundaries"),
         tr("&Unicode Word Boundaries"),
         //: Button above the pattern for Unicode word boundaries; ICU's flag letter
         tr("w"), tr("\"\\b\" finds word boundaries by the Unicode rules for words"), Qt::CTRL | Qt::SHIFT | Qt::Key_W,
         "unicodeWordBoundariesAction"},
        {UserDefaultsKey::unixLineSeparators, unixLineSeparatorsOption, tr("Unix line separators only"),
         tr("Unix &Line Separators Only"),
         //: Button above the pattern for Unix line separators: only a line feed ends a line
         tr("\\n"), tr("Only a line feed ends a line, for \".\", \"^\" and \"$\""), Qt::CTRL | Qt::SHIFT | Qt::Key_D,
         "unixLineSeparatorsAction"},
        {UserDefaultsKey::patternIsLiteral, patternIsLiteralOption, tr("Pattern is literal text"),
         tr("Pattern Is Li&teral Text"),
         //: Button above the pattern for matching it as literal text, as "\Q…\E" would
         tr("\\Q"), tr("The pattern matches as plain text: no character in it is special"),
         Qt::CTRL | Qt::SHIFT | Qt::Key_L, "patternIsLiteralAction"},
    };
}

RegularExpressionOptions MatchingSwitches::options(const std::function<bool(UserDefaultsKey)> &isOn)
{
    RegularExpressionOptions options;
    for (const Switch &matchingSwitch : all())
        options.setFlag(matchingSwitch.option, isOn(matchingSwitch.key));
    return options;
}

std::optional<MatchingSwitches::Switch> MatchingSwitches::forKey(UserDefaultsKey key)
{
    for (const Switch &matchingSwitch : all()) {
        if (matchingSwitch.key == key)
            return matchingSwitch;
    }
    return std::nullopt;
}
