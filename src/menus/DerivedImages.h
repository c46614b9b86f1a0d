#pragma once

#include "menus/ColorRef.h"

#include <QImage>
#include <QPixmap>

// The three images of a menu or toolbar command: the normal image, a shaded one (each pixel
// DarkenColor(50, pixel)) shown while the item is neither selected nor hot, and a disabled
// one (each pixel's grey washed with the theme's colour). The derived images are made once per
// source image, size and wash colour and kept until the palette changes.
namespace menus {
enum class EImageKind
{
    Normal = 0,
    Shaded = 1,
    Disabled = 2
};

// Each opaque pixel DarkenColor(50, pixel); transparency kept.
QImage MakeShadedImage(const QImage& source);
// Each opaque pixel's grey value g = (r + g + b) / 3 mixed with the wash colour per channel:
// (110 * g + 145 * wash) / 256; transparency kept.
QImage MakeDisabledImage(const QImage& source, COLORREF wash);
// The image in one colour: every opaque pixel takes the colour.
QImage MakeSilhouette(const QImage& source, COLORREF colour);
// The image in one colour, each pixel as opaque as it is dark: outlines and dark details keep
// their shape while light areas let the background through, so that an image with large
// opaque areas does not turn into a blob.
QImage MakeDisabledSilhouette(const QImage& source, COLORREF colour);

// The image of the kind for the source, with the current theme's wash colour; the derived
// forms come from a cache.
QPixmap CommandImage(const QPixmap& source, EImageKind kind);
// The image in one colour, from the same cache.
QPixmap SilhouetteImage(const QPixmap& source, COLORREF colour);
// The disabled silhouette, from the same cache.
QPixmap DisabledSilhouetteImage(const QPixmap& source, COLORREF colour);
// Empties the cache of derived images (the palette or the theme changed).
void ClearDerivedImages();

// A strip of images with its transparent colour applied: every pixel of that colour becomes
// transparent. CLR_DEFAULT takes the colour of the top-left pixel.
QImage ApplyTransparentColour(const QImage& strip, COLORREF transparent);
} // namespace menus
