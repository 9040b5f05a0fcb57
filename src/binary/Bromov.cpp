#include "binary/Bromov.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TBromovForm* BromovForm = nullptr;

TBromovForm::TBromovForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Brownian motion");

  auto* threshold = new QGroupBox(QStringLiteral("Threshold [Binary o Labeled Image] "), this);
  auto* thresholdLayout = new QFormLayout(threshold);
  ThrMinEdit = ui::IntegerEdit(this, MinThreshold);
  ThrMaxEdit = ui::IntegerEdit(this, MaxThreshold);
  thresholdLayout->addRow(QStringLiteral("Min"), ThrMinEdit);
  thresholdLayout->addRow(QStringLiteral("Max"), ThrMaxEdit);

  auto* parameters = new QGroupBox(QStringLiteral("Treatment Parameters"), this);
  auto* parametersLayout = new QFormLayout(parameters);
  MaxWalkEdit = ui::IntegerEdit(this, WalkCount);
  MaxStepEdit = ui::IntegerEdit(this, CrossingCount);
  MinPixEdit = ui::IntegerEdit(this, PathPixels);
  MaxCrossEdit = ui::IntegerEdit(this, CrossingTests);
  parametersLayout->addRow(QStringLiteral("Maximum number of walks"), MaxWalkEdit);
  parametersLayout->addRow(QStringLiteral("Maximum number of steps greater than 1 (crossings)"), MaxStepEdit);
  parametersLayout->addRow(QStringLiteral("Minimum number of pixels in a path"), MinPixEdit);
  parametersLayout->addRow(QStringLiteral("Maximum number of tests in a crossing"), MaxCrossEdit);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(threshold);
  layout->addWidget(parameters);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TBromovForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbBromov] = 1;
}
