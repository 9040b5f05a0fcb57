#pragma once
// The two dialogs of the Hurst exponent: " Studied curve" (source, window kind, sliding sizes)
// and " Dividers" (the divisor list of the jumping windows and the range of it to use).
#include <vector>

#include "ui/Form.h"

class QGroupBox;
class QLineEdit;
class QRadioButton;

// Sources of THurstForm::DataIn.
enum HurstDataIn : int { kGrayToneSequence = 0, kPerimeterOrientation = 1, kPerimeterDistance = 2 };

class THurstForm : public ui::Form {
  Q_OBJECT
 public:
  explicit THurstForm(QWidget* owner);

  int DataIn = kGrayToneSequence;
  int FirstSize = 10;
  int Step = 5;
  int NumSteps = 10;
  int WindowType = 0;  // 0 sliding windows, 1 jumping windows

  QRadioButton* RadioButton1;  // Gray tone sequence
  QRadioButton* RadioButton2;  // Perimeter orientation
  QRadioButton* RadioButton5;  // Distance Perimeter/Center
  QRadioButton* RadioButton3;  // Sliding Window
  QRadioButton* RadioButton4;  // Jumping Window
  QGroupBox* ParametersBox;
  QLineEdit *FirstSizeEdit, *StepEdit, *NumStepEdit;

 protected:
  void OnFinish(int modalResult) override;
};

inline constexpr int kDividerEdits = 75;

class THurstDividerForm : public ui::Form {
  Q_OBJECT
 public:
  explicit THurstDividerForm(QWidget* owner);

  int LowerValueRange = 0;  // positions from 1 in the divisor list
  int UpperValueRange = 0;
  int DividerChoice = 0;  // 0 none chosen yet, 1 "Using all the dividers", 2 "Divider Selection"

  // The three counts and the list, the first 75 entries in their edits; the other edits emptied.
  void ShowDividers(int usedLength, int originalLength, const std::vector<int>& dividers);

  QLineEdit *TNDivisorsEdit, *TNDataEdit, *OriginalRangeEdit;
  QLineEdit* DividerEdit[kDividerEdits];  // DividerEdit1 .. DividerEdit75
  QRadioButton* RadioButton1;             // Using all the dividers
  QRadioButton* RadioButton2;             // Divider Selection
  QGroupBox* SelectionBox;
  QLineEdit *LVREdit, *UVREdit;
};

extern THurstForm* HurstForm;
extern THurstDividerForm* HurstDividerForm;
