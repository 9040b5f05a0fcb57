#include "graytone/MorletForm.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/Widgets.h"

TMorletForm* MorletForm = nullptr;

TMorletForm::TMorletForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Wavelet Parameters");
  CloseIsOk = true;
  auto* parameters = new QGroupBox(QStringLiteral("Parameters"), this);
  auto* fields = new QFormLayout(parameters);
  SigmaEdit = ui::RealEdit(this, Sigma);
  HWSEdit = ui::IntegerEdit(this, HalfWindowSize);
  fields->addRow(QStringLiteral("Sigma Value (real)"), SigmaEdit);
  fields->addRow(QStringLiteral("Half Window Size"), HWSEdit);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(parameters);
  layout->addWidget(ui::RadioGroup(this, QStringLiteral("Data In"),
                                   {"Original Image", "Binary Image", "Parametric Image"}, DataIn,
                                   &DataInButtons));
  layout->addWidget(ui::OkButton(this));
}

void TMorletForm::ShowDataIn() {
  if (DataIn >= 0 && DataIn < static_cast<int>(DataInButtons.size())) DataInButtons[DataIn]->setChecked(true);
}
