#pragma once
// " Thresholding": the colour thresholding tool. It paints successive gray segments of panel 1 or
// panel 3 in colours of the person's choice, live in that panel while the scroll bar moves; the
// coloured picture is the main window's colour image, which the panel saves then write.
#include <memory>

#include "imaging/Image.h"
#include "ui/Form.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

class TThresholdForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TThresholdForm(QWidget* owner);
  ~TThresholdForm() override;

  void RadioButton1Click();  // data in: original image
  void RadioButton2Click();  // data in: parameter image
  void Button1Click();       // colour choice
  // The painting step for the scroll bar's position (and for any higher position the bar passed
  // since the last step, so that skipping positions while dragging loses no colour).
  void ScrollBar1Change();
  // Moves the scroll bar and runs the painting step at once, as a drag ending there would.
  void MoveScrollBar(int position);
  void Button2Click();  // next segment
  void BitBtn1Click();  // exit

  int SegmentMin = 0;
  int SegmentMax = 0;
  int DataIn = 1;  // 1 panel 1, 2 panel 3
  int SegmentNumber = 1;
  Rgb SegmentColour;  // black until a colour is chosen
  int PlanesReady = 0;
  std::uint32_t ColorDialog1Colour = 0;  // the colour dialog's colour, 0x00BBGGRR

  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QPushButton* Button1;
  QLineEdit* SegmentEdit;
  QScrollBar* ScrollBar1;
  QLineEdit* MinEdit;
  QLineEdit* MaxEdit;
  QPushButton* Button2;
  QPushButton* BitBtn1;

 private:
  // Makes the tool's colour planes from the chosen panel unless they already stand for it.
  bool EnsurePlanes();
  void ShowColourImage();
  // A bar move not painted yet is painted before anything else happens.
  void FlushPendingStep();
  void ScheduleStep(int position);

  std::unique_ptr<IMAGE> display_;
  bool stepPending_ = false;
  int highestPassed_ = -1;
};

extern TThresholdForm* ThresholdForm;
