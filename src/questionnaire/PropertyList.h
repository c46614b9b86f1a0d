#pragma once

#include <QString>
#include <map>

namespace qnr {

// A set of named integer and text properties with a one-line text form, used to store a
// volume's source path record in the campaign file.
//
// Text form: "PL1|" then each property as name, ":", "i" (integer) or "s" (text), "=", the
// value, ";". In names and texts a backslash, ";", "|", "=", ":", line feed and carriage return
// are escaped ("\\", "\;", "\|", "\=", "\:", "\n", "\r"). Example:
//   PL1|SourceStorageType:i=0;SourceString:s=/data/wave1.zoz;
class CPropertyList
{
public:
    CPropertyList() = default;
    ~CPropertyList() = default;

    // Replaces the properties by those of a text form. A text that is not a property list
    // (a bare path, a damaged text) leaves the list empty and returns false.
    bool SetString(const QString& text);
    QString GetString() const;

    // Sets a property, replacing one of the same name whatever its kind.
    void SetProperty(const QString& name, int value);
    void SetProperty(const QString& name, long value);
    void SetProperty(const QString& name, const QString& value);
    // True when the property is present with that kind (integer or text); out is then set.
    bool GetProperty(const QString& name, long& value) const;
    bool GetProperty(const QString& name, QString& value) const;

    bool IsEmpty() const { return m_properties.empty(); }
    void RemoveAll() { m_properties.clear(); }

private:
    struct SProperty
    {
        bool isText = false;
        long number = 0;
        QString text;
    };
    std::map<QString, SProperty> m_properties;
};

} // namespace qnr
