#pragma once
// What the three panel windows share: an MDI child holding a bitmap made from an IMAGE, drawn at a
// zoom chosen with the mouse (only the visible part is drawn), and a status-bar read-out of the
// pixel under the mouse. The panels differ only in their title and in panel 2's read-out.
#include <QImage>
#include <QMdiSubWindow>
#include <cstdint>
#include <string>

class IMAGE;
class QPainter;
class PanelView;

class TPanelForm : public QMdiSubWindow {
  Q_OBJECT
 public:
  explicit TPanelForm(QWidget* owner);
  ~TPanelForm() override;

  // The caption buffer and the window caption.
  void SetCaptionText(const std::string& text);
  std::string CaptionText() const { return captionText_; }
  // Shows the window (restored when minimised) and brings it forward.
  void ShowPanel();

  bool HasBitmap() const { return !bitmap_.isNull(); }
  const QImage& Bitmap() const { return bitmap_; }

  // Display scale code: n >= 2 is n:1, -n <= -2 is 1:n, -1, 0 and 1 are 1:1; within -20..20.
  int Zoom = 1;
  int ClickColumn = 0;
  int ClickLine = 0;
  std::uint8_t CentreOnClick = 0;

  // Mouse handling in paint-box coordinates (the whole zoomed picture, scroll offsets included);
  // the Qt events of the paint box come here.
  virtual void PaintBoxMouseDown(Qt::MouseButton button, int x, int y);
  void PaintBoxMouseMove(int x, int y);
  void PaintBoxMouseUp() {}

  // The zoom click, done only while the zoom button is down and a bitmap is shown. Returns true when
  // it finished the click (it ends at 1:1 or at a limit); false when it was not done or leaves a zoom.
  bool ZoomClick(Qt::MouseButton button, int x, int y);

  // Asks for a repaint of the view.
  void FormPaint();
  // Frees the bitmap and minimises the window (closing never destroys a panel).
  void FormClose();

  // Draws the visible part of the bitmap at the current zoom and scroll positions onto a painter
  // whose origin is the paint box's top-left corner. The cost follows the view, not the image.
  void DrawVisible(QPainter& painter, int viewWidth, int viewHeight) const;

  // Scroll positions of the view, in paint-box pixels.
  int HorizontalPosition() const;
  int VerticalPosition() const;
  QWidget* PaintBox() const;

  // Image position under a paint-box point: trunc(x / s), trunc(y / s) with the zoom's scale s.
  int ColumnAt(int x) const;
  int LineAt(int y) const;

 protected:
  // The show operation's steps: the new bitmap replaces the old, then 1:1 unless the zoom is kept.
  void ShowPicture(const IMAGE& image);
  // The title the zoom caption is made from.
  virtual std::string Title() const = 0;
  // Status panel 1 for an image pixel inside the bitmap.
  virtual std::string ToneText(int line, int column) const;

  void closeEvent(QCloseEvent* event) override;

 private:
  void UpdateScrollRanges();
  void CentreView();

  QImage bitmap_;
  std::string captionText_;
  // The caption is the title a zoom click made it from, with that zoom.
  bool captionZoomed_ = false;
  std::string zoomedTitle_;
  PanelView* view_ = nullptr;
};

// The zoom caption texts: "%s (1:1)", "%s (%d:1) " or "%s (1:%d) ".
std::string ZoomCaption(const std::string& title, int zoom);
// Status panel 2: "Image Size: %d lines x %d columns  ".
std::string ImageSizeText(int lines, int columns);
// The status bar of a newly opened image: its size, and no pixel read-out until the mouse moves.
void ShowImageSizeStatus(int lines, int columns);
// Numerator and denominator of the scale of a zoom code.
int ZoomNumerator(int zoom);
int ZoomDenominator(int zoom);
