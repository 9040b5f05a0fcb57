#include "app/SavePanels.h"

#include <span>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "imaging/Bmp.h"
#include "imaging/Image.h"
#include "imaging/RawFile.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"
#include "ui/ReplaceQuestion.h"

namespace {

constexpr int kRawFilter = 1;
constexpr int kBmpFilter = 2;

SaveResult CannotWrite(const std::string& fileName) {
  ui::SetScreenCursor(ui::crArrow);
  ui::MessageBox("The file\n" + fileName + "\ncannot be written", "ERROR");
  return SaveResult::Failed;
}

// The program's current size must lie within the plane, or the writers would read past it.
bool PlaneHolds(const BytePlane& plane, int lines, int rowBytes) {
  return lines > 0 && rowBytes > 0 && plane.Lines() >= lines && plane.Columns() >= rowBytes;
}

SaveResult NothingToSave(int lines, int columns) {
  ui::SetScreenCursor(ui::crArrow);
  ui::MessageBox("The panel holds no image of " + std::to_string(lines) + " lines x " +
                     std::to_string(columns) + " columns to save",
                 "ERROR");
  return SaveResult::Failed;
}

// The save dialog, opened in the folder of the last raw image.
ui::FileChoice AskFileName(const char* title, const char* filter) {
  ui::FileDialogSpec request;
  request.title = title;
  request.filter = filter;
  request.initialDir = MainForm->WorkDirectory;
  return ui::SaveFile(request);
}

SaveResult Registered(const ui::FileChoice& choice, const std::string& fileName) {
  MainForm->ImageFileName = choice.fileName;
  MainForm->RegisteredName = fileName;
  ui::SetScreenCursor(ui::crArrow);
  return SaveResult::Saved;
}

SaveResult SaveBmp(const ui::FileChoice& choice, const BytePlane& plane, int columns, int lines, int type) {
  const std::string fileName = WithExtension(choice.fileName, ".bmp");
  if (!ui::MayReplace({fileName})) return SaveResult::Cancelled;
  ui::SetScreenCursor(ui::crHourGlass);
  if (WriteBMPFile(fileName, plane, columns, lines, type) != 0) return CannotWrite(fileName);
  return Registered(choice, fileName);
}

SaveResult SaveColourImage() {
  TMainForm& m = *MainForm;
  const int lines = m.ImageLines, columns = m.ImageColumns;
  const ui::FileChoice choice = AskFileName("Saving Colored BMP File", "Bitmap (*.bmp)|*.bmp");
  if (!choice.accepted) return SaveResult::Cancelled;
  if (!PlaneHolds(m.ColourImage, lines, 3 * columns)) return NothingToSave(lines, columns);
  return SaveBmp(choice, m.ColourImage, columns, lines, IMAGE::kRgb);
}

SaveResult SavePlane(const BytePlane& plane) {
  TMainForm& m = *MainForm;
  const int lines = m.ImageLines, columns = m.ImageColumns;
  const ui::FileChoice choice = AskFileName("SAVE IMAGE", "Image [*.raw]|*.raw|Bitmap [*.bmp]|*.bmp");
  if (!choice.accepted) return SaveResult::Cancelled;
  if (!PlaneHolds(plane, lines, columns)) return NothingToSave(lines, columns);
  if (choice.filterIndex == kBmpFilter) return SaveBmp(choice, plane, columns, lines, IMAGE::kGray);
  // The size file is found again by the open as the image's name with ".txt" for its extension.
  const std::string fileName = WithExtension(choice.fileName, ".raw");
  const std::string sizeFileName = SizeFileName(fileName);
  if (!ui::MayReplace({fileName, sizeFileName})) return SaveResult::Cancelled;
  ui::SetScreenCursor(ui::crHourGlass);
  switch (WriteRawImageFiles(fileName, sizeFileName, plane, columns, lines)) {
    case RawSaveStatus::Ok:
      break;
    case RawSaveStatus::SizeFailed:
      return CannotWrite(sizeFileName);
    case RawSaveStatus::RawFailed:
      return CannotWrite(fileName);
  }
  return Registered(choice, fileName);
}

// Saves the panel once for each result waiting to be recorded, in order, and records it. A save
// that is cancelled or fails stops there and leaves that result and the rest waiting.
void SavePending(std::span<int> pending, std::span<const char* const> labels, SaveResult (*save)(),
                 const char* button) {
  for (std::size_t k = 0; k < pending.size(); ++k) {
    if (pending[k] != 1) continue;
    if (save() != SaveResult::Saved) break;
    // Saved but not named in the report: it stays pending, to be registered by a later save.
    if (!ReportPrintf("%s", labels[k]) || !ReportText(MainForm->RegisteredName)) break;
    pending[k] = 0;
  }
  bool anyPending = false;
  for (const int flag : pending) anyPending = anyPending || flag == 1;
  if (!anyPending) MainForm->Enable({button}, false);
  ui::SetScreenCursor(ui::crArrow);
}

constexpr const char* kPanel2Labels[Panel2ResultCount] = {
    "\n\n\tBinary Image registered as: ",   "\n\n\tLabeled Image registered as: ",
    "\n\n\tDilation Image registered as: ", "\n\n\tErosion Image registered as: ",
    "\n\n\tClosing Image registered as: ",  "\n\n\tOpening Image registered as: ",
};

constexpr const char* kPanel3Labels[Panel3ResultCount] = {
    "\n\n\tImage of the Single Superposition registered as: ",
    "\n\n\tImage of the Transparent Superposition registered as: ",
    "\n\n\tHomogeneity and Density image registered as: ",
    "\n\n\tFractal Exploration image registered as: ",
    "\n\n\tFract Star registered as: ",
    "\n\n\tFract Prism registered as: ",
    "\n\n\tLocal Fractal Dimension registered as: ",
    "\n\n\tLocal Roughness registered as: ",
    "\n\n\tCubic Density registered as: ",
    "\n\n\tMorlet wavelet registered as: ",
    "\n\n\tColored Thresholding applied to the Original Image registered as: ",
    "\n\n\tColored Thresholding applied to the Parameter Image registered as: ",
};

}  // namespace

namespace {

// The colour image is a colour result of panel 1 or 3 unless it is the screen editor's picture of panel 2.
bool ColourResultCurrent() {
  return MainForm->ColourMode == kColourModeRgb && !MainForm->EditorColourImage;
}

}  // namespace

SaveResult SaveOriginalImage() {
  return ColourResultCurrent() ? SaveColourImage() : SavePlane(MainForm->OriginalImage);
}

SaveResult SaveBinaryImage() {
  return SavePlane(MainForm->BinaryImage);
}

SaveResult SaveParameterImage() {
  return ColourResultCurrent() ? SaveColourImage() : SavePlane(MainForm->ResultImage);
}

SaveResult SaveScreenEditorImage() {
  const bool editorColour = MainForm->ColourMode == kColourModeRgb && MainForm->EditorColourImage;
  return editorColour ? SaveColourImage() : SavePlane(MainForm->BinaryImage);
}

void TMainForm::SaveOriginalSpeedButton1Click() {
  SaveOriginalImage();
  ui::SetScreenCursor(ui::crArrow);
}

void TMainForm::SaveBinarSpeedButton1Click() {
  SavePending(Panel2Pending, kPanel2Labels, &SaveBinaryImage, "SaveBinarSpeedButton1");
}

void TMainForm::SaveParamSpeedButton1Click() {
  SavePending(Panel3Pending, kPanel3Labels, &SaveParameterImage, "SaveParamSpeedButton1");
}

void TMainForm::SaveScreenSpeedButtonClick() {
  if (SaveScreenEditorImage() == SaveResult::Saved) {
    ReportPrintf("\n\n\tScreen Editor treatment registered as: ") && ReportText(RegisteredName);
  }
  ui::SetScreenCursor(ui::crArrow);
}
