// Every Info entry shows its window with its caption, texts and pictures; the message entries, the
// speed-button information, the About entries and the window arrangement.
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "panels/InfoWindows.h"
#include "panels/TempImage.h"
#include "ui/Cursors.h"
#include "ui/Jpeg.h"

namespace {

using Handler = void (TMainForm::*)();

struct Entry {
  Handler handler;
  InfoWindow window;
  const char* caption;
  int labels;  // text labels, captions of pictures included; -1 for a memo window
  int pictures;
};

// The windows as the menus list them, with their captions and the counts of their layouts.
const Entry kEntries[] = {
    {&TMainForm::GeneralInfo2Click, iwGeneralInfo, " General Info", 6, 3},
    {&TMainForm::LabelInfo1Click, iwLabeling, " LABELING", 5, 0},
    {&TMainForm::LinFracInfo1Click, iwLineal, " Lineal Calculation", 5, 2},
    {&TMainForm::BCInfo1Click, iwBoxCounting, " Box Counting Computation", 10, 1},
    {&TMainForm::BromovInfo1Click, iwBrownian, " Brownian Mouvement Calculation", 6, 3},
    {&TMainForm::ProgBCInfo1Click, iwProgressive, " Progressive Box Counting Method", 8, 4},
    {&TMainForm::AboutUrbanFieldTreatments1Click, iwUrbanField, " Info Urban Fields", 1, 1},
    {&TMainForm::REInfoClick, iwRadialExpansion, " Radial Expansion", 5, 5},
    {&TMainForm::CrownInfoClick, iwCrownExpansion, " Crown Expansion", 6, 5},
    {&TMainForm::PerimDistInfoClick, iwPerimeterRoughness, " Perimeter Roughness", 6, 2},
    {&TMainForm::InfoFractExplorClick, iwFractalExploration, " Fractal Exploration", 7, 1},
    {&TMainForm::MajSmoothInfoClick, iwMajoritySmoothing, " Majority Smoothing", 2, 2},
    {&TMainForm::MorphoMathInfoClick, iwMorphology, " Mathematical Morphology", 14, 1},
    {&TMainForm::HoleInfoClick, iwHoleExtraction, " Hole Extraction", 7, 0},
    {&TMainForm::PerimExtractInfoClick, iwPerimeterExtraction, " Perimeter Extraction", 6, 0},
    {&TMainForm::HomoInfoClick, iwHomogeneity, " Homogeneity Calculation", 5, 3},
    {&TMainForm::DensityInfoClick, iwDensity, " Density Treatment Information", 3, 0},
    {&TMainForm::ResizeBCInfo1Click, iwResizingBoxCounting, " Info about this treatment", 4, 0},
    {&TMainForm::PerimInfo1Click, iwPerimeter, " Perimeter Calculation", 3, 3},
    {&TMainForm::PerimOrientationInfo1Click, iwPerimeterOrientation, " Perimeter Orientation", 3, 2},
    {&TMainForm::MovingCircleInfo1Click, iwMovingCircle, " Moving Circle Calculation", 0, 1},
    {&TMainForm::PatRecInfo1Click, iwPatternRecognition, " Pattern Recognition Parameters", 0, 0},
    {&TMainForm::TriDGFracInfo1Click, iwGlobalFractal, " 3D Global Fractal Dimension", 4, 0},
    {&TMainForm::LocFracInfo1Click, iwLocalFractal, " Local Fractal Calculation", 2, 3},
    {&TMainForm::LacunInfo1Click, iwLacunarity, " Lacunarity ", 3, 1},
    {&TMainForm::FracStar8Info1Click, iwFractStar, " STAR CALCULATION", 2, 1},
    {&TMainForm::FracPrismInfo1Click, iwFractPrism, "Prism Calculation", 34, 6},
    {&TMainForm::LocRoughInfo1Click, iwLocalRoughness, " LOCAL ROUGHNESS INFO", 3, 1},
    {&TMainForm::CubicDensityInfo1Click, iwCubicDensity, " Cubic Density", 4, 1},
    {&TMainForm::MorletInfo1Click, iwMorlet, " Morlet Matrix", 4, 3},
    {&TMainForm::GeneralInfo1Click, iwSequences, " GENERAL INFORMATION", 13, 0},
    {&TMainForm::HurstInfo1Click, iwHurst, " Hurst Coefficient Calculation", 0, 3},
    {&TMainForm::WaveSelectInfo1Click, iwWavelet, " Wavelet Treatment Information", 0, 1},
    {&TMainForm::Infos1Click, iwAbout, " About this Software", 0, 1},
    {&TMainForm::Illustrations1Click, iwIllustrations, " Illustrations", 12, 6},
    {&TMainForm::Copyrigth1Click, iwAuthors, " Authors", 6, 0},
    {&TMainForm::InfoSpeedButtonClick, iwSpeedButtons, " Info about the following speed buttons", 36, 11},
};

}  // namespace

class InfoWindowsTest : public ProgramTest {};

TEST_F(InfoWindowsTest, EachEntryShowsItsOwnWindowWithItsCaptionTextsAndPictures) {
  static_assert(std::size(kEntries) == InfoWindowCount);
  for (const Entry& entry : kEntries) {
    ui.dialog<TInfoForm>([&](TInfoForm& f) {
      EXPECT_EQ(&f, InfoForms[entry.window]);
      EXPECT_EQ(f.Caption(), entry.caption);
      EXPECT_EQ(std::tuple(f.LabelCount(), f.PictureCount()), std::tuple(entry.labels, entry.pictures))
          << entry.caption;
      for (const QImage& picture : f.Pictures()) EXPECT_FALSE(picture.isNull()) << entry.caption;
      return ui::mrOk;
    });
    (MainForm->*entry.handler)();
  }
}

TEST_F(InfoWindowsTest, MemoWindowsHoldTheirOverviews) {
  for (InfoWindow window : {iwUrbanField, iwPatternRecognition, iwAbout}) {
    const char* memo = InfoContents(window).memo;
    ASSERT_NE(memo, nullptr);
    EXPECT_GT(std::string(memo).size(), 300u);
  }
  EXPECT_NE(std::string(InfoContents(iwPatternRecognition).memo).find("Porosity rate"), std::string::npos);
  EXPECT_NE(std::string(InfoContents(iwAbout).memo).find("VORN Version 2.01"), std::string::npos);
}

TEST_F(InfoWindowsTest, MessageEntriesSayTheirTexts) {
  const std::tuple<Handler, const char*, const char*> entries[] = {
      {&TMainForm::BinarInfo1Click, "BINARIZING", "Value of the binary item = 1\nBackground = 255"},
      {&TMainForm::Smoothing1Click, "INFO", "This function has been reported in Urban Field"},
      {&TMainForm::Closing1Click, "INFO", "This function has been reported in Urban Field"},
  };
  for (const auto& [handler, title, text] : entries) {
    ui.message(title, text);
    (MainForm->*handler)();
  }
  EXPECT_EQ(ui.Messages().size(), 3u);
}

TEST_F(InfoWindowsTest, SpeedButtonInfoShowsPanelTwoAndLeavesTheArrow) {
  TempImageForm->showMinimized();
  ui::SetScreenCursor(ui::crPencil);
  ui.ok<TInfoForm>();
  MainForm->InfoSpeedButtonClick();
  EXPECT_FALSE(TempImageForm->isMinimized());
  EXPECT_EQ(ui::ScreenCursor(), ui::crArrow);
  // Its pictures are the glyphs of the tool-bar buttons.
  EXPECT_EQ(InfoForms[iwSpeedButtons]->Pictures()[3].size(), QSize(32, 32));
}

TEST_F(InfoWindowsTest, CascadeEnablesPreviousAndNextAndTileDisablesThem) {
  QMdiArea* area = MainForm->MdiArea();
  MainForm->Tile1Click();
  EXPECT_EQ(EnabledOf("Previous1 Next1"), "");
  MainForm->Cascade1Click();
  EXPECT_EQ(EnabledOf("Previous1 Next1"), "Previous1 Next1");
  MainForm->Tile1Click();
  EXPECT_EQ(EnabledOf("Previous1 Next1"), "");

  // Next and Previous walk through the panels.
  area->setActiveSubWindow(area->subWindowList().front());
  QMdiSubWindow* first = area->activeSubWindow();
  MainForm->Next1Click();
  EXPECT_NE(area->activeSubWindow(), first);
  MainForm->Previous1Click();
  EXPECT_EQ(area->activeSubWindow(), first);
}

class InfoJpegTest : public ProgramTest {};

TEST_F(InfoJpegTest, ResourcePicturesDecodeAndBadBytesGiveNoPicture) {
  QFile file(QStringLiteral(":/info/illustration-carpet.jpg"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
  const QImage picture = ui::DecodeJpeg(data, static_cast<std::size_t>(bytes.size()));
  ASSERT_EQ(picture.size(), QSize(160, 160));
  // The carpet's centre is a hole (white), its corner is filled (dark blue).
  EXPECT_GT(qGray(picture.pixel(80, 80)), 230);
  EXPECT_LT(qGray(picture.pixel(1, 1)), 80);

  EXPECT_TRUE(ui::DecodeJpeg(data, 100).isNull());  // cut short
  const unsigned char noise[] = {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34};
  EXPECT_TRUE(ui::DecodeJpeg(noise, sizeof noise).isNull());
  EXPECT_TRUE(ui::DecodeJpeg(nullptr, 0).isNull());
}
