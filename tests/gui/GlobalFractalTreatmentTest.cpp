#include <string>

#include "Program.h"
#include "app/MainWindow.h"
#include "diagrams/DiagramForm.h"
#include "fixtures/Patterns.h"
#include "fixtures/Surfaces.h"
#include "graytone/kernels/GlobalFractal.h"
#include "panels/ReportForm.h"

namespace {

std::string Header(int zone) {
  return Format("\n\nGLOBAL 3D FRACTAL DIMENSION\n\n\tmeasured in a square zone (%d x %d) ", zone, zone);
}

std::string Reported(const GlobalFractalResult& r) {
  return "Values reported in the Report\nFractal Dimension : D=" + Format("%lf", r.Dimension) +
         "\nCorrelation Coefficient r=" + Format("%lf", r.Correlation);
}

}  // namespace

class GlobalFractalTest : public ProgramTest {
 protected:
  // Runs the treatment on `image` with the report on or off, the message expected; returns what the
  // report received.
  std::string Run(const BytePlane& image, bool report, const std::string& message) {
    LoadOriginal(image.Clone());
    const std::string path = Path("report" + std::to_string(++runs_) + ".txt");
    ReportInto(path);
    ReportForm->ReportOff = report ? 0 : 1;
    ui.message("GLOBAL FRACTAL DIMENSION", message);
    MainForm->GlobalFractalTreatment1Click();
    return ReadFile(path);
  }
  int runs_ = 0;
};

// A cone (every ring of the same mean difference) has D = 3 and no correlation.
TEST_F(GlobalFractalTest, MessagesAndReportLines) {
  const BytePlane tilted = fixtures::TiltedPlane(120, 90, 10, 0.7, 0.9);
  const GlobalFractalResult expected = GlobalFractalDimension(tilted);
  EXPECT_EQ(Run(tilted, true, Reported(expected)),
            Header(90) + Format("\n\tFractal Dimension = %lf \n\tCorrelation Coefficient = %lf ",
                                expected.Dimension, expected.Correlation));
  BytePlane cone(30, 30);
  cone.Fill(10);
  cone[15][15] = 0;
  EXPECT_EQ(Run(cone, true,
                "Values reported in the Report\nFractal Dimension : D=3.000000\nCorrelation Coefficient "
                "r=undefined"),
            Header(30) + "\n\tFractal Dimension = 3.000000 \n\tCorrelation Coefficient = undefined ");
  Run(cone, false,
      "Fractal Dimension : D=3.000000\n\nCorrelation Coefficient r=undefined\n\nNo general Report");
  // A flat image has no dimension; an image narrower than 8 is refused, 8 x 8 is the smallest accepted.
  BytePlane flat(20, 25);
  flat.Fill(60);
  const std::string undefined =
      "Fractal Dimension undefined:\nfewer than two distances show a height difference";
  EXPECT_EQ(
      Run(flat, true, "Values reported in the Report\n" + undefined),
      Header(20) + "\n\tFractal Dimension = undefined (fewer than two distances with a height difference) ");
  Run(flat, false, undefined + "\n\nNo general Report");
  EXPECT_EQ(Run(MakeRandomGray(7, 300, 1), true,
                "The image is too small:\nits smaller side must be at least 8 pixels"),
            "");
  const BytePlane smallest = MakeRandomGray(8, 8, 1);
  Run(smallest, true, Reported(GlobalFractalDimension(smallest)));
}
