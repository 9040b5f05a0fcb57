// Gray Tones Treat. > Cubic Density > Treatment: the filled fraction of a cube centred on each pixel
// of panel 1 and on its height, in panel 3 (shown one gray above its values).
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "diagrams/DiagramForm.h"
#include "graytone/CubicGeneForm.h"
#include "panels/ResultPublishing.h"
#include "graytone/ShiftedResultPicture.h"
#include "graytone/kernels/CubicDensity.h"
#include "panels/ProgressWindow.h"
#include "ui/Cursors.h"

namespace {

constexpr const char* kCaption = " CUBIC DENSITY ";

// The dialog once; false (the message shown) when its values cannot be used.
bool AskParameters() {
  const TMainForm& m = *MainForm;
  const TCubicGeneForm& form = *CubicGeneForm;
  ui::ShowModal(*CubicGeneForm);
  if (m.DialogCancelBytes[cbCubicGene] == 1) return false;
  const int h = form.HalfWindowSize, jump = form.RadiometricJump;
  if (h == kCubicUndefined || h < 1) {
    ui::MessageBox("Half Window Size not defined", "ERROR");
  } else if (jump == kCubicUndefined || jump < 1) {
    ui::MessageBox("Radiometric Jump not defined", "ERROR");
  } else if (!CubicDensityComputable(m.ImageColumns, m.ImageLines, h, jump)) {
    ui::MessageBox(Format("The moving window (%lld pixels a side)\nis larger than the image", 2LL * h + 1),
                   "CUBIC DENSITY");
  } else {
    return true;
  }
  return false;
}

}  // namespace

void TMainForm::CubicDensityTreatment1Click() {
  if (!RequireImage()) return;
  if (AskParameters()) {
    const int h = CubicGeneForm->HalfWindowSize, jump = CubicGeneForm->RadiometricJump;
    ui::SetScreenCursor(ui::crHourGlass);
    ResetState();
    ClearResultRegisteredFlags();
    ReportPrintf("\n\n CUBIC DENSITY") &&
        ReportPrintf("\n\n\tMoving Window: Range = %d  Size = %d ", h, 2 * h + 1) &&
        ReportPrintf("\n\tReflectance jumping = %d ", jump);
    PanelCaption = SavedPanelCaption = kCaption;
    // The passes s = 1 .. J - 1 would each be overwritten by the next: only the last is made.
    ShowProgressWindow();
    CubicDensity(OriginalImage, h, jump, ResultImage,
                 [](double fraction) { SetProgressPosition(static_cast<float>(fraction)); });
    CloseProgressWindow();
    const IMAGE picture = ShiftedResultPicture(ResultImage, h);
    PublishResultImage({p3CubicDensity, kCaption, h}, &picture);
  }
  ui::SetScreenCursor(ui::crArrow);
  DialogCancelBytes[cbCubicGene] = 0;
}
