// Binar. Treat. > Urban Field > Perimeter Extraction and Hole Extraction, end to end: panel 2
// replaced, its caption, the flags the perimeter distance and the labeling read, the editor's buttons.
#include <QLineEdit>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "binary/Labeliz.h"
#include "fixtures/Fractals.h"
#include "panels/TempImage.h"
#include "urban/ExtractionForms.h"

namespace {

constexpr const char* kEditorButtons =
    "InfoSpeedButton ColorSpeedButton CuvetSpeedButton PencilSpeedButton LineSpeedButton "
    "DelateLineSpeedButton LocalFillingSpeedButton GoBackSpeedButton";

template <class Form>
auto Value(int value) {
  return [value](Form& f) {
    f.SelectedValue = value;
    return ui::mrOk;
  };
}

template <class Form>
int Cancel(Form&) {
  return ui::mrCancel;
}

std::int64_t Count(const BytePlane& p, std::uint8_t value) {
  std::int64_t n = 0;
  for (std::size_t k = 0; k < p.Size(); ++k) n += p.Data()[k] == value;
  return n;
}

// A 12 x 12 ring of value 7 (its hole 4 x 4) and a 20 x 20 square of value 3, on 255.
BytePlane RingAndSquare() {
  BytePlane p = fixtures::FilledSquare(60, 60, 30, 5, 20, 3);
  for (int i = 5; i < 17; ++i)
    for (int j = 5; j < 17; ++j) p[i][j] = (i >= 9 && i < 13 && j >= 9 && j < 13) ? 255 : 7;
  return p;
}

class ExtractionTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadBinary(RingAndSquare());
  }
};

}  // namespace

TEST_F(ExtractionTreatmentTest, PerimeterExtractionKeepsTheOutlineOfOneValue) {
  MainForm->EditorColourImage = 1;  // panel 2 showed the editor's picture, the colour result
  MainForm->ColourMode = kColourModeRgb;
  ui.dialog<TPerimExtractValueForm>([](TPerimExtractValueForm& f) {
    f.PerimExtractValueEdit->setText("3");
    return ui::mrOk;
  });
  MainForm->PerimExtractTreatmentClick();
  const BytePlane& p = MainForm->BinaryImage;
  EXPECT_EQ(Count(p, 1), 72);  // the square's outline less its four corners; the ring is gone
  EXPECT_EQ(Count(p, 255), 3600 - 72);
  EXPECT_EQ(std::tuple(p[30][5], p[30][6], p[31][5], p[40][40]), std::tuple(255, 1, 1, 255));
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.-  PERIMETER EXTRACTION ");
  EXPECT_EQ(MainForm->TreatmentName, " PERIMETER EXTRACTION ");
  EXPECT_EQ(MainForm->BinaryImageName, " PERIMETER EXTRACTION ");
  EXPECT_EQ(MainForm->PerimeterExtracted, 1);
  EXPECT_EQ(EnabledOf(kEditorButtons), kEditorButtons);
  EXPECT_EQ(std::tuple(MainForm->EditorColourImage, MainForm->ColourMode), std::tuple(0, 0));
}

TEST_F(ExtractionTreatmentTest, ARingGivesItsOuterOutlineOnly) {
  ui.dialog<TPerimExtractValueForm>(Value<TPerimExtractValueForm>(7));
  MainForm->PerimExtractTreatmentClick();
  const BytePlane& p = MainForm->BinaryImage;
  EXPECT_EQ(Count(p, 1), 4 * 12 - 4 - 4);
  EXPECT_EQ(p[9][8], 255);  // the hole's border is not the outside's
  EXPECT_EQ(p[5][6], 1);
}

TEST_F(ExtractionTreatmentTest, NoValueBringsTheDialogBackAndCancelUndoesThePerimeterFlag) {
  MainForm->PerimeterExtracted = 1;
  const std::string before = Bytes(MainForm->BinaryImage);
  const std::string caption = TempImageForm->CaptionText();
  PerimExtractValueForm->SelectedValue = -1;
  ui.dialog<TPerimExtractValueForm>(Value<TPerimExtractValueForm>(-1))
      .message("ERROR", "No selected Value")
      .dialog<TPerimExtractValueForm>(Cancel<TPerimExtractValueForm>);
  MainForm->PerimExtractTreatmentClick();
  EXPECT_EQ(Bytes(MainForm->BinaryImage), before);
  EXPECT_EQ(MainForm->PerimeterExtracted, 0);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbPerimExtractValue], 0);
  EXPECT_EQ(EnabledOf(kEditorButtons), "");
  EXPECT_EQ(TempImageForm->CaptionText(), caption);
}

TEST_F(ExtractionTreatmentTest, HoleExtractionLeavesTheEnclosedBackgroundReadyToBeLabeled) {
  MainForm->HoleLabelingMode = 0;
  MainForm->HolesLabeled = 1;
  MainForm->HasBinaryImage = 0;
  ui.dialog<THoleExtractForm>([](THoleExtractForm& f) {
    f.HoleExtractValueEdit->setText("7");
    return ui::mrOk;
  });
  MainForm->HoleTreatmentClick();
  const BytePlane& p = MainForm->BinaryImage;
  EXPECT_EQ(Count(p, 1), 16);
  EXPECT_EQ(std::tuple(p[9][9], p[12][12], p[8][8]), std::tuple(1, 1, 255));
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.-  HOLE EXTRACTION ");
  EXPECT_EQ(std::tuple(MainForm->HoleLabelingMode, MainForm->HolesLabeled), std::tuple(1, 0));
  EXPECT_EQ(EnabledOf(kEditorButtons), kEditorButtons);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbHoleExtract], 0);

  // The labeling takes the holes without a binarizing.
  ui.ok<TLabelizForm>();
  MainForm->LabelTreatment1Click();
  EXPECT_EQ(MainForm->ItemCount, 1);
  EXPECT_EQ(MainForm->HolesLabeled, 1);

  // A value enclosing nothing: background only.
  ui.dialog<THoleExtractForm>(Value<THoleExtractForm>(3));
  MainForm->HoleTreatmentClick();
  EXPECT_EQ(Count(MainForm->BinaryImage, 255), 3600);
}

TEST_F(ExtractionTreatmentTest, HoleExtractionRefusesNoValueAndItsCancelChangesNothing) {
  const std::string before = Bytes(MainForm->BinaryImage);
  HoleExtractForm->SelectedValue = -1;
  ui.ok<THoleExtractForm>()
      .message("ERROR", "No value selected")
      .dialog<THoleExtractForm>(Cancel<THoleExtractForm>);
  MainForm->HoleTreatmentClick();
  EXPECT_EQ(Bytes(MainForm->BinaryImage), before);
  EXPECT_EQ(MainForm->HoleLabelingMode, 0);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbHoleExtract], 0);
}
