#include <QLineEdit>
#include <QRadioButton>
#include <cmath>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "diagrams/DiagramForm.h"
#include "graytone/FractStarForm.h"
#include "graytone/kernels/FractStar.h"
#include "panels/ResultImage.h"

namespace {

constexpr const char* kHead = "\n\n 3D LINEAL FRACTAL DIMENSION WINDOW SIZE 8\n applied to the whole scene";
constexpr const char* kCaption = " 3D LINEAL FRACTAL DIMENSION WINDOW SIZE 8 ";

auto Choose(int type, int zone = 0, const char* item = "") {
  return [=](TFractStarForm& f) {
    f.TreatmentType = type;
    f.StudiedZone = zone;
    f.ItemEdit->setText(QString::fromUtf8(item));
    return ui::mrOk;
  };
}

std::int64_t Count(const BytePlane& plane, std::uint8_t value) {
  std::int64_t n = 0;
  for (std::size_t k = 0; k < plane.Size(); ++k) n += plane.Data()[k] == value;
  return n;
}

// Columns alternating 0 and 4 on the left half, flat on the right.
BytePlane HalfStriped(int columns, int lines) {
  BytePlane image(columns, lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns / 2; ++j) image[i][j] = static_cast<std::uint8_t>(j % 2 ? 4 : 0);
  return image;
}

// Panel 2 labeled with `code` on the columns before `until`, background 255.
BytePlane Labels(int columns, int lines, int code, int until) {
  BytePlane labels(columns, lines);
  labels.Fill(255);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < until; ++j) labels[i][j] = static_cast<std::uint8_t>(code);
  return labels;
}

FractStarResult Expected(const BytePlane& image, int type, const BytePlane* labels = nullptr, int code = -1) {
  DoublePlane shown(image.Columns(), image.Lines());
  return FractStar(image, type, {labels, code}, shown);
}

}  // namespace

class FractStarTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    MainForm->ResultImage.Fill(7);
  }
};

// A flat image is 0 under every cross. The star image spans 0 .. 2 (gray 1); the Greek cross has no
// range at all and is drawn in gray 1 too.
TEST_F(FractStarTest, FlatImageUnderTheStarAndTheGreekCross) {
  for (int type : {kStar, kGreekCross}) {
    SCOPED_TRACE(type);
    BytePlane flat(30, 20);
    flat.Fill(60);
    LoadOriginal(std::move(flat));
    MainForm->ResultImage.Fill(7);
    MainForm->ResultBorder = 3;
    MainForm->ColourMode = 3;
    MainForm->DialogCancelBytes[cbFractStar] = 0;
    const std::string report = ReportInto(Path("report" + std::to_string(type) + ".txt"));
    ASSERT_FALSE(MainForm->IsEnabled("SaveParamSpeedButton1"));
    ui.dialog<TFractStarForm>(Choose(type))
        .message("FRACTSTAR STAR TREATMENT",
                 "Mean Fractal Dimension in the whole scene= 0.000000\n\nValue consigned in the Report ");
    MainForm->FracStar8Treatment1Click();

    const std::string greek =
        "\n\n\tGreek Cross Treatment\n\tMean Fractal Dimension in the whole scene = 0.000000 ";
    const std::string star =
        "\n\n\tSt Andrew Cross Treatment\n\tMean Fractal Dimension in the whole scene = 0.000000 "
        "\n\n\tStar Treatment\n\tMean Fractal Dimension in the whole scene= 0.000000 ";
    EXPECT_EQ(ReadFile(report), kHead + greek + (type == kStar ? star : ""));
    const TMainForm& m = *MainForm;
    EXPECT_EQ(Count(m.ResultImage, 1), 14 * 4);  // lines and columns 8 .. size - 9
    EXPECT_EQ(Count(m.ResultImage, 255), 30 * 20 - 14 * 4);
    EXPECT_EQ(m.ResultImage[8][8], 1);
    EXPECT_EQ(m.ResultImage[7][8], 255);
    EXPECT_EQ(std::tuple(m.ResultBorder, m.Panel3Pending[p3FractStar], m.ColourMode), std::tuple(8, 1, 0));
    EXPECT_EQ(std::tuple(m.PanelCaption, m.SavedPanelCaption), std::tuple(kCaption, kCaption));
    EXPECT_EQ(ResultImageForm->CaptionText(), std::string(" 3.- ") + kCaption);
    EXPECT_TRUE(m.IsEnabled("SaveParamSpeedButton1"));
    EXPECT_EQ(m.StarZoneChoice, 0);
    MainForm->Enable({"SaveParamSpeedButton1"}, false);
  }
}

// The item of panel 2 is the striped half's first columns: the report and the message give its mean
// besides the scene's; the star's item mean is the mean of the two crosses' item means.
TEST_F(FractStarTest, SceneAndItemMeansUnderTheStar) {
  const BytePlane image = HalfStriped(40, 20);
  const BytePlane labels = Labels(40, 20, 7, 14);
  LoadOriginal(image.Clone());
  MainForm->BinaryImage = labels.Clone();
  MainForm->HasLabeledImage = 1;
  const FractStarResult greek = Expected(image, kGreekCross, &labels, 7);
  const FractStarResult andrew = Expected(image, kStAndrewCross, &labels, 7);
  const double scene = (greek.Mean + andrew.Mean) * 0.5, item = (greek.ItemMean + andrew.ItemMean) * 0.5;
  ASSERT_NE(greek.ItemMean, item);  // the item line of the star is not the Greek cross's
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TFractStarForm>(Choose(kStar, 1, "7"))
      .message(
          "FRACTSTAR STAR CROSS TREATMENT",
          Format("Mean Fractal Dimension in the whole scene= %lf\n  in the selected item = %lf\n\nValues "
                 "consigned in the Report",
                 scene, item));
  MainForm->FracStar8Treatment1Click();
  const char* itemLine = "\n\tMean Fractal Dimension in the selected item = %lf ";
  EXPECT_EQ(ReadFile(report),
            std::string(kHead) + "\n and to the labelled item number 7 " + "\n\n\tGreek Cross Treatment" +
                Format("\n\tMean Fractal Dimension in the whole scene = %lf ", greek.Mean) +
                Format(itemLine, greek.ItemMean) + "\n\n\tSt Andrew Cross Treatment" +
                Format("\n\tMean Fractal Dimension in the whole scene = %lf ", andrew.Mean) +
                Format(itemLine, andrew.ItemMean) + "\n\n\tStar Treatment" +
                Format("\n\tMean Fractal Dimension in the whole scene= %lf ", scene) +
                Format(itemLine, item));
  EXPECT_EQ(std::tuple(MainForm->StarZoneChoice, MainForm->StarItemCode), std::tuple(1, 7));
  EXPECT_TRUE(FractStarForm->RadioButton5->isChecked());  // the zone chosen is shown again
}

// The St Andrew image is scaled between its minimum and 2: the striped half (1.475) is lighter than the
// flat half (0, gray 1).
TEST_F(FractStarTest, StAndrewImageIsScaledUpToTwo) {
  LoadOriginal(HalfStriped(40, 20));
  ui.dialog<TFractStarForm>(Choose(kStAndrewCross))
      .message("FRACTSTAR STAR TREATMENT",
               Format("Mean Fractal Dimension in the whole scene= %lf\n\nValue consigned in the Report ",
                      Expected(HalfStriped(40, 20), kStAndrewCross).Mean));
  MainForm->FracStar8Treatment1Click();
  const double striped = 1 + 0.3 * std::log2(3.0);
  EXPECT_EQ(MainForm->ResultImage[10][9], static_cast<int>(striped / 2 * 254) + 1);
  EXPECT_EQ(MainForm->ResultImage[10][30], 1);
}

TEST_F(FractStarTest, UndefinedOrEmptyItemsBringTheDialogBackAndCancelChangesNothing) {
  BytePlane image = HalfStriped(40, 20);
  LoadOriginal(image.Clone());
  MainForm->BinaryImage = Labels(40, 20, 7, 14);
  MainForm->HasBinaryImage = 1;
  MainForm->ResultImage.Fill(7);
  MainForm->ResultBorder = 3;
  MainForm->Panel3Pending[p3LocalFractal] = 1;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TFractStarForm>(Choose(kStar, 1, ""))
      .message("ERROR", "Code of the Studied Zone not defined")
      .dialog<TFractStarForm>(Choose(kStar, 1, "9"))
      .message("ERROR", "No pixel of the item 9 lies 8 pixels\nor more from the image edges")
      .dialog<TFractStarForm>([](TFractStarForm&) { return ui::mrCancel; });
  MainForm->FracStar8Treatment1Click();
  EXPECT_EQ(Count(MainForm->ResultImage, 7), 40 * 20);
  EXPECT_EQ(MainForm->ResultBorder, 3);
  EXPECT_EQ(MainForm->Panel3Pending[p3LocalFractal], 1);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbFractStar], 0);
  EXPECT_EQ(ReadFile(report), "");
}

// A labelized zone left from an earlier panel 2 is not kept once panel 2 holds nothing to study.
TEST_F(FractStarTest, NoItemIsStudiedWithoutBinaryOrLabeledImage) {
  BytePlane flat(20, 20);
  flat.Fill(3);
  LoadOriginal(std::move(flat));
  FractStarForm->StudiedZone = 1;
  ui.dialog<TFractStarForm>([](TFractStarForm& f) {
      f.TreatmentType = kGreekCross;
      f.ItemEdit->setText("0");  // panel 2 is all 0: an item would be the whole interior
      return ui::mrOk;
    })
      .message("FRACTSTAR STAR TREATMENT",
               "Mean Fractal Dimension in the whole scene= 0.000000\n\nValue consigned in the Report ");
  MainForm->FracStar8Treatment1Click();
  EXPECT_EQ(MainForm->StarZoneChoice, 0);
}

TEST_F(FractStarTest, ImagesWithoutInteriorAreRefused) {
  LoadOriginal(BytePlane(40, 16));
  MainForm->ResultImage.Fill(7);
  ui.message("FRACTSTAR", "The image is too small: no pixel lies 8 pixels\nor more from its edges");
  MainForm->FracStar8Treatment1Click();
  EXPECT_EQ(Count(MainForm->ResultImage, 7), 40 * 16);
  EXPECT_EQ(MainForm->Panel3Pending[p3FractStar], 0);
}

TEST_F(FractStarTest, SavingPanelThreeRegistersTheFractStar) {
  LoadOriginal(HalfStriped(30, 20));
  MainForm->WorkDirectory = Dir().string();
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TFractStarForm>(Choose(kGreekCross))
      .message("FRACTSTAR STAR TREATMENT",
               Format("Mean Fractal Dimension in the whole scene= %lf\n\nValue consigned in the Report ",
                      Expected(HalfStriped(30, 20), kGreekCross).Mean))
      .save(Path("star"), 1);
  MainForm->FracStar8Treatment1Click();
  const std::string before = ReadFile(report);
  MainForm->SaveParamSpeedButton1Click();
  EXPECT_EQ(ReadFile(Path("star.raw")), Bytes(MainForm->ResultImage));
  EXPECT_EQ(ReadFile(report), before + "\n\n\tFract Star registered as: " + Path("star.raw"));
  EXPECT_EQ(MainForm->Panel3Pending[p3FractStar], 0);
}

TEST_F(FractStarTest, DialogControls) {
  TFractStarForm& f = *FractStarForm;
  EXPECT_EQ(f.TreatmentType, 3);
  f.RadioButton2->click();
  EXPECT_EQ(f.TreatmentType, 2);
  f.RadioButton9->click();
  EXPECT_EQ(MainForm->StarLengthMode, 2);
  f.RadioButton8->click();
  EXPECT_EQ(MainForm->StarLengthMode, 1);
  f.ItemEdit->setText("12x");
  EXPECT_EQ(f.ItemCode, 12);
  f.ItemEdit->setText("");
  EXPECT_EQ(f.ItemCode, kUndefinedItemCode);

  ui.message("ERROR", "No binary or labelled image");
  f.RadioButton5->click();
  EXPECT_EQ(f.StudiedZone, 0);
  EXPECT_TRUE(f.RadioButton4->isChecked());
  EXPECT_TRUE(f.ItemPanel->isHidden());

  MainForm->HasLabeledImage = 1;
  f.RadioButton5->click();
  EXPECT_EQ(f.StudiedZone, 1);
  EXPECT_FALSE(f.ItemPanel->isHidden());
  f.ItemEdit->setText("5");
  f.Finish(ui::mrOk);  // OK: the zone is recorded, then the group goes back to the whole image
  EXPECT_EQ(std::tuple(MainForm->StarZoneChoice, MainForm->StarItemCode), std::tuple(1, 5));
  EXPECT_TRUE(f.RadioButton4->isChecked());
  EXPECT_TRUE(f.ItemPanel->isHidden());

  f.ClearChoices();
  for (QRadioButton* radio : {f.RadioButton1, f.RadioButton2, f.RadioButton3, f.RadioButton4, f.RadioButton5,
                              f.RadioButton6, f.RadioButton8, f.RadioButton9})
    EXPECT_FALSE(radio->isChecked());
  EXPECT_EQ(f.ItemEdit->text().toStdString(), "");
  f.Finish(ui::mrCancel);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbFractStar], 1);
}
