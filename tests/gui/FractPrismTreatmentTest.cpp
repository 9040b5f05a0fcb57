#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "app/TreatStartForm.h"
#include "diagrams/DiagramForm.h"
#include "fixtures/Patterns.h"
#include "graytone/kernels/FractPrism.h"
#include "panels/ResultImage.h"

namespace {

constexpr const char* kTitle = "PRISMATIC FRACTAL DIMENSION";
constexpr const char* kCaption = " 3D PRISMATIC FRACTAL DIMENSION ";

int Yes(TTreatStartForm&) {
  return ui::mrYes;
}
int No(TTreatStartForm&) {
  return ui::mrNo;
}

std::int64_t Count(const BytePlane& plane, std::uint8_t value) {
  std::int64_t n = 0;
  for (std::size_t k = 0; k < plane.Size(); ++k) n += plane.Data()[k] == value;
  return n;
}

}  // namespace

class FractPrismTest : public ProgramTest {};

// A flat image is of dimension 2 everywhere: no range, one tone (gray 1) inside the 3-pixel frame.
TEST_F(FractPrismTest, FlatImageHasDimensionTwo) {
  BytePlane flat(14, 11);
  flat.Fill(50);
  LoadOriginal(std::move(flat));
  MainForm->ResultImage.Fill(7);
  MainForm->ColourMode = 3;
  const std::string report = ReportInto(Path("report.txt"));
  ASSERT_FALSE(MainForm->IsEnabled("SaveParamSpeedButton1"));
  ui.dialog<TTreatStartForm>(Yes).message(
      kTitle, "min 2.000000 max 2.000000\nMean = 2.000000\n\nValues reported in the general report");
  MainForm->FracPrismTreatment1Click();

  EXPECT_EQ(ReadFile(report),
            "\n\n 3D PRISMATIC FRACTAL DIMENSION\n\n\tMean Fractal Dimension = 2.000000 "
            "\n\tMin = 2.000000  Max = 2.000000 ");
  const TMainForm& m = *MainForm;
  EXPECT_EQ(Count(m.ResultImage, 1), 8 * 5);  // lines 3 .. 7, columns 3 .. 10
  EXPECT_EQ(Count(m.ResultImage, 255), 14 * 11 - 8 * 5);
  EXPECT_EQ(m.ResultImage[3][3], 1);
  EXPECT_EQ(m.ResultImage[2][3], 255);
  EXPECT_EQ(std::tuple(m.ResultBorder, m.Panel3Pending[p3FractPrism], m.ColourMode), std::tuple(4, 1, 0));
  EXPECT_EQ(std::tuple(m.PanelCaption, m.SavedPanelCaption), std::tuple(kCaption, kCaption));
  EXPECT_EQ(ResultImageForm->CaptionText(), std::string(" 3.- ") + kCaption);
  EXPECT_TRUE(m.IsEnabled("SaveParamSpeedButton1"));
  EXPECT_EQ(m.DialogCancelBytes[cbTreatStart], 0);
}

// The extremes of the statistics zone take the ends of the scale; dimensions below 2 and those of the
// outer ring beyond the range stop at 1 and 255.
TEST_F(FractPrismTest, RandomImageIsScaledBetweenItsExtremes) {
  const BytePlane image = MakeRandomGray(30, 25, 6);
  DoublePlane d(30, 25);
  const FractPrismResult expected = FractPrism(image, d);
  ASSERT_TRUE(expected.HasRange);
  LoadOriginal(image.Clone());
  ui.dialog<TTreatStartForm>(Yes).message(kTitle, Format("min %lf max %lf\nMean = %lf\n\nNota: no Report",
                                                         expected.Min, expected.Max, expected.Mean));
  MainForm->FracPrismTreatment1Click();
  const BytePlane& panel = MainForm->ResultImage;
  int lowest = 0, highest = 0, below = 0;
  for (int i = 3; i <= 25 - 4; ++i)
    for (int j = 3; j <= 30 - 4; ++j) {
      const double scaled = std::trunc((d[i][j] - expected.Min) / (expected.Max - expected.Min) * 254) + 1;
      ASSERT_EQ(panel[i][j], std::clamp(scaled, 1.0, 255.0)) << i << "," << j;
      lowest += d[i][j] == expected.Min && panel[i][j] == 1;
      highest += d[i][j] == expected.Max && panel[i][j] == 255;
      below += d[i][j] < 2.0 && panel[i][j] == 1;
    }
  EXPECT_GE(lowest, 1);
  EXPECT_GE(highest, 1);
  EXPECT_GE(below, 1);  // some dimensions of a random image fall below 2
}

// Only the largest scale sees relief at the one pixel of the statistics zone: D < 2, no range.
TEST_F(FractPrismTest, NoDimensionReachingTwoLeavesTheRangeUndefined) {
  BytePlane image(9, 9);
  for (int k = 1; k <= 7; ++k) image[1][k] = image[7][k] = image[k][1] = image[k][7] = 255;
  LoadOriginal(std::move(image));
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TTreatStartForm>(Yes).message(
      kTitle, "min undefined max undefined\nMean = 2.000000\n\nValues reported in the general report");
  MainForm->FracPrismTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            "\n\n 3D PRISMATIC FRACTAL DIMENSION\n\n\tMean Fractal Dimension = 2.000000 "
            "\n\tMin = undefined  Max = undefined ");
  EXPECT_EQ(MainForm->ResultImage[4][4], 1);
  EXPECT_EQ(MainForm->ResultImage[3][5], 1);
}

TEST_F(FractPrismTest, NoInTheStartWindowAndSmallImagesChangeNothing) {
  for (auto [columns, lines, refuse] : {std::tuple{20, 20, true}, std::tuple{20, 8, false}}) {
    LoadOriginal(MakeRandomGray(columns, lines, 3));
    MainForm->ResultImage.Fill(7);
    MainForm->Panel3Pending[p3Morlet] = 1;
    const std::string report = ReportInto(Path("report" + std::to_string(lines) + ".txt"));
    if (refuse)
      ui.dialog<TTreatStartForm>(No);
    else
      ui.dialog<TTreatStartForm>(Yes).message(
          kTitle, "The image is too small: the statistics need\nat least 9 lines and 9 columns");
    MainForm->FracPrismTreatment1Click();
    EXPECT_EQ(Count(MainForm->ResultImage, 7), columns * lines);
    EXPECT_EQ(MainForm->Panel3Pending[p3Morlet], 1);
    EXPECT_EQ(MainForm->DialogCancelBytes[cbTreatStart], 0);
    EXPECT_EQ(ReadFile(report), "");
  }
}
