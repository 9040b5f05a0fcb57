#include "binary/PerimOrient.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TPerimOrientationForm* PerimOrientationForm = nullptr;

namespace {

// A group holding one labelled integer edit bound to `member`.
QGroupBox* EditGroup(QWidget* parent, const char* title, const char* label, int& member, QLineEdit*& edit) {
  auto* group = new QGroupBox(QString::fromUtf8(title), parent);
  auto* row = new QHBoxLayout(group);
  edit = ui::IntegerEdit(group, member);
  row->addWidget(new QLabel(QString::fromUtf8(label), group));
  row->addWidget(edit);
  return group;
}

}  // namespace

TPerimOrientationForm::TPerimOrientationForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Perimeter Orientation");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(EditGroup(this, "Item Selection", "Code Label?", ItemCode, CodeEdit));
  QGroupBox* segment = EditGroup(this, "Segment Length", "Lenght?", SegmentLength, StepEdit);
  static_cast<QHBoxLayout*>(segment->layout())
      ->addWidget(new QLabel(QStringLiteral("Nota: the lenght must be greater than 2"), segment));
  layout->addWidget(segment);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TPerimOrientationForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbPerimOrientation] = 1;
}
