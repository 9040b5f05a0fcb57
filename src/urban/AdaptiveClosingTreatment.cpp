// The screen editor's "Adaptive Closing" button: the pieces of one value of panel 2 linked into one
// item; panel 2 becomes binary.
#include <cstdio>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "imaging/Allocators.h"
#include "imaging/Image.h"
#include "panels/ScreenEditor.h"
#include "panels/TempImage.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"
#include "urban/DiagDilation.h"
#include "urban/kernels/AdaptiveClosing.h"

namespace {

constexpr int kSelection = 1;
constexpr const char* kRecodedCaption = " PANEL 3 = RECODED IMAGE ";

std::string NoPieceText(int value) {
  char text[160];
  std::snprintf(text, sizeof text, "No item of the value %d inside the image frame\nPanel 2 is unchanged",
                value);
  return text;
}

}  // namespace

void TMainForm::DilatSpeedButtonClick() {
  if (BinaryImage.Empty()) return;
  if (FillMaskReady == 0 || FillMask.Lines() != BinaryImage.Lines() ||
      FillMask.Columns() != BinaryImage.Columns()) {
    FillMask = AllocByteMatrix(BinaryImage.Columns(), BinaryImage.Lines());
    FillMaskReady = FillMask.Empty() ? 0 : 1;
  }
  ui::ShowModal(*DiagDilationForm);
  const TDiagDilationForm& f = *DiagDilationForm;
  // Only the pieces of one value can be linked: "All items" has no linking of its own.
  if (f.TreatmentMode != kSelection) {
    ui::MessageBox(
        "Only the items of one selected value can be linked\nPlease choose \" Selection\" and a value",
        "INFO");
    return;
  }

  ui::SetScreenCursor(ui::crHourGlass);
  const AdaptiveClosingResult result = AdaptiveClosingLinking(BinaryImage, f.SelectedItem, FillMask);
  ui::SetScreenCursor(ui::crArrow);
  if (result.StartPieces == 0) {
    ui::MessageBox(NoPieceText(f.SelectedItem), "INFO");
    return;
  }
  FillMaskReady = 1;

  ReportPrintf("\n\n ADAPTIVE CLOSING LINKING ") && ReportPrintf("\n applied to a recoded image\n");
  ResultCaption = kRecodedCaption;
  PanelCaption = ResultCaption;

  BinaryImage = FillMask.Clone();
  // The item tables follow the pieces panel 2 now holds, so that none is shorter than ItemCount + 1.
  ItemCount = result.Pieces;
  ItemCodes = AllocIntVector(ItemCount + 1);
  ItemPixels = AllocIntVector(ItemCount + 1);
  ItemValues = AllocDoubleVector(ItemCount + 1);
  ItemValues2 = AllocDoubleVector(ItemCount + 1);
  // The editor's colour picture and its last line belong to the panel 2 replaced here.
  EndEditorColourPicture(*this);
  EditorState = 0;
  LineUndoCount = 0;
  LineUndoPixels.clear();
  Enable({"DelateLineSpeedButton"}, false);

  if (!TempImageForm) return;
  IMAGE image(BinaryImage.Columns(), BinaryImage.Lines(), IMAGE::kGray);
  image.SetFromPlane(BinaryImage);
  TempImageForm->ShowBitmap(image);
  TempImageForm->ShowPanel();
}
