// The entries that only show an information window or a message, the speed-button information and
// the arrangement of the windows.
#include <QAction>
#include <QMdiArea>

#include "app/MainWindow.h"
#include "panels/InfoWindows.h"
#include "panels/TempImage.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

namespace {

constexpr const char* kReportedInUrbanField = "This function has been reported in Urban Field";

}  // namespace

void TMainForm::GeneralInfo2Click() {
  ShowInfoWindow(iwGeneralInfo);
}
void TMainForm::BinarInfo1Click() {
  ui::MessageBox("Value of the binary item = 1\nBackground = 255", "BINARIZING");
}
void TMainForm::LabelInfo1Click() {
  ShowInfoWindow(iwLabeling);
}
void TMainForm::LinFracInfo1Click() {
  ShowInfoWindow(iwLineal);
}
void TMainForm::BCInfo1Click() {
  ShowInfoWindow(iwBoxCounting);
}
void TMainForm::BromovInfo1Click() {
  ShowInfoWindow(iwBrownian);
}
void TMainForm::ProgBCInfo1Click() {
  ShowInfoWindow(iwProgressive);
}
void TMainForm::AboutUrbanFieldTreatments1Click() {
  ShowInfoWindow(iwUrbanField);
}
void TMainForm::REInfoClick() {
  ShowInfoWindow(iwRadialExpansion);
}
void TMainForm::CrownInfoClick() {
  ShowInfoWindow(iwCrownExpansion);
}
void TMainForm::PerimDistInfoClick() {
  ShowInfoWindow(iwPerimeterRoughness);
}
void TMainForm::InfoFractExplorClick() {
  ShowInfoWindow(iwFractalExploration);
}
void TMainForm::MajSmoothInfoClick() {
  ShowInfoWindow(iwMajoritySmoothing);
}
void TMainForm::MorphoMathInfoClick() {
  ShowInfoWindow(iwMorphology);
}
void TMainForm::HoleInfoClick() {
  ShowInfoWindow(iwHoleExtraction);
}
void TMainForm::PerimExtractInfoClick() {
  ShowInfoWindow(iwPerimeterExtraction);
}
void TMainForm::HomoInfoClick() {
  ShowInfoWindow(iwHomogeneity);
}
void TMainForm::DensityInfoClick() {
  ShowInfoWindow(iwDensity);
}
void TMainForm::ResizeBCInfo1Click() {
  ShowInfoWindow(iwResizingBoxCounting);
}
void TMainForm::PerimInfo1Click() {
  ShowInfoWindow(iwPerimeter);
}
void TMainForm::PerimOrientationInfo1Click() {
  ShowInfoWindow(iwPerimeterOrientation);
}
void TMainForm::MovingCircleInfo1Click() {
  ShowInfoWindow(iwMovingCircle);
}
void TMainForm::PatRecInfo1Click() {
  ShowInfoWindow(iwPatternRecognition);
}
void TMainForm::Smoothing1Click() {
  ui::MessageBox(kReportedInUrbanField, "INFO");
}
void TMainForm::Closing1Click() {
  ui::MessageBox(kReportedInUrbanField, "INFO");
}
void TMainForm::TriDGFracInfo1Click() {
  ShowInfoWindow(iwGlobalFractal);
}
void TMainForm::LocFracInfo1Click() {
  ShowInfoWindow(iwLocalFractal);
}
void TMainForm::LacunInfo1Click() {
  ShowInfoWindow(iwLacunarity);
}
void TMainForm::FracStar8Info1Click() {
  ShowInfoWindow(iwFractStar);
}
void TMainForm::FracPrismInfo1Click() {
  ShowInfoWindow(iwFractPrism);
}
void TMainForm::LocRoughInfo1Click() {
  ShowInfoWindow(iwLocalRoughness);
}
void TMainForm::CubicDensityInfo1Click() {
  ShowInfoWindow(iwCubicDensity);
}
void TMainForm::MorletInfo1Click() {
  ShowInfoWindow(iwMorlet);
}
void TMainForm::GeneralInfo1Click() {
  ShowInfoWindow(iwSequences);
}
void TMainForm::HurstInfo1Click() {
  ShowInfoWindow(iwHurst);
}
void TMainForm::WaveSelectInfo1Click() {
  ShowInfoWindow(iwWavelet);
}
void TMainForm::Infos1Click() {
  ShowInfoWindow(iwAbout);
}
void TMainForm::Illustrations1Click() {
  ShowInfoWindow(iwIllustrations);
}
void TMainForm::Copyrigth1Click() {
  ShowInfoWindow(iwAuthors);
}

void TMainForm::InfoSpeedButtonClick() {
  if (TempImageForm) TempImageForm->ShowPanel();
  ShowInfoWindow(iwSpeedButtons);
  ui::SetScreenCursor(ui::crArrow);
}

void TMainForm::Cascade1Click() {
  MdiArea()->cascadeSubWindows();
  Enable({"Previous1", "Next1"}, true);
}

void TMainForm::Tile1Click() {
  MdiArea()->tileSubWindows();
  Enable({"Previous1", "Next1"}, false);
}

void TMainForm::Previous1Click() {
  MdiArea()->activatePreviousSubWindow();
}
void TMainForm::Next1Click() {
  MdiArea()->activateNextSubWindow();
}
