#include "reconcile/ParentSourceItems.h"

#include "model/Matchings.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/QuestionnaireLoading.h"
#include "model/Volume.h"
#include "questionnaire/Questionnaire.h"

using namespace pelko_wave;

bool ReadSourceCode(const QString& sourceId, int& code)
{
    bool ok = false;
    code = sourceId.trimmed().toInt(&ok);
    return ok;
}

const qnr::CQuestion* FindParentSourceQuestion(const CVolume& volume, const CQuestion& question)
{
    CVolume* parent = volume.GetParent();
    if (volume.IsRoot() || !parent)
        return nullptr;
    const CQuestionMatching* matching =
        parent->FindQuestionMatchingInherited(question.GetQuestionId(), parent->GetVolumeId());
    int code = 0;
    if (!matching || !ReadSourceCode(matching->GetSourceId(), code))
        return nullptr;
    if (!EnsureVolumeQuestionnaire(*parent))
        return nullptr;
    return parent->GetQuestionnaire().FindQuestionById(code);
}

const qnr::CModalite* FindParentSourceModality(const CVolume& volume, const CQuestion& question,
                                               const CModality& modality)
{
    const qnr::CQuestion* sourceQuestion = FindParentSourceQuestion(volume, question);
    if (!sourceQuestion)
        return nullptr;
    const CVolume* parent = volume.GetParent();
    const CModalityMatching* matching =
        parent->FindModalityMatchingInherited(modality.GetModalityId(), parent->GetVolumeId());
    int code = 0;
    if (!matching || !ReadSourceCode(matching->GetModalitySourceId(), code))
        return nullptr;
    return sourceQuestion->FindModaliteById(code);
}
