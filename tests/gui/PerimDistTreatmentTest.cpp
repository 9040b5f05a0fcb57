// Urban Field > Perim. Dist. end to end: refusals, distances for the window and Hurst, file, report.
#include <QLineEdit>
#include <QRadioButton>

#include "Program.h"
#include "diagrams/PerimeterDiagrams.h"
#include "fixtures/Blocks.h"
#include "urban/ExtractionForms.h"
#include "urban/PerimRoughnessParam.h"
#include "urban/kernels/PerimeterDistance.h"

namespace {

constexpr std::uint8_t kItem = 5;
constexpr const char* kEntries = "GTSTreatments1 Diagram1 PerimeterRoughness1";
constexpr const char* kTitle = "PERIMETER ROUGHNESS";

// Source (1 extracted perimeter, 2 item dilated), perimeter value, item value, centre type, line, column.
using F = TPerimRoughnessParamForm;
const auto Answer = FormAnswer(&F::PerimeterSource, &F::PerimeterValue, &F::ItemValue, &F::CenterType,
                               &F::CenterLine, &F::CenterColumn);

std::string Lines(const std::vector<int>& values) {
  std::string text;
  for (int v : values) text += std::to_string(v) + "\n";
  return text;
}

class PerimDistTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    BytePlane square = UniformPlane(60, 60);
    FillBlock(square, 20, 15, 20, 20, kItem);
    LoadBinary(std::move(square));
    MainForm->WorkDirectory = Dir().string();
  }
  std::string Report() { return ReadFile(Path("r.txt")); }
};

}  // namespace

TEST_F(PerimDistTreatmentTest, TheOutlineGivesTheDistancesAndTheWindowAndADiscLiesAt49To50) {
  ReportInto(Path("r.txt"));
  ui.dialog<F>([](F& f) {
      f.SourceRadios[1]->click();
      f.SelectItemValueEdit->setText("5");
      f.CenterRadios[0]->click();
      return ui::mrOk;
    })
      .press<TPerimeterRoughnessForm2>(&TPerimeterRoughnessForm2::BitBtnSaveClick)
      .save(Path("dist"), 2);
  MainForm->PerimDistTreatmentClick();
  const PerimeterDistanceResult expected = PerimeterDistance(MainForm->BinaryImage, {kItem, true});
  const int n = expected.WalkLength;
  ASSERT_GT(n, 80);
  EXPECT_EQ(ReadFile(Path("dist.ts")), Lines(expected.Distances));  // the distances walked, no more
  EXPECT_EQ(Report(), "\n\n PERIMETER ROUGHNESS \n\n\n\tCorresponding .xls File registered\n\tin the file " +
                          Path("dist.ts") + " ");
  const TMainForm& m = *MainForm;
  EXPECT_EQ(std::tuple(m.PerimSequenceLength, m.PerimDistLength, m.Distances),
            std::tuple(n, n - 1, expected.Distances));
  EXPECT_EQ(
      std::tuple(m.DistMin, m.DistMax, m.DistMean, m.DistRatio, m.UrbanForm.PerimeterRatio),
      std::tuple(expected.DistMin, expected.DistMax, expected.DistMean, expected.Ratio, expected.Ratio));
  EXPECT_EQ(Bytes(m.UrbanForm.ItemMask), Bytes(expected.ItemMask));
  EXPECT_EQ(std::tuple(m.DiagramSavedFlags.RoughnessPending, m.DialogCancelBytes[cbPerimRoughnessParam]),
            std::tuple(0, 0));
  EXPECT_EQ(EnabledOf(kEntries), kEntries);
  // The dialog's values are asked anew.
  EXPECT_FALSE(PerimRoughnessParamForm->SourceRadios[1]->isChecked());
  // Source 1: the perimeter of a disc of radius 50, extracted first, lies at 49 .. 50 from its centre.
  BytePlane disc = UniformPlane(160, 160);
  FillDisc(disc, 80, 80, 50, kItem);
  LoadBinary(std::move(disc));
  ui.dialog<TPerimExtractValueForm>(FormAnswer(&TPerimExtractValueForm::SelectedValue)(kItem));
  MainForm->PerimExtractTreatmentClick();
  // With the report off the window's file is not named, and waits.
  ReportForm->ReportOff = 1;
  ui.dialog<F>(Answer(1, 1, 0, 1, 0, 0))
      .press<TPerimeterRoughnessForm2>(&TPerimeterRoughnessForm2::BitBtnSaveClick)
      .save(Path("disc"), 1);
  MainForm->PerimDistTreatmentClick();
  EXPECT_EQ(std::tuple(m.DistMin, m.DistMax, m.DiagramSavedFlags.RoughnessPending), std::tuple(49, 50, 1));
  EXPECT_EQ(ReadFile(Path("disc.xls")), Lines(m.Distances));
}

TEST_F(PerimDistTreatmentTest,
       RefusalsComeInOrderCancelChangesNothingACentreAtOneOneIsAcceptedAndANewImageClears) {
  BytePlane& b = MainForm->BinaryImage;
  FillBlock(b, 0, 0, 1, 60, 6);                      // only on the outer line: no outline
  b[50][50] = 7;                                     // a lone pixel: the walk takes nothing
  b[50][40] = b[50][41] = 8;                         // two pixels
  b[44][10] = b[45][9] = b[45][11] = b[46][10] = 9;  // four pixels at distance 1 from their centre
  ReportInto(Path("r.txt"));
  const auto earlier = std::tuple(std::vector<int>{1, 2, 3}, 3, 4);  // a sequence of an earlier run
  std::tie(MainForm->Distances, MainForm->PerimDistLength, MainForm->PerimSequenceLength) = earlier;
  const std::tuple<std::function<int(F&)>, const char*, std::string> refusals[] = {
      {Answer(0, 0, 0, 0, 0, 0), "ERROR", "Perimeter Source not defined"},
      {Answer(1, kItem, 0, 1, 0, 0), "ERROR", "No previous extraction of a Perimeter"},
      {[](F& f) { return MainForm->PerimeterExtracted = 1, Answer(1, 0, 0, 1, 0, 0)(f); }, "ERROR",
       "Perimeter Code not defined"},
      {Answer(2, 0, 0, 1, 0, 0), "ERROR", "Item Code not defined"},
      {Answer(2, 0, kItem, 0, 0, 0), "ERROR", "Position Center not defined"},
      {Answer(2, 0, kItem, 2, 0, 4), "ERROR", "Line Center not defined"},
      {Answer(2, 0, kItem, 2, 4, 0), "ERROR", "Column Center not defined"},
      {Answer(2, 0, 12, 1, 0, 0), "ERROR", "No pixel of the value 12 in the binary image"},
      {Answer(2, 0, kItem, 2, 60, 3), "ERROR", "Center outside the image"},
      {Answer(1, 6, 0, 1, 0, 0), kTitle, "The value 6 has no perimeter pixel\ninside the image border"},
      {Answer(1, 7, 0, 1, 0, 0), kTitle,
       "The perimeter walk takes no pixel:\nthe starting pixel (line 50, column 50) has no neighbour"},
      {Answer(1, 8, 0, 1, 0, 0), kTitle, "The perimeter walked holds fewer than 3 pixels"},
      {Answer(1, 9, 0, 1, 0, 0), kTitle,
       "Every perimeter pixel walked lies at the same distance\nfrom the center"},
  };
  for (const auto& [answer, title, message] : refusals) ui.dialog<F>(answer).message(title, message);
  ui.dialog<F>([](F& f) {
    EXPECT_TRUE(f.SourceRadios[0]->isChecked());  // the source chosen last, checked again
    return ui::mrCancel;
  });
  MainForm->PerimDistTreatmentClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_EQ(std::tie(MainForm->Distances, MainForm->PerimDistLength, MainForm->PerimSequenceLength), earlier);
  EXPECT_EQ(std::tuple(Report(), EnabledOf(kEntries), MainForm->DialogCancelBytes[cbPerimRoughnessParam]),
            std::tuple("", "", 0));
  // A given centre at (1, 1) is accepted; the file is named only once saved.
  ui.dialog<F>(Answer(2, 0, kItem, 2, 1, 1)).ok<TPerimeterRoughnessForm2>();
  MainForm->PerimDistTreatmentClick();
  EXPECT_EQ(Report(), "\n\n PERIMETER ROUGHNESS \n");
  // The square dilated thrice, less its corners: nearest (17, 13) at 20, farthest (42, 36) at 53.9.
  EXPECT_EQ(std::tuple(MainForm->DistMin, MainForm->DistMax), std::tuple(20, 54));
  MainForm->PerimeterExtracted = 1;
  OpenThroughTheMenu(BytePlane(3, 2));
  EXPECT_EQ(std::tuple(MainForm->PerimDistLength, MainForm->Distances.empty(), MainForm->PerimeterExtracted,
                       MainForm->UrbanForm.ItemMask.Empty(), EnabledOf("PerimeterRoughness1")),
            std::tuple(0, true, 0, true, ""));
}

// An image of one column has no outline: refused before anything is walked (the copy of the inner
// columns once ran off the plane).
TEST_F(PerimDistTreatmentTest, AnImageOfOneColumnHasNoOutline) {
  OpenThroughTheMenu(BytePlane(1, 5));
  ui.dialog<THoleExtractForm>([](auto& f) { return f.HoleExtractValueEdit->setText("0"), ui::mrOk; });
  MainForm->HoleTreatmentClick();
  ASSERT_EQ(Bytes(MainForm->BinaryImage), std::string(5, '\xff'));  // no hole: all background
  ui.dialog<F>(Answer(2, 0, 255, 1, 0, 0))
      .message(kTitle, "The value 255 has no perimeter pixel\ninside the image border")
      .dialog<F>([](F&) { return ui::mrCancel; });
  MainForm->PerimDistTreatmentClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_EQ(std::tuple(MainForm->PerimDistLength, MainForm->UrbanForm.ItemMask.Empty(), EnabledOf(kEntries)),
            std::tuple(0, true, ""));
}
