#include "panels/ImageWindow.h"

#include "app/MainWindow.h"

TImageForm* ImageForm = nullptr;

TImageForm::TImageForm(QWidget* owner) : TPanelForm(owner) {}

void TImageForm::ShowImage(const IMAGE& image) {
  ShowPicture(image);
}

std::string TImageForm::Title() const {
  return MainForm ? MainForm->ImageTitle : std::string();
}
