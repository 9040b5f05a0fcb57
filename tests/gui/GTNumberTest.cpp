#include <QRadioButton>

#include "Program.h"
#include "fixtures/Pixels.h"
#include "graytone/GTNumber.h"

class GTNumberTest : public ProgramTest {};
static const auto Treated = FormAnswer(&TGTNumberForm::TreatedImage);

// The refusal puts the check mark back; a choice of panel 2 left from an earlier image is refused. Then
// panel 1: every gray; panel 2: items 1 .. 12 but 10; panel 3: five grays in a 6-pixel frame.
TEST_F(GTNumberTest, PanelTwoWithoutItemsIsRefusedThenTheChosenPanelIsCounted) {
  LoadOriginal(MakeNumbered(20, 20, 20));
  TGTNumberForm& f = *GTNumberForm;
  EXPECT_EQ(std::tuple(f.TreatedImage, f.RadioButton3->isChecked()), std::tuple(2, true));
  ui.dialog<TGTNumberForm>([](TGTNumberForm& form) {
      form.RadioButton1Click(), form.RadioButton2->setChecked(true);  // as a click checks it first
      form.RadioButton2Click();
      EXPECT_EQ(std::tuple(form.RadioButton1->isChecked(), form.RadioButton2->isChecked()),
                std::tuple(true, false));
      return form.BitBtn1Click(), form.ModalResult();
    })
      .message("ERROR", "Labelled Image needed")
      .message("", " 256 gray tones in the Original Image ");
  MainForm->GTNumber1Click();
  EXPECT_EQ(f.TreatedImage, 0);
  ui.dialog<TGTNumberForm>(Treated(1))
      .message("ERROR", "Labelled Image needed")
      .dialog<TGTNumberForm>([](TGTNumberForm& form) {
        EXPECT_EQ(std::tuple(form.TreatedImage, form.RadioButton3->isChecked()), std::tuple(2, true));
        return ui::mrCancel;  // however it is closed, the count runs
      })
      .message("", " 1 gray tones in the Resulting Image ");
  MainForm->GTNumber1Click();
  TMainForm& m = *MainForm;
  m.BinaryImage.Fill(255);
  for (int k = 0, code = 1; k < 11; ++k, ++code)
    m.BinaryImage[1 + k][2] = m.BinaryImage[1 + k][3] = code += code == 10;
  m.HasLabeledImage = 1;
  m.ResultImage.Fill(0);
  for (int i = 6; i < 14; ++i)
    for (int j = 6; j < 14; ++j) m.ResultImage[i][j] = static_cast<std::uint8_t>(100 + (i + j) % 5);
  // A border of 10 leaves no computed pixel: nothing counted.
  for (auto [image, border, text] : {std::tuple(1, 6, " 11 items in the labeled image "),
                                     {2, 6, " 5 gray tones in the Resulting Image "},
                                     {2, 10, " 0 gray tones in the Resulting Image "}}) {
    m.ResultBorder = border;
    ui.dialog<TGTNumberForm>(Treated(image)).message("", text);
    m.GTNumber1Click();
  }
  // A binary image is enough to count panel 2; the high codes count as items.
  m.BinaryImage.Fill(255), m.BinaryImage[3][3] = m.BinaryImage[7][7] = 1, m.HasLabeledImage = 0;
  LoadBinary(m.BinaryImage.Clone());
  ui.dialog<TGTNumberForm>([](TGTNumberForm& form) {
      return form.RadioButton2Click(), form.BitBtn1Click(), form.ModalResult();
    }).message("", " 1 items in the labeled image ");
  m.GTNumber1Click();
  for (int code = 250; code <= 254; ++code) m.BinaryImage[0][code - 250] = static_cast<std::uint8_t>(code);
  ui.ok<TGTNumberForm>().message("", " 6 items in the labeled image ");
  m.GTNumber1Click();
}
