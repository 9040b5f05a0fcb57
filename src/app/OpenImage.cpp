#include "app/OpenImage.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "app/ImageFiles.h"
#include "app/MainWindow.h"
#include "app/Report.h"
#include "imaging/Allocators.h"
#include "imaging/Image.h"
#include "imaging/RawFile.h"
#include "panels/ImageWindow.h"
#include "panels/PanelForm.h"
#include "panels/ReportForm.h"
#include "panels/ResultImage.h"
#include "panels/ScreenEditor.h"
#include "panels/SelectImageForm.h"
#include "panels/TempImage.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"
#include "ui/ReplaceQuestion.h"
#include "urban/UrbanForm.h"

namespace {

// Every entry that works on panel 2 or 3 as an earlier image left them: disabled by a new image, as
// at start-up, so that no old result can be treated, saved or registered under the new name.
constexpr std::initializer_list<const char*> kOldPanelEntries = {"Labelization",
                                                                 "LinFrac1",
                                                                 "BoxCounting1",
                                                                 "Bromov1",
                                                                 "ProgresBoxCounting1",
                                                                 "UrbanField",
                                                                 "ResizeBoxCounting1",
                                                                 "Perimeter1",
                                                                 "PerimeterOrientation1",
                                                                 "MovingCircle",
                                                                 "Pattern1",
                                                                 "Smoothing1",
                                                                 "Closing1",
                                                                 "SaveBinarSpeedButton1",
                                                                 "SaveParamSpeedButton1",
                                                                 "SaveScreenSpeedButton",
                                                                 "UndoSpeedButton1",
                                                                 "PipetteSpeedButton1",
                                                                 "ColorSpeedButton",
                                                                 "CuvetSpeedButton",
                                                                 "PencilSpeedButton",
                                                                 "LineSpeedButton",
                                                                 "DelateLineSpeedButton",
                                                                 "LocalFillingSpeedButton",
                                                                 "DilatSpeedButton",
                                                                 "AureoleSpeedButton",
                                                                 "GoBackSpeedButton"};

constexpr const char* kStartCaption = "Image (1:1)";

// The planes an original image brings with it, all of its size and zero (panels 2 and 3 black).
struct ImagePlanes {
  BytePlane result, binary, backup, red, green, blue;
  std::vector<int> lineUndo;
};

bool AllocateImagePlanes(int columns, int lines, ImagePlanes& planes) {
  for (BytePlane* plane :
       {&planes.result, &planes.binary, &planes.backup, &planes.red, &planes.green, &planes.blue}) {
    *plane = AllocByteMatrix(columns, lines);
    if (plane->Empty()) return false;
  }
  planes.lineUndo = AllocIntVector(std::max(lines, columns) + 1);
  return !planes.lineUndo.empty();
}

// Everything sized by the previous image goes, with the flags that said it was ready: nothing may
// reach past the new, possibly smaller, planes.
void ReleasePreviousImage(TMainForm& m) {
  for (BytePlane* plane :
       {&m.OriginalImage, &m.ResultImage, &m.BinaryImage, &m.BinaryBackup, &m.RedPlane, &m.GreenPlane,
        &m.BluePlane, &m.ColourImage, &m.UndoImage, &m.FillMask, &m.WaveletImage})
    FreeByteMatrix(*plane);
  m.FillMaskReady = 0;
  m.ReleaseToolPlanes();
  m.ColourMode = 0;  // the colour image is gone: saves write the gray planes again
  m.PixelStack.Clear();
  m.PixelStackReady = 0;
  m.LineStart = m.LineEnd = {};
  m.LineUndoCount = 0;
  FreeIntVector(m.LineUndoValues);
  m.ItemCount = 0;
  FreeIntVector(m.ItemCodes);
  FreeIntVector(m.ItemPixels);
  FreeDoubleVector(m.ItemValues);
  FreeDoubleVector(m.ItemValues2);
  // Panels 2 and 3 are black again: their results, and the right to save or treat them, are gone.
  m.HasBinaryImage = m.HasLabeledImage = 0;
  m.BinaryFlag = m.LabeledFlag = 0;
  m.HoleLabelingMode = 0;
  m.HolesLabeled = 0;
  m.Panel2Pending.fill(0);
  m.Panel3Pending.fill(0);
  // The sequences taken from the old image, and their files not yet named in its report.
  FreeIntVector(m.GtsValues);
  m.GtsLength = 0;
  m.GtsReady = 0;
  FreeIntVector(m.WaveletGtsValues);
  m.WaveletGtsLength = 0;
  m.WaveletGtsReady = 0;
  m.DiagramSavedFlags.GtsSaved = m.DiagramSavedFlags.GtsPending = 0;
  m.DiagramSavedFlags.HurstPending = 0;
  m.Enable({"DiagFirmagram1"}, false);
  // The orientation sequence and the circle counts of the old image's items, with their diagrams.
  FreeIntVector(m.OrientationValues);
  m.OrientationLength = 0;
  m.DiagramSavedFlags.OrientationSaved = m.DiagramSavedFlags.OrientationPending = 0;
  m.CirclePointCount = 0;
  m.CircleLogSize.clear();
  m.CircleLogCount.clear();
  m.DiagramSavedFlags.CircleSaved = m.DiagramSavedFlags.CirclePending = 0;
  m.Enable({"DiagCircleScan", "CircleScanning1"}, false);
  ReleaseUrbanResults(m);
  m.ResultBorder = 0;
  m.EditorState = 0;
  m.BinaryImageName.clear();
  m.TreatmentName.clear();
  m.PanelCaption.clear();
  m.Enable(kOldPanelEntries, false);
  // The editor's tools (their buttons released), line start, line undo, selected value and colour picture.
  ResetScreenEditor(m);
}

// Panels 2 and 3 show the new image's black planes, captioned as at start-up.
void ShowBlankPanels(TMainForm& m) {
  for (auto [panel, plane] : {std::pair<TPanelForm*, const BytePlane*>{TempImageForm, &m.BinaryImage},
                              std::pair<TPanelForm*, const BytePlane*>{ResultImageForm, &m.ResultImage}}) {
    if (!panel) continue;
    IMAGE black(plane->Columns(), plane->Lines(), IMAGE::kGray);
    black.SetFromPlane(*plane);
    if (panel == TempImageForm)
      TempImageForm->ShowBitmap(black);
    else
      ResultImageForm->ShowImage(black);
    panel->SetCaptionText(kStartCaption);
  }
}

// The report question, and a new report file headed with the image when it is on.
void AskForReport(TMainForm& m) {
  ui::ShowModal(*ReportForm);
  if (ReportForm->ReportOff != 0) return;
  ui::FileDialogSpec request;
  request.title = " OPEN REPORT";
  request.filter = "Name Report [*.txt]|*.txt";
  request.initialDir = m.WorkDirectory;
  const ui::FileChoice choice = ui::SaveFile(request);
  const std::string path = WithExtension(choice.fileName, ".txt");
  // The name of an image's size file or of an earlier report would destroy it: asked first.
  if (!choice.accepted || !ui::MayReplace({path})) {
    // The report of the previous image, if any, goes on receiving the lines.
    if (!ReportFile) ReportForm->ReportOff = 1;
    return;
  }
  if (!OpenReportFile(path)) {
    ReportForm->ReportOff = 1;
    ui::MessageBox("The report file\n" + path + "\ncannot be created\nThe report is off", "ERROR");
    return;
  }
  m.ReportFileName = choice.fileName;
  m.ReportPath = path;
  WriteReportHeader(m.ImageFileName, m.ImageLines, m.ImageColumns);
}

}  // namespace

bool OpenOriginalImage() {
  TMainForm& m = *MainForm;
  LoadedImage image;
  if (ChooseAndLoadImage(image) != LoadOutcome::Loaded) return false;

  ImagePlanes planes;
  if (!AllocateImagePlanes(image.columns, image.lines, planes)) {
    ui::SetScreenCursor(ui::crArrow);
    ui::MessageBox("Not enough memory for an image of " + std::to_string(image.lines) + " lines x " +
                       std::to_string(image.columns) + " columns",
                   "CAUTION");
    return false;
  }

  RememberImageFile(image);
  m.ImageTitle = " 1.- " + image.fileName;
  m.Panel1Name = image.fileName;
  ReleasePreviousImage(m);
  m.OriginalImage = std::move(image.plane);
  m.ResultImage = std::move(planes.result);
  m.BinaryImage = std::move(planes.binary);
  m.BinaryBackup = std::move(planes.backup);
  m.RedPlane = std::move(planes.red);
  m.GreenPlane = std::move(planes.green);
  m.BluePlane = std::move(planes.blue);
  m.LineUndoValues = std::move(planes.lineUndo);
  m.ImageLines = image.lines;
  m.ImageColumns = image.columns;

  IMAGE picture(image.columns, image.lines, IMAGE::kGray);
  picture.SetFromPlane(m.OriginalImage);
  m.SavedPanelCaption = image.fileName;
  if (ImageForm) {
    ImageForm->SetCaptionText(m.ImageTitle);
    ImageForm->ShowImage(picture);
    ImageForm->ShowPanel();
  }
  ShowBlankPanels(m);
  ShowImageSizeStatus(m.ImageLines, m.ImageColumns);
  m.ResultBorder = 0;
  m.Enable({"Binar1", "GrayTonesTreat1", "ZoomSpeedButton"});

  ui::SetScreenCursor(ui::crArrow);
  AskForReport(m);
  ui::SetScreenCursor(ui::crArrow);
  return true;
}

bool OpenRequestedImage() {
  const bool opened = MainForm->ComplementaryRequested == 1 ? OpenComplementaryImage() : OpenOriginalImage();
  ui::SetScreenCursor(ui::crArrow);
  return opened;
}

void TMainForm::OpenImage() {
  OpenRequestedImage();
}

void TMainForm::Open1Click() {
  // The menus follow only an image actually read: a cancelled first open leaves them off.
  if (!OpenRequestedImage()) return;
  Enable({"OpenBinaryImage1", "BinTreat1", "GrayTonesTreat1", "Tools1", "OpenBinarSpeedButton1",
          "ExitSpeedButton1"});
}

void TMainForm::OpenSpeedButton1Click() {
  Open1Click();
}

void TMainForm::OpenBinaryImage1Click() {
  ComplementaryRequested = 0;
  ui::ShowModal(*SelectImageForm);
  if (!OpenRequestedImage()) return;
  Enable({"ExitSpeedButton1"});
}

void TMainForm::OpenBinarSpeedButton1Click() {
  ComplementaryRequested = 0;
  ui::ShowModal(*SelectImageForm);
  if (!OpenRequestedImage()) return;
  Enable({"ExitSpeedButton1", "Labelization"});
}
