#include "diagrams/DiagramForm.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <vector>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "imaging/RawFile.h"
#include "imaging/SafeFile.h"
#include "ui/Cursors.h"
#include "ui/ReplaceQuestion.h"

namespace {

// Pixels left between neighbouring labels of a row.
constexpr int kLabelRowGap = 4;

}  // namespace

PaintBox::PaintBox(int width, int height, std::function<void(Canvas&)> draw, QWidget* parent)
    : QWidget(parent), draw_(std::move(draw)) {
  setFixedSize(width, height);
}

void PaintBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PainterCanvas canvas(painter);
  draw_(canvas);
}

TDiagramForm::TDiagramForm(QWidget* owner, const std::string& caption) : ui::Form(owner) {
  SetCaption(caption);
  CloseIsOk = true;
  layout_ = new QVBoxLayout(this);
  plots_ = new QHBoxLayout;
  layout_->addLayout(plots_);
}

PaintBox* TDiagramForm::AddPaintBox(int width, int height, std::function<void(Canvas&)> draw) {
  auto* box = new PaintBox(width, height, std::move(draw), this);
  plots_->addWidget(box);
  return box;
}

void TDiagramForm::AddLabelRow(int width, const std::vector<std::pair<int, std::string>>& labels) {
  auto* row = new QWidget(this);
  const QFontMetrics metrics(row->font());
  row->setFixedSize(width + 20, metrics.height() + 2);
  // Labels that would touch their neighbours are thinned to a regular subset; the last ones are
  // kept inside the row.
  std::vector<int> starts, sizes;
  for (const auto& [x, text] : labels) {
    starts.push_back(x);
    sizes.push_back(metrics.horizontalAdvance(QString::fromStdString(text)));
  }
  const int stride = RegularStride(starts, sizes, kLabelRowGap);
  for (std::size_t i = 0; i < labels.size(); i += stride) {
    auto* label = new QLabel(QString::fromStdString(labels[i].second), row);
    label->adjustSize();
    label->move(std::max(0, std::min(labels[i].first, row->width() - label->width())), 0);
  }
  layout_->addWidget(row);
}

void TDiagramForm::AddButtons(std::function<void()> save) {
  auto* buttons = new QHBoxLayout;
  auto* saveButton = new QPushButton(QStringLiteral("Save"), this);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  buttons->addStretch();
  buttons->addWidget(saveButton);
  buttons->addWidget(ok);
  layout_->addLayout(buttons);
  connect(saveButton, &QPushButton::clicked, this, [save] { save(); });
  connect(ok, &QPushButton::clicked, this, &TDiagramForm::BitBtnOKClick);
}

bool TDiagramForm::SaveDiagram(const DiagramSaveRule& rule, const std::function<bool(FILE*)>& writeRows) {
  if (rule.saved && *rule.saved == 1) {
    RefuseSecondSave();
    return false;
  }
  const ui::FileChoice choice = ui::SaveFile({rule.title, rule.filter, MainForm->WorkDirectory, 1});
  if (!choice.accepted) return false;

  const std::string extension = rule.tsForSecondFilter && choice.filterIndex != 1 ? ".ts" : ".xls";
  const std::string path = WithExtension(choice.fileName, extension);
  if (!ui::MayReplace({path})) return false;

  // Written beside the target and renamed over it when complete: a failed save keeps the earlier file.
  SafeFile file(path);
  bool written = file.Open("w");
  if (written) {
    written = writeRows(file.Stream()) && !std::ferror(file.Stream());
    if (!written) file.Fail();
    written = file.Commit() && written;
  }
  if (!written) {
    ui::MessageBox("The file " + path + " cannot be written", "ERROR");
    return false;
  }
  // Only a complete file counts as the saved result.
  FileName = path;
  if (rule.chosenName) {
    *rule.chosenName = HasExtension(choice.fileName, extension)
                           ? choice.fileName.substr(0, choice.fileName.size() - extension.size())
                           : choice.fileName;
  }
  if (rule.saved) *rule.saved = 1;
  if (rule.pending) *rule.pending = 1;
  ui::SetScreenCursor(ui::crDefault);
  return true;
}

std::string ValueText(const char* format, const char* label, double value) {
  if (std::isnan(value)) return std::string(label) + "undefined";
  return Format(format, value);
}

int HeldLength(int length, const std::vector<int>& values) {
  return std::max(0, std::min(length, static_cast<int>(values.size())));
}

bool WriteSequence(FILE* file, const std::vector<int>& values, int first, int last) {
  for (int i = first; i <= last; ++i)
    if (std::fprintf(file, "%d\n", values[i]) < 0) return false;
  return true;
}

void PaintSequenceCurve(Canvas& canvas, int width, int height, int top, int axis,
                        const std::vector<int>& values, int first, int last) {
  canvas.Fill(width, height);
  canvas.SetPen(Pen::Black);
  canvas.Line(2, axis, 700, axis);
  canvas.Line(9, 0, 9, top);
  canvas.TextOut(12, axis + 2, std::to_string(axis));
  if (first > last) return;
  canvas.SetPen(Pen::Blue);
  canvas.MoveTo(10, top - values[first]);
  for (int i = first + 1; i <= last; ++i) canvas.LineTo(10 + i, top - values[i]);
}

int ScaleToPixels(double value, double range, double pixels) {
  if (range == 0 || !std::isfinite(range) || !std::isfinite(value)) return 0;
  const double offset = pixels * value / range;
  // Far-off points stay far off without overflowing the pixel type.
  constexpr double kLimit = 100000;
  if (offset > kLimit) return static_cast<int>(kLimit);
  if (offset < -kLimit) return -static_cast<int>(kLimit);
  return static_cast<int>(offset);
}

void LogDiagramFile(int& pending, const char* reportText, const std::string& fileName) {
  if (!ReportOn() || pending != 1) return;
  // A line that could not be written leaves the file waiting to be named.
  if (ReportPrintf(reportText, fileName.c_str())) pending = 0;
}

void NewDiagramResult(int& saved, int& pending) {
  saved = 0;
  pending = 0;
}

void RefuseSecondSave() {
  ui::MessageBox("This diagram has been already registered ", "REGISTRATION");
}
