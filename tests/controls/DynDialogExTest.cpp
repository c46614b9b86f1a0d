#include "ControlsTestSupport.h"

#include "controls/DialogUnits.h"
#include "controls/DynDialogEx.h"
#include "controls/WindowStyles.h"
#include "support/ScriptedWindowServices.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

TEST(DynDialogEx, ClassNamesAndCodes)
{
    EXPECT_EQ(CDynDialogEx::ClassNameOfCode(128), QStringLiteral("BUTTON"));
    EXPECT_EQ(CDynDialogEx::ClassNameOfCode(143), QStringLiteral("SysDateTimePick32"));
    EXPECT_EQ(CDynDialogEx::ClassNameOfCode(146), QStringLiteral("ComboBoxEx32"));
    EXPECT_TRUE(CDynDialogEx::ClassNameOfCode(127).isEmpty());
    EXPECT_TRUE(CDynDialogEx::ClassNameOfCode(147).isEmpty());
    // The first table name the class name starts with, case-sensitively.
    EXPECT_EQ(CDynDialogEx::ClassCodeOfName(QStringLiteral("EDIT")), 129);
    EXPECT_EQ(CDynDialogEx::ClassCodeOfName(QStringLiteral("COMBOBOX")), 133);
    EXPECT_EQ(CDynDialogEx::ClassCodeOfName(QStringLiteral("COMBOBOXEX")), 133);
    EXPECT_EQ(CDynDialogEx::ClassCodeOfName(QStringLiteral("edit")), 0);
    EXPECT_EQ(CDynDialogEx::ClassCodeOfName(QStringLiteral("Shell.Explorer.2")), 0);
}

TEST(DynDialogEx, ControlsStackAndTheDialogGrowsAroundThem)
{
    CDynDialogEx dialog;
    const int first =
        dialog.AddDlgControl(QStringLiteral("STATIC"), QStringLiteral("a"), WS_VISIBLE, 0);
    const int second =
        dialog.AddDlgControl(CDynDialogEx::DYN_STATIC, QStringLiteral("b"), WS_VISIBLE, 0);
    // Automatic ids count up by one from 1024, across the whole program.
    EXPECT_GE(first, 1024);
    EXPECT_EQ(second, first + 1);
    // (10, 10, 270, 22) and (10, 22, 120, 34): 12 units apart, the dialog 5 beyond both.
    EXPECT_EQ(dialog.GetDialogRect(), CRect(0, 0, 275, 39));
    const CRect far(150, 100, 200, 120);
    dialog.AddDlgControl(QStringLiteral("EDIT"), QString(), WS_VISIBLE, 0, &far, {}, 77);
    EXPECT_EQ(dialog.GetDialogRect(), CRect(0, 0, 275, 125));

    CDynDialogEx sized;
    sized.AddDlgControl(QStringLiteral("EDIT"), QString(), WS_VISIBLE, 0, &far, {}, 5);
    EXPECT_EQ(sized.GetDialogRect().Size(), CSize(205, 125));
}

TEST(DynDialogEx, EditVariableChangesOnOkOnly)
{
    CScriptedControlDialogs dialogs;
    for (const bool ok : {true, false}) {
        QString name = QStringLiteral("before");
        CDynDialogEx dialog;
        dialog.SetWindowTitle(QStringLiteral("Name"));
        const CRect place(7, 7, 150, 20);
        const int id = dialog.AddDlgControl(QStringLiteral("EDIT"), QString(),
                                            WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, &place, &name);
        dialogs.OnModal = [&](QDialog& shown) {
            auto* edit = qobject_cast<QLineEdit*>(dialog.GetDlgItem(id));
            EXPECT_EQ(edit->text(), QStringLiteral("before"));
            edit->setText(QStringLiteral("after"));
            // The automatic buttons: OK and Cancel below the controls.
            auto* button = qobject_cast<QPushButton*>(dialog.GetDlgItem(ok ? 1 : 2));
            EXPECT_EQ(button->text(), ok ? QStringLiteral("OK") : QStringLiteral("Cancel"));
            button->click();
            return shown.result();
        };
        EXPECT_EQ(dialog.DoModal(), ok ? 1 : 2);
        EXPECT_EQ(name, ok ? QStringLiteral("after") : QStringLiteral("before"));
        // Placed by dialog units of its font.
        const SDialogUnits units = SDialogUnits::FromFont(dialog.DialogFont());
        EXPECT_EQ(dialog.GetDlgItem(id)->geometry(),
                  QRect(units.ToPixelsX(7), units.ToPixelsY(7),
                        units.ToPixelsX(150) - units.ToPixelsX(7),
                        units.ToPixelsY(20) - units.ToPixelsY(7)));
    }
}

TEST(DynDialogEx, ChecksRadiosAndEscape)
{
    CScriptedControlDialogs dialogs;
    int check = BST_CHECKED;
    int radio = 1;
    CDynDialogEx dialog;
    dialog.SetUseSystemButtons(false);
    const int box = dialog.AddDlgControl(QStringLiteral("BUTTON"), QStringLiteral("Check"),
                                         WS_VISIBLE | BS_AUTOCHECKBOX, 0, nullptr, &check);
    const int r0 =
        dialog.AddDlgControl(QStringLiteral("BUTTON"), QStringLiteral("A"),
                             WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, 0, nullptr, &radio);
    dialog.AddDlgControl(QStringLiteral("BUTTON"), QStringLiteral("B"),
                         WS_VISIBLE | BS_AUTORADIOBUTTON, 0);
    const int r2 = dialog.AddDlgControl(QStringLiteral("BUTTON"), QStringLiteral("C"),
                                        WS_VISIBLE | BS_AUTORADIOBUTTON, 0);
    dialogs.OnModal = [&](QDialog& shown) {
        EXPECT_TRUE(qobject_cast<QCheckBox*>(dialog.GetDlgItem(box))->isChecked());
        EXPECT_FALSE(qobject_cast<QRadioButton*>(dialog.GetDlgItem(r0))->isChecked());
        qobject_cast<QCheckBox*>(dialog.GetDlgItem(box))->setChecked(false);
        qobject_cast<QRadioButton*>(dialog.GetDlgItem(r2))->setChecked(true);
        shown.accept();
        return shown.result();
    };
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(check, BST_UNCHECKED);
    EXPECT_EQ(radio, 2);

    // No controls and no buttons: a caption only, ended by Escape with Cancel.
    CDynDialogEx empty;
    empty.SetUseSystemButtons(false);
    dialogs.OnModal = [](QDialog& shown) {
        QTest::keyClick(&shown, Qt::Key_Escape);
        return shown.result();
    };
    EXPECT_EQ(empty.DoModal(), 2);
}

TEST(DynDialogEx, ClassWithoutAWidgetIsReportedAndLeftOut)
{
    CScriptedWindowServices services;
    CScriptedControlDialogs dialogs;
    CDynDialogEx dialog;
    const int id =
        dialog.AddDlgControl(QStringLiteral("Shell.Explorer.2"), QString(), WS_VISIBLE, 0);
    const int animation = dialog.AddDlgControl(CDynDialogEx::DYN_ANIMATE, QString(), WS_VISIBLE, 0);
    dialogs.OnModal = [](QDialog& shown) {
        shown.reject();
        return shown.result();
    };
    EXPECT_EQ(dialog.DoModal(), 2);
    EXPECT_EQ(dialog.GetDlgItem(id), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(animation), nullptr);
    EXPECT_EQ(services.Prompts, QStringList({QStringLiteral("Failed to create DlgItem."),
                                             QStringLiteral("Failed to create DlgItem.")}));
    EXPECT_NE(dialog.GetDlgItem(1), nullptr); // the OK button is there all the same
}
