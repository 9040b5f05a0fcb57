// Gray Tones Sequence > Treatment and Diagram > GTE Curve: values, menus, curve, file, report, refusals.
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "Program.h"
#include "app/Report.h"
#include "fixtures/Pixels.h"
#include "sequence/Firmagram.h"
#include "sequence/FirmagramParam.h"

namespace {

// Item, selected line and column, first line and column, last line and column, zone code, image.
using Bounds = std::array<int, 9>;

auto Choose(Bounds b) {
  return [b](TFirmagramParamForm& f) {
    int* const fields[] = {&f.StudiedItem, &f.SelectedLine, &f.SelectedColumn, &f.FirstLine, &f.FirstColumn,
                           &f.LastLine,    &f.LastColumn,   &f.ZoneCode,       &f.DataIn};
    for (int k = 0; k < 9; ++k) *fields[k] = b[k];
    return ui::mrOk;
  };
}

const std::string kGtsLine = "\n\tGray Tone Sequence [GTS] registered\n\tin the file ";
const std::string kWholeScene = "11\n12\n13\n14\n21\n22\n23\n24\n31\n32\n33\n";
constexpr const char* kEntries = "GTSTreatments1 Diagram1 DiagFirmagram1";

class GtsExtractionTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(MakeNumbered(6, 5, 10));  // pixel (i, j) = 10 i + j
    MainForm->WorkDirectory = Dir().string();
  }
  // One extraction, the window closed (after a Save when `saveAs` is given).
  void Extract(Bounds b, const std::string& saveAs = "") {
    ui.dialog<TFirmagramParamForm>(Choose(b));
    if (saveAs.empty())
      ui.ok<TFirmagramForm>();
    else
      ui.press<TFirmagramForm>(&TFirmagramForm::BitBtnSaveClick).save(Path(saveAs));
    MainForm->FirmagramTreatment1Click();
  }
};

TEST_F(GtsExtractionTest, WholeSceneSavedAndRegistered) {
  const std::string report = ReportInto(Path("r.txt"));
  ASSERT_EQ(EnabledOf(kEntries), "");
  Extract({1}, "gts");
  const TMainForm& m = *MainForm;
  // 5 x 6 without the border: 12 values, of which the readers use 11.
  EXPECT_EQ(std::tuple(m.GtsReady, m.GtsLength, m.GtsValues.size(), m.GtsValues[11]),
            std::tuple(1, 11, 12u, 34));
  EXPECT_EQ(ReadFile(Path("gts.xls")), kWholeScene);
  ASSERT_EQ(ui.FileDialogs().size(), 1u);
  EXPECT_EQ(std::tuple(ui.FileDialogs()[0].title, ui.FileDialogs()[0].filter, ui.FileDialogs()[0].initialDir),
            std::tuple("Save Firmagram", "File .xls|*.xls|File .ts|*.ts", Dir().string()));
  EXPECT_EQ(ReadFile(report), kGtsLine + Path("gts.xls") + " ");
  EXPECT_EQ(EnabledOf(kEntries), kEntries);
  EXPECT_EQ(std::tuple(m.DiagramSavedFlags.GtsSaved, m.DiagramSavedFlags.GtsPending), std::tuple(1, 0));
  EXPECT_EQ(std::tuple(FirmagramParamForm->Caption(), FirmagramForm->Caption()),
            std::tuple(" GTS Parameters", " Partial Gray Tones Sequence"));
  // Saved with the report off, the file waits; one sequence is saved once, even from the Diagram menu.
  const std::string named = ReadFile(report);
  ReportForm->ReportOff = 1;
  ui.dialog<TFirmagramParamForm>(Choose({1}))
      .press<TFirmagramForm>(&TFirmagramForm::BitBtnSaveClick)
      .save(Path("a"), 2);
  MainForm->FirmagramTreatment1Click();
  EXPECT_EQ(std::tuple(ReadFile(Path("a.ts")), ReadFile(report), m.DiagramSavedFlags.GtsPending),
            std::tuple(kWholeScene, named, 1));
  ui.press<TFirmagramForm>(&TFirmagramForm::BitBtnSaveClick)
      .message("REGISTRATION", "This diagram has been already registered ");
  MainForm->DiagFirmagram1Click();
  EXPECT_EQ(ui.FileDialogs().size(), 2u);
  ReportForm->ReportOff = 0;
  Extract({5, 0, 0, 0, 0, 4, 5}, "b");
  EXPECT_EQ(std::tuple(ReadFile(Path("b.xls")), ReadFile(report), m.DiagramSavedFlags.GtsPending),
            std::tuple("11\n12\n13\n21\n22\n", named + kGtsLine + Path("b.xls") + " ", 0));
  // A new image takes the sequence away.
  MainForm->DiagramSavedFlags.GtsPending = 1;
  OpenThroughTheMenu(BytePlane(4, 4));
  EXPECT_EQ(std::tuple(m.GtsReady, m.GtsLength, m.GtsValues.size(), m.DiagramSavedFlags.GtsPending,
                       EnabledOf(kEntries)),
            std::tuple(0, 0, 0u, 0, "GTSTreatments1 Diagram1"));
}

TEST_F(GtsExtractionTest, EachModeTakesItsPixelsAndRefusalsKeepTheFormerSequence) {
  BytePlane result = MakeNumbered(6, 5, 10);
  for (std::size_t k = 0; k < result.Size(); ++k) result.Data()[k] += 100;
  MainForm->ResultImage = std::move(result);
  MainForm->BinaryImage.Fill(255);
  MainForm->BinaryImage[0][0] = MainForm->BinaryImage[2][3] = MainForm->BinaryImage[4][5] = 9;
  // The walks are the kernel's tests; here the form's bounds, the codes of panel 2 and panel 3 as source.
  const std::pair<Bounds, std::vector<int>> cases[] = {
      {{2, 1, 0, 0, 0, 0, 5}, {11, 12, 13}},
      {{6, 0, 0, 0, 0, 0, 0, 9}, {0, 23, 45}},
      {{1, 0, 0, 0, 0, 0, 0, 0, 1}, {111, 112, 113, 114, 121, 122, 123, 124, 131, 132, 133, 134}},
  };
  for (const auto& [bounds, values] : cases) {
    Extract(bounds);
    EXPECT_EQ(std::tuple(MainForm->GtsValues, MainForm->GtsLength), std::tuple(values, values.size() - 1))
        << "mode " << bounds[0];
  }
  // Refused bounds bring the dialog back; Cancel keeps the former sequence.
  const std::vector<int> former = MainForm->GtsValues;
  MainForm->Enable({"Diagram1", "DiagFirmagram1"}, false);
  MainForm->DiagramSavedFlags.GtsSaved = 1;
  const std::string report = ReportInto(Path("r.txt"));
  const std::pair<Bounds, const char*> refusals[] = {
      {{2, 5, 0, 0, 0, 0, 5}, "Line number out of the frame"},
      {{2, 1, 0, 0, -1, 0, 5}, "First column number out of the frame"},
      {{2, 1, 0, 0, 0, 0, 6}, "Last column number out of the frame"},
      {{2, 1, 0, 0, 4, 0, 4}, "The first column must be smaller than the last column"},
      {{3, 0, 6, 0, 0, 4, 0}, "Selected column out of the frame"},
      {{3, 0, 2, -2, 0, 4, 0}, "First line out of the frame"},
      {{3, 0, 2, 0, 0, 5, 0}, "Last line out of the frame"},
      {{4, 0, 0, 2, 2, 2, 2}, "The first and the last points of the diagonal are the same"},
      {{4, 0, 0, 0, 0, 5, 0}, "Last line out of the frame"},
      {{4, 0, 0, 0, 6, 0, 0}, "First column out of the frame"},
      {{5, 0, 0, 0, 0, 4, 6}, "Last column out of the frame"},
      {{5, 0, 0, 3, 0, 3, 5}, "The first line must be smaller than the last line"},
      {{0}, "Studied Item not selected"},
  };
  for (const auto& [bounds, message] : refusals)
    ui.dialog<TFirmagramParamForm>(Choose(bounds)).message("ERROR", message);
  ui.dialog<TFirmagramParamForm>([](TFirmagramParamForm&) { return ui::mrCancel; });
  MainForm->FirmagramTreatment1Click();
  EXPECT_EQ(std::tuple(MainForm->GtsValues, MainForm->GtsLength, EnabledOf(kEntries)),
            std::tuple(former, 11, "GTSTreatments1"));
  EXPECT_EQ(std::tuple(MainForm->DialogCancelBytes[cbFirmagramParam], MainForm->DiagramSavedFlags.GtsSaved),
            std::tuple(0, 1));
  EXPECT_EQ(ReadFile(report), "");
}

TEST_F(GtsExtractionTest, EmptyZoneAndUnwritableFile) {
  MainForm->BinaryImage.Fill(255);
  const std::string report = ReportInto(Path("r.txt"));
  // A code that panel 2 does not hold: no value; the window draws its axes and saves an empty file.
  Extract({6, 0, 0, 0, 0, 0, 0, 12}, "empty");
  EXPECT_EQ(std::tuple(MainForm->GtsReady, MainForm->GtsLength, ReadFile(Path("empty.xls"))),
            std::tuple(1, -1, ""));
  RecordingCanvas canvas;
  FirmagramForm->PaintBoxPaint(canvas);
  EXPECT_EQ(canvas.lines.size(), 2u);
  const std::string target = Path("missing/gts");
  ui.dialog<TFirmagramParamForm>(Choose({1}))
      .press<TFirmagramForm>(&TFirmagramForm::BitBtnSaveClick)
      .save(target)
      .message("ERROR", "The file " + target + ".xls cannot be written");
  MainForm->FirmagramTreatment1Click();
  EXPECT_EQ(std::tuple(MainForm->DiagramSavedFlags.GtsSaved, MainForm->DiagramSavedFlags.GtsPending),
            std::tuple(0, 0));
  EXPECT_EQ(ReadFile(report), kGtsLine + Path("empty.xls") + " ");
  // The curve stops at the 690th value.
  MainForm->GtsValues.clear();
  for (int i = 0; i < 1000; ++i) MainForm->GtsValues.push_back(i % 256);
  MainForm->GtsLength = 999;
  RecordingCanvas curve;
  FirmagramForm->PaintBoxPaint(curve);
  EXPECT_TRUE(curve.HasLine(2, 128, 700, 128) && curve.HasLine(9, 0, 9, 255) &&
              curve.HasText(12, 130, "128"));
  // Two axes, then one segment a value from the second to the 690th; 255 at the top.
  ASSERT_EQ(curve.lines.size(), 2u + 689u);
  EXPECT_EQ(curve.lines[2], (RecordedLine{10, 255, 11, 254, Pen::Blue}));
  EXPECT_EQ(curve.lines.back(), (RecordedLine{698, 255 - 688 % 256, 699, 255 - 689 % 256, Pen::Blue}));
  // A length past the vector is never read past it.
  MainForm->GtsLength = 5000;
  RecordingCanvas again;
  FirmagramForm->PaintBoxPaint(again);
  EXPECT_EQ(again.lines.size(), 2u + 689u);
}

// The edits say at once when a line or column lies past the frame; the value stays.
TEST_F(GtsExtractionTest, EditsWarnOutOfFrameValues) {
  TFirmagramParamForm& f = *FirmagramParamForm;
  for (const char* message :
       {"Line number out of the frame", "Selected column out of the frame",
        "Last column number out of the frame", "Last line out of the frame", "Last column out of the frame"})
    ui.message("ERROR", message);
  f.SelectLineEdit->setText("6");
  f.SelectColumnEdit->setText("7");
  f.LastColEdit->setText("7");
  f.DLastLineEdit->setText("9");
  f.RLastColumnEdit->setText("12a");
  f.FirstColEdit->setText("999");  // first bounds are not checked while typed
  f.RLastLineEdit->setText("5");   // the image size itself passes, as it always did
  EXPECT_EQ(std::tuple(f.SelectedLine, f.SelectedColumn, f.LastColumn, f.LastLine, f.FirstColumn),
            std::tuple(6, 7, 12, 5, 999));
  f.ChooseStudiedItem(3);
  EXPECT_EQ(std::tuple(f.StudiedItem, f.StudiedItemRadios[2]->isChecked(), f.Boxes[1]->isHidden(),
                       f.Boxes[0]->isHidden()),
            std::tuple(3, true, false, true));
}

}  // namespace
