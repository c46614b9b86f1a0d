#include "reconcile/TextScanIndex.h"
#include "reconcile/NGram.h"
#include "reconcile/TextScan.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Captions built from a small vocabulary, so that many share words and grams, with the
// variants that matter to the scores: letter case, surrounding blanks, exact and near copies,
// empty and one-letter texts, letters whose upper case is special.
QStringList GenerateCaptions(std::mt19937& random, int count, const QStringList& copiesFrom = {})
{
    static const QStringList words = {
        QStringLiteral("brand"),  QStringLiteral("Brand"),  QStringLiteral("coffee"),
        QStringLiteral("shop"),   QStringLiteral("visit"),  QStringLiteral("often"),
        QStringLiteral("most"),   QStringLiteral("last"),   QStringLiteral("week"),
        QStringLiteral("a"),      QStringLiteral("of"),     QStringLiteral("the"),
        QStringLiteral("Q1a"),    QStringLiteral("Q1b"),    QStringLiteral("Q10"),
        QStringLiteral("straße"), QStringLiteral("éclair"), QStringLiteral("ÉCLAIR"),
        QStringLiteral("yes"),    QStringLiteral("no"),     QStringLiteral("don't"),
        QStringLiteral("know"),   QStringLiteral("aaaa"),   QStringLiteral("abab"),
    };
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    QStringList texts;
    for (int i = 0; i < count; ++i) {
        QString text;
        const int kind = pick(10);
        if (kind == 0) {
            text = pick(2) ? QString() : QStringLiteral("   ");
        } else if (kind == 1) {
            text = QString(QChar(u'a' + pick(3)));
        } else if (kind <= 3 && !copiesFrom.isEmpty()) {
            // A copy of a text of the other side, sometimes changed by one letter.
            text = copiesFrom[pick(int(copiesFrom.size()))];
            if (pick(2) && !text.isEmpty())
                text[pick(int(text.size()))] = QChar(u'a' + pick(26));
        } else {
            const int wordCount = 1 + pick(6);
            for (int w = 0; w < wordCount; ++w) {
                if (w > 0)
                    text += QLatin1Char(' ');
                text += words[pick(int(words.size()))];
            }
        }
        if (pick(5) == 0)
            text = text.toUpper();
        if (pick(6) == 0)
            text = QStringLiteral("  ") + text;
        if (pick(6) == 0)
            text += QLatin1Char(' ');
        texts.append(text);
    }
    return texts;
}

struct SScanSettings
{
    int UpperCase;
    int Trim;
    int BothEmptyResult;
};

std::string Describe(const SScanSettings& s, double threshold)
{
    return "upper " + std::to_string(s.UpperCase) + ", trim " + std::to_string(s.Trim) +
           ", both empty " + std::to_string(s.BothEmptyResult) + ", threshold " +
           std::to_string(threshold);
}

const double thresholds[] = {-0.25, 0.0, 0.5, double(0.8f), double(0.95f), 0.95, 1.0};

std::vector<SScanSettings> AllSettings()
{
    std::vector<SScanSettings> all;
    for (int upper = 0; upper <= 1; ++upper)
        for (int trim = 0; trim <= 1; ++trim)
            for (int bothEmpty = 0; bothEmpty <= 1; ++bothEmpty)
                all.push_back({upper, trim, bothEmpty});
    return all;
}

// The reference: every pair scored by its own CNGram.
std::vector<std::vector<double>> ScoreAllPairs(const QStringList& campaign,
                                               const QStringList& sources, const SScanSettings& s)
{
    std::vector<std::vector<double>> scores(size_t(campaign.size()));
    for (qsizetype c = 0; c < campaign.size(); ++c) {
        CNGram ngram;
        ngram.SetUpperCase(s.UpperCase);
        ngram.SetTrim(s.Trim);
        ngram.SetFirstText(campaign[c]);
        for (const QString& source : sources) {
            ngram.SetSecondText(source);
            scores[size_t(c)].push_back(ngram.GetSimilarity(s.BothEmptyResult));
        }
    }
    return scores;
}

} // namespace

TEST(TextScanIndex, FindsExactlyTheEntriesAndScoresOfTheFullPairwiseScan)
{
    std::mt19937 random(20240611);
    const QStringList queries = GenerateCaptions(random, 160);
    const QStringList sources = GenerateCaptions(random, 180, queries);

    for (const SScanSettings& s : AllSettings()) {
        const CTextScanIndex::SSettings settings{s.UpperCase, s.Trim, s.BothEmptyResult};
        CTextScanIndex index(sources, settings);
        for (int entry = 3; entry < index.GetEntryCount(); entry += 7)
            index.Remove(entry);

        const auto scores = ScoreAllPairs(queries, sources, s);

        std::vector<CTextScanIndex::SHit> hits;
        for (const double threshold : thresholds) {
            SCOPED_TRACE(Describe(s, threshold));
            int expectedTotal = 0;
            for (qsizetype q = 0; q < queries.size(); ++q) {
                std::vector<CTextScanIndex::SHit> expected;
                for (int entry = 0; entry < index.GetEntryCount(); ++entry) {
                    const double score = scores[size_t(q)][size_t(entry)];
                    if (!index.IsRemoved(entry) && (score > threshold || score == 1.0))
                        expected.push_back({entry, score});
                }
                expectedTotal += int(expected.size());
                index.Find(queries[q], threshold, hits);
                ASSERT_EQ(hits.size(), expected.size()) << "query " << queries[q].toStdString();
                for (size_t h = 0; h < hits.size(); ++h) {
                    EXPECT_EQ(hits[h].Entry, expected[h].Entry);
                    // Bit for bit: the same counts and the same division.
                    EXPECT_EQ(hits[h].Score, expected[h].Score);
                }
            }
            // The data must exercise the case: something passes at every threshold.
            EXPECT_GT(expectedTotal, 0);
        }
    }
}

TEST(TextScanIndex, FullScanGivesTheSameHits)
{
    std::mt19937 random(7);
    const QStringList queries = GenerateCaptions(random, 60);
    const QStringList sources = GenerateCaptions(random, 80, queries);
    const CTextScanIndex index(sources, {1, 1, 0});
    const CTextScanIndex allPairs(sources, {1, 1, 0, TextScanMode::AllPairs});
    std::vector<CTextScanIndex::SHit> indexed;
    std::vector<CTextScanIndex::SHit> full;
    for (const QString& query : queries) {
        index.Find(query, 0.5, indexed);
        allPairs.Find(query, 0.5, full);
        ASSERT_EQ(indexed.size(), full.size());
        for (size_t h = 0; h < full.size(); ++h) {
            EXPECT_EQ(indexed[h].Entry, full[h].Entry);
            EXPECT_EQ(indexed[h].Score, full[h].Score);
        }
    }
}

TEST(TextScanIndex, ScoreOfExactlyOneIsAlwaysAHit)
{
    const CTextScanIndex index({QStringLiteral("abc"), QStringLiteral("abd"), QString()},
                               {1, 1, 1});
    std::vector<CTextScanIndex::SHit> hits;
    index.Find(QStringLiteral("ABC"), 1.0, hits);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].Entry, 0);
    // Two empty texts score the both-empty result.
    index.Find(QStringLiteral("  "), 1.0, hits);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].Entry, 2);
    index.Find(QStringLiteral("abc"), 1.5, hits);
    EXPECT_EQ(hits.size(), 1u);
}

namespace {

// A filter standing for the loop-ancestry and type tests of the question scan.
bool PassesFilter(int campaignEntry, int sourceEntry)
{
    return (campaignEntry + sourceEntry) % 5 != 0;
}

std::vector<CTextScan::SPair> RunScan(const QStringList& campaign, const QStringList& sources,
                                      const CTextScanIndex::SSettings& settings, double threshold,
                                      bool filtered)
{
    CTextScan scan(sources, settings, threshold);
    std::vector<CTextScan::SPair> pairs;
    for (int c = 0; c < int(campaign.size()); ++c) {
        const CTextScan::SourceFilter filter = [c](int s) { return PassesFilter(c, s); };
        const int source =
            scan.ScanText(c, campaign[c], true, filtered ? filter : CTextScan::SourceFilter());
        if (source >= 0)
            pairs.push_back({c, source, 1.0});
    }
    for (const CTextScan::SPair& pair : scan.TakeProposals())
        pairs.push_back(pair);
    return pairs;
}

// The text scan written out pair by pair over a table of CNGram scores: each campaign text
// against each source text still unpaired, in order; 1.0 pairs at once and ends the text; a
// score above the threshold is a proposal; proposals are taken by (score, position remembered)
// descending.
std::vector<CTextScan::SPair> RunReferenceScan(const std::vector<std::vector<double>>& scores,
                                               double threshold, bool filtered)
{
    const size_t campaignCount = scores.size();
    const size_t sourceCount = campaignCount ? scores[0].size() : 0;
    std::vector<bool> campaignLeft(campaignCount, true);
    std::vector<bool> sourceLeft(sourceCount, true);
    struct SProposal
    {
        double Score;
        size_t Position;
        int Campaign;
        int Source;
    };
    std::vector<SProposal> proposals;
    std::vector<CTextScan::SPair> pairs;
    for (size_t c = 0; c < campaignCount; ++c) {
        for (size_t s = 0; s < sourceCount; ++s) {
            if (!sourceLeft[s] || (filtered && !PassesFilter(int(c), int(s))))
                continue;
            const double score = scores[c][s];
            if (score == 1.0) {
                pairs.push_back({int(c), int(s), 1.0});
                campaignLeft[c] = false;
                sourceLeft[s] = false;
                break;
            }
            if (score > threshold)
                proposals.push_back({score, proposals.size(), int(c), int(s)});
        }
    }
    std::sort(proposals.begin(), proposals.end(), [](const SProposal& a, const SProposal& b) {
        return a.Score != b.Score ? a.Score > b.Score : a.Position > b.Position;
    });
    for (const SProposal& p : proposals) {
        if (campaignLeft[size_t(p.Campaign)] && sourceLeft[size_t(p.Source)]) {
            pairs.push_back({p.Campaign, p.Source, p.Score});
            campaignLeft[size_t(p.Campaign)] = false;
            sourceLeft[size_t(p.Source)] = false;
        }
    }
    return pairs;
}

void ExpectSamePairs(const std::vector<CTextScan::SPair>& actual,
                     const std::vector<CTextScan::SPair>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t p = 0; p < expected.size(); ++p) {
        EXPECT_EQ(actual[p].CampaignEntry, expected[p].CampaignEntry) << "pair " << p;
        EXPECT_EQ(actual[p].SourceEntry, expected[p].SourceEntry) << "pair " << p;
        EXPECT_EQ(actual[p].Score, expected[p].Score) << "pair " << p;
    }
}

} // namespace

TEST(TextScan, IndexedScanMakesTheMatchingsOfThePairwiseScan)
{
    std::mt19937 random(424242);
    for (int round = 0; round < 2; ++round) {
        const QStringList campaign = GenerateCaptions(random, 150);
        const QStringList sources = GenerateCaptions(random, 150, campaign);
        for (const SScanSettings& s : AllSettings()) {
            const auto scores = ScoreAllPairs(campaign, sources, s);
            const CTextScanIndex::SSettings settings{s.UpperCase, s.Trim, s.BothEmptyResult};
            for (const double threshold : thresholds) {
                for (const bool filtered : {false, true}) {
                    SCOPED_TRACE(Describe(s, threshold) + (filtered ? ", filtered" : ""));
                    const auto expected = RunReferenceScan(scores, threshold, filtered);
                    ExpectSamePairs(RunScan(campaign, sources, settings, threshold, filtered),
                                    expected);
                }
            }
        }
    }
}

TEST(TextScan, FullScanMakesTheSameMatchings)
{
    std::mt19937 random(99);
    const QStringList campaign = GenerateCaptions(random, 80);
    const QStringList sources = GenerateCaptions(random, 80, campaign);
    for (const double threshold : {0.0, 0.5, double(0.95f), 1.0}) {
        SCOPED_TRACE(threshold);
        const auto indexed = RunScan(campaign, sources, {1, 1, 0}, threshold, true);
        const std::vector<CTextScan::SPair> full =
            RunScan(campaign, sources, {1, 1, 0, TextScanMode::AllPairs}, threshold, true);
        EXPECT_FALSE(full.empty());
        ExpectSamePairs(indexed, full);
    }
}

TEST(TextScan, ExactMatchPairsAtOnceAndTheLaterCampaignTextFindsTheSourceGone)
{
    CTextScan scan({QStringLiteral("coffee shop"), QStringLiteral("coffee shops")}, {1, 1, 0},
                   double(0.8f));
    EXPECT_EQ(scan.ScanText(0, QStringLiteral("Coffee Shop")), 0);
    EXPECT_FALSE(scan.IsSourceLeft(0));
    EXPECT_FALSE(scan.IsCampaignLeft(0));
    // The second campaign text also equals source 0, which is gone: it proposes source 1.
    EXPECT_EQ(scan.ScanText(1, QStringLiteral("coffee shop")), -1);
    ASSERT_EQ(scan.GetProposals().size(), 1u);
    EXPECT_EQ(scan.GetProposals()[0].SourceEntry, 1);
    const auto pairs = scan.TakeProposals();
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].CampaignEntry, 1);
    EXPECT_EQ(pairs[0].SourceEntry, 1);
}

TEST(TextScan, ExactMatchPairsAtOnceEvenAtAThresholdOfOne)
{
    CTextScan scan({QStringLiteral("yes"), QStringLiteral("no")}, {1, 1, 0}, 1.0);
    EXPECT_EQ(scan.ScanText(0, QStringLiteral("no")), 1);
    // Without pairing at once (the caption-library scan) a 1.0 is only a proposal, and at a
    // threshold of 1.0 not even that.
    EXPECT_EQ(scan.ScanText(1, QStringLiteral("yes"), false), -1);
    EXPECT_TRUE(scan.GetProposals().empty());
}

TEST(TextScan, EqualScoresTakeTheProposalRememberedLastFirst)
{
    // Both campaign texts score 0.8 against the one source text ("ab" against "abc").
    CTextScan scan({QStringLiteral("abc")}, {1, 1, 0}, 0.5);
    EXPECT_EQ(scan.ScanText(10, QStringLiteral("ab")), -1);
    EXPECT_EQ(scan.ScanText(20, QStringLiteral("ab")), -1);
    auto pairs = scan.TakeProposals();
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].CampaignEntry, 20);

    // A higher score wins whatever its place.
    CTextScan second({QStringLiteral("abcd"), QStringLiteral("abce")}, {1, 1, 0}, 0.5);
    second.ScanText(1, QStringLiteral("abc"));   // 2*3/7 against both sources
    second.ScanText(2, QStringLiteral("abcdx")); // 2*4/9 against source 0
    pairs = second.TakeProposals();
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].CampaignEntry, 2);
    EXPECT_EQ(pairs[0].SourceEntry, 0);
    EXPECT_EQ(pairs[1].CampaignEntry, 1);
    EXPECT_EQ(pairs[1].SourceEntry, 1);
}

TEST(TextScan, ProposalOrderKey)
{
    std::vector<CTextScan::SProposal> proposals = {
        {0.9, 1, 1}, {0.95, 2, 2}, {0.9, 3, 3}, {0.95, 4, 4}, {0.9, 5, 5}};
    SortProposalsForTaking(proposals);
    std::vector<int> order;
    for (const auto& p : proposals)
        order.push_back(p.CampaignEntry);
    EXPECT_EQ(order, (std::vector<int>{4, 2, 5, 3, 1}));
}

TEST(TextScan, EntriesTakenOutByTheCallerAreNotOffered)
{
    CTextScan scan({QStringLiteral("alpha"), QStringLiteral("alpha")}, {1, 1, 0}, 0.5);
    scan.RemoveSource(0);
    EXPECT_EQ(scan.ScanText(0, QStringLiteral("alpha")), 1);
    scan.RemoveCampaign(5);
    EXPECT_EQ(scan.ScanText(5, QStringLiteral("alpha")), -1);
    EXPECT_TRUE(scan.GetProposals().empty());
}
