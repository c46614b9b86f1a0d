#include "model/Campaign.h"
#include "model/ItemOrders.h"

#include <QSet>

namespace pelko_wave {

namespace {

// The end that older versions gave a matching they meant to drop.
constexpr int kDeadEnd = -1;

// Before 5.1.6.15 the link question of a wave's later volumes was kept negated while the wave's
// first volume was unreconciled; the first volume has no link question of its own.
void SettleLinkQuestions(CWave& wave)
{
    if (wave.GetVolumeCount() == 0)
        return;
    CVolume& first = *wave.GetVolume(0);
    first.SetMainVolumeLinkQuestionId(0);
    const bool firstReconciled = first.GetStatus() == VOLUME_RECONCILED;
    for (int v = 1; v < wave.GetVolumeCount(); ++v) {
        CVolume& volume = *wave.GetVolume(v);
        const int link = volume.GetMainVolumeLinkQuestionId();
        if (link == -1)
            volume.SetMainVolumeLinkQuestionId(0);
        else if (!firstReconciled)
            volume.SetMainVolumeLinkQuestionId(-link);
    }
}

void DeleteDeadMatchings(CVolume& volume)
{
    for (int i = volume.GetModalityMatchingCount() - 1; i >= 0; --i) {
        const CModalityMatching* matching = volume.GetModalityMatching(i);
        if (matching->GetEndVolumeId() == kDeadEnd)
            volume.RemoveModalityMatching(matching);
    }
    for (int i = volume.GetQuestionMatchingCount() - 1; i >= 0; --i) {
        const CQuestionMatching* matching = volume.GetQuestionMatching(i);
        if (matching->GetEndVolumeId() == kDeadEnd)
            volume.RemoveQuestionMatching(matching);
    }
}

// A response matching valid for the volume ends no later than the matching of its question
// valid there.
void EndResponseMatchingsWithTheirQuestion(const CCampaign& campaign, CVolume& volume)
{
    QList<CModalityMatching*> matchings;
    volume.CollectValidModalityMatchings(volume.GetVolumeId(), matchings);
    for (CModalityMatching* matching : matchings) {
        if (matching->GetQuestionId() == RESERVED_QUESTION_ID)
            continue;
        const CQuestionMatching* questionMatching =
            volume.FindQuestionMatchingInherited(matching->GetQuestionId(), volume.GetVolumeId());
        if (questionMatching &&
            campaign.IsVolumeBefore(questionMatching->GetEndVolumeId(), matching->GetEndVolumeId()))
            matching->SetEndVolumeId(questionMatching->GetEndVolumeId());
    }
}

// Codes the question's responses 1, 2, 3 ... in response order, zero-padded to the width of
// the highest, when two of them share an entry code.
void RecodeDuplicateEntryCodes(CQuestion& question)
{
    const int count = question.GetModalityCount();
    QSet<QString> codes;
    bool duplicate = false;
    for (int i = 0; i < count && !duplicate; ++i) {
        const QString& code = question.GetModality(i)->GetEntryCode();
        duplicate = codes.contains(code);
        codes.insert(code);
    }
    if (!duplicate)
        return;
    for (int i = 0; i < count; ++i)
        question.GetModality(i)->SetEntryCode(NumberedEntryCode(i + 1, count));
}

} // namespace

bool CCampaign::MoveToMostRecentVersion()
{
    const QString version = m_versionNumber;
    if (IsVersionOlder(version, QStringLiteral("5.1.6.15"))) {
        for (const auto& wave : m_waves) {
            SettleLinkQuestions(*wave);
            for (int v = 0; v < wave->GetVolumeCount(); ++v)
                DeleteDeadMatchings(*wave->GetVolume(v));
        }
    }
    if (IsVersionOlder(version, QStringLiteral("5.1.9.4"))) {
        for (const auto& wave : m_waves) {
            for (int v = 0; v < wave->GetVolumeCount(); ++v)
                EndResponseMatchingsWithTheirQuestion(*this, *wave->GetVolume(v));
        }
    }
    if (IsVersionOlder(version, QStringLiteral("5.2.3.6"))) {
        for (const auto& question : m_questions) {
            if (question && !IsReservedQuestion(question.get()) && question->GetModalityCount() > 0)
                RecodeDuplicateEntryCodes(*question);
        }
    }
    SetVersionNumber(PROGRAM_VERSION_TEXT);
    return true;
}

} // namespace pelko_wave
