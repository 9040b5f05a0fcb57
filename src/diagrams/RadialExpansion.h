#pragma once
// The radial or crown expansion curves: fractal dimension and density per radius.
#include "diagrams/DiagramForm.h"

inline constexpr const char* kExpansionReportText =
    "\n\n\tCorresponding .xls File registered\n\tin the file %s ";

class TRadialExpansionForm : public TDiagramForm {
  Q_OBJECT
 public:
  explicit TRadialExpansionForm(QWidget* owner);
  // Draws one of the two paint boxes: 0 the dimension curve, 1 the density curve.
  void PaintBoxPaint(Canvas& canvas, int box);
  void BitBtn1Click();
};

extern TRadialExpansionForm* RadialExpansionForm;
