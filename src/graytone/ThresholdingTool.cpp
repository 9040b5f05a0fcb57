// Tools > Thresholding: the colour thresholding tool does its work inside its own window.
#include "app/MainWindow.h"
#include "graytone/Threshold.h"
#include "ui/Driver.h"

void TMainForm::Thresholding1Click() {
  if (!RequireImage()) return;
  ui::ShowModal(*ThresholdForm);
}
