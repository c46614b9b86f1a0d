#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <set>
#include <vector>

// Value comparison and the texts of numbers, flags and id lists, always in the C locale.

namespace pelko_wave {

// Equal when both are 0, when their difference is exactly 0, or when they differ relatively by
// less than 0.0001.
bool DoublesEqual(double a, double b);
// Both set or both clear.
bool BoolsEqual(int a, int b);
// "%e".
QString DoubleToText(double value);
// "%d".
QString IntToText(int value);
QString FormatIntText(int value);
// The string table's "True" or "False".
QString BoolToText(int flag);
// Whether the text is the string table's "True", ignoring case.
bool TextToBool(const QString& text);
// Eight upper-case hexadecimal digits taken from a new GUID.
QString CreateGuidString();
// The ids joined by ";" ("4;0;2"; empty for none).
QString JoinIds(const QList<quint32>& ids);
// The texts joined by ";" in their order.
QString JoinSourceList(const QStringList& sources);
template <typename Key>
QString JoinSourceList(const QMap<Key, QString>& sources)
{
    return JoinSourceList(QStringList(sources.values()));
}
// Appends the ids of the set, in ascending order.
template <typename Id>
void CopyIdsToArray(const std::set<int>& ids, QList<Id>& array)
{
    for (const int id : ids)
        array.append(Id(id));
}
// Appends every element of the list, in order.
template <typename T>
void CopyPointersToVector(const QList<T>& array, std::vector<T>& vector)
{
    vector.insert(vector.end(), array.begin(), array.end());
}

} // namespace pelko_wave
