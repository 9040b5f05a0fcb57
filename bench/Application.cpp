#include "Application.h"

#include <QApplication>
#include <cstdlib>
#include <memory>

namespace bench {

void EnsureApplication() {
  static std::unique_ptr<QApplication> application;
  if (QCoreApplication::instance()) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "vorn_bench";
  static char* argv[] = {name, nullptr};
  application = std::make_unique<QApplication>(argc, argv);
}

}  // namespace bench
