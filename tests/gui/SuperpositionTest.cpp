#include <QLineEdit>
#include <QRadioButton>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "graytone/Superp.h"
#include "graytone/SuperpTransp.h"
#include "imaging/Bmp.h"
#include "panels/ResultImage.h"

namespace {

constexpr std::uint32_t kRedValue = 0x0000FF;
constexpr Rgb kRed{0, 0, 255};
constexpr Rgb kWhite{255, 255, 255};

Rgb Gray(int g) {
  const auto v = static_cast<std::uint8_t>(g);
  return {v, v, v};
}

Rgb Colour(int i, int j) {
  const std::uint8_t* p = MainForm->ColourImage[i] + 3 * j;
  return {p[0], p[1], p[2]};
}

Rgb Shown(int i, int j) {
  const QRgb c = ResultImageForm->Bitmap().pixel(j, i);
  return {static_cast<std::uint8_t>(qBlue(c)), static_cast<std::uint8_t>(qGreen(c)),
          static_cast<std::uint8_t>(qRed(c))};
}

auto Single(int slice, int grayTone) {
  return [=](TSuperpForm& f) {
    f.LowerSlice = slice;
    f.GrayTone = grayTone;
    return ui::mrOk;
  };
}

auto Transparent(int slice, int grayTone, int opacity, int type) {
  return [=](TSuperpTranspForm& f) {
    f.LowerSlice = slice;
    f.GrayTone = grayTone;
    f.Opacity = opacity;
    f.TreatmentType = type;
    return ui::mrOk;
  };
}

}  // namespace

// Panel 1: grays 0, 100 on line 0 and 50, 150 on line 1; panel 3: 20, 40 / 60, 80; panel 2: the item
// 3 in the first column, background 255 in the second.
class SuperpositionTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    BytePlane original(2, 2);
    original[0][0] = 0;
    original[0][1] = 100;
    original[1][0] = 50;
    original[1][1] = 150;
    LoadOriginal(std::move(original));
    TMainForm& m = *MainForm;
    m.ResultImage[0][0] = 20;
    m.ResultImage[0][1] = 40;
    m.ResultImage[1][0] = 60;
    m.ResultImage[1][1] = 80;
    m.BinaryImage.Fill(255);
    m.BinaryImage[0][0] = m.BinaryImage[1][0] = 3;
    m.HasLabeledImage = 1;
    ResultImageForm->SetCaptionText(" 3.- KEPT ");
    m.Enable({"SaveParamSpeedButton1"}, false);
  }
};

TEST_F(SuperpositionTest, SingleAsksUntilBothValuesAreGivenThenPaintsTheItemOverTheGrays) {
  TMainForm& m = *MainForm;
  const std::string result = Bytes(m.ResultImage);
  ui.dialog<TSuperpForm>(Single(0, 3))
      .message("ERROR", "No Selected Image")
      .dialog<TSuperpForm>(Single(1, 0))
      .message("ERROR", "Gray Tone Value Missing")
      .dialog<TSuperpForm>([](TSuperpForm& f) {
        EXPECT_TRUE(f.RadioButton1->isChecked());  // the chosen slice is checked again
        f.GrayTone = 3;
        return ui::mrOk;
      })
      .colour(kRedValue);
  m.SuperpositionClick();

  EXPECT_EQ(std::tuple(Colour(0, 0), Colour(1, 0), Colour(0, 1), Colour(1, 1)),
            std::tuple(kRed, kRed, Gray(100), Gray(150)));
  EXPECT_EQ(std::tuple(Shown(0, 0), Shown(0, 1)), std::tuple(kRed, Gray(100)));
  EXPECT_EQ(std::tuple(m.ColourMode, m.Panel3Pending[p3SingleSuperposition],
                       m.Panel3Pending[p3TransparentSuperposition]),
            std::tuple(3, 1, 0));
  EXPECT_EQ(EnabledOf("SaveParamSpeedButton1"), "SaveParamSpeedButton1");
  EXPECT_EQ(ResultImageForm->CaptionText(), " 3.- KEPT ");
  EXPECT_EQ(Bytes(m.ResultImage), result);  // the gray planes stay

  // Over panel 3, with the colour dialog cancelled: its colour stays red. A 0 of the base shows as 1.
  m.BinaryImage[0][0] = m.BinaryImage[1][0] = 255;
  m.BinaryImage[0][1] = 3;
  m.ResultImage[1][0] = 0;
  ui.dialog<TSuperpForm>(Single(2, 3)).cancelColour();
  m.SuperpositionClick();
  EXPECT_EQ(std::tuple(Colour(0, 0), Colour(0, 1), Colour(1, 0)), std::tuple(Gray(20), kRed, Gray(1)));
}

TEST_F(SuperpositionTest, AFirstCancelledColourDialogPaintsInBlack) {
  ui.dialog<TSuperpForm>(Single(1, 3)).cancelColour();
  MainForm->SuperpositionClick();
  EXPECT_EQ(std::tuple(Colour(0, 0), Colour(0, 1)), std::tuple(Gray(0), Gray(100)));
  EXPECT_EQ(Colour(1, 0), Gray(0));
}

TEST_F(SuperpositionTest, TransparentAsksInOrderAndSaysTheValues) {
  TMainForm& m = *MainForm;
  ui.dialog<TSuperpTranspForm>(Transparent(0, 0, -1, 0))
      .message("ERROR", "No Selected Image")
      .dialog<TSuperpTranspForm>(Transparent(1, 0, -1, 0))
      .message("ERROR", "Gray Tone Value Missing")
      .dialog<TSuperpTranspForm>(Transparent(1, 3, -1, 0))
      .message("ERROR", "Coefficient of Opacity not defined")
      .dialog<TSuperpTranspForm>(Transparent(1, 3, 250, 0))
      .message("ERROR", "Type of Treatment not defined")
      .dialog<TSuperpTranspForm>(Transparent(1, 3, 250, 1))
      .message("INFO", "Values Selection 1 Gray Tone 3 Opacity 250 Treatment 1 ")
      .colour(kRedValue);
  m.TransparentSuperpositionClick();

  // 250 is taken as 100, global: the colour on the item, white elsewhere.
  EXPECT_EQ(std::tuple(Colour(0, 0), Colour(1, 0), Colour(0, 1), Colour(1, 1)),
            std::tuple(kRed, kRed, kWhite, kWhite));
  EXPECT_EQ(Shown(1, 1), kWhite);
  EXPECT_EQ(std::tuple(m.ColourMode, m.Panel3Pending[p3TransparentSuperposition],
                       m.Panel3Pending[p3SingleSuperposition]),
            std::tuple(3, 1, 0));
  EXPECT_EQ(EnabledOf("SaveParamSpeedButton1"), "SaveParamSpeedButton1");
  EXPECT_TRUE(SuperpTranspForm->RadioButton1->isChecked());
}

TEST_F(SuperpositionTest, TransparentOpacitiesAndTheLocalTreatment) {
  struct Case {
    int slice, opacity, type;
    Rgb item0, background0, background1;
  };
  const Case cases[] = {
      // Opacity 0: the gray base, 0 kept, background included.
      {1, 0, 1, Gray(0), Gray(100), Gray(150)},
      // Half over panel 1: the item 0 -> (0, 0, 127.5); background 100 -> 177.5, 150 -> 202.5.
      {1, 50, 1, Rgb{0, 0, 127}, Gray(177), Gray(202)},
      // "Local " over panel 3: the item blends with 20, the background shows panel 1's grays.
      {2, 50, 2, Rgb{10, 10, 137}, Gray(100), Gray(150)},
      // Negative opacities count as 0.
      {2, -7, 1, Gray(20), Gray(40), Gray(80)},
  };
  for (const Case& c : cases) {
    char info[96];
    std::snprintf(info, sizeof info, "Values Selection %d Gray Tone 3 Opacity %d Treatment %d ", c.slice,
                  c.opacity, c.type);
    ui.dialog<TSuperpTranspForm>(Transparent(c.slice, 3, c.opacity, c.type))
        .message("INFO", info)
        .colour(kRedValue);
    MainForm->TransparentSuperpositionClick();
    EXPECT_EQ(std::tuple(Colour(0, 0), Colour(0, 1), Colour(1, 1)),
              std::tuple(c.item0, c.background0, c.background1))
        << info;
  }
}

TEST_F(SuperpositionTest, ThePanelThreeSaveWritesTheColourImageAndRegistersIt) {
  TMainForm& m = *MainForm;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TSuperpForm>(Single(1, 3)).colour(kRedValue).save(Path("superposed"));
  m.SuperpositionClick();
  m.SaveParamSpeedButton1Click();
  int columns = 0, lines = 0;
  EXPECT_EQ(Bytes(ReadBMPFile(Path("superposed.bmp"), columns, lines)), Bytes(m.ColourImage));
  EXPECT_EQ(ReadFile(report),
            "\n\n\tImage of the Single Superposition registered as: " + Path("superposed.bmp"));
}

TEST_F(SuperpositionTest, EditsConvertAtEachChange) {
  SuperpForm->GrayToneEdit->setText(QStringLiteral("12a"));
  SuperpTranspForm->GrayToneEdit->setText(QStringLiteral("7"));
  SuperpTranspForm->OpacityEdit->setText(QStringLiteral(""));
  EXPECT_EQ(std::tuple(SuperpForm->GrayTone, SuperpTranspForm->GrayTone, SuperpTranspForm->Opacity),
            std::tuple(12, 7, 0));
  SuperpTranspForm->RadioButton2Click();
  SuperpTranspForm->RadioButton4Click();
  SuperpForm->RadioButton3Click();
  EXPECT_EQ(std::tuple(SuperpTranspForm->LowerSlice, SuperpTranspForm->TreatmentType, SuperpForm->LowerSlice,
                       SuperpForm->RadioButton3->isChecked()),
            std::tuple(2, 2, 2, true));
}

class GrayToneToolsWithoutImageTest : public ProgramTest {};

TEST_F(GrayToneToolsWithoutImageTest, EveryToolRefusesUnderCaution) {
  TMainForm& m = *MainForm;
  EXPECT_EQ(EnabledOf("Tools1"), "Tools1");
  for (void (TMainForm::*handler)() :
       {&TMainForm::PinsTreatment1Click, &TMainForm::UndoSpeedButton1Click, &TMainForm::GTNumber1Click,
        &TMainForm::Thresholding1Click, &TMainForm::SuperpositionClick,
        &TMainForm::TransparentSuperpositionClick}) {
    ui.message("CAUTION", "No image is open\nPlease open a gray tone image first");
    (m.*handler)();
  }
  EXPECT_TRUE(m.ColourImage.Empty() && m.UndoImage.Empty());
  EXPECT_EQ(m.ColourMode, 0);
}
