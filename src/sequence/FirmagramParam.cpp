#include "sequence/FirmagramParam.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TFirmagramParamForm* FirmagramParamForm = nullptr;

namespace {

// A value past the frame is said at once; it stays typed and the dialog stays open.
std::function<void(int)> Beyond(const int& frame, const char* message) {
  return [&frame, message](int value) {
    if (value > frame) ui::MessageBox(message, "ERROR");
  };
}

}  // namespace

TFirmagramParamForm::TFirmagramParamForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" GTS Parameters");
  const int& lines = MainForm->ImageLines;
  const int& columns = MainForm->ImageColumns;
  using ui::IntegerEdit;

  auto* items = new QGroupBox(QStringLiteral("Studied Item"), this);
  auto* itemsLayout = new QVBoxLayout(items);
  const char* const captions[6] = {"Whole Scene",    "Horizontal Line",  "Vertical Line",
                                   "Diagional Line", "Rectangular Zone", "Labeled  Zones"};
  for (int k = 0; k < 6; ++k) {
    StudiedItemRadios[k] = new QRadioButton(QString::fromUtf8(captions[k]), items);
    itemsLayout->addWidget(StudiedItemRadios[k]);
    connect(StudiedItemRadios[k], &QRadioButton::clicked, this, [this, k] { ChooseStudiedItem(k + 1); });
  }

  SelectLineEdit = IntegerEdit(this, SelectedLine, Beyond(lines, "Line number out of the frame"));
  FirstColEdit = IntegerEdit(this, FirstColumn);
  LastColEdit = IntegerEdit(this, LastColumn, Beyond(columns, "Last column number out of the frame"));
  SelectColumnEdit = IntegerEdit(this, SelectedColumn, Beyond(columns, "Selected column out of the frame"));
  FirstLineEdit = IntegerEdit(this, FirstLine);
  LastLineEdit = IntegerEdit(this, LastLine, Beyond(lines, "Last line out of the frame"));
  DFirstLineEdit = IntegerEdit(this, FirstLine);
  DFirstColumnEdit = IntegerEdit(this, FirstColumn);
  DLastLineEdit = IntegerEdit(this, LastLine, Beyond(lines, "Last line out of the frame"));
  DLastColumnEdit = IntegerEdit(this, LastColumn, Beyond(columns, "Last column out of the frame"));
  RFirstLineEdit = IntegerEdit(this, FirstLine);
  RFirstColumnEdit = IntegerEdit(this, FirstColumn);
  RLastLineEdit = IntegerEdit(this, LastLine, Beyond(lines, "Last line out of the frame"));
  RLastColumnEdit = IntegerEdit(this, LastColumn, Beyond(columns, "Last column out of the frame"));
  ZoneCodeEdit = IntegerEdit(this, ZoneCode);

  Boxes[0] = ui::LabeledRows(
      this, "Horizontal Line",
      {{"Line", SelectLineEdit}, {"First column", FirstColEdit}, {"Last column", LastColEdit}});
  Boxes[1] = ui::LabeledRows(
      this, "Vertical Line",
      {{"Column", SelectColumnEdit}, {"First line", FirstLineEdit}, {"Last line", LastLineEdit}});
  Boxes[2] = ui::LabeledRows(this, "Diagonal Line",
                             {{"First Line", DFirstLineEdit},
                              {"First Column", DFirstColumnEdit},
                              {"Last Line", DLastLineEdit},
                              {"Last Column", DLastColumnEdit}});
  Boxes[3] = ui::LabeledRows(this, "Rectangular Zone",
                             {{"First Line", RFirstLineEdit},
                              {"First Column", RFirstColumnEdit},
                              {"Last Line", RLastLineEdit},
                              {"Last Column", RLastColumnEdit}});
  Boxes[4] = ui::LabeledRows(this, "Labeled Zones",
                             {{"Zone Code?  ", ZoneCodeEdit},
                              {"NOTA:  The codes correspond to the codes", nullptr},
                              {"of the binary or labeled image", nullptr}});
  for (QGroupBox* box : Boxes) box->setVisible(false);

  auto* dataIn = new QGroupBox(QStringLiteral("Data In"), this);
  auto* dataLayout = new QVBoxLayout(dataIn);
  RadioButton7 = new QRadioButton(QStringLiteral("Original Image"), dataIn);
  RadioButton8 = new QRadioButton(QStringLiteral("Image resulting from a treatment"), dataIn);
  dataLayout->addWidget(RadioButton7);
  dataLayout->addWidget(RadioButton8);
  connect(RadioButton7, &QRadioButton::clicked, this, [this] { DataIn = 0; });
  connect(RadioButton8, &QRadioButton::clicked, this, [this] { DataIn = 1; });

  auto* columnsLayout = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(items);
  left->addWidget(dataIn);
  columnsLayout->addLayout(left);
  auto* right = new QVBoxLayout;
  for (QGroupBox* box : Boxes) right->addWidget(box);
  right->addStretch();
  columnsLayout->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columnsLayout);
  layout->addLayout(ui::OkCancelButtons(this));

  // Each radio button unchecks the others by hand: none is checked at first.
  for (QRadioButton* radio : StudiedItemRadios) radio->setAutoExclusive(false);
  RadioButton7->setAutoExclusive(false);
  RadioButton8->setAutoExclusive(false);
  connect(RadioButton7, &QRadioButton::clicked, RadioButton8, [this] {
    RadioButton7->setChecked(true);
    RadioButton8->setChecked(false);
  });
  connect(RadioButton8, &QRadioButton::clicked, RadioButton7, [this] {
    RadioButton8->setChecked(true);
    RadioButton7->setChecked(false);
  });
}

void TFirmagramParamForm::ChooseStudiedItem(int item) {
  StudiedItem = item;
  for (int k = 0; k < 6; ++k) StudiedItemRadios[k]->setChecked(k + 1 == item);
  // Whole Scene (1) shows no box; modes 2 .. 6 show theirs.
  for (int k = 0; k < 5; ++k) Boxes[k]->setVisible(k + 2 == item);
}

void TFirmagramParamForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) MainForm->DialogCancelBytes[cbFirmagramParam] = 1;
}
