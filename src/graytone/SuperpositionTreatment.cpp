// Tools > Superposition and Transparent Superposition: one value of panel 2 laid in colour over panel 1
// or panel 3, shown in panel 3 as the colour image the panel-3 save writes. The gray planes stay.
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/MainWindow.h"
#include "graytone/Superp.h"
#include "graytone/SuperpTransp.h"
#include "graytone/kernels/ColourImage.h"
#include "graytone/kernels/Superposition.h"
#include "imaging/Image.h"
#include "panels/ResultImage.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

namespace {

constexpr int kParametricSlice = 2;
constexpr int kLocalTreatment = 2;
constexpr int kOpacityNotDefined = -1;
constexpr int kMaxOpacity = 100;
constexpr double kPercent = 0.01;

const BytePlane& Slice(const TMainForm& m, int lowerSlice) {
  return lowerSlice == kParametricSlice ? m.ResultImage : m.OriginalImage;
}

// The superposition colour dialog: a cancel keeps the colour it held (black the first time), which is
// then used as chosen.
Rgb ChooseSuperpColour(TMainForm& m) {
  if (const auto chosen = ui::ChooseColour(m.ColorDialogSuperpColour)) m.ColorDialogSuperpColour = *chosen;
  return RgbFromColourValue(m.ColorDialogSuperpColour);
}

// Planes that do not match are refused before anything changes.
bool SameSize(const BytePlane& a, const BytePlane& b) {
  if (a.Lines() == b.Lines() && a.Columns() == b.Columns()) return true;
  ui::SetScreenCursor(ui::crArrow);
  ui::MessageBox("Panel 2 and the image beneath it differ in size", "CAUTION");
  return false;
}

void NoMemory(const BytePlane& base) {
  ui::SetScreenCursor(ui::crArrow);
  ui::MessageBox("Not enough memory for a colour image of " + std::to_string(base.Lines()) + " lines x " +
                     std::to_string(base.Columns()) + " columns",
                 "CAUTION");
}

// The colour image is the new panel-3 result: shown there (the panel keeps its caption) in front,
// saved as colour, and waiting to be registered under `result`.
void ShowColourResult(TMainForm& m, Panel3Result result) {
  m.ColourMode = kColourModeRgb;
  m.EditorColourImage = 0;  // the colour image is this result now, no longer the editor's
  m.Panel3Pending[result] = 1;
  IMAGE image(m.ColourImage.Columns() / 3, m.ColourImage.Lines(), IMAGE::kRgb);
  image.SetFromPlaneRGB(m.ColourImage);
  ui::SetScreenCursor(ui::crArrow);
  m.Enable({"SaveParamSpeedButton1"});
  ResultImageForm->ShowImage(image);
  ResultImageForm->ShowPanel();
}

std::string ValuesText(const TSuperpTranspForm& f) {
  char text[160];
  std::snprintf(text, sizeof text, "Values Selection %d Gray Tone %d Opacity %d Treatment %d ", f.LowerSlice,
                f.GrayTone, f.Opacity, f.TreatmentType);
  return text;
}

void TransparentSuperposition(TMainForm& m) {
  TSuperpTranspForm& f = *SuperpTranspForm;
  for (;;) {
    ui::ShowModal(f);
    f.CheckLowerSlice();
    if (f.LowerSlice == 0) {
      ui::MessageBox("No Selected Image", "ERROR");
    } else if (f.GrayTone == 0) {
      ui::MessageBox("Gray Tone Value Missing", "ERROR");
    } else if (f.Opacity == kOpacityNotDefined) {
      ui::MessageBox("Coefficient of Opacity not defined", "ERROR");
    } else if (f.TreatmentType == 0) {
      ui::MessageBox("Type of Treatment not defined", "ERROR");
    } else {
      break;
    }
  }
  ui::MessageBox(ValuesText(f), "INFO");

  TransparentParams params;
  params.Value = f.GrayTone;
  params.Alpha = std::clamp(std::min(f.Opacity, kMaxOpacity) * kPercent, 0.0, 1.0);
  params.Colour = ChooseSuperpColour(m);
  params.Local = f.TreatmentType == kLocalTreatment;

  const BytePlane& base = Slice(m, f.LowerSlice);
  if (!SameSize(base, m.BinaryImage) || !SameSize(m.OriginalImage, m.BinaryImage)) return;
  ui::SetScreenCursor(ui::crHourGlass);
  // "Local " shows the original image's grays on the background, whichever slice lies beneath.
  if (!SuperposeTransparent(base, m.BinaryImage, m.OriginalImage, params, m.ColourImage))
    return NoMemory(base);
  ShowColourResult(m, p3TransparentSuperposition);
}

}  // namespace

void TMainForm::SuperpositionClick() {
  if (!RequireImage()) return;
  for (;;) {
    ui::ShowModal(*SuperpForm);
    if (SuperpForm->LowerSlice == 0) {
      ui::MessageBox("No Selected Image", "ERROR");
      continue;
    }
    SuperpForm->CheckLowerSlice();
    if (SuperpForm->GrayTone == 0) {
      ui::MessageBox("Gray Tone Value Missing", "ERROR");
      continue;
    }
    break;
  }
  const Rgb colour = ChooseSuperpColour(*this);

  const BytePlane& base = Slice(*this, SuperpForm->LowerSlice);
  if (!SameSize(base, BinaryImage)) return;
  ui::SetScreenCursor(ui::crHourGlass);
  if (!SuperposeSingle(base, BinaryImage, SuperpForm->GrayTone, colour, ColourImage)) return NoMemory(base);
  ShowColourResult(*this, p3SingleSuperposition);
}

void TMainForm::TransparentSuperpositionClick() {
  if (!RequireImage()) return;
  TransparentSuperposition(*this);
}
