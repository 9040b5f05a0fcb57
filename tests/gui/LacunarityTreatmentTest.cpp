#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

#include "Program.h"
#include "diagrams/DiagLacun.h"
#include "graytone/Lacun.h"

class LacunarityTest : public ProgramTest {
 protected:
  // dataIn -1: panel 2 chosen through its button.
  static constexpr auto Parameters = [](int kMin, int kMax, int dataIn) {
    return [=](TLacunForm& f) {
      std::tie(f.KMin, f.KMax) = std::tuple(kMin, kMax);
      dataIn < 0 ? f.RadioButton1->click() : void(f.DataIn = dataIn);
      return ui::mrOk;
    };
  };
  const std::string kHeaderGray =
      "\n\n LACUNARITY\n applied to the gray tone image\n\n\tK Min. = 1 K Max. = 3 \n\twindow size = 3 "
      "until 7 \n\n\tK value\twindow\tlacunarity\tlog X\t\tlog Y\n\n";
};
// Panel 2 counts items as 1 and background as 255: for K = 0, 80 pixels of 255 and one of 1. Constant: 1 for
// every window, no correlation. Checkerboard: K = 0 gives 2, then 1 + 1 / W^4 to K = 4.
TEST_F(LacunarityTest, RefusalsNoMassBinaryPanelTwoConstantImageAndCheckerboardWithItsSavedDiagram) {
  LoadOriginal(MakeRandomGray(40, 30, 3));
  TMainForm& m = *MainForm;
  m.LacunCount = 9;
  std::string report = ReportInto(Path("report.txt"));
  const char* smaller = "KMax is smaller than KMin";  // -1: no binary image in panel 2
  for (auto [kMin, kMax, dataIn, first, second] :
       {std::tuple(1, 4, -1, "Data in does not correspond to a binary image", "Data_in not defined"),
        {100000, 4, 1, smaller, "Window Size Minimum not defined"},
        {1, 0, 1, smaller, "Window Size Maximum not defined"},
        {-2, 4, 1, "Window Size Minimum is negative", ""},
        {0, 128, 1, "KMax is greater than 15 ",
         "More than 128 window sizes asked\nPlease reduce the range of K"}}) {
    ui.dialog<TLacunForm>(Parameters(kMin, kMax, dataIn)).message("ERROR", first);
    if (*second) ui.message("ERROR", second);
  }
  ui.dialog<TLacunForm>([](TLacunForm&) { return ui::mrCancel; });
  m.LacunTreatment1Click();
  EXPECT_EQ(std::tuple(ReadFile(report), m.LacunCount, m.DialogCancelBytes[cbLacun], m.IsEnabled("Diagram1")),
            std::tuple("", 9, 0, false));
  LoadOriginal(BytePlane(20, 20));  // no mass: no diagram
  ui.dialog<TLacunForm>(Parameters(1, 3, 1))
      .message("LACUNARITY", "No window size gives a lacunarity:\nno box holds any mass");
  m.LacunTreatment1Click();
  EXPECT_EQ(std::tuple(ReadFile(report), m.LacunCount, m.IsEnabled("Diagram1")),
            std::tuple(kHeaderGray, 0, false));
  LoadOriginal(BytePlane(20, 16));
  m.OriginalImage.Fill(40), m.WorkDirectory = Dir().string();
  m.DiagramSavedFlags.LacunaritySaved = 1;  // the last result was saved
  report = ReportInto(Path("report2.txt"));
  ui.dialog<TLacunForm>([](TLacunForm& f) {
      f.KMinEdit->setText("1k"), f.KMaxEdit->setText("3"), f.RadioButton2->click();
      return ui::mrOk;
    }).ok<TDiagLacunForm>();
  m.LacunTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            kHeaderGray +
                "\t1\t3\t1.000000\t0.477121\t0.000000\n\t2\t5\t1.000000\t0.698970\t0.000000\n"
                "\t3\t7\t1.000000\t0.845098\t0.000000\n");
  // A new result may be saved.
  EXPECT_EQ(std::tuple(m.LacunCount, m.LacunWindowSizes, m.LacunValues, std::isnan(m.LacunCorrelation),
                       std::isnan(m.LacunR2), m.DiagramSavedFlags.LacunaritySaved, m.IsEnabled("Diagram1")),
            std::tuple(3, std::vector<double>{3, 5, 7}, std::vector<double>{1, 1, 1}, true, true, 0, true));
  LoadOriginal(BytePlane(12, 10));
  for (int k = 0; k < 12 * 10; ++k) m.OriginalImage[k / 12][k % 12] = (k / 12 + k % 12) % 2 ? 200 : 0;
  ui.dialog<TLacunForm>(Parameters(0, 6, 1))
      .message("ERROR", "KMax is greater than 5 ")
      .press<TDiagLacunForm>(&TDiagLacunForm::BitBtnSaveClick)
      .save(Path("lac"));
  m.LacunTreatment1Click();
  const std::string text = ReadFile(report);
  EXPECT_EQ(text.substr(text.find("\n\tCorrelation")),
            Format("\n\tCorrelation Coefficient = %lf\tR2 = %lf\n", m.LacunCorrelation, m.LacunR2) +
                "\n\tLacunarity Diagram registered\n\tin the file " + Path("lac.xls") + " ");
  EXPECT_EQ(std::tuple(m.LacunCount, m.LacunCorrelation < -0.8, m.DiagramSavedFlags.LacunaritySaved,
                       m.DiagramSavedFlags.LacunarityPending, m.SavedFileName),
            std::tuple(5, true, 1, 0, Path("lac")));
  LoadBinary(BytePlane(9, 9), 1);
  m.BinaryImage.Fill(255), m.BinaryImage[4][4] = 1;
  ui.dialog<TLacunForm>(Parameters(0, 1, -1)).ok<TDiagLacunForm>();  // panel 2 is binary: accepted
  m.LacunTreatment1Click();
  const double s1 = 80 * 255.0 + 1, s2 = 80 * 255.0 * 255 + 1;
  EXPECT_DOUBLE_EQ(m.LacunValues[0], s2 * 81 / (s1 * s1));
}

// K = 0 .. 127 is 128 window sizes: accepted; past K = 9 no box fits the 20 x 20 image.
TEST_F(LacunarityTest, ExactlyAsManyWindowSizesAsTheTablesHoldAreAccepted) {
  LoadOriginal(MakeRandomGray(20, 20, 3));
  ui.dialog<TLacunForm>(Parameters(0, 127, 1))
      .message("ERROR", "KMax is greater than 10 ")
      .ok<TDiagLacunForm>();
  MainForm->LacunTreatment1Click();
  EXPECT_EQ(MainForm->LacunCount, 10);
}

// Two window sizes close in log: the single-precision sums put r at -1.000053; it prints as -1 and
// R2 as 1, in the report, the state and the diagram.
TEST_F(LacunarityTest, CorrelationOfTwoNearWindowSizesStaysWithinItsBounds) {
  LoadOriginal(BytePlane(24, 24));
  TMainForm& m = *MainForm;
  for (int i = 0; i < 24; ++i)
    for (int j = 12; j < 24; ++j) m.OriginalImage[i][j] = 2;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TLacunForm>(Parameters(10, 11, 1)).ok<TDiagLacunForm>();
  m.LacunTreatment1Click();
  const std::string text = ReadFile(report);
  EXPECT_EQ(text.substr(text.find("\n\tCorrelation")),
            "\n\tCorrelation Coefficient = -1.000000\tR2 = 1.000000\n");
  EXPECT_EQ(std::tuple(m.LacunCount, m.LacunCorrelation, m.LacunR2), std::tuple(2, -1.0, 1.0));
  RecordingCanvas canvas;
  DiagLacunForm->PaintBoxPaint(canvas, 1);
  std::string texts;
  for (const RecordedText& t : canvas.texts) texts += t.text + "|";
  EXPECT_NE(texts.find("Correlation Coefficient = -1.000000|R2 = 1.000000|"), std::string::npos) << texts;
}
