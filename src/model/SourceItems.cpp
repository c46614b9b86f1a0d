#include "model/SourceItems.h"

#include "model/Campaign.h"
#include "model/ModelHelpers.h"
#include "model/RecordMakers.h"
#include "questionnaire/Questionnaire.h"

#include <QStringList>

namespace pelko_wave {

namespace {

bool AddModalityCaptions(const CQuestion& question, CModality& modality,
                         const qnr::CModalite& source, bool missingOnly,
                         QList<CModalityCaption*>* added)
{
    std::vector<int> languageIds;
    QStringList texts;
    source.GetAllLocalisedTexts(languageIds, texts);
    for (size_t i = 0; i < languageIds.size() && i < size_t(texts.size()); ++i) {
        if (missingOnly && modality.FindCaption(languageIds[i]))
            continue;
        auto caption = MakeModalityCaption(question.GetQuestionId(), modality.GetModalityId(),
                                           languageIds[i], texts[qsizetype(i)]);
        CModalityCaption* made = caption.get();
        if (modality.AddCaption(std::move(caption)) >= 0 && added)
            added->append(made);
    }
    return true;
}

bool AddQuestionCaptions(CQuestion& question, const qnr::CQuestion& source, bool missingOnly,
                         QList<CQuestionCaption*>* added)
{
    std::vector<int> languageIds;
    QStringList longCaptions;
    QStringList shortCaptions;
    source.GetAllLocalisedTexts(languageIds, longCaptions, shortCaptions);
    for (size_t i = 0; i < languageIds.size(); ++i) {
        if (missingOnly && question.FindCaption(languageIds[i]))
            continue;
        auto caption = MakeQuestionCaption(question.GetQuestionId(), languageIds[i],
                                           shortCaptions.value(qsizetype(i)),
                                           longCaptions.value(qsizetype(i)));
        CQuestionCaption* made = caption.get();
        if (question.AddCaption(std::move(caption)) >= 0 && added)
            added->append(made);
    }
    return true;
}

// The first id from start up that the test says is free.
template <typename IsUsed> int FirstFreeId(int start, IsUsed isUsed)
{
    int id = start;
    while (isUsed(id))
        ++id;
    return id;
}

} // namespace

QString FormatVersionIds(const std::vector<int>& ids)
{
    QString text;
    for (const int id : ids)
        text += QString::number(id) + QLatin1Char(';');
    return text;
}

bool AddModalityCaptionsFromSource(const CQuestion& question, CModality& modality,
                                   const qnr::CModalite& source, QList<CModalityCaption*>* added)
{
    return AddModalityCaptions(question, modality, source, false, added);
}

bool AddMissingModalityCaptionsFromSource(const CQuestion& question, CModality& modality,
                                          const qnr::CModalite& source,
                                          QList<CModalityCaption*>* added)
{
    return AddModalityCaptions(question, modality, source, true, added);
}

bool AddQuestionCaptionsFromSource(CQuestion& question, const qnr::CQuestion& source,
                                   QList<CQuestionCaption*>* added)
{
    return AddQuestionCaptions(question, source, false, added);
}

bool AddMissingQuestionCaptionsFromSource(CQuestion& question, const qnr::CQuestion& source,
                                          QList<CQuestionCaption*>* added)
{
    return AddQuestionCaptions(question, source, true, added);
}

std::unique_ptr<CModality> CreateModalityFromSource(const CCampaign& campaign,
                                                    const CVolume& volume,
                                                    const CQuestion& question,
                                                    const qnr::CModalite& source, int order,
                                                    bool keepCode)
{
    auto modality = std::make_unique<CModality>();
    if (!keepCode)
        modality->SetModalityId(campaign.GetMaxModalityId() + 1);
    else if (!campaign.ContainsModality(source.GetCode()))
        modality->SetModalityId(source.GetCode());
    else
        modality->SetModalityId(
            FirstFreeId(100000, [&campaign](int id) { return campaign.ContainsModality(id); }));
    modality->SetQuestionId(question.GetQuestionId());
    modality->SetIsDeleted(0);
    modality->SetModalityOrder(order == -1 ? question.GetMaxModalityOrder() + 1 : order);
    modality->SetValue(source.GetValue());
    modality->SetIsExclusive(source.IsExclusive() ? 1 : 0);
    modality->SetRotationBehaviour(source.GetRotationBehaviour());
    modality->SetUserData(source.GetUserData());
    modality->SetVersions(FormatVersionIds(source.GetVersions()));

    QString entryCode = source.GetEntryCode();
    if (HasResponseWithEntryCode(question, entryCode)) {
        const int count = question.GetModalityCount();
        const int n = count + (question.IsDontKnow() ? 1 : 0) + (question.IsSemiOpen() ? 1 : 0);
        for (int k = count + 1;; ++k) {
            entryCode = NumberedEntryCode(k, n);
            if (!HasResponseWithEntryCode(question, entryCode))
                break;
        }
    }
    modality->SetEntryCode(entryCode);
    modality->SetAppearanceVolumeId(volume.GetVolumeId());
    modality->SetDeletionWaveId(NO_WAVE_ID);
    return modality;
}

std::unique_ptr<CQuestion> CreateQuestionFromSource(const CCampaign& campaign,
                                                    const CVolume& volume,
                                                    const qnr::CQuestion& source, int order,
                                                    bool keepCode, int indent)
{
    auto question = std::make_unique<CQuestion>();
    const int code = source.GetCodeQuestion();
    if (!keepCode)
        question->SetQuestionId(campaign.GetMaxQuestionId() + 1);
    else if (code != RESERVED_QUESTION_ID && !campaign.ContainsQuestion(code))
        question->SetQuestionId(code);
    else
        question->SetQuestionId(
            FirstFreeId(10000, [&campaign](int id) { return campaign.ContainsQuestion(id); }));
    question->SetIsDeleted(0);
    question->SetOrder(order == -1 ? campaign.GetMaxQuestionOrder() + 1 : order);
    question->SetIndent(indent == -1 ? source.GetIndent() : indent);
    question->SetShortcut(source.GetShortcut());
    question->SetElementType(source.GetTypeElement());
    question->SetQuestionType(source.GetTypeQuestion());
    question->SetIsDontKnow(source.EstNonReponse());
    question->SetIsSemiOpen(source.EstSemiOuverte());
    question->SetIsScale(source.EstEchelle());
    question->SetIsMultiple(source.EstMultiple());
    question->SetIsRanked(source.EstClasse());
    question->SetMaxResponseCount(source.GetNbMaxReponse());
    question->SetDecimals(source.GetNbreDecimal());
    question->SetMinValue(source.GetBorneMin());
    question->SetMaxValue(source.GetBorneMax());
    question->SetIsLevelLink(source.IsLevelLink() ? 1 : 0);
    question->SetIsProbabilityQuestion(source.IsProbabilityQuestion() ? 1 : 0);
    question->SetDateType(source.GetDateType());
    question->SetUserData(source.GetUserData());
    question->SetIsDevelopLevels(source.IsDevelopperNiveau() ? 1 : 0);
    question->SetVersions(FormatVersionIds(source.GetVersions()));

    // The link question: the campaign question that this volume (or an ancestor) matches to
    // the source's link question.
    int linkQuestionId = -1;
    if (source.GetCodeQuestionSource() != -1)
        volume.FindQuestionIdBySource(volume.GetVolumeId(),
                                      QString::number(source.GetCodeQuestionSource()),
                                      linkQuestionId, true);
    question->SetLinkQuestionId(linkQuestionId);

    int classId = -1;
    const qnr::CQuestionnaire* questionnaire = source.GetQuestionnaire();
    if (questionnaire && source.GetQuestionClass() >= 0) {
        if (const qnr::CQuestionClass* questionClass =
                questionnaire->GetQuestionClass(source.GetQuestionClass()))
            classId = questionClass->GetId();
    }
    question->SetQuestionClassId(classId);
    question->SetAppearanceVolumeId(volume.GetVolumeId());
    question->SetDeletionWaveId(NO_WAVE_ID);
    return question;
}

std::unique_ptr<CQuestion> CreateChapterQuestion(const CCampaign& campaign, const CVolume* volume,
                                                 const QString& name, int order)
{
    auto question = std::make_unique<CQuestion>();
    question->SetQuestionId(campaign.GetMaxQuestionId() + 1);
    question->SetElementType(0);
    question->SetIsDeleted(0);
    question->SetLinkQuestionId(-1);
    question->SetOrder(order == -1 ? campaign.GetMaxQuestionOrder() + 1 : order);
    question->SetShortcut(name);
    question->SetIndent(1);
    question->SetAppearanceVolumeId(volume ? volume->GetVolumeId() : campaign.GetFirstVolumeId());
    question->SetDeletionWaveId(NO_WAVE_ID);
    return question;
}

} // namespace pelko_wave
