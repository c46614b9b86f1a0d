#pragma once

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <set>

// Look-up records that the reconciliation engine fills while it matches one volume: the
// volume's record of its source questions, and each campaign question's record of its
// responses. They are empty outside a matching run and carry no campaign data of their own.

namespace pelko_wave {

// A volume's source questions as the question matching sees them.
class CQuestionIndex
{
public:
    // Source question code ("%d") -> position in the volume's questionnaire.
    QHash<QString, int> CodeMap;
    // The new matchings of the run: campaign question id -> source code (in id order).
    QMap<int, QString> NewMatchings;
    // The same pairs the other way: source code -> campaign question id.
    QMap<QString, int> SourceToQuestion;
    // Source codes of the inherited matchings broken in this volume.
    std::set<QString> BrokenInherited;
    // Campaign question ids left unmatched, in candidate order.
    QList<int> UnmatchedQuestions;
    // Source codes ("%d") left unmatched, in questionnaire order.
    QList<QString> UnmatchedSources;

    void Clear()
    {
        CodeMap.clear();
        NewMatchings.clear();
        SourceToQuestion.clear();
        BrokenInherited.clear();
        UnmatchedQuestions.clear();
        UnmatchedSources.clear();
    }
    bool IsEmpty() const
    {
        return CodeMap.isEmpty() && NewMatchings.isEmpty() && SourceToQuestion.isEmpty()
            && BrokenInherited.empty() && UnmatchedQuestions.isEmpty()
            && UnmatchedSources.isEmpty();
    }
    bool operator==(const CQuestionIndex&) const = default;
};

// The responses of one campaign question as the response matching sees them.
class CResponseIndex
{
public:
    // Source response code ("%d") -> position of the source response in its question.
    QHash<QString, int> CodeMap;
    // The new matchings of the run: campaign response id -> source response code.
    QMap<int, QString> NewMatchings;
    // Source codes of the inherited response matchings broken in this volume.
    std::set<QString> BrokenInherited;
    // Campaign response ids left unmatched, in candidate order.
    QList<int> UnmatchedModalities;
    // Source response codes left unmatched (new responses), in source order.
    QList<QString> UnmatchedSources;

    void Clear()
    {
        CodeMap.clear();
        NewMatchings.clear();
        BrokenInherited.clear();
        UnmatchedModalities.clear();
        UnmatchedSources.clear();
    }
    bool IsEmpty() const
    {
        return CodeMap.isEmpty() && NewMatchings.isEmpty() && BrokenInherited.empty()
            && UnmatchedModalities.isEmpty() && UnmatchedSources.isEmpty();
    }
    bool operator==(const CResponseIndex&) const = default;
};

} // namespace pelko_wave
