#pragma once

#include <QString>

// What the wave summary and the Update account both write of a matched pair that differs: the
// heading of the pair, and the title and the two values of each differing part. The headings
// are HTML-escaped; the part texts are plain, as the caller places them.

namespace pelko_wave {
class CModality;
class CQuestion;
class CVolume;
} // namespace pelko_wave
namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

// "<count> difference(s) between campaign question ... and source question ... in volume ...".
QString QuestionDifferencesHeading(int count, const pelko_wave::CQuestion& question,
                                   const qnr::CQuestion& source, const QString& sourceId,
                                   const pelko_wave::CVolume& volume);
// The same for a response, the source response's caption taken in the language.
QString ResponseDifferencesHeading(int count, const pelko_wave::CModality& modality,
                                   const qnr::CModalite& source, const QString& sourceId,
                                   const pelko_wave::CVolume& volume, int languageId);

// A differing part: its title (a caption kind names its language), the campaign's value and the
// source's.
struct SDifferingPart
{
    QString Title;
    QString Campaign;
    QString Source;
};

// The part of the kind (the caption kinds in the language) of a question matched in the volume
// of the wave: the response count is the one of the question there.
SDifferingPart DescribeQuestionPart(const pelko_wave::CQuestion& question,
                                    const qnr::CQuestion& source, int waveId, int volumeId,
                                    int kind, int languageId);
SDifferingPart DescribeResponsePart(const pelko_wave::CModality& modality,
                                    const qnr::CModalite& source, int kind, int languageId);
