// The property grid's mouse and keyboard input and its editors: focusing rows, collapsing
// sections, resizing the name column, scrolling, opening the editor of the focused item and
// storing what comes back.
#include "controls/ControlDialogs.h"
#include "controls/DynDialogEx.h"
#include "controls/PropertyGrid.h"
#include "controls/PropertyGridCombo.h"
#include "controls/PropertyGridDirectoryPicker.h"
#include "controls/PropertyGridInPlaceEdit.h"
#include "controls/PropertyGridMonthCalCtrl.h"
#include "controls/PropertyGridValueText.h"
#include "controls/WindowStyles.h"
#include "menus/PopupPlacement.h"
#include "platform/WindowServices.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace {
CPoint PointOf(const QMouseEvent* event)
{
    return CPoint(event->position().toPoint());
}
} // namespace

void CPropertyGrid::TakeFocus()
{
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
}

void CPropertyGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    // Taking the focus ends an open in-place edit, which stores its value first.
    TakeFocus();
    CloseEditor();
    const CPoint point = PointOf(event);
    // A click on a value that was released elsewhere is over: this press starts afresh.
    m_valueClicked = false;

    if (m_rcButton.PtInRect(point)) {
        m_buttonPushed = m_buttonDepressed = true;
        viewport()->update();
        return;
    }
    if (CItem* focused = FocusedItem();
        focused && focused->m_type == IT_CUSTOM && focused->GetEditMode() == EDIT_NONE &&
        focused->m_pCustom && focused->m_pCustom->OnLButtonDown(focused->m_rcValue, point)) {
        m_customCapture = true;
        viewport()->update();
        return;
    }
    if (std::abs(point.x - m_gutter) < 3) {
        m_resizing = true;
        m_dragPoint = point;
        viewport()->setCursor(Qt::SizeHorCursor);
        viewport()->update();
        return;
    }

    m_focusedSection = NO_SECTION;
    m_focusedItem = NO_ITEM;
    m_rcButton.SetRectEmpty();
    if (m_displayMode == DM_CATEGORIZED) {
        for (CSection& section : m_sections) {
            if (section.m_rcSign.PtInRect(point)) {
                section.m_collapsed = !section.m_collapsed;
                m_focusedSection = section.m_hSection;
                RecalcLayout();
                return;
            }
            if (section.m_rcTitle.PtInRect(point)) {
                m_focusedSection = section.m_hSection;
                Arrange();
                return;
            }
        }
    }
    for (CSection& section : m_sections) {
        if (section.m_collapsed && m_displayMode == DM_CATEGORIZED)
            continue;
        for (CItem& item : section.m_items) {
            if (!item.m_rcName.PtInRect(point) && !item.m_rcValue.PtInRect(point))
                continue;
            if (!item.m_editable && !m_focusDisabled)
                continue;
            m_focusedItem = item.m_hItem;
            // Only an enabled value opens its editor on the click.
            const int editMode = item.GetEditMode();
            if (item.m_rcValue.PtInRect(point))
                m_valueClicked =
                    item.m_editable && (editMode == EDIT_INPLACE || editMode == EDIT_DROPDOWN);
            Arrange();
            return;
        }
    }
    Arrange();
}

void CPropertyGrid::mouseMoveEvent(QMouseEvent* event)
{
    const CPoint point = PointOf(event);
    if (m_customCapture) {
        if (CItem* focused = FocusedItem(); focused && focused->m_pCustom)
            focused->m_pCustom->OnMouseMove(focused->m_rcValue, point);
        viewport()->update();
    } else if (m_buttonPushed) {
        m_buttonDepressed = m_rcButton.PtInRect(point);
        viewport()->update();
    } else if (m_resizing) {
        const int width = ClientWidth();
        m_gutter += point.x - m_dragPoint.x;
        m_gutter = std::max(m_gutter, width / 5);
        m_gutter = std::min(m_gutter, width * 4 / 5);
        m_dragPoint = point;
        Arrange();
    } else if (!m_editor) {
        viewport()->setCursor(std::abs(point.x - m_gutter) < 3 ? Qt::SizeHorCursor
                                                               : Qt::ArrowCursor);
    }
}

void CPropertyGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    const CPoint point = PointOf(event);
    if (m_customCapture) {
        m_customCapture = false;
        viewport()->update();
        if (CItem* focused = FocusedItem(); focused && focused->m_pCustom)
            focused->m_pCustom->OnLButtonUp(focused->m_rcValue, point);
    } else if (m_buttonPushed || m_valueClicked) {
        m_buttonPushed = m_buttonDepressed = false;
        viewport()->update();
        const CItem* focused = FocusedItem();
        const bool valueClicked = m_valueClicked;
        m_valueClicked = false;
        if (m_rcButton.PtInRect(point) ||
            (valueClicked && focused && focused->m_rcValue.PtInRect(point)))
            OpenEditor();
    } else if (m_resizing) {
        m_resizing = false;
        viewport()->setCursor(Qt::ArrowCursor);
    }
}

void CPropertyGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (CItem* item = FocusedItem()) {
        const HITEM handle = item->m_hItem;
        if (item->m_type == IT_BOOLEAN && item->m_editable && !item->m_values.Undefined) {
            CloseEditor();
            item->m_values.Bool = !item->m_values.Bool;
            NotifyChanged(handle);
        } else if (item->m_type == IT_COMBO && item->m_editable && !item->m_values.Undefined &&
                   !item->m_options.isEmpty()) {
            CloseEditor();
            // The index may lie outside the options (shown as its text); the next one is in.
            const int count = int(item->m_options.size());
            item->m_values.Integer = ((item->m_values.Integer + 1) % count + count) % count;
            NotifyChanged(handle);
        } else if (item->GetEditMode() == EDIT_MODAL) {
            RunDialogEditor(*item);
        }
    } else if (CSection* section = FindSectionPtr(m_focusedSection)) {
        section->m_collapsed = !section->m_collapsed;
        RecalcLayout();
    }
}

std::vector<CPropertyGrid::SRow> CPropertyGrid::NavigationRows()
{
    std::vector<SRow> rows;
    for (CSection& section : m_sections) {
        if (m_displayMode == DM_CATEGORIZED) {
            rows.push_back({&section, nullptr});
            if (section.m_collapsed)
                continue;
        }
        for (CItem& item : section.m_items)
            rows.push_back({&section, &item});
    }
    return rows;
}

void CPropertyGrid::FocusRow(const SRow& row)
{
    m_focusedSection = row.Item ? NO_SECTION : row.Section->m_hSection;
    m_focusedItem = row.Item ? row.Item->m_hItem : NO_ITEM;
}

void CPropertyGrid::MoveFocus(bool next)
{
    const std::vector<SRow> rows = NavigationRows();
    const auto canFocus = [this](const SRow& row) {
        return !row.Item || row.Item->m_editable || m_focusDisabled;
    };
    const auto isFocused = [this](const SRow& row) {
        return row.Item ? row.Item->m_hItem == m_focusedItem
                        : row.Section->m_hSection == m_focusedSection;
    };
    const int count = int(rows.size());
    const auto current = std::find_if(rows.begin(), rows.end(), isFocused);
    const int at = current == rows.end() ? -1 : int(current - rows.begin());
    // The next row that can take the focus after a position, wrapping; -1 for none.
    const auto nextFrom = [&](int from) {
        for (int step = 1; step <= count; ++step) {
            const int i = ((from + step) % count + count) % count;
            if (canFocus(rows[i]))
                return i;
        }
        return -1;
    };
    if (count == 0)
        return;
    if (next) {
        const int target = nextFrom(at < 0 ? -1 : at);
        if (target < 0) {
            m_focusedSection = NO_SECTION;
            m_focusedItem = NO_ITEM;
        } else {
            FocusRow(rows[target]);
        }
    } else {
        if (at < 0)
            return;
        // The row whose next row is the focused one.
        for (int i = 0; i < count; ++i) {
            if (canFocus(rows[i]) && nextFrom(i) == at && i != at) {
                FocusRow(rows[i]);
                break;
            }
        }
    }
    Arrange();
    ScrollFocusedRowIntoView();
}

void CPropertyGrid::ScrollFocusedRowIntoView()
{
    CRect row;
    if (const CItem* item = FocusedItem())
        row = item->m_rcName;
    else if (const CSection* section = FindSectionPtr(m_focusedSection))
        row = section->m_rcTitle;
    if (row.IsRectEmpty())
        return;
    CRect inside;
    inside.IntersectRect(row, CRect(0, 0, viewport()->width(), viewport()->height()));
    if (inside.Height() != m_lineHeight)
        ScrollBy(row.top);
}

void CPropertyGrid::ScrollBy(int pixels)
{
    if (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOn)
        return;
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(std::clamp(bar->value() + pixels, bar->minimum(), bar->maximum()));
    Arrange();
}

void CPropertyGrid::keyPressEvent(QKeyEvent* event)
{
    CSection* section = FindSectionPtr(m_focusedSection);
    switch (event->key()) {
    case Qt::Key_Down:
        MoveFocus(true);
        return;
    case Qt::Key_Up:
        MoveFocus(false);
        return;
    case Qt::Key_Left:
        if (section && !section->m_collapsed && m_displayMode == DM_CATEGORIZED) {
            section->m_collapsed = true;
            RecalcLayout();
        } else {
            MoveFocus(false);
        }
        return;
    case Qt::Key_Right:
        if (section && section->m_collapsed && m_displayMode == DM_CATEGORIZED) {
            section->m_collapsed = false;
            RecalcLayout();
        } else {
            MoveFocus(true);
        }
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text == u"*") {
        ExpandAll(true);
    } else if (text == u"/") {
        ExpandAll(false);
    } else if (text == u"+" || text == u"-") {
        if (section)
            ExpandSection(section->m_hSection, text == u"+");
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void CPropertyGrid::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    ScrollBy(-notches * 3 * m_lineHeight);
    event->accept();
}

void CPropertyGrid::OpenEditor()
{
    CItem* item = FocusedItem();
    if (!item)
        return;
    switch (item->GetEditMode()) {
    case EDIT_DROPDOWN:
        OpenDropDown(*item);
        break;
    case EDIT_INPLACE:
        OpenInPlaceEdit(*item);
        break;
    case EDIT_MODAL:
        RunDialogEditor(*item);
        break;
    default:
        break;
    }
}

QRect CPropertyGrid::RowOnScreen() const
{
    const QPoint topLeft = viewport()->mapToGlobal(QPoint(m_gutter, m_rcButton.top));
    return QRect(topLeft, QSize(std::max(1, m_rcButton.right - m_gutter), m_lineHeight));
}

void CPropertyGrid::OpenDropDown(CItem& item)
{
    const int top = m_rcButton.top + m_lineHeight;
    if (item.m_type == IT_CUSTOM) {
        if (item.m_pCustom)
            item.m_pCustom->ShowDropDown(
                CRect(m_gutter, m_rcButton.top, m_rcButton.right, m_rcButton.bottom));
        return;
    }
    if (item.m_type == IT_DATE) {
        auto* calendar = new CPropertyGridMonthCalCtrl(viewport());
        if (item.m_values.DateTime.isValid())
            calendar->setSelectedDate(item.m_values.DateTime.date());
        if (item.m_minDate.isValid())
            calendar->setMinimumDate(item.m_minDate.date());
        if (item.m_maxDate.isValid())
            calendar->setMaximumDate(item.m_maxDate.date());
        const QSize size = calendar->minimumSizeHint().expandedTo(calendar->sizeHint());
        const QPoint rightTop = viewport()->mapToGlobal(QPoint(m_rcButton.right, top));
        // Under the row, right-aligned with it; above it, or shifted, where the screen ends.
        calendar->setGeometry(FitPopupOnScreen(
            QRect(QPoint(rightTop.x() - size.width(), rightTop.y()), size), RowOnScreen()));
        connect(calendar, &CPropertyGridMonthCalCtrl::DateDone, this, &CPropertyGrid::OnDateDone);
        m_editor = calendar;
        calendar->show();
        calendar->setFocus(Qt::PopupFocusReason);
        return;
    }
    if (item.m_type != IT_COMBO && item.m_type != IT_BOOLEAN)
        return;
    auto* list = new CPropertyGridCombo(viewport());
    list->Create(CRect(m_gutter, top, m_rcButton.right, top + 100));
    list->SetAnchor(RowOnScreen());
    list->SetColors(m_colours[COLOUR_BACK], m_colours[COLOUR_TEXT], m_colours[COLOUR_FOCUS],
                    m_colours[COLOUR_HILITE_TEXT]);
    list->SetFont(m_normalFont);
    if (item.m_type == IT_BOOLEAN) {
        list->AddString(m_trueText);
        list->AddString(m_falseText);
        list->SetCurSel(item.m_values.Undefined ? -1 : (item.m_values.Bool ? 0 : 1));
    } else {
        for (const QString& option : item.m_options)
            list->AddString(option);
        list->SetCurSel(item.m_values.Undefined ? -1 : item.m_values.Integer);
    }
    connect(list, &CPropertyGridCombo::ListDone, this, &CPropertyGrid::OnListDone);
    m_editor = list;
    list->Show();
}

void CPropertyGrid::OpenInPlaceEdit(CItem& item)
{
    QString text;
    switch (item.m_type) {
    case IT_STRING:
        text = item.m_values.Text;
        break;
    case IT_INTEGER:
        if (!item.m_values.Undefined)
            text = QString::number(item.m_values.Integer);
        break;
    case IT_DOUBLE:
        if (!item.m_values.Undefined)
            text = FormatDoubleValue(item.m_values.Double, QString());
        break;
    case IT_CUSTOM:
        if (item.m_pCustom)
            text = item.m_pCustom->GetEditText();
        break;
    default:
        return;
    }
    const CRect place(m_rcButton.left + 1, m_rcButton.top + 2, m_rcButton.right, m_rcButton.bottom);
    auto* edit = new CPropertyGridInPlaceEdit(viewport(), place, text);
    edit->setFont(m_normalFont);
    edit->SetColors(m_colours[COLOUR_BACK], m_colours[COLOUR_TEXT]);
    connect(edit, &CPropertyGridInPlaceEdit::EditDone, this, &CPropertyGrid::OnEditDone);
    m_editor = edit;
}

void CPropertyGrid::CloseEditor()
{
    QWidget* editor = m_editor;
    m_editor = nullptr;
    if (!editor)
        return;
    // Hiding a focused in-place edit ends it: its report finds no editor to close any more.
    editor->hide();
    editor->deleteLater();
}

void CPropertyGrid::DropEditor()
{
    if (m_editor)
        m_editor->disconnect(this);
    CloseEditor();
}

void CPropertyGrid::NotifyChanged(HITEM item)
{
    Q_EMIT PropertyItemChanged(item);
    // The owner may have refilled the grid: nothing of the item is touched from here on.
    CloseEditor();
    Arrange();
}

void CPropertyGrid::OnListDone(int index)
{
    CItem* item = FocusedItem();
    if (!item || (item->m_type != IT_BOOLEAN && item->m_type != IT_COMBO))
        return;
    if (item->m_type == IT_BOOLEAN)
        item->m_values.Bool = index == 0;
    else
        item->m_values.Integer = index;
    item->m_values.Undefined = false;
    NotifyChanged(item->m_hItem);
}

void CPropertyGrid::OnEditDone(const QString& text)
{
    CItem* item = FocusedItem();
    if (!item)
        return;
    const HITEM handle = item->m_hItem;
    switch (item->m_type) {
    case IT_STRING:
        item->m_values.Text = text;
        item->m_values.Undefined = false;
        NotifyChanged(handle);
        return;
    case IT_INTEGER:
        // Only a whole number in range is taken; anything else keeps the value.
        if (ParseIntegerText(text, item->m_values.Integer)) {
            item->m_values.Undefined = false;
            NotifyChanged(handle);
            return;
        }
        break;
    case IT_DOUBLE:
        if (ParseDoubleText(text, item->m_values.Double)) {
            item->m_values.Undefined = false;
            NotifyChanged(handle);
            return;
        }
        break;
    case IT_CUSTOM:
        if (item->m_pCustom && item->m_pCustom->OnItemEdited(text)) {
            NotifyChanged(handle);
            return;
        }
        break;
    default:
        return;
    }
    CloseEditor();
    Arrange();
}

void CPropertyGrid::OnDateDone()
{
    CItem* item = FocusedItem();
    auto* calendar = qobject_cast<CPropertyGridMonthCalCtrl*>(m_editor.data());
    if (!item || item->m_type != IT_DATE || !calendar)
        return;
    const QDateTime old = item->m_values.DateTime;
    item->m_values.DateTime =
        QDateTime(calendar->selectedDate(), old.isValid() ? old.time() : QTime(0, 0));
    item->m_values.Undefined = false;
    NotifyChanged(item->m_hItem);
}

void CPropertyGrid::RunDialogEditor(CItem& item)
{
    if (!item.m_editable)
        return;
    const HITEM handle = item.m_hItem;
    if (item.m_type == IT_CUSTOM) {
        if (item.m_pCustom && item.m_pCustom->OnEdit())
            NotifyChanged(handle);
        return;
    }
    // The dialogs run with a copy: events during a modal run may change the grid.
    QWidget* owner = parentWidget();
    IControlDialogs& dialogs = GetControlDialogs();
    const QString option = item.m_options.isEmpty() ? QString() : item.m_options.constFirst();
    SValues values = item.m_values;
    bool changed = false;
    switch (item.m_type) {
    case IT_TEXT:
        changed = RunTextDialog(item.m_name, values.Text);
        break;
    case IT_DATETIME:
        changed = RunDateTimeDialog(item.m_name, values.DateTime);
        break;
    case IT_FILE:
        changed = dialogs.ChooseFile(owner, option, values.Text);
        break;
    case IT_FOLDER:
        CPropertyGridDirectoryPicker::m_strTitle = option;
        changed = CPropertyGridDirectoryPicker::BrowseForFolder(values.Text, owner);
        break;
    case IT_COLOR:
        changed = dialogs.ChooseColor(owner, values.Colour);
        break;
    case IT_FONT:
        changed = dialogs.ChooseFont(owner, values.Font);
        break;
    default:
        return;
    }
    CItem* edited = FindItemPtr(handle);
    if (!changed || !edited)
        return;
    values.Undefined = false;
    edited->m_values = values;
    NotifyChanged(handle);
}

bool CPropertyGrid::RunTextDialog(const QString& caption, QString& text)
{
    CDynDialogEx dialog(parentWidget());
    dialog.SetUseSystemButtons(false);
    dialog.SetWindowTitle(caption);
    dialog.SetFont(m_normalFont);
    const CRect editRect(7, 7, 200, 100);
    dialog.AddDlgControl(QStringLiteral("EDIT"), QString(),
                         WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                             ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                         WS_EX_CLIENTEDGE, &editRect, &text);
    const CRect okRect(56, 106, 106, 120);
    const CRect cancelRect(110, 106, 160, 120);
    dialog.AddDlgControl(QStringLiteral("BUTTON"), m_okText, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0,
                         &okRect, {}, IDOK);
    dialog.AddDlgControl(QStringLiteral("BUTTON"), m_cancelText, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                         0, &cancelRect, {}, IDCANCEL);
    return dialog.DoModal() == IDOK;
}

bool CPropertyGrid::RunDateTimeDialog(const QString& caption, QDateTime& value)
{
    // A value without a date starts the pickers at today.
    QDateTime date = value.isValid() ? value : QDateTime(QDate::currentDate(), QTime(0, 0));
    QDateTime time = date;
    CDynDialogEx dialog(parentWidget());
    dialog.SetUseSystemButtons(false);
    dialog.SetWindowTitle(caption);
    dialog.SetFont(m_normalFont);
    const CRect dateLabel(7, 3, 60, 12);
    const CRect timeLabel(67, 3, 120, 12);
    const CRect datePicker(7, 13, 60, 26);
    const CRect timePicker(67, 13, 120, 26);
    const CRect okRect(7, 37, 60, 51);
    const CRect cancelRect(67, 37, 120, 51);
    dialog.AddDlgControl(QStringLiteral("STATIC"), m_dateText, WS_CHILD | WS_VISIBLE, 0,
                         &dateLabel);
    dialog.AddDlgControl(QStringLiteral("STATIC"), m_timeText, WS_CHILD | WS_VISIBLE, 0,
                         &timeLabel);
    dialog.AddDlgControl(QStringLiteral("SysDateTimePick32"), QString(),
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_RIGHTALIGN, 0, &datePicker,
                         &date);
    dialog.AddDlgControl(QStringLiteral("SysDateTimePick32"), QString(),
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_RIGHTALIGN | DTS_TIMEFORMAT, 0,
                         &timePicker, &time);
    dialog.AddDlgControl(QStringLiteral("BUTTON"), m_okText, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0,
                         &okRect, {}, IDOK);
    dialog.AddDlgControl(QStringLiteral("BUTTON"), m_cancelText, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                         0, &cancelRect, {}, IDCANCEL);
    if (dialog.DoModal() != IDOK)
        return false;
    value = QDateTime(date.date(), time.time());
    return true;
}
