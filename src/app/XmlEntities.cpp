#include "app/XmlEntities.h"

namespace {

void AppendCharacterReference(QString& out, char32_t code)
{
    out += QStringLiteral("&#");
    out += QString::number(static_cast<uint>(code));
    out += QLatin1Char(';');
}

// Escapes every character of text that the reader would not give back as it stands. Leading
// and trailing white space is written as references only where the reader trims it.
QString Encode(const QString& text, bool escapeQuotes, bool protectEnds)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    if (protectEnds) {
        while (first < last && text.at(first).isSpace())
            ++first;
        while (last > first && text.at(last - 1).isSpace())
            --last;
    }

    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (i < first || i >= last)
            AppendCharacterReference(out, u);
        else if (u == u'&')
            out += QStringLiteral("&amp;");
        else if (u == u'<')
            out += QStringLiteral("&lt;");
        else if (u == u'>')
            out += QStringLiteral("&gt;");
        else if (u == u'"' && escapeQuotes)
            out += QStringLiteral("&quot;");
        else if (u < 0x20)
            AppendCharacterReference(out, u);
        else
            out += c;
    }
    return out;
}

constexpr char32_t kNoCodePoint = 0xFFFFFFFF;

// Reads the digits of a character reference ("65" or "x41"); kNoCodePoint when they are not
// plain digits of a Unicode scalar value.
char32_t ParseCodePoint(QStringView digits)
{
    int base = 10;
    if (!digits.isEmpty() && (digits.at(0) == u'x' || digits.at(0) == u'X')) {
        base = 16;
        digits = digits.mid(1);
    }
    if (digits.isEmpty())
        return kNoCodePoint;
    char32_t code = 0;
    for (const QChar c : digits) {
        const char16_t u = c.unicode();
        int value = -1;
        if (u >= u'0' && u <= u'9')
            value = u - u'0';
        else if (base == 16 && u >= u'a' && u <= u'f')
            value = 10 + (u - u'a');
        else if (base == 16 && u >= u'A' && u <= u'F')
            value = 10 + (u - u'A');
        if (value < 0)
            return kNoCodePoint;
        code = code * base + char32_t(value);
        if (code > 0x10FFFF)
            return kNoCodePoint;
    }
    if (code >= 0xD800 && code <= 0xDFFF)
        return kNoCodePoint;
    return code;
}

// Reads the reference that starts at text[pos] == '&'. On success appends the character and
// returns the length of the reference; returns 0 when it is no reference we know.
qsizetype DecodeReference(const QString& text, qsizetype pos, QString& out)
{
    // The longest reference we read is "&#x10FFFF;" or "&#1114111;" (10 characters); leading
    // zeros beyond that are not accepted.
    constexpr qsizetype kMaxLength = 12;
    // Only a few characters are looked at, so a text full of "&" is still read in one pass.
    qsizetype end = pos + 1;
    while (end < text.size() && end - pos <= kMaxLength && text.at(end) != u';')
        ++end;
    if (end >= text.size() || text.at(end) != u';')
        return 0;
    const QStringView name = QStringView(text).mid(pos + 1, end - pos - 1);
    const qsizetype length = end - pos + 1;

    if (name == u"amp")
        out += QLatin1Char('&');
    else if (name == u"lt")
        out += QLatin1Char('<');
    else if (name == u"gt")
        out += QLatin1Char('>');
    else if (name == u"quot")
        out += QLatin1Char('"');
    else if (name == u"apos")
        out += QLatin1Char('\'');
    else if (name.size() >= 2 && name.at(0) == u'#') {
        const char32_t code = ParseCodePoint(name.mid(1));
        if (code == kNoCodePoint)
            return 0;
        out += QString::fromUcs4(&code, 1);
    } else {
        return 0;
    }
    return length;
}

} // namespace

QString EncodeXmlValue(const QString& text)
{
    return Encode(text, false, true);
}

QString EncodeXmlAttributeValue(const QString& text)
{
    return Encode(text, true, false);
}

QString DecodeXmlText(const QString& text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&') {
            const qsizetype used = DecodeReference(text, i, out);
            if (used > 0) {
                i += used - 1;
                continue;
            }
        }
        out += text.at(i);
    }
    return out;
}
