#pragma once

#include "grid/GridNotify.h"
#include "grid/LogFont.h"
#include "menus/NewDialog.h"
#include "views/ViewDialogs.h"

#include <QString>

#include <map>
#include <optional>
#include <utility>
#include <vector>

class CMultiCtrl;
class CWaveGridCtrl;
namespace pelko_wave {
class CLanguage;
}
class QLineEdit;
class QPlainTextEdit;

// What edits the campaign value of the selected difference.
enum class EDiffEditor
{
    None,      // no value of its own: a disabled, empty edit
    Number,    // a single-line edit that takes digits only
    Text,      // a plain single-line edit
    Caption,   // a multi-line edit
    TrueFalse, // a drop list of "True" and "False"
    Rotation,  // a drop list of the response rotation behaviours
};

// The details text (a string id; 0 for the caption kinds, whose text names the language) and
// the editor of a difference kind.
struct SDiffKind
{
    int Kind;
    unsigned Details;
    EDiffEditor Editor;
};

// The kind's entry of a table; null when the table has none.
template <size_t N> const SDiffKind* FindDiffKind(const SDiffKind (&table)[N], int kind)
{
    for (const SDiffKind& entry : table)
        if (entry.Kind == kind)
            return &entry;
    return nullptr;
}

// What a difference row shows once selected.
struct SDiffRowView
{
    QString Details;
    // The source value as the user reads it.
    QString Source;
    // The campaign value in the form the property change commands read, which the editor shows
    // through CDiffsDlg::ShownValue.
    QString Campaign;
    EDiffEditor Editor = EDiffEditor::None;
};

// The common part of the question and response difference dialogs: one grid row per
// difference with its status ("Unchanged", "Changed"), the selected row's details, source value
// and an editor of the campaign value; the user's choice per row; Update All (every source value
// at once) and the new-item button. The two dialogs say, per difference kind, what a row shows
// and which values Update All takes.
class CDiffsDlg : public CNewDialog, public IGridOwner
{
    Q_OBJECT

public:
    // The controls of the dialog template.
    enum : int
    {
        IDC_SEPARATOR = 1111,
        IDC_SOURCE = 1126,
        IDC_DETAILS = 1127,
        IDC_OK = 1128,
        IDC_CANCEL = 1129,
        IDC_GRID = 1132,
        IDC_CAMPAIGN = 1133,
        IDC_UPDATE_ALL = 1153,
    };

    ~CDiffsDlg() override;

    // The differences shown, one row each in the list's order (copied). Before the dialog is
    // shown.
    void SetDifferences(const CDiffList& differences);

    // One entry per difference, in the list's order: the value chosen for its row, or none where
    // the campaign keeps its value. Whether any value was chosen.
    bool GetResults(CDiffsDlgResults& results) const;

    // Fills the grid and selects its first row; done once, when the dialog is first shown.
    void OnInitDialog();

    CWaveGridCtrl* GetGrid() const { return m_grid; }
    CMultiCtrl* GetEditor() const { return m_editor; }
    QPlainTextEdit* GetDetails() const { return m_details; }
    QLineEdit* GetSource() const { return m_source; }
    EDiffEditor GetEditorKind() const { return m_editorKind; }

    // The grid's reports: a row selected shows that row; no cell edit is started.
    LRESULT OnNotify(NMHDR& header) override;

    // The buttons.
    void OnUpdateAll();
    void OnNewItem();
    // Cancel and Escape end the dialog with IDCANCEL.
    void reject() override;

    // The text of a response rotation behaviour: "Authorised" (0), "Fixed" (1), "Always follow
    // previous" (2); the number for any other.
    static QString RotationText(int rotation);

protected:
    // templateId and title: the dialog's; gridKind: the CWaveGridCtrl kind; newItemId and
    // newItemText: the new-item button's id and text.
    CDiffsDlg(unsigned templateId, const QString& title, int gridKind, int newItemId,
              const QString& newItemText, QWidget* parent);

    // The text of column 0 for a difference of the kind (and language, for captions).
    virtual QString RowCaption(int kind, int languageId) const = 0;
    // What the row of a difference shows.
    virtual SDiffRowView DescribeRow(int kind, int languageId) const = 0;
    // The application's two difference sets: kinds of the first are kept by Update All; kinds of
    // the second cannot be edited here and are kept by Update All too.
    virtual bool IsInFirstSet(int kind) const = 0;
    virtual bool IsInSecondSet(int kind) const = 0;
    // The source value that Update All gives the campaign item for a difference; none keeps the
    // campaign value.
    virtual std::optional<QString> SourceValue(int kind, int languageId) const = 0;
    // The editor's text of a value, and the value of an editor's text; unchanged by default.
    virtual QString ShownValue(int kind, const QString& value) const;
    virtual QString StoredValue(int kind, const QString& shown) const;
    // The confirmations of Update All and of the new-item button (string ids).
    virtual unsigned UpdateAllPrompt() const = 0;
    virtual unsigned NewItemPrompt() const = 0;
    // After the new-item button was confirmed, before the dialog ends.
    virtual void OnNewItemConfirmed() {}

    // The application's campaign's language of the id; null when it has none.
    static const pelko_wave::CLanguage* CampaignLanguage(int languageId);

    void showEvent(QShowEvent* event) override;

private:
    void OnSelectionChanged(int row);
    void OnEditorCommand(int code);
    void ShowEditor(EDiffEditor editor, const QString& shown, bool readOnly);
    // The grid's columns: "Status" 30 percent of the client width, "Difference" the rest, but
    // never narrower than its widest text.
    void SizeColumns();
    int DataRow(int index) const;

    std::vector<std::pair<int, CDiffInfoPtr>> m_differences;
    // Row -> choice; an empty choice keeps the campaign value (Update All's kept kinds).
    std::map<int, std::optional<QString>> m_choices;
    // Off while the dialog fills or shows a row, so that the editor's reports are not choices.
    bool m_initialised = false;
    bool m_filled = false;
    int m_shownRow = -1;
    EDiffEditor m_editorKind = EDiffEditor::None;

    LOGFONT m_fontNormal;
    LOGFONT m_fontBold;
    CWaveGridCtrl* m_grid = nullptr;
    QPlainTextEdit* m_details = nullptr;
    QLineEdit* m_source = nullptr;
    CMultiCtrl* m_editor = nullptr;
};
