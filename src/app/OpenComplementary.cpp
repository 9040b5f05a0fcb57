#include <QAction>
#include <algorithm>
#include <array>
#include <cstdint>
#include <new>

#include "app/ImageFiles.h"
#include "app/MainWindow.h"
#include "app/OpenImage.h"
#include "app/Report.h"
#include "imaging/Allocators.h"
#include "imaging/Image.h"
#include "imaging/RawFile.h"
#include "panels/ImageWindow.h"
#include "panels/ScreenEditor.h"
#include "panels/SelectImageForm.h"
#include "panels/TempImage.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

namespace {

constexpr int kBackground = 255;

struct PanelTwoPlanes {
  BytePlane backup, red, green, blue;
  std::vector<int> lineUndo;
};

bool CopyPlanes(const BytePlane& plane, bool raw, PanelTwoPlanes& copies) {
  try {
    copies.backup = plane.Clone();
    copies.red = plane.Clone();
    copies.green = plane.Clone();
    copies.blue = plane.Clone();
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (raw) {
    copies.lineUndo = AllocIntVector(std::max(plane.Lines(), plane.Columns()) + 1);
    if (copies.lineUndo.empty()) return false;
  }
  return true;
}

std::array<std::int64_t, 256> CountValues(const BytePlane& plane) {
  std::array<std::int64_t, 256> counts{};
  const std::uint8_t* p = plane.Data();
  for (std::size_t k = 0; k < plane.Size(); ++k) ++counts[p[k]];
  return counts;
}

void EnableComplementaryMenus(TMainForm& m, bool labeled) {
  m.Enable(
      {"Binar1", "Labelization", "LinFrac1", "BoxCounting1", "Bromov1", "ProgresBoxCounting1", "UrbanField"});
  if (!labeled) return;
  m.Enable({"ResizeBoxCounting1", "Perimeter1", "PerimeterOrientation1", "MovingCircle", "Pattern1",
            "Smoothing1", "Closing1", "PerimeterExtraction", "HoleExtraction", "SaveBinarSpeedButton1",
            "PipetteSpeedButton1", "ColorSpeedButton"});
}

// The drawing tools of the screen editor start again up for the new labeled image.
void ResetEditorTools(TMainForm& m) {
  m.EditorState = 0;
  for (const char* name : {"PencilSpeedButton", "LineSpeedButton", "LocalFillingSpeedButton"})
    if (QAction* action = m.Item(name)) action->setChecked(false);
}

}  // namespace

bool OpenComplementaryImage() {
  TMainForm& m = *MainForm;
  // Its rows go into the planes of the original image: without one there is nowhere to put them.
  if (!m.RequireImage()) return false;
  const bool labeled = SelectImageForm->LabeledImage == 1;

  LoadedImage image;
  if (ChooseAndLoadImage(image) != LoadOutcome::Loaded) return false;
  const int lines = m.OriginalImage.Lines(), columns = m.OriginalImage.Columns();
  if (image.lines != lines || image.columns != columns) {
    ui::SetScreenCursor(ui::crArrow);
    ui::MessageBox("The complementary image must have the size of the original image\n(" +
                       std::to_string(lines) + " lines x " + std::to_string(columns) +
                       " columns; this one has " + std::to_string(image.lines) + " lines x " +
                       std::to_string(image.columns) + " columns)",
                   "CAUTION");
    return false;
  }
  PanelTwoPlanes copies;
  if (!CopyPlanes(image.plane, image.raw, copies)) {
    ui::SetScreenCursor(ui::crArrow);
    ui::MessageBox("Not enough memory to open the complementary image", "CAUTION");
    return false;
  }

  RememberImageFile(image);
  // Panel 2's own name, for its zoom caption and the panel transfer.
  m.BinaryImageName = labeled ? "Complementary Labeled Image" : "Complementary Binary Image";
  const std::string caption = " 2.- " + m.BinaryImageName;
  m.LabeledFlag = labeled ? 1 : 0;
  m.BinaryFlag = labeled ? 0 : 1;
  m.HasLabeledImage = labeled ? 1 : 0;
  m.HasBinaryImage = labeled ? 0 : 1;
  if (image.raw) m.LineUndoValues = std::move(copies.lineUndo);
  m.BinaryImage = std::move(image.plane);
  // The screen editor's Return restores the image as it was opened.
  m.BinaryBackup = std::move(copies.backup);
  m.RedPlane = std::move(copies.red);
  m.GreenPlane = std::move(copies.green);
  m.BluePlane = std::move(copies.blue);
  ResetScreenEditor(m);  // its line undo and colour picture were of the former panel 2
  m.ImageLines = lines;
  m.ImageColumns = columns;

  const std::array<std::int64_t, 256> counts = CountValues(m.BinaryImage);
  IMAGE picture(columns, lines, IMAGE::kGray);
  picture.SetFromPlane(m.BinaryImage);
  if (TempImageForm) {
    TempImageForm->SetCaptionText(caption);
    TempImageForm->ShowBitmap(picture);
    TempImageForm->ShowPanel();
  }
  m.SavedPanelCaption = image.fileName;
  if (ImageForm) ImageForm->SetCaptionText(ImageForm->CaptionText());
  m.ResultBorder = 0;
  m.Enable({"Binar1", "GrayTonesTreat1"});

  int itemCount = 0;
  int highestCode = 0;
  for (int v = 0; v < kBackground; ++v) {
    if (counts[v] == 0) continue;
    ++itemCount;
    highestCode = v;
  }
  if (labeled) {
    m.ItemCount = itemCount;
    // The per-item tables are indexed by code: codes need not be consecutive.
    m.ItemCodes = AllocIntVector(highestCode + 1);
    m.ItemPixels = AllocIntVector(highestCode + 1);
    m.ItemValues = AllocDoubleVector(highestCode + 1);
    m.ItemValues2 = AllocDoubleVector(highestCode + 1);
  }

  ReportPrintf("\n\n The complementary image : ");
  ReportText(image.fileName);
  if (!labeled) {
    ReportPrintf("\n corresponds to a binary image");
  } else {
    ReportPrintf("\n corresponds to a labeled image");
    if (itemCount == 1)
      ReportPrintf(" that contains only one item");
    else
      ReportPrintf(" that contains %d items", itemCount);
  }

  EnableComplementaryMenus(m, labeled);
  if (labeled) {
    m.Panel2Pending[p2Labeled] = 1;
    ResetEditorTools(m);
  }
  ui::SetScreenCursor(ui::crArrow);
  return true;
}
