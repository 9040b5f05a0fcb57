#include <QColor>
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "fixtures/Patterns.h"
#include "graytone/MorletForm.h"
#include "graytone/kernels/MorletWavelet.h"
#include "panels/ResultImage.h"

namespace {

auto Parameters(int h, double sigma, int dataIn = 0) {
  return [=](TMorletForm& f) {
    f.HalfWindowSize = h;
    f.Sigma = sigma;
    f.DataIn = dataIn;
    return ui::mrOk;
  };
}

std::int64_t Count(const BytePlane& plane, std::uint8_t value) {
  std::int64_t n = 0;
  for (std::size_t k = 0; k < plane.Size(); ++k) n += plane.Data()[k] == value;
  return n;
}

int Shown(int line, int column) {
  return qRed(ResultImageForm->Bitmap().pixel(column, line));
}

}  // namespace

class MorletTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    MorletForm->HalfWindowSize = 0;
    MorletForm->Sigma = 0;
    MorletForm->DataIn = 0;
  }
};

// A constant source answers one response everywhere: panel 3 is 0 (its border too), shown as 1 inside
// a white frame.
TEST_F(MorletTest, ConstantSourceIsOneTone) {
  BytePlane flat(11, 9);
  flat.Fill(80);
  LoadOriginal(std::move(flat));
  MainForm->ResultImage.Fill(7);
  MainForm->ColourMode = 3;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TMorletForm>(Parameters(2, 1.5));
  MainForm->MorletTreatment1Click();

  EXPECT_EQ(ReadFile(report),
            "\n\n MORLET WAVELET\n applied to the Original Image\n\n\tMoving Window: Range = 2  Size = 5 "
            "\n\tSigma Value = 1.500000 ");
  const TMainForm& m = *MainForm;
  EXPECT_EQ(Count(m.ResultImage, 0), 11 * 9);
  EXPECT_EQ(Shown(2, 2), 1);
  EXPECT_EQ(Shown(6, 8), 1);
  EXPECT_EQ(Shown(1, 2), 255);
  EXPECT_EQ(std::tuple(m.ResultBorder, m.Panel3Pending[p3Morlet], m.ColourMode), std::tuple(2, 1, 0));
  EXPECT_EQ(std::tuple(m.PanelCaption, m.SavedPanelCaption),
            std::tuple(std::string(" MORLET WAVELET "), std::string(" Morlet WAVELET ")));
  EXPECT_EQ(ResultImageForm->CaptionText(), " 3.-  MORLET WAVELET ");
  EXPECT_TRUE(m.IsEnabled("SaveParamSpeedButton1"));
  EXPECT_EQ(m.DialogCancelBytes[cbMorlet], 0);
}

// The parametric image filters panel 3 itself; the scale spans the responses' own extremes (here all
// responses lie above 100000, which once held the bottom of the scale there), and the highest is shown
// at 255, not one above.
TEST_F(MorletTest, ParametricImageScaledBetweenItsExtremes) {
  LoadOriginal(BytePlane(30, 28));
  BytePlane source = MakeRandomGray(30, 28, 12);
  for (std::size_t k = 0; k < source.Size(); ++k)
    source.Data()[k] = static_cast<std::uint8_t>(200 + source.Data()[k] % 56);
  MainForm->ResultImage = source.Clone();
  DoublePlane v(30, 28);
  const MorletResult expected = MorletResponse(source, 10, 20.0, v);
  ASSERT_GT(expected.Min, 100000.0);
  BytePlane gray;
  MorletToGray(v, 10, expected.Min, expected.Max, gray);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TMorletForm>(Parameters(10, 20.0, 2));
  MainForm->MorletTreatment1Click();
  EXPECT_EQ(Bytes(MainForm->ResultImage), Bytes(gray));
  EXPECT_EQ(Count(MainForm->ResultImage, 255), 1);
  EXPECT_EQ(Count(MainForm->ResultImage, 0), 30 * 28 - 10 * 8 + 1);  // the border and the lowest
  for (int i = 10; i < 18; ++i)
    for (int j = 10; j < 20; ++j) ASSERT_EQ(Shown(i, j), std::min(gray[i][j] + 1, 255)) << i << "," << j;
  EXPECT_NE(ReadFile(report).find("\n applied to the Parametric Image\n"), std::string::npos);
  EXPECT_TRUE(MorletForm->DataInButtons[2]->isChecked());
}

TEST_F(MorletTest, BinaryImageIsFilteredAsStored) {
  BytePlane binary(9, 9);
  binary.Fill(255);
  binary[4][4] = 1;
  LoadBinary(binary.Clone());
  DoublePlane v(9, 9);
  const MorletResult expected = MorletResponse(binary, 1, 1.0, v);
  ui.dialog<TMorletForm>(Parameters(1, 1.0, 1));
  MainForm->MorletTreatment1Click();
  BytePlane gray;
  MorletToGray(v, 1, expected.Min, expected.Max, gray);
  EXPECT_EQ(Bytes(MainForm->ResultImage), Bytes(gray));
  EXPECT_EQ(MainForm->ResultImage[4][4], 0);  // the item lowers the response of its own pixel most
}

TEST_F(MorletTest, RefusalsEndTheTreatment) {
  struct Case {
    int h;
    double sigma;
    const char* title;
    const char* text;
  };
  const Case cases[] = {
      {0, 1.0, "ERROR", "Half Window Size not defined"},
      {2, 0.0, "ERROR", "Sigma not defined"},
      {-2, 1.0, "INCORRECT VALUE", "The Half Window Size must be positive"},
      {2, 1e-200, "INCORRECT VALUE", "Sigma out of range for this window"},
      {2, std::nan(""), "INCORRECT VALUE", "Sigma out of range for this window"},
      {5, 1.0, "MORLET WAVELET", "The moving window (11 pixels a side)\nis larger than the image"},
  };
  LoadOriginal(MakeRandomGray(12, 10, 3));
  const std::string report = ReportInto(Path("report.txt"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    MainForm->ResultImage.Fill(7);
    MainForm->Panel3Pending[p3CubicDensity] = 1;
    MainForm->DialogCancelBytes[cbMorlet] = 1;
    ui.dialog<TMorletForm>(Parameters(c.h, c.sigma)).message(c.title, c.text);
    MainForm->MorletTreatment1Click();
    EXPECT_EQ(Count(MainForm->ResultImage, 7), 120);
    EXPECT_EQ(MainForm->Panel3Pending[p3CubicDensity], 1);
    EXPECT_EQ(MainForm->DialogCancelBytes[cbMorlet], 0);
  }
  EXPECT_EQ(ReadFile(report), "");
}

TEST_F(MorletTest, DialogControls) {
  MorletForm->SigmaEdit->setText("2.5e");
  MorletForm->HWSEdit->setText("7");
  MorletForm->DataInButtons[1]->click();
  EXPECT_EQ(std::tuple(MorletForm->Sigma, MorletForm->HalfWindowSize, MorletForm->DataIn),
            std::tuple(2.5, 7, 1));
  EXPECT_TRUE(MorletForm->CloseIsOk);  // no Cancel: closing the window goes on as OK does
}
