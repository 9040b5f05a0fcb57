// Diagram windows: the files their Save writes, the once-per-result guard, the showing's report line.
#include "Program.h"
#include "app/Report.h"
#include "diagrams/DiagramForms.h"

namespace {

constexpr const char* kRegistered = "This diagram has been already registered ";
constexpr const char* kTwoPointRows = "0.000000\t2.197225\n0.693147\t1.098612\n";
const std::string kBoxCountingLine = "\n\n\tBox Counting Diagram registered\n\tin the file ";

class DiagramsTest : public ProgramTest {
 protected:
  std::string Report() { return ReadFile(Path("r.txt")); }
  // A two-point box counting result: sizes 1 and 2, counts 9 and 3.
  void TwoPointBoxCounting() {
    TMainForm& m = *MainForm;
    m.BoxCountingPointCount = 2, m.BoxCountingLogSize = {0, 0.693147}, m.BoxCountingSizes = {1, 2};
    m.BoxCountingLogCount = {2.197225, 1.098612};
  }
  // Shows the box counting window from the Diagram menu and presses Save in it.
  void ShowAndSave(const std::string& name, int filterIndex = 1) {
    PressSave();
    ui.save(Path(name), filterIndex);
    MainForm->DiagFractal1Click();
  }
  void PressSave() { ui.press<TDiagBoxCountingForm>(&TDiagBoxCountingForm::BitBtnSaveClick); }
};

// Cancelled or failed: nothing; saved with the report off: named once later; saved again: refused.
TEST_F(DiagramsTest, BoxCountingSaveFromFirstToLast) {
  TMainForm& m = *MainForm;
  TwoPointBoxCounting();
  m.WorkDirectory = Dir().string();
  ReportInto(Path("r.txt"));
  const std::string target = Path("missing/bc");
  PressSave();
  ui.cancelSave();
  PressSave();
  ui.save(target).message("ERROR", "The file " + target + ".xls cannot be written");
  m.DiagFractal1Click();
  m.DiagFractal1Click();
  EXPECT_EQ(DiagBoxCountingForm->FileName + Report(), "");
  const ui::FileDialogSpec& asked = ui.FileDialogs().at(0);
  EXPECT_EQ(std::tuple(asked.title, asked.filter, asked.initialDir),
            std::tuple("SAVE DIAGRAM", "File .xls|*.xls|File .ts|*.ts", Dir().string()));
  // ".xls" even under the second filter, and added once.
  ReportForm->ReportOff = 1;
  ShowAndSave("bc.xls", 2);
  EXPECT_EQ(ReadFile(Path("bc.xls")) + Report(), kTwoPointRows);
  ReportForm->ReportOff = 0;
  ui.ok<TDiagBoxCountingForm>();
  m.DiagFractal1Click();
  const std::string line = kBoxCountingLine + Path("bc.xls") + " ";
  EXPECT_EQ(Report(), line);
  // Saved again: refused, the file kept; shown again: no second line.
  WriteFile(Path("bc.xls"), "kept");
  PressSave();
  ui.message("REGISTRATION", kRegistered);
  m.DiagFractal1Click();
  EXPECT_EQ(std::tuple(ReadFile(Path("bc.xls")), Report()), std::tuple("kept", line));
  // A new result may be saved again; over an existing file only when the person agrees.
  NewDiagramResult(m.DiagramSavedFlags.BoxCountingSaved, m.DiagramSavedFlags.BoxCountingPending);
  PressSave();
  ui.save(Path("bc")).message("CAUTION", ReplaceQuestion({Path("bc.xls")}), ui::IDNO);
  m.DiagFractal1Click();
  EXPECT_EQ(std::tuple(ReadFile(Path("bc.xls")), Report()), std::tuple("kept", line));
  ShowAndSave("bc2");
  EXPECT_EQ(ReadFile(Path("bc2.xls")), kTwoPointRows);
}

// A window's Save button, pressed in its next showing or at once.
struct SaveButton {
  std::function<void(Script&)> inShowing;
  std::function<void()> now;
};

template <class T, class B = T>
SaveButton Button(T*& form, void (B::*save)() = &T::BitBtnSaveClick) {
  return {[save](Script& ui) { ui.press<T>(save); }, [&form, save] { (form->*save)(); }};
}

struct SaveCase {
  const char* name;
  SaveButton save;
  std::function<void()> show;  // its menu entry; none: Save is pressed at once
  int filterIndex;
  std::string file;  // written name, extension included
  std::string bytes;
  std::string line = {};  // what the showing logs before " registered\n\tin the file "; none: nothing
  bool guarded = true;    // a second save only says so
  const char* title = "SAVE DIAGRAM";
};

// Each window's Save: the file for known data, the showing's line, and a second save of the result.
TEST_F(DiagramsTest, EachWindowWritesItsRowsAndItsShowingLogsThem) {
  TMainForm& m = *MainForm;
  std::tie(m.ProgressivePointCount, m.CirclePointCount, m.HurstPointCount, m.LacunCount, m.FractalThCount) =
      std::tuple(2, 2, 2, 2, 2);  // Hurst from index 1
  std::tie(m.OrientationLength, m.PerimSequenceLength) = std::tuple(3, 3);
  m.ProgressiveLogSize = {0, 1.5}, m.ProgressiveLogCount = {3, 2}, m.CircleLogSize = {0, 1};
  m.LinealLineLogSize = m.LinealColumnLogSize = {0, 1, 2, 3, 4, 5};
  m.LinealLineLogCount = {5, 4, 3, 2, 1, 0.5}, m.CircleLogCount = {2, 1};
  m.HurstLogDeviation = {9, 0.1, 0.2}, m.HurstLogWindow = {9, 0.3, 0.6};
  // Local fractal bins 2.00 to 3.00 are written.
  m.BinCounts[150] = 9, m.BinCounts[200] = 5, m.BinCounts[250] = 7, m.BinCounts[300] = 1;
  std::string localFractalRows;
  for (int b = 200; b <= 300; ++b)
    localFractalRows += Format("%d.%02d0000\t%d\n", b / 100, b % 100, m.BinCounts[b]);
  m.LacunWindowSizes = {3, 5}, m.LacunValues = {1.5, 1.25}, m.LacunLogWindowSizes = {0.477121, 0.698970};
  m.LacunLogValues = {0.176091, 0.096910};
  m.OrientationValues = {0, 90, 180, 270, 0};  // entries 1 .. 3 hold the angles
  m.Distances = {3, 4, 5}, m.FractalThGrays = {10, 20}, m.FractalThDimensions = {1.5, 1.75};
  // Dimensions, densities and radii of each step, first radius, pixel size, steps, last radius.
  m.Expansion = {{0, 1.5, 1.25, 0}, {0, 50, 40, 0}, {0, 10, 11, 0}, 10, 2, 2, 12};
  const std::vector<SaveCase> cases = {
      {"progressive", Button(DiagProgrBoxCountingForm), [&] { m.ProgrBoxCounting1Click(); }, 2, "p.xls",
       "0.0000\t3.000000\n1.5000\t2.000000\n", "\n\n\tProgressive Box Counting Diagram"},
      {"horizontal lineal", Button(DiagLinFractLineForm), [&] { m.DiagLinFract1Click(); }, 1, "h.xls",
       "0.0000\t5.000000\n1.0000\t4.000000\n2.0000\t3.000000\n3.0000\t2.000000\n4.0000\t1.000000\n"
       "5.0000\t0.500000\n",
       "\n\n\tHorizontal Segment Counting Diagram"},
      {"vertical lineal", Button(DiagLinFractColForm), [&] { m.DiagLinFract2Click(); }, 1, "v.xls",
       "0.0000\t0.000000\n1.0000\t0.000000\n2.0000\t0.000000\n3.0000\t0.000000\n4.0000\t0.000000\n"
       "5.0000\t0.000000\n",
       "\n\n\tVertical Segment Counting Diagram"},
      {"circle", Button(DiagRadiusForm, &TDiagRadiusForm::SaveButtonClick), [&] { m.CircleScanning1Click(); },
       1, "c.xls", "0.0000\t2.000000\n1.0000\t1.000000\n", "\n\tScanning Circle Treatment"},
      {"hurst, logged by its treatment", Button(DiagHurstResultForm), [&] { m.HurstExponent1Click(); }, 1,
       "hu.xls", "0.1000\t0.300000\n0.2000\t0.600000\n", "", true, ""},
      {"local fractal", Button(DiagLocFractDimForm), [&] { m.DiagLocalFractal1Click(); }, 1, "lf.xls",
       localFractalRows, "\n\n\tLocal Fractal Dimension Diagram"},
      {"lacunarity, five columns", Button(DiagLacunForm), nullptr, 1, "lac.xls",
       "1\t3\t1.500000\t0.477121\t0.176091\n2\t5\t1.250000\t0.698970\t0.096910\n"},
      {"orientation, second filter", Button(OrientationPerimForm), [&] { m.DiagCircleScanClick(); }, 2,
       "o.ts", "90\n180\n270\n", "\n\n\tPerimeter Orientation Diagram"},
      {"roughness, second filter", Button(PerimeterRoughnessForm2), [&] { m.PerimeterRoughness1Click(); }, 2,
       "ro.ts", "3\n4\n5\n", "\n\n\tPerimeter Roughness Diagram", false},
      {"exploration, logged by its treatment", Button(ExplorForm), [&] { m.FractalCurve1Click(); }, 1,
       "ex.xls", "10\t1.500000\n20\t1.750000\n"},
      {"expansion, every step at its radius",
       Button(RadialExpansionForm, &TRadialExpansionForm::BitBtn1Click), [&] { m.RadialExpansion1Click(); },
       1, "exp.xls",
       "Radius Pix.\tDim. Fract.\tDensity\tRadius meters\n10\t1.5000\t50.0000\t20\n11\t1.2500\t40.0000\t22\n",
       "\n\n\tCorresponding .xls File"},
  };
  ReportInto(Path("r.txt"));
  std::string report;
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string stem = c.file.substr(0, c.file.rfind('.'));
    if (c.show) c.save.inShowing(ui);
    ui.save(Path(stem), c.filterIndex);
    c.show ? c.show() : c.save.now();
    EXPECT_EQ(ReadFile(Path(c.file)), c.bytes);
    EXPECT_EQ(ui.FileDialogs().back().title, c.title);
    if (!c.line.empty()) report += c.line + " registered\n\tin the file " + Path(c.file) + " ";
    EXPECT_EQ(Report(), report);
    // Saved again: refused, or under another name with the first filter.
    c.guarded ? ui.message("REGISTRATION", kRegistered) : ui.save(Path(stem), 1);
    c.save.now();
    EXPECT_TRUE(c.guarded || ReadFile(Path(stem + ".xls")) == c.bytes);
  }
  // Waiting for their treatments' lines; the roughness has a pending flag of its own.
  const DiagramFlags& flags = m.DiagramSavedFlags;
  EXPECT_EQ(std::tuple(flags.HurstPending, flags.ExplorationPending, flags.LacunarityPending,
                       flags.OrientationPending),
            std::tuple(1, 1, 1, 0));
  EXPECT_EQ(m.SavedFileName, Path("lac"));
  EXPECT_EQ(m.UrbanXlsFlags[uxExpansion], 0);  // the refused second save leaves nothing to name
}

}  // namespace
