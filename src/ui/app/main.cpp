// The desktop program. The command line answers --help and --version without a window; Qt's
// own options (-platform, -style, ...) go to the application object.
#include "ui/app/CZentrimaApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <clocale>

namespace {

// Prints the help or the version and ends the program when one is asked for. It runs before
// the application object that opens the display, so that it works without one.
void answerInformationOptions(int argc, char** argv)
{
    QCoreApplication probe(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zentrima"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.00"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Calculator of statistical power and sample size. Without options it "
                       "opens its window, or brings the copy already running to the front."));
    // Qt's own options are single-dash words ("-reverse"), never bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    // Options of Qt's and unknown ones are left to the application object.
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
}

} // namespace

int main(int argc, char** argv)
{
    answerInformationOptions(argc, argv);
    QApplication app(argc, argv);
    // Qt took the C library's locale from the environment; numbers keep "." as the decimal
    // point.
    std::setlocale(LC_NUMERIC, "C");

    CZentrimaApp zentrima;
    if (!zentrima.initInstance())
        return 0;
    return app.exec();
}
