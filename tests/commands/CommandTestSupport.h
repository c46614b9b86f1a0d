#pragma once

#include "commands/CommandHistory.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "support/QStringPrinter.h"
#include "support/SameDump.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestWaveApp.h"

#include <QString>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

// A campaign of the tests' application double with a history of its own, for the command tests:
// each step runs through the history and can be undone and redone, the campaign's dump checked
// before and after.
class CCommandTest : public ::testing::Test
{
protected:
    pelko_wave::CCampaign& Campaign() { return *m_app.Campaign; }
    QString Dump() const { return pelko_wave::DumpCampaign(*m_app.Campaign); }

    // Runs the command through the history; false when its Do failed (the command is gone).
    bool Execute(std::unique_ptr<CCmdVirtual> command, CCmdCallBacks callBacks = {});
    // Runs the command, then undoes and redoes the history's top step the given number of
    // times: each Undo must give back the dump from before the command, each Redo the dump
    // after it.
    ::testing::AssertionResult ExecuteAndCycle(std::unique_ptr<CCmdVirtual> command,
                                               int cycles = 2);

    CScriptedWindowServices m_windows;
    CTestWaveApp m_app;
    CommandHistory m_history;
};

// Undoes and redoes the top step of the history the given number of times: each Undo must give
// back the dump "before", each Redo the dump "after".
::testing::AssertionResult CycleUndoRedo(CommandHistory& history,
                                         const std::function<QString()>& dump,
                                         const QString& before, const QString& after, int cycles);
