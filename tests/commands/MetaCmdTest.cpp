#include "commands/MetaCmd.h"
#include "commands/CommandHistory.h"
#include "commands/MetaCallBackInfo.h"
#include "commands/MetaCommands.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include "support/ScriptedWindowServices.h"
#include "support/TestCommands.h"

#include <gtest/gtest.h>

namespace {

// A composite of test commands, each given as "name [faildo] [failundo] [failredo] [noundo]
// [noredo] [error=text]", each with journalling callbacks.
std::unique_ptr<CMetaCmd> MakeComposite(STestJournal& journal, const std::vector<const char*>& subs)
{
    auto composite = std::make_unique<CMetaCmd>(IDS_RECONCILE_WAVE);
    for (const char* sub : subs) {
        const QStringList words = QString::fromUtf8(sub).split(QLatin1Char(' '));
        auto command = std::make_unique<CTestCmd>(journal, words.at(0));
        for (const QString& option : words.mid(1)) {
            command->FailDo |= option == QLatin1String("faildo");
            command->FailUndo |= option == QLatin1String("failundo");
            command->FailRedo |= option == QLatin1String("failredo");
            command->Undoable &= option != QLatin1String("noundo");
            command->Redoable &= option != QLatin1String("noredo");
            if (option.startsWith(QLatin1String("error=")))
                command->Error = option.mid(6);
        }
        composite->AddCmd(std::move(command), JournalCallBacks(journal));
    }
    return composite;
}

struct SMetaCase
{
    const char* Name;
    std::vector<const char*> Subs;
    std::vector<const char*> Actions; // "do", "undo", "redo", run in order
    bool Result;                      // of the last action
    const char* Steps;                // the sub-commands' steps during all actions
    const char* Delivered;            // records the sub-commands' callbacks got
    const char* Applied;
    const char* Error; // the composite's error text after a failure, "" when it did not fail
};

const SMetaCase kMetaCases[] = {
    {"all sub-commands done in order",
     {"A", "B", "C"},
     {"do"},
     true,
     "do A, do B, do C",
     "after do A, after do B, after do C",
     "A B C",
     ""},
    {"undone last to first",
     {"A", "B", "C"},
     {"do", "undo"},
     true,
     "do A, do B, do C, undo C, undo B, undo A",
     "after do A, after do B, after do C, after undo C, after undo B, after undo A",
     "",
     ""},
    {"redone first to last",
     {"A", "B"},
     {"do", "undo", "redo"},
     true,
     "do A, do B, undo B, undo A, redo A, redo B",
     "after do A, after do B, after undo B, after undo A, after redo A, after redo B",
     "A B",
     ""},
    {"the second of three fails in Do",
     {"A", "B faildo error=unreadable", "C"},
     {"do"},
     false,
     "do A, fail do B, undo A",
     "after do A, after undo A",
     "",
     "'B': \"unreadable\""},
    {"a failure without a text",
     {"A", "B faildo", "C"},
     {"do"},
     false,
     "do A, fail do B, undo A",
     "after do A, after undo A",
     "",
     "'B': \"\x01\""},
    {"the walk back passes over what cannot be undone",
     {"A", "B noundo", "C faildo"},
     {"do"},
     false,
     "do A, do B, fail do C, undo A",
     "after do A, after do B, after undo A",
     "B",
     ""},
    {"a failing Undo redoes the sub-commands after it",
     {"A", "B failundo", "C"},
     {"do", "undo"},
     false,
     "do A, do B, do C, undo C, fail undo B, redo C",
     "after do A, after do B, after do C, after undo C, after redo C",
     "A B C",
     ""},
    {"a failing Redo undoes the sub-commands before it",
     {"A", "B failredo", "C"},
     {"do", "undo", "redo"},
     false,
     "do A, do B, do C, undo C, undo B, undo A, redo A, fail redo B, undo A",
     "after do A, after do B, after do C, after undo C, after undo B, after undo A, "
     "after redo A, after undo A",
     "",
     ""},
    {"a composite that cannot be undone refuses Undo",
     {"A", "B noundo"},
     {"do", "undo"},
     false,
     "do A, do B",
     "after do A, after do B",
     "A B",
     ""},
    {"a composite that cannot be redone refuses Redo",
     {"A noredo", "B"},
     {"do", "undo", "redo"},
     false,
     "do A, do B, undo B, undo A",
     "after do A, after do B, after undo B, after undo A",
     "",
     ""},
    {"an empty composite succeeds", {}, {"do", "undo", "redo"}, true, "", "", "", ""},
};

void PrintTo(const SMetaCase& c, std::ostream* os)
{
    *os << c.Name;
}

class MetaCmdCases : public ::testing::TestWithParam<SMetaCase>
{
};

TEST_P(MetaCmdCases, RunsItsSubCommandsAllOrNothing)
{
    const SMetaCase& c = GetParam();
    STestJournal journal;
    {
        std::unique_ptr<CMetaCmd> composite = MakeComposite(journal, c.Subs);
        bool result = false;
        for (const char* action : c.Actions) {
            std::unique_ptr<CCallBackInfo> record;
            const QString step = QString::fromUtf8(action);
            if (step == QLatin1String("do"))
                result = composite->Do(record);
            else if (step == QLatin1String("undo"))
                result = composite->Undo(record);
            else
                result = composite->Redo(record);
            // A successful step hands back the composite's own record, a failed one none.
            EXPECT_EQ(record != nullptr, result) << action;
            if (result) {
                EXPECT_NE(dynamic_cast<CCallBackInfoMetaCmd*>(record.get()), nullptr);
            }
        }
        EXPECT_EQ(result, c.Result);
        EXPECT_EQ(journal.Steps.join(QStringLiteral(", ")), QString::fromUtf8(c.Steps));
        EXPECT_EQ(journal.Delivered.join(QStringLiteral(", ")), QString::fromUtf8(c.Delivered));
        EXPECT_EQ(journal.Applied.join(QLatin1Char(' ')), QString::fromUtf8(c.Applied));
        QString error = QString::fromUtf8(c.Error);
        error.replace(QLatin1Char('\x01'), LoadString(63476));
        if (!error.isEmpty()) {
            EXPECT_EQ(composite->GetErrorText(), error);
        }
        EXPECT_EQ(journal.LiveRecords, 0);
    }
    // The composite deletes its sub-commands with itself.
    EXPECT_EQ(journal.LiveCommands, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, MetaCmdCases, ::testing::ValuesIn(kMetaCases),
                         [](const ::testing::TestParamInfo<SMetaCase>& info) {
                             return std::to_string(info.index);
                         });

TEST(MetaCmd, CanUndoAndCanRedoAreThoseOfEverySubCommand)
{
    STestJournal journal;
    EXPECT_TRUE(MakeComposite(journal, {"A", "B"})->CanUndo());
    EXPECT_TRUE(MakeComposite(journal, {"A", "B"})->CanRedo());
    EXPECT_FALSE(MakeComposite(journal, {"A", "B noundo"})->CanUndo());
    EXPECT_TRUE(MakeComposite(journal, {"A", "B noundo"})->CanRedo());
    EXPECT_FALSE(MakeComposite(journal, {"A noredo", "B"})->CanRedo());
    EXPECT_EQ(journal.LiveCommands, 0);
}

TEST(MetaCmd, IsNamedFromTheStringTable)
{
    CMetaCmd composite(IDS_RECONCILE_WAVE);
    EXPECT_EQ(composite.GetName(), LoadString(IDS_RECONCILE_WAVE));
}

TEST(MetaCmd, FailedCompositeStaysWithItsIssuerAndLeavesTheHistory)
{
    CScriptedWindowServices windows;
    STestJournal journal;
    CommandHistory history;
    std::unique_ptr<CCmdVirtual> first = std::make_unique<CTestCmd>(journal, "X");
    ASSERT_TRUE(history.Execute(first, {}));
    ASSERT_TRUE(history.Undo());

    std::unique_ptr<CCmdVirtual> composite = MakeComposite(journal, {"A", "B faildo", "C"});
    EXPECT_FALSE(history.Execute(composite, JournalCallBacks(journal)));
    ASSERT_NE(composite, nullptr);
    EXPECT_EQ(history.GetUndoCount(), 0);
    EXPECT_EQ(history.GetRedoCount(), 1);
    EXPECT_EQ(journal.Applied, QStringList());
    composite.reset();
    EXPECT_EQ(journal.LiveCommands, 1);
    EXPECT_EQ(journal.LiveRecords, 0);
}

TEST(MetaCmd, HistoryCallbacksSeeTheCompositeRecordOncePerStep)
{
    CScriptedWindowServices windows;
    STestJournal journal;
    CommandHistory history;
    int compositeRecords = 0;
    const CCmdCallBack countRecord = [&](std::unique_ptr<CCallBackInfo> record) {
        if (dynamic_cast<CCallBackInfoMetaReconcileWaveCmd*>(record.get()))
            ++compositeRecords;
    };
    auto composite = std::make_unique<CMetaReconcileWaveCmd>(IDS_RECONCILE_WAVE, 4);
    composite->AddCmd(std::make_unique<CTestCmd>(journal, "A"), JournalCallBacks(journal));
    composite->AddCmd(std::make_unique<CTestCmd>(journal, "B"), JournalCallBacks(journal));
    std::unique_ptr<CCmdVirtual> command = std::move(composite);
    ASSERT_TRUE(history.Execute(command, {countRecord, countRecord, countRecord}));
    ASSERT_TRUE(history.Undo());
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(compositeRecords, 3);
    EXPECT_EQ(journal.Delivered, QStringList({"after do A", "after do B", "after undo B",
                                              "after undo A", "after redo A", "after redo B"}));
}

// Each subject composite names its subject in its record.
TEST(MetaCmd, SubjectCompositesNameTheirSubject)
{
    std::unique_ptr<CCallBackInfo> record;
    ASSERT_TRUE(CMetaReconcileWaveCmd(IDS_RECONCILE_WAVE, 3).Do(record));
    EXPECT_EQ(dynamic_cast<CCallBackInfoMetaReconcileWaveCmd&>(*record).WaveId, 3);
    ASSERT_TRUE(CMetaReReconcileWaveCmd(63354, 4).Do(record));
    EXPECT_EQ(dynamic_cast<CCallBackInfoMetaReReconcileWaveCmd&>(*record).WaveId, 4);
    ASSERT_TRUE(CMetaRemoveWaveCmd(63350, 5).Do(record));
    EXPECT_EQ(dynamic_cast<CCallBackInfoMetaRemoveWaveCmd&>(*record).WaveId, 5);
    ASSERT_TRUE(CMetaOrderCampaignCmd(63346, 6).Do(record));
    EXPECT_EQ(dynamic_cast<CCallBackInfoMetaOrderCampaignCmd&>(*record).Id, 6);
    ASSERT_TRUE(CMetaChangeModalityCmd(63335, 7).Do(record));
    EXPECT_EQ(dynamic_cast<CCallBackInfoMetaChangeModalityCmd&>(*record).ModalityId, 7);

    ASSERT_TRUE(CMetaChangeQuesAppVolIDCmd(63314, 1, 2, 3).Do(record));
    const auto& ques = dynamic_cast<CCallBackInfoMetaChangeQuesAppVolIDCmd&>(*record);
    EXPECT_EQ(ques.VolumeId, 1);
    EXPECT_EQ(ques.QuestionId, 2);
    EXPECT_EQ(ques.SourceQuestionId, 3);
    ASSERT_TRUE(CMetaChangeModAppVolIDCmd(63318, 4, 5, 6).Do(record));
    const auto& mod = dynamic_cast<CCallBackInfoMetaChangeModAppVolIDCmd&>(*record);
    EXPECT_EQ(mod.VolumeId, 4);
    EXPECT_EQ(mod.ModalityId, 5);
    EXPECT_EQ(mod.SourceModalityId, 6);

    std::set<int> ids{1, 2};
    std::map<int, int> before{{1, 10}};
    std::map<int, int> after{{2, 20}};
    CMetaMoveQuestionsCmd move(63498, ids, before, after);
    ids.clear();
    ASSERT_TRUE(move.Undo(record));
    const auto& moved = dynamic_cast<CCallBackInfoMetaMoveQuestionsCmd&>(*record);
    EXPECT_EQ(moved.Ids, (std::set<int>{1, 2}));
    EXPECT_EQ(moved.Before, before);
    EXPECT_EQ(moved.After, after);
}

} // namespace
