#include "graytone/LocalFract.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TLocalFractForm* LocalFractForm = nullptr;

namespace {
constexpr int kSmallWindow = 12, kLargeWindow = 24;
}

TLocalFractForm::TLocalFractForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" LOCAL FRACTAL DIMENSION");
  auto* size = new QGroupBox(QStringLiteral("Moving Window Size"), this);
  auto* sizeLayout = new QHBoxLayout(size);
  RadioButton1 = new QRadioButton(QStringLiteral("12"), size);
  RadioButton2 = new QRadioButton(QStringLiteral("24"), size);
  sizeLayout->addWidget(RadioButton1);
  sizeLayout->addWidget(RadioButton2);
  connect(RadioButton1, &QRadioButton::clicked, this, [this] { WindowSize = kSmallWindow; });
  connect(RadioButton2, &QRadioButton::clicked, this, [this] { WindowSize = kLargeWindow; });

  auto* factor = new QGroupBox(QStringLiteral("Adaptive Factor H"), this);
  auto* factorLayout = new QHBoxLayout(factor);
  HValEdit = ui::RealEdit(this, HFactor);
  factorLayout->addWidget(new QLabel(QStringLiteral("float value"), factor));
  factorLayout->addWidget(HValEdit);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(size);
  layout->addWidget(factor);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TLocalFractForm::ShowWindowSize() {
  for (QRadioButton* radio : {RadioButton1, RadioButton2}) {
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(true);
  }
  if (WindowSize == kSmallWindow) RadioButton1->setChecked(true);
  if (WindowSize == kLargeWindow) RadioButton2->setChecked(true);
}

void TLocalFractForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbLocalFract] = 1;
}
