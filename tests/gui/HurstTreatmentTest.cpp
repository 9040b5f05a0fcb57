// GTS Treatments > Hurst Exponent > Treatment, end to end: each of the three sources put in place
// by hand, both kinds of windows, the divider dialog, refusals, the diagram's file and the report.
#include <QGroupBox>
#include <QLineEdit>
#include <cmath>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "Program.h"
#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/kernels/Dividers.h"
#include "diagrams/DiagHurstResult.h"
#include "fixtures/Sequences.h"
#include "panels/ReportForm.h"
#include "sequence/Hurst.h"
#include "sequence/HurstSources.h"
#include "sequence/kernels/HurstExponent.h"

namespace {

auto Sliding(int dataIn, int first, int step, int count) {
  return [=](THurstForm& f) {
    f.DataIn = dataIn;
    f.WindowType = 0;
    f.FirstSize = first;
    f.Step = step;
    f.NumSteps = count;
    return ui::mrOk;
  };
}

auto Jumping(int dataIn) {
  return [=](THurstForm& f) {
    f.DataIn = dataIn;
    f.WindowType = 1;
    return ui::mrOk;
  };
}

auto Dividers(int choice, int lower = 0, int upper = 0) {
  return [=](THurstDividerForm& f) {
    f.DividerChoice = choice;
    f.LowerValueRange = lower;
    f.UpperValueRange = upper;
    return ui::mrOk;
  };
}

int Cancel(THurstForm&) {
  return ui::mrCancel;
}

std::string Fixed(double v) {
  return Format("%lf", v);
}

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
  std::string Report() { return ReadFile(Path("r.txt")); }
  // The state a run must not touch when it refuses or is cancelled.
  auto Results() const {
    const TMainForm& m = *MainForm;
    return std::tuple(m.HurstPointCount, m.HurstSlope, m.HurstWindowMode, m.HurstFirstDivider,
                      m.DiagramSavedFlags.HurstSaved, m.HurstLogWindow.size());
  }
};

// 0, 2, 4, 6 with sizes 2 and 3: the worked example, through the dialog, the message, the diagram
// window's file and the report.
TEST_F(HurstTreatmentTest, SlidingWindowsOnTheGrayToneSequence) {
  PutGrayToneSequence({0, 2, 4, 6});
  ReportInto(Path("r.txt"));
  ASSERT_EQ(EnabledOf("Diagram1 HurstExponent1"), "");
  const double slope = std::log10(std::sqrt(8.0 / 3.0)) / std::log10(1.5);
  ui.dialog<THurstForm>(Sliding(0, 2, 1, 2))
      .message("HURST", "num_step = 2 Hurst Exponent = " + Fixed(slope) + " ")
      .press<TDiagHurstResultForm>(&TDiagHurstResultForm::BitBtnSaveClick)
      .save(Path("h"));
  MainForm->HurstTreatment1Click();

  const TMainForm& m = *MainForm;
  EXPECT_EQ(m.HurstPointCount, 2);
  EXPECT_EQ(m.HurstLogWindow, (std::vector<double>{0, std::log10(2.0), std::log10(3.0)}));
  EXPECT_EQ(m.HurstLogDeviation[1], 0.0);
  EXPECT_DOUBLE_EQ(m.HurstLogDeviation[2], std::log10(std::sqrt(8.0 / 3.0)));
  EXPECT_EQ(m.HurstWindowMode, 1);
  EXPECT_NEAR(m.HurstCorrelation, 1.0, 1e-12);  // two points lie on their line
  EXPECT_EQ(ReadFile(Path("h.xls")), Format("%2.4lf\t%lf\n%2.4lf\t%lf\n", 0.0, std::log10(2.0),
                                            std::log10(std::sqrt(8.0 / 3.0)), std::log10(3.0)));
  EXPECT_EQ(Report(),
            "\n\nHURST EXPONENT\n\tSliding Window Treatment\n\tapplied to a Gray Tone Sequence"
            "\n\tParameters :\n\tFirst Segment Size = 2 Step Value = 1 Number of Steps = 2 "
            "\n\tHurst Value = " +
                Fixed(slope) +
                " \n\tR2 = 1.000000 \n\n\tHurst Exponent Calculation registered"
                "\n\tin the file " +
                Path("h.xls") + " ");
  EXPECT_EQ(std::tuple(m.DiagramSavedFlags.HurstSaved, m.DiagramSavedFlags.HurstPending), std::tuple(1, 0));
  EXPECT_EQ(EnabledOf("Diagram1 HurstExponent1"), "Diagram1 HurstExponent1");
  EXPECT_EQ(m.DialogCancelBytes[cbHurst], 0);
  EXPECT_EQ(HurstForm->Caption(), " Studied curve");
}

// L = 150: the jumping length 120 and its 16 divisors in the dialog; positions 2 to 4 are the sizes
// 2, 3 and 4, and the values at 1 .. 120 are cut.
TEST_F(HurstTreatmentTest, JumpingWindowsOverTheChosenDividers) {
  const std::vector<int> walk = fixtures::RandomWalk(150, 3);
  PutGrayToneSequence(walk);
  ReportInto(Path("r.txt"));
  HurstDividerForm->DividerEdit[40]->setText("stale");
  const HurstFit expected = FitHurst(JumpingDeviations(walk.data() + 1, 120, {2, 3, 4}));
  ui.dialog<THurstForm>(Jumping(0))
      .dialog<THurstDividerForm>([](THurstDividerForm& f) {
        EXPECT_EQ(f.TNDataEdit->text().toStdString(), "120");
        EXPECT_EQ(f.TNDivisorsEdit->text().toStdString(), "16");
        EXPECT_EQ(f.OriginalRangeEdit->text().toStdString(), "150");
        const char* const list[] = {"1",  "2",  "3",  "4",  "5",  "6",  "8",  "10",
                                    "12", "15", "20", "24", "30", "40", "60", "120"};
        for (int k = 0; k < 16; ++k) EXPECT_EQ(f.DividerEdit[k]->text().toStdString(), list[k]) << k;
        EXPECT_EQ(f.DividerEdit[16]->text().toStdString(), "");
        EXPECT_EQ(f.DividerEdit[40]->text().toStdString(), "");
        return Dividers(2, 2, 4)(f);
      })
      .message("HURST", "R2 = " + Fixed(expected.R2) + " Hurst Exponent = " + Fixed(expected.Slope) + " ")
      .ok<TDiagHurstResultForm>();
  MainForm->HurstTreatment1Click();

  const TMainForm& m = *MainForm;
  EXPECT_EQ(std::tuple(m.HurstWindowMode, m.HurstFirstDivider, m.HurstLastDivider, m.HurstPointCount),
            std::tuple(0, 2, 4, 3));
  EXPECT_EQ(m.HurstSlope, expected.Slope);
  EXPECT_EQ(m.HurstR2, expected.R2);
  EXPECT_EQ(Report(),
            "\n\nHURST EXPONENT\n\tJumping Window Treatment from 2 until 4 "
            "\n\tapplied to a Gray Tone Sequence\n\tHurst Value = " +
                Fixed(expected.Slope) + " \n\tR2 = " + Fixed(expected.R2) + " ");
  // A jumping run leaves the Diagram entry as it was.
  EXPECT_EQ(EnabledOf("HurstExponent1"), "");
  EXPECT_EQ(HurstDividerForm->Caption(), " Dividers");
}

// "Using all the dividers": sizes 1 .. L'; size 1 has no deviation and is left out of the fit.
TEST_F(HurstTreatmentTest, AllTheDividersLeaveSizeOneOut) {
  const std::vector<int> walk = fixtures::RandomWalk(150, 5);
  PutGrayToneSequence(walk);
  const HurstFit expected = FitHurst(JumpingDeviations(walk.data() + 1, 120, ListDividers(120)));
  ui.dialog<THurstForm>(Jumping(0))
      .dialog<THurstDividerForm>(Dividers(1))
      .message("HURST", "R2 = " + Fixed(expected.R2) + " Hurst Exponent = " + Fixed(expected.Slope) + " ")
      .ok<TDiagHurstResultForm>();
  MainForm->HurstTreatment1Click();
  EXPECT_EQ(MainForm->HurstPointCount, 15);
  EXPECT_EQ(MainForm->HurstSlope, expected.Slope);
  EXPECT_EQ(std::tuple(MainForm->HurstFirstDivider, MainForm->HurstLastDivider), std::tuple(1, 120));
}

// The orientation is read at entries 1 .. M, the distances at 0 .. PerimDistLength - 1: each source
// gives the treatment its own values, and both are reported under the orientation's line.
TEST_F(HurstTreatmentTest, OrientationAndDistanceSources) {
  const std::vector<int> walk = fixtures::RandomWalk(400, 8);
  const double expected = FitHurst(SlidingDeviations(walk.data(), 400, SlidingSizes(10, 5, 10))).Slope;
  std::vector<int> orientation = {7777};
  orientation.insert(orientation.end(), walk.begin(), walk.end());
  orientation.push_back(-5555);
  MainForm->OrientationValues = orientation;
  MainForm->OrientationLength = 400;
  MainForm->Distances = walk;
  MainForm->Distances.push_back(8888);
  MainForm->PerimDistLength = 400;
  ReportInto(Path("r.txt"));
  for (int dataIn : {1, 2}) {
    ui.dialog<THurstForm>(Sliding(dataIn, 10, 5, 10))
        .message("HURST", "num_step = 10 Hurst Exponent = " + Fixed(expected) + " ")
        .ok<TDiagHurstResultForm>();
    MainForm->HurstTreatment1Click();
    EXPECT_EQ(MainForm->HurstSlope, expected) << dataIn;
  }
  const std::string block =
      "\n\nHURST EXPONENT\n\tSliding Window Treatment\n\tapplied to the Perimeter orientation"
      "\n\tParameters :\n\tFirst Segment Size = 10 Step Value = 5 Number of Steps = 10 "
      "\n\tHurst Value = " +
      Fixed(expected) + " \n\tR2 = " + Fixed(MainForm->HurstR2) + " ";
  EXPECT_EQ(Report(), block + block);
  // The interface itself: real values from 0, never past what is held.
  MainForm->OrientationLength = 1000;
  EXPECT_EQ(OrientationSource(*MainForm).Values.size(), 401u);
  EXPECT_EQ(OrientationSource(*MainForm).Values.front(), walk.front());
  EXPECT_EQ(DistanceSource(*MainForm).Values, walk);
}

// Absent or short sources and unusable sliding sizes: the message and the dialog again; Cancel then
// changes nothing.
TEST_F(HurstTreatmentTest, RefusalsBringTheDialogBackAndCancelChangesNothing) {
  MainForm->GtsLength = 40;  // values without an extraction: not a sequence
  MainForm->GtsValues.assign(41, 1);
  ReportInto(Path("r.txt"));
  const auto before = Results();
  ui.dialog<THurstForm>(Sliding(0, 10, 5, 10))
      .message("ERROR", "No Gray Tone Sequence has been extracted")
      .dialog<THurstForm>(Jumping(1))
      .message("ERROR", "No Perimeter orientation has been computed")
      .dialog<THurstForm>(Sliding(2, 10, 5, 10))
      .message("ERROR", "No Distance Perimeter/Center has been computed")
      .dialog<THurstForm>(Cancel);
  MainForm->HurstTreatment1Click();
  MainForm->GtsReady = 1;
  MainForm->GtsLength = 2;
  MainForm->OrientationLength = 5;  // more than the vector holds
  MainForm->OrientationValues.assign(3, 90);
  ui.dialog<THurstForm>(Jumping(0))
      .message("ERROR", "The Gray Tone Sequence holds fewer than 3 values")
      .dialog<THurstForm>(Sliding(1, 2, 1, 2))
      .message("ERROR", "The Perimeter orientation holds fewer than 3 values")
      .dialog<THurstForm>(Cancel);
  MainForm->HurstTreatment1Click();

  MainForm->GtsLength = 40;
  struct Case {
    int first, step, count;
    const char* message;
  };
  const Case cases[] = {
      {1, 5, 4, "First Window Size must be at least 2"},
      {2, 0, 4, "Step of increasing must be at least 1"},
      {2, 1, 1, "Total Number of steps must lie between 2 and 127"},
      {2, 0, 128, "Step of increasing must be at least 1"},
      {2, 1, 128, "Total Number of steps must lie between 2 and 127"},
      {10, 11, 4, "The largest window (43 values) is longer than the sequence (40 values)"},
      {2000000000, 2000000000, 100,
       "The largest window (200000000000 values) is longer than the sequence (40 values)"},
  };
  for (const Case& c : cases)
    ui.dialog<THurstForm>(Sliding(0, c.first, c.step, c.count)).message("ERROR", c.message);
  ui.dialog<THurstForm>(Cancel);
  MainForm->HurstTreatment1Click();

  EXPECT_EQ(Results(), before);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbHurst], 0);
  EXPECT_EQ(Report(), "");
}

TEST_F(HurstTreatmentTest, DividerRangeRefusedUntilUsableAndClosingAbandons) {
  PutGrayToneSequence(fixtures::RandomWalk(150, 1));
  ReportInto(Path("r.txt"));
  const auto before = Results();
  ui.dialog<THurstForm>(Jumping(0))
      .dialog<THurstDividerForm>(Dividers(0))
      .message("ERROR", "Divider Selection not defined")
      .dialog<THurstDividerForm>(Dividers(2, 0, 4))
      .message("ERROR", "Lower Value Range out of the list of dividers")
      .dialog<THurstDividerForm>(Dividers(2, 3, 17))
      .message("ERROR", "Upper Value Range out of the list of dividers")
      .dialog<THurstDividerForm>(Dividers(2, 4, 4))
      .message("ERROR", "The Lower Value Range must be smaller than the Upper Value Range")
      .dialog<THurstDividerForm>([](THurstDividerForm&) { return ui::mrCancel; });
  MainForm->HurstTreatment1Click();
  EXPECT_EQ(Results(), before);
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(MainForm->DialogCancelBytes[cbHurst], 0);

  // More than 127 divisors (L' = 55440 has 120; 720720, 240): all of them cannot be taken.
  PutGrayToneSequence(std::vector<int>(720721, 3));
  ui.dialog<THurstForm>(Jumping(0))
      .dialog<THurstDividerForm>([](THurstDividerForm& f) {
        EXPECT_EQ(f.TNDataEdit->text().toStdString(), "720720");
        EXPECT_EQ(f.TNDivisorsEdit->text().toStdString(), "240");
        return Dividers(1)(f);
      })
      .message("ERROR", "More than 127 dividers selected")
      .dialog<THurstDividerForm>([](THurstDividerForm&) { return ui::mrCancel; });
  MainForm->HurstTreatment1Click();
  EXPECT_EQ(Results(), before);
}

// No spread at all: no point to fit. The message, and the former result stays.
TEST_F(HurstTreatmentTest, FlatSequenceHasNoExponent) {
  PutGrayToneSequence(std::vector<int>(100, 42));
  ReportInto(Path("r.txt"));
  const auto before = Results();
  const char* const undefined =
      "Hurst Exponent undefined:\nfewer than 2 window sizes\nwith values that differ";
  ui.dialog<THurstForm>(Sliding(0, 2, 3, 5)).message("HURST", undefined);
  MainForm->HurstTreatment1Click();
  ui.dialog<THurstForm>(Jumping(0)).dialog<THurstDividerForm>(Dividers(2, 2, 5)).message("HURST", undefined);
  MainForm->HurstTreatment1Click();
  EXPECT_EQ(Results(), before);
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(EnabledOf("HurstExponent1"), "");
}

// 0, 1, 0, 1, ... in windows of even sizes: every window has deviation 0.5, so the slope is 0 and
// the correlation has no spread to divide by: "undefined", never nan.
TEST_F(HurstTreatmentTest, EqualDeviationsHaveNoCorrelation) {
  std::vector<int> alternate(9);
  for (std::size_t k = 0; k < alternate.size(); ++k) alternate[k] = static_cast<int>(k % 2);
  PutGrayToneSequence(alternate);
  ReportInto(Path("r.txt"));
  ui.dialog<THurstForm>(Jumping(0))
      .dialog<THurstDividerForm>(Dividers(2, 2, 4))  // L' = 8: sizes 2, 4 and 8
      .message("HURST", "R2 = undefined Hurst Exponent = 0.000000 ")
      .ok<TDiagHurstResultForm>();
  MainForm->HurstTreatment1Click();
  ui.dialog<THurstForm>(Sliding(0, 2, 2, 2))
      .message("HURST", "num_step = 2 Hurst Exponent = 0.000000 ")
      .ok<TDiagHurstResultForm>();
  MainForm->HurstTreatment1Click();
  EXPECT_TRUE(std::isnan(MainForm->HurstR2));
  EXPECT_NE(Report().find("\n\tHurst Value = 0.000000 \n\tR2 = undefined "), std::string::npos) << Report();
  EXPECT_EQ(Report().find("nan"), std::string::npos);
}

// With the report off the saved file waits; a new result may be saved again, and the next run
// with the report on names the file.
TEST_F(HurstTreatmentTest, SavedFileWaitsForTheReport) {
  PutGrayToneSequence(fixtures::RandomWalk(300, 2));
  ReportForm->ReportOff = 1;
  ASSERT_TRUE(OpenReportFile(Path("r.txt")));
  auto run = [&](const std::string& saveAs) {
    ui.dialog<THurstForm>(Sliding(0, 10, 5, 10))
        .message(
            "HURST",
            "num_step = 10 Hurst Exponent = " +
                Fixed(FitHurst(SlidingDeviations(MainForm->GtsValues.data(), 300, SlidingSizes(10, 5, 10)))
                          .Slope) +
                " ");
    if (saveAs.empty())
      ui.ok<TDiagHurstResultForm>();
    else
      ui.press<TDiagHurstResultForm>(&TDiagHurstResultForm::BitBtnSaveClick).save(Path(saveAs));
    MainForm->HurstTreatment1Click();
  };
  run("first");
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(std::tuple(MainForm->DiagramSavedFlags.HurstSaved, MainForm->DiagramSavedFlags.HurstPending),
            std::tuple(1, 1));
  ReportForm->ReportOff = 0;
  run("");
  EXPECT_NE(
      Report().find("\n\n\tHurst Exponent Calculation registered\n\tin the file " + Path("first.xls") + " "),
      std::string::npos);
  EXPECT_EQ(MainForm->DiagramSavedFlags.HurstPending, 0);
  EXPECT_EQ(MainForm->DiagramSavedFlags.HurstSaved, 0);  // the new result is not saved yet
  run("second");
  EXPECT_TRUE(std::filesystem::exists(Path("second.xls")));
}

}  // namespace
