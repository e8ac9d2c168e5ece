#pragma once

#include <QDialog>

class CHyperlinkLabel;
class QLabel;
class QTabWidget;
class QVBoxLayout;

/// The about box: the "About" tab (the product's picture, name, version line, notices and
/// a link to the maker's home page) and the "Programming Team" tab (the credits and a link
/// to the contractor's site), and an OK button. It opens on "About".
class CAboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    QLabel* versionLabel() const { return m_version; }
    CHyperlinkLabel* makerLink() const { return m_makerLink; }
    CHyperlinkLabel* contractorLink() const { return m_contractorLink; }

    /// "Version 2.00, <month> <day>, <year>" from a build date in the compiler's format
    /// ("Jun  9 2004" gives "Version 2.00, June 9, 2004").
    static QString versionLine(const char* buildDate);

private:
    QWidget* makeAboutPage();
    QWidget* makeTeamPage();
    // The picture, product line and version line both pages open with.
    QVBoxLayout* makePageHead(QWidget* page, const QString& picture);
    QLabel* addText(QVBoxLayout* layout, const QString& text, bool bold = false);

    QTabWidget* m_tabs = nullptr;
    QLabel* m_version = nullptr;
    CHyperlinkLabel* m_makerLink = nullptr;
    CHyperlinkLabel* m_contractorLink = nullptr;
    QFont m_bold;
};
