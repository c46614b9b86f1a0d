#pragma once

#include <QByteArray>
#include <QString>

namespace qnr {
class CQuestionnaire;
}

// Writers of the two outside formats, for test fixtures, the samples and the benchmark: they
// write a questionnaire as a Triple-S or Dimensions source would hold it.

// Triple-S 2.0 metadata. Chapters are left out (Triple-S has none); the questions of a loop are
// written once per iteration, with ident = question code * 100 + iteration code and the name
// "<shortcut>_<iteration entry code>". Short and long captions become the analysis and
// interview texts.
QByteArray WriteTripleSDocument(const qnr::CQuestionnaire& questionnaire,
                                const QString& surveyName);

// A Dimensions metadata document: definitions, the design (chapters as blocks, loops as loops),
// languages and the category map. A category is named by its response's entry code when that is
// a valid name, else "_<code>"; the category map gives each name its response code. A
// question's "don't know" and "other, specify" answers are its responses with the entry codes
// "dk" and "other" (when the question has the flag). Fails
// (empty result, reason in `error`) when one name would need two codes.
QByteArray WriteDimensionsDocument(const qnr::CQuestionnaire& questionnaire, QString& error);
