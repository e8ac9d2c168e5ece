#include "qtsupport/CQtSettingsStore.h"

#include "platform/CRecordingMessageSink.h"
#include "platform/Platform.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

class CQtSettingsStoreTest : public ::testing::Test
{
protected:
    std::string path() const { return m_dir.filePath("settings.ini").toStdString(); }
    std::string fileText() const
    {
        QFile file(QString::fromStdString(path()));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll().toStdString();
    }
    void writeFileText(const char* text) const
    {
        QFile file(QString::fromStdString(path()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir m_dir;
};

TEST_F(CQtSettingsStoreTest, ValuesSurviveIntoANewStoreOnTheSameFile)
{
    {
        CQtSettingsStore store(path());
        store.writeString("Application", "Sample Size Powers", "99,95,90,80,50");
        store.writeString("Application", "Sample Size Series", "3,4,5");
        store.writeInt("ShowStyle", "Zoom", 3);
        store.writeInt("ShowStyle", "Left", -120);
        EXPECT_TRUE(store.lastWriteSucceeded());
    }
    CQtSettingsStore reread(path());
    EXPECT_EQ(reread.readString("Application", "Sample Size Powers", "x"), "99,95,90,80,50");
    EXPECT_EQ(reread.readString("Application", "Sample Size Series", "x"), "3,4,5");
    EXPECT_EQ(reread.readInt("ShowStyle", "Zoom", 0), 3);
    EXPECT_EQ(reread.readInt("ShowStyle", "Left", 0), -120);
    // Same name in another section is another value.
    EXPECT_EQ(reread.readString("ShowStyle", "Sample Size Powers", "none"), "none");
}

TEST_F(CQtSettingsStoreTest, ValuesLiveBelowTheVersionLevelWithNamesUnchanged)
{
    {
        CQtSettingsStore store(path());
        store.writeString("Application", "Powers Determination", "90,80");
    }
    QSettings raw(QString::fromStdString(path()), QSettings::IniFormat);
    EXPECT_EQ(raw.value("2.00/Application/Powers Determination").toString(), "90,80");
    EXPECT_NE(fileText().find("[2.00]"), std::string::npos);
}

TEST_F(CQtSettingsStoreTest, DeleteRemovesOnlyThatValue)
{
    CQtSettingsStore store(path());
    store.writeString("Application", "Sample Size Powers", "90");
    store.writeString("Application", "Sample Size Series", "10");
    store.deleteValue("Application", "Sample Size Powers");
    EXPECT_EQ(store.readString("Application", "Sample Size Powers", "gone"), "gone");
    CQtSettingsStore reread(path());
    EXPECT_EQ(reread.readString("Application", "Sample Size Powers", "gone"), "gone");
    EXPECT_EQ(reread.readString("Application", "Sample Size Series", ""), "10");
}

TEST_F(CQtSettingsStoreTest, ReadingOrDeletingAbsentValuesCreatesNoFile)
{
    CQtSettingsStore store(path());
    EXPECT_EQ(store.readString("Application", "Sample Size Powers", "dflt"), "dflt");
    EXPECT_EQ(store.readInt("ShowStyle", "Zoom", 2), 2);
    store.deleteValue("Application", "Sample Size Powers");
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path())));
}

TEST_F(CQtSettingsStoreTest, IntThatIsNotAWholeNumberReadsAsDefault)
{
    CQtSettingsStore store(path());
    const char* texts[] = {"abc", "2.5", "3x", "", "99999999999"};
    for (const char* text : texts) {
        store.writeString("ShowStyle", "Zoom", text);
        EXPECT_EQ(store.readInt("ShowStyle", "Zoom", 7), 7) << text;
    }
}

// Stored values are the plain text of their line: quotes and escapes are undone, nothing
// is decoded or split at commas, so the list parsers see (and refuse) what a hand edit or a
// damaged file holds.
TEST_F(CQtSettingsStoreTest, HandEditedValuesReadAsThePlainTextTheyHold)
{
    const struct
    {
        const char* line;
        std::string text;
    } cases[] = {
        {"90, 80,50", "90, 80,50"},
        {"80 ,50", "80 ,50"},
        {"\"99,95,90\"", "99,95,90"},
        {"  \"a \\\"b\\\" \\\\ c\"  ", "a \"b\" \\ c"},
        {"@@at", "@at"},
        // One-letter escapes, octal of up to three digits, hexadecimal of up to four.
        {"a\\tb\\nc\\r\\a\\b\\f\\v", "a\tb\nc\r\a\b\f\v"},
        {"\\101\\0102\\;x", "A\b2;x"},
        {"\\x41\\x263A\\x263Ab", "A\xe2\x98\xba\xe2\x98\xba"
                                 "b"},
        // A serialised list that claims 0x7fffffff entries; decoding it would try to
        // allocate them all.
        // (Escapes stand for characters: "\xff" is U+00FF, two bytes in UTF-8.)
        {"@Variant(\\0\\0\\0\\v\\0\\x7f\\xff\\xff\\xff)",
         std::string("@Variant(\0\0\0\v\0\x7f\xc3\xbf\xc3\xbf\xc3\xbf)", 22)},
        {"@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)", std::string("@Variant(\0\0\0\x02\0\0\0\x05)", 18)},
    };
    for (const auto& c : cases) {
        writeFileText(("[2.00]\nApplication\\Sample Size Powers=" + std::string(c.line) +
                       "\nShowStyle\\ZoomFactor=" + c.line + "\n")
                          .c_str());
        CQtSettingsStore store(path());
        EXPECT_EQ(store.readString("Application", "Sample Size Powers", "default"), c.text)
            << c.line;
        EXPECT_EQ(store.readInt("ShowStyle", "ZoomFactor", 2), 2) << c.line;
    }
}

// A write changes its own line only: comments, unknown values and other sections stay.
TEST_F(CQtSettingsStoreTest, WritesKeepTheRestOfTheFile)
{
    writeFileText("; my notes\n[Other]\nkept=1\n\n[2.00]\n# lists\n"
                  "Application\\Sample%20Size%20Powers=80 ,50\nShowStyle\\x=5\n");
    CQtSettingsStore store(path());
    store.writeString("Application", "Sample Size Powers", "90,80");
    store.writeInt("ShowStyle", "cx", 900);
    store.deleteValue("ShowStyle", "x");
    EXPECT_TRUE(store.lastWriteSucceeded());
    EXPECT_EQ(fileText(), "; my notes\n[Other]\nkept=1\n\n[2.00]\n# lists\n"
                          "Application\\Sample%20Size%20Powers=\"90,80\"\nShowStyle\\cx=900\n");
    QSettings raw(QString::fromStdString(path()), QSettings::IniFormat);
    EXPECT_EQ(raw.value("2.00/Application/Sample Size Powers").toString(), "90,80");
    EXPECT_EQ(raw.value("2.00/ShowStyle/cx").toInt(), 900);
}

TEST_F(CQtSettingsStoreTest, TextKeepsUtf8AndSpecialCharacters)
{
    const std::string text = "a;b=c \"q\" \xC3\xA4 #";
    {
        CQtSettingsStore store(path());
        store.writeString("My Section", "A name", text);
    }
    CQtSettingsStore reread(path());
    EXPECT_EQ(reread.readString("My Section", "A name", ""), text);
}

TEST_F(CQtSettingsStoreTest, WriteToUnwritableFolderIsReportedNotThrown)
{
    CQtSettingsStore store("/proc/zentrima-no-such-folder/settings.ini");
    store.writeString("Application", "Sample Size Powers", "90");
    EXPECT_FALSE(store.lastWriteSucceeded());
}

TEST(CQtSettingsStoreDefaultPath, IsTheUsersXdgConfigFolder)
{
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    {
        CQtSettingsStore store;
        EXPECT_EQ(store.filePath(),
                  config.filePath("Veldrine Software/Zentrima.ini").toStdString());
        store.writeString("Application", "Sample Size Series", "5,10");
    }
    QSettings raw(config.filePath("Veldrine Software/Zentrima.ini"), QSettings::IniFormat);
    EXPECT_EQ(raw.value("2.00/Application/Sample Size Series").toString(), "5,10");
}

// What may sit under the settings file's name, and what the store does with it.
enum class Kind
{
    Text,   // a regular file with the row's bytes
    Fifo,   // a FIFO nobody writes to
    Device, // a private device node (the null device's numbers)
    Large,  // a regular file of 5 MB that starts with the row's bytes
};

// A text that may hold NUL bytes, all of it.
template <size_t N> std::string bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

// Opens and closes both ends of a FIFO now and then until stopped, so that a reader or
// writer that blocked on it gets going again and the test can fail instead of hanging.
class CFifoRescuer
{
public:
    explicit CFifoRescuer(const std::string& path)
        : m_thread([this, path] {
              for (int i = 0; !m_stop; ++i) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
                  if (i < 60)
                      continue;
                  m_blocked = true;
                  for (int flags : {O_WRONLY | O_NONBLOCK, O_RDONLY | O_NONBLOCK}) {
                      const int fd = ::open(path.c_str(), flags);
                      if (fd >= 0)
                          ::close(fd);
                  }
              }
          })
    {
    }
    ~CFifoRescuer()
    {
        m_stop = true;
        m_thread.join();
    }
    CFifoRescuer(const CFifoRescuer&) = delete;
    CFifoRescuer& operator=(const CFifoRescuer&) = delete;
    bool blocked() const { return m_blocked; }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_blocked{false};
    std::thread m_thread;
};

// Hostile and unusual settings files: the store never blocks, reads the file once, refuses
// what it must not read (with one message naming the file) and otherwise keeps every byte
// it does not change, byte-order mark, CR LF line ends and NUL bytes included.
TEST_F(CQtSettingsStoreTest, HostileFilesAreReadOnceKeptByteForByteOrRefused)
{
    using Store = CQtSettingsStore;
    const struct
    {
        const char* name;
        Kind kind;
        std::string before;
        std::function<void(Store&)> act;
        // The file after act; empty: as before (a FIFO or device: still one).
        std::string after;
        // Values the same store reads after act.
        std::vector<std::pair<std::string, std::string>> reads;
        // How many messages name the file (each is about the file; none is shown twice).
        size_t messages;
    } rows[] = {
        {"nulByteInAnotherLineIsKept",
         Kind::Text,
         bytes("[Other]\nOther=a\0b\n[2.00]\nApplication\\x=1\n"),
         [](Store& s) { s.writeInt("Application", "y", 2); },
         bytes("[Other]\nOther=a\0b\n[2.00]\nApplication\\x=1\nApplication\\y=2\n"),
         {{"Application/x", "1"}, {"Application/y", "2"}},
         0},
        {"crLfLineEndsAreKept",
         Kind::Text,
         "[2.00]\r\nApplication\\x=1\r\n\r\n[Other]\r\nb=2",
         [](Store& s) { s.writeInt("Application", "y", 2); },
         "[2.00]\r\nApplication\\x=1\r\nApplication\\y=2\r\n\r\n[Other]\r\nb=2",
         {{"Application/x", "1"}},
         0},
        {"byteOrderMarkBeforeTheSection",
         Kind::Text,
         "\xEF\xBB\xBF[2.00]\nApplication\\x=\"5\"\n",
         [](Store& s) { s.writeInt("Application", "y", 7); },
         "\xEF\xBB\xBF[2.00]\nApplication\\x=\"5\"\nApplication\\y=7\n",
         {{"Application/x", "5"}, {"Application/y", "7"}},
         0},
        {"fifoIsRefusedWithoutWaiting",
         Kind::Fifo,
         "",
         [](Store& s) { s.writeInt("Application", "y", 7); },
         "",
         {{"Application/y", "none"}},
         1},
        {"deviceIsRefused",
         Kind::Device,
         "",
         [](Store& s) { s.writeInt("Application", "y", 7); },
         "",
         {{"Application/y", "none"}},
         1},
        {"controlCharactersBeforeHexDigitsRoundTrip",
         Kind::Text,
         "",
         [](Store& s) {
             s.writeString("A", "one",
                           "\x01"
                           "ctl");
             s.writeString("A", "run",
                           "\x1f"
                           "abc9F");
             s.writeString("A", "nul",
                           bytes("\0"
                                 "7"));
         },
         // A digit after a hexadecimal escape is escaped too.
         "[2.00]\nA\\one=\"\\x1\\x63tl\"\nA\\run=\"\\x1f\\x61\\x62\\x63\\x39\\x46\"\n"
         "A\\nul=\"\\x0\\x37\"\n",
         {{"A/one", "\x01"
                    "ctl"},
          {"A/run", "\x1f"
                    "abc9F"},
          {"A/nul", bytes("\0"
                          "7")}},
         0},
        {"tooLargeIsRefusedOnceAndKept",
         Kind::Large,
         "[2.00]\nApplication\\x=1\n",
         [](Store& s) {
             for (int i = 0; i < 11; ++i)
                 s.readInt("Application", "x", 0);
             s.writeInt("Application", "y", 7);
         },
         "",
         {{"Application/x", "none"}, {"Application/y", "none"}},
         1},
        {"newKeyLandsInItsOwnSection",
         Kind::Text,
         "[2.00]\nApplication\\x=1\n\n[Other]\nb=2\n",
         [](Store& s) { s.writeInt("ShowStyle", "cx", 900); },
         "[2.00]\nApplication\\x=1\nShowStyle\\cx=900\n\n[Other]\nb=2\n",
         {},
         0},
        {"newKeyLandsInItsSectionAfterAnother",
         Kind::Text,
         "[Other]\nb=2\n\n[2.00]\nApplication\\x=1\n[Last]\nc=3\n",
         [](Store& s) { s.writeInt("ShowStyle", "cx", 900); },
         "[Other]\nb=2\n\n[2.00]\nApplication\\x=1\nShowStyle\\cx=900\n[Last]\nc=3\n",
         {},
         0},
        {"theLaterOfTwoLinesHolds",
         Kind::Text,
         "[2.00]\nApplication\\x=1\nApplication\\y=5\nApplication\\x=2\n",
         [](Store&) {},
         "",
         {{"Application/x", "2"}},
         0},
        {"aWriteUpdatesTheLineThatHolds",
         Kind::Text,
         "[2.00]\nApplication\\x=1\nApplication\\y=5\nApplication\\x=2\n",
         [](Store& s) { s.writeInt("Application", "x", 3); },
         "[2.00]\nApplication\\y=5\nApplication\\x=3\n",
         {{"Application/x", "3"}},
         0},
    };
    // A writer rescued from a FIFO would otherwise end the test with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string file = path();
        ::unlink(file.c_str());
        std::string before = row.before;
        if (row.kind == Kind::Fifo) {
            ASSERT_EQ(0, ::mkfifo(file.c_str(), 0600));
        } else if (row.kind == Kind::Device) {
            if (::mknod(file.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0)
                continue; // only root makes device nodes
        } else {
            if (row.kind == Kind::Large)
                before.resize(5 << 20, ' ');
            QFile out(QString::fromStdString(file));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(before.data(), static_cast<qint64>(before.size()));
        }
        CRecordingMessageSink sink;
        CScopedPlatform platform(nullptr, &sink);
        CFifoRescuer rescuer(row.kind == Kind::Fifo ? file : file + ".none");
        {
            Store store(file);
            row.act(store);
            for (const auto& [key, value] : row.reads) {
                const size_t slash = key.find('/');
                EXPECT_EQ(value,
                          store.readString(key.substr(0, slash), key.substr(slash + 1), "none"))
                    << key;
            }
            EXPECT_EQ(row.messages == 0, store.lastWriteSucceeded());
        }
        EXPECT_FALSE(rescuer.blocked());
        EXPECT_EQ(row.messages, sink.messages().size());
        for (const std::string& message : sink.messages())
            EXPECT_NE(std::string::npos, message.find(file)) << message;
        struct stat info;
        EXPECT_EQ(0, ::lstat(file.c_str(), &info));
        if (row.kind == Kind::Fifo)
            EXPECT_TRUE(S_ISFIFO(info.st_mode));
        else if (row.kind == Kind::Device)
            EXPECT_TRUE(S_ISCHR(info.st_mode));
        else if (row.after.empty())
            EXPECT_TRUE(before == fileText()) << fileText().size() << " bytes";
        else
            EXPECT_EQ(row.after, fileText());
    }
}

// The store reads its file once: what changes on the disk afterwards is not read again
// (the desktop program reads many values at start), while its own writes are seen.
TEST_F(CQtSettingsStoreTest, TheFileIsReadOnce)
{
    writeFileText("[2.00]\nApplication\\x=1\n");
    CQtSettingsStore store(path());
    EXPECT_EQ(1, store.readInt("Application", "x", 0));
    writeFileText("[2.00]\nApplication\\x=2\n");
    EXPECT_EQ(1, store.readInt("Application", "x", 0));
    store.writeInt("Application", "y", 3);
    EXPECT_EQ(3, store.readInt("Application", "y", 0));
}

} // namespace
