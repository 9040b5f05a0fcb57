// The page set-up arithmetic against cases worked by hand on a 200 x 287 mm printable area.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "panels/kernels/PageGeometry.h"

namespace {

PageGeometry Page(double widthMM = 200, double heightMM = 287) {
  PageGeometry g;
  g.PageWidthMM = widthMM;
  g.PageHeightMM = heightMM;
  return g;
}

// Width, height, left and top margins.
auto Placed(const PageGeometry& g) {
  return std::tuple(g.ImageWidthMM, g.ImageHeightMM, g.LeftMarginMM, g.TopMarginMM);
}

}  // namespace

TEST(PageGeometry, OpeningPlacesHalfThePageWidthCentredOrTheWholePage) {
  struct Case {
    int columns, lines;
    bool wholePage;
    std::tuple<double, double, double, double> expected;
  };
  const Case cases[] = {
      {400, 200, false, {100, 50, 50, 118.5}},
      {400, 200, true, {200, 100, 0, 93.5}},
      {200, 400, true, {143.5, 287, 28.25, 0}},
      // Four times taller than wide: half the page width would make it 400 mm high.
      {100, 400, false, {71.75, 287, 64.125, 0}},
  };
  for (const Case& c : cases) {
    PageGeometry g = Page();
    PlaceOnPage(g, c.columns, c.lines, c.wholePage);
    EXPECT_EQ(Placed(g), c.expected) << c.columns << " x " << c.lines << (c.wholePage ? " whole page" : "");
  }
}

TEST(PageGeometry, TypedSizesFollowTheProportionsAndStayOnThePage) {
  PageGeometry g = Page();
  PlaceOnPage(g, 400, 200, false);
  SetImageWidth(g, 250, true);
  EXPECT_EQ(Placed(g), std::tuple(200.0, 100.0, 0.0, 93.5));
  SetImageHeight(g, 20, true);
  EXPECT_EQ(Placed(g), std::tuple(40.0, 20.0, 80.0, 133.5));
  SetImageHeight(g, 300, true);  // 600 mm wide: the width limit comes first
  EXPECT_EQ(Placed(g), std::tuple(200.0, 100.0, 0.0, 93.5));

  PageGeometry tall = Page();
  PlaceOnPage(tall, 100, 400, false);
  SetImageWidth(tall, 150, true);  // 600 mm high: brought back to the page height
  EXPECT_EQ(Placed(tall), std::tuple(71.75, 287.0, 64.125, 0.0));
}

TEST(PageGeometry, MarginsKeepTheWholePictureOnThePageUnlessCentred) {
  PageGeometry g = Page();
  PlaceOnPage(g, 400, 200, false);
  SetImageWidth(g, 50, false);  // 50 x 25, margins kept where they were
  EXPECT_EQ(Placed(g), std::tuple(50.0, 25.0, 50.0, 118.5));
  SetLeftMargin(g, 180, false);
  EXPECT_EQ(g.LeftMarginMM, 150);
  SetTopMargin(g, 280, false);
  EXPECT_EQ(g.TopMarginMM, 262);
  SetLeftMargin(g, -5, false);
  SetTopMargin(g, -1, false);
  EXPECT_EQ(std::tuple(g.LeftMarginMM, g.TopMarginMM), std::tuple(0.0, 0.0));
  // A size change keeps an off-centre picture on the page too.
  SetLeftMargin(g, 150, false);
  SetImageWidth(g, 120, false);
  EXPECT_EQ(Placed(g), std::tuple(120.0, 60.0, 80.0, 0.0));
  // Centred, a typed margin gives way to the centred one.
  SetLeftMargin(g, 3, true);
  EXPECT_EQ(std::tuple(g.LeftMarginMM, g.TopMarginMM), std::tuple(40.0, 113.5));
}

TEST(PageGeometry, AChangeOfPageKeepsThePictureOnIt) {
  PageGeometry g = Page();
  PlaceOnPage(g, 400, 200, true);  // 200 x 100 on the portrait page
  g.PageWidthMM = 287;             // landscape
  g.PageHeightMM = 200;
  ApplyLimits(g, false);
  EXPECT_EQ(Placed(g), std::tuple(200.0, 100.0, 0.0, 93.5));
  FillPage(g, false);
  EXPECT_EQ(Placed(g), std::tuple(287.0, 143.5, 0.0, 56.5));
}

TEST(PageGeometry, RectangleInPrinterPixelsAndPreview) {
  PageGeometry g = Page();
  PlaceOnPage(g, 400, 200, false);  // 100 x 50 at 50, 118.5
  EXPECT_EQ(PageRectOf(g, 2000, 2870), (PixelRect{500, 1185, 1500, 1685}));
  EXPECT_EQ(PageRectOf(g, 4724, 6779), (PixelRect{1181, 2798, 3543, 3980}));

  // 1 mm a preview pixel in a 400 x 300 box, the page centred across.
  PageGeometry p = Page(200, 300);
  PlaceOnPage(p, 400, 200, false);  // 100 x 50 at 50, 125
  const PreviewLayout layout = PreviewOf(p, 400, 300);
  EXPECT_EQ(layout.Page, (PixelRect{100, 0, 300, 300}));
  EXPECT_EQ(layout.Picture, (PixelRect{150, 125, 250, 175}));
  // 2 mm a pixel when the box is half as large.
  EXPECT_EQ(PreviewOf(p, 200, 150).Picture, (PixelRect{75, 62, 125, 87}));
}

TEST(PageGeometry, NoPageOrNoPictureChangesNothingAndGivesAnEmptyRectangle) {
  PageGeometry g = Page(0, 287);
  PlaceOnPage(g, 400, 200, false);
  g.ImageWidthMM = 500;
  ApplyLimits(g, true);
  EXPECT_EQ(g.ImageWidthMM, 500);
  EXPECT_EQ(PageRectOf(g, 2000, 2870), PixelRect{});
  EXPECT_EQ(PreviewOf(g, 425, 273).Picture, PixelRect{});

  PageGeometry none = Page();
  PlaceOnPage(none, 0, 0, false);
  SetImageWidth(none, 50, true);
  EXPECT_EQ(Placed(none), std::tuple(0.0, 0.0, 0.0, 0.0));
}

TEST(PageGeometry, MillimetreTextsReadWithPointOrCommaAndShowInTenths) {
  const std::pair<const char*, std::optional<double>> texts[] = {
      {"12.34", 12.34},    {"12,34", 12.34},      {"7", 7.0},
      {"-3", -3.0},        {".5", 0.5},           {"", std::nullopt},
      {"-", std::nullopt}, {"1-2", std::nullopt}, {"1.2.3", std::nullopt},
      {",", std::nullopt},
  };
  for (const auto& [text, value] : texts) EXPECT_EQ(ReadMillimetres(text), value) << '"' << text << '"';

  const std::pair<double, const char*> shown[] = {
      {118.5, "118.5"}, {50, "50"}, {12.34, "12.3"}, {28.25, "28.3"}, {0.04, "0"}, {143.5, "143.5"},
  };
  for (const auto& [value, text] : shown) EXPECT_EQ(TenthsText(value), text) << value;
}
