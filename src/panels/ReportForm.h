#pragma once
// " GENERAL REPORT": asks at each opening of an original image whether the
// treatments are to be written to a general report.
#include "ui/Form.h"

class TReportForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TReportForm(QWidget* owner);
  void YesClick();
  void NoClick();

  int ReportOff = 0;  // 0 while the report is on
};

extern TReportForm* ReportForm;
