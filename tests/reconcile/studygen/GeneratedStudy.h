#pragma once

#include <QList>

class CTestWaveApp;

// A generated tracking study for the engine tests and the benchmarks: a campaign whose
// questions appeared in wave 1, and a wave 2 of root volumes whose questionnaires (built in
// memory) copy some campaign questions, change others a little and bring new ones. Captions are
// drawn from a small vocabulary, so many texts share words and grams. The same shape gives the
// same study.
//
// Later waves (up to Waves) hold as many volumes, each inheriting from the volume at the same
// place in the wave before. Their questionnaires are the ones before them, evolved as a tracker
// evolves: source codes stay, a few questions are dropped, reworded (captions and a response) or
// renamed (shortcut), and a few new ones come after them.
struct SGeneratedStudyShape
{
    int CampaignQuestions = 400;
    int Volumes = 2;
    int SourceQuestionsPerVolume = 200;
    int ResponsesPerQuestion = 6;
    unsigned Seed = 1;
    // The last wave; 2 gives the campaign and one wave to reconcile.
    int Waves = 2;
    // Matching options of the wave 2 volumes, in turn.
    QList<QList<quint32>> QuestionMethods{{1, 2, 3}, {2, 3, 1}};
    QList<QList<quint32>> ResponseMethods{{2, 1}, {1, 2}};
    QList<bool> Strict{false, true};
};

// The study of the wave-reconciliation benchmark: a campaign of 5,000 questions, and a wave 2 of
// 3 volumes of 2,000 source questions with 10 responses each, questions matched by shortcut,
// short and long caption, responses by short caption and entry code, the third volume strict.
SGeneratedStudyShape GetReconcileWaveBenchmarkShape();

// The wave-reconciliation study with the campaign and the wave's volumes scaled to a campaign
// of that many questions (5,000 gives the study above).
SGeneratedStudyShape GetScaledReconcileWaveShape(int campaignQuestions);

// The study of the inheriting-wave benchmark: the wave-reconciliation study carried on through
// wave 11, whose volumes inherit from wave 10's and so on back to wave 2's.
SGeneratedStudyShape GetInheritingWaveBenchmarkShape();

// Fills the application's (empty) campaign with the study. Wave 2 is the first to reconcile,
// then each later wave in turn.
void BuildGeneratedStudy(CTestWaveApp& app, const SGeneratedStudyShape& shape);

// Reconciles waves 2 to lastWaveId of the application's campaign in turn, interactively
// (progress and message boxes go to the window services installed); whether all succeeded.
bool ReconcileGeneratedWaves(int lastWaveId);
