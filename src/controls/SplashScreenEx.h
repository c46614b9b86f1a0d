#pragma once

#include "grid/ColorRef.h"
#include "grid/DrawTextFormat.h"

#include <QBasicTimer>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>

class QPropertyAnimation;

// The region of a picture's pixels that differ from the transparent colour: every maximal run of
// such pixels in a row is one rectangle one pixel high.
QRegion CreateRegionFromBitmap(const QImage& image, QRgb transparent);

// A borderless, top-most window that shows a picture (and optional text on it) while the program
// starts, cut to the picture's shape by leaving out every pixel of one transparent colour, faded
// in and out where the platform can, and closed by its timer or by a click or key. It deletes
// itself when it has been hidden.
class CSplashScreenEx : public QWidget
{
    Q_OBJECT

public:
    // Style bits.
    enum : unsigned
    {
        CSS_FADEIN = 0x01,
        CSS_FADEOUT = 0x02,
        CSS_SHADOW = 0x04, // asked for by callers; the window is made without shadow here
        CSS_CENTERSCREEN = 0x08,
        CSS_CENTERAPP = 0x10,
        CSS_HIDEONCLICK = 0x20,
    };

    CSplashScreenEx();

    // Stores the settings and makes the window (hidden), owned by the parent when there is one.
    bool Create(QWidget* parent, const QString& text, int timeout, unsigned style);
    // Takes the picture of a resource id; a colour component of -1 means no transparent colour.
    // False when the picture cannot be loaded.
    bool SetBitmap(unsigned id, short red, short green, short blue);
    bool SetBitmap(const QImage& bitmap, short red, short green, short blue);
    // Places and shows the window and starts the time-out.
    void Show();
    // Hides the window (fading when asked) and deletes it.
    void Hide();

    // Where the window goes and the shape it takes (none: rectangular).
    QPoint GetPosition() const { return {m_x, m_y}; }
    const QRegion& GetRegion() const { return m_region; }
    int GetTimeout() const { return m_timeout; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Whether the platform can fade windows (an offscreen one cannot).
    static bool CanFade();
    void Destroy();

    QPointer<QWidget> m_parent;
    QImage m_bitmap;
    QFont m_font;
    QRegion m_region;
    unsigned m_style = 0;
    int m_timeout = 2000;
    QString m_text;
    QRect m_textRect;
    unsigned m_textFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
    COLORREF m_textColour = RGB(0, 0, 0);
    int m_x = 0;
    int m_y = 0;
    QBasicTimer m_timer;
    bool m_hiding = false;
};
