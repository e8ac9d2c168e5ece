#include "ui/result/CResultView.h"

#include "analysis/CAnalysisState.h"
#include "calc/CCalculator.h"
#include "platform/CFileSystem.h"
#include "report/CHtmlWriter.h"
#include "platform/CSettingsStore.h"
#include "platform/CUserException.h"
#include "ui/common/CommandIds.h"
#include "platform/Platform.h"
#include "platform/PrivateFile.h"
#include "calc/StringTable.h"
#include "platform/CMessageSink.h"
#include "ui/result/CPageExporter.h"
#include "ui/result/CPagePrinter.h"
#include "ui/result/CWordExport.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace {

const char kSection[] = "ShowStyle";
const char kZoomValue[] = "ZoomFactor";

int g_zoomLevel = 0;
int g_zoomMaximum = 0;
std::set<CResultView*> g_views;

// The browser copies without hyperlinks whichever way a copy starts (keys, context menu,
// drag), and leaves the copy and select-all keys to the window's commands when it has them.
class CLinklessBrowser : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;

protected:
    QMimeData* createMimeDataFromSelection() const override
    {
        return CResultView::mimeDataWithoutLinks(textCursor().selection());
    }
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(e);
            if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
                e->ignore();
                return true;
            }
        }
        return QTextBrowser::event(e);
    }
};

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

void reportFileError(int error)
{
    if (error == ENOSPC || error == EDQUOT) {
        Platform::messages().showMessage(LoadString(IDS_NO_DISK_SPACE));
        return;
    }
    Platform::messages().showMessage(error != 0 ? std::strerror(error)
                                                : "Internal application error.");
}

} // namespace

CResultView::CResultView(QWidget* parent) : CStepView(parent)
{
    m_browser = new CLinklessBrowser(this);
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    m_browser->setAcceptDrops(false);
    m_browser->setFrameShape(QFrame::NoFrame);
    // A scroll bar that comes and goes would have every long page laid out twice.
    m_browser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The pages ask for a left margin of 15 pixels, which the browser does not read.
    m_browser->document()->setDocumentMargin(15);
    // Words are never broken, also where a line is too narrow for one.
    m_browser->setWordWrapMode(QTextOption::WordWrap);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    setFocusProxy(m_browser);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &CResultView::followLink);
    g_views.insert(this);
}

CResultView::~CResultView()
{
    g_views.erase(this);
}

std::string CResultView::pageFilePath() const
{
    const CAnalysisState* state = analysisState();
    if (!state)
        return std::string();
    const std::string folder = Platform::files().tempFolder();
    if (folder.empty())
        return std::string();
    return folder + "zentrima" + std::to_string(state->number()) + ".htm";
}

void CResultView::loadData(int step)
{
    m_step = step;
    if (writePage(step))
        showPageFile();
}

bool CResultView::writePage(int step)
{
    CAnalysisState* state = analysisState();
    CCalculator* calculator = state ? state->currentCalculator() : nullptr;
    if (!calculator)
        return false;
    const std::string path = pageFilePath();
    // Without a private folder the page is written into memory and shown from there.
    char* memory = nullptr;
    size_t memorySize = 0;
    FILE* file = path.empty() ? open_memstream(&memory, &memorySize) : OpenPrivateFile(path);
    if (!file) {
        reportFileError(errno);
        return false;
    }
    {
        CHtmlWriter writer(file, CHtmlWriter::ModeHtmlLinks);
        if (step == 4) {
            calculator->WriteReportForQuery(writer, nullptr);
            m_titleId = calculator->GetExplanationTitleId();
        } else {
            calculator->WriteTradeoffPage(writer);
            m_titleId = calculator->GetTitleId();
        }
    }
    // Buffered writes fail late: a full disk shows at the flush or the close.
    errno = 0;
    bool failed = std::fflush(file) != 0;
    int error = errno;
    failed = failed || std::ferror(file);
    errno = 0;
    if (std::fclose(file) != 0 && !failed) {
        failed = true;
        error = errno;
    }
    if (memory != nullptr) {
        m_pageText = QString::fromLocal8Bit(memory, static_cast<qsizetype>(memorySize));
        std::free(memory);
    }
    if (failed) {
        reportFileError(error);
        return false;
    }
    return true;
}

void CResultView::showPageFile()
{
    const std::string path = pageFilePath();
    QFile file(QString::fromStdString(path));
    if (!path.empty() && !file.open(QIODevice::ReadOnly))
        return;
    // Fit the browser to the view first, and the text size too: the document is then laid
    // out once, at its final width and size. (The zoom range is asked for with the process's
    // first page.)
    layout()->activate();
    applyZoom(g_zoomMaximum == 0);
    // The page is read and its table cells marked before the browser has it: a document
    // the browser shows would be laid out once for the reading and again for the marks.
    auto* page = new QTextDocument(m_browser);
    page->setDocumentMargin(m_browser->document()->documentMargin());
    page->setDefaultFont(m_browser->document()->defaultFont());
    // The page is written with the C library in the user's locale (the footer's date).
    page->setHtml(path.empty() ? m_pageText : QString::fromLocal8Bit(file.readAll()));
    keepCellsOnOneLine(*page);
    QTextDocument* shown = m_browser->document();
    const bool ownShown = shown->parent() == m_browser;
    m_browser->setDocument(page);
    if (ownShown)
        delete shown;
}

void CResultView::keepCellsOnOneLine(QTextDocument& document)
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

void CResultView::applyZoom(bool askRange)
{
    if (askRange) {
        g_zoomMaximum = ZoomMaximum;
        g_zoomLevel = Platform::settings().readInt(kSection, kZoomValue, g_zoomMaximum / 2);
    }
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSizeForLevel(g_zoomLevel));
    m_browser->document()->setDefaultFont(font);
}

int CResultView::pixelSizeForLevel(int level)
{
    static const int kSizes[ZoomMaximum + 1] = {11, 13, 16, 19, 23};
    // A stored level outside the range keeps its value; the text takes the nearest size.
    return kSizes[std::clamp(level, 0, static_cast<int>(ZoomMaximum))];
}

int CResultView::zoomLevel()
{
    return g_zoomLevel;
}

int CResultView::zoomMaximum()
{
    return g_zoomMaximum;
}

void CResultView::resetZoom()
{
    g_zoomLevel = 0;
    g_zoomMaximum = 0;
}

void CResultView::changeZoom(int delta)
{
    const int level = g_zoomLevel + delta;
    if (delta > 0 ? g_zoomLevel >= g_zoomMaximum : g_zoomLevel <= 0)
        return;
    g_zoomLevel = level;
    Platform::settings().writeInt(kSection, kZoomValue, g_zoomLevel);
    for (CResultView* view : g_views)
        view->applyZoom(false);
}

bool CResultView::handleCommand(int id)
{
    switch (id) {
    case ID_ZOOM_IN:
        changeZoom(+1);
        return true;
    case ID_ZOOM_OUT:
        changeZoom(-1);
        return true;
    case ID_SELECT_RESULTS:
        selectElement(QStringLiteral("RESULT"));
        return true;
    case ID_SELECT_ALL:
        selectElement(QStringLiteral("ALL"));
        return true;
    case ID_EDIT_COPY:
        copyWithoutLinks();
        return true;
    case ID_FILE_EXPORT:
        CPageExporter::exportPage(analysisState(), m_step, this);
        return true;
    case ID_FILE_PRINT:
        CPagePrinter::print(m_browser->document(), this);
        return true;
    case ID_PAGE_SETUP:
        CPagePrinter::pageSetup(this);
        return true;
    case ID_TO_WORD:
        CWordExport::exportView(m_browser);
        return true;
    case ID_GRAPH:
        graphCurrentTable();
        return true;
    default:
        return false;
    }
}

bool CResultView::commandEnabled(int id, bool& enabled) const
{
    switch (id) {
    case ID_ZOOM_IN:
        enabled = g_zoomLevel < g_zoomMaximum;
        return true;
    case ID_ZOOM_OUT:
        enabled = g_zoomLevel > 0;
        return true;
    case ID_SELECT_RESULTS:
    case ID_SELECT_ALL:
    case ID_EDIT_COPY:
    case ID_FILE_EXPORT:
    case ID_FILE_PRINT:
    case ID_PAGE_SETUP:
    case ID_TO_WORD:
        enabled = true;
        return true;
    case ID_GRAPH:
        enabled = analysisState() && analysisState()->currentCalculator();
        return true;
    default:
        return false;
    }
}

void CResultView::graphCurrentTable()
{
    CAnalysisState* state = analysisState();
    CCalculator* calculator = state ? state->currentCalculator() : nullptr;
    if (!calculator)
        return;
    try {
        calculator->GraphExport();
    } catch (const CUserException&) {
        // The export has told the user why it stopped (its script is held open elsewhere).
    }
}

void CResultView::followLink(const QUrl& link)
{
    // The pages' own cell links are a bare query ("?n=3&pow=2"); a web address that has a
    // query of its own is an ordinary link.
    const bool cellLink = link.isRelative() && link.host().isEmpty() && link.path().isEmpty() &&
                          link.hasQuery() && !link.hasFragment();
    CAnalysisState* state = analysisState();
    CCalculator* calculator = state ? state->currentCalculator() : nullptr;
    if (calculator && cellLink) {
        const std::string query = link.query(QUrl::FullyEncoded).toStdString();
        calculator->SelectFromQuery(query.c_str());
        emit commandRequested(ID_STEP_4);
        return;
    }
    if (link.isRelative() && link.path().isEmpty() && link.hasFragment()) {
        m_browser->scrollToAnchor(link.fragment());
        return;
    }
    const QUrl target = QUrl::fromLocalFile(QString::fromStdString(pageFilePath())).resolved(link);
    if (target.isLocalFile())
        m_browser->setSource(target);
    else
        QDesktopServices::openUrl(target);
}

QTextCursor CResultView::elementRange(QTextDocument* document, const QString& id)
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

bool CResultView::selectElement(const QString& id)
{
    const QTextCursor range = elementRange(m_browser->document(), id);
    if (range.isNull())
        return false;
    m_browser->setTextCursor(range);
    return true;
}

void CResultView::copyWithoutLinks()
{
    QTextCursor selection = m_browser->textCursor();
    if (!selection.hasSelection())
        selection = elementRange(m_browser->document(), QStringLiteral("ALL"));
    if (selection.isNull() || !selection.hasSelection())
        return;
    QApplication::clipboard()->setMimeData(mimeDataWithoutLinks(selection.selection()));
}

void CResultView::removeLinks(QTextDocument& copy)
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

QMimeData* CResultView::mimeDataWithoutLinks(const QTextDocumentFragment& fragment)
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

bool CResultView::rendererAvailable()
{
    QTextDocument probe;
    probe.setHtml(QStringLiteral("<TABLE><TR><TD ID=\"ALL\"><A id=\"RESULT\">x</A>"
                                 "<A HREF=\"?pow=0\">1</A></TD></TR></TABLE>"));
    return probe.toPlainText().contains(QLatin1Char('x')) &&
           !findAnchor(&probe, QStringLiteral("ALL")).isNull() &&
           !findAnchor(&probe, QStringLiteral("RESULT")).isNull();
}
