#include "urban/DiagDilation.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/Widgets.h"

TDiagDilationForm* DiagDilationForm = nullptr;

TDiagDilationForm::TDiagDilationForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Adaptive Closing Linking");
  CloseIsOk = true;
  auto* type = new QGroupBox(QStringLiteral(" Type of treatment "), this);
  RadioButton1 = new QRadioButton(QStringLiteral(" Selection"), type);
  RadioButton2 = new QRadioButton(QStringLiteral(" All items"), type);
  auto* typeLayout = new QVBoxLayout(type);
  typeLayout->addWidget(RadioButton1);
  typeLayout->addWidget(RadioButton2);
  connect(RadioButton1, &QRadioButton::clicked, this, &TDiagDilationForm::RadioButton1Click);
  connect(RadioButton2, &QRadioButton::clicked, this, &TDiagDilationForm::RadioButton2Click);

  SelectedItemEdit = ui::IntegerEdit(this, SelectedItem);
  GroupBox1 = ui::LabeledRows(this, QString(), {{"Selected item value ? ", SelectedItemEdit}});
  GroupBox1->hide();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(type);
  layout->addWidget(GroupBox1);
  layout->addWidget(ui::OkButton(this));
}

void TDiagDilationForm::RadioButton1Click() {
  TreatmentMode = 1;
  GroupBox1->show();
}

void TDiagDilationForm::RadioButton2Click() {
  TreatmentMode = 2;
  GroupBox1->hide();
}
