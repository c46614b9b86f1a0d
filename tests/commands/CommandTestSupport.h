#pragma once

#include "commands/CmdVirtual.h"
#include "commands/CommandHistory.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "support/QStringPrinter.h"
#include "support/SameDump.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestWaveApp.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

// Running one command's steps on a campaign, or steps through a history, and comparing the
// campaign's dumps between them.

namespace command_test {

// What a campaign file keeps of the campaign: undo gives back exactly this.
QString Dump(const pelko_wave::CCampaign& campaign);

// The change record of the last step run by RunSteps, kept for the test to look at.
struct SStepRecords
{
    std::unique_ptr<CCallBackInfo> AfterDo;
    std::unique_ptr<CCallBackInfo> AfterUndo;
    std::unique_ptr<CCallBackInfo> AfterRedo;
};

// The questions in array order as shortcut and order ("A0 B5 C7"), and the question's
// responses as short caption in the language and order ("Yes1 No2").
QString QuestionOrdersText(const pelko_wave::CCampaign& campaign);
QString ResponseOrdersText(const pelko_wave::CQuestion& question, int languageId);

// The campaign's matchings, one a line, sorted: "Q10@2=5[2..*]" for a question matching of
// campaign question 10 held by volume 2 to source "5" from volume 2 to the open end, "R100@..."
// for a response matching of response 100.
QString MatchingsText(const pelko_wave::CCampaign& campaign);

// What changed between two dumps, record by record: "Question 11 shortcut: \"Q4\" -> \"Q4B\""
// for each field of a record found in both, "+ <line>" and "- <line>" for records only in one.
// A record is known by its kind and id, or for the records without an id by the fields that
// name it (a matching by its holder and item, a caption by its holder and language).
QStringList DumpDiff(const QString& before, const QString& after);

// Writes the campaign into a new campaign file at the path and reads it back; the dump of what
// was read, or an empty text with the error in *error.
QString SaveAndReload(const pelko_wave::CCampaign& campaign, const QString& path,
                      QString* error = nullptr);
// SQLite's integrity and foreign-key checks of a file: empty when both pass, else what they say.
QString CheckCampaignFile(const QString& path);

// Whether every reference between the campaign's records holds: each response belongs to a
// question of the campaign that lists it, each question's responses are the campaign's; each
// matching and merging names a question, response and volumes that exist (an open end aside);
// each question's and response's appearance volume exists. The failure says the first that
// does not.
::testing::AssertionResult KeepsItsReferences(const pelko_wave::CCampaign& campaign);

// Runs Do, Undo, Redo and Undo again, checking that each succeeds with a record, that Undo gives
// back the dump from before Do and Redo the dump after Do. The dump after Do goes into afterDo;
// the campaign is left undone (as before Do) unless leaveDone is set, which ends after the Redo.
::testing::AssertionResult RunSteps(CCmdVirtual& command, const pelko_wave::CCampaign& campaign,
                                    QString* afterDo = nullptr, SStepRecords* records = nullptr,
                                    bool leaveDone = false);

// Runs Do and expects it to fail with the campaign unchanged and no record.
::testing::AssertionResult FailsWithoutChange(CCmdVirtual& command,
                                              const pelko_wave::CCampaign& campaign);

} // namespace command_test

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
