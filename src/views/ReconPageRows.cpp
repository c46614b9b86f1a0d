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
#include "views/ReconColumns.h"
#include "views/ReconEntryCodes.h"
#include "views/WaveGridCtrl.h"

#include <map>

using namespace pelko_wave;
using namespace recon_columns;

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

// The text a column shows without an item, made once.
const QString& Placeholder(unsigned id)
{
    static std::map<unsigned, QString> texts;
    auto it = texts.find(id);
    if (it == texts.end())
        it = texts.emplace(id, FormatString(LoadString(id), {QString()})).first;
    return it->second;
}

const QString& NotMatched()
{
    return Placeholder(IDS_NOT_MATCHED);
}

// Calls f with each column of the grid's side.
template <class F> void ForSideColumns(EGrid grid, ESide side, F f)
{
    for (int col = FirstColumnOf(grid, side); col != -1 && col <= LastColumnOf(grid, side); ++col)
        f(col, Column(grid, col));
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

// The colours of every column of the side.
void SetColours(CGridCtrl& grid, EGrid columns, ESide side, int row, COLORREF back, COLORREF text)
{
    ForSideColumns(columns, side, [&](int col, const SColumn&) {
        if (CGridCellBase* cell = grid.GetCell(row, col)) {
            cell->SetBackColour(back);
            cell->SetTextColour(text);
        }
    });
}

// The font of the side's columns that carry text.
void SetFonts(CGridCtrl& grid, EGrid columns, ESide side, int row, const LOGFONT* font)
{
    ForSideColumns(columns, side, [&](int col, const SColumn&) {
        if (IsTextColumn(columns, col))
            if (CGridCellBase* cell = grid.GetCell(row, col))
                cell->SetFont(font);
    });
}

// A heading cell: the heading font, centred, its text from the string table.
void WriteHeading(CGridCtrl& grid, int row, int col, unsigned textId, const LOGFONT& font)
{
    grid.SetCellFont(row, col, &font);
    grid.SetCellFormat(row, col, grid.GetCellFormat(row, col) | DT_CENTER | DT_VCENTER);
    grid.SetCellText(row, col, LoadString(textId));
}

// Writes the grid's headings from its column table: each side's heading over its columns, each
// column's own below it, and the row-number column's two heading rows merged.
void WriteHeadings(CGridCtrl& grid, EGrid columns, const LOGFONT& font)
{
    for (const ESide side : {ESide::Campaign, ESide::Source}) {
        const int first = FirstColumnOf(columns, side);
        grid.MergeCells(0, first, 0, LastColumnOf(columns, side));
        WriteHeading(grid, 0, first, SideHeadingId(columns, side), font);
    }
    for (int col = 0; col < ColumnCount(columns); ++col)
        if (const unsigned heading = Column(columns, col).HeadingId)
            WriteHeading(grid, 1, col, heading, font);
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
    ForSideColumns(EGrid::Questions, ESide::Campaign, [&](int col, const SColumn& column) {
        if (column.Text == ETextMode::Image)
            SetImage(grid, row, col, column.Role == ERole::Kind ? kind + ImageFirstKind : image);
        else if (column.Text == ETextMode::ItemText)
            WriteText(grid, row, col,
                      question ? CampaignQuestionText(col, *question)
                               : Placeholder(column.PlaceholderId),
                      text, back, font);
    });
}

void CRightReconciliationPage::WriteQuestionSourceSide(int row, int image, int kind, COLORREF text,
                                                       COLORREF back, const LOGFONT* font,
                                                       const qnr::CQuestion* source,
                                                       const CVolume* volume)
{
    CGridCtrl& grid = *m_gridQuestions;
    font = CellFont(font);
    ForSideColumns(EGrid::Questions, ESide::Source, [&](int col, const SColumn& column) {
        switch (column.Text) {
        case ETextMode::Image:
            SetImage(grid, row, col, column.Role == ERole::Kind ? kind + ImageFirstKind : image);
            break;
        case ETextMode::ItemText:
            WriteText(grid, row, col,
                      source ? SourceQuestionText(col, *source, volume)
                             : Placeholder(column.PlaceholderId),
                      text, back, font);
            break;
        case ETextMode::VolumeText:
            WriteText(grid, row, col,
                      volume ? FormatText(IDS_VOLUME_CELL, volume->GetName())
                             : Placeholder(column.PlaceholderId),
                      text, back, font);
            break;
        case ETextMode::RowNumber:
            break;
        }
    });
}

QString CRightReconciliationPage::CampaignQuestionText(int col, const CQuestion& question)
{
    switch (Column(EGrid::Questions, col).Role) {
    case ERole::Code:
        return FormatNumber(IDS_CODE, question.GetQuestionId());
    case ERole::Shortcut:
        return FormatText(IDS_SHORTCUT, question.GetShortcut());
    case ERole::ShortCaption:
        return FormatText(IDS_SHORT_CAPTION, GetQuestionDisplayShortCaption(question));
    case ERole::LongCaption:
        return FormatText(IDS_LONG_CAPTION, GetQuestionDisplayLongCaption(question));
    default:
        return QString();
    }
}

QString CRightReconciliationPage::SourceQuestionText(int col, const qnr::CQuestion& source,
                                                     const CVolume* volume) const
{
    switch (Column(EGrid::Questions, col).Role) {
    case ERole::Code:
        return FormatNumber(IDS_CODE, source.GetCodeQuestion());
    case ERole::Shortcut:
        return FormatText(IDS_SHORTCUT, source.GetShortcut());
    case ERole::ShortCaption:
        return FormatText(IDS_SHORT_CAPTION, SourceQuestionCaption(source, volume, false));
    case ERole::LongCaption:
        return FormatText(IDS_LONG_CAPTION, SourceQuestionCaption(source, volume, true));
    default:
        return QString();
    }
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

// Row styles ----------------------------------------------------------------------------------

void CRightReconciliationPage::SetQuestionCampaignStyle(int row, const LOGFONT* font, COLORREF back,
                                                        COLORREF text)
{
    SetQuestionCampaignFont(row, font);
    SetColours(*m_gridQuestions, EGrid::Questions, ESide::Campaign, row, back, text);
}

void CRightReconciliationPage::SetQuestionSourceStyle(int row, const LOGFONT* font, COLORREF back,
                                                      COLORREF text)
{
    SetColours(*m_gridQuestions, EGrid::Questions, ESide::Source, row, back, text);
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
    SetFonts(*m_gridQuestions, EGrid::Questions, ESide::Campaign, row, CellFont(font));
}

void CRightReconciliationPage::SetQuestionSourceFont(int row, const LOGFONT* font)
{
    SetFonts(*m_gridQuestions, EGrid::Questions, ESide::Source, row, CellFont(font));
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
    SetColours(*m_gridResponses, EGrid::Responses, ESide::Campaign, row, back, text);
    SetColours(*m_gridResponses, EGrid::Responses, ESide::Source, row, back, text);
}

void CRightReconciliationPage::SetResponseRowFont(int row, const LOGFONT* font)
{
    SetFonts(*m_gridResponses, EGrid::Responses, ESide::Campaign, row, CellFont(font));
    SetFonts(*m_gridResponses, EGrid::Responses, ESide::Source, row, CellFont(font));
}

// Headings ------------------------------------------------------------------------------------

void CRightReconciliationPage::BuildQuestionHeadings()
{
    // The data rows are the fill's: it takes them again or cuts them.
    CGridCtrl& grid = *m_gridQuestions;
    ClearHeadings(grid, kFixedRows);
    WriteHeadings(grid, EGrid::Questions, m_fontHeading);
    LayoutQuestionColumns(false);
    grid.MergeCells(0, 0, grid.GetFixedRowCount() - 1, grid.GetFixedColumnCount() - 1);
}

void CRightReconciliationPage::BuildResponseHeadings()
{
    CGridCtrl& grid = *m_gridResponses;
    grid.SetRowCount(std::min(grid.GetRowCount(), int(kFixedRows)));
    ClearHeadings(grid, kFixedRows);
    WriteHeadings(grid, EGrid::Responses, m_fontHeading);
    LayoutResponseColumns(true);
    grid.MergeCells(0, 0, grid.GetFixedRowCount() - 1, grid.GetFixedColumnCount() - 1);
}

// Lookups -------------------------------------------------------------------------------------

const CQuestion* CRightReconciliationPage::GetCampaignQuestionAtRow(int row) const
{
    const long id = m_questionRows.GetId(row);
    const CCampaign* campaign = AppCampaign();
    return id > 0 && campaign ? campaign->GetQuestionById(int(id)) : nullptr;
}

const qnr::CQuestion* CRightReconciliationPage::GetSourceQuestionAtRow(int row) const
{
    const QString key = m_questionRows.GetSourceKey(row);
    const CVolume* volume = GetQuestionRowVolume(row);
    if (key == kNoSourceKey || !volume)
        return nullptr;
    return volume->GetQuestionnaire().FindQuestionById(key.toInt());
}

const CModality* CRightReconciliationPage::GetCampaignResponseAtRow(int row) const
{
    const long id = m_responseRows.GetId(row);
    const CCampaign* campaign = AppCampaign();
    return id >= 1 && campaign ? campaign->GetModalityById(int(id)) : nullptr;
}

const qnr::CModalite* CRightReconciliationPage::GetSourceResponseAtRow(int row) const
{
    const QString key = m_responseRows.GetSourceKey(row);
    const qnr::CQuestion* source = GetCurrentSourceQuestion();
    if (key == kNoSourceKey || !source)
        return nullptr;
    return source->FindModaliteById(key.toInt());
}

CVolume* CRightReconciliationPage::GetQuestionRowVolume(int row) const
{
    CCampaign* campaign = AppCampaign();
    const int id = m_questionRows.GetVolumeId(row);
    return id > 0 && campaign ? campaign->FindVolume(id) : nullptr;
}

const CModality* CRightReconciliationPage::GetFocusedCampaignResponse() const
{
    const long id = m_responseRows.GetId(m_gridResponses->GetFocusCell().row);
    const CCampaign* campaign = AppCampaign();
    return id >= 0 && campaign ? campaign->GetModalityById(int(id)) : nullptr;
}

int CRightReconciliationPage::FindSourceQuestionRow(const qnr::CQuestion& source,
                                                    int volumeId) const
{
    return FindSourceQuestionRow(QString::number(source.GetCodeQuestion()), volumeId);
}

int CRightReconciliationPage::FindSourceQuestionRow(const QString& key, int volumeId) const
{
    return m_questionRows.FindSourceRow(key, volumeId);
}

int CRightReconciliationPage::FindQuestionRowForVolume(const CQuestion& question,
                                                       int volumeId) const
{
    return m_questionRows.FindRow(question.GetQuestionId(), volumeId);
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

bool CRightReconciliationPage::CanRemoveCampaignQuestion(const CCellID& cell) const
{
    const CQuestion* question = GetCampaignQuestionAtRow(cell.row);
    return question && !IsDeletedInWave(question->GetDeletionWaveId()) &&
           IsItemColumn(EGrid::Questions, cell.col, ESide::Campaign);
}

bool CRightReconciliationPage::CanReorderResponses(const CCellID& cell) const
{
    const CQuestion* question = GetCampaignQuestionAtRow(cell.row);
    return question && GetSourceQuestionAtRow(cell.row) && IsQuestionWithResponses(*question) &&
           IsItemColumn(EGrid::Questions, cell.col, ESide::Campaign);
}

bool CRightReconciliationPage::CanRemoveCampaignResponse(const CCellID& cell) const
{
    const CModality* response = GetCampaignResponseAtRow(cell.row);
    return response && !IsDeletedInWave(response->GetDeletionWaveId()) &&
           IsItemColumn(EGrid::Responses, cell.col, ESide::Campaign);
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
