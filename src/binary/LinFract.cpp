#include "binary/LinFract.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TLinFractForm* LinFractForm = nullptr;

namespace {

constexpr int kLines = 1;
constexpr int kColumns = 2;

}  // namespace

TLinFractForm::TLinFractForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Lineal Computation");
  auto* item = new QGroupBox(QStringLiteral("Item"), this);
  auto* itemRow = new QHBoxLayout(item);
  CodeEdit = ui::IntegerEdit(item, Code);
  itemRow->addWidget(new QLabel(QStringLiteral("Code?"), item));
  itemRow->addWidget(CodeEdit);

  auto* orientation = new QGroupBox(QStringLiteral("Orientation"), this);
  auto* orientationRow = new QHBoxLayout(orientation);
  RadioButton3 = new QRadioButton(QStringLiteral("Lines"), orientation);
  RadioButton4 = new QRadioButton(QStringLiteral("Columns"), orientation);
  orientationRow->addWidget(RadioButton3);
  orientationRow->addWidget(RadioButton4);
  connect(RadioButton3, &QRadioButton::clicked, this, [this] { Orientation = kLines; });
  connect(RadioButton4, &QRadioButton::clicked, this, [this] { Orientation = kColumns; });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(item);
  layout->addWidget(orientation);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TLinFractForm::ClearInputs() {
  {
    const QSignalBlocker quiet(CodeEdit);
    CodeEdit->clear();
  }
  for (QRadioButton* radio : {RadioButton3, RadioButton4}) {
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(true);
  }
}

void TLinFractForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbLinFract] = 1;
}
