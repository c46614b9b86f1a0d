// The matching-method dialog: the rows it opens with, OK only while a method is ticked, rows
// moved by dragging, the ticked methods in the order shown, and the views' call that runs it.

#include "dialogs/MatchingMethodDlg.h"

#include "controls/XListCtrl.h"
#include "dialogs/CampaignViewDialogs.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The rows as "name" or "name *" (ticked), from the top.
QStringList Rows(const CXListCtrl& list)
{
    QStringList rows;
    for (int row = 0; row < list.GetItemCount(); ++row)
        rows << list.GetItemText(row, 1) + (list.GetCheckbox(row, 0) == 1 ? " *" : "");
    return rows;
}

// The user ticks or unticks the row's box.
void Tick(CXListCtrl& list, int row, bool ticked)
{
    list.topLevelItem(row)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

// The row pressed, dragged to the point and let go there.
void DragRow(CXListCtrl& list, int row, const QPoint& to)
{
    const QPoint from = list.visualItemRect(list.topLevelItem(row)).center();
    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), list.viewport()->mapToGlobal(QPointF(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, to);
}

struct SOpening
{
    int Kind;
    QList<quint32> Methods;
    QString Title;
    QStringList Rows;
};

} // namespace

TEST(MatchingMethodDlgTest, OpensWithTheGivenMethodsTickedFirstThenTheOthersById)
{
    const SOpening cases[] = {
        {0,
         {2, 0},
         "Question matching",
         {"Short caption *", "Internal code *", "Shortcut", "Long caption", "Manual", "User data"}},
        // No method: only the first is ticked, all in id order.
        {1,
         {},
         "Response matching",
         {"Internal code *", "Entry code", "Short caption", "Order", "Manual", "User data"}},
        // Unknown ids and repeats are left out.
        {1,
         {9, 3, 3, 5},
         "Response matching",
         {"Order *", "User data *", "Internal code", "Entry code", "Short caption", "Manual"}},
        // Another kind shows no title and the response methods.
        {4,
         {1},
         "",
         {"Entry code *", "Internal code", "Short caption", "Order", "Manual", "User data"}},
    };
    for (const SOpening& opening : cases) {
        CMatchingMethodDlg dialog;
        dialog.SetMethods(opening.Kind, opening.Methods);
        dialog.show();
        SCOPED_TRACE(opening.Rows.join(", ").toStdString());
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Matching Methods"));
        EXPECT_EQ(dialog.GetTitle()->text(), opening.Title);
        EXPECT_EQ(Rows(*dialog.GetList()), opening.Rows);
        EXPECT_TRUE(dialog.GetOkButton()->isEnabled());
        EXPECT_EQ(dialog.GetList()->headerItem()->text(0), QStringLiteral("Enable"));
        EXPECT_EQ(dialog.GetList()->headerItem()->text(1), QStringLiteral("Matching method"));
    }
    // Each row tells what its method does; the box what it is for.
    CMatchingMethodDlg dialog;
    dialog.SetMethods(0, {4});
    EXPECT_EQ(dialog.GetList()->GetItemToolTipText(0, 1),
              QStringLiteral("Match questions manually"));
    EXPECT_EQ(dialog.GetList()->GetItemToolTipText(0, 0),
              QStringLiteral("Enable/disable this matching method"));
}

TEST(MatchingMethodDlgTest, OkIsThereOnlyWhileAMethodIsTicked)
{
    CMatchingMethodDlg dialog;
    dialog.SetMethods(0, {2, 0});
    dialog.show();
    CXListCtrl& list = *dialog.GetList();
    Tick(list, 0, false);
    EXPECT_TRUE(dialog.GetOkButton()->isEnabled());
    Tick(list, 1, false);
    EXPECT_FALSE(dialog.GetOkButton()->isEnabled());
    // Nothing ends the dialog with OK now, not even Enter.
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    Tick(list, 5, true);
    EXPECT_TRUE(dialog.GetOkButton()->isEnabled());
    QTest::mouseClick(dialog.GetOkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetMethods(), (QList<quint32>{5}));
}

TEST(MatchingMethodDlgTest, DraggedRowsGoInFrontOfTheRowDroppedOnAndOkGivesTheShownOrder)
{
    CMatchingMethodDlg dialog;
    dialog.SetMethods(0, {1, 2, 3});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    CXListCtrl& list = *dialog.GetList();
    ASSERT_EQ(Rows(list), (QStringList{"Shortcut *", "Short caption *", "Long caption *",
                                       "Internal code", "Manual", "User data"}));

    // The first row dropped on the third goes second.
    DragRow(list, 0, list.visualItemRect(list.topLevelItem(2)).center());
    EXPECT_EQ(Rows(list), (QStringList{"Short caption *", "Shortcut *", "Long caption *",
                                       "Internal code", "Manual", "User data"}));
    EXPECT_EQ(list.GetCurSel(), 1);
    // A row dropped below the last row goes last, its tick and tool tip with it.
    const QRect last = list.visualItemRect(list.topLevelItem(5));
    DragRow(list, 1, QPoint(last.center().x(), last.bottom() + last.height()));
    EXPECT_EQ(Rows(list), (QStringList{"Short caption *", "Long caption *", "Internal code",
                                       "Manual", "User data", "Shortcut *"}));
    EXPECT_EQ(list.GetItemToolTipText(5, 1),
              QStringLiteral("Match questions by question shortcuts"));

    Tick(list, 3, true);
    QTest::mouseClick(dialog.GetOkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetMethods(), (QList<quint32>{2, 3, 4, 1}));
}

TEST(MatchingMethodDlgTest, TheViewsCallRunsTheDialogAndKeepsTheMethodsOnCancel)
{
    CCampaignViewDialogs dialogs;
    QList<quint32> methods = {2, 0};
    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<CMatchingMethodDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = dialog->GetTitle()->text() == QStringLiteral("Response matching");
        Tick(*dialog->GetList(), 2, true);
        QTest::mouseClick(dialog->GetOkButton(), Qt::LeftButton);
    });
    ASSERT_EQ(dialogs.RunMatchingMethodDialog(nullptr, 1, methods), IDOK);
    EXPECT_TRUE(shown);
    EXPECT_EQ(methods, (QList<quint32>{2, 0, 1}));

    // Confirmed without a change: the same methods in the same order.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<CMatchingMethodDlg*>(QApplication::activeModalWidget()))
            QTest::mouseClick(dialog->GetOkButton(), Qt::LeftButton);
    });
    ASSERT_EQ(dialogs.RunMatchingMethodDialog(nullptr, 1, methods), IDOK);
    EXPECT_EQ(methods, (QList<quint32>{2, 0, 1}));

    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<CMatchingMethodDlg*>(QApplication::activeModalWidget())) {
            Tick(*dialog->GetList(), 0, false);
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
    EXPECT_EQ(dialogs.RunMatchingMethodDialog(nullptr, 1, methods), IDCANCEL);
    EXPECT_EQ(methods, (QList<quint32>{2, 0, 1}));
}
