#include "diagrams/Histograms.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/MainWindow.h"
#include "imaging/TextNumbers.h"
#include "ui/Widgets.h"

THistoGrisForm* HistoGrisForm = nullptr;
TDiagHistoForm* DiagHistoForm = nullptr;
TLocalHistoGrisForm* LocalHistoGrisForm = nullptr;
TDiagLocalHistoForm* DiagLocalHistoForm = nullptr;

namespace {

constexpr int kWidth = 256, kHeight = 249;

std::vector<std::pair<int, std::string>> AxisLabels() {
  std::vector<std::pair<int, std::string>> labels;
  for (int x = 0; x <= 240; x += 20) labels.push_back({x, std::to_string(x)});
  return labels;
}

const BytePlane& SourcePlane(int source) {
  return source == 1 ? MainForm->ResultImage : MainForm->OriginalImage;
}

bool WriteCounts(FILE* file, const GrayCounts& counts) {
  for (int count : counts)
    if (std::fprintf(file, "%d\n", count) < 0) return false;
  return true;
}

// Two radio buttons in a titled group; neither is checked at first.
std::pair<QRadioButton*, QRadioButton*> AddSourceGroup(ui::Form* form, QVBoxLayout* layout, const char* title,
                                                       const char* first, const char* second) {
  auto* group = new QGroupBox(QString::fromUtf8(title), form);
  auto* inner = new QVBoxLayout(group);
  auto* one = new QRadioButton(QString::fromUtf8(first), group);
  auto* two = new QRadioButton(QString::fromUtf8(second), group);
  one->setAutoExclusive(false);
  two->setAutoExclusive(false);
  inner->addWidget(one);
  inner->addWidget(two);
  layout->addWidget(group);
  return {one, two};
}

QPushButton* AddOk(ui::Form* form, QVBoxLayout* layout) {
  auto* ok = new QPushButton(QStringLiteral("OK"), form);
  layout->addWidget(ok);
  return ok;
}

}  // namespace

void DrawHistogram(Canvas& canvas, const GrayCounts& counts, int height) {
  const int h = height - 5;
  const int max = *std::max_element(counts.begin(), counts.end());
  canvas.Fill(kWidth, height);
  canvas.SetPen(Pen::Black);
  // With nothing counted there are no bars.
  if (max > 0)
    for (int g = 0; g < 256; ++g)
      canvas.Line(g, h, g, static_cast<int>((1 - static_cast<double>(counts[g]) / max) * h));
  canvas.Line(0, h, 255, h);
  for (int x = 0; x <= 240; x += 20) canvas.Line(x, h + 4, x, h);
}

THistoGrisForm::THistoGrisForm(QWidget* owner) : TDiagramForm(owner, " HISTOGRAM") {
  AddPaintBox(kWidth, kHeight, [this](Canvas& canvas) { PaintBoxPaint(canvas); });
  AddLabelRow(kWidth, AxisLabels());
  AddButtons([this] { BitBtnSaveClick(); });
}

void THistoGrisForm::ComputeCounts() {
  Counts = GrayHistogram(SourcePlane(DiagHistoForm->Source), MainForm->ResultBorder);
}

void THistoGrisForm::PaintBoxPaint(Canvas& canvas) {
  DrawHistogram(canvas, Counts, kHeight);
}

void THistoGrisForm::BitBtnSaveClick() {
  DiagramSaveRule rule{"Save Histogram", "File .xls|*.xls|File .ts|*.ts"};
  rule.chosenName = &MainForm->SavedFileName;
  SaveDiagram(rule, [this](FILE* file) { return WriteCounts(file, Counts); });
}

TDiagHistoForm::TDiagHistoForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Histogram");
  CloseIsOk = true;
  auto* layout = new QVBoxLayout(this);
  std::tie(radioButton1_, radioButton2_) =
      AddSourceGroup(this, layout, " Data ", "Original Image", "Parametric Image");
  connect(radioButton1_, &QRadioButton::clicked, this, &TDiagHistoForm::RadioButton1Click);
  connect(radioButton2_, &QRadioButton::clicked, this, &TDiagHistoForm::RadioButton2Click);
  connect(AddOk(this, layout), &QPushButton::clicked, this, &TDiagHistoForm::BitBtn1Click);
}

void TDiagHistoForm::RadioButton1Click() {
  radioButton1_->setChecked(true);
  radioButton2_->setChecked(false);
  Source = 0;
}

void TDiagHistoForm::RadioButton2Click() {
  radioButton1_->setChecked(false);
  radioButton2_->setChecked(true);
  Source = 1;
}

TLocalHistoGrisForm::TLocalHistoGrisForm(QWidget* owner) : TDiagramForm(owner, " LOCAL HISTOGRAM") {
  AddPaintBox(kWidth, kHeight, [this](Canvas& canvas) { PaintBoxPaint(canvas); });
  AddLabelRow(kWidth, AxisLabels());
  AddButtons([this] { BitBtn2Click(); });
}

void TLocalHistoGrisForm::ComputeCounts() {
  Counts = LocalGrayHistogram(SourcePlane(DiagLocalHistoForm->Source), MainForm->BinaryImage,
                              DiagLocalHistoForm->MaskValue);
}

void TLocalHistoGrisForm::PaintBoxPaint(Canvas& canvas) {
  DrawHistogram(canvas, Counts, kHeight);
}

void TLocalHistoGrisForm::BitBtn2Click() {
  DiagramSaveRule rule{"Save Local Histogram", "File .xls [*.xls]|*.xls|File .ts|*.ts"};
  rule.chosenName = &MainForm->SavedFileName;
  SaveDiagram(rule, [this](FILE* file) { return WriteCounts(file, Counts); });
}

TDiagLocalHistoForm::TDiagLocalHistoForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Local Histogram");
  CloseIsOk = true;
  auto* layout = new QVBoxLayout(this);
  std::tie(radioButton1_, radioButton2_) =
      AddSourceGroup(this, layout, " Data in ", "Original Image (Panel 1)", "Parametric Image (Panel 3)");
  auto* maskGroup = new QGroupBox(QStringLiteral(" inside Item Panel 2 "), this);
  auto* maskLayout = new QVBoxLayout(maskGroup);
  maskLayout->addWidget(new QLabel(QStringLiteral("Gray Tone Value ? "), maskGroup));
  GrayToneMaskEdit = ui::NumberEdit(maskGroup);
  maskLayout->addWidget(GrayToneMaskEdit);
  layout->addWidget(maskGroup);
  connect(radioButton1_, &QRadioButton::clicked, this, &TDiagLocalHistoForm::RadioButton1Click);
  connect(radioButton2_, &QRadioButton::clicked, this, &TDiagLocalHistoForm::RadioButton2Click);
  connect(GrayToneMaskEdit, &QLineEdit::textChanged, this,
          [this](const QString& text) { GrayToneMaskEditChange(text.toStdString()); });
  connect(AddOk(this, layout), &QPushButton::clicked, this, &TDiagLocalHistoForm::BitBtn1Click);
}

void TDiagLocalHistoForm::RadioButton1Click() {
  radioButton1_->setChecked(true);
  radioButton2_->setChecked(false);
  Source = 0;
}

void TDiagLocalHistoForm::RadioButton2Click() {
  radioButton1_->setChecked(false);
  radioButton2_->setChecked(true);
  Source = 1;
}

void TDiagLocalHistoForm::GrayToneMaskEditChange(const std::string& text) {
  MaskValue = TextToInt(text);
}
