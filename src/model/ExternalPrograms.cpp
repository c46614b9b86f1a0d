#include "model/ExternalPrograms.h"

#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QProcess>
#include <QSettings>

namespace pelko_wave {

bool LaunchExternalProgram(const QString& programPath, const QString& argument)
{
    if (programPath.isEmpty())
        return false;
    QStringList arguments;
    if (!argument.isEmpty())
        arguments.append(argument);
    return QProcess::startDetached(programPath, arguments);
}

bool GetSiblingProgramCommand(QString& path, int which)
{
    path.clear();
    if (which != SIBLING_QUILL && which != SIBLING_TALLY)
        return false;
    QString key =
        LoadString(which == SIBLING_QUILL ? IDS_QUILL_OPEN_COMMAND : IDS_TALLY_OPEN_COMMAND);
    if (key.isEmpty())
        return false;
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QSettings settings(QStringLiteral("Pelko"), QStringLiteral("Plim"));
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return false;
    QString command = value.toString();
    // "\"/opt/pelko/quill\" \"%1\"" gives the bare program path.
    command.remove(QLatin1String("\" \"%1\""));
    while (command.startsWith(QLatin1Char('"')))
        command.remove(0, 1);
    while (command.endsWith(QLatin1Char('"')))
        command.chop(1);
    path = command;
    return true;
}

} // namespace pelko_wave
