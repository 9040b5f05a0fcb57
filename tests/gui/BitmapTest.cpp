#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

#include "fixtures/Patterns.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"
#include "ui/Bitmap.h"

namespace {

TEST(ImageToBitmap, GrayPixelsBecomeEqualChannels) {
  IMAGE image(3, 2, IMAGE::kGray);
  image.SetPixel(0, 0, 0);
  image.SetPixel(1, 0, 128);
  image.SetPixel(2, 1, 255);
  const QImage bitmap = ImageToBitmap(image);
  ASSERT_FALSE(bitmap.isNull());
  EXPECT_EQ(bitmap.width(), 3);
  EXPECT_EQ(bitmap.height(), 2);
  EXPECT_EQ(bitmap.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(bitmap.pixel(1, 0), qRgb(128, 128, 128));
  EXPECT_EQ(bitmap.pixel(2, 1), qRgb(255, 255, 255));
}

TEST(ImageToBitmap, PaletteIsApplied) {
  IMAGE image(2, 1, IMAGE::kPalette);
  image.Palette()[4 * 3] = 10;      // blue
  image.Palette()[4 * 3 + 1] = 20;  // green
  image.Palette()[4 * 3 + 2] = 30;  // red
  image.SetPixel(0, 0, 3);
  image.SetPixel(1, 0, 4);
  const QImage bitmap = ImageToBitmap(image);
  EXPECT_EQ(bitmap.pixel(0, 0), qRgb(30, 20, 10));
  EXPECT_EQ(bitmap.pixel(1, 0), qRgb(4, 4, 4));
}

TEST(ImageToBitmap, ColourBytesAreBlueGreenRed) {
  IMAGE image(2, 2, IMAGE::kRgb);
  image.SetPixelRGB(1, 1, {10, 20, 30});
  image.SetPixelRGB(0, 1, {255, 0, 0});
  const QImage bitmap = ImageToBitmap(image);
  EXPECT_EQ(bitmap.pixel(1, 1), qRgb(30, 20, 10));
  EXPECT_EQ(bitmap.pixel(0, 1), qRgb(0, 0, 255));
  EXPECT_EQ(bitmap.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(ImageToBitmap, EveryPixelAgreesWithGetPixelRGB) {
  for (int type : {IMAGE::kGray, IMAGE::kPalette, IMAGE::kRgb}) {
    IMAGE image(19, 11, type);
    for (int v = 0; v < 256; ++v) image.Palette()[4 * v] = static_cast<std::uint8_t>(255 - v);
    image.SetFromPlaneRGB(MakeRandomBgr(19, 11, 3));
    const QImage bitmap = ImageToBitmap(image);
    for (int y = 0; y < 11; ++y) {
      for (int x = 0; x < 19; ++x) {
        const Rgb c = image.GetPixelRGB(x, y);
        ASSERT_EQ(bitmap.pixel(x, y), qRgb(c.red, c.green, c.blue))
            << "type " << type << " at " << x << "," << y;
      }
    }
  }
}

// Bitmaps above 32 MiB take another allocation path; they must look and behave the same.
TEST(ImageToBitmap, LargeBitmapsAreWholeAndPaintable) {
  constexpr int kColumns = 3001, kLines = 2999;
  IMAGE image(kColumns, kLines, IMAGE::kGray);
  image.SetFromPlane(MakeRandomGray(kColumns, kLines, 12));
  QImage bitmap = ImageToBitmap(image);
  ASSERT_EQ(bitmap.format(), QImage::Format_RGB32);
  for (int y = 0; y < kLines; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y));
    const std::uint8_t* source = image.Row(y);
    for (int x = 0; x < kColumns; ++x) {
      ASSERT_EQ(row[x], qRgb(source[x], source[x], source[x])) << x << "," << y;
    }
  }
  QImage kept = bitmap;
  bitmap = QImage();
  {
    QPainter painter(&kept);
    painter.fillRect(0, 0, 2, 2, QColor(1, 2, 3));
  }
  EXPECT_EQ(kept.pixel(1, 1), qRgb(1, 2, 3));
  EXPECT_EQ(kept.pixel(kColumns - 1, kLines - 1),
            qRgb(image.Row(kLines - 1)[kColumns - 1], image.Row(kLines - 1)[kColumns - 1],
                 image.Row(kLines - 1)[kColumns - 1]));
}

TEST(ImageToBitmap, NoPixelsGiveANullBitmap) {
  EXPECT_TRUE(ImageToBitmap(IMAGE(0, 5, IMAGE::kGray)).isNull());
  EXPECT_TRUE(ImageToBitmap(IMAGE(5, -1, IMAGE::kRgb)).isNull());
}

// Qt's own reader must see in our files the pixels we wrote.
TEST(BmpFilesForQt, EightBitGrayReadsBack) {
  ScratchDir dir;
  const BytePlane plane = MakeRandomGray(13, 7, 41);
  ASSERT_EQ(WriteBMPFile(dir.File("g.bmp"), plane, 13, 7, 0), 0);
  const QImage read(QString::fromStdString(dir.File("g.bmp")));
  ASSERT_FALSE(read.isNull());
  ASSERT_EQ(read.width(), 13);
  ASSERT_EQ(read.height(), 7);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 13; ++x) {
      const int v = plane[y][x];
      ASSERT_EQ(read.pixel(x, y), qRgb(v, v, v)) << x << "," << y;
    }
  }
}

TEST(BmpFilesForQt, EightBitPaletteReadsBack) {
  ScratchDir dir;
  std::uint8_t palette[1024] = {};
  for (int v = 0; v < 256; ++v) {
    palette[4 * v] = static_cast<std::uint8_t>(v);
    palette[4 * v + 1] = static_cast<std::uint8_t>(255 - v);
    palette[4 * v + 2] = static_cast<std::uint8_t>(v / 2);
  }
  const BytePlane plane = MakeGrayRamp(5, 3);
  ASSERT_EQ(WriteBMPFile(dir.File("p.bmp"), plane, 5, 3, 1, palette), 0);
  const QImage read(QString::fromStdString(dir.File("p.bmp")));
  ASSERT_FALSE(read.isNull());
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const int v = plane[y][x];
      ASSERT_EQ(read.pixel(x, y), qRgb(v / 2, 255 - v, v)) << x << "," << y;
    }
  }
}

TEST(BmpFilesForQt, TwentyFourBitReadsBack) {
  ScratchDir dir;
  const BytePlane plane = MakeRandomBgr(11, 6, 8);
  ASSERT_EQ(WriteBMPFile(dir.File("c.bmp"), plane, 11, 6, 2), 0);
  const QImage read(QString::fromStdString(dir.File("c.bmp")));
  ASSERT_FALSE(read.isNull());
  ASSERT_EQ(read.width(), 11);
  ASSERT_EQ(read.height(), 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 11; ++x) {
      const std::uint8_t* p = plane[y] + 3 * x;
      ASSERT_EQ(read.pixel(x, y), qRgb(p[2], p[1], p[0])) << x << "," << y;
    }
  }
}

}  // namespace
