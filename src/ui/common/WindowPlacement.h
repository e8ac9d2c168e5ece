#pragma once

#include <QRect>
#include <QSize>

class QWidget;

/// Where the program's windows go on the screen. The rules are pure functions of the
/// available area (the screen without its panels), so that they hold for any screen.
namespace WindowPlacement {

/// window moved, and shrunk where it is larger, so that it lies wholly inside area; a
/// window inside already stays where it is.
QRect fitted(const QRect& window, const QRect& area);
/// A window of size, shrunk to area where it is larger, centred in area.
QRect centred(const QSize& size, const QRect& area);
/// The main window's first placement: four fifths of area each way, at least least (the
/// size at which its tool bar shows whole), no larger than area, centred in it.
QRect firstMainWindow(const QRect& area, const QSize& least);
/// Moves a shown top-level window, and shrinks it where it is larger, so that it lies wholly,
/// frame included, inside the available area of its screen.
void keepOnScreen(QWidget& window);
/// The available area of the screen window is on (the primary one before it is shown);
/// empty without a screen.
QRect availableArea(const QWidget& window);

} // namespace WindowPlacement
