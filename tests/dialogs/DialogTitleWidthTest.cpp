// Dialogs as wide as their titles: the title bar of every dialog shows its title whole, at the
// user's font size too.

#include "dialogs/DBConnectionDlg.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/FindQuestionDlg.h"
#include "dialogs/MatchingMethodDlg.h"
#include "dialogs/NewWaveDlg.h"
#include "dialogs/ReReconciliationOptionsDlg.h"
#include "dialogs/ReportDlg.h"

#include "app/WaveApp.h"
#include "support/ScriptedWindowServices.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLayout>
#include <QScreen>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// The application font scaled for the test's lifetime.
class CScaledAppFont
{
public:
    explicit CScaledAppFont(double scale) : m_saved(QApplication::font())
    {
        QFont font = m_saved;
        font.setPointSizeF(m_saved.pointSizeF() * scale);
        QApplication::setFont(font);
    }
    ~CScaledAppFont() { QApplication::setFont(m_saved); }
    CScaledAppFont(const CScaledAppFont&) = delete;
    CScaledAppFont& operator=(const CScaledAppFont&) = delete;

private:
    QFont m_saved;
};

} // namespace

TEST(DialogTitleWidthTest, ATitleBarHoldsTheBoldTitleAndTheButtonsOnEitherSide)
{
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const QString title = QStringLiteral("Re-reconciliation options");
    EXPECT_EQ(TitleBarWidth(title), metrics.horizontalAdvance(title) + 10 * metrics.height());
    EXPECT_GT(TitleBarWidth(title), TitleBarWidth(QStringLiteral("Update")));
}

TEST(DialogTitleWidthTest, EveryDialogIsAsWideAsItsTitleAtTheUsersFontSize)
{
    CScriptedWindowServices windows;
    CWaveApp app;
    CDialogTitleFit fit;
    qApp->installEventFilter(&fit);
    const std::pair<const char*, std::function<std::unique_ptr<QDialog>()>> dialogs[] = {
        {"new wave", [] { return std::make_unique<CNewWaveDlg>(); }},
        {"re-reconciliation", [] { return std::make_unique<CReReconciliationOptionsDlg>(); }},
        {"database", [] { return std::make_unique<CDBConnectionDlg>(); }},
        {"find question", [] { return std::make_unique<CFindQuestionDlg>(); }},
        {"matching methods", [] { return std::make_unique<CMatchingMethodDlg>(); }},
        {"report",
         [] {
             auto report = std::make_unique<CReportDlg>();
             report->setWindowTitle(QStringLiteral("Open and numeric questions of Summer 2025 "
                                                   "in the reconciliation of the wave"));
             return report;
         }},
    };
    for (const double scale : {1.0, 1.5}) {
        const CScaledAppFont font(scale);
        for (const auto& [what, make] : dialogs) {
            std::unique_ptr<QDialog> dialog = make();
            dialog->show();
            // Never wider than the screen.
            const auto needed = [&dialog] {
                return std::min(TitleBarWidth(dialog->windowTitle()),
                                dialog->screen()->availableGeometry().width());
            };
            EXPECT_GE(dialog->width(), needed()) << what << " at " << scale;
            // Nor can the user make it narrower, even once its layout is activated again.
            if (QLayout* layout = dialog->layout()) {
                layout->invalidate();
                layout->activate();
            }
            EXPECT_GE(dialog->minimumWidth(), needed()) << what << " at " << scale;
            // A longer title given while it shows widens it again.
            dialog->setWindowTitle(dialog->windowTitle() + QStringLiteral(" - a longer title"));
            EXPECT_GE(dialog->width(), needed()) << what << " at " << scale;
            dialog->hide();
        }
    }
    qApp->removeEventFilter(&fit);
}

TEST(DialogTitleWidthTest, AFixedWidthWidensAndAPlacedDialogKeepsItsCentre)
{
    CDialogTitleFit fit;
    qApp->installEventFilter(&fit);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("A title far wider than the dialog it stands over"));
    dialog.setFixedSize(120, 80);
    dialog.move(400, 300);
    dialog.show();
    const int width = TitleBarWidth(dialog.windowTitle());
    EXPECT_EQ(dialog.width(), width);
    EXPECT_EQ(dialog.minimumWidth(), width);
    EXPECT_EQ(dialog.maximumWidth(), width);
    EXPECT_EQ(dialog.height(), 80);
    EXPECT_EQ(dialog.x() + dialog.width() / 2, 400 + 60);
    qApp->removeEventFilter(&fit);
}
