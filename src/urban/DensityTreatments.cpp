// Binar. Treat. > Urban Field > Density and Homogeneity > Treatment: how a gray-tone class fills one
// item (a message and the report), and the map of its share of every moving window (panel 3).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "imaging/PrintedValues.h"
#include "panels/ResultPublishing.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"
#include "urban/DensityDiag.h"
#include "urban/HomogeneityForm.h"
#include "urban/kernels/Density.h"
#include "urban/kernels/Homogeneity.h"

namespace {

constexpr int kNoValue = -1;
constexpr int kNoMinimum = 500;
constexpr int kFromPanel1 = 1;
constexpr int kFromPanel3 = 3;
constexpr const char* kHomogeneityCaption = " HOMOGENEIZATION ";

std::string Printed(const char* format, auto... values) {
  char text[256];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

bool Finite(const DensitySurfaces& s) {
  return std::isfinite(s.ItemSurface) && std::isfinite(s.ElementSurface) && std::isfinite(s.Percentage);
}

// The density dialog until its values are complete, the item is present and the pixel size gives
// finite results; false on Cancel.
bool AskDensity(TMainForm& m, DensityCounts& counts) {
  TDensityDiagForm& f = *DensityDiagForm;
  for (;;) {
    ui::ShowModal(f);
    if (m.DialogCancelBytes[cbDensityDiag] == 1) {
      m.DialogCancelBytes[cbDensityDiag] = 0;
      return false;
    }
    if (f.ItemValue == kNoValue) {
      ui::MessageBox("Gray Tone Value not defined", "ERROR");
      continue;
    }
    if (f.DataOrigin == 0) {
      ui::MessageBox("No information about Data Origin", "ERROR");
      continue;
    }
    f.CheckDataOrigin();
    if (f.MinValue == kNoMinimum) {
      ui::MessageBox("Minimum Threshold not defined", "ERROR");
    } else if (f.MaxValue == 0) {
      ui::MessageBox("Maximum Threshold not defined", "ERROR");
    } else if (f.PixelSize == 0.0) {
      ui::MessageBox("Pixel Size not defined", "ERROR");
    } else {
      const BytePlane& gray = f.DataOrigin == kFromPanel3 ? m.ResultImage : m.OriginalImage;
      counts = CountDensity(gray, m.BinaryImage, f.ItemValue, f.MinValue, f.MaxValue);
      // With no pixel of the item there is no surface to share: the percentage would be undefined.
      if (counts.ItemPixels == 0)
        ui::MessageBox(
            Printed("No pixel of panel 2 holds the value %d\nThe density cannot be computed", f.ItemValue),
            "DENSITY");
      else if (!Finite(DensitySurfacesOf(counts, f.PixelSize)))
        ui::MessageBox(OutOfRangeRefusal("Pixel Size"), "ERROR");
      else
        return true;
    }
  }
}

// The homogeneity dialog until the window fits the image; false on Cancel.
bool AskHomogeneity(TMainForm& m) {
  const THomogeneityForm& f = *HomogeneityForm;
  for (;;) {
    ui::ShowModal(*HomogeneityForm);
    if (m.DialogCancelBytes[cbHomogeneity] == 1) {
      m.DialogCancelBytes[cbHomogeneity] = 0;
      return false;
    }
    if (HomogeneityRangeFits(f.Range, m.ImageLines, m.ImageColumns)) return true;
    ui::MessageBox(Printed("Range not valid\nWindow Side = (Range * 2) +1 must lie between 1 and %d",
                           std::min(m.ImageLines, m.ImageColumns)),
                   "ERROR");
  }
}

}  // namespace

void TMainForm::DensityTreatmentClick() {
  if (!RequireImage()) return;
  DensityCounts counts;
  if (!AskDensity(*this, counts)) return;
  const TDensityDiagForm& f = *DensityDiagForm;
  const DensitySurfaces s = DensitySurfacesOf(counts, f.PixelSize);

  const bool reported = ReportOn() && ReportPrintf("\n\n DENSITY TREATMENT ") &&
                        ReportPrintf(f.DataOrigin == kFromPanel1 ? "\n applied to the original image\n"
                                                                 : "\n applied to the parametric image\n") &&
                        ReportPrintf("\n\tItem Gray Tone Value = %d ", f.ItemValue) &&
                        ReportPrintf("\n\tElement Threshold Min = %d Max = %d ", f.MinValue, f.MaxValue) &&
                        ReportPrintf("\n\tPixel Size = %lf meters ", f.PixelSize) &&
                        ReportPrintf("\n\tItem Surface = %lf km2 ", s.ItemSurface) &&
                        ReportPrintf("\n\tElement Surface = %lf km2 ", s.ElementSurface) &&
                        ReportPrintf("\n\tPercentage = %lf ", s.Percentage);
  const std::string values = Printed("Item Surface = %lf km2\nElement Surface = %lf km2\nPercentage = %lf",
                                     s.ItemSurface, s.ElementSurface, s.Percentage);
  ui::MessageBox(values + (reported ? "\n\nResult reported in the General Report" : "\n\nNota: no Report"),
                 "DENSITY");
  DialogCancelBytes[cbDensityDiag] = 0;
}

void TMainForm::HomoTreatmentClick() {
  if (!RequireImage()) return;
  if (!AskHomogeneity(*this)) {
    ui::SetScreenCursor(ui::crArrow);
    return;
  }
  const THomogeneityForm& f = *HomogeneityForm;
  ClearResultRegisteredFlags();

  const char* const sourceLine = f.Source == 1   ? "\n applied to the original image\n"
                                 : f.Source == 2 ? "\n applied to the binary or labeled image\n"
                                                 : "";
  ReportPrintf("\n\n HOMOGENEISATION AND DENSITY ") && ReportText(sourceLine) &&
      ReportPrintf("\n\tThreshold Min = %d Max = %d ", f.MinValue, f.MaxValue) &&
      ReportPrintf("\n\tMoving Window Range = %d Size = %d ", f.Range, 2 * f.Range + 1) &&
      ReportPrintf(f.Centered == 1 ? "\n\tCentered Treatment" : "\n\tGlobal Treatment");

  ui::SetScreenCursor(ui::crHourGlass);
  const BytePlane& source = f.Source == 1 ? OriginalImage : BinaryImage;
  BytePlane map = Homogeneization(source, {f.MinValue, f.MaxValue, f.Range, f.Centered == 1});
  ResultImage = std::move(map);
  PublishResultImage({p3Homogeneity, kHomogeneityCaption, f.Range});
  DialogCancelBytes[cbHomogeneity] = 0;
  ui::SetScreenCursor(ui::crArrow);
}
