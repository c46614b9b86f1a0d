#include "reconcile/InheritedMatchingChecks.h"

#include "model/Campaign.h"
#include "model/EditRoutines.h"
#include "model/OptionRecords.h"
#include "model/QuestionKinds.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/MethodTexts.h"
#include "reconcile/NGram.h"
#include "reconcile/ParentSourceItems.h"
#include "reconcile/ReconcileResults.h"
#include "reconcile/ReconcileRun.h"
#include "reconcile/ReconciliationReport.h"
#include "reconcile/ResponseMatching.h"
#include "reconcile/ResponseTextScan.h"
#include "res/StringIds.h"

namespace pelko_wave {

namespace {

// The score of two texts with the whole n-gram option record: gram length as the options say.
double InheritedNGramScore(const CVolume& volume, const QString& first, const QString& second)
{
    const CNGramSettings& settings = GetAppNGramSettings();
    return GetNGramScore(first, second, volume.GetCaseSensitiveMatching() ? 0 : 1,
                         settings.GetIgnoreWhitespace(), settings.GetNGramLength(), 0);
}

bool PassesInheritedNGram(double score)
{
    return double(GetAppNGramSettings().GetThresholdFraction()) < score;
}

// The broken pairs of one check and their report lines: each broken line alternates its
// background with the number of pairs broken before it, and so does the closing count.
class CBrokenPairs
{
public:
    CBrokenPairs(std::set<QString>& broken, QString* report, bool responses)
        : m_broken(broken), m_report(report), m_responses(responses)
    {
    }

    void Break(const QString& code, const QString& line)
    {
        if (m_report)
            AppendReportLine(*m_report, LineClass(), line);
        ++m_count;
        m_broken.insert(code);
    }

    // "%d of %d inherited matchings are still valid in this volume".
    void Finish(unsigned stringId, int inheritedCount) const
    {
        if (m_report)
            AppendReportText(*m_report, LineClass(), stringId, inheritedCount - m_count,
                             inheritedCount);
    }

private:
    const char* LineClass() const
    {
        if (m_responses)
            return m_count % 2 == 0 ? ReportClass::Line2 : ReportClass::Line2Alt;
        return m_count % 2 == 0 ? ReportClass::Line1 : ReportClass::Line1Alt;
    }

    std::set<QString>& m_broken;
    QString* m_report;
    const bool m_responses;
    int m_count = 0;
};

QString SourceResponseShortCaption(const qnr::CModalite& response)
{
    return GetSourceModalityMethodText(response, RESPONSE_METHOD_SHORT_CAPTION);
}

// The campaign ids that the inherited pairs (source code -> id) give the broken source codes.
std::set<int> BrokenIds(const QMap<QString, int>& inherited, const std::set<QString>& broken)
{
    std::set<int> ids;
    for (const QString& code : broken) {
        const auto it = inherited.constFind(code);
        if (it != inherited.constEnd())
            ids.insert(it.value());
    }
    return ids;
}

} // namespace

QMap<QString, int> CollectInheritedQuestionMatchings(const CVolume& volume)
{
    QMap<QString, int> inherited;
    const CVolume* parent = volume.IsRoot() ? nullptr : volume.GetParent();
    if (!parent)
        return inherited;
    parent->CollectMatchedSourceCodes(volume.GetVolumeId(), inherited);
    for (auto it = inherited.begin(); it != inherited.end();) {
        if (it.value() == RESERVED_QUESTION_ID)
            it = inherited.erase(it);
        else
            ++it;
    }
    return inherited;
}

QMap<QString, int> CollectInheritedResponseMatchings(const CVolume& volume, int questionId)
{
    QMap<QString, int> inherited;
    const CVolume* parent = volume.IsRoot() ? nullptr : volume.GetParent();
    if (!parent)
        return inherited;
    parent->GetModalityIdsBySource(volume.GetVolumeId(), questionId, inherited, true);
    return inherited;
}

void CheckInheritedQuestionMatchings(const CVolume& volume,
                                     const qnr::CQuestionnaire& questionnaire,
                                     const QMap<QString, int>& inherited, QMap<QString, int>& kept,
                                     const CSourceCodeMap& codeMap,
                                     CPositionSet& campaignCandidates,
                                     CPositionSet& sourceCandidates, std::set<QString>& broken,
                                     QString* report)
{
    const CCampaign& campaign = *volume.GetCampaign();
    const CNGramSettings& settings = GetAppNGramSettings();
    const bool checkTypes = GetAppReconciliationSettings().GetCheckQuesTypeForMatches() != 0;
    if (report)
        AppendReportText(*report, ReportClass::Section, IDS_CHECKING_INHERITED_MATCHINGS,
                         int(inherited.size()));
    CBrokenPairs brokenPairs(broken, report, false);

    for (auto it = inherited.constBegin(); it != inherited.constEnd(); ++it) {
        const QString& code = it.key();
        const CQuestion* question = campaign.GetQuestionById(it.value());
        if (!question)
            continue;
        const int position = codeMap.Find(code);
        if (position < 0) {
            brokenPairs.Break(code,
                              FormatReportText(IDS_QUESTION_CODE_GONE, question->GetShortcut(),
                                               question->GetQuestionId(), code));
            continue;
        }
        const qnr::CQuestion& source = *questionnaire.GetQuestion(position);
        if (checkTypes && (question->GetQuestionType() != source.GetTypeQuestion() ||
                           question->GetElementType() != source.GetTypeElement())) {
            brokenPairs.Break(
                code, FormatReportText(IDS_QUESTION_TYPES_DIFFER, question->GetShortcut(),
                                       question->GetQuestionId(), source.GetShortcut(), code));
            continue;
        }
        if (!HasSameLoopAncestry(campaign, *question, source)) {
            brokenPairs.Break(
                code, FormatReportText(IDS_QUESTION_LOOPS_DIFFER, question->GetShortcut(),
                                       question->GetQuestionId(), source.GetShortcut(), code));
            continue;
        }
        if (settings.GetEnableNGramAnalysis()) {
            const qnr::CQuestion* parentSource = volume.GetMatchUsingAncestorValues()
                                                     ? FindParentSourceQuestion(volume, *question)
                                                     : nullptr;
            const QString first =
                parentSource ? parentSource->GetShortcut() : question->GetShortcut();
            const double score = InheritedNGramScore(volume, first, source.GetShortcut());
            if (!PassesInheritedNGram(score)) {
                brokenPairs.Break(
                    code,
                    parentSource
                        ? FormatReportText(IDS_QUESTION_PARENT_NGRAM_LOW, question->GetShortcut(),
                                           question->GetQuestionId(), source.GetShortcut(), code,
                                           parentSource->GetShortcut(),
                                           QString::number(parentSource->GetCodeQuestion()), score)
                        : FormatReportText(IDS_QUESTION_NGRAM_LOW, question->GetShortcut(),
                                           question->GetQuestionId(), source.GetShortcut(), code,
                                           score));
                continue;
            }
        }
        kept.insert(code, question->GetQuestionId());
        campaignCandidates.erase(campaign.GetQuestionIndexById(question->GetQuestionId()));
        sourceCandidates.erase(position);
    }

    brokenPairs.Finish(IDS_QUESTIONS_STILL_VALID, int(inherited.size()));
}

void CheckInheritedResponseMatchings(const CVolume& volume, const CQuestion& campaignQuestion,
                                     const qnr::CQuestion& sourceQuestion,
                                     const QMap<QString, int>& inherited, QMap<QString, int>& kept,
                                     const CSourceCodeMap& codeMap,
                                     std::set<int>& campaignCandidates,
                                     std::set<int>& sourceCandidates, std::set<QString>& broken,
                                     QString* report)
{
    const CCampaign& campaign = *volume.GetCampaign();
    if (report)
        AppendReportText(*report, ReportClass::Section1, IDS_CHECKING_RESPONSES,
                         int(inherited.size()), campaignQuestion.GetShortcut());
    CBrokenPairs brokenPairs(broken, report, true);

    for (auto it = inherited.constBegin(); it != inherited.constEnd(); ++it) {
        const QString& code = it.key();
        const CModality* response = campaign.GetModalityById(it.value());
        if (!response)
            continue;
        const QString caption = response->GetShortCaption(GetCurrentLanguageId());
        const int position = codeMap.Find(code);
        if (position < 0) {
            brokenPairs.Break(code, FormatReportText(IDS_RESPONSE_CODE_GONE, caption,
                                                     response->GetModalityId(), code));
            continue;
        }
        const qnr::CModalite& source = *sourceQuestion.GetModalite(position);
        if (GetAppNGramSettings().GetEnableNGramAnalysis()) {
            const qnr::CModalite* parentSource =
                volume.GetMatchUsingAncestorValues()
                    ? FindParentSourceModality(volume, campaignQuestion, *response)
                    : nullptr;
            const QString first =
                parentSource ? SourceResponseShortCaption(*parentSource) : caption;
            const QString sourceCaption = SourceResponseShortCaption(source);
            const double score = InheritedNGramScore(volume, first, sourceCaption);
            if (!PassesInheritedNGram(score)) {
                brokenPairs.Break(
                    code,
                    parentSource
                        ? FormatReportText(IDS_RESPONSE_PARENT_NGRAM_LOW, caption,
                                           response->GetModalityId(), sourceCaption, code,
                                           SourceResponseShortCaption(*parentSource),
                                           QString::number(parentSource->GetCode()), score)
                        : FormatReportText(IDS_RESPONSE_NGRAM_LOW, caption,
                                           response->GetModalityId(), sourceCaption, code, score));
                continue;
            }
        }
        kept.insert(code, response->GetModalityId());
        campaignCandidates.erase(campaignQuestion.FindModalityIndex(response));
        sourceCandidates.erase(position);
    }

    brokenPairs.Finish(IDS_RESPONSES_STILL_VALID, int(inherited.size()));
}

void ApplyInheritedMatchings(SReconcileRun& run, CVolume& parent, CVolume& volume, int& items,
                             int total)
{
    CCampaign& campaign = *run.Campaign;
    SReconcileResults& results = *run.Results;
    const CQuestionIndex& index = volume.GetQuestionIndex();
    const qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
    const int volumeId = volume.GetVolumeId();

    int end = parent.FindLatestVolumeBefore(volumeId);
    if (end < 0)
        end = parent.GetVolumeId();

    if (!index.BrokenInherited.empty()) {
        if (run.CommandLine && !run.BreakQuestionMatchings())
            run.Fail(IDS_BREAK_QUESTIONS_STOP);
        parent.EndQuestionMatchingsAt(
            end, BrokenIds(CollectInheritedQuestionMatchings(volume), index.BrokenInherited),
            results.QuestionEndsBefore, results.QuestionEndsAfter, results.ModalityEndsBefore,
            results.ModalityEndsAfter);
    }

    QMap<int, QString> stillInherited;
    parent.CollectQuestionSources(volumeId, stillInherited);
    items += int(stillInherited.size());
    run.PerItemStep = items > 0 ? total / items : 0;

    for (auto it = stillInherited.constBegin(); it != stillInherited.constEnd(); ++it) {
        if (it.key() == RESERVED_QUESTION_ID)
            continue;
        CQuestion* question = campaign.GetQuestionById(it.key());
        const int position = index.CodeMap.Find(it.value());
        if (!question || position < 0)
            continue;
        const qnr::CQuestion& source = *questionnaire.GetQuestion(position);
        AddMissingQuestionCaptionsFromSource(*question, source, &results.AddedQuestionCaptions);

        MatchPairResponses(run, volume, *question, source);

        const CResponseIndex& responses = question->GetResponseIndex();
        if (!responses.BrokenInherited.empty()) {
            if (run.CommandLine && !run.BreakResponseMatchings())
                run.Fail(IDS_BREAK_RESPONSES_STOP);
            const std::set<int> responseIds =
                BrokenIds(CollectInheritedResponseMatchings(volume, question->GetQuestionId()),
                          responses.BrokenInherited);
            parent.EndModalityMatchingsAt(end, question->GetQuestionId(), responseIds,
                                          results.ModalityEndsBefore, results.ModalityEndsAfter);
        }

        RecordResponseMatchings(run, volume, *question, source, false);
    }
}

} // namespace pelko_wave
