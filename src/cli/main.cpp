// zentrima-cli: sample size and power of every design from the command line.
#include "cli/CCliRunner.h"
#include "qtsupport/CQtSettingsStore.h"
#include "platform/CStderrMessageSink.h"

#include <QCoreApplication>

#include <clocale>
#include <cstdio>

namespace {

// Qt's own warnings (a settings file it cannot lock, a missing runtime folder) reach the user
// as the program's messages do: one line, with the program's name in front.
void prefixedMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    std::fprintf(stderr, "zentrima-cli: %s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(prefixedMessage);
    QCoreApplication app(argc, argv);
    // Qt takes the C library's locale from the environment; numbers keep "." regardless.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName(QStringLiteral("zentrima-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.00"));

    CQtSettingsStore settings;
    CStderrMessageSink messages;
    CCliRunner runner(settings, messages, stdout);
    return runner.run(QCoreApplication::arguments());
}
