#include <cmath>

#include "Program.h"
#include "app/MainWindow.h"
#include "binary/ProgBoxCount.h"
#include "diagrams/DiagBoxCounting.h"
#include "fixtures/Blocks.h"
#include "panels/ReportForm.h"

namespace {

// The dialog answered with these values typed (the first box order and the step live in the main
// window).
auto Typed(int firstBoxOrder, double step, int itemValue = 1) {
  return [=](TProgBoxCountForm& f) {
    std::tie(MainForm->FirstBoxOrder, MainForm->ProgressiveStep, f.ItemValue) =
        std::tuple(firstBoxOrder, step, itemValue);
    return ui::mrOk;
  };
}

const std::string kHeader = "\n\n PROGRESSIVE BOX COUNTING TREATMENT\n\n\tFirst Box Order = ";

}  // namespace

class ProgressiveBoxCountingTest : public ProgramTest {};

TEST_F(ProgressiveBoxCountingTest, FilledImageGivesTwoReportedAndAFileRegistered) {
  LoadBinary(UniformPlane(256, 256, 1), 1);
  MainForm->WorkDirectory = Dir().string();
  MainForm->DiagramSavedFlags.ProgressiveSaved = 1;  // an earlier result, already saved
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TProgBoxCountForm>(Typed(3, 1.0))
      .press<TDiagProgrBoxCountingForm>(&TDiagProgrBoxCountingForm::BitBtnSaveClick)
      .save(Path("progressive"));
  MainForm->ProgBCTreatment1Click();

  // b = 1: 65536 pixels; b = 2: all the 128 x 128 cells occupied, which ends the series.
  EXPECT_EQ(ReadFile(Path("progressive.xls")), "0.0000\t11.090355\n0.6931\t9.704061\n");
  EXPECT_EQ(ReadFile(report), kHeader +
                                  "3 \n\tStep = 1.000000\n\tFractal Dimension = 2.000000"
                                  "\n\n\tProgressive Box Counting Diagram registered\n\tin the file " +
                                  Path("progressive.xls") + " ");
  EXPECT_NEAR(MainForm->LastFractalDimension, 2.0, 1e-9);
  EXPECT_EQ(std::tuple(MainForm->ProgressivePointCount, MainForm->OccupiedCells,
                       MainForm->ProgressiveDimension, MainForm->RegressionX),
            std::tuple(2, 16384, MainForm->LastFractalDimension, MainForm->ProgressiveLogSize));
  EXPECT_EQ(
      std::tuple(MainForm->DiagramSavedFlags.ProgressiveSaved, MainForm->DiagramSavedFlags.ProgressivePending,
                 EnabledOf("Diagram1 ProgrBoxCounting1")),
      std::tuple(1, 0, "Diagram1 ProgrBoxCounting1"));
}

// Refusals bring the dialog back and Cancel changes nothing; without report the dimension is shown,
// and the value of no pixel gives no dimension.
TEST_F(ProgressiveBoxCountingTest, RefusalsCancelAndNoReport) {
  LoadOriginal(UniformPlane(16, 16, 1));
  std::tie(MainForm->LastFractalDimension, MainForm->ProgressivePointCount) = std::tuple(42, 7);
  MainForm->DiagramSavedFlags.ProgressiveSaved = MainForm->DiagramSavedFlags.ProgressivePending = 1;
  const std::string report = ReportInto(Path("report.txt"));
  ui.message("ERROR", "The image_in is not a binary image");
  MainForm->ProgBCTreatment1Click();

  LoadBinary(UniformPlane(256, 256, 1), 1);
  ui.dialog<TProgBoxCountForm>([](TProgBoxCountForm&) {
      // Both values are asked afresh at each use.
      EXPECT_EQ(std::tuple(MainForm->FirstBoxOrder, MainForm->ProgressiveStep), std::tuple(-1, 0.0));
      return ui::mrOk;
    })
      .message("ERROR", "First Box Order not defined")
      .dialog<TProgBoxCountForm>(Typed(1, 0.0))
      .message("ERROR", "Step interval not defined")
      .dialog<TProgBoxCountForm>(Typed(1, 1e-4))  // more than 10,000 rounds
      .message("ERROR", "Step interval not defined")
      .dialog<TProgBoxCountForm>([](TProgBoxCountForm&) { return ui::mrCancel; });
  MainForm->ProgBCTreatment1Click();
  EXPECT_EQ(
      std::tuple(MainForm->LastFractalDimension, MainForm->ProgressivePointCount,
                 MainForm->DiagramSavedFlags.ProgressiveSaved, MainForm->DiagramSavedFlags.ProgressivePending,
                 MainForm->DialogCancelBytes[cbProgBoxCount], ReadFile(report),
                 EnabledOf("Diagram1 ProgrBoxCounting1")),
      std::tuple(42.0, 7, 1, 1, 0, "", ""));

  // Step 0.1: b = 1.1 already fills its 232 x 232 cells; the fit takes the nominal b.
  ReportForm->ReportOff = 1;
  ui.dialog<TProgBoxCountForm>(Typed(1, 0.1))
      .ok<TDiagProgrBoxCountingForm>()
      .message("PROGRESSIVE LOCAL FRACTAL DIMENSION", "Fractal Dimension = 2.065678\n\nNota: no Report")
      .dialog<TProgBoxCountForm>(Typed(1, 1.0, 255))  // the background of an image without background
      .ok<TDiagProgrBoxCountingForm>()
      .message("PROGRESSIVE LOCAL FRACTAL DIMENSION", "Fractal Dimension = undefined\n\nNota: no Report");
  MainForm->ProgBCTreatment1Click();
  MainForm->ProgBCTreatment1Click();
  EXPECT_EQ(MainForm->ProgressivePointCount, 0);
  EXPECT_TRUE(std::isnan(MainForm->LastFractalDimension));
  ReportForm->ReportOff = 0;
  ui.dialog<TProgBoxCountForm>(Typed(2, 0.5, 255)).ok<TDiagProgrBoxCountingForm>();
  MainForm->ProgBCTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            kHeader + "2 \n\tStep = 0.500000\n\tFractal Dimension = undefined (fewer than two points)");
}
