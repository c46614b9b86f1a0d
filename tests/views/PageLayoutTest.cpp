#include "ReconPageTestSupport.h"

#include "controls/SplitterBar.h"
#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "model/ModelIds.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "res/CommandIds.h"
#include "views/OverviewBar.h"
#include "views/ReconColumnLayout.h"
#include "views/WaveGridCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <cmath>

using namespace pelko_wave;
using namespace recon_columns;
using namespace recon_test;
using Page = CRightReconciliationPage;

TEST(ReconColumnLayout, TheQuestionColumnsShareTheWidthByTheTextMode)
{
    struct Case
    {
        int width, margin, mode;
        QuestionWidths widths;
    };
    // m = 16 + 2 * margin; A = W - 4m - 80; s = A * 15 / 100 / 2; t = A * 55 / 100 / 2;
    // l = A * 30 / 100, and the last column takes what rounding left over.
    const Case cases[] = {
        {1000, 3, 0, {80, 22, 22, 62, 228, 0, 0, 22, 22, 62, 228, 0, 0, 252}},
        {1000, 3, 1, {80, 22, 22, 62, 0, 228, 0, 22, 22, 62, 0, 228, 0, 252}},
        {1000, 3, 2, {80, 22, 22, 62, 0, 0, 228, 22, 22, 62, 0, 0, 228, 252}},
        {600, 0, 0, {80, 16, 16, 34, 125, 0, 0, 16, 16, 34, 125, 0, 0, 138}},
    };
    for (const Case& c : cases) {
        QuestionWidths widths{};
        ASSERT_TRUE(QuestionColumnWidths(c.width, c.margin, c.mode, widths));
        EXPECT_EQ(widths, c.widths) << c.width << " " << c.mode;
        int sum = 0;
        for (int w : widths)
            sum += w;
        EXPECT_EQ(sum, c.width);
    }
    // No room: the widths stay as they were.
    QuestionWidths kept{};
    kept.fill(7);
    for (int width : {150, 100, 0, -5})
        EXPECT_FALSE(QuestionColumnWidths(width, 0, 0, kept)) << width;
    EXPECT_EQ(kept[0], 7);
}

TEST(ReconColumnLayout, TheResponseColumnsLineUpUnderTheQuestionColumns)
{
    const QuestionWidths q = {80, 22, 22, 62, 228, 0, 0, 22, 22, 62, 228, 0, 0, 252};
    EXPECT_EQ(ResponseColumnWidths(q, 1),
              (ResponseWidths{80, 22, 0, 84, 228, 22, 0, 84, 228, 252}));
    EXPECT_EQ(ResponseColumnWidths(q, 0),
              (ResponseWidths{80, 22, 84, 0, 228, 22, 84, 0, 228, 252}));
}

// The page of a wave of one volume and 3 questions, 1000 x 600.
class PageLayoutTest : public CReconPageTest
{
protected:
    PageLayoutTest()
    {
        CWave* wave = view_test::AddWave(Campaign(), 1, QStringLiteral("Spring"));
        CVolume* volume =
            view_test::AddVolume(Campaign(), *wave, 1, QStringLiteral("Online"), VOLUME_RECONCILED);
        for (int i = 0; i < 3; ++i) {
            AddQuestion(Campaign(), 10 + i, i + 1, QStringLiteral("Q%1").arg(i),
                        QStringLiteral("Question %1").arg(i), 1, 5);
            AddSourceQuestion(*volume, i + 1, QStringLiteral("Q%1").arg(i),
                              QStringLiteral("Question %1").arg(i), 5);
            MatchQuestion(*volume, 10 + i, i + 1);
        }
        EXPECT_TRUE(page.LoadWave(1));
    }

    QRect Geometry(QWidget* widget) const { return widget->geometry(); }
    int fixedHeight() const { return page.GetQuestionGrid()->GetFixedRowsHeight(); }
    std::vector<int> Widths(const CGridCtrl& grid) const
    {
        std::vector<int> widths;
        for (int col = 0; col < grid.GetColumnCount(); ++col)
            widths.push_back(grid.GetColumnWidth(col));
        return widths;
    }
};

TEST_F(PageLayoutTest, TheLayoutPlacesTheBarsBesideTheGridsAndTheSplitterBetween)
{
    const int bar = SplitterBarThickness();
    struct Case
    {
        int asked, split;
    };
    // -1, or a height not below the page's: two thirds of the page.
    const Case cases[] = {{-1, 400}, {250, 250}, {600, 400}, {0, 0}};
    for (const Case& c : cases) {
        page.ApplyLayout(c.asked);
        EXPECT_EQ(Geometry(page.GetQuestionBar()), QRect(0, 0, 20, c.split)) << c.asked;
        EXPECT_EQ(Geometry(page.GetQuestionGrid()), QRect(21, 0, 979, c.split));
        EXPECT_EQ(Geometry(page.GetResponseGrid()),
                  QRect(21, c.split + bar, 979, 600 - c.split - bar));
        EXPECT_EQ(Geometry(page.GetResponseBar()),
                  QRect(0, c.split + bar, 20, 600 - c.split - bar));
        EXPECT_EQ(Geometry(page.GetSplitter()), QRect(0, c.split, 1000, bar));
        EXPECT_EQ(page.GetQuestionGridHeight(), c.split);
        EXPECT_EQ(page.GetQuestionBar()->GetTopMargin(),
                  page.GetQuestionGrid()->GetFixedRowsHeight());
    }
}

TEST_F(PageLayoutTest, ResizingKeepsTheGridsSharesSoAPageShrunkAndGrownShowsBoth)
{
    const int bar = SplitterBarThickness();
    page.ApplyLayout(300);
    const double share = 300.0 / (600 - bar);
    // Down to almost nothing, as a window shrunk to its caption, and back.
    for (int height : {700, 650, 120, 30, 5, 400, 600}) {
        page.resize(1000, height);
        QApplication::processEvents();
        const int grids = std::max(0, height - bar);
        const int question = int(std::lround(share * grids));
        EXPECT_EQ(page.GetQuestionGrid()->height(), question) << height;
        EXPECT_EQ(page.GetResponseGrid()->height(), grids - question) << height;
    }
    // Back at its size the page is as it was: neither grid collapsed.
    EXPECT_EQ(page.GetQuestionGrid()->height(), 300);
    EXPECT_EQ(page.GetResponseGrid()->height(), 600 - 300 - bar);

    // The split the user drags to is the one kept from then on.
    CSplitterBar& splitter = *page.GetSplitter();
    const QPoint start = splitter.rect().center();
    QTest::mousePress(&splitter, Qt::LeftButton, {}, start);
    QTest::mouseMove(&splitter, start + QPoint(0, -100));
    QTest::mouseRelease(&splitter, Qt::LeftButton, {}, start + QPoint(0, -100));
    ASSERT_EQ(page.GetQuestionGrid()->height(), 200);
    page.resize(1000, 100);
    QApplication::processEvents();
    page.resize(1000, 600);
    QApplication::processEvents();
    EXPECT_EQ(page.GetQuestionGrid()->height(), 200);
    EXPECT_EQ(page.GetResponseGrid()->height(), 600 - 200 - bar);
    // So is a question grid the user left at its headings.
    const int headings = page.GetQuestionGrid()->GetFixedRowsHeight();
    page.ApplyLayout(headings);
    page.resize(1000, 900);
    QApplication::processEvents();
    page.resize(1000, 600);
    QApplication::processEvents();
    EXPECT_EQ(page.GetQuestionGrid()->height(), headings);
    EXPECT_EQ(page.GetResponseGrid()->height(), 600 - headings - bar);
    // Wider: the grids follow the right edge and the columns fill the new width.
    page.resize(1200, 600);
    QApplication::processEvents();
    CWaveGridCtrl& grid = *page.GetQuestionGrid();
    EXPECT_EQ(grid.width(), 1179);
    QuestionWidths expected{};
    ASSERT_TRUE(QuestionColumnWidths(grid.viewport()->width(),
                                     int(grid.GetDefaultCell(false, false)->GetMargin()), 0,
                                     expected));
    EXPECT_EQ(Widths(grid), std::vector<int>(expected.begin(), expected.end()));
    EXPECT_EQ(Widths(*page.GetResponseGrid())[4], expected[4]);

    // Too narrow for the columns: they keep their widths.
    page.resize(150, 600);
    QApplication::processEvents();
    EXPECT_EQ(Widths(grid), std::vector<int>(expected.begin(), expected.end()));
}

TEST_F(PageLayoutTest, TheViewCommandsShowOneTextColumnOrTheOtherCodesAndKeepTheChoice)
{
    const CWaveGridCtrl& questions = *page.GetQuestionGrid();
    const CWaveGridCtrl& responses = *page.GetResponseGrid();
    const int text = questions.GetColumnWidth(Page::QColShortcut);
    ASSERT_GT(text, 0);
    struct Case
    {
        unsigned command;
        int shown;
    };
    const Case cases[] = {{ID_QUESTION_VIEW_LONG_CAPTIONS, Page::QColLongCaption},
                          {ID_QUESTION_VIEW_SHORT_CAPTIONS, Page::QColShortCaption},
                          {ID_QUESTION_VIEW_SHORTCUTS, Page::QColShortcut}};
    for (const Case& c : cases) {
        page.OnCommand(c.command);
        EXPECT_EQ(app.GetViewSettings().GetQuestionGridViewText(), c.shown - Page::QColShortcut);
        for (int col = Page::QColShortcut; col <= Page::QColLongCaption; ++col) {
            EXPECT_EQ(questions.GetColumnWidth(col), col == c.shown ? text : 0) << col;
            EXPECT_EQ(questions.GetColumnWidth(col + 6), col == c.shown ? text : 0) << col;
        }
    }

    page.OnCommand(ID_RESPONSE_VIEW_CODES);
    EXPECT_EQ(app.GetViewSettings().GetViewEntryCodes(), 0);
    EXPECT_GT(responses.GetColumnWidth(Page::RColCode), 0);
    EXPECT_EQ(responses.GetColumnWidth(Page::RColEntryCode), 0);
    EXPECT_EQ(responses.GetColumnWidth(Page::RColSourceEntryCode), 0);
    page.OnCommand(ID_RESPONSE_VIEW_ENTRY_CODES);
    EXPECT_EQ(app.GetViewSettings().GetViewEntryCodes(), 1);
    EXPECT_EQ(responses.GetColumnWidth(Page::RColCode), 0);
    EXPECT_GT(responses.GetColumnWidth(Page::RColSourceEntryCode), 0);
}

TEST_F(PageLayoutTest, TheBandsEndWhereTheRowsEndOrFillTheBar)
{
    page.ApplyLayout(400);
    const CWaveGridCtrl& grid = *page.GetQuestionGrid();
    const int fixed = grid.GetFixedRowsHeight();
    const int body = grid.GetBodyRowsHeight();
    ASSERT_EQ(body, 3 * grid.GetRowHeight(Page::kFixedRows));
    // Three rows do not fill the grid: the band area ends at the last row.
    EXPECT_EQ(Page::GetOverviewBandHeight(grid), body + 2);
    EXPECT_EQ(page.GetQuestionBar()->GetBarHeight(), body + 2);
    EXPECT_NEAR(page.GetQuestionBar()->BandAreaRect().bottom(), fixed + body, 2);
    // Rows that fill it: the grid's height below the headings.
    page.ApplyLayout(fixed + body / 2);
    EXPECT_EQ(Page::GetOverviewBandHeight(grid), grid.viewport()->height() - fixed + 4);
    EXPECT_EQ(page.GetQuestionBar()->GetBarHeight(), grid.viewport()->height() - fixed + 4);
}

TEST_F(PageLayoutTest, MovingTheSplitterResizesTheBands)
{
    page.ApplyLayout(fixedHeight());
    CSplitterBar& splitter = *page.GetSplitter();
    const QPoint start = splitter.rect().center();
    QTest::mousePress(&splitter, Qt::LeftButton, {}, start);
    QTest::mouseMove(&splitter, start + QPoint(0, 200));
    QTest::mouseRelease(&splitter, Qt::LeftButton, {}, start + QPoint(0, 200));
    EXPECT_EQ(page.GetQuestionGrid()->height(), fixedHeight() + 200);
    EXPECT_EQ(page.GetQuestionBar()->GetBarHeight(),
              Page::GetOverviewBandHeight(*page.GetQuestionGrid()));
    EXPECT_EQ(page.GetQuestionBar()->height(), page.GetQuestionGrid()->height());
}

TEST(ReconPageLayout, APageNotYetShownKeepsTheHeightItWasAskedFor)
{
    CScriptedWindowServices windows;
    CWaveApp app;
    app.CreateCampaignObjects(nullptr, nullptr);
    CRightReconciliationPage page;
    page.resize(800, 500);
    EXPECT_EQ(page.GetQuestionGridHeight(), -1);
    page.SetQuestionGridHeight(220);
    EXPECT_EQ(page.GetQuestionGridHeight(), 220);
    page.show();
    QApplication::processEvents();
    EXPECT_EQ(page.size(), QSize(800, 500));
    EXPECT_EQ(page.GetQuestionGrid()->height(), 220);
    EXPECT_EQ(page.GetQuestionGridHeight(), 220);
}

TEST_F(PageLayoutTest, CopyAndSelectAllActOnTheGridWithTheFocus)
{
    CCmdUI copy(ID_EDIT_COPY);
    CCmdUI selectAll(ID_EDIT_SELECT_ALL);
    page.GetQuestionGrid()->clearFocus();
    page.setFocus();
    page.OnUpdateCommand(copy);
    page.OnUpdateCommand(selectAll);
    EXPECT_EQ(copy.m_enable, false);
    EXPECT_EQ(selectAll.m_enable, false);

    QApplication::setActiveWindow(&page);
    page.SelectQuestionRow(kFirst + 1, Page::QColShortcut);
    ASSERT_TRUE(page.GetQuestionGrid()->hasFocus());
    page.OnUpdateCommand(copy);
    EXPECT_EQ(copy.m_enable, true);
    page.OnCommand(ID_EDIT_COPY);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Q1"));
    page.OnCommand(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(page.GetQuestionGrid()->GetSelectedCount(), 3 * 13);
}
