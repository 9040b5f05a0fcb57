#include "Application.h"

#include <QApplication>
#include <cstdlib>

namespace bench {

void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "vorn_bench";
  static char* argv[] = {name, nullptr};
  // Never destroyed: from an exit handler its destructor would run after Qt's own statics are gone
  // and crash the run at its very end.
  new QApplication(argc, argv);
}

}  // namespace bench
