#include "panels/SelectedGT.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TSelectedValueForm* SelectedValueForm = nullptr;

namespace {

constexpr int kFirstValue = 0;
constexpr int kLastValue = 254;

}  // namespace

TSelectedValueForm::TSelectedValueForm(QWidget* owner) : ui::Form(owner) {
  SetCaption("Selected Value");
  SelectedValueEdit = ui::IntegerEdit(this, SelectedValue);
  auto* value = new QHBoxLayout;
  value->addWidget(new QLabel(QStringLiteral("Gray Tone Defined Value ? "), this));
  value->addWidget(SelectedValueEdit);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(value);
  layout->addWidget(ui::OkButton(this));
}

bool TSelectedValueForm::ValueAccepted() const {
  return SelectedValue >= kFirstValue && SelectedValue <= kLastValue;
}

void TSelectedValueForm::Clear() {
  SelectedValueEdit->clear();
  SelectedValue = 0;
  Red = Green = Blue = 0;
  dialogColour_ = 0;
}

void TSelectedValueForm::OnFinish(int modalResult) {
  if (modalResult != ui::mrOk || !ValueAccepted()) return;
  if (const auto chosen = ui::ChooseColour(dialogColour_)) dialogColour_ = *chosen;
  Red = static_cast<int>(dialogColour_ & 0xFF);
  Green = static_cast<int>((dialogColour_ >> 8) & 0xFF);
  Blue = static_cast<int>((dialogColour_ >> 16) & 0xFF);
  if (MainForm) MainForm->Enable({"CuvetSpeedButton"});
}
