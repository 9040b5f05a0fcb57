// The screen editor at 2048 and 4096 square: the seed fill of a noisy background region, and a whole
// tool click in panel 2 (the pencil: one pixel written, then panel 2 and the colour image rebuilt from
// the colour tables and shown). BM_BinarizeNoisy, over the same noisy image, is the yardstick.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <cstdlib>
#include <memory>

#include "app/Forms.h"
#include "app/MainWindow.h"
#include "binary/kernels/Binarize.h"
#include "fixtures/Patterns.h"
#include "imaging/Image.h"
#include "imaging/SeedFill.h"
#include "panels/SelectedGT.h"
#include "panels/TempImage.h"
#include "ui/Driver.h"

namespace {

constexpr std::uint8_t kItem = 1;
constexpr std::uint8_t kBackground = 255;
constexpr int kItemPercent = 25;

// A quarter of the pixels are items scattered at random: a background region full of holes, whose
// scan-line fill is as ragged as real noise makes it.
const BytePlane& Noisy(int size) {
  static BytePlane planes[2];
  BytePlane& plane = planes[size == 4096 ? 1 : 0];
  if (plane.Empty()) {
    plane = MakeRandomGray(size, size, 29);
    for (std::size_t k = 0; k < plane.Size(); ++k)
      plane.Data()[k] = plane.Data()[k] < 256 * kItemPercent / 100 ? kItem : kBackground;
    plane[size / 2][size / 2] = kBackground;
  }
  return plane;
}

void BM_BinarizeNoisy(benchmark::State& state) {
  const BytePlane& source = Noisy(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    BinarizeResult result = Binarize(source, {0, 100, 0, false});
    benchmark::DoNotOptimize(result.ItemPixels);
  }
}
BENCHMARK(BM_BinarizeNoisy)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SeedFill(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const BytePlane& source = Noisy(size);
  BytePlane plane = source.Clone();
  for (auto _ : state) {
    state.PauseTiming();
    std::copy(source.Data(), source.Data() + source.Size(), plane.Data());
    state.ResumeTiming();
    SeedFill(plane, size / 2, size / 2, 7);
    benchmark::DoNotOptimize(plane.Data());
  }
}
BENCHMARK(BM_SeedFill)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

// The windows of the program, made once, with no splash waits and no dialogs.
class BenchDriver : public ui::Driver {
 public:
  int ShowModal(ui::Form&) override { return ui::mrOk; }
  int Message(const std::string&, const std::string&, int) override { return ui::IDOK; }
  ui::FileChoice OpenFile(const ui::FileDialogSpec&) override { return {}; }
  ui::FileChoice SaveFile(const ui::FileDialogSpec&) override { return {}; }
  std::optional<std::uint32_t> ChooseColour(std::uint32_t) override { return std::nullopt; }
  double ClockSeconds() override { return 0; }
  void ProcessEvents() override {}
  void Wait(double) override {}
  bool SetUpPrinter(ui::Printer&) override { return false; }
};

void EnsureProgram() {
  static std::unique_ptr<QApplication> application;
  static BenchDriver driver;
  if (MainForm) return;
  if (!QCoreApplication::instance()) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "vorn_bench";
    static char* argv[] = {name, nullptr};
    application = std::make_unique<QApplication>(argc, argv);
  }
  ui::InstallDriver(&driver);
  CreateForms();
}

void BM_EditorToolClick(benchmark::State& state) {
  EnsureProgram();
  const int size = static_cast<int>(state.range(0));
  TMainForm& m = *MainForm;
  m.BinaryImage = Noisy(size).Clone();
  m.ImageLines = m.ImageColumns = size;
  IMAGE gray(size, size, IMAGE::kGray);
  gray.SetFromPlane(m.BinaryImage);
  TempImageForm->ShowBitmap(gray);
  SelectedValueForm->SelectedValue = 9;
  QAction* pencil = m.Item("PencilSpeedButton");
  pencil->setEnabled(true);
  pencil->setChecked(true);
  TempImageForm->Zoom = 1;
  int x = 0;
  for (auto _ : state) {
    TempImageForm->PaintBoxMouseDown(Qt::LeftButton, x, size / 3);
    x = (x + 1) % size;
  }
  benchmark::DoNotOptimize(m.ColourImage.Data());
  pencil->setChecked(false);
}
BENCHMARK(BM_EditorToolClick)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
