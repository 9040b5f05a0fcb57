#pragma once
// " Fractal Exploration": the moving window's side, the scale of the map and the value explored.
#include <vector>

#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TFractalExplorForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TFractalExplorForm(QWidget* owner);

  // The side must be chosen again at each showing: its buttons start unchecked.
  void UncheckWindowSide();

  int WindowSide = 0;      // 13 or 25; 0 until chosen
  int ScaleType = 0;       // 1: 0.01 - 2.00, 2: 1.00 - 2.00; 0 until chosen
  int SelectedValue = -1;  // -1 until typed

  QRadioButton* RadioButton1;  // 13
  QRadioButton* RadioButton2;  // 25
  QRadioButton* RadioButton3;  // 0.01 - 2.00
  QRadioButton* RadioButton4;  // 1.00 - 2.00
  QLineEdit* ValueEdit;

 protected:
  void OnFinish(int modalResult) override;
};

extern TFractalExplorForm* FractalExplorForm;
