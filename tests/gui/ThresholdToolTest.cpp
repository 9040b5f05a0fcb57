#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include "Program.h"
#include "fixtures/Pixels.h"
#include "graytone/Threshold.h"

// Panel 1: a 16 x 16 ramp, pixel (i, j) = 16 i + j, every gray once.
class ThresholdToolTest : public ProgramTest {
 protected:
  static constexpr std::uint32_t kRedValue = 0x0000FF, kGreenValue = 0x00C800;  // red in bits 0-7, green 200
  static constexpr Rgb kRed{0, 0, 255}, kGreen{0, 200, 0}, kBlack{0, 0, 0};
  // The colour image's pixel holding gray g of the ramp, and the same pixel as a panel shows it.
  static Rgb Colour(int g) { return BgrAt(MainForm->ColourImage, g / 16, g % 16); }
  static Rgb Shown(const TPanelForm& panel, int g) { return ShownPixel(panel, g / 16, g % 16); }
  // The window's steps, then Exit or, `exit` false, closed without it.
  static auto Steps(std::function<void(TThresholdForm&)> steps, bool exit = true) {
    return [=](TThresholdForm& f) {
      return steps(f), exit ? (f.BitBtn1Click(), f.ModalResult()) : ui::mrCancel;
    };
  }
  static auto Closed(std::function<void(TThresholdForm&)> steps) { return Steps(steps, false); }
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(MakeNumbered(16, 16, 16));
    MainForm->PanelCaption = " 3.- CAPTION ";
    MainForm->RedPlane.Fill(7);  // panel 2's colouring, which the tool must leave alone
  }
};
TEST_F(ThresholdToolTest, SegmentsNextSegmentAndGoingBackOnTheRamp) {
  TMainForm& m = *MainForm;
  ui.dialog<TThresholdForm>(Steps([](TThresholdForm& f) {
      f.Button1Click(), f.MoveScrollBar(100);  // red
      EXPECT_EQ(std::tuple(EditText(f.MaxEdit), f.SegmentMax, EditText(f.MinEdit), f.SegmentMin, Colour(0),
                           Colour(100), Colour(101), Colour(255), Shown(*ImageForm, 100),
                           Shown(*ImageForm, 101), ImageForm->CaptionText()),
                std::tuple("100", 100, "0", 0, kRed, kRed, GrayRgb(101), GrayRgb(255), kRed, GrayRgb(101),
                           " 3.- CAPTION "));
      f.Button2Click();
      EXPECT_EQ(std::tuple(EditText(f.MinEdit), f.SegmentMin, EditText(f.SegmentEdit), f.SegmentNumber),
                std::tuple("101", 101, "2", 2));
      f.Button1Click(), f.MoveScrollBar(180), f.MoveScrollBar(150);  // green; going back keeps it above
      EXPECT_EQ(std::tuple(Colour(100), Colour(101), Colour(151), Colour(180), Colour(181),
                           Shown(*ImageForm, 170), EditText(f.MaxEdit)),
                std::tuple(kRed, kGreen, kGreen, kGreen, GrayRgb(181), kGreen, "150"));
    }))
      .colour(kRedValue)
      .colour(kGreenValue);
  m.Enable({"SaveOriginalSpeedButton1", "SaveParamSpeedButton1"}, false);
  m.Thresholding1Click();
  // The colour image and its flag; the gray planes stay.
  EXPECT_EQ(
      std::tuple(m.ColourMode, m.Panel3Pending[p3ColouredOriginal], m.Panel3Pending[p3ColouredParameter],
                 EnabledOf("SaveOriginalSpeedButton1 SaveParamSpeedButton1"), m.RedPlane[0][0],
                 m.OriginalImage[6][4], Colour(120)),
      std::tuple(3, 1, 0, "SaveOriginalSpeedButton1", 7, 100, kGreen));
}
// A drag paints once, up to its highest position; closed without Exit, the editor's colour picture ends.
TEST_F(ThresholdToolTest, DefaultsColourDialogAndDragsWithoutExit) {
  std::tie(MainForm->ColourMode, MainForm->EditorColourImage) = std::tuple(kColourModeRgb, 1);
  ui.dialog<TThresholdForm>(Closed([](TThresholdForm& f) {
      f.MoveScrollBar(10);
      EXPECT_EQ(std::tuple(Colour(0), Colour(10), Colour(11)), std::tuple(kBlack, kBlack, GrayRgb(11)));
      f.Button1Click(), f.Button2Click(), f.Button1Click();  // red, then cancelled: red still
      f.ScrollBar1->setValue(120), f.ScrollBar1->setValue(60);
      EXPECT_EQ(std::tuple(EditText(f.MaxEdit), Colour(11)), std::tuple("10", GrayRgb(11)));  // not yet
      QCoreApplication::processEvents();
      EXPECT_EQ(
          std::tuple(EditText(f.MaxEdit), f.SegmentMax, Colour(10), Colour(11), Colour(120), Colour(121)),
          std::tuple("60", 60, kBlack, kRed, kRed, GrayRgb(121)));
      f.ScrollBar1->setValue(70), f.Button2Click();
      EXPECT_EQ(std::tuple(EditText(f.MinEdit), EditText(f.MaxEdit)), std::tuple("71", "70"));
    }))
      .colour(kRedValue)
      .cancelColour();
  MainForm->Thresholding1Click();
  EXPECT_EQ(std::tuple(MainForm->ColourMode, MainForm->EditorColourImage,
                       MainForm->Panel3Pending[p3ColouredOriginal]),
            std::tuple(0, 0, 0));
}
// Painted, then another tool's colour image in between: Exit gives back the painted picture. A new
// original image makes the planes anew.
TEST_F(ThresholdToolTest, ExitWithoutAStepLeavesTheColourImageAndTheFlagTillANewOriginal) {
  TMainForm& m = *MainForm;
  m.ColourImage = MakeNumbered(48, 16, 0);  // another tool's colour image
  ui.press<TThresholdForm>(&TThresholdForm::BitBtn1Click);
  m.Thresholding1Click();
  EXPECT_EQ(std::tuple(m.ColourMode, m.Panel3Pending[p3ColouredOriginal], Colour(0), Colour(77), Colour(255)),
            std::tuple(3, 1, GrayRgb(0), GrayRgb(77), GrayRgb(255)));
  ui.dialog<TThresholdForm>(Steps([](TThresholdForm& f) { f.MoveScrollBar(30); }));
  m.Thresholding1Click();
  m.ColourImage.Fill(9);
  ui.press<TThresholdForm>(&TThresholdForm::BitBtn1Click);
  m.Thresholding1Click();
  EXPECT_EQ(std::tuple(Colour(30), Colour(31)), std::tuple(kBlack, GrayRgb(31)));
  ui.dialog<TThresholdForm>(Closed([](TThresholdForm& f) { f.MoveScrollBar(255); }));  // all black
  m.Thresholding1Click();
  ASSERT_FALSE(m.ThresholdPlanes.Red.Empty());
  OpenThroughTheMenu(MakeNumbered(16, 16, 16));
  EXPECT_TRUE(m.ThresholdPlanes.Red.Empty());
  ui.dialog<TThresholdForm>(Closed([](TThresholdForm& f) {
    f.Button2Click(), f.MoveScrollBar(3);  // segment 256 .. : paints nothing
    EXPECT_EQ(std::tuple(Colour(0), Colour(200)), std::tuple(GrayRgb(0), GrayRgb(200)));
  }));
  m.Thresholding1Click();
}
// A second use goes on from the planes; panel 3's planes are made anew from its grays.
TEST_F(ThresholdToolTest, ThePlanesFollowTheToolFromOneUseToTheNextAndTheDataInChange) {
  TMainForm& m = *MainForm;
  for (int g = 0; g < 256; ++g) m.ResultImage[g / 16][g % 16] = static_cast<std::uint8_t>(255 - g);
  ui.dialog<TThresholdForm>(Steps([](TThresholdForm& f) { f.Button1Click(), f.MoveScrollBar(50); }))
      .colour(kRedValue);
  m.Thresholding1Click();
  ui.dialog<TThresholdForm>(Steps([](TThresholdForm& f) {
      f.Button2Click(), f.Button1Click(), f.MoveScrollBar(60);
      EXPECT_EQ(std::tuple(f.SegmentMin, Colour(50), Colour(51), Colour(60), Colour(61)),
                std::tuple(51, kRed, kGreen, kGreen, GrayRgb(61)));
      f.RadioButton2Click(), f.SegmentMin = 0, f.MoveScrollBar(10);
      EXPECT_EQ(std::tuple(f.DataIn, f.RadioButton2->isChecked(), Colour(255), Colour(245), Colour(244),
                           Colour(0), Shown(*ResultImageForm, 255), ResultImageForm->CaptionText()),
                std::tuple(2, true, kGreen, kGreen, GrayRgb(11), GrayRgb(255), kGreen, " 3.- CAPTION "));
    }))
      .colour(kGreenValue);
  m.Enable({"SaveParamSpeedButton1"}, false);
  m.Thresholding1Click();
  EXPECT_EQ(std::tuple(m.Panel3Pending[p3ColouredOriginal], m.Panel3Pending[p3ColouredParameter],
                       EnabledOf("SaveParamSpeedButton1")),
            std::tuple(1, 1, "SaveParamSpeedButton1"));
}
