#pragma once

#include "commands/CampaignCounters.h"
#include "commands/CmdVirtual.h"
#include "commands/OrderSnapshots.h"
#include "model/SourcePath.h"

#include <QList>
#include <QString>
#include <memory>

namespace pelko_wave {
class CModality;
class CModalityMatching;
class CQuestion;
class CQuestionMatching;
class CVolume;
class CWave;
} // namespace pelko_wave

// The properties of a new volume, as the new-volume wizard (or the batch run) gives them.
struct SNewVolumeProperties
{
    // The volume it inherits from; -1 (or an id that names no volume) makes it a root.
    int ParentVolumeId = -1;
    int SourceType = 0;
    bool IsMatchingStrict = false;
    QList<quint32> QuestionMatchingMethods;
    QList<quint32> ResponseMatchingMethods;
    pelko_wave::CSourcePath MetaData;
    pelko_wave::CSourcePath CaseData;
    // How the volume's interviews join those of the wave's main volume (2: through the link
    // question).
    int InterviewMergeMethod = 0;
    int MainVolumeLinkQuestionId = 0;
    QString ThisVolumeLinkQuestionId;
    bool CaseSensitiveMatching = false;
    bool MatchUsingAncestorValues = false;
};

// Adds an unreconciled volume at the end of a wave, under its parent in the volume tree. The
// first volume of a wave is its main volume.
class CCmdNewVolume : public CCmdVirtual
{
public:
    CCmdNewVolume(pelko_wave::CCampaign* campaign, pelko_wave::CWave* wave, const QString& name,
                  const SNewVolumeProperties& properties);
    ~CCmdNewVolume() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

    int GetNewVolumeId() const { return m_newVolumeId; }
    pelko_wave::CVolume* GetNewVolume() const { return m_pVolume; }

private:
    // Puts the volume under its parent, when it has one.
    void LinkParent();

    bool m_undone = false;
    std::unique_ptr<pelko_wave::CVolume> m_volume; // while undone
    pelko_wave::CVolume* m_pVolume = nullptr;
    pelko_wave::CWave* m_pWave;
    int m_newVolumeId = -1;
    QString m_name;
    SNewVolumeProperties m_properties;
    SCampaignCounters m_countersBefore;
    SCampaignCounters m_countersAfter;
};

// Gives the first volume of a wave its item in the reserved analysis question (id 1, "Wave"):
// a response named after the wave, matched in the volume. The question is made with the
// campaign's first such item.
class CCmdAddVolAnalyseMatching : public CCmdVirtual
{
public:
    CCmdAddVolAnalyseMatching(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume);
    ~CCmdAddVolAnalyseMatching() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    pelko_wave::CVolume* m_pVolume;
    bool m_undone = false;
    // The appearance volume of question 1 before Do moved it here; -1 when unchanged.
    int m_previousAppearanceVolumeId = -1;
    // What Do made; each owned here while the command is undone.
    pelko_wave::CQuestion* m_pQuestion = nullptr; // null when question 1 existed
    pelko_wave::CQuestionMatching* m_pQuestionMatching = nullptr;
    pelko_wave::CModality* m_pModality = nullptr;
    pelko_wave::CModalityMatching* m_pModalityMatching = nullptr;
    std::unique_ptr<pelko_wave::CQuestion> m_question;
    std::unique_ptr<pelko_wave::CQuestionMatching> m_questionMatching;
    std::unique_ptr<pelko_wave::CModality> m_modality;
    std::unique_ptr<pelko_wave::CModalityMatching> m_modalityMatching;
    // Making question 1 (at order 0) moves every other question one order up.
    CQuestionOrders m_questionOrdersBefore;
    CQuestionOrders m_questionOrdersAfter;
    // Adding the wave response may move the later responses of question 1 one order up.
    CModalityOrders m_responseOrdersBefore;
    CModalityOrders m_responseOrdersAfter;
    SCampaignCounters m_countersBefore;
    SCampaignCounters m_countersAfter;
};
