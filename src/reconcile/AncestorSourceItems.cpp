#include "reconcile/AncestorSourceItems.h"

#include "model/Matchings.h"
#include "model/Modality.h"
#include "model/QuestionnaireLoading.h"
#include "model/Volume.h"
#include "questionnaire/Questionnaire.h"

namespace pelko_wave {

namespace {

// The volume's parent with its questionnaire loaded; null for a root or an unreadable source.
CVolume* LoadedParent(const CVolume& volume)
{
    CVolume* parent = volume.IsRoot() ? nullptr : volume.GetParent();
    if (!parent || !EnsureVolumeQuestionnaire(*parent))
        return nullptr;
    return parent;
}

const qnr::CQuestion* ParentSourceQuestion(const CVolume& parent, int questionId)
{
    const CQuestionMatching* matching =
        parent.FindQuestionMatchingInherited(questionId, parent.GetVolumeId());
    if (!matching)
        return nullptr;
    bool ok = false;
    const int code = matching->GetSourceId().toInt(&ok);
    return ok ? parent.GetQuestionnaire().FindQuestionById(code) : nullptr;
}

} // namespace

const qnr::CQuestion* FindParentSourceQuestion(const CVolume& volume, int questionId)
{
    const CVolume* parent = LoadedParent(volume);
    return parent ? ParentSourceQuestion(*parent, questionId) : nullptr;
}

const qnr::CModalite* FindParentSourceModality(const CVolume& volume, const CModality& modality)
{
    const CVolume* parent = LoadedParent(volume);
    if (!parent)
        return nullptr;
    const qnr::CQuestion* question = ParentSourceQuestion(*parent, modality.GetQuestionId());
    if (!question)
        return nullptr;
    const CModalityMatching* matching =
        parent->FindModalityMatchingInherited(modality.GetModalityId(), parent->GetVolumeId());
    if (!matching)
        return nullptr;
    bool ok = false;
    const int code = matching->GetModalitySourceId().toInt(&ok);
    return ok ? question->FindModaliteById(code) : nullptr;
}

} // namespace pelko_wave
