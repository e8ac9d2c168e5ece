#pragma once

#include <string>
#include <vector>

/// A settings file in the INI layout that the desktop program has always written: sections
/// in brackets, "key=value" lines, "/" levels of a key written as "\", characters other than
/// letters, digits, "_", "-" and "." written as "%XX", and text values in double quotes with
/// backslash escapes. Values are read back as the plain text they hold: quotes and escapes
/// are undone, but nothing else is interpreted (no "@Variant(...)" decoding, no splitting at
/// commas), so a hand-edited or damaged value reaches its reader as text to judge.
///
/// Every read loads the file afresh (the desktop program and the command-line tool share
/// it). A write changes only the line of its key and keeps every other line, comments
/// included; the file is replaced whole, never left half written.
class CIniSettingsFile
{
public:
    explicit CIniSettingsFile(const std::string& path) : m_path(path) {}

    const std::string& path() const { return m_path; }

    /// The text stored under key ("section/name" levels separated by "/"); false when the
    /// file or the key is missing. When a key appears twice the later line holds.
    bool read(const std::string& key, std::string& value) const;
    /// Stores value as text (quoted) or, with asNumber, as it is. False when the file cannot
    /// be written; error then says why.
    bool write(const std::string& key, const std::string& value, bool asNumber, std::string& error);
    /// Removes every line of key; true when there was none or the file was rewritten.
    bool remove(const std::string& key, std::string& error);

    /// key as it appears in a file: its first level as the section, the rest escaped.
    static void splitKey(const std::string& key, std::string& section, std::string& name);
    static std::string escapeKey(const std::string& key);
    static std::string unescapeKey(const std::string& text);
    static std::string quoteValue(const std::string& value);
    static std::string unquoteValue(const std::string& text);

private:
    struct Line
    {
        std::string text;
        /// The full key of a value line ("section/name"); empty for other lines.
        std::string key;
        /// The section a line belongs to (for a section header, its own).
        std::string section;
        bool header = false;
    };

    std::vector<Line> load(bool& exists) const;
    bool save(const std::vector<Line>& lines, std::string& error) const;

    std::string m_path;
};
