// " Extraction of the Dilation Contour": keeps in panel 2 only the pixels each item gained over the
// labeled image kept before editing, and tells the counts item by item.
#include <cstdio>
#include <string>

#include "app/MainWindow.h"
#include "imaging/Image.h"
#include "panels/ScreenEditor.h"
#include "panels/TempImage.h"
#include "panels/kernels/DilationContour.h"
#include "ui/Driver.h"

namespace {

std::string Format(const char* format, auto... values) {
  char text[128];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

}  // namespace

void TMainForm::AureoleSpeedButtonClick() {
  if (BinaryImage.Empty()) return;
  const DilationContourResult result = ExtractDilationContour(BinaryImage, BinaryBackup);
  ui::MessageBox(Format(" %d items in the labeled image ", static_cast<int>(result.Codes.size())), "");
  for (std::size_t k = 0; k < result.Codes.size(); ++k)
    ui::MessageBox(
        Format(" Num_pix_tot = %lld\n Num_pix_bord = %lld ", static_cast<long long>(result.TotalPixels[k]),
               static_cast<long long>(result.BorderPixels[k])),
        "");
  // Only item codes and the background are left, so every pixel shows as its own gray.
  IMAGE gray(BinaryImage.Columns(), BinaryImage.Lines(), IMAGE::kGray);
  gray.SetFromPlane(BinaryImage);
  if (TempImageForm) TempImageForm->ShowBitmap(gray);
  // The screen save now writes the contour, not an editor's picture of what came before.
  EndEditorColourPicture(*this);
}
