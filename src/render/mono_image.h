#pragma once
// Pictures that leave as 1-bit bitmaps: Qt cannot paint on a 1-bit image, so
// they are drawn in grey without antialiasing and cut at mid-grey.
#include <QImage>
#include <QPainter>
#include <string>

#include "formats/mono_bitmap.h"

namespace tarnix {

// A white 8-bit grey image of the given size.
QImage BlankGreyImage(int width, int height);
// A painter on it with a black 1-pixel pen, no brush and antialiasing off.
void SetUpMonoPainter(QPainter& p);
// The pictures' text, placed by its top-left corner.
void DrawTextAt(QPainter& p, int x, int y, const std::string& text);
// Pixels darker than mid-grey become black.
MonoBitmap ThresholdImage(const QImage& image);

}  // namespace tarnix
