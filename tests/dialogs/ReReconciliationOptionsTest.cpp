#include "dialogs/CampaignViewDialogs.h"
#include "dialogs/DialogControls.h"
#include "dialogs/ReReconciliationOptionsDlg.h"

#include "app/WaveApp.h"
#include "support/ScriptedWindowServices.h"
#include "support/views/ScriptedViewDialogs.h"
#include "widgets/Screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QCheckBox& Box(const QWidget& dialog, int id)
{
    return *FindControl<QCheckBox>(dialog, id);
}

// A click on the box itself (the widget may be wider than its box and text).
void Tick(QCheckBox& box)
{
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
}

} // namespace

TEST(ReReconciliationOptionsTest, EachTickOfApplyOpensTheCaptionLibraryToReconcileWith)
{
    CScriptedWindowServices windows;
    CWaveApp app;
    CScriptedViewDialogs dialogs;
    CReReconciliationOptionsDlg dialog;
    dialog.show();
    QApplication::processEvents();
    QCheckBox& apply = Box(dialog, CReReconciliationOptionsDlg::IDC_APPLY_CAPTION_LIBRARY);
    QCheckBox& keep = Box(dialog, CReReconciliationOptionsDlg::IDC_KEEP_CHAPTERS);
    EXPECT_FALSE(apply.isChecked());
    EXPECT_FALSE(keep.isChecked());

    // The caption library dialog is cancelled: the box stays ticked.
    dialogs.QueueResults({IDCANCEL, IDOK});
    Tick(apply);
    ASSERT_EQ(dialogs.Calls, QStringList{QStringLiteral("CaptionLibraryDlg")});
    EXPECT_EQ(dialogs.CaptionLibraryRequests[0].Mode, CAPTION_LIBRARY_RECONCILE);
    EXPECT_FALSE(dialogs.CaptionLibraryRequests[0].ProposeCaptions);
    EXPECT_TRUE(dialogs.CalledModal[0]);
    EXPECT_FALSE(app.IsModalState());
    EXPECT_TRUE(apply.isChecked());
    EXPECT_TRUE(dialog.GetApplyCaptionLibrary());

    // Unticking opens nothing; ticking again opens it again.
    Tick(apply);
    EXPECT_EQ(dialogs.Calls.size(), 1);
    Tick(apply);
    EXPECT_EQ(dialogs.Calls.size(), 2);
    EXPECT_EQ(dialogs.CaptionLibraryRequests[1].Mode, CAPTION_LIBRARY_RECONCILE);

    Tick(keep);
    EXPECT_EQ(dialogs.Calls.size(), 2);
    QTest::mouseClick(FindControl<QPushButton>(dialog, CReReconciliationOptionsDlg::IDC_OK),
                      Qt::LeftButton);
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_TRUE(dialog.GetApplyCaptionLibrary());
    EXPECT_TRUE(dialog.GetKeepChapters());
}

TEST(ReReconciliationOptionsTest, TheWarningStandsOnAWhiteBandAndOkHandsTheBoxesBack)
{
    CScriptedWindowServices windows;
    CCampaignViewDialogs campaignDialogs;
    SReReconciliationOptions options;
    QTimer::singleShot(0, [] {
        auto* dialog =
            qobject_cast<CReReconciliationOptionsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QWidget* band = dialog->GetWhiteBand();
        const auto* warning =
            FindControl<QLabel>(*dialog, CReReconciliationOptionsDlg::IDC_WARNING);
        ASSERT_NE(warning, nullptr);
        EXPECT_TRUE(warning->text().startsWith(QStringLiteral("Warning: redoing")));
        // The band runs across the dialog; the warning's text fits inside it.
        EXPECT_EQ(band->width(), dialog->width());
        EXPECT_TRUE(band->rect().contains(warning->geometry()));
        EXPECT_GE(warning->height(), warning->heightForWidth(warning->width()));
        const QImage image = shots::Grab(*dialog);
        const QPoint corner = band->geometry().topLeft() + QPoint(3, 3);
        EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, corner.x(), corner.y()), Qt::white));
        const QPoint below = band->geometry().bottomLeft() + QPoint(3, 6);
        EXPECT_FALSE(shots::ColourNear(shots::PixelAt(image, below.x(), below.y()), Qt::white));
        Tick(Box(*dialog, CReReconciliationOptionsDlg::IDC_KEEP_CHAPTERS));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    ASSERT_EQ(campaignDialogs.RunReReconciliationOptionsDlg(nullptr, options), IDOK);
    EXPECT_FALSE(options.ApplyCaptionLibrary);
    EXPECT_TRUE(options.KeepChapters);

    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            QTest::keyClick(dialog, Qt::Key_Escape);
    });
    options = {};
    EXPECT_EQ(campaignDialogs.RunReReconciliationOptionsDlg(nullptr, options), IDCANCEL);
}
