#pragma once
// The frequency curve of the local fractal dimension image: pixels per bin of 0.01.
#include "diagrams/DiagramForm.h"

inline constexpr const char* kLocalFractalReportText =
    "\n\n\tLocal Fractal Dimension Diagram registered\n\tin the file %s ";

class TDiagLocFractDimForm : public TDiagramForm {
  Q_OBJECT
 public:
  explicit TDiagLocFractDimForm(QWidget* owner);
  void PaintBoxPaint(Canvas& canvas);
  void BitBtnSaveClick();
};

extern TDiagLocFractDimForm* DiagLocFractDimForm;
