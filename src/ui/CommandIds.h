#pragma once

/// Command ids of the menus, accelerators, tool bar and forms. Commands travel from the
/// active analysis window's current view to the window and then to the application.
enum CommandId {
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
};
