#include "questionnaire/StableCode.h"

#include <QByteArray>

namespace qnr {

int StableCodeFromText(const QString& text)
{
    const QByteArray bytes = text.toLower().toUtf8();
    quint32 hash = 2166136261u;
    for (const char c : bytes) {
        hash ^= static_cast<quint8>(c);
        hash *= 16777619u;
    }
    const int code = static_cast<int>(hash & 0x3FFFFFFFu);
    return code < 2 ? code + 2 : code;
}

} // namespace qnr
