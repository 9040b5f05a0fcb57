// The Info entries and windows, the message entries, the About entries and the window arrangement.
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "Program.h"
#include "panels/InfoWindows.h"
#include "ui/Jpeg.h"
namespace {
using Handler = void (TMainForm::*)();
// The windows in menu order: caption, text labels (picture captions included), pictures.
const std::tuple<Handler, InfoWindow, const char*, int, int> kEntries[] = {
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
using InfoWindowsTest = ProgramTest;
TEST_F(InfoWindowsTest, EachEntryWindowMessageSpeedButtonInfoAndTheArrangement) {
  static_assert(std::size(kEntries) == InfoWindowCount);
  for (const auto& [handler, window, caption, labels, pictures] : kEntries) {
    ui.dialog<TInfoForm>([&](TInfoForm& f) {
      EXPECT_EQ(std::tuple(&f == InfoForms[window], f.Caption(), f.LabelCount(), f.PictureCount()),
                std::tuple(true, caption, labels, pictures));
      for (const QImage& picture : f.Pictures()) EXPECT_FALSE(picture.isNull()) << caption;
      return ui::mrOk;
    });
    (MainForm->*handler)();
  }
  for (const auto& [window, phrase] :
       {std::pair(iwUrbanField, "built-up area"), std::pair(iwPatternRecognition, "Porosity rate"),
        std::pair(iwAbout, "VORN Version 2.01")})
    EXPECT_NE(std::string(InfoContents(window).memo ? InfoContents(window).memo : "").find(phrase),
              std::string::npos);
  ui.message("BINARIZING", "Value of the binary item = 1\nBackground = 255");
  MainForm->BinarInfo1Click();
  for (Handler handler : {&TMainForm::Smoothing1Click, &TMainForm::Closing1Click}) {
    ui.message("INFO", "This function has been reported in Urban Field");
    (MainForm->*handler)();
  }
  TempImageForm->showMinimized();
  ui::SetScreenCursor(ui::crPencil);
  ui.ok<TInfoForm>();
  MainForm->InfoSpeedButtonClick();
  // Panel 2 shown, the arrow back; its pictures are the glyphs of the tool-bar buttons.
  EXPECT_EQ(std::tuple(TempImageForm->isMinimized(), ui::ScreenCursor(),
                       InfoForms[iwSpeedButtons]->Pictures()[3].size()),
            std::tuple(false, ui::crArrow, QSize(32, 32)));
  for (const bool cascade : {false, true, false}) {
    (MainForm->*(cascade ? &TMainForm::Cascade1Click : &TMainForm::Tile1Click))();
    EXPECT_EQ(EnabledOf("Previous1 Next1"), cascade ? "Previous1 Next1" : "");
  }
  QMdiArea* area = MainForm->MdiArea();
  QMdiSubWindow* first = area->subWindowList().front();
  area->setActiveSubWindow(first);
  MainForm->Next1Click();
  EXPECT_NE(area->activeSubWindow(), first);
  MainForm->Previous1Click();
  EXPECT_EQ(area->activeSubWindow(), first);
}
TEST_F(InfoWindowsTest, ResourcePicturesDecodeAndBadBytesGiveNoPicture) {
  QFile file(QStringLiteral(":/info/illustration-carpet.jpg"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
  const QImage picture = ui::DecodeJpeg(data, static_cast<std::size_t>(bytes.size()));
  ASSERT_EQ(picture.size(), QSize(160, 160));
  // The carpet's centre is a hole (white), its corner is filled (dark blue).
  EXPECT_TRUE(qGray(picture.pixel(80, 80)) > 230 && qGray(picture.pixel(1, 1)) < 80);
  // Cut short, noise after a start marker, nothing.
  const unsigned char noise[] = {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34};
  for (const QImage& bad :
       {ui::DecodeJpeg(data, 100), ui::DecodeJpeg(noise, sizeof noise), ui::DecodeJpeg(nullptr, 0)})
    EXPECT_TRUE(bad.isNull());
}
