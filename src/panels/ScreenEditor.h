#pragma once
// The screen editor on panel 2: the tools a click applies, and the steps its buttons share. The
// button handlers are members of the main window (ScreenEditor.cpp).
#include <Qt>
#include <initializer_list>

class TMainForm;

// The tools whose buttons are down, applied to a click at (x, y) of panel 2's paint box (zoom and
// scroll included). A click outside the image does nothing.
void ScreenEditorClick(Qt::MouseButton button, int x, int y);

// What a new image ends: the tools down, the line start, the undo record of the last line, the selected
// value and colour, and the editor's picture as the colour result to save.
void ResetScreenEditor(TMainForm& m);

// Panel 2 shown from the colour tables (every value in its table colour), the colour image following;
// the panel keeps its zoom. Returns false when there is nothing to show or no memory for it.
bool ShowPanelFromTables(TMainForm& m);

// Panel 2 shown in the colours the colour planes hold, the colour image following; the panel keeps
// its zoom. Returns false when the planes cannot be shown.
bool ShowPanelFromColourPlanes(TMainForm& m);

// Panel 2 no longer shows the editor's colour picture: the saves write the gray planes again (the
// colour image itself is kept). For whatever replaces panel 2 while the editor's picture is the
// colour result.
void EndEditorColourPicture(TMainForm& m);

// The Selected Value form until it holds a value the tools can write; each refusal is said under
// "ERROR".
void AskSelectedValue();

// The editor's buttons that stay down (tool groups 4 and 8).
inline constexpr std::initializer_list<const char*> kEditorToolButtons = {
    "ColorSpeedButton",  "CuvetSpeedButton", "PipetteSpeedButton1",
    "PencilSpeedButton", "LineSpeedButton",  "LocalFillingSpeedButton"};
