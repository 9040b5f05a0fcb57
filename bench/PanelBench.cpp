// A 1:1 repaint of a panel in a window of fixed size, at 2048 and 4096 square, on one thread and on
// all threads: its cost follows the window, so a 4096 x 4096 picture repaints in about the time of a
// 2048 x 2048 one (its items per second count the picture's pixels, not the window's).
// Yardstick: BM_Binarize_Noise (Yardsticks.cpp), the binarizing of the same noise picture.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "Application.h"
#include "Images.h"
#include "Modes.h"
#include "imaging/Image.h"
#include "panels/ImageWindow.h"

namespace {

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;

void BM_PanelRepaint(benchmark::State& state) {
  bench::EnsureApplication();
  const int n = static_cast<int>(state.range(0));
  IMAGE image(n, n, IMAGE::kGray);
  image.SetFromPlane(bench::Noise(n));
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
BENCHMARK(BM_PanelRepaint)->Apply(ImageCases);

}  // namespace
