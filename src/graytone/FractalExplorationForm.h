#pragma once
// " Fractal Thresholding": the image explored, how its gray range is cut, and the step between the
// thresholds. There is no Cancel: closing the window runs the treatment with the values shown.
#include "ui/Form.h"

class QLineEdit;

class TFractalExplorationForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TFractalExplorationForm(QWidget* owner);

  int DataIn = 0;     // 0 original image (panel 1), 1 parametric image (panel 3)
  int Treatment = 0;  // 0 scanning from the origin, 1 jumping, 2 scanning until the last value
  int Step = 2;

  QLineEdit* StepEdit;
};

extern TFractalExplorationForm* FractalExplorationForm;
