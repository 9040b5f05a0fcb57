#pragma once
// " Perimeter Roughness": the outline studied (a perimeter extracted before, or an item's outline
// after three dilations), its value, and the centre the distances are measured from.
#include <vector>

#include "ui/Form.h"

class QGroupBox;
class QLineEdit;
class QRadioButton;

// PerimeterSource and CenterType.
enum PerimeterSourceCode : int { psNone = 0, psExtracted = 1, psDilation = 2 };
enum CenterTypeCode : int { ctNone = 0, ctGravity = 1, ctUser = 2 };

class TPerimRoughnessParamForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TPerimRoughnessParamForm(QWidget* owner);

  int PerimeterSource = psNone;
  int PerimeterValue = 0;
  int ItemValue = 0;
  int CenterType = ctNone;
  int CenterLine = 0, CenterColumn = 0;

  // The values of a new run; the edits keep their texts.
  void ResetMembers();
  // The source's radio checked again (the dialog comes back after a refusal).
  void CheckChosen();
  // After a run: nothing chosen, the value and coordinate edits emptied.
  void ClearEntries();

  std::vector<QRadioButton*> SourceRadios;  // RadioButton1, 2
  std::vector<QRadioButton*> CenterRadios;  // RadioButton3, 4
  QLineEdit *SelectPerimeterValueEdit, *SelectItemValueEdit, *LineEdit, *ColumnEdit;
  QGroupBox *PerimeterValueBox, *ItemValueBox, *CoordinatesBox;

 protected:
  void OnFinish(int modalResult) override;
};

extern TPerimRoughnessParamForm* PerimRoughnessParamForm;
