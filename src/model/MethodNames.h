#pragma once

#include <QList>
#include <QString>

// Names of the matching methods and of the source path kinds, from the string table, and the
// tests of a volume's reconciliation status.

namespace pelko_wave {

class CVolume;

// Question methods: 0 internal code, 1 shortcut, 2 short caption, 3 long caption, 4 manual,
// 5 user data. Empty for any other id.
QString GetQuestionMatchingMethodName(quint32 methodId);
// Response methods: 0 internal code, 1 entry code, 2 short caption, 3 order, 4 manual, 5 user
// data. Empty for any other id.
QString GetResponseMatchingMethodName(quint32 methodId);
// Path kinds: 0 absolute, 1 relative, 2 UNC, 3 unknown. Empty for any other kind.
QString GetSourcePathTypeName(int kind);
// The names of the list, in its order, joined by "; ".
QString GetQuestionMatchingMethodsText(const QList<quint32>& methodIds);
QString GetResponseMatchingMethodsText(const QList<quint32>& methodIds);

bool IsVolumeReconciled(const CVolume& volume);
bool IsVolumeReconciliationStarted(const CVolume& volume);
bool IsVolumeUnreconciled(const CVolume& volume);

} // namespace pelko_wave
