// The languages dialog: the rows and their states, the two buttons, the context menu, and the
// positions the callers read after OK.

#include "dialogs/LanguageDlg.h"

#include "menus/NewMenu.h"
#include "model/Campaign.h"
#include "model/RecordMakers.h"
#include "res/CommandIds.h"
#include "support/QStringPrinter.h"
#include "widgets/Screenshots.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace pelko_wave;

namespace {

struct SLanguage
{
    int Id;
    bool IsDefault;
    const char* Name;
    const char* Abbreviation;
};

// A campaign with the languages in order, showing its captions in the current one.
std::unique_ptr<CCampaign> MakeCampaign(std::initializer_list<SLanguage> languages, int current)
{
    auto campaign = std::make_unique<CCampaign>();
    for (const SLanguage& language : languages) {
        campaign->AddLanguage(MakeLanguage(language.Id, language.IsDefault ? 1 : 0,
                                           QString::fromUtf8(language.Name),
                                           QString::fromLatin1(language.Abbreviation)));
        if (language.IsDefault)
            campaign->SetDefaultLanguageId(language.Id);
    }
    campaign->SetCurrentLanguageId(current);
    return campaign;
}

// English (default), French (current), German.
std::unique_ptr<CCampaign> ThreeLanguages()
{
    return MakeCampaign({{2057, true, "English (United Kingdom)", "ENG"},
                         {1036, false, "French (France)", "FRA"},
                         {1031, false, "German (Germany)", "DEU"}},
                        1036);
}

QStringList Column(const CLanguageDlg& dialog, int column)
{
    QStringList texts;
    QTreeWidget& list = *dialog.GetList();
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        texts << list.topLevelItem(i)->text(column);
    return texts;
}

void SelectRow(CLanguageDlg& dialog, int row)
{
    QTreeWidget& list = *dialog.GetList();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.topLevelItem(row)).center());
}

} // namespace

TEST(LanguageDlg, StateTexts)
{
    struct SCase
    {
        bool IsDefault;
        bool IsCurrent;
        const char* Text;
    };
    const SCase cases[] = {
        {false, false, ""},
        {true, false, "Default"},
        {false, true, "Current"},
        {true, true, "Default, current"},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(CLanguageDlg::StateText(test.IsDefault, test.IsCurrent),
                  QString::fromLatin1(test.Text));
}

TEST(LanguageDlg, OpensOnTheCampaignsLanguagesWithTheCurrentOneSelected)
{
    const auto campaign = ThreeLanguages();
    CLanguageDlg dialog(*campaign);
    dialog.show();
    QTreeWidget& list = *dialog.GetList();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Languages"));
    EXPECT_EQ(list.headerItem()->text(0), QStringLiteral("Language"));
    EXPECT_EQ(list.headerItem()->text(1), QStringLiteral("Abbr."));
    EXPECT_EQ(list.headerItem()->text(2), QStringLiteral("State"));
    EXPECT_EQ(Column(dialog, 0),
              (QStringList{"English (United Kingdom)", "French (France)", "German (Germany)"}));
    EXPECT_EQ(Column(dialog, 1), (QStringList{"ENG", "FRA", "DEU"}));
    EXPECT_EQ(Column(dialog, 2), (QStringList{"Default", "Current", ""}));
    EXPECT_EQ(dialog.GetDefaultLanguage(), 0);
    EXPECT_EQ(dialog.GetCurrentLanguage(), 1);
    ASSERT_EQ(list.selectedItems().size(), 1);
    EXPECT_EQ(list.selectedItems().first(), list.topLevelItem(1));
    EXPECT_EQ(list.currentItem(), list.topLevelItem(1));
    // Both buttons wait for the user's choice of a row.
    EXPECT_FALSE(dialog.GetSetDefaultButton()->isEnabled());
    EXPECT_FALSE(dialog.GetSetCurrentButton()->isEnabled());
    EXPECT_TRUE(dialog.GetOkButton()->isEnabled());

    // The language takes half the width, the abbreviation a third of the rest, the state the
    // remainder.
    const int width = list.contentsRect().width() - 1;
    EXPECT_EQ(list.columnWidth(0), width / 2);
    EXPECT_EQ(list.columnWidth(1), (width - width / 2) / 3);
    EXPECT_GE(list.columnWidth(2), width - width / 2 - (width - width / 2) / 3 - 1);

    // The default language's image carries the gold star, the others' not; each is the blue
    // bubble.
    const QImage image =
        shots::GrabAndSave(dialog, QStringLiteral("shots"), QStringLiteral("dialogs-languages"));
    const auto imageAt = [&](int row, QPoint offset) {
        const QRect rect = list.visualItemRect(list.topLevelItem(row));
        const QPoint origin = list.viewport()->mapTo(&dialog, rect.topLeft());
        const int iconTop = origin.y() + (rect.height() - 16) / 2;
        // The icon starts after the item's left margin; find the bubble's first blue column.
        for (int x = origin.x(); x < origin.x() + 12; ++x) {
            const QColor colour = shots::PixelAt(image, x, iconTop + 6);
            if (colour.blue() > 150 && colour.red() < 120)
                return shots::PixelAt(image, x + offset.x(), iconTop + offset.y());
        }
        return QColor();
    };
    const auto isGold = [](QColor colour) {
        return colour.isValid() && colour.red() > 200 && colour.green() > 150 &&
               colour.blue() < 100;
    };
    EXPECT_TRUE(isGold(imageAt(0, {11, 12}))) << qPrintable(imageAt(0, {11, 12}).name());
    EXPECT_FALSE(isGold(imageAt(1, {11, 12}))) << qPrintable(imageAt(1, {11, 12}).name());
    EXPECT_FALSE(isGold(imageAt(2, {11, 12})));
    // Texts fit their columns: the longest name is not cut.
    const QFontMetrics metrics(list.font());
    EXPECT_LT(metrics.horizontalAdvance(QStringLiteral("English (United Kingdom)")) + 16 + 8,
              list.columnWidth(0));
}

TEST(LanguageDlg, OneLanguageIsTheDefaultAndTheCurrentOne)
{
    const auto campaign = MakeCampaign({{2057, true, "English (United Kingdom)", "ENG"}}, 2057);
    CLanguageDlg dialog(*campaign);
    dialog.show();
    EXPECT_EQ(Column(dialog, 2), QStringList{"Default, current"});
    SelectRow(dialog, 0);
    EXPECT_FALSE(dialog.GetSetDefaultButton()->isEnabled());
    EXPECT_FALSE(dialog.GetSetCurrentButton()->isEnabled());
    EXPECT_EQ(dialog.GetDefaultLanguage(), 0);
    EXPECT_EQ(dialog.GetCurrentLanguage(), 0);
}

TEST(LanguageDlg, SetAsCurrentMovesTheStateAtOnceAndCancelLeavesTheCampaign)
{
    const auto campaign = ThreeLanguages();
    CLanguageDlg dialog(*campaign);
    dialog.show();
    SelectRow(dialog, 2);
    QTest::mouseClick(dialog.GetSetCurrentButton(), Qt::LeftButton);
    EXPECT_EQ(Column(dialog, 2), (QStringList{"Default", "", "Current"}));
    EXPECT_EQ(dialog.GetCurrentLanguage(), 2);
    EXPECT_FALSE(dialog.GetSetCurrentButton()->isEnabled());
    EXPECT_TRUE(dialog.GetSetDefaultButton()->isEnabled());

    QTest::mouseClick(dialog.GetSetDefaultButton(), Qt::LeftButton);
    EXPECT_EQ(Column(dialog, 2), (QStringList{"", "", "Default, current"}));
    EXPECT_EQ(dialog.GetDefaultLanguage(), 2);
    EXPECT_FALSE(dialog.GetSetDefaultButton()->isEnabled());

    dialog.reject();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(campaign->GetCurrentLanguageId(), 1036);
    EXPECT_EQ(campaign->GetDefaultLanguageId(), 2057);
    EXPECT_TRUE(campaign->GetLanguage(0)->IsDefault());
    EXPECT_FALSE(campaign->GetLanguage(2)->IsDefault());
}

// The callers read both positions after OK: OK waits until each names a language.
TEST(LanguageDlg, OkOnlyWithADefaultAndACurrentLanguage)
{
    {
        const auto campaign = MakeCampaign({}, 0);
        CLanguageDlg dialog(*campaign);
        EXPECT_EQ(dialog.GetList()->topLevelItemCount(), 0);
        EXPECT_FALSE(dialog.GetOkButton()->isEnabled());
    }
    // No language carries the default mark, and the current language is none of them.
    const auto campaign = MakeCampaign(
        {{2057, false, "English (United Kingdom)", "ENG"}, {1036, false, "French (France)", "FRA"}},
        1033);
    CLanguageDlg dialog(*campaign);
    dialog.show();
    EXPECT_EQ(dialog.GetDefaultLanguage(), -1);
    EXPECT_EQ(dialog.GetCurrentLanguage(), -1);
    EXPECT_EQ(Column(dialog, 2), (QStringList{"", ""}));
    EXPECT_FALSE(dialog.GetOkButton()->isEnabled());
    SelectRow(dialog, 1);
    QTest::mouseClick(dialog.GetSetDefaultButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.GetOkButton()->isEnabled());
    SelectRow(dialog, 0);
    QTest::mouseClick(dialog.GetSetCurrentButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.GetOkButton()->isEnabled());
    EXPECT_EQ(Column(dialog, 2), (QStringList{"Current", "Default"}));
}

// With a selected row, the buttons and the context menu's items that would change nothing are
// greyed; without one, both buttons are, the commands do nothing and there is no menu.
TEST(LanguageDlg, TheButtonsAndTheMenuFollowTheSelectedRow)
{
    const auto campaign = ThreeLanguages();
    CLanguageDlg dialog(*campaign);
    dialog.show();
    struct SCase
    {
        int Row;
        bool SetDefault;
        bool SetCurrent;
    };
    const SCase cases[] = {{0, false, true}, {1, true, false}, {2, true, true}};
    for (const SCase& test : cases) {
        SelectRow(dialog, test.Row);
        EXPECT_EQ(dialog.GetSetDefaultButton()->isEnabled(), test.SetDefault) << test.Row;
        EXPECT_EQ(dialog.GetSetCurrentButton()->isEnabled(), test.SetCurrent) << test.Row;
        CNewMenu menu;
        CNewMenu* popup = dialog.LoadContextMenu(menu);
        ASSERT_NE(popup, nullptr);
        ASSERT_EQ(popup->GetMenuItemCount(), 2);
        EXPECT_EQ(popup->GetMenuItemID(0), ID_LANGUAGE_SET_DEFAULT);
        EXPECT_EQ(popup->GetMenuItemID(1), ID_LANGUAGE_SET_CURRENT);
        EXPECT_EQ(popup->FindCommand(ID_LANGUAGE_SET_DEFAULT)->text(),
                  QStringLiteral("Set as Default"));
        EXPECT_EQ(popup->FindCommand(ID_LANGUAGE_SET_DEFAULT)->isEnabled(), test.SetDefault)
            << test.Row;
        EXPECT_EQ(popup->FindCommand(ID_LANGUAGE_SET_CURRENT)->isEnabled(), test.SetCurrent)
            << test.Row;
    }

    dialog.GetList()->clearSelection();
    EXPECT_FALSE(dialog.GetSetDefaultButton()->isEnabled());
    EXPECT_FALSE(dialog.GetSetCurrentButton()->isEnabled());
    CNewMenu menu;
    EXPECT_EQ(dialog.LoadContextMenu(menu), nullptr);
    dialog.OnSetDefault();
    dialog.OnSetCurrent();
    EXPECT_EQ(dialog.GetDefaultLanguage(), 0);
    EXPECT_EQ(dialog.GetCurrentLanguage(), 1);
}

// A right click on a row opens the menu there; its item acts as the button does.
TEST(LanguageDlg, ARightClickOpensTheMenuOfTheRow)
{
    const auto campaign = ThreeLanguages();
    CLanguageDlg dialog(*campaign);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* action : menu->actions())
            shown << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (off)"));
        for (QAction* action : menu->actions())
            if (action->text() == QStringLiteral("Set as Current"))
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    });
    QTreeWidget& list = *dialog.GetList();
    const QPoint at = list.visualItemRect(list.topLevelItem(0)).center();
    // The press selects the row; the window system then asks for the context menu.
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
    QApplication::sendEvent(list.viewport(), &event);
    EXPECT_EQ(shown, (QStringList{"Set as Default (off)", "Set as Current"}));
    EXPECT_EQ(dialog.GetCurrentLanguage(), 0);
    EXPECT_EQ(Column(dialog, 2), (QStringList{"Default, current", "", ""}));
}
