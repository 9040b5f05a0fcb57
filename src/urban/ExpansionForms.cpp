#include "urban/ExpansionForms.h"

#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TDilBoxForm* DilBoxForm = nullptr;
TCrownExpansionForm* CrownExpansionForm = nullptr;

namespace {

constexpr const char* kImageCaptions[] = {"Original Image", "Labeled or Binary Image", "Parametric Image"};

// An inner group of a radio group, shown (and enabled) only while its radio is chosen.
QGroupBox* InnerGroup(QWidget* parent, QGroupBox* outer,
                      const std::vector<std::pair<const char*, QWidget*>>& rows) {
  QGroupBox* inner = ui::LabeledRows(parent, QString(), rows);
  outer->layout()->addWidget(inner);
  inner->setVisible(false);
  inner->setEnabled(false);
  return inner;
}

void ShowInner(QGroupBox* inner, bool shown) {
  inner->setVisible(shown);
  inner->setEnabled(shown);
}

}  // namespace

TDilBoxForm::TDilBoxForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Radial Expansion");
  QGroupBox* image =
      ui::CodeRadioGroup(this, "Treated Image ", {std::begin(kImageCaptions), std::end(kImageCaptions)},
                         ImageType, &ImageRadios);
  REMinValEdit = ui::IntegerEdit(this, MinValue);
  REMaxValEdit = ui::IntegerEdit(this, MaxValue);
  QGroupBox* thresholds =
      ui::LabeledRows(this, "Thresholding ", {{"Min", REMinValEdit}, {"Max", REMaxValEdit}});
  QGroupBox* start =
      ui::CodeRadioGroup(this, " Starting Point  ", {" Image Center", " Defined by the user"}, StartType,
                         &StartRadios, [this](int code) { ShowInner(StartBox, code == 2); });
  RELineEdit = ui::IntegerEdit(this, StartLine);
  REColumnEdit = ui::IntegerEdit(this, StartColumn);
  StartBox = InnerGroup(this, start, {{"Line ", RELineEdit}, {"Column", REColumnEdit}});
  WCZEdit = ui::IntegerEdit(this, FirstRadius);
  QGroupBox* circle = ui::LabeledRows(this, " Circle Size  ", {{"integer value", WCZEdit}});
  QGroupBox* last =
      ui::CodeRadioGroup(this, " Last Radius  ", {"Image Border", "defined by the user"}, LastRadiusType,
                         &LastRadiusRadios, [this](int code) { ShowInner(LastRadiusBox, code == lrUser); });
  LastRadiusEdit = ui::IntegerEdit(this, LastRadius);
  LastRadiusBox = InnerGroup(this, last, {{"Value", LastRadiusEdit}});
  PixelSizeEdit = ui::RealEdit(this, PixelSize);
  QGroupBox* pixel =
      ui::LabeledRows(this, " Pixel Size (by default 1) ",
                      {{"Pixel Size (in meters)", PixelSizeEdit}, {"Nota: decimal value required", nullptr}});

  auto* layout = new QVBoxLayout(this);
  for (QGroupBox* group : {image, thresholds, start, circle, last, pixel}) layout->addWidget(group);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TDilBoxForm::ResetMembers() {
  ImageType = StartType = StartLine = StartColumn = FirstRadius = LastRadiusType = LastRadius = MaxValue = 0;
  PixelSize = 0.0;
  MinValue = 1000;
}

void TDilBoxForm::CheckChosen() {
  ui::CheckCode(ImageRadios, ImageType);
  ui::CheckCode(StartRadios, StartType);
  ui::CheckCode(LastRadiusRadios, LastRadiusType);
}

void TDilBoxForm::ClearEntries() {
  ui::CheckCode(ImageRadios, eiNone);
  for (QLineEdit* edit :
       {RELineEdit, REColumnEdit, PixelSizeEdit, REMinValEdit, REMaxValEdit, WCZEdit, LastRadiusEdit})
    edit->clear();
}

void TDilBoxForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) {
    MainForm->DialogCancelBytes[cbDilBox] = 1;
    return;
  }
  ShowInner(StartBox, false);
  ShowInner(LastRadiusBox, false);
  for (const auto* radios : {&ImageRadios, &StartRadios, &LastRadiusRadios}) ui::CheckCode(*radios, 0);
}

TCrownExpansionForm::TCrownExpansionForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" Crown Expansion");
  QGroupBox* image =
      ui::CodeRadioGroup(this, " Treated Image ", {std::begin(kImageCaptions), std::end(kImageCaptions)},
                         ImageType, &ImageRadios);
  QGroupBox* start = ui::CodeRadioGroup(this, " Starting Point  ", {"Image Center", "Defined by the user"},
                                        startChoice_, &StartRadios, [this](int code) {
                                          if (code == 1) {
                                            StartLine = MainForm->ImageLines / 2;
                                            StartColumn = MainForm->ImageColumns / 2;
                                          }
                                          ShowInner(StartBox, code == 2);
                                        });
  LineEdit = ui::IntegerEdit(this, StartLine);
  ColumnEdit = ui::IntegerEdit(this, StartColumn);
  StartBox = InnerGroup(this, start, {{"Line", LineEdit}, {"Column", ColumnEdit}});
  PixelSizeEdit = ui::RealEdit(this, PixelSize);
  QGroupBox* pixel =
      ui::LabeledRows(this, " Pixel Size (by default 1)  ", {{"Pixel Size (in meters)", PixelSizeEdit}});
  MinEdit = ui::IntegerEdit(this, MinValue);
  MaxEdit = ui::IntegerEdit(this, MaxValue);
  QGroupBox* thresholds = ui::LabeledRows(this, " Thresholding  ", {{"Min", MinEdit}, {"Max", MaxEdit}});
  FirstRadiusEdit = ui::IntegerEdit(this, FirstRadius);
  CrownWidthEdit = ui::IntegerEdit(this, CrownWidth);
  QGroupBox* crown = ui::LabeledRows(
      this, " Crow  ", {{"First External  Radius", FirstRadiusEdit}, {"Crown Width", CrownWidthEdit}});
  QGroupBox* last = ui::CodeRadioGroup(
      this, " Last External Radius  ", {"Image Border", "defined by the user"}, LastRadiusType,
      &LastRadiusRadios, [this](int code) { ShowInner(LastRadiusBox, code == lrUser); });
  LastRadiusEdit = ui::IntegerEdit(this, LastRadius);
  LastRadiusBox = InnerGroup(this, last, {{"Value", LastRadiusEdit}});

  auto* layout = new QVBoxLayout(this);
  for (QGroupBox* group : {image, start, pixel, thresholds, crown, last}) layout->addWidget(group);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TCrownExpansionForm::ResetMembers() {
  ImageType = StartLine = StartColumn = FirstRadius = CrownWidth = LastRadiusType = LastRadius = MaxValue = 0;
  PixelSize = 0.0;
  MinValue = -1;
}

void TCrownExpansionForm::CheckChosen() {
  ui::CheckCode(ImageRadios, ImageType);
  ui::CheckCode(LastRadiusRadios, LastRadiusType);
}

void TCrownExpansionForm::ClearEntries() {
  ui::CheckCode(ImageRadios, eiNone);
  for (QLineEdit* edit : {LineEdit, ColumnEdit, PixelSizeEdit, MinEdit, MaxEdit, FirstRadiusEdit,
                          CrownWidthEdit, LastRadiusEdit})
    edit->clear();
}

void TCrownExpansionForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) {
    MainForm->DialogCancelBytes[cbCrownExpansion] = 1;
    return;
  }
  ShowInner(StartBox, false);
  ShowInner(LastRadiusBox, false);
  for (const auto* radios : {&ImageRadios, &StartRadios, &LastRadiusRadios}) ui::CheckCode(*radios, 0);
}
