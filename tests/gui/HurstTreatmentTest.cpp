// GTS Treatments > Hurst Exponent > Treatment end to end: three sources, both windows, dividers, refusals.
#include <QLineEdit>
#include <cmath>

#include "Program.h"
#include "app/Report.h"
#include "binary/kernels/Dividers.h"
#include "diagrams/DiagHurstResult.h"
#include "fixtures/Sequences.h"
#include "sequence/Hurst.h"
#include "sequence/kernels/HurstExponent.h"

namespace {

// Sliding windows (type 0) of the given sizes, or jumping windows (type 1).
auto Windows(int dataIn, int type, int first = 10, int step = 5, int count = 10) {
  using H = THurstForm;
  return FormAnswer(&H::DataIn, &H::WindowType, &H::FirstSize, &H::Step, &H::NumSteps)(dataIn, type, first,
                                                                                       step, count);
}
auto Dividers(int choice, int lower = 0, int upper = 0) {
  using D = THurstDividerForm;
  return FormAnswer(&D::DividerChoice, &D::LowerValueRange, &D::UpperValueRange)(choice, lower, upper);
}

const auto Fixed = [](double v) { return Format("%lf", v); };
const auto SlidingMessage = [](int n, double h) {
  return "num_step = " + std::to_string(n) + " Hurst Exponent = " + Fixed(h) + " ";
};
const auto JumpingMessage = [](const HurstFit& fit) {
  return "R2 = " + Fixed(fit.R2) + " Hurst Exponent = " + Fixed(fit.Slope) + " ";
};

class HurstTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    MainForm->WorkDirectory = Dir().string();
  }
  // A gray-tone sequence as an extraction leaves it: the readers use all but the last value.
  void PutGrayToneSequence(std::vector<int> values) {
    MainForm->GtsLength = static_cast<int>(values.size());
    values.push_back(999);
    MainForm->GtsValues = std::move(values);
    MainForm->GtsReady = 1;
  }
  // A run with a result: the answers, the message, the diagram closed or saved as `saveAs`.
  void Run(std::function<int(THurstForm&)> answer, const std::string& message, const std::string& saveAs = "",
           std::function<int(THurstDividerForm&)> dividers = nullptr) {
    ui.dialog<THurstForm>(answer);
    if (dividers) ui.dialog<THurstDividerForm>(dividers);
    ui.message("HURST", message);
    if (saveAs.empty())
      ui.ok<TDiagHurstResultForm>();
    else
      ui.press<TDiagHurstResultForm>(&TDiagHurstResultForm::BitBtnSaveClick).save(Path(saveAs));
    MainForm->HurstTreatment1Click();
  }
  std::string Report() { return ReadFile(Path("r.txt")); }
  // The state a run must not touch when it refuses or is cancelled.
  auto Results() const {
    const TMainForm& m = *MainForm;
    return std::tuple(m.HurstPointCount, m.HurstSlope, m.HurstWindowMode, m.HurstFirstDivider,
                      m.DiagramSavedFlags.HurstSaved, m.HurstLogWindow.size(), m.DialogCancelBytes[cbHurst]);
  }
};

// 0, 2, 4, 6 with sizes 2 and 3: three windows of deviation 1, two of sqrt(8/3).
TEST_F(HurstTreatmentTest, SlidingWindowsOnTheGrayToneSequence) {
  PutGrayToneSequence({0, 2, 4, 6});
  ReportInto(Path("r.txt"));
  ASSERT_EQ(EnabledOf("Diagram1 HurstExponent1"), "");
  const double deviation = std::log10(std::sqrt(8.0 / 3.0)), slope = deviation / std::log10(1.5);
  Run(Windows(0, 0, 2, 1, 2), SlidingMessage(2, slope), "h");
  const TMainForm& m = *MainForm;
  EXPECT_EQ(std::tuple(m.HurstPointCount, m.HurstWindowMode), std::tuple(2, 1));
  EXPECT_NEAR(m.HurstCorrelation, 1.0, 1e-12);  // two points lie on their line
  EXPECT_EQ(ReadFile(Path("h.xls")),
            Format("%2.4lf\t%lf\n%2.4lf\t%lf\n", 0.0, std::log10(2.0), deviation, std::log10(3.0)));
  EXPECT_EQ(Report(),
            "\n\nHURST EXPONENT\n\tSliding Window Treatment\n\tapplied to a Gray Tone Sequence"
            "\n\tParameters :\n\tFirst Segment Size = 2 Step Value = 1 Number of Steps = 2 "
            "\n\tHurst Value = " +
                Fixed(slope) +
                " \n\tR2 = 1.000000 \n\n\tHurst Exponent Calculation registered\n\tin the file " +
                Path("h.xls") + " ");
  EXPECT_EQ(
      std::tuple(m.DiagramSavedFlags.HurstSaved, m.DiagramSavedFlags.HurstPending,
                 m.DialogCancelBytes[cbHurst], EnabledOf("Diagram1 HurstExponent1"), HurstForm->Caption()),
      std::tuple(1, 0, 0, "Diagram1 HurstExponent1", " Studied curve"));
  // With the report off the saved file waits; the next run with the report on names it.
  const std::string first = Report();
  ReportForm->ReportOff = 1;
  Run(Windows(0, 0, 2, 1, 2), SlidingMessage(2, slope), "first");
  EXPECT_EQ(std::tuple(Report(), m.DiagramSavedFlags.HurstSaved, m.DiagramSavedFlags.HurstPending),
            std::tuple(first, 1, 1));
  ReportForm->ReportOff = 0;
  Run(Windows(0, 0, 2, 1, 2), SlidingMessage(2, slope));
  EXPECT_NE(
      Report().find("\n\n\tHurst Exponent Calculation registered\n\tin the file " + Path("first.xls") + " ",
                    first.size()),
      std::string::npos);
  // The new result is not saved yet.
  EXPECT_EQ(std::tuple(m.DiagramSavedFlags.HurstPending, m.DiagramSavedFlags.HurstSaved), std::tuple(0, 0));
}

// L = 150 gives 120 and its 16 divisors; sizes 2 .. 4, then all (size 1 has no deviation, left out).
TEST_F(HurstTreatmentTest, JumpingWindowsOverTheChosenDividers) {
  const std::vector<int> walk = fixtures::RandomWalk(150, 3);
  PutGrayToneSequence(walk);
  ReportInto(Path("r.txt"));
  HurstDividerForm->DividerEdit[40]->setText("stale");
  const HurstFit some = FitHurst(JumpingDeviations(walk.data() + 1, 120, {2, 3, 4}));
  const HurstFit all = FitHurst(JumpingDeviations(walk.data() + 1, 120, ListDividers(120)));
  Run(Windows(0, 1), JumpingMessage(some), "", [](THurstDividerForm& f) {
    std::string shown;
    for (int k = 0; k <= 16; ++k) shown += EditText(f.DividerEdit[k]) + " ";
    EXPECT_EQ(std::tuple(EditText(f.TNDataEdit), EditText(f.TNDivisorsEdit), EditText(f.OriginalRangeEdit),
                         shown, f.DividerEdit[40]->text().isEmpty()),
              std::tuple("120", "16", "150", "1 2 3 4 5 6 8 10 12 15 20 24 30 40 60 120  ", true));
    return Dividers(2, 2, 4)(f);
  });
  const TMainForm& m = *MainForm;
  EXPECT_EQ(std::tuple(m.HurstWindowMode, m.HurstFirstDivider, m.HurstLastDivider, m.HurstPointCount),
            std::tuple(0, 2, 4, 3));
  EXPECT_EQ(Report(),
            "\n\nHURST EXPONENT\n\tJumping Window Treatment from 2 until 4 "
            "\n\tapplied to a Gray Tone Sequence\n\tHurst Value = " +
                Fixed(some.Slope) + " \n\tR2 = " + Fixed(some.R2) + " ");
  // A jumping run leaves the Diagram entry as it was.
  EXPECT_EQ(std::tuple(EnabledOf("HurstExponent1"), HurstDividerForm->Caption()),
            std::tuple("", " Dividers"));
  Run(Windows(0, 1), JumpingMessage(all), "", Dividers(1));
  EXPECT_EQ(std::tuple(m.HurstPointCount, m.HurstFirstDivider, m.HurstLastDivider), std::tuple(15, 1, 120));
}

// Orientation read at 1 .. M, distances at 0 .. L - 1; both reported under the orientation's line.
TEST_F(HurstTreatmentTest, OrientationAndDistanceSources) {
  const std::vector<int> walk = fixtures::RandomWalk(400, 8);
  const double expected = FitHurst(SlidingDeviations(walk.data(), 400, SlidingSizes(10, 5, 10))).Slope;
  MainForm->OrientationValues = {7777};
  MainForm->OrientationValues.insert(MainForm->OrientationValues.end(), walk.begin(), walk.end());
  MainForm->OrientationValues.push_back(-5555);
  MainForm->Distances = walk;
  MainForm->Distances.push_back(8888);
  MainForm->OrientationLength = MainForm->PerimDistLength = 400;
  ReportInto(Path("r.txt"));
  for (int dataIn : {1, 2}) Run(Windows(dataIn, 0), SlidingMessage(10, expected));
  const std::string block =
      "\n\nHURST EXPONENT\n\tSliding Window Treatment\n\tapplied to the Perimeter orientation"
      "\n\tParameters :\n\tFirst Segment Size = 10 Step Value = 5 Number of Steps = 10 "
      "\n\tHurst Value = " +
      Fixed(expected) + " \n\tR2 = " + Fixed(MainForm->HurstR2) + " ";
  EXPECT_EQ(Report(), block + block);
}

TEST_F(HurstTreatmentTest, RefusalsBringTheDialogBackAndCancelChangesNothing) {
  MainForm->GtsLength = 40;  // values without an extraction: not a sequence
  MainForm->GtsValues.assign(41, 1);
  ReportInto(Path("r.txt"));
  const auto before = Results();
  using Answer = std::function<int(THurstForm&)>;
  auto refused = [&](std::vector<std::pair<Answer, std::string>> cases) {
    for (const auto& [answer, message] : cases) ui.dialog<THurstForm>(answer).message("ERROR", message);
    ui.dialog<THurstForm>([](THurstForm&) { return ui::mrCancel; });
    MainForm->HurstTreatment1Click();
  };
  refused({{Windows(0, 0), "No Gray Tone Sequence has been extracted"},
           {Windows(1, 1), "No Perimeter orientation has been computed"},
           {Windows(2, 0), "No Distance Perimeter/Center has been computed"}});
  MainForm->GtsReady = 1;
  MainForm->GtsLength = 2;
  MainForm->OrientationLength = 5;  // more than the vector holds
  MainForm->OrientationValues.assign(3, 90);
  refused({{Windows(0, 1), "The Gray Tone Sequence holds fewer than 3 values"},
           {Windows(1, 0, 2, 1, 2), "The Perimeter orientation holds fewer than 3 values"}});
  MainForm->GtsLength = 40;
  refused(
      {{Windows(0, 0, 1, 5, 4), "First Window Size must be at least 2"},
       {Windows(0, 0, 2, 0, 4), "Step of increasing must be at least 1"},
       {Windows(0, 0, 2, 1, 1), "Total Number of steps must lie between 2 and 127"},
       {Windows(0, 0, 2, 1, 128), "Total Number of steps must lie between 2 and 127"},
       {Windows(0, 0, 10, 11, 4), "The largest window (43 values) is longer than the sequence (40 values)"},
       {Windows(0, 0, 2000000000, 2000000000, 100),
        "The largest window (200000000000 values) is longer than the sequence (40 values)"}});
  auto close = [](THurstDividerForm&) { return ui::mrCancel; };
  PutGrayToneSequence(fixtures::RandomWalk(150, 1));
  ui.dialog<THurstForm>(Windows(0, 1));
  for (const auto& [lower, upper, message] :
       {std::tuple{0, 4, "Lower Value Range out of the list of dividers"},
        {3, 17, "Upper Value Range out of the list of dividers"},
        {4, 4, "The Lower Value Range must be smaller than the Upper Value Range"}})
    ui.dialog<THurstDividerForm>(Dividers(2, lower, upper)).message("ERROR", message);
  ui.dialog<THurstDividerForm>(Dividers(0)).message("ERROR", "Divider Selection not defined");
  ui.dialog<THurstDividerForm>(close);
  MainForm->HurstTreatment1Click();
  // 720720 has 240 divisors: more than 127 cannot all be taken.
  PutGrayToneSequence(std::vector<int>(720721, 3));
  ui.dialog<THurstForm>(Windows(0, 1))
      .dialog<THurstDividerForm>([](THurstDividerForm& f) {
        EXPECT_EQ(std::tuple(EditText(f.TNDataEdit), EditText(f.TNDivisorsEdit)),
                  std::tuple("720720", "240"));
        return Dividers(1)(f);
      })
      .message("ERROR", "More than 127 dividers selected")
      .dialog<THurstDividerForm>(close);
  MainForm->HurstTreatment1Click();
  // A flat sequence has no exponent: the message, and the former result stays.
  PutGrayToneSequence(std::vector<int>(100, 42));
  const char* const undefined =
      "Hurst Exponent undefined:\nfewer than 2 window sizes\nwith values that differ";
  ui.dialog<THurstForm>(Windows(0, 0, 2, 3, 5)).message("HURST", undefined);
  MainForm->HurstTreatment1Click();
  ui.dialog<THurstForm>(Windows(0, 1))
      .dialog<THurstDividerForm>(Dividers(2, 2, 5))
      .message("HURST", undefined);
  MainForm->HurstTreatment1Click();
  EXPECT_EQ(std::tuple(Results(), Report(), EnabledOf("HurstExponent1")), std::tuple(before, "", ""));
  // 0, 1, 0, 1 in even windows: every deviation 0.5, slope 0, R2 "undefined", never nan.
  PutGrayToneSequence({0, 1, 0, 1, 0, 1, 0, 1, 0});
  Run(Windows(0, 1), "R2 = undefined Hurst Exponent = 0.000000 ", "", Dividers(2, 2, 4));  // sizes 2, 4, 8
  Run(Windows(0, 0, 2, 2, 2), "num_step = 2 Hurst Exponent = 0.000000 ");
  EXPECT_TRUE(std::isnan(MainForm->HurstR2));
  EXPECT_NE(Report().find("\n\tHurst Value = 0.000000 \n\tR2 = undefined "), std::string::npos) << Report();
  EXPECT_EQ(Report().find("nan"), std::string::npos);
}

}  // namespace
