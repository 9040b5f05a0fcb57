#pragma once
// " Wavelet Parameters": sigma, the half window size h (window 2h + 1) and the image filtered. There
// is no Cancel: closing the window goes on as OK does.
#include <vector>

#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TMorletForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TMorletForm(QWidget* owner);

  double Sigma = 0;        // 0: not defined
  int HalfWindowSize = 0;  // 0: not defined
  int DataIn = 0;          // 0 original image, 1 binary image, 2 parametric image

  // Checks the radio button of DataIn.
  void ShowDataIn();

  QLineEdit* SigmaEdit;
  QLineEdit* HWSEdit;
  std::vector<QRadioButton*> DataInButtons;
};

extern TMorletForm* MorletForm;
