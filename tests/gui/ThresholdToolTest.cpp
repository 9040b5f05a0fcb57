#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "fixtures/Pixels.h"
#include "graytone/Threshold.h"
#include "panels/ImageWindow.h"
#include "panels/ResultImage.h"

namespace {

constexpr std::uint32_t kRedValue = 0x0000FF;    // red in bits 0-7
constexpr std::uint32_t kGreenValue = 0x00C800;  // green 200
constexpr Rgb kRed{0, 0, 255};
constexpr Rgb kGreen{0, 200, 0};
constexpr Rgb kBlack{0, 0, 0};

// The colour-image bytes (blue, green, red) of the ramp pixel holding gray g.
Rgb Colour(int g) {
  return BgrAt(MainForm->ColourImage, g / 16, g % 16);
}

// The same pixel as the panel shows it.
Rgb Shown(const TPanelForm& panel, int g) {
  const QRgb c = panel.Bitmap().pixel(g % 16, g / 16);
  return {static_cast<std::uint8_t>(qBlue(c)), static_cast<std::uint8_t>(qGreen(c)),
          static_cast<std::uint8_t>(qRed(c))};
}

std::string Text(const QLineEdit* edit) {
  return edit->text().toStdString();
}

// The window's steps, then Exit.
auto Steps(std::function<void(TThresholdForm&)> steps) {
  return [steps](TThresholdForm& f) {
    steps(f);
    f.BitBtn1Click();
    return f.ModalResult();
  };
}

}  // namespace

// Panel 1: a 16 x 16 ramp, pixel (i, j) = 16 i + j, every gray once.
class ThresholdToolTest : public ProgramTest {
 protected:
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
      f.Button1Click();  // red
      f.MoveScrollBar(100);
      EXPECT_EQ(std::tuple(Text(f.MaxEdit), f.SegmentMax, Text(f.MinEdit), f.SegmentMin),
                std::tuple("100", 100, "0", 0));
      EXPECT_EQ(std::tuple(Colour(0), Colour(100), Colour(101), Colour(255), Shown(*ImageForm, 100),
                           Shown(*ImageForm, 101)),
                std::tuple(kRed, kRed, GrayRgb(101), GrayRgb(255), kRed, GrayRgb(101)));
      EXPECT_EQ(ImageForm->CaptionText(), " 3.- CAPTION ");

      f.Button2Click();
      EXPECT_EQ(std::tuple(Text(f.MinEdit), f.SegmentMin, Text(f.SegmentEdit), f.SegmentNumber),
                std::tuple("101", 101, "2", 2));
      f.Button1Click();  // green
      f.MoveScrollBar(180);
      f.MoveScrollBar(150);  // going back keeps the colour above
      EXPECT_EQ(std::tuple(Colour(100), Colour(101), Colour(151), Colour(180), Colour(181),
                           Shown(*ImageForm, 170), Text(f.MaxEdit)),
                std::tuple(kRed, kGreen, kGreen, kGreen, GrayRgb(181), kGreen, "150"));
    }))
      .colour(kRedValue)
      .colour(kGreenValue);
  m.Enable({"SaveOriginalSpeedButton1", "SaveParamSpeedButton1"}, false);
  m.Thresholding1Click();

  EXPECT_EQ(
      std::tuple(m.ColourMode, m.Panel3Pending[p3ColouredOriginal], m.Panel3Pending[p3ColouredParameter],
                 EnabledOf("SaveOriginalSpeedButton1 SaveParamSpeedButton1")),
      std::tuple(3, 1, 0, "SaveOriginalSpeedButton1"));
  // The gray planes stay.
  EXPECT_EQ(std::tuple(m.RedPlane[0][0], m.OriginalImage[6][4], Colour(120)), std::tuple(7, 100, kGreen));
}

TEST_F(ThresholdToolTest, DefaultsPaintBlackAndACancelledColourDialogKeepsItsColour) {
  ui.dialog<TThresholdForm>([](TThresholdForm& f) {
      f.MoveScrollBar(10);  // no colour chosen: black
      EXPECT_EQ(std::tuple(Colour(0), Colour(10), Colour(11)), std::tuple(kBlack, kBlack, GrayRgb(11)));
      f.Button1Click();  // red
      f.Button2Click();
      f.Button1Click();  // cancelled: red still
      f.MoveScrollBar(20);
      EXPECT_EQ(std::tuple(Colour(10), Colour(11), Colour(20), Colour(21)),
                std::tuple(kBlack, kRed, kRed, GrayRgb(21)));
      return ui::mrCancel;  // closed without Exit
    })
      .colour(kRedValue)
      .cancelColour();
  MainForm->Thresholding1Click();
  EXPECT_EQ(std::tuple(MainForm->ColourMode, MainForm->Panel3Pending[p3ColouredOriginal]), std::tuple(0, 0));
}

TEST_F(ThresholdToolTest, ExitWithoutAStepStillLeavesTheColourImageAndTheFlag) {
  TMainForm& m = *MainForm;
  m.ColourImage = BytePlane(48, 16);
  m.ColourImage.Fill(9);  // another tool's colour image
  ui.press<TThresholdForm>(&TThresholdForm::BitBtn1Click);
  m.Thresholding1Click();
  EXPECT_EQ(std::tuple(m.ColourMode, m.Panel3Pending[p3ColouredOriginal], Colour(0), Colour(77), Colour(255)),
            std::tuple(3, 1, GrayRgb(0), GrayRgb(77), GrayRgb(255)));

  // Painted, then another tool's colour image in between: Exit gives back the painted picture.
  ui.dialog<TThresholdForm>(Steps([](TThresholdForm& f) { f.MoveScrollBar(30); }));
  m.Thresholding1Click();
  m.ColourImage.Fill(9);
  ui.press<TThresholdForm>(&TThresholdForm::BitBtn1Click);
  m.Thresholding1Click();
  EXPECT_EQ(std::tuple(Colour(30), Colour(31)), std::tuple(kBlack, GrayRgb(31)));
}

TEST_F(ThresholdToolTest, ThePlanesFollowTheToolFromOneUseToTheNextAndTheDataInChange) {
  TMainForm& m = *MainForm;
  for (int i = 0; i < 16; ++i)
    for (int j = 0; j < 16; ++j) m.ResultImage[i][j] = static_cast<std::uint8_t>(255 - 16 * i - j);
  ui.dialog<TThresholdForm>(Steps([](TThresholdForm& f) {
      f.Button1Click();
      f.MoveScrollBar(50);
    }))
      .colour(kRedValue);
  m.Thresholding1Click();

  // A second use goes on from the planes as they are.
  ui.dialog<TThresholdForm>(Steps([](TThresholdForm& f) {
      f.Button2Click();
      EXPECT_EQ(f.SegmentMin, 51);
      f.Button1Click();
      f.MoveScrollBar(60);
      EXPECT_EQ(std::tuple(Colour(50), Colour(51), Colour(60), Colour(61)),
                std::tuple(kRed, kGreen, kGreen, GrayRgb(61)));
      // Panel 3: the planes are made anew from its grays; pixels of gray 0 .. 60 there are painted.
      f.RadioButton2Click();
      EXPECT_EQ(std::tuple(f.DataIn, f.RadioButton2->isChecked()), std::tuple(2, true));
      f.SegmentMin = 0;
      f.MoveScrollBar(10);
      EXPECT_EQ(std::tuple(Colour(255), Colour(245), Colour(244), Colour(0), Shown(*ResultImageForm, 255),
                           ResultImageForm->CaptionText()),
                std::tuple(kGreen, kGreen, GrayRgb(11), GrayRgb(255), kGreen, " 3.- CAPTION "));
    }))
      .colour(kGreenValue);
  m.Enable({"SaveParamSpeedButton1"}, false);
  m.Thresholding1Click();
  EXPECT_EQ(std::tuple(m.Panel3Pending[p3ColouredOriginal], m.Panel3Pending[p3ColouredParameter],
                       EnabledOf("SaveParamSpeedButton1")),
            std::tuple(1, 1, "SaveParamSpeedButton1"));
}

TEST_F(ThresholdToolTest, ADragPaintsOnceUpToTheHighestPositionItPassed) {
  ui.dialog<TThresholdForm>([](TThresholdForm& f) {
    f.ScrollBar1->setValue(120);
    f.ScrollBar1->setValue(60);
    EXPECT_EQ(Text(f.MaxEdit), "");  // nothing painted yet
    QCoreApplication::processEvents();
    EXPECT_EQ(std::tuple(Text(f.MaxEdit), f.SegmentMax, Colour(120), Colour(121)),
              std::tuple("60", 60, kBlack, GrayRgb(121)));
    // A move not painted yet is painted before Next Segment reads the upper bound.
    f.ScrollBar1->setValue(70);
    f.Button2Click();
    EXPECT_EQ(std::tuple(Text(f.MinEdit), Text(f.MaxEdit)), std::tuple("71", "70"));
    return ui::mrCancel;
  });
  MainForm->Thresholding1Click();
}

TEST_F(ThresholdToolTest, ANewOriginalImageMakesThePlanesAnew) {
  ui.dialog<TThresholdForm>([](TThresholdForm& f) {
    f.MoveScrollBar(255);  // everything black
    return ui::mrCancel;
  });
  MainForm->Thresholding1Click();
  EXPECT_FALSE(MainForm->ThresholdPlanes.Red.Empty());
  OpenThroughTheMenu(MakeNumbered(16, 16, 16));
  EXPECT_TRUE(MainForm->ThresholdPlanes.Red.Empty());

  ui.dialog<TThresholdForm>([](TThresholdForm& f) {
    f.Button2Click();  // segment 256 .. : paints nothing
    f.MoveScrollBar(3);
    EXPECT_EQ(std::tuple(Colour(0), Colour(200)), std::tuple(GrayRgb(0), GrayRgb(200)));
    return ui::mrCancel;
  });
  MainForm->Thresholding1Click();
}
