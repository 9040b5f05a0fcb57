#pragma once
// " Treatment Starting": asks the person to confirm a long gray-tone treatment.
#include "ui/Form.h"

class TTreatStartForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TTreatStartForm(QWidget* owner);
  void NoClick();
  void YesClick();

 protected:
  void OnFinish(int modalResult) override;
};

extern TTreatStartForm* TreatStartForm;
