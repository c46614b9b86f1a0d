#include "model/ValueTexts.h"

#include "model/Guid.h"
#include "platform/FormatString.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <cmath>

namespace pelko_wave {

bool DoublesEqual(double a, double b)
{
    if (a == 0.0 && b == 0.0)
        return true;
    if (a - b == 0.0)
        return true;
    const double d = std::fabs(a - b);
    const double m = std::fabs(a) + d / 2.0;
    return 1.0 - std::fabs(a) / std::fabs(m) < 0.0001;
}

bool BoolsEqual(int a, int b)
{
    return (a != 0) == (b != 0);
}

QString DoubleToText(double value)
{
    return FormatString(QStringLiteral("%e"), {value});
}

QString IntToText(int value)
{
    return QString::number(value);
}

QString FormatIntText(int value)
{
    return QString::number(value);
}

QString BoolToText(int flag)
{
    return LoadString(flag ? IDS_TRUE : IDS_FALSE);
}

bool TextToBool(const QString& text)
{
    return text.compare(LoadString(IDS_TRUE), Qt::CaseInsensitive) == 0;
}

QString CreateGuidString()
{
    GUID guid;
    CreateGuid(guid);
    return QStringLiteral("%1").arg(guid.Data1, 8, 16, QLatin1Char('0')).toUpper();
}

QString JoinIds(const QList<quint32>& ids)
{
    QStringList texts;
    for (const quint32 id : ids)
        texts.append(QString::number(id));
    return texts.join(QLatin1Char(';'));
}

QString JoinSourceList(const QStringList& sources)
{
    return sources.join(QLatin1Char(';'));
}

} // namespace pelko_wave
