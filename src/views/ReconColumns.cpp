#include "views/ReconColumns.h"

#include "res/StringIds.h"

#include <cstddef>

namespace recon_columns {

namespace {

constexpr ESide C = ESide::Campaign;
constexpr ESide S = ESide::Source;

constexpr SQuestionColumn QuestionColumn(ESide side, ERole role, unsigned heading, ETextMode text,
                                         EWidth width, int shownIn = -1)
{
    SQuestionColumn column;
    column.Side = side;
    column.Role = role;
    column.HeadingId = heading;
    column.Text = text;
    column.PlaceholderId =
        text == ETextMode::ItemText || text == ETextMode::VolumeText ? IDS_NOT_MATCHED : 0;
    column.ShownIn = shownIn;
    column.Width = width;
    return column;
}

constexpr SResponseColumn ResponseColumn(ESide side, ERole role, unsigned heading, ETextMode text,
                                         EQuestionColumn first, EQuestionColumn last,
                                         int shownIn = -1, unsigned placeholder = IDS_NOT_MATCHED)
{
    SResponseColumn column;
    column.Side = side;
    column.Role = role;
    column.HeadingId = heading;
    column.Text = text;
    column.PlaceholderId =
        text == ETextMode::ItemText || text == ETextMode::VolumeText ? placeholder : 0;
    column.ShownIn = shownIn;
    column.UnderFirst = first;
    column.UnderLast = last;
    return column;
}

using enum ERole;
using enum ETextMode;

// Each side shows the state and the kind of its question as images, its code, and one of its
// three texts as the text mode chooses; the volume closes the source side.
constexpr std::array<SQuestionColumn, kQuestionColumns> kQuestion{
    QuestionColumn(ESide::None, Number, 0, RowNumber, EWidth::Number),
    QuestionColumn(C, State, IDS_BLANK_HEADING, Image, EWidth::Image),
    QuestionColumn(C, Kind, IDS_BLANK_HEADING, Image, EWidth::Image),
    QuestionColumn(C, Code, IDS_CODE_HEADING, ItemText, EWidth::Code),
    QuestionColumn(C, Shortcut, IDS_SHORTCUT_HEADING, ItemText, EWidth::Text, 0),
    QuestionColumn(C, ShortCaption, IDS_SHORT_CAPTION_HEADING, ItemText, EWidth::Text, 1),
    QuestionColumn(C, LongCaption, IDS_LONG_CAPTION_HEADING, ItemText, EWidth::Text, 2),
    QuestionColumn(S, State, IDS_BLANK_HEADING, Image, EWidth::Image),
    QuestionColumn(S, Kind, IDS_BLANK_HEADING, Image, EWidth::Image),
    QuestionColumn(S, Code, IDS_CODE_HEADING, ItemText, EWidth::Code),
    QuestionColumn(S, Shortcut, IDS_SHORTCUT_HEADING, ItemText, EWidth::Text, 0),
    QuestionColumn(S, ShortCaption, IDS_SHORT_CAPTION_HEADING, ItemText, EWidth::Text, 1),
    QuestionColumn(S, LongCaption, IDS_LONG_CAPTION_HEADING, ItemText, EWidth::Text, 2),
    QuestionColumn(S, Volume, IDS_VOLUME_COLUMN, VolumeText, EWidth::Rest),
};

// Each side shows the state of its response as an image, its code or its entry code (under the
// question's kind image and code) as the codes mode chooses, and its caption under the question's
// texts; the volume closes the source side.
constexpr std::array<SResponseColumn, kResponseColumns> kResponse{
    ResponseColumn(ESide::None, Number, 0, RowNumber, QColNumber, QColNumber),
    ResponseColumn(C, State, IDS_BLANK_HEADING, Image, QColState, QColState),
    ResponseColumn(C, Code, IDS_CODE_HEADING, ItemText, QColKind, QColCode, 0),
    ResponseColumn(C, EntryCode, IDS_ENTRY_CODE_HEADING, ItemText, QColKind, QColCode, 1),
    ResponseColumn(C, Caption, IDS_SHORT_CAPTION_HEADING, ItemText, QColShortcut, QColLongCaption),
    ResponseColumn(S, State, IDS_BLANK_HEADING, Image, QColSourceState, QColSourceState),
    ResponseColumn(S, Code, IDS_CODE_HEADING, ItemText, QColSourceKind, QColSourceCode, 0),
    ResponseColumn(S, EntryCode, IDS_ENTRY_CODE_HEADING, ItemText, QColSourceKind, QColSourceCode,
                   1, IDS_NO_ENTRY_CODE),
    ResponseColumn(S, Caption, IDS_SHORT_CAPTION_HEADING, ItemText, QColSourceShortcut,
                   QColSourceLongCaption),
    ResponseColumn(S, Volume, IDS_VOLUME_COLUMN, VolumeText, QColVolume, QColVolume),
};

// The row number comes first and each side's columns follow each other, the campaign's first.
template <class TColumns> constexpr bool SidesInOrder(const TColumns& columns)
{
    if (columns[0].Side != ESide::None)
        return false;
    for (std::size_t i = 1; i < columns.size(); ++i)
        if (columns[i].Side == ESide::None || columns[i].Side < columns[i - 1].Side)
            return false;
    return true;
}
static_assert(SidesInOrder(kQuestion) && SidesInOrder(kResponse));

const SColumn kNoColumn{ESide::None, ERole::Number, 0, RowNumber, 0, -1};

} // namespace

const std::array<SQuestionColumn, kQuestionColumns>& QuestionColumns()
{
    return kQuestion;
}

const std::array<SResponseColumn, kResponseColumns>& ResponseColumns()
{
    return kResponse;
}

int ColumnCount(EGrid grid)
{
    return grid == EGrid::Questions ? kQuestionColumns : kResponseColumns;
}

const SColumn& Column(EGrid grid, int col)
{
    if (col < 0 || col >= ColumnCount(grid))
        return kNoColumn;
    return grid == EGrid::Questions ? static_cast<const SColumn&>(kQuestion[size_t(col)])
                                    : static_cast<const SColumn&>(kResponse[size_t(col)]);
}

unsigned SideHeadingId(EGrid grid, ESide side)
{
    const bool questions = grid == EGrid::Questions;
    switch (side) {
    case ESide::Campaign:
        return questions ? IDS_CAMPAIGN_QUESTIONS : IDS_CAMPAIGN_RESPONSES;
    case ESide::Source:
        return questions ? IDS_SOURCE_QUESTIONS : IDS_SOURCE_RESPONSES;
    default:
        return 0;
    }
}

int FirstColumnOf(EGrid grid, ESide side)
{
    for (int col = 0; col < ColumnCount(grid); ++col)
        if (Column(grid, col).Side == side)
            return col;
    return -1;
}

int LastColumnOf(EGrid grid, ESide side)
{
    for (int col = ColumnCount(grid) - 1; col >= 0; --col)
        if (Column(grid, col).Side == side)
            return col;
    return -1;
}

bool IsSideColumn(EGrid grid, int col, ESide side)
{
    return col >= 0 && col < ColumnCount(grid) && Column(grid, col).Side == side;
}

bool IsItemColumn(EGrid grid, int col, ESide side)
{
    return IsSideColumn(grid, col, side) && Column(grid, col).Text == ItemText;
}

bool IsTextColumn(EGrid grid, int col)
{
    const ETextMode text = Column(grid, col).Text;
    return text == ItemText || text == VolumeText;
}

} // namespace recon_columns
