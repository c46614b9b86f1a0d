#pragma once

// The campaign of BM_ReconcileWave once its wave 2 (3 volumes of 2,000 questions with 10
// responses each) is reconciled, with every difference kind the options can offer switched on:
// what the benchmarks of the differences of a wave work on. Header-only: include it from a
// benchmark that links the engine's test study generator.

#include "GeneratedStudy.h"
#include "support/DiffsTestWaveApp.h"

#include "model/Campaign.h"
#include "platform/ConsoleWindowServices.h"
#include "reconcile/WaveReconciliation.h"

#include <QtGlobal>

namespace reconciled_study {

constexpr int kWave = 2;

class CReconciledStudy
{
public:
    CReconciledStudy()
    {
        CConsoleWindowServices windows([](const QString&) {});
        SetWindowServices(&windows);
        BuildGeneratedStudy(m_app, GetReconcileWaveBenchmarkShape());
        pelko_wave::ReconcileResultsMap results;
        QString report;
        if (!pelko_wave::ReconcileWave(kWave, results, report, {}))
            qFatal("the reconciliation failed");
        SetWindowServices(nullptr);
        for (const int kind : GetStoredModalityDiffKinds())
            m_app.ModalityDiffs.SetEnabled(kind, true);
    }
    pelko_wave::CCampaign& Campaign() { return *m_app.Campaign; }

private:
    CDiffsTestWaveApp m_app;
};

// The study, made on first use and installed as the application for the process's lifetime.
inline CReconciledStudy& Study()
{
    static CReconciledStudy study;
    return study;
}

} // namespace reconciled_study
