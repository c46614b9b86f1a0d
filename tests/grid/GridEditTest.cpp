#include "GridTestSupport.h"

#include "grid/DrawTextFormat.h"
#include "grid/InPlaceEdit.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QPointer>
#include <gtest/gtest.h>

namespace {
using R = CRecordingOwner::SReport;

// A grid whose cell (2, 2) holds "Hello" and has the focus.
struct SEditGrid : SShownGrid
{
    SEditGrid() : SShownGrid(10, 5, 1, 1)
    {
        grid.SetCellText(2, 2, QStringLiteral("Hello"));
        grid.SetModified(false);
        grid.SetFocusCell(2, 2);
        grid.SetSelectedRange(2, 2, 2, 2);
        owner.Reports.clear();
    }
    CInPlaceEdit* Editor(int row = 2, int col = 2) const
    {
        return EditorOf<CInPlaceEdit>(row, col);
    }
};
} // namespace

TEST(GridEditTest, TheFirstKeyDecidesCaretSelectionAndText)
{
    struct SCase
    {
        const char* Name;
        std::function<void(SEditGrid&)> Start;
        const char* Text;
        int Caret;
        bool AllSelected;
    };
    const SCase cases[] = {
        {"letter", [](SEditGrid& g) { g.Type(QStringLiteral("x")); }, "x", 1, false},
        {"Backspace", [](SEditGrid& g) { g.Key(Qt::Key_Backspace); }, "Hell", 4, false},
        {"Enter", [](SEditGrid& g) { g.Key(Qt::Key_Return); }, "Hello", 5, false},
        {"space", [](SEditGrid& g) { g.Key(Qt::Key_Space); }, "Hello", 5, true},
        {"F2", [](SEditGrid& g) { g.Key(Qt::Key_F2); }, "Hello", 5, false},
        {"double click",
         [](SEditGrid& g) {
             g.grid.SetFocusCell(3, 3);
             g.Click(2, 2);
             QTest::mouseDClick(g.grid.viewport(), Qt::LeftButton, {}, g.Centre(2, 2));
         },
         "Hello", 5, false},
        // A character that shares its code with a navigation key is typed all the same.
        {"bracket", [](SEditGrid& g) { g.Type(QStringLiteral("(")); }, "(", 1, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SEditGrid shown;
        c.Start(shown);
        CInPlaceEdit* editor = shown.Editor();
        ASSERT_NE(editor, nullptr);
        EXPECT_TRUE(editor->hasFocus());
        EXPECT_EQ(editor->text(), QString::fromLatin1(c.Text));
        EXPECT_EQ(editor->cursorPosition(), c.Caret);
        EXPECT_EQ(editor->selectedText() == editor->text() && !editor->text().isEmpty(),
                  c.AllSelected);
        const auto& reports = shown.owner.Reports;
        EXPECT_NE(std::find(reports.begin(), reports.end(), R{GVN_BEGINLABELEDIT, 2, 2}),
                  reports.end());
        // The editor lies over the cell, leaving its grid lines free.
        CRect cell;
        shown.grid.GetCellRect(2, 2, cell);
        EXPECT_EQ(editor->geometry(), cell.ToQRect());
    }
}

TEST(GridEditTest, KeysThatEndAnEditAfterAKeyOrAMouseStart)
{
    struct SCase
    {
        const char* Name;
        bool MouseStart;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        bool Ends;
        unsigned LastKey;
        CCellID EditorAfter; // the cell edited afterwards, (-1, -1) for none
    };
    const SCase cases[] = {
        {"Tab", false, Qt::Key_Tab, {}, true, 9, {2, 3}},
        {"Enter", false, Qt::Key_Return, {}, true, 13, {}},
        {"Escape", false, Qt::Key_Escape, {}, true, 27, {}},
        {"Down after a key", false, Qt::Key_Down, {}, true, 0x28, {3, 2}},
        {"Left after a key", false, Qt::Key_Left, {}, true, 0x25, {2, 1}},
        {"Page Down after a key", false, Qt::Key_PageDown, {}, true, 0x22, {9, 2}},
        {"Down after the mouse", true, Qt::Key_Down, {}, false, 0, {2, 2}},
        {"Left after the mouse", true, Qt::Key_Left, {}, false, 0, {2, 2}},
        {"Ctrl+Down after the mouse", true, Qt::Key_Down, Qt::ControlModifier, true, 0x28, {3, 2}},
        {"Tab after the mouse", true, Qt::Key_Tab, {}, true, 9, {2, 3}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SEditGrid shown;
        if (c.MouseStart)
            shown.Key(Qt::Key_F2);
        else
            shown.Type(QStringLiteral("W"));
        QPointer<CInPlaceEdit> editor = shown.Editor();
        ASSERT_TRUE(editor);
        editor->setCursorPosition(0);
        QTest::keyClick(editor, c.Key, c.Modifiers);
        EXPECT_EQ(editor->IsEnded(), c.Ends);
        EXPECT_EQ(editor->GetLastKey(), c.LastKey);
        const QString expected = !c.Ends                   ? QStringLiteral("Hello")
                                 : c.Key == Qt::Key_Escape ? QStringLiteral("Hello")
                                 : c.MouseStart            ? QStringLiteral("Hello")
                                                           : QStringLiteral("W");
        EXPECT_EQ(shown.grid.GetCellText(2, 2), expected);
        if (c.EditorAfter.IsValid()) {
            EXPECT_EQ(shown.grid.GetFocusCell(), c.EditorAfter);
            EXPECT_NE(shown.Editor(c.EditorAfter.row, c.EditorAfter.col), nullptr);
        } else {
            EXPECT_EQ(shown.OpenEditor(), nullptr);
            EXPECT_TRUE(shown.grid.hasFocus());
        }
        QApplication::processEvents();
    }
}

TEST(GridEditTest, EscapePutsTheOldTextBackAndAClickElsewhereKeepsTheNewOne)
{
    SEditGrid shown;
    shown.Type(QStringLiteral("abc"));
    QPointer<CInPlaceEdit> editor = shown.Editor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->text(), QStringLiteral("abc"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(editor->GetLastKey(), 27u);
    EXPECT_EQ(shown.grid.GetCellText(2, 2), QStringLiteral("Hello"));
    EXPECT_FALSE(shown.grid.GetModified(2, 2));
    EXPECT_EQ(shown.owner.Codes(), (std::vector<int>{GVN_BEGINLABELEDIT}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(editor);

    shown.owner.Reports.clear();
    shown.Type(QStringLiteral("new"));
    editor = shown.Editor();
    ASSERT_TRUE(editor);
    shown.Click(5, 3);
    EXPECT_TRUE(editor->IsEnded());
    EXPECT_EQ(editor->GetLastKey(), 0u);
    EXPECT_EQ(shown.grid.GetCellText(2, 2), QStringLiteral("new"));
    EXPECT_TRUE(shown.grid.GetModified(2, 2));
    EXPECT_EQ(shown.owner.Reports[0], (R{GVN_BEGINLABELEDIT, 2, 2}));
    EXPECT_EQ(shown.owner.Reports[1], (R{GVN_ENDLABELEDIT, 2, 2}));
    EXPECT_EQ(shown.grid.GetFocusCell(), CCellID(5, 3));
}

TEST(GridEditTest, TypingWidensTheEditorUpToTheGridsRightEdge)
{
    SEditGrid shown;
    shown.Type(QStringLiteral("a"));
    CInPlaceEdit* editor = shown.Editor();
    ASSERT_NE(editor, nullptr);
    const int left = editor->geometry().left();
    const int start = editor->width();
    QTest::keyClicks(editor, QStringLiteral("bcdefghijk"));
    EXPECT_GT(editor->width(), start);
    EXPECT_GE(editor->width(),
              editor->fontMetrics().horizontalAdvance(editor->text() + QStringLiteral("  ")));
    QTest::keyClicks(editor, QString(60, QLatin1Char('m')));
    EXPECT_EQ(editor->geometry().left(), left);
    EXPECT_EQ(editor->geometry().right() + 1, shown.grid.GetClientRect().right);
}

TEST(GridEditTest, AnOwnerRefusingToBeginBlocksEditingPasteAndDelete)
{
    SEditGrid shown;
    shown.owner.Answer = [](int code) { return code == GVN_BEGINLABELEDIT ? -1 : 0; };
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    shown.Type(QStringLiteral("x"));
    shown.Key(Qt::Key_F2);
    shown.Key(Qt::Key_V, Qt::ControlModifier);
    shown.Key(Qt::Key_Delete);
    EXPECT_EQ(shown.OpenEditor(), nullptr);
    EXPECT_EQ(shown.grid.GetCellText(2, 2), QStringLiteral("Hello"));
    EXPECT_FALSE(shown.grid.GetModified());
    // Selection and focus are still shown.
    EXPECT_EQ(shown.grid.GetFocusCell(), CCellID(2, 2));
    EXPECT_TRUE(shown.grid.IsCellSelected(2, 2));
    for (const R& report : shown.owner.Reports)
        EXPECT_NE(report.Code, GVN_ENDLABELEDIT);
}

TEST(GridEditTest, ARejectedEditLeavesTheCellAsItWas)
{
    // Through the editor and through paste: the text, the modified flags and the sort column
    // stay as they were.
    const std::function<void(SEditGrid&)> edits[] = {
        [](SEditGrid& g) {
            g.Type(QStringLiteral("x"));
            QTest::keyClick(g.Editor(), Qt::Key_Return);
        },
        [](SEditGrid& g) {
            QApplication::clipboard()->setText(QStringLiteral("x"));
            g.Key(Qt::Key_V, Qt::ControlModifier);
        },
    };
    for (const auto& edit : edits) {
        SEditGrid shown;
        shown.grid.SetSortColumn(2);
        shown.owner.Answer = [](int code) { return code == GVN_ENDLABELEDIT ? -1 : 0; };
        QString textSeenByOwner;
        shown.owner.Answer = [&](int code) {
            if (code != GVN_ENDLABELEDIT)
                return 0;
            textSeenByOwner = shown.grid.GetCellText(2, 2);
            return -1;
        };
        edit(shown);
        EXPECT_EQ(textSeenByOwner, QStringLiteral("x"));
        EXPECT_EQ(shown.grid.GetCellText(2, 2), QStringLiteral("Hello"));
        EXPECT_FALSE(shown.grid.GetModified(2, 2));
        EXPECT_FALSE(shown.grid.GetModified());
        EXPECT_EQ(shown.grid.GetSortColumn(), 2);
    }
}

TEST(GridEditTest, AnAlignedCellOpensAnAlignedEditorThatTakesFurtherKeys)
{
    SEditGrid shown;
    shown.grid.SetCellFormat(2, 2, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    shown.Key(Qt::Key_F2);
    CInPlaceEdit* editor = shown.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->alignment() & Qt::AlignRight);
    // Asked to edit again while open, the cell hands the character to its editor.
    CRect rect;
    shown.grid.GetCellRect(2, 2, rect);
    shown.grid.GetCell(2, 2)->Edit(2, 2, rect, CPoint(-1, -1), 8, 'z');
    EXPECT_EQ(editor->text(), QStringLiteral("Helloz"));
    EXPECT_EQ(shown.OpenEditor(), editor);
}

TEST(GridEditTest, AnEditorOpenWhenTheGridGoesReportsNothing)
{
    // An owner that outlives the grid, as a dialog outlives the grid it holds.
    CRecordingOwner survivor;
    auto shown = std::make_unique<SEditGrid>();
    shown->grid.SetOwner(&survivor);
    shown->Type(QStringLiteral("x"));
    const QPointer<CInPlaceEdit> editor = shown->Editor();
    ASSERT_NE(editor, nullptr);
    survivor.Reports.clear();
    shown.reset();
    QApplication::processEvents();
    EXPECT_TRUE(editor.isNull()) << "the editor goes with its grid";
    EXPECT_TRUE(survivor.Reports.empty()) << "no end of edit reported for a gone grid";
}

TEST(GridEditTest, RowsInsertedOrDeletedUnderAnOpenEditorTakeTheEditWithTheirCell)
{
    // Rows inserted above: the text goes to the cell where it now is.
    {
        SEditGrid shown;
        shown.Type(QStringLiteral("x"));
        QPointer<CInPlaceEdit> editor = shown.Editor();
        ASSERT_TRUE(editor);
        shown.grid.InsertRow(QStringLiteral("new"), 1);
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_EQ(shown.grid.GetCellText(3, 2), QStringLiteral("x"));
        EXPECT_EQ(shown.grid.GetCellText(2, 2), QString());
        EXPECT_TRUE(shown.grid.GetModified(3, 2));
        EXPECT_FALSE(shown.grid.GetModified(2, 2));
    }
    // The edited row deleted: the editor closes without a report and the row that took its
    // place keeps its text.
    {
        SEditGrid shown;
        shown.grid.SetCellText(3, 2, QStringLiteral("below"));
        shown.grid.SetModified(false);
        shown.Type(QStringLiteral("x"));
        QPointer<CInPlaceEdit> editor = shown.Editor();
        ASSERT_TRUE(editor);
        shown.grid.DeleteRow(2);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_TRUE(shown.grid.hasFocus());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(editor);
        EXPECT_EQ(shown.grid.GetCellText(2, 2), QStringLiteral("below"));
        EXPECT_FALSE(shown.grid.GetModified(2, 2));
        for (const R& report : shown.owner.Reports)
            EXPECT_NE(report.Code, GVN_ENDLABELEDIT);
    }
}

TEST(GridEditTest, ACellWhoseEditorWentUntoldCanBeEditedAgain)
{
    SEditGrid shown;
    shown.Key(Qt::Key_F2);
    QWidget* editor = shown.Editor();
    ASSERT_NE(editor, nullptr);
    delete editor;
    shown.grid.setFocus();
    shown.Type(QStringLiteral("y"));
    CInPlaceEdit* again = shown.Editor();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->text(), QStringLiteral("y"));
}

TEST(GridEditTest, AltKeysInTheEditorReachNoShortcutAndTypeNothing)
{
    SEditGrid shown;
    int triggered = 0;
    QAction action(&shown.grid);
    action.setShortcut(QKeySequence(Qt::ALT | Qt::Key_F));
    action.setShortcutContext(Qt::WindowShortcut);
    shown.grid.addAction(&action);
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });
    shown.Key(Qt::Key_F, Qt::AltModifier);
    ASSERT_EQ(triggered, 1); // the shortcut works outside the editor

    shown.Key(Qt::Key_F2);
    CInPlaceEdit* editor = shown.Editor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(triggered, 1);
    EXPECT_EQ(editor->text(), QStringLiteral("Hello"));
    EXPECT_FALSE(editor->IsEnded());
}
