#include "CSingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace {

const char kRaiseRequest[] = "raise\n";
// A running first copy answers within its event loop; a copy that does not is hung or
// still starting, and the later copy gives up rather than wait for it.
const int kTimeoutMs = 2000;

} // namespace

CSingleInstance::CSingleInstance(const QString& folder, QObject* parent)
    : QObject(parent), m_folder(folder)
{
}

CSingleInstance::~CSingleInstance()
{
    release();
}

QString CSingleInstance::lockPath() const
{
    return QDir(m_folder).filePath("instance.lock");
}

QString CSingleInstance::socketPath() const
{
    return QDir(m_folder).filePath("instance.socket");
}

CSingleInstance::Claim CSingleInstance::claim()
{
    m_lock = std::make_unique<QLockFile>(lockPath());
    // Only a lock whose process is gone is stale, however old it is.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        // Whatever socket is left belongs to a copy that is gone.
        QLocalServer::removeServer(socketPath());
        return Claim::First;
    }
    if (m_lock->error() != QLockFile::LockFailedError) {
        m_lock.reset();
        return Claim::First;
    }
    m_lock.reset();

    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kTimeoutMs))
        return Claim::OtherStarting;
    socket.write(kRaiseRequest);
    socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kTimeoutMs);
    return Claim::OtherRunning;
}

bool CSingleInstance::listen()
{
    if (m_server)
        return true;
    auto server = std::make_unique<QLocalServer>();
    // The folder is private already; the socket is the user's alone as well.
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(socketPath())) {
        QLocalServer::removeServer(socketPath());
        if (!server->listen(socketPath()))
            return false;
    }
    m_server = std::move(server);
    connect(m_server.get(), &QLocalServer::newConnection, this,
            &CSingleInstance::acceptConnections);
    return true;
}

void CSingleInstance::release()
{
    if (m_server) {
        m_server->close();
        m_server.reset();
    }
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
}

void CSingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket]() {
            const QByteArray request = socket->readAll();
            if (request.startsWith(QByteArray(kRaiseRequest).trimmed()))
                emit raiseRequested();
        });
    }
}
