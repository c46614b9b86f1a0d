#include "storage/PlimVersionUtils.h"

#include "model/Campaign.h"
#include "model/ModelIds.h"

const QString CPlimVersionUtils::VERSION_ANCESTOR_VALUES = QStringLiteral("5.1.6.15");
const QString CPlimVersionUtils::VERSION_CASE_SENSITIVE = QStringLiteral("5.2.0.0");
const QString CPlimVersionUtils::VERSION_DEVELOP_LEVELS = QStringLiteral("5.2.1.1");
const QString CPlimVersionUtils::VERSION_EMPTY_VERSIONS = QStringLiteral("5.2.3.5");

bool CPlimVersionUtils::IsFileOlderThan(const QString& version) const
{
    return pelko_wave::IsVersionOlder(m_fileVersion, version);
}

const QString& CPlimVersionUtils::GetProgramVersionText()
{
    return pelko_wave::PROGRAM_VERSION_TEXT;
}
