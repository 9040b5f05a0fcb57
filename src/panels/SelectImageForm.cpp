#include "panels/SelectImageForm.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"

TSelectImageForm* SelectImageForm = nullptr;

TSelectImageForm::TSelectImageForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Selection");
  if (MainForm) MainForm->ComplementaryRequested = 0;
  auto* group = new QGroupBox(QStringLiteral(" Image Type"), this);
  BinaryButton = new QRadioButton(QStringLiteral(" Binary Image"), group);
  LabeledButton = new QRadioButton(QStringLiteral(" Labeled Image"), group);
  auto* choices = new QVBoxLayout(group);
  choices->addWidget(BinaryButton);
  choices->addWidget(LabeledButton);
  auto* note = new QLabel(
      QStringLiteral(" * Note : the opening of a  complementary\n image requires the related original image"),
      this);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(note);
  layout->addWidget(ok);
  connect(BinaryButton, &QRadioButton::clicked, this, [this] { LabeledImage = 0; });
  connect(LabeledButton, &QRadioButton::clicked, this, [this] { LabeledImage = 1; });
  connect(ok, &QPushButton::clicked, this, &TSelectImageForm::OkClick);
}

void TSelectImageForm::OkClick() {
  Finish(ui::mrOk);
}

void TSelectImageForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrOk && MainForm) MainForm->ComplementaryRequested = 1;
}
