#include "app/WaveApp.h"

#include "platform/StdStreams.h"
#include "res/StringTable.h"

namespace {

constexpr unsigned IDS_BATCH_RUN_MISSING = 63903;

} // namespace

bool CWaveApp::RunCommandLine()
{
    if (m_cmdLineInfo.GetHelp()) {
        // The text ends with its own empty lines.
        WriteStdOutText(CWaveCmdLineInfo::GetUsageText());
        m_exitCode = 0;
        return false;
    }
    // Adding and reconciling a wave from the command line is not part of this build yet.
    WriteStdErrLine(QStringLiteral("plim: ") + LoadString(IDS_BATCH_RUN_MISSING));
    return false;
}
