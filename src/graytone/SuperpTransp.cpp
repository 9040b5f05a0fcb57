#include "graytone/SuperpTransp.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/Widgets.h"

TSuperpTranspForm* SuperpTranspForm = nullptr;

TSuperpTranspForm::TSuperpTranspForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Transparent Superposition ");
  CloseIsOk = true;

  auto* slice = new QGroupBox(QStringLiteral(" Lower Slice Selection "), this);
  RadioButton1 = new QRadioButton(QStringLiteral("Original Image [Panel 1]"), slice);
  RadioButton2 = new QRadioButton(QStringLiteral("Parametric Image [Panel 3]"), slice);
  auto* sliceLayout = new QVBoxLayout(slice);
  sliceLayout->addWidget(RadioButton1);
  sliceLayout->addWidget(RadioButton2);

  auto* item = new QGroupBox(QStringLiteral(" Superposed Item "), this);
  GrayToneEdit = ui::IntegerEdit(this, GrayTone);
  OpacityEdit = ui::IntegerEdit(this, Opacity);
  auto* itemLayout = new QGridLayout(item);
  itemLayout->addWidget(new QLabel(QStringLiteral("Gray Tone Value ? "), item), 0, 0);
  itemLayout->addWidget(GrayToneEdit, 0, 1);
  itemLayout->addWidget(new QLabel(QStringLiteral("Opacity (0 to 100) ?"), item), 1, 0);
  itemLayout->addWidget(OpacityEdit, 1, 1);

  auto* type = new QGroupBox(QStringLiteral(" Type of Treatment "), this);
  RadioButton3 = new QRadioButton(QStringLiteral("Global"), type);
  RadioButton4 = new QRadioButton(QStringLiteral("Local "), type);
  auto* typeLayout = new QVBoxLayout(type);
  typeLayout->addWidget(RadioButton3);
  typeLayout->addWidget(RadioButton4);

  connect(RadioButton1, &QRadioButton::clicked, this, &TSuperpTranspForm::RadioButton1Click);
  connect(RadioButton2, &QRadioButton::clicked, this, &TSuperpTranspForm::RadioButton2Click);
  connect(RadioButton3, &QRadioButton::clicked, this, &TSuperpTranspForm::RadioButton3Click);
  connect(RadioButton4, &QRadioButton::clicked, this, &TSuperpTranspForm::RadioButton4Click);

  auto* layout = new QVBoxLayout(this);
  for (const char* text :
       {"This procedures allows superposing  ", "a binary or labeled  item located in panel 2 ",
        "over an original or parametric image.", "according to a given Opacity coefficient"})
    layout->addWidget(new QLabel(QString::fromUtf8(text), this));
  layout->addWidget(slice);
  layout->addWidget(item);
  layout->addWidget(type);
  layout->addWidget(ui::OkButton(this));
}

void TSuperpTranspForm::RadioButton1Click() {
  LowerSlice = 1;
  CheckLowerSlice();
}

void TSuperpTranspForm::RadioButton2Click() {
  LowerSlice = 2;
  CheckLowerSlice();
}

void TSuperpTranspForm::RadioButton3Click() {
  TreatmentType = 1;
  RadioButton3->setChecked(true);
}

void TSuperpTranspForm::RadioButton4Click() {
  TreatmentType = 2;
  RadioButton4->setChecked(true);
}

void TSuperpTranspForm::CheckLowerSlice() {
  if (LowerSlice == 1) RadioButton1->setChecked(true);
  if (LowerSlice == 2) RadioButton2->setChecked(true);
}
