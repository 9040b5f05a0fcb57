#include "graytone/CubicGeneForm.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TCubicGeneForm* CubicGeneForm = nullptr;

TCubicGeneForm::TCubicGeneForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Cubic Density");
  auto* parameters = new QGroupBox(QStringLiteral("Parameters"), this);
  auto* fields = new QFormLayout(parameters);
  HWSEdit = ui::IntegerEdit(this, HalfWindowSize);
  JumpEdit = ui::IntegerEdit(this, RadiometricJump);
  fields->addRow(QStringLiteral("Half Window Size"), HWSEdit);
  fields->addRow(QStringLiteral("Radiometric Jump"), JumpEdit);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(parameters);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TCubicGeneForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbCubicGene] = 1;
}
