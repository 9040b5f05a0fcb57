#include "graytone/Superp.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/Widgets.h"

TSuperpForm* SuperpForm = nullptr;

TSuperpForm::TSuperpForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Superposition");
  CloseIsOk = true;

  auto* slice = new QGroupBox(QStringLiteral(" Lower Slice Selection "), this);
  RadioButton1 = new QRadioButton(QStringLiteral("Original Image (Panel 1)"), slice);
  RadioButton3 = new QRadioButton(QStringLiteral("Parametric Image (Panel 3 )"), slice);
  auto* sliceLayout = new QVBoxLayout(slice);
  sliceLayout->addWidget(RadioButton1);
  sliceLayout->addWidget(RadioButton3);
  connect(RadioButton1, &QRadioButton::clicked, this, &TSuperpForm::RadioButton1Click);
  connect(RadioButton3, &QRadioButton::clicked, this, &TSuperpForm::RadioButton3Click);

  auto* item = new QGroupBox(QStringLiteral(" Value of the studied item to superpose "), this);
  GrayToneEdit = ui::IntegerEdit(this, GrayTone);
  auto* itemLayout = new QHBoxLayout(item);
  itemLayout->addWidget(new QLabel(QStringLiteral("Gray tone value ? "), item));
  itemLayout->addWidget(GrayToneEdit);

  auto* layout = new QVBoxLayout(this);
  for (const char* text :
       {"This procedures allows superposing  ", "a binary or labeled  item located in panel 2 ",
        "over the original or parametric image."})
    layout->addWidget(new QLabel(QString::fromUtf8(text), this));
  layout->addWidget(slice);
  layout->addWidget(item);
  layout->addWidget(ui::OkButton(this));
}

void TSuperpForm::RadioButton1Click() {
  LowerSlice = 1;
  CheckLowerSlice();
}

void TSuperpForm::RadioButton3Click() {
  LowerSlice = 2;
  CheckLowerSlice();
}

void TSuperpForm::CheckLowerSlice() {
  if (LowerSlice == 1) RadioButton1->setChecked(true);
  if (LowerSlice == 2) RadioButton3->setChecked(true);
}
