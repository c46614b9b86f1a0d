#include "dialogs/CampaignViewDialogs.h"
#include "dialogs/LanguageDlg.h"

#include "app/WaveApp.h"
#include "model/Campaign.h"
#include "model/RecordMakers.h"
#include "storage/DBAccess.h"
#include "support/ScriptedWindowServices.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace pelko_wave;

TEST(CampaignViewDialogsTest, TheLanguagesCallRunsTheLanguagesDialogOnTheApplicationsCampaign)
{
    CScriptedWindowServices windows;
    CCampaignViewDialogs dialogs;
    int defaultPosition = 5;
    int currentPosition = 5;
    // No application, no campaign: nothing opens.
    EXPECT_EQ(dialogs.RunLanguagesDialog(nullptr, defaultPosition, currentPosition), IDCANCEL);
    CWaveApp app;
    app.CreateCampaignObjects(nullptr, nullptr);
    CCampaign& campaign = *app.GetCampaign();
    campaign.AddLanguage(
        MakeLanguage(2057, 1, QStringLiteral("English (United Kingdom)"), QStringLiteral("ENG")));
    campaign.AddLanguage(
        MakeLanguage(1036, 0, QStringLiteral("French (France)"), QStringLiteral("FRA")));
    campaign.SetDefaultLanguageId(2057);
    campaign.SetCurrentLanguageId(2057);

    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<CLanguageDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        dialog->GetList()->setCurrentItem(dialog->GetList()->topLevelItem(1));
        dialog->OnSetCurrent();
        QTest::mouseClick(dialog->GetOkButton(), Qt::LeftButton);
    });
    ASSERT_EQ(dialogs.RunLanguagesDialog(nullptr, defaultPosition, currentPosition), IDOK);
    EXPECT_TRUE(shown);
    EXPECT_EQ(defaultPosition, 0);
    EXPECT_EQ(currentPosition, 1);

    // Cancelled: the positions stay as they were.
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.RunLanguagesDialog(nullptr, defaultPosition, currentPosition), IDCANCEL);
    EXPECT_EQ(currentPosition, 1);
}
