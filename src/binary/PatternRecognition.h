#pragma once
// " Pattern Recognition Parameters": the pixel size and whether the measures also go to a table.
#include <string>

#include "ui/Form.h"

class QLineEdit;
class QRadioButton;

class TPatternRecognitionForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TPatternRecognitionForm(QWidget* owner);

  double PixelSize = 1.0;     // metres a pixel
  std::string TableFileName;  // the ".xls" table chosen under "yes"

  // "yes": the table's name is asked; once one is chosen the table is requested.
  void RadioButton1Click();
  // "no": no table.
  void RadioButton2Click();
  // The buttons as the request stands (a new image may have cleared it).
  void ShowRequest(int requested);

  QLineEdit* PixelSizeEdit;
  QRadioButton* RadioButton1;  // yes
  QRadioButton* RadioButton2;  // no

 private:
  void SetButtons(bool yes, bool no);
};

extern TPatternRecognitionForm* PatternRecognitionForm;
