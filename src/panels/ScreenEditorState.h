#pragma once
// Tool state of the screen editor on panel 2, held by the main window. The line start and end, the
// former values of the last line drawn (LineUndoValues, LineUndoCount) and EditorState (1 while that
// line can be deleted) are shared members of the main window.
#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/Image.h"
#include "imaging/PixelPosition.h"

struct ScreenEditorState {
  // The pixels of the last line drawn, in visiting order, beside their former values.
  std::vector<PixelPosition> LineUndoPixels;
  // 1 while no line has been drawn from the start set by the last left click: the first line from it
  // owns the start pixel, and deleting that line gives the start its value from before the click.
  std::uint8_t LineStartFresh = 0;
  // 1 while ColourImage holds the editor's picture of panel 2 (with ColourMode 3): it is saved by the
  // screen save button, never by the saves of panels 1 and 3. A colour result of another tool that
  // takes ColourImage clears it.
  std::uint8_t EditorColourImage = 0;
  // The current colour of the pipette's colour dialog, 0x00BBGGRR.
  std::uint32_t PipetteColour = 0;
  // The picture of panel 2 that every tool rebuilds, kept from one tool to the next.
  std::optional<IMAGE> EditorPicture;
};
