#include "ui/common/UiStrings.h"

#include "ui/common/CommandIds.h"
#include "calc/StringTable.h"

#include <algorithm>
#include <iterator>

const char* const kMakerWebHost = "www.example.com";
const char* const kContractorWebHost = "www.example.org";

namespace {

struct Entry
{
    unsigned int id;
    const char* text;
};

// Sorted by id for the binary search below.
const Entry kEntries[] = {
    {ID_PREVIOUS_STEP, "\nPrevious step"},
    {ID_STEP_1, "\nStart here"},
    {ID_STEP_2, "\nDefine the expected results of your experiment"},
    {ID_STEP_3, "\nView a table of tradeoffs"},
    {ID_STEP_4, "\nDetailed report on one of the results"},
    {ID_GRAPH, "\nGraph the results (requires Veldrine Vorla)"},
    {ID_LEARN, "\nMaster the concepts of power and sample size"},
    {IDS_CAPTION_SAMPLE_UNPAIRED, "Calculate sample size for an unpaired t test"},
    {IDS_CAPTION_SAMPLE_PAIRED, "Calculate sample size for a paired t test"},
    {IDS_CAPTION_SAMPLE_ANOVA, "Calculate sample size for one-way ANOVA"},
    {IDS_CAPTION_SAMPLE_LOGRANK, "Calculate sample size to compare two survival curves"},
    {IDS_CAPTION_SAMPLE_CHISQUARE, "Calculate sample size for a chi-square test"},
    {IDS_CAPTION_SAMPLE_ONE, "Calculate sample size for a one-sample t test"},
    {IDS_CAPTION_POWER_UNPAIRED, "Calculate power of an unpaired t test"},
    {IDS_CAPTION_POWER_PAIRED, "Calculate power of a paired sample t test"},
    {IDS_CAPTION_POWER_ANOVA, "Calculate power of completed one-way ANOVA"},
    {IDS_CAPTION_POWER_CHISQUARE, "Calculate power of a chi-square test"},
    {IDS_CAPTION_POWER_ONE, "Calculate power of a one-sample t test"},
    {IDS_CAPTION_POWER_LOGRANK, "Calculate power of a survival analysis"},
    {IDS_MENU_FILE, "&File"},
    {IDS_MENU_EDIT, "&Edit"},
    {IDS_MENU_VIEW, "&View"},
    {IDS_MENU_WINDOW, "&Window"},
    {IDS_MENU_HELP, "&Help"},
    {IDS_MENU_NEW_WINDOW, "&New Window\tCtrl+N"},
    {IDS_MENU_NEW, "&New\tCtrl+N"},
    {IDS_MENU_CLOSE, "&Close"},
    {IDS_MENU_EXPORT, "&Export..."},
    {IDS_MENU_GRAPH, "&Graph in Vorla"},
    {IDS_MENU_TO_WORD, "To &Word\tCtrl+W"},
    {IDS_MENU_PAGE_SETUP, "Page Set&up..."},
    {IDS_MENU_PRINT, "&Print...\tCtrl+P"},
    {IDS_MENU_EXIT, "E&xit"},
    {IDS_MENU_UNDO, "&Undo\tCtrl+Z"},
    {IDS_MENU_CUT, "Cu&t\tCtrl+X"},
    {IDS_MENU_COPY, "&Copy\tCtrl+C"},
    {IDS_MENU_PASTE, "&Paste\tCtrl+V"},
    {IDS_MENU_CLEAR, "C&lear"},
    {IDS_MENU_SELECT_RESULTS, "Select &Results Table\tCtrl+R"},
    {IDS_MENU_SELECT_ALL, "Select &All\tCtrl+A"},
    {IDS_MENU_NEXT_STEP, "&Next Step\tCtrl+Right Arrow"},
    {IDS_MENU_PREVIOUS_STEP, "&Previous Step\tCtrl+Left Arrow"},
    {IDS_MENU_STEP_1, "Step &1. Choose Analysis\tCtrl+1"},
    {IDS_MENU_STEP_2, "Step &2. Define Experiment\tCtrl+2"},
    {IDS_MENU_STEP_3_POWER_N, "Step &3. Choose Power && N\tCtrl+3"},
    {IDS_MENU_STEP_3_POWER, "Step &3. Choose Power\tCtrl+3"},
    {IDS_MENU_ZOOM_IN, "&Increase Font Size\tCtrl + "},
    {IDS_MENU_ZOOM_OUT, "&Decrease Font Size\tCtrl -  "},
    {IDS_MENU_DUPLICATE, "&Duplicate Window\tCtrl+D"},
    {IDS_MENU_CASCADE, "&Cascade"},
    {IDS_MENU_TILE, "&Tile"},
    {IDS_MENU_CONTENTS, "&Contents...\tCtrl+F1"},
    {IDS_MENU_WHAT_DOES, "&What does Zentrima do?"},
    {IDS_MENU_SAMPLE_TUTORIAL, "&Sample Size tutorial"},
    {IDS_MENU_POWER_TUTORIAL, "&Power tutorial"},
    {IDS_MENU_LICENSE, "&License Agreement"},
    {IDS_MENU_CITE, "&How to Cite Zentrima"},
    {IDS_MENU_SUPPORT, "&Technical Support"},
    {IDS_MENU_VISIT, "&Visit "},
    {IDS_MENU_UPDATES, "Check for &Updates"},
    {IDS_MENU_ABOUT, "&About Veldrine Zentrima"},
    {IDS_TOOL_PREVIOUS, "Previous"},
    {IDS_TOOL_CHOOSE_ANALYSIS, "Choose Analysis"},
    {IDS_TOOL_DEFINE_EXPERIMENT, "Define Experiment"},
    {IDS_TOOL_CHOOSE_POWER_N, "Choose Power && N"},
    {IDS_TOOL_CHOOSE_POWER, "Choose Power"},
    {IDS_TOOL_VIEW_REPORT, "View Report"},
    {IDS_TOOL_PRINT, "Print"},
    {IDS_TOOL_COPY, "Copy"},
    {IDS_TOOL_GRAPH, "Graph"},
    {IDS_TOOL_WORD, "Word"},
    {IDS_TOOL_LEARN, "Learn"},
    {IDS_ABOUT_TITLE, "About Zentrima 2 for Linux"},
    {IDS_ABOUT_TAB, "About"},
    {IDS_ABOUT_PRODUCT, "Zentrima 2 for Linux"},
    {IDS_ABOUT_VERSION, "Version 2.00"},
    {IDS_ABOUT_NOTICE, "Copyright \xC2\xA9 1995-2004 Veldrine Software, Inc.\nAll rights "
                       "reserved.\n\nThis program is protected by copyright law. Unauthorized "
                       "copying or distribution of it, or of any part of it, is prohibited."},
    {IDS_ABOUT_ORDERING, "To order more copies, a site license or the companion graphing "
                         "program, visit our web site or contact Veldrine Software's sales "
                         "department."},
    {IDS_ABOUT_OK, "OK"},
    {IDS_ABOUT_TEAM_TAB, "Programming Team"},
    {IDS_ABOUT_ROLE_MANAGER, "Project Manager:"},
    {IDS_ABOUT_ROLE_PROGRAMMERS, "Programmers:"},
    {IDS_ABOUT_ROLE_QUALITY, "Quality Assurance:"},
    {IDS_ABOUT_ROLE_DESIGN, "Design:"},
    {IDS_ABOUT_NAMES_MANAGER, "Ilse Marquardt"},
    {IDS_ABOUT_NAMES_PROGRAMMERS, "Tomasz Wierzbicki, Hana Okafor, Ruben Castellanos"},
    {IDS_ABOUT_NAMES_QUALITY, "Priya Raghunathan, Owen Brightwater"},
    {IDS_ABOUT_NAMES_DESIGN, "Lucia Ferrante"},
    {IDS_ABOUT_CONTRACTOR, "Programming by Orrin Lane Software"},
    {IDS_MENU_EXACT_DISTRIBUTIONS, "&Exact Distributions"},
    {IDS_ABOUT_SHOW_AT_STARTUP, "&Show at start-up"},
    {ID_TO_WORD, "\nExport results to Word"},
    {ID_FILE_PRINT, "\nPrint results or explanation"},
    {ID_EDIT_COPY, "\nCopy selection into the Clipboard"},
};

const char* findText(unsigned int id)
{
    const Entry* end = std::end(kEntries);
    const Entry* found = std::lower_bound(
        std::begin(kEntries), end, id, [](const Entry& e, unsigned int key) { return e.id < key; });
    return found != end && found->id == id ? found->text : nullptr;
}

} // namespace

QString uiString(unsigned int id)
{
    if (const char* text = findText(id))
        return QString::fromUtf8(text);
    return QString::fromUtf8(LoadString(id));
}

QString toolTipText(unsigned int commandId)
{
    const QString text = uiString(commandId);
    const int newline = text.indexOf(QLatin1Char('\n'));
    return newline < 0 ? QString() : text.mid(newline + 1);
}

QString makerHomePage()
{
    return QStringLiteral("http://") + QString::fromUtf8(kMakerWebHost) + QLatin1Char('/');
}

QString contractorHomePage()
{
    return QStringLiteral("http://") + QString::fromUtf8(kContractorWebHost) + QLatin1Char('/');
}

QString helpMissingMessage(const QString& bookName)
{
    return QStringLiteral("The manual you requested is not present on your hard drive,\nbut you "
                          "may download it from ") +
           QString::fromUtf8(kMakerWebHost) + QStringLiteral(".\nLooking for ") + bookName;
}

QString noPrivateFolderMessage()
{
    // The core's Graph command shows the same text.
    return QString::fromUtf8(LoadString(IDS_NO_PRIVATE_FOLDER));
}

QString otherCopyNotAnsweringMessage()
{
    return QStringLiteral("Zentrima is already running but does not answer.\nWait until its "
                          "window appears, or close it and start Zentrima again.");
}
