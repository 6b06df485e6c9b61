#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

class QLocalServer;
class QLocalSocket;

// How a later start reaches the running instance: it hands over the files it was given and leaves, and the running
// instance comes forward and opens them. A local socket named after the lock file, so that two users or two data
// folders never reach each other's instance.
class SingleInstanceChannel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstanceChannel)

public:
    struct HandOverFailure
    {
        enum class Case {
            // Nothing answered in time: the running instance is busy or hung, or has no channel open.
            noAnswer,
            // The socket itself failed, e.g. for lack of permission.
            failed,
        };
        Case failureCase;
        // In the system's words.
        QString reason;
    };

    // The name for the lock file at lockFilePath: in the user's runtime folder, short enough for a socket address.
    static QString serverName(const QString &lockFilePath);

    explicit SingleInstanceChannel(const QString &serverName, QObject *parent = nullptr);
    ~SingleInstanceChannel() override;

    // Opens the channel; only while the lock is held, as a socket file a dead instance left is removed first.
    // Returns why it could not be opened.
    std::optional<QString> listen();

    // From a later start: hands the files to the running instance and waits up to the timeout for its answer. The
    // paths are made absolute here, as the running instance has another working folder.
    static std::optional<HandOverFailure> handOver(const QString &serverName, const QStringList &files,
                                                   std::chrono::milliseconds timeout);

Q_SIGNALS:
    // A later start asked this instance to come forward and open the files (absolute paths, maybe none).
    void activationRequested(const QStringList &files);

private:
    void receive(QLocalSocket *socket);

    QString m_serverName;
    QLocalServer *m_server = nullptr;
};
