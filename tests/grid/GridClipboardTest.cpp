#include "GridTestSupport.h"

#include "grid/SysColors.h"
#include "res/CommandIds.h"
#include "widgets/Screenshots.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {
// A grid of 7 rows and 5 columns (one fixed of each) whose cells name themselves "r.c", some
// with a comma.
struct SClipGrid : SShownGrid
{
    SClipGrid() : SShownGrid(7, 5, 1, 1)
    {
        for (int row = 1; row < 7; ++row)
            for (int col = 1; col < 5; ++col)
                grid.SetCellText(row, col, Name(row, col));
        grid.SetCellText(2, 2, QStringLiteral("Yes, always"));
        grid.SetModified(false);
        grid.SetFocusCell(1, 1);
        owner.Reports.clear();
    }
    static QString Name(int row, int col) { return QStringLiteral("%1.%2").arg(row).arg(col); }
    QString Text(int row, int col) const { return grid.GetCellText(row, col); }
    QString Clipboard() const { return QApplication::clipboard()->text(); }
};

using R = CRecordingOwner::SReport;
} // namespace

TEST(GridClipboardTest, CopyWritesTheSelectedRangeWithHiddenPartsLeftOut)
{
    struct SCase
    {
        const char* Name;
        std::function<void(SClipGrid&)> Prepare;
        const char* Expected;
    };
    const SCase cases[] = {
        {"two rows", [](SClipGrid& g) { g.grid.SetSelectedRange(1, 1, 2, 3); },
         "1.1\t1.2\t1.3\n2.1\tYes, always\t2.3"},
        {"an unselected cell gives an empty text",
         [](SClipGrid& g) {
             g.grid.SetSelectedRange(1, 1, 2, 3);
             g.grid.SetCellState(2, 2, g.grid.GetCellState(2, 2) & ~GVIS_SELECTED);
         },
         "1.1\t1.2\t1.3\n2.1\t\t2.3"},
        {"a hidden last column ends no line with a TAB",
         [](SClipGrid& g) {
             g.grid.SetColumnWidth(3, 0);
             g.grid.SetSelectedRange(1, 1, 2, 3);
         },
         "1.1\t1.2\n2.1\tYes, always"},
        {"a hidden column inside",
         [](SClipGrid& g) {
             g.grid.SetColumnWidth(2, 0);
             g.grid.SetSelectedRange(1, 1, 1, 4);
         },
         "1.1\t1.3\t1.4"},
        {"hidden rows inside and at the end",
         [](SClipGrid& g) {
             g.grid.SetRowHeight(2, 0);
             g.grid.SetRowHeight(4, 0);
             g.grid.SetSelectedRange(1, 3, 4, 3);
         },
         "1.3\n3.3"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SClipGrid shown;
        QApplication::clipboard()->clear();
        c.Prepare(shown);
        shown.Key(Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(shown.Clipboard(), QString::fromLatin1(c.Expected));
    }

    // Nothing selected: nothing copied.
    SClipGrid empty;
    QApplication::clipboard()->setText(QStringLiteral("before"));
    empty.grid.OnEditCopy();
    EXPECT_EQ(empty.Clipboard(), QStringLiteral("before"));
}

TEST(GridClipboardTest, PasteSplitsAtTabsAndLineEndsOntoTheShownCells)
{
    struct SCase
    {
        const char* Name;
        const char* Text;
        std::function<void(SClipGrid&)> Prepare;
        CCellID Target;
        std::vector<std::pair<CCellID, QString>> Cells;
        CCellIDRange Selected;
    };
    const auto s = [](const char* text) { return QString::fromLatin1(text); };
    const auto none = [](SClipGrid&) {};
    const SCase cases[] = {
        {"TABs",
         "a\tb\tc",
         none,
         {2, 2},
         {{{2, 2}, s("a")}, {{2, 3}, s("b")}, {{2, 4}, s("c")}},
         {2, 2, 2, 4}},
        {"a comma stays in its cell",
         "1, 2\t3",
         none,
         {2, 2},
         {{{2, 2}, s("1, 2")}, {{2, 3}, s("3")}, {{2, 4}, s("2.4")}},
         {2, 2, 2, 3}},
        {"CR LF lines, the last one ended",
         "a\r\nb\r\n",
         none,
         {2, 2},
         {{{2, 2}, s("a")}, {{3, 2}, s("b")}, {{4, 2}, s("4.2")}},
         {2, 2, 3, 2}},
        {"LF lines", "a\nb", none, {5, 1}, {{{5, 1}, s("a")}, {{6, 1}, s("b")}}, {5, 1, 6, 1}},
        {"blanks are kept",
         " a \t",
         none,
         {2, 2},
         {{{2, 2}, s(" a ")}, {{2, 3}, s("")}},
         {2, 2, 2, 3}},
        {"a hidden column is passed over",
         "a\tb",
         [](SClipGrid& g) { g.grid.SetColumnWidth(3, 0); },
         {2, 2},
         {{{2, 2}, s("a")}, {{2, 3}, s("2.3")}, {{2, 4}, s("b")}},
         {2, 2, 2, 4}},
        {"a hidden row is passed over",
         "a\nb",
         [](SClipGrid& g) { g.grid.SetRowHeight(3, 0); },
         {2, 2},
         {{{2, 2}, s("a")}, {{3, 2}, s("3.2")}, {{4, 2}, s("b")}},
         {2, 2, 4, 2}},
        {"text beyond the grid is dropped",
         "a\tb\tc\td\ne\tf\tg\nh\ni",
         none,
         {5, 3},
         {{{5, 3}, s("a")}, {{5, 4}, s("b")}, {{6, 3}, s("e")}, {{6, 4}, s("f")}},
         {5, 3, 6, 4}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SClipGrid shown;
        c.Prepare(shown);
        shown.grid.SetSelectedRange(c.Target.row, c.Target.col, c.Target.row, c.Target.col);
        QApplication::clipboard()->setText(QString::fromLatin1(c.Text));
        shown.Key(Qt::Key_V, Qt::ControlModifier);
        for (const auto& [cell, text] : c.Cells)
            EXPECT_EQ(shown.Text(cell.row, cell.col), text) << cell.row << "," << cell.col;
        EXPECT_EQ(shown.grid.GetSelectedRange(), c.Selected);
        EXPECT_EQ(shown.grid.GetSelectedCount(), c.Selected.Count());
    }
}

TEST(GridClipboardTest, CopyThenPasteReturnsTheSameTextsCommasIncluded)
{
    SClipGrid shown;
    shown.grid.SetCellText(3, 3, QStringLiteral("a, b, c"));
    shown.grid.SetCellText(1, 2, QString());
    shown.grid.SetColumnWidth(2, 0);
    std::vector<QString> before;
    for (int row = 1; row < 4; ++row)
        for (int col = 1; col < 5; ++col)
            before.push_back(shown.Text(row, col));

    shown.grid.SetSelectedRange(1, 1, 3, 4);
    shown.Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(shown.Text(3, 3), QString());
    // A hidden cell is not on the clipboard: cutting leaves it as it is.
    EXPECT_EQ(shown.Text(2, 2), QStringLiteral("Yes, always"));
    shown.grid.SetSelectedRange(1, 1, 1, 1);
    shown.Key(Qt::Key_V, Qt::ControlModifier);

    std::vector<QString> after;
    for (int row = 1; row < 4; ++row)
        for (int col = 1; col < 5; ++col)
            after.push_back(shown.Text(row, col));
    EXPECT_EQ(after, before);
}

TEST(GridClipboardTest, CutEmptiesOnlyTheCellsTheOwnerLetsChange)
{
    SClipGrid shown;
    shown.owner.Answer = [&](int code) {
        return code == GVN_BEGINLABELEDIT && shown.owner.Reports.back().Row == 2 ? -1 : 0;
    };
    shown.grid.SetSelectedRange(1, 1, 2, 2);
    shown.Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(shown.Clipboard(), QStringLiteral("1.1\t1.2\n2.1\tYes, always"));
    EXPECT_EQ(shown.Text(1, 1), QString());
    EXPECT_EQ(shown.Text(1, 2), QString());
    EXPECT_EQ(shown.Text(2, 1), QStringLiteral("2.1"));

    // A grid that is not editable copies but neither cuts nor pastes.
    SClipGrid locked;
    locked.grid.SetEditable(false);
    locked.grid.SetSelectedRange(1, 1, 1, 1);
    locked.Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(locked.Text(1, 1), QStringLiteral("1.1"));
    locked.Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(locked.Clipboard(), QStringLiteral("1.1"));
    QApplication::clipboard()->setText(QStringLiteral("x"));
    locked.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(locked.Text(1, 1), QStringLiteral("1.1"));
}

TEST(GridClipboardTest, PasteIntoAnOpenEditorGoesToTheEditor)
{
    SClipGrid shown;
    shown.grid.SetFocusCell(2, 2);
    shown.grid.SetSelectedRange(2, 2, 2, 2);
    shown.Key(Qt::Key_F2);
    ASSERT_NE(shown.OpenEditor(), nullptr);
    QApplication::clipboard()->setText(QStringLiteral("!\tx"));
    shown.grid.OnEditPaste();
    EXPECT_EQ(shown.EditorOf<QLineEdit>(2, 2)->text(), QStringLiteral("Yes, always!\tx"));
    EXPECT_EQ(shown.Text(2, 3), QStringLiteral("2.3"));
}

TEST(GridClipboardTest, EditCommandsAreEnabledByTheSelectionTheFocusAndTheClipboard)
{
    SClipGrid shown;
    shown.grid.SetFocusCell(-1, -1);
    QApplication::clipboard()->clear();
    EXPECT_FALSE(shown.grid.IsEditCommandEnabled(ID_EDIT_COPY));
    EXPECT_FALSE(shown.grid.IsEditCommandEnabled(ID_EDIT_CUT));
    EXPECT_FALSE(shown.grid.IsEditCommandEnabled(ID_EDIT_PASTE));
    EXPECT_TRUE(shown.grid.IsEditCommandEnabled(ID_EDIT_SELECT_ALL));
    EXPECT_FALSE(shown.grid.IsEditCommandEnabled(ID_EDIT_UNDO));

    shown.grid.SetSelectedRange(1, 1, 1, 1);
    shown.grid.SetFocusCell(1, 1);
    QApplication::clipboard()->setText(QStringLiteral("x"));
    EXPECT_TRUE(shown.grid.IsEditCommandEnabled(ID_EDIT_COPY));
    EXPECT_TRUE(shown.grid.IsEditCommandEnabled(ID_EDIT_CUT));
    EXPECT_TRUE(shown.grid.IsEditCommandEnabled(ID_EDIT_PASTE));

    shown.grid.SetCellState(1, 1, shown.grid.GetCellState(1, 1) | GVIS_READONLY);
    EXPECT_FALSE(shown.grid.IsEditCommandEnabled(ID_EDIT_PASTE));
    shown.grid.SetEditable(false);
    EXPECT_FALSE(shown.grid.IsEditCommandEnabled(ID_EDIT_CUT));
    EXPECT_TRUE(shown.grid.IsEditCommandEnabled(ID_EDIT_COPY));
    shown.grid.EnableSelection(false);
    EXPECT_FALSE(shown.grid.IsEditCommandEnabled(ID_EDIT_SELECT_ALL));

    // Running a command goes through the grid's handler.
    shown.grid.EnableSelection(true);
    EXPECT_TRUE(shown.grid.OnEditCommand(ID_EDIT_SELECT_ALL));
    EXPECT_EQ(shown.grid.GetSelectedCount(), 6 * 4);
    EXPECT_FALSE(shown.grid.OnEditCommand(ID_EDIT_UNDO));
}

TEST(GridClipboardTest, AVirtualGridCopiesTheOwnersTextsBetweenCacheHints)
{
    CRecordingOwner owner;
    CGridCtrl grid;
    grid.SetOwner(&owner);
    grid.SetVirtualMode(true);
    grid.SetRowCount(4);
    grid.SetColumnCount(3);
    owner.FillText = [](GRIDCELLITEM& item) {
        item.strText = QStringLiteral("v%1%2").arg(item.row).arg(item.col);
    };
    grid.SetSelectedRange(1, 1, 2, 2);
    owner.Hints.clear();
    grid.OnEditCopy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("v11\tv12\nv21\tv22"));
    EXPECT_EQ(owner.Hints, (std::vector<CCellIDRange>{CCellIDRange(1, 1, 2, 2), CCellIDRange()}));
}

TEST(GridClipboardTest, TheDragImageIsTheFocusCellDrawnUnselected)
{
    SClipGrid shown;
    shown.grid.SetSelectedRange(2, 2, 2, 2);
    shown.grid.SetFocusCell(-1, -1);
    QPoint hotSpot;
    EXPECT_TRUE(shown.grid.MakeDragImage(&hotSpot).isNull());
    shown.grid.SetFocusCell(2, 2);
    const QImage image = shown.grid.MakeDragImage(&hotSpot).toImage();
    CRect rect;
    shown.grid.GetCellRect(2, 2, rect);
    EXPECT_EQ(image.size(), QSize(rect.Width(), rect.Height()));
    EXPECT_EQ(hotSpot, QPoint(rect.Width(), rect.Height()));
    // The window colour inside, not the highlight of the selected cell.
    EXPECT_TRUE(shots::ColourNear(image.pixelColor(rect.Width() - 3, rect.Height() / 2),
                                  ColorRefToQColor(GetSysColor(COLOR_WINDOW))));
    EXPECT_TRUE(shown.grid.IsCellSelected(2, 2));
}

// ---- drag and drop --------------------------------------------------------------------------

namespace {
// A grid whose drag loop is the test's: it keeps the data offered and answers the effect set.
class CDragGrid : public CGridCtrl
{
public:
    using CGridCtrl::CGridCtrl;
    DROPEFFECT DoDragDrop(std::unique_ptr<QMimeData> data, DROPEFFECT allowed) override
    {
        Offered = data->text();
        Allowed = allowed;
        ModeDuringLoop = GetMouseMode();
        return Answer;
    }
    QString Offered;
    DROPEFFECT Allowed = 0;
    int ModeDuringLoop = -1;
    DROPEFFECT Answer = DROPEFFECT_NONE;
};

// Sends the viewport a drag event of the type at the cell's centre; returns the event's answer.
template <class Event>
std::pair<bool, Qt::DropAction> Drag(SShownGrid& shown, QEvent::Type type, int row, int col,
                                     const QMimeData& data, Qt::KeyboardModifiers keys = {})
{
    const QPoint point = shown.Centre(row, col);
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    auto event = [&] {
        if constexpr (std::is_same_v<Event, QDropEvent>)
            return Event(QPointF(point), actions, &data, Qt::LeftButton, keys, type);
        else
            return Event(point, actions, &data, Qt::LeftButton, keys);
    }();
    QApplication::sendEvent(shown.grid.viewport(), &event);
    return {event.isAccepted(), event.dropAction()};
}
} // namespace

TEST(GridDragDropTest, DraggingTheSelectionOffersItsTextAndAMoveEmptiesIt)
{
    for (const DROPEFFECT answer : {DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_NONE}) {
        SCOPED_TRACE(answer);
        CRecordingOwner owner;
        CDragGrid grid(5, 4, 1, 1);
        grid.SetOwner(&owner);
        for (int row = 1; row < 5; ++row)
            for (int col = 1; col < 4; ++col)
                grid.SetCellText(row, col, SClipGrid::Name(row, col));
        grid.resize(400, 300);
        grid.show();
        QApplication::processEvents();
        grid.EnableDragAndDrop();
        grid.Answer = answer;
        grid.SetSelectedRange(2, 2, 3, 3);
        grid.SetFocusCell(3, 3);
        owner.Reports.clear();

        CRect rect;
        grid.GetCellRect(2, 2, rect);
        const QPoint press(rect.left + 10, rect.top + 5);
        QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, press);
        EXPECT_EQ(grid.GetMouseMode(), CGridCtrl::MOUSE_PREPARE_DRAG);
        QMouseEvent move(QEvent::MouseMove, QPointF(press + QPoint(8, 8)),
                         grid.viewport()->mapToGlobal(QPointF(press + QPoint(8, 8))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &move);

        EXPECT_EQ(grid.Offered, QStringLiteral("2.2\t2.3\n3.2\t3.3"));
        EXPECT_EQ(grid.Allowed, DROPEFFECT_COPY | DROPEFFECT_MOVE);
        EXPECT_EQ(grid.ModeDuringLoop, CGridCtrl::MOUSE_DRAGGING);
        EXPECT_EQ(grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
        ASSERT_FALSE(owner.Reports.empty());
        EXPECT_EQ(owner.Reports[0], (R{GVN_BEGINDRAG, 2, 2}));
        const QString left = answer == DROPEFFECT_MOVE ? QString() : QStringLiteral("2.2");
        EXPECT_EQ(grid.GetCellText(2, 2), left);
        EXPECT_EQ(grid.GetCellText(2, 1), QStringLiteral("2.1"));
    }
}

TEST(GridDragDropTest, ADropPastesAtTheCellUnderTheMouse)
{
    SClipGrid shown;
    EXPECT_TRUE(shown.grid.viewport()->acceptDrops());
    shown.grid.EnableDragAndDrop();
    shown.grid.SetSelectedRange(1, 1, 1, 1);
    QMimeData data;
    data.setText(QStringLiteral("d1\td2"));

    auto [entered, enterAction] = Drag<QDragEnterEvent>(shown, QEvent::DragEnter, 2, 2, data);
    EXPECT_TRUE(entered);
    EXPECT_EQ(enterAction, Qt::MoveAction);
    EXPECT_TRUE(shown.grid.GetCellState(2, 2) & GVIS_DROPHILITED);

    auto [moved, moveAction] =
        Drag<QDragMoveEvent>(shown, QEvent::DragMove, 3, 3, data, Qt::ControlModifier);
    EXPECT_TRUE(moved);
    EXPECT_EQ(moveAction, Qt::CopyAction);
    EXPECT_FALSE(shown.grid.GetCellState(2, 2) & GVIS_DROPHILITED);
    EXPECT_TRUE(shown.grid.GetCellState(3, 3) & GVIS_DROPHILITED);

    // Over a read-only cell: no drop there, and the highlight stays where it was.
    shown.grid.SetCellState(4, 4, shown.grid.GetCellState(4, 4) | GVIS_READONLY);
    auto [overReadOnly, readOnlyAction] = Drag<QDragMoveEvent>(shown, QEvent::DragMove, 4, 4, data);
    EXPECT_FALSE(overReadOnly);
    EXPECT_TRUE(shown.grid.GetCellState(3, 3) & GVIS_DROPHILITED);

    auto [dropped, dropAction] = Drag<QDropEvent>(shown, QEvent::Drop, 3, 3, data);
    EXPECT_TRUE(dropped);
    EXPECT_EQ(dropAction, Qt::MoveAction);
    EXPECT_EQ(shown.Text(3, 3), QStringLiteral("d1"));
    EXPECT_EQ(shown.Text(3, 4), QStringLiteral("d2"));
    EXPECT_FALSE(shown.grid.GetCellState(3, 3) & GVIS_DROPHILITED);
    // A drop leaves no selection behind.
    EXPECT_EQ(shown.grid.GetSelectedCount(), 0);
}

TEST(GridDragDropTest, WithoutDragAndDropNothingIsTaken)
{
    SClipGrid shown;
    QMimeData data;
    data.setText(QStringLiteral("d"));
    // The entry is taken all the same, so that the moves over the grid reach it.
    auto [entered, action] = Drag<QDragEnterEvent>(shown, QEvent::DragEnter, 2, 2, data);
    EXPECT_TRUE(entered);
    EXPECT_EQ(action, Qt::IgnoreAction);
    auto [dropped, dropAction] = Drag<QDropEvent>(shown, QEvent::Drop, 2, 2, data);
    EXPECT_FALSE(dropped);
    EXPECT_EQ(shown.Text(2, 2), QStringLiteral("Yes, always"));

    // Data without text is not taken either.
    shown.grid.EnableDragAndDrop();
    QMimeData image;
    image.setData(QStringLiteral("image/png"), QByteArray("x"));
    auto [moved, moveAction] = Drag<QDragMoveEvent>(shown, QEvent::DragMove, 2, 2, image);
    EXPECT_FALSE(moved);
}

TEST(GridDragDropTest, ADragOverTheRowCutOffAtTheBottomBringsItIntoView)
{
    SShownGrid shown(40, 3, 1, 1, QSize(300, 200));
    shown.grid.EnableDragAndDrop();
    const CCellIDRange visible = shown.grid.GetVisibleNonFixedCellRange();
    const int row = visible.GetMaxRow();
    CRect rect;
    shown.grid.GetCellRect(row, 1, rect);
    ASSERT_GT(rect.bottom, shown.grid.GetClientRect().bottom);
    QMimeData data;
    data.setText(QStringLiteral("x"));
    // Moves go to the window that took the drag's entry.
    QDragEnterEvent enter(QPoint(5, 25), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(shown.grid.viewport(), &enter);
    QDragMoveEvent move(QPoint(rect.left + 5, rect.top + 2), Qt::MoveAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
    QApplication::sendEvent(shown.grid.viewport(), &move);
    EXPECT_GT(shown.grid.GetTopLeftNonFixedCell().row, visible.GetMinRow());
    shown.grid.GetCellRect(row, 1, rect);
    EXPECT_LE(rect.bottom, shown.grid.GetClientRect().bottom);
}
