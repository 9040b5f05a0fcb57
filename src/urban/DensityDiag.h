#pragma once
// " Density Treatment": the item of panel 2, the panel the gray values come from, the element
// thresholds and the pixel size.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TDensityDiagForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TDensityDiagForm(QWidget* owner);

  // The button of the chosen origin checked again (OK leaves both unchecked).
  void CheckDataOrigin();

  int ItemValue = -1;    // -1 until typed
  int DataOrigin = 0;    // 1 panel 1, 3 panel 3; 0 until chosen
  int MinValue = 500;    // 500 until typed
  int MaxValue = 0;      // 0 until typed
  double PixelSize = 0;  // metres; 0 until typed

  QLineEdit* GrayToneEdit;
  QRadioButton* RadioButton1;  // from Panel 1
  QRadioButton* RadioButton2;  // from Panel 3
  QLineEdit* MinEdit;
  QLineEdit* MaxEdit;
  QLineEdit* PixelSizeEdit;

 protected:
  void OnFinish(int modalResult) override;
};

extern TDensityDiagForm* DensityDiagForm;
