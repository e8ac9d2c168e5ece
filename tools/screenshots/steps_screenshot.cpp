// Draws the pictures of the README: starts the desktop program's application as the
// program does (without the about box), walks the first analysis window through its four
// steps and saves a picture of each into DIR:
//   zentrima-step-shots DIR
// Runs on any Qt platform, offscreen included.
#include "screenshots/CScreenshotDriver.h"
#include "ui/app/CZentrimaApp.h"

#include <QApplication>

#include <clocale>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: zentrima-step-shots DIR\n");
        return 2;
    }
    CZentrimaApp::Options options;
    options.showAbout = false;
    CZentrimaApp zentrima(options);
    if (!zentrima.initInstance()) {
        std::fprintf(stderr, "zentrima-step-shots: the program did not start\n");
        return 1;
    }
    QString error;
    if (!CScreenshotDriver::run(*zentrima.mainFrame(), arguments.at(1), error)) {
        std::fprintf(stderr, "zentrima-step-shots: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
