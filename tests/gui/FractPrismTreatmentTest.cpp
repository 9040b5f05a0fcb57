#include <cmath>

#include "Panel3Checks.h"
#include "app/TreatStartForm.h"
#include "diagrams/DiagramForm.h"
#include "fixtures/Patterns.h"
#include "graytone/kernels/FractPrism.h"
#include "panels/ReportForm.h"

namespace {

constexpr const char* kTitle = "PRISMATIC FRACTAL DIMENSION";

}  // namespace

class FractPrismTest : public ProgramTest {
 protected:
  // Opens `image` over an earlier result in panel 3 and runs the treatment with this start window
  // answer, then this message when one is given.
  void Run(const BytePlane& image, int answer, const std::string& message = "") {
    LoadOriginal(image.Clone());
    PutEarlierResult(p3FractPrism);
    ui.dialog<TTreatStartForm>([answer](TTreatStartForm&) { return answer; });
    if (!message.empty()) ui.message(kTitle, message);
    MainForm->FracPrismTreatment1Click();
  }
};

// "No" in the start window, or an image without statistics zone, change nothing. A flat image is of
// dimension 2 everywhere: no range, one tone (gray 1) inside the 3-pixel frame. An image whose only
// relief a single scale sees has D < 2 at the one pixel of its statistics zone: the range is undefined,
// the mean 2.
TEST_F(FractPrismTest, RefusalsFlatImageNoDimensionReachingTwoAndRandomImage) {
  const std::string report = ReportInto(Path("report.txt"));
  Run(MakeRandomGray(20, 20, 3), ui::mrNo);
  ExpectEarlierResult();
  Run(MakeRandomGray(20, 8, 3), ui::mrYes,
      "The image is too small: the statistics need\nat least 9 lines and 9 columns");
  ExpectEarlierResult();
  EXPECT_EQ(std::tuple(MainForm->DialogCancelBytes[cbTreatStart], ReadFile(report)), std::tuple(0, ""));

  BytePlane flat(14, 11), ring(9, 9);
  flat.Fill(50);
  for (int k = 1; k <= 7; ++k) ring[1][k] = ring[7][k] = ring[k][1] = ring[k][7] = 255;
  const std::tuple<const BytePlane*, const char*, int> cases[] = {{&flat, "2.000000", 8 * 5},
                                                                  {&ring, "undefined", 3 * 3}};
  for (auto [image, bound, pixels] : cases) {
    const std::string path = ReportInto(Path("report" + std::to_string(pixels) + ".txt"));
    Run(*image, ui::mrYes,
        Format("min %s max %s\nMean = 2.000000\n\nValues reported in the general report", bound, bound));
    EXPECT_EQ(ReadFile(path),
              Format("\n\n 3D PRISMATIC FRACTAL DIMENSION\n\n\tMean Fractal Dimension = 2.000000 "
                     "\n\tMin = %s  Max = %s ",
                     bound, bound));
    // Computed: lines and columns 3 .. size - 4.
    const BytePlane& panel = MainForm->ResultImage;
    EXPECT_EQ(std::tuple(CountOf(panel, 1), panel[3][3], panel[2][3]), std::tuple(pixels, 1, 255));
    ExpectPublished(p3FractPrism, " 3D PRISMATIC FRACTAL DIMENSION ", 4);
  }

  // A random image: the extremes of the statistics zone take the ends of the scale; dimensions below 2
  // and those of the outer ring beyond the range stop at 1 and 255.
  ReportForm->ReportOff = 1;
  const BytePlane image = MakeRandomGray(30, 25, 6);
  DoublePlane d(30, 25);
  const FractPrismResult expected = FractPrism(image, d);
  ASSERT_TRUE(expected.HasRange);
  Run(image, ui::mrYes,
      Format("min %lf max %lf\nMean = %lf\n\nNota: no Report", expected.Min, expected.Max, expected.Mean));
  const BytePlane& panel = MainForm->ResultImage;
  int below = 0;  // the image must hold dimensions below 2
  for (int i = 3; i <= 25 - 4; ++i)
    for (int j = 3; j <= 30 - 4; ++j) {
      const double scaled = std::trunc((d[i][j] - expected.Min) / (expected.Max - expected.Min) * 254) + 1;
      ASSERT_EQ(panel[i][j], std::clamp(scaled, 1.0, 255.0)) << i << "," << j;
      below += d[i][j] < 2.0;
    }
  EXPECT_GT(below, 0);
}
