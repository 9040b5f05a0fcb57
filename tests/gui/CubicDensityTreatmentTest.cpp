#include <QLineEdit>

#include "Panel3Checks.h"
#include "graytone/CubicGeneForm.h"
#include "graytone/kernels/CubicDensity.h"

class CubicDensityTest : public Panel3Test {};

// Refusals and Cancel change nothing; panel 3 holds the density, shown one gray above, its border white.
TEST_F(CubicDensityTest, RefusalsChangeNothingThenTheDensityIsShownOneGrayAboveAndSaved) {
  const auto answer = FormAnswer(&TCubicGeneForm::HalfWindowSize, &TCubicGeneForm::RadiometricJump);
  const BytePlane image = MakeRandomGray(25, 20, 4);
  PutEarlierResult(p3CubicDensity, image.Clone());
  const auto refused = [&](int h, int jump, const char* title, const std::string& text) {
    ui.dialog<TCubicGeneForm>(answer(h, jump)).message(title, text);
    MainForm->CubicDensityTreatment1Click();
    ExpectEarlierResult();
  };
  for (int h : {kCubicUndefined, 0}) refused(h, 2, "ERROR", "Half Window Size not defined");
  for (int jump : {kCubicUndefined, 0}) refused(1, jump, "ERROR", "Radiometric Jump not defined");
  refused(10, 1, "CUBIC DENSITY", "The moving window (21 pixels a side)\nis larger than the image");
  refused(2147483647, 1, "CUBIC DENSITY",
          "The moving window (4294967295 pixels a side)\nis larger than the image");
  ui.dialog<TCubicGeneForm>([&](TCubicGeneForm& f) { return answer(1, 1)(f), ui::mrCancel; });
  MainForm->CubicDensityTreatment1Click();
  ExpectEarlierResult(cbCubicGene);
  BytePlane expected;
  ASSERT_TRUE(CubicDensity(image, 2, 3, expected));
  ui.dialog<TCubicGeneForm>([](TCubicGeneForm& f) {
      return f.HWSEdit->setText("2b"), f.JumpEdit->setText("3"), ui::mrOk;
    }).save(Path("cubic"), 1);
  MainForm->CubicDensityTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            "\n\n CUBIC DENSITY\n\n\tMoving Window: Range = 2  Size = 5 \n\tReflectance jumping = 3 ");
  EXPECT_EQ(std::tuple(Bytes(MainForm->ResultImage), ShownGray(5, 7), ShownGray(1, 7), ShownGray(5, 23)),
            std::tuple(Bytes(expected), expected[5][7] + 1, 255, 255));
  ExpectPublished(p3CubicDensity, " CUBIC DENSITY ", 2);
  ExpectPanel3Saved(Path("cubic"), "Cubic Density");
}
