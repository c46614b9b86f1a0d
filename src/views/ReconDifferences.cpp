#include "views/ReconDifferences.h"

#include "model/Modality.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "platform/AppServices.h"
#include "questionnaire/Question.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/DiffsOptions.h"
#include "reconcile/PropertyTexts.h"

using namespace pelko_wave;

CPairDifferences::CPairDifferences(int waveId, CWaveDiffsEntry& entry)
    : m_waveId(waveId), m_entry(entry)
{
    const IWaveApp* app = GetWaveApp();
    m_comparesResponseCount = app && !app->IsQuestionDiffKindHidden(kQuestionResponseCountId) &&
                              app->GetQuestionDiffsOptions().IsEnabled(kQuestionResponseCountId);
}

void CPairDifferences::ErasePair(const CQuestion& question, int volumeId)
{
    m_entry.GetQuestionDiffs().EraseKey({question.GetQuestionId(), volumeId});
    for (const CModality* response : question.GetModalities())
        m_entry.GetModalityDiffs().EraseKey(response->GetModalityId());
}

bool CPairDifferences::RecordQuestionDifferences(const CVolume& volume, const CQuestion& question,
                                                 const qnr::CQuestion& source)
{
    return CacheQuestionDifferences(m_comparer, question, source, volume.GetVolumeId(),
                                    m_entry.GetQuestionDiffs());
}

bool CPairDifferences::RecordResponseDifferences(
    const CVolume& volume, const CQuestion& question, const qnr::CQuestion& source,
    const std::function<void(const QString& code)>& missing)
{
    const int volumeId = volume.GetVolumeId();
    const CRowMultimap::CKey pair(question.GetQuestionId(), volumeId);
    bool recorded = false;
    for (const CModality* response : question.GetModalities()) {
        const CModalityMatching* matching =
            volume.FindModalityMatchingInherited(response->GetModalityId(), volumeId);
        if (!matching)
            continue;
        const QString& code = matching->GetModalitySourceId();
        const qnr::CModalite* sourceResponse = source.FindModaliteById(code.toInt());
        if (!sourceResponse) {
            if (missing)
                missing(code);
            continue;
        }
        if (CacheModalityDifferences(m_comparer, *response, *sourceResponse,
                                     m_entry.GetModalityDiffs())) {
            m_entry.GetQuestionDiffs().Insert(pair, kQuestionResponsesId, CDiffInfoPtr());
            recorded = true;
        }
    }
    if (m_comparesResponseCount && !HasSameResponseCount(m_waveId, volumeId, question, source)) {
        m_entry.GetQuestionDiffs().Insert(pair, kQuestionResponseCountId, CDiffInfoPtr());
        recorded = true;
    }
    return recorded;
}

void SyncResponseDiffMarkers(CWaveDiffsEntry& entry, const CQuestion& question, int volumeId)
{
    int differing = 0;
    for (const CModality* response : question.GetModalities())
        differing += entry.GetModalityDiffs().Count(response->GetModalityId()) > 0 ? 1 : 0;
    CRowMultimap& store = entry.GetQuestionDiffs();
    const CRowMultimap::CKey pair(question.GetQuestionId(), volumeId);
    while (store.CountKeyRow(pair, kQuestionResponsesId) < differing)
        store.Insert(pair, kQuestionResponsesId, CDiffInfoPtr());
    while (store.CountKeyRow(pair, kQuestionResponsesId) > differing)
        store.EraseKeyRow(pair, kQuestionResponsesId);
}
