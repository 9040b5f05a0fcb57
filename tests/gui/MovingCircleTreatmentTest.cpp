#include <QLineEdit>
#include <QRadioButton>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "Program.h"
#include "app/MainWindow.h"
#include "binary/Radius.h"
#include "diagrams/DiagRadius.h"
#include "fixtures/Fractals.h"
#include "panels/ProgressWindow.h"

namespace {

// Panel 2 as a labeling leaves it, with one square item of code 1.
void LoadSquare(int side, int margin = 3) {
  LoadBinary(fixtures::FilledSquare(side + 2 * margin, side + 2 * margin, margin, margin, side));
  MainForm->HasBinaryImage = 0;
  MainForm->HasLabeledImage = 1;
  MainForm->ItemCount = 1;
}

auto Circle(int code, int mode, int value) {
  return [=](TRadiusForm& f) {
    f.ItemCode = code;
    f.CircleMode = mode;
    f.ValueType = value;
    return ui::mrOk;
  };
}

constexpr int kSliding = 0, kJumping = 1, kRadius = 0, kSurface = 1;

std::string Row(const char* format, double x, double y) {
  char text[64];
  std::snprintf(text, sizeof text, format, x, y);
  return text;
}

std::string Header(const char* circle, const char* value) {
  return std::string("\n\n SCANNING CIRCLE TREATMENT\n applied to the item 1") + circle + value;
}

}  // namespace

class MovingCircleTreatmentTest : public ProgramTest {};

// Sliding circles over a 10 x 10 square fit at (10 - 2R)^2 centres: 64, 36, 16, 4; none at R = 5.
TEST_F(MovingCircleTreatmentTest, SlidingRadiiOverASquareAreReportedDrawnAndSaved) {
  LoadSquare(10);
  MainForm->WorkDirectory = Dir().string();
  MainForm->DiagramSavedFlags.CircleSaved = 1;  // the last result's file
  MainForm->Enable({"Diagram1", "CircleScanning1"}, false);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TRadiusForm>(Circle(1, kSliding, kRadius))
      .press<TDiagRadiusForm>(&TDiagRadiusForm::SaveButtonClick)
      .save(Path("circle"));
  MainForm->MovingCircleTreatment1Click();

  const double counts[] = {64, 36, 16, 4};
  std::string points, rows;
  for (int r = 1; r <= 4; ++r) {
    points += Row("\t%lf\t%lf\n", std::log(r), std::log(counts[r - 1]));
    rows += Row("%2.4lf\t%lf\n", std::log(r), std::log(counts[r - 1]));
  }
  EXPECT_EQ(ReadFile(report), Header("\nusing a sliding circle", "\nand the radius value\n\n") + points +
                                  "\n\tScanning Circle Treatment registered\n\tin the file " +
                                  Path("circle.xls") + " ");
  EXPECT_EQ(ReadFile(Path("circle.xls")), rows);
  EXPECT_EQ(MainForm->CirclePointCount, 4);
  EXPECT_EQ(MainForm->CircleLogCount[0], std::log(64.0));
  EXPECT_EQ(std::tuple(MainForm->CircleMode, MainForm->CircleValueType), std::tuple(kSliding, kRadius));
  EXPECT_EQ(std::tuple(MainForm->DiagramSavedFlags.CircleSaved, MainForm->DiagramSavedFlags.CirclePending),
            std::tuple(1, 0));
  EXPECT_EQ(EnabledOf("Diagram1 CircleScanning1"), "Diagram1 CircleScanning1");
  EXPECT_EQ(ProgressForm, nullptr);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbRadius], 0);
}

// The surface value of the sliding circle starts with the item's 100 pixels at ln 1, then the
// disc surfaces 5, 13, 29, 49.
TEST_F(MovingCircleTreatmentTest, SlidingSurfacesStartWithTheItem) {
  LoadSquare(10);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TRadiusForm>(Circle(1, kSliding, kSurface)).ok<TDiagRadiusForm>();
  MainForm->MovingCircleTreatment1Click();
  std::string points = Row("\t%lf\t%lf\n", 0, std::log(100));
  const double surfaces[] = {5, 13, 29, 49}, counts[] = {64, 36, 16, 4};
  for (int k = 0; k < 4; ++k) points += Row("\t%lf\t%lf\n", std::log(surfaces[k]), std::log(counts[k]));
  EXPECT_EQ(ReadFile(report),
            Header("\nusing a sliding circle", "\nand using the surface value\n\n") + points);
  EXPECT_EQ(MainForm->CirclePointCount, 5);
  EXPECT_EQ(MainForm->CircleValueType, kSurface);
}

// Jumping plus signs over the 10 x 10 square: three to a line on lines 1, 3, 5 and 7 (12); discs of
// radius 2: (2,2), (2,7), (5,4), (7,7) (4); of radius 3 one only. Two points: slope
// ln(4/12) / ln 2, correlation -1.
TEST_F(MovingCircleTreatmentTest, JumpingRadiiGiveTheirLine) {
  LoadSquare(10);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TRadiusForm>(Circle(1, kJumping, kRadius)).ok<TDiagRadiusForm>();
  MainForm->MovingCircleTreatment1Click();
  const double slope = std::log(4.0 / 12.0) / std::log(2.0);
  EXPECT_EQ(ReadFile(report), Header("\nusing a jumping circle", "\nand the radius value\n\n") +
                                  Row("\t%lf\t%lf\n", 0, std::log(12)) +
                                  Row("\t%lf\t%lf\n", std::log(2), std::log(4)) +
                                  Row("\n\tJumping Treatment\n\tSlope = %lf\tRatio = %lf ", slope, -slope) +
                                  "\n\tCorrelation coefficient = -1.000000\tR2 = 1.000000 ");
  EXPECT_NEAR(MainForm->CircleSlope, slope, 1e-12);
  EXPECT_NEAR(MainForm->CircleRatio, -slope, 1e-12);
  EXPECT_NEAR(MainForm->CircleCorrelation, -1, 1e-12);
  EXPECT_EQ(MainForm->CircleMode, kJumping);
}

// A 3 x 3 item holds one disc of radius 1: no point, no line, and the window still shows.
TEST_F(MovingCircleTreatmentTest, FewerThanTwoPointsGiveNoLine) {
  LoadSquare(3);
  MainForm->CircleSlope = 5;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TRadiusForm>(Circle(1, kJumping, kSurface))
      .message("MOVING CIRCLE", "Fewer than two radii fit two discs in the item:\nno slope")
      .ok<TDiagRadiusForm>();
  MainForm->MovingCircleTreatment1Click();
  EXPECT_EQ(ReadFile(report), Header("\nusing a jumping circle", "\nand using the surface value\n\n") +
                                  "\n\tJumping Treatment\n\tSlope = undefined\tRatio = undefined "
                                  "\n\tCorrelation coefficient = undefined\tR2 = undefined ");
  EXPECT_EQ(MainForm->CirclePointCount, 0);
  EXPECT_TRUE(std::isnan(MainForm->CircleSlope));
}

TEST_F(MovingCircleTreatmentTest, ACodeThatIsNotAnItemComesBackAndCancelChangesNothing) {
  LoadSquare(10);
  MainForm->CirclePointCount = 7;
  MainForm->DiagramSavedFlags.CircleSaved = 1;
  MainForm->Enable({"CircleScanning1"}, false);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TRadiusForm>(Circle(2, kSliding, kRadius))
      .message("ERROR", "Code Label not defined")
      .dialog<TRadiusForm>(Circle(-1, kSliding, kRadius))
      .message("ERROR", "Code Label not defined")
      .dialog<TRadiusForm>([](TRadiusForm&) { return ui::mrCancel; });
  MainForm->MovingCircleTreatment1Click();
  EXPECT_EQ(MainForm->CirclePointCount, 7);
  EXPECT_EQ(MainForm->DiagramSavedFlags.CircleSaved, 1);
  EXPECT_EQ(EnabledOf("CircleScanning1"), "");
  EXPECT_EQ(ReadFile(report), "");
  EXPECT_EQ(MainForm->DialogCancelBytes[cbRadius], 0);
  EXPECT_EQ(ProgressForm, nullptr);
}

TEST_F(MovingCircleTreatmentTest, TheDialogStoresItsChoices) {
  TRadiusForm& form = *RadiusForm;
  EXPECT_EQ(form.Caption(), " Circle Counting");
  EXPECT_TRUE(form.ModeRadios[0]->isChecked());
  EXPECT_TRUE(form.ValueRadios[0]->isChecked());
  form.ModeRadios[1]->click();
  form.ValueRadios[1]->click();
  form.CodeEdit->setText(QStringLiteral("7x"));
  EXPECT_EQ(std::tuple(form.ItemCode, form.CircleMode, form.ValueType), std::tuple(7, 1, 1));
  form.ModeRadios[0]->click();
  EXPECT_EQ(form.CircleMode, 0);
}
