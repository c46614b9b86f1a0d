#include "QuestionPageTestSupport.h"

#include "model/Campaign.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/RecordMakers.h"
#include "model/Volume.h"
#include "res/CommandIds.h"
#include "views/WaveGridCtrl.h"

#include <QMimeData>
#include <QTest>
#include <functional>

using namespace pelko_wave;
using Page = CRightReconciliationPage;

// Drags, pick modes and confirmations of the reconciliation page, on the page of
// QuestionPageTestSupport.h.
class PageDragPickTest : public CQuestionPageTest
{
protected:
    CWaveGridCtrl& Questions() { return *page.GetQuestionGrid(); }
    CWaveGridCtrl& Responses() { return *page.GetResponseGrid(); }

    // Starts a drag of the grid from the cell: whether the page let it start.
    bool StartDrag(CWaveGridCtrl& grid, int row, int col)
    {
        grid.SetFocusCell(row, col);
        grid.SetSelectedRange(row, col, row, col);
        grid.StartDrag();
        return grid.GetDragSourceCell() == CCellID(row, col);
    }
    // The pointer shown over the grid's viewport after the mouse moved onto the cell.
    Qt::CursorShape HoverShape(CWaveGridCtrl& grid, int row, int col)
    {
        const CPoint point = Centre(grid, row, col);
        QTest::mouseMove(grid.viewport(), QPoint(point.x, point.y));
        return grid.viewport()->cursor().shape();
    }
    // The response rows of REGION: North/North, South/South, West/-, Central/-, -/East,
    // -/Middle.
    void SelectRegion() { SelectRow(Row("REGION", "REGION")); }
};

TEST_F(PageDragPickTest, TheFixtureShowsItsRows)
{
    EXPECT_EQ(Rows(), QStringList({"AGE/AGE/Online", "AGE/AGE/Phone", "REGION/REGION/Online",
                                   "BRAND/BRAND/Online", "SPARE/-/-", "FRESH/FRESH/Online",
                                   "OLD/-/-", "NUM/-/-", "LOOP/LOOP/Phone", "INLOOP/INLOOP/Phone",
                                   "-/EXTRA/Online", "-/NEWQ/Phone"}));
    SelectRegion();
    EXPECT_EQ(ResponseRows(), QStringList({"North/North", "South/South", "West/-", "Central/-",
                                           "-/East", "-/Middle"}));
}

TEST_F(PageDragPickTest, DragsStartOnlyFromSourceCellsAndFreeCampaignResponses)
{
    // Central is merged into South in Online.
    Campaign().AddModalityMerging(MakeModalityMerging(*Campaign().GetModalityById(112),
                                                      *Campaign().GetModalityById(114), *online));
    struct SCase
    {
        bool QuestionGrid;
        QString Campaign;
        QString Source;
        int Col;
        bool Starts;
        const char* Why;
    };
    const SCase cases[] = {
        {true, "AGE", "AGE", Page::QColSourceShortcut, true, "a matched source question"},
        {true, "-", "EXTRA", Page::QColSourceCode, true, "an unmatched source question"},
        {true, "-", "EXTRA", Page::QColSourceLongCaption, true, "its long caption"},
        {true, "AGE", "AGE", Page::QColShortcut, false, "the campaign side"},
        {true, "AGE", "AGE", Page::QColVolume, false, "the volume column"},
        {true, "SPARE", "-", Page::QColSourceShortcut, false, "a row without source question"},
        {false, "North", "North", Page::RColSourceCaption, true, "a matched source response"},
        {false, "-", "East", Page::RColSourceCode, true, "an unmatched source response"},
        {false, "North", "North", Page::RColCaption, true, "a free campaign response"},
        {false, "West", "-", Page::RColCode, true, "a free unmatched campaign response"},
        {false, "South", "South", Page::RColCaption, false, "a merge master"},
        {false, "South", "South", Page::RColSourceEntryCode, true, "the master's source"},
        {false, "Central (merged to \"South\")", "-", Page::RColCaption, false, "a merged child"},
        {false, "West", "-", Page::RColVolume, false, "the volume column"},
        {false, "-", "East", Page::RColCaption, false, "a row without campaign response"},
    };
    for (const SCase& test : cases) {
        CWaveGridCtrl& grid = test.QuestionGrid ? Questions() : Responses();
        // A question drag leaves the question grid's focus row the current one.
        if (!test.QuestionGrid)
            SelectRegion();
        const int row = test.QuestionGrid ? Row(test.Campaign, test.Source)
                                          : ResponseRow(test.Campaign, test.Source);
        ASSERT_GE(row, kFirst) << test.Why;
        EXPECT_EQ(StartDrag(grid, row, test.Col), test.Starts) << test.Why;
        if (test.QuestionGrid) {
            EXPECT_EQ(page.IsQuestionDragOn(), test.Starts) << test.Why;
            // The drag's source cell is where a drop takes the source question from.
            if (test.Starts) {
                EXPECT_EQ(page.GetQuestionPickCell(), CCellID(row, test.Col)) << test.Why;
            }
            Questions().OnDragLeave();
            EXPECT_FALSE(page.IsQuestionDragOn());
        } else {
            const bool source = test.Col >= Page::RColSourceCode;
            EXPECT_EQ(page.IsResponseDragOn(), test.Starts) << test.Why;
            EXPECT_EQ(page.IsRematchDragOn(), test.Starts && source) << test.Why;
            EXPECT_EQ(page.IsMergeDragOn(), test.Starts && !source) << test.Why;
            if (test.Starts) {
                EXPECT_EQ(source ? page.GetResponsePickCell()
                                 : page.GetDraggedCampaignResponseCell(),
                          CCellID(row, test.Col))
                    << test.Why;
            }
        }
    }
}

TEST_F(PageDragPickTest, CellsAreNeverEditedInPlace)
{
    for (CWaveGridCtrl* grid : {&Questions(), &Responses()})
        EXPECT_EQ(grid->NotifyParent(kFirst, 4, GVN_BEGINLABELEDIT), -1);
}

TEST_F(PageDragPickTest, AQuestionDragIsTakenOnlyByACompatibleCampaignQuestion)
{
    struct SCase
    {
        QString FromCampaign, FromSource;
        QString ToCampaign, ToSource;
        int ToCol;
        int Problems;
        const char* Why;
    };
    const int loops = Page::RematchLoops, removed = Page::RematchRemoved;
    const int elementType = Page::RematchElementType, questionType = Page::RematchQuestionType;
    const SCase cases[] = {
        {"AGE", "AGE", "NUM", "-", Page::QColShortcut, 0, "a numeric question"},
        {"AGE", "AGE", "NUM", "-", Page::QColCode, 0, "its code column"},
        {"AGE", "AGE", "AGE", "AGE", Page::QColLongCaption, 0, "its own question elsewhere"},
        {"AGE", "AGE", "SPARE", "-", Page::QColShortcut, questionType, "a closed question"},
        {"-", "EXTRA", "OLD", "-", Page::QColShortcut, removed, "removed in the wave"},
        {"AGE", "AGE", "INLOOP", "INLOOP", Page::QColShortcut, loops, "inside a loop"},
        {"-", "EXTRA", "LOOP", "LOOP", Page::QColShortCaption, loops | elementType, "a loop"},
        {"AGE", "AGE", "NUM", "-", Page::QColSourceShortcut, Page::RematchNotCampaignColumn,
         "the source columns"},
        {"AGE", "AGE", "NUM", "-", Page::QColState, 0, "the state image"},
        {"AGE", "AGE", "-", "NEWQ", Page::QColShortcut, -1, "no campaign question"},
    };
    for (const SCase& test : cases) {
        const int from = Row(test.FromCampaign, test.FromSource);
        const int to = Row(test.ToCampaign, test.ToSource);
        ASSERT_GE(from, kFirst) << test.Why;
        ASSERT_GE(to, kFirst) << test.Why;
        const CCellID source(from, Page::QColSourceShortcut);
        const CCellID target(to, test.ToCol);
        EXPECT_EQ(page.GetQuestionRematchProblems(source, target), test.Problems) << test.Why;
        // During a drag the grid asks the page about the cell under the pointer.
        ASSERT_TRUE(StartDrag(Questions(), from, Page::QColSourceShortcut)) << test.Why;
        QMimeData data;
        data.setData(Questions().GetDragFormat(), QByteArray(1, '\0'));
        const DROPEFFECT effect =
            Questions().OnDragOver(&data, {}, Centre(Questions(), to, test.ToCol));
        EXPECT_EQ(effect != DROPEFFECT_NONE, test.Problems == 0) << test.Why;
        Questions().OnDragLeave();
    }
}

TEST_F(PageDragPickTest, AResponseDragIsTakenWhereTheResponseCanGo)
{
    // West is removed in wave 2 (still listed); Central in wave 1 is gone from the list.
    Campaign().GetModalityById(113)->SetDeletionWaveId(2);
    SelectRegion();
    ASSERT_EQ(ResponseRows(), QStringList({"North/North", "South/South", "West/-", "Central/-",
                                           "-/East", "-/Middle"}));
    QMimeData data;
    data.setData(Responses().GetDragFormat(), QByteArray(1, '\0'));
    const auto takes = [&](int row, int col) {
        const bool taken =
            Responses().OnDragOver(&data, {}, Centre(Responses(), row, col)) != DROPEFFECT_NONE;
        Responses().OnDragLeave();
        return taken;
    };
    // A source response: onto the campaign side of a response alive after the wave.
    ASSERT_TRUE(StartDrag(Responses(), ResponseRow("-", "East"), Page::RColSourceCaption));
    EXPECT_TRUE(takes(ResponseRow("North", "North"), Page::RColCaption));
    EXPECT_TRUE(takes(ResponseRow("Central", "-"), Page::RColEntryCode));
    EXPECT_FALSE(takes(ResponseRow("West", "-"), Page::RColCaption)) << "removed in the wave";
    EXPECT_FALSE(takes(ResponseRow("Central", "-"), Page::RColSourceCaption)) << "source side";
    EXPECT_FALSE(takes(ResponseRow("-", "Middle"), Page::RColCaption)) << "no campaign response";

    // A campaign response: onto another one it may be merged with.
    ASSERT_TRUE(StartDrag(Responses(), ResponseRow("Central", "-"), Page::RColCaption));
    EXPECT_TRUE(takes(ResponseRow("West", "-"), Page::RColCaption));
    EXPECT_FALSE(takes(ResponseRow("Central", "-"), Page::RColCaption)) << "its own row";
    EXPECT_FALSE(takes(ResponseRow("North", "North"), Page::RColSourceCode)) << "source side";
    // Two responses both matched in Online cannot be merged there.
    ASSERT_TRUE(StartDrag(Responses(), ResponseRow("North", "North"), Page::RColCaption));
    EXPECT_FALSE(takes(ResponseRow("South", "South"), Page::RColCaption));
    EXPECT_TRUE(takes(ResponseRow("West", "-"), Page::RColCaption));
}

TEST_F(PageDragPickTest, TheQuestionConfirmationNamesEachMatchingChanged)
{
    // The captions reach the box as typed.
    Campaign().GetQuestionById(16)->SetShortcut(QStringLiteral("N%s<b>"));
    Load();
    struct SCase
    {
        QString FromCampaign, FromSource, ToCampaign, ToSource;
        QString Text;
    };
    const QString close = QStringLiteral("\nAre you sure you want to continue?");
    const auto breaks = [](const QString& campaign, const QString& source) {
        return QStringLiteral("• Break question matching between campaign question \"%1\" and "
                              "source question \"%2\"\n")
            .arg(campaign, source);
    };
    const auto adds = [](const QString& campaign, const QString& source) {
        return QStringLiteral("• Add question matching between campaign question \"%1\" and "
                              "source question \"%2\"\n")
            .arg(campaign, source);
    };
    const SCase cases[] = {
        {"AGE", "AGE", "AGE", "AGE",
         breaks("AGE", "AGE") + breaks("AGE", "AGE") + adds("AGE", "AGE")},
        {"-", "EXTRA", "REGION", "REGION", breaks("REGION", "REGION") + adds("REGION", "EXTRA")},
        {"AGE", "AGE", "N%s<b>", "-", breaks("AGE", "AGE") + adds("N%s<b>", "AGE")},
        {"-", "EXTRA", "SPARE", "-", adds("SPARE", "EXTRA")},
    };
    for (const SCase& test : cases) {
        windows.Prompts.clear();
        windows.QueueAnswers({IDNO});
        const CCellID dragged(Row(test.FromCampaign, test.FromSource), Page::QColSourceShortcut);
        const CCellID target(Row(test.ToCampaign, test.ToSource), Page::QColShortcut);
        EXPECT_FALSE(page.ConfirmQuestionDrop(dragged, target));
        ASSERT_EQ(windows.Prompts.size(), 1);
        EXPECT_EQ(windows.Prompts[0], test.Text + close);
        EXPECT_EQ(windows.PromptTypes.back(), unsigned(MB_YESNO | MB_ICONQUESTION));
    }
    windows.QueueAnswers({IDYES});
    EXPECT_TRUE(page.ConfirmQuestionDrop(CCellID(Row("-", "EXTRA"), Page::QColSourceCode),
                                         CCellID(Row("SPARE", "-"), Page::QColShortcut)));
}

TEST_F(PageDragPickTest, TheResponseConfirmationsNameEachMatchingChanged)
{
    SelectRegion();
    const QString close = QStringLiteral("\nAre you sure you want to continue?");
    const auto breaks = [](const QString& campaign, const QString& source) {
        return QStringLiteral("• Break response matching between campaign response \"%1\" and "
                              "source response \"%2\"\n")
            .arg(campaign, source);
    };
    const auto adds = [](const QString& campaign, const QString& source) {
        return QStringLiteral("• Add response matching between campaign response \"%1\" and "
                              "source response \"%2\"\n")
            .arg(campaign, source);
    };
    const auto removes = [](const QString& campaign) {
        return QStringLiteral("• Remove the campaign response '%1'.\n").arg(campaign);
    };
    // Each response with its entry code.
    const auto merges = [](const QString& merged, const QString& master) {
        return QStringLiteral("• Merge campaign response \"%1\" (entry code %2) into campaign "
                              "response \"%3\" (entry code %4)\n")
            .arg(merged, merged.left(1).toLower(), master, master.left(1).toLower());
    };
    const auto cell = [this](const QString& campaign, const QString& source) {
        return CCellID(ResponseRow(campaign, source), Page::RColCaption);
    };
    const CCellID north = cell("North", "North"), south = cell("South", "South");
    const CCellID west = cell("West", "-"), central = cell("Central", "-");
    const CCellID east = cell("-", "East");
    enum EKind
    {
        SourceDrop,
        CampaignDrop,
        Merge
    };
    struct SCase
    {
        EKind Kind;
        CCellID Dragged, Target;
        QString Text; // empty: nothing is asked
    };
    const SCase cases[] = {
        {SourceDrop, north, south,
         breaks("South", "South") + breaks("North", "North") + adds("South", "North") + close},
        {SourceDrop, east, south, breaks("South", "South") + adds("South", "East") + close},
        {SourceDrop, north, west, breaks("North", "North") + adds("West", "North") + close},
        {SourceDrop, east, west, adds("West", "East") + close},
        {CampaignDrop, north, south, breaks("North", "North") + removes("North") + close},
        {CampaignDrop, west, south, removes("West") + close},
        {CampaignDrop, north, west,
         breaks("North", "North") + adds("West", "North") + removes("North") + close},
        {CampaignDrop, west, central, removes("West") + close},
        {CampaignDrop, west, east, QString()},
        {Merge, west, north, merges("West", "North") + close},
        {Merge, south, north, breaks("South", "South") + merges("South", "North") + close},
    };
    for (const SCase& test : cases) {
        windows.Prompts.clear();
        windows.QueueAnswers({IDYES});
        bool answer = false;
        if (test.Kind == SourceDrop)
            answer = page.ConfirmSourceResponseDrop(test.Dragged, test.Target);
        else if (test.Kind == CampaignDrop)
            answer = page.ConfirmCampaignResponseDrop(test.Dragged, test.Target);
        else
            answer = page.ConfirmMerge(test.Dragged, test.Target);
        EXPECT_EQ(answer, !test.Text.isEmpty()) << qPrintable(test.Text);
        EXPECT_EQ(windows.Prompts.join(QString()), test.Text);
    }
}

TEST_F(PageDragPickTest, AMergeConfirmationTellsResponsesOfOneCaptionApartByTheirEntryCodes)
{
    SelectRegion();
    const CCellID west(ResponseRow("West", "-"), Page::RColCaption);
    const CCellID north(ResponseRow("North", "North"), Page::RColCaption);
    // West is captioned "North" as well and has no entry code: the page shows its place.
    CModality* renamed = Campaign().GetModalityById(113);
    renamed->SetShortCaption(recon_test::kLanguage, QStringLiteral("North"));
    renamed->SetEntryCode(QString());
    windows.QueueAnswers({IDYES});
    EXPECT_TRUE(page.ConfirmMerge(west, north));
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_EQ(windows.Prompts[0],
              QStringLiteral("• Merge campaign response \"North\" (entry code [3]) into campaign "
                             "response \"North\" (entry code n)\n\nAre you sure you want to "
                             "continue?"));
}

TEST_F(PageDragPickTest, PickModesShowWhereTheyMayEndAndEscEndsThem)
{
    // Re-match Source Question... from the focus cell.
    page.SelectQuestionRow(Row("AGE", "AGE"), Page::QColSourceShortcut);
    page.OnCommand(ID_QUESTION_REMATCH);
    ASSERT_TRUE(page.IsQuestionPickOn());
    EXPECT_EQ(page.GetQuestionPickCell(), CCellID(Row("AGE", "AGE"), Page::QColSourceShortcut));
    EXPECT_EQ(HoverShape(Questions(), Row("NUM", "-"), Page::QColShortcut), Qt::PointingHandCursor);
    EXPECT_EQ(page.GetPickCursor(), Qt::PointingHandCursor);
    EXPECT_EQ(HoverShape(Questions(), Row("SPARE", "-"), Page::QColShortcut), Qt::ForbiddenCursor);
    QTest::keyClick(&Questions(), Qt::Key_Escape);
    EXPECT_FALSE(page.IsQuestionPickOn());
    EXPECT_EQ(page.GetQuestionPickCell(), CCellID());
    EXPECT_EQ(page.GetPickCursor(), std::nullopt);
    EXPECT_EQ(Questions().viewport()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(HoverShape(Questions(), Row("NUM", "-"), Page::QColShortcut), Qt::ArrowCursor);

    // The response pick and merge modes, and a duplicate-merge drag that Esc leaves alone.
    SelectRegion();
    page.SelectResponseRow(ResponseRow("-", "East"), Page::RColSourceCaption);
    page.StartResponsePick();
    EXPECT_EQ(HoverShape(Responses(), ResponseRow("West", "-"), Page::RColCaption),
              Qt::PointingHandCursor);
    EXPECT_EQ(HoverShape(Responses(), ResponseRow("-", "Middle"), Page::RColCaption),
              Qt::ForbiddenCursor);
    page.StartMergePick();
    EXPECT_EQ(page.GetMergePickCell(), CCellID(ResponseRow("-", "East"), Page::RColSourceCaption));
    ASSERT_TRUE(StartDrag(Responses(), ResponseRow("West", "-"), Page::RColCaption));
    ASSERT_TRUE(page.IsMergeDragOn());
    QTest::keyClick(&Responses(), Qt::Key_Escape);
    EXPECT_FALSE(page.IsResponsePickOn());
    EXPECT_FALSE(page.IsMergePickOn());
    EXPECT_TRUE(page.IsMergeDragOn());
    EXPECT_EQ(Responses().viewport()->cursor().shape(), Qt::ArrowCursor);
    // The duplicate-merge drag has an ending of its own.
    page.EndResponseDrag();
    EXPECT_FALSE(page.IsMergeDragOn());
    EXPECT_EQ(page.GetResponsePickCell(), CCellID());

    // Without a mode the pointer is the grid's own.
    EXPECT_EQ(HoverShape(Responses(), ResponseRow("West", "-"), Page::RColCaption),
              Qt::ArrowCursor);
    EXPECT_EQ(page.GetPickCursor(), std::nullopt);
}

TEST_F(PageDragPickTest, AClickWhereThePickedQuestionCannotGoListsTheReasons)
{
    const QString head =
        QStringLiteral("The campaign and source questions could not be rematched for the following "
                       "reason(s):\t\n");
    const QString loops = QStringLiteral("  • The questions have different loop hierarchies\n");
    const QString removed = QStringLiteral("  • The campaign question has been removed\n");
    const QString elements =
        QStringLiteral("  • The variables are of different and incompatible types\n");
    const QString types =
        QStringLiteral("  • The questions are of different and incompatible types\n");
    struct SCase
    {
        QString Campaign, Source;
        int Col;
        QString Text; // empty: no box
    };
    const SCase cases[] = {
        {"OLD", "-", Page::QColShortcut, head + removed + types},
        {"LOOP", "LOOP", Page::QColLongCaption, head + loops + elements + types},
        {"INLOOP", "INLOOP", Page::QColCode, head + loops},
        {"SPARE", "-", Page::QColSourceShortcut, QString()},
        {"-", "EXTRA", Page::QColShortcut, QString()},
    };
    for (const SCase& test : cases) {
        page.SelectQuestionRow(Row("AGE", "AGE"), Page::QColSourceShortcut);
        page.OnCommand(ID_QUESTION_REMATCH);
        windows.Prompts.clear();
        const CPoint point = Centre(Questions(), Row(test.Campaign, test.Source), test.Col);
        QTest::mouseClick(Questions().viewport(), Qt::LeftButton, {}, QPoint(point.x, point.y));
        EXPECT_EQ(windows.Prompts.join(QString()), test.Text) << qPrintable(test.Campaign);
        if (!test.Text.isEmpty()) {
            EXPECT_EQ(windows.PromptTypes.back(), unsigned(MB_OK | MB_ICONINFORMATION));
        }
        // The click ends the mode whatever came of it.
        EXPECT_FALSE(page.IsQuestionPickOn());
    }
    EXPECT_EQ(Rows().size(), 12);
}

TEST_F(PageDragPickTest, AStepOfTheHistoryEndsEveryPickSoTheClickAfterItChangesNothing)
{
    // Each pick starts on a row below a row that the step's Undo takes away: the pick's row
    // number then names the item below the one picked.
    struct SCase
    {
        const char* Name;
        std::function<void()> Start;
        std::function<bool()> IsOn;
        std::function<void()> Click;
    };
    const auto click = [](CWaveGridCtrl& grid, int row, int col) {
        const CPoint point = Centre(grid, row, col);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(point.x, point.y));
    };
    const auto breakRow = [this](bool questionGrid, int row) {
        if (questionGrid) {
            page.SelectQuestionRow(row, Page::QColSourceShortcut);
            page.OnCommand(ID_QUESTION_BREAK_MATCHING);
        } else {
            page.SelectResponseRow(row, Page::RColSourceCaption);
            page.OnCommand(ID_RESPONSE_BREAK_MATCHING);
        }
    };
    const SCase cases[] = {
        {"question pick",
         [&] {
             breakRow(true, Row("BRAND", "BRAND"));
             ASSERT_GE(Row("-", "BRAND"), kFirst);
             page.SelectQuestionRow(Row("INLOOP", "INLOOP"), Page::QColSourceShortcut);
             page.OnCommand(ID_QUESTION_REMATCH);
         },
         [&] { return page.IsQuestionPickOn(); },
         [&] { click(Questions(), Row("SPARE", "-"), Page::QColShortcut); }},
        {"response pick",
         [&] {
             SelectRegion();
             breakRow(false, ResponseRow("North", "North"));
             ASSERT_GE(ResponseRow("-", "North"), kFirst);
             page.SelectResponseRow(ResponseRow("-", "East"), Page::RColSourceCaption);
             page.OnCommand(ID_RESPONSE_REMATCH);
         },
         [&] { return page.IsResponsePickOn(); },
         [&] { click(Responses(), ResponseRow("West", "-"), Page::RColCaption); }},
        {"merge pick",
         [&] {
             SelectRegion();
             breakRow(false, ResponseRow("North", "North"));
             page.SelectResponseRow(ResponseRow("West", "-"), Page::RColCaption);
             page.OnCommand(ID_RESPONSE_MERGE);
         },
         [&] { return page.IsMergePickOn(); },
         [&] { click(Responses(), ResponseRow("South", "South"), Page::RColCaption); }},
        {"merge drag",
         [&] {
             SelectRegion();
             breakRow(false, ResponseRow("North", "North"));
             ASSERT_TRUE(StartDrag(Responses(), ResponseRow("West", "-"), Page::RColCaption));
         },
         [&] { return page.IsMergeDragOn(); },
         [&] {
             // The drag goes on over South and is dropped there.
             QMimeData data;
             data.setData(Responses().GetDragFormat(), QByteArray(1, '\0'));
             const CPoint point =
                 Centre(Responses(), ResponseRow("South", "South"), Page::RColCaption);
             Responses().OnDragOver(&data, {}, point);
             Responses().OnDrop(&data, DROPEFFECT_MOVE, point);
         }},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.Name);
        Load();
        test.Start();
        ASSERT_TRUE(test.IsOn());
        const QString before = Dump();
        ASSERT_TRUE(app.Undo());
        EXPECT_FALSE(test.IsOn());
        EXPECT_EQ(page.GetPickCursor(), std::nullopt);
        const QString undone = Dump();
        EXPECT_NE(undone, before);
        windows.Prompts.clear();
        windows.QueueAnswers({IDYES, IDYES, IDYES});
        test.Click();
        EXPECT_TRUE(windows.Prompts.isEmpty()) << qPrintable(windows.Prompts.join(u'\n'));
        EXPECT_EQ(Dump(), undone);
    }
}

TEST_F(PageDragPickTest, ShowingAnotherWaveEndsThePickStartedOnThisOne)
{
    // Wave 1's volume matches AGE too: its first row has a source question like wave 2's.
    CVolume* first = Campaign().FindVolume(1);
    recon_test::AddSourceQuestion(*first, 1, "AGE", "Age", 5);
    recon_test::MatchQuestion(*first, 10, 1);
    page.SelectQuestionRow(Row("AGE", "AGE"), Page::QColSourceShortcut);
    page.OnCommand(ID_QUESTION_REMATCH);
    ASSERT_TRUE(page.IsQuestionPickOn());
    const QString before = Dump();
    ASSERT_TRUE(page.LoadWave(1));
    EXPECT_FALSE(page.IsQuestionPickOn());
    EXPECT_EQ(page.GetQuestionPickCell(), CCellID());
    // A click on a question that wave 2's pick could go to changes nothing in wave 1.
    ASSERT_EQ(Row("AGE", "AGE"), kFirst);
    windows.QueueAnswers({IDYES, IDYES});
    const CPoint point = Centre(Questions(), Row("NUM", "-"), Page::QColShortcut);
    QTest::mouseClick(Questions().viewport(), Qt::LeftButton, {}, QPoint(point.x, point.y));
    EXPECT_TRUE(windows.Prompts.isEmpty()) << qPrintable(windows.Prompts.join(u'\n'));
    EXPECT_EQ(Dump(), before);
}
