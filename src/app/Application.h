#pragma once
// The application object: an exception that reaches the event loop is shown in a
// message box with its text, and the program goes on.
#include <QApplication>

class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Shows an exception the way the event loop does (also used by tests).
void ShowException(const char* text);
