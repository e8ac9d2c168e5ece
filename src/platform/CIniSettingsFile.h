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
/// Reads come from the copy of the file that load() made; a write loads the file again (so
/// that what another program changed in the meantime stays), changes only the line of its
/// key and keeps every other byte: comments, a byte-order mark, CR LF line ends, NUL bytes.
/// The file is replaced whole, never left half written. Only a regular file of at most
/// MaxFileSize bytes is read, opened without waiting, so a FIFO or a device under the name
/// can neither hold the program nor be read without end; such a file is refused, and so
/// are writes to it.
class CIniSettingsFile
{
public:
    /// Larger files are refused: a settings file holds a few kilobytes.
    static constexpr unsigned long MaxFileSize = 4UL << 20;

    explicit CIniSettingsFile(const std::string& path) : m_path(path) {}

    const std::string& path() const { return m_path; }

    /// Reads the file (a missing file reads as empty). False when it is there but refused
    /// (not a regular file, larger than MaxFileSize, unreadable); error then names the file
    /// and the reason, and nothing of it is read.
    bool load(std::string& error);
    /// The text stored under key ("section/name" levels separated by "/") in the copy the
    /// last load() made; false when the key is missing. When a key appears twice the later
    /// line holds.
    bool read(const std::string& key, std::string& value) const;
    /// Stores value as text (quoted) or, with asNumber, as it is, in the line that holds
    /// key (earlier lines of the same key go) or, for a new key, after the last line of its
    /// section. False when the file is refused or cannot be written; error then says why.
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
        /// The line without its end.
        std::string text;
        /// "\n", "\r\n", or empty for a last line without an end.
        std::string end;
        /// The full key of a value line ("section/name"); empty for other lines.
        std::string key;
        /// The section a line belongs to (for a section header, its own).
        std::string section;
        bool header = false;
    };

    void parse(const std::string& content);
    bool save(std::string& error) const;

    std::string m_path;
    /// A UTF-8 byte-order mark the file starts with, written back in front.
    std::string m_byteOrderMark;
    /// The line end of the file's first line, given to new lines.
    std::string m_newline = "\n";
    std::vector<Line> m_lines;
};
