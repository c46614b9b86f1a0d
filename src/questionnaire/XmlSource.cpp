#include "questionnaire/XmlSource.h"

#include <QIODevice>

#include <cmath>
#include <limits>

namespace qnr {

CXmlSource::CXmlSource(QIODevice& device, const QString& name) : m_xml(&device), m_name(name)
{
    // Internal entities may not grow the text past this many characters; external ones are
    // never fetched by the stream reader.
    m_xml.setEntityExpansionLimit(1024);
}

QXmlStreamReader::TokenType CXmlSource::Next()
{
    const QXmlStreamReader::TokenType token = m_xml.readNext();
    if (token == QXmlStreamReader::StartElement) {
        if (++m_depth > kMaxDepth)
            Fail(QStringLiteral("the elements are nested more than %1 deep").arg(kMaxDepth));
    } else if (token == QXmlStreamReader::EndElement) {
        --m_depth;
    } else if (token == QXmlStreamReader::Characters) {
        if (m_xml.text().size() > kMaxTextLength)
            Fail(QStringLiteral("a text is longer than %1 characters").arg(kMaxTextLength));
    }
    return token;
}

bool CXmlSource::NextStartElement(int depth)
{
    while (!HasError() && !m_xml.atEnd()) {
        const QXmlStreamReader::TokenType token = Next();
        if (HasError())
            return false;
        if (token == QXmlStreamReader::StartElement)
            return true;
        if (token == QXmlStreamReader::EndElement && depth >= 0 && m_depth < depth)
            return false;
    }
    return false;
}

QString CXmlSource::ReadText()
{
    QString text;
    const int depth = m_depth;
    while (!HasError() && !m_xml.atEnd()) {
        const QXmlStreamReader::TokenType token = Next();
        if (token == QXmlStreamReader::Characters || token == QXmlStreamReader::EntityReference) {
            text += m_xml.text();
            if (text.size() > kMaxTextLength) {
                Fail(QStringLiteral("a text is longer than %1 characters").arg(kMaxTextLength));
                break;
            }
        } else if (token == QXmlStreamReader::StartElement) {
            if (m_xml.name() == QLatin1String("br"))
                text += QLatin1Char('\n');
        } else if (token == QXmlStreamReader::EndElement && m_depth < depth) {
            break;
        }
    }
    return text;
}

void CXmlSource::SkipElement()
{
    const int depth = m_depth;
    while (!HasError() && !m_xml.atEnd()) {
        if (Next() == QXmlStreamReader::EndElement && m_depth < depth)
            return;
    }
}

void CXmlSource::ReadToEnd()
{
    while (!HasError() && !m_xml.atEnd())
        Next();
}

bool CXmlSource::IsElement(const char* name) const
{
    return m_xml.name() == QLatin1String(name);
}

QString CXmlSource::Attribute(const char* name) const
{
    return m_xml.attributes().value(QLatin1String(name)).toString();
}

bool CXmlSource::HasAttribute(const char* name) const
{
    return m_xml.attributes().hasAttribute(QLatin1String(name));
}

void CXmlSource::Fail(const QString& message)
{
    if (!m_failure.isEmpty())
        return;
    m_failure = message;
    m_failureLine = m_xml.lineNumber();
    m_failureColumn = m_xml.columnNumber();
    m_xml.raiseError(message);
}

bool CXmlSource::HasError() const
{
    return !m_failure.isEmpty() || m_xml.hasError();
}

QString CXmlSource::ErrorText() const
{
    const bool ours = !m_failure.isEmpty();
    QString message = ours ? m_failure : m_xml.errorString();
    if (!ours && m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
        message = QStringLiteral("the document ends too early (truncated file?)");
    return QStringLiteral("%1, line %2, column %3: %4")
        .arg(m_name)
        .arg(ours ? m_failureLine : m_xml.lineNumber())
        .arg(ours ? m_failureColumn : m_xml.columnNumber())
        .arg(message);
}

bool CXmlSource::Succeeded(QString& error) const
{
    if (!HasError())
        return true;
    error = ErrorText();
    return false;
}

bool ParseInt(const QString& text, int& value)
{
    bool ok = false;
    const int result = QStringView(text).trimmed().toInt(&ok, 10);
    if (ok)
        value = result;
    return ok;
}

bool ParseDouble(const QString& text, double& value)
{
    bool ok = false;
    const double result = QStringView(text).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(result))
        return false;
    value = result;
    return true;
}

int ClampToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (value >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

int DecimalsOf(const QString& number)
{
    const QString text = number.trimmed();
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    return dot < 0 ? 0 : static_cast<int>(text.size() - dot - 1);
}

QString FirstNonEmpty(std::initializer_list<QString> texts)
{
    for (const QString& text : texts) {
        if (!text.isEmpty())
            return text;
    }
    return QString();
}

} // namespace qnr
