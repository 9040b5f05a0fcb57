#include <QLineEdit>
#include <QRadioButton>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "Program.h"
#include "app/MainWindow.h"
#include "binary/ItemSelection.h"
#include "binary/ResizeBC.h"

namespace {

// Filled squares of side 1, 2, 4, 8 in turn have the dimensions 0, 0.6, 1.4 and 2: counts
// (1, 1, 1, 1), (4, 1, 1, 1), (16, 4, 1, 1) and (64, 16, 4, 1) at sides 1, 2, 4, 8.
constexpr int kSides[] = {1, 2, 4, 8};
constexpr const char* kDimensions[] = {"0.0000", "0.6000", "1.4000", "2.0000"};
constexpr const char* kRatios[] = {"0.000000", "0.600000", "1.400000", "2.000000"};

// A labeled image of the given codes, the k-th a filled square of side kSides[k % 4], ten pixels
// apart on one line, as panel 2 after a labeling with itemCount as the highest code given.
void LoadLabeled(const std::vector<int>& codes, int itemCount) {
  BytePlane labels(12 * static_cast<int>(codes.size()) + 2, 12);
  labels.Fill(255);
  for (std::size_t k = 0; k < codes.size(); ++k) {
    const int side = kSides[k % 4], left = 1 + 12 * static_cast<int>(k);
    for (int i = 1; i < 1 + side; ++i)
      for (int j = left; j < left + side; ++j) labels[i][j] = static_cast<std::uint8_t>(codes[k]);
  }
  LoadBinary(std::move(labels));
  MainForm->HasBinaryImage = 0;
  MainForm->HasLabeledImage = 1;
  MainForm->ItemCount = itemCount;
  for (auto* table : {&MainForm->ItemCodes, &MainForm->ItemPixels}) table->assign(itemCount + 1, 0);
  for (auto* table : {&MainForm->ItemValues, &MainForm->ItemValues2}) table->assign(itemCount + 1, 0.0);
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

auto Code(int code, int order = 0) {
  return [=](TItemSelectionForm& f) {
    if (order > 0) {
      EXPECT_EQ(f.NumEdit->text().toStdString(), std::to_string(order));
      EXPECT_EQ(f.CodeEdit->text().toStdString(), "");
    }
    f.Code = code;
    return ui::mrOk;
  };
}

std::string ItemLine(int code, int k) {
  char line[128];
  std::snprintf(line, sizeof line, "\tItem number %d\tNumber of pixels %d\tFractal Dimension = %s\n", code,
                kSides[k % 4] * kSides[k % 4], kDimensions[k % 4]);
  return line;
}

std::string MessageLine(int rank, int code, int k) {
  char line[128];
  std::snprintf(line, sizeof line, "item %d Code Number %d Number of pixels %d Ratio %s", rank, code,
                kSides[k % 4] * kSides[k % 4], kRatios[k % 4]);
  return line;
}

const std::string kHeader = "\n\n RESIZING BOX COUNTING \n applied to the labeled image\n";

}  // namespace

class ResizingBoxCountingTest : public ProgramTest {};

TEST_F(ResizingBoxCountingTest, TwelveItemsGiveTwelveLinesAndTheFirstFiveInTheMessage) {
  const std::vector<int> codes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13};
  LoadLabeled(codes, 13);
  MainForm->ItemValues[10] = 7.5;  // the entry of the code never given stays as it was
  const std::string report = ReportInto(Path("report.txt"));
  std::string message = "Results concerning the 5 first items";
  for (int k = 0; k < 5; ++k) message.append("\n").append(MessageLine(k + 1, codes[k], k));
  ui.dialog<TResizeBCForm>([](TResizeBCForm& f) {
      EXPECT_EQ(f.NumItemEdit->text().toStdString(), "13");
      f.Selection = 0;
      return ui::mrOk;
    }).message("RESIZING BOX COUNTING", message);
  MainForm->ResizeBCTreatment1Click();

  std::string expected = kHeader + "\n\tTreatment applied to all the 12 items\n\n";
  for (std::size_t k = 0; k < codes.size(); ++k) expected += ItemLine(codes[k], static_cast<int>(k));
  EXPECT_EQ(ReadFile(report), expected);
  EXPECT_EQ(MainForm->ItemCodes[13], 13);
  EXPECT_EQ(MainForm->ItemPixels[11], 4);   // the tenth item, a square of 2
  EXPECT_EQ(MainForm->ItemPixels[13], 64);  // the twelfth, a square of 8, measured last
  EXPECT_NEAR(MainForm->ItemValues[12], 1.4, 1e-12);
  EXPECT_EQ(MainForm->ItemValues[10], 7.5);
  EXPECT_NEAR(MainForm->LastFractalDimension, 2.0, 1e-12);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbResizeBC], 0);
}

TEST_F(ResizingBoxCountingTest, ASelectionAsksEachCodeAndReportsAnAbsentOne) {
  LoadLabeled({1, 2, 3, 4}, 4);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TResizeBCForm>(Selected(0))
      .message("ERROR", "Number of selected items not defined")
      .dialog<TResizeBCForm>(Selected(5))
      .message("ERROR", "Number of selected items above the number of items")
      .dialog<TResizeBCForm>(Selected(2))
      .dialog<TItemSelectionForm>(Code(-1, 1))  // nothing typed
      .message("ERROR", "Code not defined")
      .dialog<TItemSelectionForm>(Code(255, 1))
      .message("ERROR", "The code 255 is the background, not an item")
      .dialog<TItemSelectionForm>(Code(4, 1))
      .dialog<TItemSelectionForm>(Code(77, 2))
      .message("RESIZING BOX COUNTING",
               MessageLine(1, 4, 3) + "\nitem 2 Code Number 77 Number of pixels 0 Ratio undefined");
  MainForm->ResizeBCTreatment1Click();
  EXPECT_EQ(ReadFile(report), kHeader + "\n\tTreatment applied to 2 items\n\n" + ItemLine(4, 3) +
                                  "\tItem number 77\tNumber of pixels 0\tFractal Dimension = undefined\n");
  EXPECT_EQ(std::tuple(MainForm->ItemCodes[1], MainForm->ItemCodes[2]), std::tuple(4, 77));
  EXPECT_TRUE(std::isnan(MainForm->ItemValues[2]));

  // One item: its line with a trailing blank.
  ui.dialog<TResizeBCForm>(Selected(1))
      .dialog<TItemSelectionForm>(Code(2))
      .message("RESIZING BOX COUNTING", MessageLine(1, 2, 1) + " ");
  MainForm->ResizeBCTreatment1Click();
  EXPECT_NE(ReadFile(report).find("\n\tTreatment applied to one item\n\n" + ItemLine(2, 1)),
            std::string::npos);
}

TEST_F(ResizingBoxCountingTest, CancelChangesNothing) {
  LoadLabeled({1, 2}, 2);
  MainForm->ItemValues[1] = 42;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TResizeBCForm>([](TResizeBCForm&) { return ui::mrCancel; });
  MainForm->ResizeBCTreatment1Click();
  EXPECT_EQ(MainForm->ItemValues[1], 42);
  EXPECT_EQ(ReadFile(report), "");
  EXPECT_EQ(MainForm->DialogCancelBytes[cbResizeBC], 0);
}

TEST_F(ResizingBoxCountingTest, AllItemsOfAComplementaryImageReachItsHighestCode) {
  // Codes 1, 10 and 20 from a file: three items, the highest code 20 above the count.
  LoadLabeled({1, 10, 20}, 3);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TResizeBCForm>(AllItems())
      .message("RESIZING BOX COUNTING",
               MessageLine(1, 1, 0) + "\n" + MessageLine(2, 10, 1) + "\n" + MessageLine(3, 20, 2));
  MainForm->ResizeBCTreatment1Click();
  EXPECT_EQ(ReadFile(report), kHeader + "\n\tTreatment applied to all the 3 items\n\n" + ItemLine(1, 0) +
                                  ItemLine(10, 1) + ItemLine(20, 2));
  ASSERT_GE(MainForm->ItemValues.size(), 21u);
  EXPECT_EQ(MainForm->ItemCodes[20], 20);
  EXPECT_EQ(MainForm->ItemPixels[20], 16);
}

TEST_F(ResizingBoxCountingTest, TheSelectionPanelFollowsTheRadioButtons) {
  TResizeBCForm& form = *ResizeBCForm;
  form.RadioButton2->click();
  form.NumSelectItemEdit->setText(QStringLiteral("3z"));
  EXPECT_EQ(std::tuple(form.Selection, form.SelectedCount), std::tuple(1, 3));
  EXPECT_FALSE(form.NumSelectItemEdit->parentWidget()->isHidden());
  form.RadioButton1->click();
  EXPECT_EQ(form.Selection, 0);
  EXPECT_TRUE(form.NumSelectItemEdit->parentWidget()->isHidden());
}
