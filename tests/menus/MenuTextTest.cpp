#include "menus/MenuText.h"
#include "menus/NewMenu.h"
#include "res/CommandIds.h"

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

using namespace menus;

TEST(MenuText, KeysAreNamedWithTheirModifiersInOrderAndJoined)
{
    EXPECT_EQ(KeyText(QKeySequence(Qt::CTRL | Qt::Key_N)), QStringLiteral("Ctrl+N"));
    EXPECT_EQ(KeyText(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::ALT | Qt::Key_F5)),
              QStringLiteral("Alt+Ctrl+Shift+F5"));
    EXPECT_EQ(KeyText(QKeySequence(Qt::SHIFT | Qt::Key_Delete)), QStringLiteral("Shift+Del"));
    EXPECT_EQ(KeyText(QKeySequence()), QString());
    EXPECT_EQ(AcceleratorText(
                  {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}),
              QStringLiteral("Ctrl+X, Shift+Del"));
    EXPECT_EQ(AcceleratorText({}), QString());
}

TEST(MenuText, ItemTextIsCutAtItsFirstTabBeforeTheAcceleratorIsAdded)
{
    const QList<QKeySequence> ctrlO{QKeySequence(Qt::CTRL | Qt::Key_O)};
    struct SCase
    {
        const char* Name;
        QString Text;
        QList<QKeySequence> Keys;
        bool SubMenu;
        bool Show;
        QString Expected;
    };
    const SCase cases[] = {
        {"plain", QStringLiteral("&Open..."), ctrlO, false, true,
         QStringLiteral("&Open...\tCtrl+O")},
        {"old tab text replaced", QStringLiteral("Open\tF12"), ctrlO, false, true,
         QStringLiteral("Open\tCtrl+O")},
        {"cut at the first tab", QStringLiteral("A\tB\tC"), {}, false, true, QStringLiteral("A")},
        {"no keys", QStringLiteral("Select All"), {}, false, true, QStringLiteral("Select All")},
        {"a pop-up gets none", QStringLiteral("&Edit\tx"), ctrlO, true, true,
         QStringLiteral("&Edit")},
        {"switch off", QStringLiteral("Open\tCtrl+O"), ctrlO, false, false, QStringLiteral("Open")},
    };
    for (const SCase& c : cases) {
        SetShowAccelerators(c.Show);
        EXPECT_EQ(TextWithAccelerator(c.Text, c.Keys, c.SubMenu), c.Expected) << c.Name;
    }
    SetShowAccelerators(true);
}

TEST(MenuText, MainWindowAcceleratorTable)
{
    struct SCase
    {
        unsigned Id;
        const char* Text;
    };
    const SCase cases[] = {
        {ID_FILE_NEW, "Ctrl+N"},
        {ID_FILE_OPEN, "Ctrl+O"},
        {ID_FILE_SAVE, "Ctrl+S"},
        {ID_EDIT_CUT, "Ctrl+X, Shift+Del"},
        {ID_EDIT_COPY, "Ctrl+C, Ctrl+Ins"},
        {ID_EDIT_PASTE, "Ctrl+V, Shift+Ins"},
        {ID_EDIT_UNDO, "Ctrl+Z"},
        {ID_EDIT_REDO, "Ctrl+Y"},
        {ID_LANGUAGES, "Ctrl+L"},
        {ID_FILE_SAVE_AS, ""},
        {ID_WAVE_ADD, ""},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(AcceleratorText(DefaultAccelerators(c.Id)), QString::fromLatin1(c.Text)) << c.Id;
}

TEST(MenuText, MenuTextIsThePartAfterTheLastNewline)
{
    EXPECT_EQ(CNewMenu::LoadMenuText(ID_FILE_NEW), QStringLiteral("New"));
    EXPECT_EQ(CNewMenu::LoadMenuText(ID_FIND_QUESTION), QStringLiteral("Find question"));
    EXPECT_EQ(CNewMenu::LoadMenuText(ID_INDICATOR_LANGUAGE), QStringLiteral("Lang"));
    EXPECT_EQ(CNewMenu::LoadMenuText(57602), QString());
    EXPECT_EQ(LoadPromptText(ID_FILE_NEW), QStringLiteral("Create a new campaign"));
}
