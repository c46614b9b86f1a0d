#include "grid/LogFont.h"

#include <QApplication>
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
