#include "sequence/Firmagram.h"

#include <algorithm>

#include "app/MainWindow.h"

TFirmagramForm* FirmagramForm = nullptr;

namespace {

constexpr int kWidth = 702, kHeight = 258;
// One pixel a value from x = 10: the curve stops at the 690th value.
constexpr int kDrawnValues = 690;

// The values readers use: entries 0 .. GtsLength - 1, never past the vector.
int UsedLength() {
  return HeldLength(MainForm->GtsLength, MainForm->GtsValues);
}

}  // namespace

TFirmagramForm::TFirmagramForm(QWidget* owner) : TDiagramForm(owner, " Partial Gray Tones Sequence") {
  AddPaintBox(kWidth, kHeight, [this](Canvas& canvas) { PaintBoxPaint(canvas); });
  AddButtons([this] { BitBtnSaveClick(); });
}

void TFirmagramForm::PaintBoxPaint(Canvas& canvas) {
  PaintSequenceCurve(canvas, kWidth, kHeight, 255, 128, MainForm->GtsValues, 0,
                     std::min(UsedLength(), kDrawnValues) - 1);
}

void TFirmagramForm::BitBtnSaveClick() {
  auto& flags = MainForm->DiagramSavedFlags;
  SaveDiagram({"Save Firmagram", "File .xls|*.xls|File .ts|*.ts", &flags.GtsSaved, &flags.GtsPending, true},
              [](FILE* file) { return WriteSequence(file, MainForm->GtsValues, 0, UsedLength() - 1); });
}
