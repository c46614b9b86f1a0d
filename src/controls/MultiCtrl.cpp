#include "controls/MultiCtrl.h"

#include "controls/BrowseEdit.h"
#include "controls/DialogUnits.h"
#include "controls/HistoryCombo.h"
#include "controls/WindowStyles.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The children's window styles before the caller's added and removed styles.
constexpr unsigned BaseStyles[CMultiCtrl::ID_COUNT] = {
    0,
    0x50020100, // label: WS_CHILD, WS_VISIBLE, WS_GROUP, SS_NOTIFY
    0x50010000, // static button
    0x50000180, // static text: SS_NOPREFIX, SS_NOTIFY
    0x50010080, // edit: ES_AUTOHSCROLL, WS_TABSTOP
    0x50A10043, // drop list: CBS_DROPDOWNLIST, CBS_AUTOHSCROLL, WS_VSCROLL, WS_BORDER
    0x50010003, // check box: BS_AUTOCHECKBOX
    0x50810020, // date-time picker: DTS_RIGHTALIGN, WS_BORDER
    0x50810014, // spin: UDS_ALIGNRIGHT, UDS_AUTOBUDDY, WS_BORDER
    0x50010000, // rich edit
};
constexpr unsigned ComboStyle = 0x50A10042; // CBS_DROPDOWN
constexpr unsigned BrowseButtonStyle = 0x50010000;

// The dialog units of every multi control, measured once by the first one initialised.
SDialogUnits g_units;
bool g_unitsMeasured = false;

// The earliest date a picker can show stands for "no date".
const QDateTime NoDate(QDate(1752, 9, 14), QTime(0, 0));

QString WithoutAmpersands(QString text)
{
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == u'&')
            continue;
        result += text[i];
    }
    return result;
}

// A check box whose clicks go unchecked, checked, indeterminate (for three-state boxes).
class CMultiCheckBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override
    {
        switch (checkState()) {
        case Qt::Unchecked:
            setCheckState(Qt::Checked);
            break;
        case Qt::Checked:
            setCheckState(isTristate() ? Qt::PartiallyChecked : Qt::Unchecked);
            break;
        default:
            setCheckState(Qt::Unchecked);
            break;
        }
    }
};

// Two arrow buttons that step the whole number of their buddy edit (0..100) and report it.
class CSpinButton : public QWidget
{
public:
    CSpinButton(QWidget* parent, std::function<void(int)> step) : QWidget(parent)
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        for (const int delta : {1, -1}) {
            auto* button = new QToolButton(this);
            button->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
            button->setAutoRepeat(true);
            button->setFocusPolicy(Qt::NoFocus);
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            connect(button, &QToolButton::clicked, this, [step, delta] { step(delta); });
            layout->addWidget(button);
        }
    }
};

} // namespace

CMultiCtrl::CMultiCtrl(QWidget* parent) : QWidget(parent) {}

CMultiCtrl::~CMultiCtrl()
{
    for (int id = 1; id < ID_COUNT; ++id)
        DestroyChild(id);
}

void CMultiCtrl::SubclassPlaceholder(const QString& caption)
{
    m_label = caption;
    Initialize();
}

bool CMultiCtrl::Create(const QString& windowName, const QRect& rect, QWidget* parent, int id)
{
    setParent(parent);
    setGeometry(rect);
    m_id = id;
    m_label = windowName;
    if (windowName.isEmpty())
        m_flags |= MCS_NOLABEL;
    Initialize();
    show();
    return true;
}

void CMultiCtrl::Initialize()
{
    if (parentWidget())
        SetFont(parentWidget()->font());
    if (!g_unitsMeasured) {
        g_units = SDialogUnits::FromFont(font());
        g_unitsMeasured = true;
    }
    if (m_label.isEmpty())
        m_flags |= MCS_NOLABEL;
    SetType(MCT_EDIT, 0, 0);
}

void CMultiCtrl::SetFont(const QFont& font)
{
    setFont(font);
    for (int id = 1; id < ID_COUNT; ++id) {
        if (m_children[id] && id != ID_SPIN)
            m_children[id]->setFont(font);
    }
}

void CMultiCtrl::SetType(unsigned type, unsigned addedStyles, unsigned removedStyles)
{
    if (type == m_type && addedStyles == m_added && removedStyles == m_removed)
        return;
    m_type = type;
    m_added = addedStyles;
    m_removed = removedStyles;
    if (m_type == MCT_STATIC && !(m_flags & MCS_NOLABEL))
        SetLabel(m_label);
    RebuildChild();
    update();
}

void CMultiCtrl::SetCtrlStyle(unsigned flags)
{
    if (flags == m_flags)
        return;
    m_flags = flags;
    RebuildChild();
}

void CMultiCtrl::SetLabel(const QString& text)
{
    if (text.isNull()) {
        m_flags |= MCS_NOLABEL;
        RecalcLayout();
        return;
    }
    m_label = text;
    const QString shown = m_type == MCT_STATIC ? WithoutAmpersands(text) : text;
    if (m_type == MCT_CHECKBOX && m_children[ID_BUTTON] && !m_checkBoxIsBrowse)
        static_cast<QCheckBox*>(m_children[ID_BUTTON])->setText(shown);
    else if (m_children[ID_LABEL])
        static_cast<QLabel*>(m_children[ID_LABEL])->setText(shown + u':');
    else if (m_children[ID_STATICBTN])
        static_cast<QPushButton*>(m_children[ID_STATICBTN])->setText(shown + QStringLiteral("..."));
    if (m_flags & MCS_NOLABEL) {
        m_flags &= ~MCS_NOLABEL;
        RebuildChild();
    }
}

unsigned CMultiCtrl::ChildStyle(int id) const
{
    if (id == ID_LABEL || id == ID_STATICBTN)
        return BaseStyles[id];
    if (id == ID_BUTTON && m_type != MCT_CHECKBOX)
        return BrowseButtonStyle;
    unsigned base = BaseStyles[id];
    if (id == ID_COMBO && m_type == MCT_COMBO)
        base = ComboStyle;
    if ((id == ID_EDIT || id == ID_RICHEDIT) && (m_flags & MCS_READONLY))
        base |= ES_READONLY;
    unsigned style = (base & ~m_removed) | m_added;
    if (id == ID_COMBO && (m_flags & MCS_NOSORT))
        style &= ~CBS_SORT;
    return style;
}

void CMultiCtrl::DestroyChild(int id)
{
    QWidget* child = m_children[id];
    if (!child)
        return;
    m_children[id] = nullptr;
    m_childStyles[id] = 0;
    if (id == ID_EDIT)
        m_browseEdit = nullptr;
    if (focusProxy() == child)
        setFocusProxy(nullptr);
    child->hide();
    child->deleteLater();
    child->setParent(nullptr);
}

QWidget* CMultiCtrl::MakeChild(int id, unsigned style)
{
    QWidget* child = nullptr;
    switch (id) {
    case ID_LABEL:
        child = new QLabel(m_label + u':', this);
        break;
    case ID_STATICBTN:
        child = new QPushButton(m_label + QStringLiteral("..."), this);
        break;
    case ID_STATIC: {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        child = label;
        break;
    }
    case ID_EDIT:
        if (m_type == MCT_EDIT && (m_flags & MCS_BROWSE)) {
            m_browseEdit = new CBrowseEdit(style, this);
            child = m_browseEdit;
        } else if (style & ES_MULTILINE) {
            auto* edit = new QPlainTextEdit(this);
            edit->setReadOnly(style & ES_READONLY);
            edit->setTabChangesFocus(!(style & ES_WANTRETURN));
            child = edit;
        } else {
            auto* edit = new QLineEdit(this);
            ApplyEditStyle(*edit, style);
            child = edit;
        }
        break;
    case ID_COMBO: {
        auto* combo = new CHistoryCombo(false, this);
        combo->setEditable((style & 3) != CBS_DROPDOWNLIST);
        child = combo;
        break;
    }
    case ID_BUTTON:
        if (m_type == MCT_CHECKBOX) {
            auto* box = new CMultiCheckBox(m_label, this);
            const unsigned kind = style & BS_TYPEMASK;
            box->setTristate(kind == BS_3STATE || kind == BS_AUTO3STATE);
            m_clickIndeterminate = true;
            m_checkBoxIsBrowse = false;
            child = box;
        } else {
            child = new QPushButton(QStringLiteral("..."), this);
            m_checkBoxIsBrowse = true;
        }
        break;
    case ID_DATETIME: {
        auto* picker = new QDateTimeEdit(this);
        picker->setCalendarPopup(true);
        picker->setMinimumDateTime(NoDate);
        picker->setSpecialValueText(QStringLiteral(" "));
        picker->setDisplayFormat(QLocale().dateTimeFormat(QLocale::ShortFormat));
        child = picker;
        break;
    }
    case ID_SPIN:
        child = new CSpinButton(this, [this](int delta) {
            auto* edit = qobject_cast<QLineEdit*>(m_children[ID_EDIT]);
            if (!edit || edit->isReadOnly())
                return;
            edit->setText(QString::number(std::clamp(edit->text().toInt() + delta, 0, 100)));
            Forward(UDN_DELTAPOS);
        });
        break;
    case ID_RICHEDIT: {
        auto* edit = new QTextEdit(this);
        edit->setAcceptRichText(false);
        edit->setReadOnly(style & ES_READONLY);
        edit->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                              : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
        child = edit;
        break;
    }
    default:
        return nullptr;
    }
    child->setFont(font());
    child->setProperty("dlgCtrlId", id);
    ConnectChild(child);
    child->show();
    return child;
}

void CMultiCtrl::ConnectChild(QWidget* child)
{
    child->installEventFilter(this);
    if (auto* edit = qobject_cast<QLineEdit*>(child)) {
        connect(edit, &QLineEdit::textEdited, this, [this] { Forward(EN_CHANGE); });
    } else if (auto* lines = qobject_cast<QPlainTextEdit*>(child)) {
        connect(lines, &QPlainTextEdit::textChanged, this, [this] { Forward(EN_CHANGE); });
    } else if (auto* rich = qobject_cast<QTextEdit*>(child)) {
        connect(rich, &QTextEdit::textChanged, this, [this] { Forward(EN_CHANGE); });
    } else if (auto* browse = qobject_cast<CBrowseEdit*>(child)) {
        connect(browse, &CBrowseEdit::Command, this, [this](int, int code) {
            if (code == EN_SETFOCUS || code == EN_KILLFOCUS)
                ShowPrompt(code == EN_SETFOCUS);
            Forward(code);
        });
    } else if (auto* combo = qobject_cast<CHistoryCombo*>(child)) {
        connect(combo, &QComboBox::activated, this, [this] { Forward(CBN_SELCHANGE); });
        connect(combo, &QComboBox::editTextChanged, this, [this] { Forward(CBN_EDITCHANGE); });
    } else if (auto* box = qobject_cast<QCheckBox*>(child)) {
        connect(box, &QCheckBox::clicked, this, [this, box] {
            // While click-indeterminate is off, a click never leaves the box indeterminate.
            if (!m_clickIndeterminate && box->checkState() == Qt::PartiallyChecked)
                box->setCheckState(Qt::Unchecked);
            Forward(BN_CLICKED);
        });
    } else if (auto* button = qobject_cast<QPushButton*>(child)) {
        connect(button, &QPushButton::clicked, this, [this] { Forward(BN_CLICKED); });
    } else if (auto* picker = qobject_cast<QDateTimeEdit*>(child)) {
        connect(picker, &QDateTimeEdit::dateTimeChanged, this,
                [this] { Forward(DTN_DATETIMECHANGE); });
    }
}

void CMultiCtrl::Forward(int code)
{
    Q_EMIT Command(m_id, code);
}

bool CMultiCtrl::EnsureChild(int id)
{
    const unsigned style = ChildStyle(id);
    QWidget* existing = m_children[id];
    if (existing) {
        const bool keptKind = id == ID_LABEL || id == ID_STATICBTN ||
                              (id == ID_EDIT && bool(m_browseEdit) == (m_type == MCT_EDIT &&
                                                                       (m_flags & MCS_BROWSE))) ||
                              (id == ID_BUTTON && m_checkBoxIsBrowse == (m_type != MCT_CHECKBOX));
        const bool sameStyle = m_childStyles[id] == style;
        if (keptKind && (sameStyle || id == ID_LABEL || id == ID_STATICBTN)) {
            if (id == ID_BUTTON && !m_checkBoxIsBrowse)
                static_cast<QCheckBox*>(existing)->setText(m_label);
            m_childStyles[id] = style;
            ApplyEnabled(id);
            return true;
        }
        DestroyChild(id);
    }
    QWidget* child = MakeChild(id, style);
    if (!child)
        return false;
    m_children[id] = child;
    m_childStyles[id] = style;
    ApplyEnabled(id);
    return true;
}

void CMultiCtrl::ApplyEnabled(int id)
{
    QWidget* child = m_children[id];
    if (!child)
        return;
    const bool disabled = m_flags & MCS_DISABLED;
    const bool readOnly = m_flags & MCS_READONLY;
    switch (id) {
    case ID_LABEL:
    case ID_STATICBTN:
    case ID_STATIC:
    case ID_EDIT:
    case ID_RICHEDIT:
        child->setEnabled(!disabled);
        break;
    default:
        child->setEnabled(!disabled && !readOnly);
        break;
    }
    if (m_childStyles[id] & WS_DISABLED)
        child->setEnabled(false);
}

int CMultiCtrl::RebuildChild()
{
    m_text = GetText();
    bool wanted[ID_COUNT] = {};
    if (!(m_flags & MCS_HIDDEN)) {
        const bool label = !(m_flags & MCS_NOLABEL);
        switch (m_type) {
        case MCT_STATIC:
            wanted[ID_LABEL] = label;
            wanted[ID_STATIC] = true;
            break;
        case MCT_STATICBTN:
            wanted[ID_STATICBTN] = true;
            wanted[ID_STATIC] = label;
            break;
        case MCT_EDIT:
            wanted[ID_LABEL] = label;
            wanted[ID_EDIT] = true;
            break;
        case MCT_UPDOWNEDIT:
            wanted[ID_LABEL] = label;
            wanted[ID_EDIT] = true;
            wanted[ID_SPIN] = true;
            break;
        case MCT_DROPLIST:
        case MCT_COMBO:
            wanted[ID_LABEL] = label;
            wanted[ID_COMBO] = true;
            break;
        case MCT_CHECKBOX:
            wanted[ID_BUTTON] = true;
            break;
        case MCT_DATETIME:
            wanted[ID_LABEL] = label;
            wanted[ID_DATETIME] = true;
            break;
        case MCT_RICHEDIT:
            wanted[ID_LABEL] = label;
            wanted[ID_RICHEDIT] = true;
            break;
        default:
            break;
        }
        const bool browseButtonType = m_type == MCT_STATIC || m_type == MCT_STATICBTN ||
                                      m_type == MCT_DROPLIST || m_type == MCT_COMBO ||
                                      m_type == MCT_DATETIME || m_type == MCT_RICHEDIT;
        if (browseButtonType && (m_flags & MCS_BROWSE))
            wanted[ID_BUTTON] = true;
    }
    // The rich edit starts afresh at every rebuild.
    DestroyChild(ID_RICHEDIT);
    for (int id = 1; id < ID_COUNT; ++id) {
        if (!wanted[id]) {
            DestroyChild(id);
            continue;
        }
        if (!EnsureChild(id))
            return 0;
    }
    // A label without its mnemonic's target is only a text.
    if (auto* label = qobject_cast<QLabel*>(m_children[ID_LABEL])) {
        label->setText((m_type == MCT_STATIC ? WithoutAmpersands(m_label) : m_label) + u':');
        label->setBuddy(GetActiveChild());
    }
    const bool tabStop = m_type != MCT_STATIC && !(m_flags & (MCS_HIDDEN | MCS_DISABLED));
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
    UpdateFocusProxy();
    SetText(m_text);
    SetLimitText(m_limit);
    RecalcLayout();
    SetToolTipText(m_prompt);
    return 1;
}

void CMultiCtrl::UpdateFocusProxy()
{
    QWidget* target = nullptr;
    for (const int id : {ID_EDIT, ID_RICHEDIT, ID_COMBO, ID_DATETIME}) {
        if (m_children[id]) {
            target = m_children[id];
            break;
        }
    }
    if (!target && m_type == MCT_CHECKBOX)
        target = m_children[ID_BUTTON];
    if (!target)
        target = m_children[ID_STATICBTN];
    setFocusProxy(target);
}

QWidget* CMultiCtrl::GetActiveChild() const
{
    for (const int id : {ID_COMBO, ID_EDIT, ID_RICHEDIT, ID_BUTTON, ID_STATIC, ID_DATETIME}) {
        if (m_children[id])
            return m_children[id];
    }
    return nullptr;
}

QWidget* CMultiCtrl::GetChildAt() const
{
    return m_browseEdit ? nullptr : m_children[ID_EDIT];
}

CHistoryCombo* CMultiCtrl::GetComboBox() const
{
    return static_cast<CHistoryCombo*>(m_children[ID_COMBO]);
}

void CMultiCtrl::SetText(const QString& text)
{
    m_text = text;
    if (text.isNull())
        return;
    if (auto* combo = GetComboBox()) {
        const int found = text.isEmpty() ? -1 : combo->findText(text, Qt::MatchFixedString);
        combo->setCurrentIndex(found);
        if (found < 0 && m_type == MCT_COMBO)
            combo->setEditText(text);
    } else if (auto* label = qobject_cast<QLabel*>(m_children[ID_STATIC])) {
        label->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(m_children[ID_EDIT])) {
        edit->setText(text);
    } else if (auto* lines = qobject_cast<QPlainTextEdit*>(m_children[ID_EDIT])) {
        lines->setPlainText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(m_children[ID_RICHEDIT])) {
        rich->setPlainText(text);
    } else if (m_browseEdit) {
        m_browseEdit->SetWindowText(text);
    } else if (auto* box = qobject_cast<QCheckBox*>(m_children[ID_BUTTON]);
               box && m_type == MCT_CHECKBOX) {
        const auto in = [&text](const QStringList& list) {
            return std::any_of(list.begin(), list.end(), [&text](const QString& entry) {
                return entry.compare(text, Qt::CaseInsensitive) == 0;
            });
        };
        Qt::CheckState state = Qt::Unchecked;
        if (in(m_unchecked))
            state = Qt::Unchecked;
        else if (in(m_checked))
            state = Qt::Checked;
        else if (in(m_indeterminate))
            state = Qt::PartiallyChecked;
        if (state == Qt::PartiallyChecked && !box->isTristate()) {
            box->setTristate(true);
            m_clickIndeterminate = false;
        }
        box->setCheckState(state);
    } else if (auto* picker = qobject_cast<QDateTimeEdit*>(m_children[ID_DATETIME])) {
        const QLocale locale;
        QDateTime value = locale.toDateTime(text, QLocale::ShortFormat);
        if (!value.isValid())
            value = locale.toDateTime(text, QLocale::LongFormat);
        if (!value.isValid())
            value = QDateTime(locale.toDate(text, QLocale::ShortFormat), QTime(0, 0));
        picker->setDateTime(value.isValid() && value > NoDate ? value : NoDate);
    }
}

QString CMultiCtrl::GetText() const
{
    if (auto* combo = GetComboBox())
        return combo->currentIndex() >= 0 ? combo->itemText(combo->currentIndex())
                                          : combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(m_children[ID_STATIC]))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(m_children[ID_EDIT]))
        return edit->text();
    if (auto* lines = qobject_cast<QPlainTextEdit*>(m_children[ID_EDIT]))
        return lines->toPlainText();
    if (auto* rich = qobject_cast<QTextEdit*>(m_children[ID_RICHEDIT]))
        return rich->toPlainText();
    if (m_browseEdit)
        return m_browseEdit->GetWindowText();
    if (auto* box = qobject_cast<QCheckBox*>(m_children[ID_BUTTON]);
        box && m_type == MCT_CHECKBOX) {
        const QStringList& list = box->checkState() == Qt::PartiallyChecked ? m_indeterminate
                                  : box->checkState() == Qt::Checked        ? m_checked
                                                                            : m_unchecked;
        return list.isEmpty() ? QString() : list.constFirst();
    }
    if (auto* picker = qobject_cast<QDateTimeEdit*>(m_children[ID_DATETIME])) {
        if (picker->dateTime() <= NoDate)
            return QStringLiteral("");
        return QLocale().toString(picker->dateTime(), QLocale::ShortFormat);
    }
    return m_text;
}

int CMultiCtrl::AddHistoryString(const QString& text)
{
    if (text.isNull() || (m_type != MCT_DROPLIST && m_type != MCT_COMBO) || !GetComboBox())
        return -1;
    return GetComboBox()->AddString(text);
}

void CMultiCtrl::SetToolTipText(const QString& text)
{
    m_prompt = text;
    const bool show = !text.isEmpty() && m_type != MCT_NONE && !(m_flags & MCS_HIDDEN);
    setToolTip(show ? text.left(79) : QString());
}

void CMultiCtrl::SetLimitText(int limit)
{
    m_limit = limit;
    const int max = limit <= 0 ? 32767 : limit;
    if (auto* edit = qobject_cast<QLineEdit*>(m_children[ID_EDIT]))
        edit->setMaxLength(max);
    else if (m_browseEdit)
        m_browseEdit->GetEdit()->setMaxLength(max);
    else if (auto* combo = GetComboBox(); combo && m_type == MCT_COMBO && combo->lineEdit())
        combo->lineEdit()->setMaxLength(max);
}

void CMultiCtrl::SetCheckTexts(const QStringList& checked, const QStringList& unchecked,
                               const QStringList& indeterminate)
{
    m_checked = checked;
    m_unchecked = unchecked;
    m_indeterminate = indeterminate;
}

QString CMultiCtrl::GetWindowText() const
{
    return m_type == MCT_NONE || m_type == MCT_STATIC ? WithoutAmpersands(m_label) : m_label;
}

void CMultiCtrl::SetSel(int start, int end)
{
    if (auto* edit = qobject_cast<QLineEdit*>(m_children[ID_EDIT])) {
        if (end < 0 || end > edit->text().size())
            end = int(edit->text().size());
        edit->setSelection(start, end - start);
    } else if (auto* rich = qobject_cast<QTextEdit*>(m_children[ID_RICHEDIT])) {
        QTextCursor cursor = rich->textCursor();
        cursor.setPosition(std::max(0, start));
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        rich->setTextCursor(cursor);
    }
}

void CMultiCtrl::RecalcLayout()
{
    const int cx = width();
    const int cy = height();
    const auto w = [](int n) { return g_units.ToPixelsX(n); };
    const auto h = [](int n) { return g_units.ToPixelsY(n); };
    const bool noLabel = m_flags & MCS_NOLABEL;
    int left = noLabel ? 0 : w(51);
    if (QWidget* label = m_children[ID_LABEL]) {
        label->setVisible(!noLabel);
        label->setGeometry(0, (cy - h(8)) / 2, left, std::min(cy, h(8)));
    }
    if (QWidget* combo = m_children[ID_COMBO])
        combo->setGeometry(left, 0, cx - left, std::min(cy, combo->sizeHint().height()));
    if (QWidget* picker = m_children[ID_DATETIME])
        picker->setGeometry(left, -1, cx - left, cy + 1);
    if (QWidget* button = m_children[ID_STATICBTN]) {
        const int buttonWidth = noLabel ? cx : w(40);
        button->setGeometry(0, 0, buttonWidth, cy);
        // The value beside the button lines up with the values of the other controls, unless
        // the button reaches past their label column.
        left = std::max(left, buttonWidth + w(3));
    }
    if (QWidget* text = m_children[ID_STATIC])
        text->setGeometry(left, (cy - h(8)) / 2, cx - left, std::min(cy, h(8)));
    int editRight = cx;
    if (QWidget* spin = m_children[ID_SPIN]) {
        const int spinWidth = std::max(12, w(9));
        const int spinHeight = std::min(cy, h(13));
        spin->setGeometry(cx - spinWidth, 0, spinWidth, spinHeight);
        editRight = cx - spinWidth;
    }
    if (QWidget* edit = m_children[ID_EDIT]) {
        const bool multiLine = qobject_cast<QPlainTextEdit*>(edit) != nullptr;
        edit->setGeometry(left, 0, editRight - left, multiLine ? cy : std::min(cy, h(13)));
    }
    if (QWidget* rich = m_children[ID_RICHEDIT]) {
        const bool multiLine = m_childStyles[ID_RICHEDIT] & ES_MULTILINE;
        rich->setGeometry(left, 0, cx - left, multiLine ? cy : std::min(cy, h(13)));
    }
    if (QWidget* button = m_children[ID_BUTTON]) {
        if (m_type == MCT_CHECKBOX)
            button->setGeometry(0, (cy - h(10)) / 2, cx, h(10));
        else
            button->setGeometry(cx, cy / 2, 0, 0);
    }
}

void CMultiCtrl::resizeEvent(QResizeEvent*)
{
    RecalcLayout();
}

void CMultiCtrl::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        const unsigned flags = isEnabled() ? (m_flags & ~MCS_DISABLED) : (m_flags | MCS_DISABLED);
        SetCtrlStyle(flags);
    }
}

bool CMultiCtrl::eventFilter(QObject* watched, QEvent* event)
{
    const int id = watched->property("dlgCtrlId").toInt();
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const bool in = event->type() == QEvent::FocusIn;
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (in && reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason) {
            if (auto* edit = qobject_cast<QLineEdit*>(watched))
                edit->selectAll();
            else if (auto* rich = qobject_cast<QTextEdit*>(watched))
                rich->selectAll();
            else if (auto* lines = qobject_cast<QPlainTextEdit*>(watched))
                lines->selectAll();
        }
        if (reason != Qt::PopupFocusReason) {
            ShowPrompt(in);
            int code = -1;
            if (id == ID_EDIT || id == ID_RICHEDIT)
                code = in ? EN_SETFOCUS : EN_KILLFOCUS;
            else if (id == ID_COMBO)
                code = in ? CBN_SETFOCUS : CBN_KILLFOCUS;
            else if (id == ID_BUTTON || id == ID_STATICBTN)
                code = in ? BN_SETFOCUS : BN_KILLFOCUS;
            if (code >= 0 && !m_browseEdit)
                Forward(code);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CMultiCtrl::ShowPrompt(bool show)
{
    // The main window is the frame that owns the window holding this control.
    QWidget* window = this->window();
    while (window && !qobject_cast<QMainWindow*>(window) && window->parentWidget())
        window = window->parentWidget()->window();
    auto* frame = qobject_cast<QMainWindow*>(window);
    QStatusBar* bar = frame ? frame->findChild<QStatusBar*>() : nullptr;
    if (!bar)
        return;
    bar->showMessage(show && !m_prompt.isEmpty() ? m_prompt : QStringLiteral("Ready"));
}
