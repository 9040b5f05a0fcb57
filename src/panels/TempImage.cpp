#include "panels/TempImage.h"

#include <cstdio>

#include "app/MainWindow.h"
#include "panels/ScreenEditor.h"
#include "ui/Cursors.h"

TTempImageForm* TempImageForm = nullptr;

TTempImageForm::TTempImageForm(QWidget* owner) : TPanelForm(owner), EditorClick(&ScreenEditorClick) {}

void TTempImageForm::ShowBitmap(const IMAGE& image) {
  ShowPicture(image);
}

std::string TTempImageForm::Title() const {
  return " 2.- " + (MainForm ? MainForm->BinaryImageName : std::string());
}

std::string TTempImageForm::ToneText(int line, int column) const {
  // The stored value, whatever colour the editor shows it in; nothing when the plane does not
  // reach this pixel.
  const BytePlane& plane = MainForm->BinaryImage;
  if (!plane.Contains(line, column)) return {};
  char text[32];
  std::snprintf(text, sizeof text, "Gray Tone : %4d ", plane[line][column]);
  return text;
}

void TTempImageForm::PaintBoxMouseDown(Qt::MouseButton button, int x, int y) {
  if (!MainForm || !HasBitmap()) return;
  if (MainForm->IsDown("ColorSpeedButton")) ui::SetScreenCursor(ui::crPot);
  // A zoom click only zooms: no drawing tool takes the same click.
  if (MainForm->IsDown("ZoomSpeedButton")) {
    ZoomClick(button, x, y);
    return;
  }
  if (EditorClick) EditorClick(button, x, y);
}
