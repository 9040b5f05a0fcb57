#pragma once
// " Partial Gray Tones Sequence": the gray-tone sequence drawn as a curve, saved as one integer a line.
#include "diagrams/DiagramForm.h"

inline constexpr const char* kGtsReportText = "\n\tGray Tone Sequence [GTS] registered\n\tin the file %s ";

class TFirmagramForm : public TDiagramForm {
  Q_OBJECT
 public:
  explicit TFirmagramForm(QWidget* owner);
  void PaintBoxPaint(Canvas& canvas);
  void BitBtnSaveClick();
};

extern TFirmagramForm* FirmagramForm;
