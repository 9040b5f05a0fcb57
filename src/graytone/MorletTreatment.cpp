// Gray Tones Treat. > Morlet > Treatment: the original, binary or parametric image filtered with the
// wavelet kernel (2 - u) exp(-u / 2), u = r^2 / sigma^2, rescaled into panel 3 (shown one gray above).
#include <new>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "diagrams/DiagramForm.h"
#include "graytone/MorletForm.h"
#include "panels/ResultPublishing.h"
#include "graytone/ShiftedResultPicture.h"
#include "graytone/kernels/MorletWavelet.h"
#include "imaging/Allocators.h"
#include "panels/ProgressWindow.h"
#include "ui/Cursors.h"

namespace {

constexpr const char* kCaption = " MORLET WAVELET ";
constexpr const char* kSavedCaption = " Morlet WAVELET ";
constexpr const char* kSources[] = {"\n applied to the Original Image", "\n applied to the Binary Image",
                                    "\n applied to the Parametric Image"};

// The dialog once; false (the message shown) when its values cannot be used.
bool AskParameters() {
  const TMainForm& m = *MainForm;
  TMorletForm& form = *MorletForm;
  ui::ShowModal(form);
  form.ShowDataIn();
  const int h = form.HalfWindowSize;
  if (h == 0) {
    ui::MessageBox("Half Window Size not defined", "ERROR");
  } else if (form.Sigma == 0) {
    ui::MessageBox("Sigma not defined", "ERROR");
  } else if (h < 0) {
    ui::MessageBox("The Half Window Size must be positive", "INCORRECT VALUE");
  } else if (!MorletSigmaUsable(h, form.Sigma)) {
    ui::MessageBox("Sigma out of range for this window", "INCORRECT VALUE");
  } else if (!MorletWindowFits(m.ImageColumns, m.ImageLines, h)) {
    ui::MessageBox(Format("The moving window (%lld pixels a side)\nis larger than the image", 2LL * h + 1),
                   "MORLET WAVELET");
  } else if (form.DataIn < 0 || form.DataIn > 2) {
    ui::MessageBox("Data In not defined", "ERROR");
  } else {
    return true;
  }
  return false;
}

}  // namespace

void TMainForm::MorletTreatment1Click() {
  if (!RequireImage()) return;
  if (AskParameters()) {
    const TMorletForm& form = *MorletForm;
    const int h = form.HalfWindowSize;
    const BytePlane& source = form.DataIn == 0 ? OriginalImage : form.DataIn == 1 ? BinaryImage : ResultImage;
    DoublePlane response = AllocDoubleMatrix(ImageColumns, ImageLines);
    MorletResult result;
    if (!response.Empty()) {
      ui::SetScreenCursor(ui::crHourGlass);
      ResetState();
      ClearResultRegisteredFlags();
      ReportPrintf("\n\n MORLET WAVELET") && ReportPrintf("%s", kSources[form.DataIn]) &&
          ReportPrintf("\n\n\tMoving Window: Range = %d  Size = %d ", h, 2 * h + 1) &&
          ReportPrintf("\n\tSigma Value = %lf ", form.Sigma + 0.0);
      PanelCaption = kCaption;
      SavedPanelCaption = kSavedCaption;
      ShowProgressWindow();
      try {
        result = MorletResponse(source, h, form.Sigma, response,
                                [](double fraction) { SetProgressPosition(static_cast<float>(fraction)); });
      } catch (const std::bad_alloc&) {
      }
      CloseProgressWindow();
    }
    if (!result.Computed) {
      ui::SetScreenCursor(ui::crArrow);
      ui::MessageBox("Not enough memory for the wavelet image of this image", "CAUTION");
    } else {
      // The extremes are the responses' own (not bounded by 0 and 100000): the scale spans them.
      MorletToGray(response, h, result.Min, result.Max, ResultImage);
      const IMAGE picture = ShiftedResultPicture(ResultImage, h);
      PublishResultImage({p3Morlet, kCaption, h}, &picture);
      SavedPanelCaption = kSavedCaption;
    }
  }
  DialogCancelBytes[cbMorlet] = 0;
  ui::SetScreenCursor(ui::crArrow);
}
