// The screen editor's buttons: start, Return, what an open ends, the screen save, the dilation contour.

#include "ScreenEditorFixture.h"
#include "app/Report.h"
#include "imaging/Bmp.h"
#include "panels/SelectImageForm.h"

namespace {

constexpr std::uint32_t kGreenish = 0x00306020;  // red 0x20, green 0x60, blue 0x30
const char* const kTools =
    "CuvetSpeedButton GoBackSpeedButton DilatSpeedButton AureoleSpeedButton PencilSpeedButton "
    "LineSpeedButton DelateLineSpeedButton LocalFillingSpeedButton SaveScreenSpeedButton";

BytePlane Items() {
  return PlaneFromText("......\n.11...\n....2.\n......\n");
}

TEST_F(ScreenEditorTest, StartingTheEditorAsksForAValueAndAColourAndOffersTheTools) {
  Labeled(Items());
  MainForm->Enable({"CuvetSpeedButton"});
  MainForm->PaletteRed[2] = 90;  // a colour kept from an earlier edit shows at once
  ui.dialog<TSelectedValueForm>([](TSelectedValueForm& form) {
      EXPECT_FALSE(MainForm->IsEnabled("CuvetSpeedButton"));  // until the OK
      form.SelectedValue = 255;
      return ui::mrOk;
    })
      .message("ERROR", "The gray tone value must lie between 0 and 254")
      .dialog<TSelectedValueForm>(Value(-1))
      .message("ERROR", "The gray tone value must lie between 0 and 254");
  Tool("ColorSpeedButton", 254, kGreenish);
  EXPECT_EQ(EnabledOf(kTools),
            "CuvetSpeedButton GoBackSpeedButton DilatSpeedButton AureoleSpeedButton PencilSpeedButton "
            "LineSpeedButton LocalFillingSpeedButton SaveScreenSpeedButton");
  const TSelectedValueForm& form = *SelectedValueForm;
  EXPECT_EQ(
      std::tuple(form.SelectedValue, form.Red, form.Green, form.Blue, MainForm->ColourMode, Shown(2, 4)),
      std::tuple(254, 0x20, 0x60, 0x30, 3, 0x0002025Au));
  ExpectShownFromTables();
  // Closed without OK: the value is kept, no colour is asked for and the Filling Tool stays off.
  MainForm->Enable({"CuvetSpeedButton"}, false);
  ui.dialog<TSelectedValueForm>([](TSelectedValueForm& f) { return f.SelectedValue = 8, ui::mrCancel; });
  Press("ColorSpeedButton");
  EXPECT_FALSE(MainForm->IsEnabled("CuvetSpeedButton"));
  EXPECT_EQ(std::tuple(form.SelectedValue, form.Red), std::tuple(8, 0x20));
}

TEST_F(ScreenEditorTest, ReturnOrAnOpenEndsTheEditorsState) {
  TMainForm& m = *MainForm;
  const auto drawLine = [&] {
    Labeled(Items());
    Editing("LineSpeedButton", 2, kGreenish);
    ClickPixel(Qt::LeftButton, 3, 1, 1);
    ClickPixel(Qt::RightButton, 3, 4, 1);
    ASSERT_TRUE(m.EditorState == 1 && m.LineUndoCount == 4 && m.ColourMode == 3 &&
                m.IsDown("LineSpeedButton") && m.IsEnabled("DelateLineSpeedButton"));
  };
  // Return brings back the labeled image in gray (although the table of 2 is green), and takes the
  // tools away.
  drawLine();
  m.BinaryImageName = "LABELED IMAGE";
  Press("ZoomSpeedButton");
  TempImageForm->PaintBoxMouseDown(Qt::RightButton, 2, 2);
  Press("ZoomSpeedButton");
  ASSERT_EQ(TempImageForm->CaptionText(), " 2.- LABELED IMAGE (1:2) ");
  Press("GoBackSpeedButton");
  EXPECT_EQ(PlaneText(m.BinaryImage), PlaneText(Items()));
  EXPECT_EQ(
      std::tuple(Shown(2, 4), TableColour(2), EnabledOf(kTools), m.IsDown("LineSpeedButton"), m.ColourMode),
      std::tuple(Gray(2), kGreenish, std::string("SaveScreenSpeedButton"), false, 0));
  // Back at 1:1, and the caption no longer tells 1:2.
  EXPECT_EQ(std::tuple(TempImageForm->Zoom, TempImageForm->CaptionText()),
            std::tuple(1, " 2.- LABELED IMAGE"));
  drawLine();
  WriteFile(Path("next.raw"), std::string(6, '\x40'));
  WriteFile(Path("next.txt"), "2 3");
  ui.open(Path("next.raw"), 1).dialog<TReportForm>(NoReport);
  m.Open1Click();
  EXPECT_EQ(std::vector<int>({m.LineStart.Line, m.LineStart.Column, m.LineUndoCount, m.EditorState,
                              static_cast<int>(m.LineUndoPixels.size()), m.ColourMode, m.EditorColourImage,
                              TempImageForm->LineStartValue, SelectedValueForm->SelectedValue,
                              SelectedValueForm->Red}),
            std::vector<int>(10, 0));
  EXPECT_FALSE(m.IsDown("LineSpeedButton") || m.IsDown("ColorSpeedButton"));
  // A complementary image replaces panel 2: the line drawn on the former one can no longer be undone.
  drawLine();
  WriteFile(Path("items.raw"), Bytes(Items()));
  WriteFile(Path("items.txt"), "4 6");
  ui.dialog<TSelectImageForm>(Set(&TSelectImageForm::LabeledImage, 0)).open(Path("items.raw"), 1);
  m.OpenBinaryImage1Click();
  EXPECT_EQ(std::tuple(m.LineStart.Column, m.LineUndoCount, m.EditorState, m.ColourMode),
            std::tuple(0, 0, 0, 0));
}

TEST_F(ScreenEditorTest, TheScreenSaveWritesTheEditorsPictureAndPanelsOneAndThreeKeepTheirPlanes) {
  Labeled(Items());
  MainForm->WorkDirectory = Dir().string();
  MainForm->OriginalImage.Fill(17);
  const std::string report = ReportInto(Path("report.txt"));
  Editing("PencilSpeedButton", 2, kGreenish);
  ClickPixel(Qt::LeftButton, 0, 0, 1);
  ui.save(Path("screen"));
  Press("SaveScreenSpeedButton");
  EXPECT_EQ(ui.FileDialogs().back().title, "Saving Colored BMP File");
  int columns = 0, lines = 0;
  EXPECT_EQ(Bytes(ReadBMPFile(Path("screen.bmp"), columns, lines)), Bytes(MainForm->ColourImage));
  const std::string registered = "\n\n\tScreen Editor treatment registered as: ";
  EXPECT_EQ(ReadFile(report), registered + Path("screen.bmp"));
  // The editor's picture is panel 2's: a save of panel 1 or 3 writes its own plane.
  ui.save(Path("one"), 1).save(Path("three"), 1);
  MainForm->SaveOriginalSpeedButton1Click();
  MainForm->Panel3Pending[p3FractStar] = 1;
  MainForm->SaveParamSpeedButton1Click();
  EXPECT_EQ(ReadFile(Path("one.raw")), std::string(24, '\x11'));
  EXPECT_EQ(ReadFile(Path("three.raw")), Bytes(MainForm->ResultImage));
  // After Return, the screen save writes panel 2 as it now is.
  Press("GoBackSpeedButton");
  ui.save(Path("after"), 1);
  Press("SaveScreenSpeedButton");
  EXPECT_EQ(ReadFile(Path("after.raw")), Bytes(Items()));
  EXPECT_EQ(ReadFile(report), registered + Path("screen.bmp") + "\n\n\tFract Star registered as: " +
                                  Path("three.raw") + registered + Path("after.raw"));
}

TEST_F(ScreenEditorTest, DilationContourTellsTheCountsAndKeepsTheGainedPixels) {
  // Items 1 and 2 of 2 and 1 pixels before, grown by 1 and 2 pixels; the counts add up item by item.
  const BytePlane gained = PlaneFromText("..1...\n......\n.22...\n");
  Labeled(PlaneFromText("111...\n......\n222...\n"));
  MainForm->BinaryBackup = PlaneFromText("11....\n......\n2.....\n");
  const std::string report = ReportInto(Path("report.txt"));
  MainForm->Panel2Pending[p2Labeled] = 1;
  TempImageForm->SetCaptionText(" 2.- LABELED IMAGE ");
  MainForm->Enable({"AureoleSpeedButton"});
  MainForm->ColourMode = 3;  // the editor's picture was the colour result
  MainForm->EditorColourImage = 1;
  ui.message("", " 2 items in the labeled image ")
      .message("", " Num_pix_tot = 3\n Num_pix_bord = 1 ")
      .message("", " Num_pix_tot = 6\n Num_pix_bord = 3 ");
  Press("AureoleSpeedButton");
  EXPECT_EQ(PlaneText(MainForm->BinaryImage), PlaneText(gained));
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 6; ++j) ASSERT_EQ(Shown(i, j), Gray(gained[i][j])) << i << "," << j;
  // Nothing registered; the screen save now writes the contour.
  EXPECT_EQ(std::tuple(ReadFile(report), MainForm->Panel2Pending[p2Labeled], TempImageForm->CaptionText(),
                       MainForm->ColourMode),
            std::tuple(std::string(), 1, std::string(" 2.- LABELED IMAGE "), 0));
  // Only background: no item, one message, all background; another tool's colour result stays.
  Labeled(UniformPlane(5, 5));
  MainForm->ColourMode = 3;
  ui.message("", " 0 items in the labeled image ");
  Press("AureoleSpeedButton");
  EXPECT_EQ(std::tuple(PlaneText(MainForm->BinaryImage), MainForm->ColourMode),
            std::tuple(PlaneText(UniformPlane(5, 5)), 3));
}

}  // namespace
