#include "ControlsTestSupport.h"

#include "controls/DialogUnits.h"
#include "controls/PropertyGrid.h"
#include "controls/PropertyGridCombo.h"
#include "controls/PropertyGridInPlaceEdit.h"
#include "grid/SysColors.h"
#include "widgets/Screenshots.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A grid filling a 500 x 300 owner window, with a spy on its change messages.
struct SGrid
{
    explicit SGrid(int height = 300)
    {
        owner.resize(500, height);
        grid = new CPropertyGrid(&owner);
        grid->setGeometry(0, 0, 500, height);
        spy = std::make_unique<QSignalSpy>(grid, &CPropertyGrid::PropertyItemChanged);
        ShowActive(owner);
    }
    int lh() const { return grid->GetLineHeight(); }
    // The centre of an item's name or value.
    QPoint NameOf(HITEM item) const
    {
        const CRect r = grid->FindItem(item)->m_rcName;
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    QPoint ValueOf(HITEM item) const
    {
        const CRect r = grid->FindItem(item)->m_rcValue;
        return QPoint(r.left + 20, (r.top + r.bottom) / 2);
    }
    void Click(QPoint at) { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at); }
    void DoubleClick(QPoint at)
    {
        // Down, up, double click, up: the pattern of a real double click.
        Click(at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    }
    void Key(Qt::Key key, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(grid, &press);
    }
    QWidget owner;
    CPropertyGrid* grid = nullptr;
    std::unique_ptr<QSignalSpy> spy;
};

} // namespace

TEST(PropertyGrid, AddingItemsAndReadingValues)
{
    SGrid s;
    CPropertyGrid& g = *s.grid;
    const HSECTION first = g.AddSection(QStringLiteral("First"));
    const HSECTION second = g.AddSection(QStringLiteral("Second"));
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(second, 1u);
    // A section inserted before the first one; an unknown "before" appends.
    const HSECTION top = g.AddSection(QStringLiteral("Top"), false, first);
    g.AddSection(QStringLiteral("Last"), false, 77);
    EXPECT_EQ(g.FindSection(top)->m_title, QStringLiteral("Top"));

    const HITEM name = g.AddStringItem(first, QStringLiteral("Name"), QStringLiteral("Brand"));
    EXPECT_EQ(g.AddStringItem(first, QStringLiteral("Name"), QStringLiteral("again")),
              CPropertyGrid::NO_ITEM);
    EXPECT_NE(g.AddStringItem(second, QStringLiteral("Name"), QStringLiteral("other")),
              CPropertyGrid::NO_ITEM);
    EXPECT_EQ(g.AddStringItem(99, QStringLiteral("Lost"), QString()), CPropertyGrid::NO_ITEM);
    // A value of the wrong kind, or a custom item without its object, is refused.
    EXPECT_EQ(
        g.AddItem(first, CPropertyGrid::IT_INTEGER, QStringLiteral("Count"), QStringLiteral("7")),
        CPropertyGrid::NO_ITEM);
    EXPECT_EQ(g.AddCustomItem(first, QStringLiteral("Custom"), nullptr), CPropertyGrid::NO_ITEM);

    QString text;
    EXPECT_TRUE(g.GetStringValue(name, text));
    EXPECT_EQ(text, QStringLiteral("Brand"));
    int number = 0;
    EXPECT_FALSE(g.GetIntegerValue(name, number));

    // A combo whose index names no option shows its text value and has no string value.
    const HITEM combo = g.AddComboItem(first, QStringLiteral("Kind"),
                                       {QStringLiteral("Open"), QStringLiteral("Closed")}, 5);
    EXPECT_FALSE(g.GetStringValue(combo, text));
    EXPECT_TRUE(g.GetIntegerValue(combo, number));
    EXPECT_EQ(number, 5);
    EXPECT_EQ(g.GetValueText(*g.FindItem(combo)), QString());

    // An undefined integer shows the undefined text and has no value.
    const HITEM undefined =
        g.AddIntegerItem(first, QStringLiteral("Questions"), 3, QString(), true, true);
    EXPECT_FALSE(g.GetIntegerValue(undefined, number));
    EXPECT_EQ(g.GetValueText(*g.FindItem(undefined)), QString());
    g.SetUndefinedString(QStringLiteral("(Not set)"));
    EXPECT_EQ(g.GetValueText(*g.FindItem(undefined)), QStringLiteral("(Not set)"));

    // Date ranges only for date items; a null bound is none.
    const QDateTime day(QDate(2006, 5, 1), QTime(0, 0));
    const HITEM date =
        g.AddDateItem(first, QStringLiteral("Start"), day, QStringLiteral("%d.%m.%Y"));
    const QDateTime low(QDate(2006, 1, 1), QTime(0, 0));
    EXPECT_TRUE(g.SetDateRange(date, &low, nullptr));
    QDateTime minimum, maximum;
    EXPECT_TRUE(g.GetDateRange(date, minimum, maximum));
    EXPECT_EQ(minimum, low);
    EXPECT_FALSE(maximum.isValid());
    EXPECT_FALSE(g.SetDateRange(name, &low, &low));
    QDateTime read;
    EXPECT_TRUE(g.GetDateTimeValue(date, read));
    EXPECT_EQ(read, day);
    EXPECT_EQ(g.GetValueText(*g.FindItem(date)), QStringLiteral("01.05.2006"));
}

TEST(PropertyGrid, ValueTextByType)
{
    SGrid s;
    CPropertyGrid& g = *s.grid;
    const HSECTION section = g.AddSection(QStringLiteral("Values"));
    LOGFONT font;
    font.lfFaceName = QStringLiteral("Tahoma");
    font.lfHeight = -MulDiv(9, g.logicalDpiY(), 72);
    struct SCase
    {
        int Type;
        CPropertyGrid::Value Value;
        QString Option;
        QString Expected;
    };
    const SCase cases[] = {
        {CPropertyGrid::IT_STRING, QStringLiteral("plain"), {}, QStringLiteral("plain")},
        {CPropertyGrid::IT_TEXT,
         QStringLiteral("line one\r\nline two"),
         {},
         QStringLiteral("line one\u00B6line two")},
        {CPropertyGrid::IT_INTEGER, 42, QStringLiteral("%04d"), QStringLiteral("0042")},
        {CPropertyGrid::IT_INTEGER, 42, QStringLiteral("%s"), QStringLiteral("42")},
        {CPropertyGrid::IT_DOUBLE, 0.3, QStringLiteral("%.1f%%"), QStringLiteral("0.3%")},
        {CPropertyGrid::IT_DOUBLE, 1e6, {}, QStringLiteral("1e+06")},
        {CPropertyGrid::IT_BOOLEAN, true, {}, QStringLiteral("True")},
        {CPropertyGrid::IT_BOOLEAN, false, {}, QStringLiteral("False")},
        {CPropertyGrid::IT_COLOR, RGB(255, 0, 10), {}, QStringLiteral("255; 0; 10")},
        {CPropertyGrid::IT_FONT, font, {}, QStringLiteral("Tahoma; 9pt")},
    };
    int n = 0;
    for (const SCase& c : cases) {
        const HITEM item = g.AddItem(section, c.Type, QStringLiteral("Item %1").arg(n++), c.Value);
        ASSERT_NE(item, CPropertyGrid::NO_ITEM);
        if (!c.Option.isNull())
            const_cast<CPropertyGrid::CItem*>(g.FindItem(item))->m_options = {c.Option};
        EXPECT_EQ(g.GetValueText(*g.FindItem(item)), c.Expected) << n;
    }
    // A long path shows with "..." in its middle, its file name whole.
    const QString path =
        QStringLiteral("/home/researcher/studies/brand tracking 2006/wave 3/questionnaire.zoz");
    const HITEM file = g.AddFileItem(section, QStringLiteral("Source"), path);
    const QString shown = g.GetValueText(*g.FindItem(file));
    EXPECT_TRUE(shown.contains(QStringLiteral("...")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("/questionnaire.zoz")));
    EXPECT_LT(shown.size(), path.size());
}

TEST(PropertyGrid, HandlesCountFromZeroAgainOnlyAfterResetContents)
{
    SGrid s;
    CPropertyGrid& g = *s.grid;
    const HSECTION section = g.AddSection(QStringLiteral("S"));
    g.AddStringItem(section, QStringLiteral("A"), QString());
    const HITEM b = g.AddStringItem(section, QStringLiteral("B"), QString());
    g.ResetSelection();
    // The items still there keep their handles; a new one gets a fresh handle.
    const HITEM c = g.AddStringItem(section, QStringLiteral("C"), QString());
    EXPECT_NE(c, b);
    EXPECT_EQ(g.FindItem(c)->m_name, QStringLiteral("C"));
    EXPECT_EQ(g.FindItem(b)->m_name, QStringLiteral("B"));
    g.ResetContents();
    EXPECT_EQ(g.AddSection(QStringLiteral("New")), 0u);
    EXPECT_EQ(g.AddStringItem(0, QStringLiteral("A"), QString()), 0u);
}

TEST(PropertyGrid, ScrollBarComesWhenTheRowsFillTheWindow)
{
    for (const int extra : {1, 0}) {
        SGrid s(100);
        CPropertyGrid& g = *s.grid;
        const HSECTION section = g.AddSection(QStringLiteral("S"));
        for (int i = 0; i < 4; ++i)
            g.AddStringItem(section, QStringLiteral("Item %1").arg(i), QString());
        const int content = g.GetContentHeight();
        EXPECT_EQ(content, 5 * s.lh());
        g.resize(500, content + extra);
        QApplication::processEvents();
        EXPECT_EQ(g.verticalScrollBar()->isVisible(), extra == 0) << extra;
    }
    // Collapsed sections count only their titles; the other modes count every item.
    SGrid s;
    CPropertyGrid& g = *s.grid;
    const HSECTION a = g.AddSection(QStringLiteral("A"), true);
    g.AddStringItem(a, QStringLiteral("x"), QString());
    g.AddStringItem(a, QStringLiteral("y"), QString());
    EXPECT_EQ(g.GetContentHeight(), s.lh());
    g.SetDisplayMode(CPropertyGrid::DM_NOSORT);
    EXPECT_EQ(g.GetContentHeight(), 2 * s.lh());
}

TEST(PropertyGrid, GutterDragStopsAtAFifthFromEitherSide)
{
    SGrid s;
    CPropertyGrid& g = *s.grid;
    EXPECT_EQ(g.GetGutterWidth(), 250);
    QWidget* view = g.viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(251, 50));
    QTest::mouseMove(view, QPoint(5, 50));
    QMouseEvent far(QEvent::MouseMove, QPointF(5, 50), QPointF(5, 50), Qt::NoButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(view, &far);
    EXPECT_EQ(g.GetGutterWidth(), 100);
    QMouseEvent right(QEvent::MouseMove, QPointF(495, 50), QPointF(495, 50), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &right);
    EXPECT_EQ(g.GetGutterWidth(), 400);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(495, 50));
}

TEST(PropertyGrid, AValueClickReleasedElsewhereLeavesTheNextGutterDragAlone)
{
    SGrid s;
    CPropertyGrid& g = *s.grid;
    const HSECTION section = g.AddSection(QStringLiteral("S"));
    const HITEM item = g.AddStringItem(section, QStringLiteral("Name"), QString());
    QWidget* view = g.viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, s.ValueOf(item));    // focuses it, value clicked
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(100, 250)); // off the value
    EXPECT_EQ(g.GetEditor(), nullptr);
    // A drag of the gutter then ends with its release.
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(g.GetGutterWidth(), 250));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(g.GetGutterWidth(), 250));
    QMouseEvent move(QEvent::MouseMove, QPointF(150, 250), QPointF(150, 250), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    EXPECT_EQ(g.GetGutterWidth(), 250);
}

TEST(PropertyGrid, KeyboardWalksTheRowsAndWraps)
{
    SGrid s;
    CPropertyGrid& g = *s.grid;
    const HSECTION one = g.AddSection(QStringLiteral("One"));
    const HITEM a = g.AddStringItem(one, QStringLiteral("A"), QString());
    const HITEM off = g.AddStringItem(one, QStringLiteral("Off"), QString(), false);
    const HSECTION two = g.AddSection(QStringLiteral("Two"));
    const HITEM b = g.AddStringItem(two, QStringLiteral("B"), QString());
    g.SetFocusDisabled(false);

    s.Key(Qt::Key_Down);
    EXPECT_EQ(g.GetFocusedSection(), one);
    s.Key(Qt::Key_Down);
    EXPECT_EQ(g.GetFocusedItem(), a);
    s.Key(Qt::Key_Down); // the disabled item is passed over
    EXPECT_EQ(g.GetFocusedSection(), two);
    s.Key(Qt::Key_Down);
    EXPECT_EQ(g.GetFocusedItem(), b);
    s.Key(Qt::Key_Down); // wraps to the first row
    EXPECT_EQ(g.GetFocusedSection(), one);
    s.Key(Qt::Key_Up); // and back
    EXPECT_EQ(g.GetFocusedItem(), b);

    // Left collapses a focused expanded section, Right expands it again.
    s.Key(Qt::Key_Up);
    EXPECT_EQ(g.GetFocusedSection(), two);
    s.Key(Qt::Key_Left);
    EXPECT_TRUE(g.FindSection(two)->m_collapsed);
    s.Key(Qt::Key_Right);
    EXPECT_FALSE(g.FindSection(two)->m_collapsed);
    s.Key(Qt::Key_Minus, QStringLiteral("-"));
    EXPECT_TRUE(g.FindSection(two)->m_collapsed);
    s.Key(Qt::Key_Plus, QStringLiteral("+"));
    EXPECT_FALSE(g.FindSection(two)->m_collapsed);
    s.Key(Qt::Key_Slash, QStringLiteral("/"));
    EXPECT_TRUE(g.FindSection(one)->m_collapsed && g.FindSection(two)->m_collapsed);
    s.Key(Qt::Key_Asterisk, QStringLiteral("*"));
    EXPECT_TRUE(!g.FindSection(one)->m_collapsed && !g.FindSection(two)->m_collapsed);

    // In the other modes only items are rows; with focus disabled items on, they count too.
    g.SetDisplayMode(CPropertyGrid::DM_ALPHABETICAL);
    g.SetFocusDisabled(true);
    g.ResetSelection();
    s.Key(Qt::Key_Down);
    EXPECT_EQ(g.GetFocusedItem(), a);
    s.Key(Qt::Key_Down);
    EXPECT_EQ(g.GetFocusedItem(), off);
}

TEST(PropertyGrid, KeyboardFocusScrollsTheRowIntoView)
{
    SGrid s(100);
    CPropertyGrid& g = *s.grid;
    const HSECTION section = g.AddSection(QStringLiteral("S"));
    HITEM last = 0;
    for (int i = 0; i < 20; ++i)
        last = g.AddStringItem(section, QStringLiteral("Item %1").arg(i, 2, 10, QLatin1Char('0')),
                               QString());
    s.Key(Qt::Key_Up); // nothing focused: stays
    s.Key(Qt::Key_Down);
    for (int i = 0; i < 20; ++i)
        s.Key(Qt::Key_Down);
    EXPECT_EQ(g.GetFocusedItem(), last);
    EXPECT_EQ(g.GetScrollPos(), g.verticalScrollBar()->maximum());
    const CRect row = g.FindItem(last)->m_rcName;
    EXPECT_GE(row.top, 0);
    EXPECT_LE(row.bottom, g.viewport()->height());
}

TEST(PropertyGrid, ClicksFocusRowsAndToggleSections)
{
    SGrid s;
    CPropertyGrid& g = *s.grid;
    const HSECTION closed = g.AddSection(QStringLiteral("Closed"), true);
    g.AddStringItem(closed, QStringLiteral("Inside"), QString());
    const HSECTION open = g.AddSection(QStringLiteral("Open"));
    const HITEM off = g.AddStringItem(open, QStringLiteral("Off"), QString(), false);
    g.SetFocusDisabled(false);

    const CRect glyph = g.FindSection(closed)->m_rcSign;
    s.Click(QPoint(glyph.left + 4, glyph.top + 4));
    EXPECT_FALSE(g.FindSection(closed)->m_collapsed);
    EXPECT_EQ(g.GetFocusedSection(), closed);

    s.Click(s.NameOf(off));
    EXPECT_EQ(g.GetFocusedItem(), CPropertyGrid::NO_ITEM);
    EXPECT_EQ(g.GetFocusedSection(), CPropertyGrid::NO_SECTION);
    const CRect title = g.FindSection(open)->m_rcTitle;
    s.Click(QPoint(title.left + 30, title.top + 3));
    EXPECT_EQ(g.GetFocusedSection(), open);

    // With focus disabled items on, a click focuses the item but opens no editor on it.
    g.SetFocusDisabled(true);
    s.Click(s.ValueOf(off));
    EXPECT_EQ(g.GetFocusedItem(), off);
    EXPECT_EQ(g.GetEditor(), nullptr);
    EXPECT_TRUE(g.GetButtonRect().IsRectEmpty());
}

TEST(PropertyGrid, DoubleClicksOnBoolsAndCombos)
{
    SGrid s;
    CPropertyGrid& g = *s.grid;
    const HSECTION section = g.AddSection(QStringLiteral("S"));
    const HITEM on = g.AddBoolItem(section, QStringLiteral("Enabled"), false);
    const HITEM off = g.AddBoolItem(section, QStringLiteral("Disabled"), false, false);
    const HITEM unknown = g.AddBoolItem(section, QStringLiteral("Unknown"), false, true, true);
    const HITEM combo =
        g.AddComboItem(section, QStringLiteral("Kind"),
                       {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 0);
    bool value = false;
    s.DoubleClick(s.NameOf(on));
    EXPECT_TRUE(g.GetBoolValue(on, value) && value);
    EXPECT_EQ(s.spy->count(), 1);
    EXPECT_EQ(s.spy->at(0).at(0).toUInt(), on);

    s.DoubleClick(s.NameOf(off));
    s.DoubleClick(s.NameOf(unknown));
    EXPECT_TRUE(g.GetBoolValue(off, value) && !value);
    EXPECT_FALSE(g.GetBoolValue(unknown, value));
    EXPECT_EQ(s.spy->count(), 1);

    int index = -1;
    for (const int expected : {1, 2, 0}) {
        s.DoubleClick(s.NameOf(combo));
        EXPECT_TRUE(g.GetIntegerValue(combo, index));
        EXPECT_EQ(index, expected);
    }
    EXPECT_EQ(s.spy->count(), 4);
}

TEST(PropertyGrid, UndefinedIntegerEditedTo12NotifiesOnce)
{
    SGrid s;
    CPropertyGrid& g = *s.grid;
    const HSECTION section = g.AddSection(QStringLiteral("S"));
    const HITEM item = g.AddIntegerItem(section, QStringLiteral("Count"), 7, QString(), true, true);
    s.Click(s.NameOf(item));
    s.Click(s.ValueOf(item));
    auto* edit = qobject_cast<CPropertyGridInPlaceEdit*>(g.GetEditor());
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->text().isEmpty());
    // It lies over the value column, one pixel in and two down.
    EXPECT_EQ(edit->geometry().left(), g.GetGutterWidth() + 1);
    EXPECT_EQ(edit->geometry().top(), g.FindItem(item)->m_rcValue.top + 2);
    QTest::keyClicks(edit, QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Return);
    int value = 0;
    EXPECT_TRUE(g.GetIntegerValue(item, value));
    EXPECT_EQ(value, 12);
    EXPECT_FALSE(g.FindItem(item)->m_values.Undefined);
    EXPECT_EQ(s.spy->count(), 1);
    EXPECT_EQ(g.GetEditor(), nullptr);
}

TEST(PropertyGrid, TextsThatAreNotWholeNumbersKeepTheValue)
{
    for (const char* typed : {"abc", "12x", "", "99999999999"}) {
        SGrid s;
        CPropertyGrid& g = *s.grid;
        const HSECTION section = g.AddSection(QStringLiteral("S"));
        const HITEM item = g.AddIntegerItem(section, QStringLiteral("Count"), 7);
        const HITEM real =
            g.AddItem(section, CPropertyGrid::IT_DOUBLE, QStringLiteral("Real"), 1.5);
        // Out of range only for the integer.
        const bool bigNumber = QByteArray(typed) == "99999999999";
        for (const HITEM target : {item, real}) {
            if (bigNumber && target == real)
                continue;
            s.Click(s.NameOf(target));
            s.Click(s.ValueOf(target));
            auto* edit = qobject_cast<CPropertyGridInPlaceEdit*>(g.GetEditor());
            ASSERT_NE(edit, nullptr);
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromLatin1(typed));
            if (*typed == 0)
                QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClick(edit, Qt::Key_Tab);
        }
        int value = 0;
        EXPECT_TRUE(g.GetIntegerValue(item, value));
        EXPECT_EQ(value, 7) << typed;
        EXPECT_EQ(g.FindItem(real)->m_values.Double, 1.5) << typed;
        EXPECT_EQ(s.spy->count(), 0) << typed;
    }
}

TEST(PropertyGrid, OwnerMayRefillTheGridInItsHandler)
{
    SGrid s;
    CPropertyGrid& g = *s.grid;
    const HSECTION section = g.AddSection(QStringLiteral("Wave"));
    const HITEM name = g.AddStringItem(section, QStringLiteral("Name"), QStringLiteral("old"));
    QString seen;
    QObject::connect(&g, &CPropertyGrid::PropertyItemChanged, &g, [&](HITEM item) {
        g.GetStringValue(item, seen);
        g.ResetContents();
        const HSECTION again = g.AddSection(QStringLiteral("Wave"));
        g.AddStringItem(again, QStringLiteral("Name"), seen);
        g.AddStringItem(again, QStringLiteral("Description"), QString());
    });
    s.Click(s.NameOf(name));
    s.Click(s.ValueOf(name));
    auto* edit = qobject_cast<CPropertyGridInPlaceEdit*>(g.GetEditor());
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("new"));
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(seen, QStringLiteral("new"));
    EXPECT_EQ(g.GetEditor(), nullptr);
    ASSERT_NE(g.FindItem(1), nullptr);
    EXPECT_EQ(g.FindItem(1)->m_name, QStringLiteral("Description"));
    shots::Grab(s.owner); // paints the new contents without trouble
}

TEST(PropertyGrid, MouseWheelScrollsThreeLinesANotch)
{
    SGrid s(100);
    CPropertyGrid& g = *s.grid;
    const HSECTION section = g.AddSection(QStringLiteral("S"));
    for (int i = 0; i < 30; ++i)
        g.AddStringItem(section, QStringLiteral("Item %1").arg(i), QString());
    QWheelEvent wheel(QPointF(50, 50), g.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &wheel);
    EXPECT_EQ(g.GetScrollPos(), 6 * s.lh());
    QWheelEvent back(QPointF(50, 50), g.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 600),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &back);
    EXPECT_EQ(g.GetScrollPos(), 0);
}

TEST(PropertyGrid, RestoreItemValuePutsBackTheAddedValue)
{
    SGrid s;
    CPropertyGrid& g = *s.grid;
    g.SetBoldModified(true);
    const HSECTION section = g.AddSection(QStringLiteral("S"));
    const HITEM flag = g.AddBoolItem(section, QStringLiteral("Flag"), false, true, true);
    s.DoubleClick(s.NameOf(flag)); // undefined: nothing
    EXPECT_FALSE(g.FindItem(flag)->IsChanged());
    // The list sets it (and clears undefined), which counts as a change.
    s.Click(s.ValueOf(flag));
    auto* list = qobject_cast<CPropertyGridCombo*>(g.GetEditor());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetLines(), QStringList({QStringLiteral("True"), QStringLiteral("False")}));
    QTest::keyClick(list, Qt::Key_Return);
    bool value = false;
    EXPECT_TRUE(g.GetBoolValue(flag, value) && value);
    EXPECT_TRUE(g.FindItem(flag)->IsChanged());
    EXPECT_EQ(g.RestoreItemValue(flag)->m_hItem, flag);
    EXPECT_FALSE(g.GetBoolValue(flag, value));
    EXPECT_FALSE(g.FindItem(flag)->IsChanged());
    EXPECT_EQ(g.RestoreItemValue(99), nullptr);
}

TEST(PropertyGrid, PaintsTitlesFocusAndButtonsWhereTheRowsAre)
{
    SGrid s;
    CPropertyGrid& g = *s.grid;
    const HSECTION section = g.AddSection(QStringLiteral("General"));
    g.AddStringItem(section, QStringLiteral("Name"), QStringLiteral("Brand"));
    const HITEM file =
        g.AddFileItem(section, QStringLiteral("Source"), QStringLiteral("/tmp/a.zoz"));
    const HITEM colour =
        g.AddItem(section, CPropertyGrid::IT_COLOR, QStringLiteral("Colour"), RGB(255, 0, 10));
    s.Click(s.NameOf(file));
    const QImage image = shots::Grab(*g.viewport());
    shots::Save(image, QStringLiteral("test-artefacts/controls"),
                QStringLiteral("property-grid-rows"));
    const int lh = s.lh();
    const QColor shade = ColorRefToQColor(GetSysColor(COLOR_3DFACE));
    const QColor focus = ColorRefToQColor(GetSysColor(COLOR_HIGHLIGHT));
    const QColor back = ColorRefToQColor(GetSysColor(COLOR_WINDOW));
    // The title row is shaded across; an item row's left margin too, its value area not.
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 300, lh / 2), shade));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 5, lh + lh / 2), shade));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 300, lh + 3), back));
    // The focused item's name is highlighted from x 14 up to the gutter.
    const int y = g.FindItem(file)->m_rcName.top;
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 15, y + 2), focus));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, g.GetGutterWidth() - 2, y + 2), focus));
    // Its "..." button stands at the right end, a line height wide.
    const CRect button = g.GetButtonRect();
    EXPECT_EQ(button.right, g.viewport()->width());
    EXPECT_EQ(button.Width(), lh);
    // The colour swatch: framed in the text colour, filled with the value.
    const CRect value = g.FindItem(colour)->m_rcValue;
    const int swatchLeft = value.left + 4;
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, swatchLeft + lh / 2, value.top + lh / 2),
                                  QColor(255, 0, 10)));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, swatchLeft, value.top + lh / 2),
                                  ColorRefToQColor(GetSysColor(COLOR_WINDOWTEXT))));
}

TEST(PropertyGrid, EmptyGridShowsOnlyItsMessage)
{
    SGrid s;
    s.grid->SetEmptyMessage(QStringLiteral("Select a wave to see its properties."));
    const QImage image = shots::Grab(*s.grid->viewport());
    const QColor back = ColorRefToQColor(GetSysColor(COLOR_WINDOW));
    // Nothing but background outside the centred message.
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 5, 5), back));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 250, 250), back));
    int dark = 0;
    for (int x = 125; x < 375; ++x) {
        for (int y = 10; y < 30; ++y)
            dark += shots::PixelAt(image, x, y).lightness() < 128;
    }
    EXPECT_GT(dark, 20);
}
