#include <QAction>
#include <QColor>
#include <QLineEdit>
#include <QRadioButton>
#include <string>
#include <tuple>
#include <vector>

#include "Program.h"
#include "app/MainWindow.h"
#include "fixtures/Patterns.h"
#include "graytone/Pins.h"
#include "panels/ImageWindow.h"
#include "panels/ReportForm.h"
#include "panels/ResultImage.h"

namespace {

const char* const kPinsCaption = " PANEL 3 = PINS STREATCHING ";

// Pixel (i, j) = j on 4 lines of 6 columns: its cross sums are 1, 5, 10, 15, 20, 24 on every line.
BytePlane ColumnRamp() {
  BytePlane plane(6, 4);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 6; ++j) plane[i][j] = static_cast<std::uint8_t>(j);
  return plane;
}

std::vector<int> Row(const BytePlane& plane, int line) {
  return std::vector<int>(plane[line], plane[line] + plane.Columns());
}

std::vector<int> BitmapRow(const TPanelForm& panel, int line) {
  std::vector<int> row;
  for (int x = 0; x < panel.Bitmap().width(); ++x) row.push_back(qGray(panel.Bitmap().pixel(x, line)));
  return row;
}

auto Pins(int vicinity, int imageChoice, int saturation = 0, double global = 0, double left = 0,
          double right = 0) {
  return [=](TPinsForm& f) {
    f.Vicinity = vicinity;
    f.ImageChoice = imageChoice;
    f.Saturation = saturation;
    f.GlobPerc = global;
    f.LeftPerc = left;
    f.RigthPerc = right;
    return ui::mrOk;
  };
}

}  // namespace

class PinsTreatmentTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(ColumnRamp());
    MainForm->SavedPanelCaption = "original.raw";
  }
};

TEST_F(PinsTreatmentTest, StretchesPanelOneInPlaceAndShowsIt) {
  TMainForm& m = *MainForm;
  m.ResultImage.Fill(9);
  // A colour result stood in the panels: the gray result ends it.
  m.ColourMode = 3;
  m.Panel3Pending[p3SingleSuperposition] = m.Panel3Pending[p3ColouredOriginal] = 1;
  m.Panel3Pending[p3Morlet] = 1;
  ui.dialog<TPinsForm>(Pins(4, 0));
  m.PinsTreatment1Click();

  const std::vector<int> stretched = {0, 44, 99, 155, 210, 255};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Row(m.OriginalImage, i), stretched);
  EXPECT_EQ(Bytes(m.UndoImage), Bytes(ColumnRamp()));
  EXPECT_EQ(Row(m.ResultImage, 2), std::vector<int>(6, 9));
  EXPECT_EQ(BitmapRow(*ImageForm, 3), stretched);
  EXPECT_EQ(std::tuple(m.PanelCaption, ImageForm->CaptionText()), std::tuple(kPinsCaption, kPinsCaption));
  EXPECT_EQ(EnabledOf("UndoSpeedButton1"), "UndoSpeedButton1");
  EXPECT_EQ((std::vector<int>{m.ColourMode, m.Panel3Pending[p3SingleSuperposition],
                              m.Panel3Pending[p3ColouredOriginal], m.Panel3Pending[p3Morlet]}),
            (std::vector<int>{0, 0, 0, 1}));
}

TEST_F(PinsTreatmentTest, SaturationCutsTheExtremeSumsOfTheChosenPanel) {
  TMainForm& m = *MainForm;
  m.ResultImage = ColumnRamp();
  // Symmetric 10 %: n = 2 pixels, cuts 9 and 16.
  ui.dialog<TPinsForm>(Pins(4, 1, 1, 10));
  m.PinsTreatment1Click();
  EXPECT_EQ(Row(m.ResultImage, 0), (std::vector<int>{0, 0, 32, 190, 255, 255}));
  EXPECT_EQ(BitmapRow(*ResultImageForm, 1), (std::vector<int>{0, 0, 32, 190, 255, 255}));
  EXPECT_EQ(ResultImageForm->CaptionText(), kPinsCaption);
  EXPECT_EQ(Bytes(m.OriginalImage), Bytes(ColumnRamp()));
  // The undo goes back to panel 3.
  m.OriginalImage.Fill(1);
  m.UndoSpeedButton1Click();
  EXPECT_EQ(std::tuple(Bytes(m.ResultImage), m.OriginalImage[0][0], ResultImageForm->CaptionText()),
            std::tuple(Bytes(ColumnRamp()), 1, "original.raw"));

  // Asymmetric 0 % and 10 %: cuts 4 and 16. The global percentage is not used.
  m.ResultImage = ColumnRamp();
  ui.dialog<TPinsForm>(Pins(4, 1, 2, 80, 0, 10));
  m.PinsTreatment1Click();
  EXPECT_EQ(Row(m.ResultImage, 3), (std::vector<int>{0, 20, 117, 215, 255, 255}));

  // Vicinity 0 (no choice made) is the cross; the square gives sums 2 .. 43 and 9 at (1, 1).
  for (const auto& [vicinity, first] : {std::pair{0, 44}, {8, 43}}) {
    m.OriginalImage = ColumnRamp();
    ui.dialog<TPinsForm>(Pins(vicinity, 0));
    m.PinsTreatment1Click();
    EXPECT_EQ(m.OriginalImage[1][1], first) << vicinity;
  }
}

TEST_F(PinsTreatmentTest, StretchingTwiceThenUndoGivesTheFirstResult) {
  TMainForm& m = *MainForm;
  m.OriginalImage = MakeRandomGray(30, 20, 5);
  ui.dialog<TPinsForm>(Pins(8, 0, 1, 5));
  m.PinsTreatment1Click();
  const std::string first = Bytes(m.OriginalImage);
  ui.dialog<TPinsForm>(Pins(4, 0));
  m.PinsTreatment1Click();
  EXPECT_NE(Bytes(m.OriginalImage), first);

  m.Item("UndoSpeedButton1")->trigger();
  EXPECT_EQ(Bytes(m.OriginalImage), first);
  EXPECT_EQ(BitmapRow(*ImageForm, 7), Row(m.OriginalImage, 7));
  EXPECT_EQ(std::tuple(m.PanelCaption, ImageForm->CaptionText()), std::tuple("original.raw", "original.raw"));
  EXPECT_EQ(EnabledOf("UndoSpeedButton1"), "");
  // One level only: the button is off, a second press does nothing.
  m.OriginalImage.Fill(3);
  m.Item("UndoSpeedButton1")->trigger();
  EXPECT_EQ(Row(m.OriginalImage, 0), std::vector<int>(30, 3));
}

TEST_F(PinsTreatmentTest, ARefusedStretchingChangesNothingAndUndoKeepsItsPanel) {
  TMainForm& m = *MainForm;
  ui.dialog<TPinsForm>(Pins(4, 0));
  m.PinsTreatment1Click();
  const std::string stretched = Bytes(m.OriginalImage);
  m.ResultImage = ColumnRamp();
  m.PanelCaption = "kept";
  m.ColourMode = 3;
  struct Case {
    double global, left, right;
    const char* text;
  };
  const Case cases[] = {
      // 50 % of the 24 pixels is more than the 8 inner pixels hold.
      {50, 0, 0, "No cut can be found with this percentage\nThe image is unchanged"},
      {0, 0, 50, "No cut can be found with this percentage\nThe image is unchanged"},
      {30, 0, 0, "The low cut (19) is not below the high cut (6)\nThe image is unchanged"},
  };
  for (const Case& c : cases) {
    ui.dialog<TPinsForm>(Pins(4, 1, c.left + c.right > 0 ? 2 : 1, c.global, c.left, c.right))
        .message("ERROR", c.text);
    m.PinsTreatment1Click();
    EXPECT_EQ(Bytes(m.ResultImage), Bytes(ColumnRamp()));
    EXPECT_EQ(Bytes(m.UndoImage), Bytes(ColumnRamp()));  // still the image before the first stretching
    EXPECT_EQ(std::tuple(m.PanelCaption, m.ColourMode, EnabledOf("UndoSpeedButton1")),
              std::tuple("kept", 3, "UndoSpeedButton1"));
  }
  // The dialog now says panel 3, but the undo image is panel 1's.
  m.UndoSpeedButton1Click();
  EXPECT_EQ(Bytes(m.OriginalImage), Bytes(ColumnRamp()));
  EXPECT_EQ(Bytes(m.ResultImage), Bytes(ColumnRamp()));
  EXPECT_NE(stretched, Bytes(ColumnRamp()));
}

TEST_F(PinsTreatmentTest, DialogPanelsFollowTheSaturationAndEditsConvert) {
  TPinsForm& f = *PinsForm;
  EXPECT_EQ(std::tuple(f.Saturation, f.Vicinity, f.ImageChoice, f.RadioButton3->isChecked(),
                       f.RadioButton1->isChecked(), f.RadioButton2->isChecked()),
            std::tuple(0, 0, 0, true, false, false));
  f.show();
  f.RadioButton4Click();
  EXPECT_EQ(std::tuple(f.Saturation, f.SymPanel->isVisible(), f.AsymPanel->isVisible()),
            std::tuple(1, true, false));
  f.RadioButton5Click();
  EXPECT_EQ(std::tuple(f.Saturation, f.SymPanel->isVisible(), f.AsymPanel->isVisible()),
            std::tuple(2, false, true));
  f.RadioButton2Click();
  f.RadioButton7Click();
  EXPECT_EQ(std::tuple(f.Vicinity, f.ImageChoice, f.RadioButton1->isChecked()), std::tuple(8, 1, false));
  f.GlobPercEdit->setText(QStringLiteral("12.5x"));
  f.LeftPercEdit->setText(QStringLiteral("abc"));
  f.RigthPercEdit->setText(QStringLiteral(" 3"));
  EXPECT_EQ(std::tuple(f.GlobPerc, f.LeftPerc, f.RigthPerc), std::tuple(12.5, 0.0, 3.0));
  f.BitBtn1Click();
  EXPECT_EQ(std::tuple(f.SymPanel->isVisibleTo(&f), f.AsymPanel->isVisibleTo(&f), f.ModalResult()),
            std::tuple(false, false, int(ui::mrOk)));
  f.RadioButton3Click();
  EXPECT_EQ(f.Saturation, 0);
}

TEST_F(PinsTreatmentTest, ANewOriginalImageEndsTheUndo) {
  TMainForm& m = *MainForm;
  ui.dialog<TPinsForm>(Pins(4, 0));
  m.PinsTreatment1Click();
  ui.dialog<TPinsForm>(Pins(4, 0));
  m.PinsTreatment1Click();  // the work buffer is in use too
  ASSERT_FALSE(m.PinsWorkImage.Empty());

  WriteFile(Path("next.raw"), std::string(12, '\x05'));
  WriteFile(Path("next.txt"), "3\n4\n");
  ui.open(Path("next.raw"), 1).dialog<TReportForm>(NoReport);
  m.Open1Click();
  EXPECT_EQ(EnabledOf("UndoSpeedButton1"), "");
  EXPECT_TRUE(m.UndoImage.Empty() && m.PinsWorkImage.Empty());
  // Pressed all the same, the undo finds nothing to restore.
  m.UndoSpeedButton1Click();
  EXPECT_EQ(Row(m.OriginalImage, 2), std::vector<int>(4, 5));
}
