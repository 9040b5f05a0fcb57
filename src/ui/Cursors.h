#pragma once
// The screen cursor, addressed by index like the rest of the program does:
// the stock cursors by their negative numbers, our own at 30 to 35.

namespace ui {

enum CursorIndex : int {
  crDefault = 0,
  crArrow = -2,
  crHourGlass = -11,
  crLoupe = 30,       // "LoupeCurseur": zoom
  crPot = 31,         // "Pot": filling tool
  crPipette = 32,     // "Pipette"
  crPencil = 33,      // "Pencil"
  crGreekCross = 34,  // "Greek_Cross"
  crSACross = 35,     // "SA_Cross"
};

// Draws our six cursors and installs them under their indices.
void LoadCustomCursors();
bool HasCustomCursor(int index);
void SetScreenCursor(int index);
int ScreenCursor();

}  // namespace ui
