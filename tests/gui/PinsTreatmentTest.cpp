#include <QAction>
#include <QLineEdit>
#include <QRadioButton>

#include "Program.h"
#include "fixtures/Pixels.h"
#include "graytone/Pins.h"

class PinsTreatmentTest : public ProgramTest {
 protected:
  static constexpr const char* kPinsCaption = " PANEL 3 = PINS STREATCHING ";
  const std::vector<int> kStretched = {0, 44, 99, 155, 210, 255};  // the cross sums 1, 5, 10, 15, 20, 24
  // Pixel (i, j) = j on 4 lines of 6 columns.
  static BytePlane ColumnRamp() { return MakeNumbered(6, 4, 0); }
  static std::vector<int> BitmapRow(const TPanelForm& panel, int line) {
    std::vector<int> row(panel.Bitmap().width());
    for (int x = 0; x < int(row.size()); ++x) row[x] = qGray(panel.Bitmap().pixel(x, line));
    return row;
  }
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(ColumnRamp());
    MainForm->SavedPanelCaption = "original.raw";
  }
  // The dialog's values, then the treatment; `refusal` is the message it then shows, if any.
  void Stretch(int vicinity, int imageChoice, int saturation = 0, double global = 0, double left = 0,
               double right = 0, const char* refusal = nullptr) {
    ui.dialog<TPinsForm>(FormAnswer(&TPinsForm::Vicinity, &TPinsForm::ImageChoice, &TPinsForm::Saturation,
                                    &TPinsForm::GlobPerc, &TPinsForm::LeftPerc, &TPinsForm::RigthPerc)(
        vicinity, imageChoice, saturation, global, left, right));
    if (refusal) ui.message("ERROR", refusal);
    MainForm->PinsTreatment1Click();
  }
};
// Panel 1 in place, a colour result ended; stretched again, then Undo gives the first result, once. Pressed
// all the same after a new image, the undo finds nothing to restore.
TEST_F(PinsTreatmentTest, StretchesPanelOneInPlaceAndUndoesOneLevelTillANewImage) {
  TMainForm& m = *MainForm;
  m.ResultImage.Fill(9), m.ColourMode = 3;
  for (Panel3Result r : {p3SingleSuperposition, p3ColouredOriginal, p3Morlet}) m.Panel3Pending[r] = 1;
  Stretch(4, 0);
  EXPECT_EQ(std::tuple(Bytes(m.UndoImage), RowOf(m.ResultImage, 2), BitmapRow(*ImageForm, 3), m.PanelCaption,
                       ImageForm->CaptionText(), EnabledOf("UndoSpeedButton1"), m.ColourMode,
                       m.Panel3Pending[p3SingleSuperposition], m.Panel3Pending[p3ColouredOriginal],
                       m.Panel3Pending[p3Morlet]),
            std::tuple(Bytes(ColumnRamp()), std::vector<int>(6, 9), kStretched, kPinsCaption, kPinsCaption,
                       "UndoSpeedButton1", 0, 0, 0, 1));
  m.OriginalImage = MakeRandomGray(30, 20, 5);
  Stretch(8, 0, 1, 5);
  const std::string first = Bytes(m.OriginalImage);
  Stretch(4, 0), m.ColourMode = 3;
  ASSERT_NE(Bytes(m.OriginalImage), first);
  m.Item("UndoSpeedButton1")->trigger();
  EXPECT_EQ(std::tuple(Bytes(m.OriginalImage), BitmapRow(*ImageForm, 7), m.PanelCaption,
                       ImageForm->CaptionText(), EnabledOf("UndoSpeedButton1"), m.ColourMode),
            std::tuple(first, RowOf(m.OriginalImage, 7), "original.raw", "original.raw", "", 0));
  m.OriginalImage.Fill(3);  // one level only: a second press does nothing
  m.Item("UndoSpeedButton1")->trigger();
  EXPECT_EQ(RowOf(m.OriginalImage, 0), std::vector<int>(30, 3));
  Stretch(4, 0), Stretch(4, 0);  // the work buffer is in use too
  ASSERT_FALSE(m.PinsWorkImage.Empty());
  OpenThroughTheMenu(ColumnRamp());
  EXPECT_EQ(std::tuple(EnabledOf("UndoSpeedButton1"), m.UndoImage.Empty(), m.PinsWorkImage.Empty()),
            std::tuple("", true, true));
  m.UndoSpeedButton1Click();
  EXPECT_EQ(RowOf(m.OriginalImage, 2), RowOf(ColumnRamp(), 2));
}
// Symmetric 10 %: cuts 9 and 16; asymmetric 0 / 10 %: 4 and 16; the square's sums 2 .. 43, 9 at (1, 1).
TEST_F(PinsTreatmentTest, SaturationCutsTheExtremeSumsOfTheChosenPanel) {
  TMainForm& m = *MainForm;
  m.ResultImage = ColumnRamp();
  Stretch(4, 1, 1, 10);
  const std::vector<int> cut = {0, 0, 32, 190, 255, 255};
  EXPECT_EQ(std::tuple(RowOf(m.ResultImage, 0), BitmapRow(*ResultImageForm, 1),
                       ResultImageForm->CaptionText(), Bytes(m.OriginalImage)),
            std::tuple(cut, cut, kPinsCaption, Bytes(ColumnRamp())));
  m.OriginalImage.Fill(1);  // the undo goes back to panel 3
  m.UndoSpeedButton1Click();
  EXPECT_EQ(std::tuple(Bytes(m.ResultImage), m.OriginalImage[0][0], ResultImageForm->CaptionText()),
            std::tuple(Bytes(ColumnRamp()), 1, "original.raw"));
  m.ResultImage = ColumnRamp();
  Stretch(4, 1, 2, 80, 0, 10);
  EXPECT_EQ(RowOf(m.ResultImage, 3), (std::vector<int>{0, 20, 117, 215, 255, 255}));
  for (const auto& [vicinity, first] : {std::pair{0, 44}, {8, 43}}) {
    m.OriginalImage = ColumnRamp();
    Stretch(vicinity, 0);
    EXPECT_EQ(m.OriginalImage[1][1], first) << vicinity;
  }
}
// 50 % of the 24 pixels is more than the 8 inner ones hold; Undo still restores panel 1.
TEST_F(PinsTreatmentTest, ARefusedStretchingChangesNothingAndUndoKeepsItsPanel) {
  TMainForm& m = *MainForm;
  Stretch(4, 0);
  std::tie(m.ResultImage, m.PanelCaption, m.ColourMode) = std::tuple(ColumnRamp(), "kept", 3);
  const char* noCut = "No cut can be found with this percentage\nThe image is unchanged";
  for (auto [saturation, global, right, text] :
       {std::tuple(1, 50.0, 0.0, noCut),
        {2, 0.0, 50.0, noCut},
        {1, 30.0, 0.0, "The low cut (19) is not below the high cut (6)\nThe image is unchanged"}}) {
    Stretch(4, 1, saturation, global, 0, right, text);
    EXPECT_EQ(std::tuple(Bytes(m.ResultImage), Bytes(m.UndoImage), m.PanelCaption, m.ColourMode,
                         EnabledOf("UndoSpeedButton1")),
              std::tuple(Bytes(ColumnRamp()), Bytes(ColumnRamp()), "kept", 3, "UndoSpeedButton1"));
  }
  m.UndoSpeedButton1Click();
  EXPECT_EQ(std::tuple(RowOf(m.OriginalImage, 1), Bytes(m.ResultImage)),
            std::tuple(RowOf(ColumnRamp(), 1), Bytes(ColumnRamp())));
}
TEST_F(PinsTreatmentTest, DialogPanelsFollowTheSaturationAndEditsConvert) {
  TPinsForm& f = *PinsForm;
  EXPECT_EQ(std::tuple(f.Saturation, f.Vicinity, f.ImageChoice, f.RadioButton3->isChecked(),
                       f.RadioButton1->isChecked(), f.RadioButton2->isChecked()),
            std::tuple(0, 0, 0, true, false, false));
  f.show();
  const auto panels = [&] {
    return std::tuple(f.Saturation, f.SymPanel->isVisible(), f.AsymPanel->isVisible());
  };
  f.RadioButton4Click();
  EXPECT_EQ(panels(), std::tuple(1, true, false));
  f.RadioButton5Click(), f.RadioButton2Click(), f.RadioButton7Click();
  EXPECT_EQ(panels(), std::tuple(2, false, true));
  f.GlobPercEdit->setText("12.5x"), f.LeftPercEdit->setText("abc"), f.RigthPercEdit->setText(" 3");
  EXPECT_EQ(
      std::tuple(f.Vicinity, f.ImageChoice, f.RadioButton1->isChecked(), f.GlobPerc, f.LeftPerc, f.RigthPerc),
      std::tuple(8, 1, false, 12.5, 0.0, 3.0));
  f.BitBtn1Click();
  EXPECT_EQ(std::tuple(f.SymPanel->isVisibleTo(&f), f.AsymPanel->isVisibleTo(&f), f.ModalResult()),
            std::tuple(false, false, int(ui::mrOk)));
  f.RadioButton3Click();
  EXPECT_EQ(f.Saturation, 0);
}
