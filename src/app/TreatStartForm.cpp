#include "app/TreatStartForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"

TTreatStartForm* TreatStartForm = nullptr;

TTreatStartForm::TTreatStartForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Treatment Starting");
  CloseIsOk = true;  // only "No" refuses
  auto* box = new QGroupBox(this);
  auto* inner = new QVBoxLayout(box);
  inner->addWidget(new QLabel(QStringLiteral("Do you confirm the treatment ?"), box));
  auto* buttons = new QHBoxLayout;
  auto* no = new QPushButton(QStringLiteral("No"), box);
  auto* yes = new QPushButton(QStringLiteral("Yes"), box);
  buttons->addWidget(no);
  buttons->addWidget(yes);
  inner->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  connect(no, &QPushButton::clicked, this, &TTreatStartForm::NoClick);
  connect(yes, &QPushButton::clicked, this, &TTreatStartForm::YesClick);
}

void TTreatStartForm::NoClick() {
  Finish(ui::mrNo);
}
void TTreatStartForm::YesClick() {
  Finish(ui::mrYes);
}

void TTreatStartForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrNo) MainForm->DialogCancelBytes[cbTreatStart] = 1;
}
