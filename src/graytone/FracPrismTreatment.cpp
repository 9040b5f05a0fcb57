// Gray Tones Treat. > Fract Prism > Treatment: the prismatic fractal dimension of panel 1, pixel by
// pixel, in panel 3, with its range and mean in a message box and the report.
#include <new>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "app/TreatStartForm.h"
#include "diagrams/DiagramForm.h"
#include "panels/ResultPublishing.h"
#include "graytone/kernels/FractPrism.h"
#include "imaging/Allocators.h"
#include "panels/ProgressWindow.h"
#include "ui/Cursors.h"

namespace {

constexpr const char* kTitle = "PRISMATIC FRACTAL DIMENSION";
constexpr const char* kCaption = " 3D PRISMATIC FRACTAL DIMENSION ";
constexpr int kResultBorder = 4;

// The person confirms the treatment in the start window; the byte its "No" set is cleared.
bool Confirmed() {
  ui::ShowModal(*TreatStartForm);
  const bool refused = MainForm->DialogCancelBytes[cbTreatStart] == 1;
  MainForm->DialogCancelBytes[cbTreatStart] = 0;
  return !refused;
}

// "%lf" of a bound, or "undefined" when no dimension reached 2.
std::string Bound(bool defined, double value) {
  return defined ? Format("%lf", value + 0.0) : "undefined";
}

}  // namespace

void TMainForm::FracPrismTreatment1Click() {
  if (!RequireImage()) return;
  if (!Confirmed()) {
    ui::SetScreenCursor(ui::crArrow);
    return;
  }
  if (ImageLines < 2 * kPrismStatBorder + 1 || ImageColumns < 2 * kPrismStatBorder + 1) {
    ui::MessageBox("The image is too small: the statistics need\nat least 9 lines and 9 columns", kTitle);
    ui::SetScreenCursor(ui::crArrow);
    return;
  }
  DoublePlane dimensions = AllocDoubleMatrix(ImageColumns, ImageLines);
  if (dimensions.Empty()) {
    ui::MessageBox("Not enough memory for the prismatic dimensions of this image", "CAUTION");
    return;
  }

  ui::SetScreenCursor(ui::crHourGlass);
  ResetState();
  ClearResultRegisteredFlags();
  ReportPrintf("\n\n 3D PRISMATIC FRACTAL DIMENSION");
  PanelCaption = SavedPanelCaption = kCaption;
  ShowProgressWindow();
  const FractPrismResult result = FractPrism(
      OriginalImage, dimensions, [](double fraction) { SetProgressPosition(static_cast<float>(fraction)); });
  CloseProgressWindow();

  const std::string min = Bound(result.HasRange, result.Min), max = Bound(result.HasRange, result.Max);
  const bool reported = ReportOn() &&
                        ReportPrintf("\n\n\tMean Fractal Dimension = %lf ", result.Mean + 0.0) &&
                        ReportText("\n\tMin = " + min + "  Max = " + max + " ");
  ui::MessageBox("min " + min + " max " + max + Format("\nMean = %lf", result.Mean + 0.0) +
                     (reported ? "\n\nValues reported in the general report" : "\n\nNota: no Report"),
                 kTitle);

  ui::SetScreenCursor(ui::crArrow);
  // Values outside the range (below 2, or on the ring outside the statistics) take the end grays;
  // without a range the image is one tone.
  GrayScaling scaling{result.Min, result.Max, 1, 1};
  if (!result.HasRange) scaling = {0, 0, 1, 1};
  const PixelRectangle computed{kPrismBorder, ImageLines - kPrismBorder - 1, kPrismBorder,
                                ImageColumns - kPrismBorder - 1};
  PublishScaledResult(dimensions, scaling, computed, {p3FractPrism, kCaption, kResultBorder});
  ui::SetScreenCursor(ui::crArrow);
}
