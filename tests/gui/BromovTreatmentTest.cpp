#include "Program.h"
#include "binary/Bromov.h"
#include "binary/kernels/BrownianMeasures.h"
#include "binary/kernels/BrownianWalk.h"
#include "fixtures/Blocks.h"
#include "imaging/PrintedValues.h"

namespace {

const std::string kHeader = "\n\n BROWNIAN MOUVEMENT \n\n\tNumber of Walks ";

// 64 x 64: a disc of radius 25 of value 1 on 255, and a lone pixel that is no place for a walker.
BytePlane DiscImage() {
  BytePlane image = UniformPlane(64, 64);
  FillDisc(image, 32, 32, 25, 1);
  image[3][3] = 1;
  return image;
}

// The dialog answered with OK: thresholds, walks, crossings, pixels in a path and crossing tests.
auto Answer(std::array<int, 6> v) {
  return [v](TBromovForm& f) {
    std::tie(f.MinThreshold, f.MaxThreshold, f.WalkCount, f.CrossingCount, f.PathPixels, f.CrossingTests) =
        std::tuple(v[0], v[1], v[2], v[3], v[4], v[5]);
    return ui::mrOk;
  };
}

// What the walks on the pixels of value 1 give with this seed, worked out here from the kernels.
struct Expected {
  WalkRun run;
  BrownianPath path;
  std::string values;
};

Expected Walks(const BytePlane& image, WalkParameters parameters, std::uint32_t seed) {
  Expected e;
  e.path = BuildBrownianPath(image, 1, 1);
  WalkRandom random(seed);
  e.run = RunBrownianWalks(e.path, parameters, random);
  const BrownianDimensions d = MeasureBrownianDimensions(e.run.Walks);
  const auto value = [](double v) { return PrintedValue("%lf", v, 6); };
  e.values = "Mean " + value(d.Mean) + " Dim2 " + value(d.Dim2) + " Dim3 " + value(d.Dim3);
  return e;
}

// Panel 3 as the red walks over the gray path.
void ExpectPanel3Shows(const BytePlane& marks) {
  const QImage& shown = ResultImageForm->Bitmap();
  ASSERT_EQ(std::tuple(shown.width(), shown.height()), std::tuple(marks.Columns(), marks.Lines()));
  int red = 0;
  for (int i = 0; i < marks.Lines(); ++i)
    for (int j = 0; j < marks.Columns(); ++j) {
      const unsigned v = marks[i][j];
      const bool walked = v == 1 || v == 2;
      red += walked;
      ASSERT_EQ(shown.pixel(j, i) & 0xFFFFFFu, walked ? 0xFF0000u : 0x010101u * v) << i << " " << j;
    }
  EXPECT_GT(red, 0);
}

}  // namespace

class BromovTest : public ProgramTest {};

TEST_F(BromovTest, RefusalsAndCancelChangeNothingAndEditsConvert) {
  TMainForm& m = *MainForm;
  LoadBinary(DiscImage());
  const std::string report = ReportInto(Path("report.txt"));
  std::tie(m.LastFractalDimension, m.ResultCaption) = std::tuple(42, "before");
  ResultImageForm->SetCaptionText("Image (1:1)");
  const std::vector<std::pair<std::array<int, 6>, const char*>> refusals = {
      {{0, 1, 5, 100, 50, 3}, "Minimum Threshold not defined"},
      {{255, 1, 5, 100, 50, 3}, "Minimum Threshold not defined"},
      {{1, 0, 5, 100, 50, 3}, "Maximum Threshold not defined"},
      {{1, 1, 0, 100, 50, 3}, "Number of walks undefined"},
      {{1, 1, 5, 0, 50, 3}, "Number of step undefined"},
      {{1, 1, 5, 100, -1, 3}, "Number of pixel in a path not undefined"},
      {{1, 1, 5, 100, 50, 0}, "Number of crossing tests undefined"}};
  for (const auto& [values, text] : refusals) ui.dialog<TBromovForm>(Answer(values)).message("ERROR", text);
  ui.dialog<TBromovForm>([](TBromovForm&) { return ui::mrCancel; });
  m.BromovTreatment1Click();
  // Nothing changes; the dialog keeps its values.
  EXPECT_EQ(std::tuple(m.LastFractalDimension, m.ResultCaption, m.DialogCancelBytes[cbBromov],
                       BromovForm->WalkCount),
            std::tuple(42.0, std::string("before"), 0, 5));
  // No path between the thresholds, or no room for a segment: said, and nothing changes either.
  ui.dialog<TBromovForm>(Answer({2, 254, 5, 100, 50, 3}))
      .message("BROMOV",
               "No path to walk on:\nno pixel between the thresholds\nhas a neighbour between them");
  m.BromovTreatment1Click();
  LoadBinary(UniformPlane(20, 20, 1));
  ui.dialog<TBromovForm>(Answer({1, 1, 5, 100, 50, 3}))
      .message("BROMOV", "The image is too small for the walks:\nits larger side must exceed 20 pixels");
  m.BromovTreatment1Click();
  EXPECT_EQ(std::tuple(ReadFile(report), ResultImageForm->CaptionText()),
            std::tuple(std::string(), std::string("Image (1:1)")));
  // The edits convert at each change, saturating.
  BromovForm->MaxWalkEdit->setText(QStringLiteral("12a"));
  BromovForm->ThrMinEdit->setText(QStringLiteral("99999999999"));
  EXPECT_EQ(std::tuple(BromovForm->WalkCount, BromovForm->MinThreshold), std::tuple(12, 2147483647));
}

TEST_F(BromovTest, AFixedSeedGivesTheSameReportTwicePanel3ShowsTheWalksInRedAndTheValuesAreCapped) {
  TMainForm& m = *MainForm;
  LoadBinary(DiscImage());
  const std::string report = ReportInto(Path("report.txt"));
  std::tie(m.BromovSeed, m.LastFractalDimension) = std::tuple(9, 42);
  const Expected e = Walks(m.BinaryImage, {5, 1000, 50, 500}, 9);
  // Every kept walk has 51 points: the two dimensions have no spread to fit.
  ASSERT_EQ(std::tuple(e.run.Walks.size(), e.values.substr(e.values.find(" Dim2"))),
            std::tuple(5u, std::string(" Dim2 undefined Dim3 undefined")));
  for (int run = 0; run < 2; ++run) {
    ui.dialog<TBromovForm>(Answer({1, 1, 5, 1000, 50, 3}))
        .message("BROMOV", "Values reported in the general report\n\n" + e.values + " ");
    m.BromovTreatment1Click();
  }
  const std::string block = kHeader + "5 Max. Steps 1000 Walk Length 50 Max. Cross 3\n " + e.values + " ";
  EXPECT_EQ(ReadFile(report), block + block);
  EXPECT_EQ(std::tuple(ResultImageForm->CaptionText(), m.PanelCaption, m.DialogCancelBytes[cbBromov]),
            std::tuple(std::string(" 3.-  PANEL 3 = BROWNIAN MOUVEMENT "),
                       std::string(" PANEL 3 = BROWNIAN MOUVEMENT "), 0));
  ExpectPanel3Shows(e.path.Marks);
  double lastSlope = 42;
  for (const KeptWalk& walk : e.run.Walks)
    if (!std::isnan(walk.Slope)) lastSlope = walk.Slope;
  EXPECT_EQ(std::tuple(m.RegressionX, m.RegressionY, m.LastFractalDimension),
            std::tuple(e.run.LastLogWindows, e.run.LastLogCrossings, lastSlope));
  // Without the report the values are shown; 2000 walks of 800 pixels run as 1000 of more than 500.
  ReportForm->ReportOff = 1;
  m.BromovSeed = 4;
  const Expected capped = Walks(m.BinaryImage, {1000, 100000, 500, 100000}, 4);
  ASSERT_EQ(capped.run.Walks.size(), 1000u);
  ui.dialog<TBromovForm>(Answer({1, 1, 2000, 100000, 800, 1}))
      .message("BROMOV", capped.values + "\n\nNota: No report");
  m.BromovTreatment1Click();
  EXPECT_EQ(ReadFile(report), block + block);
  ExpectPanel3Shows(capped.path.Marks);
}

TEST_F(BromovTest, WalksThatAreNeverKeptOrTooRarelyAreReported) {
  TMainForm& m = *MainForm;
  // Nine pixels cannot hold 51 points before the second crossing.
  BytePlane block = UniformPlane(64, 64);
  FillBlock(block, 30, 30, 3, 3, 1);
  LoadBinary(std::move(block));
  const std::string report = ReportInto(Path("report.txt"));
  m.BromovSeed = 5;
  ui.dialog<TBromovForm>(Answer({1, 1, 3, 2, 50, 1}))
      .message("BROMOV", "No walk of more than 50 points\nin 300 attempts");
  m.BromovTreatment1Click();
  EXPECT_EQ(ReadFile(report), kHeader +
                                  "3 Max. Steps 2 Walk Length 50 Max. Cross 1"
                                  "\n\tNo walk of more than 50 points in 300 attempts");
  // A line of 62 pixels: few walks of 61 points go from one end to the other without a crossing.
  BytePlane line = UniformPlane(64, 64);
  FillBlock(line, 32, 1, 1, 62, 1);
  const Expected e = Walks(line, {3, 1, 60, 300}, 3);
  ASSERT_TRUE(e.run.Walks.size() > 0 && e.run.Walks.size() < 3);
  LoadBinary(std::move(line));
  const std::string second = ReportInto(Path("second.txt"));
  m.BromovSeed = 3;
  ui.dialog<TBromovForm>(Answer({1, 1, 3, 1, 60, 1}))
      .message("BROMOV", "Values reported in the general report\n\n" + e.values + " ");
  m.BromovTreatment1Click();
  EXPECT_EQ(ReadFile(second), kHeader + "3 Max. Steps 1 Walk Length 60 Max. Cross 1\n\tWalks kept " +
                                  std::to_string(e.run.Walks.size()) + " (attempts limited to 300)\n " +
                                  e.values + " ");
}
