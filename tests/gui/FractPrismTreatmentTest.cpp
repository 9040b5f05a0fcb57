#include <cmath>

#include "Panel3Checks.h"
#include "graytone/kernels/FractPrism.h"

class FractPrismTest : public Panel3Test {
 protected:
  void Run(const BytePlane& image, int answer, const std::string& message = "") {
    RunStarted(&TMainForm::FracPrismTreatment1Click, p3FractPrism, image, answer,
               "PRISMATIC FRACTAL DIMENSION", message);
  }
};
// Flat: D = 2 everywhere (gray 1); a ring one scale sees: D < 2 at its one zone pixel, range undefined.
TEST_F(FractPrismTest, RefusalsFlatImageNoDimensionReachingTwoAndRandomImage) {
  Run(MakeRandomGray(20, 20, 3), ui::mrNo);
  ExpectEarlierResult();
  Run(MakeRandomGray(20, 8, 3), ui::mrYes,
      "The image is too small: the statistics need\nat least 9 lines and 9 columns");
  ExpectEarlierResult(cbTreatStart);
  BytePlane flat = Flat(14, 11, 50), ring(9, 9);
  for (int k = 1; k <= 7; ++k) ring[1][k] = ring[7][k] = ring[k][1] = ring[k][7] = 255;
  for (auto [image, bound, pixels] : {std::tuple(&flat, "2.000000", 8 * 5), {&ring, "undefined", 3 * 3}}) {
    report = ReportInto(Path("report" + std::to_string(pixels) + ".txt"));
    Run(*image, ui::mrYes,
        Format("min %s max %s\nMean = 2.000000\n\nValues reported in the general report", bound, bound));
    EXPECT_EQ(ReadFile(report),
              Format("\n\n 3D PRISMATIC FRACTAL DIMENSION\n\n\tMean Fractal Dimension = 2.000000 "
                     "\n\tMin = %s  Max = %s ",
                     bound, bound));
    const BytePlane& panel = MainForm->ResultImage;  // computed: lines and columns 3 .. size - 4
    EXPECT_EQ(std::tuple(CountOf(panel, 1), panel[3][3], panel[2][3]), std::tuple(pixels, 1, 255));
    ExpectPublished(p3FractPrism, " 3D PRISMATIC FRACTAL DIMENSION ", 4);
  }
  // A random image: the zone's extremes take the scale's ends; D < 2 and the outer ring stop at 1 and 255.
  ReportForm->ReportOff = 1;
  const BytePlane image = MakeRandomGray(30, 25, 6);
  DoublePlane d(30, 25);
  const FractPrismResult expected = FractPrism(image, d);
  ASSERT_TRUE(expected.HasRange);
  Run(image, ui::mrYes,
      Format("min %lf max %lf\nMean = %lf\n\nNota: no Report", expected.Min, expected.Max, expected.Mean));
  int below = 0;  // the image must hold dimensions below 2
  for (int i = 3; i <= 25 - 4; ++i)
    for (int j = 3; j <= 30 - 4; below += d[i][j++] < 2.0) {
      const double scaled = std::trunc((d[i][j] - expected.Min) / (expected.Max - expected.Min) * 254) + 1;
      ASSERT_EQ(MainForm->ResultImage[i][j], std::clamp(scaled, 1.0, 255.0)) << i << "," << j;
    }
  EXPECT_GT(below, 0);
}
