// A click in panel 2 applies the editor's tools whose buttons are down, in a fixed order: the Filling
// Tool, the pencil, the pipette, the line and the local filling. Each tool but the pipette shows its
// result from the colour tables; the pipette shows the colour planes. The colour image always follows
// the picture shown.
#include <cstdint>

#include "app/MainWindow.h"
#include "imaging/Allocators.h"
#include "imaging/SeedFill.h"
#include "panels/ScreenEditor.h"
#include "panels/SelectedGT.h"
#include "panels/TempImage.h"
#include "panels/kernels/EditorLine.h"
#include "panels/kernels/EditorPlanes.h"
#include "ui/Driver.h"

namespace {

constexpr std::uint8_t kBackground = 255;

// The value and colour chosen in the Selected Value form.
struct Selection {
  std::uint8_t value;
  int red, green, blue;
};

bool ToolDown(const TMainForm& m, const char* button) {
  // A disabled tool does nothing, even if it was left down.
  return m.IsDown(button) && m.IsEnabled(button);
}

void SetTableColour(TMainForm& m, int value, int red, int green, int blue) {
  m.PaletteRed[value] = red;
  m.PaletteGreen[value] = green;
  m.PaletteBlue[value] = blue;
}

// Filling Tool: the clicked value's pixels all take the selected value, shown in the selected colour.
void MergeClass(TMainForm& m, PixelPosition at, Selection s) {
  const std::uint8_t clicked = m.BinaryImage[at.Line][at.Column];
  SetTableColour(m, s.value, s.red, s.green, s.blue);
  RecodeValue(m.BinaryImage, clicked, s.value);
  ShowPanelFromTables(m);
}

// Pencil: one pixel; the colour tables are left as they are.
void Pencil(TMainForm& m, PixelPosition at, Selection s) {
  m.BinaryImage[at.Line][at.Column] = s.value;
  ShowPanelFromTables(m);
}

// Pipette: every pixel of the clicked value takes the colour chosen now in the colour planes, and the
// picture shows what the planes hold. The values and the colour tables are not changed: the next tool
// that draws from the tables shows the value in its table colour again.
void Pipette(TMainForm& m, PixelPosition at) {
  if (const auto chosen = ui::ChooseColour(m.PipetteColour)) m.PipetteColour = *chosen;
  const Rgb colour{static_cast<std::uint8_t>((m.PipetteColour >> 16) & 0xFF),
                   static_cast<std::uint8_t>((m.PipetteColour >> 8) & 0xFF),
                   static_cast<std::uint8_t>(m.PipetteColour & 0xFF)};
  const std::uint8_t clicked = m.BinaryImage[at.Line][at.Column];
  PaintValueColour(m.BinaryImage, clicked, colour, m.RedPlane, m.GreenPlane, m.BluePlane);
  ShowPanelFromColourPlanes(m);
}

// Line, left button: the start, written at once and shown with the next picture.
void StartLine(TMainForm& m, PixelPosition at, Selection s) {
  std::uint8_t& start = m.BinaryImage[at.Line][at.Column];
  m.LineStart = at;
  TempImageForm->LineStartValue = start;
  m.LineStartFresh = 1;
  SetTableColour(m, s.value, s.red, s.green, s.blue);
  start = s.value;
}

// Line, right button: a line from the start, whose pixels can be given back by the deletion.
void EndLine(TMainForm& m, PixelPosition at, Selection s) {
  m.LineEnd = at;
  const int drawn =
      DrawEditorLine(m.BinaryImage, m.LineStart, m.LineEnd, s.value, m.LineUndoValues, m.LineUndoPixels);
  if (drawn > 0) {
    m.LineUndoCount = drawn;
    // The first line from a start owns it: its deletion undoes the start's left click too.
    if (m.LineStartFresh) m.LineUndoValues[0] = TempImageForm->LineStartValue;
    m.LineStartFresh = 0;
    m.EditorState = 1;
  }
  ShowPanelFromTables(m);
  if (m.EditorState == 1) m.Enable({"DelateLineSpeedButton"});
}

// Local Filling: the background region around the click. Clicked on an item pixel, only that pixel
// and the background beside it on its row: spreading from there would flood the background around
// the item.
void LocalFill(TMainForm& m, PixelPosition at, Selection s) {
  BytePlane& plane = m.BinaryImage;
  if (!m.FillMaskReady || m.FillMask.Lines() != plane.Lines() || m.FillMask.Columns() != plane.Columns()) {
    m.FillMask = AllocByteMatrix(plane.Columns(), plane.Lines());
    m.FillMaskReady = m.FillMask.Empty() ? 0 : 1;
    if (!m.FillMaskReady) return;
  }
  m.FillMask.Fill(kBackground);
  const bool written = plane[at.Line][at.Column] == kBackground
                           ? SeedFill(plane, at.Line, at.Column, s.value, &m.FillMask)
                           : SeedFillRow(plane, at.Line, at.Column, s.value, &m.FillMask);
  // The filled pixels hold the value, so its table colour is the fill's colour on screen.
  if (written) SetTableColour(m, s.value, s.red, s.green, s.blue);
  ShowPanelFromTables(m);
}

}  // namespace

void ScreenEditorClick(Qt::MouseButton button, int x, int y) {
  if (!MainForm || !TempImageForm || !SelectedValueForm) return;
  TMainForm& m = *MainForm;
  const PixelPosition at{TempImageForm->LineAt(y), TempImageForm->ColumnAt(x)};
  // Positions are truncated toward zero, so a point just left of or above the image would read 0.
  if (x < 0 || y < 0 || !m.BinaryImage.Contains(at.Line, at.Column)) return;
  const TSelectedValueForm& form = *SelectedValueForm;
  const bool writable = form.ValueAccepted();
  const Selection s{static_cast<std::uint8_t>(writable ? form.SelectedValue : 0), form.Red, form.Green,
                    form.Blue};
  const bool left = button == Qt::LeftButton;

  if (left && writable && ToolDown(m, "CuvetSpeedButton")) MergeClass(m, at, s);
  if (left && writable && ToolDown(m, "PencilSpeedButton")) Pencil(m, at, s);
  if (left && ToolDown(m, "PipetteSpeedButton1")) Pipette(m, at);
  if (writable && ToolDown(m, "LineSpeedButton")) {
    if (left)
      StartLine(m, at, s);
    else if (button == Qt::RightButton)
      EndLine(m, at, s);
  }
  if (writable && ToolDown(m, "LocalFillingSpeedButton")) LocalFill(m, at, s);
}
