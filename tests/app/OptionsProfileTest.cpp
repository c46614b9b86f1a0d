#include "app/OptionsProfile.h"

#include "TempUserFolders.h"
#include "model/OptionRecords.h"
#include "reconcile/DiffsOptions.h"
#include "reconcile/PropertyCaptions.h"

#include <QFile>
#include <QSettings>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Every record of the profile, read together.
struct SAllOptions
{
    CLanguageSettings Language;
    CViewSettings View;
    CNGramSettings NGram;
    CReconciliationSettings Reconciliation;
    CQuestionDiffsOptions Questions;
    CModalityDiffsOptions Responses;
    CEnvironmentSettings Environment;
    CUserDefinedApp Apps;
    int PreviewPages = 0;

    void Read(QSettings& profile)
    {
        ReadLanguageOptions(profile, Language);
        ReadViewOptions(profile, View);
        ReadNGramOptions(profile, NGram);
        ReadReconciliationOptions(profile, Reconciliation);
        ReadQuestionDifferenceOptions(profile, Questions);
        ReadModalityDifferenceOptions(profile, Responses);
        ReadEnvironmentSettings(profile, Environment);
        ReadUserDefinedApps(profile, Apps);
        PreviewPages = ReadPreviewPages(profile);
    }

    std::vector<SProfileSection> Sections() const
    {
        return {LanguageOptionsSection(Language),
                ViewOptionsSection(View),
                NGramOptionsSection(NGram),
                ReconciliationOptionsSection(Reconciliation),
                QuestionDifferencesSection(Questions),
                ModalityDifferencesSection(Responses),
                EnvironmentSettingsSection(Environment),
                UserDefinedAppsSection(Apps),
                PreviewPagesSection(PreviewPages)};
    }
};

class OptionsProfile : public ::testing::Test
{
protected:
    // Writes raw values into the profile file as another program would.
    void WriteRaw(const QString& section, const QString& key, const QVariant& value)
    {
        QSettings profile(m_folders.ProfilePath(), QSettings::NativeFormat);
        profile.setValue(section + QLatin1Char('/') + key, value);
    }

    SAllOptions ReadAll()
    {
        SAllOptions options;
        auto profile = OpenUserProfile();
        options.Read(*profile);
        return options;
    }

    CTempUserFolders m_folders;
};

} // namespace

TEST_F(OptionsProfile, ProfileLivesInTheUsersConfigFolder)
{
    auto profile = OpenUserProfile();
    profile->setValue(QStringLiteral("NGram/NGramLength"), 4);
    profile->sync();
    EXPECT_EQ(profile->fileName(), m_folders.ProfilePath());
    EXPECT_TRUE(QFile::exists(m_folders.ProfilePath()));
}

TEST(TempUserFolders, ProfilesGoBackToTheFolderTheyHadBefore)
{
    const QString before = OpenUserProfile()->fileName();
    {
        CTempUserFolders folders;
        EXPECT_EQ(OpenUserProfile()->fileName(), folders.ProfilePath());
    }
    EXPECT_EQ(OpenUserProfile()->fileName(), before);
}

TEST_F(OptionsProfile, EmptyProfileGivesTheDefaults)
{
    const SAllOptions o = ReadAll();
    EXPECT_EQ(o.Language.GetSourceItems(), 1);
    EXPECT_EQ(o.Language.GetCompareCaptionsInDefaultLangOnly(), 0);
    const CViewSettings& v = o.View;
    for (int flag : {v.GetCreateReconciliationReport(), v.GetShowImperfectQuestionMatches(),
                     v.GetShowPerfectQuestionMatches(), v.GetShowUnmatchedCampaignQuestions(),
                     v.GetShowUnmatchedSourceQuestions(), v.GetShowImperfectResponseMatches(),
                     v.GetShowPerfectResponseMatches(), v.GetShowUnmatchedCampaignResponses(),
                     v.GetShowUnmatchedSourceResponses(), v.GetShowNewCampaignResponses(),
                     v.GetViewEntryCodes()})
        EXPECT_EQ(flag, 1);
    EXPECT_EQ(v.GetQuestionGridViewText(), 0);
    EXPECT_EQ(o.NGram.GetEnableNGramAnalysis(), 1);
    EXPECT_EQ(o.NGram.GetNGramLength(), 2);
    EXPECT_EQ(o.NGram.GetNGramThreshold(), 95);
    EXPECT_EQ(o.NGram.GetIgnoreWhitespace(), 1);
    EXPECT_EQ(o.Reconciliation.GetCheckQuesTypeForMatches(), 1);
    for (int kind : GetStoredQuestionDiffKinds())
        EXPECT_TRUE(o.Questions.IsEnabled(kind)) << kind;
    for (int kind : GetStoredModalityDiffKinds())
        EXPECT_TRUE(o.Responses.IsEnabled(kind)) << kind;
    EXPECT_EQ(o.Environment.GetMRUSize(), 10);
    EXPECT_EQ(o.Environment.GetMRUFileNameLength(), 30);
    EXPECT_EQ(o.Environment.GetFindQuestionSearchTarget(), 0);
    EXPECT_TRUE(o.Environment.GetCaptionsLibraryPath().isEmpty());
    EXPECT_TRUE(o.Apps.GetUserDefinedApp1Title().isEmpty());
    EXPECT_TRUE(o.Apps.GetUserDefinedApp2Path().isEmpty());
    EXPECT_EQ(o.PreviewPages, 0);
}

TEST_F(OptionsProfile, ReadRules)
{
    struct SCase
    {
        const char* Section;
        const char* Key;
        QVariant Stored;
        std::function<int(const SAllOptions&)> Field;
        int Expected;
    };
    using O = const SAllOptions&;
    const SCase cases[] = {
        // Modes outside their range read as their default.
        {"LanguageOptions", "SourceItems", 5, [](O o) { return o.Language.GetSourceItems(); }, 1},
        {"LanguageOptions", "SourceItems", -1, [](O o) { return o.Language.GetSourceItems(); }, 1},
        {"LanguageOptions", "SourceItems", 0, [](O o) { return o.Language.GetSourceItems(); }, 0},
        {"LanguageOptions", "CompareCaptionsInDefaultLangOnly", 7,
         [](O o) { return o.Language.GetCompareCaptionsInDefaultLangOnly(); }, 1},
        {"ViewOptions", "QuestionGridViewText", -1,
         [](O o) { return o.View.GetQuestionGridViewText(); }, 0},
        {"ViewOptions", "QuestionGridViewText", 3,
         [](O o) { return o.View.GetQuestionGridViewText(); }, 0},
        {"ViewOptions", "QuestionGridViewText", 2,
         [](O o) { return o.View.GetQuestionGridViewText(); }, 2},
        {"EnvironmentSettings", "FindQuestionSearchTarget", 3,
         [](O o) { return o.Environment.GetFindQuestionSearchTarget(); }, 0},
        {"EnvironmentSettings", "FindQuestionSearchTarget", 1,
         [](O o) { return o.Environment.GetFindQuestionSearchTarget(); }, 1},
        // Clamps and ranges of the setters.
        {"NGram", "NGramLength", 1, [](O o) { return o.NGram.GetNGramLength(); }, 2},
        {"NGram", "NGramLength", -4, [](O o) { return o.NGram.GetNGramLength(); }, 2},
        {"NGram", "NGramLength", 5, [](O o) { return o.NGram.GetNGramLength(); }, 5},
        {"EnvironmentSettings", "MRUSize", 17, [](O o) { return o.Environment.GetMRUSize(); }, 10},
        {"EnvironmentSettings", "MRUSize", 0, [](O o) { return o.Environment.GetMRUSize(); }, 10},
        {"EnvironmentSettings", "MRUSize", 16, [](O o) { return o.Environment.GetMRUSize(); }, 16},
        {"EnvironmentSettings", "MRUFileNameLength", 19,
         [](O o) { return o.Environment.GetMRUFileNameLength(); }, 30},
        {"EnvironmentSettings", "MRUFileNameLength", 261,
         [](O o) { return o.Environment.GetMRUFileNameLength(); }, 30},
        {"EnvironmentSettings", "MRUFileNameLength", 260,
         [](O o) { return o.Environment.GetMRUFileNameLength(); }, 260},
        // Packed flags.
        {"ViewOptions", "QuestionOptions", 5,
         [](O o) { return o.View.GetShowImperfectQuestionMatches(); }, 1},
        {"ViewOptions", "QuestionOptions", 5,
         [](O o) { return o.View.GetShowPerfectQuestionMatches(); }, 0},
        {"ViewOptions", "QuestionOptions", 5,
         [](O o) { return o.View.GetShowUnmatchedCampaignQuestions(); }, 1},
        {"ViewOptions", "QuestionOptions", 5,
         [](O o) { return o.View.GetShowUnmatchedSourceQuestions(); }, 0},
        {"ViewOptions", "ModalityOptions", 16,
         [](O o) { return o.View.GetShowNewCampaignResponses(); }, 1},
        {"ViewOptions", "ModalityOptions", 16,
         [](O o) { return o.View.GetShowImperfectResponseMatches(); }, 0},
        {"ViewOptions", "ModalityOptions", 9,
         [](O o) { return o.View.GetShowUnmatchedSourceResponses(); }, 1},
        {"ViewOptions", "ModalityOptions", 9,
         [](O o) { return o.View.GetShowPerfectResponseMatches(); }, 0},
        {"ViewOptions", "ReconciliationOptions", 2,
         [](O o) { return o.View.GetCreateReconciliationReport(); }, 0},
        {"ViewOptions", "ReconciliationOptions", 3,
         [](O o) { return o.View.GetCreateReconciliationReport(); }, 1},
        // Values stored as read.
        {"ViewOptions", "ViewEntryCodes", 0, [](O o) { return o.View.GetViewEntryCodes(); }, 0},
        {"NGram", "NGramThreshold", 150, [](O o) { return o.NGram.GetNGramThreshold(); }, 150},
        {"NGram", "EnableNGramAnalysis", 0, [](O o) { return o.NGram.GetEnableNGramAnalysis(); },
         0},
        {"NGram", "IgnoreWhitespace", 0, [](O o) { return o.NGram.GetIgnoreWhitespace(); }, 0},
        {"ReconciliationOptions", "CheckQuesTypeForMatches", 0,
         [](O o) { return o.Reconciliation.GetCheckQuesTypeForMatches(); }, 0},
        {"Settings", "PreviewPages", 2, [](O o) { return o.PreviewPages; }, 2},
        // Difference options by caption.
        {"QuestionDifferences", "Shortcut", 0, [](O o) { return int(o.Questions.IsEnabled(2)); },
         0},
        {"QuestionDifferences", "Is don't know", 0,
         [](O o) { return int(o.Questions.IsEnabled(6)); }, 0},
        {"ModalityDifferences", "Short captions", 0,
         [](O o) { return int(o.Responses.IsEnabled(9)); }, 0},
        // Hidden kinds are not read.
        {"QuestionDifferences", "Order", 0, [](O o) { return int(o.Questions.IsEnabled(1)); }, 1},
        {"ModalityDifferences", "Entry code", 1, [](O o) { return int(o.Responses.IsEnabled(4)); },
         0},
        // Text where a number belongs reads as the default.
        {"NGram", "NGramThreshold", "high", [](O o) { return o.NGram.GetNGramThreshold(); }, 95},
    };

    for (const SCase& c : cases) {
        QFile::remove(m_folders.ProfilePath());
        WriteRaw(QString::fromLatin1(c.Section), QString::fromLatin1(c.Key), c.Stored);
        EXPECT_EQ(c.Field(ReadAll()), c.Expected)
            << c.Section << "/" << c.Key << " = " << c.Stored.toString().toStdString();
    }
}

TEST_F(OptionsProfile, WrittenValues)
{
    SAllOptions o;
    o.View.SetShowPerfectQuestionMatches(0);
    o.View.SetShowUnmatchedSourceQuestions(5); // a flag holding 5 is written as set
    o.View.SetShowNewCampaignResponses(0);
    o.View.SetCreateReconciliationReport(9);
    o.NGram.SetEnableNGramAnalysis(3);

    const SProfileSection view = ViewOptionsSection(o.View);
    EXPECT_EQ(view.Name, "ViewOptions");
    ASSERT_EQ(view.Values.size(), 5u);
    EXPECT_EQ(view.Values[0], std::make_pair(QStringLiteral("ReconciliationOptions"), QVariant(1)));
    EXPECT_EQ(view.Values[1], std::make_pair(QStringLiteral("QuestionOptions"), QVariant(13)));
    EXPECT_EQ(view.Values[2], std::make_pair(QStringLiteral("QuestionGridViewText"), QVariant(0)));
    EXPECT_EQ(view.Values[3], std::make_pair(QStringLiteral("ModalityOptions"), QVariant(15)));
    EXPECT_EQ(view.Values[4], std::make_pair(QStringLiteral("ViewEntryCodes"), QVariant(1)));
    EXPECT_EQ(NGramOptionsSection(o.NGram).Values[0].second, QVariant(1));

    // One value per stored kind, none for the hidden ones.
    QStringList questionKeys;
    for (const auto& value : QuestionDifferencesSection(o.Questions).Values)
        questionKeys << value.first;
    EXPECT_EQ(questionKeys.size(), 22);
    for (const char* hidden : {"Is deleted", "Order", "Question class", "Versions", "Responses"})
        EXPECT_FALSE(questionKeys.contains(QString::fromLatin1(hidden))) << hidden;
    QStringList responseKeys;
    for (const auto& value : ModalityDifferencesSection(o.Responses).Values)
        responseKeys << value.first;
    EXPECT_EQ(responseKeys, (QStringList{"Value", "Is exclusive", "Rotation behaviour", "User data",
                                         "Short captions"}));
}

TEST_F(OptionsProfile, EveryValueSurvivesARoundTrip)
{
    SAllOptions o;
    o.Language.SetSourceItems(0);
    o.Language.SetCompareCaptionsInDefaultLangOnly(1);
    o.View.SetCreateReconciliationReport(0);
    o.View.SetShowImperfectQuestionMatches(0);
    o.View.SetShowUnmatchedCampaignQuestions(0);
    o.View.SetQuestionGridViewText(2);
    o.View.SetShowPerfectResponseMatches(0);
    o.View.SetShowUnmatchedSourceResponses(0);
    o.View.SetViewEntryCodes(0);
    o.NGram.SetEnableNGramAnalysis(0);
    o.NGram.SetNGramLength(4);
    o.NGram.SetNGramThreshold(80);
    o.NGram.SetIgnoreWhitespace(0);
    o.Reconciliation.SetCheckQuesTypeForMatches(0);
    o.Questions.SetEnabled(2, false);
    o.Questions.SetEnabled(24, false);
    o.Responses.SetEnabled(3, true);
    o.Responses.SetEnabled(8, false);
    o.Environment.SetMRUSize(4);
    o.Environment.SetMRUFileNameLength(200);
    o.Environment.SetFindQuestionSearchTarget(2);
    o.Environment.SetCaptionsLibraryPath(
        QStringLiteral("/tmp/a, b; c=d/\"Bibliothèque\" 日本.xml"));
    o.Apps.SetUserDefinedApp1Title(QStringLiteral("Fish & <chips> \"quoted\""));
    o.Apps.SetUserDefinedApp1Path(QStringLiteral("/usr/bin/app one"));
    o.Apps.SetUserDefinedApp2Title(QStringLiteral("Ελληνικά\nsecond line"));
    o.Apps.SetUserDefinedApp2Path(QStringLiteral("C:\\Program Files\\x.exe"));
    o.PreviewPages = 2;

    {
        auto profile = OpenUserProfile();
        COptionsProfile writer;
        for (const SProfileSection& section : o.Sections())
            EXPECT_TRUE(writer.WriteIfChanged(*profile, section)) << section.Name.toStdString();
    }
    const SAllOptions back = ReadAll();
    const std::vector<SProfileSection> expected = o.Sections();
    const std::vector<SProfileSection> actual = back.Sections();
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(actual[i] == expected[i]) << expected[i].Name.toStdString();
    EXPECT_EQ(back.Environment.GetCaptionsLibraryPath(), o.Environment.GetCaptionsLibraryPath());
    EXPECT_EQ(back.Apps.GetUserDefinedApp2Title(), o.Apps.GetUserDefinedApp2Title());
}

TEST_F(OptionsProfile, AProcessWritesBackOnlyTheSectionsItChanged)
{
    WriteRaw(QStringLiteral("NGram"), QStringLiteral("NGramThreshold"), 90);
    WriteRaw(QStringLiteral("ViewOptions"), QStringLiteral("QuestionGridViewText"), 1);

    // The window and a batch run both start and read the profile.
    SAllOptions window;
    COptionsProfile windowProfile;
    SAllOptions batch;
    COptionsProfile batchProfile;
    for (auto [options, remembered] :
         {std::pair{&window, &windowProfile}, {&batch, &batchProfile}}) {
        auto profile = OpenUserProfile();
        options->Read(*profile);
        for (const SProfileSection& section : options->Sections())
            remembered->RememberAsRead(section);
    }

    // The window changes its view; the batch run changes nothing and ends first.
    window.View.SetQuestionGridViewText(2);
    {
        auto profile = OpenUserProfile();
        for (const SProfileSection& section : batch.Sections())
            EXPECT_FALSE(batchProfile.WriteIfChanged(*profile, section))
                << section.Name.toStdString();
    }

    // Meanwhile another run changed the n-gram threshold; the window's exit keeps it.
    WriteRaw(QStringLiteral("NGram"), QStringLiteral("NGramThreshold"), 70);
    {
        auto profile = OpenUserProfile();
        int written = 0;
        for (const SProfileSection& section : window.Sections())
            written += windowProfile.WriteIfChanged(*profile, section) ? 1 : 0;
        EXPECT_EQ(written, 1);
    }
    const SAllOptions after = ReadAll();
    EXPECT_EQ(after.View.GetQuestionGridViewText(), 2);
    EXPECT_EQ(after.NGram.GetNGramThreshold(), 70);

    // A section never read counts as changed.
    COptionsProfile fresh;
    auto profile = OpenUserProfile();
    EXPECT_TRUE(fresh.WriteIfChanged(*profile, NGramOptionsSection(CNGramSettings())));
    EXPECT_FALSE(fresh.WriteIfChanged(*profile, NGramOptionsSection(CNGramSettings())));
}
