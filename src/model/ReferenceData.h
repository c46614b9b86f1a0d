#pragma once

#include <QList>
#include <QMap>
#include <QString>

// The questionnaire's reference data taken into the campaign before a volume is matched:
// versions, question classes and languages. What is added or overwritten is noted in the
// optional outputs, so that the caller can undo it.

namespace qnr {
class CQuestionnaire;
}

namespace pelko_wave {

class CCampaign;
class CLanguage;
class CQuestionClass;
class CVersion;

// A version the campaign has gets the source's captions (its former ones noted, the first
// noting of a version kept); any other is added.
void ReconcileVersions(CCampaign& campaign, const qnr::CQuestionnaire& questionnaire,
                       QList<CVersion*>* added = nullptr,
                       QMap<CVersion*, QString>* oldLongCaptions = nullptr,
                       QMap<CVersion*, QString>* oldShortCaptions = nullptr);
// The same for question classes and their captions.
void ReconcileQuestionClasses(CCampaign& campaign, const qnr::CQuestionnaire& questionnaire,
                              QList<CQuestionClass*>* added = nullptr,
                              QMap<CQuestionClass*, QString>* oldCaptions = nullptr);
// Each language of the questionnaire that the campaign lacks is added, not as default.
void AddQuestionnaireLanguages(CCampaign& campaign, const qnr::CQuestionnaire& questionnaire,
                               QList<CLanguage*>* added = nullptr);

} // namespace pelko_wave
