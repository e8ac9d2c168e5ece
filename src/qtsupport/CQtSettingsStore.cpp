#include "qtsupport/CQtSettingsStore.h"

#include "platform/CIniSettingsFile.h"
#include "platform/CMessageSink.h"
#include "platform/Platform.h"

#include <QStandardPaths>
#include <QString>

namespace {

const char* const Organisation = "Veldrine Software";
const char* const Application = "Zentrima";
// The version level below the application, so that a later version keeps its own values.
const char* const VersionLevel = "2.00";

std::string userFilePath()
{
    return (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QLatin1Char('/') + QString::fromUtf8(Organisation) + QLatin1Char('/') +
            QString::fromUtf8(Application) + QStringLiteral(".ini"))
        .toStdString();
}

} // namespace

CQtSettingsStore::CQtSettingsStore() : CQtSettingsStore(userFilePath()) {}

CQtSettingsStore::CQtSettingsStore(const std::string& filePath)
    : m_file(std::make_unique<CIniSettingsFile>(filePath))
{
}

CQtSettingsStore::~CQtSettingsStore() = default;

std::string CQtSettingsStore::keyFor(const std::string& section, const std::string& name)
{
    return std::string(VersionLevel) + "/" + section + "/" + name;
}

void CQtSettingsStore::loadOnce() const
{
    if (m_loaded)
        return;
    m_loaded = true;
    std::string error;
    if (!m_file->load(error))
        Platform::messages().showMessage("The settings file " + error +
                                             "; the built-in settings are used and changes "
                                             "are not saved.",
                                         CMessageSink::Icon::Warning);
}

std::string CQtSettingsStore::readString(const std::string& section, const std::string& name,
                                         const std::string& defaultValue) const
{
    loadOnce();
    std::string value;
    return m_file->read(keyFor(section, name), value) ? value : defaultValue;
}

void CQtSettingsStore::writeString(const std::string& section, const std::string& name,
                                   const std::string& value)
{
    loadOnce();
    std::string error;
    m_lastWriteOk = m_file->write(keyFor(section, name), value, false, error);
}

int CQtSettingsStore::readInt(const std::string& section, const std::string& name,
                              int defaultValue) const
{
    loadOnce();
    std::string value;
    if (!m_file->read(keyFor(section, name), value))
        return defaultValue;
    // Only a whole int in range counts.
    bool ok = false;
    const int number = QString::fromStdString(value).trimmed().toInt(&ok, 10);
    return ok ? number : defaultValue;
}

void CQtSettingsStore::writeInt(const std::string& section, const std::string& name, int value)
{
    loadOnce();
    std::string error;
    m_lastWriteOk = m_file->write(keyFor(section, name), std::to_string(value), true, error);
}

void CQtSettingsStore::deleteValue(const std::string& section, const std::string& name)
{
    // Removing an absent key leaves the file untouched (and does not create it).
    loadOnce();
    std::string error;
    m_lastWriteOk = m_file->remove(keyFor(section, name), error);
}

std::string CQtSettingsStore::filePath() const
{
    return m_file->path();
}

bool CQtSettingsStore::lastWriteSucceeded() const
{
    return m_lastWriteOk;
}
