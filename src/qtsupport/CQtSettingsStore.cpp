#include "CQtSettingsStore.h"

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace {

const char* const Organisation = "Veldrine Software";
const char* const Application = "Zentrima";
// The version level below the application, so that a later version keeps its own values.
const char* const VersionLevel = "2.00";

} // namespace

CQtSettingsStore::CQtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QString::fromUtf8(Organisation),
                                             QString::fromUtf8(Application)))
{
}

CQtSettingsStore::CQtSettingsStore(const std::string& filePath)
    : m_settings(
          std::make_unique<QSettings>(QString::fromStdString(filePath), QSettings::IniFormat))
{
}

CQtSettingsStore::~CQtSettingsStore() = default;

QString CQtSettingsStore::keyFor(const std::string& section, const std::string& name)
{
    return QString::fromUtf8(VersionLevel) + QLatin1Char('/') + QString::fromStdString(section) +
           QLatin1Char('/') + QString::fromStdString(name);
}

std::string CQtSettingsStore::readString(const std::string& section, const std::string& name,
                                         const std::string& defaultValue) const
{
    const QVariant value = m_settings->value(keyFor(section, name));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited INI value with bare commas reads as a list of strings; the stored lists
    // of powers and sizes are comma-separated text, so join it back.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    return value.toString().toStdString();
}

void CQtSettingsStore::writeString(const std::string& section, const std::string& name,
                                   const std::string& value)
{
    m_settings->setValue(keyFor(section, name), QString::fromStdString(value));
    flush();
}

int CQtSettingsStore::readInt(const std::string& section, const std::string& name,
                              int defaultValue) const
{
    const QVariant value = m_settings->value(keyFor(section, name));
    if (!value.isValid())
        return defaultValue;
    // INI values come back as text; only a whole int in range counts.
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok, 10);
    return ok ? number : defaultValue;
}

void CQtSettingsStore::writeInt(const std::string& section, const std::string& name, int value)
{
    m_settings->setValue(keyFor(section, name), value);
    flush();
}

void CQtSettingsStore::deleteValue(const std::string& section, const std::string& name)
{
    const QString key = keyFor(section, name);
    // Removing an absent key would still rewrite (and first create) the file.
    if (!m_settings->contains(key))
        return;
    m_settings->remove(key);
    flush();
}

std::string CQtSettingsStore::filePath() const
{
    return m_settings->fileName().toStdString();
}

bool CQtSettingsStore::lastWriteSucceeded() const
{
    return m_lastWriteOk;
}

void CQtSettingsStore::flush()
{
    // Written at once: the desktop program and the command-line tool share the file, and a
    // crash must not lose a value that was already reported as stored.
    m_settings->sync();
    m_lastWriteOk = m_settings->status() == QSettings::NoError;
}
