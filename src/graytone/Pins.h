#pragma once
// " PINS": the neighbourhood, the saturation and the image of the pins stretching. It has only an OK
// button: closing it runs the stretching too.
#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TPinsForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TPinsForm(QWidget* owner);

  void RadioButton1Click();  // 4 vicinity
  void RadioButton2Click();  // 8 vicinity
  void RadioButton3Click();  // without any treatment
  void RadioButton4Click();  // symmetric
  void RadioButton5Click();  // asymmetric
  void RadioButton6Click();  // original image
  void RadioButton7Click();  // parametric image
  void BitBtn1Click();

  int Vicinity = 0;     // 4 or 8; 0 until chosen, taken as 4
  int Saturation = 0;   // 0 without, 1 symmetric, 2 asymmetric
  int ImageChoice = 0;  // 0 original image, 1 parametric image
  double GlobPerc = 0;
  double LeftPerc = 0;
  double RigthPerc = 0;

  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
  QRadioButton* RadioButton4;
  QRadioButton* RadioButton5;
  QRadioButton* RadioButton6;
  QRadioButton* RadioButton7;
  QWidget* SymPanel;
  QWidget* AsymPanel;
  QLineEdit* GlobPercEdit;
  QLineEdit* LeftPercEdit;
  QLineEdit* RigthPercEdit;

 protected:
  // However it is closed, both percentage panels are hidden.
  void OnFinish(int modalResult) override;
};

extern TPinsForm* PinsForm;
