#pragma once

#include "QuestionPageTestSupport.h"

#include "commands/CommandHistory.h"
#include "commands/MatchingCallBackInfo.h"
#include "commands/MetaCmd.h"
#include "commands/PropertyCallBackInfo.h"
#include "commands/QuestionCallBackInfo.h"
#include "model/Modality.h"
#include "questionnaire/Modalite.h"
#include "support/views/GridDrag.h"
#include "views/OverviewBar.h"
#include "views/WaveGridCtrl.h"

#include <QTest>

// The response commands of the reconciliation page, on the page of QuestionPageTestSupport.h
// with the responses of REGION shown (Online):
//   North/North (111, source 1), South/South (112, source 2), West/- (113), Central/- (114),
//   -/East (source 3), -/Middle (source 4).
class CResponsePageTest : public CQuestionPageTest
{
protected:
    CResponsePageTest() { SelectRegion(); }

    void SelectRegion() { SelectRow(Row("REGION", "REGION")); }
    CommandHistory& History() { return app.GetCommandHistory(); }
    CWaveGridCtrl& Responses() { return *page.GetResponseGrid(); }

    // A cell of the response row of the captions ("-" for none): the campaign caption or the
    // source caption column.
    CCellID CampaignCell(const QString& campaign, const QString& source) const
    {
        return CCellID(ResponseRow(campaign, source), CRightReconciliationPage::RColCaption);
    }
    CCellID SourceCell(const QString& campaign, const QString& source) const
    {
        return CCellID(ResponseRow(campaign, source), CRightReconciliationPage::RColSourceCaption);
    }
    // Makes the cell the response grid's focus cell, as a click or a right click does.
    void Focus(const CCellID& cell) { page.SelectResponseRow(cell.row, cell.col); }
    // A left click on the cell of the response grid.
    void Click(const CCellID& cell)
    {
        const CPoint point = Centre(Responses(), cell.row, cell.col);
        QTest::mouseClick(Responses().viewport(), Qt::LeftButton, {}, QPoint(point.x, point.y));
    }
    bool Drag(const CCellID& from, const CCellID& to) { return DragCell(Responses(), from, to); }

    // The rows of REGION as the fixture shows them.
    static QStringList RegionRows()
    {
        return {"North/North", "South/South", "West/-", "Central/-", "-/East", "-/Middle"};
    }
    // The row numbers of the response grid, and its overview bar's states, joined by ",".
    QString ResponseNumbers() const
    {
        QStringList numbers;
        for (int row = kFirst; row < page.GetResponseGrid()->GetRowCount(); ++row)
            numbers << RText(row, 0);
        return numbers.join(u',');
    }
    QString ResponseStates() const
    {
        QStringList states;
        for (int i = 0; i < page.GetResponseBar()->GetItemCount(); ++i)
            states << QString::number(page.GetResponseBar()->GetItemState(i));
        return states.join(u',');
    }

    // The steps of the step on top of the history: of a composite each sub-command, else the
    // command itself, as "Break North/North", "Create West/East", "DeepBreak South/South",
    // "Change West True", "Merge West into North", "New", "DeepRematch".
    QStringList TopSteps()
    {
        QStringList steps;
        const CCmdVirtual* top = History().GetUndoTopCommand();
        const auto* composite = dynamic_cast<const CMetaCmd*>(top);
        if (!composite)
            return top ? QStringList(Describe(*top)) : steps;
        for (int i = 0; i < composite->GetCmdCount(); ++i)
            steps << Describe(*composite->GetCmd(i));
        return steps;
    }

    static QString Caption(const pelko_wave::CModality* response)
    {
        return response ? response->GetShortCaption(recon_test::kLanguage) : QStringLiteral("?");
    }
    static QString Describe(const CCmdVirtual& command)
    {
        const std::unique_ptr<CCallBackInfo> record = command.CreateCallBackInfo();
        const CCallBackInfo* info = record.get();
        const auto pair = [](const char* what, const pelko_wave::CModality* response,
                             const qnr::CModalite* source) {
            return QStringLiteral("%1 %2/%3")
                .arg(QLatin1String(what), Caption(response),
                     source ? source->GetShortCaption() : QStringLiteral("?"));
        };
        if (const auto* made = dynamic_cast<const CCallBackInfoCreateModMatching*>(info))
            return pair("Create", made->Modality, made->SourceModality);
        if (const auto* broken = dynamic_cast<const CCallBackInfoBreakModMatching*>(info))
            return pair("Break", broken->Modality, broken->SourceModality);
        if (const auto* deep = dynamic_cast<const CCallBackInfoDeepBreakModMatching*>(info))
            return pair("DeepBreak", deep->Modality, deep->SourceModality);
        if (const auto* changed = dynamic_cast<const CCallBackInfoChangeModality*>(info))
            return QStringLiteral("Change %1 %2")
                .arg(Caption(changed->Object), changed->NewValue.GetText());
        if (const auto* merged = dynamic_cast<const CCallBackInfoMergeModalities*>(info))
            return QStringLiteral("Merge %1 into %2")
                .arg(Caption(merged->Child), Caption(merged->Master));
        if (dynamic_cast<const CCallBackInfoNewModality*>(info))
            return QStringLiteral("New");
        if (dynamic_cast<const CCallBackInfoDeepRematchModality*>(info))
            return QStringLiteral("DeepRematch");
        return QStringLiteral("other");
    }
};
