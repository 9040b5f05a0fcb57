#pragma once
// " Adaptive Closing Linking": a selected value or all items. It has only an OK button: closing it
// runs the linking too.
#include "ui/Form.h"

class QGroupBox;
class QLineEdit;
class QRadioButton;

class TDiagDilationForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TDiagDilationForm(QWidget* owner);

  void RadioButton1Click();  // Selection: the value's box shown
  void RadioButton2Click();  // All items: the box hidden

  int TreatmentMode = 0;  // 1 selection, 2 all items; 0 until chosen
  int SelectedItem = 0;

  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QGroupBox* GroupBox1;
  QLineEdit* SelectedItemEdit;
};

extern TDiagDilationForm* DiagDilationForm;
