#include "reconcile/ValidationReports.h"

#include "model/Campaign.h"
#include "model/ConnectionText.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DisplayCaptions.h"
#include "reconcile/ReconciliationReport.h"
#include "res/StringIds.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <vector>

using namespace pelko_wave;

namespace {

// A line of these reports: the empty paragraph with its classes, then the text, which brings its
// own line break when its format has one.
void AppendLine(QString& report, const char* classes, const QString& text)
{
    report += QStringLiteral("<p class = \"%1\"/>\n").arg(QLatin1String(classes));
    report += text;
}

// Alternating row backgrounds, restarted for every group.
class CRows
{
public:
    CRows(const char* even, const char* odd) : m_even(even), m_odd(odd) {}
    const char* Next() { return m_count++ % 2 == 0 ? m_even : m_odd; }

private:
    const char* m_even;
    const char* m_odd;
    int m_count = 0;
};

template <typename Multimap> int CountVolumes(const Multimap& list)
{
    std::set<int> volumes;
    for (const auto& entry : list)
        volumes.insert(entry.second);
    return int(volumes.size());
}

// The first id (the lowest) of each distinct text, in ascending text order.
template <typename Key> std::map<QString, Key> ByText(const std::map<Key, QString>& list)
{
    std::map<QString, Key> byText;
    for (const auto& [key, text] : list)
        byText.emplace(text, key);
    return byText;
}

class CValidationReport
{
public:
    CValidationReport(const CCampaign& campaign, const SSourceComparisonLists& lists)
        : m_campaign(campaign), m_lists(lists)
    {
    }

    QString Build()
    {
        m_html = GetListReportHead(true);
        AppendSummary();
        AppendMissingItems();
        AppendDetails();
        m_html += GetReportFooter();
        return m_html;
    }

private:
    void AppendSummary()
    {
        struct SSummaryLine
        {
            unsigned SingularId; // the plural format is the next id
            int Count;
            int Volumes; // -1 for a line without a volume count
        };
        const int loops = int(m_lists.LoopHierarchyMatches.size());
        const SSummaryLine lines[] = {
            {IDS_NEW_LANGUAGE, int(m_lists.NewLanguages.size()), -1},
            {IDS_MISSING_QUESTION, int(ByText(m_lists.MissingQuestions).size()), -1},
            {IDS_MISSING_MODALITY, int(ByText(m_lists.MissingModalities).size()), -1},
            {IDS_INVALID_QUESTION, int(m_lists.InvalidQuestionMatches.size()),
             CountVolumes(m_lists.InvalidQuestionMatches)},
            {IDS_INVALID_MODALITY, int(m_lists.InvalidModalityMatches.size()),
             CountVolumes(m_lists.InvalidModalityMatches)},
            {IDS_DELETED_QUESTION, int(m_lists.DeletedQuestionMatches.size()),
             CountVolumes(m_lists.DeletedQuestionMatches)},
            {IDS_DELETED_MODALITY, int(m_lists.DeletedModalityMatches.size()),
             CountVolumes(m_lists.DeletedModalityMatches)},
            {IDS_LOOP_HIERARCHY, loops, CountVolumes(m_lists.LoopHierarchyMatches)},
        };
        // Alternating backgrounds; the loop-hierarchy line stands out in red when it counts any,
        // since Plim cannot correct those matchings.
        const char* const classes[] = {
            "font color1 bgcolor1", "font color1 bgcolor2",
            "font color1 bgcolor1", "font color1 bgcolor2",
            "font color1 bgcolor1", "font color1 bgcolor2",
            "font color1 bgcolor1", loops > 0 ? "font color2 bgcolor2" : "font color1 bgcolor2",
        };
        for (size_t i = 0; i < std::size(lines); ++i) {
            const SSummaryLine& line = lines[i];
            const unsigned format = line.Count == 1 ? line.SingularId : line.SingularId + 1;
            AppendLine(m_html, classes[i],
                       line.Volumes < 0 ? FormatReportText(format, line.Count)
                                        : FormatReportText(format, line.Count, line.Volumes));
        }
    }

    void AppendMissingItems()
    {
        if (!m_lists.MissingQuestions.empty()) {
            AppendLine(m_html, "font color0 bgcolor0",
                       FormatReportText(IDS_MISSING_QUESTIONS_HEADING));
            CRows rows("indent2 font color1 bgcolor2", "indent2 font color1 bgcolor1");
            for (const auto& [text, questionId] : ByText(m_lists.MissingQuestions))
                AppendLine(m_html, rows.Next(),
                           FormatReportText(IDS_MISSING_QUESTION_ROW, questionId, text));
        }
        if (!m_lists.MissingModalities.empty()) {
            AppendLine(m_html, "font color0 bgcolor0",
                       FormatReportText(IDS_MISSING_MODALITIES_HEADING));
            CRows rows("indent2 font color1 bgcolor2", "indent2 font color1 bgcolor1");
            for (const auto& [text, key] : ByText(m_lists.MissingModalities))
                AppendLine(m_html, rows.Next(),
                           FormatReportText(IDS_MISSING_MODALITY_ROW, key.second, key.first, text));
        }
    }

    // The volumes with problems to detail, wave by wave, each wave's volumes in their order.
    void AppendDetails()
    {
        std::set<int> volumeIds;
        for (const auto* list : {&m_lists.InvalidQuestionMatches, &m_lists.DeletedQuestionMatches,
                                 &m_lists.LoopHierarchyMatches})
            for (const auto& entry : *list)
                volumeIds.insert(entry.second);
        for (const auto* list : {&m_lists.InvalidModalityMatches, &m_lists.DeletedModalityMatches})
            for (const auto& entry : *list)
                volumeIds.insert(entry.second);

        for (int w = 0; w < m_campaign.GetWaveCount(); ++w) {
            const CWave& wave = *m_campaign.GetWave(w);
            bool waveShown = false;
            for (int v = 0; v < wave.GetVolumeCount(); ++v) {
                const CVolume& volume = *wave.GetVolume(v);
                if (!volumeIds.count(volume.GetVolumeId()))
                    continue;
                if (!waveShown) {
                    AppendLine(m_html, "font color0 bgcolor0",
                               FormatReportText(IDS_DETAIL_WAVE, wave.GetName()));
                    waveShown = true;
                }
                AppendVolume(volume);
            }
        }
    }

    void AppendVolume(const CVolume& volume)
    {
        const int volumeId = volume.GetVolumeId();
        AppendLine(m_html, "indent1 font color1 bgcolor0",
                   FormatReportText(IDS_DETAIL_VOLUME, volume.GetName(),
                                    GetDisplayedSourceText(volume.GetMetaData())));
        AppendGroup(IDS_INVALID_QUESTIONS_HEADING, m_lists.InvalidQuestionMatches, volumeId,
                    [&](int questionId) { return InvalidQuestionRow(volume, questionId); });
        AppendGroup(IDS_INVALID_MODALITIES_HEADING, m_lists.InvalidModalityMatches, volumeId,
                    [&](const CModalityKey& key) { return InvalidModalityRow(volume, key); });
        AppendGroup(IDS_DELETED_QUESTIONS_HEADING, m_lists.DeletedQuestionMatches, volumeId,
                    [&](int questionId) { return DeletedQuestionRow(volume, questionId); });
        AppendGroup(IDS_DELETED_MODALITIES_HEADING, m_lists.DeletedModalityMatches, volumeId,
                    [&](const CModalityKey& key) { return DeletedModalityRow(volume, key); });
        AppendGroup(IDS_LOOP_HIERARCHY_HEADING, m_lists.LoopHierarchyMatches, volumeId,
                    [&](int questionId) { return LoopHierarchyRow(volume, questionId); });
    }

    // The heading with the number of rows, then a row for each of the volume's entries, in key
    // order.
    template <typename Multimap, typename MakeRow>
    void AppendGroup(unsigned headingId, const Multimap& list, int volumeId, const MakeRow& makeRow)
    {
        std::vector<typename Multimap::key_type> keys;
        for (const auto& [key, entryVolumeId] : list) {
            if (entryVolumeId == volumeId)
                keys.push_back(key);
        }
        if (keys.empty())
            return;
        AppendLine(m_html, "indent2 font color1 bgcolor0",
                   FormatReportText(headingId, int(keys.size())));
        CRows rows("indent3 font color1 bgcolor2", "indent3 font color1 bgcolor1");
        for (const auto& key : keys)
            AppendLine(m_html, rows.Next(), makeRow(key));
    }

    static QString QuestionSourceCode(const CVolume& volume, int questionId)
    {
        QString code;
        volume.GetQuestionSourceId(volume.GetVolumeId(), questionId, code);
        return code;
    }

    static QString ModalitySourceCode(const CVolume& volume, int modalityId)
    {
        const CModalityMatching* matching =
            volume.FindModalityMatchingInherited(modalityId, volume.GetVolumeId());
        return matching ? matching->GetModalitySourceId() : QString();
    }

    QString InvalidQuestionRow(const CVolume& volume, int questionId) const
    {
        const QString code = QuestionSourceCode(volume, questionId);
        const CQuestion* question = m_campaign.GetQuestionById(questionId);
        if (!question)
            return FormatReportText(IDS_INVALID_QUESTION_ROW_NO_QUESTION, questionId, code);
        return FormatReportText(IDS_INVALID_QUESTION_ROW, GetQuestionDisplayShortCaption(*question),
                                questionId, code);
    }

    QString InvalidModalityRow(const CVolume& volume, const CModalityKey& key) const
    {
        const auto [questionId, modalityId] = key;
        const QString code = ModalitySourceCode(volume, modalityId);
        const CQuestion* question = m_campaign.GetQuestionById(questionId);
        const CModality* modality = m_campaign.GetModalityById(modalityId);
        const QString questionCaption =
            question ? GetQuestionDisplayShortCaption(*question) : QString();
        if (!modality)
            return FormatReportText(IDS_INVALID_MODALITY_ROW_NO_MODALITY, modalityId,
                                    questionCaption, code);
        if (!question)
            return FormatReportText(IDS_INVALID_MODALITY_ROW_NO_QUESTION,
                                    GetModalityDisplayCaption(*modality), modalityId, questionId,
                                    code);
        return FormatReportText(IDS_INVALID_MODALITY_ROW, GetModalityDisplayCaption(*modality),
                                modalityId, questionCaption, code);
    }

    QString DeletedQuestionRow(const CVolume& volume, int questionId) const
    {
        const QString code = QuestionSourceCode(volume, questionId);
        const CQuestion* question = m_campaign.GetQuestionById(questionId);
        if (!question)
            return FormatReportText(IDS_DELETED_QUESTION_ROW_NO_QUESTION, questionId, code);
        const QString caption = GetQuestionDisplayShortCaption(*question);
        const int waveId = question->GetDeletionWaveId();
        const CWave* wave = m_campaign.FindWave(waveId);
        if (!wave)
            return FormatReportText(IDS_DELETED_QUESTION_ROW_NO_WAVE, caption, questionId, code,
                                    waveId);
        return FormatReportText(IDS_DELETED_QUESTION_ROW, caption, questionId, code,
                                wave->GetName(), waveId);
    }

    QString DeletedModalityRow(const CVolume& volume, const CModalityKey& key) const
    {
        const auto [questionId, modalityId] = key;
        const QString code = ModalitySourceCode(volume, modalityId);
        const CModality* modality = m_campaign.GetModalityById(modalityId);
        if (!modality)
            return FormatReportText(IDS_DELETED_MODALITY_ROW_NO_MODALITY, modalityId, questionId,
                                    code);
        const QString caption = GetModalityDisplayCaption(*modality);
        const CQuestion* question = m_campaign.GetQuestionById(questionId);
        const int waveId = modality->GetDeletionWaveId();
        const CWave* wave = m_campaign.FindWave(waveId);
        if (!question || !wave)
            return FormatReportText(IDS_DELETED_MODALITY_ROW_NO_QUESTION_OR_WAVE, caption,
                                    modalityId, questionId, code);
        return FormatReportText(IDS_DELETED_MODALITY_ROW, caption, modalityId,
                                GetQuestionDisplayShortCaption(*question), code, wave->GetName(),
                                waveId);
    }

    QString LoopHierarchyRow(const CVolume& volume, int questionId) const
    {
        const QString code = QuestionSourceCode(volume, questionId);
        const CQuestion* question = m_campaign.GetQuestionById(questionId);
        const qnr::CQuestion* source = volume.GetQuestionnaire().FindQuestionById(code.toInt());
        return FormatReportText(
            IDS_LOOP_HIERARCHY_ROW,
            question ? GetQuestionDisplayShortCaption(*question) : QString(), questionId,
            source ? GetSourceQuestionDisplayShortCaption(*source) : QString(), code);
    }

    const CCampaign& m_campaign;
    const SSourceComparisonLists& m_lists;
    QString m_html;
};

} // namespace

QString FormatMissingSourceFilesMessage(const CCampaign& campaign,
                                        const std::map<int, int>& missingSourceFiles)
{
    QString html = GetListReportHead(false);
    AppendLine(html, "font color1 bgcolor3", FormatReportText(IDS_SOURCE_FILES_INTRO));

    std::vector<const CVolume*> volumes;
    for (const auto& [volumeId, problem] : missingSourceFiles) {
        if (const CVolume* volume = campaign.FindVolume(volumeId))
            volumes.push_back(volume);
    }
    std::sort(volumes.begin(), volumes.end(), [&](const CVolume* a, const CVolume* b) {
        return campaign.IsVolumeBefore(a->GetVolumeId(), b->GetVolumeId());
    });

    const CWave* previousWave = nullptr;
    CRows rows("font indent1 color1 bgcolor1", "font indent1 color1 bgcolor2");
    for (const CVolume* volume : volumes) {
        const CWave* wave = campaign.FindWaveByVolume(volume->GetVolumeId());
        if (wave != previousWave || previousWave == nullptr) {
            AppendLine(html, "font color0 bgcolor0",
                       FormatReportText(IDS_SOURCE_FILES_WAVE, wave ? wave->GetName() : QString()));
            rows = CRows("font indent1 color1 bgcolor1", "font indent1 color1 bgcolor2");
            previousWave = wave;
        }
        const int problem = missingSourceFiles.at(volume->GetVolumeId());
        AppendLine(html, rows.Next(),
                   FormatReportText(IDS_SOURCE_FILES_VOLUME, volume->GetName(),
                                    GetDisplayedSourceText(volume->GetMetaData()),
                                    LoadString(problem == 0 ? IDS_SOURCE_FILE_MISSING
                                                            : IDS_SOURCE_FILE_UNREADABLE)));
    }
    html += GetReportFooter();
    return html;
}

QString FormatValidationReport(const CCampaign& campaign, const SSourceComparisonLists& lists)
{
    return CValidationReport(campaign, lists).Build();
}
