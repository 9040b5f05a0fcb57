#include "binary/DiagBoxCountingForms.h"

#include <QButtonGroup>
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

TDiagBoxCountingForm1* DiagBoxCountingForm1 = nullptr;
TDiagBoxCountingForm2* DiagBoxCountingForm2 = nullptr;
TDiagBoxCountingForm3* DiagBoxCountingForm3 = nullptr;
TDiagBoxCountingForm4* DiagBoxCountingForm4 = nullptr;

namespace {

using ui::IntegerEdit;
using ui::OkButton;
using ui::RadioGroup;
using ui::ReadOnlyEdit;

constexpr int kDividersPerLine = 6;
constexpr int kDividerLines = 4;

void BuildDividerDisplay(DividerDisplay& display, QGridLayout* layout, int row, QWidget* parent) {
  display.NumDivEdit = ReadOnlyEdit(parent);
  layout->addWidget(display.NumDivEdit, row, 0);
  for (int k = 0; k < kDividerLines; ++k) {
    display.DividersEdit[k] = ReadOnlyEdit(parent);
    display.DividersEdit[k]->setMinimumWidth(260);
    layout->addWidget(display.DividersEdit[k], row + 1 + k, 0, 1, 2);
    if (k > 0) display.DividersEdit[k]->setVisible(false);
  }
}

}  // namespace

std::vector<std::string> DividerLines(const std::vector<int>& dividers) {
  std::vector<std::string> lines;
  const std::size_t shown = std::min<std::size_t>(dividers.size(), kDividersPerLine * kDividerLines);
  for (std::size_t first = 0; first < shown; first += kDividersPerLine) {
    std::string line = " ";
    for (std::size_t k = first; k < std::min(first + kDividersPerLine, shown); ++k)
      line += (k > first ? " - " : "") + std::to_string(dividers[k]);
    lines.push_back(line + " ");
  }
  return lines;
}

void DividerDisplay::Show(const std::vector<int>& dividers) {
  NumDivEdit->setText(QString::number(dividers.size()));
  const std::vector<std::string> lines = DividerLines(dividers);
  for (int k = 0; k < kDividerLines; ++k) {
    DividersEdit[k]->setText(k < static_cast<int>(lines.size()) ? QString::fromStdString(lines[k])
                                                                : QString());
    if (k > 0) DividersEdit[k]->setVisible(dividers.size() > static_cast<std::size_t>(kDividersPerLine * k));
  }
}

TDiagBoxCountingForm1::TDiagBoxCountingForm1(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Box Counting");
  CloseIsOk = true;
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Number of common dividers in the original image"), this), 0, 1);
  BuildDividerDisplay(Dividers, grid, 0, this);
  grid->addWidget(new QLabel(QStringLiteral("Dividers :"), this), 1, 2);
  std::vector<QRadioButton*> radios;
  auto* group = RadioGroup(
      this, QStringLiteral("Four possibilities:"),
      {"border testing range", "approximation using all the boxes from size 1 until the maximum size",
       "taking into account these dividers (if more than two)",
       "cutting the file in order to obtain more dividers"},
      Possibility, &radios);
  std::copy(radios.begin(), radios.end(), PossibilityRadios);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(group);
  layout->addWidget(new QLabel(QStringLiteral("Caution: the last one will cut the image a lot"), this));
  layout->addWidget(OkButton(this));
}

TDiagBoxCountingForm2::TDiagBoxCountingForm2(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Box Counting");
  CloseIsOk = true;
  auto* group = new QGroupBox(QStringLiteral("On the original image"), this);
  auto* grid = new QGridLayout(group);
  NdlEdit = ReadOnlyEdit(group);
  NdcEdit = ReadOnlyEdit(group);
  grid->addWidget(new QLabel(QStringLiteral("the lines have "), group), 0, 0);
  grid->addWidget(NdlEdit, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("dividers"), group), 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("the columns have"), group), 1, 0);
  grid->addWidget(NdcEdit, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("dividers"), group), 1, 2);
  RangeEdit = IntegerEdit(this, BorderRange);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(new QLabel(QStringLiteral("Size of the border to be tested ?"), this));
  layout->addWidget(RangeEdit);
  layout->addWidget(OkButton(this));
}

TDiagBoxCountingForm3::TDiagBoxCountingForm3(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Box Counting");
  CloseIsOk = true;
  auto* proposed = new QGroupBox(QStringLiteral("The proposed size has"), this);
  auto* grid = new QGridLayout(proposed);
  BuildDividerDisplay(Dividers, grid, 0, proposed);
  grid->addWidget(new QLabel(QStringLiteral("common dividers which are as follows"), proposed), 0, 1);
  auto* sizeRow = new QHBoxLayout;
  LinesEdit = ReadOnlyEdit(this);
  ColumnsEdit = ReadOnlyEdit(this);
  sizeRow->addWidget(new QLabel(QStringLiteral("On the other hand, the image has:"), this));
  sizeRow->addWidget(LinesEdit);
  sizeRow->addWidget(new QLabel(QStringLiteral("lines and "), this));
  sizeRow->addWidget(ColumnsEdit);
  sizeRow->addWidget(new QLabel(QStringLiteral("columns"), this));
  auto* treatment = RadioGroup(
      this, QStringLiteral("Treatment"),
      {"test for another range", "treatment using the original size", "treatment using the proposed size"},
      SizeChoice);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(proposed);
  layout->addLayout(sizeRow);
  layout->addWidget(treatment);
  layout->addWidget(OkButton(this));
}

TDiagBoxCountingForm4::TDiagBoxCountingForm4(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Box Counting Parameters");
  auto* imageIn = new QGroupBox(QStringLiteral("Image In"), this);
  auto* imageLayout = new QVBoxLayout(imageIn);
  BinaryRadio = new QRadioButton(QStringLiteral("Binary image"), imageIn);
  OriginalRadio = new QRadioButton(QStringLiteral("Original image"), imageIn);
  imageLayout->addWidget(BinaryRadio);
  imageLayout->addWidget(OriginalRadio);

  itemPanel_ = new QWidget(this);
  auto* itemLayout = new QGridLayout(itemPanel_);
  BinItemValueEdit = IntegerEdit(itemPanel_, ItemValue);
  itemLayout->addWidget(new QLabel(QStringLiteral("Value of the studied item"), itemPanel_), 0, 0);
  itemLayout->addWidget(new QLabel(QStringLiteral("previously binarized"), itemPanel_), 1, 0);
  itemLayout->addWidget(BinItemValueEdit, 0, 1);

  thresholdPanel_ = new QGroupBox(QStringLiteral("Threshold Values"), this);
  auto* thresholdLayout = new QGridLayout(thresholdPanel_);
  MinBinEdit = IntegerEdit(thresholdPanel_, MinThreshold);
  MaxBinEdit = IntegerEdit(thresholdPanel_, MaxThreshold);
  thresholdLayout->addWidget(new QLabel(QStringLiteral("Minimum"), thresholdPanel_), 0, 0);
  thresholdLayout->addWidget(MinBinEdit, 0, 1);
  thresholdLayout->addWidget(new QLabel(QStringLiteral("Maximum"), thresholdPanel_), 1, 0);
  thresholdLayout->addWidget(MaxBinEdit, 1, 1);
  itemPanel_->setVisible(false);
  thresholdPanel_->setVisible(false);
  connect(BinaryRadio, &QRadioButton::clicked, this, [this] {
    ImageIn = 0;
    itemPanel_->setVisible(true);
    thresholdPanel_->setVisible(false);
  });
  connect(OriginalRadio, &QRadioButton::clicked, this, [this] {
    ImageIn = 1;
    itemPanel_->setVisible(false);
    thresholdPanel_->setVisible(true);
  });

  auto* greatest = new QGroupBox(QStringLiteral("Size of the greatest box"), this);
  auto* greatestLayout = new QVBoxLayout(greatest);
  calcPanel_ = new QWidget(greatest);
  auto* calcLayout = new QHBoxLayout(calcPanel_);
  SizeCalcEdit = ReadOnlyEdit(calcPanel_);
  calcLayout->addWidget(new QLabel(QStringLiteral("Size:"), calcPanel_));
  calcLayout->addWidget(SizeCalcEdit);
  definedPanel_ = new QWidget(greatest);
  auto* definedLayout = new QHBoxLayout(definedPanel_);
  SizeDefEdit = IntegerEdit(definedPanel_, DefinedSize, [](int size) { MainForm->BoxSizeCount = size; });
  definedLayout->addWidget(new QLabel(QStringLiteral("Size ?"), definedPanel_));
  definedLayout->addWidget(SizeDefEdit);
  greatestLayout->addWidget(calcPanel_);
  greatestLayout->addWidget(definedPanel_);

  auto* finalSize =
      RadioGroup(this, QStringLiteral("Process using the final size"),
                 {"until this size", "until equality between the number of filled boxes"}, UntilEquality);
  auto* fitting =
      RadioGroup(this, QStringLiteral("Type of treatment"), {"Partial fitting", "Total fitting"}, Fitting);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(imageIn);
  layout->addWidget(itemPanel_);
  layout->addWidget(thresholdPanel_);
  layout->addWidget(greatest);
  layout->addWidget(finalSize);
  layout->addWidget(fitting);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TDiagBoxCountingForm4::ShowSizeMode(int computedSize) {
  SizeCalcEdit->setText(QString::number(computedSize));
  calcPanel_->setVisible(SizeMode == 0);
  definedPanel_->setVisible(SizeMode == 1);
}

void TDiagBoxCountingForm4::ClearInputs() {
  for (QRadioButton* radio : {BinaryRadio, OriginalRadio}) {
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(true);
  }
  for (QLineEdit* edit : {MinBinEdit, MaxBinEdit, BinItemValueEdit}) {
    const QSignalBlocker quiet(edit);  // emptied, not typed: the members keep their sentinels
    edit->clear();
  }
  itemPanel_->setVisible(false);
  thresholdPanel_->setVisible(false);
}

void TDiagBoxCountingForm4::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbDiagBoxCounting4] = 1;
}
