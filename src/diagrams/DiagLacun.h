#pragma once
// The two lacunarity diagrams: lacunarity against window size, and their logarithms.
#include "diagrams/DiagramForm.h"

class TDiagLacunForm : public TDiagramForm {
  Q_OBJECT
 public:
  explicit TDiagLacunForm(QWidget* owner);
  // Draws one of the two paint boxes: 0 `PaintBox`, 1 `PaintBox1`.
  void PaintBoxPaint(Canvas& canvas, int box);
  void BitBtnSaveClick();
};

extern TDiagLacunForm* DiagLacunForm;
