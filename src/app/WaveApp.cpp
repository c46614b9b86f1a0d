#include "app/WaveApp.h"

#include "model/Campaign.h"
#include "platform/ConsoleWindowServices.h"
#include "platform/StdStreams.h"
#include "platform/ViewState.h"
#include "platform/WindowServices.h"
#include "reconcile/DiffsOptions.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "storage/DBAccess.h"

#include <QFileInfo>
#include <QtGlobal>

#include <thread>

namespace {

constexpr std::chrono::milliseconds kPumpStep{20};

// Waits the start-up pause when start-up returns, whichever way it does. Windows shown
// meanwhile go on painting: the pending messages other than input are dispatched while it waits.
class CStartupPause
{
public:
    explicit CStartupPause(std::chrono::milliseconds pause) : m_pause(pause) {}
    ~CStartupPause()
    {
        const auto end = std::chrono::steady_clock::now() + m_pause;
        for (auto now = std::chrono::steady_clock::now(); now < end;
             now = std::chrono::steady_clock::now()) {
            GetWindowServices().PumpMessages();
            std::this_thread::sleep_for(
                std::min<std::chrono::steady_clock::duration>(end - now, kPumpStep));
        }
    }
    CStartupPause(const CStartupPause&) = delete;
    CStartupPause& operator=(const CStartupPause&) = delete;

private:
    std::chrono::milliseconds m_pause;
};

} // namespace

CWaveApp::CWaveApp()
{
    // Read here already, so that an application object that never runs the start-up (a test's)
    // knows its version and language too.
    m_versionInfo.Load();
    SetWaveApp(this);
}

CWaveApp::~CWaveApp()
{
    DestroyCampaignObjects();
    if (GetWaveApp() == this)
        SetWaveApp(nullptr);
    if (m_consoleServices && &GetWindowServices() == m_consoleServices.get())
        SetWindowServices(nullptr);
}

bool CWaveApp::InitInstance(const QStringList& arguments)
{
    const CStartupPause pause(m_startupPause);

    m_versionInfo.Load();
    LoadOptions();
    // The recent-file list is loaded here once it exists.

    const bool parsed = m_cmdLineInfo.ParseCommandLine(arguments);
    AttachStdioToConsole(IsBatchRun());
    if (!parsed) {
        WriteStdErrLine(QStringLiteral("plim: ") + m_cmdLineInfo.GetErrorText());
        m_exitCode = 2;
        return false;
    }

    if (IsBatchRun()) {
        m_consoleServices = std::make_unique<CConsoleWindowServices>();
        SetWindowServices(m_consoleServices.get());
        return RunCommandLine();
    }

    if (!m_windowProgram) {
        WriteStdErrLine(QStringLiteral("plim: ") + LoadString(IDS_WINDOW_PROGRAM_MISSING));
        m_exitCode = 1;
        return false;
    }
    const bool started = m_windowProgram(*this);
    m_exitCode = started ? 0 : 1;
    return started;
}

int CWaveApp::ExitInstance()
{
    SaveLocalOptionsIfUsed();
    DestroyCampaignObjects();
    SaveOptionsAtExit();
    return m_exitCode;
}

void CWaveApp::SetCampaignPath(const QString& path)
{
    m_campaignPath = path;
    m_campaignDataFolder.clear();
}

QString CWaveApp::GetCampaignName() const
{
    return QFileInfo(m_campaignPath).completeBaseName().left(260);
}

CCampaignDiffsCache* CWaveApp::GetDiffsCache() const
{
    const std::lock_guard<std::mutex> lock(m_diffsCacheLock);
    return m_pDiffsCache.get();
}

bool CWaveApp::IsQuestionDiffKindHidden(int kind) const
{
    return IsHiddenQuestionDiffKind(kind);
}

bool CWaveApp::IsModalityDiffKindHidden(int kind) const
{
    return IsHiddenModalityDiffKind(kind);
}

bool CWaveApp::IsQuestionDiffKindHiddenInDialog(int kind) const
{
    return IsDialogHiddenQuestionDiffKind(kind);
}

bool CWaveApp::IsModalityDiffKindHiddenInDialog(int kind) const
{
    return IsDialogHiddenModalityDiffKind(kind);
}

const QList<pelko_wave::CResponseCaptionGroup*>& CWaveApp::GetCaptionGroups() const
{
    // Empty until the caption-library file is read.
    return m_captionGroups;
}

const QList<pelko_wave::CResponseLibrary*>& CWaveApp::GetCaptionLibraries() const
{
    // Empty until the caption-library file is read.
    return m_captionLibraries;
}

void CWaveApp::AddPendingQuestionSourceCopy(int volumeId)
{
    m_pendingQuestionCopies.insert(volumeId);
}

void CWaveApp::AddPendingInterviewSourceCopy(int volumeId)
{
    m_pendingInterviewCopies.insert(volumeId);
}
