#include "binary/ResizeBC.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Driver.h"
#include "ui/Widgets.h"

TResizeBCForm* ResizeBCForm = nullptr;

TResizeBCForm::TResizeBCForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" ITEM SELECTION");
  auto* treatment = new QGroupBox(QStringLiteral("Treatment"), this);
  auto* layout = new QVBoxLayout(treatment);

  auto* countRow = new QHBoxLayout;
  NumItemEdit = ui::ReadOnlyEdit(treatment);
  countRow->addWidget(new QLabel(QStringLiteral("Number of items "), treatment));
  countRow->addWidget(NumItemEdit);
  layout->addLayout(countRow);

  RadioButton1 = new QRadioButton(QStringLiteral("Calculation of all the items"), treatment);
  RadioButton2 = new QRadioButton(QStringLiteral("Item selection"), treatment);
  RadioButton1->setChecked(true);
  layout->addWidget(RadioButton1);
  layout->addWidget(RadioButton2);

  selectionPanel_ = new QWidget(treatment);
  auto* selectionRow = new QHBoxLayout(selectionPanel_);
  NumSelectItemEdit = ui::IntegerEdit(selectionPanel_, SelectedCount);
  selectionRow->addWidget(new QLabel(QStringLiteral("Number of selected items?"), selectionPanel_));
  selectionRow->addWidget(NumSelectItemEdit);
  layout->addWidget(selectionPanel_);
  selectionPanel_->setVisible(false);

  connect(RadioButton1, &QRadioButton::clicked, this, [this] {
    Selection = 0;
    ShowSelection(false);
  });
  connect(RadioButton2, &QRadioButton::clicked, this, [this] {
    Selection = 1;
    ShowSelection(true);
  });

  auto* main = new QVBoxLayout(this);
  main->addWidget(treatment);
  main->addLayout(ui::OkCancelButtons(this));
}

void TResizeBCForm::ShowSelection(bool shown) {
  selectionPanel_->setVisible(shown);
}

bool TResizeBCForm::Ask(int itemCount) {
  NumItemEdit->setText(QString::number(itemCount));
  for (;;) {
    ui::ShowModal(*this);
    if (MainForm->DialogCancelBytes[cbResizeBC] == 1) {
      MainForm->DialogCancelBytes[cbResizeBC] = 0;
      return false;
    }
    if (Selection != 1) return true;
    if (SelectedCount <= 0)
      ui::MessageBox("Number of selected items not defined", "ERROR");
    else if (SelectedCount > itemCount)
      ui::MessageBox("Number of selected items above the number of items", "ERROR");
    else
      return true;
  }
}

void TResizeBCForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbResizeBC] = 1;
}
