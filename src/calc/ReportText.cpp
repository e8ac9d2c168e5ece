#include "calc/ReportText.h"

#include "platform/CFileSystem.h"
#include "report/CHtmlWriter.h"
#include "calc/CTableLabels.h"
#include "platform/Platform.h"

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

bool ExistingTemplatePath(const char* name, std::string& out)
{
    std::string program;
    if (!Platform::files().programFilePath(program))
        return false;
    const size_t slash = program.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
    out = folder + "Templates/" + name;
    return Platform::files().fileExists(out);
}

void WriteBold(CHtmlWriter& w, const char* text)
{
    w.BeginBold();
    w.Write("%s", text);
    w.EndBold();
}

void WriteResultTableStart(CHtmlWriter& w, const CTableLabels& labels)
{
    w.OpenAnchor("RESULT");
    if (!labels.title.empty()) {
        w.OpenParagraph();
        WriteBold(w, labels.title.c_str());
        w.LineBreak();
        w.CloseParagraph();
    }
    w.OpenTable(0, 0, false, 4);
    w.BeginResultTable();
}

void WriteResultTableEnd(CHtmlWriter& w, const CTableLabels& labels)
{
    w.EndResultTable();
    w.CloseTable();
    w.CloseLink();
    if (labels.linkCells && w.GetPageOptions().clickHints) {
        w.OpenParagraph();
        WriteBold(w, "Click on any result for a detailed report.");
        w.CloseParagraph();
    }
}

void WriteTradeoffsCaption(CHtmlWriter& w)
{
    w.OpenParagraph();
    WriteBold(w, "Table of tradeoffs:");
    w.CloseParagraph();
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

void WriteChoicesOpening(CHtmlWriter& w, bool detailed)
{
    if (detailed) {
        w.WriteHeading("Your choices:");
        w.OpenParagraph();
        w.Write("Test chosen: ");
    } else {
        w.OpenHeading(4);
    }
}

void WriteChoicesHeadEnd(CHtmlWriter& w, bool detailed)
{
    if (detailed) {
        w.LineBreak();
    } else {
        w.CloseHeading(4);
        w.OpenParagraph();
    }
}
