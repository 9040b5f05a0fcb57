#include <QLineEdit>
#include <QRadioButton>

#include "Program.h"
#include "fixtures/Pixels.h"
#include "graytone/Superp.h"
#include "graytone/SuperpTransp.h"
#include "imaging/Bmp.h"

// Panel 1: grays 0, 100 / 50, 150; panel 3: 20, 40 / 60, 80; panel 2: item 3 left, background 255 right.
class SuperpositionTest : public ProgramTest {
 protected:
  static constexpr std::uint32_t kRedValue = 0x0000FF;
  static constexpr Rgb kRed{0, 0, 255}, kWhite{255, 255, 255};
  static Rgb Colour(int i, int j) { return BgrAt(MainForm->ColourImage, i, j); }
  static Rgb Shown(int i, int j) { return ShownPixel(*ResultImageForm, i, j); }
  static inline const auto Single = FormAnswer(&TSuperpForm::LowerSlice, &TSuperpForm::GrayTone);
  static inline const auto Transparent =
      FormAnswer(&TSuperpTranspForm::LowerSlice, &TSuperpTranspForm::GrayTone, &TSuperpTranspForm::Opacity,
                 &TSuperpTranspForm::TreatmentType);
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(BytePlane(2, 2));
    TMainForm& m = *MainForm;
    for (int k = 0; k < 4; ++k) {
      const int i = k / 2, j = k % 2;
      std::tie(m.OriginalImage[i][j], m.ResultImage[i][j], m.BinaryImage[i][j]) =
          std::tuple(100 * j + 50 * i, 20 + 20 * j + 40 * i, j == 0 ? 3 : 255);
    }
    m.HasLabeledImage = 1;
    ResultImageForm->SetCaptionText(" 3.- KEPT ");
    m.Enable({"SaveParamSpeedButton1"}, false);
  }
};
// First colour dialog cancelled: black; then red, saved; over panel 3, cancelled: red stays, a 0 shows as 1.
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
      .cancelColour();
  m.SuperpositionClick();
  EXPECT_EQ(
      std::tuple(Colour(0, 0), Colour(1, 0), Colour(0, 1), m.ColourMode,
                 m.Panel3Pending[p3SingleSuperposition], m.Panel3Pending[p3TransparentSuperposition],
                 EnabledOf("SaveParamSpeedButton1"), ResultImageForm->CaptionText(), Bytes(m.ResultImage)),
      std::tuple(GrayRgb(0), GrayRgb(0), GrayRgb(100), 3, 1, 0, "SaveParamSpeedButton1", " 3.- KEPT ",
                 result));
  m.EditorColourImage = 1;  // the screen editor's colour picture came in between: this result ends it
  ui.dialog<TSuperpForm>(Single(1, 3)).colour(kRedValue);
  m.SuperpositionClick();
  EXPECT_EQ(std::tuple(Colour(0, 0), Colour(1, 0), Colour(0, 1), Colour(1, 1), Shown(0, 0), Shown(0, 1)),
            std::tuple(kRed, kRed, GrayRgb(100), GrayRgb(150), kRed, GrayRgb(100)));
  const std::string report = ReportInto(Path("report.txt"));
  ui.save(Path("superposed"));
  m.SaveParamSpeedButton1Click();
  int columns, lines;
  EXPECT_EQ(std::tuple(Bytes(ReadBMPFile(Path("superposed.bmp"), columns, lines)), ReadFile(report)),
            std::tuple(Bytes(m.ColourImage),
                       "\n\n\tImage of the Single Superposition registered as: " + Path("superposed.bmp")));
  ui.save(Path("screen"));  // the screen save writes panel 2's plane, not the superposition
  m.SaveScreenSpeedButtonClick();
  EXPECT_EQ(std::tuple(ReadFile(Path("screen.raw")), ui.FileDialogs().back().title),
            std::tuple(Bytes(m.BinaryImage), "SAVE IMAGE"));
  std::tie(m.BinaryImage[0][0], m.BinaryImage[1][0], m.BinaryImage[0][1], m.ResultImage[1][0]) =
      std::tuple(255, 255, 3, 0);
  ui.dialog<TSuperpForm>(Single(2, 3)).cancelColour();
  m.SuperpositionClick();
  EXPECT_EQ(std::tuple(Colour(0, 0), Colour(0, 1), Colour(1, 0)), std::tuple(GrayRgb(20), kRed, GrayRgb(1)));
}
// The edits convert at each change. 250 is 100; opacity 50 over 0 / 100 / 150: 127.5 / 177.5 / 202.5;
// "Local " shows panel 1 around.
TEST_F(SuperpositionTest, EditsConvertThenTransparentAsksInOrderAndBlendsByOpacityAndTreatment) {
  TMainForm& m = *MainForm;
  TSuperpForm& s = *SuperpForm;
  TSuperpTranspForm& t = *SuperpTranspForm;
  s.GrayToneEdit->setText("12a"), t.GrayToneEdit->setText("7"), t.OpacityEdit->setText("");
  t.RadioButton2Click(), t.RadioButton4Click(), s.RadioButton3Click();
  EXPECT_EQ(std::tuple(s.GrayTone, t.GrayTone, t.Opacity, t.LowerSlice, t.TreatmentType, s.LowerSlice,
                       s.RadioButton3->isChecked()),
            std::tuple(12, 7, 0, 2, 2, 2, true));
  for (const auto& [values, message] : {std::pair{std::array{0, 0, -1, 0}, "No Selected Image"},
                                        {{1, 0, -1, 0}, "Gray Tone Value Missing"},
                                        {{1, 3, -1, 0}, "Coefficient of Opacity not defined"},
                                        {{1, 3, 250, 0}, "Type of Treatment not defined"}})
    ui.dialog<TSuperpTranspForm>(Transparent(values[0], values[1], values[2], values[3]))
        .message("ERROR", message);
  ui.dialog<TSuperpTranspForm>(Transparent(1, 3, 250, 1))
      .message("INFO", "Values Selection 1 Gray Tone 3 Opacity 250 Treatment 1 ")
      .colour(kRedValue);
  m.TransparentSuperpositionClick();
  EXPECT_EQ(std::tuple(Colour(0, 0), Colour(1, 0), Colour(0, 1), Colour(1, 1), Shown(1, 1), m.ColourMode,
                       m.Panel3Pending[p3TransparentSuperposition], m.Panel3Pending[p3SingleSuperposition],
                       EnabledOf("SaveParamSpeedButton1"), t.RadioButton1->isChecked()),
            std::tuple(kRed, kRed, kWhite, kWhite, kWhite, 3, 1, 0, "SaveParamSpeedButton1", true));
  for (auto [slice, opacity, type, item0, background0, background1] :
       {std::tuple(1, 50, 1, Rgb{0, 0, 127}, GrayRgb(177), GrayRgb(202)),
        {2, 50, 2, Rgb{10, 10, 137}, GrayRgb(100), GrayRgb(150)},
        {2, -7, 1, GrayRgb(20), GrayRgb(40), GrayRgb(80)}}) {
    const std::string info =
        Format("Values Selection %d Gray Tone 3 Opacity %d Treatment %d ", slice, opacity, type);
    ui.dialog<TSuperpTranspForm>(Transparent(slice, 3, opacity, type))
        .message("INFO", info)
        .colour(kRedValue);
    m.TransparentSuperpositionClick();
    EXPECT_EQ(std::tuple(Colour(0, 0), Colour(0, 1), Colour(1, 1)),
              std::tuple(item0, background0, background1))
        << info;
  }
}
class GrayToneToolsWithoutImageTest : public ProgramTest {};
TEST_F(GrayToneToolsWithoutImageTest, EveryToolRefusesUnderCaution) {
  TMainForm& m = *MainForm;
  EXPECT_EQ(EnabledOf("Tools1"), "Tools1");
  for (void (TMainForm::*handler)() :
       {&TMainForm::PinsTreatment1Click, &TMainForm::UndoSpeedButton1Click, &TMainForm::GTNumber1Click,
        &TMainForm::Thresholding1Click, &TMainForm::SuperpositionClick,
        &TMainForm::TransparentSuperpositionClick, &TMainForm::FirmagramTreatment1Click,
        &TMainForm::WaveSelectTreatment1Click}) {
    ui.message("CAUTION", "No image is open\nPlease open a gray tone image first");
    (m.*handler)();
  }
  EXPECT_EQ(std::tuple(m.ColourImage.Empty(), m.UndoImage.Empty(), m.ColourMode, m.GtsReady),
            std::tuple(true, true, 0, 0));
}
