#pragma once

#include <QLabel>

/// A line of text that opens a web address when clicked: underlined, drawn in blue over a
/// faint shadow of the face colour, with the hand cursor over it. Tab reaches it, and Space
/// or Return opens it as a click does.
class CHyperlinkLabel : public QLabel
{
    Q_OBJECT

public:
    CHyperlinkLabel(const QString& text, const QString& target, QWidget* parent = nullptr);

    QString target() const { return m_target; }

    /// Hands the target to the desktop's web browser; nothing is reported when none opens it.
    void open() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_target;
};
