// Binar. Treat. > Urban Field > Perim. Dist., end to end: the dialog and its refusals, the distances
// left for the perimeter roughness window and the Hurst exponent, the window's file, the report line
// written once it is saved, and the menus.
#include <QLineEdit>
#include <QRadioButton>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "Program.h"
#include "app/MainWindow.h"
#include "diagrams/DiagHurstResult.h"
#include "diagrams/DiagramForm.h"
#include "diagrams/PerimeterDiagrams.h"
#include "fixtures/Fractals.h"
#include "panels/ReportForm.h"
#include "sequence/Hurst.h"
#include "sequence/kernels/HurstExponent.h"
#include "urban/ExtractionForms.h"
#include "urban/PerimRoughnessParam.h"
#include "urban/kernels/PerimeterDistance.h"

namespace {

constexpr std::uint8_t kItem = 5;

struct Choice {
  int source = 2, perimeterValue = 0, itemValue = kItem, center = 1, line = 0, column = 0;
};

auto Answer(Choice c) {
  return [c](TPerimRoughnessParamForm& f) {
    f.PerimeterSource = c.source;
    f.PerimeterValue = c.perimeterValue;
    f.ItemValue = c.itemValue;
    f.CenterType = c.center;
    f.CenterLine = c.line;
    f.CenterColumn = c.column;
    return ui::mrOk;
  };
}

std::string Lines(const std::vector<int>& values) {
  std::string text;
  for (int v : values) text += std::to_string(v) + "\n";
  return text;
}

class PerimDistTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadBinary(fixtures::FilledSquare(60, 60, 20, 15, 20, kItem));
    MainForm->WorkDirectory = Dir().string();
  }
  std::string Report() { return ReadFile(Path("r.txt")); }
};

}  // namespace

TEST_F(PerimDistTreatmentTest, DilatedItemOutlineGivesTheDistancesTheWindowAndTheHurstExponent) {
  ReportInto(Path("r.txt"));
  ui.dialog<TPerimRoughnessParamForm>([](TPerimRoughnessParamForm& f) {
      f.SourceRadios[1]->click();
      f.SelectItemValueEdit->setText("5");
      f.CenterRadios[0]->click();
      return ui::mrOk;
    })
      .press<TPerimeterRoughnessForm2>(&TPerimeterRoughnessForm2::BitBtnSaveClick)
      .save(Path("dist"), 2);
  MainForm->PerimDistTreatmentClick();

  PerimeterDistanceParams params;
  params.Value = kItem;
  params.Dilate = true;
  const PerimeterDistanceResult expected = PerimeterDistance(MainForm->BinaryImage, params);
  const int n = expected.WalkLength;
  ASSERT_GT(n, 80);
  EXPECT_EQ(ReadFile(Path("dist.ts")), Lines(expected.Distances));  // the distances walked, no more
  EXPECT_EQ(Report(),
            "\n\n PERIMETER ROUGHNESS \n"
            "\n\n\tCorresponding .xls File registered\n\tin the file " +
                Path("dist.ts") + " ");
  const TMainForm& m = *MainForm;
  EXPECT_EQ(std::tuple(m.PerimSequenceLength, m.PerimDistLength), std::tuple(n, n - 1));
  EXPECT_EQ(m.Distances, expected.Distances);
  EXPECT_EQ(std::tuple(m.DistMin, m.DistMax, m.DistMean, m.DistRatio),
            std::tuple(expected.DistMin, expected.DistMax, expected.DistMean, expected.Ratio));
  EXPECT_EQ(m.UrbanForm.PerimeterRatio, expected.Ratio);
  EXPECT_EQ(Bytes(m.UrbanForm.ItemMask), Bytes(expected.ItemMask));
  EXPECT_EQ(m.DiagramSavedFlags.RoughnessPending, 0);
  EXPECT_EQ(EnabledOf("GTSTreatments1 Diagram1 PerimeterRoughness1"),
            "GTSTreatments1 Diagram1 PerimeterRoughness1");
  EXPECT_TRUE(PerimRoughnessParamForm->SelectItemValueEdit->text().isEmpty());
  EXPECT_FALSE(PerimRoughnessParamForm->SourceRadios[1]->isChecked());
  EXPECT_EQ(m.DialogCancelBytes[cbPerimRoughnessParam], 0);

  // The Hurst exponent takes the sequence as its third source.
  const double slope =
      FitHurst(SlidingDeviations(expected.Distances.data(), n - 1, SlidingSizes(10, 5, 5))).Slope;
  ui.dialog<THurstForm>([](THurstForm& f) {
      f.DataIn = kPerimeterDistance;
      f.WindowType = 0;
      f.FirstSize = 10;
      f.Step = 5;
      f.NumSteps = 5;
      return ui::mrOk;
    })
      .message("HURST", "num_step = 5 Hurst Exponent = " + Format("%lf", slope) + " ")
      .ok<TDiagHurstResultForm>();
  MainForm->HurstTreatment1Click();
  EXPECT_TRUE(ui.Finished());
  EXPECT_EQ(m.HurstPointCount, 5);
  EXPECT_EQ(m.HurstSlope, slope);
}

TEST_F(PerimDistTreatmentTest, AnExtractedPerimeterOfADiscOfRadius50LiesAt49To50) {
  LoadBinary(fixtures::FilledSquare(160, 160, 0, 0, 0, kItem));
  for (int i = 0; i < 160; ++i)
    for (int j = 0; j < 160; ++j)
      if ((i - 80) * (i - 80) + (j - 80) * (j - 80) <= 2500) MainForm->BinaryImage[i][j] = kItem;
  ui.dialog<TPerimExtractValueForm>([](TPerimExtractValueForm& f) {
    f.SelectedValue = kItem;
    return ui::mrOk;
  });
  MainForm->PerimExtractTreatmentClick();
  // With the report off the window's file is not named, and waits.
  ReportForm->ReportOff = 1;
  ui.dialog<TPerimRoughnessParamForm>(Answer(Choice{1, 1, 0, 1, 0, 0}))
      .press<TPerimeterRoughnessForm2>(&TPerimeterRoughnessForm2::BitBtnSaveClick)
      .save(Path("disc"), 1);
  MainForm->PerimDistTreatmentClick();
  EXPECT_EQ(std::tuple(MainForm->DistMin, MainForm->DistMax), std::tuple(49, 50));
  EXPECT_EQ(MainForm->Distances.size(), static_cast<std::size_t>(MainForm->PerimDistLength));
  EXPECT_EQ(ReadFile(Path("disc.xls")), Lines(MainForm->Distances));
  EXPECT_EQ(MainForm->DiagramSavedFlags.RoughnessPending, 1);
}

TEST_F(PerimDistTreatmentTest, RefusalsComeInOrderWithTheDialogAndCancelChangesNothing) {
  BytePlane& b = MainForm->BinaryImage;
  for (int j = 0; j < 60; ++j) b[0][j] = 6;          // only on the outer line: no outline
  b[50][50] = 7;                                     // a lone pixel: the walk takes nothing
  b[50][40] = b[50][41] = 8;                         // two pixels
  b[44][10] = b[45][9] = b[45][11] = b[46][10] = 9;  // four pixels at distance 1 from their centre
  ReportInto(Path("r.txt"));
  MainForm->Distances = {1, 2, 3};
  MainForm->PerimDistLength = 3;
  MainForm->PerimSequenceLength = 4;

  struct Refusal {
    Choice choice;
    const char* title;
    std::string message;
    std::function<void()> before = nullptr;
  };
  const Refusal refusals[] = {
      {{0, 0, 0, 0}, "ERROR", "Perimeter Source not defined"},
      {{1, kItem, 0, 1}, "ERROR", "No previous extraction of a Perimeter"},
      {{1, 0, 0, 1}, "ERROR", "Perimeter Code not defined", [] { MainForm->PerimeterExtracted = 1; }},
      {{2, 0, 0, 1}, "ERROR", "Item Code not defined"},
      {{2, 0, kItem, 0}, "ERROR", "Position Center not defined"},
      {{2, 0, kItem, 2, 0, 4}, "ERROR", "Line Center not defined"},
      {{2, 0, kItem, 2, 4, 0}, "ERROR", "Column Center not defined"},
      {{2, 0, 12, 1}, "ERROR", "No pixel of the value 12 in the binary image"},
      {{2, 0, kItem, 2, 60, 3}, "ERROR", "Center outside the image"},
      {{1, 6, 0, 1}, "PERIMETER ROUGHNESS", "The value 6 has no perimeter pixel\ninside the image border"},
      {{1, 7, 0, 1},
       "PERIMETER ROUGHNESS",
       "The perimeter walk takes no pixel:\nthe starting pixel (line 50, column 50) has no neighbour"},
      {{1, 8, 0, 1}, "PERIMETER ROUGHNESS", "The perimeter walked holds fewer than 3 pixels"},
      {{1, 9, 0, 1},
       "PERIMETER ROUGHNESS",
       "Every perimeter pixel walked lies at the same distance\nfrom the center"},
  };
  for (const Refusal& r : refusals) {
    ui.dialog<TPerimRoughnessParamForm>([r](TPerimRoughnessParamForm& f) {
        if (r.before) r.before();
        return Answer(r.choice)(f);
      }).message(r.title, r.message);
  }
  ui.dialog<TPerimRoughnessParamForm>([](TPerimRoughnessParamForm& f) {
    EXPECT_TRUE(f.SourceRadios[0]->isChecked());  // the source chosen last, checked again
    return ui::mrCancel;
  });
  MainForm->PerimDistTreatmentClick();
  EXPECT_TRUE(ui.Finished());
  EXPECT_EQ(MainForm->Distances, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(std::tuple(MainForm->PerimDistLength, MainForm->PerimSequenceLength), std::tuple(3, 4));
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(EnabledOf("GTSTreatments1 Diagram1 PerimeterRoughness1"), "");
  EXPECT_EQ(MainForm->DialogCancelBytes[cbPerimRoughnessParam], 0);
}

TEST_F(PerimDistTreatmentTest, AGivenCentreAtOneOneIsAcceptedAndTheFileIsNamedOnlyOnceSaved) {
  ReportInto(Path("r.txt"));
  ui.dialog<TPerimRoughnessParamForm>(Answer(Choice{2, 0, kItem, 2, 1, 1})).ok<TPerimeterRoughnessForm2>();
  MainForm->PerimDistTreatmentClick();
  EXPECT_EQ(Report(), "\n\n PERIMETER ROUGHNESS \n");
  // The square dilated three times spans lines 17 .. 42 and columns 12 .. 37 less its corner pixels
  // (the first dilation takes only the four neighbours): the nearest to (1, 1) is (17, 13), at
  // sqrt(16^2 + 12^2) = 20; the farthest, (42, 36), at sqrt(41^2 + 35^2) = 53.9.
  EXPECT_EQ(std::tuple(MainForm->DistMin, MainForm->DistMax), std::tuple(20, 54));
}

TEST_F(PerimDistTreatmentTest, EditsConvertAtEachChange) {
  TPerimRoughnessParamForm& f = *PerimRoughnessParamForm;
  f.SelectItemValueEdit->setText("12a");
  f.SelectPerimeterValueEdit->setText("x");
  f.LineEdit->setText("7");
  EXPECT_EQ(std::tuple(f.ItemValue, f.PerimeterValue, f.CenterLine), std::tuple(12, 0, 7));
}

TEST_F(PerimDistTreatmentTest, ANewImageTakesTheDistancesAwayFromTheHurstExponent) {
  ui.dialog<TPerimRoughnessParamForm>(Answer(Choice{})).ok<TPerimeterRoughnessForm2>();
  MainForm->PerimDistTreatmentClick();
  ASSERT_GT(MainForm->PerimDistLength, 0);
  MainForm->PerimeterExtracted = 1;
  WriteFile(Path("next.raw"), std::string(6, '\x07'));
  WriteFile(Path("next.txt"), "2\n3\n");
  ui.open(Path("next.raw"), 1).dialog<TReportForm>(NoReport);
  MainForm->Open1Click();
  EXPECT_EQ(MainForm->PerimDistLength, 0);
  EXPECT_TRUE(MainForm->Distances.empty());
  EXPECT_EQ(MainForm->PerimeterExtracted, 0);
  EXPECT_TRUE(MainForm->UrbanForm.ItemMask.Empty());
  EXPECT_EQ(EnabledOf("PerimeterRoughness1"), "");
}
