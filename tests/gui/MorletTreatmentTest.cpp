#include <QLineEdit>
#include <QRadioButton>
#include <cmath>
#include <span>

#include "Panel3Checks.h"
#include "graytone/MorletForm.h"
#include "graytone/kernels/MorletWavelet.h"

class MorletTest : public Panel3Test {};

// A constant source answers one response everywhere: panel 3 is 0 (border too), shown 1 in a white frame.
TEST_F(MorletTest, RefusalsConstantSourceAndEachSourceScaledBetweenItsExtremes) {
  const auto answer = FormAnswer(&TMorletForm::HalfWindowSize, &TMorletForm::Sigma, &TMorletForm::DataIn);
  PutEarlierResult(p3Morlet, Flat(11, 9, 80));
  for (auto [h, sigma, title, text] :
       {std::tuple(0, 1.0, "ERROR", "Half Window Size not defined"),
        {2, 0.0, "ERROR", "Sigma not defined"},
        {-2, 1.0, "INCORRECT VALUE", "The Half Window Size must be positive"},
        {2, 1e-200, "INCORRECT VALUE", "Sigma out of range for this window"},
        {2, std::nan(""), "INCORRECT VALUE", "Sigma out of range for this window"},
        {5, 1.0, "MORLET WAVELET", "The moving window (11 pixels a side)\nis larger than the image"}}) {
    MainForm->DialogCancelBytes[cbMorlet] = 1;
    ui.dialog<TMorletForm>(answer(h, sigma, 0)).message(title, text);
    MainForm->MorletTreatment1Click();
    ExpectEarlierResult(cbMorlet);
  }
  ui.dialog<TMorletForm>([](TMorletForm& f) {
    f.SigmaEdit->setText("1.5e"), f.HWSEdit->setText("2"), f.DataInButtons[0]->click();
    return ui::mrOk;
  });
  MainForm->MorletTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            "\n\n MORLET WAVELET\n applied to the Original Image\n\n\tMoving Window: Range = 2  Size = 5 "
            "\n\tSigma Value = 1.500000 ");
  EXPECT_EQ(std::tuple(CountOf(MainForm->ResultImage, 0), ShownGray(2, 2), ShownGray(6, 8), ShownGray(1, 2),
                       MainForm->SavedPanelCaption),
            std::tuple(11 * 9, 1, 1, 255, " Morlet WAVELET "));
  ExpectPublished(p3Morlet, " MORLET WAVELET ", 2);
  // Each source as stored, between its own extremes (above 100000, once the scale's bottom), top 255.
  const char* names[] = {"Original", "Binary", "Parametric"};
  BytePlane sources[3];  // uniform grays of 200 .. 255
  for (int k = 0; k < 3; ++k) {
    sources[k] = MakeRandomGray(30, 28, 12 + k);
    for (std::uint8_t& gray : std::span(sources[k].Data(), sources[k].Size())) gray = 200 + gray % 56;
  }
  for (int dataIn : {0, 1, 2}) {
    LoadOriginal(sources[0].Clone());
    std::tie(MainForm->BinaryImage, MainForm->ResultImage) =
        std::tuple(sources[1].Clone(), sources[2].Clone());
    DoublePlane v(30, 28);
    const MorletResult expected = MorletResponse(sources[dataIn], 10, 20.0, v);
    ASSERT_GT(expected.Min, 100000.0);
    BytePlane gray;
    MorletToGray(v, 10, expected.Min, expected.Max, gray);
    report = ReportInto(Path("report" + std::to_string(dataIn) + ".txt"));
    ui.dialog<TMorletForm>(answer(10, 20.0, dataIn));
    MainForm->MorletTreatment1Click();
    EXPECT_EQ(Bytes(MainForm->ResultImage), Bytes(gray)) << names[dataIn];
    for (int k = 0; k < 8 * 10; ++k)  // lines 10 .. 17, columns 10 .. 19
      ASSERT_EQ(ShownGray(10 + k / 10, 10 + k % 10), std::min(gray[10 + k / 10][10 + k % 10] + 1, 255)) << k;
    EXPECT_EQ(ReadFile(report),
              std::string("\n\n MORLET WAVELET\n applied to the ") + names[dataIn] +
                  " Image\n\n\tMoving Window: Range = 10  Size = 21 \n\tSigma Value = 20.000000 ");
  }
}
