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
#include "platform/PrivateFile.h"
#include "calc/StringTable.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using FileHandle = std::unique_ptr<FILE, int (*)(FILE*)>;

const char* const kTemplateName = "zentrima.qxt";
const char* const kScriptName = "zentrima.qxc";

// The graphing program's oldest version that reads these scripts.
constexpr int kVersion[4] = {4, 0, 1, 0};

bool writeBytes(const std::string& path, const std::string& bytes)
{
    FileHandle file(OpenPrivateFile(path, true), &std::fclose);
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return false;
    return std::fclose(file.release()) == 0;
}

bool copyBytes(const std::string& from, const std::string& to)
{
    FileHandle source(std::fopen(from.c_str(), "rb"), &std::fclose);
    if (!source)
        return false;
    std::string bytes;
    char block[8192];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, source.get())) > 0)
        bytes.append(block, got);
    if (std::ferror(source.get()))
        return false;
    return writeBytes(to, bytes);
}

// The template file beside the program, else the compiled-in one, else none at all: the
// graphing program then draws with its own defaults.
void writeTemplate(const CCalculator& calculator, const std::string& target)
{
    std::string source;
    if (calculator.GetGraphTemplatePath(source) && copyBytes(source, target))
        return;
    std::string bytes;
    if (GraphTemplateResource(calculator.GetGraphTemplateId(), bytes))
        writeBytes(target, bytes);
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
        showMessage(IDS_NO_DISK_SPACE);
        return;
    }
    writeTemplate(*this, folder + kTemplateName);

    const std::string scriptPath = folder + kScriptName;
    bool heldElsewhere = false;
    FileHandle script(OpenGraphScript(scriptPath, heldElsewhere), &std::fclose);
    if (heldElsewhere) {
        showMessage(IDS_VORLA_SCRIPT_OPEN);
        throw CUserException(LoadString(IDS_VORLA_SCRIPT_OPEN));
    }
    // A script that cannot be written in full is still handed over: the graphing program
    // reports what it cannot read.
    if (script) {
        FILE* out = script.get();
        std::fputs("SetScriptDialogTitle \"Graphing Zentrima results\"\n", out);
        std::fputs("SetPath ", out);
        std::fputs(folder.c_str(), out);
        std::fputs("\nOpen zentrima.qxt\nGoto dataview\nDeleteAllDataSets\n", out);
        std::fputs("InsertData\n<Data>\n", out);
        CHtmlWriter writer(out, CHtmlWriter::ModeText);
        CTableLabels labels;
        WriteDataTable(writer, labels);
        std::fputs("</Data>\n", out);
        std::fprintf(out, "SetTitle \"%s\"\n", LoadString(GetTitleId()));
        std::fputs("Goto graphview\n", out);
        if (!labels.valueLabel.empty())
            std::fprintf(out, "SetAxisTitle Y \"%s\"\n", labels.valueLabel.c_str());
        if (!labels.title.empty())
            std::fprintf(out, "SetAxisTitle X \"%s\"\n", labels.title.c_str());
        std::fputs("CloseScriptDialog\n\n", out);
        script.reset();
    }

    const std::vector<std::string> arguments{"@\"" + scriptPath + "\""};
    if (!Platform::launcher().startDetached(program, arguments, folder))
        showMessage(IDS_VORLA_LAUNCH_FAILED);
}
