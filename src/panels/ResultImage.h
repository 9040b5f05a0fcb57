#pragma once
// Panel 3: the result image of a treatment.
#include "panels/PanelForm.h"

class TResultImageForm : public TPanelForm {
  Q_OBJECT
 public:
  explicit TResultImageForm(QWidget* owner);
  // The IMAGE stays the caller's, who also sets the caption and shows the window.
  void ShowImage(const IMAGE& image);

 protected:
  std::string Title() const override;
};

extern TResultImageForm* ResultImageForm;
