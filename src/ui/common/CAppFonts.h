#pragma once

#include <QFont>

/// The three application-wide fonts of the forms, all "Arial": the heading font (bold,
/// 13 pixels), the body font (light, 12 pixels) and the title font (bold, 22 pixels) of the
/// step-1 form. The application creates them once at start-up; an accessor used before
/// that creates them on first use.
class CAppFonts
{
public:
    /// Creates the three fonts; true when all three exist.
    static bool create();

    static const QFont& heading();
    static const QFont& body();
    static const QFont& title();

private:
    static QFont makeFont(int weight, int pixelSize);
};
