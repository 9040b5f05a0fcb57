// What the diagram windows draw, read back from a recording canvas.

#include "Program.h"
#include "diagrams/DiagramForms.h"

namespace {

const double kNan = std::nan("");

class DiagramPaintTest : public ProgramTest {};

// Each line as "x1,y1 x2,y2" ("blue ..." in blue), then each text as "x y text".
std::vector<std::string> Drawn(const RecordingCanvas& canvas) {
  std::vector<std::string> items;
  for (const RecordedLine& l : canvas.lines)
    items.push_back(Format("%s%d,%d %d,%d", l.pen == Pen::Blue ? "blue " : "", l.x1, l.y1, l.x2, l.y2));
  for (const RecordedText& t : canvas.texts) items.push_back(Format("%d %d %s", t.x, t.y, t.text.c_str()));
  return items;
}

TEST_F(DiagramPaintTest, TwoPointBoxCountingDrawsOneOfEach) {
  TMainForm& m = *MainForm;
  std::tie(m.BoxCountingPointCount, m.BoxCountingDimension) = std::tuple(2, 1.585);
  m.BoxCountingLogSize = {0, 0.693147}, m.BoxCountingLogCount = {2.197225, 1.098612};
  m.BoxCountingSizes = {1, 2}, m.DividerList = {1, 7, 9};  // the dividers are not what was counted
  RecordingCanvas canvas;
  DiagBoxCountingForm->PaintBoxPaint(canvas);
  EXPECT_EQ(std::tuple(canvas.fills, canvas.fillWidth), std::tuple(1, 550));
  // Ticks, curve, mark and axes in black; labels; "Log Box Sizes" moved back inside the box.
  EXPECT_EQ(
      Drawn(canvas),
      (std::vector<std::string>{
          "50,50 40,50", "50,50 450,250", "450,250 449,249", "449,249 449,251", "449,251 451,251",
          "451,251 451,249", "450,250 450,260", "50,250 40,250", "40,250 500,250", "50,30 50,260", "45 260 0",
          "450 235 2", "440 260 0.69", "10 40 2.20", "10 245 1.10", "20 10 Log Num. Filled Boxes",
          "472 230 Log Box Sizes", "410 10 Slope = -1.585000", "355 25 Fractal Dimension = 1.585000"}));
}

// A window's paint and what must be drawn (as `Drawn` writes it); "!x": no item may contain x.
template <class F, class... A>
auto Paint(F* const& form, A... a) {
  return [&form, a...](RecordingCanvas& c) { form->PaintBoxPaint(c, a...); };
}
struct PaintCase {
  const char* name;
  std::function<void(RecordingCanvas&)> paint;
  std::vector<std::string> drawn;
};

TEST_F(DiagramPaintTest, EachWindowDrawsItsMarksAndTexts) {
  TMainForm& m = *MainForm;
  // Box counting: x = 50 + 400 X / 4, y = 250 - 200 (Y - 0) / 8.
  std::tie(m.BoxCountingPointCount, m.BoxCountingDimension) = std::tuple(4, kNan);
  m.BoxCountingLogSize = {0, 1, 2, 4}, m.BoxCountingLogCount = {8, 6, 4, 0},
  m.BoxCountingSizes = {1, 3, 9, 81};
  // Progressive: zero ranges, and a count past the vectors.
  m.ProgressivePointCount = 64, m.ProgressiveLogSize = {1, 1, 1}, m.ProgressiveLogCount = {2, 2, 2};
  m.LinealLineLogSize = {0, 1, 2, 3, 4, 6}, m.LinealLineLogCount = {6, 5, 4, 3, 2, 0};
  std::tie(m.LinealLineDimension, m.LinealLineSlope) = std::tuple(1, -1);
  // The jumping circle with a first value of zero.
  std::tie(m.CirclePointCount, m.CircleMode, m.CircleValueType) = std::tuple(3, 1, 1);
  m.CircleLogSize = {0, 1, 2}, m.CircleLogCount = {0, -1, -2};
  m.HurstLogDeviation = {0, 0.5, 1.5}, m.HurstLogWindow = {0, 1, 2};
  std::tie(m.HurstPointCount, m.HurstFirstDivider, m.HurstLastDivider) = std::tuple(2, 2, 30);
  m.HurstSlope = m.HurstCorrelation = 0.5;
  std::tie(m.LacunCount, m.LacunCorrelation, m.LacunR2) = std::tuple(3, -0.99, 0.98);
  m.LacunWindowSizes = {3, 5, 9}, m.LacunValues = {2, 1.5, 1}, m.LacunLogValues = {0.4, 0.2, 0};
  m.LacunLogWindowSizes = {std::log10(3.0), std::log10(7.0), std::log10(15.0)};
  m.LocalFractalRange = {300, 150};                                      // over empty bins
  m.OrientationValues = {5, 10, 20, 30}, m.Distances = {0, 0, 0, 0, 0};  // orientation entry 0 unused
  std::tie(m.OrientationLength, m.PerimSequenceLength, m.FractalThCount) = std::tuple(3, 5, 3);
  m.FractalThGrays = {0, 85, 255}, m.FractalThDimensions = {1, 1.5, 1}, m.ExplorationTreatment = 1;
  // Dimensions, densities and radii of each step, first radius, pixel size, steps.
  m.Expansion = {{0, 2, 1, 0, 0}, {0, 100, 50, 0, 0}, {0, 10, 11, 12, 0}, 10, 0, 3};
  const auto sliding = [&](RecordingCanvas& c) {
    std::tie(m.CirclePointCount, m.CircleMode, m.CircleValueType) = std::tuple(2, 0, 0);
    m.CircleLogSize = {1, 2}, m.CircleLogCount = {4, 2};
    DiagRadiusForm->PaintBoxPaint(c);
  };
  const std::vector<PaintCase> cases = {
      {"box counting, many points, undefined dimension",
       Paint(DiagBoxCountingForm),
       {"50,50 150,100", "150,100 250,150", "250,150 450,250", "50,150 40,150", "450 235 81", "140 260 1.00",
        "10 95 6.00", "355 25 Fractal Dimension = undefined", "410 10 Slope = undefined"}},
      {"progressive, zero ranges lay the points flat halfway up",
       Paint(DiagProgrBoxCountingForm),
       {"50,150 40,150", "50,150 50,150", "10 140 2.00"}},
      // 50 + 300/6, 250 - trunc(200 * 5/6)
      {"lineal, narrower scale",
       Paint(DiagLinFractLineForm),
       {"50,50 100,84", "40,250 400,250", "335 10 Slope = -1.000000", "280 25 Fractal Dimension = 1.000000",
        "350 230 Log Segm. Size"}},
      {"jumping circle, a first value of zero stays on the axis",
       Paint(DiagRadiusForm),
       {"50,250 250,250", "250,250 450,250", "400 10 Jumping Circle", "400 25 Surface Value",
        "400 45 Slope = 0.000000"}},
      // y = 250 - trunc(300 (Y - 2) / 4); x = 50 + trunc(400 X / 2).
      {"sliding circle, scaled by three hundred",
       sliding,
       {"250,100 240,100", "250,100 450,250", "210 90 4.00", "400 10 Sliding Circle", "400 25 Radius Value",
        "!Ratio = "}},
      {"hurst, diamonds without a curve",
       [](RecordingCanvas& c) { DiagHurstResultForm->FormPaint(c); },
       {"50,250 48,250", "450,50 448,50", "410 10 Hurst Exponent = 0.500000",
        "410 50                      R2 = 0.250000 ", "410 160 Divider Max. Value = 30 ",
        "410 180 Divider Min. Value = 2 ", "!50,250 450,50"}},
      // x = 50 + trunc(300 (X - 3) / 6): the window sizes from the first one span the box.
      {"lacunarity, left box",
       Paint(DiagLacunForm, 0),
       {"50,50 150,150", "350,250 350,260", "145 260 5", "345 260 9", "45 260 3", "340 220 Window Size",
        "!50,50 300,150"}},
      // Sizes 3, 7 and 15: log10 0.48 .. 1.18 spans the 300 pixels from the origin.
      {"lacunarity, right box from K = 1",
       Paint(DiagLacunForm, 1),
       {"50,50 207,150", "350,250 350,260", "45 260 0.5", "340 260 1.2",
        "265 20 Correlation Coefficient = -0.990000", "300 40 R2 = 0.980000"}},
      {"lacunarity, equal values lie flat halfway up",
       [&](RecordingCanvas& c) {
         m.LacunValues = {1.5, 1.5, 1.5};
         DiagLacunForm->PaintBoxPaint(c, 0);
       },
       {"50,150 40,150", "50,150 150,150", "150,150 350,150", "10 140 1.50", "!50,50"}},
      {"local fractal without values draws no curve", Paint(DiagLocFractDimForm), {"0,245 412,245", "!blue"}},
      {"perimeter orientation", Paint(OrientationPerimForm), {"blue 10,350 12,340", "blue 12,340 13,330"}},
      // Five values draw two segments, on the axis when every distance is 0.
      {"roughness of zero distances",
       Paint(PerimeterRoughnessForm2),
       {"16,360 17,360", "17,360 18,360", "580 30 Dist Max = 0 ", "!18,360 19,360"}},
      // The tick of 250 stands where a point of gray 250 would: 50 + trunc(600 * 250 / 255).
      {"exploration, ticks and points on one scale",
       Paint(ExplorForm),
       {"250,150 249,149", "250,150 650,250", "638,250 638,260", "628 260 250", "600 20 Jumping Step"}},
      {"expansion, left box reaches the last step",
       Paint(RadialExpansionForm, 0),
       {"26,10 27,130", "27,130 28,250", "26 260 10", "29 260 13"}},
      {"expansion, right box", Paint(RadialExpansionForm, 1), {"26,10 27,130", "18 10 Density"}},
  };
  for (const PaintCase& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingCanvas canvas;
    c.paint(canvas);
    const std::vector<std::string> drawn = Drawn(canvas);
    std::vector<std::string> absent = {"!nan", "!inf"};
    absent.insert(absent.end(), c.drawn.begin(), c.drawn.end());
    for (const std::string& item : c.drawn)
      EXPECT_TRUE(item[0] == '!' || std::ranges::find(drawn, item) != drawn.end()) << item;
    for (const std::string& item : drawn)
      for (const std::string& part : absent)
        EXPECT_TRUE(part[0] != '!' || item.find(part.substr(1)) == std::string::npos) << item;
  }
}

// Every text inside its box, and no two tick or size labels over each other, however many points.
TEST_F(DiagramPaintTest, ManyPointsLabelARegularSubsetAndEveryTextFits) {
  TMainForm& m = *MainForm;
  for (int k = 0; k < 163; ++k)
    m.BoxCountingLogSize.push_back(std::log(k + 1.0)), m.BoxCountingSizes.push_back(k + 1),
        m.BoxCountingLogCount.push_back(2 * std::log(164.0 - k));
  for (const int points : {2, 27, 163}) {
    SCOPED_TRACE(points);
    m.BoxCountingPointCount = points;
    RecordingCanvas canvas;
    DiagBoxCountingForm->PaintBoxPaint(canvas);
    const int w = RecordingCanvas::kCharWidth, h = RecordingCanvas::kTextHeight;
    const auto right = [&](const RecordedText& t) { return t.x + w * static_cast<int>(t.text.size()); };
    for (const RecordedText& t : canvas.texts)
      EXPECT_TRUE(t.x >= 0 && right(t) <= 550 && t.y + h <= 280) << t.text;
    for (std::size_t a = 0; a < canvas.texts.size(); ++a)
      for (std::size_t b = a + 1; b < canvas.texts.size(); ++b) {
        const RecordedText &p = canvas.texts[a], &q = canvas.texts[b];
        EXPECT_TRUE(right(p) <= q.x || right(q) <= p.x || p.y + h <= q.y || q.y + h <= p.y)
            << p.text << " at " << p.x << "," << p.y << " over " << q.text << " at " << q.x << "," << q.y;
      }
    // The labels that remain are a regular subset: the first point's and then every k-th.
    EXPECT_EQ(canvas.CountText(Format("%4.2lf", m.BoxCountingLogSize[1])), 1);
  }
}

TEST_F(DiagramPaintTest, LocalFractalCurveSkipsEmptyBinsAndClampsItsRange) {
  TMainForm& m = *MainForm;
  m.BinCounts[150] = 10, m.BinCounts[152] = 5, m.LocalFractalRange = {400, 150};  // upper past the bins
  RecordingCanvas canvas;
  DiagLocFractDimForm->PaintBoxPaint(canvas);
  const std::vector<std::string> drawn = Drawn(canvas);
  EXPECT_EQ(std::ranges::count_if(drawn, [](const std::string& d) { return d.starts_with("blue"); }), 1);
  EXPECT_EQ(drawn[0], Format("blue 100,0 104,%d", 245 / 2));
  std::array<int, kLocalFractalBins> bins{};
  for (double value : {2.345, 3.5, -1.0, kNan}) AddLocalFractalBin(bins, value);
  EXPECT_EQ(std::tuple(bins[234], bins[300], bins[0]), std::tuple(1, 1, 2));
}

// Through Qt's own painting, each window's axes reach the screen in black.
TEST_F(DiagramPaintTest, EveryWindowPaintsItsAxesOnTheScreen) {
  for (QWidget* window : std::initializer_list<QWidget*>{
           DiagBoxCountingForm, DiagProgrBoxCountingForm, DiagLinFractLineForm, DiagLinFractColForm,
           DiagRadiusForm, DiagHurstResultForm, DiagLocFractDimForm, DiagLacunForm, OrientationPerimForm,
           PerimeterRoughnessForm2, ExplorForm, RadialExpansionForm, HistoGrisForm, LocalHistoGrisForm}) {
    const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int black = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) black += shot.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(black, 100) << window->windowTitle().toStdString();
  }
}

TEST_F(DiagramPaintTest, TextsMoveDownPastEarlierOnesAndLabelsGiveWay) {
  RecordingCanvas c;
  c.Fill(100, 40);
  c.TextOut(0, 0, "first");
  c.TextOut(10, 5, "second");  // down below "first"
  c.TextOut(0, 30, "third");   // no room below "second": stays where asked, inside the box
  EXPECT_FALSE(c.LabelOut(20, 2, "label"));
  EXPECT_TRUE(c.LabelOut(70, 2, "free"));
  EXPECT_EQ(c.texts, (std::vector<RecordedText>{
                         {0, 0, "first"}, {10, 14, "second"}, {0, 26, "third"}, {70, 2, "free"}}));
}

// Draws a paint routine through Qt into a white image with a margin around its box, and keeps each
// text with the room the font gives it.
class MeasuringCanvas : public PainterCanvas {
 public:
  using PainterCanvas::PainterCanvas;
  std::vector<std::pair<QRect, std::string>> texts;

 protected:
  void DrawText(int x, int y, const std::string& text) override {
    texts.push_back({QRect(x, y, TextWidth(text), TextHeight()), text});
    PainterCanvas::DrawText(x, y, text);
  }
};

constexpr int kMargin = 100;
constexpr QRgb kBlack = qRgb(0, 0, 0);

struct Shot {
  QImage image;
  QRect box;
  std::vector<std::pair<QRect, std::string>> texts;

  // Pixels of this colour in `area` (box coordinates), or anywhere outside the box.
  int Count(QRgb colour, std::optional<QRect> area = std::nullopt) const {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QPoint p(x - kMargin, y - kMargin);
        count += image.pixel(x, y) == colour && (area ? area->contains(p) : !box.contains(p));
      }
    return count;
  }
};

Shot PaintShot(int width, int height, const std::function<void(Canvas&)>& paint) {
  Shot shot{QImage(width + 2 * kMargin, height + 2 * kMargin, QImage::Format_RGB32),
            QRect(0, 0, width, height),
            {}};
  shot.image.fill(Qt::white);
  QPainter painter(&shot.image);
  painter.translate(kMargin, kMargin);
  MeasuringCanvas canvas(painter);
  paint(canvas);
  shot.texts = canvas.texts;
  return shot;
}

// Data as the treatments leave it: nothing drawn past a box, no text over another or over the
// y ticks, rising values drawn rising.
TEST_F(DiagramPaintTest, LogLogPointsAndTextsStayInsideTheirBoxesApart) {
  TMainForm& m = *MainForm;
  // A sliding circle on an item of a labeled map: ln n from 7.73 down to ln 2.
  std::tie(m.CirclePointCount, m.CircleMode, m.CircleValueType) = std::tuple(6, 0, 0);
  m.CircleLogSize = {0, std::log(2.0), std::log(3.0), std::log(4.0), std::log(5.0), std::log(6.0)};
  m.CircleLogCount = {7.73, 7.28, 6.5, 5.2, 3.1, std::log(2.0)};
  // Lacunarity of a surface rising with the window size, in single precision.
  std::tie(m.LacunCount, m.LacunCorrelation, m.LacunR2) = std::tuple(4, 0.93, 0.86);
  m.LacunWindowSizes = {3, 5, 7, 9}, m.LacunValues = {1.134093, 1.133900, 1.134250, 1.134606};
  for (int i = 0; i < 4; ++i)
    m.LacunLogWindowSizes.push_back(std::log10(m.LacunWindowSizes[i])),
        m.LacunLogValues.push_back(std::log10(m.LacunValues[i]));
  // Hurst deviations that do not grow with every window.
  m.HurstLogDeviation = {0, 0.8, 0.5, 1.1, 1.0}, m.HurstLogWindow = {0, 1, 1.3, 1.6, 1.9};
  std::tie(m.HurstPointCount, m.HurstCorrelation) = std::tuple(4, 0.9);
  // A full 512 x 512 square: counts from 262144 (ln 12.48) down to 4.
  m.BoxCountingPointCount = 9;
  for (int k = 0; k < 9; ++k)
    m.BoxCountingLogSize.push_back(k * std::log(2.0)), m.BoxCountingSizes.push_back(1 << k),
        m.BoxCountingLogCount.push_back((18 - 2 * k) * std::log(2.0));
  struct Window {
    const char* name;
    int width;
    std::function<void(Canvas&)> paint;
    std::optional<QPoint> top;  // a pixel of the largest value's point or tick
  };
  const std::vector<Window> windows = {
      {"sliding circle", 550, [](Canvas& c) { DiagRadiusForm->PaintBoxPaint(c); }, QPoint(45, 50)},
      {"jumping circle", 550, [&](Canvas& c) { m.CircleMode = 1, DiagRadiusForm->PaintBoxPaint(c); }, {}},
      {"lacunarity", 475, [](Canvas& c) { DiagLacunForm->PaintBoxPaint(c, 0); }, QPoint(350, 50)},
      {"log lacunarity", 475, [](Canvas& c) { DiagLacunForm->PaintBoxPaint(c, 1); }, QPoint(350, 50)},
      {"hurst", 650, [](Canvas& c) { DiagHurstResultForm->FormPaint(c); }, QPoint(383, 50)},
      {"box counting", 550, [](Canvas& c) { DiagBoxCountingForm->PaintBoxPaint(c); }, {}},
  };
  for (const Window& w : windows) {
    SCOPED_TRACE(w.name);
    const Shot shot = PaintShot(w.width, 280, w.paint);
    EXPECT_EQ(shot.Count(kBlack), 0);
    EXPECT_TRUE(!w.top || shot.image.pixel(*w.top + QPoint(kMargin, kMargin)) == kBlack);
    for (std::size_t a = 0; a < shot.texts.size(); ++a) {
      const auto& [room, text] = shot.texts[a];
      EXPECT_TRUE(shot.box.contains(room)) << text;
      EXPECT_TRUE(room.left() >= 40 || room.top() <= 30 || room.right() < 40) << text;  // y ticks free
      for (std::size_t b = a + 1; b < shot.texts.size(); ++b)
        EXPECT_FALSE(room.intersects(shot.texts[b].first)) << text << " over " << shot.texts[b].second;
    }
  }
}

TEST_F(DiagramPaintTest, LocalFractalDimensionsInOneBinShowAPoint) {
  MainForm->BinCounts[234] = 5000, MainForm->LocalFractalRange = {234, 234};
  const Shot shot = PaintShot(417, 250, [](Canvas& c) { DiagLocFractDimForm->PaintBoxPaint(c); });
  const QRgb blue = qRgb(0, 0, 255);
  EXPECT_GT(shot.Count(blue, QRect(266, 0, 5, 4)), 4);        // at x = 2 (234 - 100), the top
  EXPECT_GT(shot.Count(blue, QRect(268, 100, 1, 140)), 139);  // a spike up from the axis
  EXPECT_EQ(shot.Count(blue), 0);
}

}  // namespace
