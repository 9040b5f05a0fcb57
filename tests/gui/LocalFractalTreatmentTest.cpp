#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

#include "Panel3Checks.h"
#include "diagrams/DiagLocFractDim.h"
#include "graytone/LocalFract.h"
#include "graytone/kernels/LocalFractal.h"

class LocalFractalTest : public Panel3Test {
 protected:
  static constexpr const char* kTitle = "LOCAL FRACTAL DIMENSION";
  static std::string Statistics(double min, double max, double mean) {
    return Format("Min = %lf Max = %lf \nMean value = %lf", min, max, mean) +
           "\n\nValues reported in the general report";
  }
};
// A flat image has one dimension (h = 6: counts 726, 108, 32, 18, 4), one tone (0) and one bin.
TEST_F(LocalFractalTest, FlatImageThenRefusalsThenScaledBetweenExtremesAndRegisteredBySavingPanelThree) {
  constexpr double kFlat = 2.8479424275809393;
  PutEarlierResult(p3LocalFractal, Flat(30, 26, 90));
  ASSERT_EQ(EnabledOf("Diagram1 DiagLocalFractal1"), "");
  ui.dialog<TLocalFractForm>(
        [](TLocalFractForm& f) { return f.WindowSize = 12, f.HValEdit->setText("0.5x"), ui::mrOk; })
      .message(kTitle, Statistics(kFlat, kFlat, kFlat))
      .press<TDiagLocFractDimForm>(&TDiagLocFractDimForm::BitBtnSaveClick)
      .save(Path("curve"));
  TMainForm& m = *MainForm;
  m.LocFracTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            "\n\nLOCAL FRACTAL DIMENSION\n\n\tMoving window size: 12 H coefficient 0.500000 " +
                Format("\n\tMin = %lf Max = %lf Mean = %lf ", kFlat, kFlat, kFlat) +
                "\n\n\tLocal Fractal Dimension Diagram registered\n\tin the file " + Path("curve.xls") + " ");
  // Shown: lines and columns 6 .. size - 7 in gray 0; the last window's regression points 1 .. 5.
  EXPECT_EQ(std::tuple(CountOf(m.ResultImage, 0), CountOf(m.ResultImage, 255), m.BinCounts[284],
                       m.LocalFractalRange[0], m.LocalFractalRange[1], m.LastFractalDimension,
                       m.DiagramSavedFlags.LocalFractalPending, m.RegressionY.size(), m.RegressionY.at(1),
                       m.RegressionX.at(5), EnabledOf("Diagram1 DiagLocalFractal1")),
            std::tuple(14 * 18, 30 * 26 - 14 * 18, 14 * 18, 284, 284, kFlat, 0, 6u, std::log(726.0),
                       std::log(6.0), "Diagram1 DiagLocalFractal1"));
  const std::string caption = " LOCAL FRACTAL DIMENSION  WINDOW SIZE  12  Coeff H = 0.50 ";
  ExpectPublished(p3LocalFractal, caption, 6);
  EXPECT_EQ(std::tuple(m.SavedPanelCaption, m.ResultCaption), std::tuple(caption, caption));
  // The refusals; the extremes shown take the ends of the gray scale; a new curve forgets the last one's
  // save.
  const auto answer = FormAnswer(&TLocalFractForm::WindowSize, &TLocalFractForm::HFactor);
  report = ReportInto(Path("report2.txt"));
  PutEarlierResult(p3LocalFractal, MakeRandomGray(40, 23, 2));
  ui.dialog<TLocalFractForm>(answer(0, 0.5)).message("ERROR", "Moving Window Size not defined");
  for (double h : {0.0, std::nan("")})
    ui.dialog<TLocalFractForm>(answer(24, h)).message("ERROR", "H Factor not defined");
  ui.dialog<TLocalFractForm>(answer(24, 1e308))  // a height scale of 1e310
      .message("ERROR", "H Factor out of range:\nthe results cannot be computed");
  ui.dialog<TLocalFractForm>([](TLocalFractForm&) { return ui::mrCancel; });
  m.LocFracTreatment1Click();
  ExpectEarlierResult();
  ui.dialog<TLocalFractForm>(answer(24, 1.0))
      .message(kTitle, "The image is smaller than the moving window:\nno pixel can be computed");
  m.LocFracTreatment1Click();
  ExpectEarlierResult(cbLocalFract);
  LoadOriginal(MakeRandomGray(40, 36, 5));
  DoublePlane fd(40, 36);
  const LocalFractalResult expected = LocalFractalDimension(m.OriginalImage, {24, -0.1}, fd);
  ASSERT_LT(expected.Min, expected.Max);
  auto& flags = m.DiagramSavedFlags;
  flags.LocalFractalSaved = flags.LocalFractalPending = 1;  // the last curve was saved and waits to be named
  ui.dialog<TLocalFractForm>(
        [](TLocalFractForm& f) { return f.RadioButton2->click(), f.HFactor = -0.1, ui::mrOk; })
      .message(kTitle, Statistics(expected.Min, expected.Max, expected.Sum / expected.Count))
      .ok<TDiagLocFractDimForm>()
      .save(Path("lfd"), 1);
  m.LocFracTreatment1Click();
  const BytePlane& panel = m.ResultImage;
  for (int i = 12; i <= 36 - 13; ++i)
    for (int j = 12; j <= 40 - 13; ++j)
      EXPECT_TRUE((fd[i][j] != expected.Min || panel[i][j] == 0) &&
                  (fd[i][j] != expected.Max || panel[i][j] == 254))
          << i << "," << j;
  // Shown: lines 12 .. 23, columns 12 .. 27.
  EXPECT_EQ(std::tuple(CountOf(panel, 255), flags.LocalFractalSaved, flags.LocalFractalPending),
            std::tuple(40 * 36 - 12 * 16, 0, 0));
  ExpectPanel3Saved(Path("lfd"), "Local Fractal Dimension");
}
