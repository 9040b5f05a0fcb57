#include "urban/MathMorph.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TMathMorphForm* MathMorphForm = nullptr;

TMathMorphForm::TMathMorphForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Mathematical Morphology");
  auto* layout = new QVBoxLayout(this);
  GrayToneEdit = ui::IntegerEdit(this, SelectedValue);
  layout->addWidget(ui::LabeledRows(this, QStringLiteral(" Item Selection "),
                                    {{"Gray Tone Value ? ", GrayToneEdit}, {"on Panel 2", nullptr}}));
  std::vector<QRadioButton*> kinds;
  layout->addWidget(ui::ChoiceRadioGroup(this, QStringLiteral(" Type of Treatment "),
                                         {{"Dilation", 0}, {"Erosion", 1}, {"Closing", 2}, {"Opening", 3}},
                                         TreatmentType, &kinds));
  IterEdit = ui::IntegerEdit(this, IterationCount);
  layout->addWidget(ui::LabeledRows(this, QStringLiteral(" Iteration Number "), {{"Number ", IterEdit}}));
  layout->addLayout(ui::OkCancelButtons(this));
  RadioButton1 = kinds[0];
  RadioButton2 = kinds[1];
  RadioButton3 = kinds[2];
  RadioButton4 = kinds[3];
}

void TMathMorphForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) {
    MainForm->DialogCancelBytes[cbMathMorph] = 1;
    return;
  }
  ui::UncheckRadios({RadioButton1, RadioButton2, RadioButton3, RadioButton4});
}
