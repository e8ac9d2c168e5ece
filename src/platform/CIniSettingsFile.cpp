#include "platform/CIniSettingsFile.h"

#include "platform/COutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Keys outside any section belong to this one, as the file layout has it.
const char* const GeneralSection = "General";
const char ByteOrderMark[] = "\xEF\xBB\xBF";

std::string systemError(const std::string& path, int errorNumber)
{
    return path + ": " + std::strerror(errorNumber);
}

// Reads the whole of path into content; a missing file reads as empty. Anything but a
// regular file of at most maxSize bytes is refused. The type is checked before the open too,
// so that a device is not even opened, and the open does not wait for a FIFO's writer.
bool readRegularFile(const std::string& path, unsigned long maxSize, std::string& content,
                     std::string& error)
{
    content.clear();
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return true;
        error = systemError(path, errno);
        return false;
    }
    const std::string notRegular = path + " is not a regular file";
    if (!S_ISREG(info.st_mode)) {
        error = notRegular;
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = systemError(path, errno);
        return false;
    }
    const std::string tooLarge = path + " is larger than " + std::to_string(maxSize >> 20) + " MB";
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    error = ok ? tooLarge : notRegular;
    ok = ok && static_cast<unsigned long long>(info.st_size) <= maxSize;
    char block[1 << 16];
    while (ok) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            if (!ok)
                error = systemError(path, errno);
            break;
        }
        // The file may have grown since it was measured.
        content.append(block, static_cast<size_t>(got));
        ok = content.size() <= maxSize;
    }
    ::close(fd);
    if (ok)
        error.clear();
    else
        content.clear();
    return ok;
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendUtf8(std::string& out, unsigned long code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | ((code >> 12) & 0x0F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string fullKey(const std::string& section, const std::string& name)
{
    return section == GeneralSection ? name : section + "/" + name;
}

// The character a one-letter escape ("\n") stands for; 0 when letter is none.
char letterEscape(char letter)
{
    static const char pairs[][2] = {{'n', '\n'}, {'r', '\r'}, {'t', '\t'}, {'a', '\a'},
                                    {'b', '\b'}, {'f', '\f'}, {'v', '\v'}};
    for (const auto& pair : pairs)
        if (pair[0] == letter)
            return pair[1];
    return 0;
}

// Appends what the escape whose first character (after the backslash) is raw[at] stands
// for, and returns the index of its last character: "\n" and its kin, "\x" with up to four
// hexadecimal digits, up to three octal digits, and any other character for itself ("\\",
// "\"", "\;").
size_t appendEscape(const std::string& raw, size_t at, std::string& out)
{
    const char first = raw[at];
    if (const char letter = letterEscape(first)) {
        out += letter;
        return at;
    }
    size_t i = at;
    if (first == 'x') {
        unsigned long code = 0;
        for (int digits = 0; digits < 4 && i + 1 < raw.size() && hexDigit(raw[i + 1]) >= 0;
             ++digits)
            code = code * 16 + static_cast<unsigned long>(hexDigit(raw[++i]));
        appendUtf8(out, code);
        return i;
    }
    if (first >= '0' && first <= '7') {
        unsigned long code = static_cast<unsigned long>(first - '0');
        for (int digits = 1;
             digits < 3 && i + 1 < raw.size() && raw[i + 1] >= '0' && raw[i + 1] <= '7'; ++digits)
            code = code * 8 + static_cast<unsigned long>(raw[++i] - '0');
        appendUtf8(out, code);
        return i;
    }
    out += first;
    return at;
}

} // namespace

std::string CIniSettingsFile::escapeKey(const std::string& key)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : key) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/')
            out += '\\';
        else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '_' || c == '-' || c == '.' || byte >= 0x80)
            out += c;
        else
            out += std::string("%") + hex[byte >> 4] + hex[byte & 0xF];
    }
    return out;
}

std::string CIniSettingsFile::unescapeKey(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            out += '/';
        } else if (c == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
                   hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else if (c == '%' && i + 5 < text.size() && text[i + 1] == 'U') {
            unsigned long code = 0;
            bool ok = true;
            for (size_t k = i + 2; k < i + 6; ++k) {
                const int digit = hexDigit(text[k]);
                ok = ok && digit >= 0;
                code = code * 16 + static_cast<unsigned long>(digit < 0 ? 0 : digit);
            }
            if (ok) {
                appendUtf8(out, code);
                i += 5;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
    return out;
}

std::string CIniSettingsFile::quoteValue(const std::string& value)
{
    std::string out = "\"";
    // A leading "@" would announce an encoded value to other readers of the file; doubled,
    // it stays a plain "@".
    if (!value.empty() && value.front() == '@')
        out += '@';
    // A hexadecimal escape takes every hexadecimal digit behind it (up to four), so a digit
    // that follows one is escaped as well.
    bool escapeHexDigit = false;
    for (const char c : value) {
        const bool afterHexEscape = escapeHexDigit;
        escapeHexDigit = false;
        if (afterHexEscape && hexDigit(c) >= 0) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%x", static_cast<unsigned char>(c));
            out += code;
            escapeHexDigit = true;
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char code[8];
                std::snprintf(code, sizeof code, "\\x%x", static_cast<unsigned char>(c));
                out += code;
                escapeHexDigit = true;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string CIniSettingsFile::unquoteValue(const std::string& text)
{
    const std::string raw = trimmed(text);
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        // Quotes only group; what they enclose reads the same as outside them.
        if (c == '"')
            continue;
        if (c == '\\' && i + 1 < raw.size())
            i = appendEscape(raw, i + 1, out);
        else
            out += c;
    }
    // A doubled "@" at the start is a plain "@"; any other "@..." stays the text it is.
    if (out.size() >= 2 && out[0] == '@' && out[1] == '@')
        out.erase(0, 1);
    return out;
}

void CIniSettingsFile::splitKey(const std::string& key, std::string& section, std::string& name)
{
    const size_t slash = key.find('/');
    if (slash == std::string::npos) {
        section = GeneralSection;
        name = key;
    } else {
        section = key.substr(0, slash);
        name = key.substr(slash + 1);
    }
}

bool CIniSettingsFile::load(std::string& error)
{
    std::string content;
    const bool ok = readRegularFile(m_path, MaxFileSize, content, error);
    parse(content);
    return ok;
}

void CIniSettingsFile::parse(const std::string& content)
{
    m_lines.clear();
    m_newline = "\n";
    const size_t markSize = sizeof ByteOrderMark - 1;
    const bool marked = content.compare(0, markSize, ByteOrderMark) == 0;
    m_byteOrderMark = marked ? ByteOrderMark : "";
    std::string section = GeneralSection;
    for (size_t start = marked ? markSize : 0; start < content.size();) {
        Line line;
        const size_t newline = content.find('\n', start);
        const size_t end = newline == std::string::npos ? content.size() : newline;
        line.text = content.substr(start, end - start);
        if (newline != std::string::npos) {
            const bool crLf = !line.text.empty() && line.text.back() == '\r';
            if (crLf)
                line.text.pop_back();
            line.end = crLf ? "\r\n" : "\n";
            if (m_lines.empty())
                m_newline = line.end;
        }
        start = end + 1;
        const std::string body = trimmed(line.text);
        if (!body.empty() && body.front() == '[') {
            const size_t close = body.find(']');
            if (close != std::string::npos)
                section = unescapeKey(body.substr(1, close - 1));
            line.header = true;
        } else if (!body.empty() && body.front() != ';' && body.front() != '#') {
            const size_t equals = body.find('=');
            if (equals != std::string::npos && equals > 0)
                line.key = fullKey(section, unescapeKey(trimmed(body.substr(0, equals))));
        }
        line.section = section;
        m_lines.push_back(line);
    }
}

bool CIniSettingsFile::save(std::string& error) const
{
    // The first value written makes the file's folder as well.
    const size_t slash = m_path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        std::error_code ignored;
        std::filesystem::create_directories(m_path.substr(0, slash), ignored);
    }
    COutputFile output;
    if (!output.open(m_path, nullptr, error))
        return false;
    std::string bytes = m_byteOrderMark;
    for (const Line& line : m_lines)
        bytes += line.text + line.end;
    std::fwrite(bytes.data(), 1, bytes.size(), output.stream());
    return output.commit(error);
}

bool CIniSettingsFile::read(const std::string& key, std::string& value) const
{
    bool found = false;
    for (const Line& line : m_lines) {
        if (line.key != key)
            continue;
        value = unquoteValue(line.text.substr(line.text.find('=') + 1));
        found = true;
    }
    return found;
}

bool CIniSettingsFile::write(const std::string& key, const std::string& value, bool asNumber,
                             std::string& error)
{
    if (!load(error))
        return false;
    std::string section;
    std::string name;
    splitKey(key, section, name);
    Line line;
    line.text = escapeKey(name) + "=" + (asNumber ? value : quoteValue(value));
    line.end = m_newline;
    line.key = key;
    line.section = section;
    // The line that holds the key is the last one; a new key goes after the last header or
    // non-empty line of its section.
    size_t holder = m_lines.size();
    size_t lastOfSection = m_lines.size();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].section == section &&
            (m_lines[i].header || !trimmed(m_lines[i].text).empty()))
            lastOfSection = i;
        if (m_lines[i].key == key)
            holder = i;
    }
    if (holder < m_lines.size()) {
        m_lines[holder].text = line.text;
        // A key written twice by hand keeps only the line just written.
        std::vector<Line> kept;
        for (size_t i = 0; i < m_lines.size(); ++i)
            if (i == holder || m_lines[i].key != key)
                kept.push_back(m_lines[i]);
        m_lines.swap(kept);
        return save(error);
    }
    if (lastOfSection == m_lines.size()) {
        // A new section goes at the end, after a blank line.
        if (!m_lines.empty() && m_lines.back().end.empty())
            m_lines.back().end = m_newline;
        if (!m_lines.empty() && !trimmed(m_lines.back().text).empty())
            m_lines.push_back(Line{"", m_newline, "", section, false});
        m_lines.push_back(Line{"[" + escapeKey(section) + "]", m_newline, "", section, true});
        m_lines.push_back(line);
        return save(error);
    }
    if (m_lines[lastOfSection].end.empty())
        m_lines[lastOfSection].end = m_newline;
    m_lines.insert(m_lines.begin() + static_cast<long>(lastOfSection) + 1, line);
    return save(error);
}

bool CIniSettingsFile::remove(const std::string& key, std::string& error)
{
    if (!load(error))
        return false;
    std::vector<Line> kept;
    for (const Line& line : m_lines)
        if (line.key != key)
            kept.push_back(line);
    if (kept.size() == m_lines.size())
        return true;
    m_lines.swap(kept);
    return save(error);
}
