#pragma once
// State of the gray-tone image treatments and tools, held by the main window. The results of the
// local fractal dimension and the lacunarity live where their diagram windows read them
// (DiagramState) and in the shared members of MainState.

struct GrayToneState {
  // Fract star: the length measurement chosen (0 total, 1 minimum, 2 maximum; the arms are always
  // measured in total), 1 when an item of panel 2 is studied besides the scene, and its code.
  int StarLengthMode = 0;
  int StarZoneChoice = 0;
  int StarItemCode = 0;
};
