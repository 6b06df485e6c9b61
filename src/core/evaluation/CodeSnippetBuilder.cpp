#include "core/evaluation/CodeSnippetBuilder.h"

#include "core/evaluation/CodeStringLiteral.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;
using Language = CodeSnippetBuilder::Language;

namespace {

// Each API's name for a switch, in the order the interface lists the switches; none where the API has no flag for
// it. ICU's letter turns a switch on inside the pattern, "(?x)", all but literal text. Java's CASE_INSENSITIVE alone
// folds ASCII only, unlike ICU, so UNICODE_CASE goes with it; Android's engine folds all of Unicode either way.
struct FlagNames
{
    RegularExpressionOption option;
    char16_t letter;
    const char *swift;
    const char *objectiveC;
    const char *cpp;
    const char *java;
    const char *kotlin;
    const char *r;
    const char *mysql;
};

constexpr FlagNames flagNames[] = {
    {caseInsensitiveOption, u'i', ".caseInsensitive", "NSRegularExpressionCaseInsensitive", "UREGEX_CASE_INSENSITIVE",
     "Pattern.CASE_INSENSITIVE | Pattern.UNICODE_CASE", "RegexOption.IGNORE_CASE", "case_insensitive", "i"},
    {anchorsMatchLinesOption, u'm', ".anchorsMatchLines", "NSRegularExpressionAnchorsMatchLines", "UREGEX_MULTILINE",
     "Pattern.MULTILINE", "RegexOption.MULTILINE", "multiline", "m"},
    {allowCommentsAndWhitespaceOption, u'x', ".allowCommentsAndWhitespace",
     "NSRegularExpressionAllowCommentsAndWhitespace", "UREGEX_COMMENTS", "Pattern.COMMENTS", "RegexOption.COMMENTS",
     "comments", nullptr},
    {dotMatchesLineSeparatorsOption, u's', ".dotMatchesLineSeparators", "NSRegularExpressionDotMatchesLineSeparators",
     "UREGEX_DOTALL", "Pattern.DOTALL", "RegexOption.DOT_MATCHES_ALL", "dotall", "n"},
    {unicodeWordBoundariesOption, u'w', ".useUnicodeWordBoundaries", "NSRegularExpressionUseUnicodeWordBoundaries",
     "UREGEX_UWORD", nullptr, nullptr, "uword", nullptr},
    {unixLineSeparatorsOption, u'd', ".useUnixLineSeparators", "NSRegularExpressionUseUnixLineSeparators",
     "UREGEX_UNIX_LINES", "Pattern.UNIX_LINES", "RegexOption.UNIX_LINES", "unix_lines", "u"},
    {patternIsLiteralOption, 0, ".ignoreMetacharacters", "NSRegularExpressionIgnoreMetacharacters", "UREGEX_LITERAL",
     "Pattern.LITERAL", "RegexOption.LITERAL", "literal", nullptr},
};

const char *flagName(const FlagNames &names, Language language)
{
    switch (language) {
    case Language::swift:
        return names.swift;
    case Language::objectiveC:
        return names.objectiveC;
    case Language::cpp:
        return names.cpp;
    case Language::java:
        return names.java;
    case Language::kotlin:
        return names.kotlin;
    case Language::r:
        return names.r;
    case Language::mysql:
        return names.mysql;
    }
    return nullptr;
}

QStringList flags(Language language, RegularExpressionOptions options)
{
    QStringList names;
    for (const FlagNames &flag : flagNames) {
        if (options.testFlag(flag.option) && flagName(flag, language))
            names << QString::fromLatin1(flagName(flag, language));
    }
    return names;
}

// ICU's letters inside the pattern, "(?xw)", for the switches the API has no flag for. A literal pattern has no
// syntax they could change.
QString inlineFlags(Language language, RegularExpressionOptions options)
{
    if (options.testFlag(patternIsLiteralOption))
        return {};
    QString letters;
    for (const FlagNames &flag : flagNames) {
        if (options.testFlag(flag.option) && !flagName(flag, language) && flag.letter)
            letters += QChar(flag.letter);
    }
    return letters.isEmpty() ? QString() : u"(?"_s + letters + u')';
}

// What a literal of the language cannot hold.
QString replacedCharactersComment(Language language)
{
    switch (language) {
    case Language::swift:
        return u"// A Swift string cannot hold a lone surrogate: U+FFFD stands for each one in the pattern, and "
               u"matches "
               "differently.\n"_s;
    case Language::r:
        return u"# An R string cannot hold a NUL or a lone surrogate: U+FFFD stands for each one in the pattern, and "
               "matches differently.\n"_s;
    case Language::mysql:
        return u"-- A MySQL string cannot hold a lone surrogate: U+FFFD stands for each one in the pattern, and "
               "matches differently.\n"_s;
    default:
        return {};
    }
}

bool needsCodeUnits(const QString &pattern)
{
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c.isNull() || (c.isHighSurrogate() && (i + 1 == pattern.size() || !pattern[i + 1].isLowSurrogate()))
            || (c.isLowSurrogate() && (i == 0 || !pattern[i - 1].isHighSurrogate())))
            return true;
    }
    return false;
}

// Snippet lines stay within this many columns where a line break can keep them there.
constexpr qsizetype lineLimit = 100;

// The items joined by ", ", or by " | " with a break before the bar, onto as many lines as they need; the first
// starts at the column, the others after the indent.
QString wrapped(const QStringList &items, const QString &separator, qsizetype column, qsizetype indent)
{
    const bool breaksBefore = separator == u" | "_s;
    QString text;
    for (const QString &item : items) {
        if (!text.isEmpty() && column + separator.size() + item.size() > lineLimit) {
            const QString indentation(indent, u' ');
            text += breaksBefore ? QString(u"\n"_s + indentation + u"| "_s) : QString(u",\n"_s + indentation);
            column = indent + (breaksBefore ? 2 : 0);
        } else if (!text.isEmpty()) {
            text += separator;
            column += separator.size();
        }
        text += item;
        column += item.size();
    }
    return text;
}

QString swiftSnippet(const QString &pattern, RegularExpressionOptions options)
{
    const CodeStringLiteral literal(Language::swift, pattern);
    const QStringList names = flags(Language::swift, options);
    QString regex = u"let regex = try NSRegularExpression(pattern: %1, options: [%2])\n"_s.arg(literal.text(),
                                                                                               names.join(u", "_s));
    if (regex.size() > lineLimit + 1) {
        const QString declaration = u"let options: NSRegularExpression.Options = ["_s;
        regex = declaration + wrapped(names, u", "_s, declaration.size(), declaration.size()) + u"]\n"_s
            + u"let regex = try NSRegularExpression(pattern: %1, options: options)\n"_s.arg(literal.text());
    }
    return u"import Foundation\n\n"
           "// text: the String to search. Ranges count UTF-16 units, as Quorvale does.\n"_s
        + (literal.hasReplacedCharacters() ? replacedCharactersComment(Language::swift) : QString()) + regex
        + u"for match in regex.matches(in: text, range: NSRange(text.startIndex..., in: text)) {\n"
          "    print(match.range, (text as NSString).substring(with: match.range))\n"
          "}\n"_s;
}

QString objectiveCSnippet(const QString &pattern, RegularExpressionOptions options)
{
    QString patternLine;
    if (needsCodeUnits(pattern)) {
        QStringList units;
        for (const QChar unit : pattern)
            units << u"0x"_s + QString::number(unit.unicode(), 16).toUpper().rightJustified(4, u'0');
        patternLine
            = u"// The pattern holds a NUL or a lone surrogate, which a string literal cannot: it is made of its "
              "UTF-16 units.\n"
              "static const unichar patternUnits[] = {\n    %1\n};\n"
              "NSString *pattern = [NSString stringWithCharacters:patternUnits\n"
              "                                            length:sizeof patternUnits / sizeof *patternUnits];\n"_s.arg(
                  wrapped(units, u", "_s, 4, 4));
    } else {
        patternLine = u"NSString *pattern = %1;\n"_s.arg(CodeStringLiteral(Language::objectiveC, pattern).text());
    }
    const QStringList names = flags(Language::objectiveC, options);
    const QString declaration = u"NSRegularExpressionOptions options = "_s;
    const QString optionsLine
        = names.isEmpty() ? QString() : declaration + wrapped(names, u" | "_s, declaration.size(), 4) + u";\n"_s;
    return u"// text: the NSString to search. Ranges count UTF-16 units, as Quorvale does.\n"_s + patternLine
        + optionsLine
        + u"NSError *error = nil;\n"
          "NSRegularExpression *regex = [NSRegularExpression regularExpressionWithPattern:pattern\n"
          "                                                                       options:%1\n"
          "                                                                         error:&error];\n"
          "if (!regex)\n"
          "    NSLog(@\"%@\", error);\n"
          "for (NSTextCheckingResult *match in [regex matchesInString:text options:0 range:NSMakeRange(0, "
          "text.length)])\n"
          "    NSLog(@\"%@: %@\", NSStringFromRange(match.range), [text substringWithRange:match.range]);\n"_s.arg(
              names.isEmpty() ? u"0"_s : u"options"_s);
}

QString cppSnippet(const QString &pattern, RegularExpressionOptions options)
{
    const QStringList names = flags(Language::cpp, options);
    const QString declaration = u"    const uint32_t flags = "_s;
    return u"#include <unicode/regex.h>\n"
           "\n"
           "#include <iostream>\n"
           "#include <iterator>\n"
           "#include <memory>\n"
           "\n"
           "// Prints each match of the pattern in text as start-end, in UTF-16 units as Quorvale counts them.\n"
           "void printMatches(const icu::UnicodeString &text)\n"
           "{\n"
           "    // Sized by the array, so that a NUL in the pattern is part of it.\n"
           "    static const char16_t patternText[] = %1;\n"_s.arg(CodeStringLiteral(Language::cpp, pattern).text())
        + declaration + (names.isEmpty() ? u"0"_s : wrapped(names, u" | "_s, declaration.size(), 8))
        + u";\n"
          "    UParseError parseError;\n"
          "    UErrorCode status = U_ZERO_ERROR;\n"
          "    std::unique_ptr<icu::RegexPattern> pattern(icu::RegexPattern::compile(\n"
          "        icu::UnicodeString(patternText, int32_t(std::size(patternText) - 1)), flags, parseError, status));\n"
          "    if (U_FAILURE(status)) {\n"
          "        std::cerr << u_errorName(status) << \" at line \" << parseError.line << \", offset \" << "
          "parseError.offset\n"
          "                  << '\\n';\n"
          "        return;\n"
          "    }\n"
          "    std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(text, status));\n"
          "    while (U_SUCCESS(status) && matcher->find(status))\n"
          "        std::cout << matcher->start(status) << '-' << matcher->end(status) << '\\n';\n"
          "    if (U_FAILURE(status))\n"
          "        std::cerr << u_errorName(status) << '\\n';\n"
          "}\n"_s;
}

// Java and Kotlin have no flag for Unicode word boundaries.
QString javaWordBoundariesComment(const QString &prefix)
{
    return prefix.isEmpty()
        ? QString()
        : u"// No flag turns on Unicode word boundaries: \"(?w)\" before the pattern does in Android's "
          "ICU engine\n// (another JVM rejects it).\n"_s;
}

QString javaSnippet(const QString &pattern, RegularExpressionOptions options)
{
    const QString prefix = inlineFlags(Language::java, options);
    const QStringList names = flags(Language::java, options);
    const QString literal = CodeStringLiteral(Language::java, prefix + pattern).text();
    QString compile = u"Pattern pattern = Pattern.compile(%1);\n"_s.arg(
        names.isEmpty() ? literal : literal + u", "_s + names.join(u" | "_s));
    if (compile.size() > lineLimit + 1) {
        const QString declaration = u"int flags = "_s;
        compile = declaration + wrapped(names, u" | "_s, declaration.size(), 8) + u";\n"_s
            + u"Pattern pattern = Pattern.compile(%1, flags);\n"_s.arg(literal);
    }
    return u"import java.util.regex.Matcher;\n"
           "import java.util.regex.Pattern;\n"
           "\n"
           "// text: the CharSequence to search. Android's java.util.regex is ICU, as Quorvale is; other JVMs differ "
           "in details.\n"_s
        + javaWordBoundariesComment(prefix) + compile
        + u"Matcher matcher = pattern.matcher(text);\n"
          "while (matcher.find())\n"
          "    System.out.println(matcher.start() + \"-\" + matcher.end() + \": \" + matcher.group());\n"_s;
}

QString kotlinSnippet(const QString &pattern, RegularExpressionOptions options)
{
    const QString prefix = inlineFlags(Language::kotlin, options);
    const QStringList names = flags(Language::kotlin, options);
    const QString literal = CodeStringLiteral(Language::kotlin, prefix + pattern).text();
    QString regex = u"val regex = Regex(%1)\n"_s.arg(literal);
    if (names.size() == 1)
        regex = u"val regex = Regex(%1, %2)\n"_s.arg(literal, names.first());
    if (names.size() > 1) {
        const QString declaration = u"val options = setOf("_s;
        regex = declaration + wrapped(names, u", "_s, declaration.size(), 4) + u")\n"_s
            + u"val regex = Regex(%1, options)\n"_s.arg(literal);
    }
    return u"// text: the CharSequence to search. Android's java.util.regex is ICU, as Quorvale is; other JVMs differ "
           "in details.\n"_s
        + javaWordBoundariesComment(prefix) + regex
        + u"for (match in regex.findAll(text))\n"
          "    println(\"${match.range}: ${match.value}\")\n"_s;
}

QString rSnippet(const QString &pattern, RegularExpressionOptions options)
{
    const CodeStringLiteral literal(Language::r, pattern);
    QStringList arguments;
    for (const QString &name : flags(Language::r, options))
        arguments << name + u" = TRUE"_s;
    const QString declaration = u"opts <- stri_opts_regex("_s;
    const QString opts = arguments.isEmpty() ? QString() : u", opts_regex = opts"_s;
    return u"library(stringi)\n"
           "\n"
           "# text: a character vector to search.\n"_s
        + (literal.hasReplacedCharacters() ? replacedCharactersComment(Language::r) : QString())
        + u"pattern <- %1\n"_s.arg(literal.text())
        + (arguments.isEmpty()
               ? QString()
               : declaration + wrapped(arguments, u", "_s, declaration.size(), declaration.size()) + u")\n"_s)
        + u"stri_detect_regex(text, pattern%1)     # TRUE where a string has a match\n"
          "stri_match_all_regex(text, pattern%1)  # each match and its groups, per string\n"_s.arg(opts);
}

QString mysqlSnippet(const QString &pattern, RegularExpressionOptions options)
{
    QString comments;
    QString quoted = pattern;
    const QString prefix = inlineFlags(Language::mysql, options);
    if (!prefix.isEmpty()) {
        comments += u"-- match_type has no letter for free spacing or Unicode word boundaries: \"%1\" before the\n"
                    "-- pattern turns on what is set.\n"_s.arg(prefix);
        quoted.prepend(prefix);
    }
    if (options.testFlag(patternIsLiteralOption)) {
        comments += u"-- match_type has no literal mode: the pattern is quoted between \\Q and \\E instead.\n"_s;
        quoted = uR"(\Q)"_s + QString(pattern).replace(uR"(\E)"_s, uR"(\E\\E\Q)"_s) + uR"(\E)"_s;
    }
    // Without "c" the column's collation decides, and MySQL's default one ignores case.
    QString matchType = options.testFlag(caseInsensitiveOption) ? u"i"_s : u"c"_s;
    for (const QString &name : flags(Language::mysql, options)) {
        if (name != u"i"_s)
            matchType += name;
    }
    const CodeStringLiteral literal(Language::mysql, quoted);
    const QList<uint> codePoints = literal.text().toUcs4();
    if (std::any_of(codePoints.cbegin(), codePoints.cend(), [](uint c) { return CodeStringLiteral::isInvisible(c); }))
        comments += u"-- A MySQL string has no escape for most invisible characters: they stand in it as they are.\n"_s;
    if (literal.text().contains(u'\\'))
        comments += u"-- For the default sql_mode; with NO_BACKSLASH_ESCAPES, write each doubled backslash once.\n"_s;
    return u"-- your_table.your_column: what to search.\n"_s + comments
        + (literal.hasReplacedCharacters() ? replacedCharactersComment(Language::mysql) : QString())
        + u"SELECT * FROM your_table WHERE REGEXP_LIKE(your_column, %1, '%2');\n"_s.arg(literal.text(), matchType);
}

} // namespace

QList<CodeSnippetBuilder::Language> CodeSnippetBuilder::languages()
{
    return {Language::swift,  Language::objectiveC, Language::cpp,  Language::java,
            Language::kotlin, Language::r,          Language::mysql};
}

QString CodeSnippetBuilder::name(Language language)
{
    switch (language) {
    case Language::swift:
        return tr("Swift");
    case Language::objectiveC:
        return tr("Objective-C");
    case Language::cpp:
        //: The language and the library whose API the copied code uses
        return tr("C++ with ICU");
    case Language::java:
        return tr("Java");
    case Language::kotlin:
        return tr("Kotlin");
    case Language::r:
        //: The language and the package whose functions the copied code uses
        return tr("R with stringi");
    case Language::mysql:
        return tr("SQL for MySQL 8");
    }
    return {};
}

QString CodeSnippetBuilder::snippet(Language language, const QString &pattern, RegularExpressionOptions options)
{
    switch (language) {
    case Language::swift:
        return swiftSnippet(pattern, options);
    case Language::objectiveC:
        return objectiveCSnippet(pattern, options);
    case Language::cpp:
        return cppSnippet(pattern, options);
    case Language::java:
        return javaSnippet(pattern, options);
    case Language::kotlin:
        return kotlinSnippet(pattern, options);
    case Language::r:
        return rSnippet(pattern, options);
    case Language::mysql:
        return mysqlSnippet(pattern, options);
    }
    return {};
}
