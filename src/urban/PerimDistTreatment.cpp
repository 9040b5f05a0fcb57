// Binar. Treat. > Urban Field > Perim. Dist.: the distance of each pixel of an outline, walked along
// it, to a centre; the sequence goes to the perimeter roughness window and to the Hurst exponent.
#include <optional>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "diagrams/DiagramForm.h"
#include "diagrams/PerimeterDiagrams.h"
#include "ui/Cursors.h"
#include "urban/PerimRoughnessParam.h"
#include "urban/kernels/PerimeterDistance.h"

namespace {

constexpr const char* kSavedText = "\n\n\tCorresponding .xls File registered\n\tin the file %s ";

bool HoldsValue(const BytePlane& plane, int value) {
  if (value < 0 || value > 255) return false;
  for (std::size_t k = 0; k < plane.Size(); ++k)
    if (plane.Data()[k] == value) return true;
  return false;
}

// The dialog's values that the walk cannot use, in the order they are asked; empty when usable.
std::string DialogFault(const TMainForm& m, const TPerimRoughnessParamForm& f) {
  if (f.PerimeterSource != psExtracted && f.PerimeterSource != psDilation)
    return "Perimeter Source not defined";
  if (f.PerimeterSource == psExtracted && m.PerimeterExtracted == 0)
    return "No previous extraction of a Perimeter";
  if (f.PerimeterSource == psExtracted && f.PerimeterValue == 0) return "Perimeter Code not defined";
  if (f.PerimeterSource == psDilation && f.ItemValue == 0) return "Item Code not defined";
  if (f.CenterType != ctGravity && f.CenterType != ctUser) return "Position Center not defined";
  if (f.CenterType == ctUser && f.CenterLine == 0) return "Line Center not defined";
  if (f.CenterType == ctUser && f.CenterColumn == 0) return "Column Center not defined";
  const int value = f.PerimeterSource == psExtracted ? f.PerimeterValue : f.ItemValue;
  if (!HoldsValue(m.BinaryImage, value)) return Format("No pixel of the value %d in the binary image", value);
  if (f.CenterType == ctUser && !m.BinaryImage.Contains(f.CenterLine, f.CenterColumn))
    return "Center outside the image";
  return "";
}

// Why a walk cannot be measured, under the treatment's name; empty when it can.
std::string WalkFault(const PerimeterDistanceResult& r, int value) {
  switch (r.Fault) {
    case PerimeterFault::None:
      return "";
    case PerimeterFault::NoOutline:
      return Format("The value %d has no perimeter pixel\ninside the image border", value);
    case PerimeterFault::CentreOutside:
      return "Center outside the image";
    case PerimeterFault::NoNeighbour:
      return Format(
          "The perimeter walk takes no pixel:\nthe starting pixel (line %d, column %d) has no neighbour",
          r.StartLine, r.StartColumn);
    case PerimeterFault::TooShort:
      return "The perimeter walked holds fewer than 3 pixels";
    case PerimeterFault::SameDistances:
      return "Every perimeter pixel walked lies at the same distance\nfrom the center";
  }
  return "";
}

// The dialog until its values give a walk that can be measured; nothing on Cancel.
std::optional<PerimeterDistanceResult> AskAndWalk(TMainForm& m) {
  TPerimRoughnessParamForm& f = *PerimRoughnessParamForm;
  f.ResetMembers();
  for (;;) {
    ui::ShowModal(f);
    if (m.DialogCancelBytes[cbPerimRoughnessParam] == 1) {
      m.DialogCancelBytes[cbPerimRoughnessParam] = 0;
      return std::nullopt;
    }
    f.CheckChosen();
    if (const std::string fault = DialogFault(m, f); !fault.empty()) {
      ui::MessageBox(fault, "ERROR");
      continue;
    }
    PerimeterDistanceParams params;
    params.Value = f.PerimeterSource == psExtracted ? f.PerimeterValue : f.ItemValue;
    params.Dilate = f.PerimeterSource == psDilation;
    params.GivenCentre = f.CenterType == ctUser;
    params.CentreLine = f.CenterLine;
    params.CentreColumn = f.CenterColumn;
    ui::SetScreenCursor(ui::crHourGlass);
    PerimeterDistanceResult result = PerimeterDistance(m.BinaryImage, params);
    ui::SetScreenCursor(ui::crArrow);
    if (const std::string fault = WalkFault(result, params.Value); !fault.empty()) {
      ui::MessageBox(fault, "PERIMETER ROUGHNESS");
      continue;
    }
    return result;
  }
}

}  // namespace

void TMainForm::PerimDistTreatmentClick() {
  if (!RequireImage()) return;
  std::optional<PerimeterDistanceResult> result = AskAndWalk(*this);
  if (!result) return;

  ReportPrintf("\n\n PERIMETER ROUGHNESS \n");
  UrbanForm.ItemMask = std::move(result->ItemMask);
  UrbanForm.PerimeterMask = std::move(result->PerimeterMask);
  UrbanForm.PerimeterRatio = result->Ratio;
  // The walk's length counts the start, taken last; its distance is not in the sequence.
  PerimSequenceLength = result->WalkLength;
  PerimDistLength = result->WalkLength - 1;
  Distances = std::move(result->Distances);
  DistMin = result->DistMin;
  DistMax = result->DistMax;
  DistMean = result->DistMean;
  DistRatio = result->Ratio;
  Enable({"GTSTreatments1"});
  ui::ShowModal(*PerimeterRoughnessForm2);
  // The file saved from the window while it was shown, named once it is written.
  LogDiagramFile(DiagramSavedFlags.RoughnessPending, kSavedText, PerimeterRoughnessForm2->FileName);
  Enable({"Diagram1", "PerimeterRoughness1"});
  PerimRoughnessParamForm->ClearEntries();
  DialogCancelBytes[cbPerimRoughnessParam] = 0;
}
