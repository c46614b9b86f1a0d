// The campaign validation dialog: which button ends it when, the correction run by Validate (its
// commands on the interface thread), the outcome added to the report and the modified mark.

#include "dialogs/ValidateCampaignDlg.h"

#include "ModelFixtures.h"

#include "app/WaveApp.h"
#include "commands/CmdVirtual.h"
#include "controls/SimpleBrowser.h"
#include "dialogs/ProgressDlg.h"
#include "model/Volume.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "storage/DBAccess.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestWaveApp.h"
#include "widgets/Screenshots.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace pelko_wave;
using namespace model_test;

namespace {

const QString kReport = QStringLiteral("<html>\n<head><meta charset=\"UTF-8\"></head>\n<body>\n"
                                       "<p>Invalid matchings: 1</p>\n</body>\n</html>\n");

// The application of the commands: runs each command it is given, noting whether it ran on the
// interface thread.
class CThreadCheckingApp final : public CTestWaveApp
{
public:
    bool ExecuteCommand(std::unique_ptr<CCmdVirtual>& command, const CCmdCallBacks&,
                        const CCmdPreCallBacks*, std::unique_ptr<CViewState>,
                        bool setModified) override
    {
        const bool onInterfaceThread = QThread::currentThread() == qApp->thread();
        EXPECT_TRUE(onInterfaceThread) << "a command ran on a worker thread";
        OnInterfaceThread.push_back(onInterfaceThread);
        if (WhileExecuting)
            WhileExecuting();
        std::unique_ptr<CCallBackInfo> record;
        if (!command->Do(record))
            return false;
        MarkedModified = MarkedModified || setModified;
        Executed.push_back(std::move(command));
        return true;
    }

    // Called before each command runs.
    std::function<void()> WhileExecuting;
    std::vector<bool> OnInterfaceThread;
    std::vector<std::unique_ptr<CCmdVirtual>> Executed;
    bool MarkedModified = false;
};

// What the progress window and the buttons showed while Validate ran: when the correction's step
// was run, and then every few milliseconds.
struct SProgressSeen
{
    QString Caption;
    QStringList Texts;
    int Upper = -1;
    int LastPos = -1;
    bool CloseEnabled = false;
    bool ValidateEnabled = true;
};

SProgressSeen ValidateWatching(CValidateCampaignDlg& dialog, CThreadCheckingApp& app,
                               bool& validated)
{
    SProgressSeen seen;
    const auto look = [&] {
        CProgressDlg* progress = dialog.GetProgressWindow();
        if (!progress)
            return;
        seen.Caption = progress->windowTitle();
        if (seen.Texts.isEmpty() || seen.Texts.last() != progress->GetMessageText())
            seen.Texts << progress->GetMessageText();
        seen.Upper = progress->GetRangeUpper();
        seen.LastPos = progress->GetPos();
        seen.CloseEnabled = seen.CloseEnabled || dialog.GetCloseButton()->isEnabled();
        seen.ValidateEnabled = dialog.GetValidateButton()->isEnabled();
    };
    app.WhileExecuting = look;
    QTimer watch;
    watch.setInterval(2);
    QObject::connect(&watch, &QTimer::timeout, look);
    watch.start();
    validated = dialog.Validate();
    app.WhileExecuting = {};
    return seen;
}

class ValidateCampaignDlgTest : public ::testing::Test
{
protected:
    ValidateCampaignDlgTest()
    {
        m_campaign = MakeFullCampaign();
        // Volume 4 also matches a campaign question that does not exist.
        AddQuestionMatching(*m_campaign->FindVolume(4), 99, QStringLiteral("99"), 4, OPEN_END_ID);
        m_app.Campaign = m_campaign.get();
    }

    // The comparison's findings: question 99 is missing, and the source question that question
    // 11 is matched to in volume 1 is gone.
    static SSourceComparisonLists Findings()
    {
        SSourceComparisonLists lists;
        lists.MissingQuestions[99] = QStringLiteral("Q99");
        lists.InvalidQuestionMatches.insert({11, 1});
        return lists;
    }

    bool IsMatched(int volumeId, int questionId) const
    {
        const CVolume& volume = *m_campaign->FindVolume(volumeId);
        return volume.FindQuestionMatchingInherited(questionId, volumeId) != nullptr;
    }

    CScriptedWindowServices m_windows;
    std::unique_ptr<CCampaign> m_campaign;
    CThreadCheckingApp m_app;
};

} // namespace

TEST_F(ValidateCampaignDlgTest, WithoutIssuesOnlyCloseIsThere)
{
    CValidateCampaignDlg dialog;
    // Loop-hierarchy problems cannot be corrected here: they leave nothing to validate.
    SSourceComparisonLists lists;
    lists.LoopHierarchyMatches.insert({11, 1});
    dialog.SetHtml(kReport);
    dialog.SetIssueLists(lists);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Campaign Validation"));
    EXPECT_TRUE(dialog.GetCloseButton()->isEnabled());
    EXPECT_FALSE(dialog.GetValidateButton()->isEnabled());
    EXPECT_TRUE(dialog.GetSaveButton()->isEnabled());
    EXPECT_FALSE(dialog.Validate());
    EXPECT_TRUE(m_app.Executed.empty());
    EXPECT_EQ(dialog.GetHtml(), kReport);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ValidateCampaignDlgTest, CloseWaitsForValidateWhichCorrectsOnTheInterfaceThread)
{
    CValidateCampaignDlg dialog;
    dialog.SetFinalPause(std::chrono::milliseconds(60));
    dialog.SetHtml(kReport);
    dialog.SetIssueLists(Findings());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_FALSE(dialog.GetCloseButton()->isEnabled());
    EXPECT_TRUE(dialog.GetValidateButton()->isEnabled());
    EXPECT_TRUE(dialog.GetValidateButton()->isDefault());
    EXPECT_TRUE(
        dialog.GetBrowser()->GetWrittenHtml().contains(QStringLiteral("Invalid matchings")));

    // Escape, the close box and Close itself cannot end it yet.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.close());
    EXPECT_TRUE(dialog.isVisible());
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());

    ASSERT_TRUE(IsMatched(4, 99));
    ASSERT_TRUE(IsMatched(1, 11));
    bool validated = false;
    const SProgressSeen seen = ValidateWatching(dialog, m_app, validated);
    EXPECT_TRUE(validated);
    // The correction is one step, run on the interface thread, that marks the campaign modified.
    ASSERT_EQ(m_app.OnInterfaceThread.size(), 1u);
    EXPECT_TRUE(m_app.OnInterfaceThread[0]);
    EXPECT_TRUE(m_app.MarkedModified);
    EXPECT_FALSE(IsMatched(4, 99));
    EXPECT_FALSE(IsMatched(1, 11));

    EXPECT_EQ(seen.Caption, LoadString(IDS_VALIDATING));
    EXPECT_EQ(seen.Texts.value(0), LoadString(IDS_CORRECTING));
    EXPECT_EQ(seen.Texts.value(seen.Texts.size() - 1), LoadString(IDS_VALIDATION_SUCCEEDED));
    EXPECT_EQ(seen.Upper, 2);
    EXPECT_EQ(seen.LastPos, 1); // the last step: the upper bound less one
    EXPECT_FALSE(seen.CloseEnabled);
    EXPECT_FALSE(seen.ValidateEnabled);
    EXPECT_EQ(dialog.GetProgressWindow(), nullptr);

    EXPECT_TRUE(dialog.GetCloseButton()->isEnabled());
    EXPECT_TRUE(dialog.GetCloseButton()->isDefault());
    EXPECT_FALSE(dialog.GetValidateButton()->isEnabled());
    EXPECT_TRUE(dialog.GetSaveButton()->isEnabled());
    const QString paragraph =
        QStringLiteral("<p class = \"font color0 bgcolor0\"/>\n") + LoadString(IDS_CAMPAIGN_VALID);
    EXPECT_TRUE(dialog.GetHtml().endsWith(paragraph + QStringLiteral("</body>\n</html>\n")))
        << qPrintable(dialog.GetHtml());
    EXPECT_EQ(dialog.GetBrowser()->GetWrittenHtml(), dialog.GetHtml());

    // Once only.
    EXPECT_FALSE(dialog.Validate());
    EXPECT_EQ(m_app.Executed.size(), 1u);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ValidateCampaignDlgTest, AFailedCorrectionIsReportedAndChangesNothing)
{
    CValidateCampaignDlg dialog;
    dialog.SetFinalPause(std::chrono::milliseconds(40));
    dialog.SetHtml(kReport);
    SSourceComparisonLists lists = Findings();
    // A question the campaign does not have: the correction cannot be built.
    lists.InvalidQuestionMatches.insert({12345, 1});
    dialog.SetIssueLists(lists);
    bool validated = true;
    const SProgressSeen seen = ValidateWatching(dialog, m_app, validated);
    EXPECT_FALSE(validated);
    EXPECT_TRUE(m_app.Executed.empty());
    EXPECT_FALSE(m_app.MarkedModified);
    EXPECT_TRUE(IsMatched(4, 99));
    EXPECT_TRUE(IsMatched(1, 11));
    EXPECT_EQ(seen.Texts.value(seen.Texts.size() - 1), LoadString(IDS_VALIDATION_FAILED));
    EXPECT_TRUE(dialog.GetHtml().contains(LoadString(IDS_CAMPAIGN_NOT_VALIDATED) +
                                          QStringLiteral("</body>")));
    // The dialog can then only be closed.
    EXPECT_TRUE(dialog.GetCloseButton()->isEnabled());
    EXPECT_FALSE(dialog.GetValidateButton()->isEnabled());
}

TEST(ValidateCampaignDlg, TheOutcomeParagraph)
{
    struct SCase
    {
        bool Validated;
        bool LoopProblems;
        unsigned Text;
    };
    const SCase cases[] = {
        {true, false, IDS_CAMPAIGN_VALID},
        {true, true, IDS_LOOP_HIERARCHIES_LEFT},
        {false, false, IDS_CAMPAIGN_NOT_VALIDATED},
        {false, true, IDS_CAMPAIGN_NOT_VALIDATED},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(CValidateCampaignDlg::ResultParagraph(test.Validated, test.LoopProblems),
                  QStringLiteral("<p class = \"font color0 bgcolor0\"/>\n") + LoadString(test.Text))
            << test.Validated << test.LoopProblems;
}

// The paragraph goes before the last closing body tag, whatever follows it.
TEST(ValidateCampaignDlg, TheParagraphGoesBeforeTheBodysEnd)
{
    struct SCase
    {
        const char* Html;
        const char* Expected;
    };
    const SCase cases[] = {
        {"<body>\n<p>a</p>\n</body>\n</html>\n", "<body>\n<p>a</p>\nP</body>\n</html>\n"},
        {"<body><p>a</p></body></html>", "<body><p>a</p>P</body></html>"},
        {"<body>a</BODY>\r\n</HTML>\r\n", "<body>aP</BODY>\r\n</HTML>\r\n"},
        {"<p>a</p>", "<p>a</p>P"},
        {"", "P"},
        {"<p>&lt;/body&gt; in a text</p></body>", "<p>&lt;/body&gt; in a text</p>P</body>"},
        {"<body>a</body><body>b</body>", "<body>a</body><body>bP</body>"},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(CValidateCampaignDlg::WithParagraph(QString::fromLatin1(test.Html),
                                                      QStringLiteral("P")),
                  QString::fromLatin1(test.Expected))
            << test.Html;
}

// With the program's own application: a correction marks the campaign modified; a failed one
// leaves the mark as it was.
TEST(ValidateCampaignDlg, TheModifiedMarkFollowsTheCorrection)
{
    struct SCase
    {
        bool ModifiedBefore;
        bool Resolvable;
        bool ModifiedAfter;
    };
    const SCase cases[] = {
        {false, true, true},
        {false, false, false},
        {true, false, true},
    };
    for (const SCase& test : cases) {
        CScriptedWindowServices windows;
        CWaveApp app;
        auto campaign = MakeFullCampaign();
        app.CreateCampaignObjects(nullptr, std::move(campaign));
        std::vector<bool> notifiedOnInterfaceThread;
        app.SetDocumentModifiedNotifier([&](bool) {
            notifiedOnInterfaceThread.push_back(QThread::currentThread() == qApp->thread());
        });
        app.SetModifiedFlag(test.ModifiedBefore, false);

        CValidateCampaignDlg dialog;
        dialog.SetFinalPause(std::chrono::milliseconds(0));
        dialog.SetHtml(kReport);
        SSourceComparisonLists lists;
        lists.InvalidQuestionMatches.insert({test.Resolvable ? 11 : 12345, 1});
        dialog.SetIssueLists(lists);
        EXPECT_EQ(dialog.Validate(), test.Resolvable);
        EXPECT_EQ(app.IsModified(), test.ModifiedAfter) << test.ModifiedBefore << test.Resolvable;
        EXPECT_EQ(app.IsUndoEnabled(), test.Resolvable);
        for (const bool onInterfaceThread : notifiedOnInterfaceThread)
            EXPECT_TRUE(onInterfaceThread);
        EXPECT_EQ(notifiedOnInterfaceThread.empty(), !test.Resolvable);
    }
}

TEST_F(ValidateCampaignDlgTest, SavesTheReportWithItsOutcome)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("validation.html"));
    CValidateCampaignDlg dialog;
    dialog.SetFinalPause(std::chrono::milliseconds(0));
    dialog.SetHtml(kReport + QStringLiteral("<!-- café -->"));
    dialog.SetIssueLists(Findings());
    ASSERT_TRUE(dialog.Validate());
    m_windows.Choices = {path};
    QTest::mouseClick(dialog.GetSaveButton(), Qt::LeftButton);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), dialog.GetHtml());
    EXPECT_TRUE(dialog.GetHtml().contains(LoadString(IDS_CAMPAIGN_VALID)));

    // A file that cannot be written is said so.
    m_windows.Choices = {folder.filePath(QStringLiteral("missing/validation.html"))};
    QTest::mouseClick(dialog.GetSaveButton(), Qt::LeftButton);
    ASSERT_EQ(m_windows.Prompts.size(), 1);
    EXPECT_TRUE(m_windows.Prompts[0].contains(QStringLiteral("missing/validation.html")));
}

TEST_F(ValidateCampaignDlgTest, TheReportGrowsWithTheWindowAndTheButtonsKeepTheirCorners)
{
    CValidateCampaignDlg dialog;
    dialog.SetHtml(kReport);
    dialog.SetIssueLists(Findings());
    dialog.show();
    dialog.resize(100, 100);
    EXPECT_EQ(dialog.size(), CValidateCampaignDlg::kMinimumTrackSize);
    dialog.resize(900, 600);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QApplication::processEvents();
    const QRect browser = dialog.GetBrowser()->geometry();
    const QRect save = dialog.GetSaveButton()->geometry();
    const QRect validate = dialog.GetValidateButton()->geometry();
    const QRect close = dialog.GetCloseButton()->geometry();
    EXPECT_EQ(browser.left(), save.left());
    EXPECT_EQ(browser.right(), close.right());
    EXPECT_LT(browser.bottom(), close.top());
    EXPECT_EQ(save.top(), close.top());
    EXPECT_EQ(validate.top(), close.top());
    EXPECT_LT(validate.right(), close.left());
    EXPECT_EQ(dialog.height() - 1 - close.bottom(), dialog.width() - 1 - close.right());
    EXPECT_GT(browser.height(), 400);

    // The text above the report is whole and the report starts below it; the disabled Close
    // shows greyed beside the Validate button.
    const QImage image =
        shots::GrabAndSave(dialog, QStringLiteral("shots"), QStringLiteral("dialogs-validation"));
    const QColor background = dialog.palette().color(QPalette::Window);
    const QColor report = shots::PixelAt(image, browser.center().x(), browser.bottom() - 10);
    EXPECT_TRUE(shots::ColourNear(report, Qt::white, 12)) << qPrintable(report.name());
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, browser.left() + 2, browser.top() - 3),
                                  background, 12));
    EXPECT_FALSE(dialog.GetCloseButton()->isEnabled());
}
