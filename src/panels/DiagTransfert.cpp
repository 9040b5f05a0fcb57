#include "panels/DiagTransfert.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/Widgets.h"

TTransForm* TransForm = nullptr;

TTransForm::TTransForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Transfert");
  auto* group = new QGroupBox(QStringLiteral(" Type of Exchange "), this);
  auto* groupLayout = new QVBoxLayout(group);
  RadioButton1 = new QRadioButton(QStringLiteral("Panel 1 <===> Panel 2"), group);
  RadioButton2 = new QRadioButton(QStringLiteral("Panel 1 <===> Panel 3"), group);
  RadioButton3 = new QRadioButton(QStringLiteral("Panel 2 < ===> Panel 3"), group);
  int choice = 1;
  for (QRadioButton* radio : {RadioButton1, RadioButton2, RadioButton3}) {
    radio->setAutoExclusive(false);  // all three may be unchecked
    groupLayout->addWidget(radio);
    connect(radio, &QRadioButton::clicked, this, [this, choice] { RadioButtonClick(choice); });
    ++choice;
  }
  BitBtn1 = ui::OkButton(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(BitBtn1);
}

void TTransForm::RadioButtonClick(int choice) {
  Choice = choice;
  RadioButton1->setChecked(choice == 1);
  RadioButton2->setChecked(choice == 2);
  RadioButton3->setChecked(choice == 3);
}

void TTransForm::BitBtn1Click() {
  Finish(ui::mrOk);
}

void TTransForm::OnFinish(int) {
  // The dialog always opens with nothing checked.
  for (QRadioButton* radio : {RadioButton1, RadioButton2, RadioButton3}) radio->setChecked(false);
}
