#pragma once

class CWaveApp;

namespace pelko_wave {
class CCampaign;
}

// The generated campaign of the window benchmarks: 5,000 questions of 6 responses each, in 50
// chapters of 99 questions (a loop of four questions in every chapter, nested one level
// deeper), and 10 waves of 1 to 3 reconciled volumes, the first volume of each wave a root and
// the others inheriting from it. Every volume matches about four questions in five; the
// matchings are set directly, no questionnaire is read.
namespace view_bench {

constexpr int kQuestions = 5000;
constexpr int kResponsesPerQuestion = 6;
constexpr int kWaves = 10;

void FillCampaign(pelko_wave::CCampaign& campaign);

// The wave of three volumes that the reconciliation page benchmarks show.
constexpr int kLargestWave = 9;

// Gives the campaign's questions and responses captions, and each volume of the wave a source
// questionnaire (built in memory) with a source question for every campaign question (matched
// or not) and its responses, the volume matching the responses of the questions it matches.
// One source question in ten is captioned apart from its campaign question, and one in seven
// has a response captioned apart, so that the wave has differences to show.
void AddWaveSources(pelko_wave::CCampaign& campaign, int waveId);

// Makes the application compare every difference kind the options offer, of questions and of
// responses.
void EnableEveryDifferenceKind(CWaveApp& app);

} // namespace view_bench
