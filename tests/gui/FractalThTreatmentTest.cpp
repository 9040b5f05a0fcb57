#include <QLineEdit>

#include "Program.h"
#include "diagrams/Explor.h"
#include "graytone/FractalExplorationForm.h"
#include "graytone/kernels/FractalThreshold.h"

class FractalThTest : public ProgramTest {};
// A full set of 64 columns (gray 100 < 128) gives 1.957447; panel 3 is explored in bands of the step.
TEST_F(FractalThTest, RefusedStepsFullSetAndParametricImageInBands) {
  const auto answer = FormAnswer(&TFractalExplorationForm::DataIn, &TFractalExplorationForm::Treatment,
                                 &TFractalExplorationForm::Step);
  const std::string head = "\n\n EXPLORATION OF THE LINEAL FRACTAL RESPONSE \n\tapplied to the ";
  ui.message("INCORRECT VALUE", "Step value lower than 2");
  FractalExplorationForm->StepEdit->setText("1");
  EXPECT_EQ(FractalExplorationForm->Step, 1);
  LoadOriginal(BytePlane(64, 10));
  TMainForm& m = *MainForm;
  m.OriginalImage.Fill(100);
  std::tie(m.WorkDirectory, m.FractalThCount, m.DiagramSavedFlags.ExplorationSaved, m.ExplorationTreatment) =
      std::tuple(Dir().string(), 3, 1, 2);
  const std::string report = ReportInto(Path("report.txt"));
  for (int step : {1, 256}) {
    ui.dialog<TFractalExplorationForm>(answer(0, 2, step))
        .message("INCORRECT VALUE", step > 255 ? "Step value greater than 255" : "Step value lower than 2");
    m.FractalThTreatment1Click();
  }
  EXPECT_EQ(std::tuple(m.FractalThCount, ReadFile(report), EnabledOf("Diagram1 FractalCurve1")),
            std::tuple(3, "", ""));
  ui.dialog<TFractalExplorationForm>(answer(0, 0, 128))
      .press<TExplorForm>(&TExplorForm::BitBtnSaveClick)
      .save(Path("curve"));
  m.FractalThTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            head + "original image \n\n\tScanning from the origin\n\tStep = 128 " +
                "\n\n\t128\t1.957447\n\n\tFractal Exploration Diagram registered\n\tin the file " +
                Path("curve.xls") + " ");
  EXPECT_EQ(std::tuple(m.FractalThCount, m.FractalThGrays, m.ExplorationTreatment,
                       m.DiagramSavedFlags.ExplorationSaved, m.DiagramSavedFlags.ExplorationPending,
                       EnabledOf("Diagram1 FractalCurve1")),
            std::tuple(1, std::vector<int>{128}, 0, 1, 0, "Diagram1 FractalCurve1"));
  m.ResultImage = MakeRandomGray(64, 10, 9);
  const auto points = FractalThresholding(m.ResultImage, kInBand, 50);
  ASSERT_EQ(points.size(), 5u);
  const std::string before = ReadFile(report);
  ui.dialog<TFractalExplorationForm>(answer(1, 1, 50)).ok<TExplorForm>();
  m.FractalThTreatment1Click();
  std::string rows;
  for (const FractalThPoint& p : points) rows += Format("\n\t%d\t%lf", p.Gray, p.Value);
  EXPECT_EQ(ReadFile(report), before + head + "parametric image \n\n\tJumping\n\tStep = 50 \n" + rows);
  EXPECT_EQ(std::tuple(m.FractalThGrays, m.FractalThDimensions[4], m.ExplorationTreatment),
            std::tuple(std::vector<int>{50, 100, 150, 200, 250}, points[4].Value, 1));
}
