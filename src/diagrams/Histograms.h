#pragma once
// The histogram tools: a small choice window, then the histogram of the whole image
// (less the frame of the last moving-window result) or of the pixels inside one
// panel-2 value. These windows count the pixels themselves each time they are shown.
#include "diagrams/DiagramForm.h"
#include "diagrams/kernels/GrayHistogram.h"

class QLineEdit;
class QRadioButton;

// Draws the 256 bars of a histogram on a 256 x height paint box.
void DrawHistogram(Canvas& canvas, const GrayCounts& counts, int height);

class THistoGrisForm : public TDiagramForm {
  Q_OBJECT
 public:
  explicit THistoGrisForm(QWidget* owner);
  // Counts panel 1 or panel 3 (by the choice window's Source), leaving out the ResultBorder frame.
  void ComputeCounts();
  void PaintBoxPaint(Canvas& canvas);
  void BitBtnSaveClick();

  GrayCounts Counts{};
};

class TDiagHistoForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TDiagHistoForm(QWidget* owner);
  void RadioButton1Click();
  void RadioButton2Click();
  void BitBtn1Click() { Finish(ui::mrOk); }

  int Source = 0;  // 0 panel 1, 1 panel 3

 private:
  QRadioButton* radioButton1_;
  QRadioButton* radioButton2_;
};

class TLocalHistoGrisForm : public TDiagramForm {
  Q_OBJECT
 public:
  explicit TLocalHistoGrisForm(QWidget* owner);
  // Counts the pixels of panel 1 or panel 3 whose panel-2 value is the chosen one.
  void ComputeCounts();
  void PaintBoxPaint(Canvas& canvas);
  void BitBtn2Click();

  GrayCounts Counts{};
};

class TDiagLocalHistoForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TDiagLocalHistoForm(QWidget* owner);
  void RadioButton1Click();
  void RadioButton2Click();
  void GrayToneMaskEditChange(const std::string& text);
  void BitBtn1Click() { Finish(ui::mrOk); }

  int Source = 0;  // 0 panel 1, 1 panel 3
  int MaskValue = 0;
  QLineEdit* GrayToneMaskEdit = nullptr;

 private:
  QRadioButton* radioButton1_;
  QRadioButton* radioButton2_;
};

extern THistoGrisForm* HistoGrisForm;
extern TDiagHistoForm* DiagHistoForm;
extern TLocalHistoGrisForm* LocalHistoGrisForm;
extern TDiagLocalHistoForm* DiagLocalHistoForm;
