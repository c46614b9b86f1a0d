#pragma once

#include "commands/CmdVirtual.h"
#include "commands/MatchingChanges.h"
#include "commands/OrderSnapshots.h"

#include <QString>
#include <memory>
#include <vector>

// The commands that make, break and remove matchings between campaign items and the source
// items of a volume. Each keeps what it changed in its matching changes (made matchings, removed
// matchings, changed ends) and replays them for Undo and Redo.

namespace pelko_wave {
class CCampaign;
class CModality;
class CModalityCaption;
class CModalityMatching;
class CQuestion;
class CQuestionMatching;
class CVolume;
} // namespace pelko_wave

namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

// The frame of the matching commands: Undo and Redo replay the matching changes, with what a
// command keeps besides them, and make the record.
class CCmdMatchingBase : public CCmdVirtual
{
public:
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;

protected:
    explicit CCmdMatchingBase(pelko_wave::CCampaign* campaign) : CCmdVirtual(campaign) {}
    // Whether Undo and Redo can run at all (a volume they need may be gone).
    virtual bool CanReplay() const { return true; }
    // What the command changed besides matchings: taken back after the matchings, put back
    // before them.
    virtual void UndoOther() {}
    virtual void RedoOther() {}

    CMatchingChanges m_changes;
};

// Captions a command added to campaign responses (in languages they had none in), kept so that
// Undo can take them out again.
class CAddedModalityCaptions
{
public:
    CAddedModalityCaptions();
    ~CAddedModalityCaptions();
    void Add(pelko_wave::CModality& modality, const std::vector<int>& languageIds);
    void TakeOut();
    void PutBack();

private:
    struct SAdded
    {
        pelko_wave::CModality* Modality;
        int LanguageId;
        std::unique_ptr<pelko_wave::CModalityCaption> Owned; // while out of the response
    };
    std::vector<SAdded> m_added;
};

// Matches the campaign question to the source question in the volume from the volume on; the
// question's responses are matched by the volume's methods and source responses left over become
// new campaign responses. Then the matchings of the volumes below are brought into line.
// The volume must not hold its own matching of the question (Do fails otherwise).
class CCmdCreateQuesMatching final : public CCmdMatchingBase
{
public:
    CCmdCreateQuesMatching(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume,
                           pelko_wave::CQuestion* question, const qnr::CQuestion* sourceQuestion);
    ~CCmdCreateQuesMatching() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    void UndoOther() override;
    void RedoOther() override;

    pelko_wave::CVolume* m_volume;
    pelko_wave::CQuestion* m_question;
    const qnr::CQuestion* m_sourceQuestion;
    // Responses made from source responses; owned here while undone.
    struct SMadeModality
    {
        pelko_wave::CModality* Modality;
        std::unique_ptr<pelko_wave::CModality> Owned;
    };
    std::vector<SMadeModality> m_madeModalities;
    CAddedModalityCaptions m_captions;
    CModalityOrders m_ordersBefore;
    CModalityOrders m_ordersAfter;
};

// Matches the campaign response to the source response in the volume from the volume on.
class CCmdCreateModMatching final : public CCmdMatchingBase
{
public:
    CCmdCreateModMatching(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume,
                          pelko_wave::CModality* modality, const qnr::CModalite* sourceModality);
    ~CCmdCreateModMatching() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    void UndoOther() override;
    void RedoOther() override;

    pelko_wave::CVolume* m_volume;
    pelko_wave::CModality* m_modality;
    const qnr::CModalite* m_sourceModality;
    CAddedModalityCaptions m_captions;
};

// Makes the campaign question unmatched from the volume on: the volume's own matching is taken
// out with the question's response matchings there and below; an inherited one is cut to end
// before the volume, with its response matchings. Fails when no matching holds at the volume.
class CCmdBreakQuesMatching final : public CCmdMatchingBase
{
public:
    CCmdBreakQuesMatching(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume,
                          pelko_wave::CQuestion* question, const QString& sourceCode);
    CCmdBreakQuesMatching(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume,
                          pelko_wave::CQuestion* question, const qnr::CQuestion* sourceQuestion);
    ~CCmdBreakQuesMatching() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    pelko_wave::CVolume* m_volume;
    pelko_wave::CQuestion* m_question;
    const qnr::CQuestion* m_sourceQuestion = nullptr;
    QString m_sourceCode; // names the source question where it may be gone; takes no part
};

// The same for one response; an own matching is taken out of this volume only.
class CCmdBreakModMatching final : public CCmdMatchingBase
{
public:
    CCmdBreakModMatching(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume,
                         pelko_wave::CModality* modality, const QString& sourceCode);
    CCmdBreakModMatching(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume,
                         pelko_wave::CModality* modality, const qnr::CModalite* sourceModality);
    ~CCmdBreakModMatching() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    pelko_wave::CVolume* m_volume;
    pelko_wave::CModality* m_modality;
    const qnr::CModalite* m_sourceModality = nullptr;
    QString m_sourceCode;
};

// Breaks the campaign question's matchings in the pivot volume and every volume after it in
// campaign order; earlier volumes keep theirs. A volume without a matching is passed over.
class CCmdDeepBreakQuesMatching final : public CCmdMatchingBase
{
public:
    // The source question is handed on in the record only.
    CCmdDeepBreakQuesMatching(pelko_wave::CCampaign* campaign, pelko_wave::CQuestion* question,
                              const qnr::CQuestion* sourceQuestion, int pivotVolumeId);
    ~CCmdDeepBreakQuesMatching() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    pelko_wave::CQuestion* m_question;
    const qnr::CQuestion* m_sourceQuestion;
    int m_pivotVolumeId;
};

// The same for one response of a question.
class CCmdDeepBreakModMatching final : public CCmdMatchingBase
{
public:
    // The source response is handed on in the record only.
    CCmdDeepBreakModMatching(pelko_wave::CCampaign* campaign, pelko_wave::CQuestion* question,
                             pelko_wave::CModality* modality, const qnr::CModalite* sourceModality,
                             int pivotVolumeId);
    ~CCmdDeepBreakModMatching() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    pelko_wave::CQuestion* m_question;
    pelko_wave::CModality* m_modality;
    const qnr::CModalite* m_sourceModality;
    int m_pivotVolumeId;
};

// Deletes one question matching outright, with the response matchings of its question that its
// volume holds. Fails when the matching's volume no longer exists.
class CCmdRemoveQuestionMatching final : public CCmdMatchingBase
{
public:
    CCmdRemoveQuestionMatching(pelko_wave::CCampaign* campaign,
                               pelko_wave::CQuestionMatching* matching);
    ~CCmdRemoveQuestionMatching() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    bool CanReplay() const override;

    pelko_wave::CQuestionMatching* m_matching;
    int m_volumeId;
};

// Deletes one response matching outright. Fails when the matching's volume no longer exists.
class CCmdRemoveModalityMatching final : public CCmdMatchingBase
{
public:
    CCmdRemoveModalityMatching(pelko_wave::CCampaign* campaign,
                               pelko_wave::CModalityMatching* matching);
    ~CCmdRemoveModalityMatching() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    bool CanReplay() const override;

    pelko_wave::CModalityMatching* m_matching;
    int m_volumeId;
};

// The end that cuts a matching held above the volume so that it stops before the volume: the
// latest volume before it among its parent and the parent's descendants, else the parent. -1
// for a volume without a parent.
int GetCutPoint(const pelko_wave::CVolume& volume);

// Every volume of the campaign in campaign order: waves in array order, then each wave's volumes.
std::vector<pelko_wave::CVolume*> GetVolumesInCampaignOrder(const pelko_wave::CCampaign& campaign);
