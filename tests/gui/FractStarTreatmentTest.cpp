#include <QLineEdit>
#include <QRadioButton>
#include <array>
#include <cmath>

#include "Panel3Checks.h"
#include "graytone/FractStarForm.h"
#include "graytone/kernels/FractStar.h"

class FractStarTest : public Panel3Test {
 protected:
  static constexpr const char* kHead =
      "\n\n 3D LINEAL FRACTAL DIMENSION WINDOW SIZE 8\n applied to the whole scene";
  static constexpr const char* kScene = "\n\tMean Fractal Dimension in the whole scene";
  static constexpr const char* kSceneMessage =
      "Mean Fractal Dimension in the whole scene= %lf\n\nValue consigned in the Report ";
  // Answers choosing the cross `type` through its button and, with an item code, the labelized zone.
  static auto Choose(int type, const char* item = nullptr) {
    return [=](TFractStarForm& f) {
      std::array{f.RadioButton1, f.RadioButton2, f.RadioButton3}[type - 1]->click();
      if (item) f.RadioButton5->click(), f.ItemEdit->setText(item);
      return ui::mrOk;
    };
  }
  // Columns alternating 0 and 4 on the left half, flat on the right.
  static BytePlane HalfStriped() {
    BytePlane image(40, 20);
    for (int k = 0; k < 20 * 20; ++k) image[k / 20][k % 20] = static_cast<std::uint8_t>(k % 2 * 4);
    return image;
  }
  static FractStarResult Expected(const BytePlane& image, int type, const BytePlane* labels = nullptr) {
    DoublePlane shown(image.Columns(), image.Lines());
    return FractStar(image, type, {labels, 7}, shown);
  }
};
// Flat: 0 under every cross, gray 1; without a binary or labeled panel 2 no item zone can be studied.
TEST_F(FractStarTest, FlatImageUnderTheStarAndTheGreekCross) {
  for (int type : {kStar, kGreekCross}) {
    SCOPED_TRACE(type);
    PutEarlierResult(p3FractStar, Flat(30, 20, 60));
    FractStarForm->StudiedZone = 1;
    report = ReportInto(Path("report" + std::to_string(type) + ".txt"));
    ui.dialog<TFractStarForm>(Choose(type, type == kGreekCross ? "0" : nullptr));
    if (type == kGreekCross) ui.message("ERROR", "No binary or labelled image");
    ui.message("FRACTSTAR STAR TREATMENT", Format(kSceneMessage, 0.0));
    MainForm->FracStar8Treatment1Click();
    const std::string star = std::string("\n\n\tSt Andrew Cross Treatment") + kScene + " = 0.000000 " +
                             "\n\n\tStar Treatment" + kScene + "= 0.000000 ";
    EXPECT_EQ(ReadFile(report), kHead + std::string("\n\n\tGreek Cross Treatment") + kScene + " = 0.000000 " +
                                    (type == kStar ? star : ""));
    const BytePlane& panel = MainForm->ResultImage;  // lines and columns 8 .. size - 9
    EXPECT_EQ(std::tuple(CountOf(panel, 1), CountOf(panel, 255), panel[8][8], panel[7][8],
                         MainForm->StarZoneChoice),
              std::tuple(14 * 4, 30 * 20 - 14 * 4, 1, 255, 0));
    ExpectPublished(p3FractStar, " 3D LINEAL FRACTAL DIMENSION WINDOW SIZE 8 ", 8);
  }
}
// St Andrew: scaled between its minimum and 2, the striped half (1.475) lighter than the flat (0, gray 1).
// Item 7 (striped columns before 14): its mean too; the star's item mean is that of the two crosses'.
TEST_F(FractStarTest, StAndrewScaledUpToTwoAndSavedThenRefusalsThenSceneAndItemMeansUnderTheStar) {
  TMainForm& m = *MainForm;
  LoadOriginal(HalfStriped());
  ui.dialog<TFractStarForm>(Choose(kStAndrewCross))
      .message("FRACTSTAR STAR TREATMENT",
               Format(kSceneMessage, Expected(HalfStriped(), kStAndrewCross).Mean))
      .save(Path("star"), 1);
  m.FracStar8Treatment1Click();
  const double striped = 1 + 0.3 * std::log2(3.0);
  EXPECT_EQ(std::tuple(m.ResultImage[10][9], m.ResultImage[10][30]),
            std::tuple(static_cast<int>(striped / 2 * 254) + 1, 1));
  ExpectPanel3Saved(Path("star"), "Fract Star");
  report = ReportInto(Path("report2.txt"));
  PutEarlierResult(p3FractStar, BytePlane(40, 16));
  ui.message("FRACTSTAR", "The image is too small: no pixel lies 8 pixels\nor more from its edges");
  m.FracStar8Treatment1Click();
  ExpectEarlierResult();
  const BytePlane image = HalfStriped();
  BytePlane labels = Flat(40, 20, 255);
  for (int k = 0; k < 20 * 14; ++k) labels[k / 14][k % 14] = 7;
  PutEarlierResult(p3FractStar, image.Clone());
  std::tie(m.BinaryImage, m.HasBinaryImage) = std::tuple(labels.Clone(), 1);  // then labeled
  ui.dialog<TFractStarForm>(Choose(kStar, ""))
      .message("ERROR", "Code of the Studied Zone not defined")
      .dialog<TFractStarForm>(Choose(kStar, "9"))
      .message("ERROR", "No pixel of the item 9 lies 8 pixels\nor more from the image edges")
      .dialog<TFractStarForm>([](TFractStarForm&) { return ui::mrCancel; });
  m.FracStar8Treatment1Click();
  ExpectEarlierResult(cbFractStar);
  const FractStarResult greek = Expected(image, kGreekCross, &labels),
                        andrew = Expected(image, kStAndrewCross, &labels);
  const double scene = (greek.Mean + andrew.Mean) * 0.5, item = (greek.ItemMean + andrew.ItemMean) * 0.5;
  ASSERT_NE(greek.ItemMean, item);  // the item line of the star is not the Greek cross's
  m.HasBinaryImage = 0, m.HasLabeledImage = 1;
  const std::string text =
      Format("Mean Fractal Dimension in the whole scene= %lf\n  in the selected item = %lf", scene, item);
  ui.dialog<TFractStarForm>(Choose(kStar, "7"))
      .message("FRACTSTAR STAR CROSS TREATMENT", text + "\n\nValues consigned in the Report");
  m.FracStar8Treatment1Click();
  const auto cross = [&](const char* name, const char* eq, double mean, double itemMean) {
    return std::string("\n\n\t") + name + kScene + eq + Format("%lf ", mean) +
           Format("\n\tMean Fractal Dimension in the selected item = %lf ", itemMean);
  };
  EXPECT_EQ(ReadFile(report), kHead + std::string("\n and to the labelled item number 7 ") +
                                  cross("Greek Cross Treatment", " = ", greek.Mean, greek.ItemMean) +
                                  cross("St Andrew Cross Treatment", " = ", andrew.Mean, andrew.ItemMean) +
                                  cross("Star Treatment", "= ", scene, item));
  EXPECT_EQ(std::tuple(m.StarZoneChoice, m.StarItemCode), std::tuple(1, 7));
}
