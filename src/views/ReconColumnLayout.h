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

// The widths that columns need for the texts they must always show whole (their headings,
// "Not matched"), measured in the page's fonts; 0 where a column's share is enough.
struct SColumnNeeds
{
    // Each code column of the question grid. The response grid's code column lies under a
    // question code column and the kind image column beside it, so its own need, less the image
    // column's width, counts here too.
    int Code = 0;
    // Each shown text column, and the response grid's caption column under it.
    int Text = 0;
};

// The question grid's widths for the client width, the default cell's margin and the text mode
// (0 shortcuts, 1 short captions, 2 long captions: the other two text columns of each side get
// no width). The code columns take 15 % of what the image and number columns leave, the shown
// text columns 55 % and the volume 30 %. Code columns that need more take it, up to a quarter
// each, from the text columns and the volume in the shares those have; text columns that then
// need more take it from the volume, down to half its share. False, and the widths untouched,
// when the width leaves no room for a column.
bool QuestionColumnWidths(int clientWidth, int margin, int textMode, QuestionWidths& widths,
                          const SColumnNeeds& needs = {});

// The response grid's widths from the question grid's: codes or entry codes (entryCodes 1)
// under the question codes, the caption under the question's text columns.
ResponseWidths ResponseColumnWidths(const QuestionWidths& question, int entryCodes);

} // namespace recon_columns
