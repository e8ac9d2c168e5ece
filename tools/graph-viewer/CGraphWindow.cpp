#include "graph-viewer/CGraphWindow.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QShortcut>

#include <utility>

CGraphWindow::CGraphWindow(const CGraphPicture& picture, CScriptLock lock, QWidget* parent)
    : QWidget(parent), m_picture(picture), m_lock(std::move(lock))
{
    const QString dialogTitle = m_picture.script().dialogTitle;
    const QString title = m_picture.script().title;
    setWindowTitle(title.isEmpty()         ? dialogTitle
                   : dialogTitle.isEmpty() ? title
                                           : title + QStringLiteral(" - ") + dialogTitle);
    setMinimumSize(320, 240);
    setGeometry(placement(m_picture.look().size, screenArea()));
    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, &CGraphWindow::savePicture);
    auto* close = new QShortcut(QKeySequence::Close, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

QRect CGraphWindow::placement(const QSize& size, const QRect& area)
{
    if (area.isEmpty())
        return QRect(QPoint(0, 0), size);
    // A template may ask for more than the screen has; the graph is drawn to the window's
    // size, so a smaller window loses nothing.
    QRect placed(QPoint(0, 0), size.boundedTo(area.size()));
    placed.moveCenter(area.center());
    return placed;
}

void CGraphWindow::keepOnScreen()
{
    // The window system's frame is known once the window is shown; it has to fit as well.
    const QRect frame = frameGeometry();
    const QRect inside = geometry();
    const QRect area = screenArea();
    if (area.isEmpty() || area.contains(frame))
        return;
    const QMargins margins(inside.left() - frame.left(), inside.top() - frame.top(),
                           frame.right() - inside.right(), frame.bottom() - inside.bottom());
    setGeometry(placement(size(), area.marginsRemoved(margins)));
}

QRect CGraphWindow::screenArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void CGraphWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_picture.paint(painter, rect());
}

void CGraphWindow::closeEvent(QCloseEvent* event)
{
    m_lock.unlock();
    event->accept();
}

void CGraphWindow::savePicture()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save Graph"), QStringLiteral("graph.png"), tr("PNG pictures (*.png)"));
    if (path.isEmpty())
        return;
    if (!m_picture.image().save(path, "PNG"))
        QMessageBox::warning(this, windowTitle(),
                             tr("The graph could not be saved to %1.").arg(path));
}
