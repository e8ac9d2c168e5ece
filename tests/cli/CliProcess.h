#pragma once

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

/// Runs the built zentrima-cli with a fresh, temporary home and config folder, so that the
/// user's real settings are never read or touched.
class CliProcess
{
public:
    struct Result
    {
        int exitCode = -1;
        std::string out;
        std::string err;
    };

    CliProcess()
    {
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert("HOME", m_home.path());
        m_environment.insert("XDG_CONFIG_HOME", configFolder());
        m_environment.insert("LC_ALL", "C.UTF-8");
    }

    QString configFolder() const { return m_home.filePath("config"); }
    QString settingsFile() const { return configFolder() + "/Veldrine Software/Zentrima.ini"; }
    QString homePath(const QString& name) const { return m_home.filePath(name); }
    void setEnv(const QString& name, const QString& value) { m_environment.insert(name, value); }
    /// The program runs in this folder instead of the test's.
    void setWorkingDirectory(const QString& path) { m_workingDirectory = path; }
    /// Standard output goes to this file instead of being captured.
    void setOutputFile(const QString& path) { m_outputFile = path; }

    Result run(const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        if (!m_workingDirectory.isEmpty())
            process.setWorkingDirectory(m_workingDirectory);
        if (!m_outputFile.isEmpty())
            process.setStandardOutputFile(m_outputFile);
        process.start(ZENTRIMA_CLI_PATH, arguments);
        Result result;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.exitCode = process.exitCode();
        result.out = process.readAllStandardOutput().toStdString();
        result.err = process.readAllStandardError().toStdString();
        return result;
    }

    static std::string readFile(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return "<missing>";
        return file.readAll().toStdString();
    }

private:
    QTemporaryDir m_home;
    QProcessEnvironment m_environment;
    QString m_outputFile;
    QString m_workingDirectory;
};
