// The reconciliation page's row updates: after a command's Do, Undo or Redo the rows concerned
// are rewritten, split, joined, inserted or deleted in place, and coloured as a fill would
// colour them, instead of filling the grids again.

#include "views/RightReconciliationPage.h"

#include "model/Campaign.h"
#include "model/Matchings.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/QuestionKinds.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/DisplayCaptions.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/OverviewBar.h"
#include "views/ReconColours.h"
#include "views/ReconDifferences.h"
#include "views/WaveGridCtrl.h"

#include <set>

using namespace pelko_wave;
using namespace recon_columns;

namespace {

void SetBackColours(CGridCtrl& grid, int row, int first, int last, COLORREF colour)
{
    for (int col = first; col <= last; ++col)
        if (CGridCellBase* cell = grid.GetCell(row, col))
            cell->SetBackColour(colour);
}

} // namespace

// Helpers -------------------------------------------------------------------------------------

CWave* CRightReconciliationPage::CurrentWave() const
{
    const CCampaign* campaign = AppCampaign();
    return campaign ? campaign->FindWave(int(m_waveId)) : nullptr;
}

void CRightReconciliationPage::InvalidateCachedQuestion(int questionId)
{
    const IWaveApp* app = GetWaveApp();
    if (CCampaignDiffsCache* cache = app ? app->GetDiffsCache() : nullptr)
        cache->InvalidateQuestion(0, questionId);
}

void CRightReconciliationPage::RecomputePair(const CQuestion& question, const CVolume& volume,
                                             const qnr::CQuestion& source)
{
    CWaveDiffsEntry* entry = GetWaveDiffsEntry();
    if (!entry)
        return;
    CPairDifferences recorder(int(m_waveId), *entry);
    recorder.ErasePair(question, volume.GetVolumeId());
    recorder.RecordQuestionDifferences(volume, question, source);
    recorder.RecordResponseDifferences(volume, question, source, MissingResponseReport(volume));
}

int CRightReconciliationPage::FindUnsourcedQuestionRow(const CQuestion& question) const
{
    const long id = question.GetQuestionId();
    for (const int row : m_questionRows.GetRows(id))
        if (m_questionRows.GetSourceKey(row) == kNoSourceKey)
            return row;
    return kNoRow;
}

int CRightReconciliationPage::FindUnmatchedSourceRow(const qnr::CQuestion& source,
                                                     int volumeId) const
{
    const QString key = QString::number(source.GetCodeQuestion());
    for (const int row : m_questionRows.GetSourceRows(key)) {
        const long id = m_questionRows.GetId(row);
        if (id < 0 && id != kNoId && m_questionRows.GetVolumeId(row) == volumeId)
            return row;
    }
    return kNoRow;
}

int CRightReconciliationPage::FindHeldSourceRow(const qnr::CQuestion& source, int volumeId,
                                                int exceptRow) const
{
    const QString key = QString::number(source.GetCodeQuestion());
    for (const int row : m_questionRows.GetSourceRows(key))
        if (row != exceptRow && m_questionRows.GetId(row) > 0 &&
            m_questionRows.GetVolumeId(row) == volumeId)
            return row;
    return kNoRow;
}

void CRightReconciliationPage::ReselectQuestionRow(int row)
{
    const CCellID focus = m_gridQuestions->GetFocusCell();
    m_questionRows.SetCurrentRow(-1);
    SelectQuestionRow(row, focus.col >= QColState ? focus.col : int(QColShortcut));
}

// Row styles ----------------------------------------------------------------------------------

void CRightReconciliationPage::ApplyRowLook(CReconRows& rows, int row, const SRowLook& look,
                                            bool fade)
{
    rows.ApplyLook(row, CellFont(look.Font), look.Back, look.CampaignText, look.SourceText,
                   look.State, fade);
}

void CRightReconciliationPage::RestyleQuestionRow(int row, bool fade)
{
    const CWaveGridCtrl& grid = *m_gridQuestions;
    if (row < grid.GetFixedRowCount() || row >= grid.GetRowCount())
        return;
    const CQuestion* question = GetCampaignQuestionAtRow(row);
    const bool hasSource = m_questionRows.HasSource(row);
    const bool differs = question && hasSource && RowHasDifferences(row);
    ApplyRowLook(m_questionRows, row, QuestionRowKind(question, hasSource, differs).Look, fade);
}

void CRightReconciliationPage::RestyleResponseRow(int row, bool fade)
{
    const CWaveGridCtrl& grid = *m_gridResponses;
    if (row < grid.GetFixedRowCount() || row >= grid.GetRowCount())
        return;
    const CModality* response = GetCampaignResponseAtRow(row);
    const bool hasSource = m_responseRows.HasSource(row);
    const CWaveDiffsEntry* entry = GetWaveDiffsEntry();
    const bool differs = response && hasSource && entry &&
                         entry->GetModalityDiffs().Count(response->GetModalityId()) > 0;
    ApplyRowLook(m_responseRows, row, ResponseRowKind(response, hasSource, differs).Look, fade);
}

const CModality* CRightReconciliationPage::FindMergeMaster(const CModality& response) const
{
    const CCampaign* campaign = AppCampaign();
    const CWave* wave = CurrentWave();
    for (int v = 0; campaign && wave && v < wave->GetVolumeCount(); ++v) {
        const int masterId =
            campaign->GetMergeMaster(response.GetModalityId(), wave->GetVolume(v)->GetVolumeId());
        if (masterId != -1)
            return campaign->GetModalityById(masterId);
    }
    return nullptr;
}

// Question rows -------------------------------------------------------------------------------

void CRightReconciliationPage::RefreshQuestionRows(const CQuestion& question, bool fade)
{
    const CWave* wave = CurrentWave();
    if (!wave)
        return;
    const long id = question.GetQuestionId();
    std::vector<int> rows;
    for (const int row : m_questionRows.GetRows(id))
        rows.push_back(row);
    const bool deleted = IsDeletedInWave(question.GetDeletionWaveId());
    const int image =
        deleted ? ImageDeleted
                : (WaveHoldsVolume(question.GetAppearanceVolumeId(), wave) ? ImageNewInWave
                                                                           : ImageMatched);
    for (int row : rows) {
        WriteQuestionCampaignSide(row, image, GetQuestionKind(question),
                                  deleted ? recon_colours::Grey : recon_colours::Default,
                                  recon_colours::Default, &m_fontNormal, &question);
        // A row without a source side marks it missing, for a removed question in grey.
        if (m_questionRows.GetSourceKey(row) == kNoSourceKey)
            WriteQuestionSourceSide(row, deleted ? ImageMissingDeleted : ImageMissing,
                                    QUESTION_KIND_NONE,
                                    deleted ? recon_colours::Grey : recon_colours::Red,
                                    recon_colours::Default, &m_fontNormal, nullptr, nullptr);
        if (deleted) {
            if (fade) {
                SetQuestionRowFont(row, &m_fontNormal);
                StartQuestionRowFade(row, recon_colours::LightGrey);
            } else {
                m_questionRows.DropFade(row);
                SetQuestionRowStyle(row, &m_fontNormal, recon_colours::LightGrey,
                                    recon_colours::Default);
            }
            m_questionRows.SetState(row, RowMatched);
        } else {
            // A question no longer removed (a removal undone) takes its row's colours again.
            RestyleQuestionRow(row, fade);
        }
    }
    m_overviewQuestions->update();
    m_gridQuestions->viewport()->update();
}

void CRightReconciliationPage::DetachCampaignQuestionRows(const CQuestion& question)
{
    if (!CurrentWave())
        return;
    const long id = question.GetQuestionId();
    std::set<int> rows;
    for (const int row : m_questionRows.GetRows(id))
        rows.insert(row);
    for (int row : rows) {
        WriteQuestionCampaignSide(row, ImageMissing, QUESTION_KIND_NONE, recon_colours::Red,
                                  recon_colours::Default, &m_fontNormal, nullptr);
        m_questionRows.SetUnmatchedId(row);
        m_questionRows.SetState(row, RowUnmatched);
    }
    // From the last row up, so that the rows still to be looked at keep their numbers; a row
    // kept is an unmatched source question's.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (m_questionRows.GetSourceKey(*it) == kNoSourceKey)
            m_questionRows.DeleteRow(*it);
        else
            RestyleQuestionRow(*it, false);
    }
    RepaintRows();
}

void CRightReconciliationPage::ShowQuestionAlone(const CQuestion& question, int row)
{
    if (row == kNoRow || m_questionRows.GetFirstRow(question.GetQuestionId()) != kNoRow ||
        !IsShownUnmatched(question))
        return;
    row = m_questionRows.InsertRow(row, RowUnmatched);
    m_questionRows.SetId(row, question.GetQuestionId());
    ApplyRowLook(m_questionRows, row, WriteUnmatchedQuestionRow(row, question), false);
    RepaintRows();
}

int CRightReconciliationPage::ResponseRowForOrder(const CModality& response) const
{
    const CCampaign* campaign = AppCampaign();
    for (int row = m_gridResponses->GetFixedRowCount(); row < m_gridResponses->GetRowCount();
         ++row) {
        const long id = m_responseRows.GetId(row);
        const CModality* other = id > 0 && campaign ? campaign->GetModalityById(int(id)) : nullptr;
        if (!other || other->GetModalityOrder() > response.GetModalityOrder())
            return row;
    }
    return m_gridResponses->GetRowCount();
}

void CRightReconciliationPage::ShowResponseAlone(const CModality& response, int row)
{
    if (row == kNoRow || m_responseRows.GetFirstRow(response.GetModalityId()) != kNoRow ||
        !IsShownUnmatched(response))
        return;
    const int state =
        IsDeletedInWave(response.GetDeletionWaveId()) ? RowUnmatchedDeleted : RowUnmatched;
    row = m_responseRows.InsertRow(row, state);
    WriteResponseRow(row, &response, nullptr, nullptr, 0, false);
    RepaintRows();
}

void CRightReconciliationPage::RemoveNewQuestionRow(const CQuestion& question)
{
    const int row = m_questionRows.GetFirstRow(question.GetQuestionId());
    if (row == kNoRow || m_questionRows.GetSourceKey(row) != kNoSourceKey)
        return;
    m_questionRows.DeleteRow(row);
    RepaintRows();
}

void CRightReconciliationPage::ShowQuestionMatched(const CVolume& volume, const CQuestion& question,
                                                   const qnr::CQuestion& source, bool highlight)
{
    RecomputePair(question, volume, source);
    int sourceRow = FindUnmatchedSourceRow(source, volume.GetVolumeId());
    if (sourceRow == kNoRow) {
        // Another campaign question holds the source question in the volume too, or no row
        // shows it (the volume counted it matched by a matching that the question's own has
        // replaced): as a fill shows it, the pair takes a row of its own, here right below the
        // other question's row, or below the question's first row. A volume of another wave
        // has no rows here.
        if (FindQuestionRowForVolume(question, volume.GetVolumeId()) != kNoRow ||
            !WaveHoldsVolume(volume.GetVolumeId()))
            return;
        const int held = FindHeldSourceRow(source, volume.GetVolumeId(), kNoRow);
        const int below =
            held != kNoRow ? held : m_questionRows.GetFirstRow(question.GetQuestionId());
        sourceRow = m_questionRows.InsertRow(
            below != kNoRow ? below + 1 : m_gridQuestions->GetRowCount(), RowMatched);
        m_questionRows.SetUnmatchedId(sourceRow);
        m_questionRows.SetSource(sourceRow, QString::number(source.GetCodeQuestion()),
                                 volume.GetVolumeId());
    }
    const bool newInWave = WaveHoldsVolume(question.GetAppearanceVolumeId());
    int row = FindUnsourcedQuestionRow(question);
    if (row != kNoRow) {
        // The source question joins the question's row and its own row goes.
        WriteQuestionSourceSide(row, ImageMatched, GetSourceQuestionKind(source),
                                newInWave ? recon_colours::Green : recon_colours::Default,
                                recon_colours::Default, &m_fontNormal, &source, &volume);
        m_questionRows.SetSource(row, QString::number(source.GetCodeQuestion()),
                                 volume.GetVolumeId());
        m_questionRows.DeleteRow(sourceRow);
        if (sourceRow < row)
            --row;
    } else {
        // The source question's row takes the question.
        row = sourceRow;
        WriteQuestionCampaignSide(row, newInWave ? ImageNewInWave : ImageMatched,
                                  GetQuestionKind(question), recon_colours::Default,
                                  recon_colours::Default, &m_fontNormal, &question);
        WriteQuestionSourceSide(row, ImageMatched, GetSourceQuestionKind(source),
                                newInWave ? recon_colours::Green : recon_colours::Default,
                                recon_colours::Default, &m_fontNormal, &source, &volume);
        m_questionRows.SetId(row, question.GetQuestionId());
    }
    RestyleQuestionRow(row, highlight);
    RepaintRows();
    ReselectQuestionRow(row);
}

void CRightReconciliationPage::ShowQuestionUnmatched(const CVolume& volume,
                                                     const CQuestion& question,
                                                     const qnr::CQuestion& source, bool highlight)
{
    InvalidateQuestionPair(question, volume);
    const int row = FindQuestionRowForVolume(question, volume.GetVolumeId());
    if (row == kNoRow)
        return;
    const QString key = m_questionRows.GetSourceKey(row);
    if (key == kNoSourceKey)
        return;

    // As a fill shows it, a question keeps a row without a source side only while it has no
    // other row: when another volume of the wave still matches it, the row is the source
    // question's alone.
    const long id = question.GetQuestionId();
    bool otherRow = false;
    for (const int other : m_questionRows.GetRows(id))
        otherRow = otherRow || other != row;
    // Nor does the source question get a row of its own while another campaign question still
    // holds it in the volume, or while the volume still counts it matched (a matching of the
    // volume or one before it that stays valid here, as when the question takes another source
    // question in the volume after a break in a later one).
    QMap<QString, int> matchedCodes;
    volume.CollectMatchedSourceCodes(volume.GetVolumeId(), matchedCodes);
    const bool held = FindHeldSourceRow(source, volume.GetVolumeId(), row) != kNoRow ||
                      matchedCodes.contains(key);
    if (otherRow && held) {
        m_questionRows.DeleteRow(row);
        RepaintRows();
        return;
    }
    if (otherRow) {
        WriteQuestionCampaignSide(row, ImageMissing, QUESTION_KIND_NONE, recon_colours::Red,
                                  recon_colours::Default, &m_fontNormal, nullptr);
        m_questionRows.SetUnmatchedId(row);
        RestyleQuestionRow(row, highlight);
        RepaintRows();
        ReselectQuestionRow(row);
        return;
    }

    // The row keeps the campaign question without a source side.
    const bool deleted = IsDeletedInWave(question.GetDeletionWaveId());
    m_questionRows.RemoveSource(row);
    WriteQuestionSourceSide(row, deleted ? ImageMissingDeleted : ImageMissing, QUESTION_KIND_NONE,
                            deleted ? recon_colours::Grey : recon_colours::Red,
                            recon_colours::Default, &m_fontNormal, nullptr, nullptr);
    if (held) {
        RestyleQuestionRow(row, highlight);
        m_overviewQuestions->EnsureMarkerOnRow(unsigned(row - m_gridQuestions->GetFixedRowCount()));
        RepaintRows();
        ReselectQuestionRow(row);
        return;
    }

    // The source question takes a row of its own right below.
    const int sourceRow = m_questionRows.InsertRow(row + 1, RowUnmatched);
    m_questionRows.SetUnmatchedId(sourceRow);
    m_questionRows.SetSource(sourceRow, QString::number(source.GetCodeQuestion()),
                             volume.GetVolumeId());
    WriteQuestionCampaignSide(sourceRow, ImageMissing, QUESTION_KIND_NONE, recon_colours::Red,
                              recon_colours::Default, &m_fontNormal, nullptr);
    WriteQuestionSourceSide(sourceRow, ImageSourceOnly, GetSourceQuestionKind(source),
                            recon_colours::Default, recon_colours::Default, &m_fontNormal, &source,
                            &volume);

    RestyleQuestionRow(row, highlight);
    RestyleQuestionRow(sourceRow, false);
    m_overviewQuestions->EnsureMarkerOnRow(unsigned(row - m_gridQuestions->GetFixedRowCount()));
    RepaintRows();
    ReselectQuestionRow(row);
}

void CRightReconciliationPage::FollowQuestionMatchings(const CQuestion& question, bool highlight)
{
    const CWave* wave = CurrentWave();
    for (int v = 0; wave && v < wave->GetVolumeCount(); ++v) {
        const CVolume& volume = *wave->GetVolume(v);
        const CQuestionMatching* matching =
            volume.FindQuestionMatchingInherited(question.GetQuestionId(), volume.GetVolumeId());
        const qnr::CQuestion* matched =
            matching ? volume.GetQuestionnaire().FindQuestionById(matching->GetSourceId().toInt())
                     : nullptr;
        const int row = FindQuestionRowForVolume(question, volume.GetVolumeId());
        const qnr::CQuestion* shown = row != kNoRow ? GetSourceQuestionAtRow(row) : nullptr;
        if (shown == matched)
            continue;
        if (shown)
            ShowQuestionUnmatched(volume, question, *shown, highlight);
        if (matched)
            ShowQuestionMatched(volume, question, *matched, highlight);
    }
}

void CRightReconciliationPage::RecomputeQuestionRows(const CQuestion& question, bool highlight)
{
    const long id = question.GetQuestionId();
    std::vector<int> rows;
    for (const int row : m_questionRows.GetRows(id))
        rows.push_back(row);
    for (const int row : rows) {
        const CVolume* volume = GetQuestionRowVolume(row);
        const qnr::CQuestion* source = GetSourceQuestionAtRow(row);
        if (!volume || !source)
            continue;
        RecomputePair(question, *volume, *source);
        RestyleQuestionRow(row, highlight);
    }
    m_overviewQuestions->update();
    m_gridQuestions->viewport()->update();
}

void CRightReconciliationPage::RewriteQuestionTexts(const CQuestion& question)
{
    const long id = question.GetQuestionId();
    std::vector<std::pair<int, QString>> texts;
    for (int col = 0; col < kQuestionColumns; ++col)
        if (IsItemColumn(EGrid::Questions, col, ESide::Campaign))
            texts.emplace_back(col, CampaignQuestionText(col, question));
    for (const int row : m_questionRows.GetRows(id))
        for (const auto& [col, text] : texts)
            m_gridQuestions->SetCellText(row, col, text);
    m_gridQuestions->viewport()->update();
}

std::vector<const CVolume*> CRightReconciliationPage::WaveVolumesFrom(int pivotVolumeId) const
{
    std::vector<const CVolume*> volumes;
    const CCampaign* campaign = AppCampaign();
    const CWave* wave = CurrentWave();
    for (int v = 0; campaign && wave && v < wave->GetVolumeCount(); ++v) {
        const CVolume* volume = wave->GetVolume(v);
        if (!campaign->IsVolumeBefore(volume->GetVolumeId(), pivotVolumeId))
            volumes.push_back(volume);
    }
    return volumes;
}

void CRightReconciliationPage::ShowDeepBreak(int questionId, int pivotVolumeId, bool broken,
                                             bool highlight)
{
    const CCampaign* campaign = AppCampaign();
    const CQuestion* question = campaign ? campaign->GetQuestionById(questionId) : nullptr;
    if (!question)
        return;
    // A deep break reaches the pivot volume and every later one: each row of the wave's
    // volumes among them follows the model.
    for (const CVolume* volume : WaveVolumesFrom(pivotVolumeId)) {
        const CQuestionMatching* matching =
            volume->FindQuestionMatchingInherited(questionId, volume->GetVolumeId());
        const int row = FindQuestionRowForVolume(*question, volume->GetVolumeId());
        if (broken && !matching && row != kNoRow) {
            if (const qnr::CQuestion* source = GetSourceQuestionAtRow(row))
                ShowQuestionUnmatched(*volume, *question, *source, highlight);
        } else if (!broken && matching && row == kNoRow) {
            if (const qnr::CQuestion* source =
                    volume->GetQuestionnaire().FindQuestionById(matching->GetSourceId().toInt()))
                ShowQuestionMatched(*volume, *question, *source, highlight);
        }
    }
}

// Response rows -------------------------------------------------------------------------------

void CRightReconciliationPage::DetachCampaignResponseRow(const CModality& response)
{
    if (!CurrentWave())
        return;
    const int row = m_responseRows.GetFirstRow(response.GetModalityId());
    if (row == kNoRow)
        return;
    WriteResponseCampaignSide(row, ImageMissing, recon_colours::Red, recon_colours::Default,
                              &m_fontNormal, nullptr, nullptr);
    m_responseRows.SetUnmatchedId(row);
    m_responseRows.SetState(row, RowUnmatched);
    if (m_responseRows.GetSourceKey(row) == kNoSourceKey)
        m_responseRows.DeleteRow(row);
    else
        RestyleResponseRow(row, false);
    RepaintRows();
}

void CRightReconciliationPage::ShowResponseMatched(const CVolume& volume, const CModality& response,
                                                   const qnr::CModalite& source, bool highlight)
{
    const CCampaign* campaign = AppCampaign();
    const CQuestion* question =
        campaign ? campaign->GetQuestionById(response.GetQuestionId()) : nullptr;
    if (!question)
        return;
    int questionRow = FindQuestionRowForVolume(*question, volume.GetVolumeId());
    if (questionRow == kNoRow)
        questionRow = m_questionRows.GetFirstRow(question->GetQuestionId());
    const qnr::CQuestion* sourceQuestion =
        questionRow == kNoRow ? nullptr : GetSourceQuestionAtRow(questionRow);
    if (!sourceQuestion)
        return;

    // The response grid shows the volume's responses of the question only while its row is the
    // current one.
    int row = kNoRow;
    const int sourceRow =
        m_curQuestionId == question->GetQuestionId() && m_curVolumeId == volume.GetVolumeId()
            ? m_responseRows.GetFirstSourceRow(QString::number(source.GetCode()))
            : kNoRow;
    if (sourceRow != kNoRow) {
        const bool newInWave = WaveHoldsVolume(response.GetAppearanceVolumeId());
        row = m_responseRows.GetFirstRow(response.GetModalityId());
        if (row != kNoRow && row != sourceRow) {
            WriteResponseSourceSide(row, ImageMatched,
                                    newInWave ? recon_colours::Green : recon_colours::Default,
                                    recon_colours::Default, &m_fontNormal, &source, &volume);
            m_responseRows.SetSource(row, QString::number(source.GetCode()), volume.GetVolumeId());
            m_responseRows.DeleteRow(sourceRow);
            if (sourceRow < row)
                --row;
        } else if (row == kNoRow) {
            row = sourceRow;
            WriteResponseCampaignSide(row, newInWave ? ImageNewInWave : ImageMatched,
                                      recon_colours::Default, recon_colours::Default, &m_fontNormal,
                                      &response, nullptr);
            m_responseRows.SetId(row, response.GetModalityId());
        }
    }

    RecomputePair(*question, volume, *sourceQuestion);
    if (row != kNoRow)
        RestyleResponseRow(row, highlight);
    RestyleQuestionRow(questionRow, highlight);
    // The volumes of the wave that inherit the matching have their differences again too.
    RecomputeQuestionRows(*question, highlight);
    RepaintRows();
    if (row != kNoRow)
        SelectResponseRow(row, std::max(m_gridResponses->GetFocusCell().col, int(RColCode)));
}

void CRightReconciliationPage::RewriteResponseRow(const CModality& response, bool highlight)
{
    const CCampaign* campaign = AppCampaign();
    const CWave* wave = CurrentWave();
    const int row = m_responseRows.GetFirstRow(response.GetModalityId());
    if (!campaign || !wave || row == kNoRow)
        return;
    const bool deleted = IsDeletedInWave(response.GetDeletionWaveId());
    const CModality* master = FindMergeMaster(response);
    const int image =
        master
            ? ImageMerged
            : (deleted ? ImageDeleted
                       : (WaveHoldsVolume(response.GetAppearanceVolumeId(), wave) ? ImageNewInWave
                                                                                  : ImageMatched));
    WriteResponseCampaignSide(row, image,
                              master || deleted ? recon_colours::Grey : recon_colours::Default,
                              recon_colours::Default, &m_fontNormal, &response, master);
    // A row without a source side marks it missing, for a removed response in grey.
    if (m_responseRows.GetSourceKey(row) == kNoSourceKey)
        WriteResponseSourceSide(row, deleted ? ImageMissingDeleted : ImageMissing,
                                deleted ? recon_colours::Grey : recon_colours::Red,
                                recon_colours::Default, &m_fontNormal, nullptr, nullptr);
    if (deleted) {
        // A fade under way is dropped: the campaign side takes its own background at once, the
        // source side the grey of a removed response.
        m_responseRows.DropFade(row);
        SetBackColours(*m_gridResponses, row, FirstColumnOf(EGrid::Responses, ESide::Campaign),
                       LastColumnOf(EGrid::Responses, ESide::Campaign), recon_colours::Default);
        SetBackColours(*m_gridResponses, row, FirstColumnOf(EGrid::Responses, ESide::Source),
                       LastColumnOf(EGrid::Responses, ESide::Source), recon_colours::LightGrey);
        m_responseRows.SetState(row, RowMatched);
    } else {
        RestyleResponseRow(row, highlight);
    }
    // The numbers of the responses without an entry code count the responses that exist.
    RewriteEntryCodeTexts();
    // The question's response count, and with it the colours of its row in each volume, may
    // have changed.
    if (const CQuestion* question = campaign->GetQuestionById(response.GetQuestionId()))
        RecomputeQuestionRows(*question, highlight);
    m_overviewResponses->update();
    m_gridResponses->viewport()->update();
}

void CRightReconciliationPage::RewriteEntryCodeTexts()
{
    const CQuestion* question = GetCurrentQuestion();
    for (int row = m_gridResponses->GetFixedRowCount(); row < m_gridResponses->GetRowCount(); ++row)
        if (const CModality* response = GetCampaignResponseAtRow(row))
            m_gridResponses->SetCellText(row, RColEntryCode, EntryCodeText(question, response));
    m_gridResponses->viewport()->update();
}

void CRightReconciliationPage::RemoveUnsourcedResponseRow(const CModality& response)
{
    const int row = m_responseRows.GetFirstRow(response.GetModalityId());
    if (row != kNoRow && m_responseRows.GetSourceKey(row) == kNoSourceKey) {
        m_responseRows.DeleteRow(row);
        RepaintRows();
    }
    const CCampaign* campaign = AppCampaign();
    if (const CQuestion* question =
            campaign ? campaign->GetQuestionById(response.GetQuestionId()) : nullptr)
        RecomputeQuestionRows(*question, false);
}
