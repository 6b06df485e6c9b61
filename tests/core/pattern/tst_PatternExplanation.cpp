#include "core/pattern/PatternExplanation.h"
#include "core/platform/IcuString.h"

#include "ExpectedOutput.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <unicode/regex.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

uint32_t flagsFromLetters(QStringView letters)
{
    static constexpr std::pair<char16_t, uint32_t> byLetter[]
        = {{u'i', UREGEX_CASE_INSENSITIVE}, {u'm', UREGEX_MULTILINE}, {u'x', UREGEX_COMMENTS},
           {u's', UREGEX_DOTALL},           {u'w', UREGEX_UWORD},     {u'd', UREGEX_UNIX_LINES},
           {u'l', UREGEX_LITERAL}};
    uint32_t flags = 0;
    for (const auto &[letter, flag] : byLetter)
        flags |= letters.contains(QChar(letter)) ? flag : 0;
    return flags;
}

// What ICU says of the pattern: its capture groups when it compiles, else where it stopped (as a UTF-16 index; the
// engine counts code points per line) and the error's name.
struct Compiled
{
    std::unique_ptr<icu::RegexPattern> regex;
    std::optional<int> groupCount;
    std::optional<PatternExplanation::Error> error;
};

Compiled compiled(const QString &pattern, uint32_t flags)
{
    UParseError where {};
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexPattern> regex(
        icu::RegexPattern::compile(IcuString::alias(pattern).value(), flags, where, status));
    if (U_SUCCESS(status)) {
        const int groups = std::unique_ptr<icu::RegexMatcher>(regex->matcher(status))->groupCount();
        return {std::move(regex), groups, std::nullopt};
    }
    qsizetype index = 0;
    for (int line = 1; line < where.line && index < pattern.size(); ++line) {
        while (index < pattern.size() && pattern.at(index) != u'\n')
            ++index;
        ++index;
    }
    for (int column = 1; column < where.offset && index < pattern.size(); ++column)
        index += pattern.at(index).isHighSurrogate() ? 2 : 1;
    return {nullptr, std::nullopt,
            PatternExplanation::Error {where.line > 0 ? index : -1, QString::fromLatin1(u_errorName(status))}};
}

// The names the expected output uses, in the order of the kinds.
const char *kindName(PatternExplanation::NodeKind kind)
{
    static constexpr const char *names[]
        = {"pattern",  "alternation", "alternative",   "literal", "character", "quote-start",   "quote-end", "type",
           "property", "any",         "anchor",        "class",   "range",     "set-operation", "posix",     "group",
           "flags",    "quantifier",  "backreference", "comment", "unmatched", "error"};
    static_assert(std::size(names) == size_t(PatternExplanation::NodeKind::error) + 1);
    return names[size_t(kind)];
}

// Every node's span lies in the pattern and in its parent's, siblings come in text order without overlapping, each
// knows its parent and row, and each has words. Empty when all holds, else what does not.
QString structureFault(const PatternExplanation &explanation)
{
    QList<int> pending {PatternExplanation::root};
    const qsizetype length = explanation.pattern().size();
    while (!pending.isEmpty()) {
        const int index = pending.takeLast();
        const PatternExplanation::Node &node = explanation.node(index);
        if (!node.range.fitsIn(length))
            return u"node %1 lies outside the pattern"_s.arg(index);
        if (explanation.description(index).isEmpty())
            return u"node %1 has no words"_s.arg(index);
        qsizetype previousEnd = node.range.location;
        for (qsizetype row = 0; row < node.children.size(); ++row) {
            const int child = node.children.at(row);
            const PatternExplanation::Node &inner = explanation.node(child);
            if (inner.parent != index || inner.row != row)
                return u"node %1 does not know its parent %2"_s.arg(child).arg(index);
            if (inner.kind != PatternExplanation::NodeKind::error
                && (inner.range.location < node.range.location || inner.range.end() > node.range.end()))
                return u"node %1 lies outside its parent %2"_s.arg(child).arg(index);
            // The error marks a character that may lie inside what was read before it.
            if (inner.range.location < previousEnd && inner.kind != PatternExplanation::NodeKind::error)
                return u"node %1 overlaps the one before it"_s.arg(child);
            previousEnd = inner.range.end();
            pending.append(child);
        }
    }
    return {};
}

// At every position the innermost node holding it is found. Empty when so, else where not.
QString nodeAtFault(const PatternExplanation &explanation)
{
    for (qsizetype at = 0; at < explanation.pattern().size(); ++at) {
        const int found = explanation.nodeAt(at);
        const auto holds = [at](const TextRange &range) { return range.location <= at && at < range.end(); };
        if (found != PatternExplanation::root && !holds(explanation.node(found).range))
            return u"node %1, found at %2, does not hold it"_s.arg(found).arg(at);
        for (const int child : explanation.node(found).children) {
            if (holds(explanation.node(child).range))
                return u"node %1, found at %2, is not the innermost"_s.arg(found).arg(at);
        }
    }
    return {};
}

void dumpNode(const PatternExplanation &explanation, int index, int depth, QString &out)
{
    const PatternExplanation::Node &node = explanation.node(index);
    out += QString(2 * depth, u' ')
        + u"%1+%2 %3 \"%4\": %5\n"_s.arg(node.range.location)
              .arg(node.range.length)
              .arg(QLatin1StringView(kindName(node.kind)),
                   visible(explanation.pattern().sliced(node.range.location, node.range.length)),
                   visible(explanation.description(index)));
    for (const int child : node.children)
        dumpNode(explanation, child, depth + 1, out);
}

} // namespace

class tst_PatternExplanation final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The cases are the file's quoted lines ("flags" adds compile options by their inline letters, l for literal),
    // "#" lines say what they show; under each is its tree, regenerated with the file. ICU compiles every case: its
    // error is handed in as the editor hands it, and the capture groups must number as ICU numbers them.
    void explainsTrickyPatterns()
    {
        static const QRegularExpression header(u"^\"(.*?)\"(?:, flags ([imxswdl]+))?(?: in \"(.*)\")?$"_s);
        const int cases = compareCasesWithExpectedOutput(
            u"pattern-explanations.txt"_s, header, [](const QRegularExpressionMatch &match, QString &out) {
                const QString pattern = fromVisible(match.captured(1));
                const uint32_t flags = flagsFromLetters(match.captured(2));
                const Compiled icu = compiled(pattern, flags);
                const PatternExplanation explanation(pattern, flags, icu.error);
                const QString fault = structureFault(explanation) + nodeAtFault(explanation);
                QVERIFY2(fault.isEmpty(), qPrintable(match.captured(0) + u": "_s + fault));
                if (icu.groupCount)
                    QVERIFY2(explanation.captureGroupCount() == *icu.groupCount, qPrintable(match.captured(0)));
                dumpNode(explanation, PatternExplanation::root, 1, out);
                // What ICU finds in the text, for the words to be read against.
                if (match.hasCaptured(3)) {
                    QVERIFY(icu.regex);
                    const QString text = fromVisible(match.captured(3));
                    UErrorCode status = U_ZERO_ERROR;
                    const icu::UnicodeString input = IcuString::alias(text).value();
                    const std::unique_ptr<icu::RegexMatcher> matcher(icu.regex->matcher(input, status));
                    out += u"  finds"_s;
                    while (matcher->find(status))
                        out += u" \""_s
                            + visible(text.mid(matcher->start(status), matcher->end(status) - matcher->start(status)))
                            + u'"';
                    out += u'\n';
                }
            });
        QVERIFY(cases > 40);
    }

    // Random patterns of syntax fragments, valid or not: every one gives a sound tree, and every valid one numbers
    // its groups as ICU does.
    void randomPatternsGiveSoundTrees()
    {
        static const QStringList fragments {
            u"("_s,    u")"_s,          u"(?:"_s,     u"(?<n"_s, u">"_s,      u"(?="_s, u"(?<!"_s,
            u"(?i)"_s, u"(?x-i:"_s,     u"(?#"_s,     u"["_s,    u"]"_s,      u"[^"_s,  u"[:"_s,
            u":]"_s,   u"-"_s,          u"&&"_s,      u"--"_s,   u"\\"_s,     u"\\d"_s, u"\\p{L}"_s,
            u"\\Q"_s,  u"\\E"_s,        u"\\x{41}"_s, u"\\1"_s,  u"\\k<n>"_s, u"{"_s,   u"}"_s,
            u","_s,    u"2"_s,          u"*"_s,       u"+"_s,    u"?"_s,      u"|"_s,   u"^"_s,
            u"$"_s,    u"."_s,          u"#"_s,       u"\n"_s,   u" "_s,      u"a"_s,   u"bc"_s,
            u"é"_s,    u"\U0001F600"_s, u"\\b"_s,     u"\\N{"_s, u"\\0"_s,    u"\\c"_s, u"\\u00"_s,
        };
        QRandomGenerator random(20261207);
        int valid = 0;
        for (int run = 0; run < 4000; ++run) {
            QString pattern;
            for (int count = random.bounded(1, 16); count > 0; --count)
                pattern += fragments.at(random.bounded(int(fragments.size())));
            const uint32_t flags = random.bounded(4) == 0 ? uint32_t(UREGEX_COMMENTS) : 0u;
            const Compiled icu = compiled(pattern, flags);
            const PatternExplanation explanation(pattern, flags, icu.error);
            const QString fault = structureFault(explanation) + nodeAtFault(explanation);
            QVERIFY2(fault.isEmpty(), qPrintable(visible(pattern) + u": "_s + fault));
            if (icu.groupCount) {
                ++valid;
                QVERIFY2(explanation.captureGroupCount() == *icu.groupCount, qPrintable(visible(pattern)));
            }
        }
        // Enough of them compile for the numbering to be tried.
        QVERIFY(valid > 200);
    }

    // Thousands of nested groups and classes are read without recursion.
    void deepNestingIsRead()
    {
        const int depth = 5000;
        const QString groups = QString(depth, u'(') + u'a' + QString(depth, u')');
        const PatternExplanation nested(groups, 0);
        QCOMPARE(nested.captureGroupCount(), depth);
        QVERIFY(structureFault(nested).isEmpty());
        const QString classes = QString(depth, u'[') + u'a' + QString(depth, u']');
        QVERIFY(structureFault(PatternExplanation(classes, 0)).isEmpty());
    }

    void tooLongAPatternIsNotExplained()
    {
        const QString pattern(PatternExplanation::maximumLength + 1, u'a');
        const PatternExplanation explanation(pattern, 0);
        QVERIFY(explanation.isTooLong());
        QVERIFY(explanation.node(PatternExplanation::root).children.isEmpty());
        QVERIFY(explanation.description(PatternExplanation::root).contains(u"too long"_s));
        QVERIFY(!PatternExplanation(pattern.first(PatternExplanation::maximumLength), 0).isTooLong());
    }
};

QTEST_GUILESS_MAIN(tst_PatternExplanation)
#include "tst_PatternExplanation.moc"
