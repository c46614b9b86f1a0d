#include "ReconPageTestSupport.h"

#include "commands/CommandHistory.h"
#include "commands/MetaCmd.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "model/Matchings.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "res/CommandIds.h"
#include "support/SameDump.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;
using namespace recon_test;
using Page = CRightReconciliationPage;

// Wave 1 has the one volume 1 "Online", whose responses are matched by short caption; wave 2 has
// the volumes 2 and 3. Campaign questions of wave 1:
//   10 AGE     matched to a source question of the same captions
//   11 INCOME  matched to a source question of another caption (a difference)
//   12 REGION  responses North, South matched to the same source responses
//   13 SPARE   matched nowhere
// In wave 2, AGE is matched in both volumes.
class ValidateMatchesTest : public CReconPageTest
{
protected:
    ValidateMatchesTest()
    {
        CWave* first = view_test::AddWave(Campaign(), 1, QStringLiteral("Spring"));
        online = view_test::AddVolume(Campaign(), *first, 1, QStringLiteral("Online"),
                                      VOLUME_RECONCILED);
        online->SetResponseMatchingMethods({2});
        AddQuestion(Campaign(), 10, 1, "AGE", "Age", 1, 5);
        AddSourceQuestion(*online, 1, "AGE", "Age", 5);
        MatchQuestion(*online, 10, 1);
        AddQuestion(Campaign(), 11, 2, "INCOME", "Income", 1, 5);
        AddSourceQuestion(*online, 2, "INCOME", "Household income", 5);
        MatchQuestion(*online, 11, 2);
        CQuestion* region = AddQuestion(Campaign(), 12, 3, "REGION", "Region", 1);
        qnr::CQuestion* sourceRegion = AddSourceQuestion(*online, 3, "REGION", "Region");
        for (int i = 0; i < 2; ++i) {
            const QString caption = i == 0 ? QStringLiteral("North") : QStringLiteral("South");
            AddResponse(Campaign(), *region, 121 + i, caption);
            AddSourceResponse(*sourceRegion, 1 + i, caption);
            MatchResponse(*online, *region, 121 + i, 1 + i);
        }
        MatchQuestion(*online, 12, 3);
        AddQuestion(Campaign(), 13, 4, "SPARE", "Spare", 1, 5);

        CWave* second = view_test::AddWave(Campaign(), 2, QStringLiteral("Summer"));
        for (int id : {2, 3}) {
            CVolume* volume = view_test::AddVolume(
                Campaign(), *second, id, QStringLiteral("V%1").arg(id), VOLUME_RECONCILED);
            AddSourceQuestion(*volume, 1, "AGE", "Age", 5);
            MatchQuestion(*volume, 10, 1);
        }
    }

    // Each question row as "campaign shortcut|source shortcut".
    QStringList Rows() const
    {
        QStringList rows;
        for (int row = kFirst; row < page.GetQuestionGrid()->GetRowCount(); ++row)
            rows << QRow(row, {Page::QColShortcut, Page::QColSourceShortcut});
        return rows;
    }
    CommandHistory& History() { return app.GetCommandHistory(); }

    CVolume* online = nullptr;
};

TEST_F(ValidateMatchesTest, MakesTheCleanMatchingsOfAOneVolumeWaveAgainInOneStep)
{
    ASSERT_TRUE(page.LoadWave(1));
    // The engine's look-up records that the matching leaves behind are no campaign data.
    const QString before = DumpCampaign(Campaign(), DUMP_COUNTERS);
    const QStringList rows = Rows();
    const CQuestionMatching* differing = online->FindQuestionMatchingInherited(11, 1);
    const CQuestionMatching* age = online->FindQuestionMatchingInherited(10, 1);
    const CQuestionMatching* region = online->FindQuestionMatchingInherited(12, 1);

    page.OnCommand(ID_VALIDATE_MATCHES);
    ASSERT_EQ(History().GetUndoCount(), 1);
    EXPECT_EQ(History().GetUndoStepName(), QStringLiteral("validated campaign"));
    const auto* composite = dynamic_cast<const CMetaCmd*>(History().GetUndoTopCommand());
    ASSERT_NE(composite, nullptr);
    // REGION is broken and matched again; INCOME differs, and AGE has no responses to match
    // afresh: both keep their matchings.
    QStringList steps;
    for (int i = 0; i < composite->GetCmdCount(); ++i)
        steps << composite->GetCmd(i)->GetName();
    EXPECT_EQ(steps, QStringList({"break question matching", "create question matching"}));
    EXPECT_EQ(online->FindQuestionMatchingInherited(11, 1), differing);
    EXPECT_EQ(online->FindQuestionMatchingInherited(10, 1), age);
    ASSERT_NE(online->FindQuestionMatchingInherited(12, 1), nullptr);
    EXPECT_NE(online->FindQuestionMatchingInherited(12, 1), region);
    const CModalityMatching* north = online->FindModalityMatchingInherited(121, 1);
    ASSERT_NE(north, nullptr);
    EXPECT_EQ(north->GetModalitySourceId(), QStringLiteral("1"));
    // The page shows the wave again as it stands.
    EXPECT_EQ(Rows(), rows);

    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign(), DUMP_COUNTERS), before));
    EXPECT_EQ(Rows(), rows);
}

TEST_F(ValidateMatchesTest, AWaveOfSeveralVolumesOrWithoutCleanPairsRecordsNothing)
{
    ASSERT_TRUE(page.LoadWave(2));
    page.OnCommand(ID_VALIDATE_MATCHES);
    EXPECT_EQ(History().GetUndoCount(), 0);

    // Wave 1 with the captions of AGE and REGION changed: every pair differs.
    Campaign().GetQuestionById(10)->SetShortCaption(kLanguage, QStringLiteral("Years"));
    Campaign().GetQuestionById(12)->SetShortCaption(kLanguage, QStringLiteral("Area"));
    ASSERT_TRUE(page.LoadWave(1));
    page.OnCommand(ID_VALIDATE_MATCHES);
    EXPECT_EQ(History().GetUndoCount(), 0);
    EXPECT_FALSE(app.IsModified());
}

TEST_F(ValidateMatchesTest, AFailedStepTakesTheWholeStepBackAndSaysWhy)
{
    // A damaged file holds REGION's matching in the volume twice: once one is broken, the other
    // stops the matching being made again.
    MatchQuestion(*online, 12, 3);
    ASSERT_TRUE(page.LoadWave(1));
    const QString before = DumpCampaign(Campaign(), DUMP_COUNTERS);
    page.OnCommand(ID_VALIDATE_MATCHES);
    EXPECT_EQ(History().GetUndoCount(), 0);
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_TRUE(windows.Prompts[0].contains(QStringLiteral("create question matching")))
        << qPrintable(windows.Prompts[0]);
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign(), DUMP_COUNTERS), before));
}
