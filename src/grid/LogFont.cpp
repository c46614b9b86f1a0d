#include "grid/LogFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace {
QFont ApplicationFont()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QGuiApplication::font();
    return QFont();
}
} // namespace

QFont LogFontToQFont(const LOGFONT& logFont)
{
    QFont font = ApplicationFont();
    if (!logFont.lfFaceName.isEmpty())
        font.setFamily(logFont.lfFaceName);
    if (logFont.lfHeight < 0) {
        font.setPixelSize(-logFont.lfHeight);
    } else if (logFont.lfHeight > 0) {
        // A cell height: find the pixel size whose ascent plus descent is that height.
        font.setPixelSize(logFont.lfHeight);
        const int cell = QFontMetrics(font).height();
        if (cell > 0 && cell != logFont.lfHeight)
            font.setPixelSize(
                std::max(1, int(std::lround(double(logFont.lfHeight) * logFont.lfHeight / cell))));
    }
    const int weight = logFont.lfWeight == FW_DONTCARE ? FW_NORMAL : logFont.lfWeight;
    font.setWeight(QFont::Weight(std::clamp(weight, 100, 900)));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    return font;
}

LOGFONT QFontToLogFont(const QFont& font)
{
    LOGFONT logFont;
    logFont.lfHeight = -QFontInfo(font).pixelSize();
    logFont.lfWeight = std::clamp(int(font.weight()), 100, 900);
    logFont.lfItalic = font.italic() ? 1 : 0;
    logFont.lfUnderline = font.underline() ? 1 : 0;
    logFont.lfStrikeOut = font.strikeOut() ? 1 : 0;
    logFont.lfFaceName = font.family();
    return logFont;
}

LOGFONT GetMessageBoxFont()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        return QFontToLogFont(QApplication::font("QMessageBox"));
    return QFontToLogFont(ApplicationFont());
}

QFont NamedFont(const QString& face, int pixelHeight, int weight, bool italic)
{
    QFont font = ApplicationFont();
    if (!face.isEmpty() && QFontDatabase::families().contains(face, Qt::CaseInsensitive))
        font.setFamily(face);
    constexpr double PointsPerPixel = 72.0 / 96.0;
    constexpr double CellPerCharacter = 1.2;
    if (pixelHeight < 0)
        font.setPointSizeF(-pixelHeight * PointsPerPixel);
    else if (pixelHeight > 0)
        font.setPointSizeF(pixelHeight * PointsPerPixel / CellPerCharacter);
    font.setWeight(QFont::Weight(std::clamp(weight == FW_DONTCARE ? FW_NORMAL : weight, 100, 900)));
    font.setItalic(italic);
    return font;
}
