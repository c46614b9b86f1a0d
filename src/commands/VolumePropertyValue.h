#pragma once

#include "model/ModelIds.h"

#include <QList>
#include <QString>
#include <variant>

// The value of one volume property as the volume-change command and its record carry it:
// exactly one of an integer (the default, 0), a flag, a text, an ordered list of matching-method
// ids, or the path kind of a source record. Reading it as an alternative it does not hold
// (std::get_if) yields nothing.
using VolumePropertyValue =
    std::variant<int, bool, QString, QList<quint32>, pelko_wave::ESourcePathFormat>;
