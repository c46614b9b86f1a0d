#pragma once

#include <QFont>
#include <QStringList>
#include <QWidget>

class CBrowseEdit;
class CHistoryCombo;
class QCheckBox;
class QDateTimeEdit;
class QLabel;
class QPushButton;
class QTextEdit;

// A placeholder that shows one input control whose kind is chosen at run time: a static text, a
// button, an edit (optionally with a spin or a browse button), a drop list, a combo with history,
// a check box, a date-time picker or a rich edit, each with an optional label column on the left.
// It rebuilds its children when the type, the styles or the state flags change and keeps its
// text value across every rebuild. Its children's commands reach the owner through Command under
// the multi control's own id, whatever the type: BN_CLICKED (0) from buttons and check box,
// EN_CHANGE (0x300) from edits, CBN_SELCHANGE (1) from the combo, DTN_DATETIMECHANGE from the
// picker, and the focus codes. While a child has the focus the prompt shows on the status bar of
// the main window (and "Ready" when it leaves).
class CMultiCtrl : public QWidget
{
    Q_OBJECT

public:
    enum EType : unsigned
    {
        MCT_NONE = 0,
        MCT_STATIC = 1,     // label, static text
        MCT_STATICBTN = 2,  // push button captioned label + "...", static text
        MCT_EDIT = 3,       // label, edit (a browse edit with MCS_BROWSE)
        MCT_UPDOWNEDIT = 4, // label, edit, spin
        MCT_DROPLIST = 5,   // label, history combo as drop list
        MCT_COMBO = 6,      // label, history combo with an edit field
        MCT_CHECKBOX = 7,   // check box captioned with the label
        MCT_DATETIME = 8,   // label, date-time picker
        MCT_RICHEDIT = 9,   // label, rich edit
    };
    enum EState : unsigned
    {
        MCS_READONLY = 0x01, // edits read-only, other inputs disabled
        MCS_DISABLED = 0x02, // every child disabled; out of the tab order
        MCS_HIDDEN = 0x04,   // no child; out of the tab order
        MCS_NOLABEL = 0x08,  // no label column
        MCS_BROWSE = 0x10,   // the edit gets a "..." button
        MCS_NOSORT = 0x20,   // the combo is never sorted
    };
    // Child ids.
    enum EChild : int
    {
        ID_LABEL = 1,
        ID_STATICBTN = 2,
        ID_STATIC = 3,
        ID_EDIT = 4,
        ID_COMBO = 5,
        ID_BUTTON = 6, // check box, or the browse button
        ID_DATETIME = 7,
        ID_SPIN = 8,
        ID_RICHEDIT = 9,
        ID_COUNT = 10
    };

    explicit CMultiCtrl(QWidget* parent = nullptr);
    ~CMultiCtrl() override;

    // Takes over a dialog's placeholder: its caption becomes the label (none: MCS_NOLABEL), and
    // the control starts as an MCT_EDIT.
    void SubclassPlaceholder(const QString& caption);
    // Makes the control at the rectangle of the parent; an empty window name means no label.
    bool Create(const QString& windowName, const QRect& rect, QWidget* parent, int id);

    // Sets the type with the styles added to and removed from its children's window styles (see
    // WindowStyles.h: ES_NUMBER, ES_MULTILINE, ES_READONLY, CBS_SORT, BS_AUTO3STATE ...).
    void SetType(unsigned type, unsigned addedStyles = 0, unsigned removedStyles = 0);
    unsigned GetType() const { return m_type; }
    void SetCtrlStyle(unsigned flags);
    unsigned GetCtrlStyle() const { return m_flags; }
    // A null text removes the label (MCS_NOLABEL).
    void SetLabel(const QString& text);
    QString GetLabel() const { return m_label; }
    void SetText(const QString& text);
    QString GetText() const;
    // Drop list and combo: adds the text at the top of the history and selects it; -1 for other
    // types or a null text.
    int AddHistoryString(const QString& text);
    void SetToolTipText(const QString& text);
    QString GetToolTipText() const { return m_prompt; }
    void SetLimitText(int limit);
    void SetFont(const QFont& font);
    void SetDlgCtrlID(int id) { m_id = id; }
    int GetDlgCtrlID() const { return m_id; }
    // The texts a check box state is written as and read from; the first of each is written.
    void SetCheckTexts(const QStringList& checked, const QStringList& unchecked,
                       const QStringList& indeterminate);

    // The label as the control's window text ("&" removed for MCT_NONE and MCT_STATIC).
    QString GetWindowText() const;
    // Selects text of the edit, else the rich edit.
    void SetSel(int start, int end);

    // The first existing of combo, edit, browse edit, rich edit, check box or browse button,
    // static text, date-time picker.
    QWidget* GetActiveChild() const;
    // The plain edit (a QLineEdit, or a QPlainTextEdit with ES_MULTILINE), or null.
    QWidget* GetChildAt() const;
    CHistoryCombo* GetComboBox() const;
    QWidget* GetChild(int id) const { return id > 0 && id < ID_COUNT ? m_children[id] : nullptr; }
    CBrowseEdit* GetBrowseEdit() const { return m_browseEdit; }

    // Re-creates the children for the type and flags; 0 when a child could not be made.
    int RebuildChild();
    void RecalcLayout();

Q_SIGNALS:
    void Command(int id, int code);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Initialize();
    unsigned ChildStyle(int id) const;
    bool EnsureChild(int id);
    void DestroyChild(int id);
    QWidget* MakeChild(int id, unsigned style);
    void ConnectChild(QWidget* child);
    void Forward(int code);
    void ShowPrompt(bool show);
    void UpdateFocusProxy();
    void ApplyEnabled(int id);

    unsigned m_type = MCT_NONE;
    unsigned m_added = 0;
    unsigned m_removed = 0;
    unsigned m_flags = 0;
    QString m_text;
    QString m_label;
    QString m_prompt;
    int m_limit = -1;
    QStringList m_checked{QStringLiteral("1")};
    QStringList m_unchecked{QString()};
    QStringList m_indeterminate{QStringLiteral("-1")};
    bool m_clickIndeterminate = true;
    int m_id = 0;
    QWidget* m_children[ID_COUNT] = {};
    unsigned m_childStyles[ID_COUNT] = {};
    CBrowseEdit* m_browseEdit = nullptr; // the edit child when it is a browse edit
    bool m_checkBoxIsBrowse = false;     // child 6 is the browse button, not a check box
};
