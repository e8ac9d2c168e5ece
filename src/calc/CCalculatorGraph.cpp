// The graph export of CCalculator: the table goes to the separate graphing program as the
// data of a script that loads a template, sets the titles and shows the graph.
#include "calc/CCalculator.h"

#include "platform/CFileSystem.h"
#include "report/CHtmlWriter.h"
#include "platform/CMessageSink.h"
#include "platform/CProcessLauncher.h"
#include "calc/CTableLabels.h"
#include "platform/CUserException.h"
#include "calc/GraphTemplates.h"
#include "calc/GraphingProgram.h"
#include "platform/Platform.h"
#include "calc/StringTable.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kTemplateName = "zentrima.qxt";
const char* const kScriptName = "zentrima.qxc";

// The graphing program's oldest version that reads these scripts.
constexpr int kVersion[4] = {4, 0, 1, 0};

// The graph script: it loads the template, puts the table in, sets the titles and shows
// the graph. Empty when the text cannot be made in memory.
std::string scriptText(CCalculator& calculator, const std::string& folder)
{
    char* memory = nullptr;
    size_t size = 0;
    std::unique_ptr<FILE, int (*)(FILE*)> stream(open_memstream(&memory, &size), &std::fclose);
    if (!stream)
        return std::string();
    FILE* out = stream.get();
    std::fputs("SetScriptDialogTitle \"Graphing Zentrima results\"\n", out);
    std::fputs("SetPath ", out);
    std::fputs(folder.c_str(), out);
    std::fputs("\nOpen zentrima.qxt\nGoto dataview\nDeleteAllDataSets\n", out);
    std::fputs("InsertData\n<Data>\n", out);
    {
        CHtmlWriter writer(out, CHtmlWriter::ModeText);
        CTableLabels labels;
        calculator.WriteDataTable(writer, labels);
        std::fputs("</Data>\n", out);
        std::fprintf(out, "SetTitle \"%s\"\n", LoadString(calculator.GetTitleId()));
        std::fputs("Goto graphview\n", out);
        if (!labels.valueLabel.empty())
            std::fprintf(out, "SetAxisTitle Y \"%s\"\n", labels.valueLabel.c_str());
        if (!labels.title.empty())
            std::fprintf(out, "SetAxisTitle X \"%s\"\n", labels.title.c_str());
        std::fputs("CloseScriptDialog\n\n", out);
    }
    const bool closed = std::fclose(stream.release()) == 0;
    std::string text = closed && memory != nullptr ? std::string(memory, size) : std::string();
    std::free(memory);
    return text;
}

// The template file beside the program, else the compiled-in one, else none at all: the
// graphing program then draws with its own defaults.
void writeTemplate(const CCalculator& calculator, const std::string& target)
{
    std::string source;
    std::string bytes;
    if (calculator.GetGraphTemplatePath(source) && Platform::files().readFile(source, bytes) &&
        Platform::files().writePrivateFile(target, bytes))
        return;
    if (GraphTemplateResource(calculator.GetGraphTemplateId(), bytes))
        Platform::files().writePrivateFile(target, bytes);
}

void showMessage(unsigned int id)
{
    Platform::messages().showMessage(LoadString(id));
}

} // namespace

void CCalculator::GraphExport()
{
    CBusyScope busy;
    std::string program;
    if (!FindGraphingProgram(program) ||
        !CheckFileVersion(program, kVersion[0], kVersion[1], kVersion[2], kVersion[3])) {
        showMessage(IDS_GRAPH_NEEDS_VORLA);
        return;
    }
    // Every file is addressed by its full path and the program starts in the temporary
    // folder; the process's own current folder is never changed.
    const std::string folder = Platform::files().tempFolder();
    if (folder.empty()) {
        showMessage(IDS_NO_PRIVATE_FOLDER);
        return;
    }
    writeTemplate(*this, folder + kTemplateName);

    const std::string scriptPath = folder + kScriptName;
    // A script that cannot be written in full is still handed over: the graphing program
    // reports what it cannot read.
    if (Platform::files().writeLockedPrivateFile(scriptPath, scriptText(*this, folder)) ==
        CFileSystem::LockedWrite::HeldElsewhere) {
        showMessage(IDS_VORLA_SCRIPT_OPEN);
        throw CUserException(LoadString(IDS_VORLA_SCRIPT_OPEN));
    }

    const std::vector<std::string> arguments{"@\"" + scriptPath + "\""};
    if (!Platform::launcher().startDetached(program, arguments, folder))
        showMessage(IDS_VORLA_LAUNCH_FAILED);
}
