// Binar. Treat. > Urban Field > Fractal Exploration > Treatment: the map of local box-counting
// dimensions of one value of panel 2, in panel 3.
#include "app/MainWindow.h"
#include "app/Report.h"
#include "panels/ProgressWindow.h"
#include "panels/ResultPublishing.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"
#include "urban/FractalExplor.h"
#include "urban/kernels/FractalExploration.h"

namespace {

constexpr int kNoValue = -1;
constexpr const char* kExplorationCaption = " FRACTAL EXPLORATION ";

// The dialog until its values are complete; false on Cancel.
bool AskExploration(TMainForm& m) {
  TFractalExplorForm& f = *FractalExplorForm;
  for (;;) {
    f.UncheckWindowSide();
    ui::ShowModal(f);
    if (m.DialogCancelBytes[cbFractalExplor] == 1) {
      m.DialogCancelBytes[cbFractalExplor] = 0;
      return false;
    }
    if (f.SelectedValue == kNoValue) {
      ui::MessageBox("No Selected Value", "ERROR");
    } else if (ExplorationHalfWindow(f.WindowSide) == 0) {
      ui::MessageBox("Size of the Window Side undefined", "ERROR");
    } else if (f.ScaleType == 0) {
      ui::MessageBox("Dynamic Scale not defined", "ERROR");
    } else {
      return true;
    }
  }
}

}  // namespace

void TMainForm::P_TreatmentClick() {
  if (!RequireImage()) return;
  if (!AskExploration(*this)) return;
  const TFractalExplorForm& f = *FractalExplorForm;
  ClearResultRegisteredFlags();

  ReportPrintf("\n\n FRACTAL EXPLORATION") && ReportPrintf("\n applied to the binary or labeled image ") &&
      ReportPrintf("\n\n\tGray tone value explored : %d ", f.SelectedValue) &&
      ReportPrintf("\n\tMoving window size = %d ", f.WindowSide) &&
      ReportPrintf(f.ScaleType == kExplorationFullScale ? "\n\tDynamic Scale 0.01 - 2.00"
                                                        : "\n\tDynamic Scale 1.00 - 2.00");

  ui::SetScreenCursor(ui::crHourGlass);
  ShowProgressWindow();
  BytePlane map = RunFractalExploration(BinaryImage, {f.SelectedValue, f.WindowSide, f.ScaleType},
                                        [](double done) { SetProgressPosition(static_cast<float>(done)); });
  CloseProgressWindow();
  ui::SetScreenCursor(ui::crArrow);
  ResultImage = std::move(map);
  PublishResultImage({p3FractalExploration, kExplorationCaption, ExplorationHalfWindow(f.WindowSide)});
  DialogCancelBytes[cbFractalExplor] = 0;
}
