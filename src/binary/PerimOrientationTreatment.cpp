// Binar. Treat. > Perimeter Orientation > Treatment: the contour of one item walked in steps of a
// given number of points, the direction of each step kept as a sequence of angles; the sequence is
// drawn by the perimeter orientation window and handed to the Hurst exponent.
#include <algorithm>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/PerimOrient.h"
#include "binary/kernels/ItemContour.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/PerimeterOrientation.h"
#include "diagrams/PerimeterDiagrams.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

namespace {

constexpr int kLastItemCode = 254;

// The dialog until the code is an item of panel 2 and the length at least one point; false on
// Cancel. A length below 1 would never advance along the contour.
bool AskOrientationParameters(const TMainForm& m, const ItemIndex& index) {
  const TPerimOrientationForm& form = *PerimOrientationForm;
  for (;;) {
    ui::ShowModal(*PerimOrientationForm);
    if (m.DialogCancelBytes[cbPerimOrientation] == 1) return false;
    if (form.ItemCode < 0 || form.ItemCode > kLastItemCode || !index[form.ItemCode].Present())
      ui::MessageBox("Code Label not defined", "ERROR");
    else if (form.SegmentLength < 1)
      ui::MessageBox("Length not defined", "ERROR");
    else
      return true;
  }
}

// Entries 1 .. M hold the angles (entry 0 unused), the rest of the trunc(N / L) + 1 entries 0.
void KeepSequence(TMainForm& m, const std::vector<int>& angles, int contourPoints, int length) {
  const std::size_t entries = std::max<std::size_t>(contourPoints / length, angles.size()) + 1;
  m.OrientationValues.assign(entries, 0);
  std::copy(angles.begin(), angles.end(), m.OrientationValues.begin() + 1);
  m.OrientationLength = static_cast<int>(angles.size());
}

}  // namespace

void TMainForm::PerimOrientationTreatment1Click() {
  const ItemIndex index = IndexItems(BinaryImage);
  if (AskOrientationParameters(*this, index)) {
    const int code = PerimOrientationForm->ItemCode;
    const int length = PerimOrientationForm->SegmentLength;
    ui::SetScreenCursor(ui::crHourGlass);
    const std::vector<ContourPoint> contour = ItemContour(BinaryImage, index[code], code);
    const std::vector<int> angles = OrientationSequence(contour, length);
    ui::SetScreenCursor(ui::crArrow);
    if (angles.empty()) {
      // The last sequence stays as it was: nothing new to draw or to hand on.
      ui::MessageBox("No orientation: the contour of the item holds " + std::to_string(contour.size()) +
                         " points,\ntoo few for segments of " + std::to_string(length) + " points",
                     "PERIMETER ORIENTATION");
    } else {
      NewDiagramResult(DiagramSavedFlags.OrientationSaved, DiagramSavedFlags.OrientationPending);
      if (ReportOn())
        ReportPrintf("\n\n PERIMETER ORIENTATION ") && ReportPrintf("\n applied to the labelized image\n");
      // The window and the Hurst exponent read the length as soon as the sequence exists.
      KeepSequence(*this, angles, static_cast<int>(contour.size()), length);
      ui::ShowModal(*OrientationPerimForm);
      LogDiagramFile(DiagramSavedFlags.OrientationPending, kOrientationReportText,
                     OrientationPerimForm->FileName);
      Enable({"Diagram1", "DiagCircleScan", "GTSTreatments1"});
    }
  }
  DialogCancelBytes[cbPerimOrientation] = 0;
  ui::SetScreenCursor(ui::crArrow);
}
