#pragma once

#include "grid/ColorRef.h"

#include <QColor>

// The colours of the reconciliation page, its grids and its overview bars, as the COLORREF
// words (0x00BBGGRR) the rows and cells are given. They become QColor only where they are
// painted, through ReconQColor.
namespace recon_colours {

// The grid's default colour of the cell ("use the default").
inline constexpr COLORREF Default = CLR_DEFAULT;
// Text of a "Not matched" side; band of an unmatched row.
inline constexpr COLORREF Red = 0x0000FF;
// Source-side text of an item that appeared in one of the wave's volumes.
inline constexpr COLORREF Green = 0x0FBD43;
// Text of deleted and merged items.
inline constexpr COLORREF Grey = 0x949494;
// Background of the rows of deleted items after an edit.
inline constexpr COLORREF LightGrey = 0xC8C8C8;
// Background of difference rows; band of a row with differences.
inline constexpr COLORREF Yellow = 0x5FF2FE;
// Band of a row without differences, and the bars' frames' fill.
inline constexpr COLORREF White = 0xFFFFFF;
inline constexpr COLORREF Black = 0x000000;
// The grids' heading cells and background, and their data cells.
inline constexpr COLORREF HeadingBack = 0xF7ECE4;
inline constexpr COLORREF CellBack = 0xF8F8F8;

} // namespace recon_colours

class QWidget;

// The colour of the visual style's edit-control border for the window, which the page's grids
// and bars frame themselves with; black without a visual style.
COLORREF ReadEditBorderColour(QWidget* window);

// The colour to paint a word with; an invalid QColor for the default marker.
inline QColor ReconQColor(COLORREF colour)
{
    return ColorRefToQColor(colour);
}
