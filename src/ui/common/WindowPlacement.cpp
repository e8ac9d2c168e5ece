#include "ui/common/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace WindowPlacement {

QRect fitted(const QRect& window, const QRect& area)
{
    QRect placed(window.topLeft(), window.size().boundedTo(area.size()));
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() - placed.height() + 1));
    return placed;
}

QRect centred(const QSize& size, const QRect& area)
{
    QRect placed(QPoint(0, 0), size.boundedTo(area.size()));
    placed.moveCenter(area.center());
    return fitted(placed, area);
}

QRect firstMainWindow(const QRect& area, const QSize& least)
{
    const QSize share(area.width() * 4 / 5, area.height() * 4 / 5);
    return centred(share.expandedTo(least), area);
}

QRect availableArea(const QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void keepOnScreen(QWidget& window)
{
    const QRect area = availableArea(window);
    const QRect frame = window.frameGeometry();
    if (area.isEmpty() || area.contains(frame))
        return;
    const QRect placed = fitted(frame, area);
    window.resize(window.size() - (frame.size() - placed.size()));
    window.move(placed.topLeft());
}

} // namespace WindowPlacement
