#pragma once

#include <array>

// The columns of the reconciliation page's two grids, one table per grid. Each column has its
// side, what it shows, its heading, how it takes its width and how the row writers put text in
// it; the layout, the headings, the row styles and the cell tests of the drags and context menus
// read the tables, so that a new column is a line of its grid's table and a case of a writer.
namespace recon_columns {

// Columns of the question grid: the row number, the campaign side, then the source side with
// the volume.
enum EQuestionColumn
{
    QColNumber = 0,
    QColState,
    QColKind,
    QColCode,
    QColShortcut,
    QColShortCaption,
    QColLongCaption,
    QColSourceState,
    QColSourceKind,
    QColSourceCode,
    QColSourceShortcut,
    QColSourceShortCaption,
    QColSourceLongCaption,
    QColVolume,
    QColCount
};

// Columns of the response grid, in the same order; each lies under question-grid columns.
enum EResponseColumn
{
    RColNumber = 0,
    RColState,
    RColCode,
    RColEntryCode,
    RColCaption,
    RColSourceState,
    RColSourceCode,
    RColSourceEntryCode,
    RColSourceCaption,
    RColVolume,
    RColCount
};

inline constexpr int kQuestionColumns = QColCount;
inline constexpr int kResponseColumns = RColCount;

enum class EGrid
{
    Questions,
    Responses
};

// The side of a row a column belongs to; the row-number column belongs to neither.
enum class ESide
{
    None,
    Campaign,
    Source
};

// What a column shows of its side's item.
enum class ERole
{
    Number,
    State,
    Kind,
    Code,
    EntryCode,
    Shortcut,
    ShortCaption,
    LongCaption,
    Caption,
    Volume
};

// How the row writers put text in a column.
enum class ETextMode
{
    // The row's number, in the heading font of the column's own default cell.
    RowNumber,
    // An image and no text: its text colour stays the default, its font the grid's.
    Image,
    // A text of the side's item in the row's font and colours; the column's placeholder when the
    // side has no item.
    ItemText,
    // The name of the row's volume in the row's font and colours; the placeholder without one.
    VolumeText
};

// How a question-grid column takes its width (see QuestionColumnWidths): a fixed width, an
// image's, or its group's share of the rest, split evenly among the group's shown columns.
enum class EWidth
{
    Number,
    Image,
    Code,
    Text,
    // The column that also takes what the rounding of the shares leaves.
    Rest
};

// The shares in percent of the width the number and image columns leave, of the question
// grid's width groups.
inline constexpr int kCodeShare = 15;
inline constexpr int kTextShare = 55;
inline constexpr int kRestShare = 30;

struct SColumn
{
    ESide Side = ESide::None;
    ERole Role = ERole::Number;
    // The text of the column's heading in the second heading row; 0 for none.
    unsigned HeadingId = 0;
    ETextMode Text = ETextMode::RowNumber;
    // The text shown without an item (0 for none), which a code column shows whole.
    unsigned PlaceholderId = 0;
    // The view mode that shows the column (the question grid's text mode: 0 shortcuts, 1 short
    // captions, 2 long captions; the response grid's codes: 0 response codes, 1 entry codes);
    // -1 for every mode. A column not shown gets no width.
    int ShownIn = -1;
};

struct SQuestionColumn : SColumn
{
    EWidth Width = EWidth::Number;
};

struct SResponseColumn : SColumn
{
    // The question-grid columns the column lies under, first to last: its width is theirs.
    EQuestionColumn UnderFirst = QColNumber;
    EQuestionColumn UnderLast = QColNumber;
};

const std::array<SQuestionColumn, kQuestionColumns>& QuestionColumns();
const std::array<SResponseColumn, kResponseColumns>& ResponseColumns();

int ColumnCount(EGrid grid);
// The grid's column; columns out of range have side None and show nothing.
const SColumn& Column(EGrid grid, int col);
// The first-row heading over a side's columns.
unsigned SideHeadingId(EGrid grid, ESide side);
// The first and last column of the side (the sides' columns are contiguous).
int FirstColumnOf(EGrid grid, ESide side);
int LastColumnOf(EGrid grid, ESide side);

// Whether the column belongs to the side.
bool IsSideColumn(EGrid grid, int col, ESide side);
// Whether the column shows a text of the side's item (the cells a drag, a pick or a context
// menu acts on).
bool IsItemColumn(EGrid grid, int col, ESide side);
// Whether the column carries text in the row's font (item texts and the volume).
bool IsTextColumn(EGrid grid, int col);

} // namespace recon_columns
