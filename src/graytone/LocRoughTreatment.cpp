// Gray Tones Treat. > Local Roughness > Treatment: the mean absolute gray difference of each pixel of
// panel 1 to its 3 x 3 neighbourhood, in panel 3, with its range in the report.
#include "app/MainWindow.h"
#include "app/Report.h"
#include "app/TreatStartForm.h"
#include "diagrams/Histograms.h"
#include "panels/ResultPublishing.h"
#include "graytone/kernels/LocalRoughness.h"
#include "ui/Cursors.h"

namespace {
constexpr const char* kCaption = " LOCAL ROUGHNESS ";
}

void TMainForm::LocRoughTreatment1Click() {
  if (!RequireImage()) return;
  ui::ShowModal(*TreatStartForm);
  const bool refused = DialogCancelBytes[cbTreatStart] == 1;
  DialogCancelBytes[cbTreatStart] = 0;
  if (refused) {
    ui::SetScreenCursor(ui::crArrow);
    return;
  }
  if (ImageLines < 3 || ImageColumns < 3) {
    ui::MessageBox("The image is too small: the roughness needs\nat least 3 lines and 3 columns",
                   "LOCAL ROUGHNESS");
    ui::SetScreenCursor(ui::crArrow);
    return;
  }

  ui::SetScreenCursor(ui::crHourGlass);
  ResetState();
  ClearResultRegisteredFlags();
  ReportPrintf("\n\n LOCAL ROUGHNESS ");
  PanelCaption = SavedPanelCaption = kCaption;
  if (HistoGrisForm) HistoGrisForm->Counts.fill(0);
  const LocalRoughnessResult result = LocalRoughness(OriginalImage, ResultImage);
  PublishResultImage({p3LocalRoughness, kCaption, kRoughnessBorder});
  ReportPrintf("\n\n\tMin = %lf  Max = %lf ", result.Min + 0.0, result.Max + 0.0);
  ui::SetScreenCursor(ui::crArrow);
}
