#include "binary/PatternRecognition.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "binary/kernels/PatternTable.h"
#include "ui/ReplaceQuestion.h"
#include "ui/Widgets.h"

TPatternRecognitionForm* PatternRecognitionForm = nullptr;

TPatternRecognitionForm::TPatternRecognitionForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Pattern Recognition Parameters");
  CloseIsOk = true;  // no Cancel: closing runs the treatment

  auto* size = new QGroupBox(QStringLiteral("Pixel Size (by default 1)"), this);
  auto* sizeLayout = new QVBoxLayout(size);
  PixelSizeEdit = ui::RealEdit(this, PixelSize);
  PixelSizeEdit->setText(QStringLiteral("1"));
  sizeLayout->addWidget(new QLabel(QStringLiteral("Pixel Size (in meters)?"), size));
  sizeLayout->addWidget(PixelSizeEdit);
  sizeLayout->addWidget(new QLabel(QStringLiteral("NOTA: real value required"), size));

  auto* saving = new QGroupBox(QStringLiteral("Saving the Resulting File with xls format"), this);
  auto* savingLayout = new QHBoxLayout(saving);
  RadioButton1 = new QRadioButton(QStringLiteral("yes"), saving);
  RadioButton2 = new QRadioButton(QStringLiteral("no"), saving);
  savingLayout->addWidget(RadioButton1);
  savingLayout->addWidget(RadioButton2);
  connect(RadioButton1, &QRadioButton::clicked, this, [this] { RadioButton1Click(); });
  connect(RadioButton2, &QRadioButton::clicked, this, [this] { RadioButton2Click(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(size);
  layout->addWidget(saving);
  layout->addWidget(
      new QLabel(QStringLiteral("NOTA: This treatment takes into account the Labeled Image"), this));
  layout->addWidget(new QLabel(QStringLiteral("or the Binary Image."), this));
  layout->addWidget(ui::OkButton(this), 0, Qt::AlignRight);
}

void TPatternRecognitionForm::RadioButton1Click() {
  const ui::FileChoice choice =
      ui::SaveFile({"Saving File", "File Excel [*.xls]|*.xls", MainForm->WorkDirectory, 1});
  const std::string table = WithXlsExtension(choice.fileName);
  // No to replacing an earlier table is a cancelled choice.
  if (choice.accepted && ui::MayReplace({table})) {
    TableFileName = table;
    MainForm->PatternTableRequested = 1;
  }
  ShowRequest(MainForm->PatternTableRequested);
}

void TPatternRecognitionForm::RadioButton2Click() {
  MainForm->PatternTableRequested = 0;
  SetButtons(false, true);
}

void TPatternRecognitionForm::ShowRequest(int requested) {
  SetButtons(requested == 1, requested != 1 && RadioButton2->isChecked());
}

void TPatternRecognitionForm::SetButtons(bool yes, bool no) {
  // Both buttons may be off (no choice made yet): exclusivity would forbid it.
  for (QRadioButton* radio : {RadioButton1, RadioButton2}) radio->setAutoExclusive(false);
  RadioButton1->setChecked(yes);
  RadioButton2->setChecked(no);
  for (QRadioButton* radio : {RadioButton1, RadioButton2}) radio->setAutoExclusive(true);
}
