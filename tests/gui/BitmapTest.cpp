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

// GetPixelRGB is checked against known colours in the core tests; the bitmap must agree with it.
TEST(ImageToBitmap, EveryPixelAgreesWithGetPixelRGB) {
  for (int type : {IMAGE::kGray, IMAGE::kPalette, IMAGE::kRgb}) {
    IMAGE image(19, 11, type);
    for (int v = 0; v < 256; ++v) image.Palette()[4 * v] = static_cast<std::uint8_t>(255 - v);
    image.SetFromPlaneRGB(MakeRandomBgr(19, 11, 3));
    const QImage bitmap = ImageToBitmap(image);
    ASSERT_EQ(bitmap.width(), 19);
    ASSERT_EQ(bitmap.height(), 11);
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 19; ++x) {
        const Rgb c = image.GetPixelRGB(x, y);
        ASSERT_EQ(bitmap.pixel(x, y), qRgb(c.red, c.green, c.blue))
            << "type " << type << " at " << x << "," << y;
      }
  }
  EXPECT_TRUE(ImageToBitmap(IMAGE(0, 5, IMAGE::kGray)).isNull());
  EXPECT_TRUE(ImageToBitmap(IMAGE(5, -1, IMAGE::kRgb)).isNull());
}

// A bitmap handed back is written over only when nothing else shares it and it fits.
TEST(ImageToBitmap, ARecycledBitmapIsReusedOnlyWhenItFitsAndIsNotShared) {
  for (int type : {IMAGE::kGray, IMAGE::kPalette}) {
    IMAGE first(7, 5, type), second(7, 5, type);
    first.SetFromPlane(MakeRandomGray(7, 5, 1));
    second.SetFromPlane(MakeRandomGray(7, 5, 2));
    QImage old = ImageToBitmap(first);
    const uchar* memory = old.constBits();
    const QImage fresh = ImageToBitmap(second);
    QImage reused = ImageToBitmap(second, std::move(old));
    EXPECT_EQ(reused.constBits(), memory) << type;
    EXPECT_EQ(reused, fresh);
    const QImage kept = reused;  // shared: a new bitmap is made and `kept` stays as it was
    const QImage again = ImageToBitmap(first, reused);
    EXPECT_EQ(kept, fresh);
    EXPECT_EQ(again, ImageToBitmap(first));
    IMAGE other(6, 5, type);  // another size
    EXPECT_EQ(ImageToBitmap(other, ImageToBitmap(first)).width(), 6);
  }
}

// Bitmaps above 32 MiB take another allocation path; they must look and behave the same.
TEST(ImageToBitmap, LargeBitmapsAreWholeAndPaintable) {
  constexpr int kColumns = 3001, kLines = 2999;
  IMAGE image(kColumns, kLines, IMAGE::kRgb);
  image.SetFromPlane(MakeRandomGray(kColumns, kLines, 12));
  QImage bitmap = ImageToBitmap(image);
  ASSERT_EQ(bitmap.format(), QImage::Format_RGB32);
  for (int y = 0; y < kLines; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y));
    const std::uint8_t* source = image.Row(y);
    for (int x = 0; x < kColumns; ++x)
      ASSERT_EQ(row[x], qRgb(source[3 * x + 2], source[3 * x + 1], source[3 * x])) << x << "," << y;
  }
  QImage kept = bitmap;
  bitmap = QImage();
  {
    QPainter painter(&kept);
    painter.fillRect(0, 0, 2, 2, QColor(1, 2, 3));
  }
  EXPECT_EQ(kept.pixel(1, 1), qRgb(1, 2, 3));
  const std::uint8_t* last = image.Row(kLines - 1) + 3 * (kColumns - 1);
  EXPECT_EQ(kept.pixel(kColumns - 1, kLines - 1), qRgb(last[2], last[1], last[0]));
}

// Qt's own reader must see in our files the pixels we wrote: gray, with a palette, and 24 bits.
TEST(BmpFilesForQt, ReadBackTheirPixels) {
  ScratchDir dir;
  std::uint8_t palette[1024] = {};
  for (int v = 0; v < 256; ++v) {
    palette[4 * v] = static_cast<std::uint8_t>(v);
    palette[4 * v + 1] = static_cast<std::uint8_t>(255 - v);
    palette[4 * v + 2] = static_cast<std::uint8_t>(v / 2);
  }
  for (int type : {0, 1, 2}) {
    const BytePlane plane = type == 2 ? MakeRandomBgr(11, 6, 8) : MakeRandomGray(13, 7, 41);
    const int columns = type == 2 ? 11 : 13, lines = type == 2 ? 6 : 7;
    const std::string name = dir.File(std::to_string(type) + ".bmp");
    ASSERT_EQ(WriteBMPFile(name, plane, columns, lines, type, type == 1 ? palette : nullptr), 0);
    const QImage read(QString::fromStdString(name));
    ASSERT_EQ(read.width(), columns);
    ASSERT_EQ(read.height(), lines);
    for (int y = 0; y < lines; ++y)
      for (int x = 0; x < columns; ++x) {
        const std::uint8_t* p = plane[y] + (type == 2 ? 3 * x : x);
        const QRgb expected = type == 2   ? qRgb(p[2], p[1], p[0])
                              : type == 1 ? qRgb(palette[4 * *p + 2], palette[4 * *p + 1], palette[4 * *p])
                                          : qRgb(*p, *p, *p);
        ASSERT_EQ(read.pixel(x, y), expected) << "type " << type << " at " << x << "," << y;
      }
  }
}

}  // namespace
