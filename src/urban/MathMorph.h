#pragma once
// " Mathematical Morphology": the value of panel 2, the kind of treatment and the iterations.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TMathMorphForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TMathMorphForm(QWidget* owner);

  // An untouched dialog means value 0 and dilation; the iterations must be typed.
  int SelectedValue = 0;   // -1 is refused
  int TreatmentType = 0;   // 0 dilation, 1 erosion, 2 closing, 3 opening
  int IterationCount = 0;  // 0 until typed

  QLineEdit* GrayToneEdit;
  QRadioButton* RadioButton1;  // Dilation
  QRadioButton* RadioButton2;  // Erosion
  QRadioButton* RadioButton3;  // Closing
  QRadioButton* RadioButton4;  // Opening
  QLineEdit* IterEdit;

 protected:
  // OK leaves the four kinds unchecked for the next showing; Cancel sets the cancel byte.
  void OnFinish(int modalResult) override;
};

extern TMathMorphForm* MathMorphForm;
