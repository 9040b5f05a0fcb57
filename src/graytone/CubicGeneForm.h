#pragma once
// " Cubic Density": the half window size h (window 2h + 1) and the radiometric jump J.
#include "ui/Form.h"

class QLineEdit;

// The value of a parameter not yet typed.
inline constexpr int kCubicUndefined = 260;

class TCubicGeneForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TCubicGeneForm(QWidget* owner);

  int HalfWindowSize = kCubicUndefined;
  int RadiometricJump = kCubicUndefined;

  QLineEdit* HWSEdit;
  QLineEdit* JumpEdit;

 protected:
  void OnFinish(int modalResult) override;  // Cancel sets the cubic density cancel byte
};

extern TCubicGeneForm* CubicGeneForm;
