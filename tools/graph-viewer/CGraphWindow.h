#pragma once

#include "graph-viewer/CGraphPicture.h"
#include "graph-viewer/CScriptLock.h"

#include <QWidget>

/// The window that shows a graph. It holds the lock on its script until it closes; Ctrl+S
/// saves the graph as a PNG picture. It opens in the middle of the screen, wholly on it.
class CGraphWindow : public QWidget
{
    Q_OBJECT

public:
    CGraphWindow(const CGraphPicture& picture, CScriptLock lock, QWidget* parent = nullptr);

    bool holdsScript() const { return m_lock.isLocked(); }

    /// The window's place for a graph of size on a screen whose available area is area:
    /// centred, and no larger than the area.
    static QRect placement(const QSize& size, const QRect& area);
    /// Once shown: brings the window, its frame included, wholly onto the screen.
    void keepOnScreen();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    static QRect screenArea();
    void savePicture();

    CGraphPicture m_picture;
    CScriptLock m_lock;
};
