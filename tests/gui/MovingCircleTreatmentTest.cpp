#include "Program.h"
#include "binary/Radius.h"
#include "diagrams/DiagRadius.h"
#include "fixtures/Blocks.h"
#include "panels/ProgressWindow.h"

namespace {

constexpr int kSliding = 0, kJumping = 1, kRadius = 0, kSurface = 1;

auto Circle(int code, int mode, int value) {
  return [=](TRadiusForm& f) {
    std::tie(f.ItemCode, f.CircleMode, f.ValueType) = std::tuple(code, mode, value);
    return ui::mrOk;
  };
}

std::string Header(int code, const char* circle, const char* value) {
  return std::string("\n\n SCANNING CIRCLE TREATMENT\n applied to the item ") + std::to_string(code) +
         "\nusing a " + circle + " circle\nand " + value + " value\n\n";
}

}  // namespace

// Panel 2 as a labeling leaves it: a 10 x 10 square of code 1 and a 3 x 3 square of code 2.
class MovingCircleTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadLabeledItems(SquaresInARow({1, 2}, {10, 3}), 2);
  }
};

// Sliding circles over a 10 x 10 square fit at (10 - 2R)^2 centres: 64, 36, 16, 4; none at R = 5.
TEST_F(MovingCircleTreatmentTest, SlidingRadiiAreReportedDrawnAndSavedThenSurfacesOfBothCircles) {
  TMainForm& m = *MainForm;
  m.WorkDirectory = Dir().string();
  m.DiagramSavedFlags.CircleSaved = 1;  // the last result's file
  m.Enable({"Diagram1", "CircleScanning1"}, false);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TRadiusForm>(Circle(1, kSliding, kRadius))
      .press<TDiagRadiusForm>(&TDiagRadiusForm::SaveButtonClick)
      .save(Path("circle"));
  m.MovingCircleTreatment1Click();
  EXPECT_EQ(ReadFile(report), Header(1, "sliding", "the radius") +
                                  "\t0.000000\t4.158883\n\t0.693147\t3.583519\n"
                                  "\t1.098612\t2.772589\n\t1.386294\t1.386294\n"
                                  "\n\tScanning Circle Treatment registered\n\tin the file " +
                                  Path("circle.xls") + " ");
  EXPECT_EQ(ReadFile(Path("circle.xls")),
            "0.0000\t4.158883\n0.6931\t3.583519\n1.0986\t2.772589\n1.3863\t1.386294\n");
  EXPECT_EQ(std::tuple(m.CirclePointCount, m.CircleLogCount[0], m.CircleMode, m.CircleValueType),
            std::tuple(4, std::log(64.0), kSliding, kRadius));
  EXPECT_EQ(std::tuple(m.DiagramSavedFlags.CircleSaved, m.DiagramSavedFlags.CirclePending,
                       EnabledOf("Diagram1 CircleScanning1")),
            std::tuple(1, 0, "Diagram1 CircleScanning1"));
  EXPECT_EQ(ProgressForm, nullptr);
  // Sliding surfaces: 100 pixels at ln 1, then discs 5, 13, 29, 49. Jumping: plus signs three to a line on
  // lines 1, 3, 5, 7 (12); radius 2 at (2,2) (2,7) (5,4) (7,7); radius 3 once: slope ln(4/12) / ln(13/5).
  const std::string surfaces = ReportInto(Path("surfaces.txt"));
  ui.dialog<TRadiusForm>(Circle(1, kSliding, kSurface)).ok<TDiagRadiusForm>();
  m.MovingCircleTreatment1Click();
  EXPECT_EQ(std::tuple(m.CirclePointCount, m.CircleValueType), std::tuple(5, kSurface));
  ui.dialog<TRadiusForm>(Circle(1, kJumping, kSurface)).ok<TDiagRadiusForm>();
  m.MovingCircleTreatment1Click();
  EXPECT_EQ(ReadFile(surfaces), Header(1, "sliding", "using the surface") +
                                    "\t0.000000\t4.605170\n\t1.609438\t4.158883\n\t2.564949\t3.583519\n"
                                    "\t3.367296\t2.772589\n\t3.891820\t1.386294\n" +
                                    Header(1, "jumping", "using the surface") +
                                    "\t1.609438\t2.484907\n\t2.564949\t1.386294\n"
                                    "\n\tJumping Treatment\n\tSlope = -1.149764\tRatio = 1.149764 "
                                    "\n\tCorrelation coefficient = -1.000000\tR2 = 1.000000 ");
  EXPECT_NEAR(m.CircleSlope, std::log(4.0 / 12.0) / std::log(13.0 / 5.0), 1e-12);
  EXPECT_EQ(std::tuple(m.CircleRatio, std::round(m.CircleCorrelation * 1e9), m.CircleMode),
            std::tuple(-m.CircleSlope, -1e9, kJumping));
}

// Refusals, Cancel; the 3 x 3 item holds one disc of radius 1: no point, no line, the window shows.
TEST_F(MovingCircleTreatmentTest, RefusalsCancelAndFewerThanTwoPoints) {
  TMainForm& m = *MainForm;
  std::tie(m.CirclePointCount, m.CircleSlope) = std::tuple(7, 5.0);
  m.DiagramSavedFlags.CircleSaved = 1;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TRadiusForm>(Circle(3, kSliding, kRadius))
      .message("ERROR", "Code Label not defined")
      .dialog<TRadiusForm>(Circle(-1, kSliding, kRadius))
      .message("ERROR", "Code Label not defined")
      .dialog<TRadiusForm>(Circle(255, kSliding, kRadius))  // the background is no item
      .message("ERROR", "Code Label not defined")
      .dialog<TRadiusForm>([](TRadiusForm&) { return ui::mrCancel; });
  m.MovingCircleTreatment1Click();
  EXPECT_EQ(std::tuple(m.CirclePointCount, m.DiagramSavedFlags.CircleSaved, EnabledOf("CircleScanning1"),
                       ReadFile(report), m.DialogCancelBytes[cbRadius]),
            std::tuple(7, 1, "", "", 0));
  ui.dialog<TRadiusForm>(Circle(2, kJumping, kSurface))
      .message("MOVING CIRCLE", "Fewer than two radii fit two discs in the item:\nno slope")
      .ok<TDiagRadiusForm>();
  m.MovingCircleTreatment1Click();
  EXPECT_EQ(ReadFile(report), Header(2, "jumping", "using the surface") +
                                  "\n\tJumping Treatment\n\tSlope = undefined\tRatio = undefined "
                                  "\n\tCorrelation coefficient = undefined\tR2 = undefined ");
  EXPECT_EQ(m.CirclePointCount, 0);
  EXPECT_TRUE(std::isnan(m.CircleSlope));
}

// A 3 x 6 item: two plus signs fit side by side at R = 1, and R = 1 is the largest radius: one point.
TEST_F(MovingCircleTreatmentTest, AJumpingCircleWithOnePointHasNoSlope) {
  BytePlane plane = UniformPlane(10, 6);
  FillBlock(plane, 1, 1, 3, 6, 1);
  LoadLabeledItems(std::move(plane), 1);
  ui.dialog<TRadiusForm>(Circle(1, kJumping, kRadius))
      .message("MOVING CIRCLE", "Fewer than two radii fit two discs in the item:\nno slope")
      .ok<TDiagRadiusForm>();
  MainForm->MovingCircleTreatment1Click();
  ASSERT_EQ(MainForm->CirclePointCount, 1);
  EXPECT_EQ(std::tuple(MainForm->CircleLogSize[0], MainForm->CircleLogCount[0]),
            std::tuple(0.0, std::log(2.0)));
  EXPECT_TRUE(std::isnan(MainForm->CircleSlope));
}
