#pragma once
// " Progressive Box Counting": the studied pixels (items or background) and the two parameters.
// The first box order and the step live in the main window (FirstBoxOrder, ProgressiveStep); the
// edits write them at each change.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TProgBoxCountForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TProgBoxCountForm(QWidget* owner);

  int ItemValue = 1;  // 1 the items, 255 the background

  QRadioButton* RadioButton1;  // Item (value 1)
  QRadioButton* RadioButton2;  // Background (value 255)
  QLineEdit* FBOEdit;
  QLineEdit* StepEdit;

 protected:
  void OnFinish(int modalResult) override;
};

extern TProgBoxCountForm* ProgBoxCountForm;
