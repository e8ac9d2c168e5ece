#pragma once

#include "graph-viewer/CGraphPicture.h"
#include "graph-viewer/CScriptLock.h"

#include <QWidget>

/// The window that shows a graph. It holds the lock on its script until it closes; Ctrl+S
/// saves the graph as a PNG picture.
class CGraphWindow : public QWidget
{
    Q_OBJECT

public:
    CGraphWindow(const CGraphPicture& picture, CScriptLock lock, QWidget* parent = nullptr);

    bool holdsScript() const { return m_lock.isLocked(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void savePicture();

    CGraphPicture m_picture;
    CScriptLock m_lock;
};
