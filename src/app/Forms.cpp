#include "app/Forms.h"

#include <functional>
#include <vector>

#include "app/MainWindow.h"
#include "app/TreatStartForm.h"
#include "binary/Binar.h"
#include "binary/DiagBoxCountingForms.h"
#include "binary/Labeliz.h"
#include "diagrams/DiagramForms.h"
#include "graytone/CubicGeneForm.h"
#include "graytone/FractStarForm.h"
#include "graytone/FractalExplorationForm.h"
#include "graytone/Lacun.h"
#include "graytone/LocalFract.h"
#include "graytone/MorletForm.h"
#include "panels/ImageSizeForm.h"
#include "panels/ImageWindow.h"
#include "panels/ProgressWindow.h"
#include "panels/ReportForm.h"
#include "panels/ResultImage.h"
#include "panels/SelectImageForm.h"
#include "panels/TempImage.h"

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

  // Binary: perimeter, perimeter orientation, moving circle.

  // Binary: pattern recognition, Brownian movement.

  // Gray tones: global and local fractal dimension, lacunarity.
  Create(LocalFractForm, owner);
  Create(LacunForm, owner);

  // Gray tones: fract star, fract prism, local roughness, cubic density, Morlet, fractal thresholding.
  Create(FractStarForm, owner);
  Create(CubicGeneForm, owner);
  Create(MorletForm, owner);
  Create(FractalExplorationForm, owner);

  // Gray tones: pins, gray tones number, colour thresholding, superposition.

  // Gray-tone sequences: extraction, Hurst exponent, wavelet.

  // Screen editor and dilation contour.

  // Urban field: expansions, perimeter and hole extraction, perimeter distance.

  // Urban field: exploration, smoothing and morphology, density and homogeneity, adaptive closing.

  // Printing, panel transfer, information windows.

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
