#pragma once
// " Homogeneity": the image and the thresholds of the class, the moving window's range and whether
// only the pixels of the class are mapped.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class THomogeneityForm : public ui::Form {
  Q_OBJECT
 public:
  explicit THomogeneityForm(QWidget* owner);

  int Source = 0;  // 1 panel 1, 2 panel 2; 0 none chosen
  int MinValue = 0;
  int MaxValue = 0;
  int Range = 0;     // the window side is 2 Range + 1
  int Centered = 0;  // 1 centered, 0 not

  QRadioButton* RadioButton1;  // from Panel 1
  QRadioButton* RadioButton2;  // from Panel 2
  QLineEdit* MinEdit;
  QLineEdit* MaxEdit;
  QLineEdit* RangeEdit;
  QRadioButton* RadioButton3;  // Centered
  QRadioButton* RadioButton4;  // No centered

 protected:
  void OnFinish(int modalResult) override;
};

extern THomogeneityForm* HomogeneityForm;
