#include "commands/VolumeCommands.h"

#include "commands/WaveCallBackInfo.h"
#include "model/Campaign.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "platform/VersionInfo.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

using namespace pelko_wave;

namespace {

// The language of the reserved question's captions: the program's own.
int ProgramLanguageId()
{
    const IWaveApp* app = GetWaveApp();
    return app ? app->GetVersionInfo().GetLanguageId() : 0;
}

} // namespace

CCmdNewVolume::CCmdNewVolume(CCampaign* campaign, CWave* wave, const QString& name,
                             const SNewVolumeProperties& properties)
    : CCmdVirtual(campaign), m_pWave(wave), m_name(name), m_properties(properties)
{
}

CCmdNewVolume::~CCmdNewVolume() = default;

bool CCmdNewVolume::Do(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_pCampaign || !m_pWave || m_pCampaign->FindWave(m_pWave->GetWaveId()) != m_pWave)
        return false;
    CCampaign& campaign = *m_pCampaign;
    m_countersBefore = SCampaignCounters::Take(campaign);
    m_newVolumeId = campaign.GetMaxVolumeId() + 1;

    auto volume = std::make_unique<CVolume>();
    volume->SetVolumeId(m_newVolumeId);
    volume->SetName(m_name);
    volume->SetWaveId(m_pWave->GetWaveId());
    // A parent that names no volume would leave the volume pointing nowhere: it is a root then.
    const int parentId = m_properties.ParentVolumeId;
    volume->SetInheritsFromVolumeId(parentId >= 0 && campaign.FindVolume(parentId) ? parentId
                                                                                   : m_newVolumeId);
    volume->SetIsMainVolume(m_pWave->GetVolumeCount() == 0 ? 1 : 0);
    volume->SetSourceType(m_properties.SourceType);
    volume->SetIsMatchingStrict(m_properties.IsMatchingStrict ? 1 : 0);
    volume->SetQuestionMatchingMethods(m_properties.QuestionMatchingMethods);
    volume->SetResponseMatchingMethods(m_properties.ResponseMatchingMethods);
    volume->SetMetaData(m_properties.MetaData);
    volume->SetCaseData(m_properties.CaseData);
    volume->SetInterviewMergeMethod(m_properties.InterviewMergeMethod);
    volume->SetMainVolumeLinkQuestionId(m_properties.MainVolumeLinkQuestionId);
    volume->SetThisVolumeLinkQuestionId(m_properties.ThisVolumeLinkQuestionId);
    volume->SetCaseSensitiveMatching(m_properties.CaseSensitiveMatching ? 1 : 0);
    volume->SetMatchUsingAncestorValues(m_properties.MatchUsingAncestorValues ? 1 : 0);
    volume->SetStatus(VOLUME_UNRECONCILED);
    m_pVolume = volume.get();
    LinkParent();
    m_pWave->AddVolume(std::move(volume));

    m_countersAfter = SCampaignCounters::Take(campaign);
    m_undone = false;
    record = CreateCallBackInfo();
    return true;
}

void CCmdNewVolume::LinkParent()
{
    if (m_pVolume->IsRoot())
        return;
    CVolume* parent = m_pCampaign->FindVolume(m_pVolume->GetInheritsFromVolumeId());
    m_pVolume->SetParent(parent);
    if (parent)
        parent->AddChildVolume(m_pVolume);
}

bool CCmdNewVolume::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_pVolume || m_pWave->FindVolume(m_newVolumeId) != m_pVolume)
        return false;
    if (CVolume* parent = m_pVolume->GetParent())
        parent->RemoveChildVolume(m_newVolumeId);
    m_pVolume->SetParent(nullptr);
    m_volume = m_pWave->RemoveVolume(m_newVolumeId);
    m_countersBefore.Restore(*m_pCampaign);
    m_undone = true;
    record = CreateCallBackInfo();
    return true;
}

bool CCmdNewVolume::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_volume)
        return false;
    LinkParent();
    m_pWave->AddVolume(std::move(m_volume));
    m_countersAfter.Restore(*m_pCampaign);
    m_undone = false;
    record = CreateCallBackInfo();
    return true;
}

QString CCmdNewVolume::GetName() const
{
    return LoadString(IDS_NEW_VOLUME);
}

std::unique_ptr<CCallBackInfo> CCmdNewVolume::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoNewVolume>(m_newVolumeId, m_pVolume);
}

// ---------------------------------------------------------------------------------------------

CCmdAddVolAnalyseMatching::CCmdAddVolAnalyseMatching(CCampaign* campaign, CVolume* volume)
    : CCmdVirtual(campaign), m_pVolume(volume)
{
}

CCmdAddVolAnalyseMatching::~CCmdAddVolAnalyseMatching() = default;

bool CCmdAddVolAnalyseMatching::Do(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_pCampaign || !m_pVolume)
        return false;
    CCampaign& campaign = *m_pCampaign;
    const CWave* wave = campaign.FindWaveByVolume(m_pVolume->GetVolumeId());
    if (!wave)
        return false;
    // Only the first volume of a wave gets an item.
    if (wave->GetVolumeCount() > 1)
        return true;

    m_countersBefore = SCampaignCounters::Take(campaign);
    const int languageId = ProgramLanguageId();
    if (!campaign.ContainsQuestion(RESERVED_QUESTION_ID)) {
        m_questionOrdersBefore.Take(campaign);
        m_pQuestion = campaign.CreateReservedQuestion(m_pVolume->GetVolumeId(),
                                                      LoadString(IDS_WAVE_QUESTION), languageId);
        m_questionOrdersAfter.Take(campaign);
    }
    m_pQuestionMatching = campaign.CreateReservedQuestionMatching(m_pVolume);
    if (CQuestion* reserved = campaign.GetQuestionById(RESERVED_QUESTION_ID))
        m_responseOrdersBefore.Take(*reserved);
    m_pModality = campaign.CreateReservedModality(
        m_pVolume, FormatString(LoadString(IDS_WAVE_RESPONSE), {wave->GetName()}), languageId);
    m_pModalityMatching = campaign.CreateReservedModalityMatching(m_pVolume);

    CQuestion* reserved = campaign.GetQuestionById(RESERVED_QUESTION_ID);
    if (reserved)
        m_responseOrdersAfter.Take(*reserved);
    if (campaign.GetWave(0) == wave && reserved &&
        reserved->GetAppearanceVolumeId() != m_pVolume->GetVolumeId()) {
        m_previousAppearanceVolumeId = reserved->GetAppearanceVolumeId();
        reserved->SetAppearanceVolumeId(m_pVolume->GetVolumeId());
    }
    m_countersAfter = SCampaignCounters::Take(campaign);
    m_undone = false;
    record = CreateCallBackInfo();
    return true;
}

bool CCmdAddVolAnalyseMatching::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    CCampaign& campaign = *m_pCampaign;
    if (m_pQuestionMatching) {
        // Everything is looked for first, so that a failure leaves the campaign untouched.
        CQuestion* reserved = campaign.GetQuestionById(RESERVED_QUESTION_ID);
        if (!reserved || !m_pModality || !m_pModalityMatching ||
            campaign.GetModalityById(m_pModality->GetModalityId()) != m_pModality ||
            reserved->FindModalityIndex(m_pModality) < 0 ||
            m_pVolume->FindQuestionMatching(RESERVED_QUESTION_ID) != m_pQuestionMatching ||
            (m_pQuestion && reserved != m_pQuestion))
            return false;
        m_modalityMatching = m_pVolume->RemoveModalityMatching(m_pModalityMatching);
        if (!m_modalityMatching)
            return false;
        reserved->RemoveModality(m_pModality->GetModalityId());
        m_modality = campaign.RemoveModality(m_pModality->GetModalityId());
        m_responseOrdersBefore.Restore();
        m_questionMatching = m_pVolume->RemoveQuestionMatching(m_pQuestionMatching);
        if (m_pQuestion) {
            m_question = campaign.RemoveQuestion(RESERVED_QUESTION_ID);
            m_questionOrdersBefore.Restore(campaign);
        }
        m_undone = true;
    }
    if (m_previousAppearanceVolumeId != -1) {
        if (CQuestion* reserved = campaign.GetQuestionById(RESERVED_QUESTION_ID))
            reserved->SetAppearanceVolumeId(m_previousAppearanceVolumeId);
    }
    if (m_pQuestionMatching)
        m_countersBefore.Restore(campaign);
    record = CreateCallBackInfo();
    return true;
}

bool CCmdAddVolAnalyseMatching::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    CCampaign& campaign = *m_pCampaign;
    if (m_undone) {
        if (m_question) {
            campaign.InsertQuestion(std::move(m_question));
            m_questionOrdersAfter.Restore(campaign);
        }
        CQuestion* reserved = campaign.GetQuestionById(RESERVED_QUESTION_ID);
        if (!reserved)
            return false;
        m_pVolume->AddQuestionMatching(std::move(m_questionMatching));
        campaign.AddModality(std::move(m_modality));
        reserved->InsertModality(m_pModality);
        m_responseOrdersAfter.Restore();
        m_pVolume->AddModalityMatching(std::move(m_modalityMatching));
        m_undone = false;
    }
    if (m_previousAppearanceVolumeId != -1) {
        if (CQuestion* reserved = campaign.GetQuestionById(RESERVED_QUESTION_ID))
            reserved->SetAppearanceVolumeId(m_pVolume->GetVolumeId());
    }
    if (m_pQuestionMatching)
        m_countersAfter.Restore(campaign);
    record = CreateCallBackInfo();
    return true;
}

std::unique_ptr<CCallBackInfo> CCmdAddVolAnalyseMatching::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoAddVolAnalyseMatchingCmd>(m_pVolume);
}
