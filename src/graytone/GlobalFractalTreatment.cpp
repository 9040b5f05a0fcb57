// Gray Tones Treat. > 3D Global Fractal > Treatment: one fractal dimension for the whole original
// image read as an elevation model, in a message box and the report.
#include <algorithm>
#include <cmath>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "diagrams/DiagramForm.h"
#include "graytone/kernels/GlobalFractal.h"
#include "ui/Cursors.h"

namespace {

constexpr const char* kTitle = "GLOBAL FRACTAL DIMENSION";
// Below this side the rings leave fewer than three distances to fit.
constexpr int kSmallestSide = 8;

std::string Number(double value) {
  return std::isnan(value) ? "undefined" : Format("%lf", value + 0.0);  // + 0.0: never "-0.000000"
}

}  // namespace

void TMainForm::GlobalFractalTreatment1Click() {
  if (!RequireImage()) return;
  if (std::min(OriginalImage.Lines(), OriginalImage.Columns()) < kSmallestSide) {
    ui::MessageBox("The image is too small:\nits smaller side must be at least " +
                       std::to_string(kSmallestSide) + " pixels",
                   kTitle);
    return;
  }
  ui::SetScreenCursor(ui::crHourGlass);
  const GlobalFractalResult result = GlobalFractalDimension(OriginalImage);
  ui::SetScreenCursor(ui::crArrow);

  const bool defined = !std::isnan(result.Dimension);
  bool reported = ReportOn() && ReportPrintf("\n\nGLOBAL 3D FRACTAL DIMENSION") &&
                  ReportPrintf("\n\n\tmeasured in a square zone (%d x %d) ", result.Zone, result.Zone);
  if (defined) {
    reported = reported && ReportText("\n\tFractal Dimension = " + Number(result.Dimension) + " ") &&
               ReportText("\n\tCorrelation Coefficient = " + Number(result.Correlation) + " ");
  } else {
    reported = reported && ReportPrintf(
                               "\n\tFractal Dimension = undefined (fewer than two distances "
                               "with a height difference) ");
  }

  if (!defined) {
    const std::string notice =
        "Fractal Dimension undefined:\nfewer than two distances show a height difference";
    ui::MessageBox(reported ? "Values reported in the Report\n" + notice : notice + "\n\nNo general Report",
                   kTitle);
  } else if (reported) {
    ui::MessageBox("Values reported in the Report\nFractal Dimension : D=" + Number(result.Dimension) +
                       "\nCorrelation Coefficient r=" + Number(result.Correlation),
                   kTitle);
  } else {
    ui::MessageBox("Fractal Dimension : D=" + Number(result.Dimension) + "\n\nCorrelation Coefficient r=" +
                       Number(result.Correlation) + "\n\nNo general Report",
                   kTitle);
  }
}
