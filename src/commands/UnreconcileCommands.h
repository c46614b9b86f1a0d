#pragma once

#include "commands/CampaignCounters.h"
#include "commands/CmdVirtual.h"
#include "commands/MatchingChanges.h"
#include "commands/OrderSnapshots.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <map>
#include <memory>
#include <vector>

namespace pelko_wave {
class CModality;
class CModalityMerging;
class CQuestion;
class CVolume;
class CWave;
} // namespace pelko_wave

// Takes a volume back to the unreconciled state: removes what its reconciliation gave the
// campaign (its matchings and mergings, and the campaign questions and responses that first
// appeared in it and are matched nowhere else) while the volumes below it keep, as their own
// copies, the matchings they inherited through it.
class CCmdUnreconcileVolume : public CCmdVirtual
{
public:
    // keepChapters: chapters that first appeared in the volume stay in the campaign.
    CCmdUnreconcileVolume(pelko_wave::CCampaign* campaign, int volumeId, bool keepChapters);
    ~CCmdUnreconcileVolume() override;

    // Fails, changing nothing, when the volume is not in the campaign.
    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

protected:
    int m_volumeId;
    int m_waveId = -1;
    pelko_wave::CVolume* m_pVolume = nullptr;

private:
    // Matchings to be taken out, by the volume that holds them.
    template <class TMatching>
    using MatchingsByHolder = std::map<pelko_wave::CVolume*, QSet<const TMatching*>>;

    // The volume's matching of one campaign item: copied into every child that inherits it,
    // then listed to be taken out (it started here) or ended at the volume's parent (it was
    // inherited).
    template <class TMatching>
    void UnreconcileMatching(TMatching& matching,
                             TMatching* (pelko_wave::CVolume::*lookup)(int, int) const, int itemId,
                             MatchingsByHolder<TMatching>& removed);
    void UnreconcileModalities(MatchingsByHolder<pelko_wave::CModalityMatching>& removed);
    void UnreconcileQuestions(MatchingsByHolder<pelko_wave::CQuestionMatching>& removed);
    // Lists the responses of the listed questions too (a response goes with its question), with
    // any matching of them that a volume holds.
    void TakeResponsesWithTheirQuestions(MatchingsByHolder<pelko_wave::CModalityMatching>& removed);
    // Takes out every merging that names a listed response, keeping it with the volume's own.
    void RemoveMergingsOfListedResponses();
    // Takes the listed responses and questions out of the campaign.
    void RemoveListedItems();
    void ApplyChange();
    void TakeChangeBack();

    bool m_keepChapters;
    int m_linkBefore = 0;
    int m_linkAfter = 0;
    int m_statusBefore = 0;
    std::vector<std::unique_ptr<pelko_wave::CModalityMerging>> m_mergings; // while done
    // The copies given to child volumes, the matchings taken out and the ends changed.
    CMatchingChanges m_matchings;
    // The campaign questions and responses taken out; owned by the vectors while done.
    QList<pelko_wave::CQuestion*> m_removedQuestionList;
    QList<pelko_wave::CModality*> m_removedModalityList;
    std::vector<std::unique_ptr<pelko_wave::CQuestion>> m_removedQuestions;
    std::vector<std::unique_ptr<pelko_wave::CModality>> m_removedModalities;
    QMap<pelko_wave::CQuestion*, int> m_questionAppearanceBefore;
    QMap<pelko_wave::CQuestion*, int> m_questionAppearanceAfter;
    QMap<pelko_wave::CModality*, int> m_modalityAppearanceBefore;
    QMap<pelko_wave::CModality*, int> m_modalityAppearanceAfter;
    CQuestionOrders m_questionOrdersBefore;
    CQuestionOrders m_questionOrdersAfter;
    CAllModalityOrders m_modalityOrdersBefore;
    CAllModalityOrders m_modalityOrdersAfter;
    SCampaignCounters m_countersBefore;
    SCampaignCounters m_countersAfter;
};

// Unreconciles a volume, then takes it out of its wave and of the volume tree, with its item in
// the reserved wave question; the volumes that inherited from it become roots.
class CCmdRemoveVolume : public CCmdUnreconcileVolume
{
public:
    CCmdRemoveVolume(pelko_wave::CCampaign* campaign, int volumeId);
    ~CCmdRemoveVolume() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    // Finds the volume's items of the reserved question, at the first Do.
    void FindReservedItems();
    // Takes the volume's items of the reserved question and the volume out, first at Do.
    void TakeOut(bool first);
    void PutBack();

    std::unique_ptr<pelko_wave::CVolume> m_volume; // while removed
    pelko_wave::CWave* m_pWave = nullptr;
    int m_position = -1;
    pelko_wave::CVolume* m_pParent = nullptr;
    int m_childPosition = -1;
    std::vector<pelko_wave::CVolume*> m_children;
    // A wave response that first appears elsewhere once the volume is gone.
    struct SAppearanceMove
    {
        pelko_wave::CModality* Response;
        int Before;
        int After;
    };

    // The volume's item of the reserved question: its response matching, its question
    // matching, the wave responses that go with the volume (owned while removed) with their
    // mergings, the appearances that move, and question 1 itself when no response is left to
    // it.
    pelko_wave::CModalityMatching* m_pReservedModalityMatching = nullptr;
    pelko_wave::CQuestionMatching* m_pReservedQuestionMatching = nullptr;
    CMatchingChanges m_reservedMatchings;
    std::vector<pelko_wave::CModality*> m_reservedModalities;
    std::vector<std::unique_ptr<pelko_wave::CModality>> m_removedReservedModalities;
    std::vector<std::unique_ptr<pelko_wave::CModalityMerging>> m_reservedMergings;
    std::vector<SAppearanceMove> m_reservedAppearances;
    pelko_wave::CQuestion* m_pReservedQuestion = nullptr;
    std::unique_ptr<pelko_wave::CQuestion> m_reservedQuestion;
    int m_appearanceBefore = -1;
    int m_appearanceAfter = -1;
};
