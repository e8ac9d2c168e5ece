#pragma once

#include <cstdarg>
#include <cstdio>
#include <functional>
#include <string>

class CFooterClock;

/// Streams a report page to an open stdio stream in one of three modes: 0 = HTML without
/// links, 1 = plain text, 3 = HTML with links. The writer does not own the stream.
/// Numbers always use "." as the decimal point, whatever the process locale.
class CHtmlWriter
{
public:
    enum
    {
        ModeHtml = 0,
        ModeText = 1,
        ModeHtmlLinks = 3
    };
    /// Colour value that means "no background colour".
    static constexpr unsigned int NoColor = 0x80000000u;

    CHtmlWriter(FILE* stream, int mode);
    /// A writer whose footer takes its date and time from clock (not owned). A null clock
    /// means the user's local date and time.
    CHtmlWriter(FILE* stream, int mode, const CFooterClock* clock);

    bool IsHtml() const { return m_mode != ModeText; }

    /// How a page written for another program or a terminal differs from the desktop's. The
    /// defaults write the desktop's page byte for byte.
    struct PageOptions
    {
        /// The hints that a result can be clicked: the bold line under a table of links and
        /// the sentences of the instructions that begin with "Click on ".
        bool clickHints = true;
        /// The footer with the date and time; false leaves the footer out.
        bool footer = true;
        /// In text mode a tab follows every table cell, the last of a row too; false puts
        /// tabs between the cells of a row only.
        bool tabAfterLastCell = true;
        /// Text mode writes the cells of the page's result tables only (those between
        /// BeginResultTable and EndResultTable): a tab after every cell, a line break after
        /// every row, and nothing else of the page.
        bool resultTablesOnly = false;
    };
    void SetPageOptions(const PageOptions& options) { m_options = options; }
    const PageOptions& GetPageOptions() const { return m_options; }
    /// Mark where a table of results begins and ends; they write nothing themselves.
    void BeginResultTable() { m_inResults = true; }
    void EndResultTable() { m_inResults = false; }
    /// Writes a line break unless nothing was written or the last thing written was one, so
    /// that the page ends with a complete line.
    void FinishLastLine();

    void WritePageHead(const char* title);
    void WritePageEnd();
    void OpenTable(int width, int align, bool border, int cellPadding);
    void CloseTable();
    void OpenRow(unsigned int bgColor, int vAlign, int hAlign);
    void CloseRow();
    void OpenCell(int align, int widthPercent, int colSpan, int rowSpan);
    void CloseCell();
    void BeginBold();
    void EndBold();
    void BeginItalic();
    void EndItalic();
    void LineBreak();
    void OpenParagraph();
    void CloseParagraph();
    void OpenHeading(int level);
    void CloseHeading(int level);
    void WriteHeading(const char* text);
    void Write(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void WriteQuoted(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void WriteNoBreak(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void WriteNumber(double value, int precision);
    void OpenLink(const char* href);
    void OpenLinkTarget(const char* href, const char* target);
    void OpenAnchor(const char* id);
    void CloseLink();
    void WriteFooter();
    /// Makes every later WriteFooter first call write with this writer: how a front end adds
    /// a paragraph of its own (a simulated check) to the end of a page a calculator writes.
    /// An empty function removes it.
    void SetBeforeFooter(std::function<void(CHtmlWriter&)> write);

    /// The text WriteNumber writes: "%.*f" when precision is not 0, else "%.14g" above
    /// 0.0001, else "%14.12f" without its trailing zeros and a final ".".
    static std::string numberText(double value, int precision);

    int m_mode;
    FILE* m_stream;

private:
    bool writesLinks() const { return m_mode == ModeHtmlLinks; }
    /// True where resultTablesOnly leaves out even the tabs and line breaks of a table.
    bool outsideResults() const { return m_options.resultTablesOnly && !IsHtml() && !m_inResults; }
    /// Writes text, unless resultTablesOnly leaves it out; a deferred cell tab goes first.
    void put(const char* text);
    /// Writes text as it is.
    void putRaw(const char* text);
    void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void vprint(const char* format, va_list args);
    void putAlign(const char* attribute, int code);

    const CFooterClock* m_clock;
    std::function<void(CHtmlWriter&)> m_beforeFooter;
    PageOptions m_options;
    /// In text mode: inside a table cell, and a cell's tab not yet written.
    bool m_inCell = false;
    bool m_inResults = false;
    bool m_pendingTab = false;
    char m_lastChar = '\0';
};
