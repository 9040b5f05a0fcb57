#include "sequence/Hurst.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

THurstForm* HurstForm = nullptr;
THurstDividerForm* HurstDividerForm = nullptr;

namespace {

constexpr int kDividerColumns = 8;

// Radio buttons that check themselves and uncheck the others by hand, so that none need be
// checked at first.
void Exclusive(QWidget* owner, const std::vector<QRadioButton*>& radios,
               const std::function<void(int)>& chosen) {
  for (std::size_t k = 0; k < radios.size(); ++k) {
    radios[k]->setAutoExclusive(false);
    QObject::connect(radios[k], &QRadioButton::clicked, owner, [radios, k, chosen] {
      for (std::size_t other = 0; other < radios.size(); ++other) radios[other]->setChecked(other == k);
      chosen(static_cast<int>(k));
    });
  }
}

}  // namespace

THurstForm::THurstForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Studied curve");
  auto* dataIn = new QGroupBox(QStringLiteral("Data in "), this);
  auto* dataLayout = new QVBoxLayout(dataIn);
  RadioButton1 = new QRadioButton(QStringLiteral("Gray tone sequence"), dataIn);
  RadioButton2 = new QRadioButton(QStringLiteral("Perimeter orientation"), dataIn);
  RadioButton5 = new QRadioButton(QStringLiteral("Distance Perimeter/Center"), dataIn);
  for (QRadioButton* radio : {RadioButton1, RadioButton2, RadioButton5}) dataLayout->addWidget(radio);
  RadioButton1->setChecked(true);
  Exclusive(this, {RadioButton1, RadioButton2, RadioButton5}, [this](int k) { DataIn = k; });

  auto* treatment = new QGroupBox(QStringLiteral("Treatment "), this);
  auto* treatmentLayout = new QVBoxLayout(treatment);
  RadioButton3 = new QRadioButton(QStringLiteral("Sliding Window"), treatment);
  RadioButton4 = new QRadioButton(QStringLiteral("Jumping Window"), treatment);
  treatmentLayout->addWidget(RadioButton3);
  treatmentLayout->addWidget(RadioButton4);

  FirstSizeEdit = ui::IntegerEdit(this, FirstSize);
  StepEdit = ui::IntegerEdit(this, Step);
  NumStepEdit = ui::IntegerEdit(this, NumSteps);
  ParametersBox = ui::LabeledRows(this, "Parameters ",
                                  {{"First Window Size", FirstSizeEdit},
                                   {"Step of increasing", StepEdit},
                                   {"Total Number of steps", NumStepEdit}});
  FirstSizeEdit->setText(QString::number(FirstSize));
  StepEdit->setText(QString::number(Step));
  NumStepEdit->setText(QString::number(NumSteps));
  ParametersBox->setVisible(false);
  Exclusive(this, {RadioButton3, RadioButton4}, [this](int k) {
    WindowType = k;
    ParametersBox->setVisible(k == 0);  // only the sliding windows have sizes to give
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dataIn);
  layout->addWidget(treatment);
  layout->addWidget(ParametersBox);
  layout->addLayout(ui::OkCancelButtons(this));
}

void THurstForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbHurst] = 1;
}

THurstDividerForm::THurstDividerForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Dividers");
  TNDivisorsEdit = ui::ReadOnlyEdit(this);
  TNDataEdit = ui::ReadOnlyEdit(this);
  OriginalRangeEdit = ui::ReadOnlyEdit(this);
  QGroupBox* counts = ui::LabeledRows(this, "Numer of dividers and data",
                                      {{"Total number of dividers", TNDivisorsEdit},
                                       {"Residual number of data", TNDataEdit},
                                       {"Original Number of data", OriginalRangeEdit}});

  auto* dividers = new QGroupBox(QStringLiteral("Dividers"), this);
  auto* grid = new QGridLayout(dividers);
  for (int k = 0; k < kDividerEdits; ++k) {
    DividerEdit[k] = ui::ReadOnlyEdit(this);
    DividerEdit[k]->setMaximumWidth(70);
    const int row = k / kDividerColumns, column = 2 * (k % kDividerColumns);
    grid->addWidget(new QLabel(QString::number(k + 1), dividers), row, column);
    grid->addWidget(DividerEdit[k], row, column + 1);
  }

  auto* choice = new QGroupBox(QStringLiteral("Divider Selection"), this);
  auto* choiceLayout = new QVBoxLayout(choice);
  RadioButton1 = new QRadioButton(QStringLiteral("Using all the dividers"), choice);
  RadioButton2 = new QRadioButton(QStringLiteral("Divider Selection"), choice);
  choiceLayout->addWidget(RadioButton1);
  choiceLayout->addWidget(RadioButton2);
  LVREdit = ui::IntegerEdit(this, LowerValueRange);
  UVREdit = ui::IntegerEdit(this, UpperValueRange);
  SelectionBox =
      ui::LabeledRows(this, "Selection", {{"Lower Value Range", LVREdit}, {"Upper Value Range", UVREdit}});
  SelectionBox->setVisible(false);
  Exclusive(this, {RadioButton1, RadioButton2}, [this](int k) {
    DividerChoice = k + 1;
    SelectionBox->setVisible(k == 1);
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(counts);
  layout->addWidget(dividers);
  layout->addWidget(choice);
  layout->addWidget(SelectionBox);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ui::OkButton(this));
  layout->addLayout(buttons);
}

void THurstDividerForm::ShowDividers(int usedLength, int originalLength, const std::vector<int>& dividers) {
  TNDataEdit->setText(QString::number(usedLength));
  TNDivisorsEdit->setText(QString::number(dividers.size()));
  OriginalRangeEdit->setText(QString::number(originalLength));
  const int shown = std::min<int>(kDividerEdits, static_cast<int>(dividers.size()));
  for (int k = 0; k < kDividerEdits; ++k)
    DividerEdit[k]->setText(k < shown ? QString::number(dividers[static_cast<std::size_t>(k)]) : QString());
}
