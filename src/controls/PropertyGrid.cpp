#include "controls/PropertyGrid.h"

#include "controls/DialogUnits.h"
#include "controls/PropertyGridValueText.h"
#include "grid/SysColors.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

namespace {

constexpr int SystemColourOf[CPropertyGrid::COLOUR_COUNT] = {
    COLOR_WINDOWTEXT, COLOR_WINDOWTEXT,    COLOR_WINDOW,     COLOR_3DFACE,
    COLOR_HIGHLIGHT,  COLOR_HIGHLIGHTTEXT, COLOR_WINDOWTEXT, COLOR_GRAYTEXT,
};

// Whether the value is of the alternative the type keeps (unknown types keep anything).
bool ValueFitsType(int type, const CPropertyGrid::Value& value)
{
    switch (type) {
    case CPropertyGrid::IT_CUSTOM:
        return std::holds_alternative<ICustomItem*>(value) && std::get<ICustomItem*>(value);
    case CPropertyGrid::IT_STRING:
    case CPropertyGrid::IT_TEXT:
    case CPropertyGrid::IT_FILE:
    case CPropertyGrid::IT_FOLDER:
        return std::holds_alternative<QString>(value);
    case CPropertyGrid::IT_INTEGER:
    case CPropertyGrid::IT_COMBO:
        return std::holds_alternative<int>(value);
    case CPropertyGrid::IT_DOUBLE:
        return std::holds_alternative<double>(value);
    case CPropertyGrid::IT_BOOLEAN:
        return std::holds_alternative<bool>(value);
    case CPropertyGrid::IT_DATE:
    case CPropertyGrid::IT_DATETIME:
        return std::holds_alternative<QDateTime>(value);
    case CPropertyGrid::IT_COLOR:
        return std::holds_alternative<COLORREF>(value);
    case CPropertyGrid::IT_FONT:
        return std::holds_alternative<LOGFONT>(value);
    default:
        return true;
    }
}

void StoreValue(CPropertyGrid::CItem& item, const CPropertyGrid::Value& value)
{
    std::visit(
        [&item](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            CPropertyGrid::SValues& values = item.m_values;
            if constexpr (std::is_same_v<T, ICustomItem*>)
                item.m_pCustom = v;
            else if constexpr (std::is_same_v<T, QString>)
                values.Text = v;
            else if constexpr (std::is_same_v<T, int>)
                values.Integer = v;
            else if constexpr (std::is_same_v<T, double>)
                values.Double = v;
            else if constexpr (std::is_same_v<T, bool>)
                values.Bool = v;
            else if constexpr (std::is_same_v<T, QDateTime>)
                values.DateTime = v;
            else if constexpr (std::is_same_v<T, COLORREF>)
                values.Colour = v;
            else
                values.Font = v;
        },
        value);
}

} // namespace

int CPropertyGrid::CItem::GetEditMode() const
{
    switch (m_type) {
    case IT_CUSTOM:
        return m_pCustom ? m_pCustom->GetEditMode() : EDIT_NONE;
    case IT_STRING:
    case IT_INTEGER:
    case IT_DOUBLE:
        return EDIT_INPLACE;
    case IT_COMBO:
    case IT_BOOLEAN:
    case IT_DATE:
        return EDIT_DROPDOWN;
    case IT_TEXT:
    case IT_DATETIME:
    case IT_FILE:
    case IT_FOLDER:
    case IT_COLOR:
    case IT_FONT:
        return EDIT_MODAL;
    default:
        return EDIT_NONE;
    }
}

bool CPropertyGrid::CItem::IsChanged() const
{
    if (m_values.Undefined != m_saved.Undefined)
        return true;
    switch (m_type) {
    case IT_STRING:
    case IT_TEXT:
    case IT_FILE:
    case IT_FOLDER:
        return m_values.Text != m_saved.Text;
    case IT_INTEGER:
    case IT_COMBO:
        return m_values.Integer != m_saved.Integer;
    case IT_DOUBLE:
        return m_values.Double != m_saved.Double;
    case IT_BOOLEAN:
        return m_values.Bool != m_saved.Bool;
    case IT_DATE:
    case IT_DATETIME:
        return m_values.DateTime != m_saved.DateTime;
    case IT_COLOR:
        return m_values.Colour != m_saved.Colour;
    case IT_FONT:
        return !(m_values.Font == m_saved.Font);
    default:
        return false;
    }
}

CPropertyGrid::CPropertyGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    for (int i = 0; i < COLOUR_COUNT; ++i)
        m_colours[i] = m_systemColours[i] = GetSysColor(SystemColourOf[i]);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Arrange(); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { TakeFocus(); });
    Initialize();
}

CPropertyGrid::~CPropertyGrid()
{
    // An edit open while the grid goes away reports to no one.
    DropEditor();
}

void CPropertyGrid::Initialize()
{
    if (parentWidget()) {
        m_normalFont = parentWidget()->font();
    } else {
        m_normalFont = NamedFont(QStringLiteral("Tahoma"), 0);
        m_normalFont.setPointSizeF(8.5);
    }
    m_boldFont = m_normalFont;
    m_boldFont.setWeight(QFont::Bold);
    setFont(m_normalFont);
    m_lineHeight = QFontMetrics(m_normalFont).height() + 4;

    // The dialog's own OK and Cancel texts, when the parent shows them.
    m_okText = QStringLiteral("OK");
    m_cancelText = QStringLiteral("Cancel");
    if (parentWidget()) {
        if (auto* buttons = parentWidget()->findChild<QDialogButtonBox*>(
                QString(), Qt::FindDirectChildrenOnly)) {
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                m_okText = ok->text();
            if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel))
                m_cancelText = cancel->text();
        }
    }
}

int CPropertyGrid::ClientWidth() const
{
    return width();
}

int CPropertyGrid::ClientHeight() const
{
    return height();
}

CPropertyGrid::CSection* CPropertyGrid::FindSectionPtr(HSECTION section)
{
    for (CSection& s : m_sections) {
        if (s.m_hSection == section)
            return &s;
    }
    return nullptr;
}

const CPropertyGrid::CSection* CPropertyGrid::FindSection(HSECTION section) const
{
    return const_cast<CPropertyGrid*>(this)->FindSectionPtr(section);
}

CPropertyGrid::CItem* CPropertyGrid::FindItemPtr(HITEM item)
{
    if (item == NO_ITEM)
        return nullptr;
    for (CSection& s : m_sections) {
        for (CItem& i : s.m_items) {
            if (i.m_hItem == item)
                return &i;
        }
    }
    return nullptr;
}

const CPropertyGrid::CItem* CPropertyGrid::FindItem(HITEM item) const
{
    return const_cast<CPropertyGrid*>(this)->FindItemPtr(item);
}

CPropertyGrid::CItem* CPropertyGrid::FocusedItem()
{
    return FindItemPtr(m_focusedItem);
}

HSECTION CPropertyGrid::AddSection(const QString& title, bool collapsed, HSECTION before)
{
    CSection section;
    section.m_hSection = m_nextSection++;
    section.m_title = title;
    section.m_collapsed = collapsed;
    const auto at = std::find_if(m_sections.begin(), m_sections.end(),
                                 [before](const CSection& s) { return s.m_hSection == before; });
    m_sections.insert(at, std::move(section));
    RecalcLayout();
    return m_nextSection - 1;
}

HITEM CPropertyGrid::AddItem(HSECTION section, int type, const QString& name, const Value& value,
                             bool editable, bool undefined, HITEM)
{
    CSection* target = FindSectionPtr(section);
    if (!target || !ValueFitsType(type, value))
        return NO_ITEM;
    for (const CItem& item : target->m_items) {
        if (item.m_name == name)
            return NO_ITEM;
    }
    CItem item;
    item.m_hItem = m_nextItem++;
    item.m_editable = editable;
    item.m_type = type;
    item.m_name = name;
    item.m_values.Undefined = undefined;
    StoreValue(item, value);
    item.m_saved = item.m_values;
    target->m_items.push_back(std::move(item));
    CItem& added = target->m_items.back();
    if (added.m_pCustom) {
        added.m_pCustom->m_pGrid = this;
        added.m_pCustom->SaveValue();
    }
    RecalcLayout();
    return added.m_hItem;
}

HITEM CPropertyGrid::AddStringItem(HSECTION section, const QString& name, const QString& value,
                                   bool editable, HITEM after)
{
    return AddItem(section, IT_STRING, name, value, editable, false, after);
}

HITEM CPropertyGrid::AddMultilineTextItem(HSECTION section, const QString& name,
                                          const QString& value, bool editable, HITEM after)
{
    return AddItem(section, IT_TEXT, name, value, editable, false, after);
}

HITEM CPropertyGrid::AddIntegerItem(HSECTION section, const QString& name, int value,
                                    const QString& format, bool editable, bool undefined,
                                    HITEM after)
{
    const HITEM item = AddItem(section, IT_INTEGER, name, value, editable, undefined, after);
    if (CItem* added = FindItemPtr(item))
        added->m_options = QStringList{format};
    return item;
}

HITEM CPropertyGrid::AddComboItem(HSECTION section, const QString& name, const QStringList& choices,
                                  int chosen, bool editable, bool undefined, HITEM after)
{
    const HITEM item = AddItem(section, IT_COMBO, name, chosen, editable, undefined, after);
    if (CItem* added = FindItemPtr(item))
        added->m_options = choices;
    return item;
}

HITEM CPropertyGrid::AddBoolItem(HSECTION section, const QString& name, bool value, bool editable,
                                 bool undefined, HITEM after)
{
    return AddItem(section, IT_BOOLEAN, name, value, editable, undefined, after);
}

HITEM CPropertyGrid::AddDateItem(HSECTION section, const QString& name, const QDateTime& value,
                                 const QString& format, bool editable, bool undefined, HITEM after)
{
    const HITEM item = AddItem(section, IT_DATE, name, value, editable, undefined, after);
    if (CItem* added = FindItemPtr(item))
        added->m_options = QStringList{format};
    return item;
}

HITEM CPropertyGrid::AddFileItem(HSECTION section, const QString& name, const QString& path,
                                 const QString& filter, bool editable, HITEM after)
{
    const HITEM item = AddItem(section, IT_FILE, name, path, editable, false, after);
    if (CItem* added = FindItemPtr(item))
        added->m_options = QStringList{filter};
    return item;
}

HITEM CPropertyGrid::AddCustomItem(HSECTION section, const QString& name, ICustomItem* custom,
                                   bool editable, HITEM after)
{
    return AddItem(section, IT_CUSTOM, name, custom, editable, false, after);
}

void CPropertyGrid::ResetContents()
{
    // An open editor belongs to an item that is gone: it closes without a report.
    DropEditor();
    m_sections.clear();
    m_nextSection = 0;
    m_nextItem = 0;
    RecalcLayout();
}

void CPropertyGrid::ResetSelection()
{
    // The handle counters stay: the items that remain keep theirs, and new ones must not reuse
    // them.
    m_focusedSection = NO_SECTION;
    m_focusedItem = NO_ITEM;
    m_valueClicked = false;
    m_rcButton.SetRectEmpty();
    CloseEditor();
    RecalcLayout();
}

bool CPropertyGrid::GetStringValue(HITEM item, QString& value) const
{
    const CItem* found = FindItem(item);
    if (!found || found->m_values.Undefined)
        return false;
    switch (found->m_type) {
    case IT_STRING:
    case IT_TEXT:
    case IT_FILE:
    case IT_FOLDER:
        value = found->m_values.Text;
        return true;
    case IT_COMBO: {
        const int index = found->m_values.Integer;
        if (index < 0 || index >= found->m_options.size())
            return false;
        value = found->m_options[index];
        return true;
    }
    default:
        return false;
    }
}

bool CPropertyGrid::GetIntegerValue(HITEM item, int& value) const
{
    const CItem* found = FindItem(item);
    if (!found || found->m_values.Undefined ||
        (found->m_type != IT_INTEGER && found->m_type != IT_COMBO))
        return false;
    value = found->m_values.Integer;
    return true;
}

bool CPropertyGrid::GetBoolValue(HITEM item, bool& value) const
{
    const CItem* found = FindItem(item);
    if (!found || found->m_values.Undefined || found->m_type != IT_BOOLEAN)
        return false;
    value = found->m_values.Bool;
    return true;
}

bool CPropertyGrid::GetDateTimeValue(HITEM item, QDateTime& value) const
{
    const CItem* found = FindItem(item);
    if (!found || found->m_values.Undefined ||
        (found->m_type != IT_DATE && found->m_type != IT_DATETIME))
        return false;
    value = found->m_values.DateTime;
    return true;
}

bool CPropertyGrid::GetDateRange(HITEM item, QDateTime& minimum, QDateTime& maximum) const
{
    const CItem* found = FindItem(item);
    if (!found || found->m_type != IT_DATE)
        return false;
    minimum = found->m_minDate;
    maximum = found->m_maxDate;
    return true;
}

bool CPropertyGrid::SetDateRange(HITEM item, const QDateTime* minimum, const QDateTime* maximum)
{
    CItem* found = FindItemPtr(item);
    if (!found || found->m_type != IT_DATE)
        return false;
    found->m_minDate = minimum ? *minimum : QDateTime();
    found->m_maxDate = maximum ? *maximum : QDateTime();
    return true;
}

CPropertyGrid::CItem* CPropertyGrid::RestoreItemValue(HITEM item)
{
    CItem* found = FindItemPtr(item);
    if (found) {
        found->m_values = found->m_saved;
        Arrange();
    }
    return found;
}

void CPropertyGrid::ExpandSection(HSECTION section, bool expand)
{
    if (CSection* found = FindSectionPtr(section)) {
        found->m_collapsed = !expand;
        RecalcLayout();
    }
}

void CPropertyGrid::ExpandAll(bool expand)
{
    for (CSection& section : m_sections)
        section.m_collapsed = !expand;
    RecalcLayout();
}

void CPropertyGrid::SetGutterWidth(int gutter)
{
    m_gutter = gutter;
    m_gutterSet = true;
    Arrange();
}

void CPropertyGrid::SetDisplayMode(int mode)
{
    m_displayMode = mode;
    RecalcLayout();
}

void CPropertyGrid::SetShadeTitles(bool on)
{
    m_shadeTitles = on;
    Arrange();
}

void CPropertyGrid::SetDrawLines(bool on)
{
    m_drawLines = on;
    Arrange();
}

void CPropertyGrid::SetDrawGutter(bool on)
{
    m_drawGutter = on;
    Arrange();
}

void CPropertyGrid::SetFocusDisabled(bool on)
{
    m_focusDisabled = on;
    Arrange();
}

void CPropertyGrid::SetBoldModified(bool on)
{
    m_boldModified = on;
    Arrange();
}

void CPropertyGrid::SetBoldEditables(bool on)
{
    m_boldEditables = on;
    Arrange();
}

void CPropertyGrid::SetTrueFalseStrings(const QString& trueText, const QString& falseText)
{
    m_trueText = trueText;
    m_falseText = falseText;
    Arrange();
}

void CPropertyGrid::SetOkCancelStrings(const QString& okText, const QString& cancelText)
{
    m_okText = okText;
    m_cancelText = cancelText;
}

void CPropertyGrid::SetDateTimeStrings(const QString& dateText, const QString& timeText)
{
    m_dateText = dateText;
    m_timeText = timeText;
}

void CPropertyGrid::SetUndefinedString(const QString& text)
{
    m_undefinedText = text;
    Arrange();
}

void CPropertyGrid::SetEmptyMessage(const QString& text)
{
    m_emptyMessage = text;
    Arrange();
}

void CPropertyGrid::SetColour(EColour which, COLORREF colour)
{
    m_colours[which] = colour;
    Arrange();
}

void CPropertyGrid::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        // Colours still at the system colour follow it.
        for (int i = 0; i < COLOUR_COUNT; ++i) {
            const COLORREF now = GetSysColor(SystemColourOf[i]);
            if (m_colours[i] == m_systemColours[i])
                m_colours[i] = now;
            m_systemColours[i] = now;
        }
        Arrange();
    }
}

QString CPropertyGrid::GetValueText(const CItem& item) const
{
    if (item.m_values.Undefined)
        return m_undefinedText;
    const QString format = item.m_options.isEmpty() ? QString() : item.m_options.constFirst();
    const SValues& v = item.m_values;
    switch (item.m_type) {
    case IT_TEXT:
        return OneLineText(v.Text);
    case IT_INTEGER:
        return FormatIntegerValue(v.Integer, format);
    case IT_DOUBLE:
        return FormatDoubleValue(v.Double, format);
    case IT_COMBO:
        return v.Integer >= 0 && v.Integer < item.m_options.size() ? item.m_options[v.Integer]
                                                                   : v.Text;
    case IT_BOOLEAN:
        return v.Bool ? m_trueText : m_falseText;
    case IT_DATE:
        return FormatDateValue(v.DateTime, format, false);
    case IT_DATETIME:
        return FormatDateValue(v.DateTime, format, true);
    case IT_FILE:
    case IT_FOLDER: {
        const int width = item.m_rcValue.Width() - GetTextMargin();
        return CompactPath(v.Text, QFontMetrics(m_normalFont), std::max(0, width));
    }
    case IT_COLOR:
        return ColorValueText(v.Colour);
    case IT_FONT:
        return FontValueText(v.Font.lfFaceName, v.Font.lfHeight, logicalDpiY());
    default:
        return v.Text;
    }
}
