#pragma once

#include <QHash>
#include <QList>

// The matchings valid for a volume (its own and its ancestors'), gathered in one walk, with the
// response matchings grouped by campaign question: asking the volume question by question walks
// every response matching once per question.

namespace pelko_wave {
class CModalityMatching;
class CQuestionMatching;
class CVolume;
} // namespace pelko_wave

struct SValidMatchings
{
    // In the volume tree's order: the volume's own first, then each ancestor's.
    QList<pelko_wave::CQuestionMatching*> Questions;
    // Campaign question id -> its response matchings, in the same order.
    QHash<int, QList<const pelko_wave::CModalityMatching*>> ModalitiesByQuestion;
};

SValidMatchings CollectValidMatchings(const pelko_wave::CVolume& volume);
