// Tools > Gray Tones Number: how many distinct values panel 1, panel 2 or panel 3 holds.
#include <cstdio>
#include <string>

#include "app/MainWindow.h"
#include "graytone/GTNumber.h"
#include "graytone/kernels/ValuePresence.h"
#include "ui/Driver.h"

namespace {

constexpr int kLastGray = 255;
constexpr int kLastItemCode = 254;  // 255 is the background

std::string CountText(const char* format, int n) {
  char text[96];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

}  // namespace

void TMainForm::GTNumber1Click() {
  if (!RequireImage()) return;
  // However the window is closed, the count runs with the image it holds; panel 2 only while it holds
  // a binary or labeled image (its choice may stand from an earlier image).
  for (;;) {
    ui::ShowModal(*GTNumberForm);
    if (GTNumberForm->TreatedImage != 1 || HasLabeledImage == 1 || HasBinaryImage == 1) break;
    ui::MessageBox("Labelled Image needed", "ERROR");
    GTNumberForm->TreatedImage = 2;
    GTNumberForm->CheckTreatedImage();
  }

  std::string text;
  switch (GTNumberForm->TreatedImage) {
    case 0:
      text = CountText(" %d gray tones in the Original Image ",
                       CountPresent(PresentValues(OriginalImage, 0), 0, kLastGray));
      break;
    case 1:
      text = CountText(" %d items in the labeled image ",
                       CountPresent(PresentValues(BinaryImage, 0), 0, kLastItemCode));
      break;
    default:
      // The frame of the last moving-window result holds no computed value.
      text = CountText(" %d gray tones in the Resulting Image ",
                       CountPresent(PresentValues(ResultImage, ResultBorder), 0, kLastGray));
      break;
  }
  ui::MessageBox(text, "");
}
