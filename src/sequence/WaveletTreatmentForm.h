#pragma once
// " Selection of the Wavelet Zone": the image, the kernel's range, the studied item, the scales
// and the sliding windows of the wavelet treatment. OK is its only button; closing it abandons.
#include "ui/Form.h"

class QGroupBox;
class QLineEdit;
class QRadioButton;

class TWaveletTreatmentForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TWaveletTreatmentForm(QWidget* owner);

  int SelectedLine = 0;
  int SelectedColumn = 0;
  int FirstColumn = 0, FirstLine = 0, LastColumn = 0, LastLine = 0;
  int StudiedItem = 0;  // 0 none chosen, 1 whole scene .. 6 labeled zones
  int DataIn = 0;       // 0 original image, 1 image resulting from a treatment
  int ZoneCode = 0;
  int Range = 5;  // R: the window is 2R + 1 wide
  int FirstWindowSize = 10;
  int Step = 2;
  int StepNumber = 10;
  double Sigma = 1.0;
  double SigmaIncrease = 1.0;

  // Checks a mode's radio button and shows its box only, as a click does.
  void ChooseStudiedItem(int item);

  QRadioButton* RadioButton1;          // Original Image
  QRadioButton* RadioButton2;          // Image resulting from a treatment
  QRadioButton* StudiedItemRadios[6];  // RadioButton3 .. RadioButton8
  QGroupBox *HorizontalLineBox, *VerticalLineBox, *DiagonalLineBox, *RectangleBox, *LabelBox;
  QLineEdit *RangeEdit, *SigmaEdit, *IncreasingEdit, *FMWSEdit, *StepEdit, *StepNumberEdit;
  QLineEdit *SelectLineEdit, *FirstColumnEdit, *LastColumnEdit;
  QLineEdit *SelectColumnEdit, *FirstLineEdit, *LastLineEdit;
  QLineEdit *FirstLineDiagEdit, *FirstColDiagEdit, *LastLineDiagEdit, *LastColDiagEdit;
  QLineEdit *FirstLineRectEdit, *FirstColRectEdit, *LastLineRectEdit, *LastColRectEdit;
  QLineEdit* ZoneCodeEdit;
};

extern TWaveletTreatmentForm* WaveletTreatmentForm;
