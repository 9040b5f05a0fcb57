#include "binary/Radius.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TRadiusForm* RadiusForm = nullptr;

TRadiusForm::TRadiusForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Circle Counting");
  auto* item = new QGroupBox(QStringLiteral("Item selection"), this);
  auto* itemRow = new QHBoxLayout(item);
  CodeEdit = ui::IntegerEdit(item, ItemCode);
  itemRow->addWidget(new QLabel(QStringLiteral("Code Label?"), item));
  itemRow->addWidget(CodeEdit);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(item);
  layout->addWidget(ui::RadioGroup(this, QStringLiteral("Treatment"), {"Sliding Window", "Jumping Window"},
                                   CircleMode, &ModeRadios));
  layout->addWidget(ui::RadioGroup(this, QStringLiteral("Type of calculation"), {"Radius", "Surface"},
                                   ValueType, &ValueRadios));
  layout->addLayout(ui::OkCancelButtons(this));
}

void TRadiusForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbRadius] = 1;
}
