// The histogram tools: what they count, what they save and how they paint.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <numeric>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "diagrams/Histograms.h"

namespace {

class HistogramsTest : public ProgramTest {
 protected:
  // A 10-line, 8-column image whose pixel (i, j) is 10 i + j; panel 3 holds 200 everywhere.
  void MakeImages() {
    MainForm->ImageLines = 10;
    MainForm->ImageColumns = 8;
    MainForm->OriginalImage = BytePlane(8, 10);
    MainForm->ResultImage = BytePlane(8, 10);
    MainForm->BinaryImage = BytePlane(8, 10);
    MainForm->ResultImage.Fill(200);
    MainForm->BinaryImage.Fill(255);
    for (int i = 0; i < 10; ++i)
      for (int j = 0; j < 8; ++j) MainForm->OriginalImage[i][j] = static_cast<std::uint8_t>(10 * i + j);
  }

  static std::string Lines(const GrayCounts& counts) {
    std::string text;
    for (int c : counts) text += std::to_string(c) + "\n";
    return text;
  }
};

int Sum(const GrayCounts& counts) {
  return std::accumulate(counts.begin(), counts.end(), 0);
}

TEST_F(HistogramsTest, LeavesTheResultBorderOutAndSavesTheCounts) {
  MakeImages();
  MainForm->ResultBorder = 2;
  MainForm->WorkDirectory = Dir().string();
  ui.ok<TDiagHistoForm>().press<THistoGrisForm>(&THistoGrisForm::BitBtnSaveClick).save(Path("h"), 2);
  MainForm->Histo1Click();

  const GrayCounts& counts = HistoGrisForm->Counts;
  EXPECT_EQ(Sum(counts), (10 - 4) * (8 - 4));
  EXPECT_EQ(std::tuple(counts[22], counts[11], counts[76]),
            std::tuple(1, 0, 0));  // 22 inside the frame, 11 and 76 in it
  const std::string saved = ReadFile(Path("h.xls"));
  EXPECT_EQ(saved, Lines(counts));
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 256);
  EXPECT_EQ(MainForm->SavedFileName, Path("h"));
  ASSERT_EQ(ui.FileDialogs().size(), 1u);
  EXPECT_EQ(ui.FileDialogs()[0].title, "Save Histogram");
  EXPECT_EQ(ui.FileDialogs()[0].filter, "File .xls|*.xls|File .ts|*.ts");
  EXPECT_EQ(ui.FileDialogs()[0].initialDir, Dir().string());

  // No guard: the same counts may be saved again.
  ui.save(Path("h2"));
  HistoGrisForm->BitBtnSaveClick();
  EXPECT_EQ(ReadFile(Path("h2.xls")), saved);
}

TEST_F(HistogramsTest, ParametricImageWithoutBorderCountsEveryPixel) {
  MakeImages();
  ui.press<TDiagHistoForm>(&TDiagHistoForm::RadioButton2Click).ok<THistoGrisForm>();
  MainForm->Histo1Click();
  EXPECT_EQ(std::tuple(DiagHistoForm->Source, HistoGrisForm->Counts[200], Sum(HistoGrisForm->Counts)),
            std::tuple(1, 80, 80));
}

TEST_F(HistogramsTest, LocalHistogramCountsOnlyTheMaskedPixels) {
  MakeImages();
  MainForm->ResultBorder = 3;  // not used by the local histogram
  MainForm->BinaryImage[0][0] = 12;
  MainForm->BinaryImage[9][7] = 12;
  MainForm->BinaryImage[5][5] = 1;
  ui.dialog<TDiagLocalHistoForm>([](TDiagLocalHistoForm& f) {
    f.GrayToneMaskEditChange("12a");
    return ui::mrOk;
  });
  ui.press<TLocalHistoGrisForm>(&TLocalHistoGrisForm::BitBtn2Click);
  ui.save(Path("l"));
  MainForm->LocalHistogramClick();
  const GrayCounts& counts = LocalHistoGrisForm->Counts;
  EXPECT_EQ(std::tuple(Sum(counts), counts[0], counts[97]), std::tuple(2, 1, 1));
  EXPECT_EQ(ReadFile(Path("l.xls")), Lines(counts));
  EXPECT_EQ(ui.FileDialogs()[0].title, "Save Local Histogram");
  EXPECT_EQ(ui.FileDialogs()[0].filter, "File .xls [*.xls]|*.xls|File .ts|*.ts");
}

TEST_F(HistogramsTest, ValueNoPixelHoldsGivesZeroCountsAndNoBars) {
  MakeImages();
  ui.dialog<TDiagLocalHistoForm>([](TDiagLocalHistoForm& f) {
    f.GrayToneMaskEditChange("7");
    return ui::mrOk;
  });
  ui.press<TLocalHistoGrisForm>(&TLocalHistoGrisForm::BitBtn2Click);
  ui.save(Path("z"));
  MainForm->LocalHistogramClick();
  std::string zeros;
  for (int g = 0; g < 256; ++g) zeros += "0\n";
  EXPECT_EQ(ReadFile(Path("z.xls")), zeros);

  RecordingCanvas canvas;
  LocalHistoGrisForm->PaintBoxPaint(canvas);
  EXPECT_EQ(canvas.lines.size(), 1u + 13u);  // the axis and its ticks only
}

TEST_F(HistogramsTest, HighestBarReachesTheTop) {
  GrayCounts counts{};
  counts[0] = 4;
  counts[100] = 2;
  RecordingCanvas canvas;
  DrawHistogram(canvas, counts, 249);
  EXPECT_TRUE(canvas.HasLine(0, 244, 0, 0));
  EXPECT_TRUE(canvas.HasLine(100, 244, 100, 122));
  EXPECT_TRUE(canvas.HasLine(1, 244, 1, 244));
  EXPECT_TRUE(canvas.HasLine(0, 244, 255, 244));
  EXPECT_TRUE(canvas.HasLine(240, 248, 240, 244));
}

TEST(HistogramWidgets, MaskEditReadsItsLeadingNumber) {
  TDiagLocalHistoForm form(nullptr);
  form.GrayToneMaskEdit->setText("12a");
  EXPECT_EQ(form.MaskValue, 12);
  form.GrayToneMaskEdit->setText("");
  EXPECT_EQ(form.MaskValue, 0);
}

}  // namespace
