#include "commands/CmdVirtual.h"
#include "commands/MetaCallBackInfo.h"
#include "commands/PropertyCallBackInfo.h"
#include "commands/WaveCallBackInfo.h"
#include "res/StringTable.h"

#include "support/TestCommands.h"

#include <gtest/gtest.h>

namespace {

// A command class without a display name of its own.
class CUnnamedCmd : public CCmdVirtual
{
public:
    bool Do(std::unique_ptr<CCallBackInfo>&) override { return true; }
    bool Undo(std::unique_ptr<CCallBackInfo>&) override { return true; }
    bool Redo(std::unique_ptr<CCallBackInfo>&) override { return true; }
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override { return nullptr; }
};

TEST(CmdVirtual, StartsWithoutGroupBarrierOrError)
{
    CUnnamedCmd command;
    EXPECT_FALSE(command.IsGrouped());
    EXPECT_FALSE(command.IsHistoryBarrier());
    EXPECT_TRUE(command.CanUndo());
    EXPECT_TRUE(command.CanRedo());
    EXPECT_EQ(command.GetName(), QString());
    EXPECT_EQ(command.GetErrorText(), LoadString(63476));
    EXPECT_EQ(command.GetCampaign(), nullptr);

    GUID group;
    ASSERT_TRUE(CreateGuid(group));
    command.SetGroupId(group);
    command.SetHistoryBarrier(true);
    EXPECT_TRUE(command.IsGrouped());
    EXPECT_EQ(command.GetGroupId(), group);
    EXPECT_TRUE(command.IsHistoryBarrier());
}

TEST(CmdVirtual, KeepsTheTextOfItsLastFailure)
{
    STestJournal journal;
    CTestCmd command(journal, "A");
    command.FailDo = true;
    command.Error = "source file missing";
    std::unique_ptr<CCallBackInfo> record;
    EXPECT_FALSE(command.Do(record));
    EXPECT_EQ(command.GetErrorText(), "source file missing");
}

TEST(CmdVirtual, ACommandNeverExecutedChangesNothing)
{
    STestJournal journal;
    {
        CTestCmd command(journal, "A");
    }
    EXPECT_TRUE(journal.Steps.isEmpty());
    EXPECT_TRUE(journal.Applied.isEmpty());
    EXPECT_EQ(journal.LiveCommands, 0);
}

TEST(CallBackInfo, ReceiversTellTheKindsApartByType)
{
    std::unique_ptr<CCallBackInfo> record = std::make_unique<CCallBackInfoRemoveVolume>(7, 2);
    EXPECT_EQ(dynamic_cast<CCallBackInfoUnreconcileVolume*>(record.get()), nullptr);
    EXPECT_EQ(dynamic_cast<CCallBackInfoMetaCmd*>(record.get()), nullptr);
    const auto* removed = dynamic_cast<CCallBackInfoRemoveVolume*>(record.get());
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->VolumeId, 7);
    EXPECT_EQ(removed->WaveId, 2);

    // Records of one layout are still different kinds.
    record = std::make_unique<CCallBackInfoChangeQuestionShortCaption>();
    EXPECT_EQ(dynamic_cast<CCallBackInfoChangeQuestionLongCaption*>(record.get()), nullptr);
    EXPECT_NE(dynamic_cast<CCallBackInfoChangeQuestionShortCaption*>(record.get()), nullptr);
}

TEST(CallBackInfo, DefaultsAreThoseOfAnUnexecutedCommand)
{
    EXPECT_EQ(CCallBackInfoNewVolume().VolumeId, -1);
    EXPECT_EQ(CCallBackInfoNewVolume().Volume, nullptr);
    EXPECT_EQ(CCallBackInfoUnreconcileVolume().WaveId, -1);
    EXPECT_EQ(CCallBackInfoChangeQuestionLongCaption().OldValue.GetLanguageId(), -1);
}

TEST(CallBackInfo, PropertyRecordsCarryCopiesOfBothValues)
{
    CCaptionValue newValue(CValue(7), 1036);
    CCaptionValue oldValue;
    oldValue.SetText("old");
    CCallBackInfoChangeModalityShortCaption record(nullptr, newValue, oldValue);
    newValue.SetText("changed later");
    EXPECT_EQ(record.NewValue.GetText(), "7");
    EXPECT_EQ(record.NewValue.GetLanguageId(), 1036);
    EXPECT_EQ(record.OldValue.GetText(), "old");
    EXPECT_EQ(record.OldValue.GetLanguageId(), -1);
}

} // namespace
