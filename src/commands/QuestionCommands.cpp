#include "commands/QuestionCommands.h"

#include "commands/QuestionCallBackInfo.h"
#include "model/Campaign.h"
#include "model/EditRoutines.h"
#include "model/ModelHelpers.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

using namespace pelko_wave;

namespace {

// Takes the question out of the campaign when the campaign's question of its id is that very
// one; null (nothing taken) otherwise.
std::unique_ptr<CQuestion> TakeOwnQuestion(CCampaign& campaign, const CQuestion* question)
{
    if (!question || campaign.GetQuestionById(question->GetQuestionId()) != question)
        return nullptr;
    return campaign.RemoveQuestion(question->GetQuestionId());
}

} // namespace

// New question and chapter -------------------------------------------------------------------

CCmdInsertQuestion::CCmdInsertQuestion(CCampaign* campaign) : CCmdVirtual(campaign) {}

CCmdInsertQuestion::~CCmdInsertQuestion() = default;

bool CCmdInsertQuestion::Do(std::unique_ptr<CCallBackInfo>& record)
{
    m_before.Take(*m_pCampaign);
    std::unique_ptr<CQuestion> question = MakeQuestion();
    m_question = question.get();
    m_pCampaign->InsertQuestion(std::move(question));
    m_after.Take(*m_pCampaign);
    record = CreateCallBackInfo();
    return true;
}

bool CCmdInsertQuestion::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    m_removed = TakeOwnQuestion(*m_pCampaign, m_question);
    if (!m_removed)
        return false;
    m_before.Restore(*m_pCampaign);
    record = CreateCallBackInfo();
    return true;
}

bool CCmdInsertQuestion::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_removed)
        return false;
    m_pCampaign->InsertQuestion(std::move(m_removed));
    m_after.Restore(*m_pCampaign);
    record = CreateCallBackInfo();
    return true;
}

CCmdNewQuestion::CCmdNewQuestion(CCampaign* campaign, CVolume* volume,
                                 const qnr::CQuestion* sourceQuestion, int order)
    : CCmdInsertQuestion(campaign), m_volume(volume), m_sourceQuestion(sourceQuestion),
      m_order(order)
{
}

std::unique_ptr<CQuestion> CCmdNewQuestion::MakeQuestion()
{
    std::unique_ptr<CQuestion> question =
        CreateQuestionFromSource(*m_pCampaign, *m_volume, *m_sourceQuestion, m_order, false, -1);
    AddQuestionCaptionsFromSource(*question, *m_sourceQuestion);
    return question;
}

QString CCmdNewQuestion::GetName() const
{
    return LoadString(IDS_CREATE_NEW_QUESTION);
}

std::unique_ptr<CCallBackInfo> CCmdNewQuestion::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoNewQuestion>(m_question);
}

CCmdCreateChapter::CCmdCreateChapter(CCampaign* campaign, CVolume* volume, const QString& name,
                                     int order)
    : CCmdInsertQuestion(campaign), m_volume(volume), m_name(name), m_order(order)
{
}

std::unique_ptr<CQuestion> CCmdCreateChapter::MakeQuestion()
{
    return CreateChapterQuestion(*m_pCampaign, m_volume, m_name, m_order);
}

QString CCmdCreateChapter::GetName() const
{
    return LoadString(IDS_NEW_CHAPTER);
}

std::unique_ptr<CCallBackInfo> CCmdCreateChapter::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoCreateChapter>(m_question);
}

// New response --------------------------------------------------------------------------------

CCmdNewModality::CCmdNewModality(CCampaign* campaign, CVolume* volume, CQuestion* question,
                                 const qnr::CModalite* sourceModality, int order)
    : CCmdVirtual(campaign), m_volume(volume), m_question(question),
      m_sourceModality(sourceModality), m_order(order)
{
}

CCmdNewModality::~CCmdNewModality() = default;

bool CCmdNewModality::Do(std::unique_ptr<CCallBackInfo>& record)
{
    m_countersBefore = TakeCounters();
    m_before.Take(*m_question);
    std::unique_ptr<CModality> modality = CreateModalityFromSource(
        *m_pCampaign, *m_volume, *m_question, *m_sourceModality, m_order, false);
    AddModalityCaptionsFromSource(*m_question, *modality, *m_sourceModality);
    m_modality = modality.get();
    m_pCampaign->AddModality(std::move(modality));
    m_question->InsertModality(m_modality);
    m_after.Take(*m_question);
    m_countersAfter = TakeCounters();
    record = CreateCallBackInfo();
    return true;
}

bool CCmdNewModality::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_modality || m_pCampaign->GetModalityById(m_modality->GetModalityId()) != m_modality)
        return false;
    m_question->RemoveModality(m_modality->GetModalityId());
    m_removed = m_pCampaign->RemoveModality(m_modality->GetModalityId());
    m_before.Restore();
    RestoreCounters(m_countersBefore);
    record = CreateCallBackInfo();
    return true;
}

bool CCmdNewModality::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_removed)
        return false;
    m_pCampaign->AddModality(std::move(m_removed));
    m_question->InsertModality(m_modality);
    m_after.Restore();
    RestoreCounters(m_countersAfter);
    record = CreateCallBackInfo();
    return true;
}

CCmdNewModality::SCounters CCmdNewModality::TakeCounters() const
{
    return {m_pCampaign->GetMaxModalityId(), m_question->GetMaxModalityOrder()};
}

void CCmdNewModality::RestoreCounters(const SCounters& counters)
{
    m_pCampaign->SetMaxModalityId(counters.MaxModalityId);
    m_question->SetMaxModalityOrder(counters.MaxModalityOrder);
}

QString CCmdNewModality::GetName() const
{
    return LoadString(IDS_CREATE_NEW_RESPONSE);
}

std::unique_ptr<CCallBackInfo> CCmdNewModality::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoNewModality>(m_modality);
}

// Merge ---------------------------------------------------------------------------------------

CCmdMergeModalities::CCmdMergeModalities(CCampaign* campaign, CVolume* volume, CModality* master,
                                         CModality* child)
    : CCmdVirtual(campaign), m_volume(volume), m_master(master), m_child(child)
{
}

CCmdMergeModalities::~CCmdMergeModalities() = default;

bool CCmdMergeModalities::Do(std::unique_ptr<CCallBackInfo>& record)
{
    std::unique_ptr<CModalityMerging> merging = MakeModalityMerging(*m_master, *m_child, *m_volume);
    if (!merging)
        return false;
    m_pCampaign->AddModalityMerging(std::move(merging));
    record = CreateCallBackInfo();
    return true;
}

bool CCmdMergeModalities::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    m_removed = m_pCampaign->RemoveModalityMerging(
        m_volume->GetVolumeId(), m_master->GetModalityId(), m_child->GetModalityId());
    if (!m_removed)
        return false;
    record = CreateCallBackInfo();
    return true;
}

bool CCmdMergeModalities::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_removed)
        return false;
    m_pCampaign->AddModalityMerging(std::move(m_removed));
    record = CreateCallBackInfo();
    return true;
}

QString CCmdMergeModalities::GetName() const
{
    return LoadString(IDS_MERGE_RESPONSES);
}

std::unique_ptr<CCallBackInfo> CCmdMergeModalities::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoMergeModalities>(m_volume, m_master, m_child);
}

// Maximise ------------------------------------------------------------------------------------

CCmdMaximiseResponseCnt::CCmdMaximiseResponseCnt(CCampaign* campaign, bool flag)
    : CCmdVirtual(campaign), m_flag(flag)
{
}

bool CCmdMaximiseResponseCnt::Do(std::unique_ptr<CCallBackInfo>& record)
{
    // The whole scan first: the counts change only once every reconciled volume was read.
    QMap<CQuestion*, int> largest;
    for (int w = 0; w < m_pCampaign->GetWaveCount(); ++w) {
        const CWave& wave = *m_pCampaign->GetWave(w);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            CVolume& volume = *wave.GetVolume(v);
            if (volume.GetStatus() != VOLUME_RECONCILED)
                continue;
            if (!EnsureVolumeQuestionnaire(volume))
                return false;
            QMap<QString, int> matched;
            volume.CollectMatchedSourceCodes(volume.GetVolumeId(), matched);
            for (auto it = matched.cbegin(); it != matched.cend(); ++it) {
                CQuestion* question = m_pCampaign->GetQuestionById(it.value());
                if (!question)
                    return false;
                if (m_pCampaign->IsReservedQuestion(question) ||
                    !IsQuestionWithResponses(*question))
                    continue;
                bool numeric = false;
                const int code = it.key().toInt(&numeric);
                const qnr::CQuestion* source =
                    numeric ? volume.GetQuestionnaire().FindQuestionById(code) : nullptr;
                if (!source)
                    return false;
                const auto found = largest.find(question);
                if (found == largest.end())
                    largest.insert(question, source->GetNbMaxReponse());
                else
                    *found = std::max(*found, source->GetNbMaxReponse());
            }
        }
    }
    m_before.clear();
    m_after.clear();
    for (auto it = largest.cbegin(); it != largest.cend(); ++it) {
        if (it.key()->GetMaxResponseCount() < it.value()) {
            m_before.insert(it.key(), it.key()->GetMaxResponseCount());
            it.key()->SetMaxResponseCount(it.value());
            m_after.insert(it.key(), it.value());
        }
    }
    record = CreateCallBackInfo();
    return true;
}

bool CCmdMaximiseResponseCnt::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    for (auto it = m_before.cbegin(); it != m_before.cend(); ++it)
        it.key()->SetMaxResponseCount(it.value());
    record = CreateCallBackInfo();
    return true;
}

bool CCmdMaximiseResponseCnt::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    for (auto it = m_after.cbegin(); it != m_after.cend(); ++it)
        it.key()->SetMaxResponseCount(it.value());
    record = CreateCallBackInfo();
    return true;
}

QString CCmdMaximiseResponseCnt::GetName() const
{
    return LoadString(IDS_MAXIMISE_RESPONSE_COUNTS);
}

std::unique_ptr<CCallBackInfo> CCmdMaximiseResponseCnt::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoMaximiseResponseCnt>(int(m_after.size()));
}
