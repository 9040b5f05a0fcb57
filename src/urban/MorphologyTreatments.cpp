// Binar. Treat. > Urban Field > Majority Smoothing and Morpho. Math. > Treatment: one value of panel 2
// reshaped in place; panel 2 becomes binary.
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "graytone/kernels/ValuePresence.h"
#include "imaging/Formatted.h"
#include "imaging/Image.h"
#include "panels/ScreenEditor.h"
#include "panels/TempImage.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"
#include "urban/MathMorph.h"
#include "urban/SelectItemValue.h"
#include "urban/kernels/Morphology.h"

namespace {

constexpr int kNoValue = -1;
constexpr int kLastValue = 255;
constexpr int kNamedIterations = 5;  // beyond, the caption says "More than 5 Iterations"

struct MorphoKindText {
  const char* name;  // caption and report title
  Panel2Result result;
};

constexpr MorphoKindText kKinds[] = {
    {" DILATION ", p2Dilation}, {" EROSION ", p2Erosion}, {" CLOSING ", p2Closing}, {" OPENING ", p2Opening}};

std::string IterationsText(int n) {
  if (n > kNamedIterations) return "More than 5 Iterations";
  return std::to_string(n) + (n == 1 ? " Iteration" : " Iterations");
}

// Panel 2 shows its new binary plane under the treatment's name.
void ShowPanel2(TMainForm& m, const std::string& name) {
  m.TreatmentName = name;
  m.BinaryImageName = name;
  EndEditorColourPicture(m);  // the editor's colour picture was of the panel 2 replaced here
  if (!TempImageForm) return;
  TempImageForm->SetCaptionText(" 2.- " + m.BinaryImageName);
  IMAGE image(m.BinaryImage.Columns(), m.BinaryImage.Lines(), IMAGE::kGray);
  image.SetFromPlane(m.BinaryImage);
  TempImageForm->ShowBitmap(image);
  TempImageForm->ShowPanel();
}

// The dialog until its values are complete; false on Cancel.
bool AskMorphology(TMainForm& m) {
  const TMathMorphForm& f = *MathMorphForm;
  for (;;) {
    ui::ShowModal(*MathMorphForm);
    if (m.DialogCancelBytes[cbMathMorph] == 1) {
      m.DialogCancelBytes[cbMathMorph] = 0;
      return false;
    }
    if (f.SelectedValue == kNoValue) {
      ui::MessageBox("No Value Selected", "ERROR");
    } else if (f.IterationCount == 0) {
      ui::MessageBox("Number of Iterations not defined", "ERROR");
    } else if (f.IterationCount < 0) {
      ui::MessageBox("The Number of Iterations must be 1 or more", "ERROR");
    } else if (f.TreatmentType < kMorphoDilation || f.TreatmentType > kMorphoOpening) {
      ui::MessageBox("Type of Treatment not defined", "ERROR");
    } else {
      return true;
    }
  }
}

// The value dialog until panel 2 holds the value; false on Cancel.
bool AskSmoothedValue(TMainForm& m) {
  for (;;) {
    ui::ShowModal(*SelectItemValueForm);
    if (m.DialogCancelBytes[cbSelectItemValue] == 1) {
      m.DialogCancelBytes[cbSelectItemValue] = 0;
      return false;
    }
    // Smoothing a value no pixel holds would turn all of panel 2 into background.
    const int value = SelectItemValueForm->ItemValue;
    if (value >= 0 && value <= kLastValue && PresentValues(m.BinaryImage, 0)[value]) return true;
    ui::MessageBox(Format("No pixel of panel 2 holds the value %d", value), "MAJORITY SMOOTHING");
  }
}

}  // namespace

void TMainForm::MajSmoothTreatmentClick() {
  if (!RequireImage()) return;
  if (!AskSmoothedValue(*this)) return;
  ui::SetScreenCursor(ui::crHourGlass);
  MajoritySmoothing(BinaryImage, SelectItemValueForm->ItemValue);
  ShowPanel2(*this, " MAJORITY SMOOTHING ");
  DialogCancelBytes[cbSelectItemValue] = 0;
  ui::SetScreenCursor(ui::crArrow);
}

void TMainForm::MorphoMathTreatmentClick() {
  if (!RequireImage()) return;
  if (!AskMorphology(*this)) {
    ui::SetScreenCursor(ui::crArrow);
    return;
  }
  const TMathMorphForm& f = *MathMorphForm;
  const MorphoKindText& kind = kKinds[f.TreatmentType];
  ClearBinaryRegisteredFlags();

  ReportPrintf("\n\n%s", kind.name) && ReportPrintf("\n applied to the binary or labeled image\n") &&
      ReportPrintf("\n\n\tGray tone value = %d ", f.SelectedValue) &&
      ReportPrintf("\n\tIteration(s) = %d ", f.IterationCount);

  ui::SetScreenCursor(ui::crHourGlass);
  MorphoMath(BinaryImage, f.SelectedValue, f.TreatmentType, f.IterationCount);
  ShowPanel2(*this, kind.name + IterationsText(f.IterationCount));
  Panel2Pending[kind.result] = 1;
  Enable({"SaveBinarSpeedButton1"});
  DialogCancelBytes[cbMathMorph] = 0;
  ui::SetScreenCursor(ui::crArrow);
}
