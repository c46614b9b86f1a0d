#pragma once

#include <QString>

#include <map>
#include <utility>

// The comparison of an opened campaign with its volumes' source files: every reconciled
// volume's source questionnaire is read again and the campaign's matchings are checked against
// it. The findings go into nine lists; the campaign is clean when all stay empty. Nothing in the
// campaign changes apart from the volumes' loaded questionnaires.

class CUPDialogUserProcData;

namespace pelko_wave {
class CCampaign;
}

// A source language the campaign does not have.
struct SNewLanguage
{
    int LanguageId = 0;
    int Reserved = 0; // always 0
    QString Abbreviation;
    QString Name;

    bool operator==(const SNewLanguage&) const = default;
};

// A campaign response: (question id, response id).
using CModalityKey = std::pair<int, int>;

// The result lists. Multimaps hold one entry per volume, in campaign order.
struct SSourceComparisonLists
{
    // 1. A question matching names a campaign question the campaign does not have: question id
    //    -> the shortcut of the matched source question (empty when the source has none).
    std::map<int, QString> MissingQuestions;
    // 2. A response matching names a campaign response the campaign does not have -> the short
    //    caption of the matched source response in the source's default language.
    std::map<CModalityKey, QString> MissingModalities;
    // 3. The matched source question no longer exists: question id -> volume id.
    std::multimap<int, int> InvalidQuestionMatches;
    // 4. The matched source response no longer exists: response -> volume id.
    std::multimap<CModalityKey, int> InvalidModalityMatches;
    // 5. Source languages the campaign does not have, the first volume's record winning.
    std::map<int, SNewLanguage> NewLanguages;
    // 6. Volume id -> 0 when its source file is missing, 1 when it cannot be read.
    std::map<int, int> MissingSourceFiles;
    // 7. Matched in a volume of the question's deletion wave or later: question id -> volume id.
    std::multimap<int, int> DeletedQuestionMatches;
    // 8. The same for responses.
    std::multimap<CModalityKey, int> DeletedModalityMatches;
    // 9. Campaign and source question not both inside a loop, or both outside: question id ->
    //    volume id.
    std::multimap<int, int> LoopHierarchyMatches;

    bool IsEmpty() const;
};

// Compares every reconciled volume (Status not 0) with its source, one volume per thread at a
// time on up to `threads` threads (0: one per processor); the lists come out the same whatever
// the number. With a progress record, each question matching checked raises its done-count and
// the run stops at the next check once it is cancelled, the lists keeping what was found. The
// reserved question is left out. Returns whether all nine lists are empty.
bool CompareSourcesParallel(CUPDialogUserProcData* progress, pelko_wave::CCampaign& campaign,
                            SSourceComparisonLists& lists, int threads = 0);

// Over every volume (whatever its status), the question matchings valid for it, the reserved
// question's left out: the range of the comparison's progress.
int CountCampaignVolumeQuestions(const pelko_wave::CCampaign& campaign);
