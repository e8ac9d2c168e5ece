#include "calc/CalcTestSupport.h"

#include "platform/CFakeFileSystem.h"
#include "report/CHtmlWriter.h"
#include "platform/CMemoryMachineRegistry.h"
#include "platform/CMemorySettingsStore.h"
#include "calc/CPowerCalc.h"
#include "platform/CRecordingMessageSink.h"
#include "platform/CRecordingProcessLauncher.h"
#include "calc/CSampleCalc.h"
#include "calc/CTableLabels.h"
#include "platform/CUserException.h"
#include "calc/GraphTemplates.h"
#include "calc/GraphingProgram.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const kNeedsVorla =
    "Cannot create graph.\nGraphing requires Veldrine Vorla version 4.01 (or later).";
const char* const kLaunchFailed = "Cannot launch Vorla from Zentrima.\nReboot Windows or/and "
                                  "close other applications and try again.";
const char* const kScriptHeld =
    "Cannot graph in Vorla.\nClose Vorla's Script dialog and try again.";

// A sample-size table whose cells are easy to check by hand: N * 0.5 + powerIndex * 0.25,
// except for the cell at (m_failPower, m_failN), which has no valid result.
class CGraphSampleCalc : public CSampleCalc
{
public:
    CGraphSampleCalc() : CSampleCalc(CalculatorKind{Goal::SampleSize, Design::Unpaired, 500}) {}
    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override
    {
        labels.title = "Sample size per group";
        labels.rowLabel = "N per group";
        labels.valueLabel = "Difference between means";
        labels.SetFormatsFor(0.05);
        WriteSampleDataRows(w, labels);
        return true;
    }
    bool WriteTradeoffPage(CHtmlWriter&) override { return true; }
    CCalculator* Clone() const override { return nullptr; }
    void WriteExplanationPage(CHtmlWriter&) override {}
    bool ComputeCell(int powerIndex, int nIndex, double* out) const override
    {
        *out = m_ns[nIndex] * 0.5 + powerIndex * 0.25;
        return !(powerIndex == m_failPower && nIndex == m_failN);
    }

    int m_failPower = -1;
    int m_failN = -1;
};

// A power table: 2 - powerIndex * 0.5, with no valid result at m_failPower.
class CGraphPowerCalc : public CPowerCalc
{
public:
    CGraphPowerCalc() : CPowerCalc(CalculatorKind{Goal::Power, Design::OneSample, 520}) {}
    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override
    {
        labels.rowLabel = "Delta";
        labels.SetFormatsFor(2.0);
        WritePowerDataRows(w, labels);
        return true;
    }
    bool WriteTradeoffPage(CHtmlWriter&) override { return true; }
    CCalculator* Clone() const override { return nullptr; }
    void WriteExplanationPage(CHtmlWriter&) override {}
    bool ComputeCell(int powerIndex, double* out) const override
    {
        *out = 2.0 - powerIndex * 0.5;
        return powerIndex != m_failPower;
    }

    int m_failPower = -1;
};

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The 16 bytes of a version record as the graphing program carries it.
std::string versionRecord(int major, int minor, int build, int revision)
{
    std::string record = {'\xBD', '\x04', '\xEF', '\xFE', '\x00', '\x00', '\x01', '\x00'};
    for (int field : {major, minor, build, revision}) {
        record += static_cast<char>(field & 0xFF);
        record += static_cast<char>(field >> 8);
    }
    return record;
}

class GraphExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zentrima-graph-export-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_base = pattern;
        m_temp = m_base + "/temp/";
        fs::create_directory(m_temp);
        m_files.setTempFolder(m_temp);
        m_program = m_base + "/Vorla 4/vorla4";
        fs::create_directory(m_base + "/Vorla 4");
        writeFile(m_program, "program text" + versionRecord(4, 0, 1, 0) + "more text");
        m_registry.setString(GraphingProgramOpenKey, "", "\"" + m_program + "\" \"%1\"");
    }
    void TearDown() override { fs::remove_all(m_base); }

    std::string script() const { return readFile(m_temp + "zentrima.qxc"); }
    // The lines every script starts with, up to its data.
    std::string scriptHead() const
    {
        return "SetScriptDialogTitle \"Graphing Zentrima results\"\n"
               "SetPath " +
               m_temp +
               "\n"
               "Open zentrima.qxt\n"
               "Goto dataview\n"
               "DeleteAllDataSets\n"
               "InsertData\n"
               "<Data>\n";
    }
    std::string templateBytes() const { return readFile(m_temp + "zentrima.qxt"); }
    static std::string resource(unsigned int id)
    {
        return readFile(std::string(ZENTRIMA_GRAPH_TEMPLATE_DIR) + "/" +
                        (id == 189   ? "power.qxt"
                         : id == 190 ? "sample.qxt"
                                     : "sample10.qxt"));
    }

    std::string m_base;
    std::string m_temp;
    std::string m_program;
    CMemorySettingsStore m_store;
    CRecordingMessageSink m_sink;
    CFakeFileSystem m_files;
    CCountingBusy m_busy;
    CMemoryMachineRegistry m_registry;
    CRecordingProcessLauncher m_launcher;
    CScopedPlatform m_platform{&m_store, &m_sink, &m_files, &m_busy, &m_registry, &m_launcher};
};

TEST_F(GraphExportTest, SampleTableOfTenPowersWithAFailedCell)
{
    CGraphSampleCalc calc;
    ASSERT_TRUE(calc.ParsePowers("99,95,90,85,80,75,70,60,50,40"));
    ASSERT_TRUE(calc.ParseNs("3,10"));
    calc.m_failPower = 2;
    calc.m_failN = 0;
    const fs::path folderBefore = fs::current_path();
    calc.GraphExport();

    EXPECT_TRUE(m_sink.messages().empty()) << m_sink.last();
    EXPECT_EQ(script(), scriptHead() +
                            "N per group\t99%\t95%\t90%\t85%\t80%\t75%\t70%\t60%\t50%\t40%\t\n"
                            "3\t1.500\t1.750\t\t2.250\t2.500\t2.750\t3.000\t3.250\t3.500\t3.750\t\n"
                            "10\t5.000\t5.250\t5.500\t5.750\t6.000\t6.250\t6.500\t6.750\t7.000\t"
                            "7.250\t\n"
                            "</Data>\n"
                            "SetTitle \"Sample size for unpaired t test\"\n"
                            "Goto graphview\n"
                            "SetAxisTitle Y \"Difference between means\"\n"
                            "SetAxisTitle X \"Sample size per group\"\n"
                            "CloseScriptDialog\n"
                            "\n");
    EXPECT_EQ(templateBytes(), resource(200));
    ASSERT_EQ(m_launcher.starts().size(), 1u);
    EXPECT_EQ(m_launcher.starts()[0].program, m_program);
    EXPECT_EQ(m_launcher.starts()[0].arguments,
              std::vector<std::string>{"@\"" + m_temp + "zentrima.qxc\""});
    EXPECT_EQ(m_launcher.starts()[0].workingFolder, m_temp);
    EXPECT_EQ(fs::current_path(), folderBefore);
    EXPECT_EQ(m_busy.m_begins, 1);
    EXPECT_EQ(m_busy.m_depth, 0);
}

TEST_F(GraphExportTest, SampleTableOfElevenPowersTakesTheOtherTemplate)
{
    CGraphSampleCalc calc;
    ASSERT_TRUE(calc.ParsePowers("99,95,90,85,80,75,70,60,50,40,30"));
    ASSERT_TRUE(calc.ParseNs("4"));
    calc.GraphExport();
    EXPECT_EQ(templateBytes(), resource(190));
    EXPECT_NE(script().find("<Data>\n"
                            "N per group\t99%\t95%\t90%\t85%\t80%\t75%\t70%\t60%\t50%\t40%\t30%\t\n"
                            "4\t2.000\t2.250\t2.500\t2.750\t3.000\t3.250\t3.500\t3.750\t4.000\t"
                            "4.250\t4.500\t\n"
                            "</Data>\n"),
              std::string::npos)
        << script();
}

TEST_F(GraphExportTest, PowerTableHasNoAxisTitles)
{
    CGraphPowerCalc calc;
    ASSERT_TRUE(calc.ParsePowers("90,80,50"));
    calc.m_failPower = 1;
    calc.GraphExport();
    EXPECT_TRUE(m_sink.messages().empty()) << m_sink.last();
    EXPECT_EQ(script(), scriptHead() + "Delta\tPower(%)\n"
                                       "2.00\t90\n"
                                       "\t80\n"
                                       "1.00\t50\n"
                                       "</Data>\n"
                                       "SetTitle \"Power of one-sample t test\"\n"
                                       "Goto graphview\n"
                                       "CloseScriptDialog\n"
                                       "\n");
    EXPECT_EQ(templateBytes(), resource(189));
    EXPECT_EQ(m_launcher.starts().size(), 1u);
}

TEST_F(GraphExportTest, TemplateBesideTheProgramIsCopiedByteForByte)
{
    const std::string ownFolder = m_base + "/zentrima-bin";
    fs::create_directories(ownFolder + "/Templates");
    const std::string own = std::string("own template\r\n\0\x01\xff", 18);
    writeFile(ownFolder + "/Templates/power.qxt", own);
    m_files.setProgramPath(ownFolder + "/zentrima");
    m_files.addFile(ownFolder + "/Templates/power.qxt");
    writeFile(m_temp + "zentrima.qxt", "an older and longer template that must go entirely");
    CGraphPowerCalc calc;
    calc.GraphExport();
    EXPECT_EQ(templateBytes(), own);

    // A template file that is listed but cannot be read gives way to the compiled-in one.
    fs::remove(ownFolder + "/Templates/power.qxt");
    calc.GraphExport();
    EXPECT_EQ(templateBytes(), resource(189));
}

TEST(GraphTemplateResourceTest, HoldsTheThreeTemplatesOnly)
{
    std::string bytes = "unchanged";
    EXPECT_FALSE(GraphTemplateResource(191, bytes));
    EXPECT_EQ(bytes, "unchanged");
    for (unsigned int id : {189u, 190u, 200u}) {
        ASSERT_TRUE(GraphTemplateResource(id, bytes)) << id;
        EXPECT_FALSE(bytes.empty()) << id;
    }
}

TEST_F(GraphExportTest, FindsTheProgramInTheRegisteredOpenCommand)
{
    struct Case
    {
        const char* command;
        bool found;
        const char* path;
    } cases[] = {
        {"\"/opt/Vorla 4/vorla4\" \"%1\"", true, "/opt/Vorla 4/vorla4"},
        {"/opt/vorla/vorla4 \"%1\"", true, "/opt/vorla/vorla4"},
        {"/opt/vorla/vorla4 \"%1\" -script", true, "/opt/vorla/vorla4"},
        {"/opt/vorla/vorla4", true, "/opt/vorla/vorla4"},
        {"\"/opt/Vorla 4/vorla4\"", true, "/opt/Vorla 4/vorla4"},
        {"\"/opt/Vorla 4/vorla4\" -open", true, "/opt/Vorla 4/vorla4"},
        {"/opt/vorla/vorla4 %1", true, "/opt/vorla/vorla4 %1"},
        {"", false, ""},
        {"\"\" \"%1\"", false, ""},
        {" \"%1\"", false, ""},
    };
    for (const Case& c : cases) {
        m_registry.setString(GraphingProgramOpenKey, "", c.command);
        std::string path = "unchanged";
        EXPECT_EQ(FindGraphingProgram(path), c.found) << c.command;
        EXPECT_EQ(path, c.found ? c.path : "unchanged") << c.command;
    }

    // The value is read into 500 bytes, its terminator included.
    std::string path;
    m_registry.setString(GraphingProgramOpenKey, "", "/" + std::string(498, 'v'));
    EXPECT_TRUE(FindGraphingProgram(path));
    EXPECT_EQ(path.size(), 499u);
    m_registry.setString(GraphingProgramOpenKey, "", "/" + std::string(499, 'v'));
    EXPECT_FALSE(FindGraphingProgram(path));

    m_registry.clear();
    EXPECT_FALSE(FindGraphingProgram(path));
}

TEST_F(GraphExportTest, ChecksTheVersionRecordFieldByField)
{
    struct Case
    {
        std::string contents;
        bool passes;
    } cases[] = {
        {versionRecord(4, 0, 1, 0), true},
        {"head" + versionRecord(4, 0, 1, 1) + "tail", true},
        {versionRecord(4, 0, 2, 0), true},
        {versionRecord(4, 1, 0, 0), true},
        {versionRecord(5, 0, 0, 0), true},
        {versionRecord(4, 0, 0, 9), false},
        {versionRecord(3, 99, 99, 99), false},
        {versionRecord(0, 0, 0, 0), false},
        {"no record at all", false},
        {"", false},
        // The signature alone, without the layout word, is not a record.
        {std::string("\xBD\x04\xEF\xFE\x00\x00\x02\x00\x04\x00\x00\x00\x01\x00\x00\x00", 16),
         false},
        // A chance signature before the real record does not hide it.
        {std::string("\xBD\x04\xEF\xFE\x12\x34", 6) + versionRecord(4, 0, 1, 0), true},
        // Only the first record counts.
        {versionRecord(4, 0, 0, 0) + versionRecord(9, 0, 0, 0), false},
        // A record across the border of the blocks the file is read in.
        {std::string((1 << 20) - 7, 'x') + versionRecord(4, 0, 1, 0), true},
        {std::string((1 << 20) - 7, 'x') + versionRecord(4, 0, 0, 0), false},
        // A record cut short by the end of the file.
        {versionRecord(4, 0, 1, 0).substr(0, 15), false},
    };
    int index = 0;
    for (const Case& c : cases) {
        const std::string path = m_base + "/program" + std::to_string(index++);
        writeFile(path, c.contents);
        EXPECT_EQ(CheckFileVersion(path, 4, 0, 1, 0), c.passes) << "case " << index - 1;
    }
    EXPECT_FALSE(CheckFileVersion(m_base + "/absent", 0, 0, 0, 0));
    EXPECT_FALSE(CheckFileVersion(m_base, 0, 0, 0, 0));
}

// The answer of CheckFileVersion(path, 4, 0, 1, 0) from a child process: 1 passes, 0 fails,
// -1 when it had not answered after a minute (it was killed then).
int versionCheckInChild(const std::string& path)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(CheckFileVersion(path, 4, 0, 1, 0) ? 1 : 0);
    for (int waited = 0; waited < 600; ++waited) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        ::usleep(100 * 1000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return -1;
}

// The version check runs on the user-interface thread: it reads only a regular file of at
// most 64 MB, never a device, a FIFO without a writer or a huge file, and follows a link to a
// real program.
TEST_F(GraphExportTest, VersionCheckReadsOnlyRegularFilesUnderTheSizeCap)
{
    const std::string fifo = m_base + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A sparse file of 3 GB whose record lies at its end, and one just under the cap.
    const std::string huge = m_base + "/huge";
    const std::string underCap = m_base + "/under-cap";
    for (const auto& [path, size] :
         {std::pair<std::string, off_t>{huge, off_t(3) << 30},
          std::pair<std::string, off_t>{underCap, off_t(MaxVersionedFileSize)}}) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        const std::string record = versionRecord(4, 0, 1, 0);
        ASSERT_EQ(::pwrite(fd, record.data(), record.size(), size - off_t(record.size())),
                  ssize_t(record.size()));
        ::close(fd);
    }
    fs::create_symlink(m_program, m_base + "/link");
    const struct
    {
        std::string path;
        int answer;
    } cases[] = {
        {"/dev/zero", 0}, {fifo, 0}, {huge, 0}, {underCap, 1}, {m_base + "/link", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(versionCheckInChild(c.path), c.answer) << c.path;
}

// The graph files are the program's own: links planted under their names are replaced, and
// the files they point at keep their text.
TEST_F(GraphExportTest, GraphFilesAreNeverWrittenThroughLinks)
{
    for (const char* name : {"zentrima.qxt", "zentrima.qxc"}) {
        writeFile(m_base + "/victim-" + name, "keep me");
        fs::create_symlink(m_base + "/victim-" + name, m_temp + name);
    }
    CGraphPowerCalc calc;
    calc.GraphExport();
    EXPECT_TRUE(m_sink.messages().empty()) << m_sink.last();
    for (const char* name : {"zentrima.qxt", "zentrima.qxc"}) {
        EXPECT_EQ(readFile(m_base + "/victim-" + name), "keep me") << name;
        EXPECT_FALSE(fs::is_symlink(m_temp + name)) << name;
    }
    EXPECT_EQ(script().rfind(scriptHead(), 0), 0u);
}

TEST_F(GraphExportTest, MissingOrOldProgramStopsBeforeAnyFileIsWritten)
{
    const std::string installed[] = {
        "",       // no registered command at all
        "empty",  // an empty command
        "old",    // version 4.0.0.0
        "absent", // a program file that is not there
    };
    for (const std::string& which : installed) {
        m_sink.clear();
        m_registry.clear();
        if (which == "empty")
            m_registry.setString(GraphingProgramOpenKey, "", "");
        if (which == "old") {
            writeFile(m_program, versionRecord(4, 0, 0, 0));
            m_registry.setString(GraphingProgramOpenKey, "", m_program + " \"%1\"");
        }
        if (which == "absent")
            m_registry.setString(GraphingProgramOpenKey, "", m_base + "/absent \"%1\"");
        CGraphPowerCalc calc;
        calc.GraphExport();
        EXPECT_EQ(m_sink.messages(), std::vector<std::string>{kNeedsVorla}) << which;
        EXPECT_TRUE(fs::is_empty(m_temp)) << which;
    }
    EXPECT_TRUE(m_launcher.starts().empty());
    EXPECT_EQ(m_busy.m_depth, 0);
}

TEST_F(GraphExportTest, ScriptHeldByTheGraphingProgramAbortsWithoutLaunching)
{
    const std::string scriptPath = m_temp + "zentrima.qxc";
    writeFile(scriptPath, "the script the graphing program still shows\n");
    const int held = ::open(scriptPath.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);

    CGraphSampleCalc calc;
    EXPECT_THROW(calc.GraphExport(), CUserException);
    EXPECT_EQ(m_sink.messages(), std::vector<std::string>{kScriptHeld});
    EXPECT_TRUE(m_launcher.starts().empty());
    EXPECT_EQ(script(), "the script the graphing program still shows\n");
    EXPECT_EQ(m_busy.m_depth, 0);

    // Once the program lets go, the export goes through.
    ::close(held);
    m_sink.clear();
    calc.GraphExport();
    EXPECT_TRUE(m_sink.messages().empty()) << m_sink.last();
    EXPECT_EQ(m_launcher.starts().size(), 1u);
    EXPECT_EQ(script().rfind("SetScriptDialogTitle", 0), 0u);
}

// The same lock, as the file system reports it: nothing is written to the script and the
// graphing program is not started a second time.
TEST_F(GraphExportTest, LockHeldAsTheFileSystemReportsItAbortsWithoutLaunching)
{
    const std::string scriptPath = m_temp + "zentrima.qxc";
    writeFile(scriptPath, "the script the graphing program still shows\n");
    m_files.holdLock(scriptPath);
    CGraphPowerCalc calc;
    try {
        calc.GraphExport();
        ADD_FAILURE() << "no CUserException";
    } catch (const CUserException& error) {
        EXPECT_STREQ(error.what(), kScriptHeld);
    }
    EXPECT_EQ(m_sink.messages(), std::vector<std::string>{kScriptHeld});
    EXPECT_TRUE(m_launcher.starts().empty());
    EXPECT_EQ(script(), "the script the graphing program still shows\n");
    EXPECT_EQ(m_busy.m_depth, 0);

    m_files.releaseLock(scriptPath);
    m_sink.clear();
    calc.GraphExport();
    EXPECT_TRUE(m_sink.messages().empty()) << m_sink.last();
    EXPECT_EQ(script().rfind(scriptHead(), 0), 0u);
    EXPECT_EQ(m_launcher.starts().size(), 1u);
}

// A full disk: a template or script that cannot be written is not reported (the graphing
// program says what it cannot read) and the program is started all the same; the file that
// could be written is complete.
TEST_F(GraphExportTest, FullDiskStillHandsTheFilesOver)
{
    const std::string templatePath = m_temp + "zentrima.qxt";
    const std::string scriptPath = m_temp + "zentrima.qxc";
    const struct
    {
        std::string failing;
        bool templateWritten;
        bool scriptWritten;
    } cases[] = {
        {templatePath, false, true},
        {scriptPath, true, false},
    };
    for (const auto& c : cases) {
        fs::remove_all(m_temp);
        fs::create_directory(m_temp);
        CFakeFileSystem files;
        files.setTempFolder(m_temp);
        files.failWritesTo(c.failing);
        CScopedPlatform platform{&m_store, &m_sink, &files, &m_busy, &m_registry, &m_launcher};
        const size_t startsBefore = m_launcher.starts().size();
        CGraphPowerCalc calc;
        calc.GraphExport();
        EXPECT_TRUE(m_sink.messages().empty()) << m_sink.last();
        EXPECT_EQ(m_launcher.starts().size(), startsBefore + 1) << c.failing;
        EXPECT_EQ(fs::exists(templatePath), c.templateWritten) << c.failing;
        EXPECT_EQ(fs::exists(scriptPath), c.scriptWritten) << c.failing;
        if (c.templateWritten) {
            EXPECT_EQ(templateBytes(), resource(189));
        }
        if (c.scriptWritten) {
            EXPECT_EQ(script().rfind(scriptHead(), 0), 0u);
        }
        EXPECT_EQ(files.writes(), 2);
    }
}

TEST_F(GraphExportTest, FailedStartIsReportedAfterTheFilesAreWritten)
{
    m_launcher.setResult(false);
    CGraphPowerCalc calc;
    calc.GraphExport();
    EXPECT_EQ(m_sink.messages(), std::vector<std::string>{kLaunchFailed});
    EXPECT_EQ(m_launcher.starts().size(), 1u);
    EXPECT_FALSE(script().empty());
    EXPECT_EQ(m_busy.m_depth, 0);
}

TEST_F(GraphExportTest, ScriptThatCannotBeWrittenIsStillHandedOver)
{
    // A folder in the script's place: the script cannot be written, which the export
    // ignores; the graphing program reports the missing script itself.
    fs::create_directory(m_temp + "zentrima.qxc");
    CGraphPowerCalc calc;
    calc.GraphExport();
    EXPECT_TRUE(m_sink.messages().empty()) << m_sink.last();
    EXPECT_EQ(m_launcher.starts().size(), 1u);
}

TEST_F(GraphExportTest, NoTemporaryFolderMeansNoFilesAndNoStart)
{
    m_files.setTempFolder("");
    CGraphPowerCalc calc;
    calc.GraphExport();
    // Not the disk-space message: the disk may well have room.
    EXPECT_EQ(m_sink.messages(),
              std::vector<std::string>{
                  "Zentrima cannot make a private folder for its temporary files.\nResults are "
                  "shown, but Graph in Vorla and To Word are not available.\nCheck the folders "
                  "named by XDG_RUNTIME_DIR and TMPDIR, and /tmp."});
    EXPECT_TRUE(m_launcher.starts().empty());
}

} // namespace
