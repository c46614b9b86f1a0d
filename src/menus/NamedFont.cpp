#include "menus/NamedFont.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <algorithm>

namespace menus {
QFont NamedFont(const QString& face, int pixelHeight, int weight, bool italic)
{
    QFont font = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                     ? QGuiApplication::font()
                     : QFont();
    if (!face.isEmpty() && QFontDatabase::families().contains(face, Qt::CaseInsensitive))
        font.setFamily(face);
    constexpr double PointsPerPixel = 72.0 / 96.0;
    constexpr double CellPerCharacter = 1.2;
    if (pixelHeight < 0)
        font.setPointSizeF(-pixelHeight * PointsPerPixel);
    else if (pixelHeight > 0)
        font.setPointSizeF(pixelHeight * PointsPerPixel / CellPerCharacter);
    font.setWeight(QFont::Weight(std::clamp(weight == 0 ? 400 : weight, 100, 900)));
    font.setItalic(italic);
    return font;
}
} // namespace menus
