#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

/// Keeps one running copy of the program per user. The first copy holds a lock file in the
/// user's private folder while it runs and, once its main window exists, listens on a local
/// socket beside it. A later copy finds the lock taken and asks the first, through the
/// socket, to bring its main window forward; then it ends. A lock or socket left by a copy
/// that crashed is recognised as stale (its process is gone) and removed, so it never
/// blocks a later start.
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
        /// Another copy is still starting (it holds the lock but does not listen yet); it
        /// has not been asked anything.
        OtherStarting,
    };

    /// folder: the private per-user folder of the lock and the socket.
    explicit CSingleInstance(const QString& folder, QObject* parent = nullptr);
    ~CSingleInstance() override;

    /// Claims the single instance. Without a usable lock file (an unwritable folder) the
    /// program runs as the first copy rather than not at all.
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
    void acceptConnections();

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};
