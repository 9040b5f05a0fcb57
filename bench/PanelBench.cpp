// A 1:1 repaint of a panel in a window of fixed size: its cost follows the window, so a 4096 x 4096
// picture repaints in about the time of a 2048 x 2048 one. BM_Binarize is the yardstick.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>

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
  for (auto _ : state) {
    QPainter painter(&target);
    panel.DrawVisible(painter, kViewWidth, kViewHeight);
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
  }
  state.SetItemsProcessed(state.iterations() * kViewWidth * kViewHeight);
}
BENCHMARK(BM_PanelRepaint)->Arg(2048)->Arg(4096)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
