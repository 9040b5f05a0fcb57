#pragma once
// " Gray Tones": which image the gray tones number counts.
#include "ui/Form.h"

class QRadioButton;

class TGTNumberForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TGTNumberForm(QWidget* owner);

  void RadioButton1Click();  // original image
  // Binary or labelled image: refused, with the check mark taken back, while panel 2 holds neither.
  void RadioButton2Click();
  void RadioButton3Click();  // resulting image
  void BitBtn1Click();
  // Puts the check mark back on the button of TreatedImage.
  void CheckTreatedImage();

  int TreatedImage = 2;  // 0 original, 1 binary or labelled, 2 resulting

  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
};

extern TGTNumberForm* GTNumberForm;
