#include "binary/ItemSelection.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/Driver.h"
#include "ui/Widgets.h"

TItemSelectionForm* ItemSelectionForm = nullptr;

namespace {

constexpr int kUndefinedCode = -1;
constexpr int kBackgroundCode = 255;

}  // namespace

TItemSelectionForm::TItemSelectionForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Item Selection");
  CloseIsOk = true;  // no Cancel: closing gives the code as it stands
  auto* grid = new QGridLayout;
  NumEdit = ui::ReadOnlyEdit(this);
  CodeEdit = ui::IntegerEdit(this, Code);
  grid->addWidget(new QLabel(QStringLiteral("Item order"), this), 0, 0);
  grid->addWidget(NumEdit, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Code?"), this), 1, 0);
  grid->addWidget(CodeEdit, 1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(ui::OkButton(this));
}

int TItemSelectionForm::AskCode(int order) {
  NumEdit->setText(QString::number(order));
  for (;;) {
    {
      const QSignalBlocker quiet(CodeEdit);  // emptied, not typed: the code stays undefined
      CodeEdit->clear();
    }
    Code = kUndefinedCode;
    ui::ShowModal(*this);
    if (Code == kBackgroundCode)
      ui::MessageBox("The code 255 is the background, not an item", "ERROR");
    else if (Code < 0 || Code > kBackgroundCode)
      ui::MessageBox("Code not defined", "ERROR");
    else
      return Code;
  }
}
