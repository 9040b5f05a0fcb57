#include "urban/HomogeneityForm.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

THomogeneityForm* HomogeneityForm = nullptr;

THomogeneityForm::THomogeneityForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Homogeneity");
  auto* layout = new QVBoxLayout(this);
  std::vector<QRadioButton*> sources, kinds;
  auto* selection = ui::ChoiceRadioGroup(this, QStringLiteral(" Item Selection"),
                                         {{"from Panel 1", 1}, {"from Panel 2", 2}}, Source, &sources);
  MinEdit = ui::IntegerEdit(this, MinValue);
  MaxEdit = ui::IntegerEdit(this, MaxValue);
  selection->layout()->addWidget(ui::LabeledRows(selection, QString(), {{"Min", MinEdit}, {"Max", MaxEdit}}));
  layout->addWidget(selection);
  RangeEdit = ui::IntegerEdit(this, Range);
  layout->addWidget(
      ui::LabeledRows(this, QStringLiteral(" Moving Window "),
                      {{"Range", RangeEdit}, {"Nota : Window Side = (Range * 2) +1", nullptr}}));
  layout->addWidget(ui::ChoiceRadioGroup(this, QStringLiteral("Type of Treatment "),
                                         {{"Centered", 1}, {"No centered", 0}}, Centered, &kinds));
  layout->addLayout(ui::OkCancelButtons(this));
  RadioButton1 = sources[0];
  RadioButton2 = sources[1];
  RadioButton3 = kinds[0];
  RadioButton4 = kinds[1];
  ui::UncheckRadios({RadioButton1, RadioButton2, RadioButton3, RadioButton4});
}

void THomogeneityForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbHomogeneity] = 1;
}
