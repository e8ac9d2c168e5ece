#include "ui/dialogs/CHyperlinkLabel.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QUrl>

CHyperlinkLabel::CHyperlinkLabel(const QString& text, const QString& target, QWidget* parent)
    : QLabel(text, parent), m_target(target)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setToolTip(target);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
}

void CHyperlinkLabel::open() const
{
    QDesktopServices::openUrl(QUrl(m_target));
}

void CHyperlinkLabel::paintEvent(QPaintEvent*)
{
    // No background of its own: the tab page's face shows through around the letters.
    QPainter painter(this);
    painter.setFont(font());
    const QRect place = contentsRect();
    const QRect shifted = place.translated(1, 1);
    const int flags = (alignment() & Qt::AlignHCenter ? Qt::AlignHCenter : Qt::AlignLeft) |
                      Qt::AlignVCenter | Qt::TextSingleLine;
    const QPalette& colours = palette();
    const auto draw = [&](const QRect& rect, const QColor& colour) {
        painter.setPen(colour);
        painter.drawText(rect, flags, text());
    };
    if (isEnabled()) {
        draw(shifted, colours.color(QPalette::Active, QPalette::Button));
        draw(place, QColor(0, 0, 255));
    } else {
        draw(place, colours.color(QPalette::Active, QPalette::Button));
        draw(shifted, colours.color(QPalette::Active, QPalette::Highlight));
        draw(place, colours.color(QPalette::Disabled, QPalette::WindowText));
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(place, flags, text()).adjusted(-2, -1, 2, 1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void CHyperlinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        open();
    QLabel::mouseReleaseEvent(event);
}

void CHyperlinkLabel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        open();
        return;
    }
    QLabel::keyPressEvent(event);
}
