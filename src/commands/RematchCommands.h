#pragma once

#include "commands/MatchingCommands.h"

// After a campaign question (or response) was matched by hand in a volume, the volumes below it
// are matched again for that one item, parent by parent: a volume whose source agrees with the
// matching it has keeps it; one whose source gives another item gets its own matching to that
// item, the one it had ending before it (or, held by the volume itself, replaced); one where
// nothing is found loses the matching it had.

// For the campaign question.
class CCmdDeepRematchQuestion final : public CCmdMatchingBase
{
public:
    CCmdDeepRematchQuestion(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume,
                            pelko_wave::CQuestion* question);
    ~CCmdDeepRematchQuestion() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    void Rematch(pelko_wave::CVolume& parent, pelko_wave::CVolume& child);

    pelko_wave::CVolume* m_volume;
    pelko_wave::CQuestion* m_question;
};

// For one response of the campaign question.
class CCmdDeepRematchModality final : public CCmdMatchingBase
{
public:
    // The value is the issuer's and changes nothing.
    CCmdDeepRematchModality(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume,
                            pelko_wave::CQuestion* question, int value,
                            pelko_wave::CModality* modality);
    ~CCmdDeepRematchModality() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    void Rematch(pelko_wave::CVolume& parent, pelko_wave::CVolume& child);

    pelko_wave::CVolume* m_volume;
    pelko_wave::CQuestion* m_question;
    int m_value;
    pelko_wave::CModality* m_modality;
};
