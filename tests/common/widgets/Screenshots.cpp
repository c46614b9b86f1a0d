#include "widgets/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <cstdlib>

namespace shots
{
QString OutputFolder(const QString& kind)
{
    const QString folder = QDir(QStringLiteral(PLIM_BUILD_DIR)).filePath(kind);
    QDir().mkpath(folder);
    return folder;
}

QImage Grab(QWidget& widget)
{
    widget.ensurePolished();
    if (!widget.isVisible())
        widget.show();
    QApplication::processEvents();
    return widget.grab().toImage();
}

QString Save(const QImage& image, const QString& kind, const QString& name)
{
    const QString path = QDir(OutputFolder(kind)).filePath(name + QStringLiteral(".png"));
    if (!image.save(path, "PNG")) {
        ADD_FAILURE() << "could not write " << path.toStdString();
        return {};
    }
    return path;
}

QImage GrabAndSave(QWidget& widget, const QString& kind, const QString& name)
{
    QImage image = Grab(widget);
    Save(image, kind, name);
    return image;
}

bool ColourNear(QColor actual, QColor expected, int tolerance)
{
    return actual.isValid() && std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

QColor PixelAt(const QImage& image, int x, int y)
{
    const qreal ratio = image.devicePixelRatio();
    const int px = int(x * ratio);
    const int py = int(y * ratio);
    if (px < 0 || py < 0 || px >= image.width() || py >= image.height())
        return {};
    return image.pixelColor(px, py);
}

int InkCount(const QImage& image, const QRect& area, int lightness)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = PixelAt(image, x, y);
            count += pixel.isValid() && pixel.lightness() < lightness;
        }
    return count;
}
} // namespace shots
