#include <string>

#include "Program.h"
#include "app/MainWindow.h"
#include "diagrams/DiagramForm.h"
#include "fixtures/Patterns.h"
#include "fixtures/Surfaces.h"
#include "graytone/kernels/GlobalFractal.h"
#include "panels/ReportForm.h"

namespace {

constexpr const char* kTitle = "GLOBAL FRACTAL DIMENSION";

// Every ring holds the same mean difference: slope 0, D = 3, and no spread for a correlation.
BytePlane Cone(int size) {
  BytePlane plane(size, size);
  plane.Fill(10);
  plane[size / 2][size / 2] = 0;
  return plane;
}

}  // namespace

class GlobalFractalTest : public ProgramTest {};

TEST_F(GlobalFractalTest, ReportsTheDimensionAndCorrelationOfTheWholeImage) {
  LoadOriginal(fixtures::TiltedPlane(120, 90, 10, 0.7, 0.9));
  const GlobalFractalResult expected = GlobalFractalDimension(MainForm->OriginalImage);
  const std::string d = Format("%lf", expected.Dimension), r = Format("%lf", expected.Correlation);
  MainForm->LastFractalDimension = 42;
  const std::string report = ReportInto(Path("report.txt"));
  ui.message(kTitle, "Values reported in the Report\nFractal Dimension : D=" + d +
                         "\nCorrelation Coefficient r=" + r);
  MainForm->GlobalFractalTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            "\n\nGLOBAL 3D FRACTAL DIMENSION\n\n\tmeasured in a square zone (90 x 90) "
            "\n\tFractal Dimension = " +
                d + " \n\tCorrelation Coefficient = " + r + " ");
  EXPECT_NEAR(expected.Dimension, 2.0, 0.1);
  EXPECT_EQ(MainForm->LastFractalDimension, 42);  // nothing of the state is written
  EXPECT_EQ(MainForm->ResultBorder, 0);
}

TEST_F(GlobalFractalTest, WithoutReportTheValuesGoToTheMessageOnly) {
  LoadOriginal(Cone(30));
  ui.message(kTitle,
             "Fractal Dimension : D=3.000000\n\nCorrelation Coefficient r=undefined\n\nNo general Report");
  MainForm->GlobalFractalTreatment1Click();
}

TEST_F(GlobalFractalTest, UndefinedCorrelationIsReportedAsSuch) {
  LoadOriginal(Cone(30));
  const std::string report = ReportInto(Path("report.txt"));
  ui.message(
      kTitle,
      "Values reported in the Report\nFractal Dimension : D=3.000000\nCorrelation Coefficient r=undefined");
  MainForm->GlobalFractalTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            "\n\nGLOBAL 3D FRACTAL DIMENSION\n\n\tmeasured in a square zone (30 x 30) "
            "\n\tFractal Dimension = 3.000000 \n\tCorrelation Coefficient = undefined ");
}

TEST_F(GlobalFractalTest, AFlatImageHasNoDimension) {
  BytePlane flat(20, 25);
  flat.Fill(60);
  LoadOriginal(std::move(flat));
  const std::string report = ReportInto(Path("report.txt"));
  ui.message(kTitle,
             "Values reported in the Report\nFractal Dimension undefined:\n"
             "fewer than two distances show a height difference");
  MainForm->GlobalFractalTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            "\n\nGLOBAL 3D FRACTAL DIMENSION\n\n\tmeasured in a square zone (20 x 20) "
            "\n\tFractal Dimension = undefined (fewer than two distances with a height "
            "difference) ");

  ReportForm->ReportOff = 1;
  ui.message(kTitle,
             "Fractal Dimension undefined:\nfewer than two distances show a height difference"
             "\n\nNo general Report");
  MainForm->GlobalFractalTreatment1Click();
}

TEST_F(GlobalFractalTest, ImagesNarrowerThanEightAreRefused) {
  LoadOriginal(MakeRandomGray(7, 300, 1));
  const std::string report = ReportInto(Path("report.txt"));
  ui.message(kTitle, "The image is too small:\nits smaller side must be at least 8 pixels");
  MainForm->GlobalFractalTreatment1Click();
  EXPECT_EQ(ReadFile(report), "");

  LoadOriginal(MakeRandomGray(8, 8, 1));  // the smallest accepted
  ui.message(kTitle, "Values reported in the Report\nFractal Dimension : D=" +
                         Format("%lf", GlobalFractalDimension(MainForm->OriginalImage).Dimension) +
                         "\nCorrelation Coefficient r=" +
                         Format("%lf", GlobalFractalDimension(MainForm->OriginalImage).Correlation));
  MainForm->GlobalFractalTreatment1Click();
}
