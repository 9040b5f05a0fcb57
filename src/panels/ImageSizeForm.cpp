#include "panels/ImageSizeForm.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/MainWindow.h"
#include "imaging/RawFile.h"
#include "imaging/TextNumbers.h"
#include "ui/Widgets.h"

TImageSizeForm* ImageSizeForm = nullptr;

namespace {

// Any number past the largest side is refused the same way, so it need not be kept whole.
int SideFromText(const QString& text) {
  const long value = TextToLong(text.toStdString());
  return static_cast<int>(std::clamp<long>(value, -1, kMaxImageSide + 1L));
}

}  // namespace

TImageSizeForm::TImageSizeForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Image Size");
  CloseIsOk = false;  // closing the window abandons the open
  auto* note = new QLabel(QStringLiteral("NOTA: Absence of a  descriptive File"), this);
  auto* group = new QGroupBox(QStringLiteral("SIZE"), this);
  NumLineEdit = ui::NumberEdit(group);
  NumColEdit = ui::NumberEdit(group);
  auto* fields = new QFormLayout(group);
  fields->addRow(QStringLiteral("lines"), NumLineEdit);
  fields->addRow(QStringLiteral("columns"), NumColEdit);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addWidget(group);
  layout->addWidget(ok);
  connect(NumLineEdit, &QLineEdit::textChanged, this, &TImageSizeForm::NumLineEditChange);
  connect(NumColEdit, &QLineEdit::textChanged, this, &TImageSizeForm::NumColEditChange);
  connect(ok, &QPushButton::clicked, this, [this] { Finish(ui::mrOk); });
}

void TImageSizeForm::NumLineEditChange(const QString& text) {
  if (MainForm) MainForm->ImageLines = SideFromText(text);
}

void TImageSizeForm::NumColEditChange(const QString& text) {
  if (MainForm) MainForm->ImageColumns = SideFromText(text);
}

int TImageSizeForm::TypedLines() const {
  return SideFromText(NumLineEdit->text());
}
int TImageSizeForm::TypedColumns() const {
  return SideFromText(NumColEdit->text());
}
