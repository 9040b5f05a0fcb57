#include "panels/InfoPictures.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <numbers>
#include <vector>

namespace {

constexpr int kSide = 150;
const QColor kInk(30, 30, 60);
const QColor kItem(70, 110, 170);
const QColor kMark(200, 60, 40);
const QColor kPaper(250, 250, 245);

// A small deterministic generator: the same pictures on every run.
class Lcg {
 public:
  explicit Lcg(unsigned seed) : state_(seed) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 16777216.0;
  }

 private:
  unsigned state_;
};

QImage Canvas(int width = kSide, int height = kSide) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kPaper);
  return image;
}

// Draws `text` in `box`, in a smaller font when the painter's would overflow the box.
void DrawFitted(QPainter& p, const QRect& box, int flags, const QString& text) {
  const QFont font = p.font();
  QFont smaller = font;
  for (int size = font.pixelSize(); size > 6; --size) {
    smaller.setPixelSize(size);
    const QRect needed = QFontMetrics(smaller, p.device()).boundingRect(box, flags, text);
    if (box.contains(needed)) break;
  }
  p.setFont(smaller);
  p.drawText(box, flags, text);
  p.setFont(font);
}

// An item with a rough outline, in unit coordinates centred on (0.5, 0.5).
bool InBlob(double x, double y) {
  const double dx = x - 0.5, dy = y - 0.5;
  const double angle = std::atan2(dy, dx);
  const double radius =
      0.30 + 0.07 * std::sin(3 * angle) + 0.045 * std::sin(7 * angle + 1) + 0.025 * std::sin(17 * angle + 2);
  return std::hypot(dx, dy) < radius;
}

// A built-up area: dense at the centre, thinning out with the distance.
bool InCity(int i, int j, int n) {
  Lcg random(static_cast<unsigned>(i * 7919 + j * 104729 + 17));
  const double d = std::hypot(i - n / 2.0, j - n / 2.0) / (n / 2.0);
  const double block = ((i / 3 + j / 3) % 5 == 0) ? 0.25 : 1.0;  // streets
  return random.Next() < std::max(0.0, 0.95 - 1.1 * d) * block;
}

// Cells of an n x n grid filling `area`, coloured by `colourOf(i, j)`.
void Cells(QPainter& p, const QRect& area, int n, const std::function<QColor(int, int)>& colourOf,
           bool gridLines) {
  const double cell = static_cast<double>(area.width()) / n;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      p.fillRect(QRectF(area.left() + j * cell, area.top() + i * cell, cell, cell), colourOf(i, j));
  if (!gridLines) return;
  p.setPen(QPen(QColor(180, 180, 180), 1));
  for (int k = 0; k <= n; ++k) {
    p.drawLine(QPointF(area.left() + k * cell, area.top()), QPointF(area.left() + k * cell, area.bottom()));
    p.drawLine(QPointF(area.left(), area.top() + k * cell), QPointF(area.right(), area.top() + k * cell));
  }
}

QImage BlobPicture(int n, double box) {
  QImage image = Canvas();
  QPainter p(&image);
  const QRect area(5, 5, 140, 140);
  Cells(
      p, area, n, [n](int i, int j) { return InBlob((j + 0.5) / n, (i + 0.5) / n) ? kItem : kPaper; }, false);
  if (box <= 0) return image;
  // Boxes of side `box` cells: the filled ones outlined.
  const double cell = 140.0 / n;
  const int boxes = static_cast<int>(n / box);
  for (int bi = 0; bi < boxes; ++bi)
    for (int bj = 0; bj < boxes; ++bj) {
      bool filled = false;
      for (int i = static_cast<int>(bi * box); i < static_cast<int>((bi + 1) * box) && !filled; ++i)
        for (int j = static_cast<int>(bj * box); j < static_cast<int>((bj + 1) * box); ++j)
          if (InBlob((j + 0.5) / n, (i + 0.5) / n)) filled = true;
      const QRectF r(5 + bj * box * cell, 5 + bi * box * cell, box * cell, box * cell);
      p.setPen(QPen(filled ? kMark : QColor(190, 190, 190), 1));
      p.setBrush(Qt::NoBrush);
      p.drawRect(r);
    }
  return image;
}

QImage LogLog(double slope, const char* xLabel, const char* yLabel, int points = 6, unsigned seed = 3) {
  QImage image = Canvas(200, kSide);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kInk, 1));
  p.drawLine(30, 125, 190, 125);
  p.drawLine(30, 125, 30, 10);
  QFont font = p.font();
  font.setPixelSize(11);
  p.setFont(font);
  DrawFitted(p, QRect(120, 128, 75, 18), Qt::AlignRight, QString::fromUtf8(xLabel));
  DrawFitted(p, QRect(2, 2, 90, 14), Qt::AlignLeft, QString::fromUtf8(yLabel));
  // Points about the line y = slope x, scaled into the frame.
  Lcg random(seed);
  const double top = slope < 0 ? 20 : 115, bottom = slope < 0 ? 115 : 20;
  const double run = std::min(1.0, std::abs(slope) / 2.0);
  p.setPen(QPen(kMark, 1.5));
  p.drawLine(QPointF(40, top), QPointF(180, top + (bottom - top) * run));
  p.setBrush(kInk);
  p.setPen(Qt::NoPen);
  for (int k = 0; k < points; ++k) {
    const double t = static_cast<double>(k) / (points - 1);
    const double x = 40 + 140 * t;
    const double y = top + (bottom - top) * run * t + (random.Next() - 0.5) * 8;
    p.drawEllipse(QPointF(x, y), 3, 3);
  }
  return image;
}

QImage Walk(bool crossings) {
  QImage image = Canvas();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // The path: a band of the image.
  QPainterPath band;
  band.moveTo(0, 60);
  band.cubicTo(50, 20, 100, 120, 150, 70);
  band.lineTo(150, 110);
  band.cubicTo(100, 160, 50, 60, 0, 100);
  band.closeSubpath();
  p.fillPath(band, QColor(200, 210, 230));
  Lcg random(crossings ? 11 : 5);
  QPointF at(20, 80);
  QPolygonF walk{at};
  for (int k = 0; k < 40; ++k) {
    const double angle = random.Next() * 2 * std::numbers::pi;
    const double length = 4 + random.Next() * 8;
    QPointF next = at + QPointF(std::cos(angle) * length, std::sin(angle) * length);
    if (!band.contains(next)) continue;  // the walker steps back and turns
    walk << next;
    at = next;
  }
  p.setPen(QPen(kMark, 1.5));
  p.drawPolyline(walk);
  if (crossings)
    for (int k = 2; k < walk.size(); k += 7) {
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(walk[k], 4, 4);
    }
  return image;
}

QImage Expansion(int radius, bool ring) {
  constexpr int n = 50;
  QImage image = Canvas();
  QPainter p(&image);
  const QRect area(0, 0, 150, 150);
  Cells(
      p, area, n, [](int i, int j) { return InCity(i, j, n) ? kItem : kPaper; }, false);
  p.setRenderHint(QPainter::Antialiasing);
  const double scale = 150.0 / n;
  p.setPen(QPen(kMark, 2));
  p.setBrush(ring ? Qt::NoBrush : QBrush(QColor(200, 60, 40, 50)));
  p.drawEllipse(QPointF(75, 75), radius * scale, radius * scale);
  if (ring) p.drawEllipse(QPointF(75, 75), (radius - 3) * scale, (radius - 3) * scale);
  p.setBrush(kMark);
  p.drawEllipse(QPointF(75, 75), 2.5, 2.5);
  return image;
}

QImage ExpansionCurves() {
  QImage image = Canvas(200, kSide);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(kInk);
  p.drawLine(25, 125, 195, 125);
  p.drawLine(25, 125, 25, 10);
  QFont font = p.font();
  font.setPixelSize(11);
  p.setFont(font);
  DrawFitted(p, QRect(130, 128, 65, 18), Qt::AlignRight, QStringLiteral("radius"));
  QPolygonF density, dimension;
  for (int r = 1; r <= 34; ++r) {
    const double x = 25 + r * 5;
    density << QPointF(x, 125 - 100 * std::exp(-r / 18.0));
    dimension << QPointF(x, 125 - 90 * (1 - std::exp(-r / 6.0)) * (1 - 0.15 * r / 34));
  }
  p.setPen(QPen(kItem, 2));
  p.drawPolyline(density);
  DrawFitted(p, QRect(30, 12, 80, 14), Qt::AlignLeft, QStringLiteral("density"));
  p.setPen(QPen(kMark, 2));
  p.drawPolyline(dimension);
  DrawFitted(p, QRect(110, 12, 85, 14), Qt::AlignLeft, QStringLiteral("dimension"));
  return image;
}

// Pixel patterns: '#' the value, '.' the background, '+' a pixel that changes.
QImage Pattern(const std::vector<const char*>& rows, const QColor& changed) {
  const int n = static_cast<int>(rows.size());
  QImage image = Canvas();
  QPainter p(&image);
  Cells(
      p, QRect(5, 5, 140, 140), n,
      [&](int i, int j) {
        const char c = rows[i][j];
        return c == '#' ? kItem : c == '+' ? changed : kPaper;
      },
      true);
  return image;
}

QImage Morphology() {
  // Original, dilation, erosion side by side, each 7 x 7.
  const char* original[] = {".......", "..##...", ".####..", ".###.#.", "..####.", "...#...", "......."};
  QImage image = Canvas(3 * kSide, kSide);
  QPainter p(&image);
  auto has = [&](int i, int j) { return i >= 0 && i < 7 && j >= 0 && j < 7 && original[i][j] == '#'; };
  for (int panel = 0; panel < 3; ++panel)
    Cells(
        p, QRect(5 + panel * kSide, 5, 140, 140), 7,
        [&](int i, int j) {
          bool any = false, all = true;
          for (int di = -1; di <= 1; ++di)
            for (int dj = -1; dj <= 1; ++dj) {
              any = any || has(i + di, j + dj);
              all = all && has(i + di, j + dj);
            }
          if (panel == 0) return has(i, j) ? kItem : kPaper;
          if (panel == 1) return has(i, j) ? kItem : any ? kMark : kPaper;
          return all ? kItem : has(i, j) ? QColor(240, 200, 190) : kPaper;
        },
        true);
  return image;
}

QImage Window(int n, int half, bool star) {
  QImage image = Canvas();
  QPainter p(&image);
  Lcg random(9);
  std::vector<int> gray(static_cast<std::size_t>(n) * n);
  for (int& g : gray) g = 90 + static_cast<int>(random.Next() * 120);
  Cells(
      p, QRect(5, 5, 140, 140), n,
      [&](int i, int j) {
        const int g = gray[static_cast<std::size_t>(i) * n + j];
        return QColor(g, g, g);
      },
      true);
  const double cell = 140.0 / n;
  const int c = n / 2;
  p.setPen(QPen(kMark, 2));
  p.setBrush(Qt::NoBrush);
  if (star) {
    for (int di = -1; di <= 1; ++di)
      for (int dj = -1; dj <= 1; ++dj)
        if (di || dj)
          p.drawLine(QPointF(5 + (c + 0.5) * cell, 5 + (c + 0.5) * cell),
                     QPointF(5 + (c + 0.5 + dj * half) * cell, 5 + (c + 0.5 + di * half) * cell));
  } else {
    p.drawRect(
        QRectF(5 + (c - half) * cell, 5 + (c - half) * cell, (2 * half + 1) * cell, (2 * half + 1) * cell));
  }
  p.fillRect(QRectF(5 + c * cell, 5 + c * cell, cell, cell), kMark);
  return image;
}

QImage Cube(int jump) {
  QImage image = Canvas();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // Columns of cells in an oblique view: a 5 x 5 window, heights from the relief.
  const int heights[5][5] = {
      {1, 2, 2, 3, 2}, {2, 3, 3, 3, 2}, {2, 3, 3, 4, 3}, {1, 2, 3, 3, 2}, {1, 1, 2, 2, 1}};
  const double cell = 16;
  for (int i = 4; i >= 0; --i)
    for (int j = 0; j < 5; ++j)
      for (int k = 0; k < std::min(5, heights[i][j] + jump - 1); ++k) {
        const QPointF o(25 + j * cell + i * 7, 120 - i * 7 - k * 12);
        QPolygonF face{o, o + QPointF(cell, 0), o + QPointF(cell, -12), o + QPointF(0, -12)};
        p.setPen(kInk);
        p.setBrush(QColor(120 + 25 * k, 150 + 15 * k, 200));
        p.drawPolygon(face);
      }
  return image;
}

QImage PrismTop(int distance) {
  QImage image = Canvas();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(75, 75);
  const double step = 20.0 * distance;
  const int lift[8] = {8, -5, 12, 3, -8, 6, -3, 10};
  QPolygonF ring;
  for (int k = 0; k < 8; ++k) {
    const double angle = std::numbers::pi * (0.75 - k * 0.25);
    const double r = (k % 2 == 0 ? std::sqrt(2.0) : 1.0) * step;
    ring << centre + QPointF(r * std::cos(angle) * 0.95, -r * std::sin(angle) * 0.95 - lift[k]);
  }
  for (int k = 0; k < 8; ++k) {
    QPolygonF triangle{centre + QPointF(0, -14), ring[k], ring[(k + 1) % 8]};
    p.setPen(kInk);
    p.setBrush(QColor(110 + 15 * k, 150, 210 - 10 * k));
    p.drawPolygon(triangle);
  }
  p.setBrush(kMark);
  p.drawEllipse(centre + QPointF(0, -14), 3, 3);
  return image;
}

QImage PrismTriangle() {
  QFont font;
  font.setPixelSize(12);
  const QString formula = QStringLiteral("area = √(s(s-e1)(s-e2)(s-e3))");
  // As wide as the formula needs, the triangle in the middle.
  const int width = std::max(kSide, QFontMetrics(font).horizontalAdvance(formula) + 12);
  QImage image = Canvas(width, kSide);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setFont(font);
  p.setPen(kInk);
  DrawFitted(p, QRect(0, 0, width, 18), Qt::AlignCenter, formula);
  p.translate((width - kSide) / 2, 0);
  QPolygonF triangle{QPointF(20, 120), QPointF(130, 110), QPointF(70, 25)};
  p.setPen(QPen(kInk, 2));
  p.setBrush(QColor(170, 200, 230));
  p.drawPolygon(triangle);
  p.drawText(QPointF(70, 132), QStringLiteral("e1"));
  p.drawText(QPointF(108, 65), QStringLiteral("e2"));
  p.drawText(QPointF(25, 70), QStringLiteral("e3"));
  return image;
}

QImage Sequence(bool sliding) {
  QImage image = Canvas(200, kSide);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  Lcg random(21);
  QPolygonF curve;
  double v = 75;
  for (int x = 5; x < 195; x += 2) {
    v += (random.Next() - 0.5) * 10;
    v = std::clamp(v, 40.0, 110.0);
    curve << QPointF(x, v);
  }
  p.setPen(QPen(kInk, 1));
  p.drawPolyline(curve);
  QFont font = p.font();
  font.setPixelSize(11);
  p.setFont(font);
  DrawFitted(p, QRect(0, 2, 200, 14), Qt::AlignCenter,
             sliding ? QStringLiteral("sliding windows") : QStringLiteral("jumping windows"));
  p.setBrush(Qt::NoBrush);
  const int width = 40;
  for (int k = 0; k < 4; ++k) {
    const int x = sliding ? 10 + k * 12 : 10 + k * (width + 5);
    p.setPen(QPen(k % 2 ? kMark : kItem, 1.5));
    p.drawRect(x, 30 + (sliding ? k * 4 : 0), width, 95 - (sliding ? k * 4 : 0));
  }
  p.setPen(kInk);
  DrawFitted(p, QRect(0, 130, 200, 16), Qt::AlignCenter, QStringLiteral("deviation in each window"));
  return image;
}

QImage WaveletScales() {
  QImage image = Canvas(3 * 140 + 220, 170);  // the plot's right edge inside
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QFont font = p.font();
  font.setPixelSize(11);
  p.setFont(font);
  for (int scale = 0; scale < 3; ++scale) {
    const double sigma = 8 + 6 * scale;
    const QRect area(10 + scale * 140, 25, 120, 120);
    for (int i = 0; i < 120; i += 2)
      for (int j = 0; j < 120; j += 2) {
        double value = 0;
        for (int s = 0; s < 5; ++s) value += std::sin((i * (s + 1) + j * (5 - s)) / (3.0 * sigma)) / (s + 1);
        const int g = std::clamp(static_cast<int>(128 + 60 * value), 0, 255);
        p.fillRect(area.left() + j, area.top() + i, 2, 2, QColor(g, g, g));
      }
    p.setPen(kInk);
    DrawFitted(p, QRect(area.left(), 5, 120, 16), Qt::AlignCenter,
               QStringLiteral("scale σ + %1Δ").arg(scale));
    DrawFitted(p, QRect(area.left(), 148, 120, 16), Qt::AlignCenter,
               QStringLiteral("sequence → H%1").arg(scale + 1));
  }
  const QRect plot(440, 25, 190, 120);
  p.setPen(kInk);
  p.drawLine(plot.bottomLeft(), plot.bottomRight());
  p.drawLine(plot.bottomLeft(), plot.topLeft());
  DrawFitted(p, QRect(plot.left(), 5, 190, 16), Qt::AlignCenter, QStringLiteral("log10(H + 1) : log10 σ"));
  p.setBrush(kMark);
  for (int k = 0; k < 3; ++k)
    p.drawEllipse(QPointF(plot.left() + 30 + 60 * k, plot.bottom() - 25 - 30 * k), 3, 3);
  p.setPen(QPen(kMark, 1.5));
  p.drawLine(QPointF(plot.left() + 20, plot.bottom() - 20), QPointF(plot.left() + 160, plot.bottom() - 90));
  DrawFitted(p, QRect(plot.left(), 148, 190, 16), Qt::AlignCenter, QStringLiteral("slope reported"));
  return image;
}

QImage MovingCircle() {
  QImage image = Canvas(460, 200);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const int n = 40;
  Cells(
      p, QRect(10, 30, 160, 160), n,
      [n](int i, int j) { return InBlob((j + 0.5) / n, (i + 0.5) / n) ? kItem : kPaper; }, false);
  p.setPen(QPen(kMark, 1.5));
  p.setBrush(Qt::NoBrush);
  for (const QPointF& c : {QPointF(90, 110), QPointF(70, 95), QPointF(105, 130), QPointF(85, 75)})
    p.drawEllipse(c, 16, 16);
  QFont font = p.font();
  font.setPixelSize(12);
  p.setFont(font);
  p.setPen(kInk);
  DrawFitted(p, QRect(185, 30, 270, 165), Qt::TextWordWrap,
             QStringLiteral("For each radius R = 1, 2, ... every pixel of the item is tried as the centre "
                            "of a disc of radius R.\n\nSliding circle: a disc counts when it lies wholly "
                            "inside the item.\nJumping circle: the discs counted must not overlap.\n\n"
                            "ln(number of discs) against ln R (or the disc's surface) gives the points of "
                            "the circle diagram."));
  DrawFitted(p, QRect(10, 5, 160, 20), Qt::AlignCenter, QStringLiteral("discs inside one item"));
  return image;
}

QImage Rays(bool profile) {
  QImage image = Canvas(profile ? 200 : kSide, kSide);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPolygonF outline;
  std::vector<double> distances;
  for (int k = 0; k < 120; ++k) {
    const double angle = 2 * std::numbers::pi * k / 120;
    const double r = 45 + 12 * std::sin(5 * angle) + 6 * std::sin(13 * angle + 1) + 3 * std::sin(29 * angle);
    outline << QPointF(75 + r * std::cos(angle), 75 + r * std::sin(angle));
    distances.push_back(r);
  }
  if (!profile) {
    p.setPen(QPen(kItem, 2));
    p.drawPolygon(outline);
    p.setPen(QPen(kMark, 1));
    for (int k = 0; k < 120; k += 10) p.drawLine(QPointF(75, 75), outline[k]);
    return image;
  }
  QPolygonF curve;
  for (int k = 0; k < 120; ++k) curve << QPointF(10 + k * 1.5, 140 - distances[k] * 1.6);
  p.setPen(kInk);
  p.drawLine(10, 140, 195, 140);
  p.drawLine(10, 140, 10, 10);
  p.setPen(QPen(kMark, 1.5));
  p.drawPolyline(curve);
  return image;
}

// An outline walked with a yardstick of `stride` of its 32 points: each step an arrow.
QImage Yardstick(int stride) {
  QImage image = Canvas();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPolygonF outline;
  for (int k = 0; k <= 32; ++k) {
    const double angle = 2 * std::numbers::pi * k / 32;
    const double r = 50 + 10 * std::sin(3 * angle) + 4 * std::sin(11 * angle);
    outline << QPointF(75 + r * std::cos(angle), 75 + r * std::sin(angle));
  }
  p.setPen(QPen(kItem, 1));
  p.drawPolyline(outline);
  p.setPen(QPen(kMark, 1.5));
  for (int k = 0; k + stride < outline.size(); k += stride) {
    const QLineF step(outline[k], outline[k + stride]);
    p.drawLine(step);
    QLineF head(step.p2(), step.p1());
    head.setLength(5);
    head.setAngle(head.angle() + 25);
    p.drawLine(head);
  }
  return image;
}

QImage AngleSequence() {
  QImage image = Canvas(200, kSide);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(kInk);
  p.drawLine(10, 140, 195, 140);
  p.drawLine(10, 140, 10, 10);
  QPolygonF angles;
  for (int k = 0; k < 17; ++k)
    angles << QPointF(15 + k * 10.5, 130 - ((k * 22 + static_cast<int>(25 * std::sin(k))) % 360) / 3.2);
  p.setPen(QPen(kMark, 1.5));
  p.drawPolyline(angles);
  QFont font = p.font();
  font.setPixelSize(11);
  p.setFont(font);
  p.setPen(kInk);
  DrawFitted(p, QRect(15, 2, 180, 14), Qt::AlignLeft, QStringLiteral("angle (degrees), step by step"));
  return image;
}

QImage Lineal() {
  QImage image = Canvas(kSide, 90);
  QPainter p(&image);
  const char* trace = "..###.#..####..#.##...#####.#..";
  const int n = static_cast<int>(std::strlen(trace));
  const double cell = 140.0 / n;
  for (int j = 0; j < n; ++j)
    p.fillRect(QRectF(5 + j * cell, 10, cell, 14), trace[j] == '#' ? kItem : QColor(225, 225, 225));
  // Segments of 4 pixels: those holding the item outlined in red.
  for (int s = 0; s + 4 <= n; s += 4) {
    bool hit = false;
    for (int j = s; j < s + 4; ++j) hit = hit || trace[j] == '#';
    p.setPen(QPen(hit ? kMark : QColor(170, 170, 170), 1.5));
    p.drawRect(QRectF(5 + s * cell, 34, 4 * cell, 14));
  }
  QFont font = p.font();
  font.setPixelSize(11);
  p.setFont(font);
  p.setPen(kInk);
  DrawFitted(p, QRect(5, 55, 140, 30), Qt::AlignLeft | Qt::TextWordWrap,
             QStringLiteral("a trace and its segments of 4 pixels"));
  return image;
}

const std::map<std::string, std::function<QImage()>>& Drawings() {
  static const std::map<std::string, std::function<QImage()>> drawings = {
      {"lineal-trace", Lineal},
      {"loglog-lineal", [] { return LogLog(-0.6, "ln length", "ln segments"); }},
      {"box-grids", [] { return BlobPicture(32, 4); }},
      {"brownian-walk", [] { return Walk(false); }},
      {"brownian-crossings", [] { return Walk(true); }},
      {"loglog-brownian", [] { return LogLog(1.4, "ln points", "ln displacement", 8, 5); }},
      {"progressive-1", [] { return BlobPicture(48, 3.5); }},
      {"progressive-2", [] { return BlobPicture(48, 6.2); }},
      {"progressive-3", [] { return BlobPicture(48, 9.6); }},
      {"loglog-progressive", [] { return LogLog(-1.6, "ln b", "ln count", 12, 7); }},
      {"perimeter-step-1", [] { return Yardstick(1); }},
      {"perimeter-step-4", [] { return Yardstick(4); }},
      {"loglog-perimeter", [] { return LogLog(-0.25, "ln yardstick", "ln length", 4, 9); }},
      {"orientation-steps", [] { return Yardstick(2); }},
      {"orientation-sequence", AngleSequence},
      {"moving-circle", MovingCircle},
      {"disc-4", [] { return Expansion(5, false); }},
      {"disc-8", [] { return Expansion(10, false); }},
      {"disc-12", [] { return Expansion(15, false); }},
      {"disc-16", [] { return Expansion(20, false); }},
      {"ring-4", [] { return Expansion(6, true); }},
      {"ring-8", [] { return Expansion(11, true); }},
      {"ring-12", [] { return Expansion(16, true); }},
      {"ring-16", [] { return Expansion(21, true); }},
      {"expansion-curves", ExpansionCurves},
      {"perimeter-rays", [] { return Rays(false); }},
      {"perimeter-profile", [] { return Rays(true); }},
      {"exploration-windows", [] { return Window(15, 6, false); }},
      {"smoothing-before",
       [] {
         return Pattern(
             {"........", ".###.##.", ".##..##.", ".######.", ".##.###.", ".######.", "..#.....", "........"},
             kPaper);
       }},
      {"smoothing-after",
       [] {
         return Pattern(
             {"........", ".######.", ".##+###.", ".######.", ".##+###.", ".######.", "..#.....", "........"},
             kMark);
       }},
      {"morphology", Morphology},
      {"local-window", [] { return Window(12, 3, false); }},
      {"local-cube", [] { return Cube(1); }},
      {"loglog-local", [] { return LogLog(-2.4, "ln box", "ln boxes", 5, 13); }},
      {"gliding-box", [] { return Window(10, 2, false); }},
      {"star-arms", [] { return Window(17, 8, true); }},
      {"prism-top", [] { return PrismTop(1); }},
      {"prism-triangle", PrismTriangle},
      {"prism-scale-1", [] { return PrismTop(1); }},
      {"prism-scale-2", [] { return PrismTop(2); }},
      {"prism-scale-3", [] { return PrismTop(3); }},
      {"loglog-prism", [] { return LogLog(-0.4, "ln scale", "ln area / scale²", 5, 15); }},
      {"roughness-window", [] { return Window(9, 1, false); }},
      {"cubic-cube", [] { return Cube(2); }},
      {"hurst-jumping", [] { return Sequence(false); }},
      {"hurst-sliding", [] { return Sequence(true); }},
      {"loglog-hurst", [] { return LogLog(0.7, "log10 size", "log10 deviation", 7, 17); }},
      {"wavelet-scales", WaveletScales},
  };
  return drawings;
}

}  // namespace

QImage DrawInfoPicture(const std::string& name) {
  const auto& drawings = Drawings();
  const auto found = drawings.find(name);
  return found == drawings.end() ? QImage() : found->second();
}
