#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "app/TreatStartForm.h"
#include "diagrams/Histograms.h"
#include "panels/ResultImage.h"

namespace {

constexpr const char* kCaption = " LOCAL ROUGHNESS ";

std::int64_t Count(const BytePlane& plane, std::uint8_t value) {
  std::int64_t n = 0;
  for (std::size_t k = 0; k < plane.Size(); ++k) n += plane.Data()[k] == value;
  return n;
}

}  // namespace

class LocalRoughnessTest : public ProgramTest {};

// One pixel of 255 on 0: 8 x 255 / 9 there (gray 255), 255 / 9 around it (gray 32), 0 elsewhere (1).
TEST_F(LocalRoughnessTest, SingleBrightPixel) {
  BytePlane image(8, 7);
  image[3][4] = 255;
  LoadOriginal(std::move(image));
  MainForm->ResultImage.Fill(7);
  HistoGrisForm->Counts[40] = 5;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TTreatStartForm>([](TTreatStartForm& f) {
    f.YesClick();
    return ui::mrYes;
  });
  MainForm->LocRoughTreatment1Click();

  EXPECT_EQ(ReadFile(report), "\n\n LOCAL ROUGHNESS \n\n\tMin = 0.000000  Max = 226.666667 ");
  const TMainForm& m = *MainForm;
  EXPECT_EQ(m.ResultImage[3][4], 255);
  EXPECT_EQ(m.ResultImage[2][3], 32);
  EXPECT_EQ(m.ResultImage[4][5], 32);
  EXPECT_EQ(m.ResultImage[1][1], 1);
  EXPECT_EQ(Count(m.ResultImage, 255), 8 * 7 - 6 * 5 + 1);  // the frame and the pixel
  EXPECT_EQ(std::tuple(m.ResultBorder, m.Panel3Pending[p3LocalRoughness]), std::tuple(1, 1));
  EXPECT_EQ(std::tuple(m.PanelCaption, m.SavedPanelCaption), std::tuple(kCaption, kCaption));
  EXPECT_EQ(ResultImageForm->CaptionText(), std::string(" 3.- ") + kCaption);
  EXPECT_EQ(HistoGrisForm->Counts[40], 0);
  EXPECT_TRUE(m.IsEnabled("SaveParamSpeedButton1"));
}

TEST_F(LocalRoughnessTest, FlatImageIsOneTone) {
  BytePlane flat(6, 5);
  flat.Fill(31);
  LoadOriginal(std::move(flat));
  ui.dialog<TTreatStartForm>([](TTreatStartForm&) { return ui::mrYes; });
  MainForm->LocRoughTreatment1Click();
  EXPECT_EQ(Count(MainForm->ResultImage, 1), 4 * 3);
  EXPECT_EQ(Count(MainForm->ResultImage, 255), 6 * 5 - 4 * 3);
}

TEST_F(LocalRoughnessTest, NoAndSmallImagesChangeNothing) {
  for (auto [columns, lines, refuse] : {std::tuple{6, 6, true}, std::tuple{2, 9, false}}) {
    LoadOriginal(BytePlane(columns, lines));
    MainForm->ResultImage.Fill(7);
    MainForm->Panel3Pending[p3CubicDensity] = 1;
    const std::string report = ReportInto(Path("report" + std::to_string(columns) + ".txt"));
    if (refuse) {
      ui.dialog<TTreatStartForm>([](TTreatStartForm& f) {
        f.NoClick();
        return ui::mrNo;
      });
    } else {
      ui.dialog<TTreatStartForm>([](TTreatStartForm&) { return ui::mrYes; })
          .message("LOCAL ROUGHNESS",
                   "The image is too small: the roughness needs\nat least 3 lines and 3 columns");
    }
    MainForm->LocRoughTreatment1Click();
    EXPECT_EQ(Count(MainForm->ResultImage, 7), columns * lines);
    EXPECT_EQ(MainForm->Panel3Pending[p3CubicDensity], 1);
    EXPECT_EQ(MainForm->DialogCancelBytes[cbTreatStart], 0);
    EXPECT_EQ(ReadFile(report), "");
  }
}
