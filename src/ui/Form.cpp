#include "ui/Form.h"

#include "ui/Driver.h"

namespace ui {

Form::Form(QWidget* parent) : QDialog(parent) {}

void Form::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

std::string Form::Caption() const {
  return windowTitle().toStdString();
}

void Form::Finish(int modalResult) {
  modalResult_ = modalResult;
  OnFinish(modalResult);
  if (isVisible()) done(modalResult);
}

void Form::reject() {
  Finish(CloseIsOk ? mrOk : mrCancel);
}

}  // namespace ui
