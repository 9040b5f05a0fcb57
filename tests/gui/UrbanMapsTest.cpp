// The urban treatments that map panel 3 (fractal exploration, homogeneity) and the density message.
#include <QRadioButton>

#include "Program.h"
#include "fixtures/Blocks.h"
#include "urban/DensityDiag.h"
#include "urban/FractalExplor.h"
#include "urban/HomogeneityForm.h"
#include "urban/kernels/FractalExploration.h"
#include "urban/kernels/Homogeneity.h"

namespace {

using E = TFractalExplorForm;
using H = THomogeneityForm;
using D = TDensityDiagForm;
const auto Exploration = FormAnswer(&E::SelectedValue, &E::WindowSide, &E::ScaleType);
const auto Homogeneity = FormAnswer(&H::Source, &H::MinValue, &H::MaxValue, &H::Range, &H::Centered);
const auto Density = FormAnswer(&D::ItemValue, &D::DataOrigin, &D::MinValue, &D::MaxValue, &D::PixelSize);

class UrbanMapsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(UniformPlane(50, 40, 90));
    TMainForm& m = *MainForm;
    m.BinaryImage.Fill(255);
    FillBlock(m.BinaryImage, 0, 0, 20, 50, 7);
    FillBlock(m.BinaryImage, 24, 10, 16, 20, 3);
    FillBlock(m.BinaryImage, 25, 35, 10, 10, 9);
    for (int k = 0; k < 1000; k += 4) m.OriginalImage[k / 50][k % 50] = 120;
    OppositeState();
    report = ReportInto(Path("report.txt"));
  }
  void OppositeState() {
    TMainForm& m = *MainForm;
    m.Panel3Pending.fill(0);
    m.Panel3Pending[p3FractStar] = m.Panel3Pending[p3SingleSuperposition] = 1;
    std::tie(m.ColourMode, m.ResultBorder) = std::tuple(kColourModeRgb, 0);
    m.Enable({"SaveParamSpeedButton1"}, false);
    m.ResultImage.Fill(77);
    ResultImageForm->SetCaptionText(" 3.- OLD ");
  }
  // What a refused or cancelled run leaves: everything as it was.
  void ExpectNothingChanged() {
    TMainForm& m = *MainForm;
    EXPECT_TRUE(ui.Finished());
    EXPECT_EQ(Bytes(m.ResultImage), std::string(2000, 77));
    EXPECT_EQ(std::tuple(m.Panel3Pending[p3FractStar], m.IsEnabled("SaveParamSpeedButton1"), ReadFile(report),
                         ResultImageForm->CaptionText()),
              std::tuple(1, false, "", " 3.- OLD "));
  }
  std::string report;
};

}  // namespace

TEST_F(UrbanMapsTest, ExplorationRefusalsChangeNothingTheMapGoesToPanelThreeItsLinesToTheReport) {
  TMainForm& m = *MainForm;
  ui.dialog<E>(Exploration(-1, 13, 1))
      .message("ERROR", "No Selected Value")
      .dialog<E>(Exploration(3, 12, 1))
      .message("ERROR", "Size of the Window Side undefined")
      .dialog<E>(Exploration(3, 25, 0))
      .message("ERROR", "Dynamic Scale not defined")
      .dialog<E>([](E&) { return ui::mrCancel; });
  m.P_TreatmentClick();
  ExpectNothingChanged();
  EXPECT_EQ(std::tuple(m.DialogCancelBytes[cbFractalExplor], m.Panel3Pending[p3FractalExploration]),
            std::tuple(0, 0));
  ui.dialog<E>(Exploration(3, 13, 2));
  m.P_TreatmentClick();
  EXPECT_EQ(Bytes(m.ResultImage), Bytes(RunFractalExploration(m.BinaryImage, {3, 13, 2})));
  EXPECT_EQ(
      ReadFile(report),
      "\n\n FRACTAL EXPLORATION\n applied to the binary or labeled image \n\n\tGray tone value explored : 3 "
      "\n\tMoving window size = 13 \n\tDynamic Scale 1.00 - 2.00");
  EXPECT_EQ(ResultImageForm->CaptionText(), " 3.-  FRACTAL EXPLORATION ");
  EXPECT_EQ(m.PanelCaption + "|" + m.SavedPanelCaption, " FRACTAL EXPLORATION | FRACTAL EXPLORATION ");
  // Other panel-3 results are gone; no table is written or waits to be named.
  EXPECT_EQ(std::tuple(m.Panel3Pending[p3FractalExploration], m.Panel3Pending[p3FractStar],
                       m.Panel3Pending[p3SingleSuperposition], m.ColourMode, m.ResultBorder,
                       m.UrbanXlsFlags[uxExploration], m.IsEnabled("SaveParamSpeedButton1")),
            std::tuple(1, 0, 0, 0, 6, 0, true));
  EXPECT_TRUE(ResultImageForm->HasBitmap());
  // The panel-3 save registers it.
  ui.save(Path("explored"), 1);
  m.SaveParamSpeedButton1Click();
  EXPECT_EQ(ReadFile(Path("explored.raw")), Bytes(m.ResultImage));
  EXPECT_NE(ReadFile(report).find("\n\n\tFractal Exploration image registered as: " + Path("explored.raw")),
            std::string::npos);
  // The large window, chosen by its button; the choice is asked again at the next showing.
  ui.dialog<E>([](E& f) {
    f.RadioButton2->click();
    f.RadioButton3->click();
    f.SelectedValue = 9;
    return ui::mrOk;
  });
  m.P_TreatmentClick();
  EXPECT_EQ(std::tuple(FractalExplorForm->WindowSide, m.ResultBorder), std::tuple(25, 12));
  EXPECT_EQ(Bytes(m.ResultImage), Bytes(RunFractalExploration(m.BinaryImage, {9, 25, 1})));
  ui.dialog<E>([](E& f) {
    EXPECT_FALSE(f.RadioButton1->isChecked() || f.RadioButton2->isChecked());
    EXPECT_TRUE(f.RadioButton3->isChecked());
    return ui::mrCancel;
  });
  m.P_TreatmentClick();
}

TEST_F(UrbanMapsTest, HomogeneityRefusesWindowsThatDoNotFitAndMapsTheChosenPanelIntoPanelThree) {
  TMainForm& m = *MainForm;
  const char* refusal = "Range not valid\nWindow Side = (Range * 2) +1 must lie between 1 and 40";
  ui.dialog<H>(Homogeneity(1, 0, 30, 20, 0)).message("ERROR", refusal).dialog<H>([](H&) {
    return ui::mrCancel;
  });
  m.HomoTreatmentClick();
  ExpectNothingChanged();
  EXPECT_EQ(std::tuple(m.Panel3Pending[p3Homogeneity], m.DialogCancelBytes[cbHomogeneity]), std::tuple(0, 0));
  const struct {
    int source, min, max, range, centered;
    const char* lines;
  } cases[] = {
      {1, 100, 130, 2, 0,
       "\n\n HOMOGENEISATION AND DENSITY \n applied to the original image\n\n\tThreshold Min = 100 Max = 130 "
       "\n\tMoving Window Range = 2 Size = 5 \n\tGlobal Treatment"},
      {2, 3, 3, 1, 1,
       "\n\n HOMOGENEISATION AND DENSITY \n applied to the binary or labeled image\n\n\tThreshold Min = 3 "
       "Max = 3 \n\tMoving Window Range = 1 Size = 3 \n\tCentered Treatment"},
      {2, 0, 255, 19, 0,
       "\n\n HOMOGENEISATION AND DENSITY \n applied to the binary or labeled image\n\n\tThreshold Min = 0 "
       "Max = 255 \n\tMoving Window Range = 19 Size = 39 \n\tGlobal Treatment"},
  };
  for (const auto& c : cases) {
    OppositeState();
    report = ReportInto(Path("report.txt"));
    ui.dialog<H>(Homogeneity(c.source, c.min, c.max, c.range, c.centered));
    m.HomoTreatmentClick();
    const BytePlane& source = c.source == 1 ? m.OriginalImage : m.BinaryImage;
    EXPECT_EQ(Bytes(m.ResultImage), Bytes(Homogeneization(source, {c.min, c.max, c.range, c.centered == 1})));
    EXPECT_EQ(std::tuple(ReadFile(report), ResultImageForm->CaptionText(), m.Panel3Pending[p3Homogeneity],
                         m.Panel3Pending[p3FractStar], m.ColourMode, m.ResultBorder,
                         m.IsEnabled("SaveParamSpeedButton1")),
              std::tuple(c.lines, " 3.-  HOMOGENEIZATION ", 1, 0, 0, c.range, true));
  }
}

TEST_F(UrbanMapsTest, DensityRefusesMissingValuesAndAnAbsentItemThenPrintsAndReportsTheSurfaces) {
  MainForm->ResultImage.Fill(120);  // panel 3: all of the item within the thresholds
  ui.dialog<D>([](D& f) {
      // Nothing typed yet: every value at its sentinel.
      EXPECT_EQ(std::tuple(f.ItemValue, f.DataOrigin, f.MinValue, f.MaxValue, f.PixelSize),
                std::tuple(-1, 0, 500, 0, 0.0));
      return ui::mrOk;
    })
      .message("ERROR", "Gray Tone Value not defined")
      .dialog<D>(Density(7, 0, 500, 0, 0.0))
      .message("ERROR", "No information about Data Origin")
      .dialog<D>([](D& f) {
        f.RadioButton2->click();  // panel 3
        return ui::mrOk;
      })
      .message("ERROR", "Minimum Threshold not defined")
      .dialog<D>([](D& f) {
        // OK left both origins unchecked; the handler checked the chosen one again.
        EXPECT_TRUE(f.RadioButton2->isChecked() && !f.RadioButton1->isChecked());
        return Density(7, 3, 0, 0, 0.0)(f);
      })
      .message("ERROR", "Maximum Threshold not defined")
      .dialog<D>(Density(7, 3, 0, 200, 0.0))
      .message("ERROR", "Pixel Size not defined")
      .dialog<D>(Density(8, 3, 0, 200, 10.0))
      .message("DENSITY", "No pixel of panel 2 holds the value 8\nThe density cannot be computed")
      // Surfaces beyond the doubles, and surfaces lost below them (a percentage of 0 / 0).
      .dialog<D>(Density(7, 3, 0, 200, 1e308))
      .message("ERROR", "Pixel Size out of range:\nthe results cannot be computed")
      .dialog<D>(Density(7, 3, 0, 200, 1e-200))
      .message("ERROR", "Pixel Size out of range:\nthe results cannot be computed")
      .dialog<D>([](D&) { return ui::mrCancel; });
  MainForm->DensityTreatmentClick();
  EXPECT_EQ(std::tuple(ui.Finished(), MainForm->DialogCancelBytes[cbDensityDiag], ReadFile(report)),
            std::tuple(true, 0, ""));
  // Panel 1: a quarter of the item within the thresholds, 10 m a pixel.
  ui.dialog<D>(Density(7, 1, 100, 150, 10.0))
      .message("DENSITY",
               "Item Surface = 0.100000 km2\nElement Surface = 0.025000 km2\nPercentage = 25.000000"
               "\n\nResult reported in the General Report");
  MainForm->DensityTreatmentClick();
  EXPECT_EQ(ReadFile(report),
            "\n\n DENSITY TREATMENT \n applied to the original image\n\n\tItem Gray Tone Value = 7 "
            "\n\tElement Threshold Min = 100 Max = 150 \n\tPixel Size = 10.000000 meters "
            "\n\tItem Surface = 0.100000 km2 \n\tElement Surface = 0.025000 km2 \n\tPercentage = 25.000000 ");
  EXPECT_EQ(MainForm->Panel3Pending[p3FractStar], 1);  // the density changes no plane and no flag
  // Panel 3: all of the item within the thresholds; with the report off the message says so.
  ReportForm->ReportOff = 1;
  ui.dialog<D>(Density(7, 3, 100, 150, 20.0))
      .message("DENSITY",
               "Item Surface = 0.400000 km2\nElement Surface = 0.400000 km2\nPercentage = 100.000000"
               "\n\nNota: no Report");
  MainForm->DensityTreatmentClick();
}
