#include "questionnaire/PropertyList.h"

namespace qnr {

namespace {

const QLatin1String kHeader("PL1|");
// Characters written after a backslash as they are; line ends are written "\n" and "\r".
const QLatin1String kEscapedAsThemselves("\\;|=:");

QString Escaped(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (kEscapedAsThemselves.contains(c)) {
            result += QLatin1Char('\\');
            result += c;
        } else if (c == QLatin1Char('\n')) {
            result += QLatin1String("\\n");
        } else if (c == QLatin1Char('\r')) {
            result += QLatin1String("\\r");
        } else {
            result += c;
        }
    }
    return result;
}

// Reads an escaped piece up to (not including) the stop character; false when the text ends
// first or holds an unknown escape.
bool ReadPiece(const QString& text, qsizetype& pos, QChar stop, QString& piece)
{
    piece.clear();
    while (pos < text.size()) {
        const QChar c = text.at(pos++);
        if (c == stop)
            return true;
        if (c != QLatin1Char('\\')) {
            piece += c;
            continue;
        }
        if (pos >= text.size())
            return false;
        const QChar escaped = text.at(pos++);
        if (kEscapedAsThemselves.contains(escaped))
            piece += escaped;
        else if (escaped == QLatin1Char('n'))
            piece += QLatin1Char('\n');
        else if (escaped == QLatin1Char('r'))
            piece += QLatin1Char('\r');
        else
            return false;
    }
    return false;
}

} // namespace

bool CPropertyList::SetString(const QString& text)
{
    m_properties.clear();
    if (!text.startsWith(kHeader))
        return false;
    std::map<QString, SProperty> properties;
    qsizetype pos = kHeader.size();
    QString name, kind, value;
    while (pos < text.size()) {
        if (!ReadPiece(text, pos, QLatin1Char(':'), name) || name.isEmpty() ||
            !ReadPiece(text, pos, QLatin1Char('='), kind) ||
            !ReadPiece(text, pos, QLatin1Char(';'), value))
            return false;
        SProperty property;
        if (kind == QLatin1String("s")) {
            property.isText = true;
            property.text = value;
        } else if (kind == QLatin1String("i")) {
            bool ok = false;
            property.number = value.toLong(&ok);
            if (!ok)
                return false;
        } else {
            return false;
        }
        properties[name] = property;
    }
    m_properties = std::move(properties);
    return true;
}

QString CPropertyList::GetString() const
{
    QString text = kHeader;
    for (const auto& [name, property] : m_properties) {
        text += Escaped(name);
        if (property.isText)
            text += QLatin1String(":s=") + Escaped(property.text);
        else
            text += QLatin1String(":i=") + QString::number(property.number);
        text += QLatin1Char(';');
    }
    return text;
}

void CPropertyList::SetProperty(const QString& name, int value)
{
    SetProperty(name, static_cast<long>(value));
}

void CPropertyList::SetProperty(const QString& name, long value)
{
    SProperty property;
    property.number = value;
    m_properties[name] = property;
}

void CPropertyList::SetProperty(const QString& name, const QString& value)
{
    SProperty property;
    property.isText = true;
    property.text = value;
    m_properties[name] = property;
}

bool CPropertyList::GetProperty(const QString& name, long& value) const
{
    const auto it = m_properties.find(name);
    if (it == m_properties.end() || it->second.isText)
        return false;
    value = it->second.number;
    return true;
}

bool CPropertyList::GetProperty(const QString& name, QString& value) const
{
    const auto it = m_properties.find(name);
    if (it == m_properties.end() || !it->second.isText)
        return false;
    value = it->second.text;
    return true;
}

} // namespace qnr
