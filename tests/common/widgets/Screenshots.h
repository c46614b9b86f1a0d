#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

class QWidget;

// Screenshots of widget tests: grabbed offscreen, saved as PNG under the build folder for a
// reviewer to look at, and checked by colours sampled at computed points (never by comparing
// whole images).
namespace shots
{
// The folder of the build tree that holds the pictures of the given kind ("gallery",
// "shots", "test-artefacts/grid", ...); made when missing.
QString OutputFolder(const QString& kind);

// Grabs the widget as it paints now (the widget is polished and laid out first).
QImage Grab(QWidget& widget);

// Saves the image as <folder of kind>/<name>.png; returns the path written, or an empty text
// (and a test failure) when it could not be written.
QString Save(const QImage& image, const QString& kind, const QString& name);

// Grabs and saves in one step; returns the image.
QImage GrabAndSave(QWidget& widget, const QString& kind, const QString& name);

// True when two colours differ by at most the tolerance in each of red, green and blue.
bool ColourNear(QColor actual, QColor expected, int tolerance = 8);

// The pixel colour at (x, y), or an invalid colour outside the image. The image may have a
// device pixel ratio; x and y are in device-independent pixels.
QColor PixelAt(const QImage& image, int x, int y);

// The number of pixels in the area (device-independent pixels) darker than the lightness:
// the ink of text or lines drawn there.
int InkCount(const QImage& image, const QRect& area, int lightness = 128);
} // namespace shots
