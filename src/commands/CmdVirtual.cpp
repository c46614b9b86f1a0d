#include "commands/CmdVirtual.h"

#include "res/StringIds.h"
#include "res/StringTable.h"

QString CCmdVirtual::GetErrorText() const
{
    if (m_errorText.isEmpty())
        return LoadString(IDS_NO_ERROR_INFORMATION);
    return m_errorText;
}
