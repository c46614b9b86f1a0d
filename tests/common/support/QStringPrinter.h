#pragma once

#include <QString>
#include <ostream>

// Lets GoogleTest print texts in failure messages as text rather than as bytes.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
