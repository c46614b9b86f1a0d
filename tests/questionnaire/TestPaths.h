#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// Where the questionnaire tests find their files.
namespace qnrtest {

inline QString SamplesDir()
{
    return QStringLiteral(PLIM_SOURCE_DIR "/samples");
}

inline QString SamplePath(int wave, const char* extension)
{
    return QStringLiteral("%1/wave%2.%3").arg(SamplesDir()).arg(wave).arg(QLatin1String(extension));
}

inline QString DataDir()
{
    return QStringLiteral(PLIM_TEST_DATA_DIR);
}

// The Triple-S standard's examples live in the shared folder beside the repository (they are not
// part of it); empty when it cannot be found. PLIM_SHARED_DIR names it explicitly.
inline QString TripleSExamplesDir()
{
    QStringList candidates;
    const QString shared = qEnvironmentVariable("PLIM_SHARED_DIR");
    if (!shared.isEmpty())
        candidates << shared + QStringLiteral("/samples/triples");
    candidates << QStringLiteral(PLIM_SOURCE_DIR "/../shared/samples/triples")
               << QStringLiteral(PLIM_SOURCE_DIR "/../../shared/samples/triples");
    for (const QString& candidate : candidates) {
        if (QDir(candidate).exists(QStringLiteral("example1.sss")))
            return QDir(candidate).absolutePath();
    }
    return QString();
}

} // namespace qnrtest
