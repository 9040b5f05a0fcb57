#pragma once
// " Selection": the kind of the complementary image about to be opened into panel 2.
#include "ui/Form.h"

class QRadioButton;

class TSelectImageForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TSelectImageForm(QWidget* owner);
  void OkClick();

  int LabeledImage = 0;  // 0 binary (also when no choice was made), 1 labeled

  QRadioButton* BinaryButton = nullptr;
  QRadioButton* LabeledButton = nullptr;

 protected:
  // Only OK stands the complementary request; closing the window leaves it as it was.
  void OnFinish(int modalResult) override;
};

extern TSelectImageForm* SelectImageForm;
