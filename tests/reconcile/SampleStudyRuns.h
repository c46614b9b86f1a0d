#pragma once

#include "reconcile/ReconcileResults.h"

#include <QList>

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// The sample study of samples/ reconciled wave by wave at engine level, and the texts the
// fixture compares: a short summary of what a run did to each volume, and the report with the
// lines that change from run to run (the date, the process's command line) masked.

class CWaveApp;

namespace pelko_wave {
class CCampaign;
}

namespace sample_study {

// A volume of the sample study: the file (under samples/), the format, the parent (-1: a root)
// and the matching options.
struct SSampleVolume
{
    QString File;
    int SourceType = 0;
    int ParentId = -1;
    QList<quint32> QuestionMethods{1, 2, 3};
    QList<quint32> ResponseMethods{2, 1};
    bool Strict = false;
    bool CaseSensitive = false;
    bool ParentValues = false;
};

// Adds a wave (named "W<id>") holding one volume per description, ids from firstVolumeId up.
void AddSampleWave(pelko_wave::CCampaign& campaign, int waveId, int firstVolumeId,
                   const QList<SSampleVolume>& volumes);

// A response caption library "Incomes" of one group: the income bands "Under 20,000" (the base)
// and "Under 30,000" of wave 3, given to the application.
void AddIncomeCaptionLibrary(CWaveApp& app);

// The result of one wave reconciliation.
struct SRun
{
    bool Result = false;
    QString Report;
    pelko_wave::ReconcileResultsMap Results;
    // "campaign language/questionnaire language" chosen for the last volume.
    QString Languages;
};
SRun ReconcileSampleWave(int waveId, bool interactive, bool useCaptionLibraries = false);

// What the run did to the volume, one short line per kind:
//   languages: the chosen campaign/questionnaire languages (of the wave's last volume)
//   questions: per method, the number of matchings it made ("shortcut 3")
//   responses: the same summed over the volume's questions
//   broken: the source codes of the broken inherited question matchings, and of the broken
//           response matchings by question shortcut
//   unmatched: the campaign questions left unmatched (shortcut and id)
//   new questions: shortcut, id and order of each question created
//   new responses: question shortcut, response caption, id and order of each response created
QString SummariseVolume(const SRun& run, int volumeId);

// The report with the run date and the command line masked.
QString MaskReport(const QString& report);
// Compares the masked report with the golden file under tests/reconcile/data (rewritten when
// the environment variable PLIM_UPDATE_GOLDENS is set).
::testing::AssertionResult MatchesGolden(const QString& report, const QString& goldenName);

} // namespace sample_study
