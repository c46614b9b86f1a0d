#include "ModelFixtures.h"

#include "model/EditRoutines.h"
#include "questionnaire/Questionnaire.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace model_test;

namespace {

std::unique_ptr<qnr::CModalite> SourceResponse(int code, const QString& entryCode)
{
    auto response = std::make_unique<qnr::CModalite>();
    response->SetCode(code);
    response->SetEntryCode(entryCode);
    response->SetValue(2.5);
    response->SetExclusive(true);
    response->SetRotationBehaviour(1);
    response->SetUserData(QStringLiteral("ud"));
    response->SetVersions({1, 3});
    response->SetShortCaption(1033, QStringLiteral("Yes"));
    response->SetShortCaption(1036, QStringLiteral("Oui"));
    return response;
}

// A questionnaire of two languages, two versions, one class and three items: chapter 1000,
// question 1 (the code of the reserved question) and question 11 with three responses, whose
// responses come from question 1.
std::unique_ptr<qnr::CQuestionnaire> SourceQuestionnaire()
{
    auto questionnaire = std::make_unique<qnr::CQuestionnaire>();
    questionnaire->AddLanguage(
        qnr::CLanguage(1033, QStringLiteral("English"), QStringLiteral("ENU")));
    questionnaire->AddLanguage(
        qnr::CLanguage(1036, QStringLiteral("French"), QStringLiteral("FRA")));
    questionnaire->AddVersion(
        qnr::CVersion(3, QStringLiteral("New long"), QStringLiteral("New short")));
    questionnaire->AddVersion(qnr::CVersion(4, QStringLiteral("Four"), QStringLiteral("4")));
    questionnaire->AddQuestionClass(qnr::CQuestionClass(8, QStringLiteral("Brand")));
    auto chapter = std::make_unique<qnr::CQuestion>();
    chapter->SetCodeQuestion(1000);
    chapter->SetShortcut(QStringLiteral("CH"));
    chapter->SetIndent(1);
    questionnaire->AddQuestion(std::move(chapter));
    auto first = std::make_unique<qnr::CQuestion>();
    first->SetCodeQuestion(1);
    first->SetShortcut(QStringLiteral("S1"));
    first->SetIndent(2);
    first->SetTypeElement(1);
    first->SetTypeQuestion(1);
    questionnaire->AddQuestion(std::move(first));
    auto question = std::make_unique<qnr::CQuestion>();
    question->SetCodeQuestion(11);
    question->SetShortcut(QStringLiteral("Q11"));
    question->SetIndent(2);
    question->SetTypeElement(1);
    question->SetTypeQuestion(1);
    question->SetMultiple(true);
    question->SetNonReponse(true);
    question->SetNbMaxReponse(3);
    question->SetNbreDecimal(2);
    question->SetBornes(1.5, 9.5);
    question->SetDevelopperNiveau(true);
    question->SetCodeQuestionSource(1);
    question->SetQuestionClass(0);
    question->SetVersions({3});
    question->SetUserData(QStringLiteral("data"));
    question->SetCaptions(1033, QStringLiteral("Long EN"), QStringLiteral("Short EN"));
    question->SetCaptions(1036, QStringLiteral("Long FR"), QStringLiteral("Short FR"));
    for (int code = 1; code <= 3; ++code)
        question->AddModalite(SourceResponse(code, QString::number(code)));
    questionnaire->AddQuestion(std::move(question));
    questionnaire->PreparerSaisie();
    return questionnaire;
}

class EditRoutines : public ::testing::Test
{
protected:
    void SetUp() override
    {
        campaign = MakeFullCampaign();
        source = SourceQuestionnaire();
        volume = campaign->FindVolume(2);
        q11 = source->FindQuestionById(11);
    }

    // Gives question 11 of the campaign responses until it has count of them.
    void FillResponses(int count, bool dontKnow = false)
    {
        CQuestion* question = campaign->GetQuestionById(11);
        question->SetIsDontKnow(dontKnow);
        for (int i = question->GetModalityCount(); i < count; ++i)
            AddModalityTo(*campaign, MakeModality(200 + i, 11, 10 + i, QString::number(i + 1)));
    }

    std::unique_ptr<CCampaign> campaign;
    std::unique_ptr<qnr::CQuestionnaire> source;
    CVolume* volume = nullptr;
    const qnr::CQuestion* q11 = nullptr;
};

} // namespace

TEST_F(EditRoutines, RecordMakersFillEveryField)
{
    const auto matching = MakeQuestionMatching(11, QStringLiteral("x"), *volume);
    EXPECT_EQ(matching->GetVolumeId(), 2);
    EXPECT_EQ(matching->GetStartVolumeId(), 2);
    EXPECT_EQ(matching->GetEndVolumeId(), OPEN_END_ID);
    const auto response =
        MakeModalityMatching(100, QStringLiteral("7"), *volume, *campaign->GetQuestionById(11));
    EXPECT_EQ(response->GetQuestionId(), 11);
    EXPECT_EQ(response->GetModalitySourceId(), QStringLiteral("7"));
    EXPECT_EQ(response->GetEndVolumeId(), OPEN_END_ID);
    const auto merging = MakeModalityMerging(*campaign->GetModalityById(100),
                                             *campaign->GetModalityById(101), *volume);
    EXPECT_EQ(merging->GetMasterModalityId(), 100);
    EXPECT_EQ(merging->GetChildModalityId(), 101);
    EXPECT_EQ(merging->GetMergeVolumeId(), 2);
}

TEST_F(EditRoutines, ResponseIdsFromTheSource)
{
    const CQuestion& question = *campaign->GetQuestionById(11);
    const qnr::CModalite& code3 = *q11->GetModalite(2);
    EXPECT_EQ(
        CreateModalityFromSource(*campaign, *volume, question, code3, -1, false)->GetModalityId(),
        campaign->GetMaxModalityId() + 1);
    EXPECT_EQ(
        CreateModalityFromSource(*campaign, *volume, question, code3, -1, true)->GetModalityId(),
        3);
    // A code the campaign uses: the first free id from 100000 up.
    auto used = std::make_unique<qnr::CModalite>(*q11->GetModalite(0));
    used->SetCode(100);
    EXPECT_EQ(
        CreateModalityFromSource(*campaign, *volume, question, *used, -1, true)->GetModalityId(),
        100000);
    AddModalityTo(*campaign, MakeModality(100000, 12, 9));
    EXPECT_EQ(
        CreateModalityFromSource(*campaign, *volume, question, *used, -1, true)->GetModalityId(),
        100001);
}

TEST_F(EditRoutines, ResponseFieldsFromTheSource)
{
    const CQuestion& question = *campaign->GetQuestionById(11);
    const auto made =
        CreateModalityFromSource(*campaign, *volume, question, *q11->GetModalite(2), -1, false);
    EXPECT_EQ(made->GetQuestionId(), 11);
    EXPECT_EQ(made->GetModalityOrder(), question.GetMaxModalityOrder() + 1);
    EXPECT_EQ(made->GetValue(), 2.5);
    EXPECT_EQ(made->IsExclusive(), 1);
    EXPECT_EQ(made->GetRotationBehaviour(), 1);
    EXPECT_EQ(made->GetUserData(), QStringLiteral("ud"));
    EXPECT_EQ(made->GetVersions(), QStringLiteral("1;3;"));
    EXPECT_EQ(made->GetEntryCode(), QStringLiteral("3"));
    EXPECT_EQ(made->GetAppearanceVolumeId(), 2);
    EXPECT_EQ(made->GetDeletionWaveId(), NO_WAVE_ID);
    EXPECT_EQ(made->GetCaptionCount(), 0);
    EXPECT_EQ(CreateModalityFromSource(*campaign, *volume, question, *q11->GetModalite(2), 4, false)
                  ->GetModalityOrder(),
              4);
}

TEST_F(EditRoutines, ClashingEntryCodesAreRenumbered)
{
    struct Case
    {
        int responses;
        bool dontKnow;
        const char* sourceCode;
        const char* expected;
    };
    const Case cases[] = {
        {9, false, "1", "10"},  // width 1, first free number from 10
        {10, false, "1", "11"}, // width 2
        {9, true, "1", "10"},   // don't know makes 10: width 2, "10" is free
        {9, false, "", ""},     // an empty code never clashes
        {9, false, "77", "77"}, // no clash
    };
    for (const Case& c : cases) {
        SetUp();
        FillResponses(c.responses, c.dontKnow);
        auto response = std::make_unique<qnr::CModalite>(*q11->GetModalite(0));
        response->SetEntryCode(QString::fromLatin1(c.sourceCode));
        const auto made = CreateModalityFromSource(
            *campaign, *volume, *campaign->GetQuestionById(11), *response, -1, false);
        EXPECT_EQ(made->GetEntryCode(), QString::fromLatin1(c.expected))
            << c.responses << " responses, code " << c.sourceCode;
    }
    // A width-2 clash skips numbers the question already has.
    SetUp();
    FillResponses(10);
    campaign->GetQuestionById(11)->GetModality(0)->SetEntryCode(QStringLiteral("11"));
    auto response = std::make_unique<qnr::CModalite>(*q11->GetModalite(0));
    response->SetEntryCode(QStringLiteral("3"));
    EXPECT_EQ(CreateModalityFromSource(*campaign, *volume, *campaign->GetQuestionById(11),
                                       *response, -1, false)
                  ->GetEntryCode(),
              QStringLiteral("12"));
}

TEST_F(EditRoutines, QuestionsFromTheSource)
{
    // Code 1 is the reserved question's: never kept.
    const qnr::CQuestion& first = *source->FindQuestionById(1);
    EXPECT_EQ(CreateQuestionFromSource(*campaign, *volume, first, -1, true, -1)->GetQuestionId(),
              10000);
    campaign->InsertQuestion(MakeQuestion(10000, 50, QStringLiteral("X")));
    EXPECT_EQ(CreateQuestionFromSource(*campaign, *volume, first, -1, true, -1)->GetQuestionId(),
              10001);
    // Code 11 is used by the campaign; 1000 is free.
    EXPECT_EQ(CreateQuestionFromSource(*campaign, *volume, *q11, -1, true, -1)->GetQuestionId(),
              10001);
    EXPECT_EQ(
        CreateQuestionFromSource(*campaign, *volume, *source->FindQuestionById(1000), -1, true, -1)
            ->GetQuestionId(),
        1000);
    EXPECT_EQ(CreateQuestionFromSource(*campaign, *volume, *q11, -1, false, -1)->GetQuestionId(),
              campaign->GetMaxQuestionId() + 1);

    // Volume 2 matches source question 1 (q11's link) to campaign question 55.
    AddQuestionMatching(*volume, 55, QStringLiteral("1"), 2, OPEN_END_ID);
    const auto made = CreateQuestionFromSource(*campaign, *volume, *q11, -1, false, -1);
    EXPECT_EQ(made->GetOrder(), campaign->GetMaxQuestionOrder() + 1);
    EXPECT_EQ(made->GetIndent(), 2);
    EXPECT_EQ(made->GetShortcut(), QStringLiteral("Q11"));
    EXPECT_EQ(made->GetElementType(), 1);
    EXPECT_EQ(made->GetQuestionType(), 1);
    EXPECT_EQ(made->IsMultiple(), 1);
    EXPECT_EQ(made->IsDontKnow(), 1);
    EXPECT_EQ(made->GetMaxResponseCount(), 3);
    EXPECT_EQ(made->GetDecimals(), 2);
    EXPECT_EQ(made->GetMinValue(), 1.5);
    EXPECT_EQ(made->GetMaxValue(), 9.5);
    EXPECT_EQ(made->IsDevelopLevels(), 1);
    EXPECT_EQ(made->GetVersions(), QStringLiteral("3;"));
    EXPECT_EQ(made->GetUserData(), QStringLiteral("data"));
    EXPECT_EQ(made->GetLinkQuestionId(), 55);
    EXPECT_EQ(made->GetQuestionClassId(), 8);
    EXPECT_EQ(made->GetAppearanceVolumeId(), 2);
    EXPECT_EQ(made->GetDeletionWaveId(), NO_WAVE_ID);
    // In volume 4, which does not match the link question: no link.
    const auto other =
        CreateQuestionFromSource(*campaign, *campaign->FindVolume(4), *q11, 3, false, 5);
    EXPECT_EQ(other->GetLinkQuestionId(), -1);
    EXPECT_EQ(other->GetOrder(), 3);
    EXPECT_EQ(other->GetIndent(), 5);
    const auto chapter = CreateQuestionFromSource(*campaign, *volume,
                                                  *source->FindQuestionById(1000), -1, false, -1);
    EXPECT_EQ(chapter->GetLinkQuestionId(), -1);
    EXPECT_EQ(chapter->GetQuestionClassId(), -1);
}

TEST_F(EditRoutines, ChapterQuestions)
{
    const auto chapter = CreateChapterQuestion(*campaign, nullptr, QStringLiteral("Intro"), -1);
    EXPECT_EQ(chapter->GetQuestionId(), campaign->GetMaxQuestionId() + 1);
    EXPECT_EQ(chapter->GetElementType(), 0);
    EXPECT_EQ(chapter->GetShortcut(), QStringLiteral("Intro"));
    EXPECT_EQ(chapter->GetIndent(), 1);
    EXPECT_EQ(chapter->GetLinkQuestionId(), -1);
    EXPECT_EQ(chapter->GetOrder(), campaign->GetMaxQuestionOrder() + 1);
    EXPECT_EQ(chapter->GetAppearanceVolumeId(), 1); // the campaign's first volume
    EXPECT_EQ(
        CreateChapterQuestion(*campaign, volume, QStringLiteral("X"), 2)->GetAppearanceVolumeId(),
        2);
}

TEST_F(EditRoutines, CaptionsFromTheSource)
{
    CQuestion& question = *campaign->GetQuestionById(11);
    question.RemoveCaption(1036);
    QList<CQuestionCaption*> added;
    EXPECT_TRUE(AddQuestionCaptionsFromSource(question, *q11, &added));
    // The English caption stays; French is added.
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added[0]->GetLanguageId(), 1036);
    EXPECT_EQ(question.GetLongCaption(1036), QStringLiteral("Long FR"));
    EXPECT_EQ(question.GetShortCaption(1036), QStringLiteral("Short FR"));
    EXPECT_EQ(question.GetShortCaption(1033), QStringLiteral("Short 11"));
    added.clear();
    EXPECT_TRUE(AddMissingQuestionCaptionsFromSource(question, *q11, &added));
    EXPECT_TRUE(added.isEmpty());

    CModality& modality = *campaign->GetModalityById(100);
    modality.RemoveCaption(1033);
    QList<CModalityCaption*> addedResponses;
    AddMissingModalityCaptionsFromSource(question, modality, *q11->GetModalite(0), &addedResponses);
    ASSERT_EQ(addedResponses.size(), 1);
    EXPECT_EQ(addedResponses[0]->GetQuestionId(), 11);
    EXPECT_EQ(addedResponses[0]->GetModalityId(), 100);
    EXPECT_EQ(modality.GetShortCaption(1033), QStringLiteral("Yes"));
    EXPECT_EQ(modality.GetShortCaption(1036), QStringLiteral("Oui 100"));
}

TEST_F(EditRoutines, ReferenceDataTakenIntoTheCampaign)
{
    QList<CVersion*> versions;
    QMap<CVersion*, QString> oldLong;
    QMap<CVersion*, QString> oldShort;
    ReconcileVersions(*campaign, *source, &versions, &oldLong, &oldShort);
    CVersion* three = campaign->GetVersionById(3);
    EXPECT_EQ(three->GetLongCaption(), QStringLiteral("New long"));
    EXPECT_EQ(oldLong, (QMap<CVersion*, QString>{{three, QStringLiteral("Version A")}}));
    EXPECT_EQ(oldShort, (QMap<CVersion*, QString>{{three, QStringLiteral("A")}}));
    ASSERT_EQ(versions.size(), 1);
    EXPECT_EQ(versions[0], campaign->GetVersionById(4));

    QList<CQuestionClass*> classes;
    QMap<CQuestionClass*, QString> oldCaptions;
    ReconcileQuestionClasses(*campaign, *source, &classes, &oldCaptions);
    ASSERT_EQ(classes.size(), 1);
    EXPECT_EQ(classes[0]->GetCaption(), QStringLiteral("Brand"));
    EXPECT_TRUE(oldCaptions.isEmpty());
    EXPECT_EQ(campaign->GetMaxQuestionClassId(), 8);

    campaign->RemoveLanguage(1036);
    QList<CLanguage*> languages;
    AddQuestionnaireLanguages(*campaign, *source, &languages);
    ASSERT_EQ(languages.size(), 1);
    EXPECT_EQ(languages[0]->GetLanguageId(), 1036);
    EXPECT_EQ(languages[0]->IsDefault(), 0);
    EXPECT_EQ(languages[0]->GetLanguageName(), QStringLiteral("French"));
    EXPECT_EQ(campaign->GetDefaultLanguageId(), 1033);
}
