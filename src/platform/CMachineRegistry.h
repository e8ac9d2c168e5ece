#pragma once

#include <string>

/// Read-only access to the machine-wide registry: values that an installation records for
/// every user, such as the open command of another program's documents.
///
/// A key is addressed by its path, for example
/// "SOFTWARE\Classes\Vorla4.Document\shell\open\command". "\" and "/" both separate the
/// parts of a path, and paths and value names compare without regard to ASCII case, as the
/// desktop registry does. The empty value name stands for the key's default value.
class CMachineRegistry
{
public:
    virtual ~CMachineRegistry() = default;

    /// The string value name of key into out ("" as name: the key's default value). False,
    /// with out unchanged, when the key or the value does not exist.
    virtual bool readString(const std::string& key, const std::string& name,
                            std::string& out) const = 0;

    /// The form in which key paths are compared: "/" turned into "\", leading and trailing
    /// separators removed, ASCII letters in lower case.
    static std::string normalizeKey(const std::string& key);
    /// The form in which value names are compared: ASCII letters in lower case.
    static std::string normalizeName(const std::string& name);
};
