#pragma once
// State of the gray-tone image treatments and tools, held by the main window. The results of the
// local fractal dimension and the lacunarity live where their diagram windows read them
// (DiagramState) and in the shared members of MainState.

struct GrayToneState {};
