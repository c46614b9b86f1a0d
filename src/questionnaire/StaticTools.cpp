#include "questionnaire/StaticTools.h"

#include <QList>
#include <QStringView>

namespace qnr {

int CStaticTools::LireChaineSeparateurDWORD(const QString& text, QChar separator,
                                            std::vector<quint32>& numbers)
{
    int count = 0;
    for (QStringView piece : QStringView(text).split(separator)) {
        piece = piece.trimmed();
        if (piece.isEmpty())
            continue;
        bool ok = false;
        const qulonglong value = piece.toULongLong(&ok, 10);
        if (!ok || value > 0xFFFFFFFFull || piece.startsWith(QLatin1Char('+')))
            continue;
        numbers.push_back(static_cast<quint32>(value));
        ++count;
    }
    return count;
}

} // namespace qnr
