#include "Program.h"
#include "graytone/kernels/GlobalFractal.h"

class GlobalFractalTest : public ProgramTest {
 protected:
  static std::string Header(int zone) {
    return Format("\n\nGLOBAL 3D FRACTAL DIMENSION\n\n\tmeasured in a square zone (%d x %d) ", zone, zone);
  }
  // Runs the treatment on `image`, report on or off, this message expected; returns the report's text.
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
// 8 x 8 is the smallest accepted; a cone (every ring of the same mean difference) has D = 3 and no
// correlation; a flat image no dimension.
TEST_F(GlobalFractalTest, MessagesAndReportLines) {
  const BytePlane smallest = MakeRandomGray(8, 8, 1);
  const std::string reported = "Values reported in the Report\n";
  const GlobalFractalResult r = GlobalFractalDimension(smallest);
  EXPECT_EQ(Run(smallest, true,
                reported + Format("Fractal Dimension : D=%lf\nCorrelation Coefficient r=%lf", r.Dimension,
                                  r.Correlation)),
            Header(8) + Format("\n\tFractal Dimension = %lf \n\tCorrelation Coefficient = %lf ", r.Dimension,
                               r.Correlation));
  BytePlane cone(30, 30), flat(20, 25);
  cone.Fill(10), cone[15][15] = 0;
  EXPECT_EQ(Run(cone, true, reported + "Fractal Dimension : D=3.000000\nCorrelation Coefficient r=undefined"),
            Header(30) + "\n\tFractal Dimension = 3.000000 \n\tCorrelation Coefficient = undefined ");
  Run(cone, false,
      "Fractal Dimension : D=3.000000\n\nCorrelation Coefficient r=undefined\n\nNo general Report");
  flat.Fill(60);
  const std::string undefined =
      "Fractal Dimension undefined:\nfewer than two distances show a height difference";
  EXPECT_EQ(
      Run(flat, true, reported + undefined),
      Header(20) + "\n\tFractal Dimension = undefined (fewer than two distances with a height difference) ");
  Run(flat, false, undefined + "\n\nNo general Report");
  EXPECT_EQ(Run(MakeRandomGray(7, 300, 1), true,
                "The image is too small:\nits smaller side must be at least 8 pixels"),
            "");
}
