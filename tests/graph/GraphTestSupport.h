#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>

#include <clocale>
#include <cstdlib>

/// The one QApplication of the test run, made on first use; offscreen unless the
/// environment names another platform.
inline QApplication& testApplication()
{
    static int argc = 1;
    static char name[] = "graph_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (!std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
        auto* created = new QApplication(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
        return created;
    }();
    return *app;
}

/// The number of pixels of picture within a small distance of color.
inline int pixelsNear(const QImage& picture, const QColor& color, int tolerance = 40)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int distance = std::abs(qRed(line[x]) - color.red()) +
                                 std::abs(qGreen(line[x]) - color.green()) +
                                 std::abs(qBlue(line[x]) - color.blue());
            count += distance <= tolerance;
        }
    }
    return count;
}
