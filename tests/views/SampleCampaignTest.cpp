#include "ViewTestSupport.h"

#include "commands/CommandHistory.h"
#include "controls/AutoRepeatButton.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "support/SameDump.h"
#include "support/views/SampleCampaign.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/QuestionTreeCtrl.h"
#include "views/RightTreePage.h"
#include "views/RightView.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace pelko_wave;

// The campaign views on the sample campaign: the three sample waves reconciled through the
// application's commands, saved and opened again.
class SampleCampaignTest : public ::testing::Test
{
protected:
    SampleCampaignTest()
    {
        app.CreateCampaignObjects(nullptr, nullptr);
        QString error;
        built = sample_campaign::BuildSampleCampaign(app, folder.filePath("sample.duv"), error);
        EXPECT_TRUE(built) << qPrintable(error);
        right.resize(420, 520);
        left.SetPanes(&right, nullptr);
        left.ResetAfterLoad();
        right.show();
    }

    CCampaign& Campaign() { return *app.GetCampaign(); }
    CRightTreePage& Page() { return *right.GetTreePage(); }
    CQuestionTreeCtrl& Tree() { return *Page().GetTree(); }
    HTREEITEM Item(const QString& shortcut)
    {
        for (HTREEITEM walk = Tree().GetRootItem(); walk; walk = Tree().GetNextTreeItem(walk))
            if (Tree().GetItemText(walk) == shortcut)
                return walk;
        return nullptr;
    }
    void Click(HTREEITEM item)
    {
        Tree().scrollToItem(item);
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {},
                          Tree().GetItemRect(item, true).center());
    }

    QTemporaryDir folder;
    CScriptedWindowServices windows;
    CWaveApp app;
    bool built = false;
    CRightView right;
    CLeftView left;
};

TEST_F(SampleCampaignTest, TheTreeShowsTheWavesAndTheirVolumes)
{
    ASSERT_TRUE(built);
    ASSERT_EQ(Campaign().GetWaveCount(), 3);
    EXPECT_EQ(Campaign().GetWave(1)->GetVolumeCount(), 2);
    for (int w = 0; w < Campaign().GetWaveCount(); ++w)
        for (int v = 0; v < Campaign().GetWave(w)->GetVolumeCount(); ++v)
            EXPECT_EQ(Campaign().GetWave(w)->GetVolume(v)->GetStatus(), VOLUME_RECONCILED);
    EXPECT_EQ(left.GetModel()->GetRecordCount(), 1 + 3 + 4);

    // The campaign page nests the chapters' questions under them.
    EXPECT_EQ(Page().GetMode(), CRightTreePage::ModeCampaign);
    HTREEITEM screening = Item(QStringLiteral("SCREENING"));
    ASSERT_NE(screening, nullptr);
    EXPECT_EQ(CQuestionTreeCtrl::GetDepth(screening), 1);
    EXPECT_EQ(CQuestionTreeCtrl::GetDepth(Item(QStringLiteral("S1"))), 2);
    // Q7 was dropped in wave 2, yet stays a campaign question; Q11 came with wave 2.
    EXPECT_NE(Item(QStringLiteral("Q7")), nullptr);
    EXPECT_NE(Item(QStringLiteral("Q11")), nullptr);

    // Wave 1 did not have Q11; the volume of wave 3 matched Q12, the first two waves did not.
    left.SelectWaveItem(Campaign().GetWave(0)->GetWaveId(), 0);
    EXPECT_EQ(Page().GetMode(), CRightTreePage::ModeWave);
    EXPECT_EQ(Item(QStringLiteral("Q11")), nullptr);
    EXPECT_NE(Item(QStringLiteral("Q7")), nullptr);
    left.SelectVolumeItem(Campaign().GetWave(2)->GetVolume(0)->GetVolumeId(), 0);
    EXPECT_EQ(Page().GetMode(), CRightTreePage::ModeVolume);
    EXPECT_NE(Item(QStringLiteral("Q12")), nullptr);
    EXPECT_EQ(Item(QStringLiteral("Q7")), nullptr);
    EXPECT_TRUE(windows.Prompts.isEmpty()) << qPrintable(windows.Prompts.join('\n'));
}

TEST_F(SampleCampaignTest, MovesRenamesUndoAndRedoGiveTheSameCampaigns)
{
    ASSERT_TRUE(built);
    const int historyBefore = app.GetCommandHistory().GetUndoCount();
    std::vector<QString> dumps{DumpCampaign(Campaign())};

    // The profile chapter goes up twice, a question leaves its chapter, another is renamed.
    HTREEITEM profile = Item(QStringLiteral("PROFILE"));
    ASSERT_NE(profile, nullptr);
    Click(profile);
    QTest::mouseClick(Page().GetButton(CRightTreePage::ButtonUp), Qt::LeftButton);
    dumps.push_back(DumpCampaign(Campaign()));
    QTest::mouseClick(Page().GetButton(CRightTreePage::ButtonUp), Qt::LeftButton);
    dumps.push_back(DumpCampaign(Campaign()));
    Tree().Expand(Item(QStringLiteral("SCREENING")), TVE_EXPAND);
    Click(Item(QStringLiteral("S2")));
    QTest::mouseClick(Page().GetButton(CRightTreePage::ButtonLeft), Qt::LeftButton);
    dumps.push_back(DumpCampaign(Campaign()));
    EXPECT_EQ(CQuestionTreeCtrl::GetDepth(Item(QStringLiteral("S2"))), 1);
    Click(Item(QStringLiteral("Q1")));
    QTest::keyClick(&Tree(), Qt::Key_F2);
    auto* editor = Tree().findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("AWARE_SPONT"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    dumps.push_back(DumpCampaign(Campaign()));
    ASSERT_EQ(app.GetCommandHistory().GetUndoCount(), historyBefore + 4);
    EXPECT_EQ(Campaign().FindQuestionByShortcut(QStringLiteral("AWARE_SPONT")) != nullptr, true);

    // Each step's campaign comes back going down the history and up again.
    for (int step = 4; step > 0; --step) {
        ASSERT_TRUE(app.Undo());
        EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), dumps[size_t(step - 1)])) << step;
    }
    EXPECT_NE(Item(QStringLiteral("Q1")), nullptr);
    for (int step = 1; step <= 4; ++step) {
        ASSERT_TRUE(app.Redo());
        EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), dumps[size_t(step)])) << step;
    }
    EXPECT_NE(Item(QStringLiteral("AWARE_SPONT")), nullptr);
}
