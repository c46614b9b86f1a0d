#include "grid/InPlaceEditor.h"

#include "grid/GridCtrl.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {
// Shared by all editors: an end of edit while another one runs is ignored.
bool s_bEndingEdit = false;
} // namespace

unsigned VirtualKeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    default:
        return 0;
    }
}

QKeyEvent* TabKeyPress(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return nullptr;
    auto* key = static_cast<QKeyEvent*>(event);
    return key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ? key : nullptr;
}

void TypeKey(QWidget* widget, unsigned key)
{
    if (!widget)
        return;
    const unsigned ch = TypedCharOf(key);
    if (ch == VK_BACK) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        return;
    }
    const QChar character(char16_t(ch & 0xFFFF));
    // Printable ASCII keys carry their upper-case code, as the keyboard gives them.
    const int qtKey = ch < 0x80 && character.isPrint() ? int(character.toUpper().unicode())
                                                       : int(Qt::Key_unknown);
    const QString text(character);
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
}

bool EndsEditOnKey(const QKeyEvent& event, bool exitOnArrows, unsigned& key)
{
    key = VirtualKeyOf(event.key());
    switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
        return true;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return exitOnArrows || (event.modifiers() & Qt::ControlModifier);
    default:
        return false;
    }
}

CInPlaceEditor::CInPlaceEditor(CGridCtrl* grid, QWidget* self, unsigned id, int row, int col)
    : m_pGrid(grid), m_pSelf(self), m_nID(id), m_nRow(row), m_nColumn(col)
{
}

CGridCtrl* CInPlaceEditor::Grid() const
{
    return m_pGrid;
}

void CInPlaceEditor::EndEdit()
{
    if (s_bEndingEdit || m_bEnded)
        return;
    s_bEndingEdit = true;
    m_bEnded = true;

    GV_DISPINFO record;
    record.hwndFrom = m_pSelf;
    record.idFrom = m_nID;
    record.code = GVN_ENDLABELEDIT;
    record.item.mask = GVIF_TEXT | GVIF_PARAM;
    record.item.row = m_nRow;
    record.item.col = m_nColumn;
    record.item.strText = EditedText();
    record.item.lParam = std::intptr_t(m_nLastChar);
    if (m_pGrid) {
        m_pGrid->OnChildNotify(record);
        OnEnded();
    }

    // Closed: hidden now, deleted once the events in hand are done with it.
    if (m_pSelf->hasFocus() && m_pGrid)
        m_pGrid->setFocus(Qt::OtherFocusReason);
    m_pSelf->hide();
    m_pSelf->deleteLater();
    s_bEndingEdit = false;
}

void CInPlaceEditor::Abandon()
{
    if (m_bEnded)
        return;
    // Ended first, so that the focus loss of the hiding reports nothing.
    m_bEnded = true;
    if (m_pSelf->hasFocus() && m_pGrid)
        m_pGrid->setFocus(Qt::OtherFocusReason);
    m_pSelf->hide();
    m_pSelf->deleteLater();
}

void CInPlaceEditor::EndEditByKey(unsigned key)
{
    m_nLastChar = key;
    EndEdit();
}

void CInPlaceEditor::EndOnFocusOut(const QFocusEvent& event)
{
    // A pop-up (a context menu, a drop-down list) leaves the edit open, as does the focus
    // moving inside the editor or into a window of its own.
    if (event.reason() == Qt::PopupFocusReason)
        return;
    for (const QWidget* focus = QApplication::focusWidget(); focus; focus = focus->parentWidget())
        if (focus == m_pSelf)
            return;
    EndEdit();
}
