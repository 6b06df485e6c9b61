#include "core/platform/SingleInstanceChannel.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {

const QString filesKey = QStringLiteral("files");
constexpr QByteArrayView answer = "ok\n";
// A request is a line of paths; anything longer is not from a start of ours.
constexpr qint64 largestRequest = 1 << 20;

int remainingMilliseconds(const QDeadlineTimer &deadline)
{
    return int(std::max<qint64>(deadline.remainingTime(), 0));
}

} // namespace

QString SingleInstanceChannel::serverName(const QString &lockFilePath)
{
    const QByteArray hash
        = QCryptographicHash::hash(QFileInfo(lockFilePath).absoluteFilePath().toUtf8(), QCryptographicHash::Sha256);
    const QString name = QStringLiteral("quorvale-") + QString::fromLatin1(hash.toHex().left(16));
    // Without a runtime folder QLocalServer puts the name in the shared temporary folder, where the hash of the
    // user's own path still keeps users apart.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? name : QDir(runtime).filePath(name);
}

SingleInstanceChannel::SingleInstanceChannel(const QString &serverName, QObject *parent)
    : QObject(parent)
    , m_serverName(serverName)
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { receive(socket); });
            receive(socket);
        }
    });
}

SingleInstanceChannel::~SingleInstanceChannel() = default;

std::optional<QString> SingleInstanceChannel::listen()
{
    if (m_server->isListening() || m_server->listen(m_serverName))
        return std::nullopt;
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(m_serverName);
        if (m_server->listen(m_serverName))
            return std::nullopt;
    }
    return m_server->errorString();
}

void SingleInstanceChannel::receive(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > largestRequest)
            socket->abort();
        return;
    }
    const QJsonObject request = QJsonDocument::fromJson(socket->readLine()).object();
    QStringList files;
    for (const QJsonValue &file : request.value(filesKey).toArray())
        files.append(file.toString());
    socket->write(answer.data(), answer.size());
    socket->flush();
    socket->disconnectFromServer();
    Q_EMIT activationRequested(files);
}

std::optional<SingleInstanceChannel::HandOverFailure>
SingleInstanceChannel::handOver(const QString &serverName, const QStringList &files, std::chrono::milliseconds timeout)
{
    using Case = HandOverFailure::Case;
    const QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(serverName);
        if (socket.waitForConnected(remainingMilliseconds(deadline)))
            break;
        const QLocalSocket::LocalSocketError error = socket.error();
        // The running instance takes the lock a moment before it opens the channel.
        const bool notYetOpen
            = error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError;
        if (!notYetOpen && error != QLocalSocket::SocketTimeoutError)
            return HandOverFailure {Case::failed, socket.errorString()};
        if (deadline.hasExpired())
            //: Why a running Quorvale was not reached; %1 is a socket's path
            return HandOverFailure {Case::noAnswer, tr("nothing listens at %1").arg(serverName)};
        QThread::msleep(50);
    }
    QJsonArray paths;
    for (const QString &file : files)
        paths.append(QFileInfo(file).absoluteFilePath());
    const QByteArray request = QJsonDocument(QJsonObject {{filesKey, paths}}).toJson(QJsonDocument::Compact) + '\n';
    socket.write(request);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(remainingMilliseconds(deadline))) { }
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState
           && socket.waitForReadyRead(remainingMilliseconds(deadline))) { }
    if (socket.canReadLine() && socket.readLine() == answer)
        return std::nullopt;
    if (deadline.hasExpired())
        //: Why a running Quorvale was not reached
        return HandOverFailure {Case::noAnswer, tr("it did not answer")};
    return HandOverFailure {Case::failed, socket.errorString()};
}
