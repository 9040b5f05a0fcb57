#include "graytone/GTNumber.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"

TGTNumberForm* GTNumberForm = nullptr;

TGTNumberForm::TGTNumberForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Gray Tones");
  auto* treated = new QGroupBox(QStringLiteral("Treated Image"), this);
  RadioButton1 = new QRadioButton(QStringLiteral("Original image"), treated);
  RadioButton2 = new QRadioButton(QStringLiteral("Binary or labelled image"), treated);
  RadioButton3 = new QRadioButton(QStringLiteral("Resulting image"), treated);
  auto* treatedLayout = new QVBoxLayout(treated);
  for (QRadioButton* radio : {RadioButton1, RadioButton2, RadioButton3}) treatedLayout->addWidget(radio);
  connect(RadioButton1, &QRadioButton::clicked, this, &TGTNumberForm::RadioButton1Click);
  connect(RadioButton2, &QRadioButton::clicked, this, &TGTNumberForm::RadioButton2Click);
  connect(RadioButton3, &QRadioButton::clicked, this, &TGTNumberForm::RadioButton3Click);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &TGTNumberForm::BitBtn1Click);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(treated);
  layout->addWidget(ok);

  RadioButton3->setChecked(true);
  TreatedImage = 2;
}

void TGTNumberForm::CheckTreatedImage() {
  (TreatedImage == 0 ? RadioButton1 : TreatedImage == 1 ? RadioButton2 : RadioButton3)->setChecked(true);
}

void TGTNumberForm::RadioButton1Click() {
  TreatedImage = 0;
  CheckTreatedImage();
}

void TGTNumberForm::RadioButton2Click() {
  if (MainForm->HasLabeledImage == 1 || MainForm->HasBinaryImage == 1) {
    TreatedImage = 1;
    CheckTreatedImage();
    return;
  }
  ui::MessageBox("Labelled Image needed", "ERROR");
  CheckTreatedImage();
}

void TGTNumberForm::RadioButton3Click() {
  TreatedImage = 2;
  CheckTreatedImage();
}

void TGTNumberForm::BitBtn1Click() {
  TreatedImage = RadioButton1->isChecked() ? 0 : RadioButton2->isChecked() ? 1 : 2;
  Finish(ui::mrOk);
}
