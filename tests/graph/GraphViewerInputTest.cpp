// What the graph viewer does with a script or template that is not a small regular file:
// it reads neither a FIFO (which would hold it for good) nor a device or a huge file (which
// it would read without end), and says which file it refused instead of drawing.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

enum class Kind
{
    Regular, // a small template of a few keys
    Fifo,    // a FIFO nobody writes to
    Device,  // a private device node (the null device's numbers)
    Huge,    // a sparse regular file of 200 MB
    Missing, // nothing under the name
};

// Makes what kind stands for at path; false when this user cannot (a device node needs root).
bool make(Kind kind, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    switch (kind) {
    case Kind::Regular: {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write("width=300\nheight=200\n") > 0;
    }
    case Kind::Fifo:
        return ::mkfifo(name.constData(), 0600) == 0;
    case Kind::Device:
        return ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    case Kind::Huge: {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(200LL << 20);
    }
    case Kind::Missing:
        break;
    }
    return true;
}

QByteArray script(const QString& folder)
{
    return "SetPath " + QFile::encodeName(folder) +
           "/\nOpen zentrima.qxt\n<Data>\nDelta\tPower(%)\n2.0\t90\n1.0\t50\n</Data>\n";
}

TEST(GraphViewerInputTest, OnlySmallRegularFilesAreRead)
{
    const struct
    {
        const char* name;
        Kind scriptKind;
        Kind templateKind;
        // Whether a picture is drawn; otherwise the viewer ends with status 1 and names the
        // refused file on standard error.
        bool drawn;
    } rows[] = {
        {"regularFiles", Kind::Regular, Kind::Regular, true},
        {"missingTemplateGivesTheDefaultLook", Kind::Regular, Kind::Missing, true},
        {"fifoTemplate", Kind::Regular, Kind::Fifo, false},
        {"deviceTemplate", Kind::Regular, Kind::Device, false},
        {"hugeTemplate", Kind::Regular, Kind::Huge, false},
        {"fifoScript", Kind::Fifo, Kind::Regular, false},
        {"deviceScript", Kind::Device, Kind::Regular, false},
        {"hugeScript", Kind::Huge, Kind::Regular, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        const QString scriptPath = folder.filePath("zentrima.qxc");
        const QString templatePath = folder.filePath("zentrima.qxt");
        if (!make(row.templateKind, templatePath))
            continue; // a device node needs root
        if (row.scriptKind == Kind::Regular) {
            QFile file(scriptPath);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(script(folder.path()));
        } else if (!make(row.scriptKind, scriptPath)) {
            continue;
        }
        const QString refused = row.scriptKind != Kind::Regular ? scriptPath : templatePath;
        const QString picture = folder.filePath("graph.png");
        QProcess viewer;
        viewer.start(ZENTRIMA_GRAPH_VIEWER, {"--png", picture, "@" + scriptPath});
        ASSERT_TRUE(viewer.waitForStarted());
        const bool ended = viewer.waitForFinished(20000);
        if (!ended) {
            viewer.kill();
            viewer.waitForFinished();
        }
        EXPECT_TRUE(ended) << "the viewer is still reading";
        const QString error = QString::fromLocal8Bit(viewer.readAllStandardError());
        EXPECT_EQ(row.drawn ? 0 : 1, viewer.exitCode()) << error.toStdString();
        EXPECT_EQ(row.drawn, QFile::exists(picture));
        if (!row.drawn) {
            EXPECT_TRUE(error.contains(refused)) << error.toStdString();
        }
    }
}

} // namespace
