#include "model/ReferenceData.h"

#include "model/Campaign.h"
#include "model/RecordMakers.h"
#include "questionnaire/Questionnaire.h"

namespace pelko_wave {

void ReconcileVersions(CCampaign& campaign, const qnr::CQuestionnaire& questionnaire,
                       QList<CVersion*>* added, QMap<CVersion*, QString>* oldLongCaptions,
                       QMap<CVersion*, QString>* oldShortCaptions)
{
    for (int i = 0; i < questionnaire.GetVersionCount(); ++i) {
        const qnr::CVersion* source = questionnaire.GetVersion(i);
        if (CVersion* version = campaign.GetVersionById(source->GetId())) {
            if (oldLongCaptions && !oldLongCaptions->contains(version))
                oldLongCaptions->insert(version, version->GetLongCaption());
            if (oldShortCaptions && !oldShortCaptions->contains(version))
                oldShortCaptions->insert(version, version->GetShortCaption());
            version->SetLongCaption(source->GetLongCaption());
            version->SetShortCaption(source->GetShortCaption());
            continue;
        }
        auto version = std::make_unique<CVersion>();
        version->SetVersionId(source->GetId());
        version->SetLongCaption(source->GetLongCaption());
        version->SetShortCaption(source->GetShortCaption());
        if (added)
            added->append(version.get());
        campaign.AddVersion(std::move(version));
    }
}

void ReconcileQuestionClasses(CCampaign& campaign, const qnr::CQuestionnaire& questionnaire,
                              QList<CQuestionClass*>* added,
                              QMap<CQuestionClass*, QString>* oldCaptions)
{
    for (int i = 0; i < questionnaire.GetQuestionClassCount(); ++i) {
        const qnr::CQuestionClass* source = questionnaire.GetQuestionClass(i);
        if (CQuestionClass* questionClass = campaign.GetQuestionClassById(source->GetId())) {
            if (oldCaptions && !oldCaptions->contains(questionClass))
                oldCaptions->insert(questionClass, questionClass->GetCaption());
            questionClass->SetCaption(source->GetCaption());
            continue;
        }
        auto questionClass = std::make_unique<CQuestionClass>();
        questionClass->SetQuestionClassId(source->GetId());
        questionClass->SetCaption(source->GetCaption());
        if (added)
            added->append(questionClass.get());
        campaign.AddQuestionClass(std::move(questionClass));
    }
}

void AddQuestionnaireLanguages(CCampaign& campaign, const qnr::CQuestionnaire& questionnaire,
                               QList<CLanguage*>* added)
{
    for (int i = 0; i < questionnaire.GetLanguageCount(); ++i) {
        const qnr::CLanguage* source = questionnaire.GetLanguage(i);
        if (campaign.FindLanguage(source->GetId()))
            continue;
        auto language =
            MakeLanguage(source->GetId(), 0, source->GetName(), source->GetAbbreviation());
        if (added)
            added->append(language.get());
        campaign.AddLanguage(std::move(language));
    }
}

} // namespace pelko_wave
