#include "model/Guid.h"

#include <QUuid>

#include <cstring>

namespace {

QUuid ToUuid(const GUID& guid)
{
    return QUuid(guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2],
                 guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
}

GUID FromUuid(const QUuid& uuid)
{
    GUID guid;
    guid.Data1 = uuid.data1;
    guid.Data2 = uuid.data2;
    guid.Data3 = uuid.data3;
    std::memcpy(guid.Data4, uuid.data4, sizeof guid.Data4);
    return guid;
}

// Exactly the plain form: hexadecimal digits with '-' after the 8th, 12th, 16th and 20th.
bool IsPlainGuidText(const QString& text)
{
    if (text.size() != 36)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != u'-')
                return false;
        } else if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') ||
                     (c >= u'A' && c <= u'F'))) {
            return false;
        }
    }
    return true;
}

} // namespace

bool CreateGuid(GUID& guid)
{
    const QUuid uuid = QUuid::createUuid();
    if (uuid.isNull())
        return false;
    guid = FromUuid(uuid);
    return true;
}

bool ParseGuid(const QString& text, GUID& guid)
{
    if (text.size() < 36 || !IsPlainGuidText(text))
        return false;
    guid = FromUuid(QUuid::fromString(text));
    return true;
}

bool GuidToText(const GUID& guid, QString& text)
{
    text = ToUuid(guid).toString(QUuid::WithBraces).toUpper();
    return true;
}

bool CGuid::IsEqual(const GUID& other) const
{
    return m_data == other;
}
