#pragma once
// What every diagram window shares: a modal window painted from the main window's
// state, a Save that writes the plotted numbers as tab-separated text once per
// result, and the report line written by the handler that showed the window.
#include <QWidget>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "diagrams/Canvas.h"
#include "imaging/Formatted.h"
#include "ui/Form.h"

class QHBoxLayout;
class QVBoxLayout;

// A fixed-size area whose painting is a drawing routine on a canvas.
class PaintBox : public QWidget {
 public:
  PaintBox(int width, int height, std::function<void(Canvas&)> draw, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<void(Canvas&)> draw_;
};

// How a window's Save behaves.
struct DiagramSaveRule {
  std::string title;                  // save dialog title
  std::string filter;                 // "Text|*.ext|..."
  int* saved = nullptr;               // guard: a second save of one result is refused; none when null
  int* pending = nullptr;             // set after a successful save; none when null
  bool tsForSecondFilter = false;     // ".ts" instead of ".xls" when the second filter is chosen
  std::string* chosenName = nullptr;  // receives the chosen name without its extension
};

class TDiagramForm : public ui::Form {
  Q_OBJECT
 public:
  // Name of the last saved file, extension included; the showing handlers print it.
  std::string FileName;

  void BitBtnOKClick() { Finish(ui::mrOk); }

 protected:
  TDiagramForm(QWidget* owner, const std::string& caption);

  // Adds a paint box to the row of plots.
  PaintBox* AddPaintBox(int width, int height, std::function<void(Canvas&)> draw);
  // Adds a row of labels under the plots, each at its x position (labels of the layout, not drawn).
  void AddLabelRow(int width, const std::vector<std::pair<int, std::string>>& labels);
  // Adds the "Save" and OK buttons under the plots.
  void AddButtons(std::function<void()> save);

  // The Save procedure; writeRows returns false when a write fails. True when a file was written.
  bool SaveDiagram(const DiagramSaveRule& rule, const std::function<bool(FILE*)>& writeRows);

 private:
  QHBoxLayout* plots_ = nullptr;
  QVBoxLayout* layout_ = nullptr;
};

// "label%lf"-style text of a value, or "label" + "undefined" when the value is not a number.
std::string ValueText(const char* format, const char* label, double value);

// Pixel offset trunc(pixels * value / range), or 0 when the range is zero or a value is not finite.
int ScaleToPixels(double value, double range, double pixels);

// Entries 0 .. length - 1 of a sequence, never past its end.
int HeldLength(int length, const std::vector<int>& values);

// Writes values[first .. last], one a line: the file of the sequence windows.
bool WriteSequence(FILE* file, const std::vector<int>& values, int first, int last);

// The sequence windows' curve, one pixel a value: values[first] at x = 10 and values[i] at x = 10 + i
// for i = first + 1 .. last, the value `top` at y = 0 (0 at the bottom, y = top), over a black
// axis line at y = axis, labelled with that number.
void PaintSequenceCurve(Canvas& canvas, int width, int height, int top, int axis,
                        const std::vector<int>& values, int first, int last);

// Writes the report line naming a window's saved file, once: when the report is on and
// the pending flag is 1; then clears the flag.
void LogDiagramFile(int& pending, const char* reportText, const std::string& fileName);

// A treatment made a new result: it may be saved (and reported) afresh.
void NewDiagramResult(int& saved, int& pending);

// "This diagram has been already registered " under "REGISTRATION".
void RefuseSecondSave();

inline constexpr const char* kSaveDiagramTitle = "SAVE DIAGRAM";
