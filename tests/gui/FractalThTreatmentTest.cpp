#include <QLineEdit>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "diagrams/Explor.h"
#include "fixtures/Patterns.h"
#include "graytone/FractalExplorationForm.h"
#include "graytone/kernels/FractalThreshold.h"

namespace {

auto Parameters(int dataIn, int treatment, int step) {
  return [=](TFractalExplorationForm& f) {
    f.DataIn = dataIn;
    f.Treatment = treatment;
    f.Step = step;
    return ui::mrOk;
  };
}

constexpr const char* kHead = "\n\n EXPLORATION OF THE LINEAL FRACTAL RESPONSE \n\tapplied to the ";

}  // namespace

class FractalThTest : public ProgramTest {};

// A step of 1 overflows the 128 rows, one of 0 or below never reaches 256, one above 255 has no
// threshold: each is refused and nothing changes; the dialog warns of a step of 1 as it is typed. A full
// set of 64 columns (every gray 100 < 128) gives 1.957447; the diagram is shown, saved and named in the
// report. The parametric image is explored in bands, every threshold of the step in its row.
TEST_F(FractalThTest, RefusedStepsFullSetAndParametricImageInBands) {
  TFractalExplorationForm& f = *FractalExplorationForm;
  ui.message("INCORRECT VALUE", "Step value lower than 2");
  f.StepEdit->setText("1");
  EXPECT_EQ(f.Step, 1);
  BytePlane image(64, 10);
  image.Fill(100);
  LoadOriginal(std::move(image));
  MainForm->WorkDirectory = Dir().string();
  MainForm->FractalThCount = 3;
  MainForm->DiagramSavedFlags.ExplorationSaved = 1;
  MainForm->ExplorationTreatment = 2;
  const std::string report = ReportInto(Path("report.txt"));
  const std::pair<int, const char*> refused[] = {{1, "Step value lower than 2"},
                                                 {0, "Step value lower than 2"},
                                                 {-4, "Step value lower than 2"},
                                                 {256, "Step value greater than 255"}};
  for (auto [step, text] : refused) {
    ui.dialog<TFractalExplorationForm>(Parameters(0, 2, step)).message("INCORRECT VALUE", text);
    MainForm->FractalThTreatment1Click();
  }
  const TMainForm& m = *MainForm;
  EXPECT_EQ(std::tuple(m.FractalThCount, ReadFile(report), EnabledOf("Diagram1 FractalCurve1")),
            std::tuple(3, "", ""));

  ui.dialog<TFractalExplorationForm>(Parameters(0, 0, 128))
      .press<TExplorForm>(&TExplorForm::BitBtnSaveClick)
      .save(Path("curve"));
  MainForm->FractalThTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            kHead + std::string("original image \n\n\tScanning from the origin\n\tStep = 128 ") +
                "\n\n\t128\t1.957447\n\n\tFractal Exploration Diagram registered\n\tin the file " +
                Path("curve.xls") + " ");
  EXPECT_EQ(std::tuple(m.FractalThCount, m.FractalThGrays, m.ExplorationTreatment),
            std::tuple(1, std::vector<int>{128}, 0));
  EXPECT_NEAR(m.FractalThDimensions[0], 1.957447, 5e-7);
  EXPECT_EQ(std::tuple(m.DiagramSavedFlags.ExplorationSaved, m.DiagramSavedFlags.ExplorationPending),
            std::tuple(1, 0));
  EXPECT_EQ(EnabledOf("Diagram1 FractalCurve1"), "Diagram1 FractalCurve1");

  MainForm->ResultImage = MakeRandomGray(64, 10, 9);
  const auto points = FractalThresholding(MainForm->ResultImage, kInBand, 50);
  ASSERT_EQ(points.size(), 5u);
  const std::string before = ReadFile(report);
  ui.dialog<TFractalExplorationForm>(Parameters(1, 1, 50)).ok<TExplorForm>();
  MainForm->FractalThTreatment1Click();
  std::string rows;
  for (const FractalThPoint& p : points) rows += Format("\n\t%d\t%lf", p.Gray, p.Value);
  EXPECT_EQ(ReadFile(report), before + kHead + "parametric image \n\n\tJumping\n\tStep = 50 \n" + rows);
  EXPECT_EQ(std::tuple(m.FractalThGrays, m.FractalThDimensions[4], m.ExplorationTreatment),
            std::tuple(std::vector<int>{50, 100, 150, 200, 250}, points[4].Value, 1));
}
