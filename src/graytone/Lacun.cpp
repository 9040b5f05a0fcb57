#include "graytone/Lacun.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TLacunForm* LacunForm = nullptr;

TLacunForm::TLacunForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" LACUNARITY");
  auto* parameters = new QGroupBox(QStringLiteral("Parameters"), this);
  auto* grid = new QGridLayout(parameters);
  KMinEdit = ui::IntegerEdit(this, KMin);
  KMaxEdit = ui::IntegerEdit(this, KMax);
  grid->addWidget(new QLabel(QStringLiteral("Min K ?"), parameters), 0, 0);
  grid->addWidget(KMinEdit, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Max K ?"), parameters), 1, 0);
  grid->addWidget(KMaxEdit, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Window Size:"), parameters), 2, 0);
  grid->addWidget(new QLabel(QStringLiteral("W = (K *  2) +1"), parameters), 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Nota: for K=0, the window size=1"), parameters), 3, 0, 1, 2);

  auto* dataIn = new QGroupBox(QStringLiteral("Data In"), this);
  auto* dataLayout = new QVBoxLayout(dataIn);
  RadioButton1 = new QRadioButton(QStringLiteral("Binarized Image"), dataIn);
  RadioButton2 = new QRadioButton(QStringLiteral("Gray Tone Image"), dataIn);
  dataLayout->addWidget(RadioButton1);
  dataLayout->addWidget(RadioButton2);
  connect(RadioButton1, &QRadioButton::clicked, this, [this] { RadioButton1Click(); });
  connect(RadioButton2, &QRadioButton::clicked, this, [this] { RadioButton2Click(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(parameters);
  layout->addWidget(dataIn);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TLacunForm::RadioButton1Click() {
  if (MainForm->HasBinaryImage == 1 && MainForm->HasLabeledImage == 0) {
    DataIn = 0;
  } else {
    ui::MessageBox("Data in does not correspond to a binary image", "ERROR");
  }
  ShowDataIn();
}

void TLacunForm::RadioButton2Click() {
  DataIn = 1;
  ShowDataIn();
}

void TLacunForm::ShowDataIn() {
  for (QRadioButton* radio : {RadioButton1, RadioButton2}) {
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(true);
  }
  if (DataIn == 0) RadioButton1->setChecked(true);
  if (DataIn == 1) RadioButton2->setChecked(true);
}

void TLacunForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) {
    MainForm->DialogCancelBytes[cbLacun] = 1;
    return;
  }
  const int half = std::min(MainForm->ImageLines, MainForm->ImageColumns) / 2;
  if (KMax > half) ui::MessageBox("KMax is greater than " + std::to_string(half) + " ", "ERROR");
  if (KMax < KMin) ui::MessageBox("KMax is smaller than KMin", "ERROR");
}
