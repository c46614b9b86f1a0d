#include "reconcile/QuestionMatching.h"

#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "model/EditRoutines.h"
#include "model/MethodNames.h"
#include "model/OptionRecords.h"
#include "model/QuestionKinds.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/InheritedMatchingChecks.h"
#include "reconcile/MethodTexts.h"
#include "reconcile/NGram.h"
#include "reconcile/NewQuestionPlacement.h"
#include "reconcile/PositionSet.h"
#include "reconcile/RankedScan.h"
#include "reconcile/ReconcileResults.h"
#include "reconcile/ReconcileRun.h"
#include "reconcile/ReconciliationReport.h"
#include "reconcile/ResponseTextScan.h"
#include "reconcile/TextScan.h"
#include "res/StringIds.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <algorithm>
#include <functional>
#include <set>
#include <vector>

namespace pelko_wave {

namespace {

QString SourceCode(const qnr::CQuestion& question)
{
    return QString::number(question.GetCodeQuestion());
}

// Pairs proposed by a method: the campaign question position and the source position.
using PairSink = std::function<void(int campaignPosition, int sourcePosition)>;

// One run of the question matching for a volume.
class CQuestionMatcher
{
public:
    CQuestionMatcher(CVolume& volume, CCampaign& campaign, int waveId, TextScanMode textScan)
        : m_volume(volume), m_campaign(campaign), m_waveId(waveId), m_textScan(textScan),
          m_questionnaire(volume.GetQuestionnaire()), m_index(volume.GetQuestionIndex()),
          m_upperCase(!volume.GetCaseSensitiveMatching()),
          m_checkTypes(GetAppReconciliationSettings().GetCheckQuesTypeForMatches() != 0),
          m_threshold(GetMatchingThreshold())
    {
    }

    void Run(QString& report, const SQuestionMatchingOptions& options);

private:
    void CollectCandidates(bool reconcileUnmatchedOnly);
    bool IsCampaignCandidate(const CQuestion& question) const;

    // Records a pair: both look-up maps, the list of this step's pairs, and both leave the
    // candidates.
    void Record(int campaignPosition, int sourcePosition);

    bool SameLoopAncestry(int campaignPosition, int sourcePosition) const
    {
        return m_campaignLoops[size_t(campaignPosition)] == m_sourceLoops[size_t(sourcePosition)];
    }
    bool SameTypes(const CQuestion& question, const qnr::CQuestion& source) const
    {
        return question.GetQuestionType() == source.GetTypeQuestion() &&
               question.GetElementType() == source.GetTypeElement();
    }

    // The methods, each on the given candidate sets, handing its pairs to the sink.
    void RunInternalCode(CPositionSet& campaignSet, CPositionSet& sourceSet,
                         const PairSink& sink) const;
    void RunTextScan(int method, CPositionSet& campaignSet, CPositionSet& sourceSet,
                     const PairSink& sink) const;
    void RunMethod(int method);

    void MatchStrict(const QList<quint32>& methods);
    void MatchRanked(const QList<int>& textMethods);
    void MatchNonStrict(const QList<quint32>& methods);

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
    const int m_waveId;
    const TextScanMode m_textScan;
    const qnr::CQuestionnaire& m_questionnaire;
    CQuestionIndex& m_index;
    const bool m_upperCase;
    const bool m_checkTypes;
    const double m_threshold;
    QString* m_report = nullptr;

    CPositionSet m_campaignCandidates; // positions in the campaign's question array
    CPositionSet m_sourceCandidates;   // positions in the questionnaire
    // Whether each campaign question and each source question lies inside some loop.
    std::vector<uint32_t> m_campaignLoops;
    std::vector<uint32_t> m_sourceLoops;
    // The pairs of the current step, in the order they were made.
    QList<std::pair<int, int>> m_made;
};

bool CQuestionMatcher::IsCampaignCandidate(const CQuestion& question) const
{
    if (m_campaign.IsReservedQuestion(&question))
        return false;
    const int deletion = question.GetDeletionWaveId();
    return deletion != m_waveId && !IsWaveBefore(&m_campaign, deletion, m_waveId);
}

void CQuestionMatcher::CollectCandidates(bool reconcileUnmatchedOnly)
{
    // The questions already matched by other volumes of the wave: in a first reconciliation
    // those before this volume, in a re-reconciliation all of them.
    std::set<int> matchedInWave;
    const CWave* wave = m_volume.GetWave();
    for (int v = 0; wave && v < wave->GetVolumeCount(); ++v) {
        const CVolume* other = wave->GetVolume(v);
        if (other == &m_volume && !reconcileUnmatchedOnly)
            break;
        other->CollectMatchedQuestionIds(other->GetVolumeId(), matchedInWave);
    }
    const int linkQuestion = m_volume.GetMainVolumeLinkQuestionId();
    // A volume reconciled for the first time may hold matchings of its own already (copies
    // given when a volume above it was rematched or its matchings cut): they stand, and
    // neither their campaign questions nor their source codes are matched a second time.
    QSet<QString> ownCodes;
    if (!reconcileUnmatchedOnly) {
        for (int i = 0; i < m_volume.GetQuestionMatchingCount(); ++i) {
            const CQuestionMatching& own = *m_volume.GetQuestionMatching(i);
            if (own.GetQuestionId() == RESERVED_QUESTION_ID)
                continue;
            matchedInWave.insert(own.GetQuestionId());
            ownCodes.insert(own.GetSourceId());
        }
    }

    const int questionCount = m_campaign.GetQuestionCount();
    const std::vector<uint32_t> loopMasks = GetQuestionLoopMasks(m_campaign);
    m_campaignLoops.assign(size_t(questionCount), 0);
    m_campaignCandidates = CPositionSet(questionCount);
    for (int p = 0; p < questionCount; ++p) {
        const CQuestion& question = *m_campaign.GetQuestion(p);
        if (!IsCampaignCandidate(question))
            continue;
        const int id = question.GetQuestionId();
        if (id != linkQuestion && matchedInWave.count(id))
            continue;
        m_campaignCandidates.insert(p);
        m_campaignLoops[size_t(p)] = ReduceLoopMask(loopMasks[size_t(p)]);
    }

    QMap<QString, int> usedCodes;
    if (reconcileUnmatchedOnly)
        m_volume.CollectMatchedSourceCodes(m_volume.GetVolumeId(), usedCodes);
    const int sourceCount = m_questionnaire.GetNbreQuestion();
    m_sourceLoops.assign(size_t(sourceCount), 0);
    m_sourceCandidates = CPositionSet(sourceCount);
    for (int p = 0; p < sourceCount; ++p) {
        const qnr::CQuestion& source = *m_questionnaire.GetQuestion(p);
        m_sourceLoops[size_t(p)] = ReduceLoopMask(GetSourceLoopMask(source));
        if (!usedCodes.contains(SourceCode(source)) && !ownCodes.contains(SourceCode(source)))
            m_sourceCandidates.insert(p);
    }
}

void CQuestionMatcher::Record(int campaignPosition, int sourcePosition)
{
    const int questionId = m_campaign.GetQuestion(campaignPosition)->GetQuestionId();
    const QString code = SourceCode(*m_questionnaire.GetQuestion(sourcePosition));
    m_index.NewMatchings.insert(questionId, code);
    m_index.SourceToQuestion.insert(code, questionId);
    m_campaignCandidates.erase(campaignPosition);
    m_sourceCandidates.erase(sourcePosition);
    m_made.append({campaignPosition, sourcePosition});
}

void CQuestionMatcher::RunInternalCode(CPositionSet& campaignSet, CPositionSet& sourceSet,
                                       const PairSink& sink) const
{
    const std::vector<int> campaignPositions(campaignSet.begin(), campaignSet.end());
    for (const int c : campaignPositions) {
        const CQuestion& question = *m_campaign.GetQuestion(c);
        const CVolume* appearance = m_campaign.FindVolume(question.GetAppearanceVolumeId());
        const CQuestionMatching* matching =
            appearance ? appearance->FindQuestionMatching(question.GetQuestionId()) : nullptr;
        if (!matching)
            continue;
        const int s = m_index.CodeMap.Find(matching->GetSourceId());
        if (s < 0)
            continue;
        if (m_checkTypes && !SameTypes(question, *m_questionnaire.GetQuestion(s)))
            continue;
        if (!sourceSet.count(s) || !SameLoopAncestry(c, s))
            continue;
        campaignSet.erase(c);
        sourceSet.erase(s);
        sink(c, s);
    }
}

void CQuestionMatcher::RunTextScan(int method, CPositionSet& campaignSet, CPositionSet& sourceSet,
                                   const PairSink& sink) const
{
    const std::vector<int> sourcePositions(sourceSet.begin(), sourceSet.end());
    QStringList sourceTexts;
    sourceTexts.reserve(qsizetype(sourcePositions.size()));
    for (const int s : sourcePositions)
        sourceTexts.append(GetSourceQuestionMethodText(method, *m_questionnaire.GetQuestion(s)));
    CTextScan scan(sourceTexts, MakeTextScanSettings(m_volume, 0, m_textScan), m_threshold);
    const auto pair = [&](int c, int s) {
        campaignSet.erase(c);
        sourceSet.erase(s);
        sink(c, s);
    };

    const std::vector<int> campaignPositions(campaignSet.begin(), campaignSet.end());
    for (const int c : campaignPositions) {
        const CQuestion& question = *m_campaign.GetQuestion(c);
        const int entry = scan.ScanText(
            c, GetCampaignQuestionMatchText(method, m_volume, question), true, [&](int e) {
                const int s = sourcePositions[size_t(e)];
                return SameLoopAncestry(c, s) &&
                       (!m_checkTypes || SameTypes(question, *m_questionnaire.GetQuestion(s)));
            });
        if (entry >= 0)
            pair(c, sourcePositions[size_t(entry)]);
    }
    for (const CTextScan::SPair& proposal : scan.TakeProposals())
        pair(proposal.CampaignEntry, sourcePositions[size_t(proposal.SourceEntry)]);
}

void CQuestionMatcher::RunMethod(int method)
{
    const PairSink record = [this](int c, int s) { Record(c, s); };
    if (method == QUESTION_METHOD_INTERNAL_CODE)
        RunInternalCode(m_campaignCandidates, m_sourceCandidates, record);
    else if (IsQuestionTextMethod(method))
        RunTextScan(method, m_campaignCandidates, m_sourceCandidates, record);
}

void CQuestionMatcher::MatchStrict(const QList<quint32>& methods)
{
    Line(ReportClass::Section, LoadString(IDS_QUESTIONS_STRICT));
    Line(ReportClass::Heading1, IDS_TRYING_QUESTION_METHODS,
         GetQuestionMatchingMethodsText(methods).toLower());
    m_made.clear();

    if (methods.contains(QUESTION_METHOD_INTERNAL_CODE)) {
        // Internal-code pairs stand only when every text method of the list agrees.
        QList<int> checks;
        for (const int method : {QUESTION_METHOD_SHORTCUT, QUESTION_METHOD_SHORT_CAPTION,
                                 QUESTION_METHOD_LONG_CAPTION, QUESTION_METHOD_USER_DATA})
            if (methods.contains(quint32(method)))
                checks.append(method);
        CPositionSet campaignCopy = m_campaignCandidates;
        CPositionSet sourceCopy = m_sourceCandidates;
        RunInternalCode(campaignCopy, sourceCopy, [&](int c, int s) {
            const CQuestion& question = *m_campaign.GetQuestion(c);
            const qnr::CQuestion& source = *m_questionnaire.GetQuestion(s);
            for (const int method : checks)
                if (!CheckQuestionPairByMethod(method, m_volume, question, source))
                    return;
            Record(c, s);
        });
    } else {
        const auto notManual = std::count_if(methods.begin(), methods.end(), [](quint32 m) {
            return m != quint32(QUESTION_METHOD_MANUAL);
        });
        if (notManual == 1) {
            for (const quint32 method : methods)
                RunMethod(int(method));
        } else {
            QList<int> textMethods;
            for (const quint32 method : methods)
                if (IsQuestionTextMethod(int(method)) && textMethods.size() < 4)
                    textMethods.append(int(method));
            MatchRanked(textMethods);
        }
    }
    ReportMadePairs(IDS_QUESTION_METHODS_COUNT);
}

void CQuestionMatcher::MatchRanked(const QList<int>& textMethods)
{
    if (textMethods.isEmpty())
        return;
    const int rankMethod = textMethods.first();
    const std::vector<int> sourcePositions(m_sourceCandidates.begin(), m_sourceCandidates.end());
    QStringList sourceTexts;
    for (const int s : sourcePositions)
        sourceTexts.append(
            GetSourceQuestionMethodText(rankMethod, *m_questionnaire.GetQuestion(s)));
    CRankedScan scan(sourceTexts, MakeTextScanSettings(m_volume, 0, m_textScan), m_threshold);

    const std::vector<int> campaignPositions(m_campaignCandidates.begin(),
                                             m_campaignCandidates.end());
    for (const int c : campaignPositions) {
        const CQuestion& question = *m_campaign.GetQuestion(c);
        const int entry = scan.TakeFirst(
            GetCampaignQuestionMatchText(rankMethod, m_volume, question), [&](int e) {
                const int s = sourcePositions[size_t(e)];
                const qnr::CQuestion& source = *m_questionnaire.GetQuestion(s);
                return SameLoopAncestry(c, s) &&
                       std::all_of(textMethods.begin() + 1, textMethods.end(), [&](int method) {
                           return CheckQuestionPairByMethod(method, m_volume, question, source);
                       });
            });
        if (entry >= 0)
            Record(c, sourcePositions[size_t(entry)]);
    }
}

void CQuestionMatcher::MatchNonStrict(const QList<quint32>& methods)
{
    Line(ReportClass::Section, LoadString(IDS_QUESTIONS_NON_STRICT));
    for (const quint32 method : methods) {
        Line(ReportClass::Heading1, IDS_TRYING_QUESTION_METHOD,
             GetQuestionMatchingMethodName(method).toLower());
        m_made.clear();
        RunMethod(int(method));
        ReportMadePairs(IDS_QUESTION_METHOD_COUNT);
    }
}

void CQuestionMatcher::ReportMadePairs(unsigned countText)
{
    if (!m_report)
        return;
    Line(ReportClass::Line2, countText, int(m_made.size()));
    for (const auto& [c, s] : m_made) {
        const CQuestion& question = *m_campaign.GetQuestion(c);
        const qnr::CQuestion& source = *m_questionnaire.GetQuestion(s);
        Line(ReportClass::Line3, IDS_QUESTION_MATCHED, question.GetShortcut(),
             question.GetQuestionId(), source.GetShortcut(), SourceCode(source));
    }
}

void CQuestionMatcher::ReportUnmatched()
{
    for (const int c : m_campaignCandidates)
        m_index.UnmatchedQuestions.append(m_campaign.GetQuestion(c)->GetQuestionId());
    for (const int s : m_sourceCandidates)
        m_index.UnmatchedSources.append(SourceCode(*m_questionnaire.GetQuestion(s)));
    if (!m_report)
        return;
    if (!m_campaignCandidates.empty()) {
        Line(ReportClass::Heading1, LoadString(IDS_UNMATCHED_CAMPAIGN_QUESTIONS));
        for (const int c : m_campaignCandidates) {
            const CQuestion& question = *m_campaign.GetQuestion(c);
            Line(ReportClass::Line2, IDS_UNMATCHED_CAMPAIGN_QUESTION_LINE, question.GetShortcut(),
                 question.GetQuestionId());
        }
    }
    if (!m_sourceCandidates.empty()) {
        Line(ReportClass::Heading1, LoadString(IDS_UNMATCHED_SOURCE_QUESTIONS));
        for (const int s : m_sourceCandidates) {
            const qnr::CQuestion& source = *m_questionnaire.GetQuestion(s);
            Line(ReportClass::Line2, IDS_UNMATCHED_SOURCE_QUESTION_LINE, source.GetShortcut(),
                 source.GetCodeQuestion());
        }
    }
}

void CQuestionMatcher::Run(QString& report, const SQuestionMatchingOptions& options)
{
    m_report = options.ReportFlag ? &report : nullptr;
    m_index.Clear();
    for (int p = 0; p < m_questionnaire.GetNbreQuestion(); ++p)
        m_index.CodeMap.Insert(m_questionnaire.GetQuestion(p)->GetCodeQuestion(), p);

    CollectCandidates(options.ReconcileUnmatchedOnly);

    if (!options.ReconcileUnmatchedOnly) {
        // A root volume inherits nothing: its check finds no pair and says so.
        QMap<QString, int> kept;
        CheckInheritedQuestionMatchings(m_volume, m_questionnaire,
                                        CollectInheritedQuestionMatchings(m_volume), kept,
                                        m_index.CodeMap, m_campaignCandidates, m_sourceCandidates,
                                        m_index.BrokenInherited, m_report);
    }

    if (!m_campaignCandidates.empty() && !m_sourceCandidates.empty()) {
        const QList<quint32>& methods = m_volume.GetQuestionMatchingMethods();
        if (m_volume.IsMatchingStrict())
            MatchStrict(methods);
        else
            MatchNonStrict(methods);
    }
    ReportUnmatched();
}

} // namespace

bool CheckQuestionPairByMethod(int method, const CVolume& volume, const CQuestion& campaignQuestion,
                               const qnr::CQuestion& sourceQuestion)
{
    return IsTextSimilar(GetCampaignQuestionMatchText(method, volume, campaignQuestion),
                         GetSourceQuestionMethodText(method, sourceQuestion),
                         volume.GetCaseSensitiveMatching() ? 0 : 1,
                         method == QUESTION_METHOD_SHORT_CAPTION ? 1 : 0) != 0;
}

void MatchVolumeQuestions(QString& report, CVolume& volume, int waveId, CCampaign& campaign,
                          const SQuestionMatchingOptions& options)
{
    CQuestionMatcher(volume, campaign, waveId, options.TextScan).Run(report, options);
}

void AddNewCampaignQuestions(SReconcileRun& run, CVolume& volume)
{
    CQuestionIndex& index = volume.GetQuestionIndex();
    if (run.CommandLine && !run.AllowNewQuestions() && !index.UnmatchedSources.isEmpty())
        run.Fail(IDS_NEW_QUESTIONS_STOP);

    if (index.UnmatchedSources.isEmpty())
        return;
    CCampaign& campaign = *run.Campaign;
    SReconcileResults& results = *run.Results;
    const qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
    CNewQuestionPlacement placement(campaign);
    for (const QString& code : std::as_const(index.UnmatchedSources)) {
        const int position = index.CodeMap.Find(code);
        if (position < 0)
            continue;
        const qnr::CQuestion& source = *questionnaire.GetQuestion(position);
        int order = -1;
        int indent = 1;
        placement.Place(volume, questionnaire, position, order, indent);

        CQuestion* question = placement.Insert(
            CreateQuestionFromSource(campaign, volume, source, order, run.KeepSourceCodes, indent));
        results.CreatedQuestions.append(question);
        AddQuestionCaptionsFromSource(*question, source);

        std::unique_ptr<CQuestionMatching> matching =
            MakeQuestionMatching(question->GetQuestionId(), code, volume);
        results.QuestionMatchingsMade.append(matching.get());
        volume.AddQuestionMatching(std::move(matching));

        for (int r = 0; r < source.GetNbreModalite(); ++r) {
            const qnr::CModalite& sourceResponse = *source.GetModalite(r);
            std::unique_ptr<CModality> createdResponse = CreateModalityFromSource(
                campaign, volume, *question, sourceResponse, -1, run.KeepSourceCodes);
            CModality* response = createdResponse.get();
            campaign.AddModality(std::move(createdResponse));
            question->InsertModality(response);
            results.CreatedModalities.append(response);
            AddModalityCaptionsFromSource(*question, *response, sourceResponse);
            std::unique_ptr<CModalityMatching> responseMatching =
                MakeModalityMatching(response->GetModalityId(),
                                     QString::number(sourceResponse.GetCode()), volume, *question);
            results.ModalityMatchingsMade.append(responseMatching.get());
            volume.AddModalityMatching(std::move(responseMatching));
        }
    }
    placement.Finish();
}

} // namespace pelko_wave
