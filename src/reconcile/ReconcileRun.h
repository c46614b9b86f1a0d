#pragma once

#include "reconcile/TextScanIndex.h"

#include <QString>

// The state of one wave reconciliation that its steps share: where the report goes, whether
// lines are written, the command-line switches that may stop the run, the progress window and
// the record of what the run did to the volume being processed.

class CWaveCmdLineInfo;
class IProgressWindow;

namespace pelko_wave {

class CCampaign;
class CWave;
struct SReconcileResults;

// Thrown by a step that must stop the run (a questionnaire that cannot be read, a command-line
// rule); the wave driver catches it, and only it, and ends the run with FALSE. It never leaves
// the engine. It is no std::exception, so that no handler of real faults takes it for one.
class CReconcileStop
{
public:
    explicit CReconcileStop(const QString& reason) : m_reason(reason) {}
    const QString& GetReason() const { return m_reason; }

private:
    QString m_reason;
};

struct SReconcileRun
{
    CCampaign* Campaign = nullptr;
    CWave* Wave = nullptr;
    // The whole report being built (without its footer), and where its lines start, after the
    // head.
    QString* Report = nullptr;
    qsizetype LinesStart = 0;
    // Whether report lines are written.
    bool ReportFlag = false;
    // The command-line batch run: no progress window, and the switches below decide whether a
    // new item, an unmatched item or a broken inherited matching stops the run.
    bool CommandLine = false;
    const CWaveCmdLineInfo* Switches = nullptr;
    bool UseCaptionLibraries = false;
    bool KeepSourceCodes = false;
    TextScanMode TextScan = TextScanMode::Indexed;
    // The progress window of an interactive run (borrowed); null otherwise.
    IProgressWindow* Progress = nullptr;
    // Progress units for each question whose responses are matched.
    int PerItemStep = 0;
    // What the run did to the volume being processed (borrowed).
    SReconcileResults* Results = nullptr;

    // Advances the progress window, when there is one, and keeps the interface alive.
    void Advance(int steps) const;

    // The command-line switches (all clear outside a batch run).
    bool AllowNewQuestions() const;
    bool AllowNewResponses() const;
    bool IgnoreUnmatchedQuestions() const;
    bool IgnoreUnmatchedResponses() const;
    bool BreakQuestionMatchings() const;
    bool BreakResponseMatchings() const;

    // Puts the text before the report's lines in a red paragraph (when lines are written) and
    // stops the run.
    [[noreturn]] void Fail(const QString& text) const;
    [[noreturn]] void Fail(unsigned stringId) const;
};

} // namespace pelko_wave
