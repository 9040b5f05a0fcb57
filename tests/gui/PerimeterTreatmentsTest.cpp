#include <QLineEdit>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "Program.h"
#include "app/MainWindow.h"
#include "binary/ItemSelection.h"
#include "binary/PerimOrient.h"
#include "binary/ResizeBC.h"
#include "diagrams/DiagHurstResult.h"
#include "diagrams/PerimeterDiagrams.h"
#include "panels/ReportForm.h"
#include "sequence/Hurst.h"

namespace {

// Kinds of item painted at the top-left corner of their cell: a filled 8 x 8 square or one pixel.
enum Shape { kSquare, kPixel };

// Panel 2 as a labeling leaves it: items of the given codes and shapes, 12 pixels apart on one
// line, ItemCount and the per-item tables of ItemCount + 1 entries.
void LoadLabeled(const std::vector<std::pair<int, Shape>>& items, int itemCount) {
  BytePlane labels(12 * static_cast<int>(items.size()) + 2, 12);
  labels.Fill(255);
  for (std::size_t k = 0; k < items.size(); ++k) {
    const int side = items[k].second == kSquare ? 8 : 1, left = 1 + 12 * static_cast<int>(k);
    for (int i = 1; i < 1 + side; ++i)
      for (int j = left; j < left + side; ++j) labels[i][j] = static_cast<std::uint8_t>(items[k].first);
  }
  LoadBinary(std::move(labels));
  MainForm->HasBinaryImage = 0;
  MainForm->HasLabeledImage = 1;
  MainForm->ItemCount = itemCount;
  for (auto* table : {&MainForm->ItemCodes, &MainForm->ItemPixels}) table->assign(itemCount + 1, 0);
  for (auto* table : {&MainForm->ItemValues, &MainForm->ItemValues2}) table->assign(itemCount + 1, 0.0);
}

std::string Printed(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%lf", value);
  return text;
}

// The 8 x 8 square's contour: L(1) = 28 + 4 sqrt 2, L(4) = 16 + 4 sqrt 17; over x = 0, ln 2, ln 4
// the least-squares slope is (ln L(4) - ln L(1)) / ln 4, ten times over.
const double kSquareSlope =
    10 * (std::log(16 + 4 * std::sqrt(17.0)) - std::log(28 + 4 * std::sqrt(2.0))) / std::log(4.0);
const std::string kSlope = Printed(kSquareSlope), kRatio = Printed(1 - kSquareSlope);

const std::string kPerimeterHeader =
    "\n\n FRACTAL DIMENSION OF THE PERIMETER \n applied to the labelized image\n";

std::string SquareLine(int code) {
  return "\n\tItem " + std::to_string(code) + "\tSlope " + kSlope + "\tRatio " + kRatio;
}
std::string SquareMessage(int rank) {
  return "item " + std::to_string(rank) + " slope " + kSlope + " Ratio " + kRatio;
}

auto AllItems() {
  return [](TResizeBCForm& f) {
    f.Selection = 0;
    return ui::mrOk;
  };
}
auto Selected(int count) {
  return [=](TResizeBCForm& f) {
    f.Selection = 1;
    f.SelectedCount = count;
    return ui::mrOk;
  };
}
auto Code(int code, int order) {
  return [=](TItemSelectionForm& f) {
    EXPECT_EQ(f.NumEdit->text().toStdString(), std::to_string(order));
    f.Code = code;
    return ui::mrOk;
  };
}

auto Orientation(int code, int length) {
  return [=](TPerimOrientationForm& f) {
    f.ItemCode = code;
    f.SegmentLength = length;
    return ui::mrOk;
  };
}

// The eight square's sequence at L = 1.
std::vector<int> SquareSequence() {
  std::vector<int> values = {0};  // entry 0 unused
  for (const auto& [angle, times] : std::vector<std::pair<int, int>>{
           {90, 7}, {135, 1}, {180, 7}, {225, 1}, {270, 7}, {315, 1}, {360, 7}, {45, 1}})
    values.insert(values.end(), times, angle);
  return values;
}

}  // namespace

class PerimeterTreatmentsTest : public ProgramTest {};

// Twelve squares coded 1 .. 9 and 11 .. 13 as a labeling gives them: twelve lines, no entry 10, the
// first five in the message.
TEST_F(PerimeterTreatmentsTest, AllTheItemsOfALabelingAreMeasured) {
  std::vector<std::pair<int, Shape>> items;
  for (const int code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13}) items.push_back({code, kSquare});
  LoadLabeled(items, 13);
  MainForm->ItemValues[10] = 7.5;
  MainForm->RegressionX.clear();
  const std::string report = ReportInto(Path("report.txt"));
  std::string message = "Results concerning the 5 first items";
  for (int k = 1; k <= 5; ++k) message += "\n" + SquareMessage(k);
  ui.dialog<TResizeBCForm>([](TResizeBCForm& f) {
      EXPECT_EQ(f.NumItemEdit->text().toStdString(), "13");
      f.Selection = 0;
      return ui::mrOk;
    }).message("PERIMETER LENGTH", message);
  MainForm->PerimTreatment1Click();

  std::string expected = kPerimeterHeader + "\n\tTreatment applied to all the 12 items\n";
  for (const auto& item : items) expected += SquareLine(item.first);
  EXPECT_EQ(ReadFile(report), expected);
  EXPECT_NEAR(MainForm->ItemValues2[13], kSquareSlope, 1e-12);
  EXPECT_NEAR(MainForm->ItemValues[13], 1 - kSquareSlope, 1e-12);
  EXPECT_NEAR(MainForm->ItemValues2[1], kSquareSlope, 1e-12);
  EXPECT_EQ(MainForm->ItemValues[10], 7.5);
  EXPECT_EQ(MainForm->ItemCodes[11], 11);
  // The regression arrays hold the last item's four points.
  ASSERT_GE(MainForm->RegressionX.size(), 4u);
  EXPECT_NEAR(MainForm->RegressionX[3], std::log(8.0), 1e-15);
  EXPECT_NEAR(MainForm->RegressionY[3], std::log(4 * std::sqrt(65.0)), 1e-12);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbResizeBC], 0);
}

// An item erased from a labeling is passed over with a line; a one-pixel item has no L(4) and is not
// measured; with three entries measured the message has three lines.
TEST_F(PerimeterTreatmentsTest, AbsentAndUnmeasurableItemsAreSaidSo) {
  LoadLabeled({{1, kSquare}, {2, kPixel}, {4, kSquare}}, 4);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TResizeBCForm>(AllItems())
      .message("PERIMETER LENGTH",
               SquareMessage(1) + "\nitem 2 slope undefined Ratio undefined\n" + SquareMessage(3));
  MainForm->PerimTreatment1Click();
  EXPECT_EQ(ReadFile(report), kPerimeterHeader + "\n\tTreatment applied to all the 3 items\n" +
                                  SquareLine(1) +
                                  "\n\tItem 2\tnot measurable: contour of 5 points"
                                  "\n\tItem 3\tnot present in the labelized image" +
                                  SquareLine(4));
  EXPECT_TRUE(std::isnan(MainForm->ItemValues2[2]));
  EXPECT_TRUE(std::isnan(MainForm->ItemValues[2]));
}

TEST_F(PerimeterTreatmentsTest, ASelectionRefusesCountsAndCodesThatAreNotItems) {
  LoadLabeled({{1, kSquare}, {2, kSquare}, {3, kPixel}}, 3);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TResizeBCForm>(Selected(4))
      .message("ERROR", "Number of selected items above the number of items")
      .dialog<TResizeBCForm>(Selected(2))
      .dialog<TItemSelectionForm>(Code(9, 1))  // no pixel bears it
      .message("ERROR", "Code Label not defined")
      .dialog<TItemSelectionForm>(Code(2, 1))
      .dialog<TItemSelectionForm>(Code(1, 2))
      .message("PERIMETER LENGTH", SquareMessage(1) + "\n" + SquareMessage(2));
  MainForm->PerimTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            kPerimeterHeader + "\n\tTreatment applied to 2 items\n" + SquareLine(2) + SquareLine(1));
  EXPECT_EQ(std::tuple(MainForm->ItemCodes[1], MainForm->ItemCodes[2]), std::tuple(2, 1));

  // One item: one line with a trailing blank. With the report off the results are kept all the same.
  const std::string before = ReadFile(report);
  ReportForm->ReportOff = 1;
  MainForm->ItemValues2[1] = 0;
  ui.dialog<TResizeBCForm>(Selected(1))
      .dialog<TItemSelectionForm>(Code(2, 1))
      .message("PERIMETER LENGTH", SquareMessage(1) + " ");
  MainForm->PerimTreatment1Click();
  EXPECT_NEAR(MainForm->ItemValues2[1], kSquareSlope, 1e-12);
  EXPECT_EQ(ReadFile(report), before);
}

TEST_F(PerimeterTreatmentsTest, CancelChangesNothing) {
  LoadLabeled({{1, kSquare}}, 1);
  MainForm->ItemValues[1] = 42;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TResizeBCForm>([](TResizeBCForm&) { return ui::mrCancel; });
  MainForm->PerimTreatment1Click();
  EXPECT_EQ(MainForm->ItemValues[1], 42);
  EXPECT_EQ(ReadFile(report), "");
  EXPECT_EQ(MainForm->DialogCancelBytes[cbResizeBC], 0);
}

// The sequence is in place (entries 1 .. M) while the window shows it; its Save writes those M
// values; the report names the file, and the Hurst exponent's menu opens.
TEST_F(PerimeterTreatmentsTest, TheOrientationSequenceIsDrawnSavedAndHandedOn) {
  LoadLabeled({{3, kSquare}}, 3);
  MainForm->WorkDirectory = Dir().string();
  MainForm->Enable({"Diagram1", "DiagCircleScan", "GTSTreatments1"}, false);
  MainForm->DiagramSavedFlags.OrientationSaved = 1;  // the last sequence's file
  MainForm->PerimSequenceLength = 77;                // the perimeter distances' own length
  const std::string report = ReportInto(Path("report.txt"));
  std::string rows;
  for (std::size_t k = 1; k < SquareSequence().size(); ++k)
    rows += std::to_string(SquareSequence()[k]) + "\n";
  ui.dialog<TPerimOrientationForm>(Orientation(3, 1))
      .dialog<TOrientationPerimForm>([](TOrientationPerimForm& window) {
        EXPECT_EQ(MainForm->OrientationLength, 32);
        window.BitBtnSaveClick();
        return ui::mrOk;
      })
      .save(Path("angles"), 2);
  MainForm->PerimOrientationTreatment1Click();

  // trunc(N / L) + 1 = 34 entries: the 32 angles at 1 .. 32, entry 33 left at 0.
  std::vector<int> held = SquareSequence();
  held.push_back(0);
  EXPECT_EQ(MainForm->OrientationValues, held);
  EXPECT_EQ(ReadFile(Path("angles.ts")), rows);
  EXPECT_EQ(ReadFile(report),
            "\n\n PERIMETER ORIENTATION \n applied to the labelized image\n"
            "\n\n\tPerimeter Orientation Diagram registered\n\tin the file " +
                Path("angles.ts") + " ");
  EXPECT_EQ(std::tuple(MainForm->DiagramSavedFlags.OrientationSaved,
                       MainForm->DiagramSavedFlags.OrientationPending),
            std::tuple(1, 0));
  EXPECT_EQ(EnabledOf("Diagram1 DiagCircleScan GTSTreatments1"), "Diagram1 DiagCircleScan GTSTreatments1");
  EXPECT_EQ(MainForm->PerimSequenceLength, 77);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbPerimOrientation], 0);
  // The dialog keeps its values for the next use.
  EXPECT_EQ(std::tuple(PerimOrientationForm->ItemCode, PerimOrientationForm->SegmentLength),
            std::tuple(3, 1));

  // The Hurst exponent takes the 32 angles as its perimeter orientation source.
  ui.dialog<THurstForm>([](THurstForm& f) {
      f.DataIn = 1;
      f.WindowType = 0;
      f.FirstSize = 2;
      f.Step = 2;
      f.NumSteps = 4;
      return ui::mrOk;
    })
      .message("HURST", "num_step = 4 Hurst Exponent = 0.925775 ")
      .ok<TDiagHurstResultForm>();
  MainForm->HurstTreatment1Click();
  EXPECT_EQ(MainForm->HurstPointCount, 4);
  EXPECT_TRUE(ui.Finished());
}

// A code that is not an item and a length below one point come back to the dialog, the code first.
TEST_F(PerimeterTreatmentsTest, OrientationRefusesWhatCannotBeWalked) {
  LoadLabeled({{3, kSquare}}, 3);
  ui.dialog<TPerimOrientationForm>(Orientation(9, 0))
      .message("ERROR", "Code Label not defined")
      .dialog<TPerimOrientationForm>(Orientation(255, 4))
      .message("ERROR", "Code Label not defined")
      .dialog<TPerimOrientationForm>(Orientation(3, 0))
      .message("ERROR", "Length not defined")
      .dialog<TPerimOrientationForm>(Orientation(3, 4))
      .ok<TOrientationPerimForm>();
  MainForm->PerimOrientationTreatment1Click();
  EXPECT_EQ(MainForm->OrientationValues, (std::vector<int>{0, 90, 104, 180, 194, 270, 284, 360, 14}));
  EXPECT_EQ(MainForm->OrientationLength, 8);
}

TEST_F(PerimeterTreatmentsTest, OrientationCancelledOrTooLongChangesNothing) {
  LoadLabeled({{3, kSquare}}, 3);
  MainForm->OrientationValues = {0, 90, 90};
  MainForm->OrientationLength = 2;
  MainForm->DiagramSavedFlags.OrientationSaved = 1;
  MainForm->Enable({"GTSTreatments1", "DiagCircleScan"}, false);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TPerimOrientationForm>([](TPerimOrientationForm&) { return ui::mrCancel; });
  MainForm->PerimOrientationTreatment1Click();
  // The contour has 33 points: a segment of 32 only comes back to its start.
  ui.dialog<TPerimOrientationForm>(Orientation(3, 32))
      .message("PERIMETER ORIENTATION",
               "No orientation: the contour of the item holds 33 points,\ntoo few for segments of 32 points");
  MainForm->PerimOrientationTreatment1Click();
  EXPECT_EQ(MainForm->OrientationValues, (std::vector<int>{0, 90, 90}));
  EXPECT_EQ(MainForm->OrientationLength, 2);
  EXPECT_EQ(MainForm->DiagramSavedFlags.OrientationSaved, 1);
  EXPECT_EQ(EnabledOf("GTSTreatments1 DiagCircleScan"), "");
  EXPECT_EQ(ReadFile(report), "");
  EXPECT_EQ(MainForm->DialogCancelBytes[cbPerimOrientation], 0);
}

// The sequence and the circle counts belong to the image they were taken from.
TEST_F(PerimeterTreatmentsTest, ANewImageDropsTheSequenceAndTheCircleCounts) {
  LoadLabeled({{3, kSquare}}, 3);
  ui.dialog<TPerimOrientationForm>(Orientation(3, 2)).ok<TOrientationPerimForm>();
  MainForm->PerimOrientationTreatment1Click();
  ASSERT_EQ(MainForm->OrientationLength, 16);
  MainForm->DiagramSavedFlags.OrientationPending = 1;
  MainForm->CirclePointCount = 2;
  MainForm->CircleLogSize = MainForm->CircleLogCount = {0.0, 1.0};
  MainForm->DiagramSavedFlags.CirclePending = 1;
  MainForm->Enable({"CircleScanning1"});
  WriteFile(Path("next.raw"), std::string(6, '\x10'));
  WriteFile(Path("next.txt"), "2 3");
  ui.open(Path("next.raw"), 1).dialog<TReportForm>(NoReport);
  MainForm->Open1Click();
  EXPECT_TRUE(MainForm->OrientationValues.empty());
  EXPECT_EQ(MainForm->OrientationLength, 0);
  EXPECT_EQ(MainForm->DiagramSavedFlags.OrientationPending, 0);
  EXPECT_EQ(MainForm->CirclePointCount, 0);
  EXPECT_TRUE(MainForm->CircleLogSize.empty() && MainForm->CircleLogCount.empty());
  EXPECT_EQ(MainForm->DiagramSavedFlags.CirclePending, 0);
  EXPECT_EQ(EnabledOf("DiagCircleScan CircleScanning1"), "");
}

TEST_F(PerimeterTreatmentsTest, TheOrientationDialogConvertsItsEdits) {
  PerimOrientationForm->CodeEdit->setText(QStringLiteral("12a"));
  PerimOrientationForm->StepEdit->setText(QStringLiteral(""));
  EXPECT_EQ(std::tuple(PerimOrientationForm->ItemCode, PerimOrientationForm->SegmentLength),
            std::tuple(12, 0));
  EXPECT_EQ(PerimOrientationForm->Caption(), " Perimeter Orientation");
}
