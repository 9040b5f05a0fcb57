#include <QLineEdit>

#include "Panel3Checks.h"
#include "fixtures/Patterns.h"
#include "graytone/CubicGeneForm.h"
#include "graytone/kernels/CubicDensity.h"

class CubicDensityTest : public ProgramTest {};

// Each refusal ends the treatment after its message (the dialog is not shown again); Cancel changes
// nothing either. Then panel 3 receives the density itself, shown one gray above; the border of width h
// is white in both. The values are typed into the dialog's edits.
TEST_F(CubicDensityTest, RefusalsChangeNothingThenTheDensityIsShownOneGrayAboveAndSaved) {
  const std::tuple<int, int, const char*, const char*> refusals[] = {
      {kCubicUndefined, 2, "ERROR", "Half Window Size not defined"},
      {0, 2, "ERROR", "Half Window Size not defined"},
      {-3, 2, "ERROR", "Half Window Size not defined"},
      {1, kCubicUndefined, "ERROR", "Radiometric Jump not defined"},
      {1, 0, "ERROR", "Radiometric Jump not defined"},
      {10, 1, "CUBIC DENSITY", "The moving window (21 pixels a side)\nis larger than the image"},
      {2147483647, 1, "CUBIC DENSITY",
       "The moving window (4294967295 pixels a side)\nis larger than the image"}};
  const BytePlane image = MakeRandomGray(25, 20, 4);
  LoadOriginal(image.Clone());
  PutEarlierResult(p3CubicDensity);
  MainForm->WorkDirectory = Dir().string();
  const std::string report = ReportInto(Path("report.txt"));
  for (auto [h, jump, title, text] : refusals) {
    ui.dialog<TCubicGeneForm>([h, jump](TCubicGeneForm& f) {
        f.HalfWindowSize = h;
        f.RadiometricJump = jump;
        return ui::mrOk;
      }).message(title, text);
    MainForm->CubicDensityTreatment1Click();
    ExpectEarlierResult();
  }
  ui.dialog<TCubicGeneForm>([](TCubicGeneForm& f) {
    f.HalfWindowSize = f.RadiometricJump = 1;  // usable values, but Cancel
    return ui::mrCancel;
  });
  MainForm->CubicDensityTreatment1Click();
  ExpectEarlierResult();
  EXPECT_EQ(std::tuple(MainForm->DialogCancelBytes[cbCubicGene], ReadFile(report)), std::tuple(0, ""));

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
  EXPECT_EQ(Bytes(MainForm->ResultImage), Bytes(expected));
  EXPECT_EQ(std::tuple(ShownGray(5, 7), ShownGray(1, 7), ShownGray(5, 23)),
            std::tuple(expected[5][7] + 1, 255, 255));
  ExpectPublished(p3CubicDensity, " CUBIC DENSITY ", 2);
  ExpectPanel3Saved(report, Path("cubic"), "Cubic Density");
}
