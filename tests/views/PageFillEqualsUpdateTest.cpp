#include "ResponsePageTestSupport.h"

#include "commands/PropertyCommands.h"
#include "model/Campaign.h"
#include "model/CaptionLibrary.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Question.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "support/views/ManualClock.h"
#include "support/views/ScriptedViewDialogs.h"
#include "views/OverviewBar.h"
#include "views/ReconColours.h"
#include "views/WaveGridCtrl.h"

#include <functional>
#include <vector>

using namespace pelko_wave;
using namespace recon_test;
using Page = CRightReconciliationPage;

// The reconciliation page's promise: whatever command the page runs, after its Do, its Undo and
// its Redo both grids show what a new page filled for the same wave shows, cell by cell. The
// rows a command updates in place may differ from a fill only where the page means them to
// (a case's exceptions below say where and why).

namespace {

// How one cell of a grid looks.
struct SCellLook
{
    QString Text;
    int Image = -1;
    COLORREF TextColour = CLR_DEFAULT;
    COLORREF BackColour = CLR_DEFAULT;
    QString Font;
    unsigned Format = 0;
};

// A grid as the user sees it: every cell of every row, headings included, and the state of each
// data row's band on the overview bar beside it.
struct SGridShot
{
    QString Name;
    int FixedRows = 0;
    std::vector<std::vector<SCellLook>> Cells;
    std::vector<int> States;
    // The columns whose texts name a row's items: the campaign item's code, the source item's
    // code and the volume. No two rows of a fill share them.
    std::vector<int> IdentityColumns;
};

QString DescribeFont(const LOGFONT* font)
{
    if (!font)
        return QStringLiteral("none");
    return QStringLiteral("%1 %2 w%3%4")
        .arg(font->lfFaceName.isEmpty() ? QStringLiteral("(default face)") : font->lfFaceName)
        .arg(font->lfHeight)
        .arg(font->lfWeight)
        .arg(font->lfItalic ? QStringLiteral(" italic") : QString());
}

SGridShot Shoot(const QString& name, const CWaveGridCtrl& grid, const COverviewBar& bar,
                std::vector<int> identity)
{
    SGridShot shot{name, grid.GetFixedRowCount(), {}, {}, std::move(identity)};
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        std::vector<SCellLook> cells;
        for (int col = 0; col < grid.GetColumnCount(); ++col) {
            const CGridCellBase* cell = grid.GetCell(row, col);
            SCellLook look;
            if (cell)
                look = {cell->GetText(),
                        cell->GetImage(),
                        cell->GetTextColour(),
                        cell->GetBackColour(),
                        DescribeFont(cell->GetFont()),
                        cell->GetFormat()};
            else
                look.Text = QStringLiteral("(no cell)");
            cells.push_back(look);
        }
        shot.Cells.push_back(std::move(cells));
    }
    for (int i = 0; i < bar.GetItemCount(); ++i)
        shot.States.push_back(bar.GetItemState(i));
    return shot;
}

SGridShot ShootQuestions(const Page& page)
{
    return Shoot(QStringLiteral("question grid"), *page.GetQuestionGrid(), *page.GetQuestionBar(),
                 {Page::QColCode, Page::QColSourceCode, Page::QColVolume});
}

SGridShot ShootResponses(const Page& page)
{
    return Shoot(QStringLiteral("response grid"), *page.GetResponseGrid(), *page.GetResponseBar(),
                 {Page::RColCode, Page::RColSourceCode, Page::RColVolume});
}

// The row's identity texts, "Not matched" written "-".
QString Identity(const SGridShot& shot, int row)
{
    QStringList texts;
    for (int col : shot.IdentityColumns) {
        const QString text = shot.Cells[size_t(row)][size_t(col)].Text;
        texts << (text == QStringLiteral("Not matched") ? QStringLiteral("-") : text);
    }
    return texts.join(u'/');
}

QString Colour(COLORREF colour)
{
    return colour == CLR_DEFAULT ? QStringLiteral("default")
                                 : QStringLiteral("0x%1").arg(colour, 6, 16, QLatin1Char('0'));
}

// Where a grid the page updated in place may differ from a fill, because the page means it to:
// the rows a command touched show what it did until the wave is filled again.
enum EException : unsigned
{
    // The rows are paired by their items, not by their places: a source item whose matching was
    // broken takes a row right below the one it left, and a source item matched again joins its
    // campaign item's row or keeps its own, where a fill lists the source items alone last.
    QuestionRowOrder = 1u << 0,
    ResponseRowOrder = 1u << 1,
    // The row a source question leaves keeps its campaign question, without a source side, even
    // where another volume of the wave matches the question (a fill then shows only that row).
    KeptQuestionRow = 1u << 2,
    // The source question's own row after the break shows the image of a source item alone (3),
    // where a fill shows it as any source question (1).
    BrokenSourceImage = 1u << 3,
    // The rows of a campaign question removed on the page turn light grey, as the change the
    // user made, and take overview state 0; without the highlight (Do and Undo) in the default
    // text colour, with it (Redo) in the grey of a removed question.
    RemovedQuestionGrey = 1u << 4,
    // The source side of a campaign response removed on the page turns light grey, and its row
    // takes overview state 0.
    RemovedResponseGrey = 1u << 5,
    // The row of a response merged on the page turns light grey, without the highlight in the
    // default text colour, and takes overview state 0.
    MergedResponseGrey = 1u << 6,
};

struct SCellDiff
{
    int PageRow = -1;
    int FreshRow = -1;
    // -1 for the row's overview state.
    int Col = -1;
    QString What;
    QString PageValue;
    QString FreshValue;
};

bool IsQuestionGrid(const SGridShot& shot)
{
    return shot.IdentityColumns.front() == Page::QColCode;
}

// Whether a documented exception allows the difference of the cell or of the overview state.
bool Allowed(const SGridShot& page, const SCellDiff& diff, unsigned exceptions)
{
    const auto& cells = page.Cells[size_t(diff.PageRow)];
    const bool background = diff.What == QStringLiteral("background");
    const bool textColour = diff.What == QStringLiteral("text colour");
    const bool state = diff.Col == -1;
    const QString lightGrey = Colour(recon_colours::LightGrey);
    if (IsQuestionGrid(page)) {
        if ((exceptions & BrokenSourceImage) && diff.Col == Page::QColSourceState &&
            diff.What == QStringLiteral("image") && diff.PageValue == QStringLiteral("3") &&
            diff.FreshValue == QStringLiteral("1"))
            return true;
        const bool removed = cells[Page::QColState].Image == Page::ImageDeleted &&
                             cells[Page::QColCode].BackColour == recon_colours::LightGrey;
        return (exceptions & RemovedQuestionGrey) && removed &&
               ((background && diff.PageValue == lightGrey) ||
                (textColour && diff.PageValue == QStringLiteral("default")) ||
                (state && diff.PageValue == QStringLiteral("0")));
    }
    const bool greySource = cells[Page::RColSourceCode].BackColour == recon_colours::LightGrey;
    if ((exceptions & RemovedResponseGrey) && greySource &&
        cells[Page::RColState].Image == Page::ImageDeleted &&
        ((background && diff.Col >= Page::RColSourceState && diff.PageValue == lightGrey) ||
         (state && diff.PageValue == QStringLiteral("0"))))
        return true;
    return (exceptions & MergedResponseGrey) && greySource &&
           cells[Page::RColState].Image == Page::ImageMerged &&
           ((background && diff.PageValue == lightGrey) ||
            (textColour && diff.PageValue == QStringLiteral("default")) ||
            (state && diff.PageValue == QStringLiteral("0")));
}

// Whether the page row, which the fill does not have, is a row the page keeps on purpose: a
// campaign question without source side that another row of the page shows matched.
bool KeptRow(const SGridShot& page, int row, unsigned exceptions)
{
    if (!(exceptions & KeptQuestionRow) || !IsQuestionGrid(page))
        return false;
    const auto& cells = page.Cells[size_t(row)];
    if (cells[Page::QColSourceCode].Text != QStringLiteral("Not matched"))
        return false;
    for (int other = page.FixedRows; other < int(page.Cells.size()); ++other)
        if (other != row &&
            page.Cells[size_t(other)][Page::QColCode].Text == cells[Page::QColCode].Text &&
            page.Cells[size_t(other)][Page::QColSourceCode].Text != QStringLiteral("Not matched"))
            return true;
    return false;
}

// The differences between the two rows' cells and overview states.
void CompareRows(const SGridShot& page, int pageRow, const SGridShot& fresh, int freshRow,
                 std::vector<SCellDiff>& diffs)
{
    const auto& a = page.Cells[size_t(pageRow)];
    const auto& b = fresh.Cells[size_t(freshRow)];
    for (size_t col = 0; col < std::min(a.size(), b.size()); ++col) {
        const auto add = [&](const char* what, const QString& mine, const QString& theirs) {
            if (mine != theirs)
                diffs.push_back({pageRow, freshRow, int(col), QLatin1String(what), mine, theirs});
        };
        add("text", a[col].Text, b[col].Text);
        add("image", QString::number(a[col].Image), QString::number(b[col].Image));
        add("text colour", Colour(a[col].TextColour), Colour(b[col].TextColour));
        add("background", Colour(a[col].BackColour), Colour(b[col].BackColour));
        add("font", a[col].Font, b[col].Font);
        add("format", QString::number(a[col].Format, 16), QString::number(b[col].Format, 16));
    }
    const auto state = [](const SGridShot& shot, int row) {
        const int index = row - shot.FixedRows;
        return index >= 0 && index < int(shot.States.size())
                   ? QString::number(shot.States[size_t(index)])
                   : QStringLiteral("(none)");
    };
    if (pageRow >= page.FixedRows && state(page, pageRow) != state(fresh, freshRow))
        diffs.push_back({pageRow, freshRow, -1, QStringLiteral("overview state"),
                         state(page, pageRow), state(fresh, freshRow)});
}

// Every difference between the page's grid and the fresh fill's that no exception allows, one
// readable line each (grid, row, the row's items, column, what differs); empty when the grids
// look the same.
QStringList Differences(const SGridShot& page, const SGridShot& fresh, unsigned exceptions)
{
    const bool byIdentity =
        exceptions & (IsQuestionGrid(page) ? QuestionRowOrder : ResponseRowOrder);
    QStringList lines;
    const int pageRows = int(page.Cells.size());
    const int freshRows = int(fresh.Cells.size());

    // Pairs of rows: the headings by place; the data rows by place, or by their items.
    std::vector<std::pair<int, int>> pairs;
    for (int row = 0; row < std::min(page.FixedRows, fresh.FixedRows); ++row)
        pairs.emplace_back(row, row);
    int kept = 0;
    if (byIdentity) {
        std::vector<bool> taken(size_t(freshRows), false);
        for (int row = page.FixedRows; row < pageRows; ++row) {
            const QString identity = Identity(page, row);
            int match = -1;
            for (int other = fresh.FixedRows; other < freshRows && match < 0; ++other)
                if (!taken[size_t(other)] && Identity(fresh, other) == identity)
                    match = other;
            if (match >= 0) {
                taken[size_t(match)] = true;
                pairs.emplace_back(row, match);
            } else if (KeptRow(page, row, exceptions)) {
                ++kept;
            } else {
                lines << QStringLiteral("%1 row %2 (%3): only on the page")
                             .arg(page.Name)
                             .arg(row)
                             .arg(identity);
            }
        }
        for (int other = fresh.FixedRows; other < freshRows; ++other)
            if (!taken[size_t(other)])
                lines << QStringLiteral("%1 row %2 (%3): only in the fresh fill")
                             .arg(page.Name)
                             .arg(other)
                             .arg(Identity(fresh, other));
    } else {
        for (int row = page.FixedRows; row < std::min(pageRows, freshRows); ++row)
            pairs.emplace_back(row, row);
    }
    if (pageRows - kept != freshRows)
        lines << QStringLiteral(
                     "%1: %2 rows on the page (%3 kept on purpose), %4 in the fresh fill")
                     .arg(page.Name)
                     .arg(pageRows)
                     .arg(kept)
                     .arg(freshRows);
    if (int(page.States.size()) - kept != int(fresh.States.size()))
        lines << QStringLiteral("%1: %2 overview bands on the page, %3 in the fresh fill")
                     .arg(page.Name)
                     .arg(page.States.size())
                     .arg(fresh.States.size());

    // The row numbers by place: they count the rows whatever they hold.
    for (int row = page.FixedRows; row < std::min(pageRows, freshRows); ++row)
        if (page.Cells[size_t(row)][0].Text != fresh.Cells[size_t(row)][0].Text)
            lines << QStringLiteral(
                         "%1 row %2: number \"%3\" on the page, \"%4\" in the fresh fill")
                         .arg(page.Name)
                         .arg(row)
                         .arg(page.Cells[size_t(row)][0].Text, fresh.Cells[size_t(row)][0].Text);

    std::vector<SCellDiff> diffs;
    for (const auto& [pageRow, freshRow] : pairs)
        CompareRows(page, pageRow, fresh, freshRow, diffs);
    for (const SCellDiff& diff : diffs) {
        if ((diff.Col == 0 && diff.What == QStringLiteral("text") &&
             diff.PageRow >= page.FixedRows) ||
            (diff.PageRow >= page.FixedRows && Allowed(page, diff, exceptions)))
            continue;
        const QString where =
            diff.PageRow == diff.FreshRow
                ? QStringLiteral("row %1").arg(diff.PageRow)
                : QStringLiteral("row %1 (fresh row %2)").arg(diff.PageRow).arg(diff.FreshRow);
        const QString column =
            diff.Col < 0 ? QStringLiteral("bar") : QStringLiteral("column %1").arg(diff.Col);
        lines << QStringLiteral("%1 %2 (%3) %4 %5: page \"%6\", fresh fill \"%7\"")
                     .arg(page.Name, where,
                          diff.PageRow < page.FixedRows ? QStringLiteral("heading")
                                                        : Identity(page, diff.PageRow),
                          column, diff.What, diff.PageValue, diff.FreshValue);
    }
    return lines;
}

} // namespace

class PageFillEqualsUpdateTest;

// A command of the page, as the user gives it, and the documented exceptions (EException) that
// its in-place updates show; they hold after its Do, its Undo and its Redo alike. A case lists
// only the exceptions it needs.
struct SPageCommand
{
    const char* Name;
    std::function<void(PageFillEqualsUpdateTest&)> Run;
    unsigned Exceptions = 0;
    // Something the case needs beyond the fixture, made before the page is shown again.
    std::function<void(PageFillEqualsUpdateTest&)> Setup = {};
};

void PrintTo(const SPageCommand& command, std::ostream* out)
{
    *out << command.Name;
}

// The page of ResponsePageTestSupport.h (wave 2, volumes Online and Phone) with, besides:
//   - South's campaign caption "Southern" (a response difference, REGION's row bold on yellow);
//   - campaign question 19 EXTRA, closed, first appearing in Phone and matched nowhere, which
//     "Create New Campaign Question" on the source question EXTRA of Online takes;
//   - REGION's response 115 Middle first appearing in Phone, which "Create New Campaign
//     Response" on the source response Middle takes;
//   - a caption library whose group calls "Central" what its base caption calls "North";
//   - wave 3 with the one volume 4 "Panel" (AGE matched as in Online, REGION with all three of its
//     responses, BRAND matched to a source question of another caption), for "Validate Matches".
class PageFillEqualsUpdateTest : public CResponsePageTest,
                                 public ::testing::WithParamInterface<SPageCommand>
{
public:
    PageFillEqualsUpdateTest()
    {
        Campaign().GetModalityById(112)->SetShortCaption(kLanguage, QStringLiteral("Southern"));
        CQuestion* region = Campaign().GetQuestionById(11);
        AddQuestion(Campaign(), 19, 10, "EXTRA", "Extra", phone->GetVolumeId());
        AddResponse(Campaign(), *region, 115, "Middle")
            ->SetAppearanceVolumeId(phone->GetVolumeId());

        auto* group = new CResponseCaptionGroup(QStringLiteral("Places"));
        auto* library = new CResponseLibrary(QStringLiteral("Answers"));
        for (const char* text : {"North", "Central"}) {
            CResponseCaption* caption =
                group->AddCaption(std::make_unique<CResponseCaption>(QLatin1String(text), group));
            if (group->GetCaptionCount() == 1)
                group->SetBaseLabelId(caption->GetGuid());
            library->SetCaptionState(caption, 1);
        }
        library->AddGroup(group);
        QList<CResponseCaptionGroup*> groups{group};
        QList<CResponseLibrary*> libraries{library};
        SetCaptionLibraries(groups, libraries);

        CWave* autumn = view_test::AddWave(Campaign(), 3, QStringLiteral("Autumn"));
        CVolume* panel = view_test::AddVolume(Campaign(), *autumn, 4, QStringLiteral("Panel"),
                                              VOLUME_RECONCILED);
        panel->SetResponseMatchingMethods({2});
        AddSourceQuestion(*panel, 1, "AGE", "Age", 5);
        MatchQuestion(*panel, 10, 1);
        qnr::CQuestion* sourceRegion = AddSourceQuestion(*panel, 2, "REGION", "Region");
        AddSourceResponse(*sourceRegion, 1, "North", "n");
        AddSourceResponse(*sourceRegion, 2, "Southern", "s");
        MatchQuestion(*panel, 11, 2);
        MatchResponse(*panel, *region, 111, 1);
        MatchResponse(*panel, *region, 112, 2);
        panelVolume = panel;
        panelRegion = sourceRegion;
        AddSourceQuestion(*panel, 3, "BRAND", "Brand name");
        MatchQuestion(*panel, 12, 3);

        if (GetParam().Setup)
            GetParam().Setup(*this);
        Load();
        SelectRegion();
    }

    // The commands of the page that change the campaign, each as the user gives it.
    static std::vector<SPageCommand> Commands();

    // Panel's source question REGION, for the cases that give it more responses.
    CVolume* panelVolume = nullptr;
    qnr::CQuestion* panelRegion = nullptr;

    // Both grids of the page against those of a new page filled for the page's wave, with the
    // question row the page has selected selected there too.
    void ExpectSameAsFreshFill(const char* phase)
    {
        // What the user sees once the rows a command touched have faded to their colours.
        clock.Advance(kHighlightDuration + 500);
        page.OnFadeTimer();
        const SGridShot questions = ShootQuestions(page);
        const SGridShot responses = ShootResponses(page);
        const CCellID focus = page.GetQuestionGrid()->GetFocusCell();
        const bool selected = focus.row >= kFirst && focus.row < int(questions.Cells.size());

        // The fresh fill computes the wave's differences anew; the page's own record of them is
        // put back afterwards, as the page left it.
        CCampaignDiffsCache& cache = *app.GetDiffsCache();
        const int waveId = int(page.GetWaveId());
        CWaveDiffsEntry* entry = cache.GetWaveEntry(waveId, true);
        const CRowMultimap questionDiffs = entry->GetQuestionDiffs();
        const CRowMultimapStr responseDiffs = entry->GetModalityDiffs();
        const std::set<int> stale = entry->GetInvalidQuestions();
        const bool wholeWave = entry->IsWholeWaveInvalid();
        cache.ResetWaveEntry(waveId);

        SGridShot freshQuestions, freshResponses;
        QStringList lines;
        bool compareResponses = true;
        {
            Page fresh;
            fresh.resize(page.size());
            fresh.show();
            EXPECT_TRUE(fresh.LoadWave(waveId));
            freshQuestions = ShootQuestions(fresh);
            // The row of the same items as the page's selected row shows the same responses.
            int row = -1;
            const QString identity = selected ? Identity(questions, focus.row) : QString();
            for (int r = kFirst; selected && r < int(freshQuestions.Cells.size()) && row < 0; ++r)
                if (Identity(freshQuestions, r) == identity)
                    row = r;
            if (row >= 0)
                fresh.SelectQuestionRow(row, focus.col);
            else if (selected && KeptRow(questions, focus.row, GetParam().Exceptions))
                // A row the page keeps on purpose: no fill shows its responses.
                compareResponses = false;
            else if (selected)
                lines << QStringLiteral("the selected row %1 (%2) is not in the fresh fill")
                             .arg(focus.row)
                             .arg(identity);
            else
                fresh.FillResponses(-1, -1);
            freshResponses = ShootResponses(fresh);
        }

        entry = cache.ResetWaveEntry(waveId);
        entry->GetQuestionDiffs() = questionDiffs;
        entry->GetModalityDiffs() = responseDiffs;
        for (int questionId : stale)
            entry->InvalidateQuestion(questionId);
        entry->SetWholeWaveInvalid(wholeWave);

        const unsigned exceptions = GetParam().Exceptions;
        lines << Differences(questions, freshQuestions, exceptions);
        if (compareResponses)
            lines << Differences(responses, freshResponses, exceptions);
        EXPECT_TRUE(lines.isEmpty()) << GetParam().Name << ", after " << phase << ":\n  "
                                     << lines.join(QStringLiteral("\n  ")).toStdString();
    }

    // A command of a grid's context menu, on the question row of the shortcuts ("-" for none)
    // at the column, or on the response cell.
    void QuestionCommand(const QString& campaign, const QString& source, unsigned id,
                         int col = Page::QColShortcut)
    {
        SelectRow(Row(campaign, source), col);
        page.OnCommand(id);
    }
    void ResponseCommand(const CCellID& cell, unsigned id)
    {
        Focus(cell);
        page.OnCommand(id);
    }
    // The pick mode of the question grid started on the source row, completed on the target.
    void PickQuestion(const QString& fromCampaign, const QString& fromSource,
                      const QString& toCampaign, const QString& toSource)
    {
        QuestionCommand(fromCampaign, fromSource, ID_QUESTION_REMATCH, Page::QColSourceShortcut);
        const CPoint target =
            Centre(*page.GetQuestionGrid(), Row(toCampaign, toSource), Page::QColShortcut);
        QTest::mouseClick(page.GetQuestionGrid()->viewport(), Qt::LeftButton, {},
                          QPoint(target.x, target.y));
    }
    void DropQuestion(const QString& fromCampaign, const QString& fromSource,
                      const QString& toCampaign, const QString& toSource)
    {
        ASSERT_TRUE(DragQuestion(CCellID(Row(fromCampaign, fromSource), Page::QColSourceShortcut),
                                 CCellID(Row(toCampaign, toSource), Page::QColShortcut)));
    }
    // A fix of the Update dialog: BRAND takes its source's short caption, in the dialog's group.
    void FixBrandCaption(SFixAllDlgData& data)
    {
        CValue caption;
        caption.SetText(QStringLiteral("Brand name"));
        std::unique_ptr<CCmdVirtual> fix = std::make_unique<CCmdChangeQuestionShortCaption>(
            &Campaign(), Campaign().GetQuestionById(12), QUESTION_PROP_SHORT_CAPTION,
            CCaptionValue(caption, kLanguage));
        fix->SetGroupId(data.GroupId);
        ASSERT_TRUE(app.ExecuteCommand(fix, {}, nullptr, nullptr, true));
        data.CommandsRun = 1;
        data.QuestionDifferences.EraseKey({12, online->GetVolumeId()});
    }

    CManualClock clock;
    CScriptedViewDialogs dialogs;
};

std::vector<SPageCommand> PageFillEqualsUpdateTest::Commands()
{
    using T = PageFillEqualsUpdateTest;
    // The answers to the questions the command asks, in order.
    const auto answer = [](T& t, std::initializer_list<int> answers) {
        t.windows.QueueAnswers(answers);
    };
    return {
        // The question grid ---------------------------------------------------------------------
        // AGE stays matched in Phone: its Online row is kept without source side.
        {"BreakQuestionMatching",
         [](T& t) { t.QuestionCommand("AGE", "AGE", ID_QUESTION_BREAK_MATCHING); },
         QuestionRowOrder | KeptQuestionRow | BrokenSourceImage},
        {"BreakQuestionMatchingOfADifferenceRow",
         [](T& t) { t.QuestionCommand("BRAND", "BRAND", ID_QUESTION_BREAK_MATCHING); },
         QuestionRowOrder | BrokenSourceImage},
        {"RematchSourceQuestionByPick",
         [answer](T& t) {
             answer(t, {IDYES});
             t.PickQuestion("-", "NEWQ", "NUM", "-");
         },
         QuestionRowOrder | BrokenSourceImage},
        {"DropSourceQuestionOnUnmatchedQuestion",
         [answer](T& t) {
             answer(t, {IDYES});
             t.DropQuestion("-", "EXTRA", "SPARE", "-");
         },
         QuestionRowOrder | BrokenSourceImage},
        {"DropSourceQuestionOnMatchedQuestion",
         [answer](T& t) {
             answer(t, {IDYES});
             t.DropQuestion("-", "EXTRA", "REGION", "REGION");
         },
         QuestionRowOrder | BrokenSourceImage},
        // AGE's Online source question goes to NUM; AGE's row stays as above.
        {"DropMatchedSourceQuestionOnUnmatchedQuestion",
         [answer](T& t) {
             answer(t, {IDYES});
             t.DropQuestion("AGE", "AGE", "NUM", "-");
         },
         QuestionRowOrder | KeptQuestionRow},
        {"DropThenRemoveTheQuestionLeft",
         [answer](T& t) {
             // Yes to the drop, Yes to removing FRESH (it first appeared in this wave).
             answer(t, {IDYES, IDYES});
             t.DropQuestion("FRESH", "FRESH", "BRAND", "BRAND");
         },
         QuestionRowOrder | BrokenSourceImage | RemovedQuestionGrey},
        {"CreateNewCampaignQuestion",
         [](T& t) { t.QuestionCommand("-", "NEWQ", ID_QUESTION_CREATE, Page::QColSourceShortcut); },
         QuestionRowOrder | BrokenSourceImage},
        {"CreateCampaignQuestionReusingALaterOne",
         [](T& t) {
             t.QuestionCommand("-", "EXTRA", ID_QUESTION_CREATE, Page::QColSourceShortcut);
         }},
        {"RemoveUnmatchedCampaignQuestion",
         [answer](T& t) {
             answer(t, {IDYES});
             t.QuestionCommand("SPARE", "-", ID_QUESTION_REMOVE);
         },
         RemovedQuestionGrey},
        {"RemoveMatchedCampaignQuestion",
         [answer](T& t) {
             answer(t, {IDYES});
             t.QuestionCommand("BRAND", "BRAND", ID_QUESTION_REMOVE);
         },
         QuestionRowOrder | BrokenSourceImage | RemovedQuestionGrey},
        {"RemoveCampaignQuestionWithItsSubQuestions",
         [answer](T& t) {
             answer(t, {IDYES});
             t.QuestionCommand("LOOP", "LOOP", ID_QUESTION_REMOVE);
         },
         QuestionRowOrder | BrokenSourceImage | RemovedQuestionGrey},
        {"ReorderCampaignResponses",
         [](T& t) { t.QuestionCommand("REGION", "REGION", ID_QUESTION_REORDER_RESPONSES); }, 0,
         [](T& t) {
             // South before North, the reverse of the source's order.
             t.Campaign().GetModalityById(111)->SetModalityOrder(2);
             t.Campaign().GetModalityById(112)->SetModalityOrder(1);
         }},
        {"AcceptQuestionDifference",
         [](T& t) {
             t.dialogs.QueueResults({IDOK});
             t.dialogs.DiffsAnswer = {QStringLiteral("Brand name")};
             t.QuestionCommand("BRAND", "BRAND", ID_QUESTION_VIEW_DIFFERENCES);
         }},
        {"NewCampaignQuestionFromTheDifferences",
         [](T& t) {
             t.dialogs.QueueResults({ID_DIFFS_NEW_ITEM});
             t.QuestionCommand("BRAND", "BRAND", ID_QUESTION_VIEW_DIFFERENCES);
         }},
        {"UpdateAllCampaignQuestions",
         [](T& t) {
             t.dialogs.QueueResults({IDOK});
             t.dialogs.FixAllEdit = [&t](SFixAllDlgData& data) { t.FixBrandCaption(data); };
             t.page.OnCommand(ID_UPDATE_ALL_QUESTIONS);
         }},

        // The response grid (REGION's responses) ----------------------------------------------
        {"BreakResponseMatching",
         [](T& t) {
             t.ResponseCommand(t.CampaignCell("North", "North"), ID_RESPONSE_BREAK_MATCHING);
         },
         ResponseRowOrder},
        {"BreakResponseMatchingOfADifferenceRow",
         [](T& t) {
             t.ResponseCommand(t.CampaignCell("Southern", "South"), ID_RESPONSE_BREAK_MATCHING);
         },
         ResponseRowOrder},
        {"RematchSourceResponseByPick",
         [answer](T& t) {
             answer(t, {IDYES});
             t.ResponseCommand(t.SourceCell("-", "East"), ID_RESPONSE_REMATCH);
             t.Click(t.CampaignCell("West", "-"));
         },
         ResponseRowOrder},
        {"DropSourceResponseOnMatchedResponse",
         [answer](T& t) {
             answer(t, {IDYES});
             ASSERT_TRUE(
                 t.Drag(t.SourceCell("North", "North"), t.CampaignCell("Southern", "South")));
         },
         ResponseRowOrder},
        {"CreateNewCampaignResponse",
         [](T& t) { t.ResponseCommand(t.SourceCell("-", "East"), ID_RESPONSE_CREATE); }},
        {"CreateCampaignResponseReusingALaterOne",
         [](T& t) { t.ResponseCommand(t.SourceCell("-", "Middle"), ID_RESPONSE_CREATE); },
         ResponseRowOrder},
        {"RemoveMatchedCampaignResponse",
         [](T& t) { t.ResponseCommand(t.CampaignCell("North", "North"), ID_RESPONSE_REMOVE); },
         ResponseRowOrder | RemovedResponseGrey},
        {"RemoveUnmatchedCampaignResponse",
         [](T& t) { t.ResponseCommand(t.CampaignCell("West", "-"), ID_RESPONSE_REMOVE); },
         RemovedResponseGrey},
        {"MergeCampaignResponseByPick",
         [answer](T& t) {
             answer(t, {IDYES});
             t.ResponseCommand(t.CampaignCell("West", "-"), ID_RESPONSE_MERGE);
             t.Click(t.CampaignCell("North", "North"));
         },
         MergedResponseGrey},
        {"MergeMatchedCampaignResponseByPick",
         [answer](T& t) {
             answer(t, {IDYES});
             t.ResponseCommand(t.CampaignCell("North", "North"), ID_RESPONSE_MERGE);
             t.Click(t.CampaignCell("Central", "-"));
         },
         ResponseRowOrder | MergedResponseGrey},
        {"DropCampaignResponseAsDuplicate",
         [answer](T& t) {
             // Yes to the removal, No to the caption library.
             answer(t, {IDYES, IDNO});
             ASSERT_TRUE(t.Drag(t.CampaignCell("West", "-"), t.CampaignCell("North", "North")));
         },
         RemovedResponseGrey},
        {"DropMatchedCampaignResponseAsDuplicate",
         [answer](T& t) {
             answer(t, {IDYES, IDNO});
             ASSERT_TRUE(
                 t.Drag(t.CampaignCell("Southern", "South"), t.CampaignCell("Central", "-")));
         },
         RemovedResponseGrey},
        {"MoveResponseUp",
         [](T& t) { t.ResponseCommand(t.CampaignCell("Southern", "South"), ID_RESPONSE_MOVE_UP); }},
        {"MoveResponseDown",
         [](T& t) {
             t.ResponseCommand(t.CampaignCell("Southern", "South"), ID_RESPONSE_MOVE_DOWN);
         }},
        {"AcceptResponseDifference",
         [](T& t) {
             t.dialogs.QueueResults({IDOK});
             t.dialogs.DiffsAnswer = {QStringLiteral("South")};
             t.ResponseCommand(t.CampaignCell("Southern", "South"), ID_RESPONSE_VIEW_DIFFERENCES);
         }},
        {"NewCampaignResponseFromTheDifferences",
         [](T& t) {
             t.dialogs.QueueResults({ID_DIFFS_NEW_ITEM});
             t.ResponseCommand(t.CampaignCell("Southern", "South"), ID_RESPONSE_VIEW_DIFFERENCES);
         }},

        // The page's commands of the main menu ------------------------------------------------
        {"ApplyCaptionLibraries",
         [](T& t) {
             t.dialogs.QueueResults({IDOK});
             t.page.OnCommand(ID_APPLY_CAPTION_LIBRARIES);
         }},
        {"ValidateMatches",
         [](T& t) {
             ASSERT_TRUE(t.page.LoadWave(3));
             t.page.OnCommand(ID_VALIDATE_MATCHES);
         },
         0,
         // Every other response of REGION in Panel too, so that REGION has no differences there
         // and Validate Matches makes its matchings again (it leaves questions without
         // responses, such as AGE, alone).
         [](T& t) {
             CQuestion& region = *t.Campaign().GetQuestionById(11);
             const std::pair<int, const char*> more[] = {{113, "West"}, {114, "Central"},
                                                         {115, "Middle"}};
             int code = 3;
             for (const auto& [responseId, caption] : more) {
                 AddSourceResponse(*t.panelRegion, code, caption, "x");
                 MatchResponse(*t.panelVolume, region, responseId, code);
                 ++code;
             }
         }},
    };
}

TEST_P(PageFillEqualsUpdateTest, BothGridsShowWhatAFreshFillShowsAfterDoUndoAndRedo)
{
    CommandHistory& history = app.GetCommandHistory();
    GetParam().Run(*this);
    // The command ran: the case would test nothing otherwise.
    ASSERT_GT(history.GetUndoCount(), 0) << windows.Prompts.join(u'\n').toStdString();
    ExpectSameAsFreshFill("Do");
    ASSERT_TRUE(app.Undo());
    ExpectSameAsFreshFill("Undo");
    ASSERT_TRUE(app.Redo());
    ExpectSameAsFreshFill("Redo");
}

INSTANTIATE_TEST_SUITE_P(PageCommands, PageFillEqualsUpdateTest,
                         ::testing::ValuesIn(PageFillEqualsUpdateTest::Commands()),
                         [](const ::testing::TestParamInfo<SPageCommand>& info) {
                             return std::string(info.param.Name);
                         });
