#include "ui/result/CResultView.h"

#include "analysis/CAnalysisState.h"
#include "calc/CCalculator.h"
#include "calc/DirectAnswerSearch.h"
#include "platform/CFileSystem.h"
#include "report/CHtmlWriter.h"
#include "calc/SimulatedCheck.h"
#include "ui/result/CSimulationPanel.h"
#include "platform/CSettingsStore.h"
#include "platform/CUserException.h"
#include "ui/common/CommandIds.h"
#include "platform/Platform.h"
#include "platform/PrivateFile.h"
#include "calc/StringTable.h"
#include "platform/CMessageSink.h"
#include "ui/result/CDirectAnswerBar.h"
#include "ui/result/CLinklessBrowser.h"
#include "ui/result/CPageDocument.h"
#include "ui/result/CPageExporter.h"
#include "ui/result/CPagePrinter.h"
#include "ui/result/CWordExport.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {

const char kSection[] = "ShowStyle";
const char kZoomValue[] = "ZoomFactor";

int g_zoomLevel = 0;
int g_zoomMaximum = 0;
std::set<CResultView*> g_views;

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
    m_answerBar = new CDirectAnswerBar(this);
    m_answerBar->hide();
    layout->addWidget(m_answerBar);
    layout->addWidget(m_browser);
    m_simulation = new CSimulationPanel(this);
    layout->addWidget(m_simulation);
    connect(m_simulation, &CSimulationPanel::finished, this, [this](const QString& paragraph) {
        m_simulatedCheck = paragraph.toStdString();
        if (writePage(4))
            showPageFile();
    });
    setFocusProxy(m_browser);
    connect(m_answerBar, &CDirectAnswerBar::findRequested, this, &CResultView::findDirectAnswer);
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
    CCalculator* calculator = analysisState() ? analysisState()->currentCalculator() : nullptr;
    m_answerBar->setVisible(step == 3 && calculator != nullptr);
    if (step == 3 && calculator != nullptr) {
        // The inputs may have changed since the effect was asked for.
        RefreshDirectAnswers(*calculator);
        m_answerBar->showFor(*calculator);
    }
    m_simulatedCheck.clear();
    if (writePage(step))
        showPageFile();
    CAnalysisState* state = analysisState();
    m_simulation->offer(step == 4 && state ? state->currentCalculator() : nullptr);
}

void CResultView::findDirectAnswer()
{
    CCalculator* calculator = analysisState() ? analysisState()->currentCalculator() : nullptr;
    if (!calculator)
        return;
    double effect = 0;
    if (!m_answerBar->effect(effect)) {
        Platform::messages().showMessage("Enter the effect as a number, for example 2.5.");
        m_answerBar->field()->setFocus();
        return;
    }
    // Step 3 searches again for the effect stored here.
    calculator->m_direct.requested = true;
    calculator->m_direct.effect = effect;
    loadData(3);
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
        if (step == 4 && !m_simulatedCheck.empty())
            writer.SetBeforeFooter(
                [this](CHtmlWriter& w) { WriteSimulatedCheck(w, m_simulatedCheck); });
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
    CPageDocument::keepCellsOnOneLine(*page);
    QTextDocument* shown = m_browser->document();
    const bool ownShown = shown->parent() == m_browser;
    m_browser->setDocument(page);
    if (ownShown)
        delete shown;
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

bool CResultView::selectElement(const QString& id)
{
    const QTextCursor range = CPageDocument::elementRange(m_browser->document(), id);
    if (range.isNull())
        return false;
    m_browser->setTextCursor(range);
    return true;
}

void CResultView::copyWithoutLinks()
{
    QTextCursor selection = m_browser->textCursor();
    if (!selection.hasSelection())
        selection = CPageDocument::elementRange(m_browser->document(), QStringLiteral("ALL"));
    if (selection.isNull() || !selection.hasSelection())
        return;
    QApplication::clipboard()->setMimeData(
        CPageDocument::mimeDataWithoutLinks(selection.selection()));
}
