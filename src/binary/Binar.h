#pragma once
// " Binarization": the thresholds and the source of the binarizing.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TBinarForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TBinarForm(QWidget* owner);

  int MinValue = 1000;   // 1000: not defined
  int MaxValue = 0;      // 0: not defined
  int DataIn = 0;        // 0 original image, 1 parametric image, 2 labeled image
  int KeepIsolated = 0;  // 0 isolated pixels are eliminated

  QLineEdit* MinBinEdit;
  QLineEdit* MaxBinEdit;
  QRadioButton* RadioButton1;  // Original Image
  QRadioButton* RadioButton2;  // Parametric Image
  QRadioButton* RadioButton5;  // Labeled Image
  QRadioButton* RadioButton3;  // elimination: yes
  QRadioButton* RadioButton4;  // elimination: no

 protected:
  void OnFinish(int modalResult) override;
};

extern TBinarForm* BinarForm;
