#include "commands/OrderCommands.h"

#include "commands/QuestionCallBackInfo.h"
#include "model/Campaign.h"
#include "reconcile/CampaignOrdering.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

using namespace pelko_wave;

// Swap ----------------------------------------------------------------------------------------

CCmdSwapResponseOrder::CCmdSwapResponseOrder(CCampaign* campaign, CModality* first,
                                             CModality* second)
    : CCmdVirtual(campaign), m_first(first), m_second(second)
{
}

void CCmdSwapResponseOrder::Swap()
{
    const int order = m_first->GetModalityOrder();
    m_first->SetModalityOrder(m_second->GetModalityOrder());
    m_second->SetModalityOrder(order);
    // The responses of each question concerned stay sorted by order.
    for (CModality* modality : {m_first, m_second}) {
        if (CQuestion* question = m_pCampaign->GetQuestionById(modality->GetQuestionId()))
            question->SortModalities();
    }
}

bool CCmdSwapResponseOrder::Do(std::unique_ptr<CCallBackInfo>& record)
{
    // Orders count within one question: two of different questions are not swapped.
    if (!m_first || !m_second || m_first->GetQuestionId() != m_second->GetQuestionId())
        return false;
    auto take = [this](const CModality& modality, CModalityOrders& before) {
        if (CQuestion* question = m_pCampaign->GetQuestionById(modality.GetQuestionId()))
            before.Take(*question);
    };
    take(*m_first, m_firstBefore);
    take(*m_second, m_secondBefore);
    Swap();
    record = CreateCallBackInfo();
    return true;
}

bool CCmdSwapResponseOrder::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    // The sequences before Do, so that equal orders come back in their places too.
    m_secondBefore.Restore();
    m_firstBefore.Restore();
    record = CreateCallBackInfo();
    return true;
}

bool CCmdSwapResponseOrder::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    Swap();
    record = CreateCallBackInfo();
    return true;
}

QString CCmdSwapResponseOrder::GetName() const
{
    return LoadString(IDS_SWAP_RESPONSE_ORDER);
}

std::unique_ptr<CCallBackInfo> CCmdSwapResponseOrder::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoSwapResponseOrder>(m_first->GetModalityId(),
                                                            m_second->GetModalityId());
}

// One question's responses -------------------------------------------------------------------

CCmdReorderQuesModalities::CCmdReorderQuesModalities(CCampaign* campaign, CWave* wave,
                                                     CQuestion* question)
    : CCmdVirtual(campaign), m_wave(wave), m_question(question)
{
}

bool CCmdReorderQuesModalities::Do(std::unique_ptr<CCallBackInfo>& record)
{
    m_before.Take(*m_question);
    if (!OrderQuestionModalities(*m_pCampaign, *m_question, *m_wave)) {
        m_before.Restore();
        return false;
    }
    m_after.Take(*m_question);
    record = CreateCallBackInfo();
    return true;
}

bool CCmdReorderQuesModalities::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    m_before.Restore();
    record = CreateCallBackInfo();
    return true;
}

bool CCmdReorderQuesModalities::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    m_after.Restore();
    record = CreateCallBackInfo();
    return true;
}

QString CCmdReorderQuesModalities::GetName() const
{
    return LoadString(IDS_REORDER_RESPONSES);
}

std::unique_ptr<CCallBackInfo> CCmdReorderQuesModalities::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoReorderQuesModalities>(m_question);
}

// All questions ------------------------------------------------------------------------------

CCmdOrderCampaignQuestions::CCmdOrderCampaignQuestions(CCampaign* campaign, CWave* wave)
    : CCmdVirtual(campaign), m_wave(wave)
{
}

bool CCmdOrderCampaignQuestions::Do(std::unique_ptr<CCallBackInfo>& record)
{
    m_before.Take(*m_pCampaign);
    if (!OrderCampaignQuestions(*m_pCampaign, *m_wave)) {
        m_before.Restore(*m_pCampaign);
        return false;
    }
    m_after.Take(*m_pCampaign);
    record = CreateCallBackInfo();
    return true;
}

bool CCmdOrderCampaignQuestions::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    m_before.Restore(*m_pCampaign);
    record = CreateCallBackInfo();
    return true;
}

bool CCmdOrderCampaignQuestions::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    m_after.Restore(*m_pCampaign);
    record = CreateCallBackInfo();
    return true;
}

QString CCmdOrderCampaignQuestions::GetName() const
{
    return LoadString(IDS_REORDER_CAMPAIGN_QUESTIONS);
}

std::unique_ptr<CCallBackInfo> CCmdOrderCampaignQuestions::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoOrderCampaignQuestions>(m_wave);
}

// All questions' responses -------------------------------------------------------------------

CCmdOrderCampaignModalities::CCmdOrderCampaignModalities(CCampaign* campaign, CWave* wave)
    : CCmdVirtual(campaign), m_wave(wave)
{
}

bool CCmdOrderCampaignModalities::Do(std::unique_ptr<CCallBackInfo>& record)
{
    m_before.Take(*m_pCampaign);
    if (!OrderAllQuestionModalities(*m_pCampaign, *m_wave)) {
        m_before.Restore();
        return false;
    }
    m_after.Take(*m_pCampaign);
    record = CreateCallBackInfo();
    return true;
}

bool CCmdOrderCampaignModalities::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    m_before.Restore();
    record = CreateCallBackInfo();
    return true;
}

bool CCmdOrderCampaignModalities::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    m_after.Restore();
    record = CreateCallBackInfo();
    return true;
}

QString CCmdOrderCampaignModalities::GetName() const
{
    return LoadString(IDS_REORDER_RESPONSES);
}

std::unique_ptr<CCallBackInfo> CCmdOrderCampaignModalities::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoOrderCampaignModalities>(m_wave);
}
