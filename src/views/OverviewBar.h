#pragma once

#include "grid/ColorRef.h"
#include "grid/NotifyOwner.h"
#include "views/OverviewBands.h"

#include <QWidget>

#include <vector>

// The bar's click report to its owner: the header (code NM_CLICK, the bar's control id) and the
// row under the click, -1 when no row is there.
struct NMOVERVIEWCLICK : NMHDR
{
    int iRow = -1;
};

// A narrow bar beside a grid of the reconciliation page. It holds one state per grid row and
// paints all rows pressed into its height as coloured bands (white, yellow for differences,
// red for unmatched rows), so that the user sees at a glance where the rows that need work are.
// A click in the bands reports the row under it to the owner and leaves a black marker there.
//
// The owner places the band area: it starts below a header of the top margin (the grid's
// heading rows) and is the bar height high (where the grid's rows end).
class COverviewBar : public QWidget
{
    Q_OBJECT

public:
    explicit COverviewBar(QWidget* parent = nullptr);

    void SetOwner(INotifyOwner* owner) { m_pOwner = owner; }
    void SetDlgCtrlID(int id) { m_nCtrlID = id; }
    int GetDlgCtrlID() const { return m_nCtrlID; }

    // The colour of a state: 0 and 3 white, 1 yellow, 2 red, anything else none (CLR_DEFAULT).
    static COLORREF StateColour(int state);

    // Appends a row; its index.
    int AddItem(int state);
    // Each of these ignores an index at or past the count.
    void InsertItem(unsigned index, int state);
    void DeleteItem(unsigned index);
    void SetItemState(unsigned index, int state);
    // Swaps two rows' states when both are in range.
    void SwapItems(int a, int b);
    // Removes every row and the marker.
    void DeleteAllItems();
    int GetItemCount() const { return int(m_states.size()); }
    int GetItemState(int index) const { return m_states[size_t(index)]; }

    // Moves the marker to the middle of the row's span unless it is inside it already.
    void EnsureMarkerOnRow(unsigned index);
    // The marker's y in the bar, -1 when there is none.
    int GetMarkerY() const { return m_nMarkerY; }

    // The pixels above the band area, and its height.
    void SetTopMargin(int margin);
    int GetTopMargin() const { return m_nTopMargin; }
    void SetBarHeight(int height);
    int GetBarHeight() const { return m_nBarHeight; }

    // The rectangles the bar paints: the header above the bands, the frame around the band
    // area, the footer below it, and the band area itself (empty when there is no room).
    QRect HeaderRect() const;
    QRect BandFrameRect() const;
    QRect FooterRect() const;
    QRect BandAreaRect() const;
    // The bands in the band area (offsets from its top).
    const std::vector<SOverviewBand>& GetBands() const;
    // The row at a point of the bar, -1 outside the bands.
    int RowAtPoint(const QPoint& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void StatesChanged();

    INotifyOwner* m_pOwner = nullptr;
    int m_nCtrlID = 0;
    // The frames' colour: the theme's edit border, read at the first paint; black without one.
    COLORREF m_crBorder = 0;
    bool m_bThemeRead = false;
    std::vector<int> m_states;
    int m_nTopMargin = 0;
    int m_nBarHeight = -1;
    int m_nMarkerY = -1;
    // The bands of the states for the band area's height, made when first asked.
    mutable std::vector<SOverviewBand> m_bands;
    mutable int m_bandsHeight = -1;
    mutable bool m_bandsValid = false;
};
