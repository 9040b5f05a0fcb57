#pragma once
// " Process": the progress bar of long treatments. It repaints while the GUI
// thread computes, since each new position lets the windows paint.
#include <QWidget>

class QProgressBar;

class TProgressForm : public QWidget {
  Q_OBJECT
 public:
  TProgressForm(QWidget* owner, int tag);
  int Position() const;
  void SetPosition(int position);
  int Tag;

 private:
  QProgressBar* ProgressBar;
};

extern TProgressForm* ProgressForm;

void ShowProgressWindow();
// The bar's position is the fraction x 100 truncated toward zero, kept within 0..100.
void SetProgressPosition(float fraction);
void CloseProgressWindow();
int ProgressPosition(float fraction);
