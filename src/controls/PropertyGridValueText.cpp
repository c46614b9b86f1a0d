#include "controls/PropertyGridValueText.h"

#include "controls/DialogUnits.h"
#include "grid/ColorRef.h"
#include "platform/FormatString.h"

#include <QFontMetrics>
#include <QLocale>
#include <cmath>

namespace {

// Reads up to two digits; false when a third follows.
bool SkipSmallNumber(const QString& format, qsizetype& i)
{
    int digits = 0;
    while (i < format.size() && format[i].isDigit()) {
        ++i;
        if (++digits > 2)
            return false;
    }
    return true;
}

bool IsOneConversion(const QString& format, bool real)
{
    int conversions = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%')
            continue;
        ++i;
        if (i < format.size() && format[i] == u'%')
            continue;
        while (i < format.size() && QStringView(u"-+ #0").contains(format[i]))
            ++i;
        if (!SkipSmallNumber(format, i))
            return false;
        if (i < format.size() && format[i] == u'.') {
            ++i;
            if (!SkipSmallNumber(format, i))
                return false;
        }
        if (!real) {
            int lengths = 0;
            while (i < format.size() && (format[i] == u'l' || format[i] == u'h') && lengths++ < 2)
                ++i;
        }
        if (i >= format.size())
            return false;
        const QStringView kinds = real ? QStringView(u"eEfgG") : QStringView(u"diuxXo");
        if (!kinds.contains(format[i]))
            return false;
        ++conversions;
    }
    return conversions == 1;
}

QLocale NumberLocale()
{
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
    return locale;
}

QString TwoDigits(int value, bool noLeadingZero)
{
    return noLeadingZero ? QString::number(value)
                         : QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// Writes one date code; false for a code the grid does not know.
bool AppendDateCode(QString& out, QChar code, bool alternate, const QDateTime& value)
{
    const QDate date = value.date();
    const QTime time = value.time();
    // Day and month names in the user's language.
    const QLocale names;
    switch (code.unicode()) {
    case u'a':
        out += names.dayName(date.dayOfWeek(), QLocale::ShortFormat);
        return true;
    case u'A':
        out += names.dayName(date.dayOfWeek(), QLocale::LongFormat);
        return true;
    case u'b':
        out += names.monthName(date.month(), QLocale::ShortFormat);
        return true;
    case u'B':
        out += names.monthName(date.month(), QLocale::LongFormat);
        return true;
    case u'c':
        out += QLocale().toString(value, alternate ? QLocale::LongFormat : QLocale::ShortFormat);
        return true;
    case u'd':
        out += TwoDigits(date.day(), alternate);
        return true;
    case u'H':
        out += TwoDigits(time.hour(), alternate);
        return true;
    case u'I':
        out += TwoDigits(time.hour() % 12 == 0 ? 12 : time.hour() % 12, alternate);
        return true;
    case u'j': {
        const int day = date.dayOfYear();
        out += alternate ? QString::number(day)
                         : QStringLiteral("%1").arg(day, 3, 10, QLatin1Char('0'));
        return true;
    }
    case u'm':
        out += TwoDigits(date.month(), alternate);
        return true;
    case u'M':
        out += TwoDigits(time.minute(), alternate);
        return true;
    case u'p':
        out += time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
        return true;
    case u'S':
        out += TwoDigits(time.second(), alternate);
        return true;
    case u'w':
        out += QString::number(date.dayOfWeek() % 7);
        return true;
    case u'x':
        out += QLocale().toString(date, alternate ? QLocale::LongFormat : QLocale::ShortFormat);
        return true;
    case u'X':
        out += QLocale().toString(time, QLocale::ShortFormat);
        return true;
    case u'y':
        out += TwoDigits(date.year() % 100, alternate);
        return true;
    case u'Y':
        out += QString::number(date.year());
        return true;
    default:
        return false;
    }
}

// The date written with the format, or a null text when the format holds an unknown code.
QString ApplyDateFormat(const QString& format, const QDateTime& value)
{
    QString out;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            out += format[i];
            continue;
        }
        if (++i >= format.size())
            return {};
        if (format[i] == u'%') {
            out += u'%';
            continue;
        }
        bool alternate = false;
        if (format[i] == u'#') {
            alternate = true;
            if (++i >= format.size())
                return {};
        }
        if (!AppendDateCode(out, format[i], alternate, value))
            return {};
    }
    return out.isNull() ? QStringLiteral("") : out;
}

} // namespace

QString CheckedNumberFormat(const QString& format, bool real)
{
    if (!format.isEmpty() && IsOneConversion(format, real))
        return format;
    return real ? QStringLiteral("%g") : QStringLiteral("%d");
}

QString FormatIntegerValue(int value, const QString& format)
{
    return FormatString(CheckedNumberFormat(format, false), {value});
}

QString FormatDoubleValue(double value, const QString& format)
{
    return FormatString(CheckedNumberFormat(format, true), {value});
}

bool IsValidDateFormat(const QString& format)
{
    return !ApplyDateFormat(format, QDateTime(QDate(2000, 1, 1), QTime(0, 0))).isNull();
}

QString FormatDateValue(const QDateTime& value, const QString& format, bool withTime)
{
    if (!value.isValid())
        return {};
    if (!format.isEmpty()) {
        const QString text = ApplyDateFormat(format, value);
        if (!text.isNull())
            return text;
    }
    const QLocale locale;
    return withTime ? locale.toString(value, QLocale::ShortFormat)
                    : locale.toString(value.date(), QLocale::ShortFormat);
}

bool ParseIntegerText(const QString& text, int& value)
{
    bool ok = false;
    const int parsed = NumberLocale().toInt(text.trimmed(), &ok);
    if (ok)
        value = parsed;
    return ok;
}

bool ParseDoubleText(const QString& text, double& value)
{
    bool ok = false;
    const double parsed = NumberLocale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

QString OneLineText(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\u00B6"));
    result.replace(u'\n', u'\u00B6');
    result.replace(u'\r', u'\u00B6');
    return result;
}

QString CompactPath(const QString& path, const QFontMetrics& metrics, int width)
{
    const QString text = path.left(1023);
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString ellipsis = QStringLiteral("...");
    const qsizetype cut = std::max(text.lastIndexOf(u'/'), text.lastIndexOf(u'\\'));
    const QString tail = cut >= 0 ? ellipsis + text.mid(cut) : QString();
    if (cut < 0 || metrics.horizontalAdvance(tail) > width)
        return metrics.elidedText(text.mid(cut + 1), Qt::ElideRight, width);
    // The longest start of the folder that still fits before the tail.
    qsizetype keep = cut;
    while (keep > 0 && metrics.horizontalAdvance(text.left(keep) + tail) > width)
        --keep;
    return text.left(keep) + tail;
}

QString ColorValueText(unsigned colour)
{
    return QString::asprintf("%d; %d; %d", GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

QString FontValueText(const QString& face, int height, int dpiY)
{
    return QStringLiteral("%1; %2pt").arg(face).arg(MulDiv(-height, 72, dpiY));
}
