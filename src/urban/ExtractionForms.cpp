#include "urban/ExtractionForms.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TPerimExtractValueForm* PerimExtractValueForm = nullptr;
THoleExtractForm* HoleExtractForm = nullptr;

namespace {

// The one group of both dialogs, with OK and Cancel under it.
QLineEdit* ValueDialog(ui::Form* form, const char* caption, int& member) {
  form->SetCaption(caption);
  QLineEdit* edit = ui::IntegerEdit(form, member);
  auto* layout = new QVBoxLayout(form);
  layout->addWidget(ui::LabeledRows(form, " Selected Gray Tone Value ", {{"Value", edit}}));
  layout->addLayout(ui::OkCancelButtons(form));
  return edit;
}

}  // namespace

TPerimExtractValueForm::TPerimExtractValueForm(QWidget* owner) : ui::Form(owner) {
  PerimExtractValueEdit = ValueDialog(this, " Perimeter Extraction", SelectedValue);
}

void TPerimExtractValueForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbPerimExtractValue] = 1;
}

THoleExtractForm::THoleExtractForm(QWidget* owner) : ui::Form(owner) {
  HoleExtractValueEdit = ValueDialog(this, " Hole Extraction", SelectedValue);
}

void THoleExtractForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbHoleExtract] = 1;
}
