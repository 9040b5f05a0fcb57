#include "Program.h"
#include "binary/ItemSelection.h"
#include "binary/PerimOrient.h"
#include "binary/ResizeBC.h"
#include "diagrams/PerimeterDiagrams.h"
#include "fixtures/Blocks.h"

namespace {

const std::string kHeader = "\n\n FRACTAL DIMENSION OF THE PERIMETER \n applied to the labelized image\n";

// 8 x 8 square: L(1) = 28 + 4 sqrt 2, L(4) = 16 + 4 sqrt 17; slope (ln L(4) - ln L(1)) / ln 4 = -0.253985.
std::string SquareLine(int code) {
  return std::string("\n\tItem ") + std::to_string(code) + "\tSlope -0.253985\tRatio 1.253985";
}
std::string SquareMessage(int rank) {
  return std::string("item ") + std::to_string(rank) + " slope -0.253985 Ratio 1.253985";
}

// Squares of side 1, 2, 4, 8: counts (1,1,1,1), (4,1,1,1), (16,4,1,1), (64,16,4,1) at sides 1 .. 8.
const std::vector<int> kSides = {1, 2, 4, 8};
const char* const kDimensions[] = {"0.0000", "0.6000", "1.4000", "2.0000"};
const std::string kResizingHeader = "\n\n RESIZING BOX COUNTING \n applied to the labeled image\n";

// The item selection dialog: all the items (0), or a selection of `count`.
auto Selection(int selection, int count = 0) {
  return [=](TResizeBCForm& f) {
    std::tie(f.Selection, f.SelectedCount) = std::tuple(selection, count);
    return ui::mrOk;
  };
}

// The code typed for the item of this order; a negative code: nothing typed.
auto Code(int code, int order) {
  return [=](TItemSelectionForm& f) {
    EXPECT_EQ(std::tuple(EditText(f.NumEdit), EditText(f.CodeEdit)), std::tuple(std::to_string(order), ""));
    if (code >= 0) f.Code = code;
    return ui::mrOk;
  };
}

// The report line and the message line of the k-th square, of this code and rank.
std::string ItemLine(int code, int k) {
  return std::string("\tItem number ") + std::to_string(code) + "\tNumber of pixels " +
         std::to_string(kSides[k] * kSides[k]) + "\tFractal Dimension = " + kDimensions[k] + "\n";
}
std::string MessageLine(int rank, int code, int k) {
  return std::string("item ") + std::to_string(rank) + " Code Number " + std::to_string(code) +
         " Number of pixels " + std::to_string(kSides[k] * kSides[k]) + " Ratio " + kDimensions[k] + "00";
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

// Codes 1 .. 13 but 3 and 10, code 2 a single pixel: absent 3 gets a line, 10 none; five in the message.
TEST_F(PerimeterTreatmentsTest, AllAbsentUnmeasurableAndSelectedItems) {
  TMainForm& m = *MainForm;
  const std::vector<int> codes = {1, 2, 4, 5, 6, 7, 8, 9, 11, 12, 13};
  LoadLabeledItems(SquaresInARow(codes, {8, 1, 8, 8, 8, 8, 8, 8, 8, 8, 8}), 13);
  m.ItemValues[10] = 7.5;
  m.RegressionX.clear();
  const std::string report = ReportInto(Path("report.txt"));
  std::string message = "Results concerning the 5 first items\n" + SquareMessage(1) +
                        "\nitem 2 slope undefined Ratio undefined";
  for (int k = 3; k <= 5; ++k) message.append("\n").append(SquareMessage(k));
  std::string expected = kHeader + "\n\tTreatment applied to all the 11 items\n" + SquareLine(1) +
                         "\n\tItem 2\tnot measurable: contour of 5 points"
                         "\n\tItem 3\tnot present in the labelized image";
  for (const int code : codes) expected += code > 2 ? SquareLine(code) : "";
  ui.dialog<TResizeBCForm>(Selection(0)).message("PERIMETER LENGTH", message);
  m.PerimTreatment1Click();
  EXPECT_EQ(ReadFile(report), expected);
  EXPECT_EQ(m.ItemValues[10], 7.5);
  ASSERT_GE(m.RegressionX.size(), 4u);  // the last item's points
  EXPECT_NEAR(m.RegressionY[3], std::log(4 * std::sqrt(65.0)), 1e-12);
  ui.dialog<TResizeBCForm>(Selection(1, 2))
      .dialog<TItemSelectionForm>(Code(3, 1))
      .message("ERROR", "Code Label not defined")
      .dialog<TItemSelectionForm>(Code(4, 1))
      .dialog<TItemSelectionForm>(Code(1, 2))
      .message("PERIMETER LENGTH", SquareMessage(1) + "\n" + SquareMessage(2));
  m.PerimTreatment1Click();
  expected += kHeader + "\n\tTreatment applied to 2 items\n" + SquareLine(4) + SquareLine(1);
  EXPECT_EQ(ReadFile(report), expected);
  EXPECT_EQ(std::tuple(m.ItemCodes[1], m.ItemCodes[2]), std::tuple(4, 1));
  ReportForm->ReportOff = 1;
  m.ItemValues2[1] = m.ItemValues[1] = 0;  // the message shows what is kept anew
  ui.dialog<TResizeBCForm>(Selection(1, 1))
      .dialog<TItemSelectionForm>(Code(4, 1))
      .message("PERIMETER LENGTH", SquareMessage(1) + " ");
  m.PerimTreatment1Click();
  m.ItemValues[1] = 42;
  ui.dialog<TResizeBCForm>(Cancel);
  m.PerimTreatment1Click();
  EXPECT_EQ(std::tuple(m.ItemValues[1], ReadFile(report)), std::tuple(42.0, expected));
  EXPECT_EQ(m.DialogCancelBytes[cbResizeBC], 0);
}

// The sequence is in place while shown, its saved file reported, and the Hurst exponent's source.
TEST_F(PerimeterTreatmentsTest, TheOrientationSequenceIsDrawnSavedHandedOnAndRefused) {
  TMainForm& m = *MainForm;
  LoadLabeledItems(SquaresInARow({3}, {8}), 3);
  m.WorkDirectory = Dir().string();
  m.Enable({"Diagram1", "DiagCircleScan", "GTSTreatments1"}, false);
  m.DiagramSavedFlags.OrientationSaved = 1;  // the last sequence's file
  m.PerimSequenceLength = 77;                // the perimeter distances' own length
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TPerimOrientationForm>(Orientation(3, 1))
      .dialog<TOrientationPerimForm>([&](TOrientationPerimForm& window) {
        EXPECT_EQ(m.OrientationLength, 32);
        window.BitBtnSaveClick();
        return ui::mrOk;
      })
      .save(Path("angles"), 2);
  m.PerimOrientationTreatment1Click();
  // The square's 32 steps at L = 1 at entries 1 .. 32 (entry 0 unused) of trunc(N / L) + 1 = 34.
  const std::vector<int>& held = m.OrientationValues;
  ASSERT_EQ(held.size(), 34u);
  EXPECT_EQ(std::tuple(held[0], held[1], held[8], held[32], held[33]), std::tuple(0, 90, 135, 45, 0));
  EXPECT_EQ(ReadFile(report),
            "\n\n PERIMETER ORIENTATION \n applied to the labelized image\n"
            "\n\n\tPerimeter Orientation Diagram registered\n\tin the file " +
                Path("angles.ts") + " ");
  EXPECT_EQ(std::tuple(m.DiagramSavedFlags.OrientationSaved, m.DiagramSavedFlags.OrientationPending,
                       m.PerimSequenceLength),
            std::tuple(1, 0, 77));
  EXPECT_EQ(EnabledOf("Diagram1 DiagCircleScan GTSTreatments1"), "Diagram1 DiagCircleScan GTSTreatments1");
  // Refusals, Cancel and too long segments change nothing; a new image drops the sequence and circle.
  ui.dialog<TPerimOrientationForm>(Orientation(9, 0))
      .message("ERROR", "Code Label not defined")
      .dialog<TPerimOrientationForm>(Orientation(255, 4))
      .message("ERROR", "Code Label not defined")
      .dialog<TPerimOrientationForm>(Orientation(3, 0))
      .message("ERROR", "Length not defined")
      .dialog<TPerimOrientationForm>(Orientation(3, 4))
      .ok<TOrientationPerimForm>();
  m.PerimOrientationTreatment1Click();
  EXPECT_EQ(m.OrientationLength, 8);
  m.OrientationValues = {0, 90, 90};
  m.OrientationLength = 2;
  m.DiagramSavedFlags.OrientationSaved = m.DiagramSavedFlags.OrientationPending = 1;
  m.Enable({"GTSTreatments1", "DiagCircleScan"}, false);
  const std::string refused = ReportInto(Path("refused.txt"));
  ui.dialog<TPerimOrientationForm>(Cancel);
  m.PerimOrientationTreatment1Click();
  // The contour has 33 points: a segment of 32 only comes back to its start.
  ui.dialog<TPerimOrientationForm>(Orientation(3, 32))
      .message("PERIMETER ORIENTATION",
               "No orientation: the contour of the item holds 33 points,\ntoo few for segments of 32 points");
  m.PerimOrientationTreatment1Click();
  EXPECT_EQ(m.OrientationValues, (std::vector<int>{0, 90, 90}));
  EXPECT_EQ(std::tuple(m.OrientationLength, m.DiagramSavedFlags.OrientationSaved,
                       m.DialogCancelBytes[cbPerimOrientation], EnabledOf("GTSTreatments1 DiagCircleScan")),
            std::tuple(2, 1, 0, ""));
  EXPECT_EQ(ReadFile(refused), "");
  m.DiagramSavedFlags.CirclePending = 1;
  m.CirclePointCount = 2;
  m.CircleLogSize = m.CircleLogCount = {0.0, 1.0};
  m.Enable({"CircleScanning1", "DiagCircleScan"});
  OpenThroughTheMenu(UniformPlane(3, 2, 16));
  EXPECT_TRUE(m.OrientationValues.empty() && m.CircleLogSize.empty() && m.CircleLogCount.empty());
  EXPECT_EQ(std::tuple(m.OrientationLength, m.DiagramSavedFlags.OrientationPending, m.CirclePointCount,
                       m.DiagramSavedFlags.CirclePending),
            std::tuple(0, 0, 0, 0));
  EXPECT_EQ(EnabledOf("DiagCircleScan CircleScanning1"), "");
}

// Codes 1 .. 11 and 20 (10 measured like any code) in a labeling of 12 items: all, then selections.
TEST_F(PerimeterTreatmentsTest, ResizingAllItemsThenASelectionWithAnAbsentCodeAndCancel) {
  TMainForm& m = *MainForm;
  const std::vector<int> codes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20};
  LoadLabeledItems(SquaresInARow(codes, kSides), 12);
  m.ItemValues[12] = 7.5;  // the entry of the code never given stays as it was
  const std::string report = ReportInto(Path("report.txt"));
  std::string message = "Results concerning the 5 first items";
  for (int k = 0; k < 5; ++k) message.append("\n").append(MessageLine(k + 1, codes[k], k % 4));
  ui.dialog<TResizeBCForm>([](TResizeBCForm& f) {
      EXPECT_EQ(EditText(f.NumItemEdit), "12");
      f.Selection = 0;
      return ui::mrOk;
    }).message("RESIZING BOX COUNTING", message);
  m.ResizeBCTreatment1Click();
  std::string expected = kResizingHeader + "\n\tTreatment applied to all the 12 items\n\n";
  for (int k = 0; k < 12; ++k) expected += ItemLine(codes[k], k % 4);
  EXPECT_EQ(ReadFile(report), expected);
  ASSERT_GE(m.ItemValues.size(), 21u);
  // Code 10, a square of 2; code 11, of 4; code 20, a square of 8, measured last.
  EXPECT_EQ(std::tuple(m.ItemCodes[20], m.ItemPixels[10], m.ItemPixels[20], m.ItemValues[12]),
            std::tuple(20, 4, 64, 7.5));
  EXPECT_NEAR(m.ItemValues[11], 1.4, 1e-12);
  EXPECT_NEAR(m.LastFractalDimension, 2.0, 1e-12);
  ui.dialog<TResizeBCForm>(Selection(1, 0))
      .message("ERROR", "Number of selected items not defined")
      .dialog<TResizeBCForm>(Selection(1, 13))
      .message("ERROR", "Number of selected items above the number of items")
      .dialog<TResizeBCForm>(Selection(1, 2))
      .dialog<TItemSelectionForm>(Code(20, 1))
      .dialog<TItemSelectionForm>(Code(-1, 2))  // nothing typed: the last code is not kept
      .message("ERROR", "Code not defined")
      .dialog<TItemSelectionForm>(Code(255, 2))
      .message("ERROR", "The code 255 is the background, not an item")
      .dialog<TItemSelectionForm>(Code(77, 2))
      .message("RESIZING BOX COUNTING",
               MessageLine(1, 20, 3) + "\nitem 2 Code Number 77 Number of pixels 0 Ratio undefined");
  m.ResizeBCTreatment1Click();
  expected += kResizingHeader + "\n\tTreatment applied to 2 items\n\n" + ItemLine(20, 3) +
              "\tItem number 77\tNumber of pixels 0\tFractal Dimension = undefined\n";
  EXPECT_EQ(ReadFile(report), expected);
  EXPECT_EQ(std::tuple(m.ItemCodes[1], m.ItemCodes[2]), std::tuple(20, 77));
  EXPECT_TRUE(std::isnan(m.ItemValues[2]));
  // One item: its line with a trailing blank.
  ui.dialog<TResizeBCForm>(Selection(1, 1))
      .dialog<TItemSelectionForm>(Code(10, 1))
      .message("RESIZING BOX COUNTING", MessageLine(1, 10, 1) + " ");
  m.ResizeBCTreatment1Click();
  expected += kResizingHeader + "\n\tTreatment applied to one item\n\n" + ItemLine(10, 1);
  EXPECT_EQ(ReadFile(report), expected);
  // Exactly five items: the title line comes with them.
  message = "Results concerning the 5 first items";
  ui.dialog<TResizeBCForm>(Selection(1, 5));
  expected += kResizingHeader + "\n\tTreatment applied to 5 items\n\n";
  for (int k = 0; k < 5; ++k) {
    ui.dialog<TItemSelectionForm>(Code(codes[k], k + 1));
    message.append("\n").append(MessageLine(k + 1, codes[k], k % 4));
    expected += ItemLine(codes[k], k % 4);
  }
  ui.message("RESIZING BOX COUNTING", message);
  m.ResizeBCTreatment1Click();
  EXPECT_EQ(ReadFile(report), expected);
  m.ItemValues[1] = 42;
  ui.dialog<TResizeBCForm>(Cancel);
  m.ResizeBCTreatment1Click();
  EXPECT_EQ(std::tuple(m.ItemValues[1], ReadFile(report), m.DialogCancelBytes[cbResizeBC]),
            std::tuple(42.0, expected, 0));
}
