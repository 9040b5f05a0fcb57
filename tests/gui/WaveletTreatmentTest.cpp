// GTS Treatments > Wavelet > Treatment, end to end: the three scales, the message and the report,
// the image and sequence left behind, every refusal with the dialog again, and closing.
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "app/Report.h"
#include "diagrams/DiagramForm.h"
#include "fixtures/Patterns.h"
#include "panels/ReportForm.h"
#include "sequence/WaveletTreatmentForm.h"
#include "sequence/kernels/WaveletHurst.h"

namespace {

using Edit = std::function<void(TWaveletTreatmentForm&)>;

// The dialog's values as typed, then OK.
auto Typed(Edit edit) {
  return [edit](TWaveletTreatmentForm& f) {
    edit(f);
    return ui::mrOk;
  };
}

int Close(TWaveletTreatmentForm&) {
  return ui::mrCancel;
}

std::string Message(const std::string& value) {
  return "Hurst Exponent = " + value + "\nThis value will be reported\nin the general report";
}

class WaveletTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(MakeRandomGray(60, 50, 21));  // 50 lines, 60 columns
  }
  std::string Report() { return ReadFile(Path("r.txt")); }
  // What the treatment gives for these values, computed by the kernel itself.
  static double Expected(const BytePlane& source, const BytePlane& zones, const TWaveletTreatmentForm& f) {
    WaveletParams p;
    p.Range = f.Range;
    p.Sigma = f.Sigma;
    p.SigmaIncrease = f.SigmaIncrease;
    p.FirstWindowSize = f.FirstWindowSize;
    p.Step = f.Step;
    p.StepNumber = f.StepNumber;
    p.Zone = {f.StudiedItem, f.SelectedLine, f.SelectedColumn, f.FirstLine,
              f.FirstColumn, f.LastLine,     f.LastColumn,     f.ZoneCode};
    BytePlane image;
    std::vector<int> sequence;
    return RunWavelet(source, zones, p, image, sequence).Slope;
  }
};

TEST_F(WaveletTreatmentTest, DefaultsOverTheWholeScene) {
  ReportInto(Path("r.txt"));
  MainForm->WaveletImage = BytePlane(3, 3);  // an earlier image of another size
  TWaveletTreatmentForm& f = *WaveletTreatmentForm;
  EXPECT_EQ(
      std::tuple(f.Range, f.Sigma, f.SigmaIncrease, f.FirstWindowSize, f.Step, f.StepNumber, f.StudiedItem),
      std::tuple(5, 1.0, 1.0, 10, 2, 10, 0));
  f.ChooseStudiedItem(1);
  const double expected = Expected(MainForm->OriginalImage, MainForm->BinaryImage, f);
  ASSERT_FALSE(std::isnan(expected));
  ui.ok<TWaveletTreatmentForm>().message("WAVELET", Message(Format("%lf", expected)));
  MainForm->WaveSelectTreatment1Click();

  const TMainForm& m = *MainForm;
  EXPECT_EQ(Report(), "\n\n Wavelet Treatment\n Hurst Exponent = " + Format("%lf", expected) +
                          " \n Parameters employed :\n\tSigma = 1.000000  Sigma Increasing = 1.000000 "
                          "\n\tFirst Window Size = 10 Step = 2 Number of steps = 10");
  // The third scale's image, 0 on its border of 5, and its 40 x 50 values.
  ASSERT_EQ(std::tuple(m.WaveletImage.Lines(), m.WaveletImage.Columns()), std::tuple(50, 60));
  for (int j = 0; j < 60; ++j)
    EXPECT_EQ(std::tuple(m.WaveletImage[0][j], m.WaveletImage[49][j]), std::tuple(0, 0));
  for (int i = 0; i < 50; ++i)
    EXPECT_EQ(std::tuple(m.WaveletImage[i][4], m.WaveletImage[i][55]), std::tuple(0, 0));
  EXPECT_EQ(std::tuple(m.WaveletGtsReady, m.WaveletGtsLength, m.WaveletGtsValues.size()),
            std::tuple(1, 40 * 50 - 1, 2000u));
  EXPECT_EQ(m.WaveletGtsValues.front(), m.WaveletImage[5][5]);
  EXPECT_EQ(f.Caption(), " Selection of the Wavelet Zone");
}

// The image resulting from a treatment, a rectangle, and the report off: the message all the same.
TEST_F(WaveletTreatmentTest, ResultImageRectangleWithTheReportOff) {
  MainForm->ResultImage = MakeRandomGray(60, 50, 22);
  ReportForm->ReportOff = 1;
  ASSERT_TRUE(OpenReportFile(Path("r.txt")));
  TWaveletTreatmentForm& f = *WaveletTreatmentForm;
  f.DataIn = 1;
  f.ChooseStudiedItem(5);
  f.FirstLine = 5, f.FirstColumn = 6, f.LastLine = 44, f.LastColumn = 50;
  f.Sigma = 0.5, f.SigmaIncrease = 0.75;
  const double expected = Expected(MainForm->ResultImage, MainForm->BinaryImage, f);
  ui.ok<TWaveletTreatmentForm>().message("WAVELET", Message(Format("%lf", expected)));
  MainForm->WaveSelectTreatment1Click();
  EXPECT_EQ(Report(), "");
  // Lines 6 .. 42, columns 7 .. 48.
  EXPECT_EQ(MainForm->WaveletGtsValues.size(), 37u * 42u);
  EXPECT_NE(expected, Expected(MainForm->OriginalImage, MainForm->BinaryImage, f));
}

// Every value is checked before anything is filtered: the message, the dialog again; closing the
// dialog abandons and leaves everything as it was.
TEST_F(WaveletTreatmentTest, RefusalsBringTheDialogBackAndClosingAbandons) {
  ReportInto(Path("r.txt"));
  MainForm->BinaryImage.Fill(255);
  MainForm->BinaryImage[2][2] = 4;  // a code on the border only
  MainForm->WaveletGtsValues = {1, 2, 3};
  MainForm->WaveletGtsLength = 2;
  struct Case {
    Edit edit;
    const char* message;
  };
  auto item = [](int k) { return [k](TWaveletTreatmentForm& f) { f.ChooseStudiedItem(k); }; };
  auto line = [](int selected, int first, int last) {
    return [=](TWaveletTreatmentForm& f) {
      f.ChooseStudiedItem(2);
      f.SelectedLine = selected, f.FirstColumn = first, f.LastColumn = last;
    };
  };
  auto column = [](int selected, int first, int last) {
    return [=](TWaveletTreatmentForm& f) {
      f.ChooseStudiedItem(3);
      f.SelectedColumn = selected, f.FirstLine = first, f.LastLine = last;
    };
  };
  auto four = [](int k, int a, int b, int c, int d) {
    return [=](TWaveletTreatmentForm& f) {
      f.ChooseStudiedItem(k);
      f.FirstLine = a, f.FirstColumn = b, f.LastLine = c, f.LastColumn = d;
    };
  };
  auto then = [](Edit a, Edit b) {
    return [=](TWaveletTreatmentForm& f) {
      a(f);
      b(f);
    };
  };
  const Case cases[] = {
      {[](TWaveletTreatmentForm& f) { f.StudiedItem = 0; }, "Studied Item not selected"},
      {then(item(1), [](TWaveletTreatmentForm& f) { f.Range = -1; }),
       "Range (R) of the moving window not valid"},
      {then(item(1), [](TWaveletTreatmentForm& f) { f.Range = 25; }),
       "The moving window is wider than the image"},
      {[](TWaveletTreatmentForm& f) { f.Range = 5, f.Sigma = 0; }, "Sigma value must be greater than 0"},
      {line(4, 5, 54), "Selected Line Minimum out of the frame"},
      {line(45, 5, 54), "Selected Line Maximum out of the frame"},
      {line(20, 4, 54), "First Column out of the frame"},
      {line(20, 5, 55), "Last Column out of the frame"},
      {line(20, 30, 30), "The first column must be smaller than the last column"},
      {column(4, 5, 44), "Selected Column Minimum outside of the frame"},
      {column(55, 5, 44), "Selected Column Maximum outside of the frame"},
      {column(20, 4, 44), "First Line outside of the frame"},
      {column(20, 5, 45), "Last Line outside of the frame"},
      {four(4, 5, 5, 44, 4), "Last Column outside of the frame"},
      {four(4, 10, 10, 10, 10), "The first and the last points of the diagonal are the same"},
      {four(5, 5, 56, 44, 54), "First Column outside of the frame"},
      {four(5, 40, 5, 20, 54), "The first line must be smaller than the last line"},
      {then(item(1), [](TWaveletTreatmentForm& f) { f.Sigma = 0; }), "Sigma value must be greater than 0"},
      {[](TWaveletTreatmentForm& f) { f.Sigma = -1; }, "Sigma value must be greater than 0"},
      {[](TWaveletTreatmentForm& f) { f.Sigma = 2, f.SigmaIncrease = 0; }, "Step Increasing must not be 0"},
      {[](TWaveletTreatmentForm& f) { f.SigmaIncrease = -1; },
       "The three values of Sigma must be greater than 0"},
      {[](TWaveletTreatmentForm& f) { f.SigmaIncrease = 0.5, f.FirstWindowSize = 1; },
       "First Moving Window Size must be at least 2"},
      {[](TWaveletTreatmentForm& f) { f.FirstWindowSize = 10, f.Step = 0; }, "Step value must be at least 1"},
      {[](TWaveletTreatmentForm& f) { f.Step = 2, f.StepNumber = 1; },
       "Step Number must lie between 2 and 127"},
      {[](TWaveletTreatmentForm& f) { f.StepNumber = 128; }, "Step Number must lie between 2 and 127"},
      {then(four(4, 10, 10, 20, 20), [](TWaveletTreatmentForm& f) { f.StepNumber = 10; }),
       "The largest moving window (28 values) is longer than the sequence (9 values)"},
      {[](TWaveletTreatmentForm& f) {
         f.ChooseStudiedItem(6);
         f.ZoneCode = 4;
       },
       "The largest moving window (28 values) is longer than the sequence (0 values)"},
  };
  for (const Case& c : cases) ui.dialog<TWaveletTreatmentForm>(Typed(c.edit)).message("ERROR", c.message);
  ui.dialog<TWaveletTreatmentForm>(Close);
  MainForm->WaveSelectTreatment1Click();
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(MainForm->WaveletGtsValues, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(MainForm->WaveletImage.Empty());
}

// A flat image has nothing to rescale: said, and the dialog again.
TEST_F(WaveletTreatmentTest, FlatImageIsRefused) {
  MainForm->OriginalImage.Fill(90);
  ReportInto(Path("r.txt"));
  WaveletTreatmentForm->ChooseStudiedItem(1);
  ui.ok<TWaveletTreatmentForm>()
      .message("ERROR", "The image filtered with Sigma = 1.000000 is flat:\nno sequence can be taken from it")
      .dialog<TWaveletTreatmentForm>(Close);
  MainForm->WaveSelectTreatment1Click();
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(std::tuple(MainForm->WaveletGtsReady, MainForm->WaveletGtsValues.size()), std::tuple(0, 0u));
}

// Gray values that change from line to line only: a horizontal line of every filtered image is
// flat, so no exponent: "undefined" in the message and the report, never nan.
TEST_F(WaveletTreatmentTest, FlatSequenceIsUndefined) {
  for (int i = 0; i < 50; ++i)
    std::fill(MainForm->OriginalImage[i], MainForm->OriginalImage[i] + 60, static_cast<std::uint8_t>(i * 5));
  ReportInto(Path("r.txt"));
  ui.dialog<TWaveletTreatmentForm>(Typed([](TWaveletTreatmentForm& f) {
      f.ChooseStudiedItem(2);
      f.SelectedLine = 20, f.FirstColumn = 5, f.LastColumn = 54;
    }))
      .message("WAVELET", Message("undefined"));
  MainForm->WaveSelectTreatment1Click();
  EXPECT_NE(Report().find("\n Hurst Exponent = undefined \n"), std::string::npos);
}

TEST_F(WaveletTreatmentTest, EditsWarnOutsideTheFilteredFrame) {
  TWaveletTreatmentForm& f = *WaveletTreatmentForm;
  ui.message("ERROR", "Selected Line Minimum out of the frame")
      .message("ERROR", "Selected Line Maximum out of the frame")
      .message("ERROR", "Last Column out of the frame")
      .message("ERROR", "First Line outside of the frame")
      .message("ERROR", "Last Column outside of the frame");
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
  EXPECT_FALSE(f.DiagonalLineBox->isHidden());
  EXPECT_TRUE(f.StudiedItemRadios[3]->isChecked());
}

}  // namespace
