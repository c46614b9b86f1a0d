#include "ControlsTestSupport.h"

#include "controls/Archive.h"
#include "controls/BrowseEdit.h"
#include "controls/HistoryCombo.h"
#include "controls/WindowStyles.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {
QStringList Items(const QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int v : values)
        bytes.append(char(v));
    return bytes;
}
} // namespace

TEST(HistoryCombo, NewestFirstWithoutDuplicatesAndAtMostTen)
{
    CHistoryCombo combo;
    combo.addItem(QStringLiteral("beta"));
    combo.addItem(QStringLiteral("alpha"));
    EXPECT_EQ(combo.AddString(QStringLiteral("  Alpha ")), 0);
    EXPECT_EQ(Items(combo), QStringList({QStringLiteral("Alpha"), QStringLiteral("beta")}));
    EXPECT_EQ(combo.currentIndex(), 0);
    for (int i = 0; i < 9; ++i)
        combo.AddString(QStringLiteral("item %1").arg(i));
    EXPECT_EQ(combo.count(), 10);
    EXPECT_EQ(combo.itemText(9), QStringLiteral("Alpha")); // "beta" fell off
    combo.AddString(QStringLiteral("   "));
    EXPECT_EQ(combo.itemText(0), QString());
    EXPECT_EQ(combo.itemText(9), QStringLiteral("item 0"));
}

TEST(HistoryCombo, ArchiveRecordBytes)
{
    // An empty list: a zero count, then the edit text; an empty text is FF FE FF 00.
    {
        CHistoryCombo combo;
        combo.setEditable(true);
        CArchive archive;
        combo.Serialize(archive);
        EXPECT_EQ(archive.GetBytes(), Bytes({0x00, 0x00, 0xFF, 0xFE, 0xFF, 0x00}));
    }
    // With add-current-text the edit text becomes the first item.
    {
        CHistoryCombo combo;
        combo.setEditable(true);
        combo.addItem(QStringLiteral("Ab"));
        combo.setEditText(QStringLiteral("Z"));
        CArchive archive;
        combo.Serialize(archive);
        EXPECT_EQ(archive.GetBytes(), Bytes({0x02, 0x00,                        // two items
                                             0xFF, 0xFE, 0xFF, 0x01, 'Z', 0x00, // "Z"
                                             0xFF, 0xFE, 0xFF, 0x02, 'A', 0x00, 'b', 0x00, // "Ab"
                                             0xFF, 0xFE, 0xFF, 0x01, 'Z', 0x00})); // the edit text
    }
    // Lengths of 255 and more take the longer forms.
    {
        CArchive archive;
        archive.WriteString(QString(300, u'x'));
        const QByteArray bytes = archive.GetBytes();
        EXPECT_EQ(bytes.left(6), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}));
        EXPECT_EQ(bytes.size(), 6 + 600);
        CArchive back(bytes);
        QString text;
        EXPECT_TRUE(back.ReadString(text));
        EXPECT_EQ(text, QString(300, u'x'));
        CArchive huge;
        huge.WriteString(QString(0x10000, u'y'));
        EXPECT_EQ(huge.GetBytes().left(10),
                  Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}));
    }
}

TEST(HistoryCombo, LoadingRecords)
{
    // A record written by a drop-down combo, read back into a drop list: the edit text is not
    // in the list, so nothing is selected.
    CHistoryCombo source;
    source.setEditable(true);
    source.addItem(QStringLiteral("one"));
    source.addItem(QStringLiteral("two"));
    source.setEditText(QStringLiteral("three"));
    CArchive store;
    source.Serialize(store, false);
    CHistoryCombo list;
    CArchive load(store.GetBytes());
    EXPECT_TRUE(list.Serialize(load));
    EXPECT_EQ(Items(list), QStringList({QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_EQ(list.currentIndex(), -1);
    // Into a drop-down combo the text goes into the edit field; a listed text is selected.
    CHistoryCombo editable;
    editable.setEditable(true);
    CArchive again(store.GetBytes());
    EXPECT_TRUE(editable.Serialize(again));
    EXPECT_EQ(editable.currentText(), QStringLiteral("three"));
    // An 8-bit string (no UTF-16 marker) and a truncated record.
    CHistoryCombo old;
    CArchive ansi(Bytes({0x01, 0x00, 0x03, 'c', 0xE9, 'e', 0x03, 'C', 0xC9, 'E'}));
    EXPECT_TRUE(old.Serialize(ansi));
    EXPECT_EQ(old.itemText(0), QStringLiteral("c\u00E9e"));
    EXPECT_EQ(old.currentIndex(), 0); // found ignoring case
    CHistoryCombo cut;
    CArchive truncated(
        Bytes({0x02, 0x00, 0xFF, 0xFE, 0xFF, 0x01, 'a', 0x00, 0xFF, 0xFE, 0xFF, 0x09, 'b'}));
    EXPECT_FALSE(cut.Serialize(truncated));
    EXPECT_EQ(Items(cut), QStringList({QStringLiteral("a")}));
}

TEST(BrowseEdit, EditAndSquareButtonReportUnderItsId)
{
    QWidget owner;
    owner.resize(200, 50);
    auto* browse = new CBrowseEdit(0, &owner);
    browse->SetDlgCtrlID(1133);
    browse->setGeometry(0, 0, 100, 20);
    ShowActive(owner);
    EXPECT_EQ(browse->GetEdit()->geometry(), QRect(0, 0, 80, 20));
    EXPECT_EQ(browse->GetButton()->geometry(), QRect(80, 0, 20, 20));
    QSignalSpy commands(browse, &CBrowseEdit::Command);
    QTest::keyClicks(browse->GetEdit(), QStringLiteral("x"));
    browse->GetButton()->click();
    ASSERT_GE(commands.count(), 2);
    EXPECT_EQ(commands.first().at(0).toInt(), 1133);
    EXPECT_TRUE(std::any_of(commands.begin(), commands.end(),
                            [](const QList<QVariant>& c) { return c.at(1).toInt() == EN_CHANGE; }));
    EXPECT_EQ(commands.last().at(1).toInt(), BN_CLICKED);
    EXPECT_EQ(browse->GetWindowText(), QStringLiteral("x"));

    CBrowseEdit readOnly(ES_READONLY);
    EXPECT_FALSE(readOnly.GetButton()->isEnabled());
}
