#include "urban/FractalExplor.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TFractalExplorForm* FractalExplorForm = nullptr;

TFractalExplorForm::TFractalExplorForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Fractal Exploration");
  std::vector<QRadioButton*> sides, scales;
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::ChoiceRadioGroup(this, QStringLiteral(" Size of the Moving Window Side "),
                                         {{"13", 13}, {"25", 25}}, WindowSide, &sides));
  layout->addWidget(ui::ChoiceRadioGroup(this, QStringLiteral(" Dynamic Scale of the Resulting Image "),
                                         {{"0.01 - 2.00", 1}, {"1.00 - 2.00", 2}}, ScaleType, &scales));
  ValueEdit = ui::IntegerEdit(this, SelectedValue);
  layout->addWidget(ui::LabeledRows(this, QStringLiteral(" Selected Value on Panel 2  "), {{"", ValueEdit}}));
  layout->addLayout(ui::OkCancelButtons(this));
  RadioButton1 = sides[0];
  RadioButton2 = sides[1];
  RadioButton3 = scales[0];
  RadioButton4 = scales[1];
}

void TFractalExplorForm::UncheckWindowSide() {
  ui::UncheckRadios({RadioButton1, RadioButton2});
}

void TFractalExplorForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbFractalExplor] = 1;
}
