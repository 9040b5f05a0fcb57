#pragma once
// " LACUNARITY": the range of K (window sizes W = 2K + 1) and the image the boxes glide over.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TLacunForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TLacunForm(QWidget* owner);

  int KMin = 100000;  // 100000: not defined
  int KMax = 0;       // 0: not defined
  int DataIn = -1;    // -1 neither image chosen, 0 binarized image (panel 2), 1 gray tone image (panel 1)

  // The "Binarized Image" button: taken only for a binary (not labeled) panel 2.
  void RadioButton1Click();
  // The "Gray Tone Image" button.
  void RadioButton2Click();

  QLineEdit* KMinEdit;
  QLineEdit* KMaxEdit;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;

 protected:
  // OK warns of a KMax beyond half the smaller side or below KMin, and closes all the same.
  void OnFinish(int modalResult) override;

 private:
  void ShowDataIn();
};

extern TLacunForm* LacunForm;
