#include "QuestionPageTestSupport.h"

#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Question.h"
#include "reconcile/DiffsCache.h"
#include "support/views/GridDrag.h"
#include "views/OverviewBar.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;
using namespace recon_test;
using Page = CRightReconciliationPage;

CQuestionPageTest::CQuestionPageTest()
{
    CWave* first = view_test::AddWave(Campaign(), 1, QStringLiteral("Spring"));
    view_test::AddVolume(Campaign(), *first, 1, QStringLiteral("First"), VOLUME_RECONCILED);
    CWave* second = view_test::AddWave(Campaign(), 2, QStringLiteral("Summer"));
    online =
        view_test::AddVolume(Campaign(), *second, 2, QStringLiteral("Online"), VOLUME_RECONCILED);
    phone =
        view_test::AddVolume(Campaign(), *second, 3, QStringLiteral("Phone"), VOLUME_RECONCILED);

    AddQuestion(Campaign(), 10, 1, "AGE", "Age", 1, 5);
    AddSourceQuestion(*online, 1, "AGE", "Age", 5);
    AddSourceQuestion(*phone, 1, "AGE", "Age", 5);
    MatchQuestion(*online, 10, 1);
    MatchQuestion(*phone, 10, 1);

    CQuestion* region = AddQuestion(Campaign(), 11, 2, "REGION", "Region", 1);
    AddResponse(Campaign(), *region, 111, "North", "n");
    AddResponse(Campaign(), *region, 112, "South", "s");
    AddResponse(Campaign(), *region, 113, "West", "w");
    AddResponse(Campaign(), *region, 114, "Central", "c");
    qnr::CQuestion* sourceRegion = AddSourceQuestion(*online, 2, "REGION", "Region");
    AddSourceResponse(*sourceRegion, 1, "North", "n");
    AddSourceResponse(*sourceRegion, 2, "South", "s");
    AddSourceResponse(*sourceRegion, 3, "East", "e");
    AddSourceResponse(*sourceRegion, 4, "Middle", "m");
    MatchQuestion(*online, 11, 2);
    MatchResponse(*online, *region, 111, 1);
    MatchResponse(*online, *region, 112, 2);

    CQuestion* brand = AddQuestion(Campaign(), 12, 3, "BRAND", "Brand", 1);
    AddResponse(Campaign(), *brand, 121, "A");
    qnr::CQuestion* sourceBrand = AddSourceQuestion(*online, 3, "BRAND", "Brand name");
    AddSourceResponse(*sourceBrand, 1, "A");
    MatchQuestion(*online, 12, 3);
    MatchResponse(*online, *brand, 121, 1);

    AddQuestion(Campaign(), 13, 4, "SPARE", "Spare", 1);
    AddQuestion(Campaign(), 14, 5, "FRESH", "Fresh", 2);
    AddSourceQuestion(*online, 5, "FRESH", "Fresh");
    MatchQuestion(*online, 14, 5);
    AddQuestion(Campaign(), 15, 6, "OLD", "Old", 1)->SetDeletionWaveId(2);
    AddQuestion(Campaign(), 16, 7, "NUM", "Number", 1, 5);
    AddQuestion(Campaign(), 17, 8, "LOOP", "Loop", 1, 1, 2);
    AddQuestion(Campaign(), 18, 9, "INLOOP", "In the loop", 1, 5)->SetIndent(2);
    AddSourceQuestion(*phone, 6, "LOOP", "Loop", 1, 2);
    AddSourceQuestion(*phone, 7, "INLOOP", "In the loop", 5);
    MatchQuestion(*phone, 17, 6);
    MatchQuestion(*phone, 18, 7);

    extra = AddSourceQuestion(*online, 4, "EXTRA", "Extra");
    AddSourceQuestion(*phone, 9, "NEWQ", "New question", 5);
    Load();
}

void CQuestionPageTest::Load()
{
    // The campaign may have changed: the differences are recorded anew.
    app.GetDiffsCache()->InvalidateWave(0);
    page.LoadWave(2);
}

QStringList CQuestionPageTest::Rows() const
{
    QStringList rows;
    const auto shown = [](const QString& text) {
        return text == QStringLiteral("Not matched") ? QStringLiteral("-") : text;
    };
    for (int row = kFirst; row < page.GetQuestionGrid()->GetRowCount(); ++row)
        rows << QStringLiteral("%1/%2/%3")
                    .arg(shown(QText(row, Page::QColShortcut)),
                         shown(QText(row, Page::QColSourceShortcut)),
                         shown(QText(row, Page::QColVolume)));
    return rows;
}

int CQuestionPageTest::Row(const QString& campaign, const QString& source) const
{
    const QStringList rows = Rows();
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].startsWith(campaign + u'/' + source + u'/'))
            return kFirst + i;
    return -1;
}

QStringList CQuestionPageTest::ResponseRows() const
{
    QStringList rows;
    const auto shown = [](const QString& text) {
        return text == QStringLiteral("Not matched") ? QStringLiteral("-") : text;
    };
    for (int row = kFirst; row < page.GetResponseGrid()->GetRowCount(); ++row)
        rows << shown(RText(row, Page::RColCaption)) + u'/' +
                    shown(RText(row, Page::RColSourceCaption));
    return rows;
}

int CQuestionPageTest::ResponseRow(const QString& campaign, const QString& source) const
{
    const int index = ResponseRows().indexOf(campaign + u'/' + source);
    return index < 0 ? -1 : kFirst + index;
}

void CQuestionPageTest::SelectRow(int row, int col)
{
    page.SelectQuestionRow(row, col);
}

QString CQuestionPageTest::QuestionNumbers() const
{
    QStringList numbers;
    for (int row = kFirst; row < page.GetQuestionGrid()->GetRowCount(); ++row)
        numbers << QText(row, 0);
    return numbers.join(u',');
}

QString CQuestionPageTest::QuestionStates() const
{
    QStringList states;
    for (int i = 0; i < page.GetQuestionBar()->GetItemCount(); ++i)
        states << QString::number(page.GetQuestionBar()->GetItemState(i));
    return states.join(u',');
}

CPoint CQuestionPageTest::Centre(const CWaveGridCtrl& grid, int row, int col)
{
    return CellCentre(grid, row, col);
}

bool CQuestionPageTest::DragQuestion(const CCellID& from, const CCellID& to)
{
    return DragCell(*page.GetQuestionGrid(), from, to);
}

QString CQuestionPageTest::Dump() const
{
    // Without the engine's look-up records: a matching's run leaves its scratch record of the
    // question's responses behind, which every run makes anew.
    return DumpCampaign(*app.GetCampaign(), DUMP_COUNTERS);
}
