// The whole road of a graph: the calculator finds the stand-in graphing program through the
// machine-wide registry file, checks its version record, writes template and script and
// starts it; the stand-in reads them and draws the picture.
#include "platform/CFakeFileSystem.h"
#include "platform/CIniMachineRegistry.h"
#include "platform/CMemorySettingsStore.h"
#include "platform/CRecordingMessageSink.h"
#include "calc/CSampleUnpairedCalc.h"
#include "platform/CSpawnProcessLauncher.h"
#include "graph-viewer/CGraphTemplate.h"
#include "platform/Platform.h"

#include "graph/GraphTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>

#include <chrono>

namespace {

// The version record 4.0.1.0 as the stand-in carries it.
const char kVersionRecord[] = "\xBD\x04\xEF\xFE\x00\x00\x01\x00\x04\x00\x00\x00\x01\x00\x00\x00";

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST(GraphEndToEndTest, TheStandInDrawsTheExportedTable)
{
    testApplication();
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    const QString picturePath = base.filePath("graph.png");

    // The registered program is a wrapper that asks the stand-in for a picture instead of a
    // window. The shell never reads past its exec line, so the version record the check
    // looks for can follow it.
    ASSERT_TRUE(QDir(base.path()).mkpath("Vorla 4"));
    const QString wrapper = base.filePath("Vorla 4/vorla4");
    ASSERT_TRUE(writeFile(wrapper, "#!/bin/sh\nexec '" ZENTRIMA_GRAPH_VIEWER "' --png '" +
                                       picturePath.toUtf8() + "' \"$@\"\n" +
                                       QByteArray(kVersionRecord, 16)));
    ASSERT_TRUE(
        QFile::setPermissions(wrapper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString ini = base.filePath("machine.ini");
    ASSERT_TRUE(writeFile(ini, "[SOFTWARE\\Classes\\Vorla4.Document\\shell\\open\\command]\n@=\"" +
                                   wrapper.toUtf8() + "\" \"%1\"\n"));
    ASSERT_TRUE(QDir(base.path()).mkpath("temp"));

    CMemorySettingsStore store;
    CRecordingMessageSink sink;
    CFakeFileSystem files;
    files.setTempFolder(base.filePath("temp").toStdString() + "/");
    CIniMachineRegistry registry(ini.toStdString());
    CSpawnProcessLauncher launcher;
    CScopedPlatform platform(&store, &sink, &files, nullptr, &registry, &launcher);

    CSampleUnpairedCalc calc;
    calc.SetSD(10);
    calc.GraphExport();
    ASSERT_TRUE(sink.messages().empty()) << sink.last();

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!QFile::exists(picturePath) && std::chrono::steady_clock::now() < deadline)
        QThread::msleep(50);
    QImage picture(picturePath);
    ASSERT_FALSE(picture.isNull()) << "no picture at " << picturePath.toStdString();

    // Five default powers: the template of 10 powers or fewer, whose size and first curve
    // colour show in the picture.
    CGraphTemplate look;
    ASSERT_TRUE(look.load(QStringLiteral(ZENTRIMA_GRAPH_TEMPLATE_DIR "/sample10.qxt")));
    EXPECT_EQ(picture.size(), look.size);
    const int pixels = picture.width() * picture.height();
    EXPECT_LT(pixelsNear(picture, look.background, 0), pixels * 98 / 100);
    for (int curve = 0; curve < 5; ++curve)
        EXPECT_GT(pixelsNear(picture, look.seriesColor(curve)), 30) << "curve " << curve;
}

} // namespace
