#pragma once
// " Transfert": which two panels exchange their pictures, names and captions.
#include "ui/Form.h"

class QRadioButton;
class QPushButton;

class TTransForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TTransForm(QWidget* owner);

  // 1: panels 1 and 2, 2: panels 1 and 3, 3: panels 2 and 3; 0 until a first choice. It survives the
  // showings: OK without a click repeats the last exchange.
  int Choice = 0;

  void RadioButtonClick(int choice);
  void BitBtn1Click();

  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
  QPushButton* BitBtn1;

 protected:
  void OnFinish(int modalResult) override;
};

extern TTransForm* TransForm;
