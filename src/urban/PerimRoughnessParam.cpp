#include "urban/PerimRoughnessParam.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TPerimRoughnessParamForm* PerimRoughnessParamForm = nullptr;

TPerimRoughnessParamForm::TPerimRoughnessParamForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Perimeter Roughness");
  QGroupBox* source = ui::CodeRadioGroup(
      this, " Perimeter ",
      {"Perimeter formerly extracted", "Automated extraction by using a dilation treatment"}, PerimeterSource,
      &SourceRadios, [this](int code) {
        PerimeterValueBox->setVisible(code == psExtracted);
        ItemValueBox->setVisible(code == psDilation);
      });
  SelectPerimeterValueEdit = ui::IntegerEdit(this, PerimeterValue);
  PerimeterValueBox =
      ui::LabeledRows(this, " Gray tone Value of the perimeter ", {{"Select", SelectPerimeterValueEdit}});
  SelectItemValueEdit = ui::IntegerEdit(this, ItemValue);
  ItemValueBox = ui::LabeledRows(this, " Gray tone Value of the item ", {{"Select", SelectItemValueEdit}});
  PerimeterValueBox->setVisible(false);
  ItemValueBox->setVisible(false);
  QGroupBox* center =
      ui::CodeRadioGroup(this, " Center ", {"Gravity Center", "Center defined by the user"}, CenterType,
                         &CenterRadios, [this](int code) { CoordinatesBox->setVisible(code == ctUser); });
  LineEdit = ui::IntegerEdit(this, CenterLine);
  ColumnEdit = ui::IntegerEdit(this, CenterColumn);
  CoordinatesBox = ui::LabeledRows(this, " Coordinates ", {{"Line", LineEdit}, {"Column ", ColumnEdit}});
  CoordinatesBox->setVisible(false);

  auto* layout = new QVBoxLayout(this);
  for (QGroupBox* group : {source, PerimeterValueBox, ItemValueBox, center, CoordinatesBox})
    layout->addWidget(group);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TPerimRoughnessParamForm::ResetMembers() {
  PerimeterSource = PerimeterValue = ItemValue = CenterType = CenterLine = CenterColumn = 0;
}

void TPerimRoughnessParamForm::CheckChosen() {
  ui::CheckCode(SourceRadios, PerimeterSource);
}

void TPerimRoughnessParamForm::ClearEntries() {
  ui::CheckCode(SourceRadios, psNone);
  ui::CheckCode(CenterRadios, ctNone);
  for (QLineEdit* edit : {SelectItemValueEdit, SelectPerimeterValueEdit, LineEdit, ColumnEdit}) edit->clear();
}

void TPerimRoughnessParamForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) {
    MainForm->DialogCancelBytes[cbPerimRoughnessParam] = 1;
    return;
  }
  PerimeterValueBox->setVisible(false);
  ItemValueBox->setVisible(false);
}
