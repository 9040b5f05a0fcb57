#pragma once
// " Lineal Computation": the code of the item and the orientation of the traces.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TLinFractForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TLinFractForm(QWidget* owner);

  int Code = -1;        // -1: not defined
  int Orientation = 0;  // 1 lines, 2 columns; 0: not defined

  // Empties the code and unchecks both orientations; the members keep their values.
  void ClearInputs();

  QLineEdit* CodeEdit;
  QRadioButton* RadioButton3;  // Lines
  QRadioButton* RadioButton4;  // Columns

 protected:
  void OnFinish(int modalResult) override;
};

extern TLinFractForm* LinFractForm;
