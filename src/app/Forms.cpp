#include "app/Forms.h"

#include <functional>
#include <vector>

#include "app/MainWindow.h"
#include "app/TreatStartForm.h"
#include "binary/Binar.h"
#include "binary/Bromov.h"
#include "binary/DiagBoxCountingForms.h"
#include "binary/ItemSelection.h"
#include "binary/Labeliz.h"
#include "binary/LinFract.h"
#include "binary/PatternRecognition.h"
#include "binary/PerimOrient.h"
#include "binary/ProgBoxCount.h"
#include "binary/Radius.h"
#include "binary/ResizeBC.h"
#include "diagrams/DiagramForms.h"
#include "graytone/CubicGeneForm.h"
#include "graytone/FractStarForm.h"
#include "graytone/FractalExplorationForm.h"
#include "graytone/GTNumber.h"
#include "graytone/Lacun.h"
#include "graytone/LocalFract.h"
#include "graytone/MorletForm.h"
#include "graytone/Pins.h"
#include "graytone/Superp.h"
#include "graytone/SuperpTransp.h"
#include "graytone/Threshold.h"
#include "panels/ConfigPagePrint.h"
#include "panels/DiagTransfert.h"
#include "panels/ImageSizeForm.h"
#include "panels/ImageWindow.h"
#include "panels/InfoWindows.h"
#include "panels/ProgressWindow.h"
#include "panels/ReportForm.h"
#include "panels/ResultImage.h"
#include "panels/SelectImageForm.h"
#include "panels/SelectedGT.h"
#include "panels/TempImage.h"
#include "sequence/Firmagram.h"
#include "sequence/FirmagramParam.h"
#include "sequence/Hurst.h"
#include "sequence/WaveletTreatmentForm.h"
#include "urban/DensityDiag.h"
#include "urban/DiagDilation.h"
#include "urban/ExpansionForms.h"
#include "urban/ExtractionForms.h"
#include "urban/FractalExplor.h"
#include "urban/HomogeneityForm.h"
#include "urban/MathMorph.h"
#include "urban/PerimRoughnessParam.h"
#include "urban/SelectItemValue.h"

namespace {

// Undoes the creations in reverse order.
std::vector<std::function<void()>>& Destroyers() {
  static std::vector<std::function<void()>> destroyers;
  return destroyers;
}

template <class T>
void Create(T*& variable, QWidget* owner) {
  variable = new T(owner);
  Destroyers().push_back([&variable] {
    delete variable;
    variable = nullptr;
  });
}

}  // namespace

void CreateForms() {
  Create(MainForm, nullptr);
  QWidget* owner = MainForm;
  Create(ResultImageForm, owner);
  Create(ImageForm, owner);
  Create(ReportForm, owner);
  Create(ImageSizeForm, owner);
  Create(SelectImageForm, owner);
  Create(BinarForm, owner);
  Create(LabelizForm, owner);
  Create(DiagBoxCountingForm1, owner);
  Create(DiagBoxCountingForm2, owner);
  Create(DiagBoxCountingForm3, owner);
  Create(DiagBoxCountingForm4, owner);
  Create(DiagBoxCountingForm, owner);
  Create(DiagProgrBoxCountingForm, owner);
  Create(DiagLinFractLineForm, owner);
  Create(DiagLinFractColForm, owner);
  Create(DiagRadiusForm, owner);
  Create(DiagHurstResultForm, owner);
  Create(DiagLocFractDimForm, owner);
  Create(DiagLacunForm, owner);
  Create(OrientationPerimForm, owner);
  Create(PerimeterRoughnessForm2, owner);
  Create(ExplorForm, owner);
  Create(RadialExpansionForm, owner);
  Create(DiagHistoForm, owner);
  Create(HistoGrisForm, owner);
  Create(DiagLocalHistoForm, owner);
  Create(LocalHistoGrisForm, owner);
  // Binary: progressive and resizing box counting, lineal dimension, item selection.
  Create(LinFractForm, owner);
  Create(ProgBoxCountForm, owner);
  Create(ResizeBCForm, owner);
  Create(ItemSelectionForm, owner);

  // Binary: perimeter, perimeter orientation, moving circle.
  Create(PerimOrientationForm, owner);
  Create(RadiusForm, owner);

  // Binary: pattern recognition, Brownian movement.
  Create(PatternRecognitionForm, owner);
  Create(BromovForm, owner);

  // Gray tones: global and local fractal dimension, lacunarity.
  Create(LocalFractForm, owner);
  Create(LacunForm, owner);

  // Gray tones: fract star, fract prism, local roughness, cubic density, Morlet, fractal thresholding.
  Create(FractStarForm, owner);
  Create(CubicGeneForm, owner);
  Create(MorletForm, owner);
  Create(FractalExplorationForm, owner);

  // Gray tones: pins, gray tones number, colour thresholding, superposition.
  Create(PinsForm, owner);
  Create(GTNumberForm, owner);
  Create(ThresholdForm, owner);
  Create(SuperpForm, owner);
  Create(SuperpTranspForm, owner);

  // Gray-tone sequences: extraction, Hurst exponent, wavelet.
  Create(FirmagramParamForm, owner);
  Create(FirmagramForm, owner);
  Create(HurstForm, owner);
  Create(HurstDividerForm, owner);
  Create(WaveletTreatmentForm, owner);

  // Screen editor and dilation contour.
  Create(SelectedValueForm, owner);

  // Urban field: expansions, perimeter and hole extraction, perimeter distance.
  Create(DilBoxForm, owner);
  Create(CrownExpansionForm, owner);
  Create(PerimExtractValueForm, owner);
  Create(PerimRoughnessParamForm, owner);
  Create(HoleExtractForm, owner);

  // Urban field: exploration, smoothing and morphology, density and homogeneity, adaptive closing.
  Create(FractalExplorForm, owner);
  Create(SelectItemValueForm, owner);
  Create(MathMorphForm, owner);
  Create(HomogeneityForm, owner);
  Create(DensityDiagForm, owner);
  Create(DiagDilationForm, owner);

  // Printing, panel transfer, information windows.
  Create(ConfigPagePrintForm, owner);
  Create(TransForm, owner);
  // One window per entry of the table of contents; each is filled when first shown.
  for (int k = 0; k < InfoWindowCount; ++k) {
    Create(InfoForms[k], owner);
    InfoForms[k]->SetContent(static_cast<InfoWindow>(k));
  }

  // Panel 2 and the treatment start window come last.
  Create(TempImageForm, owner);
  Create(TreatStartForm, owner);
}

void DestroyForms() {
  CloseProgressWindow();
  // The main window last: the others are its children.

  auto& destroyers = Destroyers();
  while (!destroyers.empty()) {
    auto destroy = std::move(destroyers.back());
    destroyers.pop_back();
    destroy();
  }
}
