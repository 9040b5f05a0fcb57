#include <cmath>

#include "Program.h"
#include "app/MainWindow.h"
#include "binary/ItemSelection.h"
#include "binary/PerimOrient.h"
#include "binary/ResizeBC.h"
#include "diagrams/DiagHurstResult.h"
#include "diagrams/PerimeterDiagrams.h"
#include "fixtures/Blocks.h"
#include "panels/ReportForm.h"
#include "sequence/Hurst.h"

namespace {

const std::string kHeader = "\n\n FRACTAL DIMENSION OF THE PERIMETER \n applied to the labelized image\n";

// The report line and the message line of an 8 x 8 square. Its contour has L(1) = 28 + 4 sqrt 2 and
// L(4) = 16 + 4 sqrt 17; over x = 0, ln 2, ln 4 the least-squares slope is (ln L(4) - ln L(1)) / ln 4,
// ten times over: -0.253985. The message reads the slopes and ratios kept in the item tables.
std::string SquareLine(int code) {
  return std::string("\n\tItem ") + std::to_string(code) + "\tSlope -0.253985\tRatio 1.253985";
}
std::string SquareMessage(int rank) {
  return std::string("item ") + std::to_string(rank) + " slope -0.253985 Ratio 1.253985";
}

// The item selection dialog: all the items (count 0), or `count` of them.
auto Items(int count) {
  return [=](TResizeBCForm& f) {
    std::tie(f.Selection, f.SelectedCount) = std::tuple(count > 0 ? 1 : 0, count);
    return ui::mrOk;
  };
}
auto Code(int code, int order) {
  return [=](TItemSelectionForm& f) {
    EXPECT_EQ(EditText(f.NumEdit), std::to_string(order));
    f.Code = code;
    return ui::mrOk;
  };
}
auto Orientation(int code, int length) {
  return [=](TPerimOrientationForm& f) {
    std::tie(f.ItemCode, f.SegmentLength) = std::tuple(code, length);
    return ui::mrOk;
  };
}
int Cancel(ui::Form&) {
  return ui::mrCancel;
}

}  // namespace

class PerimeterTreatmentsTest : public ProgramTest {};

// Twelve squares coded 1 .. 9 and 11 .. 13 as a labeling gives them: twelve lines, no entry 10, the
// first five in the message; the regression arrays hold the last item's four points.
TEST_F(PerimeterTreatmentsTest, AllTheItemsOfALabelingAreMeasured) {
  const std::vector<int> codes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13};
  LoadLabeledItems(SquaresInARow(codes, {8}), 13);
  MainForm->ItemValues[10] = 7.5;
  MainForm->RegressionX.clear();
  const std::string report = ReportInto(Path("report.txt"));
  std::string message = "Results concerning the 5 first items",
              expected = kHeader + "\n\tTreatment applied to all the 12 items\n";
  for (int k = 1; k <= 5; ++k) message.append("\n").append(SquareMessage(k));
  for (const int code : codes) expected += SquareLine(code);
  ui.dialog<TResizeBCForm>(Items(0)).message("PERIMETER LENGTH", message);
  MainForm->PerimTreatment1Click();
  EXPECT_EQ(ReadFile(report), expected);
  EXPECT_EQ(MainForm->ItemValues[10], 7.5);
  ASSERT_GE(MainForm->RegressionX.size(), 4u);
  EXPECT_NEAR(MainForm->RegressionY[3], std::log(4 * std::sqrt(65.0)), 1e-12);
}

// An item erased from a labeling is passed over with a line; a one-pixel item has no L(4) and is not
// measured. A selection asks again for a code that no pixel bears; one item ends its line with a
// blank, and with the report off the results are kept all the same. Cancel changes nothing.
TEST_F(PerimeterTreatmentsTest, AbsentUnmeasurableAndSelectedItems) {
  LoadLabeledItems(SquaresInARow({1, 2, 4}, {8, 1, 8}), 4);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TResizeBCForm>(Items(0)).message(
      "PERIMETER LENGTH", SquareMessage(1) + "\nitem 2 slope undefined Ratio undefined\n" + SquareMessage(3));
  MainForm->PerimTreatment1Click();
  ui.dialog<TResizeBCForm>(Items(2))
      .dialog<TItemSelectionForm>(Code(3, 1))
      .message("ERROR", "Code Label not defined")
      .dialog<TItemSelectionForm>(Code(4, 1))
      .dialog<TItemSelectionForm>(Code(1, 2))
      .message("PERIMETER LENGTH", SquareMessage(1) + "\n" + SquareMessage(2));
  MainForm->PerimTreatment1Click();
  const std::string expected = kHeader + "\n\tTreatment applied to all the 3 items\n" + SquareLine(1) +
                               "\n\tItem 2\tnot measurable: contour of 5 points"
                               "\n\tItem 3\tnot present in the labelized image" +
                               SquareLine(4) + kHeader + "\n\tTreatment applied to 2 items\n" +
                               SquareLine(4) + SquareLine(1);
  EXPECT_EQ(ReadFile(report), expected);
  EXPECT_EQ(std::tuple(MainForm->ItemCodes[1], MainForm->ItemCodes[2]), std::tuple(4, 1));

  ReportForm->ReportOff = 1;
  MainForm->ItemValues2[1] = MainForm->ItemValues[1] = 0;  // the message shows what is kept anew
  ui.dialog<TResizeBCForm>(Items(1))
      .dialog<TItemSelectionForm>(Code(4, 1))
      .message("PERIMETER LENGTH", SquareMessage(1) + " ");
  MainForm->PerimTreatment1Click();

  MainForm->ItemValues[1] = 42;
  ui.dialog<TResizeBCForm>(Cancel);
  MainForm->PerimTreatment1Click();
  EXPECT_EQ(std::tuple(MainForm->ItemValues[1], ReadFile(report)), std::tuple(42.0, expected));
  EXPECT_EQ(MainForm->DialogCancelBytes[cbResizeBC], 0);
}

// The sequence is in place (entries 1 .. M) while the window shows it; the report names the file its
// Save wrote, and the Hurst exponent takes the 32 angles as its source.
TEST_F(PerimeterTreatmentsTest, TheOrientationSequenceIsDrawnSavedAndHandedOn) {
  LoadLabeledItems(SquaresInARow({3}, {8}), 3);
  MainForm->WorkDirectory = Dir().string();
  MainForm->Enable({"Diagram1", "DiagCircleScan", "GTSTreatments1"}, false);
  MainForm->DiagramSavedFlags.OrientationSaved = 1;  // the last sequence's file
  MainForm->PerimSequenceLength = 77;                // the perimeter distances' own length
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TPerimOrientationForm>(Orientation(3, 1))
      .dialog<TOrientationPerimForm>([](TOrientationPerimForm& window) {
        EXPECT_EQ(MainForm->OrientationLength, 32);
        window.BitBtnSaveClick();
        return ui::mrOk;
      })
      .save(Path("angles"), 2);
  MainForm->PerimOrientationTreatment1Click();

  // The square's steps at L = 1, a quarter turn after each side, at entries 1 .. 32 (entry 0
  // unused) of trunc(N / L) + 1 = 34, entry 33 left at 0.
  std::vector<int> held = {0};
  for (const int angle : {90, 135, 180, 225, 270, 315, 360, 45})
    held.insert(held.end(), angle % 90 ? 1 : 7, angle);
  held.push_back(0);
  EXPECT_EQ(MainForm->OrientationValues, held);
  EXPECT_EQ(ReadFile(report),
            "\n\n PERIMETER ORIENTATION \n applied to the labelized image\n"
            "\n\n\tPerimeter Orientation Diagram registered\n\tin the file " +
                Path("angles.ts") + " ");
  EXPECT_EQ(std::tuple(MainForm->DiagramSavedFlags.OrientationSaved,
                       MainForm->DiagramSavedFlags.OrientationPending, MainForm->PerimSequenceLength),
            std::tuple(1, 0, 77));
  EXPECT_EQ(EnabledOf("Diagram1 DiagCircleScan GTSTreatments1"), "Diagram1 DiagCircleScan GTSTreatments1");

  ui.dialog<THurstForm>([](THurstForm& f) {
      std::tie(f.DataIn, f.WindowType, f.FirstSize, f.Step, f.NumSteps) = std::tuple(1, 0, 2, 2, 4);
      return ui::mrOk;
    })
      .message("HURST", "num_step = 4 Hurst Exponent = 0.925775 ")
      .ok<TDiagHurstResultForm>();
  MainForm->HurstTreatment1Click();
  EXPECT_EQ(MainForm->HurstPointCount, 4);
}

// A code that is not an item and a length below one point come back to the dialog, the code first;
// Cancel, or segments too long for the contour, change nothing. The sequence and the circle counts
// belong to the image they were taken from: a new one drops them.
TEST_F(PerimeterTreatmentsTest, OrientationRefusalsAndANewImage) {
  LoadLabeledItems(SquaresInARow({3}, {8}), 3);
  ui.dialog<TPerimOrientationForm>(Orientation(9, 0))
      .message("ERROR", "Code Label not defined")
      .dialog<TPerimOrientationForm>(Orientation(255, 4))
      .message("ERROR", "Code Label not defined")
      .dialog<TPerimOrientationForm>(Orientation(3, 0))
      .message("ERROR", "Length not defined")
      .dialog<TPerimOrientationForm>(Orientation(3, 4))
      .ok<TOrientationPerimForm>();
  MainForm->PerimOrientationTreatment1Click();
  EXPECT_EQ(MainForm->OrientationLength, 8);

  MainForm->OrientationValues = {0, 90, 90};
  MainForm->OrientationLength = 2;
  MainForm->DiagramSavedFlags.OrientationSaved = MainForm->DiagramSavedFlags.OrientationPending = 1;
  MainForm->Enable({"GTSTreatments1", "DiagCircleScan"}, false);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TPerimOrientationForm>(Cancel);
  MainForm->PerimOrientationTreatment1Click();
  // The contour has 33 points: a segment of 32 only comes back to its start.
  ui.dialog<TPerimOrientationForm>(Orientation(3, 32))
      .message("PERIMETER ORIENTATION",
               "No orientation: the contour of the item holds 33 points,\ntoo few for segments of 32 points");
  MainForm->PerimOrientationTreatment1Click();
  EXPECT_EQ(MainForm->OrientationValues, (std::vector<int>{0, 90, 90}));
  EXPECT_EQ(
      std::tuple(MainForm->OrientationLength, MainForm->DiagramSavedFlags.OrientationSaved,
                 MainForm->DialogCancelBytes[cbPerimOrientation], EnabledOf("GTSTreatments1 DiagCircleScan")),
      std::tuple(2, 1, 0, ""));
  EXPECT_EQ(ReadFile(report), "");

  MainForm->DiagramSavedFlags.CirclePending = 1;
  MainForm->CirclePointCount = 2;
  MainForm->CircleLogSize = MainForm->CircleLogCount = {0.0, 1.0};
  MainForm->Enable({"CircleScanning1", "DiagCircleScan"});
  OpenThroughTheMenu(UniformPlane(3, 2, 16));
  EXPECT_TRUE(MainForm->OrientationValues.empty() && MainForm->CircleLogSize.empty() &&
              MainForm->CircleLogCount.empty());
  EXPECT_EQ(std::tuple(MainForm->OrientationLength, MainForm->DiagramSavedFlags.OrientationPending,
                       MainForm->CirclePointCount, MainForm->DiagramSavedFlags.CirclePending),
            std::tuple(0, 0, 0, 0));
  EXPECT_EQ(EnabledOf("DiagCircleScan CircleScanning1"), "");
}
