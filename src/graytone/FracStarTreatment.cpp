// Gray Tones Treat. > Fract Star > Treatment: the 3D lineal fractal dimension of panel 1 under the
// Greek cross, the St Andrew cross or the star, in panel 3, with its mean over the scene and over an
// item of panel 2.
#include <new>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "diagrams/DiagramForm.h"
#include "graytone/FractStarForm.h"
#include "panels/ResultPublishing.h"
#include "graytone/kernels/FractStar.h"
#include "imaging/Allocators.h"
#include "panels/ProgressWindow.h"
#include "ui/Cursors.h"

namespace {

constexpr const char* kCaption = " 3D LINEAL FRACTAL DIMENSION WINDOW SIZE 8 ";

// The dialog until its values are usable; false on Cancel.
bool AskParameters() {
  TMainForm& m = *MainForm;
  TFractStarForm& form = *FractStarForm;
  form.ClearChoices();
  // An item can only be studied on a binary or labeled panel 2.
  if (m.HasBinaryImage != 1 && m.HasLabeledImage != 1) form.StudiedZone = 0;
  for (;;) {
    ui::ShowModal(form);
    if (m.DialogCancelBytes[cbFractStar] == 1) return false;
    form.ShowChoices();
    if (m.StarZoneChoice != 1) return true;
    if (form.ItemCode == kUndefinedItemCode) {
      ui::MessageBox("Code of the Studied Zone not defined", "ERROR");
    } else if (StarItemPixels(m.BinaryImage, m.StarItemCode) == 0) {
      ui::MessageBox(
          Format("No pixel of the item %d lies 8 pixels\nor more from the image edges", m.StarItemCode),
          "ERROR");
    } else {
      return true;
    }
  }
}

// The means of one cross in the report (the star's scene line has no space before "="); false when a
// write failed.
bool ReportCross(const char* heading, const char* equals, double sceneMean, bool item, double itemMean) {
  return ReportText(heading) &&
         ReportText(std::string("\n\tMean Fractal Dimension in the whole scene") + equals +
                    Format("%lf ", sceneMean + 0.0)) &&
         (!item || ReportPrintf("\n\tMean Fractal Dimension in the selected item = %lf ", itemMean + 0.0));
}

// The means of the crosses run, then of the star, until a write fails.
void ReportMeans(int type, bool item, const FractStarResult& r) {
  if (type != kStAndrewCross &&
      !ReportCross("\n\n\tGreek Cross Treatment", " = ", r.GreekMean, item, r.GreekItemMean))
    return;
  if (type != kGreekCross &&
      !ReportCross("\n\n\tSt Andrew Cross Treatment", " = ", r.StAndrewMean, item, r.StAndrewItemMean))
    return;
  if (type == kStar) ReportCross("\n\n\tStar Treatment", "= ", r.Mean, item, r.ItemMean);
}

}  // namespace

void TMainForm::FracStar8Treatment1Click() {
  if (!RequireImage()) return;
  if (StarInteriorCount(ImageColumns, ImageLines) == 0) {
    ui::MessageBox("The image is too small: no pixel lies 8 pixels\nor more from its edges", "FRACTSTAR");
    return;
  }
  if (!AskParameters()) {
    DialogCancelBytes[cbFractStar] = 0;
    ui::SetScreenCursor(ui::crArrow);
    return;
  }
  const int type = FractStarForm->TreatmentType;
  const bool item = StarZoneChoice == 1;
  DoublePlane shown = AllocDoubleMatrix(ImageColumns, ImageLines);
  if (shown.Empty()) {
    ui::MessageBox("Not enough memory for the fract star of this image", "CAUTION");
    return;
  }

  ui::SetScreenCursor(ui::crHourGlass);
  ResetState();
  ClearResultRegisteredFlags();
  ReportPrintf("\n\n 3D LINEAL FRACTAL DIMENSION WINDOW SIZE 8") &&
      ReportPrintf("\n applied to the whole scene") &&
      (!item || ReportPrintf("\n and to the labelled item number %d ", StarItemCode));
  PanelCaption = SavedPanelCaption = kCaption;

  FractStarResult result;
  ShowProgressWindow();
  try {
    result = FractStar(OriginalImage, type, {item ? &BinaryImage : nullptr, StarItemCode}, shown,
                       [](double fraction) { SetProgressPosition(static_cast<float>(fraction)); });
  } catch (const std::bad_alloc&) {
    CloseProgressWindow();
    ui::SetScreenCursor(ui::crArrow);
    ui::MessageBox("Not enough memory for the fract star of this image", "CAUTION");
    return;
  }
  CloseProgressWindow();

  ReportMeans(type, item, result);
  if (item)
    ui::MessageBox(
        Format("Mean Fractal Dimension in the whole scene= %lf\n  in the selected item = %lf\n\nValues "
               "consigned in the Report",
               result.Mean + 0.0, result.ItemMean + 0.0),
        "FRACTSTAR STAR CROSS TREATMENT");
  else
    ui::MessageBox(Format("Mean Fractal Dimension in the whole scene= %lf\n\nValue consigned in the Report ",
                          result.Mean + 0.0),
                   "FRACTSTAR STAR TREATMENT");

  ui::SetScreenCursor(ui::crArrow);
  const PixelRectangle interior{kStarArm, ImageLines - kStarArm - 1, kStarArm, ImageColumns - kStarArm - 1};
  PublishScaledResult(shown, {result.Min, result.Max, 1}, interior, {p3FractStar, kCaption, kStarArm});
  DialogCancelBytes[cbFractStar] = 0;
  ui::SetScreenCursor(ui::crArrow);
}
