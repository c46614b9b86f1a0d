#include "controls/PropertyGridCombo.h"

#include "controls/FrameControls.h"
#include "grid/DrawTextFormat.h"
#include "grid/GdiPaint.h"
#include "grid/SysColors.h"
#include "menus/PopupPlacement.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

CPropertyGridCombo::CPropertyGridCombo(QWidget* owner)
    : QWidget(owner, Qt::Popup), m_owner(owner), m_back(GetSysColor(COLOR_WINDOW)),
      m_text(GetSysColor(COLOR_WINDOWTEXT)), m_selectedBack(GetSysColor(COLOR_HIGHLIGHT)),
      m_selectedText(GetSysColor(COLOR_HIGHLIGHTTEXT))
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setFont(owner->font());
}

void CPropertyGridCombo::Create(const CRect& rect)
{
    const QPoint topLeft = m_owner->mapToGlobal(QPoint(rect.left, rect.top));
    setGeometry(QRect(topLeft, QSize(rect.Width(), std::max(1, rect.Height()))));
}

void CPropertyGridCombo::AddString(const QString& text)
{
    m_lines << text;
}

void CPropertyGridCombo::SetColors(COLORREF back, COLORREF text, COLORREF selectedBack,
                                   COLORREF selectedText)
{
    m_back = back;
    m_text = text;
    m_selectedBack = selectedBack;
    m_selectedText = selectedText;
    update();
}

void CPropertyGridCombo::SetFont(const QFont& font)
{
    setFont(font);
    update();
}

int CPropertyGridCombo::RowHeight() const
{
    return QFontMetrics(font()).height() + 4;
}

void CPropertyGridCombo::Show()
{
    const QRect wanted(pos(), QSize(width(), int(m_lines.size()) * RowHeight() + 2));
    setGeometry(FitPopupOnScreen(wanted, m_anchor));
    show();
    activateWindow();
    setFocus(Qt::PopupFocusReason);
}

int CPropertyGridCombo::IndexAt(int y) const
{
    return std::clamp(y / RowHeight(), 0, std::max(0, int(m_lines.size()) - 1));
}

void CPropertyGridCombo::paintEvent(QPaintEvent*)
{
    if (!m_lines.isEmpty())
        m_selected = std::clamp(m_selected, 0, int(m_lines.size()) - 1);
    QPainter painter(this);
    const CRect client(rect());
    FillRect(painter, client, m_back);
    FrameRect(painter, client, m_text);
    const int rowHeight = RowHeight();
    for (int i = 0; i < m_lines.size(); ++i) {
        const CRect row(1, 1 + i * rowHeight, client.right - 1, 1 + (i + 1) * rowHeight);
        COLORREF textColour = m_text;
        if (i == m_selected) {
            DrawFocusRect(painter, row);
            CRect inside = row;
            inside.DeflateRect(1);
            FillRect(painter, inside, m_selectedBack);
            textColour = m_selectedText;
        }
        CRect text = row;
        text.left += 4;
        painter.setPen(ColorRefToQColor(textColour));
        DrawText(painter, m_lines[i], text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
}

void CPropertyGridCombo::mousePressEvent(QMouseEvent* event)
{
    if (!rect().contains(event->position().toPoint())) {
        close();
        return;
    }
    m_selected = IndexAt(int(event->position().y()));
    m_tracking = true;
    update();
}

void CPropertyGridCombo::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_tracking)
        return;
    m_selected = IndexAt(int(event->position().y()));
    update();
}

void CPropertyGridCombo::mouseReleaseEvent(QMouseEvent*)
{
    if (!m_tracking)
        return;
    m_tracking = false;
    update();
    if (!m_lines.isEmpty())
        Q_EMIT ListDone(std::clamp(m_selected, 0, int(m_lines.size()) - 1));
}

void CPropertyGridCombo::keyPressEvent(QKeyEvent* event)
{
    const int last = int(m_lines.size()) - 1;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        m_selected = std::max(m_selected - 1, 0);
        update();
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        m_selected = std::max(0, std::min(m_selected + 1, last));
        update();
        break;
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Execute:
        if (last >= 0)
            Q_EMIT ListDone(std::clamp(m_selected, 0, last));
        break;
    default:
        QWidget::keyPressEvent(event);
        break;
    }
}

void CPropertyGridCombo::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        close();
}
