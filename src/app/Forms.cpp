#include "app/Forms.h"

#include <functional>
#include <vector>

#include "app/MainWindow.h"
#include "app/TreatStartForm.h"
#include "panels/ProgressWindow.h"
#include "panels/ReportForm.h"

namespace {

// Undoes the creations in reverse order.
std::vector<std::function<void()>>& Destroyers() {
  static std::vector<std::function<void()>> destroyers;
  return destroyers;
}

template <class T>
void Create(T*& variable, QWidget* owner) {
  variable = new T(owner);
  Destroyers().push_back([&variable] {
    delete variable;
    variable = nullptr;
  });
}

}  // namespace

void CreateForms() {
  Create(MainForm, nullptr);
  QWidget* owner = MainForm;
  Create(ReportForm, owner);
  Create(TreatStartForm, owner);
}

void DestroyForms() {
  CloseProgressWindow();
  // The main window last: the others are its children.
  auto& destroyers = Destroyers();
  while (!destroyers.empty()) {
    auto destroy = std::move(destroyers.back());
    destroyers.pop_back();
    destroy();
  }
}
