#pragma once

#include "commands/CampaignCounters.h"
#include "commands/CmdVirtual.h"
#include "commands/MatchingChanges.h"
#include "commands/MetaCommands.h"
#include "commands/OrderSnapshots.h"
#include "model/DefaultLanguageCaptions.h"
#include "model/MatchIndexes.h"
#include "reconcile/ReconcileResults.h"
#include "reconcile/WaveReconciliation.h"

#include <QHash>
#include <QMap>
#include <QString>
#include <memory>
#include <set>
#include <vector>

namespace pelko_wave {
class CLanguage;
class CModality;
class CModalityCaption;
class CQuestion;
class CQuestionCaption;
class CQuestionClass;
class CVersion;
class CWave;
} // namespace pelko_wave

// Runs the engine's reconciliation of a wave as one undoable step. It keeps what the run added,
// ended and changed, per volume, so that Undo takes the whole run back and Redo puts it back
// without matching again. A run that fails part-way is taken back before Do reports it: the
// campaign is then exactly as before.
class CCmdReconcileWave : public CCmdVirtual
{
public:
    CCmdReconcileWave(pelko_wave::CCampaign* campaign, pelko_wave::CWave* wave,
                      const pelko_wave::SReconcileWaveOptions& options);
    ~CCmdReconcileWave() override;

    // On failure the error text is the report written so far.
    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

    const QString& GetReport() const { return m_report; }
    const pelko_wave::ReconcileResultsMap& GetResults() const { return m_results; }
    const pelko_wave::SReconcileWaveOptions& GetOptions() const { return m_options; }
    // Whether the last failed Do has already told the user why: an interactive run that stops
    // shows its reason itself.
    bool IsFailureShown() const { return m_failureShown; }

protected:
    // The engine's run; tests replace it.
    virtual bool RunEngine(pelko_wave::ReconcileResultsMap& results, QString& report);

private:
    // What Undo took out of the model and the values it replaced for one volume, for Redo to
    // put back. Owns the objects while they are out of the model.
    struct SVolumeRedo;
    // The parts of the campaign that are given back whole rather than volume by volume.
    struct SSnapshot
    {
        CQuestionOrders QuestionOrders;
        CAllModalityOrders ModalityOrders;
        SCampaignCounters Counters;
        QHash<pelko_wave::CQuestion*, pelko_wave::CResponseIndex> ResponseIndexes;

        void Take(const pelko_wave::CCampaign& campaign);
        void Restore(pelko_wave::CCampaign& campaign) const;
    };

    // Brings the inherited matchings below each reconciled volume into line with it.
    void RecheckVolumeTrees();
    void UndoVolume(const pelko_wave::SReconcileResults& results, SVolumeRedo& redo);
    void RedoVolume(const pelko_wave::SReconcileResults& results, SVolumeRedo& redo);
    // Undoes every volume of the results, last processed first, and gives back the snapshot
    // taken before the run.
    void TakeBackRun();

    pelko_wave::CWave* m_pWave;
    int m_waveId;
    pelko_wave::SReconcileWaveOptions m_options;
    QString m_report;
    bool m_failureShown = false;
    bool m_undone = false;
    pelko_wave::ReconcileResultsMap m_results;
    // The volumes of the results in the order the run processed them.
    std::vector<int> m_volumeOrder;
    std::map<int, std::unique_ptr<SVolumeRedo>> m_redo;
    // What the re-checks below the reconciled volumes changed, after the run.
    CMatchingChanges m_rechecks;
    SSnapshot m_before;
    SSnapshot m_after;
};

// Fills the captions of the campaign's default language that questions and responses lack, from
// their other languages, and keeps what it added and replaced so that it can take it back.
class CCmdPrepDefLang : public CCmdVirtual
{
public:
    explicit CCmdPrepDefLang(pelko_wave::CCampaign* campaign);
    ~CCmdPrepDefLang() override;

    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    // What Do added and the texts it replaced; the added captions are owned by their question
    // or response while in the model, and by m_questionCaptions and m_modalityCaptions while
    // undone.
    pelko_wave::SPrepDefLangState m_before;
    // The texts that Undo replaced, for Redo.
    pelko_wave::SPrepDefLangState m_after;
    std::vector<std::unique_ptr<pelko_wave::CQuestionCaption>> m_questionCaptions;
    std::vector<std::unique_ptr<pelko_wave::CModalityCaption>> m_modalityCaptions;
};

// The reconcile step: reconciles the wave, then prepares the default language, as one
// composite named "reconcile wave". reconcileCallBacks go with the reconciliation (the left
// view's after-Do callback shows the report). Null without a wave.
std::unique_ptr<CMetaReconcileWaveCmd>
MakeReconcileWaveCmd(pelko_wave::CCampaign* campaign, pelko_wave::CWave* wave,
                     const pelko_wave::SReconcileWaveOptions& options,
                     CCmdCallBacks reconcileCallBacks = {});

// The re-reconcile step: unreconciles every volume of the wave, last first (keeping chapters
// when asked), then reconciles the wave, as one composite named "re-reconcile wave". Null
// without a wave.
std::unique_ptr<CMetaReReconcileWaveCmd>
MakeReReconcileWaveCmd(pelko_wave::CCampaign* campaign, pelko_wave::CWave* wave, bool keepChapters,
                       const pelko_wave::SReconcileWaveOptions& options,
                       CCmdCallBacks reconcileCallBacks = {});
