#include "panels/ProgressWindow.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

#include "ui/Driver.h"

TProgressForm* ProgressForm = nullptr;

TProgressForm::TProgressForm(QWidget* owner, int tag) : QWidget(owner, Qt::Tool), Tag(tag) {
  setWindowTitle(QStringLiteral(" Process"));
  ProgressBar = new QProgressBar(this);
  ProgressBar->setRange(0, 100);
  ProgressBar->setValue(0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ProgressBar);
  resize(300, 60);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

int TProgressForm::Position() const {
  return ProgressBar->value();
}

void TProgressForm::SetPosition(int position) {
  ProgressBar->setValue(position);
}

int ProgressPosition(float fraction) {
  if (!(fraction > 0)) return 0;
  if (fraction >= 1) return 100;
  return static_cast<int>(std::trunc(fraction * 100.0f));
}

void ShowProgressWindow() {
  CloseProgressWindow();
  ProgressForm = new TProgressForm(nullptr, 0);
  ProgressForm->show();
  ui::ProcessEvents();
}

void SetProgressPosition(float fraction) {
  if (!ProgressForm) return;
  ProgressForm->SetPosition(ProgressPosition(fraction));
  ui::ProcessEvents();
}

void CloseProgressWindow() {
  delete ProgressForm;
  ProgressForm = nullptr;
}
