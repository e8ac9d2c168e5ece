#pragma once

#include "ui/common/CStepView.h"

#include <string>

class CDirectAnswerBar;
class CSimulationPanel;
class QTextBrowser;
class QUrl;

/// The view of steps 3 and 4: the current calculator writes the page of the step into the
/// analysis's display page file ("zentrima<number>.htm" in the private temporary folder),
/// which a text browser then shows, read anew every time. A click on a table-cell link
/// selects that cell and asks the window for step 4. The view also zooms the text (one
/// level shared by every result view of the process and kept in the settings), selects the
/// results table or the whole report, copies without hyperlinks, and exports, prints and
/// hands the page to the word processor.
class CResultView : public CStepView
{
    Q_OBJECT

public:
    /// Largest zoom level; the levels run from 0 (smallest text) to this, 2 is normal.
    static constexpr int ZoomMaximum = 4;

    explicit CResultView(QWidget* parent = nullptr);
    ~CResultView() override;

    /// Writes the page of step (3 the table of tradeoffs, 4 the report on the selected
    /// cell) into the display page file and shows it.
    void loadData(int step) override;
    bool saveData() override { return true; }
    /// Title id of the page last written; 0 before the first.
    unsigned int templateId() const override { return m_titleId; }
    bool handleCommand(int id) override;
    bool commandEnabled(int id, bool& enabled) const override;

    QTextBrowser* browser() const { return m_browser; }
    /// The step-3 field that asks the table for the N or power of an effect.
    CDirectAnswerBar* answerBar() const { return m_answerBar; }
    /// The "Check by simulation" line under a step-4 report.
    CSimulationPanel* simulationPanel() const { return m_simulation; }
    /// "<temporary folder>zentrima<number>.htm"; empty without an analysis state or without
    /// a private folder (the page is then kept in memory).
    std::string pageFilePath() const;

    /// What a click on a link does: a cell link (nothing but a query, "?pow=2") selects the
    /// table cell its query names and asks for step 4; any other link is followed (web
    /// addresses by the desktop's browser).
    void followLink(const QUrl& link);
    /// Selects on screen the part of the page that the anchor id names: "ALL" the whole
    /// report (the contents of the page's outer table cell), "RESULT" the results table with
    /// its title (from the anchor to the end of the first table after it). False, with the
    /// selection unchanged, when the page has no such anchor.
    bool selectElement(const QString& id);
    /// Puts the selection, or the whole report when nothing is selected, on the clipboard
    /// as HTML and plain text without hyperlinks; the screen keeps its links and selection.
    void copyWithoutLinks();

    /// The process-wide zoom: the level, and the largest level (0 until the first page of
    /// the process has been shown).
    static int zoomLevel();
    static int zoomMaximum();
    /// Forgets the process-wide zoom, as a new process would: the next page shown reads the
    /// stored level again.
    static void resetZoom();
    /// Text pixel size of the pages at a zoom level.
    static int pixelSizeForLevel(int level);

private:
    bool writePage(int step);
    void showPageFile();
    void applyZoom(bool askRange);
    static void changeZoom(int delta);
    // Hands the analysis's table to the graphing program; the export reports its own
    // problems.
    void graphCurrentTable();
    // Answers the effect of the answer bar on the step-3 page, or says why it cannot.
    void findDirectAnswer();

    CDirectAnswerBar* m_answerBar = nullptr;

    QTextBrowser* m_browser = nullptr;
    CSimulationPanel* m_simulation = nullptr;
    // The simulated check of the report shown, written before its footer; a new page
    // forgets it.
    std::string m_simulatedCheck;
    // The page last written, when there is no private folder to write it into.
    QString m_pageText;
    unsigned int m_titleId = 0;
    // The step of the page last written; Export... writes that page again.
    int m_step = 3;
};
