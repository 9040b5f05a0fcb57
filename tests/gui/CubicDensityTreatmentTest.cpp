#include <QColor>
#include <QLineEdit>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "diagrams/DiagramForm.h"
#include "fixtures/Patterns.h"
#include "graytone/CubicGeneForm.h"
#include "graytone/kernels/CubicDensity.h"
#include "panels/ResultImage.h"

namespace {

constexpr const char* kCaption = " CUBIC DENSITY ";

auto Parameters(int h, int jump) {
  return [=](TCubicGeneForm& f) {
    f.HalfWindowSize = h;
    f.RadiometricJump = jump;
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

class CubicDensityTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    CubicGeneForm->HalfWindowSize = CubicGeneForm->RadiometricJump = kCubicUndefined;
  }
};

// A flat image: the half-filled cube, 169, 152, 145 in panel 3 for h = 1, 2, 3, shown one gray above;
// the border of width h is white in panel 3 as in the picture.
TEST_F(CubicDensityTest, FlatImageGivesTheHalfFilledCube) {
  for (auto [h, value] : {std::pair{1, 169}, std::pair{2, 152}, std::pair{3, 145}}) {
    SCOPED_TRACE(h);
    BytePlane flat(12, 10);
    flat.Fill(40);
    LoadOriginal(std::move(flat));
    MainForm->ResultImage.Fill(7);
    MainForm->ColourMode = 3;
    const std::string report = ReportInto(Path("report" + std::to_string(h) + ".txt"));
    ui.dialog<TCubicGeneForm>(Parameters(h, 2));
    MainForm->CubicDensityTreatment1Click();

    EXPECT_EQ(ReadFile(report), Format("\n\n CUBIC DENSITY\n\n\tMoving Window: Range = %d  Size = %d "
                                       "\n\tReflectance jumping = 2 ",
                                       h, 2 * h + 1));
    const TMainForm& m = *MainForm;
    const int inside = (12 - 2 * h) * (10 - 2 * h);
    EXPECT_EQ(Count(m.ResultImage, static_cast<std::uint8_t>(value)), inside);
    EXPECT_EQ(Count(m.ResultImage, 255), 12 * 10 - inside);
    EXPECT_EQ(Shown(h, h), value + 1);
    EXPECT_EQ(Shown(h - 1, h), 255);
    EXPECT_EQ(std::tuple(m.ResultBorder, m.Panel3Pending[p3CubicDensity], m.ColourMode), std::tuple(h, 1, 0));
    EXPECT_EQ(std::tuple(m.PanelCaption, m.SavedPanelCaption), std::tuple(kCaption, kCaption));
    EXPECT_EQ(ResultImageForm->CaptionText(), std::string(" 3.- ") + kCaption);
    EXPECT_TRUE(m.IsEnabled("SaveParamSpeedButton1"));
  }
}

// The plane saved is panel 3 itself, not the picture shown one gray above.
TEST_F(CubicDensityTest, RandomImageIsSavedAsComputed) {
  const BytePlane image = MakeRandomGray(25, 20, 4);
  BytePlane expected;
  ASSERT_TRUE(CubicDensity(image, 2, 3, expected));
  LoadOriginal(image.Clone());
  MainForm->WorkDirectory = Dir().string();
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TCubicGeneForm>(Parameters(2, 3)).save(Path("cubic"), 1);
  MainForm->CubicDensityTreatment1Click();
  EXPECT_EQ(Bytes(MainForm->ResultImage), Bytes(expected));
  EXPECT_EQ(Shown(5, 7), expected[5][7] + 1);
  const std::string before = ReadFile(report);
  MainForm->SaveParamSpeedButton1Click();
  EXPECT_EQ(ReadFile(Path("cubic.raw")), Bytes(expected));
  EXPECT_EQ(ReadFile(report), before + "\n\n\tCubic Density registered as: " + Path("cubic.raw"));
}

// Each refusal ends the treatment after its message: the dialog is not shown again.
TEST_F(CubicDensityTest, RefusalsAndCancelChangeNothing) {
  struct Case {
    int h, jump;
    const char* title;
    const char* text;
  };
  const Case cases[] = {
      {kCubicUndefined, 2, "ERROR", "Half Window Size not defined"},
      {0, 2, "ERROR", "Half Window Size not defined"},
      {-3, 2, "ERROR", "Half Window Size not defined"},
      {1, kCubicUndefined, "ERROR", "Radiometric Jump not defined"},
      {1, 0, "ERROR", "Radiometric Jump not defined"},
      {5, 1, "CUBIC DENSITY", "The moving window (11 pixels a side)\nis larger than the image"},
      {2147483647, 1, "CUBIC DENSITY",
       "The moving window (4294967295 pixels a side)\nis larger than the image"},
  };
  LoadOriginal(MakeRandomGray(12, 10, 1));
  const std::string report = ReportInto(Path("report.txt"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    MainForm->ResultImage.Fill(7);
    MainForm->Panel3Pending[p3Morlet] = 1;
    ui.dialog<TCubicGeneForm>(Parameters(c.h, c.jump)).message(c.title, c.text);
    MainForm->CubicDensityTreatment1Click();
    EXPECT_EQ(Count(MainForm->ResultImage, 7), 120);
    EXPECT_EQ(MainForm->Panel3Pending[p3Morlet], 1);
  }
  ui.dialog<TCubicGeneForm>([](TCubicGeneForm& f) {
    f.HalfWindowSize = 1;
    f.RadiometricJump = 1;
    return ui::mrCancel;
  });
  MainForm->CubicDensityTreatment1Click();
  EXPECT_EQ(Count(MainForm->ResultImage, 7), 120);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbCubicGene], 0);
  EXPECT_EQ(ReadFile(report), "");
}

TEST_F(CubicDensityTest, EditsConvertAtEachChange) {
  CubicGeneForm->HWSEdit->setText("4b");
  CubicGeneForm->JumpEdit->setText("3");
  CubicGeneForm->JumpEdit->setText("");
  EXPECT_EQ(std::tuple(CubicGeneForm->HalfWindowSize, CubicGeneForm->RadiometricJump), std::tuple(4, 0));
}
