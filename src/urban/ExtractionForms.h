#pragma once
// The dialogs of the perimeter extraction (" Perimeter Extraction") and the hole extraction
// (" Hole Extraction"): the value of panel 2 whose outline or holes are taken.
#include "ui/Form.h"

class QLineEdit;

class TPerimExtractValueForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TPerimExtractValueForm(QWidget* owner);

  int SelectedValue = -1;  // -1: none selected
  QLineEdit* PerimExtractValueEdit;

 protected:
  void OnFinish(int modalResult) override;
};

class THoleExtractForm : public ui::Form {
  Q_OBJECT
 public:
  explicit THoleExtractForm(QWidget* owner);

  int SelectedValue = -1;  // -1: none selected
  QLineEdit* HoleExtractValueEdit;

 protected:
  void OnFinish(int modalResult) override;
};

extern TPerimExtractValueForm* PerimExtractValueForm;
extern THoleExtractForm* HoleExtractForm;
