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

// Whether the source id is a code written as source codes are ("%d": an optional minus, then
// digits without a leading zero, "0" alone aside), and that code.
bool ReadCodeAsWritten(const QString& sourceId, int& code);

// Source codes -> the position of the source item (in its questionnaire, or its question) of
// that code, the item added last winning. A source id names an item when it is the item's code
// as written; kept by code, a look-up formats no text.
class CSourceCodeMap
{
public:
    void Insert(int code, int position) { m_positions.insert(code, position); }
    // The position of the item named by the source id; -1 when none.
    int Find(const QString& sourceId) const
    {
        int code = 0;
        return ReadCodeAsWritten(sourceId, code) ? m_positions.value(code, -1) : -1;
    }
    bool IsEmpty() const { return m_positions.isEmpty(); }
    void Clear() { m_positions.clear(); }
    // Code -> position.
    const QHash<int, int>& GetPositions() const { return m_positions; }
    bool operator==(const CSourceCodeMap&) const = default;

private:
    QHash<int, int> m_positions;
};

// A volume's source questions as the question matching sees them.
class CQuestionIndex
{
public:
    // Source question code -> position in the volume's questionnaire.
    CSourceCodeMap CodeMap;
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
        CodeMap.Clear();
        NewMatchings.clear();
        SourceToQuestion.clear();
        BrokenInherited.clear();
        UnmatchedQuestions.clear();
        UnmatchedSources.clear();
    }
    bool IsEmpty() const
    {
        return CodeMap.IsEmpty() && NewMatchings.isEmpty() && SourceToQuestion.isEmpty() &&
               BrokenInherited.empty() && UnmatchedQuestions.isEmpty() &&
               UnmatchedSources.isEmpty();
    }
    bool operator==(const CQuestionIndex&) const = default;
};

// The responses of one campaign question as the response matching sees them.
class CResponseIndex
{
public:
    // Source response code -> position of the source response in its question.
    CSourceCodeMap CodeMap;
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
        CodeMap.Clear();
        NewMatchings.clear();
        BrokenInherited.clear();
        UnmatchedModalities.clear();
        UnmatchedSources.clear();
    }
    bool IsEmpty() const
    {
        return CodeMap.IsEmpty() && NewMatchings.isEmpty() && BrokenInherited.empty() &&
               UnmatchedModalities.isEmpty() && UnmatchedSources.isEmpty();
    }
    bool operator==(const CResponseIndex&) const = default;
};

} // namespace pelko_wave
