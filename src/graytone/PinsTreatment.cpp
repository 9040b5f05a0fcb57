// Tools > Pins > Treatment: pins stretching of panel 1 or panel 3 in place, and its one-level undo.
#include <algorithm>
#include <string>
#include <utility>

#include "app/ColourResults.h"
#include "app/MainWindow.h"
#include "graytone/Pins.h"
#include "graytone/kernels/PinsStretch.h"
#include "imaging/Image.h"
#include "panels/ImageWindow.h"
#include "panels/ResultImage.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

namespace {

constexpr int kOriginalPanel = 1;
constexpr int kResultPanel = 3;
constexpr const char* kPinsCaption = " PANEL 3 = PINS STREATCHING ";

BytePlane& PanelPlane(TMainForm& m, int panel) {
  return panel == kResultPanel ? m.ResultImage : m.OriginalImage;
}

// Shows a gray plane in panel 1 or panel 3 under `caption`.
void ShowGray(int panel, const BytePlane& plane, const std::string& caption) {
  IMAGE image(plane.Columns(), plane.Lines(), IMAGE::kGray);
  image.SetFromPlane(plane);
  if (panel == kResultPanel) {
    if (!ResultImageForm) return;
    ResultImageForm->SetCaptionText(caption);
    ResultImageForm->ShowImage(image);
    ResultImageForm->ShowPanel();
  } else {
    if (!ImageForm) return;
    ImageForm->SetCaptionText(caption);
    ImageForm->ShowImage(image);
    ImageForm->ShowPanel();
  }
}

void Refuse(const PinsOutcome& outcome, const BytePlane& image) {
  ui::SetScreenCursor(ui::crArrow);
  switch (outcome.Status) {
    case PinsStatus::NoLowCut:
    case PinsStatus::NoHighCut:
      ui::MessageBox("No cut can be found with this percentage\nThe image is unchanged", "ERROR");
      break;
    case PinsStatus::CutsCrossed:
      ui::MessageBox("The low cut (" + std::to_string(outcome.LowCut) + ") is not below the high cut (" +
                         std::to_string(outcome.HighCut) + ")\nThe image is unchanged",
                     "ERROR");
      break;
    case PinsStatus::NoMemory:
      ui::MessageBox("Not enough memory for an image of " + std::to_string(image.Lines()) + " lines x " +
                         std::to_string(image.Columns()) + " columns",
                     "CAUTION");
      break;
    case PinsStatus::Done:
      break;
  }
}

}  // namespace

void TMainForm::PinsTreatment1Click() {
  if (!RequireImage()) return;
  ui::ShowModal(*PinsForm);
  const int panel = PinsForm->ImageChoice == 1 ? kResultPanel : kOriginalPanel;
  BytePlane& image = PanelPlane(*this, panel);
  if (image.Empty()) return;
  ui::SetScreenCursor(ui::crHourGlass);

  PinsParams params;
  params.Vicinity = PinsForm->Vicinity;
  params.Saturation = PinsForm->Saturation;
  const bool asymmetric = PinsForm->Saturation == 2;
  params.LowPercentage = asymmetric ? PinsForm->LeftPerc : PinsForm->GlobPerc;
  params.HighPercentage = asymmetric ? PinsForm->RigthPerc : PinsForm->GlobPerc;
  // Made aside, so that a refusal leaves the panel and the undo image as they were.
  const PinsOutcome outcome = PinsStretch(image, params, PinsWorkImage);
  if (outcome.Status != PinsStatus::Done) return Refuse(outcome, image);

  // The old image becomes the undo image and the work buffer the panel's: nothing is copied, and the
  // old undo buffer is the next stretching's work buffer.
  std::swap(UndoImage, image);
  std::swap(image, PinsWorkImage);
  UndoPanel = panel;
  PanelCaption = kPinsCaption;
  ShowGray(panel, image, PanelCaption);
  EndColourResults(*this);
  Enable({"UndoSpeedButton1"});
  ui::SetScreenCursor(ui::crArrow);
}

void TMainForm::UndoSpeedButton1Click() {
  if (!RequireImage()) return;
  // The undo goes back to the panel it was taken from, and only while that panel keeps its size.
  BytePlane& image = PanelPlane(*this, UndoPanel);
  if (UndoImage.Empty() || UndoImage.Lines() != image.Lines() || UndoImage.Columns() != image.Columns()) {
    Enable({"UndoSpeedButton1"}, false);
    return;
  }
  PanelCaption = SavedPanelCaption;
  std::copy(UndoImage.Data(), UndoImage.Data() + UndoImage.Size(), image.Data());
  ShowGray(UndoPanel, image, PanelCaption);
  EndColourResults(*this);
  Enable({"UndoSpeedButton1"}, false);
}
