// zentrima-graph: draws the graph of a graph script that the calculator writes.
//
//   zentrima-graph @"<folder>/zentrima.qxc"        shows the graph in a window
//   zentrima-graph --png FILE @"<folder>/zentrima.qxc"   writes it to FILE instead
//
// The script argument is "@" followed by the path, in double quotes or not (the quotes
// arrive as part of the argument); a plain path works as well.
#include "graph-viewer/CBoundedFile.h"
#include "graph-viewer/CGraphPicture.h"
#include "graph-viewer/CGraphWindow.h"
#include "graph-viewer/CScriptLock.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QImage>
#include <QMessageBox>
#include <QSaveFile>
#include <QThread>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

// A script holds one table of a few hundred cells; a larger file is refused unread.
constexpr qint64 kMaxScriptSize = 16 << 20;

// The version record the calculator looks for in this program's file before it hands a
// script over: the signature 0xFEEF04BD, the record layout 0x00010000, then major, minor,
// build and revision as 16-bit numbers, all little-endian. This is version 4.0.1.0.
[[gnu::used]] alignas(4) const volatile unsigned char kVersionRecord[16] = {
    0xBD, 0x04, 0xEF, 0xFE, 0x00, 0x00, 0x01, 0x00, 4, 0, 0, 0, 1, 0, 0, 0};

QString versionText()
{
    auto field = [](int at) { return kVersionRecord[at] | kVersionRecord[at + 1] << 8; };
    return QStringLiteral("%1.%2.%3.%4").arg(field(8)).arg(field(10)).arg(field(12)).arg(field(14));
}

// True when the command line asks for a picture, the version or the help: none of them
// opens a window.
bool needsNoWindow(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--png") == 0 || std::strncmp(argument, "--png=", 6) == 0 ||
            std::strcmp(argument, "--version") == 0 || std::strcmp(argument, "-v") == 0 ||
            std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0)
            return true;
    }
    return false;
}

int fail(bool window, const QString& text)
{
    if (window)
        QMessageBox::critical(nullptr, QStringLiteral("Graph"), text);
    else
        std::fprintf(stderr, "zentrima-graph: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    // Without a window no display is needed.
    if (needsNoWindow(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Qt took the C library's locale from the environment; numbers keep "." here.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("zentrima-graph"));
    QApplication::setOrganizationName(QStringLiteral("Veldrine Software"));
    QApplication::setApplicationVersion(versionText());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the graph of a Zentrima graph script."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption pngOption(QStringLiteral("png"),
                                       QStringLiteral("Write the graph to <file> as a PNG picture "
                                                      "instead of showing it."),
                                       QStringLiteral("file"));
    parser.addOption(pngOption);
    parser.addPositionalArgument(QStringLiteral("script"),
                                 QStringLiteral("The graph script: @\"path\", @path or path."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return 2;
    }
    const bool window = !parser.isSet(pngOption);
    const QString scriptPath = CGraphScript::pathFromArgument(parser.positionalArguments()[0]);

    // The window keeps its script locked from before it is read until it closes. A
    // calculator that is still writing the script holds the lock for a moment; another
    // window on the same script holds it for good, and this one then goes without.
    CScriptLock lock;
    for (int attempt = 0; window && !lock.lock(scriptPath) && attempt < 40; ++attempt)
        QThread::msleep(50);
    if (window && !lock.isLocked())
        std::fprintf(stderr, "zentrima-graph: %s is not locked for this window\n",
                     qPrintable(scriptPath));
    QByteArray scriptText;
    QString error;
    if (CBoundedFile::read(scriptPath, kMaxScriptSize, QStringLiteral("script"), scriptText,
                           &error) != CBoundedFile::Result::Read)
        return fail(window, error);
    CGraphPicture picture;
    if (!picture.load(scriptText, &error))
        return fail(window, error);
    for (const QString& line : picture.script().ignored)
        std::fprintf(stderr, "zentrima-graph: ignored: %s\n", qPrintable(line));

    if (!window) {
        QSaveFile out(parser.value(pngOption));
        if (!out.open(QIODevice::WriteOnly) || !picture.image().save(&out, "PNG") || !out.commit())
            return fail(false, QStringLiteral("Cannot write %1.").arg(parser.value(pngOption)));
        return 0;
    }
    CGraphWindow graph(picture, std::move(lock));
    graph.show();
    graph.keepOnScreen();
    return app.exec();
}
