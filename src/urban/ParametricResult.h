#pragma once
// A gray map of an urban treatment becomes the result of panel 3.
#include <string>

#include "app/MainState.h"
#include "imaging/Plane.h"

class TMainForm;

// `map` becomes ResultImage, shown in panel 3 captioned " 3.- " and `caption` (kept as the panel's
// caption), with `border` as the frame the map has no value in. The result waits to be registered
// under `which`, and the panel-3 save is offered; the colour result it replaces can no longer be
// saved as panel 3.
void ShowParametricResult(TMainForm& m, BytePlane map, const std::string& caption, Panel3Result which,
                          int border);
