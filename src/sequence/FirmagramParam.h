#pragma once
// " GTS Parameters": what part of which image a gray-tone sequence is taken from.
#include "ui/Form.h"

class QGroupBox;
class QLineEdit;
class QRadioButton;

class TFirmagramParamForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TFirmagramParamForm(QWidget* owner);

  int SelectedLine = 0;    // horizontal line
  int SelectedColumn = 0;  // vertical line
  // Shared by the edits of the line, diagonal and rectangle boxes: the last edit changed sets them.
  int FirstColumn = 0, FirstLine = 0, LastColumn = 0, LastLine = 0;
  int StudiedItem = 1;  // 1 whole scene, 2 horizontal line, 3 vertical line, 4 diagonal, 5 rectangle, 6 zones
  int DataIn = 0;       // 0 original image, 1 image resulting from a treatment
  int ZoneCode = 0;     // the panel-2 value of the labeled zones

  // Checks a mode's radio button and shows its box, as a click does.
  void ChooseStudiedItem(int item);

  QRadioButton* StudiedItemRadios[6];  // RadioButton1 .. RadioButton6
  QRadioButton* RadioButton7;          // Original Image
  QRadioButton* RadioButton8;          // Image resulting from a treatment
  QGroupBox* Boxes[5];                 // horizontal, vertical, diagonal, rectangle, labeled zones
  QLineEdit *SelectLineEdit, *FirstColEdit, *LastColEdit;
  QLineEdit *SelectColumnEdit, *FirstLineEdit, *LastLineEdit;
  QLineEdit *DFirstLineEdit, *DFirstColumnEdit, *DLastLineEdit, *DLastColumnEdit;
  QLineEdit *RFirstLineEdit, *RFirstColumnEdit, *RLastLineEdit, *RLastColumnEdit;
  QLineEdit* ZoneCodeEdit;

 protected:
  void OnFinish(int modalResult) override;
};

extern TFirmagramParamForm* FirmagramParamForm;
