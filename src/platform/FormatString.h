#pragma once

#include <QString>
#include <QVariant>
#include <initializer_list>

// printf-style formatting of the program's texts ("%s", "%d", "%5.2f", "%0*d", "%%" ...), whose
// formats come from the string table. Each conversion takes the next argument: "%s" its text, the
// integer conversions its integer value, the real conversions its double value; a "*" width or
// precision takes one argument before it. Numbers are
// always written in the C locale. A conversion without an argument is written as it stands.
QString FormatString(const QString& format, std::initializer_list<QVariant> args);
// The same, appended to the text.
void AppendFormatted(QString& text, const QString& format, std::initializer_list<QVariant> args);
