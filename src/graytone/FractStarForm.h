#pragma once
// " 3D Lineal Fractal": the cross of the fract star, the zone studied besides the whole scene (an item
// of panel 2) and the length measurement.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;
class QWidget;

// ItemCode while the item code edit is empty.
inline constexpr int kUndefinedItemCode = 100000;

class TFractStarForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TFractStarForm(QWidget* owner);

  int TreatmentType = 3;  // 1 Greek cross, 2 St Andrew cross, 3 star
  int StudiedZone = 0;    // 0 whole image, 1 labelized zone
  int ItemCode = kUndefinedItemCode;

  // Before a run: every radio button unchecked and the item code emptied.
  void ClearChoices();
  // After a run: the buttons of TreatmentType, the main window's StarLengthMode and StudiedZone
  // checked again.
  void ShowChoices();

  void RadioButton4Click();  // "Whole Image"
  // "Labelized Zone": taken only when panel 2 holds a binary or labeled image.
  void RadioButton5Click();

  QRadioButton *RadioButton1, *RadioButton2, *RadioButton3;  // the crosses
  QRadioButton *RadioButton4, *RadioButton5;                 // the zones
  QRadioButton *RadioButton6, *RadioButton8, *RadioButton9;  // the length measurements
  QWidget* ItemPanel;
  QLineEdit* ItemEdit;

 protected:
  // OK records the zone and the item code in the main window and puts the zone back to the whole
  // image; Cancel sets the fract star cancel byte.
  void OnFinish(int modalResult) override;

 private:
  void ShowZone(int zone);
};

extern TFractStarForm* FractStarForm;
