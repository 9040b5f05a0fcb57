#pragma once
// " LABELING": the size range of the items kept.
#include "ui/Form.h"

class QLineEdit;

class TLabelizForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TLabelizForm(QWidget* owner);

  int MinSize = 0;
  int MaxSize = 0;

  QLineEdit* MinEdit;
  QLineEdit* MaxEdit;

 protected:
  void OnFinish(int modalResult) override;
};

extern TLabelizForm* LabelizForm;
