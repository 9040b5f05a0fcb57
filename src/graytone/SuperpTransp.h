#pragma once
// " Transparent Superposition ": the gray image, the panel-2 value, the opacity and the kind of the
// transparent superposition. No Cancel: closing it is taken as OK.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TSuperpTranspForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TSuperpTranspForm(QWidget* owner);
  void RadioButton1Click();
  void RadioButton2Click();
  void RadioButton3Click();
  void RadioButton4Click();
  void BitBtn1Click() { Finish(ui::mrOk); }
  // Puts the check mark on the button of LowerSlice.
  void CheckLowerSlice();

  int LowerSlice = 0;     // 1 original image, 2 parametric image; 0 not chosen
  int GrayTone = 0;       // 0 not given
  int Opacity = 0;        // percent; -1 not defined
  int TreatmentType = 0;  // 1 global, 2 local; 0 not chosen

  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
  QRadioButton* RadioButton4;
  QLineEdit* GrayToneEdit;
  QLineEdit* OpacityEdit;
};

extern TSuperpTranspForm* SuperpTranspForm;
