#pragma once

#include "model/MatchIndexes.h"
#include "model/Matchings.h"

#include <QList>
#include <QMap>
#include <QString>
#include <map>
#include <memory>
#include <set>
#include <vector>

// What a wave reconciliation did to one volume, kept by the reconcile-wave command so that it
// can take the run back and put it back without matching again.
//
// Ownership: every raw pointer below is borrowed from the campaign while the object is in the
// model; the command that keeps the record owns the objects that Undo takes out of the model
// and frees them. The re-checks of the volumes below, after the run, are kept by the command.

namespace pelko_wave {

class CLanguage;
class CModality;
class CModalityCaption;
class CQuestion;
class CQuestionCaption;
class CQuestionClass;
class CVersion;

struct SReconcileResults
{
    int VolumeId = -1;

    // Every campaign question's id -> its order, taken before the volume was matched.
    QMap<int, int> QuestionOrders;

    // Reference data taken from the questionnaire.
    QList<CVersion*> AddedVersions;
    QMap<CVersion*, QString> OldVersionLongCaptions;
    QMap<CVersion*, QString> OldVersionShortCaptions;
    QList<CQuestionClass*> AddedQuestionClasses;
    QMap<CQuestionClass*, QString> OldQuestionClassCaptions;
    QList<CLanguage*> AddedLanguages;

    // Campaign questions and responses made from source items (with their captions).
    QList<CQuestion*> CreatedQuestions;
    QList<CModality*> CreatedModalities;
    // Captions added to questions and responses that existed before the run.
    QList<CQuestionCaption*> AddedQuestionCaptions;
    QList<CModalityCaption*> AddedModalityCaptions;

    // Matchings made for the volume.
    QList<CQuestionMatching*> QuestionMatchingsMade;
    QList<CModalityMatching*> ModalityMatchingsMade;
    // Matchings whose end volume was changed: the end before the first change and after the
    // last one.
    QMap<CQuestionMatching*, int> QuestionEndsBefore;
    QMap<CQuestionMatching*, int> QuestionEndsAfter;
    QMap<CModalityMatching*, int> ModalityEndsBefore;
    QMap<CModalityMatching*, int> ModalityEndsAfter;

    // Questions and responses that now first appear in this volume: the appearance volume
    // before and after.
    QMap<CQuestion*, int> QuestionAppearanceBefore;
    QMap<CQuestion*, int> QuestionAppearanceAfter;
    QMap<CModality*, int> ModalityAppearanceBefore;
    QMap<CModality*, int> ModalityAppearanceAfter;

    // The volume before the run.
    int PreviousMainVolumeLinkQuestionId = 0;
    int PreviousStatus = 0;
    CQuestionIndex PreviousQuestionIndex;
    // The campaign's default language before the run (the first wave's first volume gives the
    // campaign its default language): the id and the languages then marked default.
    int PreviousDefaultLanguageId = 0;
    std::set<int> PreviousDefaultLanguages;
    bool DefaultLanguageChanged = false;

    // The campaign's question and response counts after the volume.
    int QuestionCount = 0;
    int ModalityCount = 0;
};

// Volume id -> what the run did to it.
using ReconcileResultsMap = std::map<int, std::unique_ptr<SReconcileResults>>;

} // namespace pelko_wave
