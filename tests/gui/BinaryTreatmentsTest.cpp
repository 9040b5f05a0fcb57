#include <QLineEdit>
#include <sstream>
#include <string>
#include <tuple>

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

// Items 1 on 255, with the 3 x 3 (or `side`) blocks whose top-left corners are given.
BytePlane Blocks(int columns, int lines, const std::vector<std::pair<int, int>>& corners, int side = 3) {
  BytePlane plane(columns, lines);
  plane.Fill(255);
  for (auto [top, left] : corners)
    for (int i = top; i < top + side; ++i)
      for (int j = left; j < left + side; ++j) plane[i][j] = 1;
  return plane;
}

}  // namespace

class BinarizingTest : public ProgramTest {};

TEST_F(BinarizingTest, RampGivesTheReportedCountsAndPercentagesAndTheBorderFrameStaysBackground) {
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
  EXPECT_EQ(std::tuple(MainForm->HasBinaryImage, MainForm->HasLabeledImage), std::tuple(1, 0));
  EXPECT_EQ(MainForm->BinaryFlag, 1);
  EXPECT_EQ(MainForm->Panel2Pending[p2Binary], 1);
  EXPECT_EQ(TempImageForm->CaptionText(),
            " 2.- "
            " BINARY IMAGE ");
  EXPECT_EQ(
      EnabledOf(
          "LinFrac1 BoxCounting1 Bromov1 ProgresBoxCounting1 Labelization UrbanField "
          "SaveBinarSpeedButton1 ZoomSpeedButton ColorSpeedButton ResizeBoxCounting1 Perimeter1 Pattern1"),
      "LinFrac1 BoxCounting1 Bromov1 ProgresBoxCounting1 Labelization UrbanField SaveBinarSpeedButton1 "
      "ZoomSpeedButton");

  // With a result border the frame stays background.
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
  gray[4][4] = 200;               // lone interior pixel
  gray[7][2] = gray[8][3] = 200;  // diagonal pair
  gray[0][6] = 200;               // on the outer line
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
  EXPECT_EQ(std::tuple(BinarForm->MinValue, BinarForm->MaxValue), std::tuple(12, 0));
}

class LabelingTest : public ProgramTest {};

TEST_F(LabelingTest, TwelveBlocksGetCodesInRasterOrderWithoutTen) {
  std::vector<std::pair<int, int>> corners;
  for (int row : {2, 8, 14})
    for (int column : {2, 8, 14, 20}) corners.emplace_back(row, column);
  LoadBinary(Blocks(30, 20, corners));
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TLabelizForm>([](TLabelizForm& f) {
    EXPECT_EQ(f.MinSize, 1);  // proposed: 1 .. the number of item pixels
    EXPECT_EQ(f.MaxSize, 108);
    return ui::mrOk;
  });
  MainForm->LabelTreatment1Click();

  EXPECT_EQ(MainForm->ItemCount, 13);
  const int expected[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13};
  std::string items;
  for (int k = 0; k < 12; ++k) {
    EXPECT_EQ(MainForm->BinaryImage[corners[k].first + 1][corners[k].second + 1], expected[k]);
    items += "\n\titem " + std::to_string(expected[k]) +
             " number of pixels 9 \tpercentage versus image = 1.50\tpercentage versus items = 8.33";
  }
  EXPECT_EQ(ReadFile(report),
            "\n\n LABELING "
            "\n applied to the binary image\n"
            "\n\tMin Size = 1  Max Size = 108 "
            "\n\n\tNumber of items = 12 "
            "\n\n\t\tCaution : the value 10 is not affected "
            "\n\t\tas this value corresponds to an order system \n" +
                items);
  EXPECT_EQ(std::tuple(MainForm->ItemCodes.size(), MainForm->ItemValues2.size()), std::tuple(14u, 14u));
  EXPECT_EQ(
      (std::vector<int>{MainForm->HasLabeledImage, MainForm->LabeledFlag, MainForm->Panel2Pending[p2Labeled],
                        MainForm->BinaryBackup[3][3], MainForm->RedPlane[3][3]}),
      std::vector<int>(5, 1));
  EXPECT_EQ(TempImageForm->CaptionText(),
            " 2.- "
            " LABELED IMAGE ");
  const char* const enabled = "ResizeBoxCounting1 Perimeter1 Pattern1 HoleExtraction ColorSpeedButton";
  EXPECT_EQ(EnabledOf(enabled), enabled);
}

TEST_F(LabelingTest, CornerTouchingBlocksAreOneItemAndSizeBoundsDropTheSmall) {
  BytePlane binary = Blocks(20, 20, {{2, 2}, {5, 5}});  // the second touches the first at a corner
  binary[12][12] = binary[12][13] = binary[13][12] = binary[13][13] = 1;
  LoadBinary(std::move(binary));
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
  ui.ok<TLabelizForm>().message("CAUTION", "A new labeling implies\na former binarizing");
  MainForm->LabelTreatment1Click();
  EXPECT_FALSE(MainForm->IsEnabled("Labelization"));
  EXPECT_EQ(MainForm->HasLabeledImage, 0);
}

TEST_F(LabelingTest, MoreThan253ItemsAreRefusedWithNoChange) {
  std::vector<std::pair<int, int>> corners;
  for (int i = 0; i < 16; ++i)
    for (int j = 0; j < 16; ++j) corners.emplace_back(1 + 4 * i, 1 + 4 * j);
  LoadBinary(Blocks(66, 66, corners, 2));
  const BytePlane before = MainForm->BinaryImage.Clone();
  ui.ok<TLabelizForm>().message("CAUTION", "More than 253 items\nPlease check the labelization");
  MainForm->LabelTreatment1Click();
  EXPECT_TRUE(std::equal(before.Data(), before.Data() + before.Size(), MainForm->BinaryImage.Data()));
  EXPECT_EQ(
      std::tuple(MainForm->HasBinaryImage, MainForm->HasLabeledImage, MainForm->Panel2Pending[p2Labeled]),
      std::tuple(1, 0, 0));
}

TEST_F(LabelingTest, BinarizingEndsTheHoleLabelingMode) {
  LoadBinary(Blocks(10, 10, {{3, 3}}));
  MainForm->HoleLabelingMode = 1;
  MainForm->HolesLabeled = 1;
  ui.dialog<TBinarForm>(Thresholds(0, 255));
  MainForm->BinarTreatment1Click();
  EXPECT_EQ(MainForm->HoleLabelingMode, 0);
  ui.ok<TLabelizForm>();
  MainForm->LabelTreatment1Click();
  EXPECT_EQ(MainForm->HasLabeledImage, 1);
}

// Every member and entry each treatment changes, checked from the opposite state.
TEST_F(BinarizingTest, ChangesEveryFlagAndEntryFromTheOppositeState) {
  LoadOriginal(Ramp());
  TMainForm& m = *MainForm;
  m.HasBinaryImage = m.BinaryFlag = 0;
  m.HasLabeledImage = m.LabeledFlag = m.HoleLabelingMode = m.HolesLabeled = 1;
  m.Panel2Pending.fill(1);
  const char* const binaryEntries =
      "LinFrac1 BoxCounting1 Bromov1 ProgresBoxCounting1 Labelization UrbanField SaveBinarSpeedButton1 "
      "ZoomSpeedButton";
  const char* const labeledEntries =
      "ColorSpeedButton ResizeBoxCounting1 Perimeter1 PerimeterOrientation1 "
      "MovingCircle Pattern1";
  std::istringstream labeled(labeledEntries);
  for (std::string name; labeled >> name;) m.Enable({name.c_str()});

  ui.dialog<TBinarForm>(Thresholds(100, 149));
  m.BinarTreatment1Click();
  EXPECT_EQ((std::vector<int>{m.HasBinaryImage, m.BinaryFlag, m.HasLabeledImage, m.LabeledFlag,
                              m.HoleLabelingMode, m.HolesLabeled}),
            (std::vector<int>{1, 1, 0, 0, 0, 0}));
  // Binary and labeled flags start again; the others wait for their own save.
  EXPECT_EQ(std::vector<int>(m.Panel2Pending.begin(), m.Panel2Pending.end()),
            (std::vector<int>{1, 0, 1, 1, 1, 1}));
  EXPECT_EQ(EnabledOf(binaryEntries), binaryEntries);
  EXPECT_EQ(EnabledOf(labeledEntries), "");
  EXPECT_EQ(m.TreatmentName + "|" + m.BinaryImageName, " BINARY IMAGE | BINARY IMAGE ");
}

TEST_F(LabelingTest, ChangesEveryFlagAndEntryFromTheOppositeState) {
  LoadBinary(Blocks(20, 20, {{2, 2}, {10, 10}}), 1);
  TMainForm& m = *MainForm;
  m.Panel2Pending.fill(1);
  m.EditorState = 1;
  m.PixelStackReady = 0;
  m.BinaryBackup.Fill(9);
  const char* const entries =
      "ResizeBoxCounting1 Perimeter1 PerimeterOrientation1 MovingCircle Pattern1 Smoothing1 Closing1 "
      "PerimeterExtraction HoleExtraction SaveBinarSpeedButton1 PipetteSpeedButton1 ColorSpeedButton "
      "InfoSpeedButton";
  ui.ok<TLabelizForm>();
  m.LabelTreatment1Click();
  EXPECT_EQ((std::vector<int>{m.HasBinaryImage, m.BinaryFlag, m.HasLabeledImage, m.LabeledFlag, m.EditorState,
                              m.PixelStackReady, m.ItemCount}),
            (std::vector<int>{0, 0, 1, 1, 0, 1, 2}));
  EXPECT_EQ(std::vector<int>(m.Panel2Pending.begin(), m.Panel2Pending.end()),
            (std::vector<int>{0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(EnabledOf(entries), entries);
  EXPECT_EQ(Bytes(m.BinaryBackup), Bytes(m.BinaryImage));
  EXPECT_EQ(m.TreatmentName + "|" + m.BinaryImageName, " LABELED IMAGE | LABELED IMAGE ");

  // Labeling the holes left by a hole extraction keeps the items' backup and allows it once.
  m.HoleLabelingMode = 1;
  m.HolesLabeled = 0;
  const std::string backup = Bytes(m.BinaryBackup);
  m.BinaryImage = Blocks(20, 20, {{5, 5}});
  ui.ok<TLabelizForm>();
  m.LabelTreatment1Click();
  EXPECT_EQ(m.HolesLabeled, 1);
  EXPECT_EQ(Bytes(m.BinaryBackup), backup);
  ui.ok<TLabelizForm>().message("CAUTION", "A new hole labeling implies\na former extraction");
  m.LabelTreatment1Click();
  EXPECT_FALSE(m.IsEnabled("Labelization"));
}

// The editor's colour picture shows the panel 2 a new binary or labeled image replaces: the saves
// must not write it any more.
TEST_F(BinarizingTest, ANewPanelTwoEndsTheEditorsColourPicture) {
  LoadOriginal(Ramp());
  TMainForm& m = *MainForm;
  for (const bool labeling : {false, true}) {
    m.ColourMode = kColourModeRgb;
    m.EditorColourImage = 1;
    if (labeling)
      ui.ok<TLabelizForm>();
    else
      ui.dialog<TBinarForm>(Thresholds(100, 149));
    if (labeling)
      m.LabelTreatment1Click();
    else
      m.BinarTreatment1Click();
    EXPECT_EQ(std::tuple(m.ColourMode, m.EditorColourImage), std::tuple(0, 0)) << labeling;
  }
}
