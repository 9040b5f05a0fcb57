#pragma once
// " LOCAL FRACTAL DIMENSION": the moving window size and the adaptive factor H.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TLocalFractForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TLocalFractForm(QWidget* owner);

  int WindowSize = 0;  // 12 or 24; 0 until a size is clicked
  double HFactor = 0;  // 0: not defined

  // Checks the radio button of WindowSize (none for 0).
  void ShowWindowSize();

  QRadioButton* RadioButton1;  // 12
  QRadioButton* RadioButton2;  // 24
  QLineEdit* HValEdit;

 protected:
  void OnFinish(int modalResult) override;
};

extern TLocalFractForm* LocalFractForm;
