#pragma once

class QPrinter;
class QTextDocument;
class QWidget;

/// Print and Page Setup of the displayed page. One printer set-up is kept for the run, so
/// the page set up is the page printed.
class CPagePrinter
{
public:
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
};
