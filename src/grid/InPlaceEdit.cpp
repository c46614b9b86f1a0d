#include "grid/InPlaceEdit.h"

#include "grid/GridCtrl.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

CInPlaceEdit::CInPlaceEdit(CGridCtrl* grid, const CRect& rect, unsigned style, unsigned id, int row,
                           int col, const QString& initialText, unsigned firstKey)
    : QLineEdit(grid->viewport()), CInPlaceEditor(grid, this, id, row, col),
      m_sInitText(initialText), m_bExitOnArrows(firstKey != VK_LBUTTON), m_Rect(rect)
{
    if (style & ES_RIGHT)
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    else if (style & ES_CENTER)
        setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    if (style & ES_NUMBER)
        setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    setFont(grid->GetDefaultCell(false, false)->GetFontObject());
    setGeometry(m_Rect.ToQRect());
    setText(initialText);
    show();
    setFocus(Qt::OtherFocusReason);

    switch (firstKey) {
    case VK_LBUTTON:
    case VK_RETURN:
        setCursorPosition(int(text().size()));
        break;
    case VK_BACK:
        setCursorPosition(int(text().size()));
        TypeKey(this, firstKey);
        break;
    case VK_TAB:
    case VK_SPACE:
        selectAll();
        break;
    default:
        selectAll();
        if (!IsNavigationKey(firstKey))
            TypeKey(this, firstKey);
        break;
    }
}

bool CInPlaceEdit::event(QEvent* event)
{
    // Alt with a key is the editor's too: it reaches no menu while the cell is edited.
    if (event->type() == QEvent::ShortcutOverride &&
        (static_cast<QKeyEvent*>(event)->modifiers() & Qt::AltModifier)) {
        event->accept();
        return true;
    }
    // Tab and Shift+Tab end the edit instead of moving the focus along the window's chain.
    if (QKeyEvent* tab = TabKeyPress(event)) {
        keyPressEvent(tab);
        return true;
    }
    return QLineEdit::event(event);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event)
{
    // Alt with a character types nothing, as it reaches no menu (Ctrl+Alt is AltGr and types).
    if ((event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == Qt::AltModifier) {
        event->accept();
        return;
    }
    if (EndOnKey(*event, m_bExitOnArrows, [this] { setText(m_sInitText); })) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
    // The editor takes every key: none goes on to the grid.
    event->accept();
    if (!event->text().isEmpty())
        FitToText();
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    EndOnFocusOut(*event);
}

void CInPlaceEdit::FitToText()
{
    // The frame and inner margins around the text area take part of the window's width.
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    const int chrome = width() - contents.width() + margins.left() + margins.right() + 4;
    const int wanted = fontMetrics().horizontalAdvance(text() + QStringLiteral("  ")) + chrome;
    if (wanted <= m_Rect.Width())
        return;
    const CRect client = Grid()->GetClientRect();
    m_Rect.right = std::max(m_Rect.right, std::min(m_Rect.left + wanted, client.right));
    setGeometry(m_Rect.ToQRect());
}
