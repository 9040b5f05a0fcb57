#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "imaging/LeastSquares.h"
#include "imaging/TextNumbers.h"
#include "panels/kernels/PageGeometry.h"
namespace {
// Page set-up by hand on a 200 x 287 mm printable area.
using G = PageGeometry;
using Box = std::tuple<double, double, double, double>;  // width, height, left and top margins
const G kPage{.PageWidthMM = 200, .PageHeightMM = 287};
Box Placed(const G& g) {
  return {g.ImageWidthMM, g.ImageHeightMM, g.LeftMarginMM, g.TopMarginMM};
}
// Each edit applies to the page as the edits above it left it.
TEST(PageGeometry, PlacingTypingAndChangingThePageKeepTheProportionsAndThePictureOnThePage) {
  const std::pair<std::function<void(G&)>, Box> edits[] = {
      {[](G& g) { PlaceOnPage(g, 400, 200, false); }, {100, 50, 50, 118.5}},  // half the page wide
      {[](G& g) { PlaceOnPage(g, 400, 200, true); }, {200, 100, 0, 93.5}},
      {[](G& g) { PlaceOnPage(g, 200, 400, true); }, {143.5, 287, 28.25, 0}},
      {[](G& g) { PlaceOnPage(g, 100, 400, false); }, {71.75, 287, 64.125, 0}},  // 400 mm high at half
      {[](G& g) { SetImageWidth(g, 150, true); }, {71.75, 287, 64.125, 0}},      // 600 mm high
      {[](G& g) { PlaceOnPage(g, 400, 200, false); }, {100, 50, 50, 118.5}},
      {[](G& g) { SetImageWidth(g, 250, true); }, {200, 100, 0, 93.5}},
      {[](G& g) { SetImageHeight(g, 20, true); }, {40, 20, 80, 133.5}},
      {[](G& g) { SetImageHeight(g, 300, true); }, {200, 100, 0, 93.5}},  // 600 mm wide
      {[](G& g) { SetImageWidth(g, 50, false); }, {50, 25, 0, 93.5}},     // margins kept
      {[](G& g) { SetLeftMargin(g, 180, false); }, {50, 25, 150, 93.5}},
      {[](G& g) { SetTopMargin(g, 280, false); }, {50, 25, 150, 262}},
      {[](G& g) { SetLeftMargin(g, -5, false); }, {50, 25, 0, 262}},
      {[](G& g) { SetTopMargin(g, -1, false); }, {50, 25, 0, 0}},
      {[](G& g) { SetLeftMargin(g, 150, false); }, {50, 25, 150, 0}},
      {[](G& g) { SetImageWidth(g, 120, false); }, {120, 60, 80, 0}},   // a size change too
      {[](G& g) { SetLeftMargin(g, 3, true); }, {120, 60, 40, 113.5}},  // centred: the margin gives way
      {[](G& g) { SetImageWidth(g, 200, true); }, {200, 100, 0, 93.5}},
      {[](G& g) { std::swap(g.PageWidthMM, g.PageHeightMM); }, {200, 100, 0, 93.5}},  // landscape
      {[](G& g) { ApplyLimits(g, false); }, {200, 100, 0, 93.5}},
      {[](G& g) { FillPage(g, false); }, {287, 143.5, 0, 56.5}},
  };
  G g = kPage;
  int step = 0;
  for (const auto& [edit, expected] : edits) {
    edit(g);
    EXPECT_EQ(Placed(g), expected) << "edit " << step++;
  }
}
TEST(PageGeometry, RectanglesAndMillimetreTexts) {
  G g = kPage;
  PlaceOnPage(g, 400, 200, false);  // 100 x 50 at 50, 118.5
  EXPECT_EQ(std::tuple(PageRectOf(g, 2000, 2870), PageRectOf(g, 4724, 6779)),
            std::tuple(PixelRect{500, 1185, 1500, 1685}, PixelRect{1181, 2798, 3543, 3980}));
  // 1 mm a preview pixel in a 400 x 300 box, the page centred across; 2 mm in a box half as large.
  G p{.PageWidthMM = 200, .PageHeightMM = 300};
  PlaceOnPage(p, 400, 200, false);  // 100 x 50 at 50, 125
  const PreviewLayout layout = PreviewOf(p, 400, 300);
  EXPECT_EQ(
      std::tuple(layout.Page, layout.Picture, PreviewOf(p, 200, 150).Picture),
      std::tuple(PixelRect{100, 0, 300, 300}, PixelRect{150, 125, 250, 175}, PixelRect{75, 62, 125, 87}));
  // No page or no picture: nothing changes and the rectangles are empty.
  G pageless{.PageWidthMM = 0, .PageHeightMM = 287};
  PlaceOnPage(pageless, 400, 200, false);
  pageless.ImageWidthMM = 500;
  ApplyLimits(pageless, true);
  EXPECT_EQ(std::tuple(pageless.ImageWidthMM, PageRectOf(pageless, 2000, 2870),
                       PreviewOf(pageless, 425, 273).Picture),
            std::tuple(500.0, PixelRect{}, PixelRect{}));
  G none = kPage;
  PlaceOnPage(none, 0, 0, false);
  SetImageWidth(none, 50, true);
  EXPECT_EQ(Placed(none), Box(0, 0, 0, 0));
  // Millimetre texts read with a point or a comma and show in tenths.
  const std::pair<const char*, std::optional<double>> texts[] = {
      {"12.34", 12.34},    {"12,34", 12.34},      {"-3", -3.0},           {".5", 0.5},
      {"-", std::nullopt}, {"1-2", std::nullopt}, {"1.2.3", std::nullopt}};
  for (const auto& [text, value] : texts) EXPECT_EQ(ReadMillimetres(text), value) << '"' << text << '"';
  const std::pair<double, const char*> shown[] = {{118.5, "118.5"}, {50, "50"}, {28.25, "28.3"}, {0.04, "0"}};
  for (const auto& [value, text] : shown) EXPECT_EQ(TenthsText(value), text) << value;
}
// Sxy 35.35 over Sxx 17.5 for the noisy points; equal abscissae with rounding left are still no spread.
TEST(LeastSquaresSlope, HandWorkedSlopesAndNoneWithoutSpreadInX) {
  const double none = std::nan("");
  // clang-format off
  const std::tuple<std::vector<double>, std::vector<double>, double> cases[] = {{{0, 1, 2}, {5, 3.5, 2}, -1.5},
      {{1, 2, 3, 4, 5, 6}, {2.1, 3.9, 6.2, 7.8, 10.1, 12.2}, 2.02}, {{1, 1, 1}, {1, 2, 3}, none}, {{1}, {1}, none},
      {{0.3, 0.3, 0.3}, {1, 2, 3}, none}};
  // clang-format on
  for (const auto& [x, y, expected] : cases) {
    const double slope = LeastSquaresSlope(x.data(), y.data(), static_cast<int>(x.size()));
    EXPECT_TRUE(std::isnan(expected) ? std::isnan(slope) : std::abs(slope - expected) < 1e-12)
        << slope << " from " << x.size() << " points";
  }
}
TEST(TextNumbers, EditTextsConvertLikeTheRuntimeIntegersSaturateAndCommasArePoints) {
  const std::tuple<const char*, long, double> cases[] = {
      {"12a", 12, 12},     {"", 0, 0},          {"  42", 42, 42}, {"+5", 5, 5},
      {"12.5x", 12, 12.5}, {"-0.25", 0, -0.25}, {"1e2", 1, 100},  {"-7", -7, -7},
  };
  for (const auto& [text, asLong, asDouble] : cases)
    EXPECT_EQ(std::tuple(TextToLong(text), TextToDouble(text)), std::tuple(asLong, asDouble)) << text;
  // clang-format off
  const std::pair<const char*, int> saturated[] = {{"4294967297", INT_MAX}, {"2147483648", INT_MAX},
      {"2147483647", INT_MAX}, {"-2147483649", INT_MIN}, {"-99999999999999999999", INT_MIN}, {"-12x", -12}};
  for (const auto& [text, value] : saturated) EXPECT_EQ(TextToInt(text), value) << text;
  const std::tuple<const char*, const char*, double> separators[] = {{"12.5abc", "12.5", 12.5},
      {"-3,5", "-3.5", -3.5}, {"abc", "", 0}, {"2.54 cm", "2.54", 2.54}};
  // clang-format on
  for (const auto& [in, out, value] : separators) {
    std::string text = in;
    FixDecimalSeparator(text);
    EXPECT_EQ(std::tuple(text, TextToDouble(text)), std::tuple(out, value)) << in;
  }
}
}  // namespace
