#include "ui/app/CSingleInstance.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const char kRaiseRequest[] = "raise\n";
// A running first copy answers within its event loop; a copy that does not is hung or
// still starting, and the later copy gives up rather than wait for it.
const int kTimeoutMs = 2000;
// Two copies started at the same moment: the one that loses the lock finds the winner still
// starting, without its socket. It asks again this many times, this far apart, before it
// gives up.
const int kRaiseTries = 12;
const int kRaiseWaitMs = 250;

int openLockFile(const QByteArray& path)
{
    return ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
}

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
    for (int attempt = 1;; ++attempt) {
        const Claim claim = tryClaim();
        if (claim != Claim::OtherStarting || attempt == kRaiseTries)
            return claim;
        // Events run while this copy waits (the first copy may be this very process in a
        // test); then the lock is tried again too, since the first copy may have ended.
        QEventLoop wait;
        QTimer::singleShot(kRaiseWaitMs, &wait, &QEventLoop::quit);
        wait.exec();
    }
}

CSingleInstance::Claim CSingleInstance::tryClaim()
{
    release();
    // The lock is the kernel's (flock) on an open file: it goes with the process that holds
    // it, crash or not, and what the file holds does not matter. Whatever sits under the name
    // and cannot be opened as our lock (a folder, a link, a file we may not open) is left by
    // something that is gone, and is cleared away once.
    const QByteArray path = QFile::encodeName(lockPath());
    int fd = openLockFile(path);
    if (fd < 0) {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(path.toStdString()), ignored);
        fd = openLockFile(path);
    }
    if (fd < 0)
        return Claim::Unguarded;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_lockFd = fd;
        // Whatever socket is left belongs to a copy that is gone.
        QLocalServer::removeServer(socketPath());
        return Claim::First;
    }
    ::close(fd);

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
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
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
