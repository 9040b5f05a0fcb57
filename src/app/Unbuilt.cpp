// Entries whose treatment is not part of the program yet: they do nothing.
// Each one leaves this list when its subsystem defines it.
#include "app/MainWindow.h"

// Urban field: exploration, smoothing and morphology, density and homogeneity, adaptive closing.
void TMainForm::P_TreatmentClick() {}
void TMainForm::MajSmoothTreatmentClick() {}
void TMainForm::MorphoMathTreatmentClick() {}
void TMainForm::HomoTreatmentClick() {}
void TMainForm::DensityTreatmentClick() {}
void TMainForm::DilatSpeedButtonClick() {}
