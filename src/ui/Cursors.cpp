#include "ui/Cursors.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <map>

namespace ui {
namespace {

std::map<int, QCursor>& CustomCursors() {
  static std::map<int, QCursor> cursors;
  return cursors;
}

int current = crDefault;

QPixmap Canvas() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// Black strokes with a white outline, so each cursor shows on any image.
void Stroke(QPainter& painter, const QPainterPath& path) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.strokePath(path, QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.strokePath(path, QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

QCursor Loupe() {
  QPixmap pixmap = Canvas();
  QPainter painter(&pixmap);
  QPainterPath path;
  path.addEllipse(QPointF(12, 12), 8, 8);
  path.moveTo(18, 18);
  path.lineTo(28, 28);
  path.moveTo(8, 12);
  path.lineTo(16, 12);
  path.moveTo(12, 8);
  path.lineTo(12, 16);
  Stroke(painter, path);
  return QCursor(pixmap, 12, 12);
}

QCursor Pot() {
  QPixmap pixmap = Canvas();
  QPainter painter(&pixmap);
  QPainterPath path;
  path.moveTo(8, 10);
  path.lineTo(20, 10);
  path.lineTo(18, 26);
  path.lineTo(10, 26);
  path.closeSubpath();
  path.moveTo(20, 12);
  path.cubicTo(28, 14, 28, 22, 26, 28);
  Stroke(painter, path);
  return QCursor(pixmap, 26, 28);
}

QCursor Pipette() {
  QPixmap pixmap = Canvas();
  QPainter painter(&pixmap);
  QPainterPath path;
  path.moveTo(3, 29);
  path.lineTo(20, 12);
  path.addEllipse(QPointF(24, 8), 4, 4);
  Stroke(painter, path);
  return QCursor(pixmap, 3, 29);
}

QCursor Pencil() {
  QPixmap pixmap = Canvas();
  QPainter painter(&pixmap);
  QPainterPath path;
  path.moveTo(2, 30);
  path.lineTo(6, 22);
  path.lineTo(24, 4);
  path.lineTo(28, 8);
  path.lineTo(10, 26);
  path.closeSubpath();
  Stroke(painter, path);
  return QCursor(pixmap, 2, 30);
}

QCursor Cross(bool diagonal) {
  QPixmap pixmap = Canvas();
  QPainter painter(&pixmap);
  QPainterPath path;
  if (diagonal) {
    path.moveTo(6, 6);
    path.lineTo(26, 26);
    path.moveTo(26, 6);
    path.lineTo(6, 26);
  } else {
    path.moveTo(16, 4);
    path.lineTo(16, 28);
    path.moveTo(4, 16);
    path.lineTo(28, 16);
  }
  Stroke(painter, path);
  return QCursor(pixmap, 16, 16);
}

}  // namespace

void LoadCustomCursors() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  auto& cursors = CustomCursors();
  cursors[crLoupe] = Loupe();
  cursors[crPot] = Pot();
  cursors[crPipette] = Pipette();
  cursors[crPencil] = Pencil();
  cursors[crGreekCross] = Cross(false);
  cursors[crSACross] = Cross(true);
}

bool HasCustomCursor(int index) {
  return CustomCursors().count(index) != 0;
}

void SetScreenCursor(int index) {
  current = index;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  if (index == crDefault || index == crArrow) return;
  if (index == crHourGlass) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (HasCustomCursor(index)) {
    QApplication::setOverrideCursor(CustomCursors()[index]);
  }
}

int ScreenCursor() {
  return current;
}

}  // namespace ui
