// The duplicates dialog: which questions and responses the search groups, how far its progress
// goes, the dialog that waits for its worker, and Consolidate, which folds every ticked group
// into its member with the lowest id in one undoable step.

#include "dialogs/CheckForDuplicatesDlg.h"

#include "ModelFixtures.h"

#include "app/WaveApp.h"
#include "controls/XListCtrl.h"
#include "dialogs/DuplicateSearch.h"
#include "dialogs/ProgressDlg.h"
#include "model/CampaignDump.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "storage/DBAccess.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestWaveApp.h"
#include "support/views/SampleCampaign.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace pelko_wave;
using namespace model_test;

namespace {

constexpr int kLanguage = 2057;

// A campaign of three waves of one volume each (volumes 1, 2 and 3, in waves 1, 2 and 3), in
// the default language 2057. Questions are added in order; the responses of question q have the
// ids q * 10 + 1, q * 10 + 2 and so on.
struct SDuplicateCampaign
{
    SDuplicateCampaign() : Campaign(std::make_unique<CCampaign>())
    {
        Campaign->SetDefaultLanguageId(kLanguage);
        for (int w = 1; w <= 3; ++w) {
            auto wave = MakeWave(w, w);
            wave->AddVolume(MakeVolume(w, w));
            Campaign->InsertWave(std::move(wave));
        }
    }

    CQuestion& Add(int id, const QString& shortcut, const QStringList& responses,
                   int elementType = 1)
    {
        Campaign->InsertQuestion(MakeQuestion(id, ++m_order, shortcut, 1, elementType));
        for (int i = 0; i < responses.size(); ++i) {
            CModality* response =
                AddModalityTo(*Campaign, MakeModality(id * 10 + i + 1, id, i + 1));
            response->SetShortCaption(kLanguage, responses[i]);
        }
        return *Campaign->GetQuestionById(id);
    }

    // The question and its responses matched in that volume alone.
    void Match(int questionId, int volumeId)
    {
        CVolume& volume = *Campaign->FindVolume(volumeId);
        AddQuestionMatching(volume, questionId, QString::number(questionId), volumeId, volumeId);
        for (const CModality* response : Campaign->GetQuestionById(questionId)->GetModalities())
            MatchResponse(response->GetModalityId(), volumeId);
    }
    void MatchResponse(int modalityId, int volumeId)
    {
        const int questionId = Campaign->GetModalityById(modalityId)->GetQuestionId();
        AddModalityMatching(*Campaign->FindVolume(volumeId), modalityId, questionId,
                            QString::number(modalityId), volumeId, volumeId);
    }

    std::unique_ptr<CCampaign> Campaign;

private:
    int m_order = 0;
};

// Each group as "name: ids", the pivot last.
QStringList QuestionGroups(const SDuplicateSearchResults& results)
{
    QStringList groups;
    for (const SQuestionDuplicates& group : results.Questions) {
        QStringList ids;
        for (const CQuestion* question : group.Questions)
            ids << QString::number(question->GetQuestionId());
        groups << group.Name + QStringLiteral(": ") + ids.join(u' ');
    }
    return groups;
}

QStringList ResponseGroups(const SDuplicateSearchResults& results)
{
    QStringList groups;
    for (const SResponseDuplicates& group : results.Responses) {
        QStringList ids;
        for (const CModality* response : group.Responses)
            ids << QString::number(response->GetModalityId());
        groups << group.Question->GetShortcut() + QStringLiteral(": ") + ids.join(u' ');
    }
    return groups;
}

struct SSearchCase
{
    const char* What;
    std::function<void(SDuplicateCampaign&)> Build;
    QStringList QuestionGroups;
    QStringList ResponseGroups;
};

// The user ticks or unticks the row's box.
void Tick(CXListCtrl& list, int row, bool ticked)
{
    list.topLevelItem(row)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

// Shows the dialog and lets it search to its end.
bool SearchShown(CCheckForDuplicatesDlg& dialog)
{
    dialog.show();
    return QTest::qWaitFor([&dialog] { return !dialog.IsSearching(); }, 10000);
}

QStringList Rows(const CXListCtrl& list)
{
    QStringList rows;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        QStringList cells;
        for (int column = 1; column < list.GetColumns(); ++column)
            cells << list.GetItemText(row, column);
        rows << cells.join(u'|') + (list.GetCheckbox(row, 0) == 1 ? " *" : "") +
                    (list.GetEnabled(row) ? "" : " (greyed)");
    }
    return rows;
}

// What a progress window showed when it was taken away.
class CProgressWatch : public QObject
{
public:
    CProgressWatch() { qApp->installEventFilter(this); }
    ~CProgressWatch() override { qApp->removeEventFilter(this); }

    QString Caption;
    QString Text;
    int Upper = -1;
    int Pos = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (auto* progress = qobject_cast<CProgressDlg*>(watched);
            progress && event->type() == QEvent::Hide) {
            Caption = progress->windowTitle();
            Text = progress->GetMessageText();
            Upper = progress->GetRangeUpper();
            Pos = progress->GetPos();
        }
        return false;
    }
};

} // namespace

TEST(DuplicatesDlgTest, QuestionsOfANameGroupWhenThePivotCanTakeThePartnersPlace)
{
    const SSearchCase cases[] = {
        {"matched in other waves, captions equal ignoring case",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {"Yes", "No"});
             c.Add(12, "Q1", {"yes", "NO"});
             c.Match(11, 1);
             c.Match(12, 2);
         },
         {"Q1: 12 11"},
         {}},
        {"names compared exactly",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {});
             c.Add(12, "q1", {});
         },
         {},
         {}},
        {"another element type",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {});
             c.Add(12, "Q1", {}, 2);
         },
         {},
         {}},
        {"another deletion wave",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {});
             c.Add(12, "Q1", {}).SetDeletionWaveId(2);
         },
         {},
         {}},
        {"both matched in one wave",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {"Yes"});
             c.Add(12, "Q1", {"Yes"});
             c.Match(11, 1);
             c.Match(12, 1);
             c.Match(12, 2);
         },
         {},
         {}},
        {"a pivot with fewer responses cannot take its partner",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {"Yes"});
             c.Add(12, "Q1", {"Yes", "No"});
         },
         {},
         {}},
        {"a pivot with more responses can",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {"Yes", "No"});
             c.Add(12, "Q1", {"No"});
         },
         {"Q1: 12 11"},
         {}},
        {"a caption the pivot lacks",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {"Yes", "No"});
             c.Add(12, "Q1", {"Yes", "Maybe"});
         },
         {},
         {}},
        {"two responses cannot pair with one",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {"Yes", "No"});
             c.Add(12, "Q1", {"Yes", "yes"});
         },
         {},
         {}},
        {"a pairing gives way for another",
         [](SDuplicateCampaign& c) {
             // 121 could pair with 111 or 112; 122, matched in wave 3 like 112, only with 111.
             c.Add(11, "Q1", {"A", "a"});
             c.Add(12, "Q1", {"A", "A"});
             c.MatchResponse(111, 1);
             c.MatchResponse(112, 3);
             c.MatchResponse(121, 2);
             c.MatchResponse(122, 2);
             c.MatchResponse(122, 3);
         },
         {"Q1: 12 11"},
         {}},
        {"a response matched where its pair is",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {"Yes"});
             c.Add(12, "Q1", {"Yes"});
             c.MatchResponse(111, 2);
             c.MatchResponse(121, 2);
         },
         {},
         {}},
        {"a third question matched where the pivot is stays out",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {});
             c.Add(12, "Q1", {});
             c.Add(13, "Q1", {});
             c.Match(11, 1);
             c.Match(12, 2);
             c.Match(13, 1);
         },
         {"Q1: 12 11"},
         {}},
        {"a pivot without partners leaves the others to group",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {}, 2);
             c.Add(12, "Q1", {});
             c.Add(13, "Q1", {});
             c.Match(12, 1);
             c.Match(13, 3);
         },
         {"Q1: 13 12"},
         {}},
        {"responses of one caption in other waves",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {"Yes", "No", "Yes", "Yes"});
             c.MatchResponse(111, 1);
             c.MatchResponse(113, 2);
             c.MatchResponse(114, 1);
         },
         {},
         {"Q1: 113 111"}},
        {"responses compared exactly, deletion waves and waves apart",
         [](SDuplicateCampaign& c) {
             c.Add(11, "Q1", {"Yes", "yes"});
             c.Add(12, "Q2", {"Yes", "Yes"});
             c.Campaign->GetModalityById(122)->SetDeletionWaveId(3);
             c.Add(13, "Q3", {"Yes", "Yes", "Yes"});
         },
         {},
         {"Q3: 132 133 131"}},
    };
    for (const SSearchCase& c : cases) {
        SCOPED_TRACE(c.What);
        SDuplicateCampaign campaign;
        c.Build(campaign);
        const SDuplicateSearchResults results = FindDuplicates(*campaign.Campaign);
        EXPECT_EQ(QuestionGroups(results), c.QuestionGroups);
        EXPECT_EQ(ResponseGroups(results), c.ResponseGroups);
    }
}

TEST(DuplicatesDlgTest, TheSearchReportsItsRangeAndStepsAndLeavesTheReservedQuestionOut)
{
    SDuplicateCampaign c;
    c.Campaign->CreateReservedQuestion(1, QStringLiteral("Wave"), kLanguage);
    c.Campaign->CreateReservedModality(c.Campaign->FindVolume(1), QStringLiteral("Wave"),
                                       kLanguage);
    c.Campaign->CreateReservedModality(c.Campaign->FindVolume(2), QStringLiteral("Wave"),
                                       kLanguage);
    c.Add(11, "Q1", {});
    c.Add(12, "Q1", {});
    c.Add(13, "Q2", {});
    int range = -1;
    QList<int> steps;
    SDuplicateSearchProgress progress;
    progress.SetRange = [&range](int r) { range = r; };
    progress.Advance = [&steps](int s) { steps << s; };
    const SDuplicateSearchResults results = FindDuplicates(*c.Campaign, progress);
    EXPECT_EQ(QuestionGroups(results), QStringList{"Q1: 12 11"});
    // The reserved question's two "Wave" responses are no duplicates.
    EXPECT_TRUE(results.Responses.empty());
    // Twice the questions; then each name's questions plus one, and one per question.
    EXPECT_EQ(range, 6);
    EXPECT_EQ(steps, (QList<int>{3, 2, 1, 1, 1}));

    // A stop asked for before the start finds nothing.
    const std::atomic<bool> stop{true};
    EXPECT_TRUE(FindDuplicates(*c.Campaign, {}, &stop).Questions.empty());
}

class DuplicatesDlgAppTest : public ::testing::Test
{
protected:
    // Questions 15 and 12 "Q1" (15 first, in waves 1 and 2), and question 20 "Q2" whose two "Yes"
    // responses are matched in waves 1 and 2.
    DuplicatesDlgAppTest()
    {
        SDuplicateCampaign c;
        c.Add(15, "Q1", {"Yes", "No"});
        c.Add(12, "Q1", {"Yes", "No"});
        c.Match(15, 1);
        c.Match(12, 2);
        c.Add(20, "Q2", {"Yes", "Yes"});
        c.Match(20, 1);
        c.MatchResponse(202, 2);
        c.Campaign->FindVolume(1)->RemoveModalityMatching(202);
        m_app.CreateCampaignObjects(nullptr, std::move(c.Campaign));
    }

    CCampaign& Campaign() { return *m_app.GetCampaign(); }

    CScriptedWindowServices m_windows;
    CWaveApp m_app;
};

TEST_F(DuplicatesDlgAppTest, TheListsFillWhenTheSearchEndsAndNothingEndsTheDialogBefore)
{
    CProgressWatch watch;
    CCheckForDuplicatesDlg dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Duplicates"));
    EXPECT_TRUE(dialog.IsSearching());
    EXPECT_FALSE(dialog.GetQuestionList()->isEnabled());
    EXPECT_FALSE(dialog.GetCloseButton()->isEnabled());
    EXPECT_FALSE(dialog.GetConsolidateButton()->isEnabled());
    // Escape, the close box and Close cannot end it while it searches.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.close());
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());

    ASSERT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.IsSearching(); }, 10000));
    EXPECT_EQ(dialog.GetProgressWindow(), nullptr);
    EXPECT_EQ(watch.Caption, QStringLiteral("Checking for duplicates"));
    EXPECT_EQ(watch.Text, QStringLiteral("Checking questions"));
    EXPECT_EQ(watch.Upper, 6);
    EXPECT_EQ(watch.Pos, 5);
    EXPECT_EQ(m_windows.WaitCursorDepth, 0);
    EXPECT_GE(m_windows.WaitCursorCount, 1);

    EXPECT_EQ(Rows(*dialog.GetQuestionList()), QStringList{"Q1|2 *"});
    EXPECT_EQ(Rows(*dialog.GetResponseList()), QStringList{"Yes|Q2|2 *"});
    EXPECT_FALSE(dialog.GetOutcomeLine()->isVisible());
    EXPECT_EQ(dialog.GetQuestionList()->GetItemToolTipText(0, 0),
              QStringLiteral("Remove/leave these duplicates"));
    EXPECT_EQ(dialog.GetQuestionList()->headerItem()->text(2), QStringLiteral("Count"));
    EXPECT_TRUE(dialog.GetQuestionList()->isEnabled());
    EXPECT_TRUE(dialog.GetCloseButton()->isEnabled());
    EXPECT_TRUE(dialog.GetConsolidateButton()->isEnabled());

    // Unticking every row greys Consolidate.
    Tick(*dialog.GetQuestionList(), 0, false);
    EXPECT_TRUE(dialog.GetConsolidateButton()->isEnabled());
    Tick(*dialog.GetResponseList(), 0, false);
    EXPECT_FALSE(dialog.GetConsolidateButton()->isEnabled());
    // Nothing ticked: Consolidate records nothing.
    dialog.OnConsolidate();
    EXPECT_FALSE(m_app.IsUndoEnabled());
    EXPECT_FALSE(m_app.IsModified());

    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(DuplicatesDlgAppTest, ConsolidateKeepsTheLowestIdsInOneUndoableStep)
{
    const QString before = DumpCampaign(Campaign());
    CCheckForDuplicatesDlg dialog;
    ASSERT_TRUE(SearchShown(dialog));
    QTest::mouseClick(dialog.GetConsolidateButton(), Qt::LeftButton);

    // Question 12 is kept though 15 came first, and takes 15's matching in volume 1.
    EXPECT_EQ(Campaign().GetQuestionById(15), nullptr);
    const CVolume& volume1 = *Campaign().FindVolume(1);
    EXPECT_NE(volume1.FindQuestionMatchingInherited(12, 1), nullptr);
    // Response 201 is kept and takes 202's matching in volume 2; 202 is deleted.
    EXPECT_NE(Campaign().GetModalityById(202)->IsDeleted(), 0);
    EXPECT_NE(Campaign().FindVolume(2)->FindModalityMatchingInherited(201, 2), nullptr);
    EXPECT_EQ(Rows(*dialog.GetQuestionList()), QStringList{"Q1|2 * (greyed)"});
    EXPECT_EQ(Rows(*dialog.GetResponseList()), QStringList{"Yes|Q2|2 * (greyed)"});
    EXPECT_FALSE(dialog.GetConsolidateButton()->isEnabled());
    EXPECT_TRUE(m_app.IsModified());
    EXPECT_TRUE(
        m_app.GetUndoMenuText().contains(QStringLiteral("remove duplicate questions and reponses")))
        << qPrintable(m_app.GetUndoMenuText());

    ASSERT_TRUE(m_app.Undo());
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), before));
    EXPECT_FALSE(m_app.IsUndoEnabled());
}

TEST_F(DuplicatesDlgAppTest, ResponsesOfAQuestionConsolidatedAwayGoWithIt)
{
    // Question 15's two "Yes" responses are matched in waves 1 and 3, so they group too; 12
    // answers "Yes" twice as well, so that 15 can still take its place.
    Campaign().GetModalityById(152)->SetShortCaption(kLanguage, QStringLiteral("Yes"));
    Campaign().GetModalityById(122)->SetShortCaption(kLanguage, QStringLiteral("Yes"));
    AddModalityMatching(*Campaign().FindVolume(3), 152, 15, QStringLiteral("x"), 3, 3);
    Campaign().FindVolume(1)->RemoveModalityMatching(152);
    const QString before = DumpCampaign(Campaign());
    CCheckForDuplicatesDlg dialog;
    ASSERT_TRUE(SearchShown(dialog));
    ASSERT_EQ(Rows(*dialog.GetResponseList()), (QStringList{"Yes|Q1|2 *", "Yes|Q2|2 *"}));

    // 12 is kept: 15 goes with its responses, whose group is left alone.
    dialog.OnConsolidate();
    EXPECT_EQ(Campaign().GetQuestionById(15), nullptr);
    EXPECT_EQ(Campaign().GetModalityById(152), nullptr);
    EXPECT_EQ(Rows(*dialog.GetResponseList()),
              (QStringList{"Yes|Q1|2 * (greyed)", "Yes|Q2|2 * (greyed)"}));
    ASSERT_TRUE(m_app.Undo());
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), before));
}

TEST(DuplicatesDlgTest, AConsolidationThatFailsLeavesTheGroupsToTryAgainAndSaysWhy)
{
    CScriptedWindowServices windows;
    SDuplicateCampaign c;
    c.Add(11, "Q1", {});
    c.Add(12, "Q1", {});
    // The application of this test runs no command.
    CTestWaveApp app;
    app.Campaign = c.Campaign.get();
    CCheckForDuplicatesDlg dialog;
    ASSERT_TRUE(SearchShown(dialog));
    dialog.OnConsolidate();
    EXPECT_EQ(Rows(*dialog.GetQuestionList()), QStringList{"Q1|2 *"});
    EXPECT_TRUE(dialog.GetConsolidateButton()->isEnabled());
    EXPECT_EQ(windows.Prompts.size(), 1);
    EXPECT_NE(c.Campaign->GetQuestionById(12), nullptr);

    // Without a wave there is nothing to consolidate in.
    SDuplicateCampaign empty;
    empty.Campaign->RemoveWave(1);
    empty.Campaign->RemoveWave(2);
    empty.Campaign->RemoveWave(3);
    empty.Add(11, "Q1", {});
    empty.Add(12, "Q1", {});
    app.Campaign = empty.Campaign.get();
    CCheckForDuplicatesDlg second;
    ASSERT_TRUE(SearchShown(second));
    ASSERT_EQ(Rows(*second.GetQuestionList()), QStringList{"Q1|2 *"});
    second.OnConsolidate();
    EXPECT_EQ(Rows(*second.GetQuestionList()), QStringList{"Q1|2 *"});
    EXPECT_EQ(windows.Prompts.size(), 1);
}

TEST(DuplicatesDlgTest, ASearchThatFindsNothingSaysSo)
{
    CScriptedWindowServices windows;
    SDuplicateCampaign c;
    c.Add(11, "Q1", {"Yes", "No"});
    c.Add(12, "Q2", {"Yes", "No"});
    CTestWaveApp app;
    app.Campaign = c.Campaign.get();
    CCheckForDuplicatesDlg dialog;
    dialog.show();
    // Nothing is said while the search runs.
    EXPECT_FALSE(dialog.GetOutcomeLine()->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.IsSearching(); }, 10000));
    EXPECT_EQ(dialog.GetQuestionList()->GetItemCount(), 0);
    EXPECT_EQ(dialog.GetResponseList()->GetItemCount(), 0);
    EXPECT_TRUE(dialog.GetOutcomeLine()->isVisible());
    EXPECT_EQ(dialog.GetOutcomeLine()->text(),
              QStringLiteral("No duplicate questions or responses were found."));
    EXPECT_FALSE(dialog.GetConsolidateButton()->isEnabled());
}

TEST(DuplicatesDlgTest, ADialogTakenAwayDuringItsSearchWaitsForItsWorker)
{
    CScriptedWindowServices windows;
    SDuplicateCampaign c;
    for (int id = 11; id < 90; ++id)
        c.Add(id, QStringLiteral("Q%1").arg(id % 7), {"Yes", "No", "Yes"});
    CTestWaveApp app;
    app.Campaign = c.Campaign.get();
    for (int i = 0; i < 5; ++i) {
        auto dialog = std::make_unique<CCheckForDuplicatesDlg>();
        dialog->show();
        QCoreApplication::processEvents();
        dialog.reset();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(windows.WaitCursorDepth, 0);
}

TEST(DuplicatesDlgTest, TheSampleCampaignsDuplicatedQuestionIsConsolidatedAndUndone)
{
    CScriptedWindowServices windows;
    QTemporaryDir folder;
    CWaveApp app;
    app.CreateCampaignObjects(nullptr, nullptr);
    QString error;
    ASSERT_TRUE(sample_campaign::BuildSampleCampaign(
        app, folder.filePath(QStringLiteral("sample.duv")), error))
        << qPrintable(error);
    CCampaign& campaign = *app.GetCampaign();
    const int questionCount = campaign.GetQuestionCount();
    const CQuestion* original = campaign.FindQuestionByShortcut(QStringLiteral("Q4"));
    ASSERT_NE(original, nullptr);
    const int originalId = original->GetQuestionId();
    // Wave 3's Q4 becomes a question of its own.
    const CQuestion* duplicate =
        sample_campaign::MakeDuplicateQuestion(app, 4, QStringLiteral("Q4"), error);
    ASSERT_NE(duplicate, nullptr) << qPrintable(error);
    const int duplicateId = duplicate->GetQuestionId();
    const CVolume& volume4 = *campaign.FindVolume(4);
    ASSERT_EQ(volume4.FindQuestionMatchingInherited(originalId, 4), nullptr);
    ASSERT_NE(volume4.FindQuestionMatchingInherited(duplicateId, 4), nullptr);
    ASSERT_EQ(campaign.GetQuestionCount(), questionCount + 1);
    const QString before = DumpCampaign(campaign);

    CCheckForDuplicatesDlg dialog;
    ASSERT_TRUE(SearchShown(dialog));
    CXListCtrl& questions = *dialog.GetQuestionList();
    ASSERT_EQ(Rows(questions), QStringList{"Q4|2 *"});
    for (int row = 0; row < dialog.GetResponseList()->GetItemCount(); ++row)
        Tick(*dialog.GetResponseList(), row, false);
    QTest::mouseClick(dialog.GetConsolidateButton(), Qt::LeftButton);

    // The original is kept and matched in volume 4 again; the duplicate is gone.
    EXPECT_EQ(campaign.GetQuestionCount(), questionCount);
    EXPECT_EQ(campaign.GetQuestionById(duplicateId), nullptr);
    EXPECT_NE(volume4.FindQuestionMatchingInherited(originalId, 4), nullptr);
    const QString consolidated = DumpCampaign(campaign);
    dialog.accept();

    ASSERT_TRUE(app.Undo());
    EXPECT_TRUE(SameDump(DumpCampaign(campaign), before));
    ASSERT_TRUE(app.Redo());
    EXPECT_TRUE(SameDump(DumpCampaign(campaign), consolidated));
}
