// The recent-file list: its numbering and names, its order, its size, the profile and the menu
// section it fills.

#include "ShellWindowTestSupport.h"

#include "app/OptionsProfile.h"
#include "menus/CommandActions.h"
#include "res/CommandIds.h"
#include "shell/RecentFileList.h"
#include "shell/WaveDoc.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace shell_window_test;

namespace {

const QString kSection = QStringLiteral("Recent File List");
const QString kEntry = QStringLiteral("File%d");

// The File menu's recent-file section: the commands and texts of its items.
struct SMenuSection
{
    QList<unsigned> Ids;
    QStringList Texts;
    bool FirstEnabled = false;
};

SMenuSection Section(const QMenu& menu)
{
    SMenuSection section;
    for (const QAction* action : menu.actions()) {
        const unsigned id = CCommandActions::CommandId(action);
        if (id < ID_FILE_MRU_FILE1 || id > ID_FILE_MRU_LAST)
            continue;
        section.Ids << id;
        section.Texts << action->text();
        if (id == ID_FILE_MRU_FILE1)
            section.FirstEnabled = action->isEnabled();
    }
    return section;
}

// A File menu like the program's: commands, the recent-file item between separators, Exit.
struct SFileMenu
{
    CCommandActions Actions;
    QMenu Menu;
    SFileMenu()
    {
        Menu.addAction(Actions.Action(ID_FILE_NEW));
        Menu.addSeparator();
        QAction* recent = Actions.Action(ID_FILE_MRU_FILE1);
        recent->setText(QStringLiteral("Recent File"));
        Menu.addAction(recent);
        Menu.addSeparator();
        Menu.addAction(Actions.Action(ID_APP_EXIT));
    }
};

} // namespace

TEST(RecentFileList, ItemsAreNumberedWithTheirMnemonics)
{
    struct SCase
    {
        int Position;
        const char* Expected;
    };
    const SCase cases[] = {
        {0, "&1 a.duv"},  {8, "&9 a.duv"},  {9, "1&0 a.duv"},
        {10, "11 a.duv"}, {14, "15 a.duv"}, {15, "&0 a.duv"},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(RecentFileMenuText(test.Position, 0, QStringLiteral("a.duv")),
                  QString::fromLatin1(test.Expected));
    EXPECT_EQ(RecentFileMenuText(0, 0, QStringLiteral("/data/R&D/Q&A.duv")),
              QStringLiteral("&1 /data/R&&D/Q&&A.duv"));
}

TEST(RecentFileList, LongPathsAreShortenedKeepingTheName)
{
    struct SCase
    {
        const char* Path;
        int Length;
        const char* Expected;
    };
    const SCase cases[] = {
        {"/home/u/a.duv", 30, "/home/u/a.duv"},
        {"/home/user/studies/coffee/2024/tracker.duv", 30, "/.../coffee/2024/tracker.duv"},
        {"/home/user/studies/coffee/2024/tracker.duv", 21, "/.../2024/tracker.duv"},
        {"/home/user/studies/coffee/2024/tracker.duv", 20, "/.../tracker.duv"},
        {"/home/user/studies/coffee/2024/tracker.duv", 16, "/.../tracker.duv"},
        {"/home/user/studies/coffee/2024/tracker.duv", 14, "tracker.duv"},
        {"/home/user/a-very-long-file-name-of-a-study.duv", 20,
         "a-very-long-file-name-of-a-study.duv"},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.Path);
        EXPECT_EQ(AbbreviateRecentPath(QString::fromLatin1(test.Path), test.Length),
                  QString::fromLatin1(test.Expected));
    }
    EXPECT_EQ(AbbreviateRecentPath(QStringLiteral("/a/a-long-name.duv"), 5, false), QString());
}

TEST(RecentFileList, FilesAreKeptAndShownByTheirAbsolutePaths)
{
    ClearProfile();
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const QString campaign = QDir(folder.path()).filePath(QStringLiteral("studies/coffee.duv"));
    {
        // A file opened by a path relative to the folder the program started in, and a
        // relative path that a profile edited by hand holds.
        const std::unique_ptr<QSettings> profile = OpenUserProfile();
        profile->setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("old/tea.duv"));
    }
    CRecentFileListEx list(0, kSection, kEntry, 4, 60);
    list.ReadList();
    EXPECT_EQ(list.GetCount(), 0) << "a relative path names another file from every folder";
    list.Add(QStringLiteral("studies/coffee.duv"));
    EXPECT_EQ(list.GetItem(0), campaign);
    list.WriteList();

    // Started again from another folder: the same file, shown by its whole path.
    ASSERT_TRUE(QDir::setCurrent(QDir::rootPath()));
    CRecentFileListEx next(0, kSection, kEntry, 4, 200);
    next.ReadList();
    EXPECT_EQ(next.GetItem(0), campaign);
    SFileMenu menu;
    next.UpdateMenu(menu.Menu, menu.Actions);
    QString shown = campaign;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    EXPECT_EQ(Section(menu.Menu).Texts, QStringList{QStringLiteral("&1 ") + shown});
    // Even from the folder that holds it, the file shows by its whole path.
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    next.UpdateMenu(menu.Menu, menu.Actions);
    EXPECT_EQ(Section(menu.Menu).Texts, QStringList{QStringLiteral("&1 ") + shown});
    QDir::setCurrent(previous);
}

TEST(RecentFileList, NewestFirstAndNoFileTwice)
{
    CRecentFileListEx list(0, kSection, kEntry, 4, 30);
    for (const char* name : {"/d/a.duv", "/d/b.duv", "/d/c.duv"})
        list.Add(QString::fromLatin1(name));
    EXPECT_EQ(list.GetItem(0), QStringLiteral("/d/c.duv"));
    list.Add(QStringLiteral("/d/./a.duv"));
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetItem(0), QStringLiteral("/d/a.duv"));
    EXPECT_EQ(list.GetItem(1), QStringLiteral("/d/c.duv"));
    EXPECT_EQ(list.GetItem(2), QStringLiteral("/d/b.duv"));
    list.Add(QStringLiteral("/d/d.duv"));
    list.Add(QStringLiteral("/d/e.duv"));
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetItem(3), QStringLiteral("/d/c.duv")) << "the oldest went";
    list.Remove(0);
    EXPECT_EQ(list.GetItem(0), QStringLiteral("/d/d.duv"));
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_TRUE(list.GetItem(3).isEmpty());
}

TEST(RecentFileList, ResizingKeepsTheFirstFiles)
{
    CRecentFileListEx list(0, kSection, kEntry, 10, 30);
    for (int i = 0; i < 10; ++i)
        list.Add(QStringLiteral("/d/%1.duv").arg(i));
    EXPECT_TRUE(list.Resize(16));
    EXPECT_EQ(list.GetSize(), 16);
    EXPECT_EQ(list.GetCount(), 10);
    EXPECT_FALSE(list.Resize(17));
    EXPECT_FALSE(list.Resize(-1));
    EXPECT_EQ(list.GetSize(), 16);
    EXPECT_TRUE(list.Resize(4));
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetItem(0), QStringLiteral("/d/9.duv"));
    EXPECT_EQ(list.GetItem(3), QStringLiteral("/d/6.duv"));
}

TEST(RecentFileList, TheProfileKeepsTheListAndClearingEmptiesIt)
{
    ClearProfile();
    {
        const std::unique_ptr<QSettings> profile = OpenUserProfile();
        // A list edited by hand: a gap and a file twice.
        profile->setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/d/a.duv"));
        profile->setValue(QStringLiteral("Recent File List/File3"), QStringLiteral("/d/b.duv"));
        profile->setValue(QStringLiteral("Recent File List/File4"), QStringLiteral("/d/a.duv"));
    }
    CRecentFileListEx list(0, kSection, kEntry, 10, 30);
    list.ReadList();
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetItem(1), QStringLiteral("/d/b.duv"));
    list.Add(QStringLiteral("/d/c.duv"));
    list.WriteList();
    {
        const std::unique_ptr<QSettings> profile = OpenUserProfile();
        profile->beginGroup(kSection);
        EXPECT_EQ(profile->childKeys(), (QStringList{"File1", "File2", "File3"}));
        EXPECT_EQ(profile->value(QStringLiteral("File1")).toString(), QStringLiteral("/d/c.duv"));
    }

    SFileMenu menu;
    list.UpdateMenu(menu.Menu, menu.Actions);
    EXPECT_EQ(Section(menu.Menu).Ids.size(), 3);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetSize(), 10);
    {
        const std::unique_ptr<QSettings> profile = OpenUserProfile();
        profile->beginGroup(kSection);
        EXPECT_TRUE(profile->childKeys().isEmpty());
    }
    list.UpdateMenu(menu.Menu, menu.Actions);
    const SMenuSection section = Section(menu.Menu);
    EXPECT_EQ(section.Ids, QList<unsigned>{ID_FILE_MRU_FILE1});
    EXPECT_EQ(section.Texts, QStringList{"Recent File"});
    EXPECT_FALSE(section.FirstEnabled);
}

TEST(RecentFileList, TheMenuSectionIsRebuiltWhole)
{
    SFileMenu menu;
    CRecentFileListEx list(0, kSection, kEntry, 16, 30);
    for (int i = 16; i >= 1; --i)
        list.Add(QStringLiteral("/d/%1.duv").arg(i));
    // Rebuilt again and again: sixteen items, never more.
    for (int round = 0; round < 3; ++round)
        list.UpdateMenu(menu.Menu, menu.Actions);
    SMenuSection section = Section(menu.Menu);
    ASSERT_EQ(section.Ids.size(), 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(section.Ids[i], ID_FILE_MRU_FILE1 + unsigned(i));
    EXPECT_EQ(section.Texts[0], QStringLiteral("&1 /d/1.duv"));
    EXPECT_EQ(section.Texts[9], QStringLiteral("1&0 /d/10.duv"));
    EXPECT_EQ(section.Texts[10], QStringLiteral("11 /d/11.duv"));
    EXPECT_EQ(section.Texts[15], QStringLiteral("&0 /d/16.duv"));
    // The section stays between its separators.
    const QList<QAction*> items = menu.Menu.actions();
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_TRUE(items[18]->isSeparator());
    EXPECT_EQ(items.size(), 20);

    // A smaller list shows fewer items in the same place.
    list.Resize(4);
    list.UpdateMenu(menu.Menu, menu.Actions);
    section = Section(menu.Menu);
    EXPECT_EQ(section.Ids.size(), 4);
    EXPECT_EQ(menu.Menu.actions().size(), 8);
}

TEST(DocumentTitle, AModifiedDocumentEndsInAStar)
{
    struct SCase
    {
        const char* Title;
        bool Modified;
        const char* Expected;
    };
    const SCase cases[] = {
        {"wave1.duv", true, "wave1.duv *"},
        {"wave1.duv *", true, "wave1.duv *"},
        {"wave1.duv*", true, "wave1.duv*"},
        {"wave1.duv *", false, "wave1.duv"},
        {"wave1.duv", false, "wave1.duv"},
        // A star inside a file's name is the name's own.
        {"a*b.duv", true, "a*b.duv *"},
        {"a*b.duv *", false, "a*b.duv"},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(UpdateTitleMark(QString::fromLatin1(test.Title), test.Modified),
                  QString::fromLatin1(test.Expected))
            << test.Title << " " << test.Modified;

    CWaveDoc doc;
    QStringList titles;
    doc.SetTitleListener([&](const QString& title) { titles << title; });
    doc.SetPathName(QStringLiteral("/d/wave1.duv"));
    doc.SetModifiedFlag(true);
    doc.SetModifiedFlag(true);
    doc.SetModifiedFlag(false);
    doc.OnNewDocument();
    EXPECT_EQ(titles, (QStringList{"wave1.duv", "wave1.duv *", "wave1.duv", "Untitled"}));
}
