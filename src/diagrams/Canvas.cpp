#include "diagrams/Canvas.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>

void PainterCanvas::Fill(int width, int height) {
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

void PainterCanvas::TextOut(int x, int y, const std::string& text) {
  const QString qtext = QString::fromStdString(text);
  const QRect room(x, y, painter_.fontMetrics().horizontalAdvance(qtext) + 4,
                   painter_.fontMetrics().height());
  painter_.drawText(room, Qt::AlignLeft | Qt::AlignTop, qtext);
}

void RecordingCanvas::Fill(int width, int height) {
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
