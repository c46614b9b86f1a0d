#include "reconcile/CaptionLibraryMatching.h"
#include "reconcile/ResponseTextScan.h"

#include "TextEngineFixtures.h"
#include "support/QStringPrinter.h"
#include "support/TestWaveApp.h"

#include <gtest/gtest.h>

using namespace pelko_wave;
using namespace text_engine_test;

namespace {

constexpr int kEnglish = 1033;
constexpr int kShortCaption = 2;
constexpr int kUserData = 5;

// A campaign question 10 of one wave with volumes 1 (root) and 2 (child of 1), and the source
// question 5 of volume 2, whose responses the tests add.
class ResponseScanTest : public ::testing::Test
{
protected:
    ResponseScanTest()
    {
        AddWave(m_campaign, 1, 1);
        m_parent = AddVolume(m_campaign, 1, 1);
        m_volume = AddVolume(m_campaign, 1, 2, 1);
        m_question = AddQuestion(m_campaign, 10, QStringLiteral("Q10"));
        m_app.Campaign = &m_campaign;
        SetCurrentLanguageId(kEnglish);
        SetCurrentQuestionnaireLanguage(kEnglish);
    }

    CModality* AddResponse(int id, const QString& caption, const QString& userData = QString())
    {
        CModality* modality =
            AddModality(m_campaign, *m_question, id, {{kEnglish, caption}}, userData);
        m_campaignCandidates.append(modality);
        return modality;
    }

    void AddSource(int code, const QString& caption, const QString& userData = QString())
    {
        AddSourceResponse(m_source, code, {{kEnglish, caption}}, userData);
        m_sourceCandidates.append(m_source.GetNbreModalite() - 1);
    }

    // A group of the captions, the first one its base caption, in a library of its own.
    void AddLibraryGroup(const QStringList& captions)
    {
        auto* group = new CResponseCaptionGroup(captions.first());
        for (const QString& text : captions)
            group->AddCaption(std::make_unique<CResponseCaption>(text, group));
        group->SetBaseLabelId(group->GetCaptionAt(0)->GetGuid());
        auto* library = new CResponseLibrary(QStringLiteral("Library %1").arg(captions.first()));
        library->AddGroup(group);
        m_app.Groups.append(group);
        m_app.Libraries.append(library);
    }

    bool MatchByLibrary(int method = kShortCaption)
    {
        return MatchResponsesByCaptionLibrary(*m_volume, *m_question, m_source,
                                              m_campaignCandidates, m_sourceCandidates,
                                              m_newMatchings, method);
    }

    QList<int> CampaignLeft() const
    {
        QList<int> ids;
        for (const CModality* modality : m_campaignCandidates)
            ids.append(modality->GetModalityId());
        return ids;
    }

    CCurrentLanguagesGuard m_languages;
    CTestWaveApp m_app;
    CCampaign m_campaign;
    CVolume* m_parent = nullptr;
    CVolume* m_volume = nullptr;
    CQuestion* m_question = nullptr;
    qnr::CQuestion m_source;
    QList<CModality*> m_campaignCandidates;
    QList<int> m_sourceCandidates;
    QMap<int, QString> m_newMatchings;
};

using Matchings = QMap<int, QString>;

} // namespace

TEST_F(ResponseScanTest, LibraryGroupPairsCaptionsThatShareNoGram)
{
    AddLibraryGroup({QStringLiteral("Yes"), QStringLiteral("Oui")});
    AddResponse(100, QStringLiteral("Yes"));
    AddResponse(101, QStringLiteral("No"));
    AddSource(1, QStringLiteral("Non"));
    AddSource(2, QStringLiteral("Oui"));

    EXPECT_TRUE(MatchByLibrary());
    EXPECT_EQ(m_newMatchings, (Matchings{{100, QStringLiteral("2")}}));
    EXPECT_EQ(CampaignLeft(), QList<int>{101}); // "No" against "Non" scores only 0.8
    EXPECT_EQ(m_sourceCandidates, QList<int>{0});
}

TEST_F(ResponseScanTest, WithoutLibrariesNothingIsDoneAndThePlainScanStillRuns)
{
    AddResponse(100, QStringLiteral("Yes"));
    AddSource(1, QStringLiteral("yes "));
    EXPECT_FALSE(HasCaptionLibraries());
    EXPECT_FALSE(MatchByLibrary());
    EXPECT_TRUE(m_newMatchings.isEmpty());
    EXPECT_EQ(m_campaignCandidates.size(), 1);

    // A group without a library is not enough either.
    m_app.Groups.append(new CResponseCaptionGroup(QStringLiteral("orphan")));
    EXPECT_FALSE(MatchByLibrary());

    MatchResponsesByText(*m_volume, *m_question, m_source, m_campaignCandidates, m_sourceCandidates,
                         m_newMatchings, kShortCaption);
    EXPECT_EQ(m_newMatchings, (Matchings{{100, QStringLiteral("1")}}));
    EXPECT_TRUE(m_campaignCandidates.isEmpty());
    EXPECT_TRUE(m_sourceCandidates.isEmpty());
}

TEST_F(ResponseScanTest, ExactTextPairsInThePlainScanBeforeAnyLibrary)
{
    AddLibraryGroup({QStringLiteral("Yes"), QStringLiteral("Oui")});
    AddResponse(100, QStringLiteral("Yes"));
    AddSource(1, QStringLiteral("Oui"));
    AddSource(2, QStringLiteral("YES"));
    EXPECT_TRUE(MatchByLibrary());
    EXPECT_EQ(m_newMatchings, (Matchings{{100, QStringLiteral("2")}}));
    EXPECT_EQ(m_sourceCandidates, QList<int>{0});
}

TEST_F(ResponseScanTest, BaseCaptionComparedTrimmedAndInTheVolumesCase)
{
    AddLibraryGroup({QStringLiteral(" YES "), QStringLiteral("Oui")});
    AddResponse(100, QStringLiteral("yes"));
    AddSource(1, QStringLiteral("Oui"));
    EXPECT_TRUE(MatchByLibrary());
    EXPECT_EQ(m_newMatchings.value(100), QStringLiteral("1"));

    // Case-sensitive: "yes" is not the base caption "YES".
    m_newMatchings.clear();
    m_campaignCandidates = {m_question->GetModality(0)};
    m_sourceCandidates = {0};
    m_volume->SetCaseSensitiveMatching(1);
    EXPECT_TRUE(MatchByLibrary());
    EXPECT_TRUE(m_newMatchings.isEmpty());

    // Trimming off: " YES " is not "YES".
    m_volume->SetCaseSensitiveMatching(0);
    m_app.NGramSettings.SetIgnoreWhitespace(0);
    EXPECT_TRUE(MatchByLibrary());
    EXPECT_TRUE(m_newMatchings.isEmpty());
}

TEST_F(ResponseScanTest, ABaseCaptionIsFoundAnywhereInItsLibraryAndAGroupWithoutOneIsPassedOver)
{
    // One library: "Si" shares a group with "Yes" but the group has no base caption; "Ja" is in
    // a group whose base caption is the "Yes" of the first group.
    auto* yes = new CResponseCaptionGroup(QStringLiteral("yes"));
    const CResponseCaption* yesCaption =
        yes->AddCaption(std::make_unique<CResponseCaption>(QStringLiteral("Yes"), yes));
    yes->AddCaption(std::make_unique<CResponseCaption>(QStringLiteral("Si"), yes));
    auto* ja = new CResponseCaptionGroup(QStringLiteral("ja"));
    ja->AddCaption(std::make_unique<CResponseCaption>(QStringLiteral("Ja"), ja));
    ja->SetBaseLabelId(yesCaption->GetGuid());
    auto* library = new CResponseLibrary(QStringLiteral("Answers"));
    library->AddGroup(yes);
    library->AddGroup(ja);
    m_app.Groups << yes << ja;
    m_app.Libraries << library;

    AddResponse(100, QStringLiteral("Yes"));
    AddSource(1, QStringLiteral("Si"));
    AddSource(2, QStringLiteral("Ja"));
    EXPECT_TRUE(MatchByLibrary());
    EXPECT_EQ(m_newMatchings, (Matchings{{100, QStringLiteral("2")}}));
    EXPECT_EQ(m_sourceCandidates, QList<int>{0});
}

TEST_F(ResponseScanTest, EqualLibraryScoresGoToTheProposalRememberedLast)
{
    AddLibraryGroup({QStringLiteral("Yes"), QStringLiteral("Oui")});
    AddLibraryGroup({QStringLiteral("Yep"), QStringLiteral("Oui")});
    AddResponse(100, QStringLiteral("Yes"));
    AddResponse(101, QStringLiteral("Yep"));
    AddSource(1, QStringLiteral("Oui"));
    EXPECT_TRUE(MatchByLibrary());
    EXPECT_EQ(m_newMatchings, (Matchings{{101, QStringLiteral("1")}}));
    EXPECT_EQ(CampaignLeft(), QList<int>{100});
}

TEST_F(ResponseScanTest, AHigherPlainScoreBeatsALibraryProposal)
{
    m_app.NGramSettings.SetNGramThreshold(80);
    AddLibraryGroup({QStringLiteral("Very good"), QStringLiteral("Excellent")});
    AddResponse(100, QStringLiteral("Very good"));
    AddSource(1, QStringLiteral("Excellent!!"));
    AddSource(2, QStringLiteral("Very goood"));
    EXPECT_TRUE(MatchByLibrary());
    // Its own text scores 18/19 against "Very goood", the library's "Excellent" 18/20 against
    // "Excellent!!": the higher score is taken.
    EXPECT_EQ(m_newMatchings, (Matchings{{100, QStringLiteral("2")}}));
    EXPECT_EQ(m_sourceCandidates, QList<int>{0});
}

TEST_F(ResponseScanTest, UserDataMethodUsesUserDataOnBothSides)
{
    AddLibraryGroup({QStringLiteral("Y"), QStringLiteral("1")});
    AddResponse(100, QStringLiteral("Yes"), QStringLiteral("Y"));
    AddSource(1, QStringLiteral("Yes"), QStringLiteral("1"));
    EXPECT_TRUE(MatchByLibrary(kUserData));
    EXPECT_EQ(m_newMatchings, (Matchings{{100, QStringLiteral("1")}}));

    // Other methods are not text methods: nothing is paired.
    m_newMatchings.clear();
    m_campaignCandidates = {m_question->GetModality(0)};
    m_sourceCandidates = {0};
    MatchResponsesByText(*m_volume, *m_question, m_source, m_campaignCandidates, m_sourceCandidates,
                         m_newMatchings, 3);
    EXPECT_TRUE(m_newMatchings.isEmpty());
    EXPECT_EQ(m_campaignCandidates.size(), 1);
}

TEST_F(ResponseScanTest, MatchingUsingParentValuesComparesTheParentsSourceResponse)
{
    // The parent volume matched question 10 to its source question 50 and response 100 to
    // that question's response 7, "Oui".
    qnr::CQuestion* parentSource =
        AddSourceQuestion(m_parent->GetQuestionnaire(), 50, QStringLiteral("Q10"));
    AddSourceResponse(*parentSource, 7, {{kEnglish, QStringLiteral("Oui")}});
    AddQuestionMatching(*m_parent, 10, QStringLiteral("50"));
    AddModalityMatching(*m_parent, 10, 100, QStringLiteral("7"));

    AddResponse(100, QStringLiteral("Yes"));
    AddSource(1, QStringLiteral("Oui"));
    EXPECT_EQ(GetCampaignModalityScanText(*m_volume, *m_question, *m_question->GetModality(0),
                                          kShortCaption),
              QStringLiteral("Yes"));

    m_volume->SetMatchUsingAncestorValues(1);
    EXPECT_EQ(GetCampaignModalityScanText(*m_volume, *m_question, *m_question->GetModality(0),
                                          kShortCaption),
              QStringLiteral("Oui"));
    MatchResponsesByText(*m_volume, *m_question, m_source, m_campaignCandidates, m_sourceCandidates,
                         m_newMatchings, kShortCaption);
    EXPECT_EQ(m_newMatchings, (Matchings{{100, QStringLiteral("1")}}));

    // A root volume has no parent values: its own caption is used.
    EXPECT_EQ(GetCampaignModalityScanText(*m_parent, *m_question, *m_question->GetModality(0),
                                          kShortCaption),
              QStringLiteral("Yes"));
}
