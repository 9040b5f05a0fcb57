// Tools > Transfert: two panels exchange their planes, their names and their captions.
#include <string>
#include <utility>

#include "app/MainWindow.h"
#include "imaging/Image.h"
#include "panels/DiagTransfert.h"
#include "panels/ImageWindow.h"
#include "panels/ResultImage.h"
#include "panels/TempImage.h"
#include "ui/Driver.h"

namespace {

struct PanelSlot {
  BytePlane* plane;
  std::string* name;
  const char* prefix;
  TPanelForm* window;
};

PanelSlot Slot(TMainForm& m, int panel) {
  switch (panel) {
    case 1:
      return {&m.OriginalImage, &m.Panel1Name, " 1.- ", ImageForm};
    case 2:
      return {&m.BinaryImage, &m.BinaryImageName, " 2.- ", TempImageForm};
    default:
      return {&m.ResultImage, &m.PanelCaption, " 3.- ", ResultImageForm};
  }
}

void ShowPlane(int panel, const BytePlane& plane) {
  IMAGE picture(plane.Columns(), plane.Lines(), IMAGE::kGray);
  picture.SetFromPlane(plane);
  if (panel == 1 && ImageForm) ImageForm->ShowImage(picture);
  if (panel == 2 && TempImageForm) TempImageForm->ShowBitmap(picture);
  if (panel == 3 && ResultImageForm) ResultImageForm->ShowImage(picture);
}

// Panels p < q exchange planes and names; both are shown again. No flag changes: what panel 2 holds,
// what waits to be registered, and panel 1's zoom title stay as they were.
void ExchangePanels(TMainForm& m, int p, int q) {
  PanelSlot first = Slot(m, p);
  PanelSlot second = Slot(m, q);
  std::swap(*first.plane, *second.plane);
  if (first.window) first.window->SetCaptionText(first.prefix + *second.name);
  if (second.window) second.window->SetCaptionText(second.prefix + *first.name);
  std::swap(*first.name, *second.name);
  for (const auto& [panel, slot] : {std::pair{p, first}, std::pair{q, second}}) {
    ShowPlane(panel, *slot.plane);
    if (slot.window) slot.window->ShowPanel();
  }
}

}  // namespace

void TMainForm::Transfert1Click() {
  // The menu is live before any image: there is nothing to exchange then.
  if (!RequireImage()) return;
  const int before = TransForm->Choice;
  if (ui::ShowModal(*TransForm) != ui::mrOk) {
    TransForm->Choice = before;  // closed without OK: nothing exchanged, nothing chosen
    return;
  }
  switch (TransForm->Choice) {
    case 1:
      ExchangePanels(*this, 1, 2);
      break;
    case 2:
      ExchangePanels(*this, 1, 3);
      break;
    case 3:
      ExchangePanels(*this, 2, 3);
      break;
    default:
      break;
  }
}
