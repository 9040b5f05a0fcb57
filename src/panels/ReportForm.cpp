#include "panels/ReportForm.h"

#include <QRadioButton>
#include <QVBoxLayout>

TReportForm* ReportForm = nullptr;

TReportForm::TReportForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" GENERAL REPORT");
  CloseIsOk = true;  // closing keeps the previous answer
  setMinimumWidth(240);
  auto* yes = new QRadioButton(QStringLiteral("yes"), this);
  auto* no = new QRadioButton(QStringLiteral("no"), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(yes);
  layout->addWidget(no);
  connect(yes, &QRadioButton::clicked, this, &TReportForm::YesClick);
  connect(no, &QRadioButton::clicked, this, &TReportForm::NoClick);
}

void TReportForm::YesClick() {
  ReportOff = 0;
  Finish(ui::mrOk);
}

void TReportForm::NoClick() {
  ReportOff = 1;
  Finish(ui::mrOk);
}
