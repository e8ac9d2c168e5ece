#pragma once

#include <QDialog>

class CHyperlinkLabel;
class QCheckBox;
class QLabel;
class QTabWidget;
class QVBoxLayout;

/// The about box: the "About" tab (the product's picture, name, version line, notices and
/// a link to the maker's home page) and the "Programming Team" tab (the credits and a link
/// to the contractor's site), the "Show at start-up" check box and an OK button. It opens on
/// "About". The check box shows and, when the box closes, stores the start-up choice.
class CAboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);

    /// The release date in the compiler's date format, the same for every build of a
    /// release (the date of its change-log entry).
    static const char* const ReleaseDate;
    /// Whether the box opens at the end of start-up: "Application"/"ShowAboutAtStartup" of
    /// the settings, 1 (yes) unless the user cleared the check box.
    static bool showsAtStartup();

    void done(int result) override;

    QTabWidget* tabs() const { return m_tabs; }
    QLabel* versionLabel() const { return m_version; }
    CHyperlinkLabel* makerLink() const { return m_makerLink; }
    CHyperlinkLabel* contractorLink() const { return m_contractorLink; }
    QCheckBox* showAtStartupBox() const { return m_showAtStartup; }

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
    QCheckBox* m_showAtStartup = nullptr;
    QFont m_bold;
};
