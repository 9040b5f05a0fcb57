#pragma once
// Our own explanatory pictures of the information windows, drawn when a window is first shown.
#include <QImage>
#include <string>

// The drawing of that name; a null image for an unknown name.
QImage DrawInfoPicture(const std::string& name);
