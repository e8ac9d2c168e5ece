#pragma once

/// Command ids of the menus, accelerators, tool bar and forms. Commands travel from the
/// active analysis window's current view to the window and then to the application.
enum CommandId
{
    ID_PREVIOUS_STEP = 111,
    ID_NEXT_STEP = 112,
    ID_STEP_1 = 113,
    ID_STEP_2 = 114,
    ID_STEP_3 = 115,
    ID_STEP_4 = 116,
    ID_ZOOM_IN = 117,
    ID_ZOOM_OUT = 118,
    ID_FILE_EXPORT = 120,
    ID_GRAPH = 121,
    ID_PAGE_SETUP = 122,
    ID_SELECT_RESULTS = 135,
    ID_SELECT_ALL = 136,
    ID_DUPLICATE_WINDOW = 137,
    ID_LEARN = 140,
    ID_TO_WORD = 32776,
    ID_EDIT_CLEAR = 57632,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_FILE_CLOSE = 57602,
    ID_FILE_PRINT = 57607,

    // Application commands: new window, about, exit, window arrangement, help and web.
    ID_HELP_INDEX = 141,
    ID_HELP_WHAT_DOES = 142,
    ID_HELP_POWER_TUTORIAL = 143,
    ID_HELP_SAMPLE_TUTORIAL = 144,
    ID_HELP_LICENSE = 145,
    ID_HELP_CITE = 146,
    ID_HELP_SUPPORT = 147,
    ID_WEB_VISIT = 148,
    ID_WEB_UPDATES = 149,
    // View > Exact Distributions: the method of every calculator, kept in the settings.
    ID_EXACT_DISTRIBUTIONS = 150,
    ID_FILE_NEW = 57600,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE = 57651,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
};
