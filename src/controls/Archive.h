#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// A byte archive in the framework's record layout: little-endian numbers and length-prefixed
// strings. A storing archive appends to its bytes; a loading one reads them and reports a
// truncated or malformed record by failing (the values read before stay read).
class CArchive
{
public:
    // A storing archive.
    CArchive() = default;
    // A loading archive over the bytes.
    explicit CArchive(const QByteArray& bytes) : m_bytes(bytes), m_loading(true) {}

    bool IsStoring() const { return !m_loading; }
    bool IsLoading() const { return m_loading; }
    const QByteArray& GetBytes() const { return m_bytes; }

    void WriteUInt16(std::uint16_t value);
    void WriteUInt32(std::uint32_t value);
    // The byte 0xFF, the marker 0xFFFE (UTF-16 text), the length (one byte below 255, else 0xFF
    // and 16 bits below 0xFFFE, else 0xFF, 0xFFFF and 32 bits), then the UTF-16 characters.
    void WriteString(const QString& text);

    bool ReadUInt8(std::uint8_t& value);
    bool ReadUInt16(std::uint16_t& value);
    bool ReadUInt32(std::uint32_t& value);
    // Reads a string written as above; one without the UTF-16 marker holds 8-bit characters of
    // the Windows Latin-1 code page.
    bool ReadString(QString& text);

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
    bool m_loading = false;
};
