#pragma once
// Panel 1: the original gray-tone image.
#include "panels/PanelForm.h"

class TImageForm : public TPanelForm {
  Q_OBJECT
 public:
  explicit TImageForm(QWidget* owner);
  // The IMAGE stays the caller's, who also sets the caption and shows the window.
  void ShowImage(const IMAGE& image);

 protected:
  std::string Title() const override;
};

extern TImageForm* ImageForm;
