// The screen editor's buttons: starting the editor, choosing a tool, deleting the last line and
// returning to the labeled image as it was; and the rebuilds of panel 2 from the colour tables and
// from the colour planes.
#include "panels/ScreenEditor.h"

#include <QAction>
#include <algorithm>
#include <cstring>

#include "app/MainWindow.h"
#include "imaging/Image.h"
#include "imaging/Parallel.h"
#include "panels/SelectedGT.h"
#include "panels/TempImage.h"
#include "panels/kernels/EditorLine.h"
#include "panels/kernels/EditorPlanes.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

namespace {

constexpr const char* kValueRefused = "The gray tone value must lie between 0 and 254";

std::uint8_t Component(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

ColourTable TablesOf(const TMainForm& m) {
  ColourTable table;
  for (int v = 0; v < 256; ++v)
    table[v] = {Component(m.PaletteBlue[v]), Component(m.PaletteGreen[v]), Component(m.PaletteRed[v])};
  return table;
}

// The buttons Return takes away; they are released too, so that no tool stays applied.
constexpr std::initializer_list<const char*> kReturnDisabled = {
    "CuvetSpeedButton",  "GoBackSpeedButton", "DilatSpeedButton",      "AureoleSpeedButton",
    "PencilSpeedButton", "LineSpeedButton",   "DelateLineSpeedButton", "LocalFillingSpeedButton"};

void Release(TMainForm& m, std::initializer_list<const char*> names) {
  for (const char* name : names)
    if (QAction* action = m.Item(name); action && action->isCheckable()) action->setChecked(false);
}

// The last line can no longer be deleted.
void ForgetLine(TMainForm& m) {
  m.EditorState = 0;
  m.LineUndoCount = 0;
  m.LineUndoPixels.clear();
}

// A cursor while the button is down, the arrow when it is up.
void ToolCursor(const char* button, int cursor) {
  ui::SetScreenCursor(MainForm->IsDown(button) ? cursor : ui::crArrow);
}

// An edit is not a new image: the panel stays at the zoom the person works at.
void ShowEdited(TMainForm& m, const IMAGE& picture) {
  const std::uint8_t keepZoom = m.KeepZoom;
  m.KeepZoom = 1;
  TempImageForm->ShowBitmap(picture);
  m.KeepZoom = keepZoom;
  TempImageForm->FormPaint();
}

}  // namespace

bool ShowPanelFromTables(TMainForm& m) {
  const BytePlane& values = m.BinaryImage;
  if (values.Empty() || !TempImageForm) return false;
  const ColourTable table = TablesOf(m);
  if (!PaintColourImage(values, table, m.ColourImage)) return false;
  m.EditorColourImage = 1;
  // Every colour comes from the table of its value, so the picture is the plane through a palette. It
  // is made once for the panel's size and refilled by each tool.
  const int lines = values.Lines(), columns = values.Columns();
  std::optional<IMAGE>& picture = m.EditorPicture;
  if (!picture || picture->Lines() != lines || picture->Columns() != columns) {
    picture.reset();
    picture.emplace(columns, lines, IMAGE::kPalette);
  }
  if (picture->Empty()) {
    picture.reset();
    return false;
  }
  m.ImageLines = lines;  // as a new picture of the panel's size would set them
  m.ImageColumns = columns;
  auto& palette = picture->Palette();
  for (int v = 0; v < 256; ++v) {
    palette[4 * v] = table[v].blue;
    palette[4 * v + 1] = table[v].green;
    palette[4 * v + 2] = table[v].red;
  }
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i)
      std::memcpy(picture->Row(i), values[i], static_cast<std::size_t>(columns));
  });
  ShowEdited(m, *picture);
  return true;
}

bool ShowPanelFromColourPlanes(TMainForm& m) {
  if (!TempImageForm || !InterleaveColourPlanes(m.RedPlane, m.GreenPlane, m.BluePlane, m.ColourImage))
    return false;
  m.EditorColourImage = 1;
  IMAGE picture(m.RedPlane.Columns(), m.RedPlane.Lines(), IMAGE::kRgb);
  if (picture.Empty()) return false;
  picture.SetFromPlaneRGB(m.ColourImage);
  ShowEdited(m, picture);
  return true;
}

void EndEditorColourPicture(TMainForm& m) {
  if (m.EditorColourImage && m.ColourMode == kColourModeRgb) m.ColourMode = 0;
  m.EditorColourImage = 0;
}

void AskSelectedValue() {
  for (;;) {
    ui::ShowModal(*SelectedValueForm);
    if (SelectedValueForm->ValueAccepted()) return;
    ui::MessageBox(kValueRefused, "ERROR");
  }
}

void ResetScreenEditor(TMainForm& m) {
  Release(m, kEditorToolButtons);
  m.LineStart = m.LineEnd = {};
  m.LineStartFresh = 0;
  if (TempImageForm) TempImageForm->LineStartValue = 0;
  ForgetLine(m);
  if (SelectedValueForm) SelectedValueForm->Clear();
  EndEditorColourPicture(m);  // it was of the old panel 2
  m.EditorPicture.reset();
}

void TMainForm::ColorSpeedButtonClick() {
  if (BinaryImage.Empty() || !TempImageForm) return;
  TempImageForm->ShowPanel();
  Enable({"CuvetSpeedButton"}, false);
  Enable({"GoBackSpeedButton", "DilatSpeedButton", "AureoleSpeedButton", "PencilSpeedButton",
          "LineSpeedButton", "LocalFillingSpeedButton", "SaveScreenSpeedButton"});
  AskSelectedValue();
  // The colour image starts as the picture shown, so that a save before any edit is not black.
  if (ShowPanelFromTables(*this)) ColourMode = kColourModeRgb;
}

void TMainForm::CuvetSpeedButtonClick() {
  ToolCursor("CuvetSpeedButton", ui::crPot);
}

void TMainForm::PipetteSpeedButton1Click() {
  ToolCursor("PipetteSpeedButton1", ui::crPipette);
}

void TMainForm::PencilSpeedButtonClick() {
  if (IsDown("PencilSpeedButton")) AskSelectedValue();
  ToolCursor("PencilSpeedButton", ui::crPencil);
}

void TMainForm::LineSpeedButtonClick() {
  if (IsDown("LineSpeedButton")) {
    AskSelectedValue();
    // Deleting is offered only while there is a line to delete.
    if (EditorState == 1) Enable({"DelateLineSpeedButton"});
  }
  ToolCursor("LineSpeedButton", ui::crSACross);
}

void TMainForm::LocalFillingSpeedButtonClick() {
  if (IsDown("LocalFillingSpeedButton")) AskSelectedValue();
  ToolCursor("LocalFillingSpeedButton", ui::crSACross);
}

void TMainForm::DelateLineSpeedButtonClick() {
  // Once: the record is used up, so a second deletion never writes old values over later edits.
  if (EditorState == 1) RestoreLinePixels(BinaryImage, LineUndoValues, LineUndoPixels, LineUndoCount);
  ForgetLine(*this);
  ShowPanelFromTables(*this);
  Enable({"DelateLineSpeedButton"}, false);
  if (TempImageForm) TempImageForm->ShowPanel();
  ui::SetScreenCursor(ui::crArrow);
}

void TMainForm::GoBackSpeedButtonClick() {
  if (BinaryBackup.Empty() || !TempImageForm) return;
  BinaryImage = BinaryBackup.Clone();
  IMAGE gray(BinaryImage.Columns(), BinaryImage.Lines(), IMAGE::kGray);
  gray.SetFromPlane(BinaryImage);
  TempImageForm->ShowBitmap(gray);
  Enable(kReturnDisabled, false);
  Release(*this, kReturnDisabled);
  // The lines drawn are gone with the edits; the colour tables and the colour image stay, but the
  // picture shown is gray again and so is what the saves write.
  ForgetLine(*this);
  EndEditorColourPicture(*this);
}
