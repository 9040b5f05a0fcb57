#include "binary/ProgBoxCount.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TProgBoxCountForm* ProgBoxCountForm = nullptr;

namespace {

constexpr int kItemValue = 1;
constexpr int kBackgroundValue = 255;

}  // namespace

TProgBoxCountForm::TProgBoxCountForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Progressive Box Counting");
  MainForm->FirstBoxOrder = 1;
  MainForm->ProgressiveStep = 1.0;

  auto* dataIn = new QGroupBox(QStringLiteral(" Data in : Binary Image"), this);
  auto* dataLayout = new QVBoxLayout(dataIn);
  RadioButton1 = new QRadioButton(QStringLiteral("Item (value 1)"), dataIn);
  RadioButton2 = new QRadioButton(QStringLiteral("Background (value 255)"), dataIn);
  RadioButton1->setChecked(true);
  dataLayout->addWidget(RadioButton1);
  dataLayout->addWidget(RadioButton2);
  connect(RadioButton1, &QRadioButton::clicked, this, [this] { ItemValue = kItemValue; });
  connect(RadioButton2, &QRadioButton::clicked, this, [this] { ItemValue = kBackgroundValue; });

  auto* parameters = new QGroupBox(QStringLiteral(" Parameters "), this);
  auto* grid = new QGridLayout(parameters);
  FBOEdit = ui::IntegerEdit(parameters, MainForm->FirstBoxOrder);
  StepEdit = ui::RealEdit(parameters, MainForm->ProgressiveStep);
  grid->addWidget(new QLabel(QStringLiteral("First Box Order"), parameters), 0, 0);
  grid->addWidget(FBOEdit, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Step interval (real)"), parameters), 1, 0);
  grid->addWidget(StepEdit, 1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dataIn);
  layout->addWidget(parameters);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TProgBoxCountForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbProgBoxCount] = 1;
}
