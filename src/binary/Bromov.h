#pragma once
// " Brownian motion": the path's thresholds and the walks' parameters.
#include "ui/Form.h"

class QLineEdit;

class TBromovForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TBromovForm(QWidget* owner);

  // 0: not defined.
  int MinThreshold = 0;
  int MaxThreshold = 0;
  int WalkCount = 0;
  int CrossingCount = 0;
  int PathPixels = 0;
  int CrossingTests = 0;

  QLineEdit* ThrMinEdit;
  QLineEdit* ThrMaxEdit;
  QLineEdit* MaxWalkEdit;
  QLineEdit* MaxStepEdit;
  QLineEdit* MinPixEdit;
  QLineEdit* MaxCrossEdit;

 protected:
  void OnFinish(int modalResult) override;
};

extern TBromovForm* BromovForm;
