#include "platform/FormatString.h"

#include <QByteArray>

#include <cctype>

QString FormatString(const QString& format, std::initializer_list<QVariant> args)
{
    QString result;
    result.reserve(format.size() + 16);
    AppendFormatted(result, format, args);
    return result;
}

void AppendFormatted(QString& result, const QString& format, std::initializer_list<QVariant> args)
{
    auto arg = args.begin();
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (format[i] != u'%') {
            // The text up to the next conversion, at once.
            qsizetype next = format.indexOf(u'%', i);
            if (next < 0)
                next = n;
            result += QStringView(format).mid(i, next - i);
            i = next - 1;
            continue;
        }
        if (i + 1 < n && format[i + 1] == u'%') {
            result += u'%';
            ++i;
            continue;
        }
        // Collect flags, width, precision and length modifiers up to the conversion letter.
        qsizetype j = i + 1;
        QByteArray conversion("%");
        while (j < n && QByteArrayView("-+ #0").contains(format[j].toLatin1()) &&
               format[j].unicode() < 128)
            conversion += format[j++].toLatin1();
        // A "*" width or precision takes its number from the next argument.
        const auto takeNumber = [&] {
            if (j < n && format[j] == u'*') {
                ++j;
                if (arg != args.end())
                    conversion += QByteArray::number((arg++)->toInt());
                return;
            }
            while (j < n && format[j].isDigit())
                conversion += format[j++].toLatin1();
        };
        takeNumber();
        if (j < n && format[j] == u'.') {
            conversion += '.';
            ++j;
            takeNumber();
        }
        while (j < n && QByteArrayView("hlLqjzt").contains(format[j].toLatin1()) &&
               format[j].unicode() < 128)
            ++j; // the value's own type decides the length
        if (j >= n) {
            result += format.mid(i);
            break;
        }
        const char conv = format[j].unicode() < 128 ? format[j].toLatin1() : 0;
        if (!QByteArrayView("sSdiuxXoceEfgG").contains(conv) || conv == 0 || arg == args.end()) {
            result += format.mid(i, j - i + 1);
            i = j;
            continue;
        }
        const QVariant& value = *arg++;
        // A plain "%s" or "%d", the most common, goes without the printf machinery.
        if (conversion.size() == 1 && (conv == 's' || conv == 'S')) {
            result += value.toString();
            i = j;
            continue;
        }
        if (conversion.size() == 1 && (conv == 'd' || conv == 'i')) {
            result += QString::number(value.toLongLong());
            i = j;
            continue;
        }
        switch (conv) {
        case 's':
        case 'S': {
            // Width pads and precision truncates by characters.
            QString text = value.toString();
            const QByteArray body = conversion.mid(1);
            const bool left = body.contains('-');
            const qsizetype dot = body.indexOf('.');
            QByteArray widthDigits = dot < 0 ? body : body.left(dot);
            while (!widthDigits.isEmpty() && !std::isdigit(uchar(widthDigits[0])))
                widthDigits.remove(0, 1);
            if (dot >= 0)
                text.truncate(body.mid(dot + 1).toInt());
            const int width = widthDigits.toInt();
            if (text.size() < width)
                text = left ? text.leftJustified(width) : text.rightJustified(width);
            result += text;
            break;
        }
        case 'c':
            result += QChar(value.toInt());
            break;
        case 'd':
        case 'i':
            conversion += "lld";
            result += QString::asprintf(conversion.constData(), value.toLongLong());
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            conversion += "ll";
            conversion += conv;
            result += QString::asprintf(conversion.constData(),
                                        static_cast<unsigned long long>(value.toLongLong()) &
                                            (value.typeId() == QMetaType::Int ||
                                                     value.typeId() == QMetaType::UInt
                                                 ? 0xFFFFFFFFull
                                                 : ~0ull));
            break;
        default:
            conversion += conv;
            result += QString::asprintf(conversion.constData(), value.toDouble());
            break;
        }
        i = j;
    }
}
