// zentrima-cli: sample size and power of every design from the command line.
#include "cli/CCliRunner.h"
#include "qtsupport/CQtSettingsStore.h"
#include "platform/CStderrMessageSink.h"

#include <QCoreApplication>

#include <clocale>
#include <cstdio>

int main(int argc, char* argv[])
{
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
