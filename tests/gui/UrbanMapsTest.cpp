// The urban treatments that map panel 3 (fractal exploration, homogeneity) and the density message.
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "panels/ReportForm.h"
#include "panels/ResultImage.h"
#include "urban/DensityDiag.h"
#include "urban/FractalExplor.h"
#include "urban/HomogeneityForm.h"
#include "urban/kernels/FractalExploration.h"
#include "urban/kernels/Homogeneity.h"

namespace {

constexpr std::uint8_t kBack = 255;

// 40 x 50: a block of value 3 in the middle, value 9 beside it.
BytePlane Blocks() {
  BytePlane plane(50, 40);
  plane.Fill(kBack);
  for (int i = 10; i < 30; ++i)
    for (int j = 10; j < 30; ++j) plane[i][j] = 3;
  for (int i = 5; i < 15; ++i)
    for (int j = 35; j < 45; ++j) plane[i][j] = 9;
  return plane;
}

auto Exploration(int value, int side, int scale) {
  return [=](TFractalExplorForm& f) {
    f.SelectedValue = value;
    f.WindowSide = side;
    f.ScaleType = scale;
    return ui::mrOk;
  };
}

bool Equal(const BytePlane& a, const BytePlane& b) {
  return a.Lines() == b.Lines() && a.Columns() == b.Columns() &&
         std::equal(a.Data(), a.Data() + a.Size(), b.Data());
}

// A state every run of a panel-3 map must change: another result pending, a colour result current,
// the save button off, an old caption and border.
void OppositeState(TMainForm& m) {
  m.Panel3Pending.fill(0);
  m.Panel3Pending[p3FractStar] = 1;
  m.Panel3Pending[p3SingleSuperposition] = 1;
  m.ColourMode = kColourModeRgb;
  m.ResultBorder = 0;
  m.Enable({"SaveParamSpeedButton1"}, false);
  ResultImageForm->SetCaptionText(" 3.- OLD ");
}

}  // namespace

class FractalExplorationTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadBinary(Blocks());
  }
};

TEST_F(FractalExplorationTreatmentTest, MissingValuesBringTheDialogBackAndCancelChangesNothing) {
  TMainForm& m = *MainForm;
  OppositeState(m);
  m.ResultImage.Fill(77);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TFractalExplorForm>(Exploration(-1, 13, 1))
      .message("ERROR", "No Selected Value")
      .dialog<TFractalExplorForm>(Exploration(3, 12, 1))
      .message("ERROR", "Size of the Window Side undefined")
      .dialog<TFractalExplorForm>(Exploration(3, 25, 0))
      .message("ERROR", "Dynamic Scale not defined")
      .dialog<TFractalExplorForm>([](TFractalExplorForm&) { return ui::mrCancel; });
  m.P_TreatmentClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_EQ(std::count(m.ResultImage.Data(), m.ResultImage.Data() + m.ResultImage.Size(), 77), 2000);
  EXPECT_EQ(m.DialogCancelBytes[cbFractalExplor], 0);
  EXPECT_EQ(std::tuple(m.Panel3Pending[p3FractStar], m.Panel3Pending[p3FractalExploration]),
            std::tuple(1, 0));
  EXPECT_EQ(ReadFile(report), "");
  EXPECT_FALSE(m.IsEnabled("SaveParamSpeedButton1"));
}

TEST_F(FractalExplorationTreatmentTest, TheMapGoesToPanelThreeAndItsLinesToTheReport) {
  TMainForm& m = *MainForm;
  OppositeState(m);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TFractalExplorForm>(Exploration(3, 13, 2));
  m.P_TreatmentClick();

  EXPECT_TRUE(Equal(m.ResultImage, RunFractalExploration(m.BinaryImage, {3, 13, 2})));
  EXPECT_EQ(m.ResultImage[20][20], 193);  // inside the block
  EXPECT_EQ(ReadFile(report),
            "\n\n FRACTAL EXPLORATION"
            "\n applied to the binary or labeled image "
            "\n\n\tGray tone value explored : 3 "
            "\n\tMoving window size = 13 "
            "\n\tDynamic Scale 1.00 - 2.00");
  EXPECT_EQ(ResultImageForm->CaptionText(), " 3.-  FRACTAL EXPLORATION ");
  EXPECT_EQ(m.PanelCaption + "|" + m.SavedPanelCaption, " FRACTAL EXPLORATION | FRACTAL EXPLORATION ");
  // The other parametric results and the colour result are no longer what panel 3 holds.
  EXPECT_EQ(std::tuple(m.Panel3Pending[p3FractalExploration], m.Panel3Pending[p3FractStar],
                       m.Panel3Pending[p3SingleSuperposition], m.ColourMode),
            std::tuple(1, 0, 0, 0));
  EXPECT_EQ(m.ResultBorder, 6);
  EXPECT_TRUE(m.IsEnabled("SaveParamSpeedButton1"));
  EXPECT_EQ(m.UrbanXlsFlags[uxExploration], 0);  // no table is written, none waits to be named
  EXPECT_TRUE(ResultImageForm->HasBitmap());

  // The panel-3 save registers it.
  ui.save(Path("explored"), 1);
  m.SaveParamSpeedButton1Click();
  EXPECT_EQ(ReadFile(Path("explored.raw")), Bytes(m.ResultImage));
  EXPECT_NE(ReadFile(report).find("\n\n\tFractal Exploration image registered as: " + Path("explored.raw")),
            std::string::npos);
}

TEST_F(FractalExplorationTreatmentTest, TheWindowSideIsAskedAgainAtEachShowingAndTheReportMayBeOff) {
  TMainForm& m = *MainForm;
  ui.dialog<TFractalExplorForm>([](TFractalExplorForm& f) {
    f.RadioButton2->click();
    f.RadioButton3->click();
    f.SelectedValue = 9;
    return ui::mrOk;
  });
  m.P_TreatmentClick();
  EXPECT_EQ(FractalExplorForm->WindowSide, 25);
  EXPECT_EQ(m.ResultBorder, 12);
  EXPECT_TRUE(Equal(m.ResultImage, RunFractalExploration(m.BinaryImage, {9, 25, 1})));
  ui.dialog<TFractalExplorForm>([](TFractalExplorForm& f) {
    EXPECT_FALSE(f.RadioButton1->isChecked() || f.RadioButton2->isChecked());
    EXPECT_TRUE(f.RadioButton3->isChecked());
    return ui::mrCancel;
  });
  m.P_TreatmentClick();
}

class HomogeneityTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    BytePlane gray(30, 20);
    for (int i = 0; i < 20; ++i)
      for (int j = 0; j < 30; ++j) gray[i][j] = static_cast<std::uint8_t>(10 * ((i + j) % 7));
    LoadOriginal(std::move(gray));
    MainForm->BinaryImage = BytePlane(30, 20);
    MainForm->BinaryImage.Fill(kBack);
    for (int i = 5; i < 15; ++i)
      for (int j = 5; j < 20; ++j) MainForm->BinaryImage[i][j] = 1;
  }
};

auto Homogeneity(int source, int min, int max, int range, int centered) {
  return [=](THomogeneityForm& f) {
    f.Source = source;
    f.MinValue = min;
    f.MaxValue = max;
    f.Range = range;
    f.Centered = centered;
    return ui::mrOk;
  };
}

TEST_F(HomogeneityTreatmentTest, CancelKeepsEveryResultPendingAndWindowsThatDoNotFitAreRefused) {
  TMainForm& m = *MainForm;
  OppositeState(m);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<THomogeneityForm>(Homogeneity(1, 0, 30, -1, 0))
      .message("ERROR", "Range not valid\nWindow Side = (Range * 2) +1 must lie between 1 and 20")
      .dialog<THomogeneityForm>(Homogeneity(1, 0, 30, 10, 0))
      .message("ERROR", "Range not valid\nWindow Side = (Range * 2) +1 must lie between 1 and 20")
      .dialog<THomogeneityForm>([](THomogeneityForm&) { return ui::mrCancel; });
  m.HomoTreatmentClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_EQ(std::tuple(m.Panel3Pending[p3FractStar], m.Panel3Pending[p3Homogeneity],
                       m.DialogCancelBytes[cbHomogeneity]),
            std::tuple(1, 0, 0));
  EXPECT_EQ(ReadFile(report), "");
  EXPECT_EQ(ResultImageForm->CaptionText(), " 3.- OLD ");
}

TEST_F(HomogeneityTreatmentTest, MapsTheChosenPanelIntoPanelThree) {
  TMainForm& m = *MainForm;
  const struct {
    int source, min, max, range, centered;
    const char* lines;
  } cases[] = {
      {1, 0, 30, 2, 0,
       "\n\n HOMOGENEISATION AND DENSITY \n applied to the original image\n\n\tThreshold Min = 0 Max = 30 "
       "\n\tMoving Window Range = 2 Size = 5 \n\tGlobal Treatment"},
      {2, 1, 1, 1, 1,
       "\n\n HOMOGENEISATION AND DENSITY \n applied to the binary or labeled image\n\n\tThreshold Min = 1 "
       "Max = 1 "
       "\n\tMoving Window Range = 1 Size = 3 \n\tCentered Treatment"},
      {2, 0, 255, 9, 0,
       "\n\n HOMOGENEISATION AND DENSITY \n applied to the binary or labeled image\n\n\tThreshold Min = 0 "
       "Max = 255 "
       "\n\tMoving Window Range = 9 Size = 19 \n\tGlobal Treatment"},
  };
  for (const auto& c : cases) {
    OppositeState(m);
    const std::string report = ReportInto(Path("report.txt"));
    ui.dialog<THomogeneityForm>(Homogeneity(c.source, c.min, c.max, c.range, c.centered));
    m.HomoTreatmentClick();
    const BytePlane& source = c.source == 1 ? m.OriginalImage : m.BinaryImage;
    EXPECT_TRUE(Equal(m.ResultImage, Homogeneization(source, {c.min, c.max, c.range, c.centered == 1})));
    EXPECT_EQ(ReadFile(report), c.lines);
    EXPECT_EQ(ResultImageForm->CaptionText(), " 3.-  HOMOGENEIZATION ");
    EXPECT_EQ(std::tuple(m.Panel3Pending[p3Homogeneity], m.Panel3Pending[p3FractStar], m.ColourMode,
                         m.ResultBorder),
              std::tuple(1, 0, 0, c.range));
    EXPECT_TRUE(m.IsEnabled("SaveParamSpeedButton1"));
  }
  EXPECT_EQ(m.ResultImage[0][0], 255);  // the frame of R pixels
}

class DensityTreatmentTest : public ProgramTest {
 protected:
  // Panel 2: an item of value 7, 1000 pixels; panel 1: 250 of them at 120, the rest at 90; panel 3:
  // all of them at 120.
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(BytePlane(50, 40));
    TMainForm& m = *MainForm;
    m.BinaryImage.Fill(kBack);
    m.OriginalImage.Fill(90);
    for (int k = 0; k < 1000; ++k) {
      m.BinaryImage[k / 50][k % 50] = 7;
      if (k % 4 == 0) m.OriginalImage[k / 50][k % 50] = 120;
    }
    m.ResultImage.Fill(120);
  }
};

auto Density(int item, int origin, int min, int max, double pixelSize) {
  return [=](TDensityDiagForm& f) {
    f.ItemValue = item;
    f.DataOrigin = origin;
    f.MinValue = min;
    f.MaxValue = max;
    f.PixelSize = pixelSize;
    return ui::mrOk;
  };
}

TEST_F(DensityTreatmentTest, MissingValuesAndAnAbsentItemBringTheDialogBackInOrder) {
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TDensityDiagForm>(Density(-1, 0, 500, 0, 0))
      .message("ERROR", "Gray Tone Value not defined")
      .dialog<TDensityDiagForm>(Density(7, 0, 500, 0, 0))
      .message("ERROR", "No information about Data Origin")
      .dialog<TDensityDiagForm>(Density(7, 3, 500, 0, 0))
      .message("ERROR", "Minimum Threshold not defined")
      .dialog<TDensityDiagForm>([](TDensityDiagForm& f) {
        // OK left both origins unchecked; the handler checked the chosen one again.
        EXPECT_TRUE(f.RadioButton2->isChecked());
        EXPECT_FALSE(f.RadioButton1->isChecked());
        return Density(7, 3, 0, 0, 0)(f);
      })
      .message("ERROR", "Maximum Threshold not defined")
      .dialog<TDensityDiagForm>(Density(7, 3, 0, 200, 0))
      .message("ERROR", "Pixel Size not defined")
      .dialog<TDensityDiagForm>(Density(8, 3, 0, 200, 10))
      .message("DENSITY", "No pixel of panel 2 holds the value 8\nThe density cannot be computed")
      .dialog<TDensityDiagForm>([](TDensityDiagForm&) { return ui::mrCancel; });
  MainForm->DensityTreatmentClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_EQ(MainForm->DialogCancelBytes[cbDensityDiag], 0);
  EXPECT_EQ(ReadFile(report), "");
}

TEST_F(DensityTreatmentTest, SurfacesArePrintedAndReportedWhenTheReportIsOn) {
  const std::string report = ReportInto(Path("report.txt"));
  MainForm->Panel3Pending[p3FractStar] = 1;
  ui.dialog<TDensityDiagForm>(Density(7, 1, 100, 150, 10))
      .message("DENSITY",
               "Item Surface = 0.100000 km2\nElement Surface = 0.025000 km2\nPercentage = 25.000000"
               "\n\nResult reported in the General Report");
  MainForm->DensityTreatmentClick();
  EXPECT_EQ(ReadFile(report),
            "\n\n DENSITY TREATMENT "
            "\n applied to the original image\n"
            "\n\tItem Gray Tone Value = 7 "
            "\n\tElement Threshold Min = 100 Max = 150 "
            "\n\tPixel Size = 10.000000 meters "
            "\n\tItem Surface = 0.100000 km2 "
            "\n\tElement Surface = 0.025000 km2 "
            "\n\tPercentage = 25.000000 ");
  // The density changes no plane and no flag.
  EXPECT_EQ(MainForm->Panel3Pending[p3FractStar], 1);

  // From panel 3 every pixel of the item lies within the thresholds; with the report off the message
  // says so instead.
  ReportForm->ReportOff = 1;
  ui.dialog<TDensityDiagForm>(Density(7, 3, 100, 150, 20))
      .message("DENSITY",
               "Item Surface = 0.400000 km2\nElement Surface = 0.400000 km2\nPercentage = 100.000000"
               "\n\nNota: no Report");
  MainForm->DensityTreatmentClick();
}

TEST_F(DensityTreatmentTest, EditsConvertAtEachChangeAndAnEmptyMinimumIsZero) {
  TDensityDiagForm& f = *DensityDiagForm;
  EXPECT_EQ(std::tuple(f.ItemValue, f.DataOrigin, f.MinValue, f.MaxValue, f.PixelSize),
            std::tuple(-1, 0, 500, 0, 0.0));
  f.MinEdit->setText(QStringLiteral("12"));
  f.MinEdit->setText(QString());
  f.PixelSizeEdit->setText(QStringLiteral("2.5m"));
  f.GrayToneEdit->setText(QStringLiteral("7x"));
  EXPECT_EQ(std::tuple(f.ItemValue, f.MinValue, f.PixelSize), std::tuple(7, 0, 2.5));
  f.RadioButton2->click();
  EXPECT_EQ(f.DataOrigin, 3);
}
