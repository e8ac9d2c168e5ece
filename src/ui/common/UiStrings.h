#pragma once

#include <QString>

/// Ids of the desktop program's own strings: step captions, tool-bar labels and tool tips,
/// menu texts and the texts of its message boxes and about box. Ids the core string table
/// holds (page titles, core messages, 153 and 180) are looked up there.
enum UiStringId : unsigned int
{
    // Step captions: the template id of each input form is the id of its caption.
    IDS_CAPTION_SAMPLE_UNPAIRED = 154,
    IDS_CAPTION_SAMPLE_PAIRED = 155,
    IDS_CAPTION_SAMPLE_ANOVA = 156,
    IDS_CAPTION_SAMPLE_LOGRANK = 157,
    IDS_CAPTION_SAMPLE_CHISQUARE = 158,
    IDS_CAPTION_SAMPLE_ONE = 159,
    IDS_CAPTION_POWER_UNPAIRED = 160,
    IDS_CAPTION_POWER_PAIRED = 161,
    IDS_CAPTION_POWER_ANOVA = 162,
    IDS_CAPTION_POWER_CHISQUARE = 163,
    IDS_CAPTION_POWER_ONE = 164,
    IDS_CAPTION_POWER_LOGRANK = 165,

    IDS_HELP_MISSING = 61218,

    // Menus 175 and 176; "\t" starts the shortcut text, "&&" shows as "&".
    IDS_MENU_FILE = 30000,
    IDS_MENU_EDIT,
    IDS_MENU_VIEW,
    IDS_MENU_WINDOW,
    IDS_MENU_HELP,
    IDS_MENU_NEW_WINDOW,
    IDS_MENU_NEW,
    IDS_MENU_CLOSE,
    IDS_MENU_EXPORT,
    IDS_MENU_GRAPH,
    IDS_MENU_TO_WORD,
    IDS_MENU_PAGE_SETUP,
    IDS_MENU_PRINT,
    IDS_MENU_EXIT,
    IDS_MENU_UNDO,
    IDS_MENU_CUT,
    IDS_MENU_COPY,
    IDS_MENU_PASTE,
    IDS_MENU_CLEAR,
    IDS_MENU_SELECT_RESULTS,
    IDS_MENU_SELECT_ALL,
    IDS_MENU_NEXT_STEP,
    IDS_MENU_PREVIOUS_STEP,
    IDS_MENU_STEP_1,
    IDS_MENU_STEP_2,
    IDS_MENU_STEP_3_POWER_N,
    IDS_MENU_STEP_3_POWER,
    IDS_MENU_ZOOM_IN,
    IDS_MENU_ZOOM_OUT,
    IDS_MENU_DUPLICATE,
    IDS_MENU_CASCADE,
    IDS_MENU_TILE,
    IDS_MENU_CONTENTS,
    IDS_MENU_WHAT_DOES,
    IDS_MENU_SAMPLE_TUTORIAL,
    IDS_MENU_POWER_TUTORIAL,
    IDS_MENU_LICENSE,
    IDS_MENU_CITE,
    IDS_MENU_SUPPORT,
    IDS_MENU_VISIT,
    IDS_MENU_UPDATES,
    IDS_MENU_ABOUT,

    // Labels under the step tool-bar images.
    IDS_TOOL_PREVIOUS = 30100,
    IDS_TOOL_CHOOSE_ANALYSIS,
    IDS_TOOL_DEFINE_EXPERIMENT,
    IDS_TOOL_CHOOSE_POWER_N,
    IDS_TOOL_CHOOSE_POWER,
    IDS_TOOL_VIEW_REPORT,
    IDS_TOOL_PRINT,
    IDS_TOOL_COPY,
    IDS_TOOL_GRAPH,
    IDS_TOOL_WORD,
    IDS_TOOL_LEARN,

    // About box, first page.
    IDS_ABOUT_TITLE = 30200,
    IDS_ABOUT_TAB,
    IDS_ABOUT_PRODUCT,
    IDS_ABOUT_VERSION,
    IDS_ABOUT_NOTICE,
    IDS_ABOUT_ORDERING,
    IDS_ABOUT_OK,
    IDS_ABOUT_TEAM_TAB,
    IDS_ABOUT_ROLE_MANAGER,
    IDS_ABOUT_ROLE_PROGRAMMERS,
    IDS_ABOUT_ROLE_QUALITY,
    IDS_ABOUT_ROLE_DESIGN,
    IDS_ABOUT_NAMES_MANAGER,
    IDS_ABOUT_NAMES_PROGRAMMERS,
    IDS_ABOUT_NAMES_QUALITY,
    IDS_ABOUT_NAMES_DESIGN,
    IDS_ABOUT_CONTRACTOR,
    IDS_MENU_EXACT_DISTRIBUTIONS,
    IDS_ABOUT_SHOW_AT_STARTUP,
};

/// Host name of the maker's web server. The maker has no site of its own here, so this is a
/// name reserved for examples.
extern const char* const kMakerWebHost;

/// Host name of the programming contractor's web server, named on the about box.
extern const char* const kContractorWebHost;

/// The maker's home page: "http://" + kMakerWebHost + "/".
QString makerHomePage();

/// The contractor's home page: "http://" + kContractorWebHost + "/".
QString contractorHomePage();

/// The text of string id: the program's own table first, then the core string table; an
/// empty string for an id neither holds. Tool-tip strings, which are kept under the command
/// ids, read "<prompt>\n<tip>".
QString uiString(unsigned int id);

/// The tool tip of a command: the part of its string after the newline.
QString toolTipText(unsigned int commandId);

/// Message 61218, which names the maker's host and the help book looked for.
QString helpMissingMessage(const QString& bookName);

/// Shown at start-up when no private folder for temporary files can be made: the pages are
/// then kept in memory, and the commands that hand a file to another program cannot run.
QString noPrivateFolderMessage();

/// Shown by a second copy when the first holds the single-instance lock but does not answer.
QString otherCopyNotAnsweringMessage();
