#include "graytone/FractalExplorationForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Driver.h"
#include "ui/Widgets.h"

TFractalExplorationForm* FractalExplorationForm = nullptr;

TFractalExplorationForm::TFractalExplorationForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Fractal Thresholding");
  CloseIsOk = true;
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      ui::RadioGroup(this, QStringLiteral("Data in"), {"Original image", "Parametric image"}, DataIn));
  layout->addWidget(ui::RadioGroup(this, QStringLiteral("Treatment"),
                                   {"Scanning from the origin", "Jumping", "Scanning until the last value"},
                                   Treatment));
  // A step of 1 is only warned about here; the treatment refuses it.
  StepEdit = ui::IntegerEdit(this, Step, [](int step) {
    if (step == 1) ui::MessageBox("Step value lower than 2", "INCORRECT VALUE");
  });
  StepEdit->setText(QStringLiteral("2"));
  auto* step = new QHBoxLayout;
  step->addWidget(new QLabel(QStringLiteral("Step"), this));
  step->addWidget(StepEdit);
  layout->addLayout(step);
  layout->addWidget(ui::OkButton(this));
}
