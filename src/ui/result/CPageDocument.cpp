#include "ui/result/CPageDocument.h"

#include <QMimeData>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>

#include <utility>
#include <vector>

namespace {

QTextCursor findAnchor(QTextDocument* document, const QString& name)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.charFormat().anchorNames().contains(name))
            return QTextCursor(block);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorNames().contains(name)) {
                QTextCursor cursor(document);
                cursor.setPosition(fragment.position());
                return cursor;
            }
        }
    }
    return QTextCursor();
}

QString frameText(QTextFrame* frame);

// The text of one table cell on one line; a cell holding only blanks is empty.
QString cellText(const QTextTableCell& cell)
{
    QStringList parts;
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
        if (QTextFrame* inner = it.currentFrame())
            parts << frameText(inner).simplified();
        else
            parts << it.currentBlock().text();
    }
    QString text = parts.join(QLatin1Char(' '));
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    return text.simplified();
}

// A table as tab-separated lines, one a row, as Export writes plain text. Columns that no
// single cell fills (the spacer columns between row labels and values) are left out; a
// heading over several columns stands in the first column kept under it.
QStringList tableLines(QTextTable* table)
{
    const int columns = table->columns();
    std::vector<bool> used(columns, false);
    for (int r = 0; r < table->rows(); ++r)
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.columnSpan() == 1 && !cellText(cell).isEmpty())
                used[c] = true;
        }
    QStringList lines;
    for (int r = 0; r < table->rows(); ++r) {
        std::vector<QString> row(columns);
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue;
            int at = c;
            while (at < c + cell.columnSpan() - 1 && !used[at])
                ++at;
            row[at] = cellText(cell);
            used[at] = used[at] || !row[at].isEmpty();
        }
        QStringList kept;
        for (int c = 0; c < columns; ++c)
            if (used[c])
                kept << row[c];
        lines << kept.join(QLatin1Char('\t'));
    }
    return lines;
}

QString frameText(QTextFrame* frame)
{
    QStringList lines;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* inner = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(inner))
                lines << tableLines(table);
            else
                lines << frameText(inner);
        } else {
            lines << it.currentBlock().text();
        }
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void CPageDocument::keepCellsOnOneLine(QTextDocument& document)
{
    // Words are never broken, also where a line is too narrow for one.
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(option);
    // A cell of a few words is a number or a heading; more words make a sentence.
    const int sentenceWords = 5;
    // One change for the layout, not one per cell.
    QTextCursor batch(&document);
    batch.beginEditBlock();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        QTextTable* table = cursor.currentTable();
        if (!table || (table->rows() == 1 && table->columns() == 1))
            continue;
        if (block.text().simplified().count(QLatin1Char(' ')) + 1 >= sentenceWords)
            continue;
        QTextBlockFormat format = block.blockFormat();
        if (format.nonBreakableLines())
            continue;
        format.setNonBreakableLines(true);
        cursor.setBlockFormat(format);
    }
    batch.endEditBlock();
}

QTextCursor CPageDocument::elementRange(QTextDocument* document, const QString& id)
{
    QTextCursor anchor = findAnchor(document, id);
    if (anchor.isNull())
        return anchor;
    QTextTable* outer = anchor.currentTable();
    QTextCursor range(document);
    if (id == QLatin1String("ALL") || !outer) {
        if (!outer) {
            range.setPosition(anchor.position());
            range.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            return range;
        }
        const QTextTableCell cell = outer->cellAt(anchor);
        range.setPosition(cell.firstPosition());
        range.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
        return range;
    }
    // The anchor opens the results: its title and the first table after it.
    const QTextTableCell cell = outer->cellAt(anchor);
    int end = cell.lastPosition();
    for (QTextBlock block = anchor.block(); block.isValid() && block.position() < end;
         block = block.next()) {
        QTextTable* table = QTextCursor(block).currentTable();
        if (table && table != outer) {
            while (table->parentFrame() && qobject_cast<QTextTable*>(table->parentFrame()) &&
                   table->parentFrame() != outer)
                table = qobject_cast<QTextTable*>(table->parentFrame());
            end = table->lastPosition();
            break;
        }
    }
    range.setPosition(anchor.position());
    range.setPosition(end, QTextCursor::KeepAnchor);
    return range;
}

void CPageDocument::removeLinks(QTextDocument& copy)
{
    // Collect the linked runs first; changing formats while walking them would split them.
    std::vector<std::pair<int, int>> links;
    for (QTextBlock block = copy.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment run = it.fragment();
            if (!run.charFormat().anchorHref().isEmpty())
                links.emplace_back(run.position(), run.position() + run.length());
        }
    }
    for (const auto& [start, end] : links) {
        QTextCursor run(&copy);
        run.setPosition(start);
        run.setPosition(end, QTextCursor::KeepAnchor);
        QTextCharFormat format = run.charFormat();
        format.setAnchor(false);
        format.setAnchorHref(QString());
        format.setFontUnderline(false);
        format.clearForeground();
        run.setCharFormat(format);
    }
}

QMimeData* CPageDocument::mimeDataWithoutLinks(const QTextDocumentFragment& fragment)
{
    QTextDocument copy;
    QTextCursor cursor(&copy);
    cursor.insertFragment(fragment);
    removeLinks(copy);
    auto* data = new QMimeData;
    data->setHtml(copy.toHtml());
    // Pasted into a spreadsheet or an editor, a table keeps its rows and columns.
    QString text = frameText(copy.rootFrame());
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    data->setText(text);
    return data;
}

bool CPageDocument::rendererAvailable()
{
    QTextDocument probe;
    probe.setHtml(QStringLiteral("<TABLE><TR><TD ID=\"ALL\"><A id=\"RESULT\">x</A>"
                                 "<A HREF=\"?pow=0\">1</A></TD></TR></TABLE>"));
    return probe.toPlainText().contains(QLatin1Char('x')) &&
           !findAnchor(&probe, QStringLiteral("ALL")).isNull() &&
           !findAnchor(&probe, QStringLiteral("RESULT")).isNull();
}
