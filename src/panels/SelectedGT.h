#pragma once
// "Selected Value": the value the screen editor's tools write, and its colour, chosen in a colour
// dialog when OK is pressed.
#include <cstdint>

#include "ui/Form.h"

class QLineEdit;

class TSelectedValueForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TSelectedValueForm(QWidget* owner);

  int SelectedValue = 0;  // 0 until typed
  int Red = 0, Green = 0, Blue = 0;

  QLineEdit* SelectedValueEdit;

  // The tools write one byte that must not be the background: 0 .. 254.
  bool ValueAccepted() const;
  // Back to the start: no value typed, the colour dialog and the colour black.
  void Clear();

 protected:
  // OK (BitBtn1): with an accepted value, the colour dialog gives the colour (its current colour when
  // it is cancelled) and the Filling Tool becomes available.
  void OnFinish(int modalResult) override;

 private:
  std::uint32_t dialogColour_ = 0;  // 0x00BBGGRR
};

extern TSelectedValueForm* SelectedValueForm;
