// The text scan of the text matching methods on 2,000 campaign and 2,000 source captions at the
// default threshold: through the gram index, and pair by pair with a CNGram per pair as the
// full scan does. Both make the same matchings (the "pairs" counter).

#include "reconcile/NGram.h"
#include "reconcile/TextScan.h"
#include "reconcile/TextScanIndex.h"

#include <QStringList>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace {

constexpr int kCaptions = 2000;

// Captions of 3 to 12 words from a vocabulary of 600 words of 2 to 9 letters drawn with the
// letter frequencies of English, so that captions share many words and grams. Most source
// captions are the campaign's with a small change (a word replaced, letter case, a trailing
// blank), as a later wave of the same study has them; the rest are new.
struct SCaptions
{
    QStringList Campaign;
    QStringList Sources;
};

const SCaptions& Captions()
{
    static const SCaptions captions = [] {
        std::mt19937 random(12345);
        const auto pick = [&](int n) { return int(random() % unsigned(n)); };
        static const QString letters = QStringLiteral(
            "eeeeeeeeeeeetttttttttaaaaaaaaoooooooiiiiiiinnnnnnnsssssshhhhhhrrrrrrddddllllcccuuumm"
            "wwffggyyppbbvkjxqz");
        QStringList vocabulary;
        for (int w = 0; w < 600; ++w) {
            QString word;
            const int length = 2 + pick(8);
            for (int l = 0; l < length; ++l)
                word += letters[pick(int(letters.size()))];
            vocabulary.append(word);
        }
        const auto makeCaption = [&] {
            QStringList words;
            const int count = 3 + pick(10);
            for (int w = 0; w < count; ++w)
                words.append(vocabulary[pick(int(vocabulary.size()))]);
            return words.join(QLatin1Char(' '));
        };
        SCaptions made;
        for (int i = 0; i < kCaptions; ++i)
            made.Campaign.append(makeCaption());
        for (int i = 0; i < kCaptions; ++i) {
            if (pick(10) < 3) {
                made.Sources.append(makeCaption());
                continue;
            }
            QString text = made.Campaign[pick(kCaptions)];
            switch (pick(4)) {
            case 0: {
                QStringList words = text.split(QLatin1Char(' '));
                words[pick(int(words.size()))] = vocabulary[pick(int(vocabulary.size()))];
                text = words.join(QLatin1Char(' '));
                break;
            }
            case 1:
                text = text.toUpper();
                break;
            case 2:
                text += QLatin1Char(' ');
                break;
            default:
                break;
            }
            made.Sources.append(text);
        }
        return made;
    }();
    return captions;
}

int RunScan(TextScanMode mode)
{
    const SCaptions& captions = Captions();
    CTextScan scan(captions.Sources, {1, 1, 0, mode}, double(0.95f));
    int pairs = 0;
    for (int c = 0; c < int(captions.Campaign.size()); ++c) {
        if (scan.ScanText(c, captions.Campaign[c]) >= 0)
            ++pairs;
    }
    return pairs + int(scan.TakeProposals().size());
}

void BM_TextScanIndexed(benchmark::State& state)
{
    int pairs = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(pairs = RunScan(TextScanMode::Indexed));
    state.counters["pairs"] = pairs;
}
BENCHMARK(BM_TextScanIndexed)->Unit(benchmark::kMillisecond);

void BM_TextScanAllPairs(benchmark::State& state)
{
    int pairs = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(pairs = RunScan(TextScanMode::AllPairs));
    state.counters["pairs"] = pairs;
}
BENCHMARK(BM_TextScanAllPairs)->Unit(benchmark::kMillisecond);

// For comparison: every pair scored from grams counted once per text (sorted gram lists merged),
// without the index's pruning, so that the gain of the pruning alone shows.
void BM_TextScanAllPairsCountedOnce(benchmark::State& state)
{
    const SCaptions& captions = Captions();
    using Grams = std::vector<std::pair<QString, int>>;
    const auto countGrams = [](const QStringList& texts) {
        std::vector<Grams> all;
        for (const QString& text : texts) {
            CNGram ngram;
            ngram.SetFirstText(text);
            all.emplace_back(ngram.GetFirstGrams().begin(), ngram.GetFirstGrams().end());
        }
        return all;
    };
    const double threshold = double(0.95f);
    int pairs = 0;
    for (auto _ : state) {
        const std::vector<Grams> campaign = countGrams(captions.Campaign);
        const std::vector<Grams> sources = countGrams(captions.Sources);
        std::vector<int> totals;
        for (const Grams& grams : sources) {
            int total = 0;
            for (const auto& gram : grams)
                total += gram.second;
            totals.push_back(total);
        }
        std::vector<bool> sourceLeft(sources.size(), true);
        std::vector<bool> campaignLeft(campaign.size(), true);
        std::vector<CTextScan::SProposal> proposals;
        pairs = 0;
        for (size_t c = 0; c < campaign.size(); ++c) {
            int total = 0;
            for (const auto& gram : campaign[c])
                total += gram.second;
            for (size_t s = 0; s < sources.size(); ++s) {
                if (!sourceLeft[s])
                    continue;
                int shared = 0;
                auto a = campaign[c].begin();
                auto b = sources[s].begin();
                while (a != campaign[c].end() && b != sources[s].end()) {
                    if (a->first < b->first) {
                        ++a;
                    } else if (b->first < a->first) {
                        ++b;
                    } else {
                        shared += std::min(a->second, b->second);
                        ++a;
                        ++b;
                    }
                }
                const double score = NGramDiceScore(shared, total, totals[s], 0);
                if (score == 1.0) {
                    sourceLeft[s] = false;
                    campaignLeft[c] = false;
                    ++pairs;
                    break;
                }
                if (score > threshold)
                    proposals.push_back({score, int(c), int(s)});
            }
        }
        SortProposalsForTaking(proposals);
        for (const auto& p : proposals) {
            if (campaignLeft[size_t(p.CampaignEntry)] && sourceLeft[size_t(p.SourceEntry)]) {
                campaignLeft[size_t(p.CampaignEntry)] = false;
                sourceLeft[size_t(p.SourceEntry)] = false;
                ++pairs;
            }
        }
        benchmark::DoNotOptimize(pairs);
    }
    state.counters["pairs"] = pairs;
}
BENCHMARK(BM_TextScanAllPairsCountedOnce)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
