#pragma once

#include "platform/CMachineRegistry.h"

#include <string>

/// The machine-wide registry kept as a read-only INI file. The file is
/// "/etc/xdg/Veldrine Software/machine.ini" unless the environment variable
/// ZENTRIMA_MACHINE_INI names another one (tests, and an installation for one user).
///
/// Format, one entry per line:
///   [SOFTWARE\Classes\Vorla4.Document\shell\open\command]   a key: its path as the section
///   @="/opt/vorla/vorla" "%1"                                the key's default value
///   Name=text                                                a named value
/// Everything after the first "=" is the value, with blanks and tabs at both ends removed;
/// it is taken literally (no quote or escape processing), so a value holds double quotes as
/// the registry value does. Lines starting with ";" or "#" are comments; a value before the
/// first section belongs to no key. When a value appears twice in a key the later one holds.
/// The file is read on every lookup, so an installation made while the program runs is seen.
class CIniMachineRegistry : public CMachineRegistry
{
public:
    /// The file named by ZENTRIMA_MACHINE_INI, else the system-wide one.
    CIniMachineRegistry() = default;
    /// Always the file at path.
    explicit CIniMachineRegistry(const std::string& path) : m_path(path) {}

    bool readString(const std::string& key, const std::string& name,
                    std::string& out) const override;

    /// The file this registry reads now.
    std::string filePath() const;

    static constexpr const char* SystemFile = "/etc/xdg/Veldrine Software/machine.ini";
    static constexpr const char* EnvironmentVariable = "ZENTRIMA_MACHINE_INI";

private:
    std::string m_path;
};
