#include "panels/ResultImage.h"

#include "app/MainWindow.h"

TResultImageForm* ResultImageForm = nullptr;

TResultImageForm::TResultImageForm(QWidget* owner) : TPanelForm(owner) {}

void TResultImageForm::ShowImage(const IMAGE& image) {
  ShowPicture(image);
}

std::string TResultImageForm::Title() const {
  return " 3.- " + (MainForm ? MainForm->PanelCaption : std::string());
}
