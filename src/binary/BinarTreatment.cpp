// Binar. Treat. > Binarizing > Treatment: the binary image of panel 2 from a gray interval.
#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/Binar.h"
#include "binary/kernels/Binarize.h"
#include "imaging/Image.h"
#include "panels/ScreenEditor.h"
#include "panels/TempImage.h"
#include "ui/Cursors.h"

namespace {

const char* const kSourceLines[] = {"\n applied to the original image\n",
                                    "\n applied to the parametric image\n",
                                    "\n applied to the labeled image\n"};

}  // namespace

void TMainForm::BinarTreatment1Click() {
  if (!RequireImage()) return;
  ui::SetScreenCursor(ui::crHourGlass);
  ClearPanel2RegisteredFlags();

  for (;;) {
    ui::ShowModal(*BinarForm);
    if (DialogCancelBytes[cbBinar] == 1) {
      DialogCancelBytes[cbBinar] = 0;
      ui::SetScreenCursor(ui::crArrow);
      return;
    }
    if (BinarForm->MinValue == 1000) {
      ui::MessageBox("Minimum value of the threshold not defined", "ERROR");
    } else if (BinarForm->MaxValue == 0) {
      ui::MessageBox("Maximum value of the threshold not defined", "ERROR");
    } else {
      break;
    }
  }

  EndEditorColourPicture(*this);  // the editor's colour picture was of the panel 2 replaced here
  HasBinaryImage = 1;
  HasLabeledImage = 0;
  BinaryFlag = 1;
  LabeledFlag = 0;
  // A binary image ends the labeling of holes: the next labeling labels its items.
  HoleLabelingMode = 0;
  HolesLabeled = 0;

  const int dataIn = std::clamp(BinarForm->DataIn, 0, 2);
  const BytePlane& source = dataIn == 0 ? OriginalImage : dataIn == 1 ? ResultImage : BinaryImage;

  ReportPrintf("\n\n BINARIZATION ");
  ReportPrintf("%s", kSourceLines[dataIn]);
  ReportPrintf("\n\tMin = %d  Max = %d ", BinarForm->MinValue, BinarForm->MaxValue);
  ReportPrintf("\n\tItem Value = 1");
  ReportPrintf("\n\tBackground = 255");
  ReportPrintf(BinarForm->KeepIsolated != 0 ? "\n\tIsolated pixels remaining"
                                            : "\n\tIsolated pixels eliminated");

  TreatmentName = " BINARY IMAGE ";
  BinaryImageName = TreatmentName;
  TempImageForm->SetCaptionText(" 2.- " + BinaryImageName);

  BinarizeParams params;
  params.MinValue = BinarForm->MinValue;
  params.MaxValue = BinarForm->MaxValue;
  params.Border = ResultBorder;
  params.KeepIsolated = BinarForm->KeepIsolated != 0;
  // The kernel overwrites panel 2's plane in place of a new one (even when it is the source).
  const BinarizeCounts result = BinarizeInto(source, params, BinaryImage);

  IMAGE image(BinaryImage.Columns(), BinaryImage.Lines(), IMAGE::kGray);
  image.SetFromPlane(BinaryImage);

  ReportPrintf("\n\tItem:       pixels number = %lld\tpercentage = %4.2lf ",
               static_cast<long long>(result.ItemPixels), result.ItemPercentage);
  ReportPrintf("\n\tBackground: pixels number = %lld\tpercentage = %4.2lf ",
               static_cast<long long>(result.BackgroundPixels), result.BackgroundPercentage);

  TempImageForm->ShowBitmap(image);
  Enable({"LinFrac1", "BoxCounting1", "Bromov1", "ProgresBoxCounting1", "Labelization", "UrbanField",
          "SaveBinarSpeedButton1", "ZoomSpeedButton"});
  Enable({"ColorSpeedButton"}, false);
  // Their item tables belong to a labeled image that is gone.
  Enable({"ResizeBoxCounting1", "Perimeter1", "PerimeterOrientation1", "MovingCircle", "Pattern1"}, false);
  Panel2Pending[p2Binary] = 1;
  TempImageForm->ShowPanel();
  DialogCancelBytes[cbBinar] = 0;
  ui::SetScreenCursor(ui::crArrow);
}
