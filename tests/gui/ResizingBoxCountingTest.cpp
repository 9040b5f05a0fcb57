#include <cmath>

#include "Program.h"
#include "app/MainWindow.h"
#include "binary/ItemSelection.h"
#include "binary/ResizeBC.h"
#include "fixtures/Blocks.h"

namespace {

// Filled squares of side 1, 2, 4, 8 in turn have the dimensions 0, 0.6, 1.4 and 2: counts
// (1, 1, 1, 1), (4, 1, 1, 1), (16, 4, 1, 1) and (64, 16, 4, 1) at sides 1, 2, 4, 8.
const std::vector<int> kSides = {1, 2, 4, 8};
const char* const kDimensions[] = {"0.0000", "0.6000", "1.4000", "2.0000"};
const std::string kHeader = "\n\n RESIZING BOX COUNTING \n applied to the labeled image\n";

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

}  // namespace

class ResizingBoxCountingTest : public ProgramTest {};

TEST_F(ResizingBoxCountingTest, TwelveItemsGiveTwelveLinesAndTheFirstFiveInTheMessage) {
  const std::vector<int> codes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13};
  LoadLabeledItems(SquaresInARow(codes, kSides), 13);
  MainForm->ItemValues[10] = 7.5;  // the entry of the code never given stays as it was
  const std::string report = ReportInto(Path("report.txt"));
  std::string message = "Results concerning the 5 first items";
  for (int k = 0; k < 5; ++k) message.append("\n").append(MessageLine(k + 1, codes[k], k % 4));
  ui.dialog<TResizeBCForm>([](TResizeBCForm& f) {
      EXPECT_EQ(EditText(f.NumItemEdit), "13");
      f.Selection = 0;
      return ui::mrOk;
    }).message("RESIZING BOX COUNTING", message);
  MainForm->ResizeBCTreatment1Click();
  std::string expected = kHeader + "\n\tTreatment applied to all the 12 items\n\n";
  for (int k = 0; k < 12; ++k) expected += ItemLine(codes[k], k % 4);
  EXPECT_EQ(ReadFile(report), expected);
  // The tenth item, a square of 2; the twelfth, a square of 8, measured last.
  EXPECT_EQ(std::tuple(MainForm->ItemCodes[13], MainForm->ItemPixels[11], MainForm->ItemPixels[13],
                       MainForm->ItemValues[10]),
            std::tuple(13, 4, 64, 7.5));
  EXPECT_NEAR(MainForm->ItemValues[12], 1.4, 1e-12);
  EXPECT_NEAR(MainForm->LastFractalDimension, 2.0, 1e-12);
}

// Codes 1, 10 and 20 from a file: three items, the highest code 20 above the count; all of them, or
// a selection that asks each code, an absent one reported; Cancel changes nothing.
TEST_F(ResizingBoxCountingTest, AllItemsOfAComplementaryImageOrASelectionAndCancel) {
  LoadLabeledItems(SquaresInARow({1, 10, 20}, kSides), 3);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TResizeBCForm>(Selection(0))
      .message("RESIZING BOX COUNTING",
               MessageLine(1, 1, 0) + "\n" + MessageLine(2, 10, 1) + "\n" + MessageLine(3, 20, 2));
  MainForm->ResizeBCTreatment1Click();
  std::string expected = kHeader + "\n\tTreatment applied to all the 3 items\n\n" + ItemLine(1, 0) +
                         ItemLine(10, 1) + ItemLine(20, 2);
  EXPECT_EQ(ReadFile(report), expected);
  ASSERT_GE(MainForm->ItemValues.size(), 21u);
  EXPECT_EQ(std::tuple(MainForm->ItemCodes[20], MainForm->ItemPixels[20]), std::tuple(20, 16));

  ui.dialog<TResizeBCForm>(Selection(1, 0))
      .message("ERROR", "Number of selected items not defined")
      .dialog<TResizeBCForm>(Selection(1, 4))
      .message("ERROR", "Number of selected items above the number of items")
      .dialog<TResizeBCForm>(Selection(1, 2))
      .dialog<TItemSelectionForm>(Code(20, 1))
      .dialog<TItemSelectionForm>(Code(-1, 2))  // nothing typed: the last code is not kept
      .message("ERROR", "Code not defined")
      .dialog<TItemSelectionForm>(Code(255, 2))
      .message("ERROR", "The code 255 is the background, not an item")
      .dialog<TItemSelectionForm>(Code(77, 2))
      .message("RESIZING BOX COUNTING",
               MessageLine(1, 20, 2) + "\nitem 2 Code Number 77 Number of pixels 0 Ratio undefined");
  MainForm->ResizeBCTreatment1Click();
  expected += kHeader + "\n\tTreatment applied to 2 items\n\n" + ItemLine(20, 2) +
              "\tItem number 77\tNumber of pixels 0\tFractal Dimension = undefined\n";
  EXPECT_EQ(ReadFile(report), expected);
  EXPECT_EQ(std::tuple(MainForm->ItemCodes[1], MainForm->ItemCodes[2]), std::tuple(20, 77));
  EXPECT_TRUE(std::isnan(MainForm->ItemValues[2]));

  // One item: its line with a trailing blank.
  ui.dialog<TResizeBCForm>(Selection(1, 1))
      .dialog<TItemSelectionForm>(Code(10, 1))
      .message("RESIZING BOX COUNTING", MessageLine(1, 10, 1) + " ");
  MainForm->ResizeBCTreatment1Click();
  expected += kHeader + "\n\tTreatment applied to one item\n\n" + ItemLine(10, 1);
  EXPECT_EQ(ReadFile(report), expected);

  MainForm->ItemValues[1] = 42;
  ui.dialog<TResizeBCForm>([](TResizeBCForm&) { return ui::mrCancel; });
  MainForm->ResizeBCTreatment1Click();
  EXPECT_EQ(std::tuple(MainForm->ItemValues[1], ReadFile(report), MainForm->DialogCancelBytes[cbResizeBC]),
            std::tuple(42.0, expected, 0));
}
