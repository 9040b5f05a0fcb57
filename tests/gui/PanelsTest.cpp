// The three panel windows: zoom codes and captions, the click-to-pixel mapping, the status-bar
// read-out, drawing only the visible part, and what a new image or a close does.
#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPainter>
#include <string>
#include <tuple>
#include <vector>

#include "Program.h"
#include "app/MainWindow.h"
#include "imaging/Image.h"
#include "panels/ImageWindow.h"
#include "panels/ResultImage.h"
#include "panels/TempImage.h"
#include "ui/Cursors.h"

namespace {

class PanelsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    MainForm->ImageTitle = " 1.- carpet";
    MainForm->BinaryImageName = "carpet binary";
    MainForm->PanelCaption = "Local Fractal Dimension";
  }
  static void ZoomButton(bool down) {
    MainForm->Item("ZoomSpeedButton")->setChecked(down);
    MainForm->ZoomSpeedButtonClick();
  }
  // A gray image whose pixel (line, column) is (7 * line + column) mod 256.
  static IMAGE Ramp(int columns, int lines) {
    IMAGE image(columns, lines, IMAGE::kGray);
    for (int line = 0; line < lines; ++line)
      for (int column = 0; column < columns; ++column)
        image.SetPixel(column, line, static_cast<std::uint8_t>((7 * line + column) % 256));
    return image;
  }
  // The three status fields joined by "|", after filling them with stale text and moving to (x, y).
  static std::string StatusAt(TPanelForm* panel, int x, int y) {
    for (int field = 0; field < 3; ++field) MainForm->SetStatusText(field, "stale");
    panel->PaintBoxMouseMove(x, y);
    return MainForm->StatusText(0) + "|" + MainForm->StatusText(1) + "|" + MainForm->StatusText(2);
  }
  static void ShowAll(int columns, int lines) {
    ImageForm->ShowImage(Ramp(columns, lines));
    TempImageForm->ShowBitmap(Ramp(columns, lines));
    ResultImageForm->ShowImage(Ramp(columns, lines));
  }
};

std::vector<TPanelForm*> Panels() {
  return {ImageForm, TempImageForm, ResultImageForm};
}

std::string Padded(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%5d", value);
  return text;
}

// Draws the panel as its paint would into an image of the view's size.
QImage Painted(const TPanelForm& panel, int width, int height) {
  QImage target(width, height, QImage::Format_RGB32);
  target.fill(Qt::magenta);
  QPainter painter(&target);
  panel.DrawVisible(painter, width, height);
  return target;
}

TEST_F(PanelsTest, StartEmptyAndOneToOneAndTheZoomButtonSetsTheLoupe) {
  const auto children = MainForm->MdiArea()->subWindowList();
  for (TPanelForm* panel : Panels()) {
    EXPECT_TRUE(children.contains(panel));
    EXPECT_EQ(panel->CaptionText(), "Image (1:1)");
    EXPECT_EQ(panel->windowTitle().toStdString(), "Image (1:1)");
    EXPECT_FALSE(panel->HasBitmap());
    EXPECT_EQ(panel->Zoom, 1);
  }
  ZoomButton(true);
  EXPECT_EQ(ui::ScreenCursor(), ui::crLoupe);
  ZoomButton(false);
  EXPECT_EQ(ui::ScreenCursor(), ui::crArrow);
}

TEST_F(PanelsTest, ZoomCodesAndCaptions) {
  struct Case {
    int from;
    Qt::MouseButton button;
    int to;
    std::string caption;  // empty: the caption is left as it was
  };
  const Qt::MouseButton left = Qt::LeftButton, right = Qt::RightButton;
  const std::vector<Case> cases = {
      {1, left, 2, " 1.- carpet (2:1) "},
      {-1, left, 2, " 1.- carpet (2:1) "},
      {1, right, -2, " 1.- carpet (1:2) "},
      {-1, right, -2, " 1.- carpet (1:2) "},
      {-2, left, -1, " 1.- carpet (1:1)"},
      {2, right, 1, " 1.- carpet (1:1)"},
      {0, left, 1, " 1.- carpet (1:1)"},
      {0, right, -1, " 1.- carpet (1:1)"},
      {19, left, 20, " 1.- carpet (20:1) "},
      {-19, right, -20, " 1.- carpet (1:20) "},
      {20, left, 20, ""},
      {-20, right, -20, ""},
      {3, Qt::MiddleButton, 3, " 1.- carpet (3:1) "},
  };
  ImageForm->ShowImage(Ramp(40, 30));
  ZoomButton(true);
  for (const Case& c : cases) {
    SCOPED_TRACE("from " + std::to_string(c.from) + " button " + std::to_string(c.button));
    ImageForm->Zoom = c.from;
    ImageForm->SetCaptionText("before");
    ImageForm->PaintBoxMouseDown(c.button, 5, 5);
    EXPECT_EQ(ImageForm->Zoom, c.to);
    EXPECT_EQ(ImageForm->CaptionText(), c.caption.empty() ? "before" : c.caption);
    EXPECT_EQ(ImageForm->windowTitle().toStdString(), ImageForm->CaptionText());
    EXPECT_EQ(ImageForm->CentreOnClick, 0);
  }
}

TEST_F(PanelsTest, EachPanelTakesItsOwnTitleAndClicksNeedTheButtonAndABitmap) {
  ImageForm->ShowImage(Ramp(10, 10));
  ResultImageForm->ShowImage(Ramp(10, 10));
  for (TPanelForm* panel : {static_cast<TPanelForm*>(ImageForm), static_cast<TPanelForm*>(ResultImageForm)}) {
    panel->SetCaptionText("kept");
    panel->PaintBoxMouseDown(Qt::LeftButton, 3, 3);  // zoom button up
    EXPECT_EQ(panel->Zoom, 1);
    EXPECT_EQ(panel->CaptionText(), "kept");
  }
  ZoomButton(true);
  TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 3, 3);  // no bitmap
  EXPECT_EQ(TempImageForm->Zoom, 1);
  EXPECT_EQ(TempImageForm->CaptionText(), "Image (1:1)");

  TempImageForm->ShowBitmap(Ramp(10, 10));
  for (TPanelForm* panel : Panels()) panel->PaintBoxMouseDown(Qt::LeftButton, 1, 1);
  EXPECT_EQ(ImageForm->CaptionText(), " 1.- carpet (2:1) ");
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.- carpet binary (2:1) ");
  EXPECT_EQ(ResultImageForm->CaptionText(), " 3.- Local Fractal Dimension (2:1) ");
  for (TPanelForm* panel : Panels()) panel->PaintBoxMouseDown(Qt::RightButton, 1, 1);
  EXPECT_EQ(ResultImageForm->CaptionText(), " 3.- Local Fractal Dimension (1:1)");
}

TEST_F(PanelsTest, ClickToPixelAtSeveralZooms) {
  struct Case {
    int zoom, x, y, column, line;
  };
  const std::vector<Case> cases = {
      {-2, 10, 4, 20, 8}, {1, 10, 4, 10, 4}, {0, 7, 3, 7, 3},    {-1, 7, 3, 7, 3},    {3, 10, 8, 3, 2},
      {4, 3, 7, 0, 1},    {-5, 3, 1, 15, 5}, {20, 39, 41, 1, 2}, {-20, 4, 2, 80, 40}, {2, 11, 4, 5, 2},
  };
  ImageForm->ShowImage(Ramp(100, 90));
  for (const Case& c : cases) {
    ImageForm->Zoom = c.zoom;
    ImageForm->PaintBoxMouseMove(c.x, c.y);
    EXPECT_EQ(MainForm->StatusText(0), "Line: " + Padded(c.line) + "  Column: " + Padded(c.column) + " ")
        << "zoom " << c.zoom;
    EXPECT_EQ(ImageForm->ColumnAt(c.x), c.column) << "zoom " << c.zoom;
    EXPECT_EQ(ImageForm->LineAt(c.y), c.line) << "zoom " << c.zoom;
  }
}

TEST_F(PanelsTest, ReadOutOfGrayAndColourPixels) {
  IMAGE colour(4, 3, IMAGE::kRgb);
  colour.Fill({30, 30, 30});
  colour.SetPixelRGB(1, 2, Rgb{.blue = 30, .green = 20, .red = 10});
  colour.SetPixelRGB(3, 0, Rgb{.blue = 0, .green = 255, .red = 0});
  ImageForm->ShowImage(colour);
  const std::string size = "|Image Size: 3 lines x 4 columns  ";
  EXPECT_EQ(StatusAt(ImageForm, 0, 0), "Line:     0  Column:     0 |Gray Tone :   30 " + size);
  EXPECT_EQ(StatusAt(ImageForm, 1, 2), "Line:     2  Column:     1 |R:  10 G:  20 B:  30  " + size);
  EXPECT_EQ(StatusAt(ImageForm, 3, 0), "Line:     0  Column:     3 |R:   0 G: 255 B:   0  " + size);

  // Panel 3 reads the displayed colour: a palette image through its palette.
  IMAGE palette(2, 1, IMAGE::kPalette);
  palette.SetPixel(0, 0, 7);
  palette.SetPixel(1, 0, 8);
  std::copy_n("\xC8\x64\x32", 3, palette.Palette().begin() + 4 * 8);  // blue 200, green 100, red 50
  ResultImageForm->ShowImage(palette);
  EXPECT_EQ(StatusAt(ResultImageForm, 0, 0),
            "Line:     0  Column:     0 |Gray Tone :    7 |Image Size: 1 lines x 2 columns  ");
  EXPECT_EQ(StatusAt(ResultImageForm, 1, 0),
            "Line:     0  Column:     1 |R:  50 G: 100 B: 200  |Image Size: 1 lines x 2 columns  ");

  // Panel 2 reads the stored value, whatever the editor shows (background red, item green).
  MainForm->BinaryImage = BytePlane(5, 4);
  MainForm->BinaryImage.Fill(255);
  MainForm->BinaryImage[2][3] = 1;
  IMAGE shown(5, 4, IMAGE::kRgb);
  shown.Fill({0, 0, 255});
  shown.SetPixelRGB(3, 2, {0, 255, 0});
  TempImageForm->ShowBitmap(shown);
  EXPECT_EQ(StatusAt(TempImageForm, 0, 0),
            "Line:     0  Column:     0 |Gray Tone :  255 |Image Size: 4 lines x 5 columns  ");
  TempImageForm->Zoom = 2;
  EXPECT_EQ(StatusAt(TempImageForm, 7, 5),
            "Line:     2  Column:     3 |Gray Tone :    1 |Image Size: 4 lines x 5 columns  ");
}

TEST_F(PanelsTest, EmptyFieldsOutsideTheImageAndWithoutBitmap) {
  for (TPanelForm* panel : Panels()) EXPECT_EQ(StatusAt(panel, 1, 1), "||");
  MainForm->BinaryImage = BytePlane(6, 5);
  ShowAll(6, 5);
  struct Point {
    int zoom, x, y;
  };
  for (const Point p : {Point{1, 6, 0}, Point{1, 0, 5}, Point{1, -1, 2}, Point{1, 2, -1}, Point{3, 18, 2},
                        Point{-2, 12, 0}, Point{1, 400, 300}}) {
    for (TPanelForm* panel : Panels()) {
      panel->Zoom = p.zoom;
      EXPECT_EQ(StatusAt(panel, p.x, p.y), "||") << p.zoom << " " << p.x << " " << p.y;
    }
  }
  // Bounded by the panel's own image, not the program's size.
  ImageForm->ShowImage(Ramp(10, 8));
  IMAGE larger(30, 20, IMAGE::kGray);
  ASSERT_EQ(MainForm->ImageColumns, 30);
  ImageForm->Zoom = 1;
  EXPECT_EQ(StatusAt(ImageForm, 15, 2), "||");
  EXPECT_EQ(StatusAt(ImageForm, 9, 7),
            "Line:     7  Column:     9 |Gray Tone :   58 |Image Size: 8 lines x 10 columns  ");
  // Panel 2 beyond its plane: the place and size, but no stored value to show.
  MainForm->BinaryImage = BytePlane(4, 4);
  TempImageForm->ShowBitmap(Ramp(10, 8));
  EXPECT_EQ(StatusAt(TempImageForm, 6, 6), "Line:     6  Column:     6 ||Image Size: 8 lines x 10 columns  ");
}

TEST_F(PanelsTest, NewImageReturnsToOneToOneUnlessKeptAndClosingFreesTheBitmap) {
  ImageForm->ShowImage(Ramp(20, 20));
  ImageForm->Zoom = 5;
  ImageForm->ShowImage(Ramp(30, 20));
  TempImageForm->Zoom = -4;
  TempImageForm->ShowBitmap(Ramp(5, 5));
  MainForm->KeepZoom = 1;
  ResultImageForm->Zoom = 3;
  ResultImageForm->ShowImage(Ramp(5, 5));
  EXPECT_EQ(
      std::tuple(ImageForm->Zoom, ImageForm->Bitmap().width(), TempImageForm->Zoom, ResultImageForm->Zoom),
      std::tuple(1, 30, 1, 3));

  ShowAll(8, 8);
  for (TPanelForm* panel : Panels()) {
    ASSERT_TRUE(panel->HasBitmap());
    EXPECT_FALSE(panel->close());  // the window stays
    EXPECT_EQ(std::tuple(panel->HasBitmap(), panel->isMinimized(),
                         MainForm->MdiArea()->subWindowList().contains(panel)),
              std::tuple(false, true, true));
    EXPECT_EQ(StatusAt(panel, 1, 1), "||");
  }
  ImageForm->ShowImage(Ramp(8, 8));
  ImageForm->ShowPanel();
  EXPECT_TRUE(ImageForm->HasBitmap());
  EXPECT_FALSE(ImageForm->isMinimized());
}

// The view after a zoom click near an edge starts at the first or ends at the last column and line;
// at the limit the view stays; the paint draws from the scroll position.
TEST_F(PanelsTest, ZoomClickCentresWithinThePicture) {
  MainForm->show();  // the view takes its real size
  ImageForm->ShowImage(Ramp(400, 300));
  ZoomButton(true);
  const int viewWidth = ImageForm->PaintBox()->width(), viewHeight = ImageForm->PaintBox()->height();
  ASSERT_TRUE(viewWidth > 0 && viewHeight > 0);
  ImageForm->PaintBoxMouseDown(Qt::LeftButton, 200, 150);  // 2:1 around (200, 150)
  int hpos = ImageForm->HorizontalPosition(), vpos = ImageForm->VerticalPosition();
  ASSERT_TRUE(hpos > 0 && vpos > 0);
  const QImage painted = Painted(*ImageForm, 50, 40);
  for (int y = 0; y < 40; y += 7)
    for (int x = 0; x < 50; x += 5)
      EXPECT_EQ(painted.pixel(x, y), ImageForm->Bitmap().pixel((x + hpos) / 2, (y + vpos) / 2))
          << x << " " << y;

  ImageForm->Zoom = 1;
  ImageForm->PaintBoxMouseDown(Qt::LeftButton, 2, 3);  // near the top left corner
  EXPECT_EQ(std::tuple(ImageForm->HorizontalPosition(), ImageForm->VerticalPosition()), std::tuple(0, 0));
  ImageForm->PaintBoxMouseDown(Qt::MiddleButton, 2 * 398, 2 * 299);  // near the bottom right corner at 2:1
  EXPECT_EQ(ImageForm->Zoom, 2);
  EXPECT_EQ(ImageForm->ColumnAt(ImageForm->HorizontalPosition() + viewWidth - 1), 399);
  EXPECT_EQ(ImageForm->LineAt(ImageForm->VerticalPosition() + viewHeight - 1), 299);
  ImageForm->PaintBoxMouseDown(Qt::LeftButton, 2 * 200, 2 * 150);  // in the middle: at the centre
  ASSERT_EQ(ImageForm->Zoom, 3);
  EXPECT_NEAR(ImageForm->ColumnAt(ImageForm->HorizontalPosition() + viewWidth / 2), 200, 1);
  EXPECT_NEAR(ImageForm->LineAt(ImageForm->VerticalPosition() + viewHeight / 2), 150, 1);

  ImageForm->Zoom = 19;
  ImageForm->PaintBoxMouseDown(Qt::LeftButton, 19 * 200, 19 * 150);
  hpos = ImageForm->HorizontalPosition();
  vpos = ImageForm->VerticalPosition();
  ImageForm->PaintBoxMouseDown(Qt::LeftButton, 20 * 390, 20 * 290);
  EXPECT_EQ(std::tuple(ImageForm->Zoom, ImageForm->HorizontalPosition(), ImageForm->VerticalPosition(),
                       ImageForm->ClickColumn),
            std::tuple(20, hpos, vpos, 200));
  EXPECT_EQ(ImageForm->CaptionText(), " 1.- carpet (20:1) ");

  // A picture smaller than the view never scrolls, to either side.
  ImageForm->ShowImage(Ramp(30, 20));
  ImageForm->PaintBoxMouseDown(Qt::RightButton, 29, 19);
  EXPECT_EQ(ImageForm->Zoom, -2);
  EXPECT_EQ(std::tuple(ImageForm->HorizontalPosition(), ImageForm->VerticalPosition()), std::tuple(0, 0));
}

TEST_F(PanelsTest, DrawsTheVisiblePartAtTheZoom) {
  IMAGE image(4, 3, IMAGE::kRgb);
  for (int line = 0; line < 3; ++line)
    for (int column = 0; column < 4; ++column)
      image.SetPixelRGB(
          column, line,
          {static_cast<std::uint8_t>(40 * column + 1), static_cast<std::uint8_t>(60 * line + 2), 99});
  ImageForm->ShowImage(image);
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
  const QImage empty = Painted(*ImageForm, 6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(empty.pixel(x, y), qRgb(255, 0, 255));
}

// The paint box's own events: its paint draws the picture, the mouse reaches the read-out and the
// zoom click at picture coordinates (scroll positions added).
TEST_F(PanelsTest, QtEventsReachThePaintBox) {
  MainForm->show();
  ImageForm->ShowImage(Ramp(400, 300));
  QWidget* box = ImageForm->PaintBox();
  const QImage grabbed = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_GE(grabbed.width(), 20);
  for (int x : {0, 5, 19}) EXPECT_EQ(grabbed.pixel(x, 3), ImageForm->Bitmap().pixel(x, 3)) << x;

  auto send = [box](QEvent::Type type, Qt::MouseButton button, int x, int y) {
    QMouseEvent event(type, QPointF(x, y), box->mapToGlobal(QPointF(x, y)), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &event);
  };
  send(QEvent::MouseMove, Qt::NoButton, 6, 4);
  EXPECT_EQ(MainForm->StatusText(0), "Line:     4  Column:     6 ");
  ZoomButton(true);
  send(QEvent::MouseButtonPress, Qt::LeftButton, 100, 60);
  ASSERT_EQ(std::tuple(ImageForm->Zoom, ImageForm->ClickColumn, ImageForm->ClickLine),
            std::tuple(2, 100, 60));
  send(QEvent::MouseMove, Qt::NoButton, 10, 8);
  EXPECT_EQ(MainForm->StatusText(0), "Line: " + Padded((ImageForm->VerticalPosition() + 8) / 2) +
                                         "  Column: " + Padded((ImageForm->HorizontalPosition() + 10) / 2) +
                                         " ");
}

TEST_F(PanelsTest, PanelTwoHandsOnToTheEditorOnlyClicksThatDoNotZoom) {
  MainForm->BinaryImage = BytePlane(10, 10);
  TempImageForm->ShowBitmap(Ramp(10, 10));
  std::vector<std::string> seen;
  TempImageForm->EditorClick = [&](Qt::MouseButton, int x, int y) {
    seen.push_back(std::to_string(x) + "," + std::to_string(y));
  };
  TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 4, 5);  // zoom up: straight to the tools
  ZoomButton(true);
  TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 6, 7);   // to 2:1: a zoom click only
  TempImageForm->PaintBoxMouseDown(Qt::RightButton, 8, 9);  // back to 1:1
  TempImageForm->Zoom = 20;
  TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 1, 1);  // at the limit
  EXPECT_EQ(TempImageForm->Zoom, 20);
  ZoomButton(false);
  TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 40, 60);
  EXPECT_EQ(seen, (std::vector<std::string>{"4,5", "40,60"}));
  MainForm->Item("ColorSpeedButton")->setChecked(true);
  TempImageForm->PaintBoxMouseDown(Qt::LeftButton, 1, 1);
  EXPECT_EQ(ui::ScreenCursor(), ui::crPot);
}

}  // namespace
