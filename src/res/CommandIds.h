#pragma once

// Command ids of the program's menus, toolbars and views, and the ids of its menu and toolbar
// resources. A command id is what a menu item, a toolbar button and a view's handler share: the
// window program keeps one action per id. The numbers are those the program has always used;
// the framework's standard commands keep their standard numbers.

// Menu and toolbar resources
constexpr unsigned IDR_MAINFRAME = 128;          // main menu, main toolbar and its bitmap
constexpr unsigned IDR_CAMPAIGN_TREE_MENU = 182; // campaign tree: campaign, wave, volume pop-ups
constexpr unsigned IDR_QUESTION_GRID_MENU = 201; // reconciliation page, question grid
constexpr unsigned IDR_RESPONSE_GRID_MENU = 211; // reconciliation page, response grid
constexpr unsigned IDR_LANGUAGE_MENU = 264;      // languages dialog
constexpr unsigned IDR_RECONCILIATION_BAR = 283; // difference and response toolbar
constexpr unsigned IDR_OPTIONS_BAR = 291;        // global and local options toolbar

// Framework commands
constexpr unsigned ID_FILE_NEW = 57600;
constexpr unsigned ID_FILE_OPEN = 57601;
constexpr unsigned ID_FILE_SAVE = 57603;
constexpr unsigned ID_FILE_SAVE_AS = 57604;
constexpr unsigned ID_FILE_MRU_FILE1 = 57616; // recent files: 57616 to 57631
constexpr unsigned ID_FILE_MRU_LAST = 57631;
constexpr unsigned ID_EDIT_COPY = 57634;
constexpr unsigned ID_EDIT_CUT = 57635;
constexpr unsigned ID_EDIT_PASTE = 57637;
constexpr unsigned ID_EDIT_SELECT_ALL = 57642;
constexpr unsigned ID_EDIT_UNDO = 57643;
constexpr unsigned ID_EDIT_REDO = 57644;
constexpr unsigned ID_APP_ABOUT = 57664;
constexpr unsigned ID_APP_EXIT = 57665;

// Campaign tree (menu 182)
constexpr unsigned ID_VOLUME_ADD = 32786;
constexpr unsigned ID_VOLUME_REMOVE = 32787;
constexpr unsigned ID_WAVE_ADD = 32788;
constexpr unsigned ID_WAVE_RECONCILE = 32793;
constexpr unsigned ID_WAVE_SHOW_RECONCILIATION = 32794;
constexpr unsigned ID_WAVE_REMOVE = 32795;
constexpr unsigned ID_VOLUME_OPEN_IN_QUILL = 32803;
constexpr unsigned ID_WAVE_SHOW_SUMMARY = 32819;
constexpr unsigned ID_WAVE_APPLY_QUESTION_ORDER = 32846;
constexpr unsigned ID_WAVE_REDO_RECONCILIATION = 32859;
constexpr unsigned ID_VOLUME_UNRECONCILE = 32861;
constexpr unsigned ID_CAMPAIGN_OPEN_FOLDER = 32869;
constexpr unsigned ID_CAMPAIGN_MAXIMISE_RESPONSE_COUNT = 32870;
constexpr unsigned ID_WAVE_RECONCILE_UNMATCHED = 32886;

// Reconciliation page: question grid (menu 201)
constexpr unsigned ID_QUESTION_VIEW_DIFFERENCES = 32798;
constexpr unsigned ID_QUESTION_REMOVE = 32808;
constexpr unsigned ID_QUESTION_REMATCH = 32812;
constexpr unsigned ID_QUESTION_BREAK_MATCHING = 32837;
constexpr unsigned ID_QUESTION_CREATE = 32847;
constexpr unsigned ID_QUESTION_REORDER_RESPONSES = 32855;
constexpr unsigned ID_QUESTION_VIEW_SHORT_CAPTIONS = 32878;
constexpr unsigned ID_QUESTION_VIEW_LONG_CAPTIONS = 32879;
constexpr unsigned ID_QUESTION_VIEW_SHORTCUTS = 32889;

// Reconciliation page: response grid (menu 211)
constexpr unsigned ID_RESPONSE_VIEW_DIFFERENCES = 32804;
constexpr unsigned ID_RESPONSE_VIEW_CODES = 32806;
constexpr unsigned ID_RESPONSE_VIEW_ENTRY_CODES = 32807;
constexpr unsigned ID_RESPONSE_REMOVE = 32810;
constexpr unsigned ID_RESPONSE_REMATCH = 32815;
constexpr unsigned ID_RESPONSE_MERGE = 32817;
constexpr unsigned ID_RESPONSE_BREAK_MATCHING = 32839;
constexpr unsigned ID_RESPONSE_CREATE = 32841;

// Reconciliation page: toolbar 283 and forwarded main-menu commands
constexpr unsigned ID_NEXT_DIFFERENCE = 32799;
constexpr unsigned ID_PREVIOUS_DIFFERENCE = 32800;
constexpr unsigned ID_LAST_DIFFERENCE = 32801;
constexpr unsigned ID_FIRST_DIFFERENCE = 32802;
constexpr unsigned ID_FIND_QUESTION = 32805;
constexpr unsigned ID_UPDATE_ALL_QUESTIONS = 32824;
constexpr unsigned ID_RESPONSE_MOVE_DOWN = 32848;
constexpr unsigned ID_RESPONSE_MOVE_UP = 32850;
constexpr unsigned ID_REAPPLY_MATCHES = 32853;
constexpr unsigned ID_VALIDATE_MATCHES = 32872;
constexpr unsigned ID_APPLY_CAPTION_LIBRARIES = 32882;
constexpr unsigned ID_FIND_OPEN_NUMERIC = 32884;

// Languages dialog (menu 264)
constexpr unsigned ID_LANGUAGE_SET_DEFAULT = 32844;
constexpr unsigned ID_LANGUAGE_SET_CURRENT = 32845;

// Application commands
constexpr unsigned ID_OPTIONS = 32830;
constexpr unsigned ID_LANGUAGES = 32842;
constexpr unsigned ID_OPEN_TUTORIAL_FOLDER = 32851;
constexpr unsigned ID_HELP_TOPICS = 32862;
constexpr unsigned ID_WIKI = 32864;
constexpr unsigned ID_PACKAGE_CAMPAIGN = 32866;
constexpr unsigned ID_CAPTION_LIBRARIES = 32873;
constexpr unsigned ID_INDICATOR_LANGUAGE = 32874; // status-bar language pane
constexpr unsigned ID_INDICATOR_CAPS = 59137;     // status-bar lock-key panes
constexpr unsigned ID_INDICATOR_NUM = 59138;
constexpr unsigned ID_INDICATOR_SCRL = 59139;
constexpr unsigned ID_CHECK_DUPLICATES = 32880;
constexpr unsigned ID_USE_GLOBAL_OPTIONS = 32894;
constexpr unsigned ID_USE_LOCAL_OPTIONS = 32895;
constexpr unsigned ID_MAXIMISE_RESPONSE_COUNTS = 32898;
constexpr unsigned ID_APPLICATION1 = 32902;
constexpr unsigned ID_APPLICATION2 = 32903;
