#include "binary/Binar.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TBinarForm* BinarForm = nullptr;

TBinarForm::TBinarForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Binarization");

  auto* item = new QGroupBox(QStringLiteral("Item"), this);
  auto* itemLayout = new QGridLayout(item);
  MinBinEdit = ui::IntegerEdit(this, MinValue);
  MaxBinEdit = ui::IntegerEdit(this, MaxValue);
  itemLayout->addWidget(new QLabel(QStringLiteral("Min (included)"), item), 0, 0);
  itemLayout->addWidget(MinBinEdit, 0, 1);
  itemLayout->addWidget(new QLabel(QStringLiteral("Max (included)"), item), 1, 0);
  itemLayout->addWidget(MaxBinEdit, 1, 1);

  auto* dataIn = new QGroupBox(QStringLiteral("Data_in"), this);
  auto* dataLayout = new QVBoxLayout(dataIn);
  RadioButton1 = new QRadioButton(QStringLiteral("Original Image"), dataIn);
  RadioButton2 = new QRadioButton(QStringLiteral("Parametric Image"), dataIn);
  RadioButton5 = new QRadioButton(QStringLiteral("Labeled Image"), dataIn);
  RadioButton1->setChecked(true);
  int code = 0;
  for (QRadioButton* radio : {RadioButton1, RadioButton2, RadioButton5}) {
    dataLayout->addWidget(radio);
    connect(radio, &QRadioButton::clicked, this, [this, code] { DataIn = code; });
    ++code;
  }

  auto* isolated = new QGroupBox(QStringLiteral("Elimination of isolated pixels"), this);
  auto* isolatedLayout = new QHBoxLayout(isolated);
  RadioButton3 = new QRadioButton(QStringLiteral("yes"), isolated);
  RadioButton4 = new QRadioButton(QStringLiteral("no"), isolated);
  RadioButton3->setChecked(true);
  isolatedLayout->addWidget(RadioButton3);
  isolatedLayout->addWidget(RadioButton4);
  connect(RadioButton3, &QRadioButton::clicked, this, [this] { KeepIsolated = 0; });
  connect(RadioButton4, &QRadioButton::clicked, this, [this] { KeepIsolated = 1; });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(item);
  layout->addWidget(dataIn);
  layout->addWidget(isolated);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TBinarForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbBinar] = 1;
}
