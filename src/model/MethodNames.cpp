#include "model/MethodNames.h"

#include "model/Volume.h"
#include "res/StringTable.h"

#include <QStringList>
#include <iterator>

namespace pelko_wave {

namespace {

constexpr unsigned kQuestionMethodNames[] = {63069, 63070, 63068, 63219, 63071, 63294};
constexpr unsigned kResponseMethodNames[] = {63073, 63074, 63072, 63079, 63075, 63292};
constexpr unsigned kPathKindNames[] = {63304, 63305, 63306, 63307};

template <size_t N> QString NameOf(const unsigned (&table)[N], long long index)
{
    return index >= 0 && index < static_cast<long long>(N) ? LoadString(table[index]) : QString();
}

QString JoinNames(const QList<quint32>& ids, QString (*nameOf)(quint32))
{
    QStringList names;
    for (const quint32 id : ids)
        names.append(nameOf(id));
    return names.join(QLatin1String("; "));
}

} // namespace

QString GetQuestionMatchingMethodName(quint32 methodId)
{
    return NameOf(kQuestionMethodNames, methodId);
}

QString GetResponseMatchingMethodName(quint32 methodId)
{
    return NameOf(kResponseMethodNames, methodId);
}

QString GetSourcePathTypeName(int kind)
{
    return NameOf(kPathKindNames, kind);
}

QString GetQuestionMatchingMethodsText(const QList<quint32>& methodIds)
{
    return JoinNames(methodIds, GetQuestionMatchingMethodName);
}

QString GetResponseMatchingMethodsText(const QList<quint32>& methodIds)
{
    return JoinNames(methodIds, GetResponseMatchingMethodName);
}

bool IsVolumeReconciled(const CVolume& volume)
{
    return volume.GetStatus() == VOLUME_RECONCILED;
}

bool IsVolumeReconciliationStarted(const CVolume& volume)
{
    return volume.GetStatus() != VOLUME_UNRECONCILED;
}

bool IsVolumeUnreconciled(const CVolume& volume)
{
    return volume.GetStatus() == VOLUME_UNRECONCILED;
}

} // namespace pelko_wave
