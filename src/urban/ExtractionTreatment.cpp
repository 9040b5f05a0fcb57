// Binar. Treat. > Urban Field > Perimeter Extraction and Hole Extraction: panel 2 replaced by the
// outline of one of its values, or by the background that value encloses.
#include "app/MainWindow.h"
#include "imaging/Image.h"
#include "panels/ScreenEditor.h"
#include "panels/TempImage.h"
#include "ui/Cursors.h"
#include "urban/ExtractionForms.h"
#include "urban/kernels/Outline.h"

namespace {

constexpr std::initializer_list<const char*> kEditorButtons = {
    "InfoSpeedButton", "ColorSpeedButton",      "CuvetSpeedButton",        "PencilSpeedButton",
    "LineSpeedButton", "DelateLineSpeedButton", "LocalFillingSpeedButton", "GoBackSpeedButton"};

// The dialog until it holds a value; false on Cancel.
template <class Form>
bool AskValue(TMainForm& m, Form& form, int cancelByte, const char* noValue) {
  for (;;) {
    ui::ShowModal(form);
    if (m.DialogCancelBytes[cancelByte] == 1) {
      m.DialogCancelBytes[cancelByte] = 0;
      return false;
    }
    if (form.SelectedValue != -1) return true;
    ui::MessageBox(noValue, "ERROR");
  }
}

// Panel 2 shows the extracted image under the treatment's name, the editor's tools at hand.
void ShowExtraction(TMainForm& m, BytePlane extracted, const char* name) {
  EndEditorColourPicture(m);  // the editor's colour picture was of the panel 2 replaced here
  m.BinaryImage = std::move(extracted);
  m.TreatmentName = name;
  m.BinaryImageName = m.TreatmentName;
  TempImageForm->SetCaptionText(" 2.- " + m.BinaryImageName);
  IMAGE image(m.BinaryImage.Columns(), m.BinaryImage.Lines(), IMAGE::kGray);
  image.SetFromPlane(m.BinaryImage);
  TempImageForm->ShowBitmap(image);
  TempImageForm->ShowPanel();
  m.Enable(kEditorButtons);
}

}  // namespace

void TMainForm::PerimExtractTreatmentClick() {
  if (!RequireImage()) return;
  ui::SetScreenCursor(ui::crHourGlass);
  if (!AskValue(*this, *PerimExtractValueForm, cbPerimExtractValue, "No selected Value")) {
    PerimeterExtracted = 0;
    ui::SetScreenCursor(ui::crArrow);
    return;
  }
  ShowExtraction(*this, ExtractPerimeter(BinaryImage, PerimExtractValueForm->SelectedValue),
                 " PERIMETER EXTRACTION ");
  PerimeterExtracted = 1;
  ui::SetScreenCursor(ui::crArrow);
}

void TMainForm::HoleTreatmentClick() {
  if (!RequireImage()) return;
  ui::SetScreenCursor(ui::crHourGlass);
  if (!AskValue(*this, *HoleExtractForm, cbHoleExtract, "No value selected")) {
    ui::SetScreenCursor(ui::crArrow);
    return;
  }
  ShowExtraction(*this, ExtractHoles(BinaryImage, HoleExtractForm->SelectedValue), " HOLE EXTRACTION ");
  // The labeling may label these holes without a binarizing, once.
  HoleLabelingMode = 1;
  HolesLabeled = 0;
  ui::SetScreenCursor(ui::crArrow);
}
