#include "cli/MatchCommand.h"

#include "cli/MatchingOptions.h"
#include "core/evaluation/CaptureGroupNames.h"
#include "core/evaluation/RegularExpression.h"
#include "core/platform/IcuString.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cstdio>

#include <sys/mman.h>

using namespace Qt::StringLiterals;

namespace {

enum ExitStatus { somethingMatched = 0, nothingMatched = 1, troubled = 2 };

void printError(const QString &message)
{
    std::fputs(QByteArray("quorvale match: " + message.toUtf8() + '\n').constData(), stderr);
}

void print(QByteArrayView bytes)
{
    // A failed write shows in ferror(), checked once at the end. Only this thread writes.
    fwrite_unlocked(bytes.data(), 1, size_t(bytes.size()), stdout);
}

// Turns UTF-16 offsets into lines and UTF-8 offsets by walking from the last one asked about, so that a whole
// search costs one pass: match starts only grow, and a group lies near its match. The steps are branch-free sums,
// which the compiler turns into vector code: a 100 MB text is walked for every match near its end.
class TextWalker final
{
public:
    // A QString, whose terminating null lets a CR at the very end look at the unit after it.
    explicit TextWalker(const QString &text)
        : m_units(reinterpret_cast<const char16_t *>(text.utf16()))
    {
    }

    // Counted from 1, broken by LF, CR, CR LF (once), U+2028 and U+2029 as the match inspector breaks them; only
    // for offsets that never go back.
    qsizetype line(qsizetype offset)
    {
        qsizetype breaks = 0;
        for (qsizetype i = m_lineOffset; i < offset; ++i) {
            const char16_t unit = m_units[i];
            breaks += qsizetype((unit == u'\n') | (unit == u'\u2028') | (unit == u'\u2029')
                                | ((unit == u'\r') & (m_units[i + 1] != u'\n')));
        }
        m_lineOffset = std::max(m_lineOffset, offset);
        m_line += breaks;
        return m_line;
    }

    // Any offset; the walk back is as long as the step.
    qsizetype utf8Offset(qsizetype offset)
    {
        qsizetype bytes = 0;
        for (qsizetype i = m_utf16Offset; i < offset; ++i)
            bytes += utf8Length(m_units[i]);
        for (qsizetype i = offset; i < m_utf16Offset; ++i)
            bytes -= utf8Length(m_units[i]);
        m_utf16Offset = offset;
        m_utf8Offset += bytes;
        return m_utf8Offset;
    }

private:
    // A surrogate is half of a four-byte character.
    static qsizetype utf8Length(char16_t unit)
    {
        return 1 + qsizetype(unit >= 0x80) + qsizetype((unit >= 0x800) & ((unit < 0xD800) | (unit > 0xDFFF)));
    }

    const char16_t *m_units;
    qsizetype m_lineOffset = 0;
    qsizetype m_line = 1;
    qsizetype m_utf16Offset = 0;
    qsizetype m_utf8Offset = 0;
};

// A file's bytes, mapped rather than copied where the file allows it; the file keeps the mapping alive.
struct Input
{
    std::unique_ptr<QFile> file = std::make_unique<QFile>();
    QByteArray bytes;
};

std::optional<Input> readInput(const QString &path)
{
    Input input;
    QFile &file = *input.file;
    bool opened = false;
    if (path == u"-") {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else if (QFileInfo(path).isDir()) {
        printError(MatchCommand::tr("%1: is a folder").arg(path));
        return std::nullopt;
    } else {
        file.setFileName(path);
        opened = file.open(QIODevice::ReadOnly);
    }
    if (opened && !file.isSequential() && file.size() > 0) {
        if (const uchar *mapped = file.map(0, file.size()))
            input.bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), file.size());
    }
    if (opened && input.bytes.isEmpty())
        input.bytes = file.readAll();
    if (!opened || file.error() != QFileDevice::NoError) {
        printError(u"%1: %2"_s.arg(path, file.errorString()));
        return std::nullopt;
    }
    return input;
}

// Never more UTF-16 units than UTF-8 bytes. A large text is first touched in huge pages where the system offers
// them: page by page, faulting in the buffer cost as much as decoding into it.
QString decode(QStringDecoder &decoder, QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
#ifdef MADV_HUGEPAGE
    constexpr quintptr hugePage = 2 << 20;
    const quintptr begin = (quintptr(text.data()) + hugePage - 1) & ~(hugePage - 1);
    const quintptr end = (quintptr(text.data() + text.size())) & ~(hugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#endif
    const QChar *decodedEnd = decoder.appendToBuffer(text.data(), bytes);
    text.resize(decodedEnd - text.constData());
    return text;
}

QJsonArray range(qsizetype start, qsizetype end)
{
    return {start, end};
}

// The number of matches, or none after an error, which it has reported.
std::optional<qsizetype> printMatches(const icu::RegexPattern &pattern, const QStringList &groupNames,
                                      const QString &name, const QByteArray &bytes, bool json)
{
    // A byte-order mark is a character of the text like any other.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decode(decoder, bytes);
    if (decoder.hasError()) {
        printError(MatchCommand::tr("%1: not UTF-8 text").arg(name));
        return std::nullopt;
    }
    const std::optional<icu::UnicodeString> input = IcuString::alias(text);
    if (!input) {
        printError(MatchCommand::tr("%1: too long for the engine").arg(name));
        return std::nullopt;
    }
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(*input, status));
    TextWalker walker(text);
    const QByteArray prefix = name.toUtf8() + ':';
    qsizetype count = 0;
    while (U_SUCCESS(status) && matcher->find(status)) {
        ++count;
        const qsizetype start = matcher->start(status);
        const qsizetype end = matcher->end(status);
        const qsizetype lineNumber = walker.line(start);
        const qsizetype start8 = walker.utf8Offset(start);
        const qsizetype end8 = walker.utf8Offset(end);
        if (!json) {
            char number[24];
            char *numberEnd = std::to_chars(number, number + sizeof number - 1, lineNumber).ptr;
            *numberEnd++ = ':';
            print(prefix);
            print(QByteArrayView(number, numberEnd));
            print(QByteArrayView(bytes).sliced(start8, end8 - start8));
            print("\n");
            continue;
        }
        QJsonArray groups;
        for (int32_t group = 1; group <= matcher->groupCount(); ++group) {
            const qsizetype groupStart = matcher->start(group, status);
            if (groupStart < 0) {
                groups.append(QJsonValue::Null);
                continue;
            }
            const qsizetype groupEnd = matcher->end(group, status);
            QJsonObject object {{u"number"_s, group},
                                {u"text"_s, text.sliced(groupStart, groupEnd - groupStart)},
                                {u"utf16"_s, range(groupStart, groupEnd)},
                                {u"utf8"_s, range(walker.utf8Offset(groupStart), walker.utf8Offset(groupEnd))}};
            if (!groupNames.value(group).isEmpty())
                object.insert(u"name"_s, groupNames.at(group));
            groups.append(object);
        }
        const QJsonObject match {{u"file"_s, name},
                                 {u"line"_s, lineNumber},
                                 {u"text"_s, text.sliced(start, end - start)},
                                 {u"utf16"_s, range(start, end)},
                                 {u"utf8"_s, range(start8, end8)},
                                 {u"groups"_s, groups}};
        print(QJsonDocument(match).toJson(QJsonDocument::Compact).append('\n'));
    }
    if (U_FAILURE(status)) {
        printError(
            MatchCommand::tr("%1: matching failed: %2 (%3)")
                .arg(name, RegularExpression::matchingFailureReason(status), QLatin1StringView(u_errorName(status))));
        return std::nullopt;
    }
    return count;
}

} // namespace

int MatchCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Prints the matches of PATTERN in each FILE, or in standard input when there is none, with ICU's "
           "semantics: one line per match (file:line:match), or one JSON object per match with UTF-16 and UTF-8 "
           "offsets and every group. Exit status: 0 when something matched, 1 when nothing did, 2 on an error."));
    parser.addHelpOption();
    const MatchingOptions matchingOptions;
    matchingOptions.addTo(parser);
    const QCommandLineOption json(u"json"_s, tr("One JSON object per match."));
    parser.addOption(json);
    parser.addPositionalArgument(u"PATTERN"_s, tr("An ICU regular expression."));
    parser.addPositionalArgument(u"FILE"_s, tr("Files to search, UTF-8; - for standard input."), u"[FILE...]"_s);
    QStringList parsed = arguments;
    parsed.removeAt(1);
    if (!parser.parse(parsed)) {
        printError(parser.errorText());
        return troubled;
    }
    if (parser.isSet(u"help"_s)) {
        std::fputs(parser.helpText().replace(u"[options]"_s, u"match [options]"_s).toUtf8().constData(), stdout);
        return somethingMatched;
    }
    QStringList operands = parser.positionalArguments();
    if (operands.isEmpty()) {
        printError(tr("a pattern is needed (quorvale match --help)"));
        return troubled;
    }

    const RegularExpression::CompileResult compiled
        = RegularExpression::compile(operands.takeFirst(), matchingOptions.options(parser));
    if (!compiled.isValid()) {
        printError(MatchingOptions::invalidPatternMessage(*compiled.error));
        return troubled;
    }
    const QStringList groupNames = CaptureGroupNames::of(*compiled.pattern);

    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    if (operands.isEmpty())
        operands << u"-"_s;
    bool trouble = false;
    qsizetype matches = 0;
    for (const QString &path : std::as_const(operands)) {
        const std::optional<Input> input = readInput(path);
        const std::optional<qsizetype> found = input
            ? printMatches(*compiled.pattern, groupNames, path == u"-" ? tr("(standard input)") : path, input->bytes,
                           parser.isSet(json))
            : std::nullopt;
        trouble = trouble || !found;
        matches += found.value_or(0);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        printError(tr("the output could not be written"));
        return troubled;
    }
    return trouble ? troubled : matches > 0 ? somethingMatched : nothingMatched;
}
