#include <cmath>

#include "Program.h"
#include "app/MainWindow.h"
#include "binary/ItemSelection.h"
#include "binary/ResizeBC.h"
#include "fixtures/Blocks.h"

namespace {

// Filled squares of side 1, 2, 4, 8 in turn have the dimensions 0, 0.6, 1.4 and 2: counts
// (1, 1, 1, 1), (4, 1, 1, 1), (16, 4, 1, 1) and (64, 16, 4, 1) at sides 1, 2, 4, 8.
constexpr int kSides[] = {1, 2, 4, 8};
constexpr const char* kDimensions[] = {"0.0000", "0.6000", "1.4000", "2.0000"};

// A labeled image of the given codes, the k-th a filled square of side kSides[k % 4], 12 pixels
// apart on one line, as panel 2 after a labeling with itemCount as the highest code given.
void LoadSquares(const std::vector<int>& codes, int itemCount) {
  BytePlane labels = UniformPlane(12 * static_cast<int>(codes.size()) + 2, 12);
  for (std::size_t k = 0; k < codes.size(); ++k)
    FillBlock(labels, 1, 1 + 12 * static_cast<int>(k), kSides[k % 4], kSides[k % 4],
              static_cast<std::uint8_t>(codes[k]));
  LoadLabeledItems(std::move(labels), itemCount);
}

auto Selection(int selection, int count = 0) {
  return [=](TResizeBCForm& f) {
    std::tie(f.Selection, f.SelectedCount) = std::tuple(selection, count);
    return ui::mrOk;
  };
}

// The code typed for the item of this order; a negative code: nothing typed.
auto Code(int code, int order) {
  return [=](TItemSelectionForm& f) {
    EXPECT_EQ(EditText(f.NumEdit), std::to_string(order));
    EXPECT_EQ(EditText(f.CodeEdit), "");
    if (code >= 0) f.Code = code;
    return ui::mrOk;
  };
}

std::string ItemLine(int code, int k) {
  const int side = kSides[k % 4];
  return "\tItem number " + std::to_string(code) + "\tNumber of pixels " + std::to_string(side * side) +
         "\tFractal Dimension = " + kDimensions[k % 4] + "\n";
}

std::string MessageLine(int rank, int code, int k) {
  const int side = kSides[k % 4];
  return "item " + std::to_string(rank) + " Code Number " + std::to_string(code) + " Number of pixels " +
         std::to_string(side * side) + " Ratio " + kDimensions[k % 4] + "00";
}

const std::string kHeader = "\n\n RESIZING BOX COUNTING \n applied to the labeled image\n";

}  // namespace

class ResizingBoxCountingTest : public ProgramTest {};

TEST_F(ResizingBoxCountingTest, TwelveItemsGiveTwelveLinesAndTheFirstFiveInTheMessage) {
  const std::vector<int> codes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13};
  LoadSquares(codes, 13);
  MainForm->ItemValues[10] = 7.5;  // the entry of the code never given stays as it was
  const std::string report = ReportInto(Path("report.txt"));
  std::string message = "Results concerning the 5 first items";
  for (int k = 0; k < 5; ++k) message += "\n" + MessageLine(k + 1, codes[k], k);
  ui.dialog<TResizeBCForm>([](TResizeBCForm& f) {
      EXPECT_EQ(EditText(f.NumItemEdit), "13");
      f.Selection = 0;
      return ui::mrOk;
    }).message("RESIZING BOX COUNTING", message);
  MainForm->ResizeBCTreatment1Click();

  std::string expected = kHeader + "\n\tTreatment applied to all the 12 items\n\n";
  for (std::size_t k = 0; k < codes.size(); ++k) expected += ItemLine(codes[k], static_cast<int>(k));
  EXPECT_EQ(ReadFile(report), expected);
  // The tenth item, a square of 2; the twelfth, a square of 8, measured last.
  EXPECT_EQ(std::tuple(MainForm->ItemCodes[13], MainForm->ItemPixels[11], MainForm->ItemPixels[13],
                       MainForm->ItemValues[10]),
            std::tuple(13, 4, 64, 7.5));
  EXPECT_NEAR(MainForm->ItemValues[12], 1.4, 1e-12);
  EXPECT_NEAR(MainForm->LastFractalDimension, 2.0, 1e-12);
}

TEST_F(ResizingBoxCountingTest, ASelectionAsksEachCodeAndReportsAnAbsentOne) {
  LoadSquares({1, 2, 3, 4}, 4);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TResizeBCForm>(Selection(1, 0))
      .message("ERROR", "Number of selected items not defined")
      .dialog<TResizeBCForm>(Selection(1, 5))
      .message("ERROR", "Number of selected items above the number of items")
      .dialog<TResizeBCForm>(Selection(1, 2))
      .dialog<TItemSelectionForm>(Code(4, 1))
      .dialog<TItemSelectionForm>(Code(-1, 2))  // nothing typed: the last code is not kept
      .message("ERROR", "Code not defined")
      .dialog<TItemSelectionForm>(Code(255, 2))
      .message("ERROR", "The code 255 is the background, not an item")
      .dialog<TItemSelectionForm>(Code(77, 2))
      .message("RESIZING BOX COUNTING",
               MessageLine(1, 4, 3) + "\nitem 2 Code Number 77 Number of pixels 0 Ratio undefined");
  MainForm->ResizeBCTreatment1Click();
  EXPECT_EQ(ReadFile(report), kHeader + "\n\tTreatment applied to 2 items\n\n" + ItemLine(4, 3) +
                                  "\tItem number 77\tNumber of pixels 0\tFractal Dimension = undefined\n");
  EXPECT_EQ(std::tuple(MainForm->ItemCodes[1], MainForm->ItemCodes[2]), std::tuple(4, 77));
  EXPECT_TRUE(std::isnan(MainForm->ItemValues[2]));

  // One item: its line with a trailing blank.
  ui.dialog<TResizeBCForm>(Selection(1, 1))
      .dialog<TItemSelectionForm>(Code(2, 1))
      .message("RESIZING BOX COUNTING", MessageLine(1, 2, 1) + " ");
  MainForm->ResizeBCTreatment1Click();
  EXPECT_NE(ReadFile(report).find("\n\tTreatment applied to one item\n\n" + ItemLine(2, 1)),
            std::string::npos);
}

TEST_F(ResizingBoxCountingTest, AllItemsOfAComplementaryImageReachItsHighestCodeAndCancelChangesNothing) {
  // Codes 1, 10 and 20 from a file: three items, the highest code 20 above the count.
  LoadSquares({1, 10, 20}, 3);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TResizeBCForm>(Selection(0))
      .message("RESIZING BOX COUNTING",
               MessageLine(1, 1, 0) + "\n" + MessageLine(2, 10, 1) + "\n" + MessageLine(3, 20, 2));
  MainForm->ResizeBCTreatment1Click();
  const std::string expected = kHeader + "\n\tTreatment applied to all the 3 items\n\n" + ItemLine(1, 0) +
                               ItemLine(10, 1) + ItemLine(20, 2);
  EXPECT_EQ(ReadFile(report), expected);
  ASSERT_GE(MainForm->ItemValues.size(), 21u);
  EXPECT_EQ(std::tuple(MainForm->ItemCodes[20], MainForm->ItemPixels[20]), std::tuple(20, 16));

  MainForm->ItemValues[1] = 42;
  ui.dialog<TResizeBCForm>([](TResizeBCForm&) { return ui::mrCancel; });
  MainForm->ResizeBCTreatment1Click();
  EXPECT_EQ(MainForm->ItemValues[1], 42);
  EXPECT_EQ(ReadFile(report), expected);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbResizeBC], 0);
}
