// The widget tests need one QApplication for the whole run; CTest starts this binary with
// QT_QPA_PLATFORM=offscreen, and it defaults to offscreen when run by hand as well.
#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // Qt took the C library's locale from the environment; the programs keep "." as the
    // decimal point, and so do the tests.
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
