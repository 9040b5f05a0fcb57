// A 1:1 repaint of a panel in a window of fixed size: its cost follows the window, so a 4096 x 4096
// picture repaints in about the time of a 2048 x 2048 one (its items per second count the picture's
// pixels, not the window's). BM_Binarize is the yardstick.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>

#include "Modes.h"
#include "fixtures/Patterns.h"
#include "imaging/Image.h"
#include "panels/ImageWindow.h"

namespace {

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;

// Widgets need an application; the benchmarks run offscreen without one of their own.
void EnsureApplication() {
  static std::unique_ptr<QApplication> application;
  if (QCoreApplication::instance()) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "vorn_bench";
  static char* argv[] = {name, nullptr};
  application = std::make_unique<QApplication>(argc, argv);
}

void BM_PanelRepaint(benchmark::State& state) {
  EnsureApplication();
  const int n = static_cast<int>(state.range(0));
  IMAGE image(n, n, IMAGE::kGray);
  image.SetFromPlane(MakeRandomGray(n, n, 3));
  TImageForm panel(nullptr);
  panel.ShowImage(image);
  QImage target(kViewWidth, kViewHeight, QImage::Format_RGB32);
  CaseMode mode(state);
  for (auto _ : state) {
    QPainter painter(&target);
    panel.DrawVisible(painter, kViewWidth, kViewHeight);
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_PanelRepaint)->Apply(KernelCases);

}  // namespace
