#include "graytone/FractStarForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <functional>
#include <initializer_list>

#include "app/MainWindow.h"
#include "ui/Widgets.h"

TFractStarForm* FractStarForm = nullptr;

namespace {

QRadioButton* Radio(QGroupBox* group, const char* caption, const std::function<void()>& click) {
  auto* radio = new QRadioButton(QString::fromUtf8(caption), group);
  group->layout()->addWidget(radio);
  QObject::connect(radio, &QRadioButton::clicked, group, click);
  return radio;
}

void Uncheck(std::initializer_list<QRadioButton*> radios) {
  for (QRadioButton* radio : radios) {
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(true);
  }
}

}  // namespace

TFractStarForm::TFractStarForm(QWidget* owner) : ui::Form(owner) {
  SetCaption(" 3D Lineal Fractal");
  MainForm->StarLengthMode = 0;

  auto* treatment = new QGroupBox(QStringLiteral("Treatment"), this);
  new QVBoxLayout(treatment);
  RadioButton1 = Radio(treatment, "Greek Cross", [this] { TreatmentType = 1; });
  RadioButton2 = Radio(treatment, "St Andrew Cross", [this] { TreatmentType = 2; });
  RadioButton3 = Radio(treatment, "Star", [this] { TreatmentType = 3; });

  auto* zone = new QGroupBox(QStringLiteral("Studied Zone"), this);
  new QVBoxLayout(zone);
  RadioButton4 = Radio(zone, "Whole Image", [this] { RadioButton4Click(); });
  RadioButton5 = Radio(zone, "Labelized Zone", [this] { RadioButton5Click(); });
  ItemPanel = new QWidget(zone);
  auto* itemLayout = new QHBoxLayout(ItemPanel);
  ItemEdit = ui::IntegerEdit(this, ItemCode);
  // An empty edit names no item (a code of 0 would be one).
  connect(ItemEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (text.trimmed().isEmpty()) ItemCode = kUndefinedItemCode;
  });
  itemLayout->addWidget(new QLabel(QStringLiteral("Item Code"), ItemPanel));
  itemLayout->addWidget(ItemEdit);
  zone->layout()->addWidget(ItemPanel);
  ItemPanel->hide();

  auto* length = new QGroupBox(QStringLiteral("Length Measurement"), this);
  new QVBoxLayout(length);
  RadioButton6 = Radio(length, "Total lenght", [] { MainForm->StarLengthMode = 0; });
  RadioButton8 = Radio(length, "Minimum", [] { MainForm->StarLengthMode = 1; });
  RadioButton9 = Radio(length, "Maximum", [] { MainForm->StarLengthMode = 2; });
  RadioButton6->setChecked(true);

  auto* layout = new QVBoxLayout(this);
  for (const char* note :
       {"Nota: The treatment is applied to the image ", "located in the Panel 1.",
        "The labeled zone corresponds to an item", "of the labeled (eventually binary) image",
        "located in the Panel 2.", "The result applied to the whole image is", "reported in the Panel 3."})
    layout->addWidget(new QLabel(QString::fromUtf8(note), this));
  layout->addWidget(treatment);
  layout->addWidget(zone);
  layout->addWidget(length);
  layout->addLayout(ui::OkCancelButtons(this));
}

void TFractStarForm::ClearChoices() {
  Uncheck({RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6, RadioButton8,
           RadioButton9});
  ItemEdit->clear();
  ItemCode = kUndefinedItemCode;
}

void TFractStarForm::ShowChoices() {
  Uncheck({RadioButton1, RadioButton2, RadioButton3, RadioButton6, RadioButton8, RadioButton9});
  if (TreatmentType >= 1 && TreatmentType <= 3)
    (TreatmentType == 1 ? RadioButton1 : TreatmentType == 2 ? RadioButton2 : RadioButton3)->setChecked(true);
  const int mode = MainForm->StarLengthMode;
  if (mode >= 0 && mode <= 2)
    (mode == 0 ? RadioButton6 : mode == 1 ? RadioButton8 : RadioButton9)->setChecked(true);
  ShowZone(StudiedZone);
}

void TFractStarForm::RadioButton4Click() {
  StudiedZone = 0;
  ShowZone(0);
}

void TFractStarForm::RadioButton5Click() {
  if (MainForm->HasBinaryImage != 1 && MainForm->HasLabeledImage != 1) {
    ui::MessageBox("No binary or labelled image", "ERROR");
    RadioButton4Click();
    return;
  }
  StudiedZone = 1;  // ItemCode follows the edit already
  ShowZone(1);
}

void TFractStarForm::ShowZone(int zone) {
  Uncheck({RadioButton4, RadioButton5});
  (zone == 1 ? RadioButton5 : RadioButton4)->setChecked(true);
  ItemPanel->setVisible(zone == 1);
}

void TFractStarForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrCancel) {
    MainForm->DialogCancelBytes[cbFractStar] = 1;
    return;
  }
  MainForm->StarZoneChoice = StudiedZone == 1 ? 1 : 0;
  MainForm->StarItemCode = ItemCode;
  ShowZone(0);
}
