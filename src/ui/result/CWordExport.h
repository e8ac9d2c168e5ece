#pragma once

#include <QString>

class QTextBrowser;

/// To Word: the page shown, or the part of it that is selected, goes without its hyperlinks
/// into a new untitled document of the word processor (LibreOffice Writer). The text is
/// handed over as an OpenDocument file "zentrima-word-<n>.odt" in the private temporary
/// folder, a new one each time. It stays while this run lasts (the word processor may still be
/// reading it at exit) and is removed by the next start's clean-up; a running Writer is
/// reused.
class CWordExport
{
public:
    /// Runs the export of browser's selection or whole report. Message 61222 when no word
    /// processor is installed, 61221 when the document cannot be written or the word
    /// processor cannot be started, a note when there is no private folder to put the file
    /// in. True when the word processor was started.
    static bool exportView(QTextBrowser* browser);

    /// The word processor's program on PATH; empty when there is none. executable tells
    /// whether the file found may be run.
    static QString findWordProcessor(bool& executable);

    /// Writes the selection of browser, or its whole report, without hyperlinks as an
    /// OpenDocument text file at path (never through a link); false when nothing could be
    /// written.
    static bool writeDocument(QTextBrowser* browser, const QString& path);

    /// A file name in the temporary folder that no earlier export used and no entry holds;
    /// empty without a private folder.
    static QString nextDocumentPath();
};
