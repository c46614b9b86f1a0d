// The reconciliation page's differences: what it records of each matched pair into the wave's
// entry of the application's difference cache, and what it reads back.

#include "views/RightReconciliationPage.h"

#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/ReconDifferences.h"

using namespace pelko_wave;

CWaveDiffsEntry* CRightReconciliationPage::GetWaveDiffsEntry() const
{
    const IWaveApp* app = GetWaveApp();
    CCampaignDiffsCache* cache = app ? app->GetDiffsCache() : nullptr;
    return cache ? cache->GetWaveEntry(int(m_waveId), false) : nullptr;
}

void CRightReconciliationPage::InvalidateQuestionPair(const CQuestion& question,
                                                      const CVolume& volume)
{
    if (CWaveDiffsEntry* entry = GetWaveDiffsEntry())
        CPairDifferences(int(m_waveId), *entry).ErasePair(question, volume.GetVolumeId());
}

std::function<void(const QString&)>
CRightReconciliationPage::MissingResponseReport(const CVolume& volume)
{
    const QString name = volume.GetName();
    return [name](const QString& code) {
        GetWindowServices().MessageBox(
            FormatString(LoadString(IDS_SOURCE_RESPONSE_MISSING), {name, code}),
            MB_OK | MB_ICONWARNING);
    };
}

void CRightReconciliationPage::CollectQuestionDiffKinds(int questionId, int volumeId,
                                                        CDiffList& kinds) const
{
    if (const CWaveDiffsEntry* entry = GetWaveDiffsEntry())
        GetCachedQuestionDifferenceKinds(entry->GetQuestionDiffs(), questionId, volumeId, kinds);
}

void CRightReconciliationPage::CollectResponseDiffKinds(int responseId, CDiffList& kinds) const
{
    if (const CWaveDiffsEntry* entry = GetWaveDiffsEntry())
        GetCachedModalityDifferenceKinds(entry->GetModalityDiffs(), responseId, kinds);
}

void CRightReconciliationPage::SyncResponseDiffMarkers(const CQuestion& question,
                                                       const CVolume& volume)
{
    if (CWaveDiffsEntry* entry = GetWaveDiffsEntry())
        ::SyncResponseDiffMarkers(*entry, question, volume.GetVolumeId());
}

void CRightReconciliationPage::RegisterDifferenceCommands()
{
    // "Update all campaign questions" has work while the wave has question differences.
    AddCommand(
        ID_UPDATE_ALL_QUESTIONS, [this] { RunUpdate(); },
        [this](CCmdUI& ui) {
            const CWaveDiffsEntry* entry = GetWaveDiffsEntry();
            ui.Enable(entry && entry->GetQuestionDiffs().Size() > 0);
        });
}
