#include "core/library/LibraryStoreController.h"

#include "core/library/JsonStore.h"
#include "core/library/LibraryLog.h"
#include "core/library/Paths.h"

LibraryStoreController::LibraryStoreController(QObject *parent)
    : LibraryStoreController(Paths::libraryFilePath(), nullptr, parent)
{
}

LibraryStoreController::LibraryStoreController(const QString &libraryFilePath, SingleInstanceLock *lock,
                                               QObject *parent)
    : QObject(parent)
    , m_store(std::make_shared<JsonStore>(libraryFilePath, lock))
{
    m_store->removeLeftoverTemporaryFiles();
    if (std::optional<DefaultsExpressionImporter> importer = DefaultsExpressionImporter::create(m_store)) {
        if (!importer->importExpression())
            m_pendingImport = std::move(importer);
    }
    addFirstExpressionIfEmpty();
    adoptRecords();
    // Healthy again at once, so that the next start neither sees the broken file nor keeps another copy of it.
    if (m_store->recovery())
        save();
    // Told before any change is made, so that nobody types into a library that cannot keep it unawares.
    if (std::optional<LibrarySaveFailure> failure = m_store->lockFailure(); failure && !m_saveFailure) {
        qCWarning(lcLibrary).noquote() << QStringLiteral("The library %1 is opened, but changes cannot be saved (%2)")
                                              .arg(failure->filePath, failure->reason);
        recordSaveOutcome(failure);
        applySaveOutcome();
    }
}

LibraryStoreController::~LibraryStoreController()
{
    waitForSaves();
    // Expressions may outlive this controller in the editor; they must not call into it while it is destroyed.
    for (const auto &expression : std::as_const(m_store->items())) {
        if (expression->delegate() == this)
            expression->setDelegate(nullptr);
    }
}

ExpressionList LibraryStoreController::expressions() const
{
    return m_store->items();
}

void LibraryStoreController::setExpressions(const ExpressionList &expressions)
{
    Q_EMIT expressionsAboutToChange();
    for (const auto &expression : std::as_const(m_store->items())) {
        if (!expressions.contains(expression) && expression->delegate() == this)
            expression->setDelegate(nullptr);
    }
    m_store->items() = expressions;
    m_edited = true;
    adoptRecords();
    save();
    Q_EMIT expressionsChanged();
}

void LibraryStoreController::moveFrom(qsizetype from, qsizetype to)
{
    const qsizetype count = m_store->items().size();
    if (from < 0 || from >= count || to < 0 || to >= count) {
        qCWarning(lcLibrary).noquote() << QStringLiteral("Ignored a move from %1 to %2 in a library of %3")
                                              .arg(QString::number(from), QString::number(to), QString::number(count));
        return;
    }
    Q_EMIT expressionsAboutToChange();
    m_edited = true;
    recordSaveOutcome(m_store->moveItem(from, to));
    applySaveOutcome();
    Q_EMIT expressionsChanged();
}

QString LibraryStoreController::libraryFilePath() const
{
    return m_store->path();
}

std::optional<LibraryRecovery> LibraryStoreController::recovery() const
{
    return m_store->recovery();
}

void LibraryStoreController::waitForSaves() const
{
    m_store->waitForWrites();
}

void LibraryStoreController::finishSaves()
{
    m_store->waitForWrites();
    applySaveOutcome();
}

bool LibraryStoreController::saveNow()
{
    save();
    return !m_saveFailure;
}

std::optional<LibrarySaveFailure> LibraryStoreController::saveCopy(const QString &path)
{
    return m_store->writeCopy(path);
}

std::optional<LibrarySaveFailure> LibraryStoreController::saveCopy(const QString &path,
                                                                   const ExpressionList &expressions)
{
    return m_store->writeCopy(path, expressions);
}

// Edits arrive with every keystroke, and the interface must not wait for the disk meanwhile.
void LibraryStoreController::jsonSerializableDidChange(JsonSerializable *)
{
    m_edited = true;
    saveInBackground();
}

void LibraryStoreController::addFirstExpressionIfEmpty()
{
    if (!m_store->items().isEmpty())
        return;
    //: Name of the first, empty expression
    m_store->items().append(std::make_shared<Expression>(tr("First Expression"), QString(), QString()));
}

void LibraryStoreController::adoptRecords()
{
    for (const auto &expression : std::as_const(m_store->items()))
        expression->setDelegate(this);
}

void LibraryStoreController::save()
{
    recordSaveOutcome(m_store->write());
    applySaveOutcome();
}

void LibraryStoreController::saveInBackground()
{
    m_store->writeInBackground([this](const std::optional<LibrarySaveFailure> &failure) {
        recordSaveOutcome(failure);
        QMetaObject::invokeMethod(this, &LibraryStoreController::applySaveOutcome, Qt::QueuedConnection);
    });
}

void LibraryStoreController::recordSaveOutcome(const std::optional<LibrarySaveFailure> &failure)
{
    const QMutexLocker locker(&m_outcomeMutex);
    m_recordedFailure = failure;
    m_outcomeRecorded = true;
}

void LibraryStoreController::applySaveOutcome()
{
    std::optional<LibrarySaveFailure> failure;
    {
        const QMutexLocker locker(&m_outcomeMutex);
        if (!m_outcomeRecorded)
            return;
        m_outcomeRecorded = false;
        failure = std::move(m_recordedFailure);
    }
    if (!failure && m_pendingImport) {
        m_pendingImport->clearOldDefaults();
        m_pendingImport.reset();
    }
    if (failure == m_saveFailure)
        return;
    m_saveFailure = std::move(failure);
    Q_EMIT saveFailureChanged();
}
