#include "dialogs/DiffsDlg.h"

#include "controls/DialogUnits.h"
#include "controls/HistoryCombo.h"
#include "controls/MultiCtrl.h"
#include "controls/WindowStyles.h"
#include "dialogs/DialogControls.h"
#include "grid/DrawTextFormat.h"
#include "model/Campaign.h"
#include "model/ValueTexts.h"
#include "platform/AppServices.h"
#include "platform/WindowServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/WaveGridCtrl.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

using pelko_wave::BoolToText;
using pelko_wave::IntToText;

namespace {

constexpr int kFixedRows = 1;
// The share of the grid's width that the status column takes, in percent.
constexpr int kStatusWidthPercent = 30;

// The template's places, in dialog units: the grid over the details, the source value and the
// campaign value's editor, whose label column is as wide as the labels beside the other two.
constexpr int kMargin = 7;
constexpr int kWidth = 291;
constexpr int kHeight = 206;
constexpr int kInnerWidth = kWidth - 2 * kMargin;
constexpr int kLabelWidth = 51;
constexpr int kFieldLeft = kMargin + kLabelWidth;
constexpr int kFieldWidth = kWidth - kMargin - kFieldLeft;
constexpr int kEditHeight = 13;
constexpr int kCaptionHeight = 26;
constexpr int kEditorTop = 153;

} // namespace

CDiffsDlg::CDiffsDlg(unsigned templateId, const QString& title, int gridKind, int newItemId,
                     const QString& newItemText, QWidget* parent)
    : CNewDialog(templateId, parent)
{
    setWindowTitle(title);
    setProperty("controlId", int(templateId));
    const SDialogUnits units = SDialogUnits::FromFont(font());
    setFixedSize(units.ToPixelsX(kWidth), units.ToPixelsY(kHeight));

    m_fontNormal = QFontToLogFont(font());
    m_fontBold = m_fontNormal;
    m_fontBold.lfWeight = FW_BOLD;

    m_grid = new CWaveGridCtrl(gridKind, this);
    SetControlId(m_grid, IDC_GRID);
    m_grid->SetDlgCtrlID(IDC_GRID);
    m_grid->setGeometry(units.ToPixels(kMargin, kMargin, kInnerWidth, 92));
    m_grid->SetOwner(this);

    const auto label = [&](const QString& text, int top) {
        auto* caption = new QLabel(text, this);
        caption->setGeometry(units.ToPixels(kMargin, top, kLabelWidth, 8));
        return caption;
    };
    m_details = MakeControl<QPlainTextEdit>(IDC_DETAILS, this);
    m_details->setReadOnly(true);
    m_details->setTabChangesFocus(true);
    m_details->setGeometry(units.ToPixels(kFieldLeft, 104, kFieldWidth, 27));
    // Both multi-line fields have their labels at their middle, as the editor has.
    label(tr("Details:"), 113)->setBuddy(m_details);
    m_source = MakeControl<QLineEdit>(IDC_SOURCE, this);
    m_source->setReadOnly(true);
    m_source->setGeometry(units.ToPixels(kFieldLeft, 136, kFieldWidth, kEditHeight));
    label(tr("Source:"), 138)->setBuddy(m_source);

    m_editor = new CMultiCtrl(this);
    SetControlId(m_editor, IDC_CAMPAIGN);
    m_editor->Create(tr("Campaign"), units.ToPixels(kMargin, kEditorTop, kInnerWidth, kEditHeight),
                     this, IDC_CAMPAIGN);
    connect(m_editor, &CMultiCtrl::Command, this, [this](int, int code) { OnEditorCommand(code); });

    QWidget* separator = MakeSeparator(IDC_SEPARATOR);
    separator->setParent(this);
    const QRect line = units.ToPixels(kMargin, 180, kInnerWidth, 1);
    separator->setGeometry(line.x(), line.y(), line.width(), separator->height());

    const auto button = [&](int id, const QString& text, int left, int width) {
        auto* push = MakeControl<QPushButton>(id, text, this);
        push->setGeometry(units.ToPixels(left, 186, width, 14));
        push->setAutoDefault(false);
        return push;
    };
    QPushButton* updateAll = button(IDC_UPDATE_ALL, tr("Update All"), kMargin, 55);
    QPushButton* newItem = button(newItemId, newItemText, 66, 60);
    QPushButton* ok = button(IDC_OK, tr("OK"), 180, 50);
    ok->setDefault(true);
    QPushButton* cancel = button(IDC_CANCEL, tr("Cancel"), 234, 50);
    connect(updateAll, &QPushButton::clicked, this, &CDiffsDlg::OnUpdateAll);
    connect(newItem, &QPushButton::clicked, this, &CDiffsDlg::OnNewItem);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CDiffsDlg::reject);
}

CDiffsDlg::~CDiffsDlg()
{
    m_grid->SetOwner(nullptr);
}

void CDiffsDlg::SetDifferences(const CDiffList& differences)
{
    m_differences.assign(differences.begin(), differences.end());
}

bool CDiffsDlg::GetResults(CDiffsDlgResults& results) const
{
    results.assign(m_differences.size(), std::nullopt);
    bool chosen = false;
    for (const auto& [row, choice] : m_choices) {
        const int index = row - kFixedRows;
        if (index < 0 || index >= int(results.size()) || !choice)
            continue;
        results[size_t(index)] = *choice;
        chosen = true;
    }
    return chosen;
}

const pelko_wave::CLanguage* CDiffsDlg::CampaignLanguage(int languageId)
{
    const IWaveApp* app = GetWaveApp();
    const pelko_wave::CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    return campaign ? campaign->FindLanguage(languageId) : nullptr;
}

QString CDiffsDlg::ShownValue(int, const QString& value) const
{
    return value;
}

QString CDiffsDlg::StoredValue(int, const QString& shown) const
{
    return shown;
}

QString CDiffsDlg::RotationText(int rotation)
{
    switch (rotation) {
    case 0:
        return LoadString(IDS_ROTATION_AUTHORISED);
    case 1:
        return LoadString(IDS_ROTATION_FIXED);
    case 2:
        return LoadString(IDS_ROTATION_FOLLOW_PREVIOUS);
    default:
        return IntToText(rotation);
    }
}

int CDiffsDlg::DataRow(int index) const
{
    return index + kFixedRows;
}

void CDiffsDlg::showEvent(QShowEvent* event)
{
    OnInitDialog();
    CNewDialog::showEvent(event);
}

void CDiffsDlg::OnInitDialog()
{
    if (m_filled)
        return;
    m_filled = true;
    m_initialised = false;

    CWaveGridCtrl& grid = *m_grid;
    grid.SetEditable(false);
    grid.SetListMode(true);
    grid.SetSingleRowSelection(true);
    grid.SetGridFont(m_fontNormal);
    grid.SetColumnCount(2);
    grid.SetFixedRowCount(kFixedRows);
    grid.SetRowCount(int(m_differences.size()) + kFixedRows);
    const unsigned headerIds[] = {IDS_DIFFERENCE, IDS_STATUS};
    for (int col = 0; col < 2; ++col) {
        grid.SetCellText(0, col, LoadString(headerIds[col]));
        grid.SetCellFormat(0, col, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        grid.SetCellFont(0, col, &m_fontBold);
    }
    const QString unchanged = LoadString(IDS_UNCHANGED);
    for (size_t i = 0; i < m_differences.size(); ++i) {
        const auto& [kind, info] = m_differences[i];
        const int row = DataRow(int(i));
        grid.SetCellText(row, 0, RowCaption(kind, GetDiffLanguageId(info)));
        grid.SetCellText(row, 1, unchanged);
        for (int col = 0; col < 2; ++col) {
            grid.SetCellState(row, col, grid.GetCellState(row, col) | GVIS_READONLY);
            grid.SetCellFormat(row, col, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            grid.SetCellData(row, col, kind);
        }
    }
    SizeColumns();

    // The first difference is selected, in view, and its values shown at once rather than
    // after the first click. Without differences only the heading row is there; the grid never
    // selects a heading, so nothing is selected and the editor stays empty.
    if (m_differences.empty()) {
        m_initialised = true;
        ShowEditor(EDiffEditor::None, QString(), false);
        return;
    }
    const int first = DataRow(0);
    grid.SetSelectedRange(first, 0, first, grid.GetColumnCount() - 1);
    grid.SetFocusCell(first, 0);
    grid.EnsureVisible(first, 0);
    m_initialised = true;
    OnSelectionChanged(first);
}

void CDiffsDlg::SizeColumns()
{
    const int width = m_grid->GetClientSize().width();
    int status = width * kStatusWidthPercent / 100;
    int difference = width - status;
    // A difference caption longer than its share (a caption kind titled with a long language
    // name) is shown whole: the status column gives way down to its own texts, and beyond that
    // the grid scrolls sideways.
    if (const int needed = m_grid->GetColumnExtent(0); needed > difference) {
        difference = needed;
        status = std::max(m_grid->GetColumnExtent(1), width - needed);
    }
    m_grid->SetColumnWidth(1, status);
    m_grid->SetColumnWidth(0, difference);
}

LRESULT CDiffsDlg::OnNotify(NMHDR& header)
{
    switch (header.code) {
    case GVN_BEGINLABELEDIT:
        return -1;
    case GVN_SELCHANGED:
        OnSelectionChanged(static_cast<GRIDNOTIFY&>(header).iRow);
        return 0;
    default:
        return 0;
    }
}

void CDiffsDlg::OnSelectionChanged(int row)
{
    const int index = row - kFixedRows;
    if (index < 0 || index >= int(m_differences.size()))
        return;
    m_initialised = false;
    const auto& [kind, info] = m_differences[size_t(index)];
    const SDiffRowView view = DescribeRow(kind, GetDiffLanguageId(info));
    QString value = view.Campaign;
    const auto choice = m_choices.find(row);
    if (choice != m_choices.end() && choice->second)
        value = *choice->second;
    const bool hasValue = view.Editor != EDiffEditor::None;
    ShowEditor(view.Editor, hasValue ? ShownValue(kind, value) : QString(), IsInSecondSet(kind));
    m_details->setPlainText(view.Details);
    m_source->setText(view.Source);
    m_source->setCursorPosition(0);
    m_shownRow = row;
    m_initialised = true;
}

void CDiffsDlg::ShowEditor(EDiffEditor editor, const QString& shown, bool readOnly)
{
    unsigned type = CMultiCtrl::MCT_EDIT;
    unsigned styles = 0;
    switch (editor) {
    case EDiffEditor::Number:
        styles = ES_NUMBER;
        break;
    case EDiffEditor::Caption:
        styles = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
        break;
    case EDiffEditor::TrueFalse:
    case EDiffEditor::Rotation:
        type = CMultiCtrl::MCT_DROPLIST;
        break;
    case EDiffEditor::None:
    case EDiffEditor::Text:
        break;
    }
    unsigned flags =
        m_editor->GetCtrlStyle() & ~(CMultiCtrl::MCS_READONLY | CMultiCtrl::MCS_DISABLED);
    if (editor == EDiffEditor::None)
        flags |= CMultiCtrl::MCS_DISABLED;
    else if (readOnly)
        flags |= CMultiCtrl::MCS_READONLY;

    const SDialogUnits units = SDialogUnits::FromFont(font());
    const int height = editor == EDiffEditor::Caption ? kCaptionHeight : kEditHeight;
    m_editor->setGeometry(units.ToPixels(kMargin, kEditorTop, kInnerWidth, height));
    m_editor->SetType(type, styles, 0);
    m_editor->SetCtrlStyle(flags);
    if (CHistoryCombo* list = m_editor->GetComboBox()) {
        list->clear();
        if (editor == EDiffEditor::TrueFalse) {
            list->addItem(BoolToText(1));
            list->addItem(BoolToText(0));
        } else {
            for (int rotation = 0; rotation <= 2; ++rotation)
                list->addItem(RotationText(rotation), rotation);
        }
    }
    // A null text would leave the previous row's value in place.
    m_editor->SetText(shown.isNull() ? QStringLiteral("") : shown);
    m_editorKind = editor;
}

void CDiffsDlg::OnEditorCommand(int code)
{
    if (!m_initialised || (code != EN_CHANGE && code != CBN_SELCHANGE))
        return;
    const int index = m_shownRow - kFixedRows;
    if (index < 0 || index >= int(m_differences.size()) || m_editorKind == EDiffEditor::None)
        return;
    m_choices[m_shownRow] = StoredValue(m_differences[size_t(index)].first, m_editor->GetText());
    m_grid->SetCellText(m_shownRow, 1, LoadString(IDS_CHANGED));
    m_grid->RedrawCell(m_shownRow, 1);
}

void CDiffsDlg::OnUpdateAll()
{
    if (GetWindowServices().MessageBoxId(UpdateAllPrompt(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_choices.clear();
    for (size_t i = 0; i < m_differences.size(); ++i) {
        const auto& [kind, info] = m_differences[i];
        const int row = DataRow(int(i));
        if (IsInFirstSet(kind) || IsInSecondSet(kind))
            m_choices[row] = std::nullopt;
        else if (std::optional<QString> value = SourceValue(kind, GetDiffLanguageId(info)))
            m_choices[row] = std::move(value);
    }
    done(ID_DIFFS_UPDATE_ALL);
}

void CDiffsDlg::OnNewItem()
{
    if (GetWindowServices().MessageBoxId(NewItemPrompt(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    OnNewItemConfirmed();
    done(ID_DIFFS_NEW_ITEM);
}

void CDiffsDlg::reject()
{
    done(IDCANCEL);
}
