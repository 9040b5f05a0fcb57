#include <QLineEdit>

#include "Panel3Checks.h"
#include "graytone/CubicGeneForm.h"
#include "graytone/kernels/CubicDensity.h"

class CubicDensityTest : public ProgramTest {};

// Each refusal (or Cancel) ends the treatment after its message, changing nothing. Then panel 3 holds the
// density, shown one gray above, the border of width h white; the values are typed into the edits.
TEST_F(CubicDensityTest, RefusalsChangeNothingThenTheDensityIsShownOneGrayAboveAndSaved) {
  const auto answer = FormAnswer(&TCubicGeneForm::HalfWindowSize, &TCubicGeneForm::RadiometricJump);
  const BytePlane image = MakeRandomGray(25, 20, 4);
  LoadOriginal(image.Clone());
  PutEarlierResult(p3CubicDensity);
  MainForm->WorkDirectory = Dir().string();
  const std::string report = ReportInto(Path("report.txt")), larger = "\nis larger than the image";
  for (auto [h, jump, title, text] :
       {std::tuple(kCubicUndefined, 2, "ERROR", std::string("Half Window Size not defined")),
        {0, 2, "ERROR", "Half Window Size not defined"},
        {-3, 2, "ERROR", "Half Window Size not defined"},
        {1, kCubicUndefined, "ERROR", "Radiometric Jump not defined"},
        {1, 0, "ERROR", "Radiometric Jump not defined"},
        {10, 1, "CUBIC DENSITY", "The moving window (21 pixels a side)" + larger},
        {2147483647, 1, "CUBIC DENSITY", "The moving window (4294967295 pixels a side)" + larger}}) {
    ui.dialog<TCubicGeneForm>(answer(h, jump)).message(title, text);
    MainForm->CubicDensityTreatment1Click();
    ExpectEarlierResult();
  }
  ui.dialog<TCubicGeneForm>([&](TCubicGeneForm& f) { return answer(1, 1)(f), ui::mrCancel; });
  MainForm->CubicDensityTreatment1Click();
  ExpectEarlierResult(report, cbCubicGene);
  BytePlane expected;
  ASSERT_TRUE(CubicDensity(image, 2, 3, expected));
  ui.dialog<TCubicGeneForm>([](TCubicGeneForm& f) {
      f.HWSEdit->setText("2b");
      f.JumpEdit->setText("3");
      return ui::mrOk;
    }).save(Path("cubic"), 1);
  MainForm->CubicDensityTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            "\n\n CUBIC DENSITY\n\n\tMoving Window: Range = 2  Size = 5 \n\tReflectance jumping = 3 ");
  EXPECT_EQ(std::tuple(Bytes(MainForm->ResultImage), ShownGray(5, 7), ShownGray(1, 7), ShownGray(5, 23)),
            std::tuple(Bytes(expected), expected[5][7] + 1, 255, 255));
  ExpectPublished(p3CubicDensity, " CUBIC DENSITY ", 2);
  ExpectPanel3Saved(report, Path("cubic"), "Cubic Density");
}
