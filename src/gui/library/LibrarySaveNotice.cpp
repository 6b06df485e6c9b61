#include "gui/library/LibrarySaveNotice.h"

#include "core/library/LibraryStoreController.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

LibrarySaveNotice::LibrarySaveNotice(LibraryStoreController *controller, QWidget *parent)
    : QFrame(parent)
    , m_controller(controller)
    , m_fileChooser([](QWidget *dialogParent, const QString &suggestedPath) {
        return QFileDialog::getSaveFileName(dialogParent, tr("Save a Copy of the Library"), suggestedPath,
                                            //: File type filter of the dialog that saves a copy of the library
                                            tr("JSON files (*.json);;All files (*)"));
    })
{
    setObjectName(QStringLiteral("librarySaveNotice"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("librarySaveNoticeIcon"));
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(iconSize));
    m_messageLabel = new QLabel(this);
    m_messageLabel->setObjectName(QStringLiteral("librarySaveNoticeMessage"));
    // Paths are shown as they are, never read as markup.
    m_messageLabel->setTextFormat(Qt::PlainText);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    //: Button of the notice shown while the library cannot be saved
    m_retryButton = new QPushButton(tr("Retry"), this);
    m_retryButton->setObjectName(QStringLiteral("retrySaveButton"));
    //: Button of the notice shown while the library cannot be saved
    m_saveCopyButton = new QPushButton(tr("Save a Copy…"), this);
    m_saveCopyButton->setObjectName(QStringLiteral("saveCopyButton"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(m_messageLabel, 1);
    layout->addWidget(m_retryButton);
    layout->addWidget(m_saveCopyButton);

    connect(m_retryButton, &QPushButton::clicked, this, &LibrarySaveNotice::retry);
    connect(m_saveCopyButton, &QPushButton::clicked, this, &LibrarySaveNotice::saveCopy);
    connect(m_controller, &LibraryStoreController::saveFailureChanged, this, &LibrarySaveNotice::showSaveFailure);
    showSaveFailure();
}

LibrarySaveNotice::~LibrarySaveNotice() = default;

void LibrarySaveNotice::setFileChooser(FileChooser chooser)
{
    m_fileChooser = std::move(chooser);
}

void LibrarySaveNotice::retry()
{
    // A retry that fails for the same reason changes nothing on screen, so it is heard instead.
    if (!m_controller->saveNow())
        QApplication::beep();
}

bool LibrarySaveNotice::saveCopy()
{
    const QString path = m_fileChooser(window(), QDir::home().filePath(QStringLiteral("expressions.json")));
    if (path.isEmpty())
        return false;
    const std::optional<LibrarySaveFailure> failure = m_controller->saveCopy(path);
    m_copyOutcome = failure
        //: %1 is the chosen file, %2 the system's reason
        ? tr("The copy could not be saved to %1 either (%2).").arg(QDir::toNativeSeparators(path), failure->reason)
        : tr("A copy was saved to %1.").arg(QDir::toNativeSeparators(path));
    showSaveFailure();
    return !failure;
}

void LibrarySaveNotice::showSaveFailure()
{
    const std::optional<LibrarySaveFailure> failure = m_controller->saveFailure();
    if (!failure) {
        m_copyOutcome.clear();
        hide();
        return;
    }
    //: %1 is the library file, %2 the system's reason
    QString message = tr("Your library could not be saved to %1 (%2). Your changes are kept while Quorvale is open: "
                         "try again, or save a copy elsewhere.")
                          .arg(QDir::toNativeSeparators(failure->filePath), failure->reason);
    if (!m_copyOutcome.isEmpty())
        message += u'\n' + m_copyOutcome;
    m_messageLabel->setText(message);
    show();
}
