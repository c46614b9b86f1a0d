#include "app/XmlParser.h"

#include "app/XmlEntities.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// Where one attribute's value stands in an element's attribute text.
struct SAttributeSpan
{
    qsizetype ValueStart = 0;
    qsizetype ValueEnd = 0;
    bool Quoted = false;
};

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Finds the attribute whose whole name is name in an attribute text such as
// name="Question Diffs" tag="x". Names are read only outside quoted values, so neither the tail
// of a longer name nor a value that looks like an attribute is taken for it.
bool FindAttribute(const QString& text, const QString& name, SAttributeSpan& span)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && IsBlank(text.at(i)))
            ++i;
        const qsizetype nameStart = i;
        while (i < n && !IsBlank(text.at(i)) && text.at(i) != u'=')
            ++i;
        const QStringView found = QStringView(text).mid(nameStart, i - nameStart);
        while (i < n && IsBlank(text.at(i)))
            ++i;
        if (i >= n || text.at(i) != u'=') {
            // A word without a value: step over it (and over a stray character).
            if (i == nameStart)
                ++i;
            continue;
        }
        ++i;
        while (i < n && IsBlank(text.at(i)))
            ++i;
        SAttributeSpan current;
        if (i < n && (text.at(i) == u'"' || text.at(i) == u'\'')) {
            const QChar quote = text.at(i);
            current.Quoted = true;
            current.ValueStart = i + 1;
            const qsizetype close = text.indexOf(quote, current.ValueStart);
            current.ValueEnd = close < 0 ? n : close;
            i = close < 0 ? n : close + 1;
        } else {
            current.ValueStart = i;
            while (i < n && !IsBlank(text.at(i)))
                ++i;
            current.ValueEnd = i;
        }
        if (found == name) {
            span = current;
            return true;
        }
    }
    return false;
}

enum class ETagKind
{
    Skipped,
    Opening,
    Closing,
    SelfClosing
};

// Classifies a tag buffer (brackets included) and copies its text without the brackets and
// without the "/" of a closing or self-closing tag.
ETagKind ParseTag(const QString& buffer, QString& tagText)
{
    tagText.clear();
    if (buffer.isEmpty())
        return ETagKind::Skipped;
    ETagKind kind = ETagKind::Opening;
    QChar previous;
    for (const QChar c : buffer) {
        if (previous == u'<' && (c == u'!' || c == u'?'))
            return ETagKind::Skipped;
        if (previous == u'<' && c == u'/') {
            kind = ETagKind::Closing;
            previous = c;
            continue;
        }
        if (previous == u'/' && c == u'>') {
            kind = ETagKind::SelfClosing;
            tagText.chop(1);
        }
        if (c != u'<' && c != u'>')
            tagText += c;
        previous = c;
    }
    return kind;
}

QString DecodeFileBytes(const QByteArray& bytes, int mode)
{
    qsizetype start = 0;
    const bool hasMark = bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE;
    if (hasMark)
        start = 2;

    if (mode == CXmlParser::XmlFileUtf16 || (mode != CXmlParser::XmlFile8Bit && hasMark)) {
        // UTF-16 little-endian up to the first zero code unit; an odd last byte is dropped.
        const qsizetype units = (bytes.size() - start) / 2;
        QString text;
        text.reserve(units);
        const uchar* data = reinterpret_cast<const uchar*>(bytes.constData()) + start;
        for (qsizetype i = 0; i < units; ++i) {
            const char16_t unit = qFromLittleEndian<char16_t>(data + 2 * i);
            if (unit == 0)
                break;
            text += QChar(unit);
        }
        return text;
    }

    // 8-bit text is UTF-8, read up to the first zero byte; a UTF-8 mark is skipped.
    if (!hasMark && bytes.startsWith("\xEF\xBB\xBF"))
        start = 3;
    qsizetype end = bytes.indexOf('\0', start);
    if (end < 0)
        end = bytes.size();
    return QString::fromUtf8(bytes.constData() + start, end - start);
}

QByteArray EncodeFileBytes(const QString& text, bool utf16)
{
    if (!utf16)
        return text.toUtf8();
    QByteArray bytes(2 + 2 * text.size(), Qt::Uninitialized);
    bytes[0] = char(0xFF);
    bytes[1] = char(0xFE);
    uchar* data = reinterpret_cast<uchar*>(bytes.data()) + 2;
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<char16_t>(text.at(i).unicode(), data + 2 * i);
    return bytes;
}

} // namespace

CXmlParser::CXmlParser() : m_current(&m_root) {}

CXmlParser::~CXmlParser() = default;

CXmlElement* CXmlParser::AddChildElement(CXmlElement* parent, const QString& name,
                                         const QString& attributes, const QString& value)
{
    auto child = std::make_unique<CXmlElement>();
    child->m_name = name.trimmed();
    child->m_attributes = attributes;
    child->m_value = EncodeXmlValue(value);
    child->m_parent = parent;
    parent->m_children.push_back(std::move(child));
    return parent->m_children.back().get();
}

void CXmlParser::SetAttribute(CXmlElement* element, const QString& name, const QString& value)
{
    const QString encoded = EncodeXmlAttributeValue(value);
    QString& text = element->m_attributes;
    SAttributeSpan span;
    if (!FindAttribute(text, name, span)) {
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += name + QStringLiteral("=\"") + encoded + QLatin1Char('"');
        return;
    }
    if (span.Quoted)
        text.replace(span.ValueStart, span.ValueEnd - span.ValueStart, encoded);
    else
        text.replace(span.ValueStart, span.ValueEnd - span.ValueStart,
                     QLatin1Char('"') + encoded + QLatin1Char('"'));
}

QString CXmlParser::GetAttribute(const CXmlElement* element, const QString& name) const
{
    SAttributeSpan span;
    if (!FindAttribute(element->m_attributes, name, span))
        return QString();
    return DecodeXmlText(
        element->m_attributes.mid(span.ValueStart, span.ValueEnd - span.ValueStart));
}

CXmlElement* CXmlParser::GetFirstChildElement(CXmlElement* element)
{
    element->m_cursor = element->m_children.empty() ? -1 : 0;
    return element->GetChildAt(element->m_cursor);
}

CXmlElement* CXmlParser::FindChildElement(CXmlElement* element, const QString& name)
{
    element->m_searchName = name;
    element->m_cursor = -1;
    for (int i = 0; i < element->GetChildCount(); ++i) {
        if (element->m_children[size_t(i)]->m_name.compare(name, Qt::CaseInsensitive) == 0) {
            element->m_cursor = i;
            break;
        }
    }
    return element->GetChildAt(element->m_cursor);
}

CXmlElement* CXmlParser::GetNextChildElement(CXmlElement* element)
{
    if (element->m_cursor < 0)
        return nullptr;
    ++element->m_cursor;
    if (element->m_cursor >= element->GetChildCount()) {
        element->m_cursor = -1;
        return nullptr;
    }
    return element->GetChildAt(element->m_cursor);
}

void CXmlParser::FormatElement(const CXmlElement& element, QString& out)
{
    if (element.m_name.isEmpty())
        return;
    ++m_depth;
    const QString indent(m_depth, QLatin1Char('\t'));
    out += indent;
    out += QLatin1Char('<');
    out += element.m_name;
    if (!element.m_attributes.isEmpty()) {
        out += QLatin1Char(' ');
        out += element.m_attributes;
    }
    if (element.m_children.empty() && element.m_value.isEmpty()) {
        out += QStringLiteral("/>");
        out += kLineEnd;
    } else {
        out += QLatin1Char('>');
        if (!element.m_value.isEmpty())
            out += element.m_value;
        else
            out += kLineEnd;
        for (const auto& child : element.m_children)
            FormatElement(*child, out);
        if (element.m_value.isEmpty())
            out += indent;
        out += QStringLiteral("</");
        out += element.m_name;
        out += QLatin1Char('>');
        out += kLineEnd;
    }
    --m_depth;
}

QString CXmlParser::GetXmlText(bool unicode)
{
    QString out =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-%1\"?>").arg(unicode ? 16 : 8);
    out += kLineEnd;
    m_depth = -1;
    FormatElement(m_root, out);
    return out;
}

bool CXmlParser::SaveToFile(const QString& path, int mode)
{
    const bool utf16 = mode != XmlFile8Bit;
    const QByteArray bytes = EncodeFileBytes(GetXmlText(utf16), utf16);
    // The new text replaces the file only once it is written whole, so a full disk or a
    // failing write leaves the previous file as it was.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool CXmlParser::LoadFromFile(const QString& path, int mode)
{
    // Only regular files: a folder fails, and a pipe or device could block or never end.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size <= 0 || size > kMaxFileSize)
        return false;
    const QByteArray bytes = file.read(size);
    if (bytes.size() != size)
        return false;
    const QString text = DecodeFileBytes(bytes, mode);
    if (text.isEmpty())
        return false;
    return ParseText(text);
}

void CXmlParser::Clear()
{
    m_root.m_children.clear();
    m_root.m_name.clear();
    m_root.m_attributes.clear();
    m_root.m_value.clear();
    m_root.m_searchName.clear();
    m_root.m_cursor = -1;
    m_root.m_parent = nullptr;
    m_current = &m_root;
}

bool CXmlParser::ParseText(const QString& text)
{
    Clear();
    m_text = text;
    for (QChar& c : m_text) {
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    }

    QString content;
    QString tag;
    QString tagText;
    bool inTag = false;
    int depth = 0;
    int elements = 0;
    for (const QChar c : std::as_const(m_text)) {
        if (c == u'<') {
            tag += c;
            m_current->m_value = content.trimmed();
            content.clear();
            inTag = true;
            continue;
        }
        if (c != u'>') {
            (inTag ? tag : content) += c;
            continue;
        }

        tag += c;
        const ETagKind kind = ParseTag(tag, tagText);
        tag.clear();
        // After a declaration or comment the text up to the next "<" joins the next tag.
        if (kind == ETagKind::Skipped)
            continue;

        if (kind == ETagKind::Opening || kind == ETagKind::SelfClosing) {
            const QString trimmed = tagText.trimmed();
            const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
            const QString name = blank < 0 ? trimmed : trimmed.left(blank);
            const QString attributes = blank < 0 ? QString() : trimmed.mid(blank + 1).trimmed();
            if (m_root.m_name.isEmpty()) {
                m_root.m_name = name;
                m_root.m_attributes = attributes;
            } else {
                if (++depth > kMaxDepth || ++elements > kMaxElements) {
                    Clear();
                    return false;
                }
                auto child = std::make_unique<CXmlElement>();
                child->m_name = name;
                child->m_attributes = attributes;
                child->m_parent = m_current;
                m_current->m_children.push_back(std::move(child));
                m_current = m_current->m_children.back().get();
            }
        }
        if ((kind == ETagKind::Closing || kind == ETagKind::SelfClosing) && m_current->m_parent) {
            m_current = m_current->m_parent;
            --depth;
        }
        inTag = false;
    }
    return true;
}
