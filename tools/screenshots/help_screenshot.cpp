// Draws the help window showing one topic into a PNG file, for the documentation:
//   zentrima-help-shot BOOK OUTPUT.png [TOPIC]
// BOOK is the help book (Zentrima.rcc), TOPIC a topic number (default 1720, the power
// tutorial). Runs on any Qt platform, offscreen included; settings stay in memory.
#include "ui/help/CHelpWindow.h"

#include <QApplication>
#include <QPixmap>

#include <clocale>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: zentrima-help-shot BOOK OUTPUT.png [TOPIC]\n");
        return 2;
    }
    bool ok = true;
    const int topic = arguments.size() > 3 ? arguments.at(3).toInt(&ok) : HelpTopic::PowerTutorial;
    if (!ok) {
        std::fprintf(stderr, "zentrima-help-shot: %s is not a topic number\n",
                     qPrintable(arguments.at(3)));
        return 2;
    }

    CHelpWindow window;
    if (!window.openBook(arguments.at(1))) {
        std::fprintf(stderr, "zentrima-help-shot: cannot open the help book %s\n",
                     qPrintable(window.book().path()));
        return 1;
    }
    if (!window.showHelp(topic)) {
        std::fprintf(stderr, "zentrima-help-shot: the book has no topic %d\n", topic);
        return 1;
    }
    window.resize(900, 640);
    QApplication::processEvents();
    if (!window.grab().save(arguments.at(2), "PNG")) {
        std::fprintf(stderr, "zentrima-help-shot: cannot write %s\n", qPrintable(arguments.at(2)));
        return 1;
    }
    return 0;
}
