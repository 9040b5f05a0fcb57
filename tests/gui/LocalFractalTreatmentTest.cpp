#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

#include "Panel3Checks.h"
#include "diagrams/DiagLocFractDim.h"
#include "fixtures/Patterns.h"
#include "graytone/LocalFract.h"
#include "graytone/kernels/LocalFractal.h"

namespace {

constexpr const char* kTitle = "LOCAL FRACTAL DIMENSION";

auto Parameters(int windowSize, double h) {
  return [=](TLocalFractForm& f) {
    f.WindowSize = windowSize;
    f.HFactor = h;
    return ui::mrOk;
  };
}

std::string Statistics(double min, double max, double mean) {
  return Format("Min = %lf Max = %lf \nMean value = %lf", min, max, mean) +
         "\n\nValues reported in the general report";
}

}  // namespace

class LocalFractalTest : public ProgramTest {};

// A flat image has one dimension (h = 6: counts 726, 108, 32, 18, 4), drawn in one tone (0) and counted
// in one bin; its frequency curve is saved from the diagram and named in the report. The factor is
// typed into the dialog's edit.
TEST_F(LocalFractalTest, FlatImageGivesOneDimensionOneToneAndItsBin) {
  constexpr double kFlat = 2.8479424275809393;
  BytePlane flat(30, 26);
  flat.Fill(90);
  LoadOriginal(std::move(flat));
  PutEarlierResult(p3LocalFractal);
  MainForm->WorkDirectory = Dir().string();
  const std::string report = ReportInto(Path("report.txt"));
  ASSERT_EQ(EnabledOf("Diagram1 DiagLocalFractal1"), "");
  ui.dialog<TLocalFractForm>([](TLocalFractForm& f) {
      f.WindowSize = 12;
      f.HValEdit->setText("0.5x");
      return ui::mrOk;
    })
      .message(kTitle, Statistics(kFlat, kFlat, kFlat))
      .press<TDiagLocFractDimForm>(&TDiagLocFractDimForm::BitBtnSaveClick)
      .save(Path("curve"));
  MainForm->LocFracTreatment1Click();

  EXPECT_EQ(ReadFile(report),
            "\n\nLOCAL FRACTAL DIMENSION\n\n\tMoving window size: 12 H coefficient 0.500000 " +
                Format("\n\tMin = %lf Max = %lf Mean = %lf ", kFlat, kFlat, kFlat) +
                "\n\n\tLocal Fractal Dimension Diagram registered\n\tin the file " + Path("curve.xls") + " ");
  const TMainForm& m = *MainForm;
  // Shown: lines and columns 6 .. size - 7 in gray 0 (no range), the rest white.
  EXPECT_EQ(std::tuple(CountOf(m.ResultImage, 0), CountOf(m.ResultImage, 255)),
            std::tuple(14 * 18, 30 * 26 - 14 * 18));
  EXPECT_EQ(std::tuple(m.BinCounts[284], m.LocalFractalRange[0], m.LocalFractalRange[1],
                       m.LastFractalDimension, m.DiagramSavedFlags.LocalFractalPending),
            std::tuple(14 * 18, 284, 284, kFlat, 0));
  // The regression points of the last window, entries 1 .. 5.
  EXPECT_EQ(std::tuple(m.RegressionY.size(), m.RegressionY.at(1), m.RegressionX.at(5)),
            std::tuple(6u, std::log(726.0), std::log(6.0)));
  const std::string caption = " LOCAL FRACTAL DIMENSION  WINDOW SIZE  12  Coeff H = 0.50 ";
  ExpectPublished(p3LocalFractal, caption, 6);
  EXPECT_EQ(std::tuple(m.SavedPanelCaption, m.ResultCaption), std::tuple(caption, caption));
  EXPECT_EQ(EnabledOf("Diagram1 DiagLocalFractal1"), "Diagram1 DiagLocalFractal1");
}

// Missing values bring the dialog back; Cancel, then an image smaller than the window, change nothing.
// Then the extremes among the pixels shown take the ends of the gray scale; a new curve forgets the
// last one's save; saving panel 3 registers the image.
TEST_F(LocalFractalTest, RefusalsThenScaledBetweenMinimumAndMaximumAndRegisteredBySavingPanelThree) {
  LoadOriginal(MakeRandomGray(40, 23, 2));
  PutEarlierResult(p3LocalFractal);
  MainForm->WorkDirectory = Dir().string();
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TLocalFractForm>(Parameters(0, 0.5))
      .message("ERROR", "Moving Window Size not defined")
      .dialog<TLocalFractForm>(Parameters(24, 0))
      .message("ERROR", "H Factor not defined")
      .dialog<TLocalFractForm>(Parameters(24, std::nan("")))
      .message("ERROR", "H Factor not defined")
      .dialog<TLocalFractForm>(Parameters(24, INFINITY))
      .message("ERROR", "H Factor not defined")
      .dialog<TLocalFractForm>([](TLocalFractForm&) { return ui::mrCancel; });
  MainForm->LocFracTreatment1Click();
  ExpectEarlierResult();
  ui.dialog<TLocalFractForm>(Parameters(24, 1.0))
      .message(kTitle, "The image is smaller than the moving window:\nno pixel can be computed");
  MainForm->LocFracTreatment1Click();
  ExpectEarlierResult();
  EXPECT_EQ(std::tuple(MainForm->DialogCancelBytes[cbLocalFract], ReadFile(report)), std::tuple(0, ""));

  LoadOriginal(MakeRandomGray(40, 36, 5));
  DoublePlane fd(40, 36);
  const LocalFractalResult expected = LocalFractalDimension(MainForm->OriginalImage, {24, -0.1}, fd);
  ASSERT_LT(expected.Min, expected.Max);
  auto& flags = MainForm->DiagramSavedFlags;
  flags.LocalFractalSaved = flags.LocalFractalPending = 1;  // the last curve was saved and waits to be named
  ui.dialog<TLocalFractForm>([](TLocalFractForm& f) {
      f.RadioButton2->click();
      f.HFactor = -0.1;
      return ui::mrOk;
    })
      .message(kTitle, Statistics(expected.Min, expected.Max, expected.Sum / expected.Count))
      .ok<TDiagLocFractDimForm>()
      .save(Path("lfd"), 1);
  MainForm->LocFracTreatment1Click();
  const BytePlane& panel = MainForm->ResultImage;
  for (int i = 12; i <= 36 - 13; ++i)
    for (int j = 12; j <= 40 - 13; ++j)
      EXPECT_TRUE((fd[i][j] != expected.Min || panel[i][j] == 0) &&
                  (fd[i][j] != expected.Max || panel[i][j] == 254))
          << i << "," << j;
  EXPECT_EQ(CountOf(panel, 255), 40 * 36 - 12 * 16);  // shown: lines 12 .. 23, columns 12 .. 27
  EXPECT_EQ(std::tuple(flags.LocalFractalSaved, flags.LocalFractalPending), std::tuple(0, 0));
  ExpectPanel3Saved(report, Path("lfd"), "Local Fractal Dimension");
}
