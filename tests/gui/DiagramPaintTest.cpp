// What the diagram windows draw, read back from a recording canvas.
#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "diagrams/DiagramForm.h"
#include "diagrams/DiagramForms.h"

namespace {

class DiagramPaintTest : public ProgramTest {};

bool ShowsNoNumberFault(const RecordingCanvas& canvas) {
  for (const RecordedText& t : canvas.texts)
    if (t.text.find("nan") != std::string::npos || t.text.find("inf") != std::string::npos) return false;
  return true;
}

TEST_F(DiagramPaintTest, TwoPointBoxCountingDrawsOneOfEach) {
  MainForm->BoxCountingPointCount = 2;
  MainForm->BoxCountingLogSize = {0, 0.693147};
  MainForm->BoxCountingLogCount = {2.197225, 1.098612};
  MainForm->BoxCountingSizes = {1, 2};
  MainForm->DividerList = {1, 7, 9};  // not what was counted: never printed
  MainForm->BoxCountingDimension = 1.585;
  RecordingCanvas canvas;
  DiagBoxCountingForm->PaintBoxPaint(canvas);

  EXPECT_EQ(canvas.fills, 1);
  EXPECT_EQ(canvas.fillWidth, 550);
  const std::vector<RecordedText> texts = {
      {450, 235, "2"},     // box size above the point
      {440, 260, "0.69"},  // x tick label
      {45, 260, "0"},
      {10, 40, "2.20"},   // top tick label
      {10, 245, "1.10"},  // y tick label
      {20, 10, "Log Num. Filled Boxes"},
      {472, 230, "Log Box Sizes"},  // moved back inside the box: 550 - 13 characters
      {410, 10, "Slope = -1.585000"},
      {355, 25, "Fractal Dimension = 1.585000"},
  };
  EXPECT_EQ(canvas.texts, texts);
  const std::vector<RecordedLine> lines = {
      {50, 50, 40, 50, Pen::Black},      // top tick
      {50, 50, 450, 250, Pen::Black},    // curve
      {450, 250, 449, 249, Pen::Black},  // mark
      {449, 249, 449, 251, Pen::Black}, {449, 251, 451, 251, Pen::Black},
      {451, 251, 451, 249, Pen::Black}, {450, 250, 450, 260, Pen::Black},  // x tick
      {50, 250, 40, 250, Pen::Black},                                      // y tick
      {40, 250, 500, 250, Pen::Black},                                     // axes
      {50, 30, 50, 260, Pen::Black},
  };
  EXPECT_EQ(canvas.lines, lines);
}

// For each window family: the data, the paint, the lines and texts that must be drawn and those that
// must not.
struct PaintCase {
  const char* name;
  std::function<void(RecordingCanvas&)> fillAndPaint;
  std::vector<std::array<int, 4>> lines;
  std::vector<RecordedText> texts;
  std::vector<std::array<int, 4>> absentLines = {};
  std::vector<std::string> absentTexts = {};
};

TEST_F(DiagramPaintTest, EachWindowDrawsItsMarksAndTexts) {
  TMainForm& m = *MainForm;
  const std::vector<PaintCase> cases = {
      // x = 50 + 400 X / 4, y = 250 - 200 (Y - 0) / 8.
      {"box counting, many points",
       [&](RecordingCanvas& c) {
         m.BoxCountingPointCount = 4;
         m.BoxCountingLogSize = {0, 1, 2, 4};
         m.BoxCountingLogCount = {8, 6, 4, 0};
         m.BoxCountingSizes = {1, 3, 9, 81};
         m.BoxCountingDimension = 2;
         DiagBoxCountingForm->PaintBoxPaint(c);
       },
       {{50, 50, 150, 100}, {150, 100, 250, 150}, {250, 150, 450, 250}, {50, 150, 40, 150}},
       {{150, 85, "3"},
        {250, 135, "9"},
        {450, 235, "81"},
        {140, 260, "1.00"},
        {10, 95, "6.00"},
        {355, 25, "Fractal Dimension = 2.000000"},
        {410, 10, "Slope = -2.000000"}}},
      {"box counting, undefined dimension",
       [&](RecordingCanvas& c) {
         m.BoxCountingPointCount = 1;
         m.BoxCountingLogSize = {0};
         m.BoxCountingLogCount = {3};
         m.BoxCountingDimension = std::numeric_limits<double>::quiet_NaN();
         DiagBoxCountingForm->PaintBoxPaint(c);
       },
       {},
       {{355, 25, "Fractal Dimension = undefined"}, {410, 10, "Slope = undefined"}}},
      {"progressive, zero ranges collapse the points",
       [&](RecordingCanvas& c) {
         m.ProgressivePointCount = 3;
         m.ProgressiveLogSize = {1, 1, 1};
         m.ProgressiveLogCount = {2, 2, 2};
         m.ProgressiveDimension = 0;
         DiagProgrBoxCountingForm->PaintBoxPaint(c);
       },
       {{50, 50, 50, 250}},
       {}},
      {"lineal, narrower scale",
       [&](RecordingCanvas& c) {
         m.LinealLineLogSize = {0, 1, 2, 3, 4, 6};
         m.LinealLineLogCount = {6, 5, 4, 3, 2, 0};
         m.LinealLineDimension = 1;
         m.LinealLineSlope = -1;
         DiagLinFractLineForm->PaintBoxPaint(c);
       },
       {{50, 50, 100, 84}, {40, 250, 400, 250}},  // 50 + 300/6, 250 - trunc(200 * 5/6)
       {{335, 10, "Slope = -1.000000"},
        {280, 25, "Fractal Dimension = 1.000000"},
        {350, 230, "Log Segm. Size"}}},
      {"jumping circle, a first value of zero stays on the axis",
       [&](RecordingCanvas& c) {
         m.CirclePointCount = 3;
         m.CircleLogSize = {0, 1, 2};
         m.CircleLogCount = {0, -1, -2};
         m.CircleMode = 1;
         m.CircleValueType = 1;
         DiagRadiusForm->PaintBoxPaint(c);
       },
       {{50, 250, 250, 250}, {250, 250, 450, 250}},
       {{400, 10, "Jumping Circle"}, {400, 25, "Surface Value"}, {400, 45, "Slope = 0.000000"}}},
      // y = 250 - trunc(300 (Y - 2) / 4); x = 50 + trunc(400 X / 2).
      {"sliding circle, scaled by three hundred",
       [&](RecordingCanvas& c) {
         m.CirclePointCount = 2;
         m.CircleLogSize = {1, 2};
         m.CircleLogCount = {4, 2};
         m.CircleMode = 0;
         m.CircleValueType = 0;
         DiagRadiusForm->PaintBoxPaint(c);
       },
       {{250, 100, 240, 100}, {250, 100, 450, 250}},
       {{210, 90, "4.00"}, {400, 10, "Sliding Circle"}, {400, 25, "Radius Value"}},
       {},
       {"Ratio = 0.000000"}},
      {"hurst, diamonds without a curve",
       [&](RecordingCanvas& c) {
         m.HurstPointCount = 2;
         m.HurstLogDeviation = {0, 0.5, 1.5};
         m.HurstLogWindow = {0, 1, 2};
         m.HurstSlope = 0.5;
         m.HurstCorrelation = 0.5;
         m.HurstWindowMode = 0;
         m.HurstFirstDivider = 2;
         m.HurstLastDivider = 30;
         DiagHurstResultForm->FormPaint(c);
       },
       {{50, 250, 48, 250}, {450, 50, 448, 50}},
       {{410, 10, "Hurst Exponent = 0.500000"},
        {410, 50, "                     R2 = 0.250000 "},
        {410, 160, "Divider Max. Value = 30 "},
        {410, 180, "Divider Min. Value = 2 "}},
       {{50, 250, 450, 50}}},
      // x = 50 + trunc(300 (X - 3) / 6): the window sizes from the first one span the box.
      {"lacunarity, left box",
       [&](RecordingCanvas& c) {
         m.LacunCount = 3;
         m.LacunWindowSizes = {3, 5, 9};
         m.LacunValues = {2, 1.5, 1};
         m.LacunLogWindowSizes = {0, 1, 2};
         m.LacunLogValues = {0.4, 0.2, 0};
         m.LacunCorrelation = -0.99;
         m.LacunR2 = 0.98;
         DiagLacunForm->PaintBoxPaint(c, 0);
       },
       {{50, 50, 150, 150}, {350, 250, 350, 260}},
       {{145, 260, "5"}, {345, 260, "9"}, {45, 260, "3"}, {340, 220, "Window Size"}},
       {{50, 50, 300, 150}}},
      {"lacunarity, right box",
       [](RecordingCanvas& c) { DiagLacunForm->PaintBoxPaint(c, 1); },
       {},
       {{190, 260, "1.0"}, {265, 20, "Correlation Coefficient = -0.990000"}, {300, 40, "R2 = 0.980000"}}},
      // Sizes 3, 7 and 15: log10 0.48 .. 1.18 spans the 300 pixels from the origin.
      {"lacunarity, right box from K = 1",
       [&](RecordingCanvas& c) {
         m.LacunLogWindowSizes = {std::log10(3.0), std::log10(7.0), std::log10(15.0)};
         m.LacunLogValues = {0.4, 0.2, 0};
         DiagLacunForm->PaintBoxPaint(c, 1);
       },
       {{50, 50, 207, 150}, {350, 250, 350, 260}},
       {{45, 260, "0.5"}, {340, 260, "1.2"}}},
      {"perimeter orientation",
       [&](RecordingCanvas& c) {
         m.OrientationValues = {5, 10, 20, 30};  // entry 0 unused
         m.OrientationLength = 3;
         OrientationPerimForm->PaintBoxPaint(c);
       },
       {{10, 350, 12, 340}, {12, 340, 13, 330}},
       {}},
      // The tick of 250 stands where a point of gray 250 would: 50 + trunc(600 * 250 / 255).
      {"exploration, ticks and points on one scale",
       [&](RecordingCanvas& c) {
         m.FractalThCount = 3;
         m.FractalThGrays = {0, 85, 255};
         m.FractalThDimensions = {1, 1.5, 1};
         m.ExplorationTreatment = 1;
         ExplorForm->PaintBoxPaint(c);
       },
       {{250, 150, 249, 149}, {250, 150, 650, 250}, {638, 250, 638, 260}},
       {{628, 260, "250"}, {600, 20, "Jumping Step"}}},
      {"expansion, left box reaches the last step",
       [&](RecordingCanvas& c) {
         ExpansionResults& e = m.Expansion;
         e.FirstRadius = 10;
         e.StepCount = 3;
         e.Radii = {0, 10, 11, 12, 0};
         e.FractalDimensions = {0, 2, 1, 0, 0};
         e.Densities = {0, 100, 50, 0, 0};
         RadialExpansionForm->PaintBoxPaint(c, 0);
       },
       {{26, 10, 27, 130}, {27, 130, 28, 250}},
       {{26, 260, "10"}, {29, 260, "13"}}},
      {"expansion, right box",
       [](RecordingCanvas& c) { RadialExpansionForm->PaintBoxPaint(c, 1); },
       {{26, 10, 27, 130}},
       {{18, 10, "Density"}}},
  };
  for (const PaintCase& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingCanvas canvas;
    c.fillAndPaint(canvas);
    for (const auto& [x1, y1, x2, y2] : c.lines)
      EXPECT_TRUE(canvas.HasLine(x1, y1, x2, y2)) << x1 << "," << y1;
    for (const auto& [x1, y1, x2, y2] : c.absentLines) EXPECT_FALSE(canvas.HasLine(x1, y1, x2, y2));
    for (const RecordedText& t : c.texts) EXPECT_TRUE(canvas.HasText(t.x, t.y, t.text)) << t.text;
    for (const std::string& t : c.absentTexts) EXPECT_EQ(canvas.CountText(t), 0) << t;
    EXPECT_TRUE(ShowsNoNumberFault(canvas));
  }
}

// Every text inside its box, and no two tick or size labels over each other, however many points.
TEST_F(DiagramPaintTest, ManyPointsLabelARegularSubsetAndEveryTextFits) {
  TMainForm& m = *MainForm;
  for (const int points : {2, 27, 163}) {
    SCOPED_TRACE(points);
    m.BoxCountingPointCount = points;
    m.BoxCountingLogSize.clear();
    m.BoxCountingLogCount.clear();
    m.BoxCountingSizes.clear();
    for (int k = 0; k < points; ++k) {
      m.BoxCountingLogSize.push_back(std::log(k + 1.0));
      m.BoxCountingLogCount.push_back(2 * std::log(points + 1.0 - k));
      m.BoxCountingSizes.push_back(k + 1);
    }
    RecordingCanvas canvas;
    DiagBoxCountingForm->PaintBoxPaint(canvas);
    const int w = RecordingCanvas::kCharWidth, h = RecordingCanvas::kTextHeight;
    for (const RecordedText& t : canvas.texts) {
      EXPECT_GE(t.x, 0) << t.text;
      EXPECT_LE(t.x + w * static_cast<int>(t.text.size()), 550) << t.text;
      EXPECT_LE(t.y + h, 280) << t.text;
    }
    for (std::size_t a = 0; a < canvas.texts.size(); ++a)
      for (std::size_t b = a + 1; b < canvas.texts.size(); ++b) {
        const RecordedText &p = canvas.texts[a], &q = canvas.texts[b];
        const bool apart = p.x + w * static_cast<int>(p.text.size()) <= q.x ||
                           q.x + w * static_cast<int>(q.text.size()) <= p.x || p.y + h <= q.y ||
                           q.y + h <= p.y;
        EXPECT_TRUE(apart) << p.text << " at " << p.x << "," << p.y << " over " << q.text << " at " << q.x
                           << "," << q.y;
      }
    // The labels that remain are a regular subset: the first point's and then every k-th.
    EXPECT_EQ(canvas.CountText(Format("%4.2lf", m.BoxCountingLogSize[1])), 1);
  }
}

TEST_F(DiagramPaintTest, ProgressiveHasNoSizeLabelsAndReadsOnlyWhatItsVectorsHold) {
  MainForm->ProgressivePointCount = 3;
  MainForm->ProgressiveLogSize = {1, 1, 1};
  MainForm->ProgressiveLogCount = {2, 2, 2};
  RecordingCanvas canvas;
  DiagProgrBoxCountingForm->PaintBoxPaint(canvas);
  EXPECT_EQ(canvas.CountText("0"), 1);
  MainForm->ProgressivePointCount = 64;
  RecordingCanvas more;
  DiagProgrBoxCountingForm->PaintBoxPaint(more);
  EXPECT_EQ(more.lines.size(), canvas.lines.size());
}

TEST_F(DiagramPaintTest, LocalFractalCurveSkipsEmptyBinsAndClampsItsRange) {
  MainForm->BinCounts[150] = 10;
  MainForm->BinCounts[152] = 5;
  MainForm->LocalFractalRange = {400, 150};  // upper past the bins
  RecordingCanvas canvas;
  DiagLocFractDimForm->PaintBoxPaint(canvas);
  std::vector<RecordedLine> blue;
  for (const RecordedLine& l : canvas.lines)
    if (l.pen == Pen::Blue) blue.push_back(l);
  EXPECT_EQ(blue, (std::vector<RecordedLine>{{100, 0, 104, 245 / 2, Pen::Blue}}));

  MainForm->BinCounts.fill(0);
  RecordingCanvas empty;
  DiagLocFractDimForm->PaintBoxPaint(empty);
  for (const RecordedLine& l : empty.lines) EXPECT_EQ(l.pen, Pen::Black);

  std::array<int, kLocalFractalBins> bins{};
  for (double value : {2.345, 3.5, -1.0, std::numeric_limits<double>::quiet_NaN()})
    AddLocalFractalBin(bins, value);
  EXPECT_EQ(std::tuple(bins[234], bins[300], bins[0]), std::tuple(1, 1, 2));
}

TEST_F(DiagramPaintTest, RoughnessOfZeroDistancesDrawsOnTheAxis) {
  MainForm->Distances = {0, 0, 0, 0, 0};
  MainForm->PerimSequenceLength = 5;
  MainForm->DistMax = 0;
  RecordingCanvas roughness;
  PerimeterRoughnessForm2->PaintBoxPaint(roughness);
  // Five values draw two segments, on the axis when every distance is 0.
  int profile = 0;
  for (const RecordedLine& l : roughness.lines) profile += l.x1 >= 16 && l.x2 <= 20 && l.y1 == 360;
  EXPECT_EQ(profile, 2);
  EXPECT_TRUE(roughness.HasText(580, 30, "Dist Max = 0 "));
}

// Through Qt's own painting, each window's axes reach the screen in black.
TEST_F(DiagramPaintTest, EveryWindowPaintsItsAxesOnTheScreen) {
  MainForm->BoxCountingPointCount = 2;
  MainForm->BoxCountingLogSize = {0, 1};
  MainForm->BoxCountingLogCount = {1, 0};
  MainForm->BoxCountingDimension = std::numeric_limits<double>::quiet_NaN();
  const std::vector<QWidget*> windows = {
      DiagBoxCountingForm,  DiagProgrBoxCountingForm, DiagLinFractLineForm, DiagLinFractColForm,
      DiagRadiusForm,       DiagHurstResultForm,      DiagLocFractDimForm,  DiagLacunForm,
      OrientationPerimForm, PerimeterRoughnessForm2,  ExplorForm,           RadialExpansionForm,
      HistoGrisForm,        LocalHistoGrisForm};
  for (QWidget* window : windows) {
    const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int black = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) black += shot.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(black, 100) << window->windowTitle().toStdString();
  }
}

}  // namespace
