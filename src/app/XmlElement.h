#pragma once

#include <QString>
#include <memory>
#include <vector>

// One element of the program's XML files: its name, its attributes as they stand in the tag
// (one text, searched by name), its text content kept as written in the file (encoded), and its
// children in document order, which it owns. Elements are made and read through CXmlParser.
class CXmlElement
{
public:
    CXmlElement() = default;
    virtual ~CXmlElement();
    CXmlElement(const CXmlElement&) = delete;
    CXmlElement& operator=(const CXmlElement&) = delete;

    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name.trimmed(); }
    const QString& GetAttributeText() const { return m_attributes; }
    // The text content as callers read it (decoded).
    QString GetValue() const;
    // The text content as it stands in the file.
    const QString& GetEncodedValue() const { return m_value; }
    // The name given to the last FindChildElement on this element.
    const QString& GetSearchName() const { return m_searchName; }

    CXmlElement* GetParent() const { return m_parent; }
    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    // The child at index, or null when index is out of range.
    CXmlElement* GetChildAt(int index) const;

private:
    friend class CXmlParser;

    QString m_name;
    QString m_attributes;
    QString m_value;
    QString m_searchName;
    std::vector<std::unique_ptr<CXmlElement>> m_children;
    int m_cursor = -1; // index of the child reached by the first/find/next iteration
    CXmlElement* m_parent = nullptr;
};
