#include "Program.h"
#include "binary/ProgBoxCount.h"
#include "diagrams/DiagBoxCounting.h"
#include "fixtures/Blocks.h"

namespace {

// The dialog's answer (the first box order and the step live in the main window).
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

// Refusals, Cancel, a filled image; without report the dimension is shown; an absent value gives none.
TEST_F(ProgressiveBoxCountingTest, RefusalsCancelAFilledImageAndNoReport) {
  TMainForm& m = *MainForm;
  LoadOriginal(UniformPlane(16, 16, 1));
  std::tie(m.LastFractalDimension, m.ProgressivePointCount) = std::tuple(42, 7);
  m.DiagramSavedFlags.ProgressiveSaved = m.DiagramSavedFlags.ProgressivePending = 1;
  const std::string report = ReportInto(Path("report.txt"));
  ui.message("ERROR", "The image_in is not a binary image");
  m.ProgBCTreatment1Click();
  LoadBinary(UniformPlane(256, 256, 1), 1);
  ui.dialog<TProgBoxCountForm>([&](TProgBoxCountForm&) {
      // Both values are asked afresh at each use.
      EXPECT_EQ(std::tuple(m.FirstBoxOrder, m.ProgressiveStep), std::tuple(-1, 0.0));
      return ui::mrOk;
    })
      .message("ERROR", "First Box Order not defined")
      .dialog<TProgBoxCountForm>(Typed(1, 0.0))
      .message("ERROR", "Step interval not defined")
      .dialog<TProgBoxCountForm>(Typed(1, 1e-4))  // more than 10,000 rounds
      .message("ERROR", "Step interval not defined")
      .dialog<TProgBoxCountForm>([](TProgBoxCountForm&) { return ui::mrCancel; });
  m.ProgBCTreatment1Click();
  EXPECT_EQ(std::tuple(m.LastFractalDimension, m.ProgressivePointCount, m.DiagramSavedFlags.ProgressiveSaved,
                       m.DiagramSavedFlags.ProgressivePending, m.DialogCancelBytes[cbProgBoxCount],
                       ReadFile(report), EnabledOf("Diagram1 ProgrBoxCounting1")),
            std::tuple(42.0, 7, 1, 1, 0, "", ""));
  // A filled image: two points reported and the diagram file registered.
  m.WorkDirectory = Dir().string();
  ui.dialog<TProgBoxCountForm>(Typed(3, 1.0))
      .press<TDiagProgrBoxCountingForm>(&TDiagProgrBoxCountingForm::BitBtnSaveClick)
      .save(Path("progressive"));
  m.ProgBCTreatment1Click();
  // b = 1: 65536 pixels; b = 2: all the 128 x 128 cells occupied, which ends the series.
  EXPECT_EQ(ReadFile(Path("progressive.xls")), "0.0000\t11.090355\n0.6931\t9.704061\n");
  EXPECT_EQ(ReadFile(report), kHeader +
                                  "3 \n\tStep = 1.000000\n\tFractal Dimension = 2.000000"
                                  "\n\n\tProgressive Box Counting Diagram registered\n\tin the file " +
                                  Path("progressive.xls") + " ");
  EXPECT_NEAR(m.LastFractalDimension, 2.0, 1e-9);
  EXPECT_EQ(std::tuple(m.ProgressivePointCount, m.OccupiedCells, m.ProgressiveDimension, m.RegressionX),
            std::tuple(2, 16384, m.LastFractalDimension, m.ProgressiveLogSize));
  EXPECT_EQ(std::tuple(m.DiagramSavedFlags.ProgressiveSaved, m.DiagramSavedFlags.ProgressivePending,
                       EnabledOf("Diagram1 ProgrBoxCounting1")),
            std::tuple(1, 0, "Diagram1 ProgrBoxCounting1"));
  // Step 0.1: b = 1.1 already fills its 232 x 232 cells; the fit takes the nominal b.
  ReportForm->ReportOff = 1;
  ui.dialog<TProgBoxCountForm>(Typed(1, 0.1))
      .ok<TDiagProgrBoxCountingForm>()
      .message("PROGRESSIVE LOCAL FRACTAL DIMENSION", "Fractal Dimension = 2.065678\n\nNota: no Report")
      .dialog<TProgBoxCountForm>(Typed(1, 1.0, 255))  // the background of an image without background
      .ok<TDiagProgrBoxCountingForm>()
      .message("PROGRESSIVE LOCAL FRACTAL DIMENSION", "Fractal Dimension = undefined\n\nNota: no Report");
  m.ProgBCTreatment1Click();
  m.ProgBCTreatment1Click();
  EXPECT_EQ(m.ProgressivePointCount, 0);
  EXPECT_TRUE(std::isnan(m.LastFractalDimension));
  const std::string undefined = ReportInto(Path("undefined.txt"));
  ui.dialog<TProgBoxCountForm>(Typed(2, 0.5, 255)).ok<TDiagProgrBoxCountingForm>();
  m.ProgBCTreatment1Click();
  EXPECT_EQ(ReadFile(undefined),
            kHeader + "2 \n\tStep = 0.500000\n\tFractal Dimension = undefined (fewer than two points)");
}
