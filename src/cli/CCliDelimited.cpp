#include "cli/CCliDelimited.h"

#include <cstdlib>
#include <memory>
#include <new>

namespace {

// A stream that collects what is written to it in memory.
class CMemoryStream
{
public:
    CMemoryStream() : m_stream(open_memstream(&m_buffer, &m_size))
    {
        if (m_stream == nullptr)
            throw std::bad_alloc();
    }
    ~CMemoryStream()
    {
        if (m_stream != nullptr)
            std::fclose(m_stream);
        std::free(m_buffer);
    }
    CMemoryStream(const CMemoryStream&) = delete;
    CMemoryStream& operator=(const CMemoryStream&) = delete;

    FILE* stream() const { return m_stream; }
    /// Closes the stream and gives what was written.
    std::string text()
    {
        std::fclose(m_stream);
        m_stream = nullptr;
        return m_buffer != nullptr ? std::string(m_buffer, m_size) : std::string();
    }

private:
    char* m_buffer = nullptr;
    size_t m_size = 0;
    FILE* m_stream;
};

} // namespace

std::string CCliDelimited::field(const std::string& text) const
{
    if (m_separator == Separator::Tab || text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string CCliDelimited::line(const std::string& tabSeparated) const
{
    std::string fields = tabSeparated;
    if (m_tabEndsField && !fields.empty() && fields.back() == '\t')
        fields.pop_back();
    const char separator = m_separator == Separator::Tab ? '\t' : ',';
    std::string result;
    size_t start = 0;
    for (;;) {
        const size_t end = fields.find('\t', start);
        result += field(fields.substr(start, end - start));
        if (end == std::string::npos)
            return result;
        result += separator;
        start = end + 1;
    }
}

void CCliDelimited::write(const std::string& text, FILE* out) const
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            std::fputs((line(text.substr(start, end - start)) + '\n').c_str(), out);
        start = end + 1;
    }
}

void CCliDelimited::rewrite(const std::function<void(FILE*)>& page, FILE* out) const
{
    CMemoryStream memory;
    page(memory.stream());
    write(memory.text(), out);
}
