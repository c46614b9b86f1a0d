// The Update dialog: its part lists (sorted by count once, ticked parts with differences enable
// Update), its runs over a wave (commands in the caller's group, undone in one step, what they
// wrote into the results, the pairs computed anew) and the saved results.

#include "dialogs/FixAllDlg.h"

#include "EngineFixtures.h"

#include "app/WaveApp.h"
#include "commands/CmdVirtual.h"
#include "controls/SimpleBrowser.h"
#include "controls/XListCtrl.h"
#include "dialogs/CampaignViewDialogs.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "model/Modality.h"
#include "model/OptionRecords.h"
#include "model/Question.h"
#include "model/RecordMakers.h"
#include "model/Volume.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/WaveDiffsFill.h"
#include "storage/DBAccess.h"
#include "support/DiffsTestWaveApp.h"
#include "support/SameDump.h"
#include "support/ScriptedWindowServices.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace pelko_wave;
using engine_test::kLanguage;

namespace {

constexpr int kWaveId = 1;
constexpr int kVolumeId = 1;

GUID MakeGroupId()
{
    GUID guid;
    CreateGuid(guid);
    return guid;
}

// The parts of a list from top to bottom.
std::vector<int> ListedParts(const CXListCtrl& list)
{
    std::vector<int> parts;
    for (int row = 0; row < list.GetItemCount(); ++row)
        parts.push_back(int(list.GetItemData(row)));
    return parts;
}

int RowOfPart(const CXListCtrl& list, int part)
{
    for (int row = 0; row < list.GetItemCount(); ++row)
        if (int(list.GetItemData(row)) == part)
            return row;
    return -1;
}

void Tick(CXListCtrl& list, int part, bool ticked)
{
    const int row = RowOfPart(list, part);
    ASSERT_GE(row, 0);
    QTreeWidgetItem* item = list.topLevelItem(row);
    // As the user does it: the list reports the change.
    item->setCheckState(CFixAllDlg::ColumnCheck, ticked ? Qt::Checked : Qt::Unchecked);
}

void ClickHeader(CXListCtrl& list, int column)
{
    Q_EMIT list.header()->sectionClicked(column);
}

// A wave of one volume whose source differs from the campaign:
//   AGE (11): question type 1 against 2, and its captions ("Age" against "Your age <in years> &
//             more");
//   VISIT (12): date type 0 against 2;
//   BRAND (13): nothing of its own, but its response "Bean There" (131) is "Bean There Café" in
//               the source, and "Daily Grind" (132) has the value 2 against 2.5.
class FixAllDlgTest : public ::testing::Test
{
protected:
    FixAllDlgTest()
    {
        app.CreateCampaignObjects(nullptr, nullptr);
        SetCurrentLanguageId(kLanguage);
        SetCurrentQuestionnaireLanguage(kLanguage);
        CCampaign& campaign = Campaign();
        campaign.AddLanguage(MakeLanguage(kLanguage, 1, QStringLiteral("English"), "ENU"));
        campaign.SetDefaultLanguageId(kLanguage);
        campaign.SetCurrentLanguageId(kLanguage);
        CModalityDiffsOptions responseOptions;
        for (const int kind : {3, 5, 6, 9})
            responseOptions.SetEnabled(kind, true);
        app.SetModalityDiffsOptions(responseOptions);

        CWave& wave = *engine_test::AddWave(campaign, kWaveId);
        CVolume& volume = *engine_test::AddVolume(campaign, wave, kVolumeId, {1}, {2});
        engine_test::AddQuestion(campaign, 11, "AGE", "Age", kVolumeId, 1);
        engine_test::AddSourceQuestion(volume, 101, "AGE", "Your age <in years> & more", 2);
        engine_test::MatchQuestion(volume, 11, 101);

        engine_test::AddQuestion(campaign, 12, "VISIT", "Last visit", kVolumeId)
            ->SetLongCaption(kLanguage, "Last visit");
        engine_test::AddSourceQuestion(volume, 102, "VISIT", "Last visit")->SetDateType(2);
        engine_test::MatchQuestion(volume, 12, 102);

        CQuestion& brand = *engine_test::AddQuestion(campaign, 13, "BRAND", "Brand", kVolumeId);
        brand.SetLongCaption(kLanguage, "Brand");
        engine_test::AddResponse(campaign, brand, 131, "Bean There");
        engine_test::AddResponse(campaign, brand, 132, "Daily Grind")->SetValue(2);
        qnr::CQuestion& sourceBrand =
            *engine_test::AddSourceQuestion(volume, 103, "BRAND", "Brand");
        engine_test::AddSourceResponse(sourceBrand, 1, "Bean There Café");
        engine_test::AddSourceResponse(sourceBrand, 2, "Daily Grind")->SetValue(2.5);
        engine_test::MatchQuestion(volume, 13, 103);
        engine_test::MatchResponse(volume, 13, 131, 1);
        engine_test::MatchResponse(volume, 13, 132, 2);
    }

    CCampaign& Campaign() { return *app.GetCampaign(); }

    // The dialog on the wave's differences as the cache computes them, shown.
    std::unique_ptr<CFixAllDlg> OpenDialog()
    {
        CWaveDiffsEntry* entry = FillWaveDifferences(*app.GetDiffsCache(), Campaign(), kWaveId);
        auto dialog = std::make_unique<CFixAllDlg>(groupId);
        dialog->SetWaveId(kWaveId);
        dialog->SetQuestionDifferences(entry->GetQuestionDiffs());
        dialog->SetModalityDifferences(entry->GetModalityDiffs());
        dialog->show();
        return dialog;
    }

    CScriptedWindowServices windows;
    CWaveApp app;
    const GUID groupId = MakeGroupId();
};

} // namespace

TEST_F(FixAllDlgTest, ListsEveryPartSortedByCountOnceAtOpening)
{
    CRowMultimap questionDiffs;
    for (long question = 1; question <= 3; ++question)
        questionDiffs.Insert({question, kVolumeId}, 23, std::make_shared<CCaptionDiffInfo>(1033));
    questionDiffs.Insert({1, kVolumeId}, 5, nullptr);
    questionDiffs.Insert({2, kVolumeId}, 5, nullptr);
    questionDiffs.Insert({3, kVolumeId}, 2, nullptr);
    // Bookkeeping entries are never listed.
    questionDiffs.Insert({3, kVolumeId}, 26, nullptr);
    CRowMultimapStr modalityDiffs;
    modalityDiffs.Insert(131, 9, std::make_shared<CCaptionDiffInfo>(1033));
    modalityDiffs.Insert(132, 9, std::make_shared<CCaptionDiffInfo>(1033));
    modalityDiffs.Insert(132, 5, nullptr);

    CFixAllDlg dialog(groupId);
    dialog.SetQuestionDifferences(questionDiffs);
    dialog.SetModalityDifferences(modalityDiffs);
    dialog.show();
    CXListCtrl& questions = *dialog.GetQuestionList();
    CXListCtrl& responses = *dialog.GetModalityList();
    // Largest count first; parts with the same count in the order they are offered.
    EXPECT_EQ(ListedParts(questions), (std::vector<int>{23, 5, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13,
                                                        14, 15, 17, 18, 22, 24}));
    EXPECT_EQ(ListedParts(responses), (std::vector<int>{9, 5, 3, 6}));
    EXPECT_EQ(questions.GetItemText(0, CFixAllDlg::ColumnPart), QStringLiteral("Short captions"));
    EXPECT_EQ(questions.GetItemText(0, CFixAllDlg::ColumnCount), QStringLiteral("3"));
    EXPECT_EQ(questions.GetItemText(3, CFixAllDlg::ColumnCount), QStringLiteral("0"));
    EXPECT_EQ(responses.GetItemText(1, CFixAllDlg::ColumnPart), QStringLiteral("Is exclusive"));
    EXPECT_EQ(responses.GetItemText(1, CFixAllDlg::ColumnCount), QStringLiteral("1"));
    for (int row = 0; row < questions.GetItemCount(); ++row)
        EXPECT_EQ(questions.GetCheckbox(row, CFixAllDlg::ColumnCheck), 1) << "row " << row;
    EXPECT_EQ(dialog.GetSelectedQuestionParts(), (std::set<int>{2, 5, 23}));
    EXPECT_EQ(dialog.GetSelectedModalityParts(), (std::set<int>{5, 9}));
    EXPECT_TRUE(dialog.GetUpdateButton()->isEnabled());
}

TEST_F(FixAllDlgTest, UpdateIsEnabledExactlyWhileATickedPartHasDifferences)
{
    CRowMultimap questionDiffs;
    questionDiffs.Insert({11, kVolumeId}, 5, nullptr);
    CRowMultimapStr modalityDiffs;
    modalityDiffs.Insert(131, 9, std::make_shared<CCaptionDiffInfo>(1033));
    CFixAllDlg dialog(groupId);
    dialog.SetQuestionDifferences(questionDiffs);
    dialog.SetModalityDifferences(modalityDiffs);
    dialog.show();
    CXListCtrl& questions = *dialog.GetQuestionList();
    CXListCtrl& responses = *dialog.GetModalityList();
    QPushButton& update = *dialog.GetUpdateButton();

    struct SStep
    {
        const char* What;
        std::function<void()> Do;
        bool Enabled;
    };
    const std::vector<SStep> steps = {
        {"question type unticked", [&] { Tick(questions, 5, false); }, true},
        {"response captions unticked too", [&] { Tick(responses, 9, false); }, false},
        {"a part without differences ticked", [&] { Tick(responses, 6, true); }, false},
        {"a click on the count column", [&] { ClickHeader(questions, 2); }, false},
        {"the check-box header of the responses ticks all",
         [&] { ClickHeader(responses, CFixAllDlg::ColumnCheck); }, true},
        {"and a second click unticks all", [&] { ClickHeader(responses, CFixAllDlg::ColumnCheck); },
         false},
        {"question type ticked again", [&] { Tick(questions, 5, true); }, true},
    };
    for (const SStep& step : steps) {
        step.Do();
        EXPECT_EQ(update.isEnabled(), step.Enabled) << step.What;
    }
    for (int row = 0; row < responses.GetItemCount(); ++row)
        EXPECT_EQ(responses.GetCheckbox(row, CFixAllDlg::ColumnCheck), 0);

    // Nothing to fix at all: Update is off from the start.
    CFixAllDlg empty(groupId);
    empty.show();
    EXPECT_FALSE(empty.GetUpdateButton()->isEnabled());
}

TEST_F(FixAllDlgTest, AnUpdateFixesTheTickedDifferencesInTheCallersGroupAndOneUndoTakesThemBack)
{
    const QString before = DumpCampaign(Campaign());
    std::unique_ptr<CFixAllDlg> dialog = OpenDialog();
    const int questionEntries = dialog->GetQuestionDifferences().Size();
    ASSERT_GT(questionEntries, 0);
    ASSERT_EQ(dialog->GetModalityDifferences().Size(), 2);

    QTest::mouseClick(dialog->GetUpdateButton(), Qt::LeftButton);

    const CQuestion& age = *Campaign().GetQuestionById(11);
    EXPECT_EQ(age.GetQuestionType(), 2);
    EXPECT_EQ(age.GetShortCaption(kLanguage), QStringLiteral("Your age <in years> & more"));
    EXPECT_EQ(age.GetLongCaption(kLanguage), QStringLiteral("Your age <in years> & more"));
    // The date type shows as a flag, but the source's own value is what the command is given.
    EXPECT_EQ(Campaign().GetQuestionById(12)->GetDateType(), 2);
    EXPECT_EQ(Campaign().GetModalityById(131)->GetShortCaption(kLanguage),
              QStringLiteral("Bean There Café"));
    // The value shows as a whole number, and is copied whole.
    EXPECT_EQ(Campaign().GetModalityById(132)->GetValue(), 2.5);

    // Every command carries the group id; nothing is left to fix, and the counts say so.
    const CommandHistory& history = app.GetCommandHistory();
    EXPECT_EQ(dialog->GetCommandsRun(), 6);
    EXPECT_EQ(history.GetUndoCount(), 6);
    EXPECT_EQ(history.GetUndoTopCommand()->GetGroupId(), groupId);
    EXPECT_EQ(dialog->GetQuestionDifferences().Size(), 0);
    EXPECT_EQ(dialog->GetModalityDifferences().Size(), 0);
    EXPECT_FALSE(dialog->GetUpdateButton()->isEnabled());
    CXListCtrl& questions = *dialog->GetQuestionList();
    EXPECT_EQ(questions.GetItemText(RowOfPart(questions, 5), CFixAllDlg::ColumnCount), "0");
    EXPECT_TRUE(app.IsModified());

    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(history.GetUndoCount(), 0);
    EXPECT_TRUE(SameDump(DumpCampaign(Campaign()), before));
}

TEST_F(FixAllDlgTest, TheResultsTellEachPairWithItsChangesEscaped)
{
    std::unique_ptr<CFixAllDlg> dialog = OpenDialog();
    Tick(*dialog->GetQuestionList(), 18, false);
    dialog->OnUpdate();
    const QString& report = dialog->GetReport();

    EXPECT_TRUE(report.startsWith(CFixAllDlg::ReportHeader()));
    const QString run = report.mid(CFixAllDlg::ReportHeader().size());
    const QStringList expected = {
        "<p class = \"header\"/>\nThere are 3 differences between the campaign question \"AGE\" "
        "(11) and the source question \"AGE\" (101) it is matched to in volume \"V1\"...\n",
        "<p class = \"indent1 color1\"/>\nCampaign question \"Question type\" value changed from "
        "\"1\" to \"2\"\n",
        "<p class = \"indent1 color1\"/>\nCampaign question \"Short captions for language "
        "'English'.\" value changed from \"Age\" to \"Your age &lt;in years&gt; &amp; more\"\n",
        "<p class = \"indent1 color1\"/>\nCampaign question \"Long captions for language "
        "'English'.\" value changed from \"\" to \"Your age &lt;in years&gt; &amp; more\"\n",
        "<HR />\n",
        // The date type is not ticked: the pair is told, nothing changed.
        "<p class = \"header\"/>\nThere is 1 difference between the campaign question \"VISIT\" "
        "(12) and the source question \"VISIT\" (102) it is matched to in volume \"V1\"...\n",
        "<HR />\n",
        // Only its responses differ: no difference of its own, its responses visited.
        "<p class = \"header\"/>\nThere are 0 differences between the campaign question \"BRAND\" "
        "(13) and the source question \"BRAND\" (103) it is matched to in volume \"V1\"...\n",
        "<p class = \"indent1 color1\"/>\nThere is 1 difference between the campaign response "
        "\"Bean There\" (131) and the source response \"Bean There Café\" (1) it is matched to "
        "in volume \"V1\"...\n",
        "<p class = \"indent2 color2\"/>\nCampaign response \"Short captions for language "
        "'English'.\" value changed from \"Bean There\" to \"Bean There Café\"\n",
        "<p class = \"indent1 color1\"/>\nThere is 1 difference between the campaign response "
        "\"Daily Grind\" (132) and the source response \"Daily Grind\" (2) it is matched to in "
        "volume \"V1\"...\n",
        "<p class = \"indent2 color2\"/>\nCampaign response \"Value\" value changed from \"2\" "
        "to \"2\"\n",
        "<HR />\n",
    };
    EXPECT_EQ(run, expected.join(QString()));
    EXPECT_EQ(dialog->GetBrowser()->GetWrittenHtml(), report);
    // The unticked date type is still there, computed anew.
    EXPECT_EQ(dialog->GetQuestionDifferences().Size(), 1);
    EXPECT_EQ(dialog->GetQuestionDifferences().GetNthRow({12, kVolumeId}, 0), 18);
}

TEST_F(FixAllDlgTest, TwoRunsWriteTheHeaderOnceAndTheSecondRunAfterTheFirst)
{
    std::unique_ptr<CFixAllDlg> dialog = OpenDialog();
    CXListCtrl& questions = *dialog->GetQuestionList();
    Tick(questions, 18, false);
    dialog->OnUpdate();
    const QString first = dialog->GetReport();
    // The lists keep their order after a run.
    const std::vector<int> order = ListedParts(questions);
    Tick(questions, 18, true);
    dialog->OnUpdate();
    EXPECT_EQ(ListedParts(questions), order);

    const QString& report = dialog->GetReport();
    EXPECT_EQ(report.count(QStringLiteral("<html>")), 1);
    ASSERT_TRUE(report.startsWith(first));
    EXPECT_EQ(report.mid(first.size()),
              "<p class = \"header\"/>\nThere is 1 difference between the campaign question "
              "\"VISIT\" (12) and the source question \"VISIT\" (102) it is matched to in volume "
              "\"V1\"...\n<p class = \"indent1 color1\"/>\nCampaign question \"Is date type\" "
              "value changed from \"False\" to \"True\"\n<HR />\n");
    EXPECT_EQ(dialog->GetBrowser()->GetWrittenHtml(), report);
    EXPECT_EQ(dialog->GetCommandsRun(), 6);
}

TEST_F(FixAllDlgTest, AFailedCommandIsToldAsFailedAndNotCounted)
{
    // An application that refuses every command, on the same campaign.
    std::unique_ptr<CFixAllDlg> dialog = OpenDialog();
    CDiffsTestWaveApp refusing;
    refusing.Campaign = &Campaign();
    for (const int kind : {3, 5, 6, 9})
        refusing.ModalityDiffs.SetEnabled(kind, true);
    Tick(*dialog->GetQuestionList(), 23, false);
    Tick(*dialog->GetQuestionList(), 24, false);
    Tick(*dialog->GetQuestionList(), 18, false);
    Tick(*dialog->GetModalityList(), 9, false);
    dialog->OnUpdate();

    EXPECT_EQ(dialog->GetCommandsRun(), 0);
    EXPECT_TRUE(dialog->GetReport().contains(
        "Campaign question \"Question type\" could not be changed from \"1\" to \"2\"\n"));
    EXPECT_FALSE(dialog->GetReport().contains("value changed"));
    EXPECT_EQ(Campaign().GetQuestionById(11)->GetQuestionType(), 1);
    EXPECT_EQ(dialog->GetQuestionDifferences().CountKeyRow({11, kVolumeId}, 5), 1);
    EXPECT_TRUE(dialog->GetUpdateButton()->isEnabled());
}

TEST_F(FixAllDlgTest, AMissingWaveMakesUpdateANoOp)
{
    std::unique_ptr<CFixAllDlg> dialog = OpenDialog();
    dialog->SetWaveId(99);
    const int entries = dialog->GetQuestionDifferences().Size();
    dialog->OnUpdate();
    EXPECT_TRUE(dialog->GetReport().isEmpty());
    EXPECT_EQ(dialog->GetQuestionDifferences().Size(), entries);
    EXPECT_EQ(app.GetCommandHistory().GetUndoCount(), 0);
}

TEST_F(FixAllDlgTest, SaveWritesTheResultsAsUtf8WithTheClosingTags)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("update.html"));
    std::unique_ptr<CFixAllDlg> dialog = OpenDialog();
    dialog->OnUpdate();
    windows.Choices << path;
    QTest::mouseClick(dialog->GetSaveButton(), Qt::LeftButton);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes, (dialog->GetReport() + "</body>\n</html>\n").toUtf8());
    EXPECT_TRUE(bytes.contains("Bean There Caf\xc3\xa9"));
    EXPECT_TRUE(windows.Prompts.isEmpty());

    // A file that cannot be written is told, not passed over.
    windows.Choices << folder.filePath(QStringLiteral("missing/update.html"));
    EXPECT_FALSE(dialog->OnSave());
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_TRUE(windows.Prompts[0].contains(QStringLiteral("missing/update.html")));
}

TEST_F(FixAllDlgTest, TheViewsCallRunsTheDialogAndHandsBackWhatItsRunsLeft)
{
    CWaveDiffsEntry* entry = FillWaveDifferences(*app.GetDiffsCache(), Campaign(), kWaveId);
    SFixAllDlgData data;
    data.WaveId = kWaveId;
    data.GroupId = groupId;
    data.QuestionDifferences = entry->GetQuestionDiffs();
    data.ModalityDifferences = entry->GetModalityDiffs();
    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<CFixAllDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        QTest::mouseClick(dialog->GetUpdateButton(), Qt::LeftButton);
        QTest::mouseClick(dialog->GetCloseButton(), Qt::LeftButton);
    });
    CCampaignViewDialogs dialogs;
    EXPECT_EQ(dialogs.RunFixAllDlg(nullptr, data), IDOK);
    EXPECT_TRUE(shown);
    EXPECT_EQ(data.CommandsRun, 6);
    EXPECT_EQ(data.QuestionDifferences.Size(), 0);
    EXPECT_EQ(data.ModalityDifferences.Size(), 0);
    EXPECT_EQ(app.GetCommandHistory().GetUndoTopCommand()->GetGroupId(), groupId);
}
