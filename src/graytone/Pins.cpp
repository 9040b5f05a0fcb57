#include "graytone/Pins.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/Widgets.h"

TPinsForm* PinsForm = nullptr;

namespace {

// A panel holding one captioned percentage edit per row.
QWidget* PercentagePanel(QWidget* parent, std::initializer_list<std::pair<const char*, QLineEdit*>> rows) {
  auto* panel = new QWidget(parent);
  auto* layout = new QGridLayout(panel);
  int row = 0;
  for (auto [caption, edit] : rows) {
    layout->addWidget(new QLabel(QString::fromUtf8(caption), panel), row, 0);
    layout->addWidget(edit, row, 1);
    ++row;
  }
  return panel;
}

}  // namespace

TPinsForm::TPinsForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" PINS");
  CloseIsOk = true;

  auto* environment = new QGroupBox(QStringLiteral("Environment"), this);
  RadioButton1 = new QRadioButton(QStringLiteral("4 vicinity"), environment);
  RadioButton2 = new QRadioButton(QStringLiteral("8 vicinity"), environment);
  auto* environmentLayout = new QVBoxLayout(environment);
  environmentLayout->addWidget(RadioButton1);
  environmentLayout->addWidget(RadioButton2);

  auto* saturation = new QGroupBox(QStringLiteral("Saturation"), this);
  RadioButton3 = new QRadioButton(QStringLiteral("without any treatment"), saturation);
  RadioButton4 = new QRadioButton(QStringLiteral("Symetric Treatment"), saturation);
  RadioButton5 = new QRadioButton(QStringLiteral("Assymetric treatment"), saturation);
  GlobPercEdit = ui::RealEdit(this, GlobPerc);
  LeftPercEdit = ui::RealEdit(this, LeftPerc);
  RigthPercEdit = ui::RealEdit(this, RigthPerc);
  SymPanel = PercentagePanel(saturation, {{"Global Percentage", GlobPercEdit}});
  AsymPanel =
      PercentagePanel(saturation, {{"Left Percentage", LeftPercEdit}, {"Rigth Percentage", RigthPercEdit}});
  auto* saturationLayout = new QVBoxLayout(saturation);
  for (QWidget* widget : {static_cast<QWidget*>(RadioButton3), static_cast<QWidget*>(RadioButton4),
                          static_cast<QWidget*>(RadioButton5), SymPanel, AsymPanel})
    saturationLayout->addWidget(widget);

  auto* image = new QGroupBox(QStringLiteral("Image"), this);
  RadioButton6 = new QRadioButton(QStringLiteral("Original Image"), image);
  RadioButton7 = new QRadioButton(QStringLiteral("Parametric Image"), image);
  auto* imageLayout = new QVBoxLayout(image);
  imageLayout->addWidget(RadioButton6);
  imageLayout->addWidget(RadioButton7);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(environment);
  layout->addWidget(saturation);
  layout->addWidget(image);
  layout->addWidget(ui::OkButton(this));

  const std::pair<QRadioButton*, void (TPinsForm::*)()> clicks[] = {
      {RadioButton1, &TPinsForm::RadioButton1Click}, {RadioButton2, &TPinsForm::RadioButton2Click},
      {RadioButton3, &TPinsForm::RadioButton3Click}, {RadioButton4, &TPinsForm::RadioButton4Click},
      {RadioButton5, &TPinsForm::RadioButton5Click}, {RadioButton6, &TPinsForm::RadioButton6Click},
      {RadioButton7, &TPinsForm::RadioButton7Click}};
  for (auto [radio, click] : clicks) connect(radio, &QRadioButton::clicked, this, click);

  SymPanel->hide();
  AsymPanel->hide();
  RadioButton3->setChecked(true);
  Saturation = 0;
}

void TPinsForm::RadioButton1Click() {
  Vicinity = 4;
  RadioButton1->setChecked(true);
}

void TPinsForm::RadioButton2Click() {
  Vicinity = 8;
  RadioButton2->setChecked(true);
}

void TPinsForm::RadioButton3Click() {
  Saturation = 0;
  RadioButton3->setChecked(true);
  SymPanel->hide();
  AsymPanel->hide();
}

void TPinsForm::RadioButton4Click() {
  Saturation = 1;
  RadioButton4->setChecked(true);
  SymPanel->show();
  AsymPanel->hide();
}

void TPinsForm::RadioButton5Click() {
  Saturation = 2;
  RadioButton5->setChecked(true);
  AsymPanel->show();
  SymPanel->hide();
}

void TPinsForm::RadioButton6Click() {
  ImageChoice = 0;
  RadioButton6->setChecked(true);
}

void TPinsForm::RadioButton7Click() {
  ImageChoice = 1;
  RadioButton7->setChecked(true);
}

void TPinsForm::BitBtn1Click() {
  Finish(ui::mrOk);
}

void TPinsForm::OnFinish(int) {
  SymPanel->hide();
  AsymPanel->hide();
}
