#pragma once

#include <cstdio>
#include <functional>
#include <string>

/// The one place where the command line's table-like pages (the table of tradeoffs as
/// values, the graph data and the cells) get their field separator and quoting. A page is
/// first written as tab-separated lines; this class writes those lines again as
/// tab-separated values without a tab at the end of a line, or as comma-separated values
/// (RFC 4180 quoting, lines ending with LF). Empty lines are left out.
class CCliDelimited
{
public:
    enum class Separator
    {
        Tab,
        Comma
    };

    /// tabEndsField: whether a tab at the end of a line ends that line's last field (pages
    /// that write a tab after every field) rather than separate it from an empty one.
    CCliDelimited(Separator separator, bool tabEndsField)
        : m_separator(separator), m_tabEndsField(tabEndsField)
    {
    }

    /// Writes the tab-separated lines of text in this format.
    void write(const std::string& text, FILE* out) const;
    /// Runs page on a stream in memory, then writes what it wrote in this format. Throws
    /// std::bad_alloc when no stream in memory can be opened.
    void rewrite(const std::function<void(FILE*)>& page, FILE* out) const;
    /// One field as written: in comma-separated values a field holding a comma, a quote or
    /// a line break is put in quotes, its quotes doubled.
    std::string field(const std::string& text) const;

private:
    std::string line(const std::string& tabSeparated) const;

    Separator m_separator;
    bool m_tabEndsField;
};
