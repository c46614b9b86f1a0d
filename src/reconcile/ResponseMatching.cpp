#include "reconcile/ResponseMatching.h"

#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "model/EditRoutines.h"
#include "model/MethodNames.h"
#include "model/OptionRecords.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/CaptionLibraryMatching.h"
#include "reconcile/InheritedMatchingChecks.h"
#include "reconcile/MethodTexts.h"
#include "reconcile/NGram.h"
#include "reconcile/RankedScan.h"
#include "reconcile/ReconcileResults.h"
#include "reconcile/ReconcileRun.h"
#include "reconcile/ReconciliationReport.h"
#include "reconcile/ResponseTextScan.h"
#include "reconcile/TextScan.h"
#include "res/StringIds.h"

#include <QHash>
#include <QList>
#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <vector>

namespace pelko_wave {

namespace {

using PairSink = std::function<void(int campaignPosition, int sourcePosition)>;

// A text made only of decimal digits, with an optional sign, written without its sign and
// leading zeros; empty for any other text.
QString WholeNumberDigits(const QString& text, bool& negative)
{
    negative = false;
    qsizetype start = 0;
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        start = 1;
    }
    if (start >= text.size())
        return QString();
    for (qsizetype i = start; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9')
            return QString();
    qsizetype first = start;
    while (first + 1 < text.size() && text[first] == u'0')
        ++first;
    const QString digits = text.mid(first);
    if (digits == QStringLiteral("0"))
        negative = false;
    return digits;
}

// One run of the response matching for a question pair.
class CResponseMatcher
{
public:
    CResponseMatcher(CVolume& volume, CQuestion& campaignQuestion,
                     const qnr::CQuestion& sourceQuestion, int waveId,
                     const SResponseMatchingOptions& options)
        : m_volume(volume), m_campaign(*volume.GetCampaign()), m_question(campaignQuestion),
          m_source(sourceQuestion), m_waveId(waveId),
          m_useCaptionLibraries(options.UseCaptionLibraries), m_textScan(options.TextScan),
          m_index(campaignQuestion.GetResponseIndex()),
          m_upperCase(!volume.GetCaseSensitiveMatching()), m_threshold(GetMatchingThreshold())
    {
    }

    void Run(QString& report, bool reportFlag);

private:
    const CModality& CampaignResponse(int position) const
    {
        return *m_question.GetModality(position);
    }
    const qnr::CModalite& SourceResponse(int position) const
    {
        return *m_source.GetModalite(position);
    }
    QString SourceCode(int position) const
    {
        return QString::number(SourceResponse(position).GetCode());
    }

    void Record(int campaignPosition, int sourcePosition);

    // The methods, each on the given candidate sets, handing its pairs to the sink.
    void RunInternalCode(std::set<int>& campaignSet, std::set<int>& sourceSet,
                         const PairSink& sink) const;
    void RunEntryCode(std::set<int>& campaignSet, std::set<int>& sourceSet,
                      const PairSink& sink) const;
    void RunOrder(std::set<int>& campaignSet, std::set<int>& sourceSet, const PairSink& sink) const;
    void RunTextScan(int method, std::set<int>& campaignSet, std::set<int>& sourceSet,
                     const PairSink& sink) const;
    void RunMethod(int method, std::set<int>& campaignSet, std::set<int>& sourceSet,
                   const PairSink& sink) const;

    void MatchStrict(const QList<quint32>& methods);
    void MatchRanked(const QList<int>& textMethods);
    void MatchNonStrict(const QList<quint32>& methods);
    void DropRepeatedInheritedMatchings();

    void ReportMadePairs(unsigned countText);
    void ReportUnmatched();
    void Line(const char* classes, const QString& text)
    {
        if (m_report)
            AppendReportLine(*m_report, classes, text);
    }
    template <typename... Args>
    void Line(const char* classes, unsigned stringId, const Args&... args)
    {
        if (m_report)
            AppendReportText(*m_report, classes, stringId, args...);
    }

    CVolume& m_volume;
    CCampaign& m_campaign;
    CQuestion& m_question;
    const qnr::CQuestion& m_source;
    const int m_waveId;
    const bool m_useCaptionLibraries;
    const TextScanMode m_textScan;
    CResponseIndex& m_index;
    const bool m_upperCase;
    const double m_threshold;
    QString* m_report = nullptr;

    std::set<int> m_campaignCandidates; // positions among the campaign question's responses
    std::set<int> m_sourceCandidates;   // positions among the source question's responses
    // Source code -> campaign response id of the inherited response matchings.
    QMap<QString, int> m_inherited;
    QList<std::pair<int, int>> m_made;
};

void CResponseMatcher::Record(int campaignPosition, int sourcePosition)
{
    m_index.NewMatchings.insert(CampaignResponse(campaignPosition).GetModalityId(),
                                SourceCode(sourcePosition));
    m_campaignCandidates.erase(campaignPosition);
    m_sourceCandidates.erase(sourcePosition);
    m_made.append({campaignPosition, sourcePosition});
}

void CResponseMatcher::RunInternalCode(std::set<int>& campaignSet, std::set<int>& sourceSet,
                                       const PairSink& sink) const
{
    const CVolume* appearance = m_campaign.FindVolume(m_question.GetAppearanceVolumeId());
    if (!appearance)
        return;
    const std::vector<int> campaignPositions(campaignSet.begin(), campaignSet.end());
    for (const int c : campaignPositions) {
        const CModalityMatching* matching =
            appearance->FindModalityMatching(CampaignResponse(c).GetModalityId());
        if (!matching)
            continue;
        const int s = m_index.CodeMap.Find(matching->GetModalitySourceId());
        if (s < 0 || !sourceSet.count(s))
            continue;
        campaignSet.erase(c);
        sourceSet.erase(s);
        sink(c, s);
    }
}

void CResponseMatcher::RunEntryCode(std::set<int>& campaignSet, std::set<int>& sourceSet,
                                    const PairSink& sink) const
{
    const std::vector<int> campaignPositions(campaignSet.begin(), campaignSet.end());
    for (const int c : campaignPositions) {
        for (const int s : sourceSet) {
            if (CheckModalityPairByMethod(RESPONSE_METHOD_ENTRY_CODE, m_volume, m_question, c,
                                          m_source, s)) {
                campaignSet.erase(c);
                sourceSet.erase(s);
                sink(c, s);
                break;
            }
        }
    }
}

void CResponseMatcher::RunOrder(std::set<int>& campaignSet, std::set<int>& sourceSet,
                                const PairSink& sink) const
{
    const std::vector<int> campaignPositions(campaignSet.begin(), campaignSet.end());
    for (const int c : campaignPositions) {
        if (!sourceSet.count(c))
            continue;
        campaignSet.erase(c);
        sourceSet.erase(c);
        sink(c, c);
    }
}

void CResponseMatcher::RunTextScan(int method, std::set<int>& campaignSet, std::set<int>& sourceSet,
                                   const PairSink& sink) const
{
    QList<CModality*> campaignList;
    QHash<int, int> positionById;
    for (const int c : campaignSet) {
        campaignList.append(m_question.GetModality(c));
        positionById.insert(m_question.GetModality(c)->GetModalityId(), c);
    }
    QList<int> sourceList(sourceSet.begin(), sourceSet.end());
    QMap<int, QString> made;
    // Without any caption library the libraries cannot help: the plain scan runs.
    if (!m_useCaptionLibraries ||
        !MatchResponsesByCaptionLibrary(m_volume, m_question, m_source, campaignList, sourceList,
                                        made, method, m_textScan))
        MatchResponsesByText(m_volume, m_question, m_source, campaignList, sourceList, made, method,
                             m_textScan);
    for (auto it = made.constBegin(); it != made.constEnd(); ++it) {
        const int c = positionById.value(it.key(), -1);
        const int s = m_index.CodeMap.Find(it.value());
        if (c < 0 || s < 0)
            continue;
        campaignSet.erase(c);
        sourceSet.erase(s);
        sink(c, s);
    }
}

void CResponseMatcher::RunMethod(int method, std::set<int>& campaignSet, std::set<int>& sourceSet,
                                 const PairSink& sink) const
{
    switch (method) {
    case RESPONSE_METHOD_INTERNAL_CODE:
        RunInternalCode(campaignSet, sourceSet, sink);
        break;
    case RESPONSE_METHOD_ENTRY_CODE:
        RunEntryCode(campaignSet, sourceSet, sink);
        break;
    case RESPONSE_METHOD_ORDER:
        RunOrder(campaignSet, sourceSet, sink);
        break;
    case RESPONSE_METHOD_SHORT_CAPTION:
    case RESPONSE_METHOD_USER_DATA:
        RunTextScan(method, campaignSet, sourceSet, sink);
        break;
    default:
        break;
    }
}

void CResponseMatcher::MatchStrict(const QList<quint32>& methods)
{
    Line(ReportClass::Section, LoadString(IDS_RESPONSES_STRICT));
    Line(ReportClass::Heading1, IDS_TRYING_RESPONSE_METHODS,
         GetResponseMatchingMethodsText(methods).toLower());
    m_made.clear();
    const PairSink record = [this](int c, int s) { Record(c, s); };

    const bool hasOrder = methods.contains(quint32(RESPONSE_METHOD_ORDER));
    const bool hasEntryCode = methods.contains(quint32(RESPONSE_METHOD_ENTRY_CODE));
    const bool hasInternalCode = methods.contains(quint32(RESPONSE_METHOD_INTERNAL_CODE));
    if (hasOrder || hasEntryCode || hasInternalCode) {
        // The key method proposes; the methods after the first list position check.
        const int key = hasOrder                           ? RESPONSE_METHOD_ORDER
                        : hasEntryCode && !hasInternalCode ? RESPONSE_METHOD_ENTRY_CODE
                                                           : RESPONSE_METHOD_INTERNAL_CODE;
        std::set<int> campaignCopy = m_campaignCandidates;
        std::set<int> sourceCopy = m_sourceCandidates;
        RunMethod(key, campaignCopy, sourceCopy, [&](int c, int s) {
            for (qsizetype i = 1; i < methods.size(); ++i) {
                const int method = int(methods[i]);
                if (method != key &&
                    !CheckModalityPairByMethod(method, m_volume, m_question, c, m_source, s))
                    return;
            }
            Record(c, s);
        });
    } else if (methods.size() == 1) {
        RunMethod(int(methods.first()), m_campaignCandidates, m_sourceCandidates, record);
    } else {
        QList<int> textMethods;
        for (const quint32 method : methods)
            if (IsResponseTextMethod(int(method)) && textMethods.size() < 2)
                textMethods.append(int(method));
        MatchRanked(textMethods);
    }
    ReportMadePairs(IDS_RESPONSE_METHODS_COUNT);
}

void CResponseMatcher::MatchRanked(const QList<int>& textMethods)
{
    if (textMethods.isEmpty())
        return;
    const int rankMethod = textMethods.first();
    const std::vector<int> sourcePositions(m_sourceCandidates.begin(), m_sourceCandidates.end());
    QStringList sourceTexts;
    for (const int s : sourcePositions)
        sourceTexts.append(GetSourceModalityMethodText(SourceResponse(s), rankMethod));
    CRankedScan scan(sourceTexts, MakeTextScanSettings(m_volume, 0, m_textScan), m_threshold);

    const std::vector<int> campaignPositions(m_campaignCandidates.begin(),
                                             m_campaignCandidates.end());
    for (const int c : campaignPositions) {
        const int entry = scan.TakeFirst(
            GetCampaignModalityScanText(m_volume, m_question, CampaignResponse(c), rankMethod),
            [&](int e) {
                return std::all_of(textMethods.begin() + 1, textMethods.end(), [&](int method) {
                    return CheckModalityPairByMethod(method, m_volume, m_question, c, m_source,
                                                     sourcePositions[size_t(e)]);
                });
            });
        if (entry >= 0)
            Record(c, sourcePositions[size_t(entry)]);
    }
}

void CResponseMatcher::MatchNonStrict(const QList<quint32>& methods)
{
    Line(ReportClass::Section, LoadString(IDS_RESPONSES_NON_STRICT));
    for (const quint32 method : methods) {
        Line(ReportClass::Heading1, IDS_TRYING_RESPONSE_METHOD,
             GetResponseMatchingMethodName(method).toLower());
        m_made.clear();
        RunMethod(int(method), m_campaignCandidates, m_sourceCandidates,
                  [this](int c, int s) { Record(c, s); });
        ReportMadePairs(IDS_RESPONSE_METHOD_COUNT);
    }
}

void CResponseMatcher::DropRepeatedInheritedMatchings()
{
    // A new matching that repeats an inherited one (same response, same source code) is no new
    // matching: the inherited one stays in force, so it is no longer broken either.
    for (auto it = m_inherited.constBegin(); it != m_inherited.constEnd(); ++it) {
        const auto made = m_index.NewMatchings.constFind(it.value());
        if (made == m_index.NewMatchings.constEnd() ||
            made.value().compare(it.key(), Qt::CaseInsensitive) != 0)
            continue;
        m_index.NewMatchings.remove(it.value());
        m_index.BrokenInherited.erase(it.key());
    }
}

void CResponseMatcher::ReportMadePairs(unsigned countText)
{
    if (!m_report)
        return;
    Line(ReportClass::Line2, countText, int(m_made.size()));
    for (const auto& [c, s] : m_made) {
        const CModality& response = CampaignResponse(c);
        Line(ReportClass::Line3,

             IDS_RESPONSE_MATCHED, response.GetShortCaption(GetCurrentLanguageId()),
             response.GetModalityId(),
             GetSourceModalityMethodText(SourceResponse(s), RESPONSE_METHOD_SHORT_CAPTION),
             SourceCode(s));
    }
}

void CResponseMatcher::ReportUnmatched()
{
    for (const int c : m_campaignCandidates)
        m_index.UnmatchedModalities.append(CampaignResponse(c).GetModalityId());
    for (const int s : m_sourceCandidates)
        m_index.UnmatchedSources.append(SourceCode(s));
    if (!m_report)
        return;
    if (!m_campaignCandidates.empty()) {
        Line(ReportClass::Heading1, LoadString(IDS_UNMATCHED_CAMPAIGN_RESPONSES));
        for (const int c : m_campaignCandidates) {
            const CModality& response = CampaignResponse(c);
            Line(ReportClass::Line2, IDS_UNMATCHED_CAMPAIGN_RESPONSE_LINE,
                 response.GetShortCaption(GetCurrentLanguageId()), response.GetModalityId());
        }
    }
    if (!m_sourceCandidates.empty()) {
        Line(ReportClass::Heading1, LoadString(IDS_UNMATCHED_SOURCE_RESPONSES));
        for (const int s : m_sourceCandidates)
            Line(ReportClass::Line2,

                 IDS_UNMATCHED_SOURCE_RESPONSE_LINE,
                 GetSourceModalityMethodText(SourceResponse(s), RESPONSE_METHOD_SHORT_CAPTION),
                 SourceResponse(s).GetCode());
    }
}

void CResponseMatcher::Run(QString& report, bool reportFlag)
{
    m_report = reportFlag ? &report : nullptr;
    m_index.Clear();
    for (int p = 0; p < m_source.GetNbreModalite(); ++p) {
        m_index.CodeMap.Insert(SourceResponse(p).GetCode(), p);
        m_sourceCandidates.insert(p);
    }
    for (int p = 0; p < m_question.GetModalityCount(); ++p) {
        const CModality& response = CampaignResponse(p);
        const int deletion = response.GetDeletionWaveId();
        if (!response.IsDeleted() && deletion != m_waveId &&
            !IsWaveBefore(&m_campaign, deletion, m_waveId))
            m_campaignCandidates.insert(p);
    }

    Line(ReportClass::SectionFont, IDS_MATCHING_QUESTION, m_question.GetShortcut(),
         m_question.GetQuestionId());

    QList<quint32> methods = m_volume.GetResponseMatchingMethods();
    methods.removeAll(quint32(RESPONSE_METHOD_MANUAL));

    // A root volume inherits nothing: its check finds no pair and says so.
    m_inherited = CollectInheritedResponseMatchings(m_volume, m_question.GetQuestionId());
    QMap<QString, int> kept;
    CheckInheritedResponseMatchings(m_volume, m_question, m_source, m_inherited, kept,
                                    m_index.CodeMap, m_campaignCandidates, m_sourceCandidates,
                                    m_index.BrokenInherited, m_report);
    // A response matching the volume holds already (a copy given by a step on a volume above
    // it) stands: neither its response nor its source is matched a second time.
    for (auto it = m_campaignCandidates.begin(); it != m_campaignCandidates.end();) {
        const CModalityMatching* own =
            m_volume.FindModalityMatching(CampaignResponse(*it).GetModalityId());
        if (!own || own->GetQuestionId() != m_question.GetQuestionId()) {
            ++it;
            continue;
        }
        m_sourceCandidates.erase(m_index.CodeMap.Find(own->GetModalitySourceId()));
        it = m_campaignCandidates.erase(it);
    }

    if (m_volume.IsMatchingStrict())
        MatchStrict(methods);
    else
        MatchNonStrict(methods);

    if (!m_volume.IsRoot())
        DropRepeatedInheritedMatchings();
    ReportUnmatched();
}

} // namespace

QString GetModalityEntryCodeText(const CQuestion& question, int position)
{
    const CModality* response = question.GetModalityAt(position);
    if (response && !response->GetEntryCode().isEmpty())
        return response->GetEntryCode();
    const int count = question.GetModalityCount() + (question.IsDontKnow() ? 1 : 0) +
                      (question.IsSemiOpen() ? 1 : 0);
    const int width = count == 0 ? 1 : int(std::log10(double(count)) + 1.0);
    return QStringLiteral("%1").arg(position + 1, width, 10, QLatin1Char('0'));
}

bool EntryCodesEqual(const QString& a, const QString& b)
{
    bool negativeA = false;
    bool negativeB = false;
    const QString digitsA = WholeNumberDigits(a, negativeA);
    const QString digitsB = WholeNumberDigits(b, negativeB);
    if (!digitsA.isEmpty() && !digitsB.isEmpty())
        return negativeA == negativeB && digitsA == digitsB;
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool CheckModalityPairByMethod(int method, const CVolume& volume, const CQuestion& campaignQuestion,
                               int campaignPosition, const qnr::CQuestion& sourceQuestion,
                               int sourcePosition)
{
    const CModality& response = *campaignQuestion.GetModality(campaignPosition);
    const qnr::CModalite& source = *sourceQuestion.GetModalite(sourcePosition);
    switch (method) {
    case RESPONSE_METHOD_INTERNAL_CODE: {
        const CCampaign* campaign = volume.GetCampaign();
        const CVolume* appearance =
            campaign ? campaign->FindVolume(campaignQuestion.GetAppearanceVolumeId()) : nullptr;
        const CModalityMatching* matching =
            appearance ? appearance->FindModalityMatching(response.GetModalityId()) : nullptr;
        return matching && matching->GetModalitySourceId().compare(
                               QString::number(source.GetCode()), Qt::CaseInsensitive) == 0;
    }
    case RESPONSE_METHOD_ENTRY_CODE: {
        const QString sourceCode = source.GetEntryCode().isEmpty()
                                       ? QString::number(sourcePosition + 1)
                                       : source.GetEntryCode();
        return EntryCodesEqual(GetModalityEntryCodeText(campaignQuestion, campaignPosition),
                               sourceCode);
    }
    case RESPONSE_METHOD_ORDER:
        return campaignPosition == sourcePosition;
    case RESPONSE_METHOD_SHORT_CAPTION:
    case RESPONSE_METHOD_USER_DATA:
        return IsTextSimilar(
                   GetCampaignModalityScanText(volume, campaignQuestion, response, method),
                   GetSourceModalityMethodText(source, method),
                   volume.GetCaseSensitiveMatching() ? 0 : 1,
                   method == RESPONSE_METHOD_SHORT_CAPTION ? 1 : 0) != 0;
    default:
        return false;
    }
}

void MatchQuestionResponses(QString& report, CVolume& volume, CQuestion& campaignQuestion,
                            const qnr::CQuestion& sourceQuestion, int waveId,
                            const SResponseMatchingOptions& options)
{
    CResponseMatcher(volume, campaignQuestion, sourceQuestion, waveId, options)
        .Run(report, options.ReportFlag);
}

void RecordResponseMatchings(SReconcileRun& run, CVolume& volume, CQuestion& campaignQuestion,
                             const qnr::CQuestion& sourceQuestion, bool keepSourceCodes)
{
    CCampaign& campaign = *run.Campaign;
    SReconcileResults& results = *run.Results;
    const CResponseIndex& index = campaignQuestion.GetResponseIndex();
    const int volumeId = volume.GetVolumeId();

    for (auto it = index.NewMatchings.constBegin(); it != index.NewMatchings.constEnd(); ++it) {
        std::unique_ptr<CModalityMatching> matching =
            MakeModalityMatching(it.key(), it.value(), volume, campaignQuestion);
        results.ModalityMatchingsMade.append(matching.get());
        volume.AddModalityMatching(std::move(matching));
        CModality* response = campaign.GetModalityById(it.key());
        if (response && IsVolumeBefore(&campaign, volumeId, response->GetAppearanceVolumeId())) {
            if (!results.ModalityAppearanceBefore.contains(response))
                results.ModalityAppearanceBefore.insert(response,
                                                        response->GetAppearanceVolumeId());
            response->SetAppearanceVolumeId(volumeId);
            results.ModalityAppearanceAfter.insert(response, volumeId);
        }
    }

    QList<CModalityMatching*> matched;
    volume.CollectModalityMatchingsOfQuestion(volumeId, campaignQuestion.GetQuestionId(), matched,
                                              true);
    for (const CModalityMatching* matching : std::as_const(matched)) {
        CModality* response = campaign.GetModalityById(matching->GetModalityId());
        bool ok = false;
        const int code = matching->GetModalitySourceId().toInt(&ok);
        const qnr::CModalite* source = ok ? sourceQuestion.FindModaliteById(code) : nullptr;
        if (response && source)
            AddMissingModalityCaptionsFromSource(campaignQuestion, *response, *source,
                                                 &results.AddedModalityCaptions);
    }

    if (run.CommandLine && !run.AllowNewResponses() && !index.UnmatchedSources.isEmpty())
        run.Fail(IDS_NEW_RESPONSES_STOP);

    for (const QString& code : index.UnmatchedSources) {
        const int position = index.CodeMap.Find(code);
        if (position < 0)
            continue;
        const qnr::CModalite& source = *sourceQuestion.GetModalite(position);
        std::unique_ptr<CModality> created = CreateModalityFromSource(
            campaign, volume, campaignQuestion, source, -1, keepSourceCodes);
        CModality* response = created.get();
        campaign.AddModality(std::move(created));
        campaignQuestion.InsertModality(response);
        results.CreatedModalities.append(response);
        AddModalityCaptionsFromSource(campaignQuestion, *response, source);
        std::unique_ptr<CModalityMatching> matching =
            MakeModalityMatching(response->GetModalityId(), code, volume, campaignQuestion);
        results.ModalityMatchingsMade.append(matching.get());
        volume.AddModalityMatching(std::move(matching));
    }
}

void MatchPairResponses(SReconcileRun& run, CVolume& volume, CQuestion& campaignQuestion,
                        const qnr::CQuestion& sourceQuestion)
{
    // The responses are matched when either side has any: a campaign question that had none
    // still takes the source's responses as new ones.
    campaignQuestion.ClearResponseIndex();
    if (campaignQuestion.GetModalityCount() == 0 && sourceQuestion.GetNbreModalite() == 0)
        return;
    SResponseMatchingOptions options;
    options.UseCaptionLibraries = run.UseCaptionLibraries;
    options.ReportFlag = run.ReportFlag;
    options.TextScan = run.TextScan;
    // The lines go straight into the run's report (none without the report flag).
    MatchQuestionResponses(*run.Report, volume, campaignQuestion, sourceQuestion,
                           run.Wave->GetWaveId(), options);
    run.Advance(run.PerItemStep);

    if (run.CommandLine && !run.IgnoreUnmatchedResponses() &&
        !campaignQuestion.GetResponseIndex().UnmatchedModalities.isEmpty())
        run.Fail(IDS_UNMATCHED_RESPONSES_STOP);
}

void ApplyQuestionMatchings(SReconcileRun& run, CVolume& volume)
{
    CCampaign& campaign = *run.Campaign;
    SReconcileResults& results = *run.Results;
    const CQuestionIndex& index = volume.GetQuestionIndex();
    const qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
    const int volumeId = volume.GetVolumeId();

    for (auto it = index.NewMatchings.constBegin(); it != index.NewMatchings.constEnd(); ++it) {
        CQuestion* question = campaign.GetQuestionById(it.key());
        const int position = index.CodeMap.Find(it.value());
        if (!question || position < 0)
            continue;
        const qnr::CQuestion& source = *questionnaire.GetQuestion(position);

        std::unique_ptr<CQuestionMatching> matching =
            MakeQuestionMatching(it.key(), it.value(), volume);
        results.QuestionMatchingsMade.append(matching.get());
        volume.AddQuestionMatching(std::move(matching));

        if (IsVolumeBefore(&campaign, volumeId, question->GetAppearanceVolumeId())) {
            if (!results.QuestionAppearanceBefore.contains(question))
                results.QuestionAppearanceBefore.insert(question,
                                                        question->GetAppearanceVolumeId());
            question->SetAppearanceVolumeId(volumeId);
            results.QuestionAppearanceAfter.insert(question, volumeId);
        }

        AddMissingQuestionCaptionsFromSource(*question, source, &results.AddedQuestionCaptions);

        MatchPairResponses(run, volume, *question, source);
        RecordResponseMatchings(run, volume, *question, source, run.KeepSourceCodes);
    }
}

} // namespace pelko_wave
