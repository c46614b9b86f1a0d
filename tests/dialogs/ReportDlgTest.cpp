#include "dialogs/ReportDlg.h"

#include "controls/SimpleBrowser.h"
#include "support/ScriptedWindowServices.h"
#include "widgets/Screenshots.h"

#include <QFile>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

const QString kReport = QStringLiteral(
    "<html><head><meta charset=\"UTF-8\"></head><body>"
    "<h2>Source File Problems</h2><p>The source of the volume \"Été 2024 – Ω\" is missing:</p>"
    "<p>/data/été/wave1.zoz</p></body></html>");

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(ReportDlg, ShowsItsReportCentredOnTheMainWindow)
{
    CScriptedWindowServices windows;
    QMainWindow main;
    main.setGeometry(50, 40, 1200, 800);
    main.show();
    QPointer<CReportDlg> dialog =
        ShowReportDlg(QStringLiteral("Source File Problems"), 3, kReport, &main);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Source File Problems"));
    EXPECT_EQ(dialog->GetReportKind(), 3);
    EXPECT_EQ(dialog->GetReportHtml(), kReport);
    EXPECT_TRUE(dialog->GetBrowser()->GetBrowserWindow()->toPlainText().contains(
        QStringLiteral("Été 2024 – Ω")));
    EXPECT_NEAR(dialog->frameGeometry().center().x(), main.frameGeometry().center().x(), 1);
    EXPECT_NEAR(dialog->frameGeometry().center().y(), main.frameGeometry().center().y(), 1);
    const QImage image =
        shots::GrabAndSave(*dialog, QStringLiteral("shots"), QStringLiteral("dialogs-report"));
    // The report's text shows in the browser, the buttons below it.
    const QWidget* browser = dialog->GetBrowser()->GetBrowserWindow();
    EXPECT_GT(
        shots::InkCount(image, QRect(browser->mapTo(dialog.data(), QPoint(0, 0)), browser->size())
                                   .adjusted(4, 4, -4, -4)),
        100);
    for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
        const QRect place(button->mapTo(dialog.data(), QPoint(0, 0)), button->size());
        EXPECT_TRUE(image.rect().contains(place));
        EXPECT_GT(place.top(), browser->mapTo(dialog.data(), QPoint(0, browser->height())).y() - 1);
        EXPECT_GT(shots::InkCount(image, place.adjusted(3, 3, -3, -3)), 5) << "a readable label";
    }

    // Escape closes the window, which deletes itself.
    QTest::keyClick(dialog.data(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

TEST(ReportDlg, BrowserFollowsTheSizeAndButtonsStayInTheirCorners)
{
    CScriptedWindowServices windows;
    QPointer<CReportDlg> first = ShowReportDlg(QStringLiteral("One"), 2, kReport, nullptr);
    QPointer<CReportDlg> second = ShowReportDlg(QStringLiteral("Two"), 4, kReport, nullptr);
    EXPECT_EQ(first->minimumSize(), QSize(600, 300));

    first->resize(800, 500);
    second->resize(700, 450);
    QApplication::processEvents();
    const auto corners = [](CReportDlg& dialog) {
        const QRect browser = dialog.GetBrowser()->geometry();
        const QRect save = dialog.GetSaveButton()->geometry();
        const QRect close = dialog.GetCloseButton()->geometry();
        return std::array<int, 6>{dialog.width() - browser.width(),
                                  dialog.height() - browser.height(),
                                  save.left(),
                                  dialog.height() - save.top(),
                                  dialog.width() - close.left(),
                                  dialog.height() - close.top()};
    };
    const std::array<int, 6> firstGaps = corners(*first);
    const std::array<int, 6> secondGaps = corners(*second);
    // Enlarging one window by (120, 90) grows its browser by as much and moves its buttons
    // with the corners; the other window, resized meanwhile, keeps its own layout.
    first->resize(920, 590);
    second->resize(640, 320);
    QApplication::processEvents();
    EXPECT_EQ(corners(*first), firstGaps);
    EXPECT_EQ(corners(*second), secondGaps);
    EXPECT_EQ(first->GetBrowser()->width(), 920 - firstGaps[0]);

    // The close button ends the window.
    QTest::mouseClick(second->GetCloseButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
    first->close();
}

TEST(ReportDlg, SavesTheReportAsUtf8)
{
    CScriptedWindowServices windows;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.html"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();

    CReportDlg dialog;
    dialog.SetReportHtml(kReport);
    // Cancelled: nothing written.
    windows.Choices = {QString()};
    EXPECT_FALSE(dialog.SaveReport());
    EXPECT_EQ(Bytes(path).size(), 5000);

    // Over an existing file: replaced whole.
    windows.Choices = {path};
    EXPECT_TRUE(dialog.SaveReport());
    EXPECT_EQ(Bytes(path), kReport.toUtf8());
    EXPECT_EQ(QString::fromUtf8(Bytes(path)), kReport);
    EXPECT_TRUE(windows.ChooserCalls.last().startsWith(QStringLiteral("save")));

    // A new file.
    const QString fresh = folder.filePath(QStringLiteral("new.html"));
    windows.Choices = {fresh};
    EXPECT_TRUE(dialog.SaveReport());
    EXPECT_EQ(Bytes(fresh), kReport.toUtf8());
    EXPECT_TRUE(windows.Prompts.isEmpty());
}

TEST(ReportDlg, ASaveThatFailsIsShownAndLeavesTheFile)
{
    CScriptedWindowServices windows;
    QTemporaryDir folder;
    CReportDlg dialog;
    dialog.SetReportHtml(kReport);
    // A folder that does not exist.
    const QString path = folder.filePath(QStringLiteral("missing/report.html"));
    windows.Choices = {path};
    EXPECT_FALSE(dialog.SaveReport());
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_TRUE(windows.Prompts[0].contains(path)) << qPrintable(windows.Prompts[0]);
    EXPECT_EQ(windows.PromptTypes[0], unsigned(MB_OK | MB_ICONWARNING));
    EXPECT_FALSE(QFile::exists(path));
}
