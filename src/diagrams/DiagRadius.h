#pragma once
// The moving circle diagram: log of the fitting circles against log of the circle size.
#include "diagrams/DiagramForm.h"

inline constexpr const char* kCircleReportText =
    "\n\tScanning Circle Treatment registered\n\tin the file %s ";

class TDiagRadiusForm : public TDiagramForm {
  Q_OBJECT
 public:
  explicit TDiagRadiusForm(QWidget* owner);
  void PaintBoxPaint(Canvas& canvas);
  void SaveButtonClick();
};

extern TDiagRadiusForm* DiagRadiusForm;
