#include "ControlsTestSupport.h"

#include "controls/BrowseEdit.h"
#include "controls/HistoryCombo.h"
#include "controls/MultiCtrl.h"
#include "controls/WindowStyles.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {
// A dialog's placeholder taken over by a multi control.
struct SMulti
{
    explicit SMulti(const QString& caption = QStringLiteral("&Name"))
    {
        dialog.resize(400, 100);
        multi = new CMultiCtrl(&dialog);
        multi->setGeometry(10, 10, 300, 24);
        multi->SetDlgCtrlID(1133);
        multi->SubclassPlaceholder(caption);
        ShowActive(dialog);
    }
    QLabel* Label() const { return qobject_cast<QLabel*>(multi->GetChild(CMultiCtrl::ID_LABEL)); }
    QWidget dialog;
    CMultiCtrl* multi = nullptr;
};
} // namespace

TEST(MultiCtrl, PlaceholderBecomesALabelledEdit)
{
    SMulti s;
    EXPECT_EQ(s.multi->GetType(), CMultiCtrl::MCT_EDIT);
    ASSERT_NE(s.Label(), nullptr);
    EXPECT_EQ(s.Label()->text(), QStringLiteral("&Name:"));
    EXPECT_EQ(s.Label()->buddy(), s.multi->GetChildAt()); // Alt+N reaches the edit
    EXPECT_EQ(s.multi->GetWindowText(), QStringLiteral("&Name"));
    EXPECT_GT(s.multi->GetChildAt()->x(), 0);
    s.multi->SetType(CMultiCtrl::MCT_STATIC);
    EXPECT_EQ(s.Label()->text(), QStringLiteral("Name:"));
    EXPECT_EQ(s.multi->GetWindowText(), QStringLiteral("Name"));
    EXPECT_FALSE(s.multi->focusPolicy() & Qt::TabFocus);

    SMulti bare{QString()};
    EXPECT_TRUE(bare.multi->GetCtrlStyle() & CMultiCtrl::MCS_NOLABEL);
    EXPECT_EQ(bare.multi->GetChildAt()->x(), 0);
}

TEST(MultiCtrl, RebuildsKeepTheText)
{
    SMulti s;
    s.multi->SetType(CMultiCtrl::MCT_EDIT, ES_NUMBER, 0);
    auto* numeric = qobject_cast<QLineEdit*>(s.multi->GetChildAt());
    ASSERT_NE(numeric, nullptr);
    QTest::keyClicks(numeric, QStringLiteral("12ab3"));
    EXPECT_EQ(s.multi->GetText(), QStringLiteral("123")); // digits only
    s.multi->SetType(CMultiCtrl::MCT_EDIT, 0, 0);
    EXPECT_EQ(s.multi->GetText(), QStringLiteral("123"));
    // A multi-line edit fills the whole height.
    s.multi->SetType(CMultiCtrl::MCT_EDIT, ES_MULTILINE | ES_WANTRETURN, 0);
    auto* lines = qobject_cast<QPlainTextEdit*>(s.multi->GetChildAt());
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->height(), s.multi->height());
    EXPECT_EQ(s.multi->GetText(), QStringLiteral("123"));
    // The removed styles take a bit out of the child's style: no read-only edit any more.
    s.multi->SetCtrlStyle(s.multi->GetCtrlStyle() | CMultiCtrl::MCS_READONLY);
    lines = qobject_cast<QPlainTextEdit*>(s.multi->GetChildAt());
    ASSERT_NE(lines, nullptr);
    EXPECT_TRUE(lines->isReadOnly());
    s.multi->SetType(CMultiCtrl::MCT_EDIT, 0, ES_READONLY);
    EXPECT_FALSE(qobject_cast<QLineEdit*>(s.multi->GetChildAt())->isReadOnly());
    EXPECT_EQ(s.multi->GetText(), QStringLiteral("123"));
}

TEST(MultiCtrl, DropListHistory)
{
    SMulti s;
    EXPECT_EQ(s.multi->AddHistoryString(QStringLiteral("x")), -1);
    EXPECT_EQ(s.multi->GetText(), QString());
    s.multi->SetType(CMultiCtrl::MCT_DROPLIST);
    EXPECT_EQ(s.multi->AddHistoryString(QStringLiteral("False")), 0);
    EXPECT_EQ(s.multi->AddHistoryString(QStringLiteral("True")), 0);
    EXPECT_EQ(s.multi->GetComboBox()->itemText(0), QStringLiteral("True"));
    EXPECT_EQ(s.multi->GetText(), QStringLiteral("True"));
    s.multi->SetText(QStringLiteral("false"));
    EXPECT_EQ(s.multi->GetText(), QStringLiteral("False"));
    s.multi->SetText(QStringLiteral("Maybe"));
    EXPECT_EQ(s.multi->GetComboBox()->currentIndex(), -1);
    QSignalSpy commands(s.multi, &CMultiCtrl::Command);
    s.multi->GetComboBox()->setCurrentIndex(1);
    Q_EMIT s.multi->GetComboBox()->activated(1);
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 1133);
    EXPECT_EQ(commands.at(0).at(1).toInt(), CBN_SELCHANGE);
}

TEST(MultiCtrl, CheckBoxTexts)
{
    SMulti s;
    s.multi->SetType(CMultiCtrl::MCT_CHECKBOX);
    auto* box = qobject_cast<QCheckBox*>(s.multi->GetChild(CMultiCtrl::ID_BUTTON));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(s.multi->GetChild(CMultiCtrl::ID_LABEL), nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("&Name"));
    struct SCase
    {
        const char* Text;
        Qt::CheckState State;
        const char* ReadBack;
    };
    const SCase cases[] = {
        {"1", Qt::Checked, "1"},     {"", Qt::Unchecked, ""},
        {"TRUE", Qt::Unchecked, ""}, {"-1", Qt::PartiallyChecked, "-1"},
        {"1", Qt::Checked, "1"},
    };
    for (const SCase& c : cases) {
        s.multi->SetText(QString::fromLatin1(c.Text));
        EXPECT_EQ(box->checkState(), c.State) << c.Text;
        EXPECT_EQ(s.multi->GetText(), QString::fromLatin1(c.ReadBack)) << c.Text;
    }
    // "-1" made the box three-state; a user's clicks never come back to indeterminate.
    EXPECT_TRUE(box->isTristate());
    s.multi->SetText(QStringLiteral("-1"));
    QSignalSpy commands(s.multi, &CMultiCtrl::Command);
    for (const Qt::CheckState expected : {Qt::Unchecked, Qt::Checked, Qt::Unchecked, Qt::Checked}) {
        box->click();
        EXPECT_EQ(box->checkState(), expected);
    }
    EXPECT_EQ(commands.count(), 4);
    EXPECT_EQ(commands.at(0).at(1).toInt(), BN_CLICKED);
}

TEST(MultiCtrl, DateTimePickerWithoutADate)
{
    SMulti s;
    s.multi->SetType(CMultiCtrl::MCT_DATETIME);
    const QDateTime when(QDate(2006, 3, 4), QTime(5, 6));
    s.multi->SetText(QLocale().toString(when, QLocale::ShortFormat));
    EXPECT_EQ(s.multi->GetText(), QLocale().toString(when, QLocale::ShortFormat));
    s.multi->SetText(QStringLiteral("not a date"));
    EXPECT_EQ(s.multi->GetText(), QString());
    s.multi->SetText(QString());
    EXPECT_EQ(s.multi->GetText(), QString());
}

TEST(MultiCtrl, DisablingMapsOntoTheFlagAndTheTabOrder)
{
    SMulti s;
    EXPECT_TRUE(s.multi->focusPolicy() & Qt::TabFocus);
    s.multi->setEnabled(false);
    EXPECT_TRUE(s.multi->GetCtrlStyle() & CMultiCtrl::MCS_DISABLED);
    EXPECT_FALSE(s.multi->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(s.multi->GetChildAt()->isEnabled());
    s.multi->setEnabled(true);
    EXPECT_FALSE(s.multi->GetCtrlStyle() & CMultiCtrl::MCS_DISABLED);
    EXPECT_TRUE(s.multi->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(s.multi->GetChildAt()->isEnabled());
    // Hidden: no child at all.
    s.multi->SetCtrlStyle(s.multi->GetCtrlStyle() | CMultiCtrl::MCS_HIDDEN);
    EXPECT_EQ(s.multi->GetActiveChild(), nullptr);
    EXPECT_EQ(s.multi->GetChild(CMultiCtrl::ID_LABEL), nullptr);
}

TEST(MultiCtrl, BrowseEditAndCommandsUnderTheHostsId)
{
    SMulti s;
    QSignalSpy commands(s.multi, &CMultiCtrl::Command);
    s.multi->SetCtrlStyle(CMultiCtrl::MCS_BROWSE);
    s.multi->SetText(QStringLiteral("/data"));
    CBrowseEdit* browse = s.multi->GetBrowseEdit();
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(s.multi->GetChildAt(), nullptr);
    EXPECT_EQ(browse->GetWindowText(), QStringLiteral("/data"));
    commands.clear();
    browse->GetButton()->click();
    ASSERT_FALSE(commands.isEmpty());
    EXPECT_EQ(commands.last().at(0).toInt(), 1133);
    EXPECT_EQ(commands.last().at(1).toInt(), BN_CLICKED);
}

TEST(MultiCtrl, PromptOnTheStatusBarAndAsToolTip)
{
    QMainWindow frame;
    frame.statusBar();
    frame.resize(400, 200);
    auto* page = new QWidget(&frame);
    frame.setCentralWidget(page);
    auto* multi = new CMultiCtrl(page);
    multi->setGeometry(10, 10, 300, 24);
    multi->SubclassPlaceholder(QStringLiteral("Value"));
    auto* other = new QLineEdit(page);
    other->setGeometry(10, 50, 100, 24);
    ShowActive(frame);
    const QString prompt(100, u'p');
    multi->SetToolTipText(prompt);
    EXPECT_EQ(multi->toolTip().size(), 79);
    other->setFocus();
    QApplication::processEvents();
    multi->setFocus(); // reaches the edit
    EXPECT_TRUE(multi->GetChildAt()->hasFocus());
    QApplication::processEvents();
    EXPECT_EQ(frame.statusBar()->currentMessage(), prompt);
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Ready"));
}
