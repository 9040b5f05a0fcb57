#include "app/Application.h"

#include <clocale>
#include <exception>

#include "ui/Driver.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Reports and files always use '.' as the decimal point, whatever the user's locale.
  std::setlocale(LC_NUMERIC, "C");
  // The application's title. No display name is set: window systems would append it to every
  // window's caption (" VORN Version 2 — VORN Version 2.01").
  setApplicationName(QStringLiteral("VORN Version 2.01"));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error.what());
  } catch (...) {
    ShowException("");
  }
  return false;
}

void ShowException(const char* text) {
  ui::MessageBox(text, "VORN Version 2.01");
}
