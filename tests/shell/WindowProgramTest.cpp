// The start-up of the window program: which environments name a display, and a start that opens
// the campaign named on the command line, or fails on it.

#include "ShellWindowTestSupport.h"

#include "app/OptionsProfile.h"
#include "app/WaveApp.h"
#include "commands/PropertyCommands.h"
#include "controls/FlatSplitterWnd.h"
#include "controls/Pictures.h"
#include "controls/SplashScreenEx.h"
#include "dialogs/ReportDlg.h"
#include "model/Campaign.h"
#include "res/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/ShellApp.h"
#include "shell/WindowProgram.h"
#include "widgets/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace {

// Sets environment variables for its lifetime.
class CEnvironment
{
public:
    ~CEnvironment()
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                qputenv(name.constData(), *value);
            else
                qunsetenv(name.constData());
        }
    }
    void Set(const char* name, const char* value)
    {
        if (!m_saved.count(name))
            m_saved[name] = qEnvironmentVariableIsSet(name)
                                ? std::optional<QByteArray>(qgetenv(name))
                                : std::nullopt;
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }

private:
    std::map<QByteArray, std::optional<QByteArray>> m_saved;
};

} // namespace

TEST(WindowProgram, ADisplayMustBeNamed)
{
    struct SCase
    {
        const char* Platform;
        const char* Display;
        const char* Wayland;
        bool Named;
    };
    const SCase cases[] = {
        {nullptr, nullptr, nullptr, false},    {nullptr, ":0", nullptr, true},
        {nullptr, nullptr, "wayland-0", true}, {"xcb", nullptr, "wayland-0", false},
        {"xcb", ":1", nullptr, true},          {"wayland", ":1", nullptr, false},
        {"offscreen", nullptr, nullptr, true}, {"", ":0", nullptr, true},
    };
    for (const SCase& test : cases) {
        CEnvironment environment;
        environment.Set("QT_QPA_PLATFORM", test.Platform);
        environment.Set("DISPLAY", test.Display);
        environment.Set("WAYLAND_DISPLAY", test.Wayland);
        EXPECT_EQ(CWindowProgram::IsDisplayNamed(), test.Named)
            << (test.Platform ? test.Platform : "-") << " " << (test.Display ? test.Display : "-")
            << " " << (test.Wayland ? test.Wayland : "-");
    }
    EXPECT_TRUE(CWindowProgram::NoDisplayMessage().startsWith(QStringLiteral("plim: ")));
}

namespace {

// The start of the window program on the application object of the roads' fixture.
class WindowProgramStart : public shell_test::CShellTest
{
protected:
    WindowProgramStart()
    {
        m_app.SetStartupPause(std::chrono::milliseconds(0));
        m_app.SetWindowProgram([this](CWaveApp& app) { return m_program.Start(app); });
    }
    ~WindowProgramStart() override { m_program.End(); }

    CWindowProgram m_program;
};

} // namespace

TEST_F(WindowProgramStart, OpensTheCampaignOfTheCommandLine)
{
    const QString file = Path(QStringLiteral("wave1.duv"));
    WriteCampaignFile(*MakeCampaign(), file);
    ASSERT_TRUE(m_app.InitInstance({file}));
    EXPECT_EQ(m_app.GetExitCode(), 0);
    ASSERT_NE(m_program.GetShell(), nullptr);
    CMainFrame& frame = *m_program.GetShell()->GetMainFrame();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("wave1.duv - Plim"));
    // The program's icon on every window, with a picture for each size a desktop asks for.
    const QList<QSize> sizes = frame.windowIcon().availableSizes();
    for (const int size : kProgramIconSizes)
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    EXPECT_EQ(m_app.GetCampaignPath(), file);
    const QImage started = shots::GrabAndSave(frame, QStringLiteral("shots"),
                                              QStringLiteral("shell-started-on-wave1"));
    // The campaign tree shows the campaign's items; the status bar says it is ready.
    const QWidget* tree = frame.GetOuterSplitter()->widget(0);
    EXPECT_GT(
        shots::InkCount(
            started, QRect(tree->mapTo(&frame, QPoint(0, 0)), tree->size()).adjusted(2, 2, -2, -2)),
        30);
    const QWidget* message = frame.GetMessagePane();
    EXPECT_GT(
        shots::InkCount(started, QRect(message->mapTo(&frame, QPoint(0, 0)), message->size())), 10);
    m_program.End();
    EXPECT_EQ(m_app.ExitInstance(), 0);
}

// The splash screen stays up for its time after the start; a program ended within that time
// takes it away with its other windows.
TEST_F(WindowProgramStart, EndingWithinTheSplashTimeTakesTheSplashScreenAway)
{
    const auto splashScreens = [] {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            count += qobject_cast<CSplashScreenEx*>(widget) ? 1 : 0;
        return count;
    };
    ASSERT_TRUE(m_app.InitInstance({}));
    EXPECT_EQ(splashScreens(), 1);
    m_program.End();
    EXPECT_EQ(splashScreens(), 0);
    EXPECT_EQ(m_app.ExitInstance(), 0);
}

// A file that is not there is named as missing; a file that is no campaign is named and said to
// be none, with the storage's reason.
TEST_F(WindowProgramStart, ACampaignThatCannotBeOpenedEndsTheStart)
{
    QFile notes(Path(QStringLiteral("notes.duv")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a campaign");
    notes.close();
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("missing.duv"),
         QStringLiteral("The campaign file '%1' was not found.").arg(Path("missing.duv"))},
        {Path(QStringLiteral("notes.duv")),
         QStringLiteral("The file '%1' is not a Plim campaign.\n\nDetails: ")
             .arg(Path("notes.duv"))},
    };
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(qPrintable(file));
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        // A name without a folder is looked for in the working folder.
        const QString working = QDir::currentPath();
        QDir::setCurrent(m_folder.path());
        m_app.GetCmdLineInfo() = CWaveCmdLineInfo();
        EXPECT_FALSE(m_app.InitInstance({file}));
        QDir::setCurrent(working);
        EXPECT_EQ(m_app.GetExitCode(), 1);
        EXPECT_TRUE(shown.startsWith(message)) << qPrintable(shown);
        m_program.End();
        EXPECT_EQ(m_app.ExitInstance(), 1);
    }
}

// In the program's own windows: a real step taken back returns to the state the campaign was
// opened in, and the title loses its mark; Redo puts it back.
TEST_F(WindowProgramStart, UndoBackToTheOpenedStateClearsTheTitlesMark)
{
    const QString file = Path(QStringLiteral("wave1.duv"));
    WriteCampaignFile(*MakeCampaign(), file);
    ASSERT_TRUE(m_app.InitInstance({file}));
    CShellApp& shell = *m_program.GetShell();
    CMainFrame& frame = *shell.GetMainFrame();
    ASSERT_EQ(frame.windowTitle(), QStringLiteral("wave1.duv - Plim"));
    CValue name;
    name.SetText(QStringLiteral("Renamed"));
    std::unique_ptr<CCmdVirtual> rename =
        std::make_unique<CCmdChangeCampaign>(m_app.GetCampaign(), CAMPAIGN_PROP_NAME, name);
    ASSERT_TRUE(m_app.ExecuteCommand(rename, {}, nullptr, m_app.CaptureViewState(), true));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("wave1.duv * - Plim"));
    ASSERT_TRUE(shell.GetActions().Execute(ID_EDIT_UNDO));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("wave1.duv - Plim"));
    ASSERT_TRUE(shell.GetActions().Execute(ID_EDIT_REDO));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("wave1.duv * - Plim"));
    m_program.End();
    m_app.ExitInstance();
}

TEST_F(WindowProgramStart, TheReportOfMissingSourcesCentresOnTheWindowItPrecedes)
{
    std::unique_ptr<pelko_wave::CCampaign> campaign = MakeCampaign();
    for (int id = 1; id <= 4; ++id)
        campaign->FindVolume(id)->SetStatus(pelko_wave::VOLUME_RECONCILED);
    const QString file = Path(QStringLiteral("wave1.duv"));
    WriteCampaignFile(*campaign, file);
    ASSERT_TRUE(QFile::remove(Path(QStringLiteral("sources/w2v1.zoz"))));
    // The last run left the window away from the middle of the screen.
    {
        QMainWindow placed;
        placed.setGeometry(20, 30, 520, 400);
        OpenUserProfile()->setValue(QStringLiteral("Layout/WindowPlacement"),
                                    placed.saveGeometry());
    }

    ASSERT_TRUE(m_app.InitInstance({file}));
    CMainFrame& frame = *m_program.GetShell()->GetMainFrame();
    CReportDlg* report = shell_window_test::ShownReportWindow();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->windowTitle(), QStringLiteral("Source File Problems"));
    // Opened before the window was shown, it is centred on where the window then appeared (the
    // window system's frame may move it by a pixel or two).
    ASSERT_TRUE(frame.isVisible());
    EXPECT_NEAR(frame.geometry().center().x(), 280, 3);
    EXPECT_NEAR(report->geometry().center().x(), frame.geometry().center().x(), 3);
    EXPECT_NEAR(report->geometry().center().y(), frame.geometry().center().y(), 3);
    report->close();
    m_program.End();
    EXPECT_EQ(m_app.ExitInstance(), 0);
    OpenUserProfile()->remove(QStringLiteral("Layout"));
}

// Each size of the program's icon is drawn for itself: the bars stand on whole pixels in their
// own colours at the small sizes, the ring shows at the large ones, the corners are clear.
TEST(ProgramIcon, EverySizeIsDrawnForItself)
{
    int sheetWidth = 0;
    for (const int size : kProgramIconSizes)
        sheetWidth += size + 8;
    QImage sheet(sheetWidth, 256 + 8, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    int x = 4;
    const QColor yellow(245, 200, 90);
    for (const int size : kProgramIconSizes) {
        SCOPED_TRACE(size);
        const QImage icon = ProgramIconPicture(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        painter.drawImage(x, 4, icon);
        x += size + 8;
        EXPECT_LT(icon.pixelColor(0, 0).alpha(), 16);
        EXPECT_LT(icon.pixelColor(size - 1, size - 1).alpha(), 16);
        EXPECT_EQ(icon.pixelColor(size / 2, size * 15 / 16).alpha(), 255);
        if (size < 32) {
            // The bars stand on whole pixels: the tallest bar's pixels are its colour exactly,
            // none blended half way with the square as a scaled picture's would be.
            int yellowPixels = 0;
            for (int py = 0; py < size; ++py) {
                for (int px = 0; px < size; ++px) {
                    const QColor colour = icon.pixelColor(px, py);
                    yellowPixels += colour == yellow;
                    if (colour != yellow) {
                        EXPECT_FALSE(shots::ColourNear(colour, yellow, 90)) << px << "," << py;
                    }
                }
            }
            EXPECT_GE(yellowPixels, size * size / 16);
        } else {
            const double scale = 0.56 * size / 64.0;
            const QPointF centre(size / 2.0, size / 2.0);
            const QPoint bar = (centre + QPointF(19, 1) * scale).toPoint();
            EXPECT_TRUE(shots::ColourNear(icon.pixelColor(bar), yellow, 4));
            if (size >= 48) {
                // The ring, at least a pixel and a half wide, crosses the column above the mark.
                const QPoint ring = (centre + QPointF(0, -44) * scale).toPoint();
                int lightest = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    lightest =
                        std::max(lightest, icon.pixelColor(ring + QPoint(0, dy)).lightness());
                EXPECT_GT(lightest, 200);
            }
        }
    }
    painter.end();
    shots::Save(sheet, QStringLiteral("shots"), QStringLiteral("shell-icon"));
}
