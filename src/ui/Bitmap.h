#pragma once
// The bitmap a panel window paints, made from a display image.
#include <QImage>

#include "imaging/Image.h"

// A 32-bit RGB QImage of the image's size; a null QImage when the image has no pixels.
QImage ImageToBitmap(const IMAGE& image);
