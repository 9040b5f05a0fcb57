// The histogram tools: what they count, what they save and how they paint.
#include <numeric>

#include "Program.h"
#include "diagrams/Histograms.h"

namespace {

// A 10-line, 8-column image whose pixel (i, j) is 10 i + j; panel 3 holds 200 everywhere, panel 2 255.
class HistogramsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    BytePlane original(8, 10);
    for (int k = 0; k < 80; ++k) original[k / 8][k % 8] = static_cast<std::uint8_t>(k / 8 * 10 + k % 8);
    LoadOriginal(std::move(original));
    MainForm->ResultImage.Fill(200);
    MainForm->BinaryImage.Fill(255);
  }
};

std::string Lines(const GrayCounts& counts) {
  std::string text;
  for (int c : counts) text += std::to_string(c) + "\n";
  return text;
}
int Sum(const GrayCounts& counts) {
  return std::accumulate(counts.begin(), counts.end(), 0);
}

TEST_F(HistogramsTest, CountsSavesAndBarsOfTheWholeAndTheLocalHistograms) {
  TMainForm& m = *MainForm;
  m.ResultBorder = 2;
  m.WorkDirectory = Dir().string();
  ui.ok<TDiagHistoForm>().press<THistoGrisForm>(&THistoGrisForm::BitBtnSaveClick).save(Path("h"), 2);
  m.Histo1Click();
  const GrayCounts& counts = HistoGrisForm->Counts;
  // 22 inside the frame, 11 and 76 in it.
  EXPECT_EQ(std::tuple(Sum(counts), counts[22], counts[11], counts[76]),
            std::tuple((10 - 4) * (8 - 4), 1, 0, 0));
  const std::string saved = ReadFile(Path("h.xls"));
  EXPECT_EQ(std::tuple(saved, std::count(saved.begin(), saved.end(), '\n'), m.SavedFileName),
            std::tuple(Lines(counts), 256, Path("h")));
  const ui::FileDialogSpec& dialog = ui.FileDialogs().at(0);
  EXPECT_EQ(dialog.title + "|" + dialog.filter + "|" + dialog.initialDir,
            "Save Histogram|File .xls|*.xls|File .ts|*.ts|" + Dir().string());
  // No guard: the same counts may be saved again.
  ui.save(Path("h2"));
  HistoGrisForm->BitBtnSaveClick();
  EXPECT_EQ(ReadFile(Path("h2.xls")), saved);
  // The parametric image counts every pixel without a border.
  m.ResultBorder = 0;
  ui.press<TDiagHistoForm>(&TDiagHistoForm::RadioButton2Click).ok<THistoGrisForm>();
  m.Histo1Click();
  EXPECT_EQ(std::tuple(DiagHistoForm->Source, HistoGrisForm->Counts[200], Sum(HistoGrisForm->Counts)),
            std::tuple(1, 80, 80));
  // The local histogram counts only the pixels under the mask value.
  DiagLocalHistoForm->GrayToneMaskEdit->setText("");
  EXPECT_EQ(DiagLocalHistoForm->MaskValue, 0);
  m.ResultBorder = 3;  // not used by the local histogram
  m.BinaryImage[0][0] = m.BinaryImage[9][7] = 12, m.BinaryImage[5][5] = 1;
  // Mask 12 (the edit reads its leading number) covers the pixels 0 and 97; no pixel holds 7.
  for (const auto& [mask, total, first, last] : {std::tuple("12a", 2, 1, 1), std::tuple("7", 0, 0, 0)}) {
    ui.dialog<TDiagLocalHistoForm>([mask](TDiagLocalHistoForm& f) {
      f.GrayToneMaskEditChange(mask);
      return ui::mrOk;
    });
    ui.press<TLocalHistoGrisForm>(&TLocalHistoGrisForm::BitBtn2Click).save(Path(mask));
    m.LocalHistogramClick();
    const GrayCounts& local = LocalHistoGrisForm->Counts;
    EXPECT_EQ(std::tuple(Sum(local), local[0], local[97]), std::tuple(total, first, last));
    EXPECT_EQ(ReadFile(Path(std::string(mask) + ".xls")), Lines(local));
  }
  EXPECT_EQ(ui.FileDialogs()[2].title + "|" + ui.FileDialogs()[2].filter,
            "Save Local Histogram|File .xls [*.xls]|*.xls|File .ts|*.ts");
  RecordingCanvas canvas, drawn;  // no counts, no bars: the axis and its ticks only
  LocalHistoGrisForm->PaintBoxPaint(canvas);
  EXPECT_EQ(canvas.lines.size(), 1u + 13u);
  // The highest bar reaches the top, the others in proportion; the axis and a tick.
  GrayCounts bars{};
  bars[0] = 4, bars[100] = 2;
  DrawHistogram(drawn, bars, 249);
  for (const auto& [x1, y1, x2, y2] :
       {std::array{0, 244, 0, 0}, std::array{100, 244, 100, 122}, std::array{1, 244, 1, 244},
        std::array{0, 244, 255, 244}, std::array{240, 248, 240, 244}})
    EXPECT_TRUE(drawn.HasLine(x1, y1, x2, y2)) << x1 << "," << y1 << " " << x2 << "," << y2;
}

}  // namespace
