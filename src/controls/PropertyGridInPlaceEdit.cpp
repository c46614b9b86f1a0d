#include "controls/PropertyGridInPlaceEdit.h"

#include "grid/SysColors.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPalette>

namespace {
// One end of edit at a time across all in-place edits: a focus change caused by the report
// itself ends nothing more.
bool g_ending = false;
} // namespace

CPropertyGridInPlaceEdit::CPropertyGridInPlaceEdit(QWidget* parent, const CRect& rect,
                                                   const QString& initialText)
    : QLineEdit(parent), m_initialText(initialText)
{
    setFrame(false);
    setFont(parent->font());
    setGeometry(rect.ToQRect());
    SetColors(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
    setText(initialText);
    show();
    setFocus(Qt::OtherFocusReason);
    end(false);
}

void CPropertyGridInPlaceEdit::SetColors(COLORREF back, COLORREF text)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, ColorRefToQColor(back));
    colours.setColor(QPalette::Text, ColorRefToQColor(text));
    setPalette(colours);
}

bool CPropertyGridInPlaceEdit::event(QEvent* event)
{
    // Tab would move the focus along the dialog before reaching the key handler; Alt with a key
    // would reach the window's mnemonics. The edit takes both itself.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & Qt::AltModifier) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            LeaveToParent();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CPropertyGridInPlaceEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & Qt::AltModifier) {
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        LeaveToParent();
        return;
    case Qt::Key_Escape:
        setText(m_initialText);
        LeaveToParent();
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (event->modifiers() & Qt::ControlModifier) {
            LeaveToParent();
            return;
        }
        break;
    default:
        break;
    }
    // Keys the edit does not use go no further: the grid would move its focus.
    QLineEdit::keyPressEvent(event);
    event->accept();
}

void CPropertyGridInPlaceEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The edit's own context menu takes the focus for a moment; that ends nothing.
    if (event->reason() != Qt::PopupFocusReason)
        Report();
}

void CPropertyGridInPlaceEdit::LeaveToParent()
{
    if (QWidget* parent = parentWidget())
        parent->setFocus(Qt::OtherFocusReason);
    // Without an active window no focus change arrives: end the edit here.
    Report();
}

void CPropertyGridInPlaceEdit::Report()
{
    if (m_reported || g_ending)
        return;
    m_reported = true;
    g_ending = true;
    const QString text = this->text();
    Q_EMIT EditDone(text);
    g_ending = false;
    hide();
}
