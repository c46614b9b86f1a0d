#include "controls/Archive.h"

#include <QStringDecoder>

void CArchive::WriteUInt16(std::uint16_t value)
{
    m_bytes.append(char(value & 0xFF));
    m_bytes.append(char(value >> 8));
}

void CArchive::WriteUInt32(std::uint32_t value)
{
    WriteUInt16(std::uint16_t(value & 0xFFFF));
    WriteUInt16(std::uint16_t(value >> 16));
}

void CArchive::WriteString(const QString& text)
{
    m_bytes.append(char(0xFF));
    WriteUInt16(0xFFFE);
    const auto length = std::uint32_t(text.size());
    if (length < 0xFF) {
        m_bytes.append(char(length));
    } else if (length < 0xFFFE) {
        m_bytes.append(char(0xFF));
        WriteUInt16(std::uint16_t(length));
    } else {
        m_bytes.append(char(0xFF));
        WriteUInt16(0xFFFF);
        WriteUInt32(length);
    }
    for (const QChar c : text)
        WriteUInt16(c.unicode());
}

bool CArchive::ReadUInt8(std::uint8_t& value)
{
    if (m_pos + 1 > m_bytes.size())
        return false;
    value = std::uint8_t(m_bytes[m_pos++]);
    return true;
}

bool CArchive::ReadUInt16(std::uint16_t& value)
{
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    if (!ReadUInt8(low) || !ReadUInt8(high))
        return false;
    value = std::uint16_t(low | (high << 8));
    return true;
}

bool CArchive::ReadUInt32(std::uint32_t& value)
{
    std::uint16_t low = 0;
    std::uint16_t high = 0;
    if (!ReadUInt16(low) || !ReadUInt16(high))
        return false;
    value = std::uint32_t(low) | (std::uint32_t(high) << 16);
    return true;
}

bool CArchive::ReadString(QString& text)
{
    bool wide = false;
    std::uint32_t length = 0;
    for (;;) {
        std::uint8_t small = 0;
        if (!ReadUInt8(small))
            return false;
        if (small < 0xFF) {
            length = small;
            break;
        }
        std::uint16_t medium = 0;
        if (!ReadUInt16(medium))
            return false;
        if (medium == 0xFFFE && !wide) {
            wide = true; // the length follows
            continue;
        }
        if (medium == 0xFFFF) {
            if (!ReadUInt32(length))
                return false;
        } else {
            length = medium;
        }
        break;
    }
    const qsizetype bytes = qsizetype(length) * (wide ? 2 : 1);
    if (length > std::uint32_t(m_bytes.size()) || m_pos + bytes > m_bytes.size())
        return false;
    const QByteArray raw = m_bytes.mid(m_pos, bytes);
    m_pos += bytes;
    if (wide) {
        text.resize(length);
        for (std::uint32_t i = 0; i < length; ++i)
            text[i] = QChar(
                std::uint16_t(std::uint8_t(raw[2 * i]) | (std::uint8_t(raw[2 * i + 1]) << 8)));
    } else {
        QStringDecoder decoder("windows-1252");
        text = decoder.isValid() ? decoder.decode(raw) : QString::fromLatin1(raw);
    }
    return true;
}
