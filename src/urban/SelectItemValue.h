#pragma once
// " Select Item Value": the value of panel 2 the majority smoothing works on.
#include "ui/Form.h"

class QLineEdit;

class TSelectItemValueForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TSelectItemValueForm(QWidget* owner);

  int ItemValue = 0;

  QLineEdit* SelectValueEdit;

 protected:
  void OnFinish(int modalResult) override;
};

extern TSelectItemValueForm* SelectItemValueForm;
