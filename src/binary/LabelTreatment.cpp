// Binar. Treat. > Labeling > Treatment: each item of the binary image of panel 2 gets its own code.
#include <QLineEdit>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/Labeliz.h"
#include "binary/kernels/Binarize.h"
#include "binary/kernels/Labeling.h"
#include "imaging/Image.h"
#include "panels/ScreenEditor.h"
#include "panels/TempImage.h"
#include "ui/Cursors.h"

void TMainForm::LabelTreatment1Click() {
  if (!RequireImage()) return;
  BinaryPixelCount = CountPixelsOfValue(BinaryImage, kItemPixel);
  LabelizForm->MinEdit->setText(QStringLiteral("1"));
  LabelizForm->MaxEdit->setText(QString::number(BinaryPixelCount));
  ui::ShowModal(*LabelizForm);
  if (DialogCancelBytes[cbLabeliz] == 1) {
    DialogCancelBytes[cbLabeliz] = 0;
    ui::SetScreenCursor(ui::crArrow);
    return;
  }

  if (HoleLabelingMode == 1) {
    if (HolesLabeled != 0) {
      ui::MessageBox("A new hole labeling implies\na former extraction", "CAUTION");
      Enable({"Labelization"}, false);
      return;
    }
  } else if (HasBinaryImage == 0) {
    ui::MessageBox("A new labeling implies\na former binarizing", "CAUTION");
    Enable({"Labelization"}, false);
    return;
  }

  // Labeled on a copy first: codes past 254 would turn items into background or merge them.
  ui::SetScreenCursor(ui::crHourGlass);
  LabelingResult result = LabelItems(BinaryImage, LabelizForm->MinSize, LabelizForm->MaxSize, PixelStack);
  if (!result.FitsInBytes()) {
    ui::SetScreenCursor(ui::crArrow);
    ui::MessageBox("More than 253 items\nPlease check the labelization", "CAUTION");
    return;
  }
  if (HoleLabelingMode == 1) HolesLabeled = 1;

  EndEditorColourPicture(*this);  // the editor's colour picture was of the panel 2 replaced here
  HasBinaryImage = 0;
  HasLabeledImage = 1;
  ClearBinaryRegisteredFlags();
  Enable({"InfoSpeedButton"});
  BinaryFlag = 0;
  LabeledFlag = 1;

  const int lines = BinaryImage.Lines();
  const int columns = BinaryImage.Columns();
  IMAGE image(columns, lines, IMAGE::kRgb);

  ReportPrintf("\n\n LABELING ");
  ReportPrintf("\n applied to the binary image\n");
  ReportPrintf("\n\tMin Size = %d  Max Size = %d ", LabelizForm->MinSize, LabelizForm->MaxSize);

  TreatmentName = " LABELED IMAGE ";
  BinaryImageName = TreatmentName;
  TempImageForm->SetCaptionText(" 2.- " + BinaryImageName);

  ItemCount = result.ItemCount;
  ItemCodes.assign(ItemCount + 1, 0);
  ItemPixels.assign(ItemCount + 1, 0);
  ItemValues.assign(ItemCount + 1, 0.0);
  ItemValues2.assign(ItemCount + 1, 0.0);
  PixelStackReady = 1;

  if (ItemCount == 1) {
    ReportPrintf("\n\n\tOnly one item ");
  } else if (ItemCount >= 10) {
    ReportPrintf("\n\n\tNumber of items = %d ", ItemCount - 1);
    ReportPrintf("\n\n\t\tCaution : the value 10 is not affected ");
    ReportPrintf("\n\t\tas this value corresponds to an order system \n");
  } else {
    ReportPrintf("\n\n\tNumber of items = %d ", ItemCount);
  }

  BinaryImage = std::move(result.Labeled);
  for (int code = 1; code <= ItemCount; ++code) {
    if (code == 10) continue;
    const std::int64_t pixels = result.PixelsPerCode[code];
    ReportPrintf("\n\titem %d number of pixels %lld ", code, static_cast<long long>(pixels));
    ReportPrintf("\tpercentage versus image = %4.2lf\tpercentage versus items = %4.2lf",
                 PercentageOfImage(pixels, lines, columns), PercentageOfItems(pixels, result.LabeledPixels));
  }

  // Codes show as dark grays on a white background.
  RedPlane = BinaryImage.Clone();
  GreenPlane = BinaryImage.Clone();
  BluePlane = BinaryImage.Clone();
  image.SetFromPlane(BinaryImage);
  if (HoleLabelingMode != 1) BinaryBackup = BinaryImage.Clone();

  TempImageForm->ShowBitmap(image);
  Enable({"ResizeBoxCounting1", "Perimeter1", "PerimeterOrientation1", "MovingCircle", "Pattern1",
          "Smoothing1", "Closing1", "PerimeterExtraction", "HoleExtraction", "SaveBinarSpeedButton1",
          "PipetteSpeedButton1", "ColorSpeedButton"});
  Panel2Pending[p2Labeled] = 1;
  EditorState = 0;
  TempImageForm->ShowPanel();
  DialogCancelBytes[cbLabeliz] = 0;
  ui::SetScreenCursor(ui::crArrow);
}
