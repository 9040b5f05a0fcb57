// Urban treatments that reshape panel 2: majority smoothing, morphology, adaptive closing linking.
#include <QLineEdit>
#include <QRadioButton>

#include "Program.h"
#include "fixtures/Blocks.h"
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
  BytePlane plane = UniformPlane(30, 30);
  FillBlock(plane, 10, 10, 7, 7, 5);
  plane[10][13] = kBack;
  plane[22][22] = 5;
  plane[3][3] = plane[25][5] = 8;
  return plane;
}

const auto Morpho = FormAnswer(&TMathMorphForm::SelectedValue, &TMathMorphForm::TreatmentType,
                               &TMathMorphForm::IterationCount);

class UrbanPanel2Test : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadBinary(Labeled());
    TempImageForm->SetCaptionText(" 2.- OLD ");
    std::tie(MainForm->HasLabeledImage, MainForm->TreatmentName, MainForm->BinaryImageName) =
        std::tuple(1, " OLD ", " OLD ");
  }
};

}  // namespace

TEST_F(UrbanPanel2Test,
       MorphologyRefusalsChangeNothingSmoothingAndEachKindReshapePanelTwoReportAndWaitToBeRegistered) {
  TMainForm& m = *MainForm;
  const std::string report = ReportInto(Path("report.txt")), before = Bytes(m.BinaryImage);
  m.Panel2Pending[p2Binary] = 1;
  ui.dialog<TMathMorphForm>([](TMathMorphForm& f) {
      // At the first showing: value 0, dilation, no iterations. The third kind is the closing.
      EXPECT_EQ(std::tuple(f.SelectedValue, f.TreatmentType, f.IterationCount), std::tuple(0, 0, 0));
      f.RadioButton3->click();
      EXPECT_EQ(f.TreatmentType, kMorphoClosing);
      return ui::mrOk;
    })
      .message("ERROR", "Number of Iterations not defined")
      .dialog<TMathMorphForm>(Morpho(-1, 2, 1))
      .message("ERROR", "No Value Selected")
      .dialog<TMathMorphForm>(Morpho(5, 2, -3))
      .message("ERROR", "The Number of Iterations must be 1 or more")
      .dialog<TMathMorphForm>(Morpho(5, 2, -1))
      .message("ERROR", "The Number of Iterations must be 1 or more")
      .dialog<TMathMorphForm>([](TMathMorphForm&) { return ui::mrCancel; });
  m.MorphoMathTreatmentClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_EQ(std::tuple(Bytes(m.BinaryImage), m.Panel2Pending[p2Binary], m.DialogCancelBytes[cbMathMorph],
                       ReadFile(report), TempImageForm->CaptionText()),
            std::tuple(before, 1, 0, "", " 2.- OLD "));
  // Majority smoothing: a value panel 2 does not hold is refused and asked again; Cancel changes
  // nothing; OK fills the notch and names panel 2.
  const auto value = [](const char* text) {
    return [text](TSelectItemValueForm& f) { return f.SelectValueEdit->setText(text), ui::mrOk; };
  };
  ui.dialog<TSelectItemValueForm>(value("9"))
      .message("MAJORITY SMOOTHING", "No pixel of panel 2 holds the value 9")
      .dialog<TSelectItemValueForm>(value("300"))
      .message("MAJORITY SMOOTHING", "No pixel of panel 2 holds the value 300")
      .dialog<TSelectItemValueForm>([](TSelectItemValueForm&) { return ui::mrCancel; });
  m.MajSmoothTreatmentClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_EQ(std::tuple(Bytes(m.BinaryImage), TempImageForm->CaptionText(), m.BinaryImageName,
                       m.DialogCancelBytes[cbSelectItemValue]),
            std::tuple(before, " 2.- OLD ", " OLD ", 0));
  std::tie(m.ColourMode, m.EditorColourImage) = std::tuple(kColourModeRgb, 1);
  ui.dialog<TSelectItemValueForm>(value("5"));
  m.MajSmoothTreatmentClick();
  const BytePlane& b = m.BinaryImage;
  // The notch fills, a lone pixel stays, other values go.
  EXPECT_EQ(std::tuple(b[10][13], b[22][22], b[3][3]), std::tuple(kItem, kItem, kBack));
  EXPECT_EQ(std::count(b.Data(), b.Data() + b.Size(), kItem), 50);
  EXPECT_EQ(TempImageForm->CaptionText() + "|" + m.TreatmentName + "|" + m.BinaryImageName,
            " 2.-  MAJORITY SMOOTHING | MAJORITY SMOOTHING | MAJORITY SMOOTHING ");
  // Nothing is reported.
  EXPECT_EQ(std::tuple(ReadFile(report), m.ColourMode, m.EditorColourImage), std::tuple("", 0, 0));
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
    SCOPED_TRACE(c.name);
    LoadBinary(Labeled());
    BytePlane expected = m.BinaryImage.Clone();
    MorphoMath(expected, 5, c.kind, c.n);
    m.Panel2Pending.fill(1);
    m.Enable({"SaveBinarSpeedButton1"}, false);
    std::tie(m.ColourMode, m.EditorColourImage) = std::tuple(kColourModeRgb, 1);  // the editor's picture
    const std::string kindReport = ReportInto(Path(std::string(c.name) + ".txt"));
    ui.dialog<TMathMorphForm>(Morpho(5, c.kind, c.n));
    m.MorphoMathTreatmentClick();
    EXPECT_EQ(Bytes(m.BinaryImage), Bytes(expected));
    EXPECT_EQ(ReadFile(kindReport),
              std::string(c.title) + "\n applied to the binary or labeled image\n" +
                  "\n\n\tGray tone value = 5 \n\tIteration(s) = " + std::to_string(c.n) + " ");
    EXPECT_EQ(std::tuple(m.TreatmentName, TempImageForm->CaptionText(), m.IsEnabled("SaveBinarSpeedButton1"),
                         m.ColourMode, m.EditorColourImage, m.Panel2Pending[c.pending]),
              std::tuple(c.name, std::string(" 2.- ") + c.name, true, 0, 0, 1));
    EXPECT_EQ(std::count(m.Panel2Pending.begin(), m.Panel2Pending.end(), 1), 1);  // only the new result
  }
  // The panel-2 save registers the opening under its label.
  const std::string saved = ReportInto(Path("save.txt"));
  ui.save(Path("opened"), 1);
  m.SaveBinarSpeedButton1Click();
  EXPECT_EQ(ReadFile(saved), "\n\n\tOpening Image registered as: " + Path("opened.raw"));
}

namespace {

// Two blocks of 9, 3 background pixels apart, on a labeled panel 2 with other values.
class AdaptiveClosingTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    BytePlane plane = UniformPlane(20, 12);
    FillBlock(plane, 4, 3, 3, 4, 9);
    FillBlock(plane, 4, 10, 3, 4, 9);
    plane[1][17] = 4;
    LoadBinary(std::move(plane));
    TMainForm& m = *MainForm;
    std::tie(m.ItemCount, m.EditorState, m.LineUndoCount) = std::tuple(7, 1, 3);
    m.Enable({"DelateLineSpeedButton"});
  }
};

const auto Linking = FormAnswer(&TDiagDilationForm::TreatmentMode, &TDiagDilationForm::SelectedItem);

}  // namespace

TEST_F(AdaptiveClosingTreatmentTest,
       RefusalsLeavePanelTwoAloneAndTheLinkingReplacesItForgettingTheEditorsLastLine) {
  TMainForm& m = *MainForm;
  const std::string report = ReportInto(Path("report.txt")), before = Bytes(m.BinaryImage);
  const char* const refusal =
      "Only the items of one selected value can be linked\nPlease choose \" Selection\" and a value";
  for (const auto& [mode, value, message] :
       {std::tuple{2, 9, refusal},
        {1, 3, "No item of the value 3 inside the image frame\nPanel 2 is unchanged"}}) {
    ui.dialog<TDiagDilationForm>(Linking(mode, value)).message("INFO", message);
    m.DilatSpeedButtonClick();
  }
  EXPECT_TRUE(ui.Finished());
  EXPECT_EQ(std::tuple(Bytes(m.BinaryImage), ReadFile(report), m.ItemCount, m.EditorState),
            std::tuple(before, "", 7, 1));
  const BytePlane original = m.BinaryImage.Clone();
  std::tie(m.ColourMode, m.EditorColourImage) = std::tuple(kColourModeRgb, 1);
  ui.dialog<TDiagDilationForm>([](TDiagDilationForm& f) {
    f.RadioButton1->click();
    f.SelectedItemEdit->setText(QStringLiteral("9"));
    return ui::mrOk;
  });
  m.DilatSpeedButtonClick();
  BytePlane expected;
  ASSERT_EQ(AdaptiveClosingLinking(original, 9, expected).Pieces, 1);
  EXPECT_EQ(std::tuple(Bytes(m.BinaryImage), Bytes(m.FillMask), m.FillMaskReady),
            std::tuple(Bytes(expected), Bytes(expected), 1));
  EXPECT_EQ(m.BinaryImage[1][17], kBack);  // other values become background
  EXPECT_EQ(ReadFile(report), "\n\n ADAPTIVE CLOSING LINKING \n applied to a recoded image\n");
  EXPECT_EQ(m.ResultCaption + "|" + m.PanelCaption, " PANEL 3 = RECODED IMAGE | PANEL 3 = RECODED IMAGE ");
  EXPECT_EQ(std::tuple(m.ItemCount, m.ItemCodes.size(), m.ItemPixels.size(), m.ItemValues.size(),
                       m.ItemValues2.size()),
            std::tuple(1, 2u, 2u, 2u, 2u));
  EXPECT_EQ(std::tuple(m.EditorState, m.LineUndoCount, m.IsEnabled("DelateLineSpeedButton"), m.ColourMode,
                       m.EditorColourImage),
            std::tuple(0, 0, false, 0, 0));
  EXPECT_TRUE(TempImageForm->HasBitmap());
}
