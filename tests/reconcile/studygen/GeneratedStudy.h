#pragma once

#include <QList>

class CTestWaveApp;

// A generated tracking study for the equivalence tests and the benchmark: a campaign whose
// questions appeared in wave 1, and a wave 2 of root volumes whose questionnaires (built in
// memory) copy some campaign questions, change others a little and bring new ones. Captions are
// drawn from a small vocabulary, so many texts share words and grams. The same shape gives the
// same study.
struct SGeneratedStudyShape
{
    int CampaignQuestions = 400;
    int Volumes = 2;
    int SourceQuestionsPerVolume = 200;
    int ResponsesPerQuestion = 6;
    unsigned Seed = 1;
    // Matching options of the wave 2 volumes, in turn.
    QList<QList<quint32>> QuestionMethods{{1, 2, 3}, {2, 3, 1}};
    QList<QList<quint32>> ResponseMethods{{2, 1}, {1, 2}};
    QList<bool> Strict{false, true};
};

// The study of the wave-reconciliation benchmark: a campaign of 5,000 questions, and a wave 2 of
// 3 volumes of 2,000 source questions with 10 responses each, questions matched by shortcut,
// short and long caption, responses by short caption and entry code, the third volume strict.
SGeneratedStudyShape GetReconcileWaveBenchmarkShape();

// Fills the application's (empty) campaign with the study. Wave 2 is the one to reconcile.
void BuildGeneratedStudy(CTestWaveApp& app, const SGeneratedStudyShape& shape);
