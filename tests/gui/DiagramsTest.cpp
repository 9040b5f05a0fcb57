// Diagram windows: the files their Save writes, the once-per-result guard, the
// report line written by the showing handler, and what they paint.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "app/Report.h"
#include "diagrams/DiagramForms.h"
#include "panels/ReportForm.h"

namespace {

class DiagramsTest : public ProgramTest {
 protected:
  void ReportOn() { ReportInto(Path("r.txt")); }
  std::string Report() { return ReadFile(Path("r.txt")); }

  // A two-point box counting result: sizes 1 and 2, counts 9 and 3.
  void TwoPointBoxCounting() {
    MainForm->BoxCountingPointCount = 2;
    MainForm->BoxCountingLogSize = {0, 0.693147};
    MainForm->BoxCountingLogCount = {2.197225, 1.098612};
    MainForm->BoxCountingSizes = {1, 2};
    MainForm->BoxCountingDimension = 1.585;
  }

  // Shows the box counting window from the Diagram menu and presses Save in it.
  void ShowAndSave(const std::string& name, int filterIndex = 1) {
    PressSave();
    ui.save(Path(name), filterIndex);
    MainForm->DiagFractal1Click();
  }
  void PressSave() { ui.press<TDiagBoxCountingForm>(&TDiagBoxCountingForm::BitBtnSaveClick); }
};

constexpr const char* kTwoPointRows = "0.000000\t2.197225\n0.693147\t1.098612\n";
const std::string kBoxCountingLine = "\n\n\tBox Counting Diagram registered\n\tin the file ";

TEST_F(DiagramsTest, BoxCountingSaveWritesXlsEvenUnderSecondFilterAndLogsOnce) {
  TwoPointBoxCounting();
  MainForm->WorkDirectory = Dir().string();
  ReportOn();
  ShowAndSave("bc", 2);

  EXPECT_EQ(ReadFile(Path("bc.xls")), kTwoPointRows);
  ASSERT_EQ(ui.FileDialogs().size(), 1u);
  EXPECT_EQ(ui.FileDialogs()[0].title, "SAVE DIAGRAM");
  EXPECT_EQ(ui.FileDialogs()[0].filter, "File .xls|*.xls|File .ts|*.ts");
  EXPECT_EQ(ui.FileDialogs()[0].initialDir, Dir().string());
  EXPECT_EQ(DiagBoxCountingForm->FileName, Path("bc.xls"));
  EXPECT_EQ(Report(), kBoxCountingLine + Path("bc.xls") + " ");
  EXPECT_EQ(MainForm->DiagramSavedFlags.BoxCountingSaved, 1);
  EXPECT_EQ(MainForm->DiagramSavedFlags.BoxCountingPending, 0);

  // Shown again without saving: no second line.
  ui.ok<TDiagBoxCountingForm>();
  MainForm->DiagFractal1Click();
  EXPECT_EQ(Report(), kBoxCountingLine + Path("bc.xls") + " ");
}

TEST_F(DiagramsTest, SecondSaveOfOneResultShowsOnlyTheRegistrationMessage) {
  TwoPointBoxCounting();
  ShowAndSave("bc");
  WriteFile(Path("bc.xls"), "kept");

  PressSave();
  ui.message("REGISTRATION", "This diagram has been already registered ");
  MainForm->DiagFractal1Click();
  EXPECT_EQ(ReadFile(Path("bc.xls")), "kept");
  EXPECT_EQ(ui.FileDialogs().size(), 1u);

  // A new result may be saved again.
  NewDiagramResult(MainForm->DiagramSavedFlags.BoxCountingSaved,
                   MainForm->DiagramSavedFlags.BoxCountingPending);
  EXPECT_EQ(MainForm->DiagramSavedFlags.BoxCountingPending, 0);
  ShowAndSave("bc2");
  EXPECT_EQ(ReadFile(Path("bc2.xls")), kTwoPointRows);
}

TEST_F(DiagramsTest, FileSavedWithTheReportOffIsLoggedByALaterShowing) {
  TwoPointBoxCounting();
  ReportForm->ReportOff = 1;
  ASSERT_TRUE(OpenReportFile(Path("r.txt")));
  ShowAndSave("bc");
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(MainForm->DiagramSavedFlags.BoxCountingPending, 1);

  ReportForm->ReportOff = 0;
  ui.ok<TDiagBoxCountingForm>();
  MainForm->DiagFractal1Click();
  EXPECT_EQ(Report(), kBoxCountingLine + Path("bc.xls") + " ");
  EXPECT_EQ(MainForm->DiagramSavedFlags.BoxCountingPending, 0);
}

TEST_F(DiagramsTest, CancelledOrFailedSaveChangesNothingAndTheExtensionIsAddedOnce) {
  TwoPointBoxCounting();
  ReportOn();
  const std::string target = Path("missing/bc");
  PressSave();
  ui.cancelSave();
  PressSave();
  ui.save(target).message("ERROR", "The file " + target + ".xls cannot be written");
  MainForm->DiagFractal1Click();
  MainForm->DiagFractal1Click();
  EXPECT_EQ(std::tuple(MainForm->DiagramSavedFlags.BoxCountingSaved,
                       MainForm->DiagramSavedFlags.BoxCountingPending),
            std::tuple(0, 0));
  EXPECT_EQ(DiagBoxCountingForm->FileName, "");
  EXPECT_EQ(Report(), "");

  ShowAndSave("bc.xls");
  EXPECT_EQ(ReadFile(Path("bc.xls")), kTwoPointRows);
  EXPECT_FALSE(std::filesystem::exists(Path("bc.xls.xls")));
}

// Each window's Save: the file it writes for known data.
struct SaveCase {
  const char* name;
  std::function<void()> fill;
  std::function<void()> save;
  int filterIndex;
  const char* file;  // written name, extension included
  std::string bytes;
  bool guarded = true;  // a second save of the same result only shows the registration message
};

std::string LocalFractalRows() {
  std::string rows;
  for (int b = 200; b <= 300; ++b) {
    const int count = b == 200 ? 5 : b == 250 ? 7 : b == 300 ? 1 : 0;
    rows += Format("%d.%02d0000\t%d\n", b / 100, b % 100, count);
  }
  return rows;
}

TEST_F(DiagramsTest, EachWindowWritesItsRows) {
  const std::vector<SaveCase> cases = {
      {"progressive",
       [] {
         MainForm->ProgressivePointCount = 2;
         MainForm->ProgressiveLogSize = {0, 1.5};
         MainForm->ProgressiveLogCount = {3, 2};
       },
       [] { DiagProgrBoxCountingForm->BitBtnSaveClick(); }, 2, "p.xls",
       "0.0000\t3.000000\n1.5000\t2.000000\n"},
      {"horizontal lineal",
       [] {
         MainForm->LinealLineLogSize = {0, 1, 2, 3, 4, 5};
         MainForm->LinealLineLogCount = {5, 4, 3, 2, 1, 0.5};
       },
       [] { DiagLinFractLineForm->BitBtnSaveClick(); }, 1, "h.xls",
       "0.0000\t5.000000\n1.0000\t4.000000\n2.0000\t3.000000\n3.0000\t2.000000\n4.0000\t1.000000\n"
       "5.0000\t0.500000\n"},
      {"vertical lineal", [] { MainForm->LinealColumnLogSize = {0, 1, 2, 3, 4, 5}; },
       [] { DiagLinFractColForm->BitBtnSaveClick(); }, 1, "v.xls",
       "0.0000\t0.000000\n1.0000\t0.000000\n2.0000\t0.000000\n3.0000\t0.000000\n4.0000\t0.000000\n"
       "5.0000\t0.000000\n",
       false},
      {"circle",
       [] {
         MainForm->CirclePointCount = 2;
         MainForm->CircleLogSize = {0, 1};
         MainForm->CircleLogCount = {2, 1};
       },
       [] { DiagRadiusForm->SaveButtonClick(); }, 1, "c.xls", "0.0000\t2.000000\n1.0000\t1.000000\n"},
      {"hurst, from index 1",
       [] {
         MainForm->HurstPointCount = 2;
         MainForm->HurstLogDeviation = {9, 0.1, 0.2};
         MainForm->HurstLogWindow = {9, 0.3, 0.6};
       },
       [] { DiagHurstResultForm->BitBtnSaveClick(); }, 1, "hu.xls", "0.1000\t0.300000\n0.2000\t0.600000\n"},
      {"local fractal, bins 2.00 to 3.00",
       [] {
         MainForm->BinCounts[150] = 9;
         MainForm->BinCounts[200] = 5;
         MainForm->BinCounts[250] = 7;
         MainForm->BinCounts[300] = 1;
       },
       [] { DiagLocFractDimForm->BitBtnSaveClick(); }, 1, "lf.xls", LocalFractalRows()},
      {"lacunarity, five columns",
       [] {
         MainForm->LacunCount = 2;
         MainForm->LacunWindowSizes = {3, 5};
         MainForm->LacunValues = {1.5, 1.25};
         MainForm->LacunLogWindowSizes = {0.477121, 0.698970};
         MainForm->LacunLogValues = {0.176091, 0.096910};
       },
       [] { DiagLacunForm->BitBtnSaveClick(); }, 1, "lac.xls",
       "1\t3\t1.500000\t0.477121\t0.176091\n2\t5\t1.250000\t0.698970\t0.096910\n"},
      {"orientation, first filter",
       [] {
         MainForm->OrientationValues = {0, 90, 180, 270, 0};  // entries 1 .. 3 hold the angles
         MainForm->OrientationLength = 3;
       },
       [] { OrientationPerimForm->BitBtnSaveClick(); }, 1, "o.xls", "90\n180\n270\n"},
      {"orientation, second filter", [] { MainForm->DiagramSavedFlags.OrientationSaved = 0; },
       [] { OrientationPerimForm->BitBtnSaveClick(); }, 2, "o2.ts", "90\n180\n270\n"},
      {"roughness, second filter",
       [] {
         MainForm->Distances = {3, 4, 5};
         MainForm->PerimSequenceLength = 3;
       },
       [] { PerimeterRoughnessForm2->BitBtnSaveClick(); }, 2, "ro.ts", "3\n4\n5\n", false},
      {"exploration",
       [] {
         MainForm->FractalThCount = 2;
         MainForm->FractalThGrays = {10, 20};
         MainForm->FractalThDimensions = {1.5, 1.75};
       },
       [] { ExplorForm->BitBtnSaveClick(); }, 1, "ex.xls", "10\t1.500000\n20\t1.750000\n"},
      {"expansion, every step at its radius",
       [] {
         ExpansionResults& e = MainForm->Expansion;
         e.FirstRadius = 10;
         e.StepCount = 2;
         e.LastRadius = 12;
         e.PixelSize = 2;
         e.Radii = {0, 10, 11, 0};
         e.FractalDimensions = {0, 1.5, 1.25, 0};
         e.Densities = {0, 50, 40, 0};
       },
       [] { RadialExpansionForm->BitBtn1Click(); }, 1, "exp.xls",
       "Radius Pix.\tDim. Fract.\tDensity\tRadius "
       "meters\n10\t1.5000\t50.0000\t20\n11\t1.2500\t40.0000\t22\n"},
  };
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.fill();
    const std::string file = c.file;
    ui.save(Path(file.substr(0, file.rfind('.'))), c.filterIndex);
    c.save();
    EXPECT_EQ(ReadFile(Path(file)), c.bytes);
    if (!c.guarded) continue;
    ui.message("REGISTRATION", "This diagram has been already registered ");
    c.save();
    EXPECT_TRUE(ui.Finished());
  }
  EXPECT_EQ(MainForm->SavedFileName, Path("lac"));
  EXPECT_EQ(OrientationPerimForm->FileName, Path("o2.ts"));
  const DiagramFlags& flags = MainForm->DiagramSavedFlags;
  EXPECT_EQ(std::tuple(flags.HurstSaved, flags.HurstPending, flags.LacunaritySaved, flags.LacunarityPending),
            std::tuple(1, 1, 1, 1));
  EXPECT_EQ(flags.RoughnessPending, 1);
  EXPECT_EQ(flags.OrientationPending, 1);
  EXPECT_EQ(MainForm->ExpansionSavedFlag, 1);
}

TEST_F(DiagramsTest, ExpansionFileIsNamedInTheReportOnlyOnceWritten) {
  ReportOn();
  MainForm->ExpansionSavedFlag = 1;
  ui.press<TRadialExpansionForm>(&TRadialExpansionForm::BitBtn1Click);
  ui.message("REGISTRATION", "This diagram has been already registered ");
  MainForm->RadialExpansion1Click();
  EXPECT_EQ(MainForm->UrbanXlsFlags[uxExpansion], 0);
  EXPECT_EQ(Report(), "");

  MainForm->ExpansionSavedFlag = 0;
  ui.press<TRadialExpansionForm>(&TRadialExpansionForm::BitBtn1Click);
  ui.save(Path("exp"));
  MainForm->RadialExpansion1Click();
  EXPECT_EQ(Report(), "\n\n\tCorresponding .xls File registered\n\tin the file " + Path("exp.xls") + " ");
  EXPECT_EQ(MainForm->UrbanXlsFlags[uxExpansion], 0);
}

// Handler, window, its save, and the line it logs.
struct LoggingCase {
  const char* name;
  std::function<void(Script&)> expectShow;  // the window's showing, pressing Save
  std::function<void()> show;
  std::string line;  // before the file name
};

template <class T, class B = T>
std::function<void(Script&)> ShowSaving(void (B::*save)()) {
  return [save](Script& ui) { ui.press<T>(save); };
}

TEST_F(DiagramsTest, DiagramMenuLogsEachSavedFile) {
  ReportOn();
  const std::vector<LoggingCase> cases = {
      {"horizontal",
       ShowSaving<TDiagLinFractLineForm, TDiagLinFractForm>(&TDiagLinFractForm::BitBtnSaveClick),
       [] { MainForm->DiagLinFract1Click(); },
       "\n\n\tHorizontal Segment Counting Diagram registered\n\tin the file "},
      {"vertical", ShowSaving<TDiagLinFractColForm, TDiagLinFractForm>(&TDiagLinFractForm::BitBtnSaveClick),
       [] { MainForm->DiagLinFract2Click(); },
       "\n\n\tVertical Segment Counting Diagram registered\n\tin the file "},
      {"progressive", ShowSaving<TDiagProgrBoxCountingForm>(&TDiagProgrBoxCountingForm::BitBtnSaveClick),
       [] { MainForm->ProgrBoxCounting1Click(); },
       "\n\n\tProgressive Box Counting Diagram registered\n\tin the file "},
      {"circle", ShowSaving<TDiagRadiusForm>(&TDiagRadiusForm::SaveButtonClick),
       [] { MainForm->CircleScanning1Click(); }, "\n\tScanning Circle Treatment registered\n\tin the file "},
      {"local fractal", ShowSaving<TDiagLocFractDimForm>(&TDiagLocFractDimForm::BitBtnSaveClick),
       [] { MainForm->DiagLocalFractal1Click(); },
       "\n\n\tLocal Fractal Dimension Diagram registered\n\tin the file "},
      {"orientation", ShowSaving<TOrientationPerimForm>(&TOrientationPerimForm::BitBtnSaveClick),
       [] { MainForm->DiagCircleScanClick(); },
       "\n\n\tPerimeter Orientation Diagram registered\n\tin the file "},
      {"roughness", ShowSaving<TPerimeterRoughnessForm2>(&TPerimeterRoughnessForm2::BitBtnSaveClick),
       [] { MainForm->PerimeterRoughness1Click(); },
       "\n\n\tPerimeter Roughness Diagram registered\n\tin the file "},
  };
  std::string expected;
  for (const LoggingCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.expectShow(ui);
    ui.save(Path(c.name));
    c.show();
    expected += c.line + Path(c.name) + ".xls ";
    EXPECT_EQ(Report(), expected);
  }
  // Roughness has a pending flag of its own: the orientation's is not touched.
  EXPECT_EQ(MainForm->DiagramSavedFlags.OrientationPending, 0);
  EXPECT_EQ(MainForm->DiagramSavedFlags.RoughnessPending, 0);
}

TEST_F(DiagramsTest, HurstAndExplorationEntriesShowWithoutLogging) {
  ReportOn();
  ui.press<TDiagHurstResultForm>(&TDiagHurstResultForm::BitBtnSaveClick).save(Path("h"), 1);
  MainForm->HurstExponent1Click();
  ui.press<TExplorForm>(&TExplorForm::BitBtnSaveClick).save(Path("e"), 1);
  MainForm->FractalCurve1Click();
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(MainForm->DiagramSavedFlags.HurstPending, 1);
  EXPECT_EQ(MainForm->DiagramSavedFlags.ExplorationPending, 1);
  EXPECT_EQ(ui.FileDialogs()[0].title, "");
  EXPECT_EQ(ui.FileDialogs()[0].filter, "");
}

}  // namespace
