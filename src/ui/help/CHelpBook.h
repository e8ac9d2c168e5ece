#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVector>

/// The help book: a Qt binary resource file (Zentrima.rcc beside the program) holding the
/// help pages, their stylesheet and pictures, and three plain-text lists that the book
/// carries at its root:
///
/// - topics.txt: "number | page" lines, the pages that the help commands and the forms'
///   "Help me decide" buttons ask for by number;
/// - contents.txt: "title | page" lines, indented by two spaces per level, the contents tree;
/// - index.txt: "term | page" or "term | page#anchor" lines, the index.
///
/// Blank lines and lines that begin with "#" are comments. Pages are addressed by their path
/// inside the book ("power-tutorial.htm"); the book's files are reached through the "qrc"
/// scheme under a resource root of this object's own, so two books never shadow each other.
class CHelpBook
{
public:
    struct ContentsEntry
    {
        int depth = 0;
        QString title;
        QString target;
    };
    struct IndexEntry
    {
        QString term;
        QString target;
    };

    CHelpBook();
    /// Gives the resource file back to Qt.
    ~CHelpBook();
    CHelpBook(const CHelpBook&) = delete;
    CHelpBook& operator=(const CHelpBook&) = delete;

    /// Registers the book file at path and reads its lists. False when the file is missing,
    /// is not a resource file, or carries no topic list; path() then names the file that
    /// was looked for. A book already open is closed first.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return m_open; }
    /// The file given to the last open, whether or not it could be opened.
    QString path() const { return m_path; }

    /// The address of a page or "page#anchor" of the book.
    QUrl url(const QString& target) const;
    /// The page of a topic number; an empty address for an unknown number.
    QUrl topicUrl(int topic) const;
    /// The first contents entry's page, shown when the contents are asked for.
    QUrl startUrl() const;
    QList<int> topics() const { return m_topics.keys(); }
    const QVector<ContentsEntry>& contents() const { return m_contents; }
    const QVector<IndexEntry>& index() const { return m_index; }

    /// The path of a book address inside the book ("power-tutorial.htm"), without its
    /// anchor; empty for an address outside this book.
    QString pagePath(const QUrl& url) const;
    /// The text of a file of the book; empty when there is no such file.
    QString readFile(const QString& pathInBook) const;
    bool hasFile(const QString& pathInBook) const;

private:
    QString resourcePath(const QString& pathInBook) const;
    bool readLists();

    QString m_path;
    QString m_root;
    bool m_registered = false;
    bool m_open = false;
    QMap<int, QString> m_topics;
    QVector<ContentsEntry> m_contents;
    QVector<IndexEntry> m_index;
};
