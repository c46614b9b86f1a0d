#include "reconcile/ReconcileRun.h"

#include "model/MessagePump.h"
#include "platform/WaveCmdLineInfo.h"
#include "platform/WindowServices.h"
#include "reconcile/ReconciliationReport.h"
#include "res/StringTable.h"

namespace pelko_wave {

void SReconcileRun::Advance(int steps) const
{
    if (!Progress)
        return;
    Progress->OffsetPos(steps);
    PumpMessages();
}

bool SReconcileRun::AllowNewQuestions() const
{
    return Switches && Switches->GetAllowNewQuestions();
}

bool SReconcileRun::AllowNewResponses() const
{
    return Switches && Switches->GetAllowNewResponses();
}

bool SReconcileRun::IgnoreUnmatchedQuestions() const
{
    return Switches && Switches->GetIgnoreUnmatchedQuestions();
}

bool SReconcileRun::IgnoreUnmatchedResponses() const
{
    return Switches && Switches->GetIgnoreUnmatchedResponses();
}

bool SReconcileRun::BreakQuestionMatchings() const
{
    return Switches && Switches->GetBreakQuestionMatchings();
}

bool SReconcileRun::BreakResponseMatchings() const
{
    return Switches && Switches->GetBreakResponseMatchings();
}

void SReconcileRun::Fail(const QString& text) const
{
    if (ReportFlag && Report)
        Report->insert(LinesStart, MakeReportLine(ReportClass::Failure, text));
    throw CReconcileStop(text);
}

void SReconcileRun::Fail(unsigned stringId) const
{
    Fail(LoadString(stringId));
}

} // namespace pelko_wave
