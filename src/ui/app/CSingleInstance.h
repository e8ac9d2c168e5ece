#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

/// Keeps one running copy of the program per user. The first copy holds a lock (flock) on
/// the file "instance.lock" in the user's private folder while it runs and, once its main
/// window exists, listens on a local socket beside it. A later copy finds the lock taken and
/// asks the first, through the socket, to bring its main window forward; then it ends. A
/// later copy that finds the first still starting (two copies started at the same moment)
/// waits a little and asks again, a few times, before it reports so. The
/// kernel drops the lock with the process that held it, so whatever a crashed copy left
/// (the file with any content, or a folder or link under its name) never blocks a later
/// start.
class CSingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Claim
    {
        /// This is the only copy; it holds the lock.
        First,
        /// Another copy runs and has been asked to raise its main window.
        OtherRunning,
        /// Another copy holds the lock but did not listen within about three seconds (it is
        /// hung, or still starting); it has not been asked anything.
        OtherStarting,
        /// No lock can be made in the folder; this copy runs without the guard.
        Unguarded,
    };

    /// folder: the private per-user folder of the lock and the socket.
    explicit CSingleInstance(const QString& folder, QObject* parent = nullptr);
    ~CSingleInstance() override;

    /// Claims the single instance. Without a usable lock file (an unwritable folder) the
    /// answer is Unguarded: the program then runs rather than not at all. Events are
    /// processed while it waits for a first copy that is still starting.
    Claim claim();
    /// Starts answering later copies; called by the first copy once its main window exists.
    bool listen();
    /// Stops listening and gives the lock up.
    void release();

    QString lockPath() const;
    QString socketPath() const;

signals:
    /// A later copy asked this one to bring its main window forward.
    void raiseRequested();

private:
    Claim tryClaim();
    void acceptConnections();

    QString m_folder;
    int m_lockFd = -1;
    std::unique_ptr<QLocalServer> m_server;
};
