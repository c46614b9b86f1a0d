#include "commands/MatchingCallBackInfo.h"
#include "commands/PropertyCallBackInfo.h"
#include "commands/QuestionCallBackInfo.h"
#include "commands/WaveCallBackInfo.h"
#include "model/Campaign.h"
#include "model/Language.h"
#include "model/Matchings.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"

#include <gtest/gtest.h>

namespace {

// The records name the model's own objects and the questionnaire library's source items.
TEST(CallBackInfo, RecordsNameModelObjectsAndSourceItems)
{
    pelko_wave::CCampaign campaign;
    pelko_wave::CWave wave;
    pelko_wave::CVolume volume;
    pelko_wave::CQuestion question;
    pelko_wave::CModality modality;
    pelko_wave::CLanguage language;
    pelko_wave::CQuestionMatching questionMatching;
    pelko_wave::CModalityMatching modalityMatching;
    qnr::CQuestion sourceQuestion;
    qnr::CModalite sourceModality;

    EXPECT_EQ(CCallBackInfoNewWave(&wave, nullptr).Wave, &wave);
    EXPECT_EQ(CCallBackInfoAddLanguage(&language).Language, &language);
    EXPECT_EQ(CCallBackInfoNewVolume(5, &volume).Volume, &volume);
    EXPECT_EQ(CCallBackInfoCreateQuesMatching(&volume, &question, &sourceQuestion).SourceQuestion,
              &sourceQuestion);
    EXPECT_EQ(
        CCallBackInfoDeepBreakModMatching(&question, &modality, &sourceModality, 9).SourceModality,
        &sourceModality);
    EXPECT_EQ(CCallBackInfoRemoveQuestionMatching(&questionMatching).Matching, &questionMatching);
    EXPECT_EQ(CCallBackInfoRemoveModalityMatching(&modalityMatching).Matching, &modalityMatching);
    EXPECT_EQ(CCallBackInfoMergeModalities(&volume, &modality, nullptr).Master, &modality);
    EXPECT_EQ(CCallBackInfoOrderCampaignQuestions(&wave).Wave, &wave);
    EXPECT_EQ(CCallBackInfoChangeCampaign(&campaign, CValue(2), CValue(1)).Object, &campaign);
    EXPECT_EQ(
        CCallBackInfoRemoveDuplicateModality(&wave, nullptr, "12", &modality, &modality).SourceId,
        "12");
}

} // namespace
