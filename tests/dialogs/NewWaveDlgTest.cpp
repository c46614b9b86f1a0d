#include "dialogs/NewWaveDlg.h"
#include "dialogs/CampaignViewDialogs.h"
#include "dialogs/DialogControls.h"

#include "support/ScriptedWindowServices.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QDateEdit& Picker(const CNewWaveDlg& dialog, int id)
{
    auto* picker = FindControl<QDateEdit>(dialog, id);
    EXPECT_NE(picker, nullptr) << id;
    return *picker;
}

QLineEdit& Name(const CNewWaveDlg& dialog)
{
    return *FindControl<QLineEdit>(dialog, CNewWaveDlg::IDC_NAME);
}

QPushButton& Ok(const CNewWaveDlg& dialog)
{
    return *FindControl<QPushButton>(dialog, CNewWaveDlg::IDC_OK);
}

const QDate kStart(2025, 9, 1);
const QDate kMidPoint(2025, 9, 15);
const QDate kEnd(2025, 10, 1);

} // namespace

TEST(NewWaveDlgTest, OkAndEnterWaitForAName)
{
    CNewWaveDlg dialog;
    dialog.show();
    QApplication::processEvents();
    EXPECT_FALSE(Ok(dialog).isEnabled());

    QTest::keyClick(&Name(dialog), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);

    // The description alone is not enough.
    FindControl<QPlainTextEdit>(dialog, CNewWaveDlg::IDC_DESCRIPTION)
        ->setPlainText(QStringLiteral("Autumn fieldwork\nsecond line"));
    EXPECT_FALSE(Ok(dialog).isEnabled());

    QTest::keyClick(&Name(dialog), Qt::Key_W);
    EXPECT_TRUE(Ok(dialog).isEnabled());
    QTest::keyClick(&Name(dialog), Qt::Key_Backspace);
    EXPECT_FALSE(Ok(dialog).isEnabled());
    QTest::keyClicks(&Name(dialog), QStringLiteral("Winter"));
    QTest::keyClick(&Name(dialog), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_EQ(dialog.GetName(), QStringLiteral("Winter"));
    EXPECT_EQ(dialog.GetDescription(), QStringLiteral("Autumn fieldwork\nsecond line"));
    // Without proposed dates the pickers showed today; the dates come back at midnight.
    for (const QDateTime& date :
         {dialog.GetStartDate(), dialog.GetMidPointDate(), dialog.GetEndDate()})
        EXPECT_EQ(date, QDateTime(QDate::currentDate(), QTime(0, 0)));
}

TEST(NewWaveDlgTest, ProposedDatesBoundTheOtherPickers)
{
    struct SCase
    {
        bool Start, End, MidPoint;
    };
    // Dates around today, so that the pickers left on today stay inside the proposed bounds.
    const QDate today = QDate::currentDate();
    const QDate start0 = today.addDays(-10);
    const QDate mid0 = today.addDays(2);
    const QDate end0 = today.addDays(20);
    const QDate noMinimum = QDateEdit().minimumDate();
    const QDate noMaximum = QDateEdit().maximumDate();
    for (const SCase& c :
         {SCase{true, true, true}, SCase{true, false, false}, SCase{false, true, false},
          SCase{false, false, true}, SCase{false, false, false}}) {
        SCOPED_TRACE(QStringLiteral("start %1 end %2 mid %3")
                         .arg(c.Start)
                         .arg(c.End)
                         .arg(c.MidPoint)
                         .toStdString());
        CNewWaveDlg dialog;
        if (c.Start)
            dialog.SetStartDate(QDateTime(start0, QTime(9, 30)));
        if (c.End)
            dialog.SetEndDate(QDateTime(end0, QTime(0, 0)));
        if (c.MidPoint)
            dialog.SetMidPointDate(QDateTime(mid0, QTime(0, 0)));
        dialog.show();
        QApplication::processEvents();
        const QDateEdit& start = Picker(dialog, CNewWaveDlg::IDC_START);
        const QDateEdit& end = Picker(dialog, CNewWaveDlg::IDC_END);
        const QDateEdit& mid = Picker(dialog, CNewWaveDlg::IDC_MID_POINT);
        EXPECT_EQ(start.date(), c.Start ? start0 : today);
        EXPECT_EQ(end.date(), c.End ? end0 : today);
        if (c.MidPoint) {
            EXPECT_EQ(mid.date(), mid0);
        }
        EXPECT_EQ(mid.minimumDate(), c.Start ? start0 : noMinimum);
        EXPECT_EQ(mid.maximumDate(), c.End ? end0 : noMaximum);
        EXPECT_EQ(end.minimumDate(), c.Start ? start0 : noMinimum);
        EXPECT_EQ(end.maximumDate(), noMaximum);
        EXPECT_EQ(start.minimumDate(), noMinimum);
        EXPECT_EQ(start.maximumDate(), c.End ? end0 : noMaximum);
    }
}

TEST(NewWaveDlgTest, MovingTheStartOrTheEndKeepsTheDatesInOrder)
{
    CNewWaveDlg dialog;
    dialog.SetStartDate(QDateTime(kStart, QTime(0, 0)));
    dialog.SetEndDate(QDateTime(kEnd, QTime(0, 0)));
    dialog.SetMidPointDate(QDateTime(kMidPoint, QTime(0, 0)));
    dialog.show();
    QApplication::processEvents();
    QDateEdit& start = Picker(dialog, CNewWaveDlg::IDC_START);
    QDateEdit& end = Picker(dialog, CNewWaveDlg::IDC_END);
    QDateEdit& mid = Picker(dialog, CNewWaveDlg::IDC_MID_POINT);

    // A start after the proposed mid-point: the mid-point cannot go below it any more.
    const QDate laterStart(2025, 9, 20);
    start.setDate(laterStart);
    EXPECT_EQ(mid.minimumDate(), laterStart);
    EXPECT_EQ(mid.maximumDate(), kEnd);
    EXPECT_EQ(mid.date(), laterStart);
    EXPECT_EQ(end.minimumDate(), laterStart);
    mid.setDate(QDate(2025, 9, 2));
    EXPECT_EQ(mid.date(), laterStart);

    // An earlier end pulls the mid-point's upper bound and the start's with it.
    const QDate earlierEnd(2025, 9, 25);
    end.setDate(earlierEnd);
    EXPECT_EQ(mid.maximumDate(), earlierEnd);
    EXPECT_EQ(mid.minimumDate(), laterStart);
    EXPECT_EQ(start.maximumDate(), earlierEnd);
    start.setDate(QDate(2025, 12, 1));
    EXPECT_EQ(start.date(), earlierEnd);

    QTest::keyClicks(&Name(dialog), QStringLiteral("Autumn"));
    QTest::mouseClick(&Ok(dialog), Qt::LeftButton);
    EXPECT_EQ(dialog.GetStartDate(), QDateTime(earlierEnd, QTime(0, 0)));
    EXPECT_EQ(dialog.GetMidPointDate(), QDateTime(earlierEnd, QTime(0, 0)));
    EXPECT_EQ(dialog.GetEndDate(), QDateTime(earlierEnd, QTime(0, 0)));
}

TEST(NewWaveDlgTest, ADateTypedInIsCheckedWhenItsEditIsFinishedNotAtEachKey)
{
    const QDate start(2025, 10, 1);
    const QDate mid(2025, 10, 15);
    CNewWaveDlg dialog;
    dialog.SetStartDate(QDateTime(start, QTime(0, 0)));
    dialog.SetEndDate(QDateTime(QDate(2025, 10, 20), QTime(0, 0)));
    dialog.SetMidPointDate(QDateTime(mid, QTime(0, 0)));
    dialog.show();
    QApplication::processEvents();
    QDateEdit& end = Picker(dialog, CNewWaveDlg::IDC_END);
    QDateEdit& midPoint = Picker(dialog, CNewWaveDlg::IDC_MID_POINT);
    end.setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    const auto typeDay = [&end](const QString& day) {
        end.setFocus();
        end.setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(&end, day);
    };

    // The user types "31" in the end's day: the "3" alone moves nothing.
    typeDay(QStringLiteral("3"));
    EXPECT_EQ(midPoint.date(), mid) << "clamped at the first key";
    QTest::keyClicks(&end, QStringLiteral("1"));
    QTest::keyClick(&end, Qt::Key_Return);
    EXPECT_EQ(end.date(), QDate(2025, 10, 31));
    EXPECT_EQ(midPoint.date(), mid);
    EXPECT_EQ(midPoint.maximumDate(), QDate(2025, 10, 31));

    // An end before the mid-point, once typed in whole, pulls it along.
    typeDay(QStringLiteral("10"));
    EXPECT_EQ(midPoint.date(), mid);
    QTest::keyClick(&end, Qt::Key_Tab);
    EXPECT_EQ(end.date(), QDate(2025, 10, 10));
    EXPECT_EQ(midPoint.date(), QDate(2025, 10, 10));

    // OK takes a date still being typed, kept in order with the others.
    typeDay(QStringLiteral("5"));
    QTest::keyClicks(&Name(dialog), QStringLiteral("Autumn"));
    Ok(dialog).click();
    EXPECT_EQ(dialog.GetEndDate(), QDateTime(QDate(2025, 10, 5), QTime(0, 0)));
    EXPECT_EQ(dialog.GetMidPointDate(), QDateTime(QDate(2025, 10, 5), QTime(0, 0)));
    EXPECT_EQ(dialog.GetStartDate(), QDateTime(start, QTime(0, 0)));
}

TEST(NewWaveDlgTest, TheDialogsCallHandsTheValuesBack)
{
    CScriptedWindowServices windows;
    CCampaignViewDialogs dialogs;
    SNewWaveDlgValues values;
    values.Start = QDateTime(kStart, QTime(0, 0));
    values.End = QDateTime(kEnd, QTime(0, 0));
    values.MidPoint = QDateTime(kMidPoint, QTime(0, 0));
    bool shot = false;
    QTimer::singleShot(0, [&shot] {
        auto* dialog = qobject_cast<CNewWaveDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Add a New Wave to the Campaign..."));
        QTest::keyClicks(&Name(*dialog), QStringLiteral("Autumn"));
        FindControl<QPlainTextEdit>(*dialog, CNewWaveDlg::IDC_DESCRIPTION)
            ->setPlainText(QStringLiteral("Third wave"));
        // Nothing is cut: every control lies inside the dialog.
        for (QWidget* control : dialog->findChildren<QWidget*>())
            if (control->isVisible() && control->parentWidget() == dialog) {
                EXPECT_TRUE(dialog->rect().contains(control->geometry()))
                    << control->objectName().toStdString();
            }
        shot = true;
        QTest::mouseClick(&Ok(*dialog), Qt::LeftButton);
    });
    ASSERT_EQ(dialogs.RunNewWaveDlg(nullptr, values), IDOK);
    EXPECT_TRUE(shot);
    EXPECT_EQ(values.Name, QStringLiteral("Autumn"));
    EXPECT_EQ(values.Description, QStringLiteral("Third wave"));
    EXPECT_EQ(values.Start, QDateTime(kStart, QTime(0, 0)));
    EXPECT_EQ(values.MidPoint, QDateTime(kMidPoint, QTime(0, 0)));
    EXPECT_EQ(values.End, QDateTime(kEnd, QTime(0, 0)));

    // Cancel leaves the values alone.
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            QTest::keyClick(dialog, Qt::Key_Escape);
    });
    values.Name = QStringLiteral("kept");
    EXPECT_EQ(dialogs.RunNewWaveDlg(nullptr, values), IDCANCEL);
    EXPECT_EQ(values.Name, QStringLiteral("kept"));
}
