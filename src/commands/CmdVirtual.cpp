#include "commands/CmdVirtual.h"

#include "res/StringTable.h"

namespace {
constexpr unsigned IDS_NO_ERROR_INFORMATION = 63476;
}

QString CCmdVirtual::GetErrorText() const
{
    if (m_errorText.isEmpty())
        return LoadString(IDS_NO_ERROR_INFORMATION);
    return m_errorText;
}
