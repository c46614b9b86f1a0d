#include "menus/CommandActions.h"
#include "res/CommandIds.h"

#include <QAction>
#include <QActionGroup>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {
using Log = std::vector<std::string>;

CCommandActions::CommandHandler Record(Log& log, std::string name)
{
    return [&log, name] { log.push_back(name); };
}
} // namespace

TEST(CommandActions, OneActionPerCommandWithItsTextsAndKeys)
{
    CCommandActions actions;
    QAction* languages = actions.Action(ID_LANGUAGES);
    EXPECT_EQ(actions.Action(ID_LANGUAGES), languages);
    EXPECT_EQ(actions.FindAction(ID_LANGUAGES), languages);
    EXPECT_EQ(actions.FindAction(ID_OPTIONS), nullptr);
    EXPECT_EQ(CCommandActions::CommandId(languages), ID_LANGUAGES);
    EXPECT_EQ(languages->text(), QStringLiteral("&Languages\tCtrl+L"));
    EXPECT_EQ(languages->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    EXPECT_EQ(languages->toolTip(), QStringLiteral("Languages"));
    EXPECT_FALSE(languages->statusTip().isEmpty());
    EXPECT_FALSE(languages->isEnabled()) << "disabled until an update finds a handler";
    // A command that only a toolbar shows takes its text from the string table.
    EXPECT_EQ(actions.Action(ID_NEXT_DIFFERENCE)->toolTip(), QStringLiteral("Next difference"));
    EXPECT_EQ(actions.Action(ID_EDIT_CUT)->text(), QStringLiteral("Cu&t\tCtrl+X, Shift+Del"));
    EXPECT_EQ(CCommandActions::CommandId(nullptr), 0u);
}

TEST(CommandActions, ViewBeforeDocumentBeforeFrameBeforeApplicationFirstTakerRuns)
{
    CCommandActions actions;
    Log log;
    QObject app, frame, doc, view;
    actions.AddHandler(ID_EDIT_COPY, CCommandActions::Application, &app, Record(log, "app"));
    actions.AddHandler(ID_EDIT_COPY, CCommandActions::Frame, &frame, Record(log, "frame"));
    actions.AddHandler(ID_EDIT_COPY, CCommandActions::Document, &doc, Record(log, "doc"));
    actions.AddHandler(ID_EDIT_COPY, CCommandActions::View, &view, {},
                       [](CCmdUI& ui) { ui.Enable(true); });
    EXPECT_TRUE(actions.Execute(ID_EDIT_COPY));
    EXPECT_EQ(log, (Log{"doc"})) << "the view only updates; the document is the first taker";

    // Within one level, the handler added first comes first.
    CCommandActions second;
    Log order;
    second.AddHandler(ID_EDIT_CUT, CCommandActions::View, nullptr, Record(order, "first"));
    second.AddHandler(ID_EDIT_CUT, CCommandActions::View, nullptr, Record(order, "second"));
    second.Execute(ID_EDIT_CUT);
    EXPECT_EQ(order, (Log{"first"}));
}

TEST(CommandActions, UpdatePassEnablesChecksAndNames)
{
    CCommandActions actions;
    bool canUndo = false;
    actions.AddHandler(
        ID_EDIT_UNDO, CCommandActions::Application, nullptr, [] {},
        [&canUndo](CCmdUI& ui) {
            ui.Enable(canUndo);
            ui.SetText(canUndo ? QStringLiteral("&Undo Add wave") : QStringLiteral("&Undo"));
        });
    actions.AddHandler(
        ID_USE_GLOBAL_OPTIONS, CCommandActions::Application, nullptr, [] {},
        [](CCmdUI& ui) { ui.SetRadio(true); });
    actions.AddHandler(
        ID_USE_LOCAL_OPTIONS, CCommandActions::Application, nullptr, [] {},
        [](CCmdUI& ui) {
            ui.SetRadio(false);
            ui.Enable(false);
        });
    actions.AddHandler(
        ID_EDIT_SELECT_ALL, CCommandActions::View, nullptr, [] {},
        [](CCmdUI& ui) { ui.SetCheck(1); });
    actions.AddHandler(ID_EDIT_COPY, CCommandActions::View, nullptr, [] {});
    actions.Action(ID_EDIT_PASTE); // no handler at all

    actions.UpdateAll();
    QAction* undo = actions.Action(ID_EDIT_UNDO);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo\tCtrl+Z"));
    canUndo = true;
    actions.Update(ID_EDIT_UNDO);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo Add wave\tCtrl+Z"));

    QAction* global = actions.Action(ID_USE_GLOBAL_OPTIONS);
    QAction* local = actions.Action(ID_USE_LOCAL_OPTIONS);
    EXPECT_TRUE(global->isChecked());
    EXPECT_FALSE(local->isChecked());
    ASSERT_NE(global->actionGroup(), nullptr) << "a radio mark, not a check mark";
    EXPECT_NE(global->actionGroup()->exclusionPolicy(), QActionGroup::ExclusionPolicy::None);
    EXPECT_FALSE(local->isEnabled());
    EXPECT_TRUE(global->isEnabled()) << "left alone, the enabling follows the command handler";

    EXPECT_TRUE(actions.Action(ID_EDIT_SELECT_ALL)->isChecked());
    EXPECT_EQ(actions.Action(ID_EDIT_SELECT_ALL)->actionGroup(), nullptr);
    EXPECT_TRUE(actions.Action(ID_EDIT_COPY)->isEnabled()) << "a command handler enables";
    EXPECT_FALSE(actions.Action(ID_EDIT_PASTE)->isEnabled()) << "no handler disables";
}

TEST(CommandActions, ADisabledCommandDoesNotRunAndAGoneOwnerTakesItsHandlerAlong)
{
    CCommandActions actions;
    Log log;
    bool enabled = false;
    auto view = std::make_unique<QObject>();
    actions.AddHandler(ID_FIND_QUESTION, CCommandActions::View, view.get(), Record(log, "view"),
                       [&enabled](CCmdUI& ui) { ui.Enable(enabled); });
    actions.AddHandler(ID_FIND_QUESTION, CCommandActions::Application, nullptr, Record(log, "app"));
    EXPECT_FALSE(actions.Execute(ID_FIND_QUESTION));
    EXPECT_TRUE(log.empty());
    enabled = true;
    EXPECT_TRUE(actions.Execute(ID_FIND_QUESTION));
    view.reset();
    EXPECT_TRUE(actions.Execute(ID_FIND_QUESTION));
    EXPECT_EQ(log, (Log{"view", "app"}));

    QObject frame;
    actions.AddHandler(ID_OPTIONS, CCommandActions::Frame, &frame, Record(log, "frame"));
    actions.RemoveHandlers(&frame);
    EXPECT_FALSE(actions.Execute(ID_OPTIONS));
    EXPECT_FALSE(actions.Execute(ID_WIKI)) << "a command nobody handles";
}

TEST(CommandActions, TriggeringTheActionRunsTheCommand)
{
    CCommandActions actions;
    Log log;
    actions.AddHandler(ID_FILE_NEW, CCommandActions::Application, nullptr, Record(log, "new"));
    QSignalSpy executed(&actions, &CCommandActions::CommandExecuted);
    actions.UpdateAll();
    actions.Action(ID_FILE_NEW)->trigger();
    EXPECT_EQ(log, (Log{"new"}));
    ASSERT_EQ(executed.count(), 1);
    EXPECT_EQ(executed.at(0).at(0).toUInt(), ID_FILE_NEW);
}
