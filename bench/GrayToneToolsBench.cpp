// The gray-tone tools at 2048 and 4096 square over one noise image, beside BM_BinarizeNoise, the
// binarizing of that same image (BM_Binarize runs on the carpet of BinaryBench.cpp). Output planes are
// made once and reused between runs, as the tools reuse theirs.
#include <benchmark/benchmark.h>

#include "binary/kernels/Binarize.h"
#include "fixtures/Patterns.h"
#include "graytone/kernels/ColourSegment.h"
#include "graytone/kernels/PinsStretch.h"
#include "graytone/kernels/Superposition.h"
#include "graytone/kernels/ValuePresence.h"
#include "ui/Bitmap.h"

namespace {

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
}

const BytePlane& Noise(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) plane = MakeRandomGray(size, size, 17);
  return plane;
}

// Items 1 on background 255, about a quarter of the pixels.
const BytePlane& Items(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) {
    plane = MakeRandomGray(size, size, 18);
    for (std::size_t k = 0; k < plane.Size(); ++k) plane.Data()[k] = plane.Data()[k] < 64 ? 1 : 255;
  }
  return plane;
}

void BM_BinarizeNoise(benchmark::State& state) {
  const BytePlane& source = Noise(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    BinarizeResult result = Binarize(source, {30, 50, 0, false});
    benchmark::DoNotOptimize(result.ItemPixels);
  }
}
BENCHMARK(BM_BinarizeNoise)->Apply(Sizes);

void RunPins(benchmark::State& state, const PinsParams& params) {
  const BytePlane& source = Noise(static_cast<int>(state.range(0)));
  BytePlane out;
  for (auto _ : state) {
    PinsOutcome outcome = PinsStretch(source, params, out);
    benchmark::DoNotOptimize(outcome.HighCut);
  }
}

void BM_PinsStretch_Cross(benchmark::State& state) {
  RunPins(state, {4, 0, 0, 0});
}
BENCHMARK(BM_PinsStretch_Cross)->Apply(Sizes);

void BM_PinsStretch_SquareSaturated(benchmark::State& state) {
  RunPins(state, {8, 1, 2.5, 2.5});
}
BENCHMARK(BM_PinsStretch_SquareSaturated)->Apply(Sizes);

void BM_GrayTonesNumber(benchmark::State& state) {
  const BytePlane& source = Noise(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const int n = CountPresent(PresentValues(source, 0), 0, 255);
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_GrayTonesNumber)->Apply(Sizes);

// One painting step of the thresholding tool: a segment painted and the colour image written.
void BM_ColourSegment(benchmark::State& state) {
  const BytePlane& gray = Noise(static_cast<int>(state.range(0)));
  ColourPlanes planes;
  ColourPlanesFromGray(gray, planes);
  BytePlane bgr;
  int high = 0;
  for (auto _ : state) {
    high = (high + 37) % 256;
    benchmark::DoNotOptimize(PaintGraySegment(gray, 0, high, {10, 200, 30}, planes, bgr));
  }
}
BENCHMARK(BM_ColourSegment)->Apply(Sizes);

// The same step as the tool shows it: the display image refilled and converted for the panel.
void BM_ColourSegmentShown(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const BytePlane& gray = Noise(size);
  ColourPlanes planes;
  ColourPlanesFromGray(gray, planes);
  BytePlane bgr;
  IMAGE display(size, size, IMAGE::kRgb);
  int high = 0;
  for (auto _ : state) {
    high = (high + 37) % 256;
    PaintGraySegment(gray, 0, high, {10, 200, 30}, planes, bgr);
    display.SetFromPlaneRGB(bgr);
    QImage bitmap = ImageToBitmap(display);
    benchmark::DoNotOptimize(bitmap.constBits());
  }
}
BENCHMARK(BM_ColourSegmentShown)->Apply(Sizes);

void BM_SingleSuperposition(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  BytePlane bgr;
  for (auto _ : state)
    benchmark::DoNotOptimize(SuperposeSingle(Noise(size), Items(size), 1, {0, 0, 255}, bgr));
}
BENCHMARK(BM_SingleSuperposition)->Apply(Sizes);

void BM_TransparentSuperposition(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  TransparentParams params;
  params.Value = 1;
  params.Alpha = 0.4;
  params.Colour = {0, 0, 255};
  params.Local = true;
  BytePlane bgr;
  for (auto _ : state)
    benchmark::DoNotOptimize(SuperposeTransparent(Noise(size), Items(size), Noise(size), params, bgr));
}
BENCHMARK(BM_TransparentSuperposition)->Apply(Sizes);

}  // namespace
