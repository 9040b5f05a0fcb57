#pragma once
// The four dialogs of the box counting: the strategy, the border range, the proposed
// size, and the counting parameters.
#include <string>
#include <vector>

#include "ui/Form.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

// The divisors as the dialogs show them: six a line, " %d - %d - ... ", at most four lines.
std::vector<std::string> DividerLines(const std::vector<int>& dividers);

// The count and the divisor lines of dialogs 1 and 3.
struct DividerDisplay {
  QLineEdit* NumDivEdit = nullptr;
  QLineEdit* DividersEdit[4] = {nullptr, nullptr, nullptr, nullptr};
  void Show(const std::vector<int>& dividers);
};

class TDiagBoxCountingForm1 : public ui::Form {
  Q_OBJECT
 public:
  explicit TDiagBoxCountingForm1(QWidget* owner);
  int Possibility = 0;  // 0 border range, 1 every size, 2 these dividers, 3 cutting the image
  DividerDisplay Dividers;
  QRadioButton* PossibilityRadios[4];
};

class TDiagBoxCountingForm2 : public ui::Form {
  Q_OBJECT
 public:
  explicit TDiagBoxCountingForm2(QWidget* owner);
  int BorderRange = 0;  // 0: not defined
  QLineEdit* NdlEdit;
  QLineEdit* NdcEdit;
  QLineEdit* RangeEdit;
};

class TDiagBoxCountingForm3 : public ui::Form {
  Q_OBJECT
 public:
  explicit TDiagBoxCountingForm3(QWidget* owner);
  int SizeChoice = 2;  // 0 another range, 1 original size, 2 proposed size
  DividerDisplay Dividers;
  QLineEdit* LinesEdit;
  QLineEdit* ColumnsEdit;
};

class TDiagBoxCountingForm4 : public ui::Form {
  Q_OBJECT
 public:
  explicit TDiagBoxCountingForm4(QWidget* owner);

  int ImageIn = -1;         // -1 not selected, 0 binary image, 1 original image
  int ItemValue = -1;       // -1: undefined
  int MinThreshold = -1;    // -1: undefined
  int MaxThreshold = 1000;  // 1000: undefined
  int SizeMode = 0;         // 0 the greatest box is computed and shown, 1 it is asked
  int DefinedSize = 0;
  int UntilEquality = 1;  // 1 until equality, 0 until this size
  int Fitting = 0;        // 0 partial, 1 total

  // Shows the computed greatest box or the edit that asks it, as SizeMode says.
  void ShowSizeMode(int computedSize);
  // Unchecks the image radios and empties the item and threshold edits.
  void ClearInputs();

  QRadioButton* BinaryRadio;
  QRadioButton* OriginalRadio;
  QLineEdit* BinItemValueEdit;
  QLineEdit* MinBinEdit;
  QLineEdit* MaxBinEdit;
  QLineEdit* SizeCalcEdit;
  QLineEdit* SizeDefEdit;

 protected:
  void OnFinish(int modalResult) override;

 private:
  QWidget* itemPanel_;
  QWidget* thresholdPanel_;
  QWidget* calcPanel_;
  QWidget* definedPanel_;
};

extern TDiagBoxCountingForm1* DiagBoxCountingForm1;
extern TDiagBoxCountingForm2* DiagBoxCountingForm2;
extern TDiagBoxCountingForm3* DiagBoxCountingForm3;
extern TDiagBoxCountingForm4* DiagBoxCountingForm4;
