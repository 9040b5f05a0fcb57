// Tools > Print: the page set-up and the print of the chosen panel into the rectangle it fixes.
#include <QRect>
#include <string>

#include "app/MainWindow.h"
#include "panels/ConfigPagePrint.h"
#include "ui/Driver.h"
#include "ui/Printer.h"
#include "ui/ReplaceQuestion.h"

namespace {

// The page set-up on the chosen panel's picture (the first panel that has one when the chosen panel
// has none); true when it is accepted.
bool RunPageSetUp(TMainForm& m) {
  TConfigPagePrintForm& form = *ConfigPagePrintForm;
  if (!PanelBitmap(form.PanelChoice)) {
    for (int choice = 0; choice < 3; ++choice)
      if (PanelBitmap(choice)) {
        form.PanelChoice = choice;
        break;
      }
    form.ShowPanelChoice();
  }
  const QImage* picture = PanelBitmap(form.PanelChoice);
  if (!picture) {
    ui::MessageBox("No picture to print\nPlease open an image first", "CAUTION");
    return false;
  }
  form.PrintedBitmap = *picture;
  if (!form.FormActivate()) return false;
  if (ui::ShowModal(form) != ui::mrOk) return false;
  m.PrintRect = {form.PageRect.Left, form.PageRect.Top, form.PageRect.Right, form.PageRect.Bottom};
  m.PrintGeometry = form;
  m.PrintCentred = form.Centred();
  m.PrintWholePage = form.WholePage();
  return true;
}

}  // namespace

void TMainForm::Configurationdelimpression1Click() {
  RunPageSetUp(*this);
}

void TMainForm::ImprimerClick() {
  if (PrintRect.Left == -1 && !RunPageSetUp(*this)) return;
  const int choice = ConfigPagePrintForm->PanelChoice;
  const QImage* picture = PanelBitmap(choice);
  if (!picture) {
    ui::MessageBox("No picture in panel " + std::to_string(choice + 1) +
                       "\nPlease choose another panel in the print configuration",
                   "CAUTION");
    return;
  }
  ui::Printer& printer = *ConfigPagePrintForm->PagePrinter;
  // The accepted set-up fitted to this picture: same width (or the whole page), its own proportions.
  PageGeometry g = PrintGeometry;
  g.PageWidthMM = printer.PageWidthMM();
  g.PageHeightMM = printer.PageHeightMM();
  if (!g.HasPage()) {
    ui::MessageBox("The printer gives a page of no size\nPlease choose another printer or paper", "CAUTION");
    return;
  }
  g.BitmapWidth = picture->width();
  g.BitmapHeight = picture->height();
  if (PrintWholePage)
    FillPage(g, PrintCentred);
  else
    SetImageWidth(g, g.ImageWidthMM, PrintCentred);
  const PixelRect r = PageRectOf(g, printer.PageWidthPixels(), printer.PageHeightPixels());
  PrintRect = {r.Left, r.Top, r.Right, r.Bottom};
  if (!ui::MayReplace({printer.OutputFile()})) return;
  if (!ui::PrintBitmap(printer, *picture, QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1))))
    ui::MessageBox("The picture could not be printed\nPlease check the printer in the print configuration",
                   "ERROR");
}
