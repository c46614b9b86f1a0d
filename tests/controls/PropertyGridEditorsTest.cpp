#include "ControlsTestSupport.h"

#include "controls/CustomItem.h"
#include "controls/DynDialogEx.h"
#include "controls/PropertyGrid.h"
#include "controls/PropertyGridCombo.h"
#include "controls/PropertyGridInPlaceEdit.h"
#include "controls/PropertyGridMonthCalCtrl.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimeEdit>

#include <gtest/gtest.h>

namespace {

struct SEditors
{
    SEditors()
    {
        owner.resize(500, 300);
        grid = new CPropertyGrid(&owner);
        grid->setGeometry(0, 0, 500, 300);
        section = grid->AddSection(QStringLiteral("Editors"));
        spy = std::make_unique<QSignalSpy>(grid, &CPropertyGrid::PropertyItemChanged);
        ShowActive(owner);
    }
    // Focuses the item and presses its button (or clicks its value).
    void Open(HITEM item)
    {
        const CRect name = grid->FindItem(item)->m_rcName;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(30, name.top + 3));
        const CRect button = grid->GetButtonRect();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          QPoint(button.right - 3, button.top + 3));
    }
    QWidget owner;
    CPropertyGrid* grid = nullptr;
    HSECTION section = 0;
    std::unique_ptr<QSignalSpy> spy;
};

// A custom item that records what the grid asks of it.
struct SCustom : ICustomItem
{
    int Mode = CPropertyGrid::EDIT_MODAL;
    bool EditAnswer = true;
    int Edits = 0;
    QStringList Edited;
    int GetEditMode() override { return Mode; }
    void DrawItem(QPainter&, const CRect&, bool) override {}
    bool OnEdit() override
    {
        ++Edits;
        return EditAnswer;
    }
    QString GetEditText() override { return QStringLiteral("from item"); }
    bool OnItemEdited(const QString& text) override
    {
        Edited << text;
        return true;
    }
};

} // namespace

TEST(PropertyGridInPlaceEdit, EscapeReportsTheStartTextAndCtrlArrowsEndTheEdit)
{
    SEditors s;
    const HITEM item =
        s.grid->AddStringItem(s.section, QStringLiteral("Name"), QStringLiteral("Brand"));
    s.Open(item);
    auto* edit = qobject_cast<CPropertyGridInPlaceEdit*>(s.grid->GetEditor());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->cursorPosition(), 5);
    EXPECT_FALSE(edit->hasSelectedText());
    QTest::keyClicks(edit, QStringLiteral(" new"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QString value;
    EXPECT_TRUE(s.grid->GetStringValue(item, value));
    EXPECT_EQ(value, QStringLiteral("Brand"));
    EXPECT_EQ(s.spy->count(), 1);

    // Down alone moves the caret; Ctrl+Down ends the edit with the text.
    s.Open(item);
    edit = qobject_cast<CPropertyGridInPlaceEdit*>(s.grid->GetEditor());
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(s.grid->GetEditor(), edit);
    QTest::keyClicks(edit, QStringLiteral("The "));
    QTest::keyClick(edit, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_TRUE(s.grid->GetStringValue(item, value));
    EXPECT_EQ(value, QStringLiteral("The Brand"));
    EXPECT_EQ(s.spy->count(), 2);

    // A click elsewhere in the grid ends the edit with its text too.
    s.Open(item);
    edit = qobject_cast<CPropertyGridInPlaceEdit*>(s.grid->GetEditor());
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QStringLiteral("!"));
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, QPoint(30, 5));
    EXPECT_TRUE(s.grid->GetStringValue(item, value));
    EXPECT_EQ(value, QStringLiteral("The Brand!"));
    EXPECT_EQ(s.grid->GetEditor(), nullptr);
}

TEST(PropertyGridInPlaceEdit, AnEditOpenWhenTheContentsGoReportsToNoOne)
{
    SEditors s;
    const HITEM item =
        s.grid->AddStringItem(s.section, QStringLiteral("Name"), QStringLiteral("Brand"));
    s.Open(item);
    auto* edit = qobject_cast<CPropertyGridInPlaceEdit*>(s.grid->GetEditor());
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QStringLiteral(" typed"));
    // The owner refills the grid while the edit is open: the new item of the same handle
    // keeps its own value.
    s.grid->ResetContents();
    const HSECTION again = s.grid->AddSection(QStringLiteral("Again"));
    const HITEM fresh =
        s.grid->AddStringItem(again, QStringLiteral("Other"), QStringLiteral("kept"));
    EXPECT_EQ(fresh, item);
    QApplication::processEvents();
    QString value;
    EXPECT_TRUE(s.grid->GetStringValue(fresh, value));
    EXPECT_EQ(value, QStringLiteral("kept"));
    EXPECT_EQ(s.spy->count(), 0);

    // Nor does one open while the grid is destroyed.
    s.Open(fresh);
    ASSERT_NE(s.grid->GetEditor(), nullptr);
    QTest::keyClicks(s.grid->GetEditor(), QStringLiteral("x"));
    delete s.grid;
    EXPECT_EQ(s.spy->count(), 0);
}

TEST(PropertyGridCombo, ArrowsStopAtTheEndsAndEscapeReportsNothing)
{
    QWidget owner;
    owner.resize(200, 200);
    ShowActive(owner);
    CPropertyGridCombo list(&owner);
    QSignalSpy done(&list, &CPropertyGridCombo::ListDone);
    list.Create(CRect(10, 10, 150, 110));
    for (const char* line : {"one", "two", "three"})
        list.AddString(QString::fromLatin1(line));
    list.SetCurSel(-1);
    list.Show();
    EXPECT_EQ(list.height(), 3 * list.RowHeight() + 2);
    EXPECT_EQ(list.width(), 140);
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(list.GetCurSel(), 0);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&list, Qt::Key_Right);
    EXPECT_EQ(list.GetCurSel(), 2);
    QTest::keyClick(&list, Qt::Key_Return);
    ASSERT_EQ(done.count(), 1);
    EXPECT_EQ(done.at(0).at(0).toInt(), 2);
    // A click picks the line under it; a click below the last line picks the last.
    QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(20, list.RowHeight() + 3));
    EXPECT_EQ(done.at(1).at(0).toInt(), 1);
    QTest::mousePress(&list, Qt::LeftButton, {}, QPoint(20, 5));
    QMouseEvent below(QEvent::MouseButtonRelease, QPointF(20, 500),
                      list.mapToGlobal(QPointF(20, 500)), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&list, &below);
    EXPECT_EQ(done.at(2).at(0).toInt(), 0);
    QTest::keyClick(&list, Qt::Key_Escape);
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(done.count(), 3);
}

TEST(PropertyGridEditors, ComboListAndCalendarStoreTheChoice)
{
    SEditors s;
    const HITEM combo = s.grid->AddComboItem(
        s.section, QStringLiteral("Method"),
        {QStringLiteral("Code"), QStringLiteral("Caption"), QStringLiteral("Order")}, 0);
    const QDateTime start(QDate(2006, 5, 10), QTime(9, 30));
    const HITEM date = s.grid->AddDateItem(s.section, QStringLiteral("Start"), start);
    const QDateTime low(QDate(2006, 5, 5), QTime(0, 0));
    s.grid->SetDateRange(date, &low, nullptr);

    s.Open(combo);
    auto* list = qobject_cast<CPropertyGridCombo*>(s.grid->GetEditor());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCurSel(), 0);
    // Below the row, from the gutter to the right edge.
    const CRect row = s.grid->FindItem(combo)->m_rcName;
    EXPECT_EQ(list->geometry().topLeft(),
              s.grid->viewport()->mapToGlobal(QPoint(s.grid->GetGutterWidth(), row.bottom)));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QString text;
    EXPECT_TRUE(s.grid->GetStringValue(combo, text));
    EXPECT_EQ(text, QStringLiteral("Order"));
    EXPECT_EQ(s.spy->count(), 1);

    s.Open(date);
    auto* calendar = qobject_cast<CPropertyGridMonthCalCtrl*>(s.grid->GetEditor());
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->selectedDate(), start.date());
    EXPECT_EQ(calendar->minimumDate(), low.date());
    // Its right edge meets the grid's.
    EXPECT_EQ(calendar->geometry().right() + 1,
              s.grid->viewport()->mapToGlobal(QPoint(s.grid->viewport()->width(), 0)).x());
    calendar->setSelectedDate(QDate(2006, 5, 20));
    Q_EMIT calendar->clicked(QDate(2006, 5, 20));
    QDateTime value;
    EXPECT_TRUE(s.grid->GetDateTimeValue(date, value));
    EXPECT_EQ(value, QDateTime(QDate(2006, 5, 20), QTime(9, 30)));
    EXPECT_EQ(s.spy->count(), 2);
    EXPECT_EQ(s.grid->GetEditor(), nullptr);

    // Escape closes the calendar without a change.
    s.Open(date);
    calendar = qobject_cast<CPropertyGridMonthCalCtrl*>(s.grid->GetEditor());
    ASSERT_NE(calendar, nullptr);
    QTest::keyClick(calendar, Qt::Key_Escape);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(s.spy->count(), 2);
}

TEST(PropertyGridEditors, DropDownsAtTheScreensCornerStayOnTheScreen)
{
    // The grid's window reaches past the right and the bottom of the screen, as a property
    // pane at the foot of a window at the screen's right edge does.
    SEditors s;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    s.owner.move(area.right() - 300, area.bottom() - 120);
    QApplication::processEvents();
    const HITEM date = s.grid->AddDateItem(s.section, QStringLiteral("Start"),
                                           QDateTime(QDate(2006, 5, 10), QTime(9, 30)));
    const HITEM combo = s.grid->AddComboItem(s.section, QStringLiteral("Method"),
                                             {QStringLiteral("Code"), QStringLiteral("Caption"),
                                              QStringLiteral("Order"), QStringLiteral("Shortcut"),
                                              QStringLiteral("Entry code")},
                                             0);

    for (const HITEM item : {date, combo}) {
        SCOPED_TRACE(item == date ? "calendar" : "list");
        s.Open(item);
        QWidget* popup = s.grid->GetEditor();
        ASSERT_NE(popup, nullptr);
        const QRect place = popup->geometry();
        EXPECT_TRUE(area.contains(place))
            << place.x() << "," << place.y() << " " << place.width() << "x" << place.height();
        // No room under the row: the popup opens above it, whole.
        const int rowTop =
            s.grid->viewport()->mapToGlobal(QPoint(0, s.grid->FindItem(item)->m_rcName.top)).y();
        EXPECT_LE(place.bottom(), rowTop);
        QTest::keyClick(popup, Qt::Key_Escape);
    }
}

TEST(PropertyGridEditors, DialogEditorsStoreOnOkOnly)
{
    SEditors s;
    CScriptedControlDialogs dialogs;
    const HITEM file =
        s.grid->AddFileItem(s.section, QStringLiteral("Source"), QStringLiteral("/old.zoz"),
                            QStringLiteral("ZOZ (*.zoz)|*.zoz||"));
    const HITEM folder = s.grid->AddItem(s.section, CPropertyGrid::IT_FOLDER,
                                         QStringLiteral("Folder"), QStringLiteral("/data"));
    const_cast<CPropertyGrid::CItem*>(s.grid->FindItem(folder))->m_options = {
        QStringLiteral("Choose the data folder")};
    const HITEM colour =
        s.grid->AddItem(s.section, CPropertyGrid::IT_COLOR, QStringLiteral("Colour"), RGB(1, 2, 3));
    const HITEM font =
        s.grid->AddItem(s.section, CPropertyGrid::IT_FONT, QStringLiteral("Font"), LOGFONT());

    dialogs.Answer = false;
    for (const HITEM item : {file, folder, colour, font})
        s.Open(item);
    EXPECT_EQ(dialogs.Calls, 4);
    EXPECT_EQ(s.spy->count(), 0);
    EXPECT_EQ(dialogs.LastTitle, QStringLiteral("Choose the data folder"));
    QString path;
    EXPECT_TRUE(s.grid->GetStringValue(folder, path));
    EXPECT_EQ(path, QStringLiteral("/data"));

    dialogs.Answer = true;
    dialogs.FileAnswer = QStringLiteral("/new.zoz");
    dialogs.FolderAnswer = QStringLiteral("/other");
    dialogs.ColourAnswer = RGB(9, 8, 7);
    dialogs.FontAnswer.lfFaceName = QStringLiteral("Serif");
    for (const HITEM item : {file, folder, colour, font})
        s.Open(item);
    EXPECT_EQ(dialogs.LastFilter, QStringLiteral("ZOZ (*.zoz)|*.zoz||"));
    EXPECT_EQ(s.spy->count(), 4);
    EXPECT_TRUE(s.grid->GetStringValue(file, path));
    EXPECT_EQ(path, QStringLiteral("/new.zoz"));
    EXPECT_EQ(s.grid->FindItem(colour)->m_values.Colour, RGB(9, 8, 7));
    EXPECT_EQ(s.grid->FindItem(font)->m_values.Font.lfFaceName, QStringLiteral("Serif"));

    // A disabled item opens no dialog, even on a double click.
    const HITEM locked =
        s.grid->AddFileItem(s.section, QStringLiteral("Locked"), QString(), QString(), false);
    const CRect row = s.grid->FindItem(locked)->m_rcName;
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, QPoint(30, row.top + 3));
    QTest::mouseDClick(s.grid->viewport(), Qt::LeftButton, {}, QPoint(30, row.top + 3));
    EXPECT_EQ(s.grid->GetFocusedItem(), locked);
    EXPECT_EQ(dialogs.Calls, 8);
}

TEST(PropertyGridEditors, MultiLineAndDateTimeDialogs)
{
    SEditors s;
    CScriptedControlDialogs dialogs;
    s.grid->SetOkCancelStrings(QStringLiteral("Fine"), QStringLiteral("Stop"));
    const HITEM text = s.grid->AddMultilineTextItem(s.section, QStringLiteral("Description"),
                                                    QStringLiteral("first\r\nsecond"));
    dialogs.OnModal = [](QDialog& dialog) {
        auto* edit = dialog.findChild<QPlainTextEdit*>();
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("first\nsecond"));
        QStringList captions;
        for (auto* button : dialog.findChildren<QPushButton*>())
            captions << button->text();
        EXPECT_EQ(captions, QStringList({QStringLiteral("Fine"), QStringLiteral("Stop")}));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Description"));
        edit->setPlainText(QStringLiteral("one\ntwo\nthree"));
        dialog.findChildren<QPushButton*>().at(0)->click();
        return dialog.result();
    };
    s.Open(text);
    QString value;
    EXPECT_TRUE(s.grid->GetStringValue(text, value));
    EXPECT_EQ(value, QStringLiteral("one\r\ntwo\r\nthree"));
    EXPECT_EQ(s.grid->GetValueText(*s.grid->FindItem(text)),
              QStringLiteral("one\u00B6two\u00B6three"));
    EXPECT_EQ(s.spy->count(), 1);

    const HITEM when =
        s.grid->AddItem(s.section, CPropertyGrid::IT_DATETIME, QStringLiteral("When"),
                        QDateTime(QDate(2006, 1, 2), QTime(3, 4, 5)), true, true);
    dialogs.OnModal = [](QDialog& dialog) {
        QStringList labels;
        for (auto* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        EXPECT_EQ(labels, QStringList({QStringLiteral("Date"), QStringLiteral("Time")}));
        dialog.findChild<QDateEdit*>()->setDate(QDate(2007, 8, 9));
        dialog.findChild<QTimeEdit*>()->setTime(QTime(10, 11, 12));
        dialog.findChildren<QPushButton*>().at(0)->click();
        return dialog.result();
    };
    s.Open(when);
    QDateTime stored;
    EXPECT_TRUE(s.grid->GetDateTimeValue(when, stored)); // no longer undefined
    EXPECT_EQ(stored, QDateTime(QDate(2007, 8, 9), QTime(10, 11, 12)));

    // Cancel keeps the value.
    dialogs.OnModal = [](QDialog& dialog) {
        dialog.findChild<QDateEdit*>()->setDate(QDate(2010, 1, 1));
        dialog.findChildren<QPushButton*>().at(1)->click();
        return dialog.result();
    };
    s.Open(when);
    EXPECT_TRUE(s.grid->GetDateTimeValue(when, stored));
    EXPECT_EQ(stored.date(), QDate(2007, 8, 9));
    EXPECT_EQ(s.spy->count(), 2);
}

TEST(PropertyGridEditors, CustomItemsEditThemselves)
{
    SEditors s;
    SCustom modal;
    const HITEM item = s.grid->AddCustomItem(s.section, QStringLiteral("Languages"), &modal);
    EXPECT_EQ(modal.m_pGrid, s.grid);
    s.Open(item);
    EXPECT_EQ(modal.Edits, 1);
    EXPECT_EQ(s.spy->count(), 1);
    modal.EditAnswer = false;
    s.Open(item);
    EXPECT_EQ(modal.Edits, 2);
    EXPECT_EQ(s.spy->count(), 1);

    SCustom inPlace;
    inPlace.Mode = CPropertyGrid::EDIT_INPLACE;
    const HITEM text = s.grid->AddCustomItem(s.section, QStringLiteral("Methods"), &inPlace);
    s.Open(text);
    auto* edit = qobject_cast<CPropertyGridInPlaceEdit*>(s.grid->GetEditor());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("from item"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(inPlace.Edited, QStringList({QStringLiteral("from item")}));
    EXPECT_EQ(s.spy->count(), 2);
}
