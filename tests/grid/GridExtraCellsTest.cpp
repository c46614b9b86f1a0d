#include "GridTestSupport.h"

#include "grid/CheckComboBox.h"
#include "grid/GridCellCheck.h"
#include "grid/GridCellCombo.h"
#include "grid/GridCellDateTime.h"
#include "grid/GridCellNumeric.h"
#include "grid/GridURLCell.h"
#include "grid/InPlaceDateTime.h"
#include "grid/InPlaceEdit.h"
#include "grid/InPlaceList.h"
#include "widgets/Screenshots.h"

#include <QAbstractItemView>
#include <QDesktopServices>
#include <QPainter>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
// Keeps the addresses the desktop was asked to open.
class CUrlRecorder : public QObject
{
    Q_OBJECT
public:
    CUrlRecorder()
    {
        for (const char* scheme : {"http", "https", "ftp", "mailto", "file", "telnet"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
    }
    ~CUrlRecorder() override
    {
        for (const char* scheme : {"http", "https", "ftp", "mailto", "file", "telnet"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    std::vector<QString> Opened;

public Q_SLOTS:
    void Open(const QUrl& url) { Opened.push_back(url.toString()); }
};

// A shown grid whose cell (2, 1), 260 pixels wide, is of the class given.
struct SCellGrid : SShownGrid
{
    explicit SCellGrid(const CRuntimeClass& kind) : SShownGrid(5, 3, 1, 1, {420, 200})
    {
        grid.SetColumnWidth(1, 260);
        grid.SetRowHeight(2, 26);
        grid.ReplaceCell(2, 1, kind.CreateObject());
        grid.GetCell(2, 1)->SetGrid(&grid);
        grid.GetCell(2, 1)->SetFormat(0x8824);
        grid.SetFocusCell(3, 2);
    }
    template <class Cell> Cell* Cell21() { return static_cast<Cell*>(grid.GetCell(2, 1)); }
    // Paints the grid (cells remember where they were drawn) and returns the picture.
    QImage Paint() { return shots::Grab(grid); }
    CRect Rect() const
    {
        CRect rect;
        grid.GetCellRect(2, 1, rect);
        return rect;
    }
};
} // namespace

TEST(GridUrlCellTest, AClickOpensTheWordUnderItWhenItIsAWebOrMailAddress)
{
    struct SCase
    {
        const char* Text;
        int Word; // which blank-separated word is clicked (0-based)
        const char* Opened;
    };
    const SCase cases[] = {
        {"see www.pelko.example now", 1, "http://www.pelko.example"},
        {"see www.pelko.example now", 0, nullptr},
        {"mail mailto:panel@pelko.example", 1, "mailto:panel@pelko.example"},
        {"get ftp.pelko.example", 1, "ftp://ftp.pelko.example"},
        {"at https://pelko.example/a", 1, "https://pelko.example/a"},
        {"file:///etc/passwd", 0, nullptr},
        {"telnet:host", 0, nullptr},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Text);
        CUrlRecorder recorder;
        SCellGrid shown(CGridURLCell::classCGridURLCell);
        shown.grid.SetCellText(2, 1, QString::fromLatin1(c.Text));
        shown.Paint();
        const QString text = QString::fromLatin1(c.Text);
        const QFontMetrics metrics(shown.grid.GetCell(2, 1)->GetFontObject());
        const QStringList words = text.split(QLatin1Char(' '));
        const int before = metrics.horizontalAdvance(words.mid(0, c.Word).join(QLatin1Char(' ')) +
                                                     (c.Word ? QStringLiteral(" ") : QString()));
        const int margin = int(shown.grid.GetCell(2, 1)->GetMargin());
        const CRect rect = shown.Rect();
        const QPoint point(rect.left + margin + before +
                               metrics.horizontalAdvance(words[c.Word]) / 2,
                           rect.top + 10);
        QTest::mouseClick(shown.grid.viewport(), Qt::LeftButton, {}, point);
        if (c.Opened)
            EXPECT_EQ(recorder.Opened, std::vector<QString>{QString::fromLatin1(c.Opened)});
        else
            EXPECT_TRUE(recorder.Opened.empty());
    }
}

TEST(GridUrlCellTest, LinksTakeTheLinkColourAndTheHandCursorAndAreNeverEdited)
{
    CUrlRecorder recorder;
    SCellGrid shown(CGridURLCell::classCGridURLCell);
    auto* cell = shown.Cell21<CGridURLCell>();
    shown.grid.SetCellText(2, 1, QStringLiteral("see www.pelko.example"));
    shown.Paint();
    EXPECT_EQ(cell->GetTextColour(), cell->GetUrlColour());
    EXPECT_FALSE(CGridURLCell::HasUrl(QStringLiteral("plain words")));

    const CRect rect = shown.Rect();
    QTest::mouseMove(shown.grid.viewport(), QPoint(rect.left + 3, rect.top + 3));
    QTest::mouseMove(shown.grid.viewport(), QPoint(rect.left + 100, rect.top + 10));
    EXPECT_EQ(shown.grid.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(shown.grid.viewport(), QPoint(rect.left + 8, rect.top + 10));
    EXPECT_EQ(shown.grid.viewport()->cursor().shape(), Qt::ArrowCursor);

    shown.grid.SetFocusCell(2, 1);
    shown.Key(Qt::Key_F2);
    EXPECT_EQ(shown.OpenEditor(), nullptr);
    cell->SetAutoLaunchUrl(false);
    QTest::mouseClick(shown.grid.viewport(), Qt::LeftButton, {},
                      QPoint(rect.left + 100, rect.top + 10));
    EXPECT_TRUE(recorder.Opened.empty());
}

TEST(GridNumericCellTest, TheEditorTakesDigitsOnly)
{
    SCellGrid shown(CGridCellNumeric::classCGridCellNumeric);
    shown.grid.SetCellText(2, 1, QStringLiteral("12"));
    shown.grid.SetFocusCell(2, 1);
    shown.Type(QStringLiteral("x"));
    auto* editor = shown.EditorOf<CInPlaceEdit>(2, 1);
    ASSERT_NE(editor, nullptr);
    shown.Type(QStringLiteral("3a4"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(shown.grid.GetCellText(2, 1), QStringLiteral("34"));
}

TEST(GridDateTimeCellTest, TheEditorStepsTheDateAndEscapePutsItBack)
{
    SCellGrid shown(CGridCellDateTime::classCGridCellDateTime);
    auto* cell = shown.Cell21<CGridCellDateTime>();
    const QDateTime start(QDate(2024, 3, 14), QTime(9, 30));
    cell->SetTime(start);
    shown.grid.SetFocusCell(2, 1);

    // Ctrl+Up ends the edit, Up alone steps the date part that has the caret.
    shown.Key(Qt::Key_F2);
    auto* editor = shown.grid.viewport()->findChild<CInPlaceDateTime*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->dateTime(), start);
    QTest::keyClick(editor, Qt::Key_Up);
    EXPECT_FALSE(editor->IsEnded());
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(editor->IsEnded());
    EXPECT_NE(cell->GetTime(), start);
    EXPECT_EQ(shown.grid.GetCellText(2, 1), editor->text());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Escape keeps both the value and the text.
    const QDateTime edited = cell->GetTime();
    const QString text = shown.grid.GetCellText(2, 1);
    shown.Key(Qt::Key_F2);
    editor = shown.grid.viewport()->findChild<CInPlaceDateTime*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(cell->GetTime(), edited);
    EXPECT_EQ(shown.grid.GetCellText(2, 1), text);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A rejected edit keeps the value too.
    shown.owner.Answer = [](int code) { return code == GVN_ENDLABELEDIT ? -1 : 0; };
    shown.Key(Qt::Key_F2);
    editor = shown.grid.viewport()->findChild<CInPlaceDateTime*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_TRUE(editor->IsEnded());
    EXPECT_EQ(cell->GetTime(), edited);
    EXPECT_EQ(shown.grid.GetCellText(2, 1), text);
}

TEST(GridComboCellTest, TheListTogglesItemsWithoutClosingAndEndsWithTheCheckedTexts)
{
    for (const CRuntimeClass* kind :
         {&CGridCellCombo::classCGridCellCombo, &CGridCellCheckCombo::classCGridCellCheckCombo}) {
        SCOPED_TRACE(kind->m_lpszClassName);
        SCellGrid shown(*kind);
        auto* cell = shown.Cell21<CGridCellCombo>();
        cell->SetOptions(
            {QStringLiteral("Coffee shop"), QStringLiteral("Tea room"), QStringLiteral("Kiosk")});
        shown.grid.SetCellText(2, 1, QStringLiteral("Tea room"));
        shown.grid.SetFocusCell(2, 1);
        shown.Key(Qt::Key_F2);
        auto* list = shown.grid.viewport()->findChild<CInPlaceList*>();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(cell->GetEditWnd(), nullptr);
        QAbstractItemView* view = list->view();
        ASSERT_TRUE(view->window()->isVisible());
        // The cell's text starts its items checked and stays in the field.
        EXPECT_EQ(list->GetCheck(1), 1);
        EXPECT_EQ(list->GetCheck(0), 0);
        EXPECT_EQ(list->GetWindowText(), QStringLiteral("Tea room"));

        // A click toggles the item and the list stays open; a blank toggles the current one.
        const QRect first = view->visualRect(view->model()->index(0, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, first.center());
        EXPECT_TRUE(view->window()->isVisible());
        EXPECT_EQ(list->GetCheck(0), 1);
        view->setCurrentIndex(view->model()->index(1, 0));
        QTest::keyClick(view, Qt::Key_Space);
        EXPECT_EQ(list->GetCheck(1), 0);
        EXPECT_EQ(list->GetWindowText(), QStringLiteral("Coffee shop"));
        EXPECT_EQ(list->currentIndex(), 1);
        QTest::keyClick(view, Qt::Key_Return);
        EXPECT_TRUE(list->IsEnded());
        EXPECT_EQ(shown.grid.GetCellText(2, 1), QStringLiteral("Coffee shop"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        // Escape puts the text back, whatever was toggled.
        shown.grid.SetCellText(2, 1, QStringLiteral("Other; Kiosk"));
        shown.Key(Qt::Key_F2);
        list = shown.grid.viewport()->findChild<CInPlaceList*>();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->GetCheck(2), 1);
        list->SetCheck(0, true);
        EXPECT_EQ(list->GetWindowText(), QStringLiteral("Coffee shop; Kiosk"));
        QTest::keyClick(list->view(), Qt::Key_Escape);
        EXPECT_EQ(shown.grid.GetCellText(2, 1), QStringLiteral("Other; Kiosk"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST(GridComboCellTest, CheckComboShowsTheCheckedItemsJoinedAndRefusesOtherIndexes)
{
    CCheckComboBox combo;
    combo.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ(combo.GetWindowText(), QString());
    EXPECT_EQ(combo.SetCheck(0, true), 0);
    EXPECT_EQ(combo.SetCheck(2, true), 2);
    EXPECT_EQ(combo.GetWindowText(), QStringLiteral("a; c"));
    EXPECT_EQ(combo.SetCheck(3, true), -1);
    EXPECT_EQ(combo.GetCheck(-1), -1);
    EXPECT_EQ(combo.GetWindowText(), QStringLiteral("a; c"));
}

TEST(GridComboCellTest, TheDropButtonShowsOnlyOnACellLargeEnoughThatCanBeEdited)
{
    // The button is drawn in the button colour at the cell's right edge, the text stops before
    // it.
    const auto rightEdge = [](CGridCtrl& grid, int width, int height) {
        grid.SetColumnWidth(1, width);
        grid.SetRowHeight(2, height);
        QImage image(300, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        grid.GetCell(2, 1)->Draw(&painter, 2, 1, CRect(0, 0, width - 1, height - 1), true);
        painter.end();
        return image.pixelColor(width - 4, height / 2);
    };
    SCellGrid shown(CGridCellCombo::classCGridCellCombo);
    const int extent = shown.grid.ScrollBarExtent();
    EXPECT_NE(rightEdge(shown.grid, 120, 26), QColor(Qt::white));
    EXPECT_EQ(rightEdge(shown.grid, extent - 2, 26), QColor(Qt::white));
    EXPECT_EQ(rightEdge(shown.grid, 120, extent - 2), QColor(Qt::white));
    shown.grid.SetEditable(false);
    EXPECT_EQ(rightEdge(shown.grid, 120, 26), QColor(Qt::white));
}

TEST(GridCheckCellTest, TheTextStartsAfterTheBoxAndOnlyAClickOnTheBoxToggles)
{
    SCellGrid shown(CGridCellCheck::classCGridCellCheck);
    auto* cell = shown.Cell21<CGridCellCheck>();
    shown.grid.SetCellText(2, 1, QStringLiteral("Visited"));
    shown.Paint();
    const CRect box = cell->GetCheckPlacement();
    const int margin = int(cell->GetMargin());
    EXPECT_EQ(box.Width(), shown.grid.ScrollBarExtent());
    CRect text(0, 0, 200, 20);
    cell->GetTextRect(text);
    EXPECT_EQ(text.left, box.Width() + 2 * margin);

    const CRect rect = shown.Rect();
    QTest::mouseClick(shown.grid.viewport(), Qt::LeftButton, {},
                      QPoint(rect.left + box.right + 30, rect.top + box.top + 3));
    EXPECT_FALSE(cell->GetCheck());
    QTest::mouseClick(shown.grid.viewport(), Qt::LeftButton, {},
                      QPoint(rect.left + box.left + 3, rect.top + box.top + 3));
    EXPECT_TRUE(cell->GetCheck());
    // Fitting makes room for the box and its margins both ways.
    shown.grid.SetCellText(2, 2, QStringLiteral("Visited"));
    const CSize plain = shown.grid.GetCell(2, 2)->GetCellExtent(nullptr);
    const CSize checked = cell->GetCellExtent(nullptr);
    EXPECT_EQ(checked.cx, plain.cx + box.Width() + 2 * margin);
    EXPECT_EQ(checked.cy, plain.cy + box.Width() + 2 * margin);
}

#include "GridExtraCellsTest.moc"
