#pragma once
// State of the gray-tone image treatments and tools, held by the main window. The results of the
// local fractal dimension and the lacunarity live where their diagram windows read them
// (DiagramState) and in the shared members of MainState.
#include <cstdint>

#include "graytone/kernels/ColourSegment.h"
#include "imaging/Plane.h"

struct GrayToneState {
  // Pins stretching: the buffer each stretching is made in, and the panel (1 or 3) whose image
  // UndoImage holds.
  BytePlane PinsWorkImage;
  int UndoPanel = 1;

  // Colour thresholding tool: its own colour planes (panel 2's stay untouched) and the panel (1 or 3)
  // they were made from; 0 when they hold nothing.
  ColourPlanes ThresholdPlanes;
  int ThresholdPlanesPanel = 0;

  // The colour the superposition colour dialog holds (0x00BBGGRR), black at first.
  std::uint32_t ColorDialogSuperpColour = 0;

  // What the tools keep of an image goes with it.
  void ReleaseToolPlanes() {
    PinsWorkImage.Reset();
    ThresholdPlanes = ColourPlanes{};
    ThresholdPlanesPanel = 0;
  }

  // Fract star: the length measurement chosen (0 total, 1 minimum, 2 maximum; the arms are always
  // measured in total), 1 when an item of panel 2 is studied besides the scene, and its code.
  int StarLengthMode = 0;
  int StarZoneChoice = 0;
  int StarItemCode = 0;
};
