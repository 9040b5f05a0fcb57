// Entries whose treatment is not part of the program yet: they do nothing.
// Each one leaves this list when its subsystem defines it.
#include "app/MainWindow.h"

// Binary: perimeter, perimeter orientation, moving circle.
void TMainForm::PerimTreatment1Click() {}
void TMainForm::PerimOrientationTreatment1Click() {}
void TMainForm::MovingCircleTreatment1Click() {}

// Gray tones: global and local fractal dimension, lacunarity.
void TMainForm::GlobalFractalTreatment1Click() {}
void TMainForm::LocFracTreatment1Click() {}
void TMainForm::LacunTreatment1Click() {}

// Gray tones: fract star, fract prism, local roughness, cubic density, Morlet, fractal thresholding.
void TMainForm::FracStar8Treatment1Click() {}
void TMainForm::FracPrismTreatment1Click() {}
void TMainForm::LocRoughTreatment1Click() {}
void TMainForm::CubicDensityTreatment1Click() {}
void TMainForm::MorletTreatment1Click() {}
void TMainForm::FractalThTreatment1Click() {}

// Urban field: expansions, perimeter and hole extraction, perimeter distance.
void TMainForm::RE_TreatmentClick() {}
void TMainForm::CrownTreatmentClick() {}
void TMainForm::PerimDistTreatmentClick() {}
void TMainForm::HoleTreatmentClick() {}
void TMainForm::PerimExtractTreatmentClick() {}
