#pragma once

#include <QMarginsF>

#include <functional>
#include <memory>

class QPrinter;
class QTextDocument;
class QWidget;

/// Print and Page Setup of the displayed page. One printer set-up is kept for the run, so
/// the page set up is the page printed. The page is printed as it reads on screen but at a
/// size for paper: body text at 10.5 points, paragraphs and the page's frame filling the
/// printable width of the paper and margins set up, links as plain black text, a table too
/// wide for the page in smaller text, and a table that fits on one page never split over two.
class CPagePrinter
{
public:
    /// Runs a dialog on printer; true when the user accepted it.
    using DialogRunner = std::function<bool(QPrinter& printer, QWidget* parent)>;

    /// Body text size on paper, in points.
    static constexpr double BodyPointSize = 10.5;
    /// The margins of the run's printer until Page Setup changes them, in millimetres.
    static const QMarginsF DefaultMargins;

    /// Shows the print dialog for document and prints it when the user accepts; nothing
    /// happens without a document.
    static void print(QTextDocument* document, QWidget* parent);
    /// Shows the page-setup dialog of the run's printer.
    static void pageSetup(QWidget* parent);
    /// Prints document on printer without a dialog; false when there is nothing to print or
    /// the printer could not be used.
    static bool printTo(QTextDocument* document, QPrinter& printer);
    /// The printer set-up kept for the run.
    static QPrinter& printer();

    /// A copy of document laid out for printer's paper (see the class comment); the screen's
    /// document is left as it is.
    static std::unique_ptr<QTextDocument> paperCopy(const QTextDocument& document,
                                                    QPrinter& printer);

    /// Replaces the print dialog (and the page-setup dialog) by runner; an empty runner
    /// brings the dialogs back. For tests and scripted runs.
    static void setDialogRunners(DialogRunner print, DialogRunner pageSetup);
};
