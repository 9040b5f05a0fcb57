// Entries whose treatment is not part of the program yet: they do nothing.
// Each one leaves this list when its subsystem defines it.
#include "app/MainWindow.h"

// Binary: progressive and resizing box counting, lineal dimension.
void TMainForm::LinfracTreatment1Click() {}
void TMainForm::ProgBCTreatment1Click() {}
void TMainForm::ResizeBCTreatment1Click() {}

// Binary: perimeter, perimeter orientation, moving circle.
void TMainForm::PerimTreatment1Click() {}
void TMainForm::PerimOrientationTreatment1Click() {}
void TMainForm::MovingCircleTreatment1Click() {}

// Binary: pattern recognition, Brownian movement.
void TMainForm::BromovTreatment1Click() {}
void TMainForm::PatRecTreatment1Click() {}

// Gray tones: pins and undo, gray tones number, colour thresholding, superposition.
void TMainForm::PinsTreatment1Click() {}
void TMainForm::UndoSpeedButton1Click() {}
void TMainForm::GTNumber1Click() {}
void TMainForm::Thresholding1Click() {}
void TMainForm::SuperpositionClick() {}
void TMainForm::TransparentSuperpositionClick() {}

// Gray-tone sequences.
void TMainForm::FirmagramTreatment1Click() {}
void TMainForm::DiagFirmagram1Click() {}
void TMainForm::HurstTreatment1Click() {}
void TMainForm::WaveSelectTreatment1Click() {}

// Screen editor and dilation contour.
void TMainForm::PipetteSpeedButton1Click() {}
void TMainForm::ColorSpeedButtonClick() {}
void TMainForm::CuvetSpeedButtonClick() {}
void TMainForm::PencilSpeedButtonClick() {}
void TMainForm::LineSpeedButtonClick() {}
void TMainForm::DelateLineSpeedButtonClick() {}
void TMainForm::LocalFillingSpeedButtonClick() {}
void TMainForm::AureoleSpeedButtonClick() {}
void TMainForm::GoBackSpeedButtonClick() {}

// Urban field: expansions, perimeter and hole extraction, perimeter distance.
void TMainForm::RE_TreatmentClick() {}
void TMainForm::CrownTreatmentClick() {}
void TMainForm::PerimDistTreatmentClick() {}
void TMainForm::HoleTreatmentClick() {}
void TMainForm::PerimExtractTreatmentClick() {}

// Urban field: exploration, smoothing and morphology, density and homogeneity, adaptive closing.
void TMainForm::P_TreatmentClick() {}
void TMainForm::MajSmoothTreatmentClick() {}
void TMainForm::MorphoMathTreatmentClick() {}
void TMainForm::HomoTreatmentClick() {}
void TMainForm::DensityTreatmentClick() {}
void TMainForm::DilatSpeedButtonClick() {}

// Printing, panel transfer, information windows, window arrangement.
void TMainForm::InfoSpeedButtonClick() {}
void TMainForm::GeneralInfo2Click() {}
void TMainForm::BinarInfo1Click() {}
void TMainForm::LabelInfo1Click() {}
void TMainForm::LinFracInfo1Click() {}
void TMainForm::BCInfo1Click() {}
void TMainForm::BromovInfo1Click() {}
void TMainForm::ProgBCInfo1Click() {}
void TMainForm::AboutUrbanFieldTreatments1Click() {}
void TMainForm::REInfoClick() {}
void TMainForm::CrownInfoClick() {}
void TMainForm::PerimDistInfoClick() {}
void TMainForm::InfoFractExplorClick() {}
void TMainForm::MajSmoothInfoClick() {}
void TMainForm::MorphoMathInfoClick() {}
void TMainForm::HoleInfoClick() {}
void TMainForm::PerimExtractInfoClick() {}
void TMainForm::HomoInfoClick() {}
void TMainForm::DensityInfoClick() {}
void TMainForm::ResizeBCInfo1Click() {}
void TMainForm::PerimInfo1Click() {}
void TMainForm::PerimOrientationInfo1Click() {}
void TMainForm::MovingCircleInfo1Click() {}
void TMainForm::PatRecInfo1Click() {}
void TMainForm::Smoothing1Click() {}
void TMainForm::Closing1Click() {}
void TMainForm::TriDGFracInfo1Click() {}
void TMainForm::LocFracInfo1Click() {}
void TMainForm::LacunInfo1Click() {}
void TMainForm::FracStar8Info1Click() {}
void TMainForm::FracPrismInfo1Click() {}
void TMainForm::LocRoughInfo1Click() {}
void TMainForm::CubicDensityInfo1Click() {}
void TMainForm::MorletInfo1Click() {}
void TMainForm::GeneralInfo1Click() {}
void TMainForm::HurstInfo1Click() {}
void TMainForm::WaveSelectInfo1Click() {}
void TMainForm::Configurationdelimpression1Click() {}
void TMainForm::ImprimerClick() {}
void TMainForm::Transfert1Click() {}
void TMainForm::Cascade1Click() {}
void TMainForm::Tile1Click() {}
void TMainForm::Previous1Click() {}
void TMainForm::Next1Click() {}
void TMainForm::Infos1Click() {}
void TMainForm::Illustrations1Click() {}
void TMainForm::Copyrigth1Click() {}
