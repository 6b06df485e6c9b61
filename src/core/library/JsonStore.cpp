#include "core/library/JsonStore.h"

#include "core/library/LibraryLog.h"
#include "core/platform/SingleInstanceLock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>
#include <QVarLengthArray>

#include <algorithm>

namespace {

char shortEscape(char16_t unit)
{
    switch (unit) {
    case u'\b':
        return 'b';
    case u'\f':
        return 'f';
    case u'\n':
        return 'n';
    case u'\r':
        return 'r';
    case u'\t':
        return 't';
    default:
        return 0;
    }
}

// Escapes as QJsonDocument does, lone surrogates included (as \u escapes, which its parser reads back), but in one
// pass over the UTF-16 text: for a sample text of a megabyte this is many times faster, and it runs on every
// keystroke.
void appendJsonString(QByteArray &out, QStringView text)
{
    static constexpr char hex[] = "0123456789abcdef";
    const qsizetype start = out.size();
    out.resize(start + 2 + 6 * text.size());
    char *cursor = out.data() + start;
    const auto escape = [&cursor](char16_t unit) {
        *cursor++ = '\\';
        *cursor++ = 'u';
        for (int shift = 12; shift >= 0; shift -= 4)
            *cursor++ = hex[(unit >> shift) & 0xf];
    };
    *cursor++ = '"';
    for (qsizetype index = 0; index < text.size(); ++index) {
        const char16_t unit = text[index].unicode();
        if (unit >= 0x20 && unit < 0x80) {
            if (unit == u'"' || unit == u'\\')
                *cursor++ = '\\';
            *cursor++ = char(unit);
        } else if (unit < 0x20) {
            if (const char letter = shortEscape(unit)) {
                *cursor++ = '\\';
                *cursor++ = letter;
            } else {
                escape(unit);
            }
        } else if (unit < 0x800) {
            *cursor++ = char(0xc0 | (unit >> 6));
            *cursor++ = char(0x80 | (unit & 0x3f));
        } else if (QChar::isHighSurrogate(unit) && index + 1 < text.size() && text[index + 1].isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(unit, text[++index].unicode());
            *cursor++ = char(0xf0 | (code >> 18));
            *cursor++ = char(0x80 | ((code >> 12) & 0x3f));
            *cursor++ = char(0x80 | ((code >> 6) & 0x3f));
            *cursor++ = char(0x80 | (code & 0x3f));
        } else if (QChar::isSurrogate(unit)) {
            escape(unit);
        } else {
            *cursor++ = char(0xe0 | (unit >> 12));
            *cursor++ = char(0x80 | ((unit >> 6) & 0x3f));
            *cursor++ = char(0x80 | (unit & 0x3f));
        }
    }
    *cursor++ = '"';
    out.resize(cursor - out.data());
}

// A member this version does not read, indented as a member of an expression. QJsonDocument writes no bare values,
// so the value is written as the one element of an array, which is indented one level less.
void appendKeptValue(QByteArray &out, const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray {value}).toJson(QJsonDocument::Indented);
    constexpr qsizetype opening = sizeof("[\n    ") - 1;
    constexpr qsizetype closing = sizeof("\n]\n") - 1;
    for (const char character : QByteArrayView(array).sliced(opening, array.size() - opening - closing)) {
        out.append(character);
        if (character == '\n')
            out.append("    ");
    }
}

void renderMembers(QByteArray &out, const Expression::JsonMembers &members)
{
    struct Member
    {
        QString key;
        const QString *text = nullptr;
        QJsonValue kept;
    };
    QVarLengthArray<Member, 8> ordered;
    for (const Expression::JsonMember &member : members.used) {
        if (!members.kept.contains(member.key))
            ordered.append({member.key, &member.value, {}});
    }
    for (auto kept = members.kept.begin(); kept != members.kept.end(); ++kept)
        ordered.append({kept.key(), nullptr, kept.value()});
    // The key order of QJsonObject, so that a file this version writes reads as QJsonDocument would write it.
    std::sort(ordered.begin(), ordered.end(), [](const Member &a, const Member &b) { return a.key < b.key; });
    for (qsizetype index = 0; index < ordered.size(); ++index) {
        const Member &member = ordered.at(index);
        out.append("        ");
        appendJsonString(out, member.key);
        out.append(": ");
        if (member.text)
            appendJsonString(out, *member.text);
        else
            appendKeptValue(out, member.kept);
        out.append(index + 1 == ordered.size() ? "\n" : ",\n");
    }
}

// The layout of QJsonDocument::Indented.
template<typename Items> void render(QByteArray &out, const Items &items)
{
    out.resize(0);
    out.append("[\n");
    for (qsizetype index = 0; index < items.size(); ++index) {
        out.append("    {\n");
        const Expression::JsonMembers &members = items.at(index);
        if (members.kept.isEmpty()) {
            for (auto member = members.used.begin(); member != members.used.end(); ++member) {
                // The keys are ours and need no escaping.
                out.append("        \"").append(member->key.data(), member->key.size()).append("\": ");
                appendJsonString(out, member->value);
                out.append(std::next(member) == members.used.end() ? "\n" : ",\n");
            }
        } else {
            renderMembers(out, members);
        }
        out.append(index + 1 == items.size() ? "    }\n" : "    },\n");
    }
    out.append("]\n");
}

} // namespace

JsonStore::JsonStore(const QString &path, SingleInstanceLock *lock)
    : m_path(path)
    , m_lock(lock)
{
    m_writer.setMaxThreadCount(1);
    m_writer.setObjectName(QStringLiteral("Library writer"));
    // At the normal priority, not below: busy neighbours must not hold back a keystroke from the disk, where it has
    // to be before a logout or a crash ends the process. Waiting edits are written as one, so it takes no more.
    load();
}

JsonStore::~JsonStore()
{
    waitForWrites();
}

void JsonStore::load()
{
    const QFileInfo info(m_path);
    if (m_path.isEmpty() || !info.exists())
        return;
    if (info.isDir()) {
        qCWarning(lcLibrary).noquote()
            << QStringLiteral("The library path %1 is a folder; the library cannot be saved there").arg(m_path);
        return;
    }
    const QString problem = readExpressions(m_path, m_items);
    if (problem.isEmpty())
        return;
    m_recovery = LibraryRecovery {m_path, {}, problem, m_items.size()};
    if (!lockFailure() && keepUnreadableFile()) {
        qCWarning(lcLibrary).noquote() << QStringLiteral("The library file %1 could not be read: %2; its contents were "
                                                         "kept in %3")
                                              .arg(m_path, problem, m_recovery->keptCopyPath);
    } else {
        qCWarning(lcLibrary).noquote() << QStringLiteral("The library file %1 could not be read: %2; no copy of it "
                                                         "could be kept, so it is not written until one is")
                                              .arg(m_path, problem);
    }
}

QString JsonStore::readExpressions(const QString &path, ExpressionList &expressions)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        //: Completes "The library file could not be read: "; %1 is the system's reason
        return tr("it cannot be opened (%1)").arg(file.errorString());
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        //: Completes "The library file could not be read: "; %1 is the system's reason
        return tr("reading it failed (%1)").arg(file.errorString());
    }
    //: Completes "The library file could not be read: "
    if (data.isEmpty())
        return tr("it is empty");

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        //: Completes "The library file could not be read: "; %1 is the parser's message, %2 a byte offset
        return tr("it is not valid JSON (%1 at byte %2)")
            .arg(parseError.errorString(), QString::number(parseError.offset));
    }
    //: Completes "The library file could not be read: "
    if (!document.isArray())
        return tr("it does not hold a JSON array");

    const QJsonArray array = document.array();
    qsizetype unreadable = 0;
    QString firstProblem;
    for (qsizetype index = 0; index < array.size(); ++index) {
        const QJsonValue element = array.at(index);
        QString problem;
        if (element.isObject()) {
            auto expression = Expression::fromJsonObject(element.toObject());
            if (expression) {
                expressions.append(std::move(expression.value()));
                continue;
            }
            problem = QStringLiteral("has ") + expression.error().description();
        } else {
            problem = QStringLiteral("is not a JSON object");
        }
        if (unreadable++ == 0)
            firstProblem = QStringLiteral("entry %1 %2").arg(QString::number(index + 1), problem);
    }
    if (unreadable == 0)
        return {};
    //: Completes "The library file could not be read: "; %2 names the first bad entry and what is wrong with it
    return tr("it has %1 of %n entry(s) that cannot be read (%2)", nullptr, int(array.size()))
        .arg(QString::number(unreadable), firstProblem);
}

bool JsonStore::keepUnreadableFile()
{
    const QString base = m_path % u".broken-" % QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss");
    QString candidate = base;
    for (int number = 2; QFileInfo::exists(candidate); ++number)
        candidate = base % u'-' % QString::number(number);
    // A file that cannot be opened can still be renamed; a full disk still allows a rename too.
    if (!QFile::copy(m_path, candidate) && !QFile::rename(m_path, candidate))
        return false;
    m_recovery->keptCopyPath = candidate;
    return true;
}

bool JsonStore::createParentDirectory() const
{
    return QDir().mkpath(QFileInfo(m_path).absolutePath());
}

std::optional<LibrarySaveFailure> JsonStore::write()
{
    waitForWrites();
    if (auto failure = prepareWrite())
        return failure;
    return writeSnapshot(snapshot(m_items));
}

std::optional<LibrarySaveFailure> JsonStore::lockFailure()
{
    if (!m_lock)
        return std::nullopt;
    // Not waiting: this runs on every keystroke while the lock cannot be taken.
    switch (m_lock->tryLock(std::chrono::milliseconds(0))) {
    case SingleInstanceLock::State::locked:
        return std::nullopt;
    case SingleInstanceLock::State::heldByAnotherInstance:
        //: Why the library could not be saved
        return LibrarySaveFailure {JsonStoreError::cannotSaveDataToFile, m_path,
                                   tr("another running Quorvale holds it now")};
    case SingleInstanceLock::State::failed:
        break;
    }
    //: Why the library could not be saved; %1 is the system's reason
    return LibrarySaveFailure {
        JsonStoreError::cannotSaveDataToFile, m_path,
        tr("its folder cannot be locked against a second Quorvale: %1").arg(m_lock->errorString())};
}

void JsonStore::removeLeftoverTemporaryFiles()
{
    if (m_path.isEmpty() || lockFailure())
        return;
    // QSaveFile's name for its temporary file where the file system cannot make one without a name: six random
    // letters and digits. Only names with an upper-case letter, a lower-case letter and a digit go, so that a copy
    // the user named "expressions.json.backup" or "expressions.json.old123" is never taken for one.
    const QFileInfo library(m_path);
    QString pattern = QRegularExpression::escape(library.fileName());
    pattern.append(u"\\.(?=[^.]*[A-Z])(?=[^.]*[a-z])(?=[^.]*[0-9])[A-Za-z0-9]{6}");
    const QRegularExpression leftover(QRegularExpression::anchoredPattern(pattern));
    QDir folder = library.absoluteDir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (!leftover.match(name).hasMatch())
            continue;
        if (folder.remove(name))
            qCInfo(lcLibrary).noquote()
                << QStringLiteral("Removed %1, left by a save that never finished").arg(folder.filePath(name));
    }
}

std::optional<LibrarySaveFailure> JsonStore::prepareWrite()
{
    if (auto failure = lockFailure()) {
        reportSaveFailure(failure->reason);
        return failure;
    }
    return keepUnreadableFileBeforeWriting();
}

std::optional<LibrarySaveFailure> JsonStore::writeCopy(const QString &path)
{
    return writeCopy(path, m_items);
}

std::optional<LibrarySaveFailure> JsonStore::writeCopy(const QString &path, const ExpressionList &expressions)
{
    // The writer's buffer is free only once it is idle.
    waitForWrites();
    render(m_buffer, snapshot(expressions));
    const std::optional<QString> problem = writeBuffer(path);
    if (!problem)
        return std::nullopt;
    qCWarning(lcLibrary).noquote()
        << QStringLiteral("A copy of the library could not be saved to %1 (%2)").arg(path, *problem);
    return LibrarySaveFailure {JsonStoreError::cannotSaveDataToFile, path, *problem};
}

void JsonStore::writeInBackground(WriteCompletion completion)
{
    if (auto failure = prepareWrite()) {
        completion(failure);
        return;
    }
    const QMutexLocker locker(&m_pendingMutex);
    m_pending = PendingWrite {snapshot(m_items), std::move(completion)};
    if (m_writerRunning)
        return;
    m_writerRunning = true;
    m_writer.start([this] { writePendingSnapshots(); });
}

void JsonStore::waitForWrites()
{
    m_writer.waitForDone();
}

void JsonStore::writePendingSnapshots()
{
    for (;;) {
        std::optional<PendingWrite> next;
        {
            const QMutexLocker locker(&m_pendingMutex);
            if (!m_pending) {
                m_writerRunning = false;
                return;
            }
            next.swap(m_pending);
        }
        next->completion(writeSnapshot(next->snapshot));
    }
}

// The strings are shared, not copied, so this is cheap whatever the size of the texts.
JsonStore::Snapshot JsonStore::snapshot(const ExpressionList &expressions)
{
    Snapshot snapshot;
    snapshot.reserve(expressions.size());
    for (const auto &item : expressions)
        snapshot.append(item->jsonMembers());
    return snapshot;
}

std::optional<LibrarySaveFailure> JsonStore::keepUnreadableFileBeforeWriting()
{
    if (!m_recovery || !m_recovery->keptCopyPath.isEmpty() || !QFileInfo::exists(m_path))
        return std::nullopt;
    if (!keepUnreadableFile()) {
        //: Why the library could not be saved
        const QString reason = tr("the unreadable file there could not be kept aside first");
        reportSaveFailure(reason);
        return LibrarySaveFailure {JsonStoreError::cannotSaveDataToFile, m_path, reason};
    }
    qCWarning(lcLibrary).noquote()
        << QStringLiteral("The unreadable library file %1 was kept in %2").arg(m_path, m_recovery->keptCopyPath);
    return std::nullopt;
}

std::optional<LibrarySaveFailure> JsonStore::writeSnapshot(const Snapshot &snapshot)
{
    createParentDirectory();
    render(m_buffer, snapshot);
    if (const std::optional<QString> problem = writeBuffer(m_path)) {
        reportSaveFailure(*problem);
        return LibrarySaveFailure {JsonStoreError::cannotSaveDataToFile, m_path, *problem};
    }
    if (m_saveFailing.exchange(false))
        qCInfo(lcLibrary).noquote() << QStringLiteral("The library was saved again to %1").arg(m_path);
    return std::nullopt;
}

// Returns why the rendered buffer did not reach the file in full, or nothing once it has. QSaveFile writes a
// temporary file in the same folder and renames it over the old one only after a complete write, so a failure
// anywhere leaves the previous file as it was. Unbuffered, so that a failing write says why at once: Qt 6.4's
// commit() even reports success after a buffered flush failed.
std::optional<QString> JsonStore::writeBuffer(const QString &path)
{
    const std::unique_ptr<QSaveFile> file
        = m_saveFileFactory ? m_saveFileFactory(path) : std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file->errorString();
    // A full disk first takes part of a write; only the write after it tells the cause.
    for (qsizetype written = 0; written < m_buffer.size();) {
        const qint64 count = file->write(m_buffer.constData() + written, m_buffer.size() - written);
        if (count <= 0)
            return file->errorString();
        written += count;
    }
    if (!file->flush() || !file->commit())
        return file->errorString();
    return std::nullopt;
}

std::optional<LibrarySaveFailure> JsonStore::moveItem(qsizetype from, qsizetype to)
{
    Q_ASSERT(from >= 0 && from < m_items.size() && to >= 0 && to < m_items.size());
    if (from < 0 || from >= m_items.size() || to < 0 || to >= m_items.size())
        return std::nullopt;
    m_items.move(from, to);
    return write();
}

// Saving runs on every keystroke: a lasting failure is reported once, not on every change.
void JsonStore::reportSaveFailure(const QString &reason)
{
    if (m_saveFailing.exchange(true))
        return;
    qCWarning(lcLibrary).noquote()
        << QStringLiteral("The library could not be saved to %1 (%2); the next change tries again").arg(m_path, reason);
}
