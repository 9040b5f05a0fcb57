// The bitmaps the panels show and the BMP files Qt reads back.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>

#include "fixtures/Patterns.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"
#include "ui/Bitmap.h"
namespace {
// GetPixelRGB has known-colour core tests; the bitmap must agree with it.
TEST(ImageToBitmap, EveryPixelAgreesWithGetPixelRGBAndARecycledBitmapIsReusedOnlyWhenFreeAndFitting) {
  for (int type : {IMAGE::kGray, IMAGE::kPalette, IMAGE::kRgb}) {
    IMAGE image(19, 11, type);
    for (int v = 0; v < 256; ++v) image.Palette()[4 * v] = static_cast<std::uint8_t>(255 - v);
    image.SetFromPlaneRGB(MakeRandomBgr(19, 11, 3));
    const QImage bitmap = ImageToBitmap(image);
    ASSERT_EQ(std::tuple(bitmap.width(), bitmap.height()), std::tuple(19, 11));
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 19; ++x) {
        const Rgb c = image.GetPixelRGB(x, y);
        ASSERT_EQ(bitmap.pixel(x, y), qRgb(c.red, c.green, c.blue)) << type << " at " << x << "," << y;
      }
  }
  EXPECT_TRUE(ImageToBitmap(IMAGE(0, 5, IMAGE::kGray)).isNull() &&
              ImageToBitmap(IMAGE(5, -1, IMAGE::kRgb)).isNull());
  // A bitmap handed back is written over only when nothing else shares it and it fits.
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
    EXPECT_EQ(ImageToBitmap(first, reused), ImageToBitmap(first));
    EXPECT_EQ(kept, fresh);
    EXPECT_EQ(ImageToBitmap(IMAGE(6, 5, type), ImageToBitmap(first)).width(), 6);  // another size
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
  const QRgb last = bitmap.pixel(kColumns - 1, kLines - 1);
  bitmap = QImage();
  QPainter(&kept).fillRect(0, 0, 2, 2, QColor(1, 2, 3));
  EXPECT_EQ(std::tuple(kept.pixel(1, 1), kept.pixel(kColumns - 1, kLines - 1)),
            std::tuple(qRgb(1, 2, 3), last));
}
// Gray and 24-bit files are checked byte for byte in the core tests.
TEST(BmpFiles, APaletteIsWrittenAsGiven) {
  ScratchDir dir;
  std::uint8_t palette[1024] = {};  // blue, green, red, 0
  for (int v = 0; v < 256; ++v)
    std::copy_n(std::array<int, 3>{v, 255 - v, v / 2}.begin(), 3, palette + 4 * v);
  ASSERT_EQ(WriteBMPFile(dir.File("p.bmp"), MakeRandomGray(13, 7, 41), 13, 7, IMAGE::kPalette, palette), 0);
  const std::vector<std::uint8_t> file = ReadFileBytes(dir.File("p.bmp"));
  ASSERT_GE(file.size(), 1078u);
  EXPECT_TRUE(std::equal(palette, palette + 1024, file.begin() + 54));
}
}  // namespace
