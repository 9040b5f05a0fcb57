#pragma once
// What the diagram windows draw on: a pen that moves and draws lines, and texts
// placed by their top-left corner. The screen draws through QPainter; tests use
// the recording canvas to read back every line and text with its position.
#include <string>
#include <vector>

class QPainter;

enum class Pen { Black, Blue };

struct PlacedText {
  int x, y;
  std::string text;
};

// The smallest k such that labels 0, k, 2k, ... starting at `starts` along an axis, each `sizes`
// long on it, leave at least `gap` pixels between neighbours.
int RegularStride(const std::vector<int>& starts, const std::vector<int>& sizes, int gap);

class Canvas {
 public:
  virtual ~Canvas() = default;
  // Clears the whole paint box to the button-face colour; texts are then kept inside it.
  void Fill(int width, int height);
  virtual void SetPen(Pen pen) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // Draws from the pen position and leaves the pen at (x, y).
  virtual void LineTo(int x, int y) = 0;
  // A text by its top-left corner, moved back inside the paint box where it would leave it, and
  // moved down past the texts written before it that it would cover, when the box has room.
  void TextOut(int x, int y, const std::string& text);
  // A label that would cover a text written before it is left out; true when it is written.
  bool LabelOut(int x, int y, const std::string& text);
  // Tick labels along one axis: when neighbours would overlap, only every k-th is written, k the
  // smallest stride that leaves them all apart; those that would cover another text are left out.
  void AxisLabels(const std::vector<PlacedText>& labels, bool horizontal);
  // The stride AxisLabels would use.
  int LabelStride(const std::vector<PlacedText>& labels, bool horizontal) const;

  virtual int TextWidth(const std::string& text) const = 0;
  virtual int TextHeight() const = 0;

  void Line(int x1, int y1, int x2, int y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
  }

 protected:
  virtual void FillArea(int width, int height) = 0;
  virtual void DrawText(int x, int y, const std::string& text) = 0;

 private:
  struct Room {
    int x, y, width, height;
  };
  // Where a text at (x, y) is written: inside the paint box.
  Room Placed(int x, int y, const std::string& text) const;
  int CoveredBottom(const Room& room) const;
  void Write(const Room& room, const std::string& text);

  int width_ = 0, height_ = 0;
  std::vector<Room> written_;  // the texts written since the last Fill
};

class PainterCanvas : public Canvas {
 public:
  explicit PainterCanvas(QPainter& painter) : painter_(painter) {}
  void SetPen(Pen pen) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  int TextWidth(const std::string& text) const override;
  int TextHeight() const override;

 protected:
  void FillArea(int width, int height) override;
  void DrawText(int x, int y, const std::string& text) override;

 private:
  QPainter& painter_;
  int x_ = 0, y_ = 0;
};

struct RecordedLine {
  int x1, y1, x2, y2;
  Pen pen;
  bool operator==(const RecordedLine&) const = default;
};

struct RecordedText {
  int x, y;
  std::string text;
  bool operator==(const RecordedText&) const = default;
};

// Texts are measured as kCharWidth pixels a character, kTextHeight high.
class RecordingCanvas : public Canvas {
 public:
  static constexpr int kCharWidth = 6;
  static constexpr int kTextHeight = 14;

  void SetPen(Pen pen) override { pen_ = pen; }
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  int TextWidth(const std::string& text) const override { return kCharWidth * static_cast<int>(text.size()); }
  int TextHeight() const override { return kTextHeight; }

  bool HasLine(int x1, int y1, int x2, int y2) const;
  bool HasText(int x, int y, const std::string& text) const;
  // Texts drawn with this exact content.
  int CountText(const std::string& text) const;

  std::vector<RecordedLine> lines;
  std::vector<RecordedText> texts;
  int fills = 0, fillWidth = 0, fillHeight = 0;

 protected:
  void FillArea(int width, int height) override;
  void DrawText(int x, int y, const std::string& text) override { texts.push_back({x, y, text}); }

 private:
  Pen pen_ = Pen::Black;
  int x_ = 0, y_ = 0;
};
