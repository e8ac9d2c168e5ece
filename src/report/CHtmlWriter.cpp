#include "report/CHtmlWriter.h"

#include "report/CLocaleClock.h"
#include "report/NumberText.h"

#include <utility>
#include <cstring>

namespace {

// Values of the alignment codes 1 to 9; code 0 leaves the attribute out.
const char* const kAlignNames[] = {
    nullptr,    "\"LEFT\"", "\"CENTER\"", "\"RIGHT\"",  "\"JUSTIFY\"",
    "\"CHAR\"", "\"TOP\"",  "\"MIDDLE\"", "\"BOTTOM\"", "\"BASELINE\"",
};
const int kAlignCount = sizeof(kAlignNames) / sizeof(kAlignNames[0]);

const char* orEmpty(const char* text)
{
    return text != nullptr ? text : "";
}

// text without its sentences that begin with "Click on ", each with the space that follows
// it, or at the end of text with the space before it.
std::string withoutClickHints(const char* text)
{
    static const char Hint[] = "Click on ";
    std::string result = text;
    for (size_t start = result.find(Hint); start != std::string::npos;
         start = result.find(Hint, start)) {
        const size_t next = result.find(". ", start);
        if (next != std::string::npos) {
            result.erase(start, next + 2 - start);
            continue;
        }
        const size_t end = result.find('.', start);
        if (end == std::string::npos)
            break;
        const size_t from = start > 0 && result[start - 1] == ' ' ? start - 1 : start;
        result.erase(from, end + 1 - from);
        start = from;
    }
    return result;
}

const CFooterClock& localClock()
{
    static const CLocaleClock clock;
    return clock;
}

} // namespace

CHtmlWriter::CHtmlWriter(FILE* stream, int mode) : CHtmlWriter(stream, mode, nullptr) {}

CHtmlWriter::CHtmlWriter(FILE* stream, int mode, const CFooterClock* clock)
    : m_mode(mode), m_stream(stream), m_clock(clock != nullptr ? clock : &localClock())
{
}

void CHtmlWriter::put(const char* text)
{
    if (outsideResults() || (m_options.resultTablesOnly && !m_inCell && !IsHtml()))
        return;
    if (!m_options.clickHints && std::strstr(text, "Click on ") != nullptr) {
        const std::string kept = withoutClickHints(text);
        m_options.clickHints = true;
        put(kept.c_str());
        m_options.clickHints = false;
        return;
    }
    if (m_pendingTab && text[0] != '\0') {
        m_pendingTab = false;
        putRaw("\t");
    }
    putRaw(text);
}

void CHtmlWriter::putRaw(const char* text)
{
    if (text[0] == '\0')
        return;
    fputs(text, m_stream);
    m_lastChar = text[std::strlen(text) - 1];
}

void CHtmlWriter::FinishLastLine()
{
    if (m_lastChar != '\0' && m_lastChar != '\n')
        putRaw("\n");
}

void CHtmlWriter::print(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vprint(format, args);
    va_end(args);
}

void CHtmlWriter::vprint(const char* format, va_list args)
{
    if (format == nullptr)
        return;
    put(vformatInCLocale(format, args).c_str());
}

void CHtmlWriter::putAlign(const char* attribute, int code)
{
    // Codes outside the table are left out like 0 rather than read past its end.
    if (code <= 0 || code >= kAlignCount)
        return;
    put(attribute);
    put(kAlignNames[code]);
}

void CHtmlWriter::WritePageHead(const char* title)
{
    if (!IsHtml())
        return;
    print("<HTML>\n<HEAD>\n<TITLE>%s</TITLE>\n</HEAD>\n<BODY LEFTMARGIN=15><FONT "
          "face=\"Arial\"><TABLE WIDTH=600 BORDER=0 COLS=1><TR><TD ID=\"ALL\">",
          orEmpty(title));
}

void CHtmlWriter::WritePageEnd()
{
    if (IsHtml())
        put("</TD></TR></TABLE></FONT></BODY>\n</HTML>");
}

void CHtmlWriter::OpenTable(int width, int align, bool border, int cellPadding)
{
    if (!IsHtml())
        return;
    put("<TABLE ");
    if (width != 0)
        print(" WIDTH=\"%d\"", width);
    putAlign(" ALIGN=", align);
    put(border ? " BORDER=\"2\"" : " BORDER=\"0\"");
    if (cellPadding >= 0)
        print("CELLSPACING = \"0\" CELLPADDING = \"%d\"", cellPadding);
    put(">\n");
}

void CHtmlWriter::CloseTable()
{
    m_pendingTab = false;
    put(IsHtml() ? "</TABLE>\n" : "\n");
}

void CHtmlWriter::OpenRow(unsigned int bgColor, int vAlign, int hAlign)
{
    if (!IsHtml())
        return;
    put("<TR");
    if (bgColor != NoColor)
        print(" BGCOLOR=\"#%06X\"", bgColor);
    putAlign(" VALIGN=", vAlign);
    putAlign(" ALIGN=", hAlign);
    put(">\n");
}

void CHtmlWriter::CloseRow()
{
    m_pendingTab = false;
    if (IsHtml())
        put("</TR>\n");
    else if (!outsideResults())
        putRaw("\n");
}

void CHtmlWriter::OpenCell(int align, int widthPercent, int colSpan, int rowSpan)
{
    m_inCell = true;
    if (!IsHtml())
        return;
    put("<TD");
    putAlign(" ALIGN=", align);
    if (colSpan != 0)
        print(" COLSPAN=\"%d\"", colSpan);
    if (rowSpan != 0)
        print(" ROWSPAN=\"%d\"", rowSpan);
    if (widthPercent != 0)
        print(" WIDTH=\"%d%%\"", widthPercent);
    put(">\n");
}

void CHtmlWriter::CloseCell()
{
    if (IsHtml()) {
        put("</TD>\n");
    } else if (outsideResults()) {
        // Not a table of results: nothing of it.
    } else if (m_options.tabAfterLastCell || m_options.resultTablesOnly) {
        putRaw("\t");
    } else {
        // The tab is written when the row goes on, so a row's last cell has none after it;
        // a tab still waiting here belongs to the empty cell before this one.
        if (m_pendingTab)
            putRaw("\t");
        m_pendingTab = true;
    }
    m_inCell = false;
}

void CHtmlWriter::BeginBold()
{
    if (IsHtml())
        put("<B>");
}

void CHtmlWriter::EndBold()
{
    if (IsHtml())
        put("</B>");
}

void CHtmlWriter::BeginItalic()
{
    if (IsHtml())
        put("<I>\n");
}

void CHtmlWriter::EndItalic()
{
    if (IsHtml())
        put("</I>\n");
}

void CHtmlWriter::LineBreak()
{
    put(IsHtml() ? "<BR>" : "\n");
}

void CHtmlWriter::OpenParagraph()
{
    put(IsHtml() ? "<P>\n" : "\n");
}

void CHtmlWriter::CloseParagraph()
{
    put(IsHtml() ? "</P>\n" : "\n");
}

void CHtmlWriter::OpenHeading(int level)
{
    if (IsHtml())
        print("<H%d>", level);
}

void CHtmlWriter::CloseHeading(int level)
{
    if (IsHtml())
        print("</H%d>", level);
    else
        put("\n");
}

void CHtmlWriter::WriteHeading(const char* text)
{
    print(IsHtml() ? "<H4>%s</H4>" : "\n%s\n", orEmpty(text));
}

void CHtmlWriter::Write(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vprint(format, args);
    va_end(args);
}

void CHtmlWriter::WriteQuoted(const char* format, ...)
{
    const char* quote = IsHtml() ? "&quot;" : "\"";
    put(quote);
    va_list args;
    va_start(args, format);
    vprint(format, args);
    va_end(args);
    put(quote);
}

void CHtmlWriter::WriteNoBreak(const char* format, ...)
{
    if (IsHtml())
        put("<nobr>");
    va_list args;
    va_start(args, format);
    vprint(format, args);
    va_end(args);
    if (IsHtml())
        put("</nobr>");
}

std::string CHtmlWriter::numberText(double value, int precision)
{
    if (precision != 0)
        return formatInCLocale("%.*f", precision, value);
    return freeNumberText(value);
}

void CHtmlWriter::WriteNumber(double value, int precision)
{
    put(numberText(value, precision).c_str());
}

void CHtmlWriter::OpenLink(const char* href)
{
    if (writesLinks())
        print("<A HREF=\"%s\">\n", orEmpty(href));
}

void CHtmlWriter::OpenLinkTarget(const char* href, const char* target)
{
    if (writesLinks())
        print("<A HREF=\"%s\" TARGET=\"%s\">\n", orEmpty(href), orEmpty(target));
}

void CHtmlWriter::OpenAnchor(const char* id)
{
    if (writesLinks())
        print("<A id=\"%s\">\n", orEmpty(id));
}

void CHtmlWriter::CloseLink()
{
    if (writesLinks())
        put("</A>\n");
}

void CHtmlWriter::SetBeforeFooter(std::function<void(CHtmlWriter&)> write)
{
    m_beforeFooter = std::move(write);
}

void CHtmlWriter::WriteFooter()
{
    if (m_beforeFooter)
        m_beforeFooter(*this);
    if (!m_options.footer)
        return;
    LineBreak();
    if (IsHtml())
        put("<hr><small>");
    put(" ");
    put(IsHtml() ? "&nbsp;&nbsp;" : " ");
    put(m_clock->now().c_str());
    if (IsHtml())
        put("</small>");
}
