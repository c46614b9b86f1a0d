#pragma once

#include "commands/MatchingCommands.h"

#include <QString>
#include <memory>
#include <vector>

// The commands that fold a duplicate campaign question, or a duplicate campaign response, into
// the one that is kept: the duplicate's matchings pass to the kept item where it has none.

namespace pelko_wave {
class CModalityMerging;
class CWave;
} // namespace pelko_wave

// Takes the duplicate question out of the campaign with its responses. Its responses are paired
// with the kept question's by their short captions in the campaign's default language; in each
// volume the duplicate's own matchings are taken out, and those that hold there pass to the kept
// question (and paired responses) unless it is matched there already. The matchings of unpaired
// duplicate responses, and the mergings of any duplicate response, go with it.
class CCmdRemoveDuplicateQuestion final : public CCmdMatchingBase
{
public:
    CCmdRemoveDuplicateQuestion(pelko_wave::CCampaign* campaign, pelko_wave::CQuestion* kept,
                                pelko_wave::CQuestion* duplicate);
    ~CCmdRemoveDuplicateQuestion() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

    int GetKeptQuestionId() const;
    int GetDuplicateQuestionId() const;

private:
    void UndoOther() override;
    void RedoOther() override;
    void TakeDuplicateOut();

    pelko_wave::CQuestion* m_kept;
    pelko_wave::CQuestion* m_duplicate;
    // Owned while done.
    std::unique_ptr<pelko_wave::CQuestion> m_removedQuestion;
    std::vector<std::unique_ptr<pelko_wave::CModality>> m_removedModalities;
    std::vector<std::unique_ptr<pelko_wave::CModalityMerging>> m_removedMergings;
    std::vector<pelko_wave::CModalityMerging*> m_mergings;
    CQuestionOrders m_ordersBefore;
};

// Marks the duplicate response deleted (from the given volume's wave, or the given wave) and
// passes its matchings that hold in each volume to the kept response unless that is matched
// there already. The duplicate stays in its question.
class CCmdRemoveDuplicateModality final : public CCmdMatchingBase
{
public:
    // The value is the issuer's and changes nothing.
    CCmdRemoveDuplicateModality(pelko_wave::CCampaign* campaign, pelko_wave::CWave* wave,
                                pelko_wave::CVolume* volume, int value, pelko_wave::CModality* kept,
                                pelko_wave::CModality* duplicate);
    ~CCmdRemoveDuplicateModality() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

    // The campaign question of both responses.
    int GetQuestionId() const;

private:
    void UndoOther() override;
    void RedoOther() override;
    void MarkDeleted();

    pelko_wave::CWave* m_wave;
    pelko_wave::CVolume* m_volume;
    int m_value;
    pelko_wave::CModality* m_kept;
    pelko_wave::CModality* m_duplicate;
    QString m_sourceId; // the duplicate's source id in the given volume
    int m_deletedBefore = 0;
    int m_deletionWaveBefore = 0;
};
