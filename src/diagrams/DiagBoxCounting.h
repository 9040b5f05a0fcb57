#pragma once
// The box counting and progressive box counting diagrams: log of the filled boxes
// against log of the box size, with the dimension.
#include "diagrams/DiagramForm.h"

inline constexpr const char* kBoxCountingReportText =
    "\n\n\tBox Counting Diagram registered\n\tin the file %s ";
inline constexpr const char* kProgressiveReportText =
    "\n\n\tProgressive Box Counting Diagram registered\n\tin the file %s ";

class TDiagBoxCountingForm : public TDiagramForm {
  Q_OBJECT
 public:
  explicit TDiagBoxCountingForm(QWidget* owner);
  void PaintBoxPaint(Canvas& canvas);
  void BitBtnSaveClick();
};

class TDiagProgrBoxCountingForm : public TDiagramForm {
  Q_OBJECT
 public:
  explicit TDiagProgrBoxCountingForm(QWidget* owner);
  void PaintBoxPaint(Canvas& canvas);
  void BitBtnSaveClick();
};

extern TDiagBoxCountingForm* DiagBoxCountingForm;
extern TDiagProgrBoxCountingForm* DiagProgrBoxCountingForm;
