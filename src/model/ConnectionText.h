#pragma once

#include "model/SourcePath.h"

#include <QString>

// The connection text of a database source shown without its passwords. A connection text is a
// list of settings separated by ";", each "key=value"; a setting whose key is "PWD" or ends in
// "Password" (case ignored, so "Password" and "Jet OLEDB:Database Password" too) holds a
// password. The text the volume keeps never changes: only what is shown of it does.

namespace pelko_wave {

// What a masked password shows.
QString MaskedPassword();

// The text with the value of every password setting that has one replaced by MaskedPassword();
// the rest as it stands.
QString MaskConnectionPasswords(const QString& connection);

// The text the user edited over the masked form of the original: every password setting that
// still shows MaskedPassword() takes back the value the original holds in the same setting (the
// n-th setting of a key that of the n-th of the original); everything else is taken as typed.
// The masked form of a text, given back unedited, gives back that text exactly.
QString UnmaskConnectionPasswords(const QString& edited, const QString& original);

// The source as messages and reports show it: a file by its path, a database by its connection
// text with the passwords masked.
QString GetDisplayedSourceText(const CSourcePath& source);

} // namespace pelko_wave
