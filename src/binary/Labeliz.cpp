#include "binary/Labeliz.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "imaging/TextNumbers.h"

TLabelizForm* LabelizForm = nullptr;

TLabelizForm::TLabelizForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" LABELING");
  auto* size = new QGroupBox(QStringLiteral("Size Item"), this);
  auto* sizeLayout = new QGridLayout(size);
  MinEdit = new QLineEdit(size);
  MaxEdit = new QLineEdit(size);
  sizeLayout->addWidget(new QLabel(QStringLiteral("Min"), size), 0, 0);
  sizeLayout->addWidget(MinEdit, 0, 1);
  sizeLayout->addWidget(new QLabel(QStringLiteral("Max"), size), 1, 0);
  sizeLayout->addWidget(MaxEdit, 1, 1);
  connect(MinEdit, &QLineEdit::textChanged, this,
          [this](const QString& text) { MinSize = static_cast<int>(TextToLong(text.toStdString())); });
  connect(MaxEdit, &QLineEdit::textChanged, this,
          [this](const QString& text) { MaxSize = static_cast<int>(TextToLong(text.toStdString())); });

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { Finish(ui::mrOk); });
  connect(cancel, &QPushButton::clicked, this, [this] { Finish(ui::mrCancel); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(size);
  layout->addLayout(buttons);
}

void TLabelizForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbLabeliz] = 1;
}
