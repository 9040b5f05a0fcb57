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
  const TMainForm& m = *MainForm;
  return std::max(0, std::min(m.GtsLength, static_cast<int>(m.GtsValues.size())));
}

}  // namespace

TFirmagramForm::TFirmagramForm(QWidget* owner) : TDiagramForm(owner, " Partial Gray Tones Sequence") {
  AddPaintBox(kWidth, kHeight, [this](Canvas& canvas) { PaintBoxPaint(canvas); });
  AddButtons([this] { BitBtnSaveClick(); });
}

void TFirmagramForm::PaintBoxPaint(Canvas& canvas) {
  const auto& v = MainForm->GtsValues;
  const int n = UsedLength();
  canvas.Fill(kWidth, kHeight);
  canvas.SetPen(Pen::Black);
  canvas.Line(2, 128, 700, 128);
  canvas.Line(9, 0, 9, 255);
  canvas.TextOut(12, 130, "128");
  if (n > 0) {
    // 255 at the top, 0 at the bottom.
    canvas.SetPen(Pen::Blue);
    canvas.MoveTo(10, 255 - v[0]);
    for (int i = 1; i < std::min(n, kDrawnValues); ++i) canvas.LineTo(10 + i, 255 - v[i]);
  }
}

void TFirmagramForm::BitBtnSaveClick() {
  auto& flags = MainForm->DiagramSavedFlags;
  SaveDiagram({"Save Firmagram", "File .xls|*.xls|File .ts|*.ts", &flags.GtsSaved, &flags.GtsPending, true},
              [](FILE* file) {
                const auto& v = MainForm->GtsValues;
                const int n = UsedLength();
                for (int i = 0; i < n; ++i)
                  if (std::fprintf(file, "%d\n", v[i]) < 0) return false;
                return true;
              });
}
