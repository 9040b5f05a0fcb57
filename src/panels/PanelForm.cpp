#include "panels/PanelForm.h"

#include <QAbstractScrollArea>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

#include "app/MainWindow.h"
#include "imaging/Image.h"
#include "ui/Bitmap.h"

namespace {

constexpr int kMaxZoom = 20;
constexpr int kFirstWidth = 328;
constexpr int kFirstHeight = 178;

std::string Format(const char* format, auto... values) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

// trunc(value x numerator / denominator), in 64 bits so that no zoom overflows.
int Scaled(int value, int numerator, int denominator) {
  return static_cast<int>(static_cast<std::int64_t>(value) * numerator / denominator);
}

void ClearStatus() {
  if (!MainForm) return;
  for (int panel = 0; panel < 3; ++panel) MainForm->SetStatusText(panel, "");
}

}  // namespace

int ZoomNumerator(int zoom) {
  return zoom > 1 ? zoom : 1;
}
int ZoomDenominator(int zoom) {
  return zoom < -1 ? -zoom : 1;
}

std::string ZoomCaption(const std::string& title, int zoom) {
  if (zoom >= 2) return Format("%s (%d:1) ", title.c_str(), zoom);
  if (zoom <= -2) return Format("%s (1:%d) ", title.c_str(), -zoom);
  return Format("%s (1:1)", title.c_str());
}

// The paint box: the scrolled client area of a panel. Its coordinates are those of the whole zoomed
// picture, so the events add the scroll positions before handing over to the form.
class PanelView : public QAbstractScrollArea {
 public:
  explicit PanelView(TPanelForm* form) : QAbstractScrollArea(form), form_(form) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(viewport());
    form_->DrawVisible(painter, viewport()->width(), viewport()->height());
  }
  void resizeEvent(QResizeEvent* event) override {
    QAbstractScrollArea::resizeEvent(event);
    onResize();
  }
  void scrollContentsBy(int, int) override { viewport()->update(); }
  void mousePressEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    form_->PaintBoxMouseDown(event->button(), at.x() + form_->HorizontalPosition(),
                             at.y() + form_->VerticalPosition());
  }
  // The second press of a quick double click comes as a double click only: it is a click all the same.
  void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }
  void mouseMoveEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    form_->PaintBoxMouseMove(at.x() + form_->HorizontalPosition(), at.y() + form_->VerticalPosition());
  }

 public:
  std::function<void()> onResize = [] {};

 private:
  TPanelForm* form_;
};

TPanelForm::TPanelForm(QWidget*) : QMdiSubWindow(nullptr) {
  // A panel lives until the program ends: closing only minimises it.
  setAttribute(Qt::WA_DeleteOnClose, false);
  view_ = new PanelView(this);
  view_->onResize = [this] { UpdateScrollRanges(); };
  setWidget(view_);
  resize(kFirstWidth, kFirstHeight);
  SetCaptionText("Image (1:1)");
  // Visible from the start inside the main window; without one (benchmarks) it stays off screen.
  if (MainForm) {
    MainForm->MdiArea()->addSubWindow(this);
    show();
  }
}

TPanelForm::~TPanelForm() = default;

std::string ImageSizeText(int lines, int columns) {
  return Format("Image Size: %d lines x %d columns  ", lines, columns);
}

void ShowImageSizeStatus(int lines, int columns) {
  ClearStatus();
  if (MainForm) MainForm->SetStatusText(2, ImageSizeText(lines, columns));
}

void TPanelForm::SetCaptionText(const std::string& text) {
  captionZoomed_ = false;
  captionText_ = text;
  setWindowTitle(QString::fromStdString(text));
}

void TPanelForm::ShowPanel() {
  if (isMinimized())
    showNormal();
  else
    show();
  raise();
  if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
}

QWidget* TPanelForm::PaintBox() const {
  return view_->viewport();
}
int TPanelForm::HorizontalPosition() const {
  return view_->horizontalScrollBar()->value();
}
int TPanelForm::VerticalPosition() const {
  return view_->verticalScrollBar()->value();
}

int TPanelForm::ColumnAt(int x) const {
  return Scaled(x, ZoomDenominator(Zoom), ZoomNumerator(Zoom));
}
int TPanelForm::LineAt(int y) const {
  return Scaled(y, ZoomDenominator(Zoom), ZoomNumerator(Zoom));
}

void TPanelForm::UpdateScrollRanges() {
  // The picture's size at the zoom; the bars scroll over what the view cannot show.
  const int width = HasBitmap() ? Scaled(bitmap_.width(), ZoomNumerator(Zoom), ZoomDenominator(Zoom)) : 0;
  const int height = HasBitmap() ? Scaled(bitmap_.height(), ZoomNumerator(Zoom), ZoomDenominator(Zoom)) : 0;
  const QSize view = view_->viewport()->size();
  for (auto [bar, extent, page] : {std::tuple{view_->horizontalScrollBar(), width, view.width()},
                                   std::tuple{view_->verticalScrollBar(), height, view.height()}}) {
    bar->setRange(0, std::max(0, extent - page));
    bar->setPageStep(std::max(1, page));
    bar->setSingleStep(std::max(1, ZoomNumerator(Zoom)));
    bar->setTracking(true);
  }
}

void TPanelForm::ShowPicture(const IMAGE& image) {
  bitmap_ = ImageToBitmap(image, std::move(bitmap_));
  // The next paint shows the new picture at 1:1 unless the zoom is kept; a caption that told the
  // zoom of a click loses it with the zoom.
  if (!MainForm || !MainForm->KeepZoom) {
    Zoom = 1;
    if (captionZoomed_) SetCaptionText(zoomedTitle_);
  }
  UpdateScrollRanges();
  view_->viewport()->update();
}

void TPanelForm::DrawVisible(QPainter& painter, int viewWidth, int viewHeight) const {
  // An empty panel draws nothing; around a picture the view shows a black diagonal cross hatch.
  if (!HasBitmap()) return;
  painter.fillRect(0, 0, viewWidth, viewHeight, Qt::white);
  painter.fillRect(0, 0, viewWidth, viewHeight, QBrush(Qt::black, Qt::DiagCrossPattern));
  const int numerator = ZoomNumerator(Zoom);
  const int denominator = ZoomDenominator(Zoom);
  const int hpos = HorizontalPosition();
  const int vpos = VerticalPosition();
  // The image rectangle under the view, one pixel wider for a partly seen last one, clipped to the
  // bitmap: only this part is scaled and drawn.
  const int left = std::clamp(ColumnAt(hpos), 0, bitmap_.width());
  const int right = std::clamp(ColumnAt(viewWidth + hpos) + 1, 0, bitmap_.width());
  const int top = std::clamp(LineAt(vpos), 0, bitmap_.height());
  const int bottom = std::clamp(LineAt(viewHeight + vpos) + 1, 0, bitmap_.height());
  if (right <= left || bottom <= top) return;
  const int x0 = Scaled(left, numerator, denominator) - hpos;
  const int x1 = Scaled(right, numerator, denominator) - hpos;
  const int y0 = Scaled(top, numerator, denominator) - vpos;
  const int y1 = Scaled(bottom, numerator, denominator) - vpos;
  painter.drawImage(QRect(x0, y0, x1 - x0, y1 - y0), bitmap_, QRect(left, top, right - left, bottom - top));
}

void TPanelForm::CentreView() {
  // Centre the view on the clicked pixel; near an edge the view starts at column (line) 0 or ends at
  // the last one, and never scrolls before the picture's start.
  const int numerator = ZoomNumerator(Zoom);
  const int denominator = ZoomDenominator(Zoom);
  const QSize view = view_->viewport()->size();
  auto position = [&](QScrollBar* bar, int click, int extent, int viewSize) {
    const int half = Scaled(viewSize, denominator, 2 * numerator);
    int target = Scaled(click - half, numerator, denominator);
    if (click - half < 0)
      target = 0;
    else if (click + half >= extent)
      target = bar->maximum();
    bar->setValue(std::clamp(target, 0, bar->maximum()));
  };
  position(view_->horizontalScrollBar(), ClickColumn, bitmap_.width(), view.width());
  position(view_->verticalScrollBar(), ClickLine, bitmap_.height(), view.height());
}

bool TPanelForm::ZoomClick(Qt::MouseButton button, int x, int y) {
  if (!MainForm || !MainForm->IsDown("ZoomSpeedButton") || !HasBitmap()) return false;
  const int column = ColumnAt(x);
  const int line = LineAt(y);
  if (button == Qt::LeftButton)
    Zoom = Zoom == -1 ? 2 : Zoom + 1;
  else if (button == Qt::RightButton)
    Zoom = Zoom == 1 ? -2 : Zoom - 1;
  if (Zoom > kMaxZoom) {
    Zoom = kMaxZoom;
    return true;
  }
  if (Zoom < -kMaxZoom) {
    Zoom = -kMaxZoom;
    return true;
  }
  ClickColumn = column;
  ClickLine = line;
  CentreOnClick = 1;
  UpdateScrollRanges();
  CentreView();
  view_->viewport()->update();
  CentreOnClick = 0;
  zoomedTitle_ = Title();
  SetCaptionText(ZoomCaption(zoomedTitle_, Zoom));
  captionZoomed_ = true;
  return Zoom < 2 && Zoom > -2;
}

void TPanelForm::PaintBoxMouseDown(Qt::MouseButton button, int x, int y) {
  ZoomClick(button, x, y);
}

void TPanelForm::PaintBoxMouseMove(int x, int y) {
  if (!HasBitmap() || !MainForm) {
    ClearStatus();
    return;
  }
  const int column = ColumnAt(x);
  const int line = LineAt(y);
  // Bounded by this panel's own picture, which may differ from the program's current size.
  if (column < 0 || column >= bitmap_.width() || line < 0 || line >= bitmap_.height()) {
    ClearStatus();
    return;
  }
  MainForm->SetStatusText(0, Format("Line: %5d  Column: %5d ", line, column));
  MainForm->SetStatusText(1, ToneText(line, column));
  MainForm->SetStatusText(2, ImageSizeText(bitmap_.height(), bitmap_.width()));
}

std::string TPanelForm::ToneText(int line, int column) const {
  const QRgb colour = bitmap_.pixel(column, line);
  const int red = qRed(colour), green = qGreen(colour), blue = qBlue(colour);
  if (red == green && green == blue) return Format("Gray Tone : %4d ", red);
  return Format("R:%4d G:%4d B:%4d  ", red, green, blue);
}

void TPanelForm::FormPaint() {
  view_->viewport()->update();
}

void TPanelForm::FormClose() {
  bitmap_ = QImage();
  UpdateScrollRanges();
  view_->viewport()->update();
  showMinimized();
}

void TPanelForm::closeEvent(QCloseEvent* event) {
  event->ignore();
  FormClose();
}
