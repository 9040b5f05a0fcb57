// Binar. Treat. > Urban Field > Radial Expansion and Crown Expansion: around a starting point, the
// density and the fractal dimension of the covered part of growing discs or rings.
#include <climits>
#include <cmath>
#include <optional>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "diagrams/RadialExpansion.h"
#include "imaging/PrintedValues.h"
#include "panels/ProgressWindow.h"
#include "ui/Cursors.h"
#include "urban/ExpansionForms.h"
#include "urban/kernels/Expansion.h"

namespace {

const char* const kAppliedTo[] = {"", "\n applied to the original image", "\n applied to the binary image",
                                  "\n applied to the parametric image"};

const BytePlane& TreatedImage(const TMainForm& m, int imageType) {
  return imageType == eiOriginal ? m.OriginalImage : imageType == eiBinary ? m.BinaryImage : m.ResultImage;
}

// The last radius: the user's, or the image border's, min(cy, lines - cy, cx, columns - cx) - 1.
int LastRadiusOf(int lastRadiusType, int userRadius, int lines, int columns, int cy, int cx) {
  if (lastRadiusType == lrUser) return userRadius;
  return std::min({cy, lines - cy, cx, columns - cx}) - 1;
}

// What the expansion's own values refuse, after the dialog's "not defined" tests: the faults of
// values the dialog lets through (a centre off the image, a circle beyond its border, no step).
struct ExpansionWords {
  const char* startOutside;
  const char* pixelSize;
  const char* firstRadius;
  const char* lastBeyond;
  const char* noStep;
};

constexpr ExpansionWords kRadialWords = {
    "Starting Point outside the image", "Pixel Size must be a positive number",
    "First Circle Size must be positive", "Last Radius beyond the image border",
    "Last Radius must be greater than the First Circle Size"};
constexpr ExpansionWords kCrownWords = {
    "Starting point outside the image", "Pixel Size must be a positive number",
    "First External Radius must be positive", "Last External Radius beyond the image border",
    "Last External Radius must be greater than the First External Radius"};

std::string ValuesFault(const ExpansionWords& words, const BytePlane& image, const ExpansionParams& p,
                        double pixelSize, bool userLastRadius) {
  if (!image.Contains(p.CentreLine, p.CentreColumn)) return words.startOutside;
  if (!(pixelSize > 0) || !std::isfinite(pixelSize)) return words.pixelSize;
  if (p.FirstRadius < 0) return words.firstRadius;
  if (p.CrownWidth < 0) return "Crown Thickness must be positive";
  if (p.CrownWidth > 0 && p.CrownWidth >= p.FirstRadius)
    return "Crown Thickness must be smaller than the First External Radius";
  if (userLastRadius &&
      p.LastRadius > LargestLastRadius(image.Lines(), image.Columns(), p.CentreLine, p.CentreColumn))
    return words.lastBeyond;
  if (p.LastRadius <= p.FirstRadius) return words.noStep;
  // The saved curves give each radius in whole metres, up to the last radius computed.
  if (!(std::trunc((p.LastRadius - 1) * pixelSize) <= INT_MAX)) return OutOfRangeRefusal("Pixel Size");
  return "";
}

// The radial dialog until its values can be used; nothing on Cancel.
std::optional<ExpansionParams> AskRadial(TMainForm& m) {
  TDilBoxForm& f = *DilBoxForm;
  f.ResetMembers();
  for (;;) {
    ui::ShowModal(f);
    if (m.DialogCancelBytes[cbDilBox] == 1) {
      m.DialogCancelBytes[cbDilBox] = 0;
      return std::nullopt;
    }
    const bool userStart = f.StartType == 2;
    std::string fault;
    if (f.ImageType < eiOriginal || f.ImageType > eiParametric)
      fault = "Type of treated image not defined";
    else if (f.StartType != 1 && f.StartType != 2)
      fault = "Type of Starting Point not defined";
    else if (userStart && f.StartLine == 0)
      fault = "Line Position of the Starting Point not defined";
    else if (userStart && f.StartColumn == 0)
      fault = "Column Position of the Starting Point not defined";
    else if (f.PixelSize == 0.0)
      fault = "Pixel Size not defined";
    else if (f.MinValue == 1000)
      fault = "Threshold Minimum not defined";
    else if (f.MaxValue == 0)
      fault = "Threshold Maximum not defined";
    else if (f.FirstRadius == 0)
      fault = "First Circle Size not defined";
    else if (f.LastRadiusType != lrImageBorder && f.LastRadiusType != lrUser)
      fault = "Last Circle Radius Type not defined";
    else if (f.LastRadiusType == lrUser && f.LastRadius == 0)
      fault = "Last Radius not defined";

    const BytePlane& image = TreatedImage(m, f.ImageType);
    ExpansionParams p;
    p.CentreLine = userStart ? f.StartLine : image.Lines() / 2;
    p.CentreColumn = userStart ? f.StartColumn : image.Columns() / 2;
    p.FirstRadius = f.FirstRadius;
    p.LastRadius = LastRadiusOf(f.LastRadiusType, f.LastRadius, image.Lines(), image.Columns(), p.CentreLine,
                                p.CentreColumn);
    p.MinValue = f.MinValue;
    p.MaxValue = f.MaxValue;
    if (fault.empty()) fault = ValuesFault(kRadialWords, image, p, f.PixelSize, f.LastRadiusType == lrUser);
    if (fault.empty()) return p;
    ui::MessageBox(fault, "ERROR");
    f.CheckChosen();
  }
}

// The crown dialog until its values can be used; nothing on Cancel.
std::optional<ExpansionParams> AskCrown(TMainForm& m) {
  TCrownExpansionForm& f = *CrownExpansionForm;
  f.ResetMembers();
  for (;;) {
    ui::ShowModal(f);
    if (m.DialogCancelBytes[cbCrownExpansion] == 1) {
      m.DialogCancelBytes[cbCrownExpansion] = 0;
      return std::nullopt;
    }
    std::string fault;
    if (f.ImageType < eiOriginal || f.ImageType > eiParametric)
      fault = "Type of treated image not defined";
    else if (f.StartLine == 0)
      fault = "Line starting point not defined";
    else if (f.StartColumn == 0)
      fault = "Column starting point not defined";
    else if (f.PixelSize == 0.0)
      fault = "Pixel Size not defined";
    else if (f.MinValue == -1)
      fault = "Threshold Minimum not defined";
    else if (f.MaxValue == 0)
      fault = "Threshold Maximum not defined";
    else if (f.FirstRadius == 0)
      fault = "First External Radius not defined";
    else if (f.CrownWidth == 0)
      fault = "Crown Thickness not defined";
    else if (f.LastRadiusType != lrImageBorder && f.LastRadiusType != lrUser)
      fault = "Last External Radius Type not defined";
    else if (f.LastRadiusType == lrUser && f.LastRadius == 0)
      fault = "Last Radius not defined by the User";

    const BytePlane& image = TreatedImage(m, f.ImageType);
    ExpansionParams p;
    p.CentreLine = f.StartLine;
    p.CentreColumn = f.StartColumn;
    p.FirstRadius = f.FirstRadius;
    p.CrownWidth = f.CrownWidth;
    p.LastRadius = LastRadiusOf(f.LastRadiusType, f.LastRadius, image.Lines(), image.Columns(), p.CentreLine,
                                p.CentreColumn);
    p.MinValue = f.MinValue;
    p.MaxValue = f.MaxValue;
    if (fault.empty()) fault = ValuesFault(kCrownWords, image, p, f.PixelSize, f.LastRadiusType == lrUser);
    if (fault.empty()) return p;
    ui::MessageBox(fault, "ERROR");
    f.CheckChosen();
  }
}

// The steps of the run, 1-based, for the diagram window; the radius of step k is FirstRadius + k - 1.
void KeepResults(TMainForm& m, const ExpansionParams& p, double pixelSize,
                 const std::vector<ExpansionStep>& steps) {
  ExpansionResults& e = m.Expansion;
  e.FirstRadius = p.FirstRadius;
  e.PixelSize = pixelSize;
  e.LastRadius = p.LastRadius;
  e.StepCount = p.LastRadius - p.FirstRadius;
  const auto cells = static_cast<std::size_t>(e.StepCount) + 2;
  e.Radii.assign(cells, 0);
  e.FractalDimensions.assign(cells, 0.0);
  e.Densities.assign(cells, 0.0);
  for (std::size_t k = 0; k < steps.size() && k + 1 < cells; ++k) {
    e.Radii[k + 1] = steps[k].Radius;
    e.FractalDimensions[k + 1] = steps[k].FractalDimension;
    e.Densities[k + 1] = steps[k].Density;
  }
}

// Computes, shows the curves, and names in the report the file saved from them.
void RunExpansion(TMainForm& m, const BytePlane& image, const ExpansionParams& p, double pixelSize) {
  ui::SetScreenCursor(ui::crHourGlass);
  m.ExpansionSavedFlag = 0;
  ShowProgressWindow();
  const std::vector<ExpansionStep> steps =
      Expand(image, p, [](double fraction) { SetProgressPosition(static_cast<float>(fraction)); });
  CloseProgressWindow();
  KeepResults(m, p, pixelSize, steps);
  m.ExpansionSavedFlag = 0;
  ui::ShowModal(*RadialExpansionForm);
  m.Enable({"Diagram1", "RadialExpansion1"});
  ui::SetScreenCursor(ui::crArrow);
  LogDiagramFile(m.UrbanXlsFlags[uxExpansion], kExpansionReportText, RadialExpansionForm->FileName);
}

}  // namespace

void TMainForm::RE_TreatmentClick() {
  if (!RequireImage()) return;
  const std::optional<ExpansionParams> p = AskRadial(*this);
  if (!p) return;
  const TDilBoxForm& f = *DilBoxForm;

  ReportPrintf("\n\n RADIAL EXPANSION ");
  ReportPrintf("%s", kAppliedTo[f.ImageType]);
  ReportPrintf("\n\n\tThreshold Values: Min = %d Max = %d ", f.MinValue, f.MaxValue);
  ReportPrintf(f.StartType == 1 ? "\n\tGravity Center = Starting Point: "
                                : "\n\tStarting Point defined by the user: ");
  ReportPrintf("\n\t\tLine = %d\n\t\tColumn = %d", p->CentreLine, p->CentreColumn);
  ReportPrintf("\n\tPixel Size = %lf ", f.PixelSize);
  ReportPrintf("\n\n\tFirst Radius Circle = %d ", f.FirstRadius);
  if (f.LastRadiusType == lrImageBorder)
    ReportPrintf("\n\tImage Border = Last Radius Circle ");
  else
    ReportPrintf("\n\tLast Radius Circle = %d defined by the user ", f.LastRadius);

  RunExpansion(*this, TreatedImage(*this, f.ImageType), *p, f.PixelSize);
  DilBoxForm->ClearEntries();
  DialogCancelBytes[cbDilBox] = 0;
}

void TMainForm::CrownTreatmentClick() {
  if (!RequireImage()) return;
  const std::optional<ExpansionParams> p = AskCrown(*this);
  if (!p) return;
  const TCrownExpansionForm& f = *CrownExpansionForm;

  ReportPrintf("\n\n CROWN EXPANSION ");
  ReportPrintf("%s", kAppliedTo[f.ImageType]);
  ReportPrintf("\n\n\tThreshold Values: Min = %d Max = %d ", f.MinValue, f.MaxValue);
  ReportPrintf("\n\tCentral Starting Point: ");
  ReportPrintf("\n\t\tLine = %d\n\t\tColumn = %d", p->CentreLine, p->CentreColumn);
  ReportPrintf("\n\tPixel Size = %lf ", f.PixelSize);
  ReportPrintf("\n\n\tFirst External Radius = %d ", f.FirstRadius);
  ReportPrintf("\n\tCrown Width = %d ", f.CrownWidth);
  if (f.LastRadiusType == lrImageBorder)
    ReportPrintf("\n\tLast External Radius = Image Border ");
  else
    ReportPrintf("\n\tLast External Radius = %d ", f.LastRadius);

  RunExpansion(*this, TreatedImage(*this, f.ImageType), *p, f.PixelSize);
  CrownExpansionForm->ClearEntries();
  DialogCancelBytes[cbCrownExpansion] = 0;
}
