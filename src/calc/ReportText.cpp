#include "ReportText.h"

#include "CFileSystem.h"
#include "CHtmlWriter.h"
#include "Platform.h"

const char* ArticleFor(const char* name)
{
    switch (name != nullptr ? name[0] : '\0') {
    case 'a':
    case 'e':
    case 'i':
    case 'o':
    case 'u':
        return "an";
    default:
        return "a";
    }
}

bool TemplatePath(const char* name, std::string& out)
{
    std::string program;
    if (!Platform::files().programFilePath(program))
        return false;
    const size_t slash = program.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
    out = folder + "Templates/" + name;
    return true;
}

void WriteBold(CHtmlWriter& w, const char* text)
{
    w.BeginBold();
    w.Write("%s", text);
    w.EndBold();
}

void WriteSpacerCell(CHtmlWriter& w)
{
    if (!w.IsHtml())
        return;
    w.OpenCell(0, 0, 0, 0);
    w.Write("&nbsp;");
    w.CloseCell();
}

unsigned int RowColor(int index)
{
    return index % 2 == 0 ? 0xEEEEFFu : CHtmlWriter::NoColor;
}
