// Binarizing and labeling: their reports and counts, refusals, and every flag and entry they change.
#include <sstream>

#include "Program.h"
#include "binary/Binar.h"
#include "binary/Labeliz.h"
#include "fixtures/Blocks.h"
#include "fixtures/Fractals.h"

namespace {

std::int64_t Count(const BytePlane& plane, std::uint8_t value) {
  return std::count(plane.Data(), plane.Data() + plane.Size(), value);
}

auto Thresholds(int min, int max, int keepIsolated = 0) {
  return Set(&TBinarForm::MinValue, min, &TBinarForm::MaxValue, max, &TBinarForm::DataIn, 0,
             &TBinarForm::KeepIsolated, keepIsolated);
}

// Items 1 on 255, with the 3 x 3 (or `side`) blocks whose top-left corners are given.
BytePlane Blocks(int columns, int lines, const std::vector<std::pair<int, int>>& corners, int side = 3) {
  BytePlane plane = UniformPlane(columns, lines);
  for (auto [top, left] : corners) FillBlock(plane, top, left, side, side, 1);
  return plane;
}

// Sets (from `put`) then reads the image, hole, editor and pending flags; then panel 2's names.
std::string State(const std::string& put = "") {
  TMainForm& m = *MainForm;
  std::string s;
  auto flag = [&](auto& v) {
    if (!put.empty()) v = put.at(s.size()) - '0';
    s += static_cast<char>('0' + v);
  };
  flag(m.HasBinaryImage), flag(m.BinaryFlag), flag(m.HasLabeledImage), flag(m.LabeledFlag);
  flag(m.HoleLabelingMode), flag(m.HolesLabeled), flag(m.EditorState), flag(m.PixelStackReady);
  flag(m.ColourMode), flag(m.EditorColourImage);
  for (int& v : m.Panel2Pending) flag(v);
  return s + " |" + TempImageForm->CaptionText() + "|" + m.TreatmentName + "|" + m.BinaryImageName;
}

}  // namespace

using BinarizingTest = ProgramTest;

TEST_F(BinarizingTest, ReportCountsFlagsEntriesRefusalsCancelBorderAndIsolatedPixels) {
  TMainForm& m = *MainForm;
  LoadOriginal(MakeGrayRamp(256, 64));  // 50 pixels of 100 to 149 a line
  const std::string report = ReportInto(Path("report.txt"));
  State("0011111031011111");
  const char* const binaryEntries =
      "LinFrac1 BoxCounting1 Bromov1 ProgresBoxCounting1 Labelization UrbanField SaveBinarSpeedButton1 "
      "ZoomSpeedButton";
  const char* const labeledEntries =
      "ColorSpeedButton ResizeBoxCounting1 Perimeter1 PerimeterOrientation1 MovingCircle Pattern1";
  std::istringstream labeled(labeledEntries);
  for (std::string name; labeled >> name;) m.Enable({name.c_str()});
  ui.dialog<TBinarForm>(Thresholds(100, 149));
  m.BinarTreatment1Click();
  EXPECT_EQ(Count(m.BinaryImage, 1), 3200);
  EXPECT_EQ(
      ReadFile(report),
      "\n\n BINARIZATION \n applied to the original image\n\n\tMin = 100  Max = 149 \n\tItem Value = 1"
      "\n\tBackground = 255\n\tIsolated pixels eliminated\n\tItem:       pixels number = 3200\tpercentage = "
      "19.53 \n\tBackground: pixels number = 13184\tpercentage = 80.47 ");
  // Binary and labeled flags start again; the others wait for their own save.
  EXPECT_EQ(State(), "1100001000101111 | 2.-  BINARY IMAGE | BINARY IMAGE | BINARY IMAGE ");
  EXPECT_EQ(EnabledOf(binaryEntries + std::string(" ") + labeledEntries), binaryEntries);
  // Missing thresholds bring the dialog back; Cancel changes nothing.
  BinarForm->MinBinEdit->setText(QStringLiteral("12a"));  // the edits convert at each change
  BinarForm->MaxBinEdit->setText(QStringLiteral("x"));
  EXPECT_EQ(std::tuple(BinarForm->MinValue, BinarForm->MaxValue), std::tuple(12, 0));
  m.BinaryImage.Fill(7);
  ui.dialog<TBinarForm>(Thresholds(1000, 149))
      .message("ERROR", "Minimum value of the threshold not defined")
      .dialog<TBinarForm>(Thresholds(10, 0))
      .message("ERROR", "Maximum value of the threshold not defined")
      .dialog<TBinarForm>([](TBinarForm&) { return ui::mrCancel; });
  m.BinarTreatment1Click();
  EXPECT_EQ(std::tuple(Count(m.BinaryImage, 7), m.HasBinaryImage, m.DialogCancelBytes[cbBinar]),
            std::tuple(64 * 256, 1, 0));
  // With a result border the frame stays background.
  m.ResultBorder = 6;
  ui.dialog<TBinarForm>(Thresholds(100, 149));
  m.BinarTreatment1Click();
  EXPECT_EQ(Count(m.BinaryImage, 1), 2600);
  // Which pixels are isolated is the kernel's (checked against a literal pass); the choice is the form's.
  LoadOriginal(fixtures::FilledSquare(10, 10, 4, 4, 1, 200, 0));
  m.ResultBorder = 0;
  for (const int keep : {0, 1}) {
    ui.dialog<TBinarForm>(Thresholds(150, 255, keep));
    m.BinarTreatment1Click();
    EXPECT_EQ(m.BinaryImage[4][4], keep ? 1 : 255);
  }
}

using LabelingTest = ProgramTest;

TEST_F(LabelingTest, CodesReportFlagsEntriesHolesRefusalsAndSizeBounds) {
  TMainForm& m = *MainForm;
  // Refused without a binary image or with more than 253 items.
  LoadOriginal(BytePlane(8, 8));
  ui.ok<TLabelizForm>().message("CAUTION", "A new labeling implies\na former binarizing");
  m.LabelTreatment1Click();
  EXPECT_EQ(std::tuple(m.IsEnabled("Labelization"), m.HasLabeledImage), std::tuple(false, 0));
  std::vector<std::pair<int, int>> many;
  for (int k = 0; k < 256; ++k) many.emplace_back(1 + k / 16 * 4, 1 + k % 16 * 4);
  LoadBinary(Blocks(66, 66, many, 2));
  const std::string before = Bytes(m.BinaryImage);
  ui.ok<TLabelizForm>().message("CAUTION", "More than 253 items\nPlease check the labelization");
  m.LabelTreatment1Click();
  EXPECT_EQ(std::tuple(Bytes(m.BinaryImage), m.HasBinaryImage, m.HasLabeledImage, m.Panel2Pending[p2Labeled]),
            std::tuple(before, 1, 0, 0));
  // Twelve blocks get codes in raster order without 10, and every flag and entry changes.
  std::vector<std::pair<int, int>> corners;
  for (int k = 0; k < 12; ++k) corners.emplace_back(2 + k / 4 * 6, 2 + k % 4 * 6);
  LoadBinary(Blocks(30, 20, corners));
  const std::string report = ReportInto(Path("report.txt"));
  State("1100001031101111");  // items, not holes
  m.BinaryBackup.Fill(9);
  ui.dialog<TLabelizForm>([](TLabelizForm& f) {
    EXPECT_EQ(std::tuple(f.MinSize, f.MaxSize), std::tuple(1, 108));  // 1 .. the number of item pixels
    return ui::mrOk;
  });
  m.LabelTreatment1Click();
  EXPECT_EQ(m.ItemCount, 13);
  std::string items;
  for (int k = 0; k < 12; ++k) {
    const int code = k < 9 ? k + 1 : k + 2;  // raster order without 10
    EXPECT_EQ(m.BinaryImage[corners[k].first + 1][corners[k].second + 1], code);
    items += "\n\titem " + std::to_string(code) +
             " number of pixels 9 \tpercentage versus image = 1.50\tpercentage versus items = 8.33";
  }
  EXPECT_EQ(ReadFile(report),
            "\n\n LABELING \n applied to the binary image\n\n\tMin Size = 1  Max Size = 108 "
            "\n\n\tNumber of items = 12 \n\n\t\tCaution : the value 10 is not affected "
            "\n\t\tas this value corresponds to an order system \n" +
                items);
  EXPECT_EQ(std::tuple(m.ItemCodes.size(), m.ItemValues2.size(), m.RedPlane[3][3]), std::tuple(14u, 14u, 1));
  EXPECT_EQ(Bytes(m.BinaryBackup), Bytes(m.BinaryImage));
  EXPECT_EQ(State(), "0011000100010000 | 2.-  LABELED IMAGE | LABELED IMAGE | LABELED IMAGE ");
  const char* const entries =
      "ResizeBoxCounting1 Perimeter1 PerimeterOrientation1 MovingCircle Pattern1 Smoothing1 Closing1 "
      "PerimeterExtraction HoleExtraction SaveBinarSpeedButton1 PipetteSpeedButton1 ColorSpeedButton "
      "InfoSpeedButton";
  EXPECT_EQ(EnabledOf(entries), entries);
  // The holes left by a hole extraction are labeled once, the items' backup kept, until a binarizing.
  LoadBinary(Blocks(20, 20, {{5, 5}}));
  m.HoleLabelingMode = 1;
  m.BinaryBackup.Fill(9);
  ui.ok<TLabelizForm>();
  m.LabelTreatment1Click();
  EXPECT_EQ(std::tuple(m.HolesLabeled, Count(m.BinaryBackup, 9)), std::tuple(1, 400));
  ui.ok<TLabelizForm>().message("CAUTION", "A new hole labeling implies\na former extraction");
  m.LabelTreatment1Click();
  EXPECT_FALSE(m.IsEnabled("Labelization"));
  ui.dialog<TBinarForm>(Thresholds(0, 255));
  m.BinarTreatment1Click();
  EXPECT_EQ(m.HoleLabelingMode, 0);
  ui.ok<TLabelizForm>();
  m.LabelTreatment1Click();
  EXPECT_EQ(m.HasLabeledImage, 1);
  // Blocks touching at a corner are one item; items smaller than the minimum size are dropped.
  LoadBinary(Blocks(20, 20, {{2, 2}, {5, 5}, {12, 12}}));  // the second touches the first at a corner
  ui.dialog<TLabelizForm>(Set(&TLabelizForm::MinSize, 10));
  m.LabelTreatment1Click();
  const BytePlane& b = m.BinaryImage;
  EXPECT_EQ(std::tuple(m.ItemCount, b[3][3], b[6][6], b[12][12]), std::tuple(1, 1, 1, 255));
}
