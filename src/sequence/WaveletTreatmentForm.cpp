#include "sequence/WaveletTreatmentForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TWaveletTreatmentForm* WaveletTreatmentForm = nullptr;

namespace {

// The frame less the kernel's border, with R as it stands when the value is typed: a value below R
// (`below`) or past size - (R + 1) (`above`) is said at once; it stays typed.
std::function<void(int)> FrameCheck(const int& range, const int& size, const char* below, const char* above) {
  return [&range, &size, below, above](int value) {
    if (below && value < range)
      ui::MessageBox(below, "ERROR");
    else if (above && value > static_cast<long long>(size) - range - 1)
      ui::MessageBox(above, "ERROR");
  };
}

}  // namespace

TWaveletTreatmentForm::TWaveletTreatmentForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Selection of the Wavelet Zone");
  using ui::IntegerEdit;
  const int& lines = MainForm->ImageLines;
  const int& columns = MainForm->ImageColumns;

  auto* image = new QGroupBox(QStringLiteral("Image Selection"), this);
  auto* imageLayout = new QVBoxLayout(image);
  RadioButton1 = new QRadioButton(QStringLiteral("Original Image"), image);
  RadioButton2 = new QRadioButton(QStringLiteral("Image resulting from a treatment"), image);
  RadioButton1->setChecked(true);
  imageLayout->addWidget(RadioButton1);
  imageLayout->addWidget(RadioButton2);
  connect(RadioButton1, &QRadioButton::clicked, this, [this] { DataIn = 0; });
  connect(RadioButton2, &QRadioButton::clicked, this, [this] { DataIn = 1; });

  RangeEdit = IntegerEdit(this, Range);
  QGroupBox* window =
      ui::LabeledRows(this, "Moving Window Size",
                      {{"Range (R) of the moving window", RangeEdit},
                       {"NOTA: the window size (WS) is equal to: WS = (R*2)+1", nullptr},
                       {"Generally , confident results are obtained by using R = 5.", nullptr}});

  auto* items = new QGroupBox(QStringLiteral("Studied Item"), this);
  auto* itemsLayout = new QVBoxLayout(items);
  const char* const captions[6] = {"Whole Scene",   "Horizontal Line",  "Vertical Line",
                                   "Diagonal Line", "Rectangular Zone", "Labeled Zones"};
  for (int k = 0; k < 6; ++k) {
    StudiedItemRadios[k] = new QRadioButton(QString::fromUtf8(captions[k]), items);
    StudiedItemRadios[k]->setAutoExclusive(false);
    itemsLayout->addWidget(StudiedItemRadios[k]);
    connect(StudiedItemRadios[k], &QRadioButton::clicked, this, [this, k] { ChooseStudiedItem(k + 1); });
  }

  SelectLineEdit = IntegerEdit(this, SelectedLine,
                               FrameCheck(Range, lines, "Selected Line Minimum out of the frame",
                                          "Selected Line Maximum out of the frame"));
  FirstColumnEdit =
      IntegerEdit(this, FirstColumn, FrameCheck(Range, columns, "First Column out of the frame", nullptr));
  LastColumnEdit =
      IntegerEdit(this, LastColumn, FrameCheck(Range, columns, nullptr, "Last Column out of the frame"));
  SelectColumnEdit = IntegerEdit(this, SelectedColumn,
                                 FrameCheck(Range, columns, "Selected Column Minimum outside of the frame",
                                            "Selected Column Maximum outside of the frame"));
  FirstLineEdit =
      IntegerEdit(this, FirstLine, FrameCheck(Range, lines, "First Line outside of the frame", nullptr));
  LastLineEdit =
      IntegerEdit(this, LastLine, FrameCheck(Range, lines, nullptr, "Last Line outside of the frame"));
  FirstLineDiagEdit =
      IntegerEdit(this, FirstLine, FrameCheck(Range, lines, "First Line outside of the frame", nullptr));
  FirstColDiagEdit = IntegerEdit(this, FirstColumn,
                                 FrameCheck(Range, columns, "First Column outside of the frame", nullptr));
  LastLineDiagEdit =
      IntegerEdit(this, LastLine, FrameCheck(Range, lines, nullptr, "Last Line outside of the frame"));
  LastColDiagEdit =
      IntegerEdit(this, LastColumn, FrameCheck(Range, columns, nullptr, "Last Column outside of the frame"));
  FirstLineRectEdit =
      IntegerEdit(this, FirstLine, FrameCheck(Range, lines, "First Line outside of the frame", nullptr));
  FirstColRectEdit = IntegerEdit(this, FirstColumn,
                                 FrameCheck(Range, columns, "First Column outside of the frame", nullptr));
  LastLineRectEdit =
      IntegerEdit(this, LastLine, FrameCheck(Range, lines, nullptr, "Last Line outside of the frame"));
  LastColRectEdit =
      IntegerEdit(this, LastColumn, FrameCheck(Range, columns, nullptr, "Last Column outside of the frame"));
  ZoneCodeEdit = IntegerEdit(this, ZoneCode);

  // Bounds two a row, so that the five boxes, all shown at first, fit the screen's height.
  HorizontalLineBox = ui::LabeledGrid(this, "Horizontal Line",
                                      {{{"Line", SelectLineEdit}},
                                       {{"First Column", FirstColumnEdit}, {"Last Column", LastColumnEdit}},
                                       {{"NOTA. First Column Min = R and Last Column Max = ", nullptr}},
                                       {{"Total Column Number - (R+1)", nullptr}}});
  VerticalLineBox = ui::LabeledGrid(this, "Vertical Line",
                                    {{{"Column", SelectColumnEdit}},
                                     {{"First Line", FirstLineEdit}, {"Last Line", LastLineEdit}},
                                     {{"NOTA. First Line Min = R and Last Line Max = ", nullptr}},
                                     {{"Total Line Number - (R+1)", nullptr}}});
  const std::vector<std::pair<const char*, QWidget*>> frameNotes[2] = {
      {{"NOTA. First Line Min = R and Last Line Max =  Lines - (R+1)", nullptr}},
      {{"First Column Min = R and Last Column Max = Col - (R+1)", nullptr}}};
  DiagonalLineBox = ui::LabeledGrid(this, "Diagonal Line",
                                    {{{"First Line", FirstLineDiagEdit}, {"First Column", FirstColDiagEdit}},
                                     {{"Last Line", LastLineDiagEdit}, {"Last Column", LastColDiagEdit}},
                                     frameNotes[0],
                                     frameNotes[1]});
  RectangleBox = ui::LabeledGrid(this, "Rectangular Zone",
                                 {{{"First Line", FirstLineRectEdit}, {"First Column", FirstColRectEdit}},
                                  {{"Last Line", LastLineRectEdit}, {"Last Column", LastColRectEdit}},
                                  frameNotes[0],
                                  frameNotes[1]});
  LabelBox = ui::LabeledRows(this, "Labeled Zones",
                             {{"Zone Code ?", ZoneCodeEdit},
                              {"NOTA:  The codes correspond to the codes", nullptr},
                              {"of the binary or labeled image", nullptr}});

  SigmaEdit = ui::RealEdit(this, Sigma);
  IncreasingEdit = ui::RealEdit(this, SigmaIncrease);
  FMWSEdit = IntegerEdit(this, FirstWindowSize);
  StepEdit = IntegerEdit(this, Step);
  StepNumberEdit = IntegerEdit(this, StepNumber);
  QGroupBox* wavelet = ui::LabeledRows(this, " Wavelet characteristics ",
                                       {{"s value", SigmaEdit}, {"Step Increasing", IncreasingEdit}});
  QGroupBox* hurst = ui::LabeledRows(
      this, "Hurst parameters",
      {{"First Moving Window Size", FMWSEdit}, {"Step value", StepEdit}, {"Step Number", StepNumberEdit}});
  auto* experts =
      new QGroupBox(QStringLiteral("For Experts only, Elsewhere take the indicated values"), this);
  auto* expertsLayout = new QVBoxLayout(experts);
  expertsLayout->addWidget(wavelet);
  expertsLayout->addWidget(hurst);

  // The defaults, written into their edits (which store them again).
  RangeEdit->setText(QString::number(Range));
  SigmaEdit->setText(QString::number(Sigma, 'f', 1));
  IncreasingEdit->setText(QString::number(SigmaIncrease, 'f', 1));
  FMWSEdit->setText(QString::number(FirstWindowSize));
  StepEdit->setText(QString::number(Step));
  StepNumberEdit->setText(QString::number(StepNumber));

  // Two columns: the choices and the expert values on the left, the five bound boxes on the right.
  auto* choices = new QHBoxLayout;
  choices->addWidget(image, 0, Qt::AlignTop);
  choices->addWidget(items);
  auto* left = new QVBoxLayout;
  left->addLayout(choices);
  left->addWidget(window);
  left->addWidget(experts);
  left->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ui::OkButton(this));
  left->addLayout(buttons);
  auto* right = new QVBoxLayout;
  for (QGroupBox* box : {HorizontalLineBox, VerticalLineBox, DiagonalLineBox, RectangleBox, LabelBox})
    right->addWidget(box);
  right->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addLayout(right);
}

void TWaveletTreatmentForm::ChooseStudiedItem(int item) {
  StudiedItem = item;
  for (int k = 0; k < 6; ++k) StudiedItemRadios[k]->setChecked(k + 1 == item);
  QGroupBox* const boxes[5] = {HorizontalLineBox, VerticalLineBox, DiagonalLineBox, RectangleBox, LabelBox};
  for (int k = 0; k < 5; ++k) boxes[k]->setVisible(k + 2 == item);
}
