#pragma once
// The fractal thresholding curve: fractal value of each threshold gray value.
#include "diagrams/DiagramForm.h"

class TExplorForm : public TDiagramForm {
  Q_OBJECT
 public:
  explicit TExplorForm(QWidget* owner);
  void PaintBoxPaint(Canvas& canvas);
  void BitBtnSaveClick();
};

extern TExplorForm* ExplorForm;
