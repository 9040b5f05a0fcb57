// Binar. Treat. > Urban Field > Radial Expansion and Crown Expansion, end to end: the dialogs and
// their refusals, the curves kept for the diagram window, its file, the report and the menus.
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "Program.h"
#include "app/MainWindow.h"
#include "diagrams/DiagramForm.h"
#include "diagrams/RadialExpansion.h"
#include "fixtures/Patterns.h"
#include "panels/ReportForm.h"
#include "urban/ExpansionForms.h"
#include "urban/kernels/Expansion.h"

namespace {

constexpr int kLines = 40, kColumns = 60;

struct Radial {
  int imageType = 1, startType = 1, startLine = 0, startColumn = 0;
  double pixelSize = 2.5;
  int min = 0, max = 255, first = 10, lastType = 2, last = 13;
};

auto Answer(Radial v) {
  return [v](TDilBoxForm& f) {
    f.ImageType = v.imageType;
    f.StartType = v.startType;
    f.StartLine = v.startLine;
    f.StartColumn = v.startColumn;
    f.PixelSize = v.pixelSize;
    f.MinValue = v.min;
    f.MaxValue = v.max;
    f.FirstRadius = v.first;
    f.LastRadiusType = v.lastType;
    f.LastRadius = v.last;
    return ui::mrOk;
  };
}

struct Crown {
  int imageType = 2, startLine = 20, startColumn = 30;
  double pixelSize = 1;
  int min = 0, max = 100, first = 12, width = 4, lastType = 1, last = 0;
};

auto Answer(Crown v) {
  return [v](TCrownExpansionForm& f) {
    f.ImageType = v.imageType;
    f.StartLine = v.startLine;
    f.StartColumn = v.startColumn;
    f.PixelSize = v.pixelSize;
    f.MinValue = v.min;
    f.MaxValue = v.max;
    f.FirstRadius = v.first;
    f.CrownWidth = v.width;
    f.LastRadiusType = v.lastType;
    f.LastRadius = v.last;
    return ui::mrOk;
  };
}

template <class Form>
int Cancel(Form&) {
  return ui::mrCancel;
}

std::string Row(const ExpansionStep& s, int metres) {
  return Format("%d\t%2.4lf\t%2.4lf\t%d\n", s.Radius, s.FractalDimension, s.Density, metres);
}

class ExpansionTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(MakeGrayRamp(kColumns, kLines));
    MainForm->WorkDirectory = Dir().string();
  }
  std::string Report() { return ReadFile(Path("r.txt")); }
  // A result of an earlier run, which a refused or cancelled run must leave as it is.
  void PutEarlierResult() {
    ExpansionResults& e = MainForm->Expansion;
    e.FirstRadius = 3;
    e.StepCount = 1;
    e.LastRadius = 4;
    e.Radii = {0, 3, 0};
    e.FractalDimensions = {0, 1.5, 0};
    e.Densities = {0, 20, 0};
  }
  bool EarlierResultKept() {
    const ExpansionResults& e = MainForm->Expansion;
    return e.StepCount == 1 && e.Radii == std::vector<int>{0, 3, 0} &&
           e.Densities == std::vector<double>{0, 20, 0};
  }
};

}  // namespace

TEST_F(ExpansionTreatmentTest, RadialExpansionKeepsItsStepsShowsThemAndLogsTheSavedFile) {
  ReportInto(Path("r.txt"));
  MainForm->ExpansionSavedFlag = 1;  // saved in an earlier run: the new result may be saved again
  ui.dialog<TDilBoxForm>([](TDilBoxForm& f) {
      // Typed, as a person would: the edits convert at each change.
      f.ImageRadios[0]->click();
      f.StartRadios[0]->click();
      f.LastRadiusRadios[1]->click();
      f.PixelSizeEdit->setText("2.5");
      f.REMinValEdit->setText("0");
      f.REMaxValEdit->setText("255");
      f.WCZEdit->setText("10");
      f.LastRadiusEdit->setText("13x");
      EXPECT_TRUE(f.LastRadiusBox->isEnabled());
      return ui::mrOk;
    })
      .press<TRadialExpansionForm>(&TRadialExpansionForm::BitBtn1Click)
      .save(Path("exp"));
  MainForm->RE_TreatmentClick();

  ExpansionParams p;
  p.CentreLine = 20;
  p.CentreColumn = 30;
  p.FirstRadius = 10;
  p.LastRadius = 13;
  p.MaxValue = 255;
  const std::vector<ExpansionStep> steps = Expand(MainForm->OriginalImage, p);
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(ReadFile(Path("exp.xls")), "Radius Pix.\tDim. Fract.\tDensity\tRadius meters\n" +
                                           Row(steps[0], 25) + Row(steps[1], 27) + Row(steps[2], 30));
  EXPECT_EQ(steps[2].Density, 100.0);
  EXPECT_EQ(Report(),
            "\n\n RADIAL EXPANSION "
            "\n applied to the original image"
            "\n\n\tThreshold Values: Min = 0 Max = 255 "
            "\n\tGravity Center = Starting Point: "
            "\n\t\tLine = 20\n\t\tColumn = 30"
            "\n\tPixel Size = 2.500000 "
            "\n\n\tFirst Radius Circle = 10 "
            "\n\tLast Radius Circle = 13 defined by the user "
            "\n\n\tCorresponding .xls File registered\n\tin the file " +
                Path("exp.xls") + " ");

  const ExpansionResults& e = MainForm->Expansion;
  EXPECT_EQ(std::tuple(e.FirstRadius, e.LastRadius, e.StepCount, e.PixelSize), std::tuple(10, 13, 3, 2.5));
  EXPECT_EQ(e.Radii, (std::vector<int>{0, 10, 11, 12, 0}));
  EXPECT_EQ(e.FractalDimensions[1], steps[0].FractalDimension);
  EXPECT_EQ(e.Densities.size(), 5u);
  EXPECT_EQ(std::tuple(MainForm->ExpansionSavedFlag, MainForm->UrbanXlsFlags[uxExpansion]), std::tuple(1, 0));
  EXPECT_EQ(EnabledOf("Diagram1 RadialExpansion1"), "Diagram1 RadialExpansion1");
  // A completed run empties the edits and unchecks the treated image; the values are asked anew.
  EXPECT_TRUE(DilBoxForm->WCZEdit->text().isEmpty());
  EXPECT_TRUE(DilBoxForm->PixelSizeEdit->text().isEmpty());
  EXPECT_FALSE(DilBoxForm->ImageRadios[0]->isChecked());
  EXPECT_EQ(MainForm->DialogCancelBytes[cbDilBox], 0);
}

TEST_F(ExpansionTreatmentTest, RadialRefusalsComeInOrderWithTheDialogAndCancelChangesNothing) {
  ReportInto(Path("r.txt"));
  PutEarlierResult();
  Radial v;
  v.startType = 2;
  v.startLine = 20;
  v.startColumn = 30;
  struct Refusal {
    std::function<void(Radial&)> spoil;
    const char* message;
  };
  // Each value spoiled alone, in the order the dialog's values are tested.
  const Refusal refusals[] = {
      {[](Radial& r) { r.imageType = 0; }, "Type of treated image not defined"},
      {[](Radial& r) { r.startType = 0; }, "Type of Starting Point not defined"},
      {[](Radial& r) { r.startLine = 0; }, "Line Position of the Starting Point not defined"},
      {[](Radial& r) { r.startColumn = 0; }, "Column Position of the Starting Point not defined"},
      {[](Radial& r) { r.pixelSize = 0; }, "Pixel Size not defined"},
      {[](Radial& r) { r.min = 1000; }, "Threshold Minimum not defined"},
      {[](Radial& r) { r.max = 0; }, "Threshold Maximum not defined"},
      {[](Radial& r) { r.first = 0; }, "First Circle Size not defined"},
      {[](Radial& r) { r.lastType = 0; }, "Last Circle Radius Type not defined"},
      {[](Radial& r) { r.last = 0; }, "Last Radius not defined"},
      // Values the dialog lets through that the image cannot take.
      {[](Radial& r) { r.startLine = 40; }, "Starting Point outside the image"},
      {[](Radial& r) { r.startColumn = -2; }, "Starting Point outside the image"},
      {[](Radial& r) { r.pixelSize = -1; }, "Pixel Size must be a positive number"},
      {[](Radial& r) { r.first = -4; }, "First Circle Size must be positive"},
      {[](Radial& r) { r.last = 20; }, "Last Radius beyond the image border"},  // 40 - 1 - 20 = 19
      {[](Radial& r) { r.last = 10; }, "Last Radius must be greater than the First Circle Size"},
      {[](Radial& r) {
         r.lastType = 1;
         r.first = 19;  // the border gives 20 - 1 = 19: no step
       },
       "Last Radius must be greater than the First Circle Size"},
  };
  for (const Refusal& refusal : refusals) {
    Radial spoiled = v;
    refusal.spoil(spoiled);
    ui.dialog<TDilBoxForm>(Answer(spoiled)).message("ERROR", refusal.message);
  }
  // The dialog comes back with the chosen values' buttons checked again.
  ui.dialog<TDilBoxForm>([](TDilBoxForm& f) {
    EXPECT_TRUE(f.ImageRadios[0]->isChecked());
    EXPECT_TRUE(f.StartRadios[1]->isChecked());
    return ui::mrCancel;
  });
  MainForm->RE_TreatmentClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_TRUE(EarlierResultKept());
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(EnabledOf("Diagram1 RadialExpansion1"), "");
  EXPECT_EQ(MainForm->DialogCancelBytes[cbDilBox], 0);
}

TEST_F(ExpansionTreatmentTest, TheCentreTheBorderAndAnEmptyRangeAreAcceptedAtTheirLimits) {
  // A user centre at (1, 1) is defined, but the border there is at min(1, 39, 1, 59) - 1 = 0: no
  // step. At (3, 3) the border gives 3 - 1 = 2: one step, radius 1.
  ui.dialog<TDilBoxForm>(Answer(Radial{1, 2, 1, 1, 1, 0, 255, 1, 1, 0}))
      .message("ERROR", "Last Radius must be greater than the First Circle Size")
      .dialog<TDilBoxForm>(Answer(Radial{3, 2, 3, 3, 1, 200, 100, 1, 1, 0}))
      .ok<TRadialExpansionForm>();
  MainForm->RE_TreatmentClick();
  // Parametric image, an empty range: density and dimension 0 at radius 1, the only step.
  const ExpansionResults& e = MainForm->Expansion;
  EXPECT_EQ(std::tuple(e.StepCount, e.Radii[1], e.Densities[1], e.FractalDimensions[1]),
            std::tuple(1, 1, 0.0, 0.0));
}

TEST_F(ExpansionTreatmentTest, CrownExpansionFromTheImageCentreRingsOfTheGivenWidth) {
  ReportInto(Path("r.txt"));
  LoadBinary(MakeGrayRamp(kColumns, kLines));  // the ramp in panel 2: values 0 .. 97
  ui.dialog<TCrownExpansionForm>([](TCrownExpansionForm& f) {
      Answer(Crown{2, 0, 0, 0.5, 0, 100, 12, 4, 1, 0})(f);
      f.StartRadios[0]->click();  // "Image Center" writes the centre
      EXPECT_EQ(std::tuple(f.StartLine, f.StartColumn), std::tuple(20, 30));
      return ui::mrOk;
    })
      .press<TRadialExpansionForm>(&TRadialExpansionForm::BitBtn1Click)
      .save(Path("crown"));
  MainForm->CrownTreatmentClick();

  ExpansionParams p;
  p.CentreLine = 20;
  p.CentreColumn = 30;
  p.FirstRadius = 12;
  p.LastRadius = 19;
  p.CrownWidth = 4;
  p.MaxValue = 100;
  const std::vector<ExpansionStep> steps = Expand(MainForm->BinaryImage, p);
  ASSERT_EQ(steps.size(), 7u);
  std::string rows;
  for (const ExpansionStep& s : steps) rows += Row(s, s.Radius / 2);  // 0.5 m a pixel, truncated
  EXPECT_EQ(ReadFile(Path("crown.xls")), "Radius Pix.\tDim. Fract.\tDensity\tRadius meters\n" + rows);
  EXPECT_EQ(Report(),
            "\n\n CROWN EXPANSION "
            "\n applied to the binary image"
            "\n\n\tThreshold Values: Min = 0 Max = 100 "
            "\n\tCentral Starting Point: "
            "\n\t\tLine = 20\n\t\tColumn = 30"
            "\n\tPixel Size = 0.500000 "
            "\n\n\tFirst External Radius = 12 "
            "\n\tCrown Width = 4 "
            "\n\tLast External Radius = Image Border "
            "\n\n\tCorresponding .xls File registered\n\tin the file " +
                Path("crown.xls") + " ");
  // A ring holds fewer pixels than its disc: the density is of the ring.
  EXPECT_LT(steps[0].DiscPixels, 3.15 * 12 * 12);
  EXPECT_EQ(MainForm->Expansion.Densities[7], steps[6].Density);
  EXPECT_EQ(EnabledOf("Diagram1 RadialExpansion1"), "Diagram1 RadialExpansion1");
  EXPECT_TRUE(CrownExpansionForm->CrownWidthEdit->text().isEmpty());
  EXPECT_EQ(MainForm->DialogCancelBytes[cbCrownExpansion], 0);
}

TEST_F(ExpansionTreatmentTest, CrownRefusalsComeInOrderAndAMinimumOfZeroIsDefined) {
  ReportInto(Path("r.txt"));
  PutEarlierResult();
  struct Refusal {
    std::function<void(Crown&)> spoil;
    const char* message;
  };
  const Refusal refusals[] = {
      {[](Crown& c) { c.imageType = 0; }, "Type of treated image not defined"},
      {[](Crown& c) { c.startLine = 0; }, "Line starting point not defined"},
      {[](Crown& c) { c.startColumn = 0; }, "Column starting point not defined"},
      {[](Crown& c) { c.pixelSize = 0; }, "Pixel Size not defined"},
      {[](Crown& c) { c.min = -1; }, "Threshold Minimum not defined"},
      {[](Crown& c) { c.max = 0; }, "Threshold Maximum not defined"},
      {[](Crown& c) { c.first = 0; }, "First External Radius not defined"},
      {[](Crown& c) { c.width = 0; }, "Crown Thickness not defined"},
      {[](Crown& c) { c.lastType = 0; }, "Last External Radius Type not defined"},
      {[](Crown& c) { c.lastType = 2; }, "Last Radius not defined by the User"},
      {[](Crown& c) { c.startColumn = 60; }, "Starting point outside the image"},
      {[](Crown& c) { c.width = -1; }, "Crown Thickness must be positive"},
      {[](Crown& c) { c.width = 12; }, "Crown Thickness must be smaller than the First External Radius"},
      {[](Crown& c) {
         c.lastType = 2;
         c.last = 20;
       },
       "Last External Radius beyond the image border"},
      {[](Crown& c) {
         c.lastType = 2;
         c.last = 12;
       },
       "Last External Radius must be greater than the First External Radius"},
  };
  for (const Refusal& refusal : refusals) {
    Crown spoiled;
    refusal.spoil(spoiled);
    ui.dialog<TCrownExpansionForm>(Answer(spoiled)).message("ERROR", refusal.message);
  }
  ui.dialog<TCrownExpansionForm>(Cancel<TCrownExpansionForm>);
  MainForm->CrownTreatmentClick();
  EXPECT_TRUE(EarlierResultKept());
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(EnabledOf("Diagram1 RadialExpansion1"), "");

  // A minimum of 0 is a value; with the report off the curves are made all the same and the saved
  // file waits to be named.
  ReportForm->ReportOff = 1;
  ui.dialog<TCrownExpansionForm>(Answer(Crown{}))
      .press<TRadialExpansionForm>(&TRadialExpansionForm::BitBtn1Click)
      .save(Path("quiet"));
  MainForm->CrownTreatmentClick();
  EXPECT_EQ(MainForm->Expansion.StepCount, 19 - 12);
  EXPECT_EQ(MainForm->UrbanXlsFlags[uxExpansion], 1);
  EXPECT_EQ(Report(), "");
}

TEST_F(ExpansionTreatmentTest, EditsConvertAtEachChange) {
  TDilBoxForm& f = *DilBoxForm;
  f.PixelSizeEdit->setText("0.75m");
  f.REMinValEdit->setText("12a");
  f.RELineEdit->setText("");
  EXPECT_EQ(std::tuple(f.PixelSize, f.MinValue, f.StartLine), std::tuple(0.75, 12, 0));
  TCrownExpansionForm& c = *CrownExpansionForm;
  c.CrownWidthEdit->setText("7");
  c.MinEdit->setText("-1");
  EXPECT_EQ(std::tuple(c.CrownWidth, c.MinValue), std::tuple(7, -1));
}

TEST_F(ExpansionTreatmentTest, ANewImageTakesTheCurvesAway) {
  ui.dialog<TDilBoxForm>(Answer(Radial{})).ok<TRadialExpansionForm>();
  MainForm->RE_TreatmentClick();
  ASSERT_EQ(MainForm->Expansion.StepCount, 3);
  MainForm->UrbanXlsFlags[uxExpansion] = 1;
  WriteFile(Path("next.raw"), std::string(6, '\x07'));
  WriteFile(Path("next.txt"), "2\n3\n");
  ui.open(Path("next.raw"), 1).dialog<TReportForm>(NoReport);
  MainForm->Open1Click();
  EXPECT_EQ(MainForm->ImageLines, 2);
  EXPECT_EQ(MainForm->Expansion.StepCount, 0);
  EXPECT_TRUE(MainForm->Expansion.Radii.empty());
  EXPECT_EQ(MainForm->UrbanXlsFlags[uxExpansion], 0);
  EXPECT_EQ(EnabledOf("RadialExpansion1"), "");
}
