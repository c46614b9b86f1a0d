#pragma once

#include "model/Campaign.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/ReconcileResults.h"
#include "reconcile/ReconcileRun.h"

#include <QList>
#include <QString>
#include <QStringList>

// Small campaigns and in-memory source questionnaires for the engine tests.

namespace engine_test {

// The language of every caption the helpers make.
inline constexpr int kLanguage = 1033;

// Appends a wave named after its id.
pelko_wave::CWave* AddWave(pelko_wave::CCampaign& campaign, int waveId);
// Appends a volume to the wave: a root, or a child of the volume parentId. Its methods and
// options are those given (non-strict, case-insensitive unless changed afterwards).
pelko_wave::CVolume* AddVolume(pelko_wave::CCampaign& campaign, pelko_wave::CWave& wave,
                               int volumeId, const QList<quint32>& questionMethods,
                               const QList<quint32>& responseMethods, int parentId = -1);

// A campaign question (a closed question unless said), with its captions in kLanguage,
// appearing in the volume.
pelko_wave::CQuestion* AddQuestion(pelko_wave::CCampaign& campaign, int questionId,
                                   const QString& shortcut, const QString& shortCaption,
                                   int appearanceVolumeId, int questionType = 1,
                                   int elementType = 1, int indent = 1);
// A response at the end of the question, with its caption in kLanguage.
pelko_wave::CModality* AddResponse(pelko_wave::CCampaign& campaign, pelko_wave::CQuestion& question,
                                   int modalityId, const QString& caption,
                                   const QString& entryCode = QString());
// Responses for each caption, ids from firstId up.
void AddResponses(pelko_wave::CCampaign& campaign, pelko_wave::CQuestion& question, int firstId,
                  const QStringList& captions);

// A source question of the volume's questionnaire (created in memory, with kLanguage).
qnr::CQuestion* AddSourceQuestion(pelko_wave::CVolume& volume, int code, const QString& shortcut,
                                  const QString& shortCaption, int questionType = 1,
                                  int elementType = 1, int indent = 1);
qnr::CModalite* AddSourceResponse(qnr::CQuestion& question, int code, const QString& caption,
                                  const QString& entryCode = QString());
// Source responses for each caption, codes from firstCode up.
void AddSourceResponses(qnr::CQuestion& question, int firstCode, const QStringList& captions);

// Owned question and response matchings of a volume, open-ended from it.
void MatchQuestion(pelko_wave::CVolume& volume, int questionId, int sourceCode);
void MatchResponse(pelko_wave::CVolume& volume, int questionId, int modalityId, int sourceCode);

// The volume's new question matchings as "campaign id>source code" texts, in id order.
QStringList NewQuestionPairs(const pelko_wave::CVolume& volume);
// The question's new response matchings as "response id>source code" texts, in id order.
QStringList NewResponsePairs(const pelko_wave::CQuestion& question);

// A run of an interactive reconciliation of the wave, without a progress window, whose steps
// record into the results and write into the report.
pelko_wave::SReconcileRun MakeRun(pelko_wave::CCampaign& campaign, int waveId,
                                  pelko_wave::SReconcileResults& results, QString& report);

// The report's lines, one paragraph each: "classes|text".
QStringList ReportLines(const QString& report);

} // namespace engine_test
