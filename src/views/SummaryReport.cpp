#include "views/SummaryReport.h"

#include "model/Campaign.h"
#include "model/ConnectionText.h"
#include "model/QuestionKinds.h"
#include "model/QuestionnaireLoading.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffInfo.h"
#include "reconcile/DifferenceLines.h"
#include "reconcile/Differences.h"
#include "reconcile/PropertyCaptions.h"
#include "reconcile/PropertyTexts.h"
#include "reconcile/ReconciliationReport.h"
#include "reconcile/ValidMatchings.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QMap>

#include <algorithm>
#include <vector>

using namespace pelko_wave;

namespace {

const QString kQuestionOpener = QStringLiteral("<p class = \"font color0\"/>");
const QString kPartOpener = QStringLiteral("<p class = \"indent1 font color1\"/>");
const QString kValueOpener = QStringLiteral("<p class = \"indent2 font color2\"/>");
const QString kResponseOpener = QStringLiteral("<p class = \"indent1 font color1\"/>");
const QString kResponsePartOpener = QStringLiteral("<p class = \"indent2 font color2\"/>");
const QString kResponseValueOpener = QStringLiteral("<p class = \"indent3 font color3\"/>");

// One volume of the wave as the summary reads it: its source questionnaire (loaded) and the
// matchings valid for it.
struct SSummaryVolume
{
    CVolume* Volume = nullptr;
    SValidMatchings Matchings;
};

class CSummaryBuilder
{
public:
    CSummaryBuilder(const CCampaign& campaign, const CWave& wave, CSummaryCounts& counts,
                    QString& details)
        : m_campaign(campaign), m_wave(wave), m_counts(counts), m_details(details)
    {
    }

    bool Run()
    {
        if (!LoadVolumes())
            return false;
        for (const CQuestion* question : IncludedQuestions()) {
            int matches = 0;
            for (const SSummaryVolume& volume : m_volumes) {
                if (!CompareInVolume(*question, volume, matches))
                    return false;
            }
            if (matches == 0)
                ++m_counts.UnmatchedQuestions;
            else if (matches > 1)
                ++m_counts.MultipleMatches;
        }
        CountSourceQuestions();
        return true;
    }

private:
    // Every volume's source questionnaire, read when it holds no question yet.
    bool LoadVolumes()
    {
        for (int i = 0; i < m_wave.GetVolumeCount(); ++i) {
            CVolume* volume = m_wave.GetVolume(i);
            if (!EnsureVolumeQuestionnaire(*volume)) {
                GetWindowServices().MessageBox(
                    FormatString(
                        LoadString(IDS_SOURCE_UNREADABLE),
                        {GetDisplayedSourceText(volume->GetMetaData()), volume->GetName()}),
                    MB_OK);
                return false;
            }
            m_volumes.push_back({volume, CollectValidMatchings(*volume)});
        }
        return true;
    }

    // The campaign questions the wave includes, by ascending id: not the reserved one, appeared
    // no later than the wave's last volume, and not deleted in this wave or before it.
    std::vector<const CQuestion*> IncludedQuestions()
    {
        const int waveId = m_wave.GetWaveId();
        const int referenceId = m_wave.GetVolumeCount() > 0
                                    ? m_wave.GetVolume(m_wave.GetVolumeCount() - 1)->GetVolumeId()
                                    : -1;
        std::vector<const CQuestion*> included;
        for (int i = 0; i < m_campaign.GetQuestionCount(); ++i) {
            const CQuestion* question = m_campaign.GetQuestion(i);
            const int deletion = question->GetDeletionWaveId();
            if (m_campaign.IsReservedQuestion(question) ||
                m_campaign.IsVolumeBefore(referenceId, question->GetAppearanceVolumeId()) ||
                deletion == waveId || m_campaign.IsWaveBefore(deletion, waveId))
                continue;
            included.push_back(question);
        }
        m_counts.IncludedQuestions = int(included.size());
        std::sort(included.begin(), included.end(), [](const CQuestion* a, const CQuestion* b) {
            return a->GetQuestionId() < b->GetQuestionId();
        });
        return included;
    }

    bool CompareInVolume(const CQuestion& question, const SSummaryVolume& entry, int& matches)
    {
        const CVolume& volume = *entry.Volume;
        const CQuestionMatching* matching =
            volume.FindQuestionMatchingInherited(question.GetQuestionId(), volume.GetVolumeId());
        if (!matching)
            return true;
        ++matches;
        const QString& sourceId = matching->GetSourceId();
        const qnr::CQuestion* source = volume.GetQuestionnaire().FindQuestionById(sourceId.toInt());
        if (!source) {
            GetWindowServices().MessageBox(
                FormatString(LoadString(IDS_SOURCE_QUESTION_MISSING), {volume.GetName(), sourceId}),
                MB_OK);
            return false;
        }
        CDiffList differences;
        if (!m_comparer.GetQuestionDifferences(question, *source, differences) &&
            !HasSameResponseCount(m_wave.GetWaveId(), volume.GetVolumeId(), question, *source))
            differences.emplace(kQuestionResponseCountId, CDiffInfoPtr());
        QString responses;
        const int responseDifferences =
            AppendResponseDifferences(question, *source, entry, responses);
        if (differences.empty() && responseDifferences == 0) {
            ++m_counts.PerfectMatches;
            return true;
        }
        ++m_counts.MatchesWithDifferences;
        // The pair's own differences and those of its responses, all listed below the line.
        const int count = int(differences.size()) + responseDifferences;
        m_details += kQuestionOpener;
        m_details += QuestionDifferencesHeading(count, question, *source, sourceId, volume);
        for (const auto& [kind, info] : differences)
            AppendQuestionPart(question, *source, volume, kind, GetDiffLanguageId(info));
        m_details += responses;
        return true;
    }

    void AppendQuestionPart(const CQuestion& question, const qnr::CQuestion& source,
                            const CVolume& volume, int kind, int languageId)
    {
        const SDifferingPart part = DescribeQuestionPart(question, source, m_wave.GetWaveId(),
                                                         volume.GetVolumeId(), kind, languageId);
        m_details += kPartOpener;
        m_details += FormatReportText(IDS_QUESTION_PART, part.Title);
        m_details += kValueOpener;
        m_details += FormatReportText(IDS_CAMPAIGN_QUESTION_VALUE, part.Campaign);
        m_details += kValueOpener;
        m_details += FormatReportText(IDS_SOURCE_QUESTION_VALUE, part.Source);
    }

    // The differences of the question's matched responses in the volume, by ascending campaign
    // response id; a matched source response missing from the source ends the list, with a
    // message. Returns the number of differences written.
    int AppendResponseDifferences(const CQuestion& question, const qnr::CQuestion& source,
                                  const SSummaryVolume& entry, QString& out)
    {
        if (!IsQuestionWithResponses(question))
            return 0;
        const auto matchings =
            entry.Matchings.ModalitiesByQuestion.constFind(question.GetQuestionId());
        if (matchings == entry.Matchings.ModalitiesByQuestion.cend())
            return 0;
        // Response id -> source code, the nearest volume's matching winning.
        QMap<int, QString> sourceCodes;
        for (const CModalityMatching* matching : *matchings) {
            if (!sourceCodes.contains(matching->GetModalityId()))
                sourceCodes.insert(matching->GetModalityId(), matching->GetModalitySourceId());
        }
        const CVolume& volume = *entry.Volume;
        CDiffList differences;
        int total = 0;
        for (auto it = sourceCodes.cbegin(); it != sourceCodes.cend(); ++it) {
            const CModality* modality = m_campaign.GetModalityById(it.key());
            if (!modality)
                continue;
            const qnr::CModalite* sourceModality = source.FindModaliteById(it.value().toInt());
            if (!sourceModality) {
                GetWindowServices().MessageBox(FormatString(LoadString(IDS_SOURCE_RESPONSE_MISSING),
                                                            {volume.GetName(), it.value()}),
                                               MB_OK);
                return total;
            }
            if (!m_comparer.GetModalityDifferences(*modality, *sourceModality, differences))
                continue;
            const int count = int(differences.size());
            total += count;
            out += kResponseOpener;
            out += ResponseDifferencesHeading(count, *modality, *sourceModality, it.value(), volume,
                                              m_campaign.GetCurrentLanguageId());
            for (const auto& [kind, info] : differences)
                AppendResponsePart(*modality, *sourceModality, kind, GetDiffLanguageId(info), out);
        }
        return total;
    }

    static void AppendResponsePart(const CModality& modality, const qnr::CModalite& source,
                                   int kind, int languageId, QString& out)
    {
        const SDifferingPart part = DescribeResponsePart(modality, source, kind, languageId);
        out += kResponsePartOpener;
        out += FormatReportText(IDS_RESPONSE_PART, part.Title);
        out += kResponseValueOpener;
        out += FormatReportText(IDS_CAMPAIGN_RESPONSE_VALUE, part.Campaign);
        out += kResponseValueOpener;
        out += FormatReportText(IDS_SOURCE_RESPONSE_VALUE, part.Source);
    }

    // The questions of the sources, and those of them that no matching valid for their volume
    // uses.
    void CountSourceQuestions()
    {
        for (const SSummaryVolume& entry : m_volumes) {
            const qnr::CQuestionnaire& questionnaire = entry.Volume->GetQuestionnaire();
            m_counts.SourceQuestions += questionnaire.GetNbreQuestion();
            QMap<QString, int> matchedCodes;
            entry.Volume->CollectMatchedSourceCodes(entry.Volume->GetVolumeId(), matchedCodes);
            for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
                const QString code =
                    QString::number(questionnaire.GetQuestion(i)->GetCodeQuestion());
                if (!matchedCodes.contains(code))
                    ++m_counts.UnmatchedSourceQuestions;
            }
        }
    }

    const CCampaign& m_campaign;
    const CWave& m_wave;
    CSummaryCounts& m_counts;
    QString& m_details;
    std::vector<SSummaryVolume> m_volumes;
    const CDifferenceComparer m_comparer;
};

// The count lines: the sentence of each count, plural and singular.
struct SCountLine
{
    int CSummaryCounts::*Count;
    unsigned Plural;
    unsigned Singular;
};

constexpr SCountLine kCountLines[] = {
    {&CSummaryCounts::IncludedQuestions, 63166, 63167},
    {&CSummaryCounts::SourceQuestions, 63168, 63169},
    {&CSummaryCounts::PerfectMatches, 63170, 63171},
    {&CSummaryCounts::MultipleMatches, 63172, 63173},
    {&CSummaryCounts::MatchesWithDifferences, 63174, 63175},
    {&CSummaryCounts::UnmatchedQuestions, 63176, 63177},
    {&CSummaryCounts::UnmatchedSourceQuestions, 63178, 63179},
};

} // namespace

bool ComputeSummary(int waveId, CSummaryCounts& counts, QString& details)
{
    const IWaveApp* app = GetWaveApp();
    const CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    const CWave* wave = campaign ? campaign->FindWave(waveId) : nullptr;
    if (!wave)
        return false;
    return CSummaryBuilder(*campaign, *wave, counts, details).Run();
}

QString BuildSummaryHtml(const CSummaryCounts& counts, const QString& details)
{
    QString html = QStringLiteral(
        "<html>\n<head>\n<title></title>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\"/>\n"
        "<style type=\"text/css\">\n"
        "\tp.font {margin-top: 2; font-family: tahoma; font-size: 12}\n"
        "\tp.indent1 {margin-top: 2; font-family: tahoma; font-size: 12; margin-left: 1em}\n"
        "\tp.indent2 {margin-top: 2; font-family: tahoma; font-size: 12; margin-left: 2em}\n"
        "\tp.indent3 {margin-top: 2; font-family: tahoma; font-size: 12; margin-left: 3em}\n"
        "\tp.color0 {color: blue; background-color: rgb(220,220,220)}\n"
        "\tp.color1 {color: black; background-color: rgb(240,240,240)}\n"
        "\tp.color2 {color: black; background-color: rgb(250,250,250)}\n"
        "</style>\n</head>\n<body>\n");
    bool firstColour = true;
    for (const SCountLine& line : kCountLines) {
        const int count = counts.*line.Count;
        html += firstColour ? QStringLiteral("<p class = \"font color1\"/>\n")
                            : QStringLiteral("<p class = \"font color2\"/>\n");
        html += FormatString(LoadString(count == 1 ? line.Singular : line.Plural), {count});
        firstColour = !firstColour;
    }
    html += QStringLiteral("<p class = \"font color2\"/>\n");
    html += details;
    html += QStringLiteral("</body>\n</html>\n");
    return html;
}
