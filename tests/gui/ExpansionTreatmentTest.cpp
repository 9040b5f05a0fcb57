// Binar. Treat. > Urban Field > Radial Expansion and Crown Expansion, end to end: the dialogs and
// their refusals, the curves kept for the diagram window, its file, the report and the menus.
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "Program.h"
#include "app/MainWindow.h"
#include "diagrams/RadialExpansion.h"
#include "fixtures/Patterns.h"
#include "panels/ReportForm.h"
#include "urban/ExpansionForms.h"
#include "urban/kernels/Expansion.h"

namespace {

// Values every check lets through: the original image, centre (20, 30) of the 40 x 60 ramp given by
// the user, 2.5 m a pixel, the radii 10 .. 12 up to 13 given by the user.
void Valid(TDilBoxForm& f) {
  std::tie(f.ImageType, f.StartType, f.StartLine, f.StartColumn, f.PixelSize, f.MinValue, f.MaxValue,
           f.FirstRadius, f.LastRadiusType, f.LastRadius) = std::tuple(1, 2, 20, 30, 2.5, 0, 255, 10, 2, 13);
}

// The binary image from (20, 30), 1 m a pixel, values 0 .. 100, rings of 4 from 12 to the border.
void Valid(TCrownExpansionForm& f) {
  std::tie(f.ImageType, f.StartLine, f.StartColumn, f.PixelSize, f.MinValue, f.MaxValue, f.FirstRadius,
           f.CrownWidth, f.LastRadiusType, f.LastRadius) = std::tuple(2, 20, 30, 1.0, 0, 100, 12, 4, 1, 0);
}

template <class Form>
std::function<int(Form&)> With(std::function<void(Form&)> change = [](Form&) {}) {
  return [change](Form& f) {
    Valid(f);
    change(f);
    return ui::mrOk;
  };
}

using D = TDilBoxForm;
using C = TCrownExpansionForm;
template <class Form>
using Refusals = std::vector<std::pair<std::function<void(Form&)>, const char*>>;

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
  ui.dialog<TDilBoxForm>([](D& f) {
      // Typed, as a person would: the edits convert at each change.
      f.ImageRadios[0]->click();
      f.StartRadios[0]->click();
      f.LastRadiusRadios[1]->click();
      QLineEdit* edits[] = {f.PixelSizeEdit, f.REMinValEdit, f.REMaxValEdit, f.WCZEdit, f.LastRadiusEdit};
      const char* texts[] = {"2.5", "0", "255", "10", "13x"};
      for (int k = 0; k < 5; ++k) edits[k]->setText(texts[k]);
      EXPECT_TRUE(f.LastRadiusBox->isEnabled());
      return ui::mrOk;
    })
      .press<TRadialExpansionForm>(&TRadialExpansionForm::BitBtn1Click)
      .save(Path("exp"));
  MainForm->RE_TreatmentClick();

  const std::vector<ExpansionStep> steps = Expand(MainForm->OriginalImage, {20, 30, 10, 13, 0, 0, 255});
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(ReadFile(Path("exp.xls")), kHeader + Row(steps[0], 25) + Row(steps[1], 27) + Row(steps[2], 30));
  EXPECT_EQ(steps[2].Density, 100.0);
  EXPECT_EQ(Report(),
            "\n\n RADIAL EXPANSION \n applied to the original image\n\n\tThreshold Values: Min = 0 Max = 255 "
            "\n\tGravity Center = Starting Point: \n\t\tLine = 20\n\t\tColumn = 30\n\tPixel Size = 2.500000 "
            "\n\n\tFirst Radius Circle = 10 \n\tLast Radius Circle = 13 defined by the user "
            "\n\n\tCorresponding .xls File registered\n\tin the file " +
                Path("exp.xls") + " ");
  const ExpansionResults& e = MainForm->Expansion;
  EXPECT_EQ(std::tuple(e.FirstRadius, e.LastRadius, e.StepCount, e.PixelSize), std::tuple(10, 13, 3, 2.5));
  EXPECT_EQ(e.Radii, (std::vector<int>{0, 10, 11, 12, 0}));
  EXPECT_EQ(std::tuple(e.FractalDimensions[1], e.Densities.size()),
            std::tuple(steps[0].FractalDimension, 5u));
  EXPECT_EQ(std::tuple(MainForm->ExpansionSavedFlag, MainForm->UrbanXlsFlags[uxExpansion]), std::tuple(1, 0));
  EXPECT_EQ(EnabledOf("Diagram1 RadialExpansion1"), "Diagram1 RadialExpansion1");
  // A completed run empties the edits and unchecks the treated image; the values are asked anew.
  EXPECT_EQ(std::tuple(DilBoxForm->WCZEdit->text().isEmpty(), DilBoxForm->PixelSizeEdit->text().isEmpty(),
                       DilBoxForm->ImageRadios[0]->isChecked(), MainForm->DialogCancelBytes[cbDilBox]),
            std::tuple(true, true, false, 0));
}

TEST_F(ExpansionTreatmentTest, CrownExpansionFromTheImageCentreRingsOfTheGivenWidth) {
  ReportInto(Path("r.txt"));
  LoadBinary(MakeGrayRamp(60, 40));  // the ramp in panel 2: values 0 .. 97
  ui.dialog<TCrownExpansionForm>([](C& f) {
      Valid(f);
      std::tie(f.StartLine, f.StartColumn, f.PixelSize) = std::tuple(0, 0, 0.5);
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
  // A ring holds fewer pixels than its disc: the density is of the ring.
  EXPECT_LT(steps[0].DiscPixels, 3.15 * 12 * 12);
  EXPECT_EQ(MainForm->Expansion.Densities[7], steps[6].Density);
  EXPECT_EQ(EnabledOf("Diagram1 RadialExpansion1"), "Diagram1 RadialExpansion1");
  EXPECT_TRUE(CrownExpansionForm->CrownWidthEdit->text().isEmpty());
  EXPECT_EQ(MainForm->DialogCancelBytes[cbCrownExpansion], 0);
}

TEST_F(ExpansionTreatmentTest,
       RefusalsComeInOrderWithTheDialogCancelChangesNothingAndAMinimumOfZeroIsDefined) {
  ReportInto(Path("r.txt"));
  // A result of an earlier run, which refused and cancelled runs leave as it is.
  ExpansionResults& e = MainForm->Expansion;
  std::tie(e.StepCount, e.Radii, e.Densities) =
      std::tuple(1, std::vector<int>{0, 3, 0}, std::vector<double>{0, 20, 0});
  const Refusals<D> radial = {
      {[](D& f) { f.ImageType = 0; }, "Type of treated image not defined"},
      {[](D& f) { f.StartType = 0; }, "Type of Starting Point not defined"},
      {[](D& f) { f.StartLine = 0; }, "Line Position of the Starting Point not defined"},
      {[](D& f) { f.StartColumn = 0; }, "Column Position of the Starting Point not defined"},
      {[](D& f) { f.PixelSize = 0; }, "Pixel Size not defined"},
      {[](D& f) { f.MinValue = 1000; }, "Threshold Minimum not defined"},
      {[](D& f) { f.MaxValue = 0; }, "Threshold Maximum not defined"},
      {[](D& f) { f.FirstRadius = 0; }, "First Circle Size not defined"},
      {[](D& f) { f.LastRadiusType = 0; }, "Last Circle Radius Type not defined"},
      {[](D& f) { f.LastRadius = 0; }, "Last Radius not defined"},
      // Values the dialog lets through that the image cannot take.
      {[](D& f) { f.StartLine = 40; }, "Starting Point outside the image"},
      {[](D& f) { f.StartColumn = -2; }, "Starting Point outside the image"},
      {[](D& f) { f.PixelSize = -1; }, "Pixel Size must be a positive number"},
      {[](D& f) { f.FirstRadius = -4; }, "First Circle Size must be positive"},
      {[](D& f) { f.LastRadius = 20; }, "Last Radius beyond the image border"},  // 40 - 1 - 20 = 19
      {[](D& f) { f.LastRadius = 10; }, "Last Radius must be greater than the First Circle Size"},
      // The border gives 20 - 1 = 19: no step; at a user centre (1, 1), min(1, 39, 1, 59) - 1 = 0.
      {[](D& f) { f.LastRadiusType = 1, f.FirstRadius = 19; },
       "Last Radius must be greater than the First Circle Size"},
      {[](D& f) { f.LastRadiusType = 1, f.FirstRadius = 1, f.StartLine = f.StartColumn = 1; },
       "Last Radius must be greater than the First Circle Size"},
  };
  for (const auto& [spoil, message] : radial) ui.dialog<TDilBoxForm>(With(spoil)).message("ERROR", message);
  // The dialog comes back with the chosen values' buttons checked again.
  ui.dialog<TDilBoxForm>([](D& f) {
    EXPECT_TRUE(f.ImageRadios[0]->isChecked() && f.StartRadios[1]->isChecked());
    return ui::mrCancel;
  });
  MainForm->RE_TreatmentClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_EQ(MainForm->DialogCancelBytes[cbDilBox], 0);
  const Refusals<C> crown = {
      {[](C& f) { f.ImageType = 0; }, "Type of treated image not defined"},
      {[](C& f) { f.StartLine = 0; }, "Line starting point not defined"},
      {[](C& f) { f.StartColumn = 0; }, "Column starting point not defined"},
      {[](C& f) { f.PixelSize = 0; }, "Pixel Size not defined"},
      {[](C& f) { f.MinValue = -1; }, "Threshold Minimum not defined"},
      {[](C& f) { f.MaxValue = 0; }, "Threshold Maximum not defined"},
      {[](C& f) { f.FirstRadius = 0; }, "First External Radius not defined"},
      {[](C& f) { f.CrownWidth = 0; }, "Crown Thickness not defined"},
      {[](C& f) { f.LastRadiusType = 0; }, "Last External Radius Type not defined"},
      {[](C& f) { f.LastRadiusType = 2; }, "Last Radius not defined by the User"},
      {[](C& f) { f.StartColumn = 60; }, "Starting point outside the image"},
      {[](C& f) { f.CrownWidth = -1; }, "Crown Thickness must be positive"},
      {[](C& f) { f.CrownWidth = 12; }, "Crown Thickness must be smaller than the First External Radius"},
      {[](C& f) { f.LastRadiusType = 2, f.LastRadius = 20; }, "Last External Radius beyond the image border"},
      {[](C& f) { f.LastRadiusType = 2, f.LastRadius = 12; },
       "Last External Radius must be greater than the First External Radius"},
  };
  for (const auto& [spoil, message] : crown)
    ui.dialog<TCrownExpansionForm>(With(spoil)).message("ERROR", message);
  ui.dialog<TCrownExpansionForm>([](TCrownExpansionForm&) { return ui::mrCancel; });
  MainForm->CrownTreatmentClick();
  EXPECT_EQ(std::tuple(e.StepCount, e.Radii, e.Densities),
            std::tuple(1, std::vector<int>{0, 3, 0}, std::vector<double>{0, 20, 0}));
  EXPECT_EQ(std::tuple(Report(), EnabledOf("Diagram1 RadialExpansion1")), std::tuple("", ""));

  // A minimum of 0 is a value; with the report off the curves are made all the same and the saved
  // file waits to be named.
  ReportForm->ReportOff = 1;
  ui.dialog<TCrownExpansionForm>(With<TCrownExpansionForm>())
      .press<TRadialExpansionForm>(&TRadialExpansionForm::BitBtn1Click)
      .save(Path("quiet"));
  MainForm->CrownTreatmentClick();
  EXPECT_EQ(std::tuple(MainForm->Expansion.StepCount, MainForm->UrbanXlsFlags[uxExpansion]),
            std::tuple(19 - 12, 1));
  EXPECT_EQ(Report(), "");
}

TEST_F(ExpansionTreatmentTest, TheBorderAndAnEmptyRangeAtTheirLimitsAndANewImageTakesTheCurvesAway) {
  // At (3, 3) the border gives 3 - 1 = 2: one step, radius 1; on the parametric image with an empty
  // range, density and dimension 0.
  ui.dialog<D>(With<D>([](D& f) {
      std::tie(f.ImageType, f.StartLine, f.StartColumn, f.MinValue, f.MaxValue, f.FirstRadius,
               f.LastRadiusType) = std::tuple(3, 3, 3, 200, 100, 1, 1);
    }))
      .ok<TRadialExpansionForm>();
  MainForm->RE_TreatmentClick();
  const ExpansionResults& e = MainForm->Expansion;
  EXPECT_EQ(std::tuple(e.StepCount, e.Radii[1], e.Densities[1], e.FractalDimensions[1]),
            std::tuple(1, 1, 0.0, 0.0));
  MainForm->UrbanXlsFlags[uxExpansion] = 1;
  OpenThroughTheMenu(BytePlane(3, 2));
  EXPECT_EQ(
      std::tuple(MainForm->ImageLines, e.StepCount, e.Radii.empty(), MainForm->UrbanXlsFlags[uxExpansion]),
      std::tuple(2, 0, true, 0));
  EXPECT_EQ(EnabledOf("RadialExpansion1"), "");
}
