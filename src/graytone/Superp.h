#pragma once
// " Superposition": the gray image and the panel-2 value of the single superposition. No Cancel:
// closing it is taken as OK.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TSuperpForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TSuperpForm(QWidget* owner);
  void RadioButton1Click();
  void RadioButton3Click();
  void BitBtn1Click() { Finish(ui::mrOk); }
  // Puts the check mark on the button of LowerSlice.
  void CheckLowerSlice();

  int LowerSlice = 0;  // 1 original image, 2 parametric image; 0 not chosen
  int GrayTone = 0;    // 0 not given

  QRadioButton* RadioButton1;
  QRadioButton* RadioButton3;
  QLineEdit* GrayToneEdit;
};

extern TSuperpForm* SuperpForm;
