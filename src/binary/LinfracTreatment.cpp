// Binar. Treat. > Lin. Fractal > Treatment: the dimension of one item along the lines or the
// columns of panel 2, from the segments of 1, 2, 3, 4, 6 and 12 pixels that hold it.
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/LinFract.h"
#include "binary/kernels/LinealCount.h"
#include "diagrams/DiagLinFract.h"
#include "imaging/PrintedValues.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

namespace {

constexpr int kLines = 1;
constexpr int kPrintedDecimals = 6;  // "%lf"

// The dialog until the code and the orientation are given; false on Cancel.
bool AskLinealParameters(TMainForm& m) {
  TLinFractForm& form = *LinFractForm;
  form.Code = -1;
  form.Orientation = 0;
  for (;;) {
    ui::ShowModal(form);
    if (m.DialogCancelBytes[cbLinFract] == 1) return false;
    if (form.Code == -1)
      ui::MessageBox("Code not defined", "ERROR");
    else if (form.Orientation == 0)
      ui::MessageBox("Orientation not defined", "ERROR");
    else
      return true;
  }
}

std::string Value(const char* label, double value) {
  return label + PrintedValue("%lf", value, kPrintedDecimals) + " ";
}

// Both estimates, "undefined" when no trace holds the item.
void ReportEstimates(const LinealResult& result) {
  ReportPrintf("\n\tNumber of traces: %d ", result.TraceCount) &&
      ReportText(Value("\n\t\tMean slope = ", result.MeanSlope)) &&
      ReportText(Value("\n\t\tFractal dimension = ", result.MeanDimension)) &&
      ReportText(Value("\n\t\tGlobal slope = ", result.GlobalSlope)) &&
      ReportText(Value("\n\t\tFractal dimension = ", result.GlobalDimension));
}

// One orientation's diagram data in the main window.
struct LinealDiagram {
  std::array<double, 6>& logSize;
  std::array<double, 6>& logCount;
  double& slope;
  double& dimension;
  int& saved;
  int& pending;
};

LinealDiagram DiagramOf(TMainForm& m, bool lines) {
  if (lines)
    return {m.LinealLineLogSize,
            m.LinealLineLogCount,
            m.LinealLineSlope,
            m.LinealLineDimension,
            m.DiagramSavedFlags.LinealLineSaved,
            m.DiagramSavedFlags.LinealLinePending};
  return {m.LinealColumnLogSize,
          m.LinealColumnLogCount,
          m.LinealColumnSlope,
          m.LinealColumnDimension,
          m.DiagramSavedFlags.LinealColumnSaved,
          m.DiagramSavedFlags.LinealColumnPending};
}

}  // namespace

void TMainForm::LinfracTreatment1Click() {
  if (AskLinealParameters(*this)) {
    const int code = LinFractForm->Code;
    const bool lines = LinFractForm->Orientation == kLines;
    const LinealDiagram diagram = DiagramOf(*this, lines);
    diagram.pending = 0;
    if (ReportOn()) {
      ReportPrintf("\n\n LINEAL FRACTAL DIMENSION ") &&
          ReportPrintf(lines ? "\n\tHorizontal scanning " : "\n\tVertical scanning ") &&
          (HasBinaryImage != 1 || ReportPrintf("\n\tapplied to the binary image")) &&
          (HasLabeledImage != 1 || ReportPrintf("\n\tapplied to the labeled image")) &&
          ReportPrintf("\n\tCode of the item: %d \n", code);
    }

    ui::SetScreenCursor(ui::crHourGlass);
    const LinealResult result =
        LinealCounting(BinaryImage, code, lines ? LinealOrientation::Lines : LinealOrientation::Columns);
    diagram.saved = 0;
    if (ReportOn()) ReportEstimates(result);

    const char* const entry = lines ? "DiagLinFract1" : "DiagLinFract2";
    ui::SetScreenCursor(ui::crArrow);
    if (result.Defined()) {
      diagram.logSize = result.LogSize;
      diagram.logCount = result.LogCount;
      diagram.slope = WithoutNegativeZero(result.GlobalSlope, kPrintedDecimals);
      diagram.dimension = WithoutNegativeZero(result.GlobalDimension, kPrintedDecimals);
      TDiagLinFractForm& window = lines ? static_cast<TDiagLinFractForm&>(*DiagLinFractLineForm)
                                        : static_cast<TDiagLinFractForm&>(*DiagLinFractColForm);
      ui::ShowModal(window);
      LogDiagramFile(diagram.pending, lines ? kLinealLineReportText : kLinealColumnReportText,
                     window.FileName);
      Enable({"Diagram1", entry});
    } else {
      // No trace: nothing to draw, and the old diagram no longer answers the last request.
      diagram.logSize.fill(0);
      diagram.logCount.fill(0);
      diagram.slope = diagram.dimension = std::numeric_limits<double>::quiet_NaN();
      Enable({entry}, false);
    }
  }
  LinFractForm->ClearInputs();
  DialogCancelBytes[cbLinFract] = 0;
  ui::SetScreenCursor(ui::crArrow);
}
