#pragma once

#include "platform/CFakeFileSystem.h"
#include "platform/CMemorySettingsStore.h"
#include "platform/CRecordingMessageSink.h"
#include "ui/result/CResultView.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

#include <sys/stat.h>

/// What a window test needs around it: its own runtime, config and temporary folders (the
/// environment variables point there for the test's duration, so nothing of the user's is
/// touched), an in-memory settings store, a recording message sink (no box ever blocks), a
/// file system whose temporary folder and program path lie in the test's folder, and a
/// fresh process-wide zoom.
class CFramesTestEnvironment
{
public:
    CFramesTestEnvironment()
        : m_oldRuntime(readEnv("XDG_RUNTIME_DIR")), m_oldConfig(readEnv("XDG_CONFIG_HOME")),
          m_scope(&settings, &messages, &files)
    {
        QDir root(m_root.path());
        root.mkpath("run");
        root.mkpath("config");
        root.mkpath("tmp");
        root.mkpath("bin");
        ::chmod(QFile::encodeName(root.filePath("run")).constData(), 0700);
        ::chmod(QFile::encodeName(root.filePath("tmp")).constData(), 0700);
        ::setenv("XDG_RUNTIME_DIR", QFile::encodeName(root.filePath("run")).constData(), 1);
        ::setenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath("config")).constData(), 1);
        files.setTempFolder(root.filePath("tmp").toStdString() + "/");
        files.setProgramPath(root.filePath("bin/zentrima").toStdString());
        CResultView::resetZoom();
    }
    ~CFramesTestEnvironment()
    {
        restoreEnv("XDG_RUNTIME_DIR", m_oldRuntime);
        restoreEnv("XDG_CONFIG_HOME", m_oldConfig);
        CResultView::resetZoom();
    }
    CFramesTestEnvironment(const CFramesTestEnvironment&) = delete;
    CFramesTestEnvironment& operator=(const CFramesTestEnvironment&) = delete;

    QString runtimeFolder() const { return QDir(m_root.path()).filePath("run"); }
    QString programFolder() const { return QDir(m_root.path()).filePath("bin"); }
    /// The temporary folder, ending in "/".
    QString tempFolder() const { return QString::fromStdString(files.tempFolder()); }
    QString tempFile(const QString& name) const { return tempFolder() + name; }

    CMemorySettingsStore settings;
    CRecordingMessageSink messages;
    CFakeFileSystem files;

private:
    static std::string readEnv(const char* name)
    {
        const char* value = std::getenv(name);
        return value ? std::string(1, '=') + value : std::string();
    }
    static void restoreEnv(const char* name, const std::string& saved)
    {
        if (saved.empty())
            ::unsetenv(name);
        else
            ::setenv(name, saved.c_str() + 1, 1);
    }

    QTemporaryDir m_root;
    std::string m_oldRuntime;
    std::string m_oldConfig;
    CScopedPlatform m_scope;
};

/// Lets queued work run (deferred deletes of replaced views, queued menu updates).
inline void settleEvents()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}
