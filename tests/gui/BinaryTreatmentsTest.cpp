#include <QLineEdit>
#include <string>

#include "Program.h"
#include "app/MainWindow.h"
#include "binary/Binar.h"
#include "binary/Labeliz.h"
#include "panels/TempImage.h"

namespace {

// 64 x 256, each pixel holding its column.
BytePlane Ramp() {
  BytePlane ramp(256, 64);
  for (int i = 0; i < 64; ++i)
    for (int j = 0; j < 256; ++j) ramp[i][j] = static_cast<std::uint8_t>(j);
  return ramp;
}

std::int64_t Count(const BytePlane& plane, std::uint8_t value) {
  std::int64_t n = 0;
  for (std::size_t k = 0; k < plane.Size(); ++k) n += plane.Data()[k] == value;
  return n;
}

auto Thresholds(int min, int max, int dataIn = 0, int keepIsolated = 0) {
  return [=](TBinarForm& f) {
    f.MinValue = min;
    f.MaxValue = max;
    f.DataIn = dataIn;
    f.KeepIsolated = keepIsolated;
    return ui::mrOk;
  };
}

// A binary panel 2 (items 1 on 255) of the given size, with the blocks set by `fill`.
template <class Fill>
void LoadBinary(int columns, int lines, Fill fill) {
  BytePlane binary(columns, lines);
  binary.Fill(255);
  fill(binary);
  LoadOriginal(BytePlane(columns, lines));
  MainForm->BinaryImage = std::move(binary);
  MainForm->HasBinaryImage = 1;
}

void Block(BytePlane& plane, int top, int left, int side) {
  for (int i = top; i < top + side; ++i)
    for (int j = left; j < left + side; ++j) plane[i][j] = 1;
}

}  // namespace

class BinarizingTest : public ProgramTest {};

TEST_F(BinarizingTest, RampGivesTheReportedCountsAndPercentages) {
  LoadOriginal(Ramp());
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TBinarForm>(Thresholds(100, 149));
  MainForm->BinarTreatment1Click();

  EXPECT_EQ(Count(MainForm->BinaryImage, 1), 3200);
  EXPECT_EQ(Count(MainForm->BinaryImage, 255), 64 * 256 - 3200);
  EXPECT_EQ(ReadFile(report),
            "\n\n BINARIZATION "
            "\n applied to the original image\n"
            "\n\tMin = 100  Max = 149 "
            "\n\tItem Value = 1"
            "\n\tBackground = 255"
            "\n\tIsolated pixels eliminated"
            "\n\tItem:       pixels number = 3200\tpercentage = 19.53 "
            "\n\tBackground: pixels number = 13184\tpercentage = 80.47 ");
  EXPECT_EQ(MainForm->HasBinaryImage, 1);
  EXPECT_EQ(MainForm->HasLabeledImage, 0);
  EXPECT_EQ(MainForm->BinaryFlag, 1);
  EXPECT_EQ(MainForm->Panel2Pending[p2Binary], 1);
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.- " " BINARY IMAGE ");
  for (const char* name : {"LinFrac1", "BoxCounting1", "Bromov1", "ProgresBoxCounting1", "Labelization",
                           "UrbanField", "SaveBinarSpeedButton1", "ZoomSpeedButton"})
    EXPECT_TRUE(MainForm->IsEnabled(name)) << name;
  for (const char* name : {"ColorSpeedButton", "ResizeBoxCounting1", "Perimeter1", "Pattern1"})
    EXPECT_FALSE(MainForm->IsEnabled(name)) << name;
}

TEST_F(BinarizingTest, TheResultBorderFrameStaysBackground) {
  LoadOriginal(Ramp());
  MainForm->ResultBorder = 6;
  ui.dialog<TBinarForm>(Thresholds(100, 149));
  MainForm->BinarTreatment1Click();
  EXPECT_EQ(Count(MainForm->BinaryImage, 1), 2600);
  for (int j = 0; j < 256; ++j) EXPECT_EQ(MainForm->BinaryImage[5][j], 255);
}

TEST_F(BinarizingTest, MissingThresholdsBringTheDialogBackAndCancelChangesNothing) {
  LoadOriginal(Ramp());
  MainForm->BinaryImage.Fill(7);
  ui.dialog<TBinarForm>(Thresholds(1000, 149))
      .message("ERROR", "Minimum value of the threshold not defined")
      .dialog<TBinarForm>(Thresholds(10, 0))
      .message("ERROR", "Maximum value of the threshold not defined")
      .dialog<TBinarForm>([](TBinarForm&) { return ui::mrCancel; });
  MainForm->BinarTreatment1Click();
  EXPECT_EQ(Count(MainForm->BinaryImage, 7), 64 * 256);
  EXPECT_EQ(MainForm->HasBinaryImage, 0);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbBinar], 0);
}

TEST_F(BinarizingTest, IsolatedPixelsGoUnlessKeptAndMinAboveMaxGivesNothing) {
  BytePlane gray(10, 10);
  gray[4][4] = 200;  // lone interior pixel
  gray[7][2] = gray[8][3] = 200;  // diagonal pair
  gray[0][6] = 200;  // on the outer line
  LoadOriginal(std::move(gray));
  ui.dialog<TBinarForm>(Thresholds(150, 255));
  MainForm->BinarTreatment1Click();
  EXPECT_EQ(MainForm->BinaryImage[4][4], 255);
  EXPECT_EQ(MainForm->BinaryImage[7][2], 1);
  EXPECT_EQ(MainForm->BinaryImage[8][3], 1);
  EXPECT_EQ(MainForm->BinaryImage[0][6], 1);

  ui.dialog<TBinarForm>(Thresholds(150, 255, 0, 1));
  MainForm->BinarTreatment1Click();
  EXPECT_EQ(MainForm->BinaryImage[4][4], 1);

  ui.dialog<TBinarForm>(Thresholds(200, 100));
  MainForm->BinarTreatment1Click();
  EXPECT_EQ(Count(MainForm->BinaryImage, 1), 0);
}

TEST_F(BinarizingTest, EditsConvertAtEachChange) {
  BinarForm->MinBinEdit->setText(QStringLiteral("12a"));
  BinarForm->MaxBinEdit->setText(QStringLiteral("x"));
  EXPECT_EQ(BinarForm->MinValue, 12);
  EXPECT_EQ(BinarForm->MaxValue, 0);
}

class LabelingTest : public ProgramTest {};

TEST_F(LabelingTest, TwelveBlocksGetCodesInRasterOrderWithoutTen) {
  LoadBinary(30, 20, [](BytePlane& p) {
    for (int row : {2, 8, 14})
      for (int column : {2, 8, 14, 20}) Block(p, row, column, 3);
  });
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TLabelizForm>([](TLabelizForm& f) {
    EXPECT_EQ(f.MinSize, 1);  // proposed: 1 .. the number of item pixels
    EXPECT_EQ(f.MaxSize, 108);
    return ui::mrOk;
  });
  MainForm->LabelTreatment1Click();

  EXPECT_EQ(MainForm->ItemCount, 13);
  const int expected[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13};
  int k = 0;
  for (int row : {2, 8, 14})
    for (int column : {2, 8, 14, 20}) EXPECT_EQ(MainForm->BinaryImage[row + 1][column + 1], expected[k++]);
  std::string items;
  for (int code : expected)
    items += "\n\titem " + std::to_string(code) +
             " number of pixels 9 \tpercentage versus image = 1.50\tpercentage versus items = 8.33";
  EXPECT_EQ(ReadFile(report),
            "\n\n LABELING "
            "\n applied to the binary image\n"
            "\n\tMin Size = 1  Max Size = 108 "
            "\n\n\tNumber of items = 12 "
            "\n\n\t\tCaution : the value 10 is not affected "
            "\n\t\tas this value corresponds to an order system \n" +
                items);
  EXPECT_EQ(MainForm->ItemCodes.size(), 14u);
  EXPECT_EQ(MainForm->ItemValues2.size(), 14u);
  EXPECT_EQ(MainForm->HasLabeledImage, 1);
  EXPECT_EQ(MainForm->LabeledFlag, 1);
  EXPECT_EQ(MainForm->Panel2Pending[p2Labeled], 1);
  EXPECT_EQ(MainForm->BinaryBackup[3][3], 1);
  EXPECT_EQ(MainForm->RedPlane[3][3], 1);
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.- " " LABELED IMAGE ");
  for (const char* name : {"ResizeBoxCounting1", "Perimeter1", "Pattern1", "HoleExtraction", "ColorSpeedButton"})
    EXPECT_TRUE(MainForm->IsEnabled(name)) << name;
}

TEST_F(LabelingTest, CornerTouchingBlocksAreOneItemAndSizeBoundsDropTheSmall) {
  LoadBinary(20, 20, [](BytePlane& p) {
    Block(p, 2, 2, 3);
    Block(p, 5, 5, 3);  // touches the first at a corner
    Block(p, 12, 12, 2);
  });
  ui.dialog<TLabelizForm>([](TLabelizForm& f) {
    f.MinSize = 5;
    return ui::mrOk;
  });
  MainForm->LabelTreatment1Click();
  EXPECT_EQ(MainForm->ItemCount, 1);
  EXPECT_EQ(MainForm->BinaryImage[3][3], 1);
  EXPECT_EQ(MainForm->BinaryImage[6][6], 1);
  EXPECT_EQ(MainForm->BinaryImage[12][12], 255);
}

TEST_F(LabelingTest, NeedsABinaryImage) {
  LoadOriginal(BytePlane(8, 8));
  ui.dialog<TLabelizForm>([](TLabelizForm&) { return ui::mrOk; })
      .message("CAUTION", "A new labeling implies\na former binarizing");
  MainForm->LabelTreatment1Click();
  EXPECT_FALSE(MainForm->IsEnabled("Labelization"));
  EXPECT_EQ(MainForm->HasLabeledImage, 0);
}

TEST_F(LabelingTest, MoreThan253ItemsAreRefusedWithNoChange) {
  LoadBinary(66, 66, [](BytePlane& p) {
    for (int i = 0; i < 16; ++i)
      for (int j = 0; j < 16; ++j) Block(p, 1 + 4 * i, 1 + 4 * j, 2);
  });
  const BytePlane before = MainForm->BinaryImage.Clone();
  ui.dialog<TLabelizForm>([](TLabelizForm&) { return ui::mrOk; })
      .message("CAUTION", "More than 253 items\nPlease check the labelization");
  MainForm->LabelTreatment1Click();
  EXPECT_TRUE(std::equal(before.Data(), before.Data() + before.Size(), MainForm->BinaryImage.Data()));
  EXPECT_EQ(MainForm->HasBinaryImage, 1);
  EXPECT_EQ(MainForm->HasLabeledImage, 0);
  EXPECT_EQ(MainForm->Panel2Pending[p2Labeled], 0);
}

TEST_F(LabelingTest, BinarizingEndsTheHoleLabelingMode) {
  LoadBinary(10, 10, [](BytePlane& p) { Block(p, 3, 3, 3); });
  MainForm->HoleLabelingMode = 1;
  MainForm->HolesLabeled = 1;
  ui.dialog<TBinarForm>(Thresholds(0, 255));
  MainForm->BinarTreatment1Click();
  EXPECT_EQ(MainForm->HoleLabelingMode, 0);
  ui.dialog<TLabelizForm>([](TLabelizForm&) { return ui::mrOk; });
  MainForm->LabelTreatment1Click();
  EXPECT_EQ(MainForm->HasLabeledImage, 1);
}
