#pragma once
// The dialogs of the radial expansion (" Radial Expansion") and the crown expansion
// (" Crown Expansion"): treated image, thresholds, starting point, radii and pixel size.
#include <vector>

#include "ui/Form.h"

class QGroupBox;
class QLineEdit;
class QRadioButton;

// Treated images of both dialogs' ImageType.
enum ExpansionImage : int { eiNone = 0, eiOriginal = 1, eiBinary = 2, eiParametric = 3 };
// LastRadiusType of both dialogs.
enum ExpansionLastRadius : int { lrNone = 0, lrImageBorder = 1, lrUser = 2 };

class TDilBoxForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TDilBoxForm(QWidget* owner);

  int ImageType = eiNone;
  int MinValue = 1000;  // 1000: not defined
  int MaxValue = 0;     // 0: not defined
  int StartType = 0;    // 1 image centre, 2 defined by the user
  int StartLine = 0, StartColumn = 0;
  int FirstRadius = 0;
  int LastRadiusType = lrNone;
  int LastRadius = 0;
  double PixelSize = 0.0;  // metres

  // The values of a new run; the edits keep their texts.
  void ResetMembers();
  // The radio buttons of the chosen values checked again (the dialog comes back after a refusal).
  void CheckChosen();
  // After a completed run: treated image unchosen, every edit emptied.
  void ClearEntries();

  std::vector<QRadioButton*> ImageRadios;       // RadioButton1 .. 3
  std::vector<QRadioButton*> StartRadios;       // RadioButton4, 5
  std::vector<QRadioButton*> LastRadiusRadios;  // RadioButton8, 9
  QLineEdit *REMinValEdit, *REMaxValEdit, *RELineEdit, *REColumnEdit, *WCZEdit, *LastRadiusEdit,
      *PixelSizeEdit;
  QGroupBox *StartBox, *LastRadiusBox;  // the inner groups shown for values given by the user

 protected:
  void OnFinish(int modalResult) override;
};

class TCrownExpansionForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TCrownExpansionForm(QWidget* owner);

  int ImageType = eiNone;
  int StartLine = 0, StartColumn = 0;  // "Image Center" writes the image's centre here
  int MinValue = -1;                   // -1: not defined
  int MaxValue = 0;                    // 0: not defined
  int FirstRadius = 0;                 // first external radius
  int CrownWidth = 0;
  int LastRadiusType = lrNone;
  int LastRadius = 0;
  double PixelSize = 0.0;

  void ResetMembers();
  void CheckChosen();
  void ClearEntries();

  std::vector<QRadioButton*> ImageRadios;       // RadioButton1 .. 3
  std::vector<QRadioButton*> StartRadios;       // RadioButton6 "Image Center", 7 "Defined by the user"
  std::vector<QRadioButton*> LastRadiusRadios;  // RadioButton4, 5
  QLineEdit *LineEdit, *ColumnEdit, *PixelSizeEdit, *MinEdit, *MaxEdit, *FirstRadiusEdit, *CrownWidthEdit,
      *LastRadiusEdit;
  QGroupBox *StartBox, *LastRadiusBox;

 protected:
  void OnFinish(int modalResult) override;

 private:
  int startChoice_ = 0;  // the starting point's radio, which has no member of its own
};

extern TDilBoxForm* DilBoxForm;
extern TCrownExpansionForm* CrownExpansionForm;
