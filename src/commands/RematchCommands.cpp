#include "commands/RematchCommands.h"

#include "commands/MatchingCallBackInfo.h"
#include "model/Campaign.h"
#include "model/EditRoutines.h"
#include "model/QuestionnaireLoading.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DeepRematch.h"
#include "reconcile/LanguageReconciliation.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <functional>
#include <set>

using namespace pelko_wave;

namespace {

// The descendants of the volume, parent by parent: the children of a volume in child order,
// then the volumes below each child in the same way. Each volume once.
void WalkDescendants(CVolume& volume, const std::function<void(CVolume&, CVolume&)>& handle,
                     std::set<const CVolume*>& visited)
{
    std::vector<CVolume*> children;
    for (int c = 0; c < volume.GetChildVolumeCount(); ++c) {
        CVolume* child = volume.GetChildVolumeAt(c);
        if (visited.insert(child).second) {
            handle(volume, *child);
            children.push_back(child);
        }
    }
    for (CVolume* child : children)
        WalkDescendants(*child, handle, visited);
}

void WalkDescendants(CVolume& volume, const std::function<void(CVolume&, CVolume&)>& handle)
{
    std::set<const CVolume*> visited{&volume};
    WalkDescendants(volume, handle, visited);
}

QString SourceIdOf(const CQuestionMatching& matching)
{
    return matching.GetSourceId();
}
QString SourceIdOf(const CModalityMatching& matching)
{
    return matching.GetModalitySourceId();
}

// The matching the child has now against the code the engine found: a matching to another code
// (or to none) stops holding at the child, by its end when it comes from above, and by being
// taken out when the child holds it itself, so that the child never holds two. Returns whether
// a new matching to the code is needed.
template <class M>
bool SettleCurrent(CCampaign& campaign, CVolume& child, M* current, const QString& code,
                   CMatchingChanges& changes)
{
    if (current && SourceIdOf(*current).compare(code, Qt::CaseInsensitive) == 0)
        return false;
    if (current) {
        const int cut = GetCutPoint(child);
        if (current->GetVolumeId() == child.GetVolumeId() || cut < 0)
            changes.Remove(campaign, current, &child);
        else
            changes.SetEnd(*current, cut);
    }
    return !code.isEmpty();
}

} // namespace

// Question ------------------------------------------------------------------------------------

CCmdDeepRematchQuestion::CCmdDeepRematchQuestion(CCampaign* campaign, CVolume* volume,
                                                 CQuestion* question)
    : CCmdMatchingBase(campaign), m_volume(volume), m_question(question)
{
}

CCmdDeepRematchQuestion::~CCmdDeepRematchQuestion() = default;

void CCmdDeepRematchQuestion::Rematch(CVolume& parent, CVolume& child)
{
    Q_UNUSED(parent);
    CCampaign& campaign = *m_pCampaign;
    const int childId = child.GetVolumeId();
    EnsureVolumeQuestionnaire(child);
    // Captions compared in the languages chosen for the child's questionnaire.
    const CComparisonLanguagesScope languages(campaign, child.GetQuestionnaire(),
                                              child.GetWaveId());
    CQuestionMatching* current =
        child.FindQuestionMatchingInherited(m_question->GetQuestionId(), childId);
    QString code;
    if (!DeepRematchQuestion(child, *m_question, code, campaign))
        code.clear();
    if (SettleCurrent(campaign, child, current, code, m_changes))
        m_changes.Add(campaign, MakeQuestionMatching(m_question->GetQuestionId(), code, child));
}

bool CCmdDeepRematchQuestion::Do(std::unique_ptr<CCallBackInfo>& record)
{
    WalkDescendants(*m_volume, [this](CVolume& parent, CVolume& child) { Rematch(parent, child); });
    record = CreateCallBackInfo();
    return true;
}

QString CCmdDeepRematchQuestion::GetName() const
{
    return LoadString(IDS_REMATCH_QUESTION);
}

std::unique_ptr<CCallBackInfo> CCmdDeepRematchQuestion::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoDeepRematchQuestion>(m_volume, m_question);
}

// Response ------------------------------------------------------------------------------------

CCmdDeepRematchModality::CCmdDeepRematchModality(CCampaign* campaign, CVolume* volume,
                                                 CQuestion* question, int value,
                                                 CModality* modality)
    : CCmdMatchingBase(campaign), m_volume(volume), m_question(question), m_value(value),
      m_modality(modality)
{
}

CCmdDeepRematchModality::~CCmdDeepRematchModality() = default;

void CCmdDeepRematchModality::Rematch(CVolume& parent, CVolume& child)
{
    CCampaign& campaign = *m_pCampaign;
    const int childId = child.GetVolumeId();
    EnsureVolumeQuestionnaire(child);
    const CQuestionMatching* questionMatching =
        child.FindQuestionMatchingInherited(m_question->GetQuestionId(), childId);
    if (!questionMatching) {
        // The question is not matched here: the response matchings of the parent stop before.
        const int cut = GetCutPoint(child);
        if (cut < 0)
            return;
        for (CModality* response : m_question->GetModalities()) {
            CModalityMatching* held = parent.FindModalityMatching(response->GetModalityId());
            if (held && !campaign.IsVolumeBefore(held->GetEndVolumeId(), childId))
                m_changes.SetEnd(*held, cut);
        }
        return;
    }
    bool numeric = false;
    const int sourceCode = questionMatching->GetSourceId().toInt(&numeric);
    const qnr::CQuestion* source =
        numeric ? child.GetQuestionnaire().FindQuestionById(sourceCode) : nullptr;
    if (!source)
        return;
    // The captions are compared as a reconciliation of the child compares them: in the
    // languages chosen for its questionnaire.
    const CComparisonLanguagesScope languages(campaign, child.GetQuestionnaire(),
                                              child.GetWaveId());
    CModalityMatching* current =
        child.FindModalityMatchingInherited(m_modality->GetModalityId(), childId);
    QString code;
    if (!DeepRematchModality(child, *m_question, *m_modality, *source, code, true, campaign))
        code.clear();
    if (SettleCurrent(campaign, child, current, code, m_changes))
        m_changes.Add(campaign,
                      MakeModalityMatching(m_modality->GetModalityId(), code, child, *m_question));
}

bool CCmdDeepRematchModality::Do(std::unique_ptr<CCallBackInfo>& record)
{
    WalkDescendants(*m_volume, [this](CVolume& parent, CVolume& child) { Rematch(parent, child); });
    record = CreateCallBackInfo();
    return true;
}

QString CCmdDeepRematchModality::GetName() const
{
    return LoadString(IDS_REMATCH_RESPONSE);
}

std::unique_ptr<CCallBackInfo> CCmdDeepRematchModality::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoDeepRematchModality>(m_volume, m_question, m_modality);
}
