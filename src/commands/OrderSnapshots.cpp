#include "commands/OrderSnapshots.h"

#include "model/Campaign.h"

#include <algorithm>

using namespace pelko_wave;

void CQuestionOrders::Take(const CCampaign& campaign)
{
    m_orders.clear();
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        CQuestion* question = campaign.GetQuestion(i);
        m_orders.emplace_back(question, question->GetOrder());
    }
}

void CQuestionOrders::Restore(CCampaign& campaign) const
{
    std::vector<CQuestion*> sequence;
    sequence.reserve(m_orders.size());
    int highest = campaign.GetMaxQuestionOrder();
    for (const auto& [question, order] : m_orders) {
        question->SetOrder(order);
        highest = std::max(highest, order);
        sequence.push_back(question);
    }
    campaign.SetMaxQuestionOrder(highest);
    if (!campaign.SetQuestionSequence(sequence))
        campaign.SortQuestions();
}

void CModalityOrders::Take(CQuestion& question)
{
    m_question = &question;
    m_orders.clear();
    for (CModality* modality : question.GetModalities())
        m_orders.emplace_back(modality, modality->GetModalityOrder());
}

void CModalityOrders::Restore() const
{
    if (!m_question)
        return;
    std::vector<CModality*> sequence;
    sequence.reserve(m_orders.size());
    int highest = m_question->GetMaxModalityOrder();
    for (const auto& [modality, order] : m_orders) {
        modality->SetModalityOrder(order);
        highest = std::max(highest, order);
        sequence.push_back(modality);
    }
    m_question->SetMaxModalityOrder(highest);
    if (!m_question->SetModalitySequence(sequence))
        m_question->SortModalities();
}

void CAllModalityOrders::Take(const CCampaign& campaign)
{
    m_questions.clear();
    m_questions.resize(size_t(campaign.GetQuestionCount()));
    for (int i = 0; i < campaign.GetQuestionCount(); ++i)
        m_questions[size_t(i)].Take(*campaign.GetQuestion(i));
}

void CAllModalityOrders::Restore() const
{
    for (const CModalityOrders& question : m_questions)
        question.Restore();
}
