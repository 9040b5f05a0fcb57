#pragma once
// The bitmap a panel window paints, made from a display image.
#include <QImage>

#include "imaging/Image.h"

// A QImage of the image's size (8-bit gray for a gray image, 32-bit RGB otherwise); a null QImage
// when the image has no pixels.
QImage ImageToBitmap(const IMAGE& image);
// The same, written into `recycled` (a bitmap no longer wanted) when it has the size and format needed
// and shares its pixels with no other image: a panel shown again at its size makes no new bitmap.
QImage ImageToBitmap(const IMAGE& image, QImage recycled);
