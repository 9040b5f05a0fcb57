#pragma once
// " PAGE CONFIGURATION": the panel to print, the printer and its orientation, and the size and place
// of the picture on the page in millimetres, with a preview of the page drawn to scale.
#include <QImage>
#include <memory>
#include <optional>

#include "panels/kernels/PageGeometry.h"
#include "ui/Form.h"
#include "ui/Printer.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The picture of panel 1, 2 or 3 (choice 0, 1, 2); nullptr when that panel shows none.
const QImage* PanelBitmap(int panelChoice);

class TConfigPagePrintForm : public ui::Form, public PageGeometry {
  Q_OBJECT
 public:
  explicit TConfigPagePrintForm(QWidget* owner);
  ~TConfigPagePrintForm() override;

  std::unique_ptr<ui::Printer> PagePrinter;  // the program's one printer
  QImage PrintedBitmap;                      // the picture the preview shows
  PixelRect PageRect;                        // the accepted rectangle in printer pixels
  int PanelChoice = 0;                       // 0 panel 1, 1 panel 2, 2 panel 3

  // Each showing starts here: the page read from the printer, the picture placed afresh. False (the
  // person told why) when the printer gives a page of no size.
  bool FormActivate();
  bool UpdatePageGeometry();
  void ApplyLimits();
  void ShowGeometry();
  void DrawPreview();
  bool Centred() const;
  bool WholePage() const;

  // Controls.
  void LargEditExit();
  void HautEditExit();
  void GaucheEditExit();
  void HauteEditExit();
  void CentrerCheckBoxClick();
  void PPageCheckBoxClick();
  void PortraitRadioButtonClick();
  void PaysageRadioButtonClick();
  void ConfigPrintButtonClick();
  // A panel without a picture cannot be chosen.
  void RadioButtonClick(int panelChoice);
  void ShowPanelChoice();
  void OkBitBtnClick();

  QWidget* PaintBox;
  QCheckBox* CentrerCheckBox;
  QCheckBox* PPageCheckBox;
  QLineEdit* HautEdit;
  QLineEdit* LargEdit;
  QLineEdit* GaucheEdit;
  QLineEdit* HauteEdit;
  QRadioButton* PortraitRadioButton;
  QRadioButton* PaysageRadioButton;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
  QPushButton* ConfigPrintButton;
  QPushButton* OkBitBtn;
  QPushButton* CancelBitBtn;

 protected:
  void OnFinish(int modalResult) override;

 private:
  // The number an edit holds, or nothing (the person told why, the edits showing the values kept).
  std::optional<double> ReadEdit(QLineEdit* edit, bool isSize);
  void EnableEdits();

  ui::Printer::Settings openingSettings_;
};

extern TConfigPagePrintForm* ConfigPagePrintForm;
