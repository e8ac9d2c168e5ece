#pragma once

#include <QDialog>

class QLabel;
class QTabWidget;

/// The about box: the product's picture, name, version line and notices on the "About"
/// tab, and an OK button.
class CAboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    QLabel* versionLabel() const { return m_version; }

    /// "Version 2.00, <month> <day>, <year>" from a build date in the compiler's format
    /// ("Jun  9 2004" gives "Version 2.00, June 9, 2004").
    static QString versionLine(const char* buildDate);

private:
    QWidget* makeAboutPage();

    QTabWidget* m_tabs = nullptr;
    QLabel* m_version = nullptr;
};
