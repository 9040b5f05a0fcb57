#pragma once
// " ITEM SELECTION": all the items of the labeled image, or a number of chosen ones. Shared by the
// per-item treatments (resizing box counting, perimeter, perimeter orientation, moving circle),
// with TItemSelectionForm for the codes of a selection; AskItemList (ItemList.h) runs both.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;
class QWidget;

class TResizeBCForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TResizeBCForm(QWidget* owner);

  int Selection = 0;      // 0 all the items, 1 a selection; kept between uses
  int SelectedCount = 0;  // number of selected items; 0: not defined

  // Shows the dialog with the number of items until its values are usable: a selection asks for
  // 1 .. itemCount items ("ERROR" otherwise, and the dialog again). False on Cancel, the cancel
  // byte then cleared.
  bool Ask(int itemCount);

  QLineEdit* NumItemEdit;
  QRadioButton* RadioButton1;  // Calculation of all the items
  QRadioButton* RadioButton2;  // Item selection
  QLineEdit* NumSelectItemEdit;

 protected:
  void OnFinish(int modalResult) override;

 private:
  void ShowSelection(bool shown);
  QWidget* selectionPanel_;
};

extern TResizeBCForm* ResizeBCForm;
