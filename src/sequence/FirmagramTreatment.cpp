// Gray Tones Treat. > Gray Tones Sequence > Treatment: a gray-tone sequence taken from panel 1 or 3,
// drawn in the " Partial Gray Tones Sequence" window; and Diagram > GTE Curve, which shows it again.
#include <algorithm>
#include <climits>

#include "app/MainWindow.h"
#include "imaging/Allocators.h"
#include "sequence/Firmagram.h"
#include "sequence/FirmagramParam.h"
#include "sequence/ZoneMessages.h"
#include "sequence/kernels/SequenceExtraction.h"
#include "ui/Cursors.h"

namespace {

// The whole image may be read; the whole scene leaves out its one-pixel border.
SequenceFrame ImageFrame(const TMainForm& m) {
  SequenceFrame frame;
  frame.Lines = m.ImageLines;
  frame.Columns = m.ImageColumns;
  frame.Border = 0;
  frame.SceneBorder = 1;
  return frame;
}

}  // namespace

void TMainForm::FirmagramTreatment1Click() {
  if (!RequireImage()) return;
  const SequenceFrame frame = ImageFrame(*this);
  SequenceZone zone;
  // Every bound is checked before anything is released: a refused zone leaves the former sequence.
  for (;;) {
    ui::ShowModal(*FirmagramParamForm);
    if (DialogCancelBytes[cbFirmagramParam] == 1) {
      DialogCancelBytes[cbFirmagramParam] = 0;
      return;
    }
    zone = ZoneOfForm(*FirmagramParamForm);
    const ZoneFault fault = CheckZone(zone, frame);
    if (fault == ZoneFault::None) break;
    ui::MessageBox(GtsZoneMessage(fault, zone), "ERROR");
  }

  ui::SetScreenCursor(ui::crHourGlass);
  const BytePlane& source = FirmagramParamForm->DataIn == 0 ? OriginalImage : ResultImage;
  if (GtsReady == 1) FreeIntVector(GtsValues);
  ExtractSequence(source, BinaryImage, zone, frame, GtsValues);
  GtsReady = 1;
  // The last value taken stays in the vector; no reader uses it.
  GtsLength = static_cast<int>(std::min<std::size_t>(GtsValues.size(), INT_MAX)) - 1;
  // A new sequence may be saved afresh; a saved file not yet named in the report stays waiting.
  DiagramSavedFlags.GtsSaved = 0;
  ui::SetScreenCursor(ui::crArrow);

  Enable({"GTSTreatments1", "Diagram1", "DiagFirmagram1"});
  ui::ShowModal(*FirmagramForm);
  LogDiagramFile(DiagramSavedFlags.GtsPending, kGtsReportText, FirmagramForm->FileName);
  DialogCancelBytes[cbFirmagramParam] = 0;
}

void TMainForm::DiagFirmagram1Click() {
  ui::ShowModal(*FirmagramForm);
}
