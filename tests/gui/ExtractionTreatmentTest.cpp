// Urban Field > Perimeter and Hole Extraction end to end: panel 2, caption, flags, editor's buttons.
#include <QLineEdit>

#include "Program.h"
#include "binary/Labeliz.h"
#include "fixtures/Blocks.h"
#include "fixtures/Pixels.h"
#include "urban/ExtractionForms.h"

namespace {

constexpr const char* kEditorButtons =
    "InfoSpeedButton ColorSpeedButton CuvetSpeedButton PencilSpeedButton LineSpeedButton "
    "DelateLineSpeedButton LocalFillingSpeedButton GoBackSpeedButton";

class ExtractionTreatmentTest : public ProgramTest {
 protected:
  // A 12 x 12 ring of value 7 (its hole 4 x 4) and a 20 x 20 square of value 3, on 255.
  void SetUp() override {
    ProgramTest::SetUp();
    BytePlane p = UniformPlane(60, 60);
    FillBlock(p, 30, 5, 20, 20, 3);
    FillBlock(p, 5, 5, 12, 12, 7);
    FillBlock(p, 9, 9, 4, 4, 255);
    LoadBinary(std::move(p));
  }
};

}  // namespace

TEST_F(ExtractionTreatmentTest, PerimeterExtractionRefusesNoValueAndKeepsTheOutlineOfOneValue) {
  TMainForm& m = *MainForm;
  m.PerimeterExtracted = 1;
  const std::string before = Bytes(m.BinaryImage), caption = TempImageForm->CaptionText();
  PerimExtractValueForm->SelectedValue = -1;
  ui.ok<TPerimExtractValueForm>()
      .message("ERROR", "No selected Value")
      .dialog<TPerimExtractValueForm>([](TPerimExtractValueForm&) { return ui::mrCancel; });
  m.PerimExtractTreatmentClick();
  EXPECT_EQ(std::tuple(Bytes(m.BinaryImage), TempImageForm->CaptionText()), std::tuple(before, caption));
  EXPECT_EQ(std::tuple(m.PerimeterExtracted, m.DialogCancelBytes[cbPerimExtractValue]),
            std::tuple(0, 0));  // Cancel undoes the flag
  EXPECT_EQ(EnabledOf(kEditorButtons), "");
  // Panel 2 showed the editor's picture, the colour result.
  std::tie(m.EditorColourImage, m.ColourMode) = std::tuple(1, kColourModeRgb);
  ui.dialog<TPerimExtractValueForm>([](auto& f) { return f.PerimExtractValueEdit->setText("3"), ui::mrOk; });
  m.PerimExtractTreatmentClick();
  const BytePlane& p = m.BinaryImage;
  EXPECT_EQ(std::tuple(CountOf(p, 1), CountOf(p, 255)), std::tuple(72, 3600 - 72));  // the ring is gone
  EXPECT_EQ(std::tuple(p[30][5], p[30][6], p[31][5]), std::tuple(255, 1, 1));
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.-  PERIMETER EXTRACTION ");
  EXPECT_EQ(m.TreatmentName + "|" + m.BinaryImageName, " PERIMETER EXTRACTION | PERIMETER EXTRACTION ");
  EXPECT_EQ(std::tuple(m.PerimeterExtracted, m.EditorColourImage, m.ColourMode), std::tuple(1, 0, 0));
  EXPECT_EQ(EnabledOf(kEditorButtons), kEditorButtons);
}

TEST_F(ExtractionTreatmentTest, HoleExtractionRefusesNoValueAndLeavesTheEnclosedBackgroundReadyToBeLabeled) {
  TMainForm& m = *MainForm;
  const std::string before = Bytes(m.BinaryImage);
  HoleExtractForm->SelectedValue = -1;
  ui.ok<THoleExtractForm>()
      .message("ERROR", "No value selected")
      .dialog<THoleExtractForm>([](THoleExtractForm&) { return ui::mrCancel; });
  m.HoleTreatmentClick();
  EXPECT_EQ(Bytes(m.BinaryImage), before);
  EXPECT_EQ(std::tuple(m.HoleLabelingMode, m.DialogCancelBytes[cbHoleExtract]), std::tuple(0, 0));
  std::tie(m.HolesLabeled, m.HasBinaryImage) = std::tuple(1, 0);
  ui.dialog<THoleExtractForm>([](auto& f) { return f.HoleExtractValueEdit->setText("7"), ui::mrOk; });
  m.HoleTreatmentClick();
  const BytePlane& p = m.BinaryImage;
  EXPECT_EQ(std::tuple(CountOf(p, 1), p[9][9], p[12][12], p[8][8]), std::tuple(16, 1, 1, 255));
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.-  HOLE EXTRACTION ");
  EXPECT_EQ(std::tuple(m.HoleLabelingMode, m.HolesLabeled, m.DialogCancelBytes[cbHoleExtract]),
            std::tuple(1, 0, 0));
  EXPECT_EQ(EnabledOf(kEditorButtons), kEditorButtons);
  // The labeling takes the holes without a binarizing.
  ui.ok<TLabelizForm>();
  m.LabelTreatment1Click();
  EXPECT_EQ(std::tuple(m.ItemCount, m.HolesLabeled), std::tuple(1, 1));
}
