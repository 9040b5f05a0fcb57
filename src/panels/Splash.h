#pragma once
// The three presentation windows shown while the main window starts.
#include <QIcon>
#include <QWidget>

class QPainter;

class TPresentationWindow : public QWidget {
 public:
  TPresentationWindow(QWidget* owner, int page);
  int Page() const { return page_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int page_;
};

class TPresentationForm1 : public TPresentationWindow {
 public:
  explicit TPresentationForm1(QWidget* owner) : TPresentationWindow(owner, 1) {}
};
class TPresentationForm2 : public TPresentationWindow {
 public:
  explicit TPresentationForm2(QWidget* owner) : TPresentationWindow(owner, 2) {}
};
class TPresentationForm3 : public TPresentationWindow {
 public:
  explicit TPresentationForm3(QWidget* owner) : TPresentationWindow(owner, 3) {}
};

// Shows the window, paints it at once and keeps it up for that many seconds.
void ShowPresentation(TPresentationWindow& window, float seconds);

// The program's emblem, a Sierpinski carpet, drawn in `area`; and as the windows' icon.
void DrawCarpet(QPainter& painter, const QRect& area, const QColor& colour);
QIcon CarpetIcon();
