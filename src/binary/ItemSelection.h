#pragma once
// " Item Selection": the code of one selected item, asked once per item of a selection.
#include "ui/Form.h"

class QLineEdit;

class TItemSelectionForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TItemSelectionForm(QWidget* owner);

  int Code = -1;  // -1: not defined

  // Shows the order of the item and an empty code until the code is an item code (0 .. 254);
  // the background 255 and codes no byte can hold are refused under "ERROR".
  int AskCode(int order);

  QLineEdit* NumEdit;   // Item order
  QLineEdit* CodeEdit;  // Code?
};

extern TItemSelectionForm* ItemSelectionForm;
