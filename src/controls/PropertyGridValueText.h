#pragma once

#include <QDateTime>
#include <QString>

class QFontMetrics;

// How the property grid writes and reads its values as text: checked number and date formats
// (never handed to printf as they stand), numbers read whole in the C locale, one-line texts and
// paths compacted to a width.

// The format itself when it holds exactly one conversion of the right kind ("%d"-like for
// integers, "%g"-like for reals; "%%" allowed, width and precision at most 99); otherwise "%d"
// or "%g".
QString CheckedNumberFormat(const QString& format, bool real);
QString FormatIntegerValue(int value, const QString& format);
QString FormatDoubleValue(double value, const QString& format);

// True when the format uses only the date codes the grid knows: %a %A %b %B %c %d %H %I %j %m
// %M %p %S %w %x %X %y %Y and %%, each optionally with "#" (no leading zeros; the long forms of
// %c and %x).
bool IsValidDateFormat(const QString& format);
// The date written with the format; an empty or unknown format gives the locale's short date
// (and time, when withTime is set). An invalid date gives the empty text.
QString FormatDateValue(const QDateTime& value, const QString& format, bool withTime);

// Reads a whole decimal number in the C locale (blanks around it allowed, no group separators);
// false, leaving the value alone, for anything else or a number out of range.
bool ParseIntegerText(const QString& text, int& value);
bool ParseDoubleText(const QString& text, double& value);

// The text on one line: every line break (CR LF, LF or CR) becomes a pilcrow.
QString OneLineText(const QString& text);

// The path fitted to the width: whole when it fits, otherwise the start of its folder, "...",
// the separator and the file name (the name itself elided at its end when even that is too
// long). At most the first 1023 characters are considered.
QString CompactPath(const QString& path, const QFontMetrics& metrics, int width);

// "R; G; B" of a colour word.
QString ColorValueText(unsigned colour);
// "Face; Npt" of a font whose height is given in pixels (negative: character height) at the
// vertical resolution.
QString FontValueText(const QString& face, int height, int dpiY);
