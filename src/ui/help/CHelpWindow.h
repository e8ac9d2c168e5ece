#pragma once

#include "ui/help/CHelpBook.h"
#include "ui/help/HelpTopics.h"

#include <QRect>
#include <QUrl>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

/// The program's own help window: the contents tree and the index (with a filter field) of
/// the help book on the left, the topic on the right. Links between topics are followed in
/// the window, links to web addresses open in the desktop's browser. Back and Forward walk
/// the pages seen.
///
/// Object names for tests and screenshots: "navigation" (the tab widget: "Contents" first,
/// "Index" second), "contents", "indexFilter", "index", "topic", "back", "forward".
class CHelpWindow : public QWidget
{
    Q_OBJECT

public:
    /// The requests of showHelp besides topic numbers.
    static constexpr int ContentsTopic = HelpTopic::Contents;
    static constexpr int IndexTopic = HelpTopic::Index;

    explicit CHelpWindow(QWidget* parent = nullptr);
    ~CHelpWindow() override;

    /// Opens the help book file and fills contents and index. False when the file is
    /// missing or is no help book; book().path() then names the file looked for.
    bool openBook(const QString& path);
    const CHelpBook& book() const { return m_book; }

    /// The help operation: ContentsTopic, IndexTopic or a topic number (an unknown number
    /// shows the contents). On the first request of a settings store ("ShowStyle"/"Help"
    /// is 0), and on the first of each run, the window is given its first placement on the
    /// work area of its screen and the flag becomes 1; later it keeps the place the user
    /// gives it, brought wholly onto the screen when it opens again. Then it is shown,
    /// raised and activated. Escape closes it. False when no book is open or the topic is unknown.
    bool showHelp(int topic);

    /// The book's start page with the contents tab in front.
    void showContents();
    /// The index tab in front, with the keyboard in its filter field.
    void showIndex();
    /// The page of a topic number; false (nothing changes) for an unknown number.
    bool showTopic(int topic);
    /// A page or "page#anchor" of the book.
    void showPage(const QString& target);

    /// The first placement on a work area: 800 x 600 centred in it, or the whole width or
    /// height where the work area is no larger than that.
    static QRect firstPlacement(const QRect& workArea);

    QTextBrowser* topicView() const { return m_view; }
    QTreeWidget* contentsTree() const { return m_contents; }
    QLineEdit* indexFilter() const { return m_filter; }
    QListWidget* indexList() const { return m_index; }
    QTabWidget* navigation() const { return m_tabs; }

private:
    QWidget* createContentsTab();
    QWidget* createIndexTab();
    QWidget* createTopicPane();
    void fillContents();
    void fillIndex();
    void filterIndex(const QString& text);
    void openIndexItem(QListWidgetItem* item);
    void openContentsItem(QTreeWidgetItem* item);
    void pageShown(const QUrl& url);
    void placeOnFirstRequest();

    CHelpBook m_book;
    QTabWidget* m_tabs = nullptr;
    QTreeWidget* m_contents = nullptr;
    QLineEdit* m_filter = nullptr;
    QListWidget* m_index = nullptr;
    QTextBrowser* m_view = nullptr;
    bool m_placed = false;
};
