#include "binary/Labeliz.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TLabelizForm* LabelizForm = nullptr;

TLabelizForm::TLabelizForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" LABELING");
  auto* size = new QGroupBox(QStringLiteral("Size Item"), this);
  auto* sizeLayout = new QGridLayout(size);
  MinEdit = ui::IntegerEdit(this, MinSize);
  MaxEdit = ui::IntegerEdit(this, MaxSize);
  sizeLayout->addWidget(new QLabel(QStringLiteral("Min"), size), 0, 0);
  sizeLayout->addWidget(MinEdit, 0, 1);
  sizeLayout->addWidget(new QLabel(QStringLiteral("Max"), size), 1, 0);
  sizeLayout->addWidget(MaxEdit, 1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(size);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TLabelizForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbLabeliz] = 1;
}
