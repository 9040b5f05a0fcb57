// The three panel windows: zoom, click-to-pixel mapping, read-out, painting, new image and close.
#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include "Program.h"
#include "imaging/Image.h"
namespace {
const auto Panels = [] { return std::vector<TPanelForm*>{ImageForm, TempImageForm, ResultImageForm}; };
void ZoomButton(bool down) {
  MainForm->Item("ZoomSpeedButton")->setChecked(down);
  MainForm->ZoomSpeedButtonClick();
}
// The three status fields joined by "|" after a move to (x, y) over stale text.
std::string StatusAt(TPanelForm* panel, int x, int y) {
  for (int field = 0; field < 3; ++field) MainForm->SetStatusText(field, "stale");
  panel->PaintBoxMouseMove(x, y);
  return MainForm->StatusText(0) + "|" + MainForm->StatusText(1) + "|" + MainForm->StatusText(2);
}
const auto Place = [](int line, int column) { return Format("Line: %5d  Column: %5d ", line, column); };
const auto Size = [](int l, int c) { return Format("|Image Size: %d lines x %d columns  ", l, c); };
QImage Painted(const TPanelForm& panel, int width, int height) {
  QImage target(width, height, QImage::Format_RGB32);
  target.fill(Qt::magenta);
  QPainter painter(&target);
  panel.DrawVisible(painter, width, height);
  return target;
}
using PanelsTest = ProgramTest;
TEST_F(PanelsTest, StartEmptyZoomWithTheButtonOnABitmapUnderEachTitleCodesCaptionsAndTheClickedPixel) {
  MainForm->ImageTitle = " 1.- carpet";
  MainForm->BinaryImageName = "carpet binary";
  MainForm->PanelCaption = "Local Fractal Dimension";
  const auto children = MainForm->MdiArea()->subWindowList();
  for (TPanelForm* panel : Panels())
    EXPECT_EQ(std::tuple(children.contains(panel), panel->CaptionText(), panel->windowTitle().toStdString(),
                         panel->HasBitmap(), panel->Zoom),
              std::tuple(true, "Image (1:1)", "Image (1:1)", false, 1));
  ShowInPanel(1, MakeGrayRamp(10, 10));
  ImageForm->PaintBoxMouseDown(Qt::LeftButton, 3, 3);  // zoom button up
  ZoomButton(true);
  EXPECT_EQ(ui::ScreenCursor(), ui::crLoupe);
  TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 3, 3);  // no bitmap
  for (TPanelForm* panel : Panels())
    EXPECT_EQ(std::tuple(panel->Zoom, panel->CaptionText()), std::tuple(1, "Image (1:1)"));
  for (int panel : {1, 2, 3}) ShowInPanel(panel, MakeGrayRamp(10, 10));
  for (TPanelForm* panel : Panels()) panel->PaintBoxMouseDown(Qt::LeftButton, 1, 1);
  ResultImageForm->PaintBoxMouseDown(Qt::RightButton, 1, 1);
  EXPECT_EQ(
      std::tuple(ImageForm->CaptionText(), TempImageForm->CaptionText(), ResultImageForm->CaptionText()),
      std::tuple(" 1.- carpet (2:1) ", " 2.- carpet binary (2:1) ", " 3.- Local Fractal Dimension (1:1)"));
  ZoomButton(false);
  EXPECT_EQ(ui::ScreenCursor(), ui::crArrow);
  const Qt::MouseButton left = Qt::LeftButton, right = Qt::RightButton, middle = Qt::MiddleButton;
  // From, button, to, and the caption; "before": left as it was.
  const std::tuple<int, Qt::MouseButton, int, const char*> cases[] = {
      {-1, left, 2, "(2:1) "},     {1, right, -2, "(1:2) "},     {-1, right, -2, "(1:2) "},
      {-2, left, -1, "(1:1)"},     {0, left, 1, "(1:1)"},        {0, right, -1, "(1:1)"},
      {19, left, 20, "(20:1) "},   {-19, right, -20, "(1:20) "}, {20, left, 20, "before"},
      {-20, right, -20, "before"}, {3, middle, 3, "(3:1) "},
  };
  ShowInPanel(1, MakeGrayRamp(40, 30));
  ZoomButton(true);
  for (const auto& [from, button, to, zoom] : cases) {
    SCOPED_TRACE("from " + std::to_string(from) + " button " + std::to_string(button));
    ImageForm->Zoom = from;
    ImageForm->SetCaptionText("before");
    ImageForm->PaintBoxMouseDown(button, 5, 5);
    const std::string caption = zoom == std::string("before") ? zoom : std::string(" 1.- carpet ") + zoom;
    EXPECT_EQ(std::tuple(ImageForm->Zoom, ImageForm->CaptionText(), ImageForm->windowTitle().toStdString(),
                         ImageForm->CentreOnClick),
              std::tuple(to, caption, caption, 0));
  }
  const std::tuple<int, int, int, int, int> pixels[] = {
      // zoom, x, y, column, line
      {-2, 10, 4, 20, 8}, {1, 10, 4, 10, 4}, {0, 7, 3, 7, 3},   {-1, 7, 3, 7, 3},
      {3, 10, 8, 3, 2},   {-5, 3, 1, 15, 5}, {20, 39, 41, 1, 2}};
  ShowInPanel(1, MakeGrayRamp(100, 90));
  for (const auto& [zoom, x, y, column, line] : pixels) {
    ImageForm->Zoom = zoom;
    EXPECT_EQ(StatusAt(ImageForm, x, y).substr(0, 27), Place(line, column)) << "zoom " << zoom;
  }
}
TEST_F(PanelsTest, ReadOutAndANewImageOrACloseOfEachPanel) {
  for (TPanelForm* panel : Panels()) EXPECT_EQ(StatusAt(panel, 1, 1), "||");  // no bitmap
  IMAGE colour(4, 3, IMAGE::kRgb);
  colour.Fill({30, 30, 30});
  colour.SetPixelRGB(1, 2, Rgb{.blue = 30, .green = 20, .red = 10});
  ImageForm->ShowImage(colour);
  EXPECT_EQ(StatusAt(ImageForm, 0, 0), Place(0, 0) + "|Gray Tone :   30 " + Size(3, 4));
  EXPECT_EQ(StatusAt(ImageForm, 1, 2), Place(2, 1) + "|R:  10 G:  20 B:  30  " + Size(3, 4));
  // Panel 3 reads the displayed colour: a palette image through its palette.
  IMAGE palette(2, 1, IMAGE::kPalette);
  palette.SetPixel(0, 0, 7);
  palette.SetPixel(1, 0, 8);
  std::copy_n("\xC8\x64\x32", 3, palette.Palette().begin() + 4 * 8);  // blue 200, green 100, red 50
  ResultImageForm->ShowImage(palette);
  EXPECT_EQ(StatusAt(ResultImageForm, 0, 0), Place(0, 0) + "|Gray Tone :    7 " + Size(1, 2));
  EXPECT_EQ(StatusAt(ResultImageForm, 1, 0), Place(0, 1) + "|R:  50 G: 100 B: 200  " + Size(1, 2));
  // Panel 2 reads the stored value, not the editor's colours; beyond its plane, place and size only.
  MainForm->BinaryImage = BytePlane(5, 4);
  MainForm->BinaryImage.Fill(255);
  MainForm->BinaryImage[2][3] = 1;
  IMAGE shown(5, 4, IMAGE::kRgb);
  shown.Fill({0, 0, 255});
  shown.SetPixelRGB(3, 2, {0, 255, 0});
  TempImageForm->ShowBitmap(shown);
  TempImageForm->Zoom = 2;
  EXPECT_EQ(StatusAt(TempImageForm, 7, 5), Place(2, 3) + "|Gray Tone :    1 " + Size(4, 5));
  ShowInPanel(2, MakeGrayRamp(10, 8));
  EXPECT_EQ(StatusAt(TempImageForm, 6, 6), Place(6, 6) + "|" + Size(8, 10));
  MainForm->BinaryImage = BytePlane(6, 5);
  for (int panel : {1, 2, 3}) ShowInPanel(panel, MakeGrayRamp(6, 5));
  const std::tuple<int, int, int> outside[] = {{1, 6, 0},  {1, 0, 5},   {1, -1, 2},   {1, 2, -1},
                                               {3, 18, 2}, {-2, 12, 0}, {1, 400, 300}};  // zoom, x, y
  for (const auto& [zoom, x, y] : outside)
    for (TPanelForm* panel : Panels()) {
      panel->Zoom = zoom;
      EXPECT_EQ(StatusAt(panel, x, y), "||") << zoom << " " << x << " " << y;
    }
  // Bounded by the panel's own image, not the program's size.
  ShowInPanel(1, MakeGrayRamp(10, 8));
  IMAGE larger(30, 20, IMAGE::kGray);  // its size hook sets the program's size
  ASSERT_EQ(MainForm->ImageColumns, 30);
  EXPECT_EQ(StatusAt(ImageForm, 15, 2), "||");
  EXPECT_EQ(StatusAt(ImageForm, 9, 7), Place(7, 9) + "|Gray Tone :   16 " + Size(8, 10));
  // A new image returns to 1:1 unless the zoom is kept; closing frees the bitmap.
  ImageForm->Zoom = 5;
  ShowInPanel(1, MakeGrayRamp(30, 20));
  TempImageForm->Zoom = -4;
  ShowInPanel(2, MakeGrayRamp(5, 5));
  MainForm->KeepZoom = 1;
  ResultImageForm->Zoom = 3;
  ShowInPanel(3, MakeGrayRamp(5, 5));
  EXPECT_EQ(
      std::tuple(ImageForm->Zoom, ImageForm->Bitmap().width(), TempImageForm->Zoom, ResultImageForm->Zoom),
      std::tuple(1, 30, 1, 3));
  for (int panel : {1, 2, 3}) ShowInPanel(panel, MakeGrayRamp(8, 8));
  for (TPanelForm* panel : Panels()) {
    ASSERT_TRUE(panel->HasBitmap());
    EXPECT_FALSE(panel->close());  // the window stays
    EXPECT_EQ(std::tuple(panel->HasBitmap(), panel->isMinimized(),
                         MainForm->MdiArea()->subWindowList().contains(panel), StatusAt(panel, 1, 1)),
              std::tuple(false, true, true, "||"));
  }
  ShowInPanel(1, MakeGrayRamp(8, 8));
  ImageForm->ShowPanel();
  EXPECT_TRUE(ImageForm->HasBitmap() && !ImageForm->isMinimized());
}
// Real events reach paint, read-out and zoom at picture coordinates; a zoom near an edge stays inside.
TEST_F(PanelsTest, QtEventsReachThePaintBoxAndAZoomClickCentresWithinThePicture) {
  MainForm->show();  // the view takes its real size
  auto scroll = [] { return std::pair(ImageForm->HorizontalPosition(), ImageForm->VerticalPosition()); };
  MainForm->ImageTitle = " 1.- carpet";
  ShowInPanel(1, MakeGrayRamp(400, 300));
  QWidget* box = ImageForm->PaintBox();
  const QImage grabbed = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_GE(grabbed.width(), 20);
  for (int x : {0, 5, 19}) EXPECT_EQ(grabbed.pixel(x, 3), ImageForm->Bitmap().pixel(x, 3)) << x;
  auto send = [box](QEvent::Type type, Qt::MouseButton button, int x, int y) {
    QMouseEvent event(type, QPointF(x, y), box->mapToGlobal(QPointF(x, y)), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &event);
  };
  send(QEvent::MouseMove, Qt::NoButton, 6, 4);
  EXPECT_EQ(MainForm->StatusText(0), Place(4, 6));
  ZoomButton(true);
  send(QEvent::MouseButtonPress, Qt::LeftButton, 200, 150);  // 2:1 around (200, 150)
  ASSERT_EQ(std::tuple(ImageForm->Zoom, ImageForm->ClickColumn, ImageForm->ClickLine),
            std::tuple(2, 200, 150));
  const auto [hpos, vpos] = scroll();
  ASSERT_TRUE(hpos > 0 && vpos > 0);
  send(QEvent::MouseMove, Qt::NoButton, 10, 8);
  EXPECT_EQ(MainForm->StatusText(0), Place((vpos + 8) / 2, (hpos + 10) / 2));
  const QImage painted = Painted(*ImageForm, 50, 40);
  for (int y = 0; y < 40; y += 7)
    for (int x = 0; x < 50; x += 5)
      EXPECT_EQ(painted.pixel(x, y), ImageForm->Bitmap().pixel((x + hpos) / 2, (y + vpos) / 2))
          << x << " " << y;
  const int viewWidth = box->width(), viewHeight = box->height();
  ImageForm->Zoom = 1;
  ImageForm->PaintBoxMouseDown(Qt::LeftButton, 2, 3);  // near the top left corner
  EXPECT_EQ(scroll(), std::pair(0, 0));
  ImageForm->PaintBoxMouseDown(Qt::MiddleButton, 2 * 398, 2 * 299);  // near the bottom right corner at 2:1
  EXPECT_EQ(std::tuple(ImageForm->Zoom, ImageForm->ColumnAt(scroll().first + viewWidth - 1),
                       ImageForm->LineAt(scroll().second + viewHeight - 1)),
            std::tuple(2, 399, 299));
  ImageForm->PaintBoxMouseDown(Qt::LeftButton, 2 * 200, 2 * 150);  // in the middle: at the centre
  ASSERT_EQ(ImageForm->Zoom, 3);
  EXPECT_NEAR(ImageForm->ColumnAt(scroll().first + viewWidth / 2), 200, 1);
  EXPECT_NEAR(ImageForm->LineAt(scroll().second + viewHeight / 2), 150, 1);
  ImageForm->Zoom = 19;
  ImageForm->PaintBoxMouseDown(Qt::LeftButton, 19 * 200, 19 * 150);
  const auto atTwenty = scroll();
  ImageForm->PaintBoxMouseDown(Qt::LeftButton, 20 * 390, 20 * 290);
  EXPECT_EQ(std::tuple(ImageForm->Zoom, scroll(), ImageForm->ClickColumn, ImageForm->CaptionText()),
            std::tuple(20, atTwenty, 200, " 1.- carpet (20:1) "));
  // A picture smaller than the view never scrolls, to either side.
  ShowInPanel(1, MakeGrayRamp(30, 20));
  ImageForm->PaintBoxMouseDown(Qt::RightButton, 29, 19);
  EXPECT_EQ(std::tuple(ImageForm->Zoom, scroll()), std::tuple(-2, std::pair(0, 0)));
}
// The second press of a quick double click arrives as a double click: it zooms all the same. A new
// picture takes the zoom's caption away with the zoom, in every panel; a kept zoom keeps both.
TEST_F(PanelsTest, EveryPressOfAQuickDoubleClickZoomsAndANewPictureEndsTheZoomCaption) {
  MainForm->show();
  MainForm->ImageTitle = " 1.- carpet";
  MainForm->BinaryImageName = "carpet binary";
  MainForm->PanelCaption = "Local Fractal Dimension";
  ZoomButton(true);
  std::vector<std::string> captions;
  for (int n : {1, 2, 3}) {
    TPanelForm* panel = Panels()[n - 1];
    ShowInPanel(n, MakeGrayRamp(40, 30));
    for (int twice = 0; twice < 2; ++twice) {
      QTest::mouseClick(panel->PaintBox(), Qt::LeftButton, {}, QPoint(1, 1));
      QTest::mouseDClick(panel->PaintBox(), Qt::LeftButton, {}, QPoint(1, 1));
    }
    captions.push_back(panel->CaptionText());
    ShowInPanel(n, MakeGrayRamp(40, 30));
    captions.push_back(panel->CaptionText() + Format(" %d", panel->Zoom));
  }
  MainForm->KeepZoom = 1;
  ImageForm->PaintBoxMouseDown(Qt::LeftButton, 1, 1);
  ShowInPanel(1, MakeGrayRamp(40, 30));
  captions.push_back(ImageForm->CaptionText() + Format(" %d", ImageForm->Zoom));
  EXPECT_EQ(captions,
            (std::vector<std::string>{" 1.- carpet (5:1) ", " 1.- carpet 1", " 2.- carpet binary (5:1) ",
                                      " 2.- carpet binary 1", " 3.- Local Fractal Dimension (5:1) ",
                                      " 3.- Local Fractal Dimension 1", " 1.- carpet (2:1)  2"}));
}
TEST_F(PanelsTest, DrawsTheVisiblePartOnlyAndPanelTwoHandsOnToTheEditorOnlyClicksThatDoNotZoom) {
  ShowInPanel(1, MakeGrayRamp(4, 3));
  ImageForm->Zoom = 3;
  const QImage painted = Painted(*ImageForm, 20, 15);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) {
      const QRgb pixel = painted.pixel(x, y);
      if (x < 12 && y < 9)
        ASSERT_EQ(pixel, ImageForm->Bitmap().pixel(x / 3, y / 3)) << x << " " << y;
      else  // the hatch: black lines on white
        ASSERT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255)) << x << " " << y;
    }
  // At 1:2 a picture of uniform 2 x 2 blocks shows one block per screen pixel.
  IMAGE blocks(8, 6, IMAGE::kGray);
  for (int line = 0; line < 6; ++line)
    for (int column = 0; column < 8; ++column)
      blocks.SetPixel(column, line, static_cast<std::uint8_t>(10 * (column / 2) + 50 * (line / 2)));
  ImageForm->ShowImage(blocks);
  ImageForm->Zoom = -2;
  const QImage reduced = Painted(*ImageForm, 4, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(qRed(reduced.pixel(x, y)), 10 * x + 50 * y) << x << " " << y;
  // Without a bitmap nothing is drawn: not even the hatch.
  ImageForm->close();
  QImage untouched(6, 6, QImage::Format_RGB32);
  untouched.fill(Qt::magenta);
  EXPECT_EQ(Painted(*ImageForm, 6, 6), untouched);
  // Panel 2 hands the editor only clicks that do not zoom; with the recoding button down, the pot.
  MainForm->BinaryImage = BytePlane(10, 10);
  ShowInPanel(2, MakeGrayRamp(10, 10));
  std::vector<std::string> seen;
  TempImageForm->EditorClick = [&](Qt::MouseButton, int x, int y) { seen.push_back(Format("%d,%d", x, y)); };
  ZoomButton(true);
  TempImageForm->Zoom = 20;
  TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 1, 1);  // at the limit: still a zoom click
  ZoomButton(false);
  TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 40, 60);
  EXPECT_EQ(std::tuple(seen, TempImageForm->Zoom), std::tuple(std::vector<std::string>{"40,60"}, 20));
  MainForm->Item("ColorSpeedButton")->setChecked(true);
  TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 1, 1);
  EXPECT_EQ(ui::ScreenCursor(), ui::crPot);
}
}  // namespace
