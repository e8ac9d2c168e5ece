#include "CQtSettingsStore.h"

#include <QFile>
#include <QFileInfo>
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

TEST_F(CQtSettingsStoreTest, HandEditedListWithBareCommasReadsAsOneText)
{
    // Without quotes QSettings reads a comma list as several strings; the list is one value.
    writeFileText("[2.00]\nApplication\\Sample Size Powers=90, 80,50\n");
    CQtSettingsStore store(path());
    EXPECT_EQ(store.readString("Application", "Sample Size Powers", ""), "90,80,50");
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
