// What the diagram windows draw, read back from a recording canvas.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Program.h"
#include "app/MainWindow.h"
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
      {10, 40, "2.20"},    // top tick label
      {450, 235, "2"},     // box size above the point
      {440, 260, "0.69"},  // x tick label
      {45, 260, "0"},
      {10, 245, "1.10"},  // y tick label
      {20, 10, "Log Num. Filled Boxes"},
      {480, 230, "Log Box Sizes"},
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

TEST_F(DiagramPaintTest, ManyPointBoxCountingPlacesEveryPoint) {
  MainForm->BoxCountingPointCount = 4;
  MainForm->BoxCountingLogSize = {0, 1, 2, 4};
  MainForm->BoxCountingLogCount = {8, 6, 4, 0};
  MainForm->BoxCountingSizes = {1, 3, 9, 81};
  MainForm->BoxCountingDimension = 2;
  RecordingCanvas canvas;
  DiagBoxCountingForm->PaintBoxPaint(canvas);
  // x = 50 + 400 X / 4, y = 250 - 200 (Y - 0) / 8.
  EXPECT_TRUE(canvas.HasLine(50, 50, 150, 100));
  EXPECT_TRUE(canvas.HasLine(150, 100, 250, 150));
  EXPECT_TRUE(canvas.HasLine(250, 150, 450, 250));
  EXPECT_TRUE(canvas.HasText(150, 85, "3"));
  EXPECT_TRUE(canvas.HasText(250, 135, "9"));
  EXPECT_TRUE(canvas.HasText(450, 235, "81"));
  EXPECT_TRUE(canvas.HasText(140, 260, "1.00"));
  EXPECT_TRUE(canvas.HasText(10, 95, "6.00"));
  EXPECT_TRUE(canvas.HasLine(50, 150, 40, 150));
  EXPECT_TRUE(canvas.HasText(355, 25, "Fractal Dimension = 2.000000"));
  EXPECT_TRUE(canvas.HasText(410, 10, "Slope = -2.000000"));
}

TEST_F(DiagramPaintTest, UndefinedDimensionIsShownAsText) {
  MainForm->BoxCountingPointCount = 1;
  MainForm->BoxCountingLogSize = {0};
  MainForm->BoxCountingLogCount = {3};
  MainForm->BoxCountingDimension = std::numeric_limits<double>::quiet_NaN();
  RecordingCanvas canvas;
  DiagBoxCountingForm->PaintBoxPaint(canvas);
  EXPECT_TRUE(canvas.HasText(355, 25, "Fractal Dimension = undefined"));
  EXPECT_TRUE(canvas.HasText(410, 10, "Slope = undefined"));
  EXPECT_TRUE(ShowsNoNumberFault(canvas));
}

TEST_F(DiagramPaintTest, ZeroRangesCollapseThePoints) {
  MainForm->ProgressivePointCount = 3;
  MainForm->ProgressiveLogSize = {1, 1, 1};
  MainForm->ProgressiveLogCount = {2, 2, 2};
  MainForm->ProgressiveDimension = 0;
  RecordingCanvas canvas;
  DiagProgrBoxCountingForm->PaintBoxPaint(canvas);
  EXPECT_TRUE(canvas.HasLine(50, 50, 50, 250));
  EXPECT_TRUE(ShowsNoNumberFault(canvas));
  EXPECT_EQ(canvas.CountText("0"), 1);  // progressive: no size labels

  // A count larger than the vectors reads only what they hold.
  MainForm->ProgressivePointCount = 64;
  RecordingCanvas more;
  DiagProgrBoxCountingForm->PaintBoxPaint(more);
  EXPECT_EQ(more.lines.size(), canvas.lines.size());
}

TEST_F(DiagramPaintTest, LinealWindowUsesItsNarrowerScale) {
  MainForm->LinealLineLogSize = {0, 1, 2, 3, 4, 6};
  MainForm->LinealLineLogCount = {6, 5, 4, 3, 2, 0};
  MainForm->LinealLineDimension = 1;
  MainForm->LinealLineSlope = -1;
  RecordingCanvas canvas;
  DiagLinFractLineForm->PaintBoxPaint(canvas);
  EXPECT_TRUE(canvas.HasLine(50, 50, 100, 84));  // 50 + 300/6, 250 - trunc(200 * 5/6)
  EXPECT_TRUE(canvas.HasLine(40, 250, 400, 250));
  EXPECT_TRUE(canvas.HasText(335, 10, "Slope = -1.000000"));
  EXPECT_TRUE(canvas.HasText(280, 25, "Fractal Dimension = 1.000000"));
  EXPECT_TRUE(canvas.HasText(350, 230, "Log Segm. Size"));
}

TEST_F(DiagramPaintTest, CircleWithAFirstValueOfZeroStaysOnTheAxis) {
  MainForm->CirclePointCount = 3;
  MainForm->CircleLogSize = {0, 1, 2};
  MainForm->CircleLogCount = {0, -1, -2};
  MainForm->CircleMode = 1;
  MainForm->CircleValueType = 1;
  RecordingCanvas canvas;
  DiagRadiusForm->PaintBoxPaint(canvas);
  EXPECT_TRUE(canvas.HasLine(50, 250, 250, 250));
  EXPECT_TRUE(canvas.HasLine(250, 250, 450, 250));
  EXPECT_TRUE(canvas.HasText(400, 10, "Jumping Circle"));
  EXPECT_TRUE(canvas.HasText(400, 25, "Surface Value"));
  EXPECT_TRUE(canvas.HasText(400, 45, "Slope = 0.000000"));
  EXPECT_TRUE(ShowsNoNumberFault(canvas));
}

TEST_F(DiagramPaintTest, SlidingCircleScalesByThreeHundred) {
  MainForm->CirclePointCount = 2;
  MainForm->CircleLogSize = {1, 2};
  MainForm->CircleLogCount = {4, 2};
  RecordingCanvas canvas;
  DiagRadiusForm->PaintBoxPaint(canvas);
  // y = 250 - trunc(300 (Y - 2) / 4); x = 50 + trunc(400 X / 2).
  EXPECT_TRUE(canvas.HasLine(250, 100, 240, 100));
  EXPECT_TRUE(canvas.HasText(210, 90, "4.00"));
  EXPECT_TRUE(canvas.HasLine(250, 100, 450, 250));
  EXPECT_TRUE(canvas.HasText(400, 10, "Sliding Circle"));
  EXPECT_TRUE(canvas.HasText(400, 25, "Radius Value"));
  EXPECT_EQ(canvas.CountText("Ratio = 0.000000"), 0);
}

TEST_F(DiagramPaintTest, HurstDrawsDiamondsAndDividerRange) {
  MainForm->HurstPointCount = 2;
  MainForm->HurstLogDeviation = {0, 0.5, 1.5};
  MainForm->HurstLogWindow = {0, 1, 2};
  MainForm->HurstSlope = 0.5;
  MainForm->HurstCorrelation = 0.5;
  MainForm->HurstWindowMode = 0;
  MainForm->HurstFirstDivider = 2;
  MainForm->HurstLastDivider = 30;
  RecordingCanvas canvas;
  DiagHurstResultForm->FormPaint(canvas);
  EXPECT_TRUE(canvas.HasLine(50, 250, 48, 250));   // first diamond
  EXPECT_TRUE(canvas.HasLine(450, 50, 448, 50));   // last diamond
  EXPECT_FALSE(canvas.HasLine(50, 250, 450, 50));  // no connecting curve
  EXPECT_TRUE(canvas.HasText(410, 10, "Hurst Exponent = 0.500000"));
  EXPECT_TRUE(canvas.HasText(410, 50, "                     R2 = 0.250000 "));
  EXPECT_TRUE(canvas.HasText(410, 160, "Divider Max. Value = 30 "));
  EXPECT_TRUE(canvas.HasText(410, 180, "Divider Min. Value = 2 "));
}

TEST_F(DiagramPaintTest, LocalFractalCurveSkipsEmptyBinsAndClampsItsRange) {
  MainForm->BinCounts[150] = 10;
  MainForm->BinCounts[152] = 5;
  MainForm->LocalFractalRange = {400, 150};  // upper past the bins
  RecordingCanvas canvas;
  DiagLocFractDimForm->PaintBoxPaint(canvas);
  const int h = 245;
  std::vector<RecordedLine> blue;
  for (const RecordedLine& l : canvas.lines)
    if (l.pen == Pen::Blue) blue.push_back(l);
  ASSERT_EQ(blue.size(), 1u);
  EXPECT_EQ(blue[0], (RecordedLine{100, 0, 104, h / 2, Pen::Blue}));

  MainForm->BinCounts.fill(0);
  RecordingCanvas empty;
  DiagLocFractDimForm->PaintBoxPaint(empty);
  for (const RecordedLine& l : empty.lines) EXPECT_EQ(l.pen, Pen::Black);
}

TEST_F(DiagramPaintTest, LocalFractalBinsStayInsideTheirArray) {
  std::array<int, kLocalFractalBins> bins{};
  AddLocalFractalBin(bins, 2.345);
  AddLocalFractalBin(bins, 3.5);
  AddLocalFractalBin(bins, -1);
  AddLocalFractalBin(bins, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(bins[234], 1);
  EXPECT_EQ(bins[300], 1);
  EXPECT_EQ(bins[0], 2);
}

TEST_F(DiagramPaintTest, LacunarityDrawsBothBoxes) {
  MainForm->LacunCount = 3;
  MainForm->LacunWindowSizes = {3, 5, 9};
  MainForm->LacunValues = {2, 1.5, 1};
  MainForm->LacunLogWindowSizes = {0, 1, 2};
  MainForm->LacunLogValues = {0.4, 0.2, 0};
  MainForm->LacunCorrelation = -0.99;
  MainForm->LacunR2 = 0.98;
  RecordingCanvas left, right;
  DiagLacunForm->PaintBoxPaint(left, 0);
  DiagLacunForm->PaintBoxPaint(right, 1);
  // x = 50 + trunc(300 X / 6): X is not shifted by its first value.
  EXPECT_TRUE(left.HasLine(50, 50, 300, 150));
  EXPECT_TRUE(left.HasText(295, 260, "5"));
  EXPECT_TRUE(left.HasText(45, 260, "3"));
  EXPECT_TRUE(left.HasText(340, 220, "Window Size"));
  EXPECT_TRUE(right.HasText(190, 260, "1.0"));
  EXPECT_TRUE(right.HasText(300, 20, "Correlation Coefficient = -0.990000"));
  EXPECT_TRUE(right.HasText(300, 40, "R2 = 0.980000"));
}

TEST_F(DiagramPaintTest, PerimeterProfilesDrawTheirSequences) {
  MainForm->OrientationValues = {5, 10, 20, 30};
  MainForm->PerimSequenceLength = 4;
  RecordingCanvas orientation;
  OrientationPerimForm->PaintBoxPaint(orientation);
  EXPECT_TRUE(orientation.HasLine(10, 350, 12, 340));
  EXPECT_TRUE(orientation.HasLine(12, 340, 13, 330));

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

TEST_F(DiagramPaintTest, ExplorationTicksAndPointsShareOneScale) {
  MainForm->FractalThCount = 3;
  MainForm->FractalThGrays = {0, 85, 255};
  MainForm->FractalThDimensions = {1, 1.5, 1};
  MainForm->ExplorationTreatment = 1;
  RecordingCanvas canvas;
  ExplorForm->PaintBoxPaint(canvas);
  EXPECT_TRUE(canvas.HasLine(250, 150, 249, 149));  // mark at the point of 1.5
  EXPECT_TRUE(canvas.HasLine(250, 150, 650, 250));
  // The tick of 250 stands where a point of gray 250 would: 50 + trunc(600 * 250 / 255).
  EXPECT_TRUE(canvas.HasLine(638, 250, 638, 260));
  EXPECT_TRUE(canvas.HasText(628, 260, "250"));
  EXPECT_TRUE(canvas.HasText(600, 20, "Jumping Step"));
}

TEST_F(DiagramPaintTest, ExpansionCurvesReachTheLastStep) {
  ExpansionResults& e = MainForm->Expansion;
  e.FirstRadius = 10;
  e.StepCount = 3;
  e.Radii = {0, 10, 11, 12, 0};
  e.FractalDimensions = {0, 2, 1, 0, 0};
  e.Densities = {0, 100, 50, 0, 0};
  RecordingCanvas left, right;
  RadialExpansionForm->PaintBoxPaint(left, 0);
  RadialExpansionForm->PaintBoxPaint(right, 1);
  EXPECT_TRUE(left.HasLine(26, 10, 27, 130));
  EXPECT_TRUE(left.HasLine(27, 130, 28, 250));
  EXPECT_TRUE(left.HasText(26, 260, "10"));
  EXPECT_TRUE(left.HasText(29, 260, "13"));
  EXPECT_TRUE(right.HasLine(26, 10, 27, 130));
  EXPECT_TRUE(right.HasText(18, 10, "Density"));
}

TEST_F(DiagramPaintTest, EveryWindowPaintsOnTheScreen) {
  MainForm->BoxCountingPointCount = 2;
  MainForm->BoxCountingLogSize = {0, 1};
  MainForm->BoxCountingLogCount = {1, 0};
  MainForm->BoxCountingDimension = std::numeric_limits<double>::quiet_NaN();
  const std::vector<QWidget*> windows = {
      DiagBoxCountingForm,  DiagProgrBoxCountingForm, DiagLinFractLineForm, DiagLinFractColForm,
      DiagRadiusForm,       DiagHurstResultForm,      DiagLocFractDimForm,  DiagLacunForm,
      OrientationPerimForm, PerimeterRoughnessForm2,  ExplorForm,           RadialExpansionForm,
      HistoGrisForm,        LocalHistoGrisForm,       DiagHistoForm,        DiagLocalHistoForm};
  for (QWidget* window : windows) EXPECT_FALSE(window->grab().isNull());
}

}  // namespace
