#include "menus/DerivedImages.h"

#include "menus/MenuColors.h"

#include <QHash>

#include <tuple>

namespace menus {
namespace {
template <typename F> QImage MapOpaquePixels(const QImage& source, F f)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            if (qAlpha(p) == 0)
                continue;
            const COLORREF c = f(RGB(qRed(p), qGreen(p), qBlue(p)));
            line[x] = qRgba(GetRValue(c), GetGValue(c), GetBValue(c), qAlpha(p));
        }
    }
    return image;
}

struct SCacheKey
{
    qint64 Source;
    int Kind;
    COLORREF Wash;
    bool operator==(const SCacheKey& other) const
    {
        return Source == other.Source && Kind == other.Kind && Wash == other.Wash;
    }
};

size_t qHash(const SCacheKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.Source, key.Kind, key.Wash);
}

QHash<SCacheKey, QPixmap>& Cache()
{
    static QHash<SCacheKey, QPixmap> cache;
    return cache;
}
} // namespace

QImage MakeShadedImage(const QImage& source)
{
    return MapOpaquePixels(source, [](COLORREF c) { return DarkenColor(50, c); });
}

QImage MakeDisabledImage(const QImage& source, COLORREF wash)
{
    return MapOpaquePixels(source, [wash](COLORREF c) {
        const int grey = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
        return RGB((110 * grey + 145 * GetRValue(wash)) / 256,
                   (110 * grey + 145 * GetGValue(wash)) / 256,
                   (110 * grey + 145 * GetBValue(wash)) / 256);
    });
}

QImage MakeSilhouette(const QImage& source, COLORREF colour)
{
    return MapOpaquePixels(source, [colour](COLORREF) { return colour; });
}

QImage MakeDisabledSilhouette(const QImage& source, COLORREF colour)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const int light = (30 * qRed(p) + 59 * qGreen(p) + 11 * qBlue(p)) / 100;
            line[x] = qRgba(GetRValue(colour), GetGValue(colour), GetBValue(colour),
                            qAlpha(p) * (255 - light) / 255);
        }
    }
    return image;
}

QPixmap CommandImage(const QPixmap& source, EImageKind kind)
{
    if (kind == EImageKind::Normal || source.isNull())
        return source;
    const COLORREF wash = kind == EImageKind::Disabled ? DisabledImageWash() : 0;
    const SCacheKey key{source.cacheKey(), int(kind), wash};
    auto it = Cache().find(key);
    if (it == Cache().end()) {
        const QImage image = source.toImage();
        QPixmap derived = QPixmap::fromImage(
            kind == EImageKind::Shaded ? MakeShadedImage(image) : MakeDisabledImage(image, wash));
        derived.setDevicePixelRatio(source.devicePixelRatio());
        it = Cache().insert(key, derived);
    }
    return *it;
}

namespace {
// A one-colour form of the source from the cache, made by `make` the first time.
QPixmap CachedColourForm(const QPixmap& source, int kind, COLORREF colour,
                         QImage (*make)(const QImage&, COLORREF))
{
    if (source.isNull())
        return source;
    const SCacheKey key{source.cacheKey(), kind, colour};
    auto it = Cache().find(key);
    if (it == Cache().end()) {
        QPixmap derived = QPixmap::fromImage(make(source.toImage(), colour));
        derived.setDevicePixelRatio(source.devicePixelRatio());
        it = Cache().insert(key, derived);
    }
    return *it;
}
} // namespace

QPixmap SilhouetteImage(const QPixmap& source, COLORREF colour)
{
    constexpr int kSilhouette = 3;
    return CachedColourForm(source, kSilhouette, colour, MakeSilhouette);
}

QPixmap DisabledSilhouetteImage(const QPixmap& source, COLORREF colour)
{
    constexpr int kDisabledSilhouette = 4;
    return CachedColourForm(source, kDisabledSilhouette, colour, MakeDisabledSilhouette);
}

void ClearDerivedImages()
{
    Cache().clear();
}

QImage ApplyTransparentColour(const QImage& strip, COLORREF transparent)
{
    QImage image = strip.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    QRgb key;
    if (transparent == CLR_DEFAULT) {
        key = image.pixel(0, 0) | 0xFF000000;
    } else {
        key = qRgb(GetRValue(transparent), GetGValue(transparent), GetBValue(transparent));
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xFF000000) == key)
                line[x] = 0;
        }
    }
    return image;
}
} // namespace menus
