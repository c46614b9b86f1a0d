#pragma once

#include "commands/CmdVirtual.h"
#include "commands/OrderSnapshots.h"

#include <QMap>
#include <QString>
#include <memory>

// The commands that add questions, chapters and responses to the campaign questionnaire, merge
// a response into another in one volume, and raise maximum response counts. Undo gives back the
// orders exactly as they were before Do, Redo those after it.

namespace pelko_wave {
class CCampaign;
class CModality;
class CModalityMerging;
class CQuestion;
class CVolume;
} // namespace pelko_wave

namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

// The frame of the commands that put one new question into the campaign at its order: Undo
// takes it out and gives every other question its order back, Redo puts it back.
class CCmdInsertQuestion : public CCmdVirtual
{
public:
    ~CCmdInsertQuestion() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    // Fails, changing nothing, when the campaign's question of the new one's id is another.
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;

protected:
    explicit CCmdInsertQuestion(pelko_wave::CCampaign* campaign);
    // The new question, made by the first Do.
    virtual std::unique_ptr<pelko_wave::CQuestion> MakeQuestion() = 0;

    pelko_wave::CQuestion* m_question = nullptr; // null before Do

private:
    std::unique_ptr<pelko_wave::CQuestion> m_removed; // the question while undone
    CQuestionOrders m_before;
    CQuestionOrders m_after;
};

// A campaign question made from a source question of the volume, with its captions, at the
// order asked for (-1: after the last question). It makes no matching.
class CCmdNewQuestion final : public CCmdInsertQuestion
{
public:
    CCmdNewQuestion(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume,
                    const qnr::CQuestion* sourceQuestion, int order);

    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

    // The question made by Do; null before.
    pelko_wave::CQuestion* GetQuestion() const { return m_question; }

private:
    std::unique_ptr<pelko_wave::CQuestion> MakeQuestion() override;

    pelko_wave::CVolume* m_volume;
    const qnr::CQuestion* m_sourceQuestion;
    int m_order;
};

// A chapter of the given name appearing in the volume (without one, in the campaign's first
// volume), at the order asked for (-1: after the last question).
class CCmdCreateChapter final : public CCmdInsertQuestion
{
public:
    CCmdCreateChapter(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume,
                      const QString& name, int order);

    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

    pelko_wave::CQuestion* GetChapter() const { return m_question; }

private:
    std::unique_ptr<pelko_wave::CQuestion> MakeQuestion() override;

    pelko_wave::CVolume* m_volume;
    QString m_name;
    int m_order;
};

// A campaign response of the question made from a source response, with its captions, at the
// order asked for (-1: after the last response). It makes no matching.
class CCmdNewModality final : public CCmdVirtual
{
public:
    CCmdNewModality(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume,
                    pelko_wave::CQuestion* question, const qnr::CModalite* sourceModality,
                    int order);
    ~CCmdNewModality() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

    pelko_wave::CModality* GetModality() const { return m_modality; }

private:
    pelko_wave::CVolume* m_volume;
    pelko_wave::CQuestion* m_question;
    const qnr::CModalite* m_sourceModality;
    int m_order;
    pelko_wave::CModality* m_modality = nullptr;
    std::unique_ptr<pelko_wave::CModality> m_removed;
    CModalityOrders m_before;
    CModalityOrders m_after;
    // The campaign's highest response id and the question's highest response order, before and
    // after Do: an undone response leaves its id and order free again.
    struct SCounters
    {
        int MaxModalityId = 0;
        int MaxModalityOrder = 0;
    };
    SCounters TakeCounters() const;
    void RestoreCounters(const SCounters& counters);
    SCounters m_countersBefore;
    SCounters m_countersAfter;
};

// Merges the child response into the master response in the volume: one merging record.
class CCmdMergeModalities final : public CCmdVirtual
{
public:
    CCmdMergeModalities(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume,
                        pelko_wave::CModality* master, pelko_wave::CModality* child);
    ~CCmdMergeModalities() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    pelko_wave::CVolume* m_volume;
    pelko_wave::CModality* m_master;
    pelko_wave::CModality* m_child;
    std::unique_ptr<pelko_wave::CModalityMerging> m_removed; // the merging while undone
};

// Raises the maximum response count of every campaign question to the largest of the source
// questions matched to it in the reconciled volumes; a count is never lowered.
class CCmdMaximiseResponseCnt final : public CCmdVirtual
{
public:
    // The flag is the issuer's and changes nothing.
    CCmdMaximiseResponseCnt(pelko_wave::CCampaign* campaign, bool flag);

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    QMap<pelko_wave::CQuestion*, int> m_before;
    QMap<pelko_wave::CQuestion*, int> m_after;
    bool m_flag;
};
