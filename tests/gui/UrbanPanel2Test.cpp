// The urban treatments that reshape panel 2: majority smoothing, mathematical morphology and the
// editor's adaptive closing linking.
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "panels/TempImage.h"
#include "urban/DiagDilation.h"
#include "urban/MathMorph.h"
#include "urban/SelectItemValue.h"
#include "urban/kernels/AdaptiveClosing.h"
#include "urban/kernels/Morphology.h"

namespace {

constexpr std::uint8_t kItem = 1;
constexpr std::uint8_t kBack = 255;

// 30 x 30: a block of 5 with a one-pixel notch, a lone pixel of 5, and pixels of 8.
BytePlane Labeled() {
  BytePlane plane(30, 30);
  plane.Fill(kBack);
  for (int i = 10; i <= 16; ++i)
    for (int j = 10; j <= 16; ++j) plane[i][j] = 5;
  plane[10][13] = kBack;
  plane[22][22] = 5;
  plane[3][3] = plane[25][5] = 8;
  return plane;
}

bool Equal(const BytePlane& a, const BytePlane& b) {
  return a.Lines() == b.Lines() && a.Columns() == b.Columns() &&
         std::equal(a.Data(), a.Data() + a.Size(), b.Data());
}

auto Morpho(int value, int type, int n) {
  return [=](TMathMorphForm& f) {
    f.SelectedValue = value;
    f.TreatmentType = type;
    f.IterationCount = n;
    return ui::mrOk;
  };
}

BytePlane Expected(const BytePlane& before, int value, int kind, int n) {
  BytePlane plane = before.Clone();
  MorphoMath(plane, value, kind, n);
  return plane;
}

}  // namespace

class UrbanPanel2Test : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadBinary(Labeled());
    MainForm->HasLabeledImage = 1;
    TempImageForm->SetCaptionText(" 2.- OLD ");
    MainForm->TreatmentName = MainForm->BinaryImageName = " OLD ";
  }
};

TEST_F(UrbanPanel2Test, MajoritySmoothingCancelledChangesNothing) {
  TMainForm& m = *MainForm;
  const BytePlane before = m.BinaryImage.Clone();
  ui.dialog<TSelectItemValueForm>([](TSelectItemValueForm& f) {
    f.ItemValue = 5;
    return ui::mrCancel;
  });
  m.MajSmoothTreatmentClick();
  EXPECT_TRUE(Equal(m.BinaryImage, before));
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.- OLD ");
  EXPECT_EQ(m.BinaryImageName, " OLD ");
  EXPECT_EQ(m.DialogCancelBytes[cbSelectItemValue], 0);
}

TEST_F(UrbanPanel2Test, MajoritySmoothingFillsTheNotchAndNamesPanelTwo) {
  TMainForm& m = *MainForm;
  const std::string report = ReportInto(Path("report.txt"));
  m.Panel2Pending.fill(0);
  m.ColourMode = kColourModeRgb;
  m.EditorColourImage = 1;
  ui.dialog<TSelectItemValueForm>([](TSelectItemValueForm& f) {
    f.SelectValueEdit->setText(QStringLiteral("5"));
    return ui::mrOk;
  });
  m.MajSmoothTreatmentClick();
  EXPECT_EQ(m.BinaryImage[10][13], kItem);  // the notch
  EXPECT_EQ(m.BinaryImage[22][22], kItem);  // a lone pixel stays
  EXPECT_EQ(m.BinaryImage[3][3], kBack);    // other values go
  EXPECT_EQ(std::count(m.BinaryImage.Data(), m.BinaryImage.Data() + m.BinaryImage.Size(), kItem), 50);
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.-  MAJORITY SMOOTHING ");
  EXPECT_EQ(m.TreatmentName + "|" + m.BinaryImageName, " MAJORITY SMOOTHING | MAJORITY SMOOTHING ");
  EXPECT_EQ(ReadFile(report), "");  // nothing is reported
  EXPECT_EQ(std::count(m.Panel2Pending.begin(), m.Panel2Pending.end(), 1), 0);
  EXPECT_EQ(std::tuple(m.ColourMode, m.EditorColourImage), std::tuple(0, 0));
}

TEST_F(UrbanPanel2Test, MorphologyRefusesMissingOrWrongValuesAndCancelChangesNothing) {
  TMainForm& m = *MainForm;
  const BytePlane before = m.BinaryImage.Clone();
  const std::string report = ReportInto(Path("report.txt"));
  m.Panel2Pending[p2Binary] = 1;
  ui.dialog<TMathMorphForm>([](TMathMorphForm& f) {
      // At the first showing: value 0, dilation, no iterations.
      EXPECT_EQ(std::tuple(f.SelectedValue, f.TreatmentType, f.IterationCount), std::tuple(0, 0, 0));
      return ui::mrOk;
    })
      .message("ERROR", "Number of Iterations not defined")
      .dialog<TMathMorphForm>(Morpho(-1, 2, 1))
      .message("ERROR", "No Value Selected")
      .dialog<TMathMorphForm>(Morpho(5, 2, -3))
      .message("ERROR", "The Number of Iterations must be 1 or more")
      .dialog<TMathMorphForm>([](TMathMorphForm&) { return ui::mrCancel; });
  m.MorphoMathTreatmentClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_TRUE(Equal(m.BinaryImage, before));
  EXPECT_EQ(std::tuple(m.Panel2Pending[p2Binary], m.DialogCancelBytes[cbMathMorph]), std::tuple(1, 0));
  EXPECT_EQ(ReadFile(report), "");
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.- OLD ");
}

TEST_F(UrbanPanel2Test, EachKindReshapesPanelTwoReportsAndWaitsToBeRegistered) {
  TMainForm& m = *MainForm;
  const struct {
    int kind, n;
    const char* title;
    const char* name;
    Panel2Result pending;
  } cases[] = {{kMorphoDilation, 1, "\n\n DILATION ", " DILATION 1 Iteration", p2Dilation},
               {kMorphoErosion, 2, "\n\n EROSION ", " EROSION 2 Iterations", p2Erosion},
               {kMorphoClosing, 5, "\n\n CLOSING ", " CLOSING 5 Iterations", p2Closing},
               {kMorphoOpening, 6, "\n\n OPENING ", " OPENING More than 5 Iterations", p2Opening}};
  for (const auto& c : cases) {
    LoadBinary(Labeled());
    const BytePlane before = m.BinaryImage.Clone();
    m.Panel2Pending.fill(1);
    m.Enable({"SaveBinarSpeedButton1"}, false);
    m.ColourMode = kColourModeRgb;  // the editor's colour picture of the old panel 2
    m.EditorColourImage = 1;
    const std::string report = ReportInto(Path("report.txt"));
    ui.dialog<TMathMorphForm>(Morpho(5, c.kind, c.n));
    m.MorphoMathTreatmentClick();
    EXPECT_TRUE(Equal(m.BinaryImage, Expected(before, 5, c.kind, c.n))) << c.name;
    EXPECT_EQ(ReadFile(report), std::string(c.title) + "\n applied to the binary or labeled image\n" +
                                    "\n\n\tGray tone value = 5 \n\tIteration(s) = " + std::to_string(c.n) +
                                    " ");
    EXPECT_EQ(m.TreatmentName, c.name);
    EXPECT_EQ(TempImageForm->CaptionText(), std::string(" 2.- ") + c.name);
    for (int r = 0; r < Panel2ResultCount; ++r) EXPECT_EQ(m.Panel2Pending[r], r == c.pending) << c.name << r;
    EXPECT_TRUE(m.IsEnabled("SaveBinarSpeedButton1"));
    EXPECT_EQ(std::tuple(m.ColourMode, m.EditorColourImage), std::tuple(0, 0));
    // OK leaves the kinds unchecked for the next showing.
    EXPECT_FALSE(MathMorphForm->RadioButton1->isChecked() || MathMorphForm->RadioButton2->isChecked() ||
                 MathMorphForm->RadioButton3->isChecked() || MathMorphForm->RadioButton4->isChecked());
  }
  // The panel-2 save registers the opening under its label.
  const std::string report = ReportInto(Path("save.txt"));
  ui.save(Path("opened"), 1);
  m.SaveBinarSpeedButton1Click();
  EXPECT_EQ(ReadFile(report), "\n\n\tOpening Image registered as: " + Path("opened.raw"));
}

TEST_F(UrbanPanel2Test, MorphologyDialogControlsSetTheirMembers) {
  TMathMorphForm& f = *MathMorphForm;
  f.GrayToneEdit->setText(QStringLiteral("12a"));
  f.IterEdit->setText(QStringLiteral("99999999999"));
  f.RadioButton3->click();
  EXPECT_EQ(std::tuple(f.SelectedValue, f.IterationCount, f.TreatmentType), std::tuple(12, 2147483647, 2));
}

namespace {

// Two blocks of 9, 3 background pixels apart, on a labeled panel 2 with other values.
BytePlane TwoPieces() {
  BytePlane plane(20, 12);
  plane.Fill(kBack);
  for (int i = 4; i <= 6; ++i) {
    for (int j = 3; j <= 6; ++j) plane[i][j] = 9;
    for (int j = 10; j <= 13; ++j) plane[i][j] = 9;
  }
  plane[1][17] = 4;
  return plane;
}

auto Linking(int mode, int value) {
  return [=](TDiagDilationForm& f) {
    f.TreatmentMode = mode;
    f.SelectedItem = value;
    return ui::mrOk;
  };
}

}  // namespace

class AdaptiveClosingTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadBinary(TwoPieces());
    TMainForm& m = *MainForm;
    m.ItemCount = 7;
    m.EditorState = 1;
    m.LineUndoCount = 3;
    m.Enable({"DelateLineSpeedButton"});
  }
};

TEST_F(AdaptiveClosingTreatmentTest, AllItemsNoModeAndAnAbsentValueLeavePanelTwoAlone) {
  TMainForm& m = *MainForm;
  const BytePlane before = m.BinaryImage.Clone();
  const std::string report = ReportInto(Path("report.txt"));
  const char* const refusal =
      "Only the items of one selected value can be linked\nPlease choose \" Selection\" and a value";
  ui.dialog<TDiagDilationForm>(Linking(2, 9)).message("INFO", refusal);
  m.DilatSpeedButtonClick();
  ui.dialog<TDiagDilationForm>(Linking(0, 9)).message("INFO", refusal);
  m.DilatSpeedButtonClick();
  ui.dialog<TDiagDilationForm>(Linking(1, 3))
      .message("INFO", "No item of the value 3 inside the image frame\nPanel 2 is unchanged");
  m.DilatSpeedButtonClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_TRUE(Equal(m.BinaryImage, before));
  EXPECT_EQ(ReadFile(report), "");
  EXPECT_EQ(std::tuple(m.ItemCount, m.EditorState), std::tuple(7, 1));
}

TEST_F(AdaptiveClosingTreatmentTest, LinksThePiecesIntoPanelTwoAndForgetsTheEditorsLastLine) {
  TMainForm& m = *MainForm;
  const BytePlane before = m.BinaryImage.Clone();
  const std::string report = ReportInto(Path("report.txt"));
  m.ColourMode = kColourModeRgb;
  m.EditorColourImage = 1;
  ui.dialog<TDiagDilationForm>([](TDiagDilationForm& f) {
    f.RadioButton1->click();
    EXPECT_FALSE(f.GroupBox1->isHidden());
    f.SelectedItemEdit->setText(QStringLiteral("9"));
    return ui::mrOk;
  });
  m.DilatSpeedButtonClick();

  BytePlane expected;
  const AdaptiveClosingResult linked = AdaptiveClosingLinking(before, 9, expected);
  ASSERT_EQ(linked.Pieces, 1);
  EXPECT_TRUE(Equal(m.BinaryImage, expected));
  for (int j = 3; j <= 13; ++j) EXPECT_EQ(m.BinaryImage[5][j], kItem) << j;
  EXPECT_EQ(m.BinaryImage[1][17], kBack);  // other values become background
  EXPECT_TRUE(Equal(m.FillMask, expected));
  EXPECT_EQ(m.FillMaskReady, 1);
  EXPECT_EQ(ReadFile(report), "\n\n ADAPTIVE CLOSING LINKING \n applied to a recoded image\n");
  EXPECT_EQ(m.ResultCaption + "|" + m.PanelCaption, " PANEL 3 = RECODED IMAGE | PANEL 3 = RECODED IMAGE ");
  EXPECT_EQ(std::tuple(m.ItemCount, m.ItemCodes.size(), m.ItemPixels.size(), m.ItemValues.size(),
                       m.ItemValues2.size()),
            std::tuple(1, 2u, 2u, 2u, 2u));
  EXPECT_EQ(std::tuple(m.EditorState, m.LineUndoCount), std::tuple(0, 0));
  EXPECT_FALSE(m.IsEnabled("DelateLineSpeedButton"));
  EXPECT_EQ(std::tuple(m.ColourMode, m.EditorColourImage), std::tuple(0, 0));
  EXPECT_TRUE(TempImageForm->HasBitmap());
  // No result waits to be registered: the linking has no file of its own.
  EXPECT_EQ(std::count(m.Panel2Pending.begin(), m.Panel2Pending.end(), 1), 0);
}

TEST_F(AdaptiveClosingTreatmentTest, TheValueBoxShowsOnlyForASelection) {
  TDiagDilationForm& f = *DiagDilationForm;
  EXPECT_TRUE(f.GroupBox1->isHidden());
  f.RadioButton1->click();
  EXPECT_EQ(f.TreatmentMode, 1);
  EXPECT_FALSE(f.GroupBox1->isHidden());
  f.RadioButton2->click();
  EXPECT_EQ(f.TreatmentMode, 2);
  EXPECT_TRUE(f.GroupBox1->isHidden());
}
