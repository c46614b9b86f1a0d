#include "CommandTestSupport.h"

#include "commands/LanguageCommands.h"
#include "commands/WaveCallBackInfo.h"
#include "model/Campaign.h"
#include "model/RecordMakers.h"
#include "storage/DBAccessDAO.h"

using namespace pelko_wave;

namespace {

class LanguageCommandsTest : public CCommandTest
{
protected:
    std::unique_ptr<CCmdAddLanguage> AddLanguage(int id, bool isDefault)
    {
        return std::make_unique<CCmdAddLanguage>(&Campaign(), id, isDefault,
                                                 QStringLiteral("Language %1").arg(id),
                                                 QStringLiteral("L%1").arg(id));
    }
};

TEST_F(LanguageCommandsTest, AnAddedLanguageComesBackAsTheSameObject)
{
    Campaign().AddLanguage(MakeLanguage(2057, 1, QString(), QString()));
    std::vector<CLanguage*> received;
    const CCmdCallBack keep = [&](std::unique_ptr<CCallBackInfo> record) {
        received.push_back(dynamic_cast<CCallBackInfoAddLanguage&>(*record).Language);
    };
    auto command = AddLanguage(1036, false);
    EXPECT_EQ(command->GetName(), QStringLiteral("create new language"));
    ASSERT_TRUE(Execute(std::move(command), {keep, keep, keep}));
    CLanguage* added = Campaign().FindLanguage(1036);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->GetLanguageName(), QStringLiteral("Language 1036"));
    EXPECT_EQ(Campaign().GetDefaultLanguageId(), 2057);
    ASSERT_TRUE(m_history.Undo());
    EXPECT_FALSE(Campaign().FindLanguage(1036));
    ASSERT_TRUE(m_history.Redo());
    EXPECT_EQ(Campaign().FindLanguage(1036), added);
    EXPECT_EQ(received, (std::vector<CLanguage*>{added, added, added}));
}

// Undo of a new default language gives the campaign its former default back.
TEST_F(LanguageCommandsTest, ADefaultLanguageIsTheDefaultUntilUndone)
{
    Campaign().AddLanguage(MakeLanguage(2057, 1, QString(), QString()));
    EXPECT_TRUE(ExecuteAndCycle(AddLanguage(1036, true), 2));
    EXPECT_EQ(Campaign().GetDefaultLanguageId(), 1036);
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(Campaign().GetDefaultLanguageId(), 2057);
}

TEST_F(LanguageCommandsTest, ALanguageTheCampaignHasFailsAndChangesNothing)
{
    Campaign().AddLanguage(MakeLanguage(2057, 1, QString(), QString()));
    const QString before = Dump();
    std::unique_ptr<CCmdVirtual> command = AddLanguage(2057, false);
    EXPECT_FALSE(m_history.Execute(command, {}));
    EXPECT_EQ(command->GetErrorText(),
              QStringLiteral("The campaign already has the language 2057."));
    EXPECT_TRUE(SameDump(Dump(), before));
}

TEST_F(LanguageCommandsTest, UndoOfALanguageRemovedMeanwhileFails)
{
    ASSERT_TRUE(Execute(AddLanguage(1036, false)));
    const std::unique_ptr<CLanguage> removed = Campaign().RemoveLanguage(1036);
    Campaign().AddLanguage(MakeLanguage(1036, 0, QString(), QString()));
    const QString before = Dump();
    EXPECT_FALSE(m_history.Undo());
    EXPECT_TRUE(SameDump(Dump(), before));
}

// The upgrade cannot be undone: the history offers no Undo while it is the newest step, and
// steps after it stay undoable.
TEST_F(LanguageCommandsTest, TheVersionUpgradeCannotBeUndone)
{
    struct CUpgradedStorage : CDBAccessDAO
    {
        bool Upgrade(CCampaign&) override { return true; }
    } storage;
    Campaign().SetVersionNumber(QStringLiteral("5,1,0,0"));
    auto upgrade = std::make_unique<CCmdMoveToMostRecentVersion>(&Campaign(), &storage);
    EXPECT_EQ(upgrade->GetName(), QStringLiteral("move to most recent version"));
    ASSERT_TRUE(Execute(std::move(upgrade)));
    EXPECT_EQ(Campaign().GetVersionNumber(), PROGRAM_VERSION_TEXT);
    EXPECT_FALSE(m_history.CanUndo());
    ASSERT_TRUE(Execute(AddLanguage(1036, false)));
    EXPECT_TRUE(m_history.CanUndo());
    ASSERT_TRUE(m_history.Undo());
    EXPECT_FALSE(m_history.CanUndo());
}

TEST_F(LanguageCommandsTest, AFailedFileUpgradeLeavesTheCampaignAndTellsWhy)
{
    struct CRefusingStorage : CDBAccessDAO
    {
        bool Upgrade(CCampaign&) override
        {
            SetErrorText(QStringLiteral("Dao error description refused\n"));
            return false;
        }
    } storage;
    Campaign().SetVersionNumber(QStringLiteral("5,1,0,0"));
    const QString before = Dump();
    std::unique_ptr<CCmdVirtual> upgrade =
        std::make_unique<CCmdMoveToMostRecentVersion>(&Campaign(), &storage);
    EXPECT_FALSE(m_history.Execute(upgrade, {}));
    EXPECT_EQ(upgrade->GetErrorText(), QStringLiteral("Dao error description refused\n"));
    EXPECT_TRUE(SameDump(Dump(), before));
}

} // namespace
