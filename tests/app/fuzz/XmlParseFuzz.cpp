// libFuzzer target of the XML reader: any input, read as UTF-8 and as UTF-16 text, must give a
// tree (or fail on the size limits) without crashing, hanging or growing without bound, and the
// tree must write out and read back the same way.
#include "app/XmlParser.h"

#include <QString>
#include <cstddef>
#include <cstdint>

namespace {

void Exercise(const QString& text)
{
    CXmlParser parser;
    if (!parser.ParseText(text))
        return;
    CXmlElement* root = parser.GetRootElement();
    for (CXmlElement* child = parser.GetFirstChildElement(root); child;
         child = parser.GetNextChildElement(root)) {
        (void)parser.GetAttribute(child, QStringLiteral("name"));
        (void)parser.GetAttribute(child, QStringLiteral("ID"));
        (void)child->GetValue();
        parser.SetAttribute(child, QStringLiteral("state"), QStringLiteral("a\"<&>"));
    }
    (void)parser.FindChildElement(root, QStringLiteral("groups"));
    CXmlParser again;
    again.ParseText(parser.GetXmlText(true));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Exercise(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    Exercise(QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2)));
    return 0;
}
