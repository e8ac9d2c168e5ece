#pragma once

#include <QTextCursor>

class QMimeData;
class QString;
class QTextDocument;
class QTextDocumentFragment;

/// What the result view, the printer and the word-processor export do with a rendered page
/// document: find its parts by anchor, take its links out, give it to the clipboard with
/// tables as tab-separated rows, and keep table cells on one line.
class CPageDocument
{
public:
    CPageDocument() = delete;

    /// The part of document that the anchor id names ("ALL" the whole report, the contents of the
    /// page's outer table cell; "RESULT" the results table with its title, from the anchor to the
    /// end of the first table after it); a null cursor when there is none.
    static QTextCursor elementRange(QTextDocument* document, const QString& id);
    /// Turns every hyperlink of document into plain text in the text's own colour.
    static void removeLinks(QTextDocument& document);
    /// The fragment as clipboard data, every hyperlink turned into plain text; in the plain
    /// text a table keeps its rows as tab-separated lines.
    static QMimeData* mimeDataWithoutLinks(const QTextDocumentFragment& fragment);

    /// Keeps the cells of document's tables on one line (a number or a heading is never
    /// broken inside), except the page's one-cell frame and cells that hold a sentence,
    /// which wrap between words only.
    static void keepCellsOnOneLine(QTextDocument& document);

    /// True when the text browser renders a page the way the views need (tables, and ids
    /// that become anchors).
    static bool rendererAvailable();
};
