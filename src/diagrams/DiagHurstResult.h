#pragma once
// The Hurst exponent diagram: log window size against log standard deviation.
#include "diagrams/DiagramForm.h"

inline constexpr const char* kHurstReportText =
    "\n\n\tHurst Exponent Calculation registered\n\tin the file %s ";

class TDiagHurstResultForm : public TDiagramForm {
  Q_OBJECT
 public:
  explicit TDiagHurstResultForm(QWidget* owner);
  void FormPaint(Canvas& canvas);
  void BitBtnSaveClick();
};

extern TDiagHurstResultForm* DiagHurstResultForm;
