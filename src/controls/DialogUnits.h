#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

// Dialog units of a dialog's font, in which the program's dialog layouts are given: a quarter
// of the average letter width across, an eighth of the line height down.
class CDialogUnits
{
public:
    explicit CDialogUnits(const QFont& font)
    {
        const QFontMetrics metrics(font);
        const QString letters =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        m_cx = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
        m_cy = metrics.height();
    }
    int X(int units) const { return units * m_cx / 4; }
    int Y(int units) const { return units * m_cy / 8; }
    QRect Rect(int x, int y, int width, int height) const
    {
        return {X(x), Y(y), X(width), Y(height)};
    }

private:
    int m_cx = 0;
    int m_cy = 0;
};
