#pragma once
// The last step of every parametric result image (gray-tone and urban treatments): panel 3 receives
// the result drawn in gray, the result border and the pending registration are recorded, colour
// results end, the panel-3 save button is enabled, and panel 3 is shown captioned " 3.- " and the
// result's title.
#include <string>

#include "app/MainState.h"
#include "graytone/kernels/GrayScaling.h"

class IMAGE;

struct ResultPublication {
  Panel3Result Result = p3LocalFractal;  // the pending-registration entry the result sets
  std::string Title;                     // PanelCaption: the caption after " 3.- "
  int Border = 0;                        // ResultBorder: the half window the frame keeps
};

// Draws `values` into panel 3 (white outside `shown`) with `scaling`, then publishes it.
void PublishScaledResult(const DoublePlane& values, const GrayScaling& scaling, const PixelRectangle& shown,
                         const ResultPublication& publication);

// Publishes panel 3 as it stands, shown from `picture` when given (a picture that differs from the
// plane, such as one shifted by one gray), otherwise from panel 3 itself.
void PublishResultImage(const ResultPublication& publication, const IMAGE* picture = nullptr);
