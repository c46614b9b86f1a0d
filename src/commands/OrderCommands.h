#pragma once

#include "commands/CmdVirtual.h"
#include "commands/OrderSnapshots.h"

// The commands that change the order numbers of campaign questions or responses and nothing
// else. Each keeps the orders it gives back; none makes model objects.

namespace pelko_wave {
class CCampaign;
class CModality;
class CQuestion;
class CWave;
} // namespace pelko_wave

// Exchanges the orders of two responses of one question; Do refuses two of different
// questions, changing nothing.
class CCmdSwapResponseOrder final : public CCmdVirtual
{
public:
    CCmdSwapResponseOrder(pelko_wave::CCampaign* campaign, pelko_wave::CModality* first,
                          pelko_wave::CModality* second);

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    void Swap();

    pelko_wave::CModality* m_first;
    pelko_wave::CModality* m_second;
    // The responses of the questions concerned before Do.
    CModalityOrders m_firstBefore;
    CModalityOrders m_secondBefore;
};

// Orders the responses of one question as the wave's sources give them.
class CCmdReorderQuesModalities final : public CCmdVirtual
{
public:
    CCmdReorderQuesModalities(pelko_wave::CCampaign* campaign, pelko_wave::CWave* wave,
                              pelko_wave::CQuestion* question);

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    pelko_wave::CWave* m_wave;
    pelko_wave::CQuestion* m_question;
    CModalityOrders m_before;
    CModalityOrders m_after;
};

// Orders all campaign questions as the wave's sources give them.
class CCmdOrderCampaignQuestions final : public CCmdVirtual
{
public:
    CCmdOrderCampaignQuestions(pelko_wave::CCampaign* campaign, pelko_wave::CWave* wave);

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    pelko_wave::CWave* m_wave;
    CQuestionOrders m_before;
    CQuestionOrders m_after;
};

// Orders the responses of every campaign question as the wave's sources give them.
class CCmdOrderCampaignModalities final : public CCmdVirtual
{
public:
    CCmdOrderCampaignModalities(pelko_wave::CCampaign* campaign, pelko_wave::CWave* wave);

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    pelko_wave::CWave* m_wave;
    CAllModalityOrders m_before;
    CAllModalityOrders m_after;
};
