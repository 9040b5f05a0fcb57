#include "urban/SelectItemValue.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TSelectItemValueForm* SelectItemValueForm = nullptr;

TSelectItemValueForm::TSelectItemValueForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Select Item Value");
  auto* layout = new QVBoxLayout(this);
  SelectValueEdit = ui::IntegerEdit(this, ItemValue);
  layout->addWidget(ui::LabeledRows(this, QString(), {{"Item Value ?", SelectValueEdit}}));
  layout->addLayout(ui::OkCancelButtons(this));
}

void TSelectItemValueForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbSelectItemValue] = 1;
}
