// What reconciliations give, held as digests: after each wave of the sample study (in each of
// its source formats) and of generated studies (a wave of the benchmark's shape, one of mixed
// method lists, a chain of waves whose volumes inherit from the wave before), and after ordering
// the campaign by a wave's sources, the digest of the campaign (every record, counters and the
// engine's look-up records), of the report (date and command line masked), and of what the run
// recorded for Undo with the messages it showed. The digests were taken from the program before
// the engine was made faster: a different digest is a different result.

#include "GeneratedStudy.h"
#include "SampleStudyRuns.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestWaveApp.h"

#include "app/WaveApp.h"
#include "model/Campaign.h"
#include "model/CampaignDump.h"
#include "platform/AppServices.h"
#include "reconcile/CampaignOrdering.h"
#include "reconcile/WaveReconciliation.h"
#include "storage/DBAccess.h"

#include <QCryptographicHash>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace pelko_wave;
using namespace sample_study;

namespace {

QString Digest(const QString& text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
}

// The sample sources are recorded by absolute path: the folder the project was checked out in is
// no part of the result.
QString Unplaced(const QString& text)
{
    QString unplaced = text;
    return unplaced.replace(QStringLiteral(PLIM_SOURCE_DIR "/samples"), QStringLiteral("<samples>"));
}

QString Join(const QStringList& items)
{
    return items.join(u',');
}

QString Sorted(QStringList items)
{
    items.sort();
    return Join(items);
}

QString MatchingText(const CQuestionMatching& m)
{
    return QStringLiteral("q%1/v%2/%3/%4-%5")
        .arg(m.GetQuestionId())
        .arg(m.GetVolumeId())
        .arg(m.GetSourceId())
        .arg(m.GetStartVolumeId())
        .arg(m.GetEndVolumeId());
}

QString MatchingText(const CModalityMatching& m)
{
    return QStringLiteral("r%1/q%2/v%3/%4/%5-%6")
        .arg(m.GetModalityId())
        .arg(m.GetQuestionId())
        .arg(m.GetVolumeId())
        .arg(m.GetModalitySourceId())
        .arg(m.GetStartVolumeId())
        .arg(m.GetEndVolumeId());
}

template <typename Matching> QString EndsText(const QMap<Matching*, int>& ends)
{
    QStringList items;
    for (auto it = ends.cbegin(); it != ends.cend(); ++it)
        items << MatchingText(*it.key()) + QLatin1Char(':') + QString::number(it.value());
    return Sorted(items);
}

template <typename Item, typename Id> QString ItemMapText(const QMap<Item*, int>& map, Id id)
{
    QStringList items;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        items << QStringLiteral("%1:%2").arg(id(*it.key())).arg(it.value());
    return Sorted(items);
}

// What the run recorded for each volume, lists in their order, maps keyed by objects sorted.
QString ResultsText(const ReconcileResultsMap& results)
{
    QStringList lines;
    for (const auto& [volumeId, record] : results) {
        const SReconcileResults& r = *record;
        QStringList orders;
        for (auto it = r.QuestionOrders.cbegin(); it != r.QuestionOrders.cend(); ++it)
            orders << QStringLiteral("%1:%2").arg(it.key()).arg(it.value());
        QStringList versions, classes, languages, questions, responses, questionCaptions,
            responseCaptions, questionMatchings, responseMatchings;
        for (const CVersion* v : r.AddedVersions)
            versions << QString::number(v->GetVersionId());
        for (const CQuestionClass* c : r.AddedQuestionClasses)
            classes << QString::number(c->GetQuestionClassId());
        for (const CLanguage* l : r.AddedLanguages)
            languages << QString::number(l->GetLanguageId());
        for (const CQuestion* q : r.CreatedQuestions)
            questions << QStringLiteral("%1@%2").arg(q->GetQuestionId()).arg(q->GetOrder());
        for (const CModality* m : r.CreatedModalities)
            responses << QStringLiteral("%1/q%2@%3")
                             .arg(m->GetModalityId())
                             .arg(m->GetQuestionId())
                             .arg(m->GetModalityOrder());
        for (const CQuestionCaption* c : r.AddedQuestionCaptions)
            questionCaptions
                << QStringLiteral("q%1/l%2").arg(c->GetQuestionId()).arg(c->GetLanguageId());
        for (const CModalityCaption* c : r.AddedModalityCaptions)
            responseCaptions
                << QStringLiteral("r%1/l%2").arg(c->GetModalityId()).arg(c->GetLanguageId());
        for (const CQuestionMatching* m : r.QuestionMatchingsMade)
            questionMatchings << MatchingText(*m);
        for (const CModalityMatching* m : r.ModalityMatchingsMade)
            responseMatchings << MatchingText(*m);
        const auto questionId = [](const CQuestion& q) { return q.GetQuestionId(); };
        const auto responseId = [](const CModality& m) { return m.GetModalityId(); };
        QStringList oldVersions, oldClasses, defaults;
        for (auto it = r.OldVersionLongCaptions.cbegin(); it != r.OldVersionLongCaptions.cend();
             ++it)
            oldVersions << QStringLiteral("%1:%2").arg(it.key()->GetVersionId()).arg(it.value());
        for (auto it = r.OldVersionShortCaptions.cbegin(); it != r.OldVersionShortCaptions.cend();
             ++it)
            oldVersions << QStringLiteral("%1s:%2").arg(it.key()->GetVersionId()).arg(it.value());
        for (auto it = r.OldQuestionClassCaptions.cbegin(); it != r.OldQuestionClassCaptions.cend();
             ++it)
            oldClasses
                << QStringLiteral("%1:%2").arg(it.key()->GetQuestionClassId()).arg(it.value());
        for (const int id : r.PreviousDefaultLanguages)
            defaults << QString::number(id);
        lines << QStringLiteral("volume %1").arg(r.VolumeId) << Join(orders)
              << QStringLiteral("versions %1 old %2").arg(Join(versions), Sorted(oldVersions))
              << QStringLiteral("classes %1 old %2").arg(Join(classes), Sorted(oldClasses))
              << QStringLiteral("languages %1").arg(Join(languages))
              << QStringLiteral("created %1").arg(Join(questions))
              << QStringLiteral("created responses %1").arg(Join(responses))
              << QStringLiteral("captions %1").arg(Join(questionCaptions))
              << QStringLiteral("response captions %1").arg(Join(responseCaptions))
              << QStringLiteral("matchings %1").arg(Join(questionMatchings))
              << QStringLiteral("response matchings %1").arg(Join(responseMatchings))
              << QStringLiteral("ends %1 -> %2")
                     .arg(EndsText(r.QuestionEndsBefore), EndsText(r.QuestionEndsAfter))
              << QStringLiteral("response ends %1 -> %2")
                     .arg(EndsText(r.ModalityEndsBefore), EndsText(r.ModalityEndsAfter))
              << QStringLiteral("appearance %1 -> %2")
                     .arg(ItemMapText(r.QuestionAppearanceBefore, questionId),
                          ItemMapText(r.QuestionAppearanceAfter, questionId))
              << QStringLiteral("response appearance %1 -> %2")
                     .arg(ItemMapText(r.ModalityAppearanceBefore, responseId),
                          ItemMapText(r.ModalityAppearanceAfter, responseId))
              << QStringLiteral("previous link %1 status %2 language %3 [%4] changed %5")
                     .arg(r.PreviousMainVolumeLinkQuestionId)
                     .arg(r.PreviousStatus)
                     .arg(r.PreviousDefaultLanguageId)
                     .arg(Join(defaults))
                     .arg(r.DefaultLanguageChanged)
              << QStringLiteral("counts %1 %2").arg(r.QuestionCount).arg(r.ModalityCount);
    }
    return lines.join(u'\n');
}

// The steps of one study in the application installed (wave reconciliations and orderings of
// the campaign by a wave's sources) and their digests, in the order taken. Message boxes are
// answered by the study's own window services (made before the application).
class CDigests
{
public:
    explicit CDigests(const QString& study) : m_study(study) {}

    // Reconciles the wave, then takes the campaign, the report and the run's record with the
    // messages shown; whether the run succeeded.
    bool Run(const QString& step, int waveId, const SReconcileWaveOptions& options)
    {
        ReconcileResultsMap results;
        QString report;
        const bool result = ReconcileWave(waveId, results, report, options);
        m_taken.emplace_back(m_study + QLatin1Char(' ') + step,
                             QStringLiteral("campaign %1 report %2 results %3")
                                 .arg(Digest(Unplaced(DumpCampaign(Campaign(), DUMP_ALL))),
                                      Digest(Unplaced(MaskReport(report))),
                                      Digest(Unplaced(ResultsText(results) + TakePrompts()))));
        return result;
    }
    // Orders the campaign's questions, then every question's responses, by the wave's sources,
    // then takes the campaign and the messages shown; whether both succeeded.
    bool Order(int waveId)
    {
        CCampaign& campaign = Campaign();
        const CWave& wave = *campaign.FindWave(waveId);
        const bool result = OrderCampaignQuestions(campaign, wave) == 1 &&
                            OrderAllQuestionModalities(campaign, wave) == 1;
        m_taken.emplace_back(
            m_study + QStringLiteral(" order by wave %1").arg(waveId),
            QStringLiteral("campaign %1 messages %2")
                .arg(Digest(Unplaced(DumpCampaign(campaign, DUMP_ALL))), Digest(Unplaced(TakePrompts()))));
        return result;
    }

    const std::vector<std::pair<QString, QString>>& Taken() const { return m_taken; }

private:
    QString TakePrompts()
    {
        const QString prompts = m_windows.Prompts.join(u'\n');
        m_windows.Prompts.clear();
        return prompts;
    }

    // The application's campaign.
    static CCampaign& Campaign() { return *GetWaveApp()->GetCampaign(); }

    QString m_study;
    CScriptedWindowServices m_windows;
    std::vector<std::pair<QString, QString>> m_taken;
};

struct SExpected
{
    const char* Step;
    const char* Digests;
};

void ExpectDigests(const std::vector<std::pair<QString, QString>>& taken,
                   std::initializer_list<SExpected> expected)
{
    std::map<QString, QString> wanted;
    for (const SExpected& e : expected)
        wanted[QString::fromUtf8(e.Step)] = QString::fromUtf8(e.Digests);
    for (const auto& [step, digests] : taken) {
        const auto found = wanted.find(step);
        // The line to hold, should the step be new.
        EXPECT_TRUE(found != wanted.end() && found->second == digests)
            << "{\"" << step.toStdString() << "\",\n \"" << digests.toStdString() << "\"},";
    }
    EXPECT_EQ(taken.size(), wanted.size());
}

// The sample study in the program's own application object, wave by wave.
class CSampleStudy
{
public:
    explicit CSampleStudy(const QString& name) : Digests(name)
    {
        m_app.CreateCampaignObjects(nullptr, nullptr);
    }

    CWaveApp& App() { return m_app; }
    CCampaign& Campaign() { return *m_app.GetCampaign(); }

    // Adds the wave of those volumes and reconciles it.
    void Reconcile(int waveId, int firstVolumeId, const QList<SSampleVolume>& volumes,
                   const SReconcileWaveOptions& options = {})
    {
        AddSampleWave(Campaign(), waveId, firstVolumeId, volumes);
        Digests.Run(QStringLiteral("wave %1").arg(waveId), waveId, options);
    }

    CDigests Digests;

private:
    CWaveApp m_app;
};

SSampleVolume Volume(const QString& file, int parent = -1)
{
    SSampleVolume setup{file};
    setup.ParentId = parent;
    return setup;
}

TEST(ReconcileDigestTest, SampleStudyInEachSourceFormat)
{
    std::vector<std::pair<QString, QString>> taken;
    const auto keep = [&taken](const CSampleStudy& study) {
        taken.insert(taken.end(), study.Digests.Taken().begin(), study.Digests.Taken().end());
    };
    const struct
    {
        const char* Extension;
        int Type;
    } formats[] = {{"zoz", 0}, {"mdd", 1}, {"sss", 2}};
    for (const auto& format : formats) {
        const auto file = [&format](int wave) {
            return QStringLiteral("wave%1.%2").arg(wave).arg(QLatin1String(format.Extension));
        };
        const auto volume = [&](int wave, int parent = -1) {
            SSampleVolume setup = Volume(file(wave), parent);
            setup.SourceType = format.Type;
            return setup;
        };

        // Each wave inheriting from the one before; the third strict by shortcut and short
        // caption.
        CSampleStudy chain(QStringLiteral("%1 chain").arg(QLatin1String(format.Extension)));
        chain.Reconcile(1, 1, {volume(1)});
        chain.Reconcile(2, 2, {volume(2, 1)});
        SSampleVolume third = volume(3, 2);
        third.Strict = true;
        third.QuestionMethods = {1, 2};
        chain.Reconcile(3, 3, {third});
        chain.Digests.Order(3);
        keep(chain);

        // Each wave a root: every method, non-strict; then strict ranking by three text
        // methods, responses through the caption libraries.
        CSampleStudy roots(QStringLiteral("%1 roots").arg(QLatin1String(format.Extension)));
        AddIncomeCaptionLibrary(roots.App());
        roots.Reconcile(1, 1, {volume(1)});
        SSampleVolume second = volume(2);
        second.QuestionMethods = {0, 1, 2, 3, 5};
        second.ResponseMethods = {0, 1, 2, 3, 5};
        roots.Reconcile(2, 2, {second});
        third = volume(3);
        third.Strict = true;
        third.QuestionMethods = {2, 3, 1};
        third.ResponseMethods = {2, 5};
        roots.Reconcile(3, 3, {third}, {.UseCaptionLibraries = true});
        roots.Digests.Order(2);
        keep(roots);
    }

    // Formats side by side: two volumes in wave 2, the second strict by internal code; in wave
    // 3 a root and a volume inheriting across formats, matched case-sensitively by its parent's
    // source values; then the command-line mode, stopped and let through; a re-reconciliation.
    CSampleStudy mixed(QStringLiteral("mixed"));
    mixed.Reconcile(1, 1, {Volume("wave1.zoz")});
    SSampleVolume triple = Volume("wave2.sss");
    triple.SourceType = 2;
    triple.Strict = true;
    triple.QuestionMethods = {0, 2};
    triple.ResponseMethods = {0, 1};
    mixed.Reconcile(2, 2, {Volume("wave2.zoz", 1), triple});
    SSampleVolume dimensions = Volume("wave3.mdd");
    dimensions.SourceType = 1;
    SSampleVolume inheriting = Volume("wave3.zoz", 3);
    inheriting.CaseSensitive = true;
    inheriting.ParentValues = true;
    inheriting.QuestionMethods = {1, 2, 3};
    inheriting.ResponseMethods = {2, 1};
    mixed.Reconcile(3, 4, {dimensions, inheriting});
    mixed.Digests.Order(3);
    ASSERT_TRUE(
        mixed.App().GetCmdLineInfo().ParseCommandLine({"-source:wave3.sss", "-I:Q", "-X:QR"}));
    SSampleVolume batch = Volume("wave3.sss", 2);
    batch.SourceType = 2;
    AddSampleWave(mixed.Campaign(), 4, 6, {batch});
    mixed.Digests.Run(QStringLiteral("wave 4 stopped"), 4, {.Interactive = false});
    ASSERT_TRUE(mixed.App().GetCmdLineInfo().ParseCommandLine(
        {"-source:wave3.sss", "-I:QR", "-X:QR", "-A:QR", "-C"}));
    AddSampleWave(mixed.Campaign(), 5, 7, {batch});
    mixed.Digests.Run(QStringLiteral("wave 5 let through"), 5,
                      {.Interactive = false, .KeepSourceCodes = true});
    mixed.Digests.Run(QStringLiteral("wave 3 unmatched only"), 3, {.ReconcileUnmatchedOnly = true});
    keep(mixed);

    ExpectDigests(
        taken,
        {
            {"zoz chain wave 1",
             "campaign a1f3336c86a7f5f5 report 71271d5b7dc9425e results fed7a0d074c36568"},
            {"zoz chain wave 2",
             "campaign 6652fad6e218b0ef report 2f2d36eead4a48fd results b41ebff748a3970b"},
            {"zoz chain wave 3",
             "campaign e5e764d432486f8c report 676672ca114b0134 results 0acfc1c1b26e6aef"},
            {"zoz chain order by wave 3", "campaign 09cb3230ceb2dbaf messages e3b0c44298fc1c14"},
            {"zoz roots wave 1",
             "campaign a1f3336c86a7f5f5 report 71271d5b7dc9425e results fed7a0d074c36568"},
            {"zoz roots wave 2",
             "campaign 05668eda9ce3ddad report 96bd5982de90649e results 6bef02f111b1a3f1"},
            {"zoz roots wave 3",
             "campaign da0eccea80e49c00 report 09c529195bb713a4 results 9e2b6aadbf5f7a5f"},
            {"zoz roots order by wave 2", "campaign 25ac4ff509ded24b messages e3b0c44298fc1c14"},
            {"mdd chain wave 1",
             "campaign 2f6341b0a8a41a22 report 3f13aa1e59189f8c results 743e867533817905"},
            {"mdd chain wave 2",
             "campaign af6a73bc75964197 report 22f3bd2044ff8ac2 results 2d6166ed30b8d5da"},
            {"mdd chain wave 3",
             "campaign 8203fbe895e13479 report 6479575f2daecb30 results 8da876e2dede9e47"},
            {"mdd chain order by wave 3", "campaign efc0219c8e13ad49 messages e3b0c44298fc1c14"},
            {"mdd roots wave 1",
             "campaign 2f6341b0a8a41a22 report 3f13aa1e59189f8c results 743e867533817905"},
            {"mdd roots wave 2",
             "campaign 22fa45f5a8dc0df0 report f6efb87a8a0f2fe8 results 48b32d0957bedcae"},
            {"mdd roots wave 3",
             "campaign c40793018d774773 report 51d2e0855d1ae988 results 7ecbd58114d32070"},
            {"mdd roots order by wave 2", "campaign 3d82e05db8750ce0 messages e3b0c44298fc1c14"},
            {"sss chain wave 1",
             "campaign 5a2415e3d187cf87 report 08c64276785ca419 results 067770ece70b14ae"},
            {"sss chain wave 2",
             "campaign 576b0f40d5ec92b1 report 3a41f9f6a68b509e results e23f5d9f43d8e693"},
            {"sss chain wave 3",
             "campaign b391b76065a5a1d3 report d23fe422f7635d45 results 4f2ab40d43489926"},
            {"sss chain order by wave 3", "campaign 1c28f5136a3d3c45 messages e3b0c44298fc1c14"},
            {"sss roots wave 1",
             "campaign 5a2415e3d187cf87 report 08c64276785ca419 results 067770ece70b14ae"},
            {"sss roots wave 2",
             "campaign ff6c697d1edce6f2 report 3e8cc3a485c80117 results 1f899e7d863f000d"},
            {"sss roots wave 3",
             "campaign 8e6491a19f63153e report ca72ce4841f67525 results d89467d2f390ab7b"},
            {"sss roots order by wave 2", "campaign 3542c418da24e661 messages e3b0c44298fc1c14"},
            {"mixed wave 1",
             "campaign a1f3336c86a7f5f5 report 71271d5b7dc9425e results fed7a0d074c36568"},
            {"mixed wave 2",
             "campaign aeb10485a1cef225 report 55784cce62952308 results 0dc0051f6ffe7cac"},
            {"mixed wave 3",
             "campaign f5076c112b7f1982 report 44116ccf0cec6647 results 02efd5fac2d74a37"},
            {"mixed order by wave 3", "campaign 0e834585638ae3a6 messages e3b0c44298fc1c14"},
            {"mixed wave 4 stopped",
             "campaign 1d8cefb1a6416d3d report 2b1e0ce1eaed0c36 results 58edd02619b5842a"},
            {"mixed wave 5 let through",
             "campaign 89657defc64856a2 report 080db6fb1f43fd8c results 9900feb9e3efc782"},
            {"mixed wave 3 unmatched only",
             "campaign 789cd2f293f5d566 report 61dd11fe8b680df0 results 805487f3c0afb22b"},
        });
}

// A generated study in the tests' application double.
class CGeneratedRun
{
public:
    CGeneratedRun(const QString& name, const SGeneratedStudyShape& shape) : Digests(name)
    {
        BuildGeneratedStudy(m_app, shape);
    }
    void Run(int waveId, const SReconcileWaveOptions& options = {}, const QString& step = {})
    {
        EXPECT_TRUE(Digests.Run(step.isEmpty() ? QStringLiteral("wave %1").arg(waveId) : step,
                                waveId, options))
            << waveId;
    }
    void Order(int waveId) { EXPECT_TRUE(Digests.Order(waveId)); }

    CDigests Digests;

private:
    CTestWaveApp m_app;
};

TEST(ReconcileDigestTest, GeneratedStudies)
{
    std::vector<std::pair<QString, QString>> taken;
    const auto keep = [&taken](const CGeneratedRun& run) {
        taken.insert(taken.end(), run.Digests.Taken().begin(), run.Digests.Taken().end());
    };

    // The benchmark's wave scaled down, matched again for what it left, then ordered.
    CGeneratedRun scaled(QStringLiteral("scaled"), GetScaledReconcileWaveShape(1000));
    scaled.Run(2);
    scaled.Run(2, {.ReconcileUnmatchedOnly = true}, QStringLiteral("wave 2 unmatched only"));
    scaled.Order(2);
    keep(scaled);

    // Method lists with internal codes, orders and user data, strict and not; new responses
    // keep their source codes.
    SGeneratedStudyShape shape;
    shape.CampaignQuestions = 400;
    shape.Volumes = 3;
    shape.SourceQuestionsPerVolume = 160;
    shape.QuestionMethods = {{0, 1, 2}, {3, 1}, {5, 2, 1}};
    shape.ResponseMethods = {{0, 3}, {3, 1}, {2, 5}};
    shape.Strict = {true, false, true};
    shape.Seed = 5;
    CGeneratedRun methods(QStringLiteral("methods"), shape);
    methods.Run(2, {.KeepSourceCodes = true});
    methods.Order(2);
    keep(methods);

    // Volumes inheriting from the wave before through five waves, each wave reconciled.
    shape = GetInheritingWaveBenchmarkShape();
    shape.CampaignQuestions = 600;
    shape.SourceQuestionsPerVolume = 240;
    shape.Waves = 6;
    CGeneratedRun chain(QStringLiteral("chain"), shape);
    for (int wave = 2; wave <= shape.Waves; ++wave)
        chain.Run(wave);
    chain.Order(shape.Waves);
    keep(chain);

    ExpectDigests(
        taken,
        {
            {"scaled wave 2",
             "campaign 8aaeab10e65c730b report cdad19ce86de9f4f results d8bc7b99220d89f7"},
            {"scaled wave 2 unmatched only",
             "campaign db2a230b12d34f40 report 52dd6eec4df5a738 results ff6bcf72d7045bd4"},
            {"scaled order by wave 2", "campaign 37bb98e94535f4ec messages e3b0c44298fc1c14"},
            {"methods wave 2",
             "campaign 0ce40c4d18e0ded1 report 8db99996957cd04f results a0a2126e856cc045"},
            {"methods order by wave 2", "campaign 637c1c6eda6e36c6 messages e3b0c44298fc1c14"},
            {"chain wave 2",
             "campaign 86c492fe86cb3710 report de94b4614d33b4b8 results 479078655e5c13dc"},
            {"chain wave 3",
             "campaign 331a630e3f821ffe report e0794bc9a9279a23 results 5e507bc1840f6ebc"},
            {"chain wave 4",
             "campaign 34dcb5b5883118c1 report 27637a28ad383c1e results f7d5f192969c9f3c"},
            {"chain wave 5",
             "campaign 841eb14941401527 report 783151deb9722eba results b4b4529e2e5faf6d"},
            {"chain wave 6",
             "campaign 0e6f8756b66cfa74 report c441ae6efc2d9e5f results bdf5fb06f6713f58"},
            {"chain order by wave 6", "campaign fa10aeaa8c42ed79 messages e3b0c44298fc1c14"},
        });
}

} // namespace
