#include "reconcile/LanguageReconciliation.h"

#include "model/Campaign.h"
#include "model/OptionRecords.h"
#include "questionnaire/Questionnaire.h"

namespace pelko_wave {

void ReconcileLanguages(const CCampaign& campaign, const qnr::CQuestionnaire& questionnaire, int)
{
    int campaignDefault = -1;
    for (int i = 0; i < campaign.GetLanguageCount() && campaignDefault < 0; ++i)
        if (campaign.GetLanguage(i)->IsDefault())
            campaignDefault = campaign.GetLanguage(i)->GetLanguageId();
    SetCurrentLanguageId(campaignDefault);
    SetCurrentQuestionnaireLanguage(questionnaire.GetDefaultLanguageId());
}

} // namespace pelko_wave
