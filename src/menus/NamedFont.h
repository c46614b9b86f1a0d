#pragma once

#include <QFont>
#include <QString>

namespace menus {
// A font named by a face of another desktop ("Arial", "Tahoma", "MS Shell Dlg 2") and a height
// in pixels of a 96-dpi screen (negative: the character height; positive: the cell height, taken
// as 1.2 character heights; 0: the application font's size): that face where it is installed,
// else the application's font family, always sized in points so that it follows the screen's
// resolution. The weight is 100 to 900 (400 normal, 700 bold).
QFont NamedFont(const QString& face, int pixelHeight, int weight = 400, bool italic = false);
} // namespace menus
