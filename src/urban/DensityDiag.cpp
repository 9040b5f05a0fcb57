#include "urban/DensityDiag.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TDensityDiagForm* DensityDiagForm = nullptr;

TDensityDiagForm::TDensityDiagForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Density Treatment");
  auto* layout = new QVBoxLayout(this);
  GrayToneEdit = ui::IntegerEdit(this, ItemValue);
  layout->addWidget(ui::LabeledRows(this, QStringLiteral("Studied Item located in Panel 2 "),
                                    {{"Gray Tone Value ?", GrayToneEdit}}));
  std::vector<QRadioButton*> origins;
  layout->addWidget(ui::ChoiceRadioGroup(this, QStringLiteral(" Data Origin "),
                                         {{"from Panel 1", 1}, {"from Panel 3", 3}}, DataOrigin, &origins));
  MinEdit = ui::IntegerEdit(this, MinValue);
  MaxEdit = ui::IntegerEdit(this, MaxValue);
  layout->addWidget(
      ui::LabeledRows(this, QStringLiteral(" Element Thresholding "), {{"Min", MinEdit}, {"Max", MaxEdit}}));
  PixelSizeEdit = ui::RealEdit(this, PixelSize);
  layout->addWidget(ui::LabeledRows(this, QStringLiteral(" Pixel Size "),
                                    {{"in meters (decimal value) ?", PixelSizeEdit}}));
  layout->addLayout(ui::OkCancelButtons(this));
  RadioButton1 = origins[0];
  RadioButton2 = origins[1];
}

void TDensityDiagForm::CheckDataOrigin() {
  if (DataOrigin == 1) RadioButton1->setChecked(true);
  if (DataOrigin == 3) RadioButton2->setChecked(true);
}

void TDensityDiagForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) {
    MainForm->DialogCancelBytes[cbDensityDiag] = 1;
    return;
  }
  ui::UncheckRadios({RadioButton1, RadioButton2});
}
