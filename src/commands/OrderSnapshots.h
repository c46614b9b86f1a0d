#pragma once

#include <utility>
#include <vector>

// The orders of campaign questions or responses and the sequence of the arrays that are kept
// sorted by them, taken before or after a change so that Undo and Redo give back exactly that
// state: the same order numbers, and equal orders in the same sequence.

namespace pelko_wave {
class CCampaign;
class CModality;
class CQuestion;
} // namespace pelko_wave

// Every campaign question with its order, in array sequence.
class CQuestionOrders
{
public:
    void Take(const pelko_wave::CCampaign& campaign);
    // Gives every question taken its order back, then the array its sequence (sorted by order
    // instead when the campaign no longer holds exactly the questions taken).
    void Restore(pelko_wave::CCampaign& campaign) const;
    bool IsEmpty() const { return m_orders.empty(); }

private:
    std::vector<std::pair<pelko_wave::CQuestion*, int>> m_orders;
};

// The responses of one question with their orders, in response sequence.
class CModalityOrders
{
public:
    void Take(pelko_wave::CQuestion& question);
    void Restore() const;

private:
    pelko_wave::CQuestion* m_question = nullptr;
    std::vector<std::pair<pelko_wave::CModality*, int>> m_orders;
};

// The responses of every campaign question.
class CAllModalityOrders
{
public:
    void Take(const pelko_wave::CCampaign& campaign);
    void Restore() const;

private:
    std::vector<CModalityOrders> m_questions;
};
