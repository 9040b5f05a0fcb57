#include "Panel3Checks.h"
#include "diagrams/Histograms.h"

class LocalRoughnessTest : public Panel3Test {
 protected:
  void Run(const BytePlane& image, int answer, const char* refusal = "") {
    RunStarted(&TMainForm::LocRoughTreatment1Click, p3LocalRoughness, image, answer, "LOCAL ROUGHNESS",
               refusal);
  }
};
// One pixel of 255 on 0: 8 x 255 / 9 there (255), 255 / 9 around (trunc(254 / 8) + 1 = 32), 0 elsewhere (1).
TEST_F(LocalRoughnessTest, RefusalsThenASingleBrightPixelAndAFlatImage) {
  Run(BytePlane(6, 6), ui::mrNo);
  ExpectEarlierResult();
  Run(BytePlane(2, 9), ui::mrYes,
      "The image is too small: the roughness needs\nat least 3 lines and 3 columns");
  ExpectEarlierResult(cbTreatStart);
  BytePlane image(8, 7);
  image[3][4] = 255, HistoGrisForm->Counts[40] = 5;
  Run(image, ui::mrYes);
  EXPECT_EQ(ReadFile(report), "\n\n LOCAL ROUGHNESS \n\n\tMin = 0.000000  Max = 226.666667 ");
  const BytePlane& panel = MainForm->ResultImage;
  EXPECT_EQ(std::tuple(panel[3][4], panel[2][3], panel[4][5], panel[1][1], CountOf(panel, 255),
                       HistoGrisForm->Counts[40]),
            std::tuple(255, 32, 32, 1, 8 * 7 - 6 * 5 + 1, 0));  // the white frame and the pixel
  ExpectPublished(p3LocalRoughness, " LOCAL ROUGHNESS ", 1);
  Run(Flat(6, 5, 31), ui::mrYes);  // one tone (1) in a white frame
  EXPECT_EQ(std::tuple(CountOf(panel, 1), CountOf(panel, 255)), std::tuple(4 * 3, 6 * 5 - 4 * 3));
}
