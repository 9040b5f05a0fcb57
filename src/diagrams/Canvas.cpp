#include "diagrams/Canvas.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cstdlib>

namespace {

// Pixels left between neighbouring tick labels.
constexpr int kLabelGap = 4;

}  // namespace

void Canvas::Fill(int width, int height) {
  width_ = width;
  height_ = height;
  written_.clear();
  FillArea(width, height);
}

Canvas::Room Canvas::Placed(int x, int y, const std::string& text) const {
  Room room{x, y, TextWidth(text), TextHeight()};
  if (width_ > 0) room.x = std::max(0, std::min(x, width_ - room.width));
  if (height_ > 0) room.y = std::max(0, std::min(y, height_ - room.height));
  return room;
}

// The lowest bottom edge of the written texts that `room` would cover; -1 when it covers none.
int Canvas::CoveredBottom(const Room& room) const {
  int bottom = -1;
  for (const Room& w : written_)
    if (room.x < w.x + w.width && w.x < room.x + room.width && room.y < w.y + w.height &&
        w.y < room.y + room.height)
      bottom = std::max(bottom, w.y + w.height);
  return bottom;
}

void Canvas::Write(const Room& room, const std::string& text) {
  written_.push_back(room);
  DrawText(room.x, room.y, text);
}

void Canvas::TextOut(int x, int y, const std::string& text) {
  const Room asked = Placed(x, y, text);
  // Down past what it covers, when the box has room below; else where it was asked.
  Room room = asked;
  for (int bottom = CoveredBottom(room); bottom >= 0; bottom = CoveredBottom(room)) {
    const Room lower = Placed(room.x, bottom, text);
    if (lower.y <= room.y) {
      room = asked;
      break;
    }
    room = lower;
  }
  Write(room, text);
}

bool Canvas::LabelOut(int x, int y, const std::string& text) {
  const Room room = Placed(x, y, text);
  if (CoveredBottom(room) >= 0) return false;
  Write(room, text);
  return true;
}

int RegularStride(const std::vector<int>& starts, const std::vector<int>& sizes, int gap) {
  const int count = static_cast<int>(starts.size());
  for (int stride = 1; stride < count; ++stride) {
    bool apart = true;
    for (int i = 0; apart && i + stride < count; i += stride) {
      const int first = starts[i] < starts[i + stride] ? i : i + stride;
      apart = std::abs(starts[i + stride] - starts[i]) >= sizes[first] + gap;
    }
    if (apart) return stride;
  }
  return std::max(count, 1);
}

int Canvas::LabelStride(const std::vector<PlacedText>& labels, bool horizontal) const {
  std::vector<int> starts, sizes;
  for (const PlacedText& label : labels) {
    starts.push_back(horizontal ? label.x : label.y);
    sizes.push_back(horizontal ? TextWidth(label.text) : TextHeight());
  }
  return RegularStride(starts, sizes, kLabelGap);
}

void Canvas::AxisLabels(const std::vector<PlacedText>& labels, bool horizontal) {
  const int stride = LabelStride(labels, horizontal);
  for (std::size_t i = 0; i < labels.size(); i += stride) LabelOut(labels[i].x, labels[i].y, labels[i].text);
}

void PainterCanvas::FillArea(int width, int height) {
  painter_.fillRect(0, 0, width, height, QApplication::palette().color(QPalette::Button));
}

void PainterCanvas::SetPen(Pen pen) {
  painter_.setPen(pen == Pen::Blue ? Qt::blue : Qt::black);
}

void PainterCanvas::MoveTo(int x, int y) {
  x_ = x;
  y_ = y;
}

void PainterCanvas::LineTo(int x, int y) {
  painter_.drawLine(x_, y_, x, y);
  MoveTo(x, y);
}

int PainterCanvas::TextWidth(const std::string& text) const {
  return painter_.fontMetrics().horizontalAdvance(QString::fromStdString(text));
}

int PainterCanvas::TextHeight() const {
  return painter_.fontMetrics().height();
}

void PainterCanvas::DrawText(int x, int y, const std::string& text) {
  const QString qtext = QString::fromStdString(text);
  const QRect room(x, y, painter_.fontMetrics().horizontalAdvance(qtext) + 4,
                   painter_.fontMetrics().height());
  painter_.drawText(room, Qt::AlignLeft | Qt::AlignTop, qtext);
}

void RecordingCanvas::FillArea(int width, int height) {
  ++fills;
  fillWidth = width;
  fillHeight = height;
}

void RecordingCanvas::MoveTo(int x, int y) {
  x_ = x;
  y_ = y;
}

void RecordingCanvas::LineTo(int x, int y) {
  lines.push_back({x_, y_, x, y, pen_});
  MoveTo(x, y);
}

bool RecordingCanvas::HasLine(int x1, int y1, int x2, int y2) const {
  return std::any_of(lines.begin(), lines.end(), [&](const RecordedLine& l) {
    return l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2;
  });
}

bool RecordingCanvas::HasText(int x, int y, const std::string& text) const {
  return std::find(texts.begin(), texts.end(), RecordedText{x, y, text}) != texts.end();
}

int RecordingCanvas::CountText(const std::string& text) const {
  return static_cast<int>(
      std::count_if(texts.begin(), texts.end(), [&](const RecordedText& t) { return t.text == text; }));
}
