#pragma once

#include <array>

// The column widths of the reconciliation page's grids for a client width. The question grid
// has 14 columns: the row number, then the campaign side (state and kind images, code, and one
// text column of the three the text mode chooses) and the source side (the same, and the
// volume); the response grid's 10 columns line up under them.
namespace recon_columns {

inline constexpr int kQuestionColumns = 14;
inline constexpr int kResponseColumns = 10;
// The row-number column.
inline constexpr int kNumberWidth = 80;

using QuestionWidths = std::array<int, kQuestionColumns>;
using ResponseWidths = std::array<int, kResponseColumns>;

// The question grid's widths for the client width, the default cell's margin and the text mode
// (0 shortcuts, 1 short captions, 2 long captions: the other two text columns of each side get
// no width). False, and the widths untouched, when the width leaves no room for a column.
bool QuestionColumnWidths(int clientWidth, int margin, int textMode, QuestionWidths& widths);

// The response grid's widths from the question grid's: codes or entry codes (entryCodes 1)
// under the question codes, the caption under the question's text columns.
ResponseWidths ResponseColumnWidths(const QuestionWidths& question, int entryCodes);

} // namespace recon_columns
