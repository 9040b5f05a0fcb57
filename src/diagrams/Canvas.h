#pragma once
// What the diagram windows draw on: a pen that moves and draws lines, and texts
// placed by their top-left corner. The screen draws through QPainter; tests use
// the recording canvas to read back every line and text with its position.
#include <string>
#include <vector>

class QPainter;

enum class Pen { Black, Blue };

class Canvas {
 public:
  virtual ~Canvas() = default;
  // Clears the whole paint box to the button-face colour.
  virtual void Fill(int width, int height) = 0;
  virtual void SetPen(Pen pen) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // Draws from the pen position and leaves the pen at (x, y).
  virtual void LineTo(int x, int y) = 0;
  virtual void TextOut(int x, int y, const std::string& text) = 0;

  void Line(int x1, int y1, int x2, int y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
  }
};

class PainterCanvas : public Canvas {
 public:
  explicit PainterCanvas(QPainter& painter) : painter_(painter) {}
  void Fill(int width, int height) override;
  void SetPen(Pen pen) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, const std::string& text) override;

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

class RecordingCanvas : public Canvas {
 public:
  void Fill(int width, int height) override;
  void SetPen(Pen pen) override { pen_ = pen; }
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, const std::string& text) override { texts.push_back({x, y, text}); }

  bool HasLine(int x1, int y1, int x2, int y2) const;
  bool HasText(int x, int y, const std::string& text) const;
  // Texts drawn with this exact content.
  int CountText(const std::string& text) const;

  std::vector<RecordedLine> lines;
  std::vector<RecordedText> texts;
  int fills = 0, fillWidth = 0, fillHeight = 0;

 private:
  Pen pen_ = Pen::Black;
  int x_ = 0, y_ = 0;
};
