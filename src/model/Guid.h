#pragma once

#include <QString>
#include <cstdint>

// A globally unique identifier in its plain 16-byte form: one 32-bit, two 16-bit and eight
// 8-bit fields. Caption-library nodes embed it; history entries are grouped by it.
struct GUID
{
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};

    bool operator==(const GUID&) const = default;
};
static_assert(sizeof(GUID) == 16);

// A new random GUID; true when one was made.
bool CreateGuid(GUID& guid);
// Reads the plain 36-character form (groups of 8, 4, 4, 4 and 12 hexadecimal digits joined by
// '-', no braces). A text shorter than 36 characters, or not in that form, fails and leaves the
// output untouched.
bool ParseGuid(const QString& text, GUID& guid);
// The braced 38-character form with upper-case digits, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
bool GuidToText(const GUID& guid, QString& text);

// One GUID held by value.
class CGuid
{
public:
    explicit CGuid(const GUID& data) : m_data(data) {}
    virtual ~CGuid() = default;

    const GUID& GetData() const { return m_data; }
    // Equality of all 16 bytes.
    bool IsEqual(const GUID& other) const;

private:
    GUID m_data;
};
