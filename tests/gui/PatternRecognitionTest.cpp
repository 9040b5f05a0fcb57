#include <sstream>

#include "Program.h"
#include "binary/Labeliz.h"
#include "binary/PatternRecognition.h"
#include "fixtures/Blocks.h"
#include "fixtures/ScratchFiles.h"

namespace {

constexpr const char* kEnd = "End of the treatment\n\nResults reported in the Report File";
constexpr const char* kEndNoReport = "End of the treatment\n\nNota: no Report";

// Panel 2 holding `labels` as a labeling leaves it.
void LoadLabeled(BytePlane labels) {
  LoadBinary(std::move(labels));
  MainForm->HasBinaryImage = 0;
  MainForm->HasLabeledImage = 1;
  MainForm->Enable({"Pattern1"});
  LabelizForm->MinSize = 1;
  LabelizForm->MaxSize = 500;
}

// Code 1: a rectangle of 5 columns x 4 lines; code 2: a 9 x 9 square with a 3 x 3 hole.
BytePlane RectangleAndRing() {
  BytePlane labels = UniformPlane(30, 14);
  FillBlock(labels, 2, 2, 4, 5, 1);
  FillBlock(labels, 2, 10, 9, 9, 2);
  FillBlock(labels, 5, 13, 3, 3, 255);
  return labels;
}

// The rectangle's report differs from the ring's in the lines of an item without holes only.
const std::string kNoHole =
    "\n\t\tPerimeter Convexity Index [RCI] = 100.000000 \n\t\tNo hole\n\t\tPorosity rate (percentage) = 0 "
    "\n\t\tExternal Convexity Index = 100.000000 ";

const std::string kRingReport =
    "\n\n\tPARAMETERS OF THE ITEM 2  \n\n\t\tInitial surface (in pixels) = 72\t(in meters) = 288.000000 "
    "\n\t\tGravity center i = 6 j = 14 \n\t\tPerimeter (in pixels) = 44\t (in meters) = 88.000000"
    "\n\t\tRecalculated Surface (in pixels) = 50.000000\t (in m2) = 200.000000 "
    "\n\t\tPerimeter Length (in pixels) = 51.312000\t(in meters) = 102.624000 "
    "\n\t\tRodondity (in pixels) = 26.888889 "
    "\n\t\tRatio perimeter/surface (in pixels) = 61.111111 (euclidian) = 102.624000 "
    "\n\t\tConvexity Index = 88.888889 \n\t\tConvex Perimeter = 32"
    "\n\t\tPerimeter Convexity Index [RCI] = 72.727273 \n\t\tNumber of Holes = 1 "
    "\n\t\tNumber of hole pixels = 9 \n\t\tSize of the Holes :\n\t\tmin = 9  max = 9  mean = 9 "
    "\n\t\tPorosity Rate (Percentage) = 11.111111 \n\t\tConvex Porosity Rate (Percentage) = 11.111111 "
    "\n\t\tExternal Convexity Index = 100.000000 \n\t\tExternal Perimeter Convexity Index = 100.000000 "
    "\n\t\tPerimeter (in pixels) = 44\n\t\tRadius of the corresponding circle = 3.989423 "
    "\n\t\tPerimeter of the corresponding circle = 25.066283\n\t\tRATIO = 1.755346 "
    "\n\t\tExternal Perimeter (in pixels) = 37.656000\t(in meters) = 75.312000 "
    "\n\t\tExternal RATIO = 1.502257 ";

const std::string kTableHeader =
    "Num. Item\tSurf (pixels)\tSurf (meters)\tRec. Surf (pix)\tRec. Surf (meters)\tPerim (pixels)\t"
    "Perim (meters)\tPerim length (pix)\tPerim length (meters)\tRod.index\tPerimSurf (pix)\t"
    "PerimSurf (eucl.)\tConvexity Index\tConvex Perim (pix.)\tPerim Conv. Index\tNum. Holes\t"
    "Porosity Rate\tConvex Porosity Rate\tExt.Conv.Index\tExt.Perim.Conv.Index\tRadius Circle\t"
    "Perim. Circle\tRatio 1\tExtern. Perim (pix.)\tExtern. Perim (meters)\tRatio 2\n";

const std::string kRectangleAndRingTable =
    kTableHeader +
    "1\t20\t80.000000\t13.000000\t52.000000\t14\t28.000000\t19.656000\t39.312000\t9.800000\t70.000000\t"
    "151.200000\t100.000000\t14\t100.000000\t0\t0.000000\t0.000000\t100.000000\t100.000000\t2.034214\t"
    "12.781346\t1.095346\t19.656000\t39.312000\t1.537866\n"
    "2\t72\t288.000000\t50.000000\t200.000000\t44\t88.000000\t51.312000\t102.624000\t26.888889\t"
    "61.111111\t102.624000\t88.888889\t32\t72.727273\t1\t11.111111\t11.111111\t100.000000\t100.000000\t"
    "3.989423\t25.066283\t1.755346\t37.656000\t75.312000\t1.502257\n";

std::string Header(const std::string& table) {
  std::string header =
      "\n\n PATTERN RECOGNITION "
      "\n applied to the labelized image"
      "\n\n\tSize of the researched items:"
      "\n\tMinimum: 1\tMaximum: 500";
  if (!table.empty()) header += "\n\n\tCorresponding .xls File registered\n\tin the file " + table + " ";
  return header;
}

// The dialog with this pixel size, "yes" pressed (the save dialog comes next in the script).
auto PixelSizeAndTable(const char* size) {
  return [size](TPatternRecognitionForm& f) {
    f.PixelSizeEdit->setText(QString::fromUtf8(size));
    f.RadioButton1Click();
    return ui::mrOk;
  };
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

class PatternRecognitionTest : public ProgramTest {
 protected:
  // Runs on `labels` with a table to `table` (empty: the dialog closed); returns the report.
  std::string Run(BytePlane labels, const std::string& table) {
    LoadLabeled(std::move(labels));
    const std::string report = ReportInto(Path(table + ".txt"));
    if (table.empty())
      ui.dialog<TPatternRecognitionForm>([](TPatternRecognitionForm&) { return ui::mrCancel; });
    else
      ui.dialog<TPatternRecognitionForm>(PixelSizeAndTable("1")).save(Path(table));
    ui.message("END", kEnd);
    MainForm->PatRecTreatment1Click();
    return ReadFile(report);
  }
};

TEST_F(PatternRecognitionTest, RectangleAndRingInTheReportAndTheTable) {
  TMainForm& m = *MainForm;
  struct Case {
    bool reportOn;
    std::string typed, table;  // a table in no folder cannot be written: said, the treatment goes on
  };
  for (const Case& c : {Case{true, "on", "on.xls"}, Case{false, "off", "off.xls"},
                        Case{true, "no/such/shapes.xls", "no/such/shapes.xls"}}) {
    SCOPED_TRACE(c.typed);
    LoadLabeled(RectangleAndRing());
    m.WorkDirectory = Dir().string();
    const std::string report = ReportInto(Path(c.typed.substr(0, 2) + ".txt"));  // on, of, no
    ReportForm->ReportOff = c.reportOn ? 0 : 1;
    m.PatternTableRequested = 0;
    m.HoleCount = 5;
    const std::string table = Path(c.table);
    const bool writable = c.table.find('/') == std::string::npos;
    ui.dialog<TPatternRecognitionForm>(PixelSizeAndTable("2")).save(Path(c.typed));
    if (!writable) ui.message("ERROR", "The file\n" + table + "\ncannot be written");
    ui.message("END", c.reportOn ? kEnd : kEndNoReport);
    m.PatRecTreatment1Click();
    EXPECT_EQ(ReadFile(table), writable ? kRectangleAndRingTable : "");
    // A table that could not be written is not registered: the report names none.
    const std::string text = ReadFile(report);
    if (c.reportOn) {
      EXPECT_EQ(
          text.rfind(
              Header(writable ? table : "") + "\n\tNumber of items = 2\n\n\tPARAMETERS OF THE ITEM 1  ", 0),
          0u);
      EXPECT_TRUE(text.find(kNoHole) != std::string::npos && text.ends_with(kRingReport));
    } else {
      EXPECT_EQ(text, "");
    }
    const ui::FileDialogSpec& asked = ui.FileDialogs().back();
    EXPECT_EQ(
        std::tuple(asked.title, asked.filter, asked.initialDir),
        std::tuple(std::string("Saving File"), std::string("File Excel [*.xls]|*.xls"), Dir().string()));
    // The hole census of the last item stays in the state.
    EXPECT_EQ(std::tuple(m.HoleCount, m.HoleMinSize, m.HoleMaxSize, m.HoleTotalSize, m.ItemCount,
                         m.PatternTableRequested),
              std::tuple(1, 9, 9, 9, 2, 1));
    EXPECT_EQ(PatternRecognitionForm->PixelSize, 2.0);
  }
}

// Codes 1 .. 9 and 11 from a labeling; every code present, 10 on the frame only; a single item.
TEST_F(PatternRecognitionTest, WhichCodesAreMeasured) {
  BytePlane labels = UniformPlane(50, 10);
  const int codes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11};
  for (int k = 0; k < 10; ++k) FillBlock(labels, 2, 2 + 4 * k, 3, 3, static_cast<std::uint8_t>(codes[k]));
  std::string text = Run(std::move(labels), "ten.xls");
  std::vector<std::string> rows = Lines(ReadFile(Path("ten.xls")));
  std::string firsts;
  for (const std::string& row : rows) firsts += row.substr(0, row.find('\t')) + " ";
  EXPECT_EQ(firsts, "Num. Item 1 2 3 4 5 6 7 8 9 11 ");
  EXPECT_NE(
      text.find(Header(Path("ten.xls")) +
                "\n\tNumber of items = 10\n\tCaution : the value 10 is not affected\n\tbecause this values "
                "correspond to a system order\n\n\tPARAMETERS OF THE ITEM 1  "),
      std::string::npos);
  EXPECT_NE(text.find("PARAMETERS OF THE ITEM 11  "), std::string::npos);
  EXPECT_EQ(text.find("PARAMETERS OF THE ITEM 10 "), std::string::npos);
  EXPECT_EQ(MainForm->ItemCount, 11);
  // Code 10 (another program's labels) lies on the frame only; code 3 is a 2 x 2 block.
  labels = UniformPlane(12, 10);
  FillBlock(labels, 0, 2, 1, 4, 10);
  FillBlock(labels, 4, 4, 2, 2, 3);
  text = Run(std::move(labels), "items");
  rows = Lines(ReadFile(Path("items.xls")));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].substr(0, 2), "3\t");
  std::string frameRow = "10\t4\t4.000000";
  for (int k = 3; k < 26; ++k) frameRow += "\tundefined";
  EXPECT_EQ(rows[2], frameRow);
  EXPECT_NE(text.find("\n\tNumber of items = 2\n\n\tPARAMETERS OF THE ITEM 3  "), std::string::npos);
  EXPECT_NE(text.find("\n\n\tPARAMETERS OF THE ITEM 10  "
                      "\n\n\t\tInitial surface (in pixels) = 4\t(in meters) = 4.000000 "
                      "\n\t\tGravity center i = 0 j = 3 "
                      "\n\t\tNot measurable: no pixel of the item lies inside the image frame"),
            std::string::npos);
  EXPECT_EQ(MainForm->ItemCount, 10);
  // One item, no table asked; closing the dialog runs the treatment, as it has no Cancel.
  MainForm->PatternTableRequested = 0;
  labels = UniformPlane(10, 10);
  FillBlock(labels, 3, 3, 2, 3, 200);
  EXPECT_EQ(Run(std::move(labels), "")
                .rfind(Header("") + "\n\tOnly one item\n\n\tPARAMETERS OF THIS ITEM \n\n\t\tInitial "
                                    "surface (in pixels) = 6\t(in meters) = 6.000000 ",
                       0),
            0u);
  EXPECT_EQ(MainForm->ItemCount, 200);
  EXPECT_TRUE(PatternRecognitionForm->CloseIsOk);
}

TEST_F(PatternRecognitionTest, NeedsALabeledImageAndRefusesMoreThan253CodesBeforeAnyMeasureOrTable) {
  TMainForm& m = *MainForm;
  BytePlane labels = UniformPlane(40, 40);
  for (int code = 1; code <= 254; ++code) labels[1 + 2 * ((code - 1) / 19)][1 + 2 * ((code - 1) % 19)] = code;
  LoadBinary(labels.Clone());
  m.Enable({"Pattern1"});
  const std::string report = ReportInto(Path("report.txt"));
  ui.message("ERROR", "A former labelization is required");
  m.PatRecTreatment1Click();
  EXPECT_EQ(std::tuple(m.IsEnabled("Pattern1"), ReadFile(report)), std::tuple(false, std::string()));
  LoadLabeled(std::move(labels));
  ui.dialog<TPatternRecognitionForm>(PixelSizeAndTable("1"))
      .save(Path("many"))
      .message("ERROR", "More than 253 items\nPlease check the labelization");
  m.PatRecTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            Header("") +
                "\n\tNumber of items = 254\n\tCaution : the value 10 is not affected\n\tbecause "
                "this values correspond to a system order");
  EXPECT_FALSE(std::filesystem::exists(Path("many.xls")));
  EXPECT_EQ(m.ItemCount, 254);
}

TEST_F(PatternRecognitionTest, DialogChoicesOfTheTable) {
  TMainForm& m = *MainForm;
  TPatternRecognitionForm& f = *PatternRecognitionForm;
  EXPECT_EQ(f.PixelSizeEdit->text().toStdString(), "1");
  EXPECT_EQ(f.PixelSize, 1.0);
  f.PixelSizeEdit->setText(QStringLiteral("2.5m"));
  EXPECT_EQ(f.PixelSize, 2.5);
  EXPECT_FALSE(f.RadioButton1->isChecked() || f.RadioButton2->isChecked());
  // A cancelled name requests nothing; a name with its extension keeps it; "no" withdraws the request.
  ui.cancelSave().save(Path("t.xls"));
  f.RadioButton1Click();
  EXPECT_EQ(std::tuple(m.PatternTableRequested, f.RadioButton1->isChecked()), std::tuple(0, false));
  f.RadioButton1Click();
  EXPECT_EQ(std::tuple(m.PatternTableRequested, f.TableFileName, f.RadioButton1->isChecked()),
            std::tuple(1, Path("t.xls"), true));
  f.RadioButton2Click();
  EXPECT_EQ(std::tuple(m.PatternTableRequested, f.RadioButton1->isChecked(), f.RadioButton2->isChecked()),
            std::tuple(0, false, true));
  // An existing table is replaced only when the person agrees; No is a cancelled name.
  WriteFile(Path("old.xls"), "earlier");
  ui.save(Path("old")).message("CAUTION", ReplaceQuestion({Path("old.xls")}), ui::IDNO);
  f.RadioButton1Click();
  EXPECT_EQ(std::tuple(m.PatternTableRequested, f.TableFileName, f.RadioButton2->isChecked()),
            std::tuple(0, Path("t.xls"), true));
}

// A pixel size whose metres are beyond the doubles is asked again, the measures kept; a report that
// fills up on the way is off at the end, and the end says so.
TEST_F(PatternRecognitionTest, PixelSizeBeyondTheDoublesAndAReportOffOnTheWay) {
  TMainForm& m = *MainForm;
  LoadLabeled(RectangleAndRing());
  m.PatternTableRequested = 0;
  m.ReportPath = ReportInto(Path("report.txt"));
  const auto size = [](const char* text) {
    return [text](TPatternRecognitionForm& f) { return f.PixelSizeEdit->setText(text), ui::mrOk; };
  };
  ui.dialog<TPatternRecognitionForm>(size("1e200"))  // surfaces of 1e400 m2
      .message("ERROR", "Pixel Size out of range:\nthe results cannot be computed")
      .dialog<TPatternRecognitionForm>(size("2"))
      .message("ERROR", "The report file\n" + m.ReportPath + "\ncannot be written\nThe report is off")
      .message("END", kEndNoReport);
  {
    FileSizeLimit full(300);  // the header and the count, not the first item
    m.PatRecTreatment1Click();
  }
  EXPECT_TRUE(ui.Finished());
  const std::string text = ReadFile(m.ReportPath);
  EXPECT_EQ(std::tuple(text.rfind(Header("") + "\n\tNumber of items = 2", 0), text.size() <= 300,
                       text.find("inf"), ReportForm->ReportOff),
            std::tuple(0u, true, std::string::npos, 1));
  // Off from the start: the same end.
  ui.dialog<TPatternRecognitionForm>(size("2")).message("END", kEndNoReport);
  m.PatRecTreatment1Click();
  EXPECT_EQ(ReadFile(m.ReportPath), text);
}
