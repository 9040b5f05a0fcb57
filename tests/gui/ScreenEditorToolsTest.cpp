// The screen editor's tools applied by clicks in panel 2; every zoom's click mapping is the pencil's test.

#include <QTest>

#include "ScreenEditorFixture.h"

namespace {

constexpr std::uint32_t kBlueish = 0x00C08040;  // red 0x40, green 0x80, blue 0xC0
constexpr std::uint32_t kReddish = 0x00102090;

TEST_F(ScreenEditorTest, PipetteRecoloursAValueAndFillingMergesTheClickedClassIntoTheValue) {
  // Background with an item of value 7 (two pixels apart), an item of 3 and a pixel of 5.
  const BytePlane plane = PlaneFromText("77......\n........\n..3.3...\n........\n......7.\n5.......\n");
  Labeled(plane);
  TMainForm& m = *MainForm;
  m.PaletteRed[3] = 1, m.PaletteGreen[3] = 2, m.PaletteBlue[3] = 3;  // not the identity
  const auto tables = std::tuple(m.PaletteRed, m.PaletteGreen, m.PaletteBlue);
  Press("PipetteSpeedButton1");
  EXPECT_EQ(ui::ScreenCursor(), ui::crPipette);
  ui.colour(kReddish);
  ClickPixel(Qt::LeftButton, 2, 2, 2);
  // The values and the colour tables stay; the colour planes take the colour on that value only, and
  // the picture and the colour image show the planes.
  EXPECT_EQ(std::tuple(PlaneText(m.BinaryImage), std::tuple(m.PaletteRed, m.PaletteGreen, m.PaletteBlue)),
            std::tuple(PlaneText(plane), tables));
  EXPECT_EQ(std::tuple(m.RedPlane[2][4], m.GreenPlane[2][4], m.BluePlane[2][4], m.RedPlane[0][0]),
            std::tuple(0x90, 0x20, 0x10, 7));
  for (const auto& [line, column, colour] :
       {std::tuple(2, 2, kReddish), {2, 4, kReddish}, {0, 0, Gray(7)}, {5, 0, Gray(5)}, {1, 1, Gray(255)}})
    EXPECT_EQ(std::tuple(Shown(line, column), InColourImage(line, column)), std::tuple(colour, colour));
  EXPECT_EQ(m.EditorColourImage, 1);
  Tool("ColorSpeedButton", 3, kBlueish);
  Press("CuvetSpeedButton");
  EXPECT_EQ(ui::ScreenCursor(), ui::crPot);
  ClickPixel(Qt::RightButton, 4, 6, 2);  // the right button does nothing
  EXPECT_EQ(m.BinaryImage[4][6], 7);
  ClickPixel(Qt::LeftButton, 4, 6, 2);
  // Both 7s become 3; the 3s already there take the new colour too; the zoom stays.
  EXPECT_EQ(PlaneText(m.BinaryImage), "33......\n........\n..3.3...\n........\n......3.\n5.......\n");
  EXPECT_EQ(std::tuple(TableColour(3), TableColour(7), Shown(2, 2), Shown(5, 0), TempImageForm->Zoom),
            std::tuple(kBlueish, Gray(7), kBlueish, Gray(5), 2));
  ExpectShownFromTables();
}

TEST_F(ScreenEditorTest, PencilWritesThePixelUnderTheClickAtEachZoomAndNothingElsewhere) {
  Labeled(UniformPlane(30, 12));
  Editing("PencilSpeedButton", 9, kBlueish);
  EXPECT_EQ(ui::ScreenCursor(), ui::crPencil);
  BytePlane expected = UniformPlane(30, 12);
  for (const auto& [zoom, line, column] : {std::array{-2, 8, 22}, {2, 2, 5}, {1, 4, 11}}) {
    TempImageForm->Zoom = zoom;  // the point (11, 4); the right button writes nothing
    TempImageForm->PaintBoxMouseDown(Qt::RightButton, 11, 4);
    EXPECT_EQ(MainForm->BinaryImage[line][column], 255) << zoom;
    TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 11, 4);
    expected[line][column] = 9;
    EXPECT_EQ(PlaneText(MainForm->BinaryImage), PlaneText(expected)) << zoom;
  }
  // The pencil leaves the colour tables alone: the pixel shows in its value's own colour.
  EXPECT_EQ(std::tuple(TableColour(9), Shown(2, 5), InColourImage(2, 5)),
            std::tuple(Gray(9), Gray(9), Gray(9)));
  // Beyond an edge nothing is written; at 2:1, x = -1 would truncate to column 0.
  const std::string drawn = PlaneText(MainForm->BinaryImage);
  for (const auto& [zoom, x, y] : {std::array{2, -1, 0}, {2, 0, -1}, {2, 60, 0}, {-2, 0, 6}}) {
    TempImageForm->Zoom = zoom;
    TempImageForm->PaintBoxMouseDown(Qt::LeftButton, x, y);
    EXPECT_EQ(PlaneText(MainForm->BinaryImage), drawn) << zoom << " " << x << " " << y;
  }
  // With the zoom button down a click zooms in; up, the next click draws.
  Press("ZoomSpeedButton");
  TempImageForm->Zoom = 1;
  TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 2, 2);
  EXPECT_EQ(std::tuple(TempImageForm->Zoom, PlaneText(MainForm->BinaryImage)), std::tuple(2, drawn));
  Press("ZoomSpeedButton");
  TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 2, 2);
  EXPECT_EQ(MainForm->BinaryImage[1][1], 9);
  // A value the form never accepts, or a tool left down but disabled, writes nothing.
  SelectedValueForm->SelectedValue = 300;
  ClickPixel(Qt::LeftButton, 2, 2, 1);
  EXPECT_EQ(MainForm->BinaryImage[2][2], 255);
  SelectedValueForm->SelectedValue = 9;
  MainForm->Enable({"PencilSpeedButton"}, false);
  ASSERT_TRUE(MainForm->IsDown("PencilSpeedButton"));
  ClickPixel(Qt::LeftButton, 2, 2, 1);
  EXPECT_EQ(MainForm->BinaryImage[2][2], 255);
}

// The second press of a quick double click arrives as a double click: it draws its pixel all the same.
TEST_F(ScreenEditorTest, PencilDrawsAtEveryPressOfAQuickDoubleClick) {
  MainForm->show();
  Labeled(UniformPlane(8, 4));
  Editing("PencilSpeedButton", 9, kBlueish);
  QWidget* box = TempImageForm->PaintBox();
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(1, 1));
  QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(3, 1));
  EXPECT_EQ(PlaneText(MainForm->BinaryImage), "........\n.9.9....\n........\n........\n");
}

TEST_F(ScreenEditorTest, LineDrawsAndDeletionGivesBackEveryPixel) {
  // (0,0) -> (3,10) visits 11 pixels. The start holds 4 before the left click; an item pixel lies under the
  // line.
  const BytePlane plane =
      PlaneFromText("4...........\n............\n......1.....\n............\n............\n");
  Labeled(plane);
  Editing("LineSpeedButton", 9, kBlueish);
  EXPECT_EQ(ui::ScreenCursor(), ui::crSACross);
  EXPECT_FALSE(MainForm->IsEnabled("DelateLineSpeedButton"));  // nothing to delete yet
  ClickPixel(Qt::LeftButton, 0, 0, 2);
  EXPECT_EQ(std::tuple(MainForm->BinaryImage[0][0], TempImageForm->LineStartValue), std::tuple(9, 4));
  ClickPixel(Qt::RightButton, 3, 10, 2);
  EXPECT_EQ(PlaneText(MainForm->BinaryImage),
            "99..........\n..999.......\n.....9999...\n.........99.\n............\n");
  EXPECT_EQ(std::tuple(MainForm->LineUndoCount, MainForm->LineEnd, TableColour(9)),
            std::tuple(11, PixelPosition{3, 10}, kBlueish));
  ExpectShownFromTables();
  ASSERT_TRUE(MainForm->IsEnabled("DelateLineSpeedButton"));
  Press("DelateLineSpeedButton");
  EXPECT_EQ(std::tuple(PlaneText(MainForm->BinaryImage), MainForm->IsEnabled("DelateLineSpeedButton"),
                       ui::ScreenCursor()),
            std::tuple(PlaneText(plane), false, ui::crArrow));
  ExpectShownFromTables();
}

TEST_F(ScreenEditorTest, DeletionUndoesOnlyTheLastLineAndOnlyOnce) {
  Labeled(PlaneFromText(".........\n.2.......\n.........\n.........\n.........\n.........\n"));
  Editing("LineSpeedButton", 6, kBlueish);
  // A right click on the start draws nothing and leaves nothing to delete.
  ClickPixel(Qt::LeftButton, 1, 1, 1);
  ClickPixel(Qt::RightButton, 1, 1, 1);
  EXPECT_EQ(PlaneText(MainForm->BinaryImage),
            ".........\n.6.......\n.........\n.........\n.........\n.........\n");
  EXPECT_FALSE(MainForm->IsEnabled("DelateLineSpeedButton"));
  // A fan of two lines from one start: deleting the second keeps the first whole, start included.
  ClickPixel(Qt::RightButton, 1, 5, 1);
  ClickPixel(Qt::RightButton, 5, 1, 1);
  EXPECT_EQ(PlaneText(MainForm->BinaryImage),
            ".........\n.66666...\n.6.......\n.6.......\n.6.......\n.6.......\n");
  // A new start elsewhere does not change what the deletion gives back.
  ClickPixel(Qt::LeftButton, 4, 7, 1);
  Press("DelateLineSpeedButton");
  const std::string firstLine = ".........\n.66666...\n.........\n.........\n.......6.\n.........\n";
  EXPECT_EQ(PlaneText(MainForm->BinaryImage), firstLine);
  // Used up: pressing the line tool again does not offer it, and a forced second deletion writes
  // nothing over later edits.
  Press("LineSpeedButton");  // up
  EXPECT_FALSE(MainForm->IsDown("LineSpeedButton"));
  Tool("LineSpeedButton", 6, kBlueish);  // down again
  EXPECT_FALSE(MainForm->IsEnabled("DelateLineSpeedButton"));
  MainForm->Enable({"DelateLineSpeedButton"});
  Press("DelateLineSpeedButton");
  EXPECT_EQ(PlaneText(MainForm->BinaryImage), firstLine);
  // The first line of a new start owns it: deleting it gives the start its value from before.
  ClickPixel(Qt::LeftButton, 3, 4, 1);
  ClickPixel(Qt::RightButton, 3, 6, 1);
  EXPECT_EQ(MainForm->BinaryImage[3][4], 6);
  Press("DelateLineSpeedButton");
  EXPECT_EQ(PlaneText(MainForm->BinaryImage), firstLine);
}

TEST_F(ScreenEditorTest, LocalFillingFillsTheBackgroundRegionAroundTheClick) {
  // A ring of 1s; the fill of its inside (any button) stays inside.
  const BytePlane plane = PlaneFromText(
      ".........\n.........\n..11111..\n..1...1..\n..1...1..\n..1...1..\n..11111..\n.........\n");
  const std::string top = ".........\n.........\n..11111..\n..14441..\n..14441..\n..14441..\n";
  Labeled(plane);
  Editing("LocalFillingSpeedButton", 4, kReddish);
  EXPECT_EQ(ui::ScreenCursor(), ui::crSACross);
  ClickPixel(Qt::RightButton, 4, 4, -2);
  const std::string none = ".........\n", three = none + none + none;
  EXPECT_EQ(std::tuple(PlaneText(MainForm->BinaryImage), MainForm->FillMaskReady,
                       PlaneText(MainForm->FillMask), TableColour(4)),
            std::tuple(top + "..11111..\n.........\n", 1,
                       three + "...111...\n...111...\n...111...\n" + none + none, kReddish));
  ExpectShownFromTables();
  // On an item pixel: that pixel and the background beside it on its row (frame column included),
  // not the background around the ring; the mask holds this fill's pixels.
  ClickPixel(Qt::LeftButton, 6, 2, -2);
  EXPECT_EQ(std::tuple(PlaneText(MainForm->BinaryImage), PlaneText(MainForm->FillMask)),
            std::tuple(top + "4441111..\n.........\n", three + three + "111......\n" + none));
}

}  // namespace
