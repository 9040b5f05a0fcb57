// VORN: fractal and textural analysis of raster images.
#include <cstdio>
#include <cstdlib>

#include "app/Application.h"
#include "app/Forms.h"
#include "app/MainWindow.h"

namespace {

bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr, "vorn: no display found (set DISPLAY, or run with QT_QPA_PLATFORM=offscreen)\n");
    return 1;
  }
  TApplication application(argc, argv);
  CreateForms();
  MainForm->show();
  const int code = application.exec();
  DestroyForms();
  return code;
}
