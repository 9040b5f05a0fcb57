// The gray-tone tools at 2048 and 4096 square over the noise picture (its binary form for the items
// superposed), on one thread and on all threads. Output planes are made once and reused between runs,
// as the tools reuse theirs. Yardstick: BM_Binarize_Noise (Yardsticks.cpp), the binarizing of the same
// noise.
#include <benchmark/benchmark.h>

#include "Images.h"
#include "Modes.h"
#include "graytone/kernels/ColourSegment.h"
#include "graytone/kernels/PinsStretch.h"
#include "graytone/kernels/Superposition.h"
#include "graytone/kernels/ValuePresence.h"
#include "imaging/Image.h"
#include "ui/Bitmap.h"

namespace {

void RunPins(benchmark::State& state, const PinsParams& params) {
  const BytePlane& source = bench::Noise(static_cast<int>(state.range(0)));
  BytePlane out;
  CaseMode mode(state);
  for (auto _ : state) {
    PinsOutcome outcome = PinsStretch(source, params, out);
    benchmark::DoNotOptimize(outcome.HighCut);
  }
}

void BM_PinsStretch_Cross(benchmark::State& state) {
  RunPins(state, {4, 0, 0, 0});
}
BENCHMARK(BM_PinsStretch_Cross)->Apply(ImageCases);

void BM_PinsStretch_SquareSaturated(benchmark::State& state) {
  RunPins(state, {8, 1, 2.5, 2.5});
}
BENCHMARK(BM_PinsStretch_SquareSaturated)->Apply(ImageCases);

void BM_GrayTonesNumber(benchmark::State& state) {
  const BytePlane& source = bench::Noise(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    const int n = CountPresent(PresentValues(source, 0), 0, 255);
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_GrayTonesNumber)->Apply(ImageCases);

// One painting step of the thresholding tool: a segment painted and the colour image written.
void BM_ColourSegment(benchmark::State& state) {
  const BytePlane& gray = bench::Noise(static_cast<int>(state.range(0)));
  ColourPlanes planes;
  ColourPlanesFromGray(gray, planes);
  BytePlane bgr;
  int high = 0;
  CaseMode mode(state);
  for (auto _ : state) {
    high = (high + 37) % 256;
    benchmark::DoNotOptimize(PaintGraySegment(gray, 0, high, {10, 200, 30}, planes, bgr));
  }
}
BENCHMARK(BM_ColourSegment)->Apply(ImageCases);

// The same step as the tool shows it: the display image refilled and converted for the panel.
void BM_ColourSegmentShown(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const BytePlane& gray = bench::Noise(size);
  ColourPlanes planes;
  ColourPlanesFromGray(gray, planes);
  BytePlane bgr;
  IMAGE display(size, size, IMAGE::kRgb);
  int high = 0;
  CaseMode mode(state);
  for (auto _ : state) {
    high = (high + 37) % 256;
    PaintGraySegment(gray, 0, high, {10, 200, 30}, planes, bgr);
    display.SetFromPlaneRGB(bgr);
    QImage bitmap = ImageToBitmap(display);
    benchmark::DoNotOptimize(bitmap.constBits());
  }
}
BENCHMARK(BM_ColourSegmentShown)->Apply(ImageCases);

void BM_SingleSuperposition(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const BytePlane& gray = bench::Noise(size);
  const BytePlane& items = bench::NoiseBinary(size);
  BytePlane bgr;
  CaseMode mode(state);
  for (auto _ : state) benchmark::DoNotOptimize(SuperposeSingle(gray, items, kItemPixel, {0, 0, 255}, bgr));
}
BENCHMARK(BM_SingleSuperposition)->Apply(ImageCases);

void BM_TransparentSuperposition(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const BytePlane& gray = bench::Noise(size);
  const BytePlane& items = bench::NoiseBinary(size);
  TransparentParams params;
  params.Value = kItemPixel;
  params.Alpha = 0.4;
  params.Colour = {0, 0, 255};
  params.Local = true;
  BytePlane bgr;
  CaseMode mode(state);
  for (auto _ : state) benchmark::DoNotOptimize(SuperposeTransparent(gray, items, gray, params, bgr));
}
BENCHMARK(BM_TransparentSuperposition)->Apply(ImageCases);

}  // namespace
