// Urban Field > Radial and Crown Expansion end to end: refusals, curves, the diagram's file, report, menus.
#include <QLineEdit>
#include <QRadioButton>

#include "Program.h"
#include "diagrams/RadialExpansion.h"
#include "urban/ExpansionForms.h"
#include "urban/kernels/Expansion.h"

namespace {

using D = TDilBoxForm;
using C = TCrownExpansionForm;
// Valid: (1, 2, 20, 30, 2.5, 0, 255, 10, 2, 13), original image, user's centre of the 40 x 60 ramp.
const auto Radial =
    FormAnswer(&D::ImageType, &D::StartType, &D::StartLine, &D::StartColumn, &D::PixelSize, &D::MinValue,
               &D::MaxValue, &D::FirstRadius, &D::LastRadiusType, &D::LastRadius);
// Valid: (2, 20, 30, 1.0, 0, 100, 12, 4, 1, 0), binary image, rings of 4 from 12 to the border.
const auto Crown =
    FormAnswer(&C::ImageType, &C::StartLine, &C::StartColumn, &C::PixelSize, &C::MinValue, &C::MaxValue,
               &C::FirstRadius, &C::CrownWidth, &C::LastRadiusType, &C::LastRadius);

std::string Row(const ExpansionStep& s, int metres) {
  return Format("%d\t%2.4lf\t%2.4lf\t%d\n", s.Radius, s.FractalDimension, s.Density, metres);
}

constexpr const char* kHeader = "Radius Pix.\tDim. Fract.\tDensity\tRadius meters\n";

class ExpansionTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(MakeGrayRamp(60, 40));
    MainForm->WorkDirectory = Dir().string();
  }
  std::string Report() { return ReadFile(Path("r.txt")); }
};

}  // namespace

TEST_F(ExpansionTreatmentTest, RadialExpansionKeepsItsStepsShowsThemAndLogsTheSavedFile) {
  ReportInto(Path("r.txt"));
  MainForm->ExpansionSavedFlag = 1;  // saved in an earlier run: the new result may be saved again
  ui.dialog<D>([](D& f) {
      // Typed, as a person would: the edits convert at each change.
      f.ImageRadios[0]->click();
      f.StartRadios[0]->click();
      f.LastRadiusRadios[1]->click();
      QLineEdit* edits[] = {f.PixelSizeEdit, f.REMinValEdit, f.REMaxValEdit, f.WCZEdit, f.LastRadiusEdit};
      const char* texts[] = {"2.5", "0", "255", "10", "13x"};
      for (int k = 0; k < 5; ++k) edits[k]->setText(texts[k]);
      return ui::mrOk;
    })
      .press<TRadialExpansionForm>(&TRadialExpansionForm::BitBtn1Click)
      .save(Path("exp"));
  MainForm->RE_TreatmentClick();
  const std::vector<ExpansionStep> steps = Expand(MainForm->OriginalImage, {20, 30, 10, 13, 0, 0, 255});
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(ReadFile(Path("exp.xls")), kHeader + Row(steps[0], 25) + Row(steps[1], 27) + Row(steps[2], 30));
  EXPECT_EQ(Report(),
            "\n\n RADIAL EXPANSION \n applied to the original image\n\n\tThreshold Values: Min = 0 Max = 255 "
            "\n\tGravity Center = Starting Point: \n\t\tLine = 20\n\t\tColumn = 30\n\tPixel Size = 2.500000 "
            "\n\n\tFirst Radius Circle = 10 \n\tLast Radius Circle = 13 defined by the user "
            "\n\n\tCorresponding .xls File registered\n\tin the file " +
                Path("exp.xls") + " ");
  const ExpansionResults& e = MainForm->Expansion;
  EXPECT_EQ(std::tuple(e.FirstRadius, e.LastRadius, e.StepCount, e.PixelSize), std::tuple(10, 13, 3, 2.5));
  EXPECT_EQ(e.Radii, (std::vector<int>{0, 10, 11, 12, 0}));
  EXPECT_EQ(std::tuple(e.FractalDimensions[1], e.Densities.size(), MainForm->ExpansionSavedFlag,
                       MainForm->UrbanXlsFlags[uxExpansion]),
            std::tuple(steps[0].FractalDimension, 5u, 1, 0));
  EXPECT_EQ(EnabledOf("Diagram1 RadialExpansion1"), "Diagram1 RadialExpansion1");
  // A completed run empties the edits: the values are asked anew.
  EXPECT_EQ(std::tuple(DilBoxForm->WCZEdit->text().isEmpty(), DilBoxForm->PixelSizeEdit->text().isEmpty(),
                       DilBoxForm->ImageRadios[0]->isChecked(), MainForm->DialogCancelBytes[cbDilBox]),
            std::tuple(true, true, false, 0));
}

TEST_F(ExpansionTreatmentTest, CrownExpansionFromTheImageCentreRingsOfTheGivenWidth) {
  ReportInto(Path("r.txt"));
  LoadBinary(MakeGrayRamp(60, 40));  // the ramp in panel 2: values 0 .. 97
  ui.dialog<C>([](C& f) {
      Crown(2, 0, 0, 0.5, 0, 100, 12, 4, 1, 0)(f);
      f.StartRadios[0]->click();  // "Image Center" writes the centre
      EXPECT_EQ(std::tuple(f.StartLine, f.StartColumn), std::tuple(20, 30));
      return ui::mrOk;
    })
      .press<TRadialExpansionForm>(&TRadialExpansionForm::BitBtn1Click)
      .save(Path("crown"));
  MainForm->CrownTreatmentClick();
  const std::vector<ExpansionStep> steps = Expand(MainForm->BinaryImage, {20, 30, 12, 19, 4, 0, 100});
  ASSERT_EQ(steps.size(), 7u);
  std::string rows;
  for (const ExpansionStep& s : steps) rows += Row(s, s.Radius / 2);  // 0.5 m a pixel, truncated
  EXPECT_EQ(ReadFile(Path("crown.xls")), kHeader + rows);
  EXPECT_EQ(Report(),
            "\n\n CROWN EXPANSION \n applied to the binary image\n\n\tThreshold Values: Min = 0 Max = 100 "
            "\n\tCentral Starting Point: \n\t\tLine = 20\n\t\tColumn = 30\n\tPixel Size = 0.500000 "
            "\n\n\tFirst External Radius = 12 \n\tCrown Width = 4 \n\tLast External Radius = Image Border "
            "\n\n\tCorresponding .xls File registered\n\tin the file " +
                Path("crown.xls") + " ");
  EXPECT_EQ(MainForm->Expansion.Densities[7], steps[6].Density);
  EXPECT_EQ(EnabledOf("Diagram1 RadialExpansion1"), "Diagram1 RadialExpansion1");
  EXPECT_EQ(std::tuple(CrownExpansionForm->CrownWidthEdit->text().isEmpty(),
                       MainForm->DialogCancelBytes[cbCrownExpansion]),
            std::tuple(true, 0));
}

TEST_F(ExpansionTreatmentTest, RefusalsCancelLimitsAndANewImageTakesTheCurvesAway) {
  ReportInto(Path("r.txt"));
  ExpansionResults& e = MainForm->Expansion;
  const auto earlier = std::tuple(1, std::vector<int>{0, 3, 0}, std::vector<double>{0, 20, 0});
  std::tie(e.StepCount, e.Radii, e.Densities) = earlier;
  const char* const last = "Last Radius must be greater than the First Circle Size";
  const std::pair<std::function<int(D&)>, const char*> radial[] = {
      {Radial(0, 2, 20, 30, 2.5, 0, 255, 10, 2, 13), "Type of treated image not defined"},
      {Radial(1, 0, 20, 30, 2.5, 0, 255, 10, 2, 13), "Type of Starting Point not defined"},
      {Radial(1, 2, 0, 30, 2.5, 0, 255, 10, 2, 13), "Line Position of the Starting Point not defined"},
      {Radial(1, 2, 20, 0, 2.5, 0, 255, 10, 2, 13), "Column Position of the Starting Point not defined"},
      {Radial(1, 2, 20, 30, 0.0, 0, 255, 10, 2, 13), "Pixel Size not defined"},
      {Radial(1, 2, 20, 30, 2.5, 1000, 255, 10, 2, 13), "Threshold Minimum not defined"},
      {Radial(1, 2, 20, 30, 2.5, 0, 0, 10, 2, 13), "Threshold Maximum not defined"},
      {Radial(1, 2, 20, 30, 2.5, 0, 255, 0, 2, 13), "First Circle Size not defined"},
      {Radial(1, 2, 20, 30, 2.5, 0, 255, 10, 0, 13), "Last Circle Radius Type not defined"},
      {Radial(1, 2, 20, 30, 2.5, 0, 255, 10, 2, 0), "Last Radius not defined"},
      // Values the dialog lets through that the image cannot take.
      {Radial(1, 2, 40, 30, 2.5, 0, 255, 10, 2, 13), "Starting Point outside the image"},
      {Radial(1, 2, 20, 30, -1.0, 0, 255, 10, 2, 13), "Pixel Size must be a positive number"},
      // The radius 12 in metres, beyond the file's integers.
      {Radial(1, 2, 20, 30, 2e8, 0, 255, 10, 2, 13),
       "Pixel Size out of range:\nthe results cannot be computed"},
      {Radial(1, 2, 20, 30, 1e308, 0, 255, 10, 2, 13),
       "Pixel Size out of range:\nthe results cannot be computed"},
      {Radial(1, 2, 20, 30, 2.5, 0, 255, -4, 2, 13), "First Circle Size must be positive"},
      {Radial(1, 2, 20, 30, 2.5, 0, 255, 10, 2, 20), "Last Radius beyond the image border"},
      {Radial(1, 2, 20, 30, 2.5, 0, 255, 10, 2, 10), last},
      {Radial(1, 2, 20, 30, 2.5, 0, 255, 19, 1, 13), last},  // the border gives 19: no step
  };
  for (const auto& [answer, message] : radial) ui.dialog<D>(answer).message("ERROR", message);
  // The dialog comes back with the chosen values' buttons checked again.
  ui.dialog<D>([](D& f) {
    EXPECT_TRUE(f.ImageRadios[0]->isChecked() && f.StartRadios[1]->isChecked());
    return ui::mrCancel;
  });
  MainForm->RE_TreatmentClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_EQ(MainForm->DialogCancelBytes[cbDilBox], 0);
  const std::pair<std::function<int(C&)>, const char*> crown[] = {
      {Crown(0, 20, 30, 1.0, 0, 100, 12, 4, 1, 0), "Type of treated image not defined"},
      {Crown(2, 0, 30, 1.0, 0, 100, 12, 4, 1, 0), "Line starting point not defined"},
      {Crown(2, 20, 0, 1.0, 0, 100, 12, 4, 1, 0), "Column starting point not defined"},
      {Crown(2, 20, 30, 0.0, 0, 100, 12, 4, 1, 0), "Pixel Size not defined"},
      {Crown(2, 20, 30, 1.0, -1, 100, 12, 4, 1, 0), "Threshold Minimum not defined"},
      {Crown(2, 20, 30, 1.0, 0, 0, 12, 4, 1, 0), "Threshold Maximum not defined"},
      {Crown(2, 20, 30, 1.0, 0, 100, 0, 4, 1, 0), "First External Radius not defined"},
      {Crown(2, 20, 30, 1.0, 0, 100, 12, 0, 1, 0), "Crown Thickness not defined"},
      {Crown(2, 20, 30, 1.0, 0, 100, 12, 4, 0, 0), "Last External Radius Type not defined"},
      {Crown(2, 20, 30, 1.0, 0, 100, 12, 4, 2, 0), "Last Radius not defined by the User"},
      {Crown(2, 20, 60, 1.0, 0, 100, 12, 4, 1, 0), "Starting point outside the image"},
      {Crown(2, 20, 30, 1.0, 0, 100, 12, -1, 1, 0), "Crown Thickness must be positive"},
      {Crown(2, 20, 30, 1.0, 0, 100, 12, 12, 1, 0),
       "Crown Thickness must be smaller than the First External Radius"},
      {Crown(2, 20, 30, 1.0, 0, 100, 12, 4, 2, 20), "Last External Radius beyond the image border"},
      {Crown(2, 20, 30, 1.0, 0, 100, 12, 4, 2, 12),
       "Last External Radius must be greater than the First External Radius"},
      {Crown(2, 20, 30, 1e308, 0, 100, 12, 4, 1, 0),
       "Pixel Size out of range:\nthe results cannot be computed"},
  };
  for (const auto& [answer, message] : crown) ui.dialog<C>(answer).message("ERROR", message);
  ui.dialog<C>([](C&) { return ui::mrCancel; });
  MainForm->CrownTreatmentClick();
  EXPECT_EQ(std::tie(e.StepCount, e.Radii, e.Densities), earlier);
  EXPECT_EQ(std::tuple(Report(), EnabledOf("Diagram1 RadialExpansion1")), std::tuple("", ""));
  // A minimum of 0 is a value; with the report off the saved file waits to be named.
  ReportForm->ReportOff = 1;
  ui.dialog<C>(Crown(2, 20, 30, 1.0, 0, 100, 12, 4, 1, 0))
      .press<TRadialExpansionForm>(&TRadialExpansionForm::BitBtn1Click)
      .save(Path("quiet"));
  MainForm->CrownTreatmentClick();
  EXPECT_EQ(std::tuple(e.StepCount, MainForm->UrbanXlsFlags[uxExpansion], Report()),
            std::tuple(19 - 12, 1, ""));
  // At (3, 3) the border gives one step, radius 1; an empty range is accepted.
  ui.dialog<D>(Radial(3, 2, 3, 3, 2.5, 200, 100, 1, 1, 13)).ok<TRadialExpansionForm>();
  MainForm->RE_TreatmentClick();
  EXPECT_EQ(std::tuple(e.StepCount, e.Radii[1]), std::tuple(1, 1));
  MainForm->UrbanXlsFlags[uxExpansion] = 1;
  OpenThroughTheMenu(BytePlane(3, 2));
  EXPECT_EQ(
      std::tuple(MainForm->ImageLines, e.StepCount, e.Radii.empty(), MainForm->UrbanXlsFlags[uxExpansion]),
      std::tuple(2, 0, true, 0));
  EXPECT_EQ(EnabledOf("RadialExpansion1"), "");
}
