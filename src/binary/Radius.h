#pragma once
// " Circle Counting": the item of the moving circle, sliding or jumping circles, and whether the
// diagram's sizes are radii or disc surfaces.
#include <vector>

#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TRadiusForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TRadiusForm(QWidget* owner);

  int ItemCode = 0;    // kept between uses
  int CircleMode = 0;  // 0 sliding window, 1 jumping window
  int ValueType = 0;   // 0 radius, 1 surface

  QLineEdit* CodeEdit;
  std::vector<QRadioButton*> ModeRadios;   // Sliding Window, Jumping Window
  std::vector<QRadioButton*> ValueRadios;  // Radius, Surface

 protected:
  void OnFinish(int modalResult) override;
};

extern TRadiusForm* RadiusForm;
