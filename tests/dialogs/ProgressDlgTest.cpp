#include "dialogs/ProgressDlg.h"

#include "support/ScriptedWindowServices.h"
#include "widgets/Screenshots.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>

namespace {

QProgressBar& Bar(CProgressDlg& dialog)
{
    return *dialog.findChild<QProgressBar*>();
}

QLabel& Text(CProgressDlg& dialog)
{
    return *dialog.findChild<QLabel*>();
}

} // namespace

TEST(ProgressDlg, PositionsStayWithinTheRange)
{
    struct SCase
    {
        const char* Name;
        int Range;
        std::function<void(CProgressDlg&)> Drive;
        int Expected;
    };
    const SCase cases[] = {
        {"a range of 0 never moves", 0, [](CProgressDlg& d) { d.SetPos(50); }, 0},
        {"offset on a range of 0", 0, [](CProgressDlg& d) { d.OffsetPos(10); }, 0},
        {"to the last of 0..100", 100, [](CProgressDlg& d) { d.SetPosToLast(); }, 99},
        {"offsets add up", 100, [](CProgressDlg& d) { d.SetPos(30), d.OffsetPos(25); }, 55},
        {"past the end", 100, [](CProgressDlg& d) { d.SetPos(90), d.OffsetPos(25); }, 100},
        {"below the start", 100, [](CProgressDlg& d) { d.SetPos(-4); }, 0},
        // 30 volumes of 2,500 questions: more than 16 bits.
        {"a range above 65535", 75000, [](CProgressDlg& d) { d.SetPos(70000); }, 70000},
        {"the whole int range", INT_MAX,
         [](CProgressDlg& d) { d.SetPos(INT_MAX - 5), d.OffsetPos(INT_MAX); }, INT_MAX},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.Name);
        CProgressDlg dialog;
        dialog.SetRange(test.Range);
        test.Drive(dialog);
        EXPECT_EQ(dialog.GetPos(), test.Expected);
        EXPECT_EQ(Bar(dialog).value(), test.Expected);
        EXPECT_GE(Bar(dialog).maximum(), 1) << "a bar of range 0..0 would show a busy animation";
    }
}

TEST(ProgressDlg, OnlyItsOwnerClosesIt)
{
    CScriptedWindowServices windows;
    QPointer<CProgressDlg> dialog =
        CreateProgressDlg(QStringLiteral("Packaging campaign..."),
                          QStringLiteral("Creating package location.."), 10000, nullptr);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Packaging campaign..."));
    EXPECT_EQ(dialog->GetMessageText(), QStringLiteral("Creating package location.."));
    EXPECT_EQ(dialog->GetRangeUpper(), 10000);
    EXPECT_EQ(windows.PumpCount, 1) << "the new window is given a chance to paint";
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);

    EXPECT_FALSE(dialog->close());
    QTest::keyClick(dialog.data(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());

    dialog->DestroyWindow();
    EXPECT_FALSE(dialog->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull()) << "the window deletes itself";
}

TEST(ProgressDlg, CentresOnTheMainWindowAndShowsOneLine)
{
    CScriptedWindowServices windows;
    QMainWindow main;
    main.setGeometry(100, 80, 900, 600);
    main.show();
    CProgressDlg* dialog =
        CreateProgressDlg(QStringLiteral("Reconciling"),
                          QStringLiteral("Matching the questions of the volume \"A rather long "
                                         "volume name\" with the campaign questionnaire\nagain"),
                          400, &main);
    dialog->SetPos(150);
    const QRect frame = main.frameGeometry();
    const QRect own = dialog->frameGeometry();
    EXPECT_NEAR(own.center().x(), frame.center().x(), 1);
    EXPECT_NEAR(own.center().y(), frame.center().y(), 1);
    // A long text is cut to the line with an ellipsis, not wrapped.
    EXPECT_TRUE(Text(*dialog).text().endsWith(QChar(0x2026))) << qPrintable(Text(*dialog).text());
    EXPECT_FALSE(Text(*dialog).text().contains(QLatin1Char('\n')));

    const QImage image =
        shots::GrabAndSave(*dialog, QStringLiteral("shots"), QStringLiteral("dialogs-progress"));
    // The bar is filled up to about three eighths of its width.
    const QRect bar = Bar(*dialog).geometry();
    const QColor filled = shots::PixelAt(image, bar.left() + bar.width() / 4, bar.center().y());
    const QColor empty = shots::PixelAt(image, bar.right() - bar.width() / 4, bar.center().y());
    EXPECT_NE(filled, empty);
    dialog->DestroyWindow();
}
