#include "platform/CIniSettingsFile.h"

#include "platform/COutputFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

// Keys outside any section belong to this one, as the file layout has it.
const char* const GeneralSection = "General";

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
    for (const char c : value) {
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

std::vector<CIniSettingsFile::Line> CIniSettingsFile::load(bool& exists) const
{
    std::vector<Line> lines;
    std::ifstream file(m_path, std::ios::binary);
    exists = static_cast<bool>(file);
    std::string section = GeneralSection;
    std::string text;
    while (exists && std::getline(file, text)) {
        Line line;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        line.text = text;
        const std::string content = trimmed(text);
        if (!content.empty() && content.front() == '[') {
            const size_t close = content.find(']');
            if (close != std::string::npos)
                section = unescapeKey(content.substr(1, close - 1));
            line.header = true;
        } else if (!content.empty() && content.front() != ';' && content.front() != '#') {
            const size_t equals = content.find('=');
            if (equals != std::string::npos && equals > 0)
                line.key = fullKey(section, unescapeKey(trimmed(content.substr(0, equals))));
        }
        line.section = section;
        lines.push_back(line);
    }
    return lines;
}

bool CIniSettingsFile::save(const std::vector<Line>& lines, std::string& error) const
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
    for (const Line& line : lines) {
        std::fputs(line.text.c_str(), output.stream());
        std::fputc('\n', output.stream());
    }
    return output.commit(error);
}

bool CIniSettingsFile::read(const std::string& key, std::string& value) const
{
    bool exists = false;
    bool found = false;
    for (const Line& line : load(exists)) {
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
    std::string section;
    std::string name;
    splitKey(key, section, name);
    const std::string text = escapeKey(name) + "=" + (asNumber ? value : quoteValue(value));
    bool exists = false;
    std::vector<Line> lines = load(exists);
    bool replaced = false;
    // A new key goes after the last header or non-empty line of its section.
    size_t lastOfSection = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].section == section && (lines[i].header || !trimmed(lines[i].text).empty()))
            lastOfSection = i;
        if (lines[i].key == key && !replaced) {
            lines[i].text = text;
            replaced = true;
        }
    }
    if (!replaced) {
        Line line;
        line.text = text;
        line.key = key;
        line.section = section;
        if (lastOfSection < lines.size()) {
            lines.insert(lines.begin() + static_cast<long>(lastOfSection) + 1, line);
        } else {
            if (!lines.empty() && !trimmed(lines.back().text).empty())
                lines.push_back(Line());
            Line header;
            header.text = "[" + escapeKey(section) + "]";
            header.section = section;
            header.header = true;
            lines.push_back(header);
            lines.push_back(line);
        }
    }
    // A key written twice by hand keeps only the line just written.
    std::vector<Line> kept;
    bool seen = false;
    for (const Line& line : lines) {
        if (line.key == key) {
            if (seen)
                continue;
            seen = true;
        }
        kept.push_back(line);
    }
    return save(kept, error);
}

bool CIniSettingsFile::remove(const std::string& key, std::string& error)
{
    bool exists = false;
    std::vector<Line> lines = load(exists);
    std::vector<Line> kept;
    for (const Line& line : lines)
        if (line.key != key)
            kept.push_back(line);
    if (kept.size() == lines.size())
        return true;
    return save(kept, error);
}
