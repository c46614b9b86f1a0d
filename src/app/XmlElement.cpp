#include "app/XmlElement.h"

#include "app/XmlEntities.h"

CXmlElement::~CXmlElement() = default;

QString CXmlElement::GetValue() const
{
    return DecodeXmlText(m_value);
}

CXmlElement* CXmlElement::GetChildAt(int index) const
{
    if (index < 0 || index >= GetChildCount())
        return nullptr;
    return m_children[static_cast<size_t>(index)].get();
}
