#include "model/ConnectionText.h"

#include <QHash>
#include <QStringList>

namespace pelko_wave {

namespace {

const QChar kSeparator = QLatin1Char(';');

// The key of the setting when it holds a password (lower case, trimmed); empty otherwise.
QString PasswordKey(const QString& setting)
{
    const qsizetype equals = setting.indexOf(QLatin1Char('='));
    if (equals < 0)
        return QString();
    const QString key = setting.left(equals).trimmed().toLower();
    return key == QLatin1String("pwd") || key.endsWith(QLatin1String("password")) ? key : QString();
}

// What follows the setting's "=", exactly as written.
QString ValueOf(const QString& setting)
{
    return setting.mid(setting.indexOf(QLatin1Char('=')) + 1);
}

QString WithValue(const QString& setting, const QString& value)
{
    return setting.left(setting.indexOf(QLatin1Char('=')) + 1) + value;
}

} // namespace

QString MaskedPassword()
{
    return QString(8, QChar(0x2022));
}

QString MaskConnectionPasswords(const QString& connection)
{
    QStringList settings = connection.split(kSeparator);
    for (QString& setting : settings) {
        if (!PasswordKey(setting).isEmpty() && !ValueOf(setting).trimmed().isEmpty())
            setting = WithValue(setting, MaskedPassword());
    }
    return settings.join(kSeparator);
}

QString UnmaskConnectionPasswords(const QString& edited, const QString& original)
{
    QHash<QString, QStringList> passwords;
    for (const QString& setting : original.split(kSeparator)) {
        if (const QString key = PasswordKey(setting); !key.isEmpty())
            passwords[key] << ValueOf(setting);
    }
    QHash<QString, int> seen;
    QStringList settings = edited.split(kSeparator);
    for (QString& setting : settings) {
        const QString key = PasswordKey(setting);
        if (key.isEmpty())
            continue;
        const int index = seen[key]++;
        const QStringList& values = passwords[key];
        if (ValueOf(setting).trimmed() == MaskedPassword() && index < values.size())
            setting = WithValue(setting, values[index]);
    }
    return settings.join(kSeparator);
}

QString GetDisplayedSourceText(const CSourcePath& source)
{
    return source.IsFile() ? source.SourceString : MaskConnectionPasswords(source.SourceString);
}

} // namespace pelko_wave
