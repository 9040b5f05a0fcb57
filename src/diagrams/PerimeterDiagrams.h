#pragma once
// The perimeter orientation sequence and the perimeter distance profile.
#include "diagrams/DiagramForm.h"

inline constexpr const char* kOrientationReportText =
    "\n\n\tPerimeter Orientation Diagram registered\n\tin the file %s ";
inline constexpr const char* kRoughnessReportText =
    "\n\n\tPerimeter Roughness Diagram registered\n\tin the file %s ";

class TOrientationPerimForm : public TDiagramForm {
  Q_OBJECT
 public:
  explicit TOrientationPerimForm(QWidget* owner);
  void PaintBoxPaint(Canvas& canvas);
  void BitBtnSaveClick();
};

class TPerimeterRoughnessForm2 : public TDiagramForm {
  Q_OBJECT
 public:
  explicit TPerimeterRoughnessForm2(QWidget* owner);
  void PaintBoxPaint(Canvas& canvas);
  void BitBtnSaveClick();
};

extern TOrientationPerimForm* OrientationPerimForm;
extern TPerimeterRoughnessForm2* PerimeterRoughnessForm2;
