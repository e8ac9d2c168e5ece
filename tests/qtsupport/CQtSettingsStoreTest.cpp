#include "qtsupport/CQtSettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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

} // namespace
