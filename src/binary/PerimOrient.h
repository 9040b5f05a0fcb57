#pragma once
// " Perimeter Orientation": the code of the item and the length, in contour points, of the steps
// whose directions make the sequence.
#include "ui/Form.h"

class QLineEdit;

class TPerimOrientationForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TPerimOrientationForm(QWidget* owner);

  int ItemCode = 0;       // kept between uses
  int SegmentLength = 0;  // L, in contour points; kept between uses

  QLineEdit* CodeEdit;
  QLineEdit* StepEdit;

 protected:
  void OnFinish(int modalResult) override;
};

extern TPerimOrientationForm* PerimOrientationForm;
