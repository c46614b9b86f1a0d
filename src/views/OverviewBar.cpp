#include "views/OverviewBar.h"

#include "grid/GdiPaint.h"
#include "grid/GridNotify.h"
#include "views/ReconColours.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <cmath>

COverviewBar::COverviewBar(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

COLORREF COverviewBar::StateColour(int state)
{
    switch (state) {
    case 0:
    case 3:
        return recon_colours::White;
    case 1:
        return recon_colours::Yellow;
    case 2:
        return recon_colours::Red;
    default:
        return CLR_DEFAULT;
    }
}

void COverviewBar::StatesChanged()
{
    m_bandsValid = false;
    update();
}

int COverviewBar::AddItem(int state)
{
    m_states.push_back(state);
    StatesChanged();
    return int(m_states.size()) - 1;
}

void COverviewBar::InsertItem(unsigned index, int state)
{
    if (index >= m_states.size())
        return;
    m_states.insert(m_states.begin() + index, state);
    StatesChanged();
}

void COverviewBar::DeleteItem(unsigned index)
{
    if (index >= m_states.size())
        return;
    m_states.erase(m_states.begin() + index);
    StatesChanged();
}

void COverviewBar::SetItemState(unsigned index, int state)
{
    if (index >= m_states.size() || m_states[index] == state)
        return;
    m_states[index] = state;
    StatesChanged();
}

void COverviewBar::SwapItems(int a, int b)
{
    const int count = GetItemCount();
    if (a < 0 || b < 0 || a >= count || b >= count)
        return;
    std::swap(m_states[size_t(a)], m_states[size_t(b)]);
    StatesChanged();
}

void COverviewBar::DeleteAllItems()
{
    m_states.clear();
    m_nMarkerY = -1;
    StatesChanged();
}

void COverviewBar::SetTopMargin(int margin)
{
    if (margin == m_nTopMargin)
        return;
    m_nTopMargin = margin;
    StatesChanged();
}

void COverviewBar::SetBarHeight(int height)
{
    if (height == m_nBarHeight)
        return;
    m_nBarHeight = height;
    StatesChanged();
}

// Rectangles -----------------------------------------------------------------------------------
// Edges as the frames are drawn: left and top inside, right and bottom outside (a frame whose
// bottom is not below its top has no height and is not drawn).

QRect COverviewBar::HeaderRect() const
{
    return QRect(QPoint(0, 0), QPoint(width() - 1, std::min(height(), m_nTopMargin) - 1));
}

QRect COverviewBar::BandFrameRect() const
{
    if (height() < m_nBarHeight || m_nBarHeight == 0)
        return {};
    const int top = m_nTopMargin - 1;
    const int bottom = std::min(height(), top + m_nBarHeight - 1);
    if (bottom <= top)
        return {};
    return QRect(QPoint(0, top), QPoint(width() - 1, bottom - 1));
}

QRect COverviewBar::FooterRect() const
{
    if (height() < m_nTopMargin + m_nBarHeight)
        return {};
    const int top = m_nTopMargin + m_nBarHeight - 3;
    if (height() <= top)
        return {};
    return QRect(QPoint(0, top), QPoint(width() - 1, height() - 1));
}

QRect COverviewBar::BandAreaRect() const
{
    const QRect frame = BandFrameRect();
    if (frame.isEmpty())
        return {};
    const QRect area = frame.adjusted(1, 1, -1, -1);
    return area.isEmpty() ? QRect() : area;
}

const std::vector<SOverviewBand>& COverviewBar::GetBands() const
{
    const int areaHeight = BandAreaRect().height();
    if (!m_bandsValid || areaHeight != m_bandsHeight) {
        m_bands = ComputeOverviewBands(m_states, std::max(0, areaHeight));
        m_bandsHeight = areaHeight;
        m_bandsValid = true;
    }
    return m_bands;
}

int COverviewBar::RowAtPoint(const QPoint& point) const
{
    const QRect area = BandAreaRect();
    if (m_states.empty() || area.isEmpty())
        return -1;
    return OverviewRowAt(GetBands(), point.y() - area.top());
}

void COverviewBar::EnsureMarkerOnRow(unsigned index)
{
    if (index >= m_states.size())
        return;
    const QRect area = BandAreaRect();
    double top = 0;
    double bottom = 0;
    if (!area.isEmpty() && OverviewRowSpan(GetBands(), int(index), top, bottom)) {
        top += area.top();
        bottom += area.top();
        if (m_nMarkerY < top || m_nMarkerY >= bottom)
            m_nMarkerY = int(std::lround((top + bottom) / 2));
    }
    update();
}

// Painting and clicks --------------------------------------------------------------------------

void COverviewBar::paintEvent(QPaintEvent*)
{
    if (!m_bThemeRead) {
        m_bThemeRead = true;
        m_crBorder = ReadEditBorderColour(this);
    }

    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QColor border = ReconQColor(m_crBorder);
    for (const QRect& frame : {HeaderRect(), BandFrameRect(), FooterRect()}) {
        if (frame.height() <= 0 || frame.width() <= 0)
            continue;
        painter.fillRect(frame, Qt::white);
        painter.setPen(border);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    }

    const QRect area = BandAreaRect();
    if (area.isEmpty())
        return;
    painter.save();
    painter.setClipRect(area);
    if (!m_states.empty()) {
        for (const SOverviewBand& band : GetBands()) {
            const QColor colour = ReconQColor(StateColour(band.State));
            if (colour.isValid() && band.Height > 0)
                painter.fillRect(area.left(), area.top() + band.Top, area.width(), band.Height,
                                 colour);
        }
    }
    if (m_nMarkerY != -1) {
        const int y = m_nMarkerY;
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygon({QPoint(0, y - 5), QPoint(0, y + 5), QPoint(10, y)}));
    }
    painter.restore();
}

void COverviewBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        if (BandAreaRect().contains(point)) {
            m_nMarkerY = point.y();
            NMOVERVIEWCLICK report;
            report.hwndFrom = this;
            report.idFrom = std::uintptr_t(m_nCtrlID);
            report.code = NM_CLICK;
            report.iRow = RowAtPoint(point);
            SendNotify(m_pOwner, report);
        } else {
            m_nMarkerY = -1;
        }
        update();
    }
    QWidget::mouseReleaseEvent(event);
}
