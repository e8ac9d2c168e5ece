// The desktop program. No command line is read.
#include "ui/app/CZentrimaApp.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Qt took the C library's locale from the environment; numbers keep "." as the decimal
    // point.
    std::setlocale(LC_NUMERIC, "C");

    CZentrimaApp zentrima;
    if (!zentrima.initInstance())
        return 0;
    return app.exec();
}
