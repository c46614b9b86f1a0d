#include "questionnaire/StableCode.h"

#include <QByteArray>

#include <vector>

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

int CStableCodes::Take(int wished)
{
    int code = wished;
    std::vector<int> walked;
    for (auto it = m_next.constFind(code); it != m_next.constEnd(); it = m_next.constFind(code)) {
        walked.push_back(code);
        code = it.value();
    }
    // Every code walked now points at the one given, and that one at the code after it.
    for (const int taken : walked)
        m_next[taken] = code;
    m_next.insert(code, After(code));
    return code;
}

} // namespace qnr
