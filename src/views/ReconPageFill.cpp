// The reconciliation page's fills: the question grid for a wave, the response grid for a row
// of it, and the bookkeeping of the rows around them.

#include "views/RightReconciliationPage.h"

#include "model/Campaign.h"
#include "model/ConnectionText.h"
#include "model/ModelHelpers.h"
#include "model/OptionRecords.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsCache.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/OverviewBar.h"
#include "views/ReconColours.h"
#include "views/ReconDifferences.h"
#include "views/WaveGridCtrl.h"

#include <QMap>
#include <map>
#include <optional>

using namespace pelko_wave;

namespace {

// Turns a grid's painting off for a fill and on again when it ends, whichever way it ends.
class CFillGuard
{
public:
    explicit CFillGuard(std::initializer_list<CWaveGridCtrl*> grids) : m_grids(grids)
    {
        for (CWaveGridCtrl* grid : m_grids)
            grid->SetRedraw(false);
    }
    ~CFillGuard()
    {
        for (CWaveGridCtrl* grid : m_grids) {
            grid->SetRedraw(true, true);
            grid->viewport()->update();
        }
    }
    CFillGuard(const CFillGuard&) = delete;
    CFillGuard& operator=(const CFillGuard&) = delete;

private:
    std::vector<CWaveGridCtrl*> m_grids;
};

// Keeps the volumes' source caption languages for as long as a fill lives (the outermost fill,
// when one runs inside another), so that each is chosen once.
class CSourceLanguagesKept
{
public:
    explicit CSourceLanguagesKept(std::optional<std::map<int, int>>& languages)
        : m_languages(languages), m_owner(!languages)
    {
        if (m_owner)
            m_languages.emplace();
    }
    ~CSourceLanguagesKept()
    {
        if (m_owner)
            m_languages.reset();
    }
    CSourceLanguagesKept(const CSourceLanguagesKept&) = delete;
    CSourceLanguagesKept& operator=(const CSourceLanguagesKept&) = delete;

private:
    std::optional<std::map<int, int>>& m_languages;
    bool m_owner;
};

} // namespace

// One question-grid row of a fill, before it is written.
struct CRightReconciliationPage::SQuestionRow
{
    enum EKind
    {
        Matched,
        UnmatchedCampaign,
        UnmatchedSource
    };
    EKind Kind = Matched;
    const CQuestion* Question = nullptr;
    const qnr::CQuestion* Source = nullptr;
    const CVolume* Volume = nullptr;
    bool Differs = false;
};

// Collections ---------------------------------------------------------------------------------

int CRightReconciliationPage::CollectWaveQuestions(const CCampaign& campaign, int referenceVolumeId,
                                                   std::set<std::pair<int, int>>& questions) const
{
    questions.clear();
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        const CQuestion* question = campaign.GetQuestion(i);
        if (campaign.IsReservedQuestion(question) ||
            campaign.IsVolumeBefore(referenceVolumeId, question->GetAppearanceVolumeId()) ||
            campaign.IsWaveBefore(question->GetDeletionWaveId(), int(m_waveId)))
            continue;
        questions.emplace(question->GetOrder(), question->GetQuestionId());
    }
    return int(questions.size());
}

int CRightReconciliationPage::CollectWaveResponses(const CCampaign& campaign,
                                                   const CQuestion& question, int referenceVolumeId,
                                                   std::set<std::pair<int, int>>& responses) const
{
    responses.clear();
    for (const CModality* response : question.GetModalities()) {
        if (response->GetQuestionId() == RESERVED_QUESTION_ID ||
            campaign.IsVolumeBefore(referenceVolumeId, response->GetAppearanceVolumeId()) ||
            campaign.IsWaveBefore(response->GetDeletionWaveId(), int(m_waveId)))
            continue;
        responses.emplace(response->GetModalityOrder(), response->GetModalityId());
    }
    return int(responses.size());
}

void CRightReconciliationPage::ResetPage()
{
    m_curQuestionId = -1;
    m_curSourceCode.reset();
    m_curVolumeId = -1;
    m_questionRows.Clear();
    m_responseRows.Clear();
    m_rowLinks.clear();
    m_questionRows.SetCurrentRow(-1);
    m_responseRows.SetCurrentRow(-1);
}

void CRightReconciliationPage::ClearPage()
{
    StopFades();
    EndPickModes();
    ResetPage();
    m_gridQuestions->ResetDataRows(0);
    BuildQuestionHeadings();
    BuildResponseHeadings();
    UpdateOverviewHeights();
    m_gridQuestions->viewport()->update();
    m_gridResponses->viewport()->update();
    NotifyCommandState();
}

// The question grid ---------------------------------------------------------------------------

bool CRightReconciliationPage::LoadWave(long waveId)
{
    IWaveApp* app = GetWaveApp();
    CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    CWave* wave = campaign ? campaign->FindWave(int(waveId)) : nullptr;
    // Whatever the page showed goes: the rows of another wave, or of this one when it had
    // volumes, would name items it no longer shows.
    m_waveId = waveId;
    if (!wave || wave->GetVolumeCount() == 0) {
        ClearPage();
        return false;
    }

    CWaitCursor wait;
    // The fading rows and the picks are those of the rows the fill replaces.
    StopFades();
    EndPickModes();
    bool filled = false;
    {
        const CFillGuard guard{m_gridQuestions, m_gridResponses};
        const CSourceLanguagesKept languages(m_sourceCaptionLanguages);
        filled = FillQuestionGrid(*campaign, *wave);
    }
    UpdateOverviewHeights();
    if (filled && m_gridQuestions->GetRowCount() > m_gridQuestions->GetFixedRowCount())
        SelectQuestionRow(m_gridQuestions->GetFixedRowCount(), QColShortcut);
    NotifyCommandState();
    return filled;
}

bool CRightReconciliationPage::FillQuestionGrid(CCampaign& campaign, CWave& wave)
{
    const IWaveApp* app = GetWaveApp();
    const int waveId = wave.GetWaveId();
    CCampaignDiffsCache* cache = app->GetDiffsCache();
    CWaveDiffsEntry* entry = cache ? cache->GetWaveEntry(waveId, false) : nullptr;
    if (cache && !entry)
        entry = cache->ResetWaveEntry(waveId);
    const bool wholeWave = entry && entry->IsWholeWaveInvalid();
    const int referenceVolumeId = wave.GetVolume(wave.GetVolumeCount() - 1)->GetVolumeId();

    // The question grid's rows stay until the fill writes its own over them; a fill that fails
    // clears the page.
    ResetPage();
    BuildQuestionHeadings();
    BuildResponseHeadings();
    UpdateOverviewHeights();
    std::set<std::pair<int, int>> questions;
    CollectWaveQuestions(campaign, referenceVolumeId, questions);

    std::vector<CVolume*> volumes;
    for (int v = 0; v < wave.GetVolumeCount(); ++v) {
        CVolume* volume = wave.GetVolume(v);
        if (!EnsureVolumeQuestionnaire(*volume)) {
            GetWindowServices().MessageBox(
                FormatString(LoadString(IDS_SOURCE_UNREADABLE),
                             {GetDisplayedSourceText(volume->GetMetaData()), volume->GetName()}),
                MB_OK | MB_ICONWARNING);
            ClearPage();
            return false;
        }
        volumes.push_back(volume);
    }
    // The captions of both sides are compared and shown in the campaign's current language.
    SetCurrentLanguageId(campaign.GetCurrentLanguageId());
    SetCurrentQuestionnaireLanguage(campaign.GetCurrentLanguageId());

    const CViewSettings& view = app->GetViewSettings();
    std::optional<CPairDifferences> recorder;
    if (entry)
        recorder.emplace(waveId, *entry);
    std::vector<SQuestionRow> rows;
    rows.reserve(questions.size() * volumes.size());
    for (const auto& [order, questionId] : questions) {
        const CQuestion* question = campaign.GetQuestionById(questionId);
        if (!question) {
            ClearPage();
            return false;
        }
        // The question's differences are recomputed in every volume before it counts as fresh.
        const bool stale = wholeWave || (entry && entry->IsQuestionInvalid(questionId));
        bool matched = false;
        for (const CVolume* volume : volumes) {
            const CQuestionMatching* matching =
                volume->FindQuestionMatchingInherited(questionId, volume->GetVolumeId());
            if (!matching)
                continue;
            matched = true;
            const qnr::CQuestion* source =
                volume->GetQuestionnaire().FindQuestionById(matching->GetSourceId().toInt());
            if (!source) {
                GetWindowServices().MessageBox(
                    FormatString(LoadString(IDS_SOURCE_QUESTION_MISSING),
                                 {volume->GetName(), matching->GetSourceId()}),
                    MB_OK | MB_ICONWARNING);
                ClearPage();
                if (cache)
                    cache->ResetWaveEntry(waveId);
                return false;
            }
            bool differs = false;
            if (recorder && stale) {
                recorder->ErasePair(*question, volume->GetVolumeId());
                const bool questionDiffers =
                    recorder->RecordQuestionDifferences(*volume, *question, *source);
                const bool responsesDiffer = recorder->RecordResponseDifferences(
                    *volume, *question, *source, MissingResponseReport(*volume));
                differs = questionDiffers || responsesDiffer;
            } else if (entry) {
                differs = entry->GetQuestionDiffs().Count({questionId, volume->GetVolumeId()}) > 0;
                for (const CModality* response : question->GetModalities())
                    differs = differs || entry->GetModalityDiffs().Count(response->GetModalityId());
            }
            if ((differs && view.GetShowImperfectQuestionMatches()) ||
                (!differs && view.GetShowPerfectQuestionMatches()))
                rows.push_back({SQuestionRow::Matched, question, source, volume, differs});
        }
        if (stale && entry)
            entry->ValidateQuestion(questionId);
        if (!matched && view.GetShowUnmatchedCampaignQuestions())
            rows.push_back({SQuestionRow::UnmatchedCampaign, question, nullptr, nullptr, false});
    }

    if (view.GetShowUnmatchedSourceQuestions()) {
        for (const CVolume* volume : volumes) {
            QMap<QString, int> matchedCodes;
            volume->CollectMatchedSourceCodes(volume->GetVolumeId(), matchedCodes);
            const qnr::CQuestionnaire& questionnaire = volume->GetQuestionnaire();
            for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
                const qnr::CQuestion* source = questionnaire.GetQuestion(i);
                if (!matchedCodes.contains(QString::number(source->GetCodeQuestion())))
                    rows.push_back({SQuestionRow::UnmatchedSource, nullptr, source, volume, false});
            }
        }
    }

    WriteQuestionRows(rows);
    if (entry)
        entry->SetWholeWaveInvalid(false);
    return true;
}

void CRightReconciliationPage::WriteQuestionRows(const std::vector<SQuestionRow>& rows)
{
    CWaveGridCtrl& grid = *m_gridQuestions;
    const int first = grid.GetFixedRowCount();
    grid.ResetDataRows(int(rows.size()));
    const CCampaign* campaign = AppCampaign();
    const CWave* wave = campaign ? campaign->FindWave(int(m_waveId)) : nullptr;
    for (size_t i = 0; i < rows.size(); ++i) {
        const SQuestionRow& plan = rows[i];
        const int row = first + int(i);
        m_questionRows.WriteRowNumber(row);
        const CQuestion* question = plan.Question;
        SRowLook look;
        switch (plan.Kind) {
        case SQuestionRow::Matched:
        case SQuestionRow::UnmatchedSource: {
            if (question)
                m_questionRows.SetId(row, question->GetQuestionId());
            else
                m_questionRows.SetUnmatchedId(row);
            m_questionRows.SetSource(row, QString::number(plan.Source->GetCodeQuestion()),
                                     plan.Volume->GetVolumeId());
            const SRowKind kind = QuestionRowKind(question, true, plan.Differs, wave);
            look = kind.Look;
            WriteQuestionCampaignSide(row, kind.CampaignImage,
                                      question ? GetQuestionKind(*question) : QUESTION_KIND_NONE,
                                      look.CampaignText, look.Back, look.Font, question);
            WriteQuestionSourceSide(row, kind.SourceImage, GetSourceQuestionKind(*plan.Source),
                                    look.SourceText, look.Back, look.Font, plan.Source,
                                    plan.Volume);
            break;
        }
        case SQuestionRow::UnmatchedCampaign:
            m_questionRows.SetId(row, question->GetQuestionId());
            look = WriteUnmatchedQuestionRow(row, *question);
            break;
        }
        m_questionRows.AppendState(look.State);
        ApplyRowLook(m_questionRows, row, look, false);
    }
}

// The kinds of rows ----------------------------------------------------------------------------
//
// A fill and the row updates give each row the images and look of its kind from here. They
// differ on purpose in one place: a source question that a break of its matching leaves on a
// row of its own shows the image of a source item alone (ShowQuestionUnmatched), so that the
// user sees where the break put it, while a fill shows every source question that no campaign
// question holds as matched in its volume.

CRightReconciliationPage::SRowKind
CRightReconciliationPage::QuestionRowKind(const CQuestion* question, bool hasSource, bool differs,
                                          const CWave* wave) const
{
    SRowKind kind;
    SRowLook& look = kind.Look;
    look.Font = &m_fontNormal;
    if (question && hasSource) {
        const bool newInWave = WaveHoldsVolume(question->GetAppearanceVolumeId(), wave);
        kind.CampaignImage = newInWave ? ImageNewInWave : ImageMatched;
        kind.SourceImage = ImageMatched;
        if (differs) {
            look.Font = &m_fontBold;
            look.Back = recon_colours::Yellow;
            look.State = RowDiffers;
        } else {
            if (newInWave)
                look.SourceText = recon_colours::Green;
            look.State = RowMatched;
        }
    } else if (question) {
        const bool deleted = IsDeletedInWave(question->GetDeletionWaveId());
        const bool newInWave = WaveHoldsVolume(question->GetAppearanceVolumeId(), wave);
        kind.CampaignImage = deleted ? ImageDeleted : (newInWave ? ImageNewInWave : ImageMatched);
        kind.SourceImage = deleted ? ImageMissingDeleted : ImageMissing;
        look.CampaignText = deleted ? recon_colours::Grey : recon_colours::Default;
        look.SourceText = deleted ? recon_colours::Grey : recon_colours::Red;
        look.State = deleted ? RowUnmatchedDeleted : RowUnmatched;
    } else {
        kind.CampaignImage = ImageMissing;
        kind.SourceImage = ImageMatched;
        look.CampaignText = recon_colours::Red;
        look.State = RowUnmatched;
    }
    return kind;
}

CRightReconciliationPage::SRowKind
CRightReconciliationPage::ResponseRowKind(const CModality* response, bool hasSource,
                                          bool differs) const
{
    SRowKind kind;
    SRowLook& look = kind.Look;
    look.Font = &m_fontNormal;
    const bool deleted = response && IsDeletedInWave(response->GetDeletionWaveId());
    const bool newInWave = response && WaveHoldsVolume(response->GetAppearanceVolumeId());
    if (response) {
        // A response merged into another, or removed, shows its campaign side in grey.
        const bool merged = FindMergeMaster(*response) != nullptr;
        kind.CampaignImage =
            merged ? ImageMerged
                   : (deleted ? ImageDeleted : (newInWave ? ImageNewInWave : ImageMatched));
        if (merged || deleted)
            look.CampaignText = recon_colours::Grey;
    }
    if (response && hasSource) {
        kind.SourceImage = ImageMatched;
        if (differs) {
            look.Font = &m_fontBold;
            look.Back = recon_colours::Yellow;
            look.CampaignText = recon_colours::Default;
            look.State = RowDiffers;
        } else {
            if (newInWave)
                look.SourceText = recon_colours::Green;
            look.State = RowMatched;
        }
    } else if (response) {
        kind.SourceImage = deleted ? ImageMissingDeleted : ImageMissing;
        look.SourceText = deleted ? recon_colours::Grey : recon_colours::Red;
        look.State = deleted ? RowUnmatchedDeleted : RowUnmatched;
    } else {
        kind.CampaignImage = ImageMissing;
        kind.SourceImage = ImageMatched;
        look.CampaignText = recon_colours::Red;
        look.State = RowUnmatched;
    }
    return kind;
}

CRightReconciliationPage::SRowLook
CRightReconciliationPage::WriteUnmatchedQuestionRow(int row, const CQuestion& question)
{
    const SRowKind kind = QuestionRowKind(&question, false, false);
    WriteQuestionCampaignSide(row, kind.CampaignImage, GetQuestionKind(question),
                              kind.Look.CampaignText, kind.Look.Back, kind.Look.Font, &question);
    WriteQuestionSourceSide(row, kind.SourceImage, QUESTION_KIND_NONE, kind.Look.SourceText,
                            kind.Look.Back, kind.Look.Font, nullptr, nullptr);
    return kind.Look;
}

bool CRightReconciliationPage::IsShownUnmatched(const CQuestion& question) const
{
    const IWaveApp* app = GetWaveApp();
    const CCampaign* campaign = AppCampaign();
    const CWave* wave = CurrentWave();
    if (!app || !campaign || !wave || wave->GetVolumeCount() == 0 ||
        !app->GetViewSettings().GetShowUnmatchedCampaignQuestions())
        return false;
    std::set<std::pair<int, int>> questions;
    CollectWaveQuestions(*campaign, wave->GetVolume(wave->GetVolumeCount() - 1)->GetVolumeId(),
                         questions);
    if (!questions.count({question.GetOrder(), question.GetQuestionId()}))
        return false;
    for (int v = 0; v < wave->GetVolumeCount(); ++v) {
        const CVolume* volume = wave->GetVolume(v);
        if (volume->FindQuestionMatchingInherited(question.GetQuestionId(), volume->GetVolumeId()))
            return false;
    }
    return true;
}

bool CRightReconciliationPage::IsShownUnmatched(const CModality& response) const
{
    const IWaveApp* app = GetWaveApp();
    const CCampaign* campaign = AppCampaign();
    const CWave* wave = CurrentWave();
    const CQuestion* question = GetCurrentQuestion();
    if (!app || !campaign || !wave || wave->GetVolumeCount() == 0 || !question ||
        question->GetQuestionId() != response.GetQuestionId())
        return false;
    std::set<std::pair<int, int>> responses;
    CollectWaveResponses(*campaign, *question,
                         wave->GetVolume(wave->GetVolumeCount() - 1)->GetVolumeId(), responses);
    if (!responses.count({response.GetModalityOrder(), response.GetModalityId()}))
        return false;
    const CVolume* volume = GetCurrentVolume();
    if (volume &&
        volume->FindModalityMatchingInherited(response.GetModalityId(), volume->GetVolumeId()))
        return false;
    const CViewSettings& view = app->GetViewSettings();
    return view.GetShowUnmatchedCampaignResponses() ||
           (view.GetShowNewCampaignResponses() &&
            WaveHoldsVolume(response.GetAppearanceVolumeId(), wave));
}

// The response grid ---------------------------------------------------------------------------

LRESULT CRightReconciliationPage::OnQuestionSelChanged(int row, int col)
{
    if (row == m_questionRows.GetCurrentRow())
        return 0;
    m_questionRows.SetCurrentRow(row);
    const int fixed = m_gridQuestions->GetFixedRowCount();
    if (row >= 0 && row < m_gridQuestions->GetRowCount())
        m_overviewQuestions->EnsureMarkerOnRow(unsigned(row - fixed));
    FillResponses(row, col);
    LayoutResponseColumns(true);
    return 0;
}

void CRightReconciliationPage::FillResponses(int questionRow, int col)
{
    Q_UNUSED(col);
    // The fades, pick modes and drags of the response grid name rows about to be replaced.
    m_responseRows.DropFades();
    EndResponsePicks();
    CWaveGridCtrl& grid = *m_gridResponses;
    const CFillGuard guard{m_gridResponses};
    const CSourceLanguagesKept languages(m_sourceCaptionLanguages);
    m_responseRows.Clear();
    grid.SetRowCount(grid.GetFixedRowCount());

    // The row's items become the current ones.
    m_curQuestionId = -1;
    m_curSourceCode.reset();
    m_curVolumeId = -1;
    const CCampaign* campaign = AppCampaign();
    const CWave* wave = campaign ? campaign->FindWave(int(m_waveId)) : nullptr;
    const int fixedRows = m_gridQuestions->GetFixedRowCount();
    // A wave without volumes has no responses to show.
    if (!wave || wave->GetVolumeCount() == 0 || questionRow < fixedRows ||
        questionRow >= m_gridQuestions->GetRowCount()) {
        UpdateOverviewHeights();
        return;
    }
    m_responseRows.SetCurrentRow(-1);
    const long key = m_questionRows.GetId(questionRow);
    if (key == kNoId) {
        UpdateOverviewHeights();
        return;
    }
    const CQuestion* question = key > 0 ? campaign->GetQuestionById(int(key)) : nullptr;
    const CVolume* volume = GetQuestionRowVolume(questionRow);
    const qnr::CQuestion* source = GetSourceQuestionAtRow(questionRow);
    m_curQuestionId = question ? question->GetQuestionId() : -1;
    m_curVolumeId = volume ? volume->GetVolumeId() : -1;
    if (source)
        m_curSourceCode = source->GetCodeQuestion();
    if (question && source && !IsQuestionWithResponses(*question) &&
        !IsSourceQuestionWithResponses(*source)) {
        UpdateOverviewHeights();
        return;
    }
    if (source && volume)
        StoreSourceEntryCodes(*source, volume->GetVolumeId());

    const IWaveApp* app = GetWaveApp();
    const CViewSettings& view = app->GetViewSettings();
    const CWaveDiffsEntry* entry = GetWaveDiffsEntry();
    const int referenceVolumeId = wave->GetVolume(wave->GetVolumeCount() - 1)->GetVolumeId();

    if (question) {
        std::set<std::pair<int, int>> responses;
        CollectWaveResponses(*campaign, *question, referenceVolumeId, responses);
        for (const auto& [order, responseId] : responses) {
            const CModality* response = campaign->GetModalityById(responseId);
            if (!response)
                continue;
            const bool newHere = view.GetShowNewCampaignResponses() &&
                                 WaveHoldsVolume(response->GetAppearanceVolumeId(), wave);
            const CModalityMatching* matching =
                volume ? volume->FindModalityMatchingInherited(responseId, volume->GetVolumeId())
                       : nullptr;
            if (matching) {
                const bool differs = entry && entry->GetModalityDiffs().Count(responseId) > 0;
                if ((differs && view.GetShowImperfectResponseMatches()) ||
                    (!differs && view.GetShowPerfectResponseMatches()) || newHere) {
                    const int code = matching->GetModalitySourceId().toInt();
                    const qnr::CModalite* sourceResponse =
                        source ? source->FindModaliteById(code) : nullptr;
                    AppendResponseRow(response, sourceResponse, volume, code, differs);
                    continue;
                }
            }
            if ((!matching && view.GetShowUnmatchedCampaignResponses()) || newHere)
                AppendResponseRow(response, nullptr, nullptr, 0, false);
        }
    }

    if (source && view.GetShowUnmatchedSourceResponses()) {
        QMap<QString, int> matchedCodes;
        if (question && volume)
            volume->GetModalityIdsBySource(volume->GetVolumeId(), question->GetQuestionId(),
                                           matchedCodes, true);
        for (int i = 0; i < source->GetNbreModalite(); ++i) {
            const qnr::CModalite* sourceResponse = source->GetModalite(i);
            if (!matchedCodes.contains(QString::number(sourceResponse->GetCode())))
                AppendResponseRow(nullptr, sourceResponse, volume, sourceResponse->GetCode(),
                                  false);
        }
    }
    UpdateOverviewHeights();
}

void CRightReconciliationPage::AppendResponseRow(const CModality* response,
                                                 const qnr::CModalite* source,
                                                 const CVolume* volume, int sourceCode,
                                                 bool differs)
{
    // The row's band takes its state with its look.
    const int row = m_responseRows.AppendRow(RowUnmatched);
    WriteResponseRow(row, response, source, volume, sourceCode, differs);
}

void CRightReconciliationPage::WriteResponseRow(int row, const CModality* response,
                                                const qnr::CModalite* source, const CVolume* volume,
                                                int sourceCode, bool differs)
{
    // A row without a campaign response holds a key of its own.
    if (response)
        m_responseRows.SetId(row, response->GetModalityId());
    else
        m_responseRows.SetUnmatchedId(row);
    // A campaign response has a source side when the volume matches it, even when the source
    // response is missing from the volume's source.
    const bool hasSource = !response || volume;
    if (hasSource)
        m_responseRows.SetSource(row, QString::number(sourceCode),
                                 volume ? volume->GetVolumeId() : CReconRows::kNoVolume);
    const SRowKind kind = ResponseRowKind(response, hasSource, differs);
    const SRowLook& look = kind.Look;
    WriteResponseCampaignSide(row, kind.CampaignImage, look.CampaignText, look.Back, look.Font,
                              response, response ? FindMergeMaster(*response) : nullptr);
    WriteResponseSourceSide(row, kind.SourceImage, look.SourceText, look.Back, look.Font,
                            hasSource ? source : nullptr, hasSource ? volume : nullptr);
    ApplyRowLook(m_responseRows, row, look, false);
}

void CRightReconciliationPage::RefreshResponses()
{
    const CCellID focus = m_gridQuestions->GetFocusCell();
    FillResponses(focus.row, focus.col);
    LayoutResponseColumns(true);
    m_gridResponses->viewport()->update();
}
