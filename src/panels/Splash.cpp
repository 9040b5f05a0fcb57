#include "panels/Splash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "ui/Driver.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 300;

}  // namespace

// Every cell whose base-3 digits hold a 1 at the same place in both coordinates is empty.
void DrawCarpet(QPainter& painter, const QRect& area, const QColor& colour) {
  const int cells = 27;
  const int side = std::min(area.width(), area.height()) / cells;
  for (int i = 0; i < cells; ++i)
    for (int j = 0; j < cells; ++j) {
      bool hole = false;
      for (int a = i, b = j; a > 0 || b > 0; a /= 3, b /= 3)
        if (a % 3 == 1 && b % 3 == 1) hole = true;
      if (!hole) painter.fillRect(area.left() + j * side, area.top() + i * side, side, side, colour);
    }
}

QIcon CarpetIcon() {
  QPixmap pixmap(27, 27);
  pixmap.fill(QColor(20, 40, 70));
  QPainter painter(&pixmap);
  DrawCarpet(painter, QRect(0, 0, 27, 27), QColor(230, 220, 180));
  return QIcon(pixmap);
}

TPresentationWindow::TPresentationWindow(QWidget* owner, int page)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint), page_(page) {
  setFixedSize(kWidth, kHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(kWidth / 2, kHeight / 2));
}

void TPresentationWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  static const QColor kBackgrounds[] = {QColor(20, 40, 70), QColor(40, 60, 30), QColor(70, 40, 20)};
  painter.fillRect(rect(), kBackgrounds[(page_ - 1) % 3]);
  DrawCarpet(painter, QRect(20, 30, 243, 243), QColor(230, 220, 180));
  painter.setPen(Qt::white);
  QFont title = painter.font();
  title.setPointSize(15);
  title.setBold(true);
  painter.setFont(title);
  painter.drawText(QRect(268, 40, 210, 40), Qt::AlignLeft, QStringLiteral(" VORN Version 2"));
  QFont body = painter.font();
  body.setPointSize(10);
  body.setBold(false);
  painter.setFont(body);
  static const char* const kTexts[] = {
      "Fractal analysis\nof raster images\nin the geosciences",
      "Box counting, lacunarity,\nlocal dimension, Hurst\nexponent, urban field",
      "The VORN developers\nFree software for\nscientific research"};
  painter.drawText(QRect(275, 100, 200, 120), Qt::AlignLeft, QString::fromUtf8(kTexts[(page_ - 1) % 3]));
}

void ShowPresentation(TPresentationWindow& window, float seconds) {
  window.show();
  window.repaint();
  ui::Note("TPresentationForm" + std::to_string(window.Page()));
  WaitSeconds(seconds);
}
