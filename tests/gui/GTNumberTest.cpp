#include <QRadioButton>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "graytone/GTNumber.h"

namespace {

auto Treated(int image) {
  return [=](TGTNumberForm& f) {
    f.TreatedImage = image;
    return ui::mrOk;
  };
}

// 20 x 20, pixel (i, j) = 20 i + j truncated to a byte (every gray, some twice).
BytePlane Grays() {
  BytePlane plane(20, 20);
  for (int i = 0; i < 20; ++i)
    for (int j = 0; j < 20; ++j) plane[i][j] = static_cast<std::uint8_t>(20 * i + j);
  return plane;
}

// Items 1 .. 12 without 10 on background 255, each of a few pixels.
BytePlane Labels() {
  BytePlane plane(20, 20);
  plane.Fill(255);
  int code = 1;
  for (int k = 0; k < 11; ++k, ++code) {
    if (code == 10) ++code;
    plane[1 + k][2] = plane[1 + k][3] = static_cast<std::uint8_t>(code);
  }
  return plane;
}

}  // namespace

class GTNumberTest : public ProgramTest {};

TEST_F(GTNumberTest, CountsTheChosenPanel) {
  LoadOriginal(Grays());
  TMainForm& m = *MainForm;
  m.BinaryImage = Labels();
  m.HasLabeledImage = 1;
  // Panel 3: the ramp with a 6-pixel frame of another value, which is not counted.
  m.ResultImage.Fill(0);
  for (int i = 6; i < 14; ++i)
    for (int j = 6; j < 14; ++j) m.ResultImage[i][j] = static_cast<std::uint8_t>(100 + (i + j) % 5);
  m.ResultBorder = 6;
  struct Case {
    int image;
    const char* text;
  };
  const Case cases[] = {
      {0, " 256 gray tones in the Original Image "},
      {1, " 11 items in the labeled image "},
      {2, " 5 gray tones in the Resulting Image "},
  };
  for (const Case& c : cases) {
    ui.dialog<TGTNumberForm>(Treated(c.image)).message("", c.text);
    m.GTNumber1Click();
  }
  // A border that leaves no computed pixel counts nothing.
  m.ResultBorder = 10;
  ui.dialog<TGTNumberForm>(Treated(2)).message("", " 0 gray tones in the Resulting Image ");
  m.GTNumber1Click();
}

TEST_F(GTNumberTest, BinaryImagesCountOneItemAndTheHighCodesCount) {
  BytePlane binary(10, 10);
  binary.Fill(255);
  binary[3][3] = binary[7][7] = 1;
  LoadBinary(std::move(binary));
  ui.dialog<TGTNumberForm>([](TGTNumberForm& f) {
      f.RadioButton2Click();  // a binary image is enough
      f.BitBtn1Click();
      return f.ModalResult();
    }).message("", " 1 items in the labeled image ");
  MainForm->GTNumber1Click();
  for (int code = 250; code <= 254; ++code)
    MainForm->BinaryImage[0][code - 250] = static_cast<std::uint8_t>(code);
  ui.ok<TGTNumberForm>().message("", " 6 items in the labeled image ");
  MainForm->GTNumber1Click();
}

TEST_F(GTNumberTest, PanelTwoWithoutABinaryOrLabeledImageIsRefused) {
  LoadOriginal(Grays());
  TGTNumberForm& f = *GTNumberForm;
  EXPECT_EQ(std::tuple(f.TreatedImage, f.RadioButton3->isChecked()), std::tuple(2, true));
  // The refusal takes the check mark back to the button that had it: OK then counts that image.
  ui.dialog<TGTNumberForm>([](TGTNumberForm& form) {
      form.RadioButton1Click();
      form.RadioButton2->setChecked(true);  // as a click checks it before the handler runs
      form.RadioButton2Click();
      EXPECT_EQ(std::tuple(form.RadioButton1->isChecked(), form.RadioButton2->isChecked()),
                std::tuple(true, false));
      form.BitBtn1Click();
      return form.ModalResult();
    })
      .message("ERROR", "Labelled Image needed")
      .message("", " 256 gray tones in the Original Image ");
  MainForm->GTNumber1Click();
  EXPECT_EQ(f.TreatedImage, 0);

  // A choice of panel 2 left from an earlier image is refused and the window comes back.
  ui.dialog<TGTNumberForm>(Treated(1))
      .message("ERROR", "Labelled Image needed")
      .dialog<TGTNumberForm>([](TGTNumberForm& form) {
        EXPECT_EQ(std::tuple(form.TreatedImage, form.RadioButton3->isChecked()), std::tuple(2, true));
        return ui::mrCancel;  // however it is closed, the count runs
      })
      .message("", " 1 gray tones in the Resulting Image ");
  MainForm->GTNumber1Click();
}
