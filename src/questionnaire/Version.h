#pragma once

#include <QString>

namespace qnr {

// A version of a questionnaire (questions and responses list the versions they belong to).
class CVersion
{
public:
    CVersion() = default;
    CVersion(int id, const QString& longCaption, const QString& shortCaption)
        : m_id(id), m_longCaption(longCaption), m_shortCaption(shortCaption)
    {
    }

    int GetId() const { return m_id; }
    const QString& GetLongCaption() const { return m_longCaption; }
    const QString& GetShortCaption() const { return m_shortCaption; }

private:
    int m_id = 0;
    QString m_longCaption;
    QString m_shortCaption;
};

} // namespace qnr
