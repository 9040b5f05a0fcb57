#include "graytone/Threshold.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "app/MainWindow.h"
#include "graytone/kernels/ColourSegment.h"
#include "imaging/TextNumbers.h"
#include "panels/ImageWindow.h"
#include "panels/ResultImage.h"
#include "panels/ScreenEditor.h"
#include "ui/Driver.h"
#include "ui/Widgets.h"

TThresholdForm* ThresholdForm = nullptr;

namespace {

constexpr int kOriginalImage = 1;
constexpr int kParameterImage = 2;
constexpr int kHighestGray = 255;

}  // namespace

TThresholdForm::TThresholdForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Thresholding");

  auto* dataIn = new QGroupBox(QStringLiteral("Data in"), this);
  RadioButton1 = new QRadioButton(QStringLiteral("Original Image"), dataIn);
  RadioButton2 = new QRadioButton(QStringLiteral("Parameter Image"), dataIn);
  RadioButton1->setChecked(true);
  auto* dataLayout = new QVBoxLayout(dataIn);
  dataLayout->addWidget(RadioButton1);
  dataLayout->addWidget(RadioButton2);
  connect(RadioButton1, &QRadioButton::clicked, this, &TThresholdForm::RadioButton1Click);
  connect(RadioButton2, &QRadioButton::clicked, this, &TThresholdForm::RadioButton2Click);

  auto* colour = new QGroupBox(QStringLiteral("Color and threshold"), this);
  Button1 = new QPushButton(QStringLiteral("Color Choice"), colour);
  SegmentEdit = ui::ReadOnlyEdit(colour);
  SegmentEdit->setText(QStringLiteral("1"));
  ScrollBar1 = new QScrollBar(Qt::Horizontal, colour);
  ScrollBar1->setRange(0, kHighestGray);
  MinEdit = ui::ReadOnlyEdit(colour);
  MinEdit->setText(QStringLiteral("0"));
  MaxEdit = ui::ReadOnlyEdit(colour);
  Button2 = new QPushButton(QStringLiteral("Next Segment"), colour);
  auto* grid = new QGridLayout(colour);
  grid->addWidget(Button1, 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("for the segment  "), colour), 0, 1);
  grid->addWidget(SegmentEdit, 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("Dynamic Scale:"), colour), 1, 0);
  grid->addWidget(ScrollBar1, 1, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Minimum"), colour), 2, 0);
  grid->addWidget(MinEdit, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Maximum"), colour), 3, 0);
  grid->addWidget(MaxEdit, 3, 1);
  grid->addWidget(Button2, 4, 0, 1, 3);
  connect(Button1, &QPushButton::clicked, this, &TThresholdForm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TThresholdForm::Button2Click);
  connect(ScrollBar1, &QScrollBar::valueChanged, this, &TThresholdForm::ScheduleStep);

  BitBtn1 = new QPushButton(QStringLiteral("Exit"), this);
  connect(BitBtn1, &QPushButton::clicked, this, &TThresholdForm::BitBtn1Click);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dataIn);
  layout->addWidget(colour);
  layout->addWidget(BitBtn1);
}

TThresholdForm::~TThresholdForm() = default;

void TThresholdForm::RadioButton1Click() {
  FlushPendingStep();
  DataIn = kOriginalImage;
  RadioButton1->setChecked(true);
}

void TThresholdForm::RadioButton2Click() {
  FlushPendingStep();
  DataIn = kParameterImage;
  RadioButton2->setChecked(true);
}

void TThresholdForm::Button1Click() {
  // A cancelled dialog keeps its previous colour, which is taken again.
  if (const auto chosen = ui::ChooseColour(ColorDialog1Colour)) ColorDialog1Colour = *chosen;
  SegmentColour = RgbFromColourValue(ColorDialog1Colour);
}

// Every value change of the bar asks for one painting step; while a step waits, later changes only
// raise the highest position it paints to, so a fast drag costs one step per event loop pass.
void TThresholdForm::ScheduleStep(int position) {
  highestPassed_ = std::max(highestPassed_, position);
  if (stepPending_) return;
  stepPending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (stepPending_) ScrollBar1Change();
  });
}

void TThresholdForm::FlushPendingStep() {
  if (stepPending_) ScrollBar1Change();
}

void TThresholdForm::MoveScrollBar(int position) {
  const bool blocked = ScrollBar1->blockSignals(true);
  ScrollBar1->setValue(position);
  ScrollBar1->blockSignals(blocked);
  ScrollBar1Change();
}

void TThresholdForm::ScrollBar1Change() {
  const int position = ScrollBar1->value();
  const int highest = std::max(position, highestPassed_);
  stepPending_ = false;
  highestPassed_ = -1;
  if (!EnsurePlanes()) return;
  MaxEdit->setText(QString::number(position));
  SegmentMax = TextToInt(MaxEdit->text().toStdString());
  TMainForm& m = *MainForm;
  const BytePlane& gray = DataIn == kParameterImage ? m.ResultImage : m.OriginalImage;
  EndEditorColourPicture(m);  // the colour image is painted over
  if (!PaintGraySegment(gray, SegmentMin, std::max(SegmentMax, highest), SegmentColour, m.ThresholdPlanes,
                        m.ColourImage))
    return;
  ShowColourImage();
}

void TThresholdForm::Button2Click() {
  FlushPendingStep();
  MinEdit->setText(QString::number(static_cast<long long>(SegmentMax) + 1));
  SegmentMin = TextToInt(MinEdit->text().toStdString());
  if (SegmentNumber < INT_MAX) ++SegmentNumber;
  SegmentEdit->setText(QString::number(SegmentNumber));
}

void TThresholdForm::BitBtn1Click() {
  FlushPendingStep();
  TMainForm& m = *MainForm;
  // The colour image is another tool's when no step ran since: it is made again from the planes.
  EndEditorColourPicture(m);  // the colour image is this tool's now, no longer the editor's
  if (EnsurePlanes()) InterleavePlanes(m.ThresholdPlanes, m.ColourImage);
  m.ColourMode = kColourModeRgb;
  if (DataIn == kParameterImage) {
    m.Enable({"SaveParamSpeedButton1"});
    m.Panel3Pending[p3ColouredParameter] = 1;
  } else {
    m.Enable({"SaveOriginalSpeedButton1"});
    m.Panel3Pending[p3ColouredOriginal] = 1;
  }
  Finish(ui::mrOk);
}

bool TThresholdForm::EnsurePlanes() {
  TMainForm& m = *MainForm;
  const int panel = DataIn == kParameterImage ? kParameterImage : kOriginalImage;
  const BytePlane& gray = panel == kParameterImage ? m.ResultImage : m.OriginalImage;
  // Planes of another image (a new open releases them) or of the other panel are made again.
  if (!m.ThresholdPlanes.Fits(gray) || m.ThresholdPlanesPanel != panel) PlanesReady = 0;
  if (PlanesReady == 1) return true;
  m.ThresholdPlanesPanel = 0;
  EndEditorColourPicture(m);  // the colour image is made again below
  if (!ColourPlanesFromGray(gray, m.ThresholdPlanes) || !InterleavePlanes(m.ThresholdPlanes, m.ColourImage))
    return false;
  m.ThresholdPlanesPanel = panel;
  ShowColourImage();
  PlanesReady = 1;
  return true;
}

void TThresholdForm::ShowColourImage() {
  const BytePlane& bgr = MainForm->ColourImage;
  const int columns = bgr.Columns() / 3, lines = bgr.Lines();
  // One display image, refilled at every step.
  if (!display_ || display_->Columns() != columns || display_->Lines() != lines)
    display_ = std::make_unique<IMAGE>(columns, lines, IMAGE::kRgb);
  display_->SetFromPlaneRGB(bgr);
  if (DataIn == kParameterImage) {
    ResultImageForm->SetCaptionText(MainForm->PanelCaption);
    ResultImageForm->ShowImage(*display_);
  } else {
    ImageForm->SetCaptionText(MainForm->PanelCaption);
    ImageForm->ShowImage(*display_);
  }
}
