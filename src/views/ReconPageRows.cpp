// The reconciliation page's row writers, row styles, headings, lookups and enabling tests: the
// page writes its grids' cells only through these.

#include "views/RightReconciliationPage.h"

#include "grid/DrawTextFormat.h"
#include "model/Campaign.h"
#include "model/Language.h"
#include "model/ModelHelpers.h"
#include "model/OptionRecords.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DisplayCaptions.h"
#include "reconcile/LanguageReconciliation.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/OverviewBar.h"
#include "views/ReconColumnLayout.h"
#include "views/ReconEntryCodes.h"
#include "views/WaveGridCtrl.h"

#include <map>

using namespace pelko_wave;

namespace {

constexpr int kNoKindImage = QUESTION_KIND_NONE + CRightReconciliationPage::ImageFirstKind;

// The string-table format of a cell, loaded once, and whether it is the plain "%s" or "%d" that
// most cells use, which need no formatting.
struct SCellFormat
{
    QString Format;
    bool PlainText = false;
    bool PlainNumber = false;
};

const SCellFormat& CellFormat(unsigned id)
{
    static std::map<unsigned, SCellFormat> formats;
    auto it = formats.find(id);
    if (it == formats.end()) {
        SCellFormat format;
        format.Format = LoadString(id);
        format.PlainText = format.Format == u"%s";
        format.PlainNumber = format.Format == u"%d";
        it = formats.emplace(id, std::move(format)).first;
    }
    return it->second;
}

QString FormatText(unsigned id, const QString& text)
{
    const SCellFormat& format = CellFormat(id);
    return format.PlainText ? text : FormatString(format.Format, {text});
}

QString FormatNumber(unsigned id, qint64 number)
{
    const SCellFormat& format = CellFormat(id);
    return format.PlainNumber ? QString::number(number) : FormatString(format.Format, {number});
}

// The text of a row number; made once, so that renumbering the rows below an inserted or
// deleted row shares the texts instead of making them again.
QString RowNumberText(int number)
{
    static std::vector<QString> texts;
    if (number < 0)
        return FormatNumber(IDS_ROW_NUMBER, number);
    if (size_t(number) >= texts.size()) {
        const size_t from = texts.size();
        texts.resize(size_t(number) + 1);
        for (size_t n = from; n < texts.size(); ++n)
            texts[n] = FormatNumber(IDS_ROW_NUMBER, qint64(n));
    }
    return texts[size_t(number)];
}

const QString& NotMatched()
{
    static const QString text = FormatString(LoadString(IDS_NOT_MATCHED), {QString()});
    return text;
}

// One text cell of a side: text, colours and font.
void WriteText(CGridCtrl& grid, int row, int col, const QString& text, COLORREF textColour,
               COLORREF back, const LOGFONT* font)
{
    CGridCellBase* cell = grid.GetCell(row, col);
    if (!cell)
        return;
    cell->SetText(text);
    cell->SetTextColour(textColour);
    cell->SetBackColour(back);
    cell->SetFont(font);
}

void SetImage(CGridCtrl& grid, int row, int col, int image)
{
    if (CGridCellBase* cell = grid.GetCell(row, col))
        cell->SetImage(image);
}

void SetColours(CGridCtrl& grid, int row, int first, int last, COLORREF back, COLORREF text)
{
    for (int col = first; col <= last; ++col) {
        if (CGridCellBase* cell = grid.GetCell(row, col)) {
            cell->SetBackColour(back);
            cell->SetTextColour(text);
        }
    }
}

void SetFonts(CGridCtrl& grid, int row, int first, int last, const LOGFONT* font)
{
    for (int col = first; col <= last; ++col)
        if (CGridCellBase* cell = grid.GetCell(row, col))
            cell->SetFont(font);
}

// A heading cell: the heading font, centred, its text from the string table.
void WriteHeading(CGridCtrl& grid, int row, int col, unsigned textId, const LOGFONT& font)
{
    grid.SetCellFont(row, col, &font);
    grid.SetCellFormat(row, col, grid.GetCellFormat(row, col) | DT_CENTER | DT_VCENTER);
    grid.SetCellText(row, col, LoadString(textId));
}

// Empties the grid's heading rows (made when missing) and clears the selection.
void ClearHeadings(CGridCtrl& grid, int fixedRows)
{
    if (grid.GetRowCount() < fixedRows)
        grid.SetRowCount(fixedRows);
    for (int row = 0; row < fixedRows; ++row)
        for (int col = 0; col < grid.GetColumnCount(); ++col)
            grid.SetCellText(row, col, QString());
    grid.SetSelectedRange(-1, -1, -1, -1, false, true);
    grid.SetFrameFocusCell(false);
    grid.SetFixedRowCount(fixedRows);
}

} // namespace

// Row writers --------------------------------------------------------------------------------

void CRightReconciliationPage::WriteQuestionCampaignSide(int row, int image, int kind,
                                                         COLORREF text, COLORREF back,
                                                         const LOGFONT* font,
                                                         const CQuestion* question)
{
    CGridCtrl& grid = *m_gridQuestions;
    font = CellFont(font);
    SetImage(grid, row, QColState, image);
    SetImage(grid, row, QColKind, kind + ImageFirstKind);
    if (!question) {
        for (int col = QColCode; col <= QColLongCaption; ++col)
            WriteText(grid, row, col, NotMatched(), text, back, font);
        return;
    }
    WriteText(grid, row, QColCode, FormatNumber(IDS_CODE, question->GetQuestionId()), text, back,
              font);
    WriteText(grid, row, QColShortcut, FormatText(IDS_SHORTCUT, question->GetShortcut()), text,
              back, font);
    WriteText(grid, row, QColShortCaption,
              FormatText(IDS_SHORT_CAPTION, GetQuestionDisplayShortCaption(*question)), text, back,
              font);
    WriteText(grid, row, QColLongCaption,
              FormatText(IDS_LONG_CAPTION, GetQuestionDisplayLongCaption(*question)), text, back,
              font);
}

void CRightReconciliationPage::WriteQuestionSourceSide(int row, int image, int kind, COLORREF text,
                                                       COLORREF back, const LOGFONT* font,
                                                       const qnr::CQuestion* source,
                                                       const CVolume* volume)
{
    CGridCtrl& grid = *m_gridQuestions;
    font = CellFont(font);
    SetImage(grid, row, QColSourceState, image);
    SetImage(grid, row, QColSourceKind, kind + ImageFirstKind);
    if (source) {
        WriteText(grid, row, QColSourceCode, FormatNumber(IDS_CODE, source->GetCodeQuestion()),
                  text, back, font);
        WriteText(grid, row, QColSourceShortcut, FormatText(IDS_SHORTCUT, source->GetShortcut()),
                  text, back, font);
        WriteText(grid, row, QColSourceShortCaption,
                  FormatText(IDS_SHORT_CAPTION, SourceQuestionCaption(*source, volume, false)),
                  text, back, font);
        WriteText(grid, row, QColSourceLongCaption,
                  FormatText(IDS_LONG_CAPTION, SourceQuestionCaption(*source, volume, true)), text,
                  back, font);
    } else {
        for (int col = QColSourceCode; col <= QColSourceLongCaption; ++col)
            WriteText(grid, row, col, NotMatched(), text, back, font);
    }
    WriteText(grid, row, QColVolume,
              volume ? FormatText(IDS_VOLUME_CELL, volume->GetName()) : NotMatched(), text, back,
              font);
}

void CRightReconciliationPage::WriteResponseCampaignSide(int row, int image, COLORREF text,
                                                         COLORREF back, const LOGFONT* font,
                                                         const CModality* response,
                                                         const CModality* master)
{
    CGridCtrl& grid = *m_gridResponses;
    font = CellFont(font);
    SetImage(grid, row, RColState, image);
    WriteText(grid, row, RColCode,
              response ? FormatNumber(IDS_CODE, response->GetModalityId()) : NotMatched(), text,
              back, font);
    WriteText(grid, row, RColEntryCode, EntryCodeText(GetCurrentQuestion(), response), text, back,
              font);
    WriteText(grid, row, RColCaption, CampaignResponseCaption(response, master), text, back, font);
}

QString CRightReconciliationPage::CampaignResponseCaption(const CModality* response,
                                                          const CModality* master)
{
    if (response && master)
        return FormatString(LoadString(IDS_MERGED_TO), {GetModalityDisplayCaption(*response),
                                                        GetModalityDisplayCaption(*master)});
    if (response)
        return FormatText(IDS_SHORT_CAPTION, GetModalityDisplayCaption(*response));
    return NotMatched();
}

void CRightReconciliationPage::WriteResponseSourceSide(int row, int image, COLORREF text,
                                                       COLORREF back, const LOGFONT* font,
                                                       const qnr::CModalite* source,
                                                       const CVolume* volume)
{
    CGridCtrl& grid = *m_gridResponses;
    font = CellFont(font);
    SetImage(grid, row, RColSourceState, image);
    WriteText(grid, row, RColSourceCode,
              source ? FormatNumber(IDS_CODE, source->GetCode()) : NotMatched(), text, back, font);

    QString entryCode;
    if (source && !source->GetEntryCode().isEmpty()) {
        entryCode = source->GetEntryCode();
    } else if (source && volume && m_curSourceCode) {
        const auto link =
            m_rowLinks.find({volume->GetVolumeId(), *m_curSourceCode, source->GetCode()});
        if (link != m_rowLinks.end())
            entryCode = QStringLiteral("[%1]").arg(link->second);
    }
    if (entryCode.isEmpty())
        entryCode = LoadString(IDS_NO_ENTRY_CODE);
    WriteText(grid, row, RColSourceEntryCode, entryCode, text, back, font);

    QString caption = NotMatched();
    if (source) {
        const IWaveApp* app = GetWaveApp();
        const CCampaign* campaign = AppCampaign();
        const int mode = app ? app->GetLanguageSettings().GetSourceItems() : 0;
        QString own;
        if (mode == 0) {
            own = source->GetLocalisedShortCaption(campaign ? campaign->GetCurrentLanguageId() : 0);
            if (own.isEmpty() && volume)
                own = source->GetLocalisedShortCaption(GetSourceCaptionLanguage(*volume));
        } else if (mode == 1)
            own = source->GetShortCaption();
        caption = FormatText(IDS_SHORT_CAPTION, own);
    }
    WriteText(grid, row, RColSourceCaption, caption, text, back, font);
    WriteText(grid, row, RColVolume,
              volume ? FormatText(IDS_VOLUME_CELL, volume->GetName()) : NotMatched(), text, back,
              font);
}

int CRightReconciliationPage::GetSourceCaptionLanguage(const CVolume& volume) const
{
    if (m_sourceCaptionLanguages) {
        const auto known = m_sourceCaptionLanguages->find(volume.GetVolumeId());
        if (known != m_sourceCaptionLanguages->end())
            return known->second;
    }
    const CCampaign* campaign = AppCampaign();
    if (!campaign)
        return 0;
    const SComparisonLanguages chosen =
        ChooseComparisonLanguages(*campaign, volume.GetQuestionnaire(), volume.GetWaveId());
    // Only a variant of the current language stands in for it (English (United Kingdom) for
    // English (United States)); another language leaves the caption empty.
    const int current = campaign->GetCurrentLanguageId();
    const int language =
        PrimaryLanguageOf(chosen.QuestionnaireLanguage) == PrimaryLanguageOf(current)
            ? chosen.QuestionnaireLanguage
            : current;
    if (m_sourceCaptionLanguages)
        m_sourceCaptionLanguages->emplace(volume.GetVolumeId(), language);
    return language;
}

QString CRightReconciliationPage::SourceQuestionCaption(const qnr::CQuestion& source,
                                                        const CVolume* volume,
                                                        bool longCaption) const
{
    QString caption = longCaption ? GetSourceQuestionDisplayLongCaption(source)
                                  : GetSourceQuestionDisplayShortCaption(source);
    const IWaveApp* app = GetWaveApp();
    // Only the captions localised in the current language can miss a text the volume has.
    if (caption.isEmpty() && volume && app && app->GetLanguageSettings().GetSourceItems() == 0) {
        const int language = GetSourceCaptionLanguage(*volume);
        caption = longCaption ? source.GetLocalisedLongCaption(language)
                              : source.GetLocalisedShortCaption(language);
    }
    return caption;
}

void CRightReconciliationPage::WriteQuestionRowNumber(int row)
{
    // The row-number column's own default cell gives the heading font, centred.
    m_gridQuestions->SetCellText(row, QColNumber,
                                 RowNumberText(row - m_gridQuestions->GetFixedRowCount() + 1));
}

void CRightReconciliationPage::WriteResponseRowNumber(int row)
{
    m_gridResponses->SetCellText(row, RColNumber, RowNumberText(row - 1));
}

// Row styles ----------------------------------------------------------------------------------

void CRightReconciliationPage::SetQuestionCampaignStyle(int row, const LOGFONT* font, COLORREF back,
                                                        COLORREF text)
{
    SetQuestionCampaignFont(row, font);
    SetColours(*m_gridQuestions, row, QColState, QColLongCaption, back, text);
}

void CRightReconciliationPage::SetQuestionSourceStyle(int row, const LOGFONT* font, COLORREF back,
                                                      COLORREF text)
{
    SetColours(*m_gridQuestions, row, QColSourceState, QColVolume, back, text);
    SetQuestionSourceFont(row, font);
}

void CRightReconciliationPage::SetQuestionRowStyle(int row, const LOGFONT* font, COLORREF back,
                                                   COLORREF text)
{
    SetQuestionCampaignStyle(row, font, back, text);
    SetQuestionSourceStyle(row, font, back, text);
}

void CRightReconciliationPage::SetQuestionCampaignFont(int row, const LOGFONT* font)
{
    SetFonts(*m_gridQuestions, row, QColCode, QColLongCaption, CellFont(font));
}

void CRightReconciliationPage::SetQuestionSourceFont(int row, const LOGFONT* font)
{
    SetFonts(*m_gridQuestions, row, QColSourceCode, QColVolume, CellFont(font));
}

void CRightReconciliationPage::SetQuestionRowFont(int row, const LOGFONT* font)
{
    SetQuestionCampaignFont(row, font);
    SetQuestionSourceFont(row, font);
}

void CRightReconciliationPage::SetResponseRowStyle(int row, const LOGFONT* font, COLORREF back,
                                                   COLORREF text)
{
    SetResponseRowFont(row, font);
    SetColours(*m_gridResponses, row, RColState, RColVolume, back, text);
}

void CRightReconciliationPage::SetResponseRowFont(int row, const LOGFONT* font)
{
    SetFonts(*m_gridResponses, row, RColCode, RColCaption, CellFont(font));
    SetFonts(*m_gridResponses, row, RColSourceCode, RColVolume, CellFont(font));
}

// Headings ------------------------------------------------------------------------------------

void CRightReconciliationPage::BuildQuestionHeadings()
{
    // The data rows are the fill's: it takes them again or cuts them.
    CGridCtrl& grid = *m_gridQuestions;
    ClearHeadings(grid, kFixedRows);
    grid.MergeCells(0, QColState, 0, QColLongCaption);
    WriteHeading(grid, 0, QColState, IDS_CAMPAIGN_QUESTIONS, m_fontHeading);
    grid.MergeCells(0, QColSourceState, 0, QColVolume);
    WriteHeading(grid, 0, QColSourceState, IDS_SOURCE_QUESTIONS, m_fontHeading);
    const unsigned side[] = {IDS_BLANK_HEADING,         IDS_BLANK_HEADING,
                             IDS_CODE_HEADING,          IDS_SHORTCUT_HEADING,
                             IDS_SHORT_CAPTION_HEADING, IDS_LONG_CAPTION_HEADING};
    for (int i = 0; i < 6; ++i) {
        WriteHeading(grid, 1, QColState + i, side[i], m_fontHeading);
        WriteHeading(grid, 1, QColSourceState + i, side[i], m_fontHeading);
    }
    WriteHeading(grid, 1, QColVolume, IDS_VOLUME_COLUMN, m_fontHeading);
    LayoutQuestionColumns(false);
    grid.MergeCells(0, 0, grid.GetFixedRowCount() - 1, grid.GetFixedColumnCount() - 1);
}

void CRightReconciliationPage::BuildResponseHeadings()
{
    CGridCtrl& grid = *m_gridResponses;
    grid.SetRowCount(std::min(grid.GetRowCount(), int(kFixedRows)));
    ClearHeadings(grid, kFixedRows);
    grid.MergeCells(0, RColState, 0, RColCaption);
    WriteHeading(grid, 0, RColState, IDS_CAMPAIGN_RESPONSES, m_fontHeading);
    grid.MergeCells(0, RColSourceState, 0, RColVolume);
    WriteHeading(grid, 0, RColSourceState, IDS_SOURCE_RESPONSES, m_fontHeading);
    const unsigned side[] = {IDS_BLANK_HEADING, IDS_CODE_HEADING, IDS_ENTRY_CODE_HEADING,
                             IDS_SHORT_CAPTION_HEADING};
    for (int i = 0; i < 4; ++i) {
        WriteHeading(grid, 1, RColState + i, side[i], m_fontHeading);
        WriteHeading(grid, 1, RColSourceState + i, side[i], m_fontHeading);
    }
    WriteHeading(grid, 1, RColVolume, IDS_VOLUME_COLUMN, m_fontHeading);
    LayoutResponseColumns(true);
    grid.MergeCells(0, 0, grid.GetFixedRowCount() - 1, grid.GetFixedColumnCount() - 1);
}

// Lookups -------------------------------------------------------------------------------------

const CQuestion* CRightReconciliationPage::GetCampaignQuestionAtRow(int row)
{
    const long id = m_qRows.GetId(row);
    const CCampaign* campaign = AppCampaign();
    return id > 0 && campaign ? campaign->GetQuestionById(int(id)) : nullptr;
}

const qnr::CQuestion* CRightReconciliationPage::GetSourceQuestionAtRow(int row)
{
    const QString key = m_qSrcRows.GetId(row);
    const CVolume* volume = GetQuestionRowVolume(row);
    if (key == kNoSourceKey || !volume)
        return nullptr;
    return volume->GetQuestionnaire().FindQuestionById(key.toInt());
}

const CModality* CRightReconciliationPage::GetCampaignResponseAtRow(int row) const
{
    const long id = m_rRows.GetId(row);
    const CCampaign* campaign = AppCampaign();
    return id >= 1 && campaign ? campaign->GetModalityById(int(id)) : nullptr;
}

const qnr::CModalite* CRightReconciliationPage::GetSourceResponseAtRow(int row)
{
    const QString key = m_rSrcRows.GetId(row);
    const qnr::CQuestion* source = GetCurrentSourceQuestion();
    if (key == kNoSourceKey || !source)
        return nullptr;
    return source->FindModaliteById(key.toInt());
}

CVolume* CRightReconciliationPage::GetQuestionRowVolume(int row) const
{
    CCampaign* campaign = AppCampaign();
    if (!campaign || !m_gridQuestions->IsValid(row, QColSourceCode))
        return nullptr;
    const std::intptr_t id = m_gridQuestions->GetCellData(row, QColSourceCode);
    return id > 0 ? campaign->FindVolume(int(id)) : nullptr;
}

const CModality* CRightReconciliationPage::GetFocusedCampaignResponse() const
{
    const long id = m_rRows.GetId(m_gridResponses->GetFocusCell().row);
    const CCampaign* campaign = AppCampaign();
    return id >= 0 && campaign ? campaign->GetModalityById(int(id)) : nullptr;
}

int CRightReconciliationPage::FindSourceQuestionRow(const qnr::CQuestion& source, int volumeId)
{
    return FindSourceQuestionRow(QString::number(source.GetCodeQuestion()), volumeId);
}

int CRightReconciliationPage::FindSourceQuestionRow(const QString& key, int volumeId)
{
    for (int row = m_qSrcRows.GetFirstRow(key); row != kNoRow; row = m_qSrcRows.GetNextRow(key))
        if (m_gridQuestions->GetCellData(row, QColSourceCode) == volumeId)
            return row;
    return kNoRow;
}

int CRightReconciliationPage::FindQuestionRowForVolume(const CQuestion& question, int volumeId)
{
    const long id = question.GetQuestionId();
    for (int row = m_qRows.GetFirstRow(id); row != kNoRow; row = m_qRows.GetNextRow(id))
        if (m_gridQuestions->GetCellData(row, QColSourceCode) == volumeId)
            return row;
    return kNoRow;
}

const CQuestion* CRightReconciliationPage::GetCurrentQuestion() const
{
    const CCampaign* campaign = AppCampaign();
    return campaign && m_curQuestionId > 0 ? campaign->GetQuestionById(m_curQuestionId) : nullptr;
}

const CVolume* CRightReconciliationPage::GetCurrentVolume() const
{
    const CCampaign* campaign = AppCampaign();
    return campaign && m_curVolumeId > 0 ? campaign->FindVolume(m_curVolumeId) : nullptr;
}

const qnr::CQuestion* CRightReconciliationPage::GetCurrentSourceQuestion() const
{
    const CVolume* volume = GetCurrentVolume();
    return volume && m_curSourceCode ? volume->GetQuestionnaire().FindQuestionById(*m_curSourceCode)
                                     : nullptr;
}

bool CRightReconciliationPage::WaveHoldsVolume(int volumeId, const CWave* wave) const
{
    if (!wave) {
        const CCampaign* campaign = AppCampaign();
        wave = campaign ? campaign->FindWave(int(m_waveId)) : nullptr;
    }
    return wave && wave->FindVolume(volumeId);
}

bool CRightReconciliationPage::IsDeletedInWave(int deletionWaveId) const
{
    const CCampaign* campaign = AppCampaign();
    return deletionWaveId == m_waveId ||
           (campaign && campaign->IsWaveBefore(deletionWaveId, int(m_waveId)));
}

// Enabling tests ------------------------------------------------------------------------------

bool CRightReconciliationPage::CanRemoveCampaignQuestion(const CCellID& cell)
{
    const CQuestion* question = GetCampaignQuestionAtRow(cell.row);
    return question && !IsDeletedInWave(question->GetDeletionWaveId()) && cell.col >= QColCode &&
           cell.col <= QColLongCaption;
}

bool CRightReconciliationPage::CanReorderResponses(const CCellID& cell)
{
    const CQuestion* question = GetCampaignQuestionAtRow(cell.row);
    return question && GetSourceQuestionAtRow(cell.row) && IsQuestionWithResponses(*question) &&
           cell.col >= QColCode && cell.col <= QColLongCaption;
}

bool CRightReconciliationPage::CanRemoveCampaignResponse(const CCellID& cell) const
{
    const CModality* response = GetCampaignResponseAtRow(cell.row);
    return response && !IsDeletedInWave(response->GetDeletionWaveId()) && cell.col >= RColCode &&
           cell.col <= RColCaption;
}

// Entry codes ---------------------------------------------------------------------------------

QString CRightReconciliationPage::EntryCodeText(const CQuestion* question,
                                                const CModality* response) const
{
    const CCampaign* campaign = AppCampaign();
    if (!campaign || !response)
        return NotMatched();
    return ::EntryCodeText(*campaign, int(m_waveId), question, response);
}

void CRightReconciliationPage::StoreSourceEntryCodes(const qnr::CQuestion& source, int volumeId)
{
    for (int i = 0; i < source.GetNbreModalite(); ++i) {
        const qnr::CModalite* response = source.GetModalite(i);
        if (response->GetEntryCode().isEmpty())
            m_rowLinks.emplace(
                SourceResponseKey(volumeId, source.GetCodeQuestion(), response->GetCode()),
                SourceEntryCodeNumber(source, i));
    }
}
