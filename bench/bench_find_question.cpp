// The find question dialog's search for a three-letter text ("bra") over 5,000 campaign and
// 15,000 source entries (short captions of a few words drawn from a small vocabulary, so that a
// text matches a few hundred of them). BM_FindKeystroke: what a keystroke looks up, the texts of
// both lists from the sorted indexes; BM_FindTestEveryEntry: the same lists made by testing
// every entry (the entries already in text order). The index should be at least 10 times
// faster. BM_FindDialogKeystroke: the whole keystroke in the dialog, both lists filled.

#include "app/WaveApp.h"
#include "controls/XListCtrl.h"
#include "dialogs/FindQuestionDlg.h"
#include "dialogs/FindQuestionIndex.h"
#include "model/Campaign.h"
#include "model/ModelIds.h"
#include "model/OptionRecords.h"
#include "model/Question.h"
#include "model/RecordMakers.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Question.h"
#include "storage/DBAccess.h"

#include <QLineEdit>
#include <QStringList>
#include <benchmark/benchmark.h>

#include <random>

using namespace pelko_wave;

namespace {

constexpr int kCampaignEntries = 5000;
constexpr int kSourceEntries = 15000;
constexpr int kLanguage = 1033;
constexpr int kWaveId = 1;
constexpr int kVolumeId = 1;
const QString kText = QStringLiteral("bra");

// Words of survey questions; "bra" begins one of them.
const char* const kWords[] = {
    "brand",  "channel",   "aware",     "usage",   "recall",    "prompted", "spontaneous",
    "last",   "month",     "year",      "often",   "never",     "always",   "store",
    "online", "phone",     "price",     "value",   "quality",   "service",  "product",
    "advert", "seen",      "heard",     "friend",  "family",    "income",   "region",
    "age",    "gender",    "household", "size",    "work",      "status",   "reason",
    "choice", "favourite", "rating",    "overall", "satisfied", "likely",   "recommend",
    "visit",  "purchase",  "amount",    "spend",   "weekly",    "daily",
};

QString Caption(std::mt19937& random)
{
    QStringList words;
    for (int n = 2 + int(random() % 4); n > 0; --n)
        words << QString::fromLatin1(kWords[random() % std::size(kWords)]);
    QString caption = words.join(u' ');
    caption[0] = caption[0].toUpper();
    return caption;
}

// The campaign of 5,000 questions in one wave and volume, and 15,000 source questions, made once.
struct SFindData
{
    SFindData()
    {
        app.CreateCampaignObjects(nullptr, nullptr);
        SetCurrentLanguageId(kLanguage);
        SetCurrentQuestionnaireLanguage(kLanguage);
        CCampaign& campaign = *app.GetCampaign();
        campaign.AddLanguage(MakeLanguage(kLanguage, 1, QStringLiteral("English"), "ENU"));
        campaign.SetCurrentLanguageId(kLanguage);
        auto wave = std::make_unique<CWave>();
        wave->SetWaveId(kWaveId);
        wave->SetWaveOrder(1);
        auto volume = std::make_unique<CVolume>();
        volume->SetVolumeId(kVolumeId);
        volume->SetWaveId(kWaveId);
        volume->SetInheritsFromVolumeId(kVolumeId);
        volume->SetName(QStringLiteral("Online"));
        wave->AddVolume(std::move(volume));
        campaign.InsertWave(std::move(wave));

        std::mt19937 random(11);
        for (int i = 0; i < kCampaignEntries; ++i) {
            auto question = std::make_unique<CQuestion>();
            const int id = 100 + i;
            question->SetQuestionId(id);
            question->SetOrder(i);
            question->SetShortcut(QStringLiteral("Q%1").arg(id));
            question->SetAppearanceVolumeId(kVolumeId);
            question->SetDeletionWaveId(NO_WAVE_ID);
            const QString caption = Caption(random);
            question->SetShortCaption(kLanguage, caption);
            campaign.InsertQuestion(std::move(question));
            questionIds.insert(id);
            campaignTexts.push_back(caption);
        }
        for (int i = 0; i < kSourceEntries; ++i) {
            auto question = std::make_unique<qnr::CQuestion>();
            question->SetCodeQuestion(i + 1);
            question->SetShortcut(QStringLiteral("S%1").arg(i + 1));
            const QString caption = Caption(random);
            question->SetCaptions(kLanguage, caption, caption);
            sources.push_back(std::move(question));
            sourceTexts.push_back(caption);
        }
        for (int i = 0; i < kCampaignEntries; ++i)
            campaignIndex.Add(campaignTexts[size_t(i)], i);
        for (int i = 0; i < kSourceEntries; ++i)
            sourceIndex.Add(sourceTexts[size_t(i)], i);
        // The entries as a text-ordered multimap holds them, for the test of every entry.
        std::stable_sort(campaignTexts.begin(), campaignTexts.end());
        std::stable_sort(sourceTexts.begin(), sourceTexts.end());
    }

    CWaveApp app;
    std::set<int> questionIds;
    std::vector<std::unique_ptr<qnr::CQuestion>> sources;
    std::vector<QString> campaignTexts;
    std::vector<QString> sourceTexts;
    CFindQuestionIndex campaignIndex;
    CFindQuestionIndex sourceIndex;
};

SFindData& Data()
{
    static SFindData* data = new SFindData;
    return *data;
}

QStringList IndexTexts(const CFindQuestionIndex& index, const QString& text)
{
    const std::vector<int> positions = index.Find(text);
    QStringList texts;
    texts.reserve(qsizetype(positions.size()));
    for (const int position : positions)
        texts << index.GetEntry(position).Text;
    return texts;
}

QStringList EveryEntryTexts(const std::vector<QString>& entries, const QString& text)
{
    QStringList texts;
    for (const QString& entry : entries) {
        const qsizetype n = std::min(entry.size(), text.size());
        if (QStringView(entry).left(n).compare(QStringView(text).left(n), Qt::CaseInsensitive) == 0)
            texts << entry;
    }
    return texts;
}

void BM_FindKeystroke(benchmark::State& state)
{
    SFindData& data = Data();
    // The first search sorts what was added; a keystroke meets sorted indexes.
    const QStringList campaign = IndexTexts(data.campaignIndex, kText);
    const QStringList source = IndexTexts(data.sourceIndex, kText);
    if (campaign != EveryEntryTexts(data.campaignTexts, kText) ||
        source != EveryEntryTexts(data.sourceTexts, kText))
        state.SkipWithError("the index lists other entries than the test of every entry");
    for (auto _ : state) {
        QStringList found = IndexTexts(data.campaignIndex, kText);
        found += IndexTexts(data.sourceIndex, kText);
        benchmark::DoNotOptimize(found);
    }
    state.counters["campaign rows"] = double(campaign.size());
    state.counters["source rows"] = double(source.size());
}
BENCHMARK(BM_FindKeystroke)->Unit(benchmark::kMicrosecond);

void BM_FindTestEveryEntry(benchmark::State& state)
{
    SFindData& data = Data();
    for (auto _ : state) {
        QStringList found = EveryEntryTexts(data.campaignTexts, kText);
        found += EveryEntryTexts(data.sourceTexts, kText);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindTestEveryEntry)->Unit(benchmark::kMicrosecond);

void BM_FindDialogKeystroke(benchmark::State& state)
{
    SFindData& data = Data();
    data.app.GetFindRecord() = {CFindQuestionDlg::LocationShortCaption, QString()};
    CFindQuestionDlg dialog;
    dialog.SetWaveId(kWaveId);
    dialog.SetCampaignQuestionIds(data.questionIds);
    for (const auto& source : data.sources)
        dialog.AddSourceQuestion(kVolumeId, QString::number(source->GetCodeQuestion()), *source);
    dialog.show();
    QLineEdit& edit = *dialog.GetEdit();
    for (auto _ : state) {
        state.PauseTiming();
        edit.setText(kText.left(2));
        state.ResumeTiming();
        edit.setText(kText);
    }
    state.counters["campaign rows"] = dialog.GetCampaignList()->GetItemCount();
    state.counters["source rows"] = dialog.GetSourceList()->GetItemCount();
    dialog.reject();
}
BENCHMARK(BM_FindDialogKeystroke)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
