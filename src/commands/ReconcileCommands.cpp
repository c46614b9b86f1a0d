#include "commands/ReconcileCommands.h"

#include "commands/UnreconcileCommands.h"
#include "commands/WaveCallBackInfo.h"
#include "model/Campaign.h"
#include "reconcile/VolumeTreeRechecks.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <exception>

using namespace pelko_wave;

namespace {

// Gives each object of the map the text the map holds for it, noting in replaced (when given)
// the text it had, so that the same call on the noted texts puts them back.
template <class TObject>
void SetTexts(const QMap<TObject*, QString>& texts, const QString& (TObject::*get)() const,
              void (TObject::*set)(const QString&), QMap<TObject*, QString>* replaced = nullptr)
{
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        if (replaced)
            replaced->insert(it.key(), (it.key()->*get)());
        (it.key()->*set)(it.value());
    }
}

// Gives each matching of the map the end volume that the map holds for it.
template <class TMatching> void SetEnds(const QMap<TMatching*, int>& ends)
{
    for (auto it = ends.cbegin(); it != ends.cend(); ++it)
        it.key()->SetEndVolumeId(it.value());
}

} // namespace

struct CCmdReconcileWave::SVolumeRedo
{
    std::vector<std::unique_ptr<CVersion>> Versions;
    std::vector<std::unique_ptr<CQuestionClass>> QuestionClasses;
    std::vector<std::unique_ptr<CLanguage>> Languages;
    std::vector<std::unique_ptr<CQuestion>> Questions;
    std::vector<std::unique_ptr<CModality>> Modalities;
    std::vector<std::unique_ptr<CQuestionCaption>> QuestionCaptions;
    std::vector<std::unique_ptr<CModalityCaption>> ModalityCaptions;
    std::vector<std::unique_ptr<CQuestionMatching>> QuestionMatchings;
    std::vector<std::unique_ptr<CModalityMatching>> ModalityMatchings;
    QMap<CVersion*, QString> VersionLongCaptions;
    QMap<CVersion*, QString> VersionShortCaptions;
    QMap<CQuestionClass*, QString> QuestionClassCaptions;
    int MainVolumeLinkQuestionId = 0;
    int Status = 0;
    CQuestionIndex QuestionIndex;
    int DefaultLanguageId = 0;
    std::set<int> DefaultLanguages;
};

void CCmdReconcileWave::SSnapshot::Take(const CCampaign& campaign)
{
    ResponseIndexes.clear();
    QuestionOrders.Take(campaign);
    ModalityOrders.Take(campaign);
    Counters = SCampaignCounters::Take(campaign);
    // The look-up records are shared copies: taking them costs no more than the orders.
    ResponseIndexes.reserve(campaign.GetQuestionCount());
    for (int i = 0; i < campaign.GetQuestionCount(); ++i)
        ResponseIndexes.insert(campaign.GetQuestion(i),
                               campaign.GetQuestion(i)->GetResponseIndex());
}

void CCmdReconcileWave::SSnapshot::Restore(CCampaign& campaign) const
{
    QuestionOrders.Restore(campaign);
    ModalityOrders.Restore();
    Counters.Restore(campaign);
    for (auto it = ResponseIndexes.cbegin(); it != ResponseIndexes.cend(); ++it)
        it.key()->GetResponseIndex() = it.value();
}

CCmdReconcileWave::CCmdReconcileWave(CCampaign* campaign, CWave* wave,
                                     const SReconcileWaveOptions& options)
    : CCmdVirtual(campaign), m_pWave(wave), m_waveId(wave ? wave->GetWaveId() : -1),
      m_options(options)
{
}

CCmdReconcileWave::~CCmdReconcileWave() = default;

bool CCmdReconcileWave::RunEngine(ReconcileResultsMap& results, QString& report)
{
    return ReconcileWave(m_waveId, results, report, m_options);
}

bool CCmdReconcileWave::Do(std::unique_ptr<CCallBackInfo>& record)
{
    SetErrorText(QString());
    m_failureShown = false;
    if (!m_pCampaign || !m_pWave || m_pCampaign->FindWave(m_waveId) != m_pWave)
        return false;
    CCampaign& campaign = *m_pCampaign;
    m_before.Take(campaign);
    m_volumeOrder.clear();
    for (int v = 0; v < m_pWave->GetVolumeCount(); ++v)
        m_volumeOrder.push_back(m_pWave->GetVolume(v)->GetVolumeId());

    bool done = false;
    QString failure;
    try {
        done = RunEngine(m_results, m_report);
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    }
    if (!done) {
        // What the volumes already processed changed is taken back: a failed step leaves the
        // campaign as it found it.
        TakeBackRun();
        m_redo.clear();
        m_results.clear();
        SetErrorText(failure.isEmpty() ? m_report : failure);
        m_failureShown = failure.isEmpty() && m_options.Interactive;
        return false;
    }

    RecheckVolumeTrees();
    m_after.Take(campaign);
    m_undone = false;
    record = CreateCallBackInfo();
    return true;
}

void CCmdReconcileWave::RecheckVolumeTrees()
{
    CCampaign& campaign = *m_pCampaign;
    SVolumeTreeChanges changes;
    for (const auto& [volumeId, results] : m_results) {
        CVolume* volume = campaign.FindVolume(volumeId);
        if (!volume)
            continue;
        for (int c = 0; c < volume->GetChildVolumeCount(); ++c) {
            CVolume* child = volume->GetChildVolumeAt(c);
            RecheckVolumeTreeMatchings(*volume, *child, changes);
            CheckInheritedMatchingsInVolumeTree(campaign, *volume, *child, changes, true, true);
        }
    }
    m_rechecks.Merge(std::move(changes));
}

void CCmdReconcileWave::UndoVolume(const SReconcileResults& results, SVolumeRedo& redo)
{
    CCampaign& campaign = *m_pCampaign;
    CVolume* volume = campaign.FindVolume(results.VolumeId);
    if (!volume)
        return;

    // The default language, before the languages that may have become default go.
    if (results.DefaultLanguageChanged) {
        redo.DefaultLanguageId = campaign.GetDefaultLanguageId();
        redo.DefaultLanguages.clear();
        for (int i = 0; i < campaign.GetLanguageCount(); ++i) {
            CLanguage* language = campaign.GetLanguage(i);
            if (language->IsDefault())
                redo.DefaultLanguages.insert(language->GetLanguageId());
            language->SetIsDefault(
                results.PreviousDefaultLanguages.count(language->GetLanguageId()) ? 1 : 0);
        }
        campaign.SetDefaultLanguageId(results.PreviousDefaultLanguageId);
    }

    // Captions added to items that existed before.
    for (CModalityCaption* caption : results.AddedModalityCaptions) {
        CModality* modality = campaign.GetModalityById(caption->GetModalityId());
        if (modality && modality->FindCaption(caption->GetLanguageId()) == caption)
            redo.ModalityCaptions.push_back(modality->RemoveCaption(caption->GetLanguageId()));
    }
    for (CQuestionCaption* caption : results.AddedQuestionCaptions) {
        CQuestion* question = campaign.GetQuestionById(caption->GetQuestionId());
        if (question && question->FindCaption(caption->GetLanguageId()) == caption)
            redo.QuestionCaptions.push_back(question->RemoveCaption(caption->GetLanguageId()));
    }

    // Matchings: ends given back, those made taken out. A volume may have made tens of thousands:
    // each kind is taken out in one pass, as are the responses and questions made.
    SetEnds(results.ModalityEndsBefore);
    redo.ModalityMatchings = volume->RemoveModalityMatchings(
        {results.ModalityMatchingsMade.cbegin(), results.ModalityMatchingsMade.cend()});
    SetEnds(results.QuestionEndsBefore);
    redo.QuestionMatchings = volume->RemoveQuestionMatchings(
        {results.QuestionMatchingsMade.cbegin(), results.QuestionMatchingsMade.cend()});
    for (CModality* modality : results.CreatedModalities) {
        if (CQuestion* question = campaign.GetQuestionById(modality->GetQuestionId()))
            question->RemoveModality(modality->GetModalityId());
    }
    redo.Modalities = campaign.RemoveModalities(results.CreatedModalities);
    redo.Questions = campaign.RemoveQuestions(results.CreatedQuestions);

    // Reference data.
    for (CVersion* version : results.AddedVersions) {
        if (auto removed = campaign.RemoveVersion(version->GetVersionId()))
            redo.Versions.push_back(std::move(removed));
    }
    SetTexts(results.OldVersionLongCaptions, &CVersion::GetLongCaption, &CVersion::SetLongCaption,
             &redo.VersionLongCaptions);
    SetTexts(results.OldVersionShortCaptions, &CVersion::GetShortCaption,
             &CVersion::SetShortCaption, &redo.VersionShortCaptions);
    for (CQuestionClass* questionClass : results.AddedQuestionClasses) {
        if (auto removed = campaign.RemoveQuestionClass(questionClass->GetQuestionClassId()))
            redo.QuestionClasses.push_back(std::move(removed));
    }
    SetTexts(results.OldQuestionClassCaptions, &CQuestionClass::GetCaption,
             &CQuestionClass::SetCaption, &redo.QuestionClassCaptions);
    for (CLanguage* language : results.AddedLanguages) {
        if (auto removed = campaign.RemoveLanguage(language->GetLanguageId()))
            redo.Languages.push_back(std::move(removed));
    }

    for (auto it = results.QuestionAppearanceBefore.cbegin();
         it != results.QuestionAppearanceBefore.cend(); ++it)
        it.key()->SetAppearanceVolumeId(it.value());
    for (auto it = results.ModalityAppearanceBefore.cbegin();
         it != results.ModalityAppearanceBefore.cend(); ++it)
        it.key()->SetAppearanceVolumeId(it.value());

    redo.MainVolumeLinkQuestionId = volume->GetMainVolumeLinkQuestionId();
    redo.Status = volume->GetStatus();
    redo.QuestionIndex = volume->GetQuestionIndex();
    volume->SetMainVolumeLinkQuestionId(results.PreviousMainVolumeLinkQuestionId);
    volume->SetStatus(results.PreviousStatus);
    volume->GetQuestionIndex() = results.PreviousQuestionIndex;
}

void CCmdReconcileWave::RedoVolume(const SReconcileResults& results, SVolumeRedo& redo)
{
    CCampaign& campaign = *m_pCampaign;
    CVolume* volume = campaign.FindVolume(results.VolumeId);
    if (!volume)
        return;

    // Each list holds its objects in the order they were first made.
    for (auto& language : redo.Languages)
        campaign.AddLanguage(std::move(language));
    for (auto& questionClass : redo.QuestionClasses)
        campaign.AddQuestionClass(std::move(questionClass));
    SetTexts(redo.QuestionClassCaptions, &CQuestionClass::GetCaption, &CQuestionClass::SetCaption);
    for (auto& version : redo.Versions)
        campaign.AddVersion(std::move(version));
    SetTexts(redo.VersionLongCaptions, &CVersion::GetLongCaption, &CVersion::SetLongCaption);
    SetTexts(redo.VersionShortCaptions, &CVersion::GetShortCaption, &CVersion::SetShortCaption);

    // The questions go back by their orders; the snapshot after the run gives every order back.
    campaign.InsertQuestions(std::move(redo.Questions));
    for (auto& modality : redo.Modalities) {
        CModality* raw = modality.get();
        campaign.AddModality(std::move(modality));
        if (CQuestion* question = campaign.GetQuestionById(raw->GetQuestionId()))
            question->InsertModality(raw);
    }

    for (auto& matching : redo.QuestionMatchings)
        volume->AddQuestionMatching(std::move(matching));
    SetEnds(results.QuestionEndsAfter);
    for (auto& matching : redo.ModalityMatchings)
        volume->AddModalityMatching(std::move(matching));
    SetEnds(results.ModalityEndsAfter);

    for (auto& caption : redo.QuestionCaptions) {
        if (CQuestion* question = campaign.GetQuestionById(caption->GetQuestionId()))
            question->AddCaption(std::move(caption));
    }
    for (auto& caption : redo.ModalityCaptions) {
        if (CModality* modality = campaign.GetModalityById(caption->GetModalityId()))
            modality->AddCaption(std::move(caption));
    }

    for (auto it = results.QuestionAppearanceAfter.cbegin();
         it != results.QuestionAppearanceAfter.cend(); ++it)
        it.key()->SetAppearanceVolumeId(it.value());
    for (auto it = results.ModalityAppearanceAfter.cbegin();
         it != results.ModalityAppearanceAfter.cend(); ++it)
        it.key()->SetAppearanceVolumeId(it.value());

    volume->SetMainVolumeLinkQuestionId(redo.MainVolumeLinkQuestionId);
    volume->SetStatus(redo.Status);
    volume->GetQuestionIndex() = redo.QuestionIndex;

    if (results.DefaultLanguageChanged) {
        for (int i = 0; i < campaign.GetLanguageCount(); ++i) {
            CLanguage* language = campaign.GetLanguage(i);
            language->SetIsDefault(redo.DefaultLanguages.count(language->GetLanguageId()) ? 1 : 0);
        }
        campaign.SetDefaultLanguageId(redo.DefaultLanguageId);
    }
    redo = SVolumeRedo();
}

void CCmdReconcileWave::TakeBackRun()
{
    m_redo.clear();
    for (auto it = m_volumeOrder.crbegin(); it != m_volumeOrder.crend(); ++it) {
        const auto found = m_results.find(*it);
        if (found == m_results.end())
            continue;
        auto redo = std::make_unique<SVolumeRedo>();
        UndoVolume(*found->second, *redo);
        m_redo[*it] = std::move(redo);
    }
    m_before.Restore(*m_pCampaign);
}

bool CCmdReconcileWave::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    // The re-checks came after the run: they are taken back first.
    m_rechecks.Undo(*m_pCampaign);
    TakeBackRun();
    m_undone = true;
    record = CreateCallBackInfo();
    return true;
}

bool CCmdReconcileWave::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_undone)
        return false;
    for (const int volumeId : m_volumeOrder) {
        const auto found = m_results.find(volumeId);
        const auto redo = m_redo.find(volumeId);
        if (found != m_results.end() && redo != m_redo.end())
            RedoVolume(*found->second, *redo->second);
    }
    m_redo.clear();
    m_after.Restore(*m_pCampaign);
    m_rechecks.Redo(*m_pCampaign);
    m_undone = false;
    record = CreateCallBackInfo();
    return true;
}

QString CCmdReconcileWave::GetName() const
{
    return LoadString(IDS_RECONCILE_WAVE);
}

std::unique_ptr<CCallBackInfo> CCmdReconcileWave::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoReconcileWave>(&m_results, m_waveId, m_report);
}

// ---------------------------------------------------------------------------------------------

CCmdPrepDefLang::CCmdPrepDefLang(CCampaign* campaign) : CCmdVirtual(campaign) {}

CCmdPrepDefLang::~CCmdPrepDefLang() = default;

bool CCmdPrepDefLang::Do(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_pCampaign)
        return false;
    BuildDefaultLanguageCaptions(*m_pCampaign, &m_before);
    record = CreateCallBackInfo();
    return true;
}

bool CCmdPrepDefLang::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    CCampaign& campaign = *m_pCampaign;
    m_after = SPrepDefLangState();
    // The texts first: a caption made by Do may also have had its other text set.
    SetTexts(m_before.OldQuestionLongCaptions, &CQuestionCaption::GetLongCaption,
             &CQuestionCaption::SetLongCaption, &m_after.OldQuestionLongCaptions);
    SetTexts(m_before.OldQuestionShortCaptions, &CQuestionCaption::GetShortCaption,
             &CQuestionCaption::SetShortCaption, &m_after.OldQuestionShortCaptions);
    SetTexts(m_before.OldModalityShortCaptions, &CModalityCaption::GetShortCaption,
             &CModalityCaption::SetShortCaption, &m_after.OldModalityShortCaptions);
    for (auto it = m_before.AddedQuestionCaptions.crbegin();
         it != m_before.AddedQuestionCaptions.crend(); ++it) {
        CQuestion* question = campaign.GetQuestionById((*it)->GetQuestionId());
        if (question && question->FindCaption((*it)->GetLanguageId()) == *it)
            m_questionCaptions.push_back(question->RemoveCaption((*it)->GetLanguageId()));
    }
    for (auto it = m_before.AddedModalityCaptions.crbegin();
         it != m_before.AddedModalityCaptions.crend(); ++it) {
        CModality* modality = campaign.GetModalityById((*it)->GetModalityId());
        if (modality && modality->FindCaption((*it)->GetLanguageId()) == *it)
            m_modalityCaptions.push_back(modality->RemoveCaption((*it)->GetLanguageId()));
    }
    record = CreateCallBackInfo();
    return true;
}

bool CCmdPrepDefLang::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    CCampaign& campaign = *m_pCampaign;
    for (auto it = m_modalityCaptions.rbegin(); it != m_modalityCaptions.rend(); ++it) {
        if (CModality* modality = campaign.GetModalityById((*it)->GetModalityId()))
            modality->AddCaption(std::move(*it));
    }
    m_modalityCaptions.clear();
    for (auto it = m_questionCaptions.rbegin(); it != m_questionCaptions.rend(); ++it) {
        if (CQuestion* question = campaign.GetQuestionById((*it)->GetQuestionId()))
            question->AddCaption(std::move(*it));
    }
    m_questionCaptions.clear();
    SetTexts(m_after.OldQuestionLongCaptions, &CQuestionCaption::GetLongCaption,
             &CQuestionCaption::SetLongCaption);
    SetTexts(m_after.OldQuestionShortCaptions, &CQuestionCaption::GetShortCaption,
             &CQuestionCaption::SetShortCaption);
    SetTexts(m_after.OldModalityShortCaptions, &CModalityCaption::GetShortCaption,
             &CModalityCaption::SetShortCaption);
    record = CreateCallBackInfo();
    return true;
}

QString CCmdPrepDefLang::GetName() const
{
    return LoadString(IDS_PREPARE_DEFAULT_LANGUAGE);
}

std::unique_ptr<CCallBackInfo> CCmdPrepDefLang::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoPrepDefLang>(&m_before);
}

// ---------------------------------------------------------------------------------------------

std::unique_ptr<CMetaReconcileWaveCmd> MakeReconcileWaveCmd(CCampaign* campaign, CWave* wave,
                                                            const SReconcileWaveOptions& options,
                                                            CCmdCallBacks reconcileCallBacks)
{
    if (!wave)
        return nullptr;
    auto composite = std::make_unique<CMetaReconcileWaveCmd>(IDS_RECONCILE_WAVE, wave->GetWaveId());
    composite->AddCmd(std::make_unique<CCmdReconcileWave>(campaign, wave, options),
                      std::move(reconcileCallBacks));
    composite->AddCmd(std::make_unique<CCmdPrepDefLang>(campaign));
    return composite;
}

std::unique_ptr<CMetaReReconcileWaveCmd>
MakeReReconcileWaveCmd(CCampaign* campaign, CWave* wave, bool keepChapters,
                       const SReconcileWaveOptions& options, CCmdCallBacks reconcileCallBacks)
{
    if (!wave)
        return nullptr;
    auto composite =
        std::make_unique<CMetaReReconcileWaveCmd>(IDS_RERECONCILE_WAVE, wave->GetWaveId());
    for (int v = wave->GetVolumeCount() - 1; v >= 0; --v)
        composite->AddCmd(std::make_unique<CCmdUnreconcileVolume>(
            campaign, wave->GetVolume(v)->GetVolumeId(), keepChapters));
    composite->AddCmd(std::make_unique<CCmdReconcileWave>(campaign, wave, options),
                      std::move(reconcileCallBacks));
    return composite;
}
