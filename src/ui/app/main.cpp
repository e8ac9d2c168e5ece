// The desktop program. No command line is read, except the documentation's picture run:
// zentrima --screenshot-steps DIR walks the first analysis window through its four steps,
// saves a picture of each into DIR and ends.
#include "ui/app/CMainFrame.h"
#include "ui/app/CScreenshotDriver.h"
#include "ui/app/CZentrimaApp.h"

#include <QApplication>

#include <clocale>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Qt took the C library's locale from the environment; numbers keep "." as the decimal
    // point.
    std::setlocale(LC_NUMERIC, "C");

    const QStringList arguments = QApplication::arguments();
    const int shots = arguments.indexOf(QStringLiteral("--screenshot-steps"));
    CZentrimaApp::Options options;
    options.showAbout = shots < 0;
    CZentrimaApp zentrima(options);
    if (!zentrima.initInstance())
        return 0;
    if (shots >= 0) {
        QString error;
        if (shots + 1 >= arguments.size() ||
            !CScreenshotDriver::run(*zentrima.mainFrame(), arguments.at(shots + 1), error)) {
            std::fprintf(stderr, "zentrima: %s\n",
                         qPrintable(error.isEmpty() ? QStringLiteral("no folder given") : error));
            return 1;
        }
        return 0;
    }
    return app.exec();
}
