#pragma once

#include <QString>

#include <functional>
#include <string>

class CAnalysisState;
class CCalculator;
class QWidget;

/// Export...: saves the page of the current step, written again by the current calculator,
/// as HTML without links or as plain text, whichever the file's extension asks for.
class CPageExporter
{
public:
    /// Asks the user for the file to write; an empty result means cancelled.
    using PathChooser = std::function<QString(QWidget* parent)>;

    /// Replaces the save dialog (tests give the path this way); an empty chooser brings the
    /// dialog back.
    static void setPathChooser(PathChooser chooser);

    /// Writer mode for path: HTML without links when its extension begins with "htm" in
    /// any case ("htm", "HTML"), plain text otherwise (also for no extension).
    static int writerModeFor(const QString& path);
    /// The message of a file that could not be written: the path and the reason.
    static std::string exportErrorText(const std::string& path, const std::string& reason);

    /// Asks for a file and writes the page of step (4 the report on the selected cell,
    /// otherwise the table of tradeoffs) into it. Nothing happens without a state or a
    /// calculator, or when the user cancels.
    static void exportPage(CAnalysisState* state, int step, QWidget* parent);

    /// Writes the page of step into path in the mode its extension selects. The file is
    /// replaced only once the whole page is written; a file error shows its own description
    /// with the stop icon, leaves the old file as it was and returns false.
    static bool writePage(CCalculator& calculator, int step, const std::string& path);

private:
    static QString askForPath(QWidget* parent);
};
