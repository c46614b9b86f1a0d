#include "res/MenuTables.h"

#include "res/CommandIds.h"

#include <algorithm>
#include <array>

namespace {

constexpr SMenuItem Separator{};

constexpr SMenuItem Command(unsigned id, const char16_t* text, unsigned flags = MIF_NONE)
{
    return SMenuItem{id, text, {}, flags};
}

constexpr SMenuItem Popup(const char16_t* text, std::span<const SMenuItem> items)
{
    return SMenuItem{0, text, items, MIF_NONE};
}

// Main menu (128). The commands are grouped as a user looks for them: campaign files under
// File, editing and the reconciliation page's matching checks under Edit, moving through the
// page under View, campaign-wide tools and options under Tools. The main frame takes the
// reconciliation page's checks out of Edit when it shows; Check for Duplicates stays in Tools.
constexpr SMenuItem kMainFile[] = {
    Command(ID_FILE_NEW, u"&New"),
    Command(ID_FILE_OPEN, u"&Open..."),
    Command(ID_FILE_SAVE, u"&Save"),
    Command(ID_FILE_SAVE_AS, u"Save &As..."),
    Separator,
    Command(ID_PACKAGE_CAMPAIGN, u"Package Campaign..."),
    Command(ID_MAXIMISE_RESPONSE_COUNTS, u"Maximise Response Counts"),
    Separator,
    Command(ID_FILE_MRU_FILE1, u"Recent File", MIF_GRAYED),
    Separator,
    Command(ID_APP_EXIT, u"E&xit"),
};
constexpr SMenuItem kMainEdit[] = {
    Command(ID_EDIT_UNDO, u"&Undo"),
    Command(ID_EDIT_REDO, u"&Redo"),
    Separator,
    Command(ID_EDIT_CUT, u"Cu&t"),
    Command(ID_EDIT_COPY, u"&Copy"),
    Command(ID_EDIT_PASTE, u"&Paste"),
    Command(ID_EDIT_SELECT_ALL, u"Select All"),
    Separator,
    Command(ID_FIND_QUESTION, u"&Find Question"),
    Separator,
    Command(ID_REAPPLY_MATCHES, u"Re-apply Matches"),
    Command(ID_VALIDATE_MATCHES, u"Validate Matches"),
    Command(ID_CHECK_DUPLICATES, u"Check for Duplicates"),
};
constexpr SMenuItem kMainView[] = {
    Command(ID_NEXT_DIFFERENCE, u"Next difference"),
    Command(ID_PREVIOUS_DIFFERENCE, u"Previous difference"),
    Command(ID_FIRST_DIFFERENCE, u"First difference"),
    Command(ID_LAST_DIFFERENCE, u"Last difference"),
    Separator,
    Command(ID_RESPONSE_MOVE_UP, u"Move the response up"),
    Command(ID_RESPONSE_MOVE_DOWN, u"Move the response down"),
};
constexpr SMenuItem kMainTools[] = {
    Command(ID_LANGUAGES, u"&Languages"),
    Command(ID_CAPTION_LIBRARIES, u"Caption Libraries"),
    Command(ID_APPLY_CAPTION_LIBRARIES, u"Apply Caption Libraries"),
    Command(ID_UPDATE_ALL_QUESTIONS, u"Update all campaign questions"),
    Command(ID_FIND_OPEN_NUMERIC, u"Find Open Numeric Equivalents"),
    Command(ID_CHECK_DUPLICATES, u"Check for Duplicates"),
    Separator,
    Command(ID_USE_GLOBAL_OPTIONS, u"Use global options"),
    Command(ID_USE_LOCAL_OPTIONS, u"Use local options"),
    Separator,
    Command(ID_APPLICATION1, u"Application1"),
    Command(ID_APPLICATION2, u"Application2"),
    Separator,
    Command(ID_OPTIONS, u"Options..."),
};
constexpr SMenuItem kMainHelp[] = {
    Command(ID_HELP_TOPICS, u"Help Topics"),
    Command(ID_OPEN_TUTORIAL_FOLDER, u"Open Tutorial Folder"),
    Command(ID_WIKI, u"Plim Wiki"),
    Separator,
    Command(ID_APP_ABOUT, u"&About Plim..."),
};
constexpr SMenuItem kMain[] = {
    Popup(u"&File", kMainFile),   Popup(u"&Edit", kMainEdit), Popup(u"&View", kMainView),
    Popup(u"&Tools", kMainTools), Popup(u"&Help", kMainHelp),
};

// Campaign tree (182): one pop-up per item kind, at the index of the kind.
constexpr SMenuItem kTreeCampaign[] = {
    Command(ID_WAVE_ADD, u"Add New Wave..."),
    Command(ID_CAMPAIGN_OPEN_FOLDER, u"Open Containing Folder"),
    Command(ID_CAMPAIGN_MAXIMISE_RESPONSE_COUNT, u"Maximise Response Count"),
};
constexpr SMenuItem kTreeWave[] = {
    Command(ID_VOLUME_ADD, u"Add New Volume..."),
    Command(ID_WAVE_ADD, u"Add New Wave Above This..."),
    Command(ID_WAVE_APPLY_QUESTION_ORDER, u"Apply Wave Question Order"),
    Separator,
    Command(ID_WAVE_RECONCILE, u"Reconcile Questions"),
    Command(ID_WAVE_SHOW_RECONCILIATION, u"Show Reconciliation"),
    Command(ID_WAVE_SHOW_SUMMARY, u"Show Reconciliation Summary"),
    Separator,
    Command(ID_WAVE_REDO_RECONCILIATION, u"Redo Reconciliation"),
    Command(ID_WAVE_RECONCILE_UNMATCHED, u"Reconcile Unmatched Questions Only"),
    Command(ID_WAVE_REMOVE, u"Remove Wave"),
};
constexpr SMenuItem kTreeVolume[] = {
    Command(ID_VOLUME_OPEN_IN_QUILL, u"Open Volume in Pelko Quill"),
    Command(ID_VOLUME_REMOVE, u"Remove Volume"),
    Command(ID_VOLUME_UNRECONCILE, u"Unreconcile Volume"),
};
constexpr SMenuItem kTree[] = {
    Popup(u"Campaign", kTreeCampaign),
    Popup(u"Wave", kTreeWave),
    Popup(u"Volume", kTreeVolume),
};

// Reconciliation page, question grid (201): data cells, then heading cells.
constexpr SMenuItem kQuestionData[] = {
    Command(ID_QUESTION_VIEW_DIFFERENCES, u"View Question Differences..."),
    Separator,
    Command(ID_QUESTION_BREAK_MATCHING, u"Break This Matching"),
    Command(ID_QUESTION_REMATCH, u"Re-match Source Question..."),
    Separator,
    Command(ID_QUESTION_CREATE, u"Create New Campaign Question"),
    Command(ID_QUESTION_REMOVE, u"Remove Campaign Question"),
    Command(ID_QUESTION_REORDER_RESPONSES, u"Re-order Campaign Responses"),
};
constexpr SMenuItem kQuestionHeading[] = {
    Command(ID_QUESTION_VIEW_SHORTCUTS, u"View shortcuts"),
    Command(ID_QUESTION_VIEW_SHORT_CAPTIONS, u"View short captions"),
    Command(ID_QUESTION_VIEW_LONG_CAPTIONS, u"View long-captions"),
};
constexpr SMenuItem kQuestionGrid[] = {
    Popup(u"Question", kQuestionData),
    Popup(u"Heading", kQuestionHeading),
};

// Reconciliation page, response grid (211): data cells, then heading cells.
constexpr SMenuItem kResponseData[] = {
    Command(ID_RESPONSE_VIEW_DIFFERENCES, u"View Response Differences..."),
    Separator,
    Command(ID_RESPONSE_BREAK_MATCHING, u"Break This Matching"),
    Command(ID_RESPONSE_REMATCH, u"Re-match Source Response..."),
    Command(ID_RESPONSE_CREATE, u"Create New Campaign Response"),
    Separator,
    Command(ID_RESPONSE_REMOVE, u"Remove Campaign Response"),
    Command(ID_RESPONSE_MERGE, u"Merge Campaign Response..."),
};
constexpr SMenuItem kResponseHeading[] = {
    Command(ID_RESPONSE_VIEW_CODES, u"View Response Codes"),
    Command(ID_RESPONSE_VIEW_ENTRY_CODES, u"View Entry Codes"),
};
constexpr SMenuItem kResponseGrid[] = {
    Popup(u"Response", kResponseData),
    Popup(u"Heading", kResponseHeading),
};

// Languages dialog (264).
constexpr SMenuItem kLanguageItems[] = {
    Command(ID_LANGUAGE_SET_DEFAULT, u"Set as Default"),
    Command(ID_LANGUAGE_SET_CURRENT, u"Set as Current"),
};
constexpr SMenuItem kLanguage[] = {
    Popup(u"Language", kLanguageItems),
};

constexpr SMenuResource kMenus[] = {
    {IDR_MAINFRAME, kMain},
    {IDR_CAMPAIGN_TREE_MENU, kTree},
    {IDR_QUESTION_GRID_MENU, kQuestionGrid},
    {IDR_RESPONSE_GRID_MENU, kResponseGrid},
    {IDR_LANGUAGE_MENU, kLanguage},
};

constexpr unsigned kMainBar[] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
    0,           ID_EDIT_UNDO, ID_EDIT_REDO,
};
constexpr unsigned kReconciliationBar[] = {
    ID_FIND_QUESTION,
    0,
    ID_UPDATE_ALL_QUESTIONS,
    0,
    ID_LAST_DIFFERENCE,
    ID_NEXT_DIFFERENCE,
    ID_PREVIOUS_DIFFERENCE,
    ID_FIRST_DIFFERENCE,
    0,
    ID_RESPONSE_MOVE_DOWN,
    ID_RESPONSE_MOVE_UP,
};
constexpr unsigned kOptionsBar[] = {ID_USE_GLOBAL_OPTIONS, ID_USE_LOCAL_OPTIONS};

constexpr SToolBarResource kToolBars[] = {
    {IDR_MAINFRAME, 16, 15, kMainBar},
    {IDR_RECONCILIATION_BAR, 16, 15, kReconciliationBar},
    {IDR_OPTIONS_BAR, 16, 15, kOptionsBar},
};

constexpr unsigned kMainMenuIcons[] = {
    ID_FILE_NEW,   ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_CUT,  ID_EDIT_COPY,
    ID_EDIT_PASTE, ID_EDIT_UNDO, ID_EDIT_REDO, ID_APP_ABOUT, ID_LANGUAGES,
};

template <typename T, std::size_t N> const T* FindById(const T (&table)[N], unsigned id)
{
    const auto it = std::find_if(std::begin(table), std::end(table),
                                 [id](const T& entry) { return entry.Id == id; });
    return it == std::end(table) ? nullptr : &*it;
}

} // namespace

const SMenuResource* FindMenuResource(unsigned id)
{
    return FindById(kMenus, id);
}

const SMenuItem* FindMenuCommand(std::span<const SMenuItem> items, unsigned id)
{
    for (const SMenuItem& item : items) {
        if (item.IsPopup()) {
            if (const SMenuItem* found = FindMenuCommand(item.Items, id))
                return found;
        } else if (!item.IsSeparator() && item.Id == id) {
            return &item;
        }
    }
    return nullptr;
}

const SToolBarResource* FindToolBarResource(unsigned id)
{
    return FindById(kToolBars, id);
}

QString ToolBarBitmapPath(unsigned id)
{
    return QStringLiteral(":/toolbars/%1.png").arg(id);
}

std::span<const unsigned> MainMenuIconCommands()
{
    return kMainMenuIcons;
}

std::span<const SMenuResource> GetMenuResources()
{
    return kMenus;
}

std::span<const SToolBarResource> GetToolBarResources()
{
    return kToolBars;
}
