#pragma once
// Panel 2: the binary or labeled image, and the host of the screen editor. Its read-out gives the
// value stored in the binary plane, not the colour displayed.
#include <cstdint>
#include <functional>

#include "panels/PanelForm.h"

class TTempImageForm : public TPanelForm {
  Q_OBJECT
 public:
  explicit TTempImageForm(QWidget* owner);
  // The IMAGE stays the caller's, who also sets the caption and shows the window.
  void ShowBitmap(const IMAGE& image);

  // The zoom click, then the screen editor's tools.
  void PaintBoxMouseDown(Qt::MouseButton button, int x, int y) override;

  // The screen editor's tools for a click in the panel; called with the button and the paint-box
  // position when the click is not a zoom click.
  std::function<void(Qt::MouseButton button, int x, int y)> EditorClick;

  // The value the start pixel of the line tool had before the click that set it.
  std::uint8_t LineStartValue = 0;

 protected:
  std::string Title() const override;
  std::string ToneText(int line, int column) const override;
};

extern TTempImageForm* TempImageForm;
