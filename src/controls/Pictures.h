#pragma once

#include <QIcon>
#include <QImage>
#include <QPainterPath>

// The program's own pictures, by the resource ids the windows ask for. They are drawn here
// rather than loaded from files.
enum : unsigned
{
    IDR_MAINFRAME_ICON = 128, // the program's icon, 64 x 64 with transparency
    IDB_QUESTION_KINDS = 225, // 368 x 16: the 23 question-kind images of 16 x 16, by kind
    IDB_CAMPAIGN_TREE = 226,  // 48 x 16: campaign, wave and volume images of the campaign tree
    IDB_SPLASH = 250,         // 510 x 202, 24-bit, pure green around the shape
    // 48 x 16: the library, caption group and caption images of the caption library tree.
    IDB_CAPTION_LIBRARY_TREE = 275,
    // The caption library dialog's buttons, 16 x 16 with transparency.
    IDI_ADD_GROUP_TO_LIBRARY = 277,
    IDI_ADD_CAPTIONS = 278,
    IDI_MAKE_BASE_CAPTION = 280,
    IDB_MOVE_UP = 286, // the question tree's buttons, 16 x 16 with transparency
    IDB_ADD_CHAPTER = 287,
    IDB_MOVE_DOWN = 288,
    IDB_MOVE_LEFT = 289,
    IDB_MOVE_RIGHT = 290,
};

// The picture of a resource id, or a null image for an id that names none.
QImage LoadPicture(unsigned id);

// The sizes of the program's icon that a desktop asks for (menus, panels, task switchers,
// file managers), each drawn for its size.
inline constexpr int kProgramIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The program's icon drawn at one size (a null image for a size below 1).
QImage ProgramIconPicture(int size);
// The program's window icon, with a picture drawn for every one of those sizes.
QIcon ProgramIcon();

// A five-pointed star standing on two points, its tips on the outer circle and its notches on
// the inner one.
QPainterPath StarPath(const QPointF& centre, double outerRadius, double innerRadius);
