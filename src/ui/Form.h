#pragma once
// A dialog or modal window of the program. Buttons end it through Finish(), which
// both the Qt run and the scripted run call, so a form's own reaction to OK or
// Cancel (a cancel byte, a member) happens the same way under both.
#include <QDialog>
#include <string>

#include "ui/Driver.h"

namespace ui {

class Form : public QDialog {
  Q_OBJECT
 public:
  explicit Form(QWidget* parent = nullptr);

  void SetCaption(const std::string& caption);
  std::string Caption() const;

  // Ends the modal run with this result.
  void Finish(int modalResult);
  int ModalResult() const { return modalResult_; }
  // Called by the drivers before each modal run.
  void BeginRun() { modalResult_ = 0; }

  // Forms without a Cancel button run their treatment when closed.
  bool CloseIsOk = false;

 protected:
  // The form's own reaction to the end of a run (for example setting its cancel byte).
  virtual void OnFinish(int /*modalResult*/) {}
  void reject() override;

 private:
  int modalResult_ = 0;
};

}  // namespace ui
