// GTS Treatments > Wavelet > Treatment end to end: message, report, image and sequence, refusals.
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "Program.h"
#include "app/Report.h"
#include "sequence/WaveletTreatmentForm.h"
#include "sequence/kernels/WaveletHurst.h"

namespace {

// The dialog's values; a zone's numbers a .. d go where its item keeps them.
struct Values {
  int item = 1, a = 0, b = 0, c = 0, d = 0, range = 5;
  double sigma = 1, increase = 1;
  int first = 10, step = 2, number = 10, dataIn = 0;
};

auto Typed(Values v) {
  return [v](TWaveletTreatmentForm& f) {
    v.item == 0 ? void(f.StudiedItem = 0) : f.ChooseStudiedItem(v.item);
    if (v.item == 2) std::tie(f.SelectedLine, f.FirstColumn, f.LastColumn) = std::tie(v.a, v.b, v.c);
    if (v.item == 3) std::tie(f.SelectedColumn, f.FirstLine, f.LastLine) = std::tie(v.a, v.b, v.c);
    if (v.item == 4 || v.item == 5)
      std::tie(f.FirstLine, f.FirstColumn, f.LastLine, f.LastColumn) = std::tie(v.a, v.b, v.c, v.d);
    if (v.item == 6) f.ZoneCode = v.a;
    std::tie(f.Range, f.Sigma, f.SigmaIncrease, f.FirstWindowSize, f.Step, f.StepNumber, f.DataIn) =
        std::tie(v.range, v.sigma, v.increase, v.first, v.step, v.number, v.dataIn);
    return ui::mrOk;
  };
}

const auto Close = [](TWaveletTreatmentForm&) { return ui::mrCancel; };
const auto Message = [](const std::string& value) {
  return "Hurst Exponent = " + value + "\nThis value will be reported\nin the general report";
};

// What the kernel gives for these parameters.
double Slope(const BytePlane& source, const WaveletParams& p) {
  BytePlane image;
  std::vector<int> sequence;
  return RunWavelet(source, MainForm->BinaryImage, p, image, sequence).Slope;
}

class WaveletTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(MakeRandomGray(60, 50, 21));  // 50 lines, 60 columns
  }
  std::string Report() { return ReadFile(Path("r.txt")); }
};

TEST_F(WaveletTreatmentTest, DefaultsOverTheWholeScene) {
  ReportInto(Path("r.txt"));
  MainForm->WaveletImage = BytePlane(3, 3);  // an earlier image of another size
  const TWaveletTreatmentForm& f = *WaveletTreatmentForm;
  EXPECT_EQ(
      std::tuple(f.Range, f.Sigma, f.SigmaIncrease, f.FirstWindowSize, f.Step, f.StepNumber, f.StudiedItem),
      std::tuple(5, 1.0, 1.0, 10, 2, 10, 0));
  const double expected = Slope(MainForm->OriginalImage, WaveletParams{});
  ASSERT_FALSE(std::isnan(expected));
  ui.dialog<TWaveletTreatmentForm>(Typed({})).message("WAVELET", Message(Format("%lf", expected)));
  MainForm->WaveSelectTreatment1Click();
  const TMainForm& m = *MainForm;
  EXPECT_EQ(Report(), "\n\n Wavelet Treatment\n Hurst Exponent = " + Format("%lf", expected) +
                          " \n Parameters employed :\n\tSigma = 1.000000  Sigma Increasing = 1.000000 "
                          "\n\tFirst Window Size = 10 Step = 2 Number of steps = 10");
  // The third scale's image, and its 40 x 50 values from (5, 5).
  EXPECT_EQ(std::tuple(m.WaveletImage.Lines(), m.WaveletImage.Columns(), m.WaveletGtsReady,
                       m.WaveletGtsLength, m.WaveletGtsValues.size(), m.WaveletGtsValues.front()),
            std::tuple(50, 60, 1, 40 * 50 - 1, 2000u, m.WaveletImage[5][5]));
  EXPECT_EQ(f.Caption(), " Selection of the Wavelet Zone");
  // The result image, a rectangle (its bounds reach the kernel: the value differs), and the report off.
  MainForm->ResultImage = MakeRandomGray(60, 50, 22);
  ReportForm->ReportOff = 1;
  const std::string reported = Report();
  WaveletParams p;
  p.Zone = {kRectangularZone, 0, 0, 5, 6, 44, 50};
  p.Sigma = 0.5, p.SigmaIncrease = 0.75;
  const double fromResult = Slope(MainForm->ResultImage, p);
  EXPECT_NE(fromResult, Slope(MainForm->OriginalImage, p));
  ui.dialog<TWaveletTreatmentForm>(Typed({5, 5, 6, 44, 50, 5, 0.5, 0.75, 10, 2, 10, 1}))
      .message("WAVELET", Message(Format("%lf", fromResult)));
  MainForm->WaveSelectTreatment1Click();
  EXPECT_EQ(Report(), reported);
}

// Every value is checked before filtering; the frame is lines 5 .. 44, columns 5 .. 54.
TEST_F(WaveletTreatmentTest, RefusalsBringTheDialogBackAndAFlatSequenceIsUndefined) {
  ReportInto(Path("r.txt"));
  MainForm->BinaryImage.Fill(255);
  MainForm->BinaryImage[2][2] = 4;  // a code on the border only
  MainForm->WaveletGtsValues = {1, 2, 3};
  MainForm->WaveletGtsLength = 2;
  const std::pair<Values, const char*> cases[] = {
      {{.item = 0}, "Studied Item not selected"},
      {{.range = -1}, "Range (R) of the moving window not valid"},
      {{.range = 25}, "The moving window is wider than the image"},
      {{.item = 2, .a = 4, .b = 5, .c = 54}, "Selected Line Minimum out of the frame"},
      {{.item = 2, .a = 45, .b = 5, .c = 54}, "Selected Line Maximum out of the frame"},
      {{.item = 2, .a = 20, .b = 4, .c = 54}, "First Column out of the frame"},
      {{.item = 2, .a = 20, .b = 5, .c = 55}, "Last Column out of the frame"},
      {{.item = 2, .a = 20, .b = 30, .c = 30}, "The first column must be smaller than the last column"},
      {{.item = 3, .a = 4, .b = 5, .c = 44}, "Selected Column Minimum outside of the frame"},
      {{.item = 3, .a = 55, .b = 5, .c = 44}, "Selected Column Maximum outside of the frame"},
      {{.item = 3, .a = 20, .b = 4, .c = 44}, "First Line outside of the frame"},
      {{.item = 3, .a = 20, .b = 5, .c = 45}, "Last Line outside of the frame"},
      {{.item = 4, .a = 5, .b = 5, .c = 44, .d = 4}, "Last Column outside of the frame"},
      {{.item = 4, .a = 10, .b = 10, .c = 10, .d = 10},
       "The first and the last points of the diagonal are the same"},
      {{.item = 5, .a = 5, .b = 56, .c = 44, .d = 54}, "First Column outside of the frame"},
      {{.item = 5, .a = 40, .b = 5, .c = 20, .d = 54}, "The first line must be smaller than the last line"},
      {{.sigma = 0}, "Sigma value must be greater than 0"},
      {{.sigma = 2, .increase = 0}, "Step Increasing must not be 0"},
      {{.sigma = 2, .increase = -1}, "The three values of Sigma must be greater than 0"},
      {{.sigma = 1e308, .increase = 1e308}, "Step Increasing out of range:\nthe results cannot be computed"},
      {{.increase = 0.5, .first = 1}, "First Moving Window Size must be at least 2"},
      {{.step = 0}, "Step value must be at least 1"},
      {{.number = 1}, "Step Number must lie between 2 and 127"},
      {{.number = 128}, "Step Number must lie between 2 and 127"},
      {{.item = 4, .a = 10, .b = 10, .c = 20, .d = 20},
       "The largest moving window (28 values) is longer than the sequence (9 values)"},
      {{.item = 6, .a = 4}, "The largest moving window (28 values) is longer than the sequence (0 values)"},
  };
  for (const auto& [values, message] : cases)
    ui.dialog<TWaveletTreatmentForm>(Typed(values)).message("ERROR", message);
  ui.dialog<TWaveletTreatmentForm>(Close);
  MainForm->WaveSelectTreatment1Click();
  EXPECT_EQ(std::tuple(Report(), MainForm->WaveletGtsValues, MainForm->WaveletImage.Empty()),
            std::tuple("", std::vector<int>{1, 2, 3}, true));
  // A flat image is refused and the earlier sequence goes; a flat horizontal line is "undefined", never nan.
  MainForm->OriginalImage.Fill(90);
  MainForm->WaveletGtsReady = 1;
  ui.dialog<TWaveletTreatmentForm>(Typed({}))
      .message("ERROR", "The image filtered with Sigma = 1.000000 is flat:\nno sequence can be taken from it")
      .dialog<TWaveletTreatmentForm>(Close);
  MainForm->WaveSelectTreatment1Click();
  EXPECT_EQ(std::tuple(Report(), MainForm->WaveletGtsReady, MainForm->WaveletGtsValues.size()),
            std::tuple("", 0, 0u));
  for (int i = 0; i < 50; ++i)
    std::fill(MainForm->OriginalImage[i], MainForm->OriginalImage[i] + 60, static_cast<std::uint8_t>(i * 5));
  ui.dialog<TWaveletTreatmentForm>(Typed({.item = 2, .a = 20, .b = 5, .c = 54}))
      .message("WAVELET", Message("undefined"));
  MainForm->WaveSelectTreatment1Click();
  EXPECT_NE(Report().find("\n Hurst Exponent = undefined \n"), std::string::npos);
}

TEST_F(WaveletTreatmentTest, EditsWarnOutsideTheFilteredFrame) {
  TWaveletTreatmentForm& f = *WaveletTreatmentForm;
  for (const char* message : {"Selected Line Minimum out of the frame",
                              "Selected Line Maximum out of the frame", "Last Column out of the frame",
                              "First Line outside of the frame", "Last Column outside of the frame"})
    ui.message("ERROR", message);
  f.SelectLineEdit->setText("4");   // below R = 5
  f.SelectLineEdit->setText("45");  // past 50 - 6
  f.SelectLineEdit->setText("44");  // inside
  f.LastColumnEdit->setText("55");  // past 60 - 6
  f.RangeEdit->setText("8");        // R is read when a value changes
  f.FirstLineRectEdit->setText("7");
  f.LastColDiagEdit->setText("52");
  f.SigmaEdit->setText("2.5x");
  EXPECT_EQ(std::tuple(f.SelectedLine, f.LastColumn, f.FirstLine, f.Range, f.Sigma),
            std::tuple(44, 52, 7, 8, 2.5));
  // Every box shows at first; choosing a mode shows its own only.
  EXPECT_FALSE(f.LabelBox->isHidden());
  f.ChooseStudiedItem(1);
  EXPECT_TRUE(f.HorizontalLineBox->isHidden() && f.LabelBox->isHidden());
  f.ChooseStudiedItem(4);
  EXPECT_TRUE(!f.DiagonalLineBox->isHidden() && f.StudiedItemRadios[3]->isChecked());
}

}  // namespace

// 127 steps pass; so does a largest window as long as the values read (line 20, columns 5 .. 54: the
// 47 values of columns 6 .. 52, the last not read).
TEST_F(WaveletTreatmentTest, TheMostStepsAndAWindowAsLongAsTheSequenceAreAccepted) {
  WaveletParams most, longest;
  std::tie(most.FirstWindowSize, most.Step, most.StepNumber) = std::tuple(2, 1, 127);
  longest.Zone.StudiedItem = kHorizontalLine;
  std::tie(longest.Zone.SelectedLine, longest.Zone.FirstColumn, longest.Zone.LastColumn) =
      std::tuple(20, 5, 54);
  std::tie(longest.FirstWindowSize, longest.Step, longest.StepNumber) = std::tuple(7, 1, 40);
  for (const auto& [p, values] :
       {std::pair{most, Values{.first = 2, .step = 1, .number = 127}},
        {longest, Values{.item = 2, .a = 20, .b = 5, .c = 54, .first = 7, .step = 1, .number = 40}}}) {
    const double slope = Slope(MainForm->OriginalImage, p);
    ui.dialog<TWaveletTreatmentForm>(Typed(values))
        .message("WAVELET", Message(std::isnan(slope) ? "undefined" : Format("%lf", slope)));
    MainForm->WaveSelectTreatment1Click();
  }
}
