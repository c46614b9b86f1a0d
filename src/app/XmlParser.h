#pragma once

#include "app/XmlElement.h"

#include <QString>

// The small XML document model of the program's own files (the difference-options files and
// the caption-library file). It knows elements, one attribute text per element and text values;
// it skips declarations, comments and processing instructions and keeps no namespaces.
// Whatever it writes, it reads back.
//
// Files are written as UTF-16 little-endian with a byte-order mark, CR LF line ends and one TAB
// per nesting level, under the header <?xml version="1.0" encoding="UTF-16"?>.
class CXmlParser
{
public:
    // File forms of SaveToFile and LoadFromFile.
    enum EFileMode
    {
        XmlFileByMark = 0, // loading: the byte-order mark decides (saving: UTF-16)
        XmlFile8Bit = 1,   // UTF-8 without byte-order mark
        XmlFileUtf16 = 2,  // UTF-16 little-endian with byte-order mark
    };

    // Limits that keep a damaged or hostile file from exhausting memory or the stack: a file
    // or text beyond them fails to load.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;
    static constexpr int kMaxDepth = 256;
    static constexpr int kMaxElements = 1000000;

    CXmlParser();
    virtual ~CXmlParser();
    CXmlParser(const CXmlParser&) = delete;
    CXmlParser& operator=(const CXmlParser&) = delete;

    // The root element; a writer names it ("xml" in the program's files) and adds children.
    CXmlElement* GetRootElement() { return &m_root; }

    // Appends a new last child to parent and returns it (owned by parent). The name is trimmed;
    // the attribute text is stored as given; the value is stored encoded.
    CXmlElement* AddChildElement(CXmlElement* parent, const QString& name,
                                 const QString& attributes = QString(),
                                 const QString& value = QString());

    // Sets the attribute of that name (the whole name, case-sensitive), replacing its value
    // when it exists and appending it otherwise. The value is encoded.
    void SetAttribute(CXmlElement* element, const QString& name, const QString& value);
    // The decoded value of the attribute of that name, or an empty text when there is none.
    QString GetAttribute(const CXmlElement* element, const QString& name) const;

    // Child iteration through the element's cursor. FindChildElement compares names ignoring
    // case; GetNextChildElement goes on with the following sibling whatever its name.
    CXmlElement* GetFirstChildElement(CXmlElement* element);
    CXmlElement* FindChildElement(CXmlElement* element, const QString& name);
    CXmlElement* GetNextChildElement(CXmlElement* element);

    // The whole document: the header naming UTF-16 (unicode) or UTF-8, CR LF, then the root.
    QString GetXmlText(bool unicode);

    // Writes the document; XmlFile8Bit writes UTF-8, any other mode UTF-16 with its mark.
    bool SaveToFile(const QString& path, int mode);
    // Reads a document. Fails when the file is missing, unreadable, empty, too large or gives
    // no text, and then leaves the tree as it was.
    bool LoadFromFile(const QString& path, int mode);

    // Builds the tree from text. Malformed text gives the tree the reading rules make of it;
    // only a text beyond the nesting or element limits fails, leaving an empty document.
    bool ParseText(const QString& text);
    // Empties the document.
    void Clear();

    // The last text parsed, with line breaks and tabs turned into blanks.
    const QString& GetDocumentText() const { return m_text; }

private:
    void FormatElement(const CXmlElement& element, QString& out);

    int m_depth = -1;
    QString m_text;
    CXmlElement m_root;
    CXmlElement* m_current = nullptr;
};
