#include <QLineEdit>
#include <QRadioButton>
#include <cmath>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "diagrams/DiagLocFractDim.h"
#include "diagrams/DiagramForm.h"
#include "fixtures/Patterns.h"
#include "graytone/LocalFract.h"
#include "graytone/kernels/LocalFractal.h"
#include "panels/ReportForm.h"
#include "panels/ResultImage.h"

namespace {

constexpr const char* kTitle = "LOCAL FRACTAL DIMENSION";
// The dimension of a flat surface for h = 6 (counts 726, 108, 32, 18, 4).
constexpr double kFlatSmall = 2.8479424275809393;

auto Parameters(int windowSize, double h) {
  return [=](TLocalFractForm& f) {
    f.WindowSize = windowSize;
    f.HFactor = h;
    return ui::mrOk;
  };
}

std::int64_t Count(const BytePlane& plane, std::uint8_t value) {
  std::int64_t n = 0;
  for (std::size_t k = 0; k < plane.Size(); ++k) n += plane.Data()[k] == value;
  return n;
}

}  // namespace

class LocalFractalTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LocalFractForm->WindowSize = 0;
    LocalFractForm->HFactor = 0;
  }
};

TEST_F(LocalFractalTest, FlatImageGivesOneDimensionOneToneAndItsBin) {
  BytePlane flat(30, 26);
  flat.Fill(90);
  LoadOriginal(std::move(flat));
  MainForm->ColourMode = 3;  // an earlier colour result in panel 3
  MainForm->ResultImage.Fill(7);
  MainForm->DiagramSavedFlags.LocalFractalSaved = 1;
  const std::string report = ReportInto(Path("report.txt"));
  ASSERT_EQ(EnabledOf("SaveParamSpeedButton1 Diagram1 DiagLocalFractal1"), "");

  const std::string values =
      Format("Min = %lf Max = %lf \nMean value = %lf", kFlatSmall, kFlatSmall, kFlatSmall);
  ui.dialog<TLocalFractForm>(Parameters(12, 0.5))
      .message(kTitle, values + "\n\nValues reported in the general report")
      .ok<TDiagLocFractDimForm>();
  MainForm->LocFracTreatment1Click();

  EXPECT_EQ(ReadFile(report),
            "\n\nLOCAL FRACTAL DIMENSION\n\n\tMoving window size: 12 H coefficient 0.500000 " +
                Format("\n\tMin = %lf Max = %lf Mean = %lf ", kFlatSmall, kFlatSmall, kFlatSmall));
  TMainForm& m = *MainForm;
  // Shown: lines and columns 6 .. size - 7 in gray 0 (no range), the rest white.
  EXPECT_EQ(Count(m.ResultImage, 0), 14 * 18);
  EXPECT_EQ(Count(m.ResultImage, 255), 30 * 26 - 14 * 18);
  EXPECT_EQ(m.ResultImage[6][6], 0);
  EXPECT_EQ(m.ResultImage[19][23], 0);
  EXPECT_EQ(m.ResultImage[20][23], 255);  // the last computed line is not shown
  EXPECT_EQ(m.BinCounts[284], 14 * 18);
  EXPECT_EQ(m.LocalFractalRange, (std::array<int, 2>{284, 284}));
  EXPECT_EQ(m.LastFractalDimension, kFlatSmall);
  ASSERT_EQ(m.RegressionY.size(), 6u);  // entries 1 .. 5
  EXPECT_EQ(m.RegressionY[1], std::log(726.0));
  EXPECT_EQ(m.RegressionX[5], std::log(6.0));

  EXPECT_EQ(std::tuple(m.ResultBorder, m.Panel3Pending[p3LocalFractal], m.ColourMode), std::tuple(6, 1, 0));
  EXPECT_EQ(m.DiagramSavedFlags.LocalFractalSaved, 0);
  EXPECT_EQ(EnabledOf("SaveParamSpeedButton1 Diagram1 DiagLocalFractal1"),
            "SaveParamSpeedButton1 Diagram1 DiagLocalFractal1");
  const std::string caption = " LOCAL FRACTAL DIMENSION  WINDOW SIZE  12  Coeff H = 0.50 ";
  EXPECT_EQ(std::tuple(m.PanelCaption, m.SavedPanelCaption, m.ResultCaption),
            std::tuple(caption, caption, caption));
  EXPECT_EQ(ResultImageForm->CaptionText(), " 3.- " + caption);
  EXPECT_EQ(LocalFractForm->RadioButton1->isChecked(), true);
}

TEST_F(LocalFractalTest, ScaledBetweenMinimumAndMaximumAndRegisteredBySavingPanelThree) {
  LoadOriginal(MakeRandomGray(40, 36, 5));
  MainForm->WorkDirectory = Dir().string();
  DoublePlane fd(40, 36);
  LocalFractalParams params;
  params.WindowSize = 24;
  params.HFactor = -0.1;
  const LocalFractalResult expected = LocalFractalDimension(MainForm->OriginalImage, params, fd);
  ASSERT_LT(expected.Min, expected.Max);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TLocalFractForm>(Parameters(24, -0.1))
      .message(kTitle, Format("Min = %lf Max = %lf \nMean value = %lf", expected.Min, expected.Max,
                              expected.Sum / expected.Count) +
                           "\n\nValues reported in the general report")
      .dialog<TDiagLocFractDimForm>([](TDiagLocFractDimForm&) { return ui::mrOk; });
  MainForm->LocFracTreatment1Click();

  // The extremes among the pixels shown take the ends of the gray scale.
  const BytePlane& panel = MainForm->ResultImage;
  int lowest = 255, highest = 0;
  for (int i = 12; i <= 36 - 13; ++i)
    for (int j = 12; j <= 40 - 13; ++j) {
      if (fd[i][j] == expected.Min) {
        EXPECT_EQ(panel[i][j], 0);
      }
      if (fd[i][j] == expected.Max) {
        EXPECT_EQ(panel[i][j], 254);
      }
      lowest = std::min<int>(lowest, panel[i][j]);
      highest = std::max<int>(highest, panel[i][j]);
    }
  EXPECT_LE(highest, 254);
  EXPECT_EQ(Count(panel, 255), 40 * 36 - 12 * 16);  // shown: lines 12 .. 23, columns 12 .. 27

  const std::string before = ReadFile(report);
  ui.save(Path("lfd"), 1);
  MainForm->SaveParamSpeedButton1Click();
  EXPECT_EQ(ReadFile(Path("lfd.raw")), Bytes(panel));
  EXPECT_EQ(ReadFile(report), before + "\n\n\tLocal Fractal Dimension registered as: " + Path("lfd.raw"));
  EXPECT_EQ(MainForm->Panel3Pending[p3LocalFractal], 0);
  EXPECT_FALSE(MainForm->IsEnabled("SaveParamSpeedButton1"));
}

TEST_F(LocalFractalTest, TheFrequencyCurveSavedDuringTheTreatmentIsNamedInTheReport) {
  BytePlane flat(30, 30);
  flat.Fill(90);
  LoadOriginal(std::move(flat));
  MainForm->WorkDirectory = Dir().string();
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TLocalFractForm>(Parameters(12, 1))
      .message(kTitle, Format("Min = %lf Max = %lf \nMean value = %lf", kFlatSmall, kFlatSmall, kFlatSmall) +
                           "\n\nValues reported in the general report")
      .press<TDiagLocFractDimForm>(&TDiagLocFractDimForm::BitBtnSaveClick)
      .save(Path("curve"));
  MainForm->LocFracTreatment1Click();
  const std::string text = ReadFile(report);
  const std::string line =
      "\n\n\tLocal Fractal Dimension Diagram registered\n\tin the file " + Path("curve.xls") + " ";
  EXPECT_EQ(text.substr(text.size() - line.size()), line);
  EXPECT_EQ(MainForm->DiagramSavedFlags.LocalFractalPending, 0);
  EXPECT_NE(ReadFile(Path("curve.xls")).find("2.830000\t0\n2.840000\t324\n"), std::string::npos);
}

TEST_F(LocalFractalTest, MissingValuesBringTheDialogBackAndCancelChangesNothing) {
  LoadOriginal(MakeRandomGray(30, 30, 2));
  MainForm->ResultImage.Fill(7);
  MainForm->Panel3Pending[p3FractStar] = 1;
  MainForm->ResultBorder = 3;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TLocalFractForm>(Parameters(0, 0.5))
      .message("ERROR", "Moving Window Size not defined")
      .dialog<TLocalFractForm>(Parameters(24, 0))
      .message("ERROR", "H Factor not defined")
      .dialog<TLocalFractForm>(Parameters(24, std::nan("")))
      .message("ERROR", "H Factor not defined")
      .dialog<TLocalFractForm>(Parameters(24, INFINITY))
      .message("ERROR", "H Factor not defined")
      .dialog<TLocalFractForm>([](TLocalFractForm&) { return ui::mrCancel; });
  MainForm->LocFracTreatment1Click();
  EXPECT_EQ(Count(MainForm->ResultImage, 7), 900);
  EXPECT_EQ(MainForm->Panel3Pending[p3FractStar], 1);
  EXPECT_EQ(MainForm->ResultBorder, 3);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbLocalFract], 0);
  EXPECT_EQ(ReadFile(report), "");
  EXPECT_FALSE(MainForm->IsEnabled("SaveParamSpeedButton1"));
}

TEST_F(LocalFractalTest, AnImageSmallerThanTheWindowIsNotComputed) {
  LoadOriginal(MakeRandomGray(40, 23, 2));
  MainForm->ResultImage.Fill(7);
  ui.dialog<TLocalFractForm>(Parameters(24, 1.0))
      .message(kTitle, "The image is smaller than the moving window:\nno pixel can be computed");
  MainForm->LocFracTreatment1Click();
  EXPECT_EQ(Count(MainForm->ResultImage, 7), 40 * 23);
  EXPECT_EQ(MainForm->Panel3Pending[p3LocalFractal], 0);
}

TEST_F(LocalFractalTest, EditsConvertAtEachChange) {
  LocalFractForm->HValEdit->setText(QStringLiteral("0.25x"));
  EXPECT_EQ(LocalFractForm->HFactor, 0.25);
  LocalFractForm->HValEdit->setText(QStringLiteral("-3"));
  EXPECT_EQ(LocalFractForm->HFactor, -3.0);
  LocalFractForm->HValEdit->setText(QString());
  EXPECT_EQ(LocalFractForm->HFactor, 0.0);
  LocalFractForm->RadioButton2->click();
  EXPECT_EQ(LocalFractForm->WindowSize, 24);
}
