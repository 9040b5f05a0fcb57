// The screen editor at 2048 and 4096 square, on one thread and on all threads: the seed fill of a
// ragged background region, and a whole tool click in panel 2 (the pencil: one pixel written, then
// panel 2 and the colour image rebuilt from the colour tables and shown), both on the noise picture's
// binary form (NoiseBinary). Yardstick: BM_Binarize_Noise (Yardsticks.cpp), the binarizing of the noise.
#include <benchmark/benchmark.h>

#include <QAction>

#include "Application.h"
#include "Images.h"
#include "Modes.h"
#include "app/Forms.h"
#include "app/MainWindow.h"
#include "imaging/Image.h"
#include "imaging/SeedFill.h"
#include "panels/SelectedGT.h"
#include "panels/TempImage.h"
#include "ui/Driver.h"

namespace {

// From the centre, a background pixel; the plane is refilled outside the timing.
void BM_SeedFill(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  InPlace(state, bench::NoiseBinary(size), [size](BytePlane& plane) { SeedFill(plane, size / 2, size / 2, 7); });
}
BENCHMARK(BM_SeedFill)->Apply(ImageCases);

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
  static BenchDriver driver;
  if (MainForm) return;
  bench::EnsureApplication();
  ui::InstallDriver(&driver);
  CreateForms();
}

void BM_EditorToolClick(benchmark::State& state) {
  EnsureProgram();
  const int size = static_cast<int>(state.range(0));
  TMainForm& m = *MainForm;
  m.BinaryImage = bench::NoiseBinary(size).Clone();
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
  CaseMode mode(state);
  for (auto _ : state) {
    TempImageForm->PaintBoxMouseDown(Qt::LeftButton, x, size / 3);
    x = (x + 1) % size;
  }
  benchmark::DoNotOptimize(m.ColourImage.Data());
  pencil->setChecked(false);
}
BENCHMARK(BM_EditorToolClick)->Apply(ImageCases);

}  // namespace
