// The find question dialog: which entries a text finds and in which order, which campaign
// questions it offers for a wave, what the user's picks choose, and when the search is kept in
// the application for the next opening.

#include "dialogs/FindQuestionDlg.h"

#include "EngineFixtures.h"

#include "app/WaveApp.h"
#include "controls/XListCtrl.h"
#include "dialogs/CampaignViewDialogs.h"
#include "dialogs/FindQuestionIndex.h"
#include "model/Campaign.h"
#include "model/OptionRecords.h"
#include "model/Question.h"
#include "model/RecordMakers.h"
#include "model/Volume.h"
#include "questionnaire/Question.h"
#include "storage/DBAccess.h"
#include "support/ScriptedWindowServices.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <random>

using namespace pelko_wave;
using engine_test::kLanguage;

namespace {

// The texts the index lists for the search text, in the order listed.
QStringList Found(const CFindQuestionIndex& index, const QString& text)
{
    QStringList texts;
    for (const int position : index.Find(text))
        texts << index.GetEntry(position).Text;
    return texts;
}

// The rule as it reads, testing every entry: the shorter of the two, over its length, equals the
// other's beginning ignoring case; entries in text order, equal texts in the order added.
QStringList FoundByEveryEntry(const std::vector<QString>& entries, const QString& text)
{
    std::vector<std::pair<QString, int>> matches;
    for (int i = 0; i < int(entries.size()); ++i) {
        const QString& entry = entries[size_t(i)];
        const qsizetype n = std::min(entry.size(), text.size());
        if (entry.left(n).compare(text.left(n), Qt::CaseInsensitive) == 0)
            matches.emplace_back(entry, i);
    }
    std::sort(matches.begin(), matches.end());
    QStringList texts;
    for (const auto& match : matches)
        texts << match.first;
    return texts;
}

QStringList Rows(const CXListCtrl& list, int column = 0)
{
    QStringList texts;
    for (int row = 0; row < list.GetItemCount(); ++row)
        texts << list.GetItemText(row, column);
    return texts;
}

void DoubleClickRow(CXListCtrl& list, int row)
{
    const QRect rect = list.visualItemRect(list.topLevelItem(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace

TEST(FindQuestionIndexTest, ATextFindsTheEntriesItBeginsAndThoseThatBeginIt)
{
    const std::vector<QString> entries = {"Age",   "AGE2", "Ag", "A", "agenda",
                                          "Brand", "Ab",   "ag", "",  "Agx"};
    CFindQuestionIndex index;
    for (int i = 0; i < int(entries.size()); ++i)
        index.Add(entries[size_t(i)], i);

    struct SCase
    {
        const char* Text;
        QStringList Listed;
    };
    const std::vector<SCase> cases = {
        // Everything, in text order (capitals first).
        {"", {"", "A", "AGE2", "Ab", "Ag", "Age", "Agx", "Brand", "ag", "agenda"}},
        {"a", {"", "A", "AGE2", "Ab", "Ag", "Age", "Agx", "ag", "agenda"}},
        // Four letters: the two-letter entries and "Age" begin it; "Agx" differs at the third.
        {"agex", {"", "A", "Ag", "Age", "ag"}},
        {"AGE", {"", "A", "AGE2", "Ag", "Age", "ag", "agenda"}},
        {"b", {"", "Brand"}},
        {"zz", {""}},
    };
    for (const SCase& test : cases) {
        EXPECT_EQ(Found(index, test.Text), test.Listed) << test.Text;
        EXPECT_EQ(Found(index, test.Text), FoundByEveryEntry(entries, test.Text)) << test.Text;
    }
}

TEST(FindQuestionIndexTest, FindsWhatTestingEveryEntryFinds)
{
    // Short texts of a few letters in both cases, so that many begin one another.
    std::mt19937 random(7);
    const QString letters = QStringLiteral("aAbBcÉé ");
    std::vector<QString> entries;
    CFindQuestionIndex index;
    for (int i = 0; i < 400; ++i) {
        QString text;
        for (int length = int(random() % 5); length > 0; --length)
            text += letters[int(random() % letters.size())];
        entries.push_back(text);
        index.Add(text, i);
    }
    const QStringList searches = {"", "a", "Ab", "abc", "ÉA", "b b", "cccc", "aAbB"};
    for (const QString& search : searches) {
        EXPECT_EQ(Found(index, search), FoundByEveryEntry(entries, search)) << search.toStdString();
    }
    // Entries of one text come in the order they were added.
    CFindQuestionIndex same;
    for (int value = 0; value < 3; ++value)
        same.Add(QStringLiteral("Q1"), value);
    const std::vector<int> positions = same.Find(QStringLiteral("q"));
    ASSERT_EQ(positions.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(same.GetEntry(positions[size_t(i)]).Value, i);
}

namespace {

// Three waves; the dialog is opened for wave 2 (volumes 2 and 3, the second inheriting):
//   AWARE (11) and BRAND (12) are in every wave; OLD (13) was deleted in wave 1; NEW (14)
//   appears only in wave 3; GONE (15) is deleted in wave 3, so still in wave 2; HIDDEN (16) is
//   not shown by the page.
// The page's source rows: volume 2's Q1 "Aware" and Q2 "Brand", volume 3's Q1 "Aware" again.
class FindQuestionDlgTest : public ::testing::Test
{
protected:
    FindQuestionDlgTest()
    {
        app.CreateCampaignObjects(nullptr, nullptr);
        SetCurrentLanguageId(kLanguage);
        SetCurrentQuestionnaireLanguage(kLanguage);
        CCampaign& campaign = *app.GetCampaign();
        campaign.AddLanguage(MakeLanguage(kLanguage, 1, QStringLiteral("English"), "ENU"));
        campaign.SetDefaultLanguageId(kLanguage);
        campaign.SetCurrentLanguageId(kLanguage);
        CWave& wave1 = *engine_test::AddWave(campaign, 1);
        CWave& wave2 = *engine_test::AddWave(campaign, 2);
        CWave& wave3 = *engine_test::AddWave(campaign, 3);
        engine_test::AddVolume(campaign, wave1, 1, {1}, {2});
        volume2 = engine_test::AddVolume(campaign, wave2, 2, {1}, {2});
        volume3 = engine_test::AddVolume(campaign, wave2, 3, {1}, {2}, 2);
        engine_test::AddVolume(campaign, wave3, 4, {1}, {2});
        volume2->SetName(QStringLiteral("Online"));
        volume3->SetName(QStringLiteral("Phone"));

        const auto add = [&](int id, const char* shortcut, const char* caption, int appearance) {
            CQuestion* question =
                engine_test::AddQuestion(campaign, id, shortcut, caption, appearance);
            question->SetLongCaption(kLanguage, QStringLiteral("Long %1").arg(caption));
            return question;
        };
        add(11, "AWARE", "Awareness", 1);
        add(12, "BRAND", "Brand used", 1);
        add(13, "OLD", "Old question", 1)->SetDeletionWaveId(1);
        add(14, "NEW", "New question", 4);
        add(15, "GONE", "Gone later", 1)->SetDeletionWaveId(3);
        add(16, "HIDDEN", "Hidden", 1);

        sources.push_back(engine_test::AddSourceQuestion(*volume2, 1, "Q1", "Aware"));
        sources.push_back(engine_test::AddSourceQuestion(*volume2, 2, "Q2", "Brand"));
        sources.push_back(engine_test::AddSourceQuestion(*volume3, 1, "Q1", "Aware"));
    }

    // The dialog as the page opens it for wave 2, shown.
    std::unique_ptr<CFindQuestionDlg> Open()
    {
        auto dialog = std::make_unique<CFindQuestionDlg>();
        dialog->SetWaveId(2);
        dialog->SetCampaignQuestionIds({11, 12, 13, 14, 15});
        dialog->AddSourceQuestion(2, QStringLiteral("1"), *sources[0]);
        dialog->AddSourceQuestion(2, QStringLiteral("2"), *sources[1]);
        dialog->AddSourceQuestion(3, QStringLiteral("1"), *sources[2]);
        dialog->show();
        return dialog;
    }

    CScriptedWindowServices windows;
    CWaveApp app;
    CVolume* volume2 = nullptr;
    CVolume* volume3 = nullptr;
    std::vector<qnr::CQuestion*> sources;
};

} // namespace

TEST_F(FindQuestionDlgTest, OffersTheShownQuestionsOfTheWaveAndTheSourceRowsWithTheirVolumes)
{
    std::unique_ptr<CFindQuestionDlg> dialog = Open();
    // Deleted before the wave, appearing after it, or not shown by the page: never listed.
    EXPECT_EQ(Rows(*dialog->GetCampaignList()), (QStringList{"AWARE", "BRAND", "GONE"}));
    EXPECT_EQ(Rows(*dialog->GetSourceList()), (QStringList{"Q1", "Q1", "Q2"}));
    EXPECT_EQ(Rows(*dialog->GetSourceList(), 1), (QStringList{"Online", "Phone", "Online"}));
    EXPECT_EQ(dialog->GetCampaignList()->GetItemToolTipText(0, 0), QStringLiteral("AWARE"));
    EXPECT_FALSE(dialog->GetGoToButton()->isEnabled());

    struct SCase
    {
        int Location;
        const char* Text;
        QStringList Campaign;
        QStringList Source;
    };
    const std::vector<SCase> cases = {
        {CFindQuestionDlg::LocationShortcut, "b", {"BRAND"}, {}},
        {CFindQuestionDlg::LocationShortcut, "q1x", {}, {"Q1", "Q1"}},
        {CFindQuestionDlg::LocationShortCaption, "aw", {"Awareness"}, {"Aware", "Aware"}},
        // "Aware" begins the text: it is listed; "Awareness" does not begin with it.
        {CFindQuestionDlg::LocationShortCaption, "awarex", {}, {"Aware", "Aware"}},
        {CFindQuestionDlg::LocationLongCaption, "long b", {"Long Brand used"}, {}},
    };
    for (const SCase& test : cases) {
        dialog->GetLocationButton(test.Location)->click();
        dialog->GetEdit()->setText(test.Text);
        EXPECT_EQ(Rows(*dialog->GetCampaignList()), test.Campaign) << test.Text;
        EXPECT_EQ(Rows(*dialog->GetSourceList()), test.Source) << test.Text;
    }
}

TEST_F(FindQuestionDlgTest, TheLastPickDecidesWhatGoToChooses)
{
    std::unique_ptr<CFindQuestionDlg> dialog = Open();
    CXListCtrl& campaign = *dialog->GetCampaignList();
    CXListCtrl& source = *dialog->GetSourceList();

    // A source question after a campaign question.
    campaign.SetCurSel(1);
    EXPECT_TRUE(dialog->IsCampaignQuestionChosen());
    EXPECT_EQ(dialog->GetCampaignQuestionId(), 12);
    EXPECT_TRUE(dialog->GetGoToButton()->isEnabled());
    source.SetCurSel(1);
    EXPECT_FALSE(dialog->IsCampaignQuestionChosen());
    EXPECT_EQ(dialog->GetSourceId(), QStringLiteral("1"));
    EXPECT_EQ(dialog->GetVolumeId(), 3);
    // And the reverse.
    campaign.SetCurSel(0);
    EXPECT_TRUE(dialog->IsCampaignQuestionChosen());
    EXPECT_EQ(dialog->GetCampaignQuestionId(), 11);

    // A list that loses its selection forgets its own choice.
    campaign.SetCurSel(-1);
    EXPECT_EQ(dialog->GetCampaignQuestionId(), -1);
    EXPECT_FALSE(dialog->GetGoToButton()->isEnabled());
    source.SetCurSel(2);
    EXPECT_TRUE(dialog->GetGoToButton()->isEnabled());
    source.SetCurSel(-1);
    EXPECT_EQ(dialog->GetVolumeId(), -1);
    EXPECT_TRUE(dialog->GetSourceId().isEmpty());
    EXPECT_FALSE(dialog->GetGoToButton()->isEnabled());

    // Enter without a choice does not end the dialog; Go To with one does.
    QTest::keyClick(dialog->GetEdit(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    source.SetCurSel(2);
    QTest::mouseClick(dialog->GetGoToButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), IDOK);
    EXPECT_FALSE(dialog->IsCampaignQuestionChosen());
    EXPECT_EQ(dialog->GetSourceId(), QStringLiteral("2"));
    EXPECT_EQ(dialog->GetVolumeId(), 2);
}

TEST_F(FindQuestionDlgTest, StartsWithTheLastSearchAndKeepsTheNewOneExceptOnASourceDoubleClick)
{
    app.GetFindRecord() = {CFindQuestionDlg::LocationShortCaption, QStringLiteral("BR")};
    std::unique_ptr<CFindQuestionDlg> dialog = Open();
    EXPECT_TRUE(dialog->GetLocationButton(CFindQuestionDlg::LocationShortCaption)->isChecked());
    EXPECT_EQ(dialog->GetEdit()->text(), QStringLiteral("BR"));
    EXPECT_EQ(Rows(*dialog->GetCampaignList()), QStringList{"Brand used"});
    EXPECT_EQ(Rows(*dialog->GetSourceList()), QStringList{"Brand"});

    // A double click on a source row chooses it and leaves the stored search alone.
    dialog->GetEdit()->setText(QStringLiteral("Aw"));
    DoubleClickRow(*dialog->GetSourceList(), 1);
    EXPECT_EQ(dialog->result(), IDOK);
    EXPECT_FALSE(dialog->IsCampaignQuestionChosen());
    EXPECT_EQ(dialog->GetVolumeId(), 3);
    EXPECT_EQ(app.GetFindRecord().Text, QStringLiteral("BR"));
    EXPECT_EQ(app.GetFindRecord().Location, CFindQuestionDlg::LocationShortCaption);

    // A double click on a campaign row chooses it and keeps the search.
    dialog = Open();
    dialog->GetLocationButton(CFindQuestionDlg::LocationShortcut)->click();
    dialog->GetEdit()->setText(QStringLiteral("g"));
    DoubleClickRow(*dialog->GetCampaignList(), 0);
    EXPECT_EQ(dialog->result(), IDOK);
    EXPECT_TRUE(dialog->IsCampaignQuestionChosen());
    EXPECT_EQ(dialog->GetCampaignQuestionId(), 15);
    EXPECT_EQ(app.GetFindRecord().Text, QStringLiteral("g"));
    EXPECT_EQ(app.GetFindRecord().Location, CFindQuestionDlg::LocationShortcut);

    // Cancel keeps the search too.
    dialog = Open();
    dialog->GetLocationButton(CFindQuestionDlg::LocationLongCaption)->click();
    dialog->GetEdit()->setText(QStringLiteral("long"));
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), IDCANCEL);
    EXPECT_EQ(app.GetFindRecord().Text, QStringLiteral("long"));
    EXPECT_EQ(app.GetFindRecord().Location, CFindQuestionDlg::LocationLongCaption);
}

TEST_F(FindQuestionDlgTest, TheLastSearchComesSelectedSoThatTypingReplacesIt)
{
    app.GetFindRecord() = {CFindQuestionDlg::LocationShortcut, QStringLiteral("G")};
    std::unique_ptr<CFindQuestionDlg> dialog = Open();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    QLineEdit* edit = dialog->GetEdit();
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("G"));

    QTest::keyClicks(edit, QStringLiteral("B"));
    EXPECT_EQ(edit->text(), QStringLiteral("B"));
    EXPECT_EQ(Rows(*dialog->GetCampaignList()), QStringList{"BRAND"});
}

TEST_F(FindQuestionDlgTest, TheViewsCallHandsTheRowsToTheDialogAndBackItsChoice)
{
    SFindQuestionRequest request;
    request.WaveId = 2;
    request.CampaignQuestionIds = {11, 12};
    request.SourceQuestions = {{2, QStringLiteral("1"), sources[0]},
                               {3, QStringLiteral("1"), sources[2]}};
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CFindQuestionDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Rows(*dialog->GetCampaignList()), (QStringList{"AWARE", "BRAND"}));
        EXPECT_EQ(Rows(*dialog->GetSourceList(), 1), (QStringList{"Online", "Phone"}));
        dialog->GetSourceList()->SetCurSel(1);
        QTest::mouseClick(dialog->GetGoToButton(), Qt::LeftButton);
    });
    CCampaignViewDialogs dialogs;
    SFindQuestionChoice choice;
    ASSERT_EQ(dialogs.RunFindQuestionDlg(nullptr, request, choice), IDOK);
    EXPECT_FALSE(choice.CampaignQuestionChosen);
    EXPECT_EQ(choice.SourceId, QStringLiteral("1"));
    EXPECT_EQ(choice.VolumeId, 3);

    // Cancelled: the choice stays as it was.
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.RunFindQuestionDlg(nullptr, request, choice), IDCANCEL);
    EXPECT_EQ(choice.VolumeId, 3);
}
