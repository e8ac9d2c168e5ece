#pragma once

#include <QString>

class CMainFrame;

/// Walks the first analysis window through the four steps the way a user would (the
/// paired design, SD 10 and r 0.5, Calculate, a click on a table cell) and saves a picture
/// of the main window at each step: step1.png to step4.png in a folder, and the step-4
/// report printed on A4 as printed.pdf. Used to make the pictures of the documentation
/// (`zentrima-step-shots DIR`, run by scripts/screenshots.sh).
class CScreenshotDriver
{
public:
    /// False, with a reason, when a step could not be reached or a picture not written.
    static bool run(CMainFrame& frame, const QString& folder, QString& error);
};
