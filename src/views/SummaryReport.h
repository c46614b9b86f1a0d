#pragma once

#include <QString>

// The reconciliation summary of a wave: how well the campaign questionnaire and the wave's
// source questionnaires match, and every difference between matched questions and responses,
// as an HTML page. Computing and writing it hold no widget; the campaign tree shows the page in
// a report window.

namespace pelko_wave {
class CCampaign;
}

// The seven counts of the summary, all 0 until computed.
struct CSummaryCounts
{
    int IncludedQuestions = 0;        // campaign questions included in the wave
    int SourceQuestions = 0;          // questions in the wave's source volumes
    int PerfectMatches = 0;           // question matches without a difference
    int MultipleMatches = 0;          // campaign questions matched in more than one volume
    int MatchesWithDifferences = 0;   // question matches with differences
    int UnmatchedQuestions = 0;       // included campaign questions matched in no volume
    int UnmatchedSourceQuestions = 0; // source questions matched to no campaign question

    bool operator==(const CSummaryCounts&) const = default;
};

// Counts the wave of the application's campaign and writes the differences as HTML paragraphs
// into details. False, after a message box, when a volume's source cannot be read or lacks a
// question that it was matched to; a source that lacks a matched response only ends that
// question's response list, with a message.
bool ComputeSummary(int waveId, CSummaryCounts& counts, QString& details);

// The report page: a header with its styles, one line per count and the details.
QString BuildSummaryHtml(const CSummaryCounts& counts, const QString& details);
