#include "ReconPageTestSupport.h"

#include "controls/SplitterBar.h"
#include "grid/TitleTip.h"
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
#include <QFontMetricsF>
#include <QTest>

#include <cmath>
#include <memory>

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

TEST(ReconColumnLayout, TheColumnTablesKeepEachSideUnderItself)
{
    const auto sideWidth = [](const auto& widths, EGrid grid, ESide side) {
        int sum = 0;
        for (int col = 0; col < ColumnCount(grid); ++col)
            if (IsSideColumn(grid, col, side))
                sum += widths[size_t(col)];
        return sum;
    };
    for (const SResponseColumn& column : ResponseColumns())
        for (int under = column.UnderFirst; under <= column.UnderLast; ++under)
            EXPECT_TRUE(IsSideColumn(EGrid::Questions, under, column.Side)) << under;
    for (int mode = 0; mode < 3; ++mode) {
        QuestionWidths question{};
        ASSERT_TRUE(QuestionColumnWidths(1000, 3, mode, question, {90, 260}));
        for (const ESide side : {ESide::None, ESide::Campaign, ESide::Source}) {
            // One text column a side, whatever the mode.
            int shownTexts = 0;
            for (int col = 0; col < kQuestionColumns; ++col)
                if (IsSideColumn(EGrid::Questions, col, side) &&
                    QuestionColumns()[size_t(col)].Width == EWidth::Text && question[size_t(col)])
                    ++shownTexts;
            EXPECT_EQ(shownTexts, side == ESide::None ? 0 : 1) << mode;
            for (int codes = 0; codes < 2; ++codes)
                EXPECT_EQ(sideWidth(ResponseColumnWidths(question, codes), EGrid::Responses, side),
                          sideWidth(question, EGrid::Questions, side))
                    << mode << " " << codes;
        }
    }
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
    // The code columns keep the width their texts need; the others share the rest.
    QuestionWidths expected{};
    ASSERT_TRUE(QuestionColumnWidths(grid.viewport()->width(),
                                     int(grid.GetDefaultCell(false, false)->GetMargin()), 0,
                                     expected, {grid.GetColumnWidth(Page::QColCode)}));
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

TEST(ReconColumnLayout, ColumnsThatNeedMoreTakeItFromTheOthersInTheirShares)
{
    struct Case
    {
        SColumnNeeds needs;
        QuestionWidths widths;
    };
    // 1000 wide, margin 3: A = 832, codes 62, texts 228, volume 249 + 3. A code need of 100
    // takes 2 x 38 = 76: 29 from each text column, 18 from the volume; a need beyond a quarter of
    // A (208) is cut to it. Text columns that then need more take it from the volume, down to
    // half its share (124): 2 x 51 for a need of 250, at most 2 x 53.
    const Case cases[] = {
        {{0, 0}, {80, 22, 22, 62, 228, 0, 0, 22, 22, 62, 228, 0, 0, 252}},
        {{62, 228}, {80, 22, 22, 62, 228, 0, 0, 22, 22, 62, 228, 0, 0, 252}},
        {{100, 0}, {80, 22, 22, 100, 199, 0, 0, 22, 22, 100, 199, 0, 0, 234}},
        {{500, 0}, {80, 22, 22, 208, 114, 0, 0, 22, 22, 208, 114, 0, 0, 188}},
        {{100, 250}, {80, 22, 22, 100, 250, 0, 0, 22, 22, 100, 250, 0, 0, 132}},
        {{100, 400}, {80, 22, 22, 100, 252, 0, 0, 22, 22, 100, 252, 0, 0, 128}},
    };
    for (const Case& c : cases) {
        QuestionWidths widths{};
        ASSERT_TRUE(QuestionColumnWidths(1000, 3, 0, widths, c.needs));
        EXPECT_EQ(widths, c.widths) << c.needs.Code << " " << c.needs.Text;
        int sum = 0;
        for (int w : widths)
            sum += w;
        EXPECT_EQ(sum, 1000) << c.needs.Code << " " << c.needs.Text;
    }
}

namespace {

// The application font scaled for the test's lifetime.
class CScaledAppFont
{
public:
    explicit CScaledAppFont(double scale) : m_saved(QApplication::font())
    {
        QFont font = m_saved;
        font.setPointSizeF(m_saved.pointSizeF() * scale);
        QApplication::setFont(font);
    }
    ~CScaledAppFont() { QApplication::setFont(m_saved); }
    CScaledAppFont(const CScaledAppFont&) = delete;
    CScaledAppFont& operator=(const CScaledAppFont&) = delete;

private:
    QFont m_saved;
};

// The cells of the grid that show the text (in a column that is shown): how many there are,
// and which of them draw it cut, as "row,col".
struct SShownText
{
    int Cells = 0;
    QStringList Cut;
};
SShownText ShownText(CWaveGridCtrl& grid, const QString& text)
{
    SShownText shown;
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        for (int col = 0; col < grid.GetColumnCount(); ++col) {
            const CGridCellBase* cell = grid.GetCell(row, col);
            if (!cell || grid.GetColumnWidth(col) == 0 || cell->GetText() != text)
                continue;
            ++shown.Cells;
            CRect room;
            if (!grid.GetCellTextRoom(row, col, room) ||
                QFontMetricsF(cell->GetFontObject()).horizontalAdvance(text) > room.Width())
                shown.Cut << QStringLiteral("%1,%2").arg(row).arg(col);
        }
    }
    return shown;
}

} // namespace

// The page of a wave of one volume where every side of a row can be missing: Q0 matched, with
// its response "Yes" matched, "No" a campaign response alone and "Maybe" a source response
// alone; Q1 a campaign question alone and Q2 a source question alone.
class PageTextsTest : public CReconPageTest
{
protected:
    PageTextsTest()
    {
        CWave* wave = view_test::AddWave(Campaign(), 1, QStringLiteral("Spring"));
        CVolume* volume =
            view_test::AddVolume(Campaign(), *wave, 1, QStringLiteral("Online"), VOLUME_RECONCILED);
        CQuestion* q0 =
            AddQuestion(Campaign(), 10, 1, QStringLiteral("Q0"), QStringLiteral("Question 0"), 1);
        AddResponse(Campaign(), *q0, 101, QStringLiteral("Yes"), QStringLiteral("1"));
        AddResponse(Campaign(), *q0, 102, QStringLiteral("No"), QStringLiteral("2"));
        qnr::CQuestion* source =
            AddSourceQuestion(*volume, 1, QStringLiteral("Q0"), QStringLiteral("Question 0"));
        AddSourceResponse(*source, 1, QStringLiteral("Yes"));
        AddSourceResponse(*source, 3, QStringLiteral("Maybe"));
        MatchQuestion(*volume, 10, 1);
        MatchResponse(*volume, *q0, 101, 1);
        AddQuestion(Campaign(), 11, 2, QStringLiteral("Q1"), QStringLiteral("Question 1"), 1);
        AddSourceQuestion(*volume, 2, QStringLiteral("Q2"), QStringLiteral("Question 2"));
    }

    // A page made at the application font of the moment, shown at the width, on Q0's responses;
    // the fixture's own page is hidden meanwhile.
    std::unique_ptr<CRightReconciliationPage> ShowPage(int width)
    {
        page.hide();
        auto shown = std::make_unique<CRightReconciliationPage>();
        shown->resize(width, 600);
        shown->show();
        EXPECT_TRUE(shown->LoadWave(1));
        shown->SelectCampaignQuestion(10);
        return shown;
    }
};

TEST_F(PageTextsTest, HeadingsAndNotMatchedShowWholeAtTheUsersFontSize)
{
    struct Case
    {
        double scale;
        int width;
    };
    // Typical page widths of a window on a 1280 and a 1600 pixels wide screen.
    const Case cases[] = {{1.0, 800}, {1.0, 1000}, {1.5, 1000}, {1.5, 1200}};
    for (const Case& c : cases) {
        const CScaledAppFont font(c.scale);
        std::unique_ptr<CRightReconciliationPage> shown = ShowPage(c.width);
        CWaveGridCtrl& questions = *shown->GetQuestionGrid();
        CWaveGridCtrl& responses = *shown->GetResponseGrid();
        const QString at = QStringLiteral("%1 x %2").arg(c.scale).arg(c.width);
        struct Text
        {
            CWaveGridCtrl* grid;
            int entryCodes;
            const char* text;
            int cells; // at least
        };
        const Text texts[] = {
            {&questions, 1, "Code", 2},       {&questions, 1, "Not matched", 4},
            {&responses, 1, "Entry Code", 2}, {&responses, 1, "Not matched", 2},
            {&responses, 0, "Code", 2},       {&responses, 0, "Not matched", 2},
            {&questions, 1, "Shortcut", 2},   {&responses, 1, "Short Caption", 2},
            {&questions, 1, "Volume", 1},
        };
        for (const Text& t : texts) {
            shown->SetViewEntryCodes(t.entryCodes);
            const SShownText shownText = ShownText(*t.grid, QString::fromUtf8(t.text));
            EXPECT_GE(shownText.Cells, t.cells) << qPrintable(at) << " " << t.text;
            EXPECT_TRUE(shownText.Cut.isEmpty()) << qPrintable(at) << " " << t.text << " cut in "
                                                 << qPrintable(shownText.Cut.join(u' '));
        }

        // The other columns share what the codes leave: the text columns alike and wider than
        // the codes, the volume wider still, and together the whole width.
        const auto width = [&questions](int col) { return questions.GetColumnWidth(col); };
        EXPECT_EQ(width(Page::QColShortcut), width(Page::QColSourceShortcut)) << qPrintable(at);
        EXPECT_GT(width(Page::QColShortcut), width(Page::QColCode)) << qPrintable(at);
        EXPECT_GT(width(Page::QColVolume), width(Page::QColCode)) << qPrintable(at);
        int sum = 0;
        for (int col = 0; col < questions.GetColumnCount(); ++col)
            sum += width(col);
        EXPECT_EQ(sum, questions.viewport()->width()) << qPrintable(at);
    }
}

TEST_F(PageTextsTest, ATextCutByAPixelShowsItsTitleTipWithTheWholeText)
{
    ASSERT_TRUE(page.LoadWave(1));
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    CWaveGridCtrl& questions = *page.GetQuestionGrid();
    const int row = kFirst + 1; // Q1's row, which the focus is not on
    const QString text = questions.GetCellText(row, Page::QColShortcut);
    ASSERT_EQ(text, QStringLiteral("Q1"));
    // Narrowed until its text is cut by one pixel: "Q" and a part of "1" show.
    const CGridCellBase* cell = questions.GetCell(row, Page::QColShortcut);
    const int whole =
        CGridCtrl::ColumnWidthForText(cell->GetFontObject(), text, int(cell->GetMargin()));
    questions.SetColumnWidth(Page::QColShortcut, whole - 2);
    CRect rect;
    ASSERT_TRUE(questions.GetCellRect(row, Page::QColShortcut, rect));
    QTest::mouseMove(questions.viewport(), QPoint(rect.left + 3, (rect.top + rect.bottom) / 2));
    QTest::qWait(50);
    auto* tip = questions.viewport()->findChild<CTitleTip*>();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->GetTitle(), QStringLiteral(" Q1 "));
    // Leaving the cell for the row's number takes it away.
    QTest::mouseMove(questions.viewport(), QPoint(10, (rect.top + rect.bottom) / 2));
    EXPECT_FALSE(tip->isVisible());
}
