#include "graph-viewer/CGraphWindow.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QKeySequence>
#include <QMessageBox>
#include <QPainter>
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
    resize(m_picture.look().size);
    setMinimumSize(320, 240);
    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, &CGraphWindow::savePicture);
    auto* close = new QShortcut(QKeySequence::Close, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
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
