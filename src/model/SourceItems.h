#pragma once

#include <QList>
#include <QString>
#include <memory>

// Campaign objects made from a volume's source questionnaire, shared by the reconciliation
// engine and the commands so that both make identical objects. Nothing is inserted into the
// campaign unless stated: the caller inserts, and keeps what it needs for undo. Where an output
// list is given, every object added to the campaign is appended to it.

namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

namespace pelko_wave {

class CCampaign;
class CModality;
class CModalityCaption;
class CQuestion;
class CQuestionCaption;
class CVolume;

// Adds to the response a caption per language of the source response (ShortCaption = its
// text); a language the response already has keeps its caption.
bool AddModalityCaptionsFromSource(const CQuestion& question, CModality& modality,
                                   const qnr::CModalite& source,
                                   QList<CModalityCaption*>* added = nullptr);
// The same, only for the languages in which the response has no caption yet.
bool AddMissingModalityCaptionsFromSource(const CQuestion& question, CModality& modality,
                                          const qnr::CModalite& source,
                                          QList<CModalityCaption*>* added = nullptr);
// Adds to the question a caption per language of the source question (long and short); a
// language the question already has keeps its caption.
bool AddQuestionCaptionsFromSource(CQuestion& question, const qnr::CQuestion& source,
                                   QList<CQuestionCaption*>* added = nullptr);
bool AddMissingQuestionCaptionsFromSource(CQuestion& question, const qnr::CQuestion& source,
                                          QList<CQuestionCaption*>* added = nullptr);

// A new campaign response for the source response of the question, appearing in the volume.
// Its id is the next one, or with keepCode the source's code when the campaign does not use it
// yet (else the first free id from 100000 up). Order -1 takes the question's highest response
// order + 1. An entry code that another response of the question has is replaced by the first
// free number from the response count + 1 up, written with as many digits as the count of
// responses (don't-know and semi-open included) has.
std::unique_ptr<CModality> CreateModalityFromSource(const CCampaign& campaign,
                                                    const CVolume& volume,
                                                    const CQuestion& question,
                                                    const qnr::CModalite& source, int order,
                                                    bool keepCode);

// A new campaign question for the source question, appearing in the volume. Its id is the next
// one, or with keepCode the source's code when it is free and not 1 (else the first free id
// from 10000 up). Order -1 takes the highest question order + 1; indent -1 the source's.
std::unique_ptr<CQuestion> CreateQuestionFromSource(const CCampaign& campaign,
                                                    const CVolume& volume,
                                                    const qnr::CQuestion& source, int order,
                                                    bool keepCode, int indent);

// A new chapter, appearing in the volume or, without one, in the campaign's first volume.
std::unique_ptr<CQuestion> CreateChapterQuestion(const CCampaign& campaign, const CVolume* volume,
                                                 const QString& name, int order);

// Question or response version ids as the campaign keeps them: each followed by ";".
QString FormatVersionIds(const std::vector<int>& ids);

} // namespace pelko_wave
