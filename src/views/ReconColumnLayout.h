#pragma once

#include "views/ReconColumns.h"

#include <array>

// The column widths of the reconciliation page's grids for a client width, from the grids' column
// tables: the row number has a fixed width, each image column an image's, and the code, text and
// rest groups share what those leave; the response grid's columns line up under the question
// grid's.
namespace recon_columns {

// The row-number column.
inline constexpr int kNumberWidth = 80;

using QuestionWidths = std::array<int, kQuestionColumns>;
using ResponseWidths = std::array<int, kResponseColumns>;

// The widths that columns need for the texts they must always show whole (their headings, their
// placeholders), measured in the page's fonts; 0 where a column's share is enough.
struct SColumnNeeds
{
    // Each code column of the question grid. A response-grid column under a question code column
    // also lies under the image column beside it, so its own need, less the image column's
    // width, counts here too.
    int Code = 0;
    // Each shown text column, and the response grid's caption column under it.
    int Text = 0;
};

// The question grid's widths for the client width, the default cell's margin and the text mode
// (0 shortcuts, 1 short captions, 2 long captions: the text columns the mode does not show get
// no width). The code columns share kCodeShare % of what the image and number columns leave, the
// shown text columns kTextShare % and the rest column kRestShare % with what the rounding leaves.
// Code columns that need more take it, up to a quarter each, from the shown text columns and the
// rest column, each giving in proportion to its group's share; text columns that then need more
// take it from the rest column, down to half its share. False, and the widths untouched, when
// the width leaves no room for a column.
bool QuestionColumnWidths(int clientWidth, int margin, int textMode, QuestionWidths& widths,
                          const SColumnNeeds& needs = {});

// The response grid's widths from the question grid's: each shown column takes the widths of
// the question columns it lies under; the codes mode (entryCodes 0 response codes, 1 entry
// codes) chooses the code columns shown.
ResponseWidths ResponseColumnWidths(const QuestionWidths& question, int entryCodes);

// The width of an image column for the default cell's margin.
int ImageColumnWidth(int margin);

} // namespace recon_columns
