#pragma once

#include <QFrame>

#include <functional>

class LibraryStoreController;
class QLabel;
class QPushButton;

// A lasting bar over the window's panels while the library cannot be saved: it names the file and the reason, tries
// again, and saves a copy elsewhere. It goes away with the next save that succeeds, whatever made it.
class LibrarySaveNotice final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LibrarySaveNotice)

public:
    explicit LibrarySaveNotice(LibraryStoreController *controller, QWidget *parent = nullptr);
    ~LibrarySaveNotice() override;

    // Asks where a copy goes and returns the path, or an empty one when the user cancels. The default is a file
    // dialog; tests answer instead.
    using FileChooser = std::function<QString(QWidget *parent, const QString &suggestedPath)>;
    void setFileChooser(FileChooser chooser);

    QLabel *messageLabel() const { return m_messageLabel; }
    QPushButton *retryButton() const { return m_retryButton; }
    QPushButton *saveCopyButton() const { return m_saveCopyButton; }

    void retry();
    // Asks for a file and writes the whole library there; returns whether the copy was written. How it went is shown
    // here.
    bool saveCopy();

private:
    void showSaveFailure();

    LibraryStoreController *m_controller;
    QLabel *m_messageLabel = nullptr;
    QPushButton *m_retryButton = nullptr;
    QPushButton *m_saveCopyButton = nullptr;
    FileChooser m_fileChooser;
    // How the latest copy went, shown under the failure until the library is saved.
    QString m_copyOutcome;
};
