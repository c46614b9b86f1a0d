#include "controls/SplashScreenEx.h"

#include "controls/Pictures.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>

QRegion CreateRegionFromBitmap(const QImage& image, QRgb transparent)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const QRgb key = transparent | 0xFF000000u;
    QRegion region;
    for (int y = 0; y < pixels.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        QRegion line;
        int x = 0;
        while (x < pixels.width()) {
            while (x < pixels.width() && (row[x] | 0xFF000000u) == key)
                ++x;
            const int start = x;
            while (x < pixels.width() && (row[x] | 0xFF000000u) != key)
                ++x;
            if (x > start)
                line += QRect(start, y, x - start, 1);
        }
        region += line;
    }
    return region;
}

CSplashScreenEx::CSplashScreenEx() : QWidget(nullptr), m_font(QApplication::font())
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

bool CSplashScreenEx::Create(QWidget* parent, const QString& text, int timeout, unsigned style)
{
    m_parent = parent;
    m_text = text;
    m_timeout = timeout;
    m_style = style;
    setParent(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus);
    setGeometry(0, 0, 0, 0);
    return true;
}

bool CSplashScreenEx::SetBitmap(unsigned id, short red, short green, short blue)
{
    return SetBitmap(LoadPicture(id), red, green, blue);
}

bool CSplashScreenEx::SetBitmap(const QImage& bitmap, short red, short green, short blue)
{
    m_bitmap = QImage();
    m_region = QRegion();
    if (bitmap.isNull())
        return false;
    m_bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
    m_textRect = m_bitmap.rect();

    if (m_style & CSS_CENTERSCREEN) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            m_x = area.left() + (area.width() - m_bitmap.width()) / 2;
            m_y = area.top() + (area.height() - m_bitmap.height()) / 2;
        }
    } else if ((m_style & CSS_CENTERAPP) && m_parent) {
        const QRect area = m_parent->frameGeometry();
        m_x = area.left() + (area.width() - m_bitmap.width()) / 2;
        m_y = area.top() + (area.height() - m_bitmap.height()) / 2;
    }

    if (red == -1 || green == -1 || blue == -1) {
        clearMask();
        return true;
    }
    m_region = CreateRegionFromBitmap(m_bitmap, qRgb(red, green, blue));
    if (m_region.isEmpty()) {
        // Nothing is left of the picture: a window masked by an empty region would show whole.
        setMask(QRegion(-1, -1, 1, 1));
    } else {
        setMask(m_region);
    }
    update();
    return true;
}

bool CSplashScreenEx::CanFade()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void CSplashScreenEx::Show()
{
    setGeometry(m_x, m_y, m_bitmap.width(), m_bitmap.height());
    if ((m_style & CSS_FADEIN) && CanFade()) {
        setWindowOpacity(0.0);
        show();
        auto* fade = new QPropertyAnimation(this, "windowOpacity", this);
        fade->setDuration(500);
        fade->setStartValue(0.0);
        fade->setEndValue(1.0);
        fade->start(QAbstractAnimation::DeleteWhenStopped);
    } else {
        show();
    }
    if (m_timeout != 0)
        m_timer.start(m_timeout, this);
}

void CSplashScreenEx::Hide()
{
    if (m_hiding)
        return;
    m_hiding = true;
    m_timer.stop();
    if ((m_style & CSS_FADEOUT) && CanFade() && isVisible()) {
        auto* fade = new QPropertyAnimation(this, "windowOpacity", this);
        fade->setDuration(200);
        fade->setStartValue(windowOpacity());
        fade->setEndValue(0.0);
        connect(fade, &QPropertyAnimation::finished, this, [this] { Destroy(); });
        fade->start(QAbstractAnimation::DeleteWhenStopped);
        return;
    }
    Destroy();
}

void CSplashScreenEx::Destroy()
{
    hide();
    deleteLater();
}

void CSplashScreenEx::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_bitmap);
    if (m_text.isEmpty())
        return;
    painter.setFont(m_font);
    painter.setPen(ColorRefToQColor(m_textColour));
    CRect area(m_textRect);
    DrawText(painter, m_text, area, m_textFormat);
}

void CSplashScreenEx::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    m_timer.stop();
    Hide();
}

void CSplashScreenEx::mousePressEvent(QMouseEvent* event)
{
    if (m_style & CSS_HIDEONCLICK)
        Hide();
    else
        QWidget::mousePressEvent(event);
}

void CSplashScreenEx::keyPressEvent(QKeyEvent* event)
{
    if (m_style & CSS_HIDEONCLICK)
        Hide();
    else
        QWidget::keyPressEvent(event);
}
