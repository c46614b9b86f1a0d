#include "controls/DynDialogEx.h"

#include "controls/BrowseEdit.h"
#include "controls/ControlDialogs.h"
#include "controls/DialogUnits.h"
#include "controls/WindowStyles.h"
#include "platform/WindowServices.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QIntValidator>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTextEdit>
#include <QTimeEdit>
#include <QTreeWidget>

namespace {

constexpr const char16_t* ClassNames[] = {
    u"BUTTON",
    u"EDIT",
    u"STATIC",
    u"LISTBOX",
    u"SCROLLBAR",
    u"COMBOBOX",
    u"msctls_updown32",
    u"msctls_progress32",
    u"msctls_trackbar32",
    u"msctls_hotkey32",
    u"SysListView32",
    u"SysTreeView32",
    u"SysTabControl32",
    u"SysAnimate32",
    u"RICHEDIT",
    u"SysDateTimePick32",
    u"SysMonthCal32",
    u"SysIPAddress32",
    u"ComboBoxEx32",
};
constexpr unsigned short FirstCode = CDynDialogEx::DYN_BUTTON;
constexpr unsigned short LastCode = CDynDialogEx::DYN_COMBOBOXEX;

// Automatic control ids, shared by every dynamic dialog of the program.
int g_nextAutomaticId = 1024;

// The scroll bar style that makes it vertical.
constexpr unsigned SBS_VERT = 0x1;

bool IsAutoRadio(const QString& className, unsigned style)
{
    return className == u"BUTTON" && (style & BS_AUTORADIOBUTTON) == BS_AUTORADIOBUTTON;
}

bool IsCheckExchange(const QString& className, unsigned style)
{
    return className == u"BUTTON" && !IsAutoRadio(className, style) && (style & 3) == 3;
}

} // namespace

CDynDialogEx::CDynDialogEx(QWidget* parent) : QDialog(parent), m_parent(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

CDynDialogEx::~CDynDialogEx() = default;

void CDynDialogEx::SetWindowTitle(const QString& caption)
{
    setWindowTitle(caption);
}

void CDynDialogEx::SetFont(const QFont& font)
{
    m_font = font;
    m_hasFont = true;
}

void CDynDialogEx::SetSystemButtonTexts(const QString& okText, const QString& cancelText)
{
    m_okText = okText;
    m_cancelText = cancelText;
}

QFont CDynDialogEx::DialogFont() const
{
    if (m_hasFont)
        return m_font;
    if (m_parent)
        return m_parent->font();
    return QApplication::font();
}

QString CDynDialogEx::ClassNameOfCode(unsigned short code)
{
    if (code < FirstCode || code > LastCode)
        return {};
    return QString::fromUtf16(ClassNames[code - FirstCode]);
}

unsigned short CDynDialogEx::ClassCodeOfName(const QString& className)
{
    for (unsigned short code = FirstCode; code <= LastCode; ++code) {
        if (className.startsWith(QString::fromUtf16(ClassNames[code - FirstCode])))
            return code;
    }
    return 0;
}

int CDynDialogEx::AddDlgControl(const QString& className, const QString& caption, unsigned style,
                                unsigned exStyle, const CRect* rect, Data data, int id)
{
    const CRect place = rect ? *rect : CRect(10, m_nextY, 270, m_nextY + 12);
    return AddItem(className, ClassCodeOfName(className), caption, style, exStyle, place, data, id);
}

int CDynDialogEx::AddDlgControl(unsigned short classCode, const QString& caption, unsigned style,
                                unsigned exStyle, const CRect* rect, Data data, int id)
{
    const CRect place = rect ? *rect : CRect(10, m_nextY, 120, m_nextY + 12);
    const QString className = ClassNameOfCode(classCode);
    return AddItem(className, className.isEmpty() ? 0 : classCode, caption, style, exStyle, place,
                   data, id);
}

int CDynDialogEx::AddSubclassedDlgControl(const QString& className, const QString& caption,
                                          unsigned style, unsigned exStyle, const CRect* rect,
                                          int id)
{
    const CRect place = rect ? *rect : CRect(10, m_nextY, 270, m_nextY + 12);
    return AddItem(className, ClassCodeOfName(className), caption, style, exStyle, place, {}, id);
}

int CDynDialogEx::AddItem(const QString& className, unsigned short classCode,
                          const QString& caption, unsigned style, unsigned exStyle,
                          const CRect& rect, Data data, int id)
{
    m_nextY += 12;
    // The dialog grows to hold the control, with a margin of 5 units right and below.
    m_dialogRect.left = std::min(m_dialogRect.left, rect.left);
    m_dialogRect.top = std::min(m_dialogRect.top, rect.top);
    if (rect.right > m_dialogRect.right)
        m_dialogRect.right = rect.right + 5;
    if (rect.bottom > m_dialogRect.bottom)
        m_dialogRect.bottom = rect.bottom + 5;

    SItem item;
    item.ClassName = className;
    item.ClassCode = classCode;
    item.Id = id != 0 ? id : g_nextAutomaticId++;
    item.Style = style;
    item.ExStyle = exStyle;
    item.Rect = rect;
    item.Caption = caption;
    item.Value = data;
    m_items.push_back(std::move(item));
    return m_items.back().Id;
}

QWidget* CDynDialogEx::CreateWidget(SItem& item)
{
    const unsigned style = item.Style;
    QWidget* widget = nullptr;
    switch (item.ClassCode) {
    case DYN_BUTTON: {
        const unsigned kind = style & BS_TYPEMASK;
        if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE ||
            kind == BS_AUTO3STATE) {
            auto* box = new QCheckBox(item.Caption, this);
            box->setTristate(kind == BS_3STATE || kind == BS_AUTO3STATE);
            widget = box;
        } else if (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) {
            widget = new QRadioButton(item.Caption, this);
        } else if (kind == BS_GROUPBOX) {
            widget = new QGroupBox(item.Caption, this);
        } else {
            auto* button = new QPushButton(item.Caption, this);
            button->setAutoDefault(false);
            button->setDefault(kind == BS_DEFPUSHBUTTON || item.Id == IDOK);
            const int id = item.Id;
            connect(button, &QPushButton::clicked, this, [this, id] {
                if (id == IDOK)
                    accept();
                else if (id == IDCANCEL)
                    reject();
                else
                    Q_EMIT Command(id, BN_CLICKED);
            });
            widget = button;
        }
        break;
    }
    case DYN_EDIT:
        if (style & ES_MULTILINE) {
            auto* edit = new QPlainTextEdit(item.Caption, this);
            edit->setReadOnly(style & ES_READONLY);
            if (style & (WS_HSCROLL | ES_AUTOHSCROLL))
                edit->setLineWrapMode(QPlainTextEdit::NoWrap);
            edit->setTabChangesFocus(true);
            widget = edit;
        } else {
            auto* edit = new QLineEdit(item.Caption, this);
            ApplyEditStyle(*edit, style);
            widget = edit;
        }
        break;
    case DYN_STATIC:
        widget = new QLabel(item.Caption, this);
        break;
    case DYN_LISTBOX:
        widget = new QListWidget(this);
        break;
    case DYN_SCROLLBAR:
        widget = new QScrollBar((style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal, this);
        break;
    case DYN_COMBOBOX:
    case DYN_COMBOBOXEX: {
        auto* combo = new QComboBox(this);
        combo->setEditable((style & 3) != CBS_DROPDOWNLIST);
        widget = combo;
        break;
    }
    case DYN_UPDOWN:
        widget = new QSpinBox(this);
        break;
    case DYN_PROGRESS:
        widget = new QProgressBar(this);
        break;
    case DYN_TRACKBAR:
        widget = new QSlider(Qt::Horizontal, this);
        break;
    case DYN_HOTKEY:
        widget = new QKeySequenceEdit(this);
        break;
    case DYN_LISTVIEW:
    case DYN_TREEVIEW:
        widget = new QTreeWidget(this);
        break;
    case DYN_TABCONTROL:
        widget = new QTabBar(this);
        break;
    case DYN_RICHEDIT:
        widget = new QTextEdit(this);
        break;
    case DYN_DATETIMEPICKER:
        if ((style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT) {
            widget = new QTimeEdit(this);
        } else {
            auto* date = new QDateEdit(this);
            date->setCalendarPopup(true);
            widget = date;
        }
        break;
    case DYN_MONTHCALENDAR:
        widget = new QCalendarWidget(this);
        break;
    case DYN_IPADDRESS: {
        auto* edit = new QLineEdit(this);
        edit->setInputMask(QStringLiteral("000.000.000.000;_"));
        widget = edit;
        break;
    }
    default: // no widget for the class (an animation, a control known by name only)
        return nullptr;
    }
    widget->setFont(DialogFont());
    widget->setEnabled(!(style & WS_DISABLED));
    widget->setVisible(style & WS_VISIBLE);
    if (!(style & WS_TABSTOP) && widget->focusPolicy() != Qt::NoFocus)
        widget->setFocusPolicy(Qt::ClickFocus);
    widget->setProperty("dlgCtrlId", item.Id);
    return widget;
}

void CDynDialogEx::CreateControls()
{
    if (m_created)
        return;
    m_created = true;
    if (m_useSystemButtons) {
        m_nextY += 6;
        const CRect ok(10, m_nextY, 60, m_nextY + 14);
        const CRect cancel(65, m_nextY, 115, m_nextY + 14);
        AddDlgControl(QStringLiteral("BUTTON"), m_okText, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0,
                      &ok, {}, IDOK);
        AddDlgControl(QStringLiteral("BUTTON"), m_cancelText, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0,
                      &cancel, {}, IDCANCEL);
    }
    const QFont font = DialogFont();
    QDialog::setFont(font);
    const SDialogUnits units = SDialogUnits::FromFont(font);
    const auto toPixels = [&](const CRect& r) {
        return CRect(units.ToPixelsX(r.left - m_dialogRect.left),
                     units.ToPixelsY(r.top - m_dialogRect.top),
                     units.ToPixelsX(r.right - m_dialogRect.left),
                     units.ToPixelsY(r.bottom - m_dialogRect.top));
    };
    for (SItem& item : m_items) {
        item.Widget = CreateWidget(item);
        if (!item.Widget) {
            GetWindowServices().MessageBox(QStringLiteral("Failed to create DlgItem."),
                                           MB_OK | MB_ICONERROR);
            continue;
        }
        item.Widget->setGeometry(toPixels(item.Rect).ToQRect());
    }
    const CRect size = toPixels(m_dialogRect);
    setFixedSize(size.Width(), size.Height());
    // The variables go into the controls, last first.
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
        ExchangeIn(*it);
    for (SItem& item : m_items) {
        if (item.Widget && item.Widget->isVisible() && item.Widget->isEnabled() &&
            item.Widget->focusPolicy() & Qt::TabFocus) {
            item.Widget->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

int CDynDialogEx::DoModal()
{
    CreateControls();
    if (m_parent) {
        const QRect frame = m_parent->window()->geometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    return GetControlDialogs().RunModal(*this);
}

QWidget* CDynDialogEx::GetDlgItem(int id) const
{
    for (const SItem& item : m_items) {
        if (item.Id == id)
            return item.Widget;
    }
    return nullptr;
}

std::vector<CDynDialogEx::SItem*> CDynDialogEx::RadioGroup(size_t first)
{
    std::vector<SItem*> group;
    for (size_t i = first; i < m_items.size(); ++i) {
        SItem& item = m_items[i];
        if (i > first && ((item.Style & WS_GROUP) || !IsAutoRadio(item.ClassName, item.Style)))
            break;
        group.push_back(&item);
    }
    return group;
}

void CDynDialogEx::ExchangeIn(SItem& item)
{
    if (!item.Widget)
        return;
    if (auto* const* text = std::get_if<QString*>(&item.Value); text && *text) {
        if (auto* edit = qobject_cast<QLineEdit*>(item.Widget))
            edit->setText(**text);
        else if (auto* lines = qobject_cast<QPlainTextEdit*>(item.Widget))
            lines->setPlainText(
                QString(**text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        else if (auto* label = qobject_cast<QLabel*>(item.Widget))
            label->setText(**text);
    } else if (auto* const* number = std::get_if<int*>(&item.Value); number && *number) {
        if (IsAutoRadio(item.ClassName, item.Style)) {
            const auto index = size_t(&item - m_items.data());
            const std::vector<SItem*> group = RadioGroup(index);
            for (size_t i = 0; i < group.size(); ++i) {
                if (auto* radio = qobject_cast<QRadioButton*>(group[i]->Widget))
                    radio->setChecked(int(i) == **number);
            }
        } else if (auto* box = qobject_cast<QCheckBox*>(item.Widget);
                   box && IsCheckExchange(item.ClassName, item.Style)) {
            box->setCheckState(**number == BST_CHECKED         ? Qt::Checked
                               : **number == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                               : Qt::Unchecked);
        } else if (auto* slider = qobject_cast<QAbstractSlider*>(item.Widget)) {
            slider->setValue(**number);
        }
    } else if (auto* const* date = std::get_if<QDateTime*>(&item.Value); date && *date) {
        if (auto* time = qobject_cast<QTimeEdit*>(item.Widget))
            time->setTime((*date)->time());
        else if (auto* day = qobject_cast<QDateEdit*>(item.Widget))
            day->setDate((*date)->date());
        else if (auto* calendar = qobject_cast<QCalendarWidget*>(item.Widget))
            calendar->setSelectedDate((*date)->date());
    }
}

void CDynDialogEx::ExchangeOut(SItem& item)
{
    if (!item.Widget)
        return;
    if (auto* const* text = std::get_if<QString*>(&item.Value); text && *text) {
        if (auto* edit = qobject_cast<QLineEdit*>(item.Widget))
            **text = edit->text();
        else if (auto* lines = qobject_cast<QPlainTextEdit*>(item.Widget))
            **text = lines->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
        else if (auto* label = qobject_cast<QLabel*>(item.Widget))
            **text = label->text();
    } else if (auto* const* number = std::get_if<int*>(&item.Value); number && *number) {
        if (IsAutoRadio(item.ClassName, item.Style)) {
            const auto index = size_t(&item - m_items.data());
            const std::vector<SItem*> group = RadioGroup(index);
            **number = -1;
            for (size_t i = 0; i < group.size(); ++i) {
                auto* radio = qobject_cast<QRadioButton*>(group[i]->Widget);
                if (radio && radio->isChecked())
                    **number = int(i);
            }
        } else if (auto* box = qobject_cast<QCheckBox*>(item.Widget);
                   box && IsCheckExchange(item.ClassName, item.Style)) {
            **number = box->checkState() == Qt::Checked            ? BST_CHECKED
                       : box->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE
                                                                   : BST_UNCHECKED;
        } else if (auto* slider = qobject_cast<QAbstractSlider*>(item.Widget)) {
            **number = slider->value();
        }
    } else if (auto* const* date = std::get_if<QDateTime*>(&item.Value); date && *date) {
        if (auto* time = qobject_cast<QTimeEdit*>(item.Widget))
            (*date)->setTime(time->time());
        else if (auto* day = qobject_cast<QDateEdit*>(item.Widget))
            (*date)->setDate(day->date());
        else if (auto* calendar = qobject_cast<QCalendarWidget*>(item.Widget))
            (*date)->setDate(calendar->selectedDate());
    }
}

void CDynDialogEx::accept()
{
    for (SItem& item : m_items)
        ExchangeOut(item);
    done(IDOK);
}

void CDynDialogEx::reject()
{
    done(IDCANCEL);
}
