#include "panels/ConfigPagePrint.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <string>

#include "imaging/TextNumbers.h"
#include "panels/ImageWindow.h"
#include "panels/ResultImage.h"
#include "panels/TempImage.h"
#include "ui/Driver.h"
#include "ui/Widgets.h"

TConfigPagePrintForm* ConfigPagePrintForm = nullptr;

namespace {

constexpr int kPreviewWidth = 425;
constexpr int kPreviewHeight = 273;

// The page preview: the form draws it whenever it paints.
class PreviewBox : public QWidget {
 public:
  PreviewBox(QWidget* parent, std::function<void(QPainter&)> paint) : QWidget(parent), paint_(paint) {
    setFixedSize(kPreviewWidth, kPreviewHeight);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    paint_(painter);
  }

 private:
  std::function<void(QPainter&)> paint_;
};

QLineEdit* MillimetreEdit(QWidget* parent, void (TConfigPagePrintForm::*exit)(), TConfigPagePrintForm* form) {
  auto* edit = ui::NumberEdit(parent);
  // Only what the person typed is read back: the shown values are rounded to tenths.
  QObject::connect(edit, &QLineEdit::editingFinished, form, [edit, form, exit] {
    if (edit->isModified()) (form->*exit)();
  });
  return edit;
}

QRect ToQRect(const PixelRect& r) {
  return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

}  // namespace

const QImage* PanelBitmap(int panelChoice) {
  TPanelForm* panels[] = {ImageForm, TempImageForm, ResultImageForm};
  if (panelChoice < 0 || panelChoice > 2 || !panels[panelChoice]) return nullptr;
  return panels[panelChoice]->HasBitmap() ? &panels[panelChoice]->Bitmap() : nullptr;
}

TConfigPagePrintForm::TConfigPagePrintForm(QWidget* owner)
    : ui::Form(owner), PagePrinter(std::make_unique<ui::Printer>()) {
  SetCaption(" PAGE CONFIGURATION");
  resize(626, 423);
  PaintBox = new PreviewBox(this, [this](QPainter& painter) {
    // Button face around a white page; the picture stretched into its place.
    painter.fillRect(PaintBox->rect(), PaintBox->palette().button());
    const PreviewLayout layout = PreviewOf(*this, PaintBox->width(), PaintBox->height());
    if (layout.Page.Right <= layout.Page.Left) return;
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(ToQRect(layout.Page));
    if (!PrintedBitmap.isNull() && layout.Picture.Right > layout.Picture.Left &&
        layout.Picture.Bottom > layout.Picture.Top)
      painter.drawImage(ToQRect(layout.Picture), PrintedBitmap);
  });

  auto* options = new QGroupBox(QStringLiteral(" Options "), this);
  auto* optionsLayout = new QVBoxLayout(options);
  CentrerCheckBox = new QCheckBox(QStringLiteral("Centered Image"), options);
  CentrerCheckBox->setChecked(true);
  PPageCheckBox = new QCheckBox(QStringLiteral("Whole Page"), options);
  optionsLayout->addWidget(CentrerCheckBox);
  optionsLayout->addWidget(PPageCheckBox);
  connect(CentrerCheckBox, &QCheckBox::clicked, this, &TConfigPagePrintForm::CentrerCheckBoxClick);
  connect(PPageCheckBox, &QCheckBox::clicked, this, &TConfigPagePrintForm::PPageCheckBoxClick);

  auto* size = new QGroupBox(QStringLiteral("Image Size"), this);
  auto* sizeLayout = new QGridLayout(size);
  HautEdit = MillimetreEdit(size, &TConfigPagePrintForm::HautEditExit, this);
  LargEdit = MillimetreEdit(size, &TConfigPagePrintForm::LargEditExit, this);
  sizeLayout->addWidget(new QLabel(QStringLiteral("Height"), size), 0, 0);
  sizeLayout->addWidget(HautEdit, 0, 1);
  sizeLayout->addWidget(new QLabel(QStringLiteral("Width"), size), 1, 0);
  sizeLayout->addWidget(LargEdit, 1, 1);

  auto* margins = new QGroupBox(QStringLiteral("Marges"), this);
  auto* marginsLayout = new QGridLayout(margins);
  GaucheEdit = MillimetreEdit(margins, &TConfigPagePrintForm::GaucheEditExit, this);
  HauteEdit = MillimetreEdit(margins, &TConfigPagePrintForm::HauteEditExit, this);
  marginsLayout->addWidget(new QLabel(QStringLiteral("Left"), margins), 0, 0);
  marginsLayout->addWidget(GaucheEdit, 0, 1);
  marginsLayout->addWidget(new QLabel(QStringLiteral("Height"), margins), 1, 0);
  marginsLayout->addWidget(HauteEdit, 1, 1);

  auto* orientation = new QGroupBox(QStringLiteral(" Orientation"), this);
  auto* orientationLayout = new QHBoxLayout(orientation);
  PortraitRadioButton = new QRadioButton(QStringLiteral("Portrait"), orientation);
  PaysageRadioButton = new QRadioButton(QStringLiteral("Paysage"), orientation);
  PortraitRadioButton->setChecked(true);
  orientationLayout->addWidget(PortraitRadioButton);
  orientationLayout->addWidget(PaysageRadioButton);
  connect(PortraitRadioButton, &QRadioButton::clicked, this, &TConfigPagePrintForm::PortraitRadioButtonClick);
  connect(PaysageRadioButton, &QRadioButton::clicked, this, &TConfigPagePrintForm::PaysageRadioButtonClick);

  auto* image = new QGroupBox(QStringLiteral("Image"), this);
  auto* imageLayout = new QVBoxLayout(image);
  RadioButton1 = new QRadioButton(QStringLiteral("Image in"), image);
  RadioButton2 = new QRadioButton(QStringLiteral("Binar. or Label. Image"), image);
  RadioButton3 = new QRadioButton(QStringLiteral("Resulting Image"), image);
  RadioButton1->setChecked(true);
  int choice = 0;
  for (QRadioButton* radio : {RadioButton1, RadioButton2, RadioButton3}) {
    radio->setAutoExclusive(false);  // the click handler says which one stays checked
    imageLayout->addWidget(radio);
    connect(radio, &QRadioButton::clicked, this, [this, choice] { RadioButtonClick(choice); });
    ++choice;
  }

  ConfigPrintButton = new QPushButton(QStringLiteral("Config Printer"), this);
  OkBitBtn = new QPushButton(QStringLiteral("OK"), this);
  OkBitBtn->setDefault(true);
  CancelBitBtn = new QPushButton(QStringLiteral("Delete"), this);
  connect(ConfigPrintButton, &QPushButton::clicked, this, &TConfigPagePrintForm::ConfigPrintButtonClick);
  connect(OkBitBtn, &QPushButton::clicked, this, &TConfigPagePrintForm::OkBitBtnClick);
  connect(CancelBitBtn, &QPushButton::clicked, this, [this] { Finish(ui::mrCancel); });

  auto* right = new QVBoxLayout;
  for (QWidget* group : {static_cast<QWidget*>(options), static_cast<QWidget*>(size),
                         static_cast<QWidget*>(margins), static_cast<QWidget*>(orientation)})
    right->addWidget(group);
  right->addStretch();
  auto* left = new QVBoxLayout;
  left->addWidget(PaintBox);
  auto* below = new QHBoxLayout;
  below->addWidget(image);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {ConfigPrintButton, OkBitBtn, CancelBitBtn}) buttons->addWidget(button);
  below->addLayout(buttons);
  left->addLayout(below);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addLayout(right);
  EnableEdits();
}

TConfigPagePrintForm::~TConfigPagePrintForm() = default;

bool TConfigPagePrintForm::Centred() const {
  return CentrerCheckBox->isChecked();
}
bool TConfigPagePrintForm::WholePage() const {
  return PPageCheckBox->isChecked();
}

void TConfigPagePrintForm::EnableEdits() {
  for (QLineEdit* edit : {LargEdit, HautEdit}) edit->setEnabled(!WholePage());
  for (QLineEdit* edit : {GaucheEdit, HauteEdit}) edit->setEnabled(!Centred());
}

bool TConfigPagePrintForm::FormActivate() {
  openingSettings_ = PagePrinter->Save();
  if (!UpdatePageGeometry()) return false;
  // The check box tells the size in force: the whole page, or half the page width.
  PlaceOnPage(*this, PrintedBitmap.width(), PrintedBitmap.height(), WholePage());
  ShowGeometry();
  DrawPreview();
  return true;
}

bool TConfigPagePrintForm::UpdatePageGeometry() {
  const double width = PagePrinter->PageWidthMM();
  const double height = PagePrinter->PageHeightMM();
  if (!(width > 0 && height > 0)) {
    ui::MessageBox("The printer gives a page of no size\nPlease choose another printer or paper", "CAUTION");
    return false;
  }
  PageWidthMM = width;
  PageHeightMM = height;
  if (WholePage())
    FillPage(*this, Centred());
  else
    ::ApplyLimits(*this, Centred());
  ShowGeometry();
  DrawPreview();
  return true;
}

void TConfigPagePrintForm::ApplyLimits() {
  ::ApplyLimits(*this, Centred());
  ShowGeometry();
  DrawPreview();
}

void TConfigPagePrintForm::ShowGeometry() {
  GaucheEdit->setText(QString::fromStdString(TenthsText(LeftMarginMM)));
  HauteEdit->setText(QString::fromStdString(TenthsText(TopMarginMM)));
  LargEdit->setText(QString::fromStdString(TenthsText(ImageWidthMM)));
  HautEdit->setText(QString::fromStdString(TenthsText(ImageHeightMM)));
  const bool landscape = PagePrinter->Landscape();
  PaysageRadioButton->setChecked(landscape);
  PortraitRadioButton->setChecked(!landscape);
}

void TConfigPagePrintForm::DrawPreview() {
  PaintBox->update();
}

std::optional<double> TConfigPagePrintForm::ReadEdit(QLineEdit* edit, bool isSize) {
  const std::string typed = edit->text().toStdString();
  std::string fixed = typed;
  FixDecimalSeparator(fixed);
  if (isSize && fixed.empty()) fixed.push_back('0');
  edit->setText(QString::fromStdString(fixed));
  const std::optional<double> value = ReadMillimetres(fixed);
  if (!value) {
    ui::MessageBox("Incorrect value: " + typed + "\nThe previous value is kept", "ERROR");
  } else if (isSize && *value <= 0) {
    ui::MessageBox("The size must be greater than 0\nThe previous value is kept", "ERROR");
  } else {
    return value;
  }
  ShowGeometry();
  return std::nullopt;
}

void TConfigPagePrintForm::LargEditExit() {
  if (const auto value = ReadEdit(LargEdit, true)) SetImageWidth(*this, *value, Centred());
  ShowGeometry();
  DrawPreview();
}

void TConfigPagePrintForm::HautEditExit() {
  if (const auto value = ReadEdit(HautEdit, true)) SetImageHeight(*this, *value, Centred());
  ShowGeometry();
  DrawPreview();
}

void TConfigPagePrintForm::GaucheEditExit() {
  if (const auto value = ReadEdit(GaucheEdit, false)) SetLeftMargin(*this, *value, Centred());
  ShowGeometry();
  DrawPreview();
}

void TConfigPagePrintForm::HauteEditExit() {
  if (const auto value = ReadEdit(HauteEdit, false)) SetTopMargin(*this, *value, Centred());
  ShowGeometry();
  DrawPreview();
}

void TConfigPagePrintForm::CentrerCheckBoxClick() {
  EnableEdits();
  CentreOnPage(*this);
  ApplyLimits();
}

void TConfigPagePrintForm::PPageCheckBoxClick() {
  EnableEdits();
  FillPage(*this, Centred());
  ShowGeometry();
  DrawPreview();
}

void TConfigPagePrintForm::PortraitRadioButtonClick() {
  PagePrinter->SetLandscape(false);
  UpdatePageGeometry();
}

void TConfigPagePrintForm::PaysageRadioButtonClick() {
  PagePrinter->SetLandscape(true);
  UpdatePageGeometry();
}

void TConfigPagePrintForm::ConfigPrintButtonClick() {
  const ui::Printer::Settings before = PagePrinter->Save();
  if (!ui::SetUpPrinter(*PagePrinter)) return;
  // A printer without a page would leave nothing to place the picture on: the previous one stays.
  if (!UpdatePageGeometry()) {
    PagePrinter->Restore(before);
    UpdatePageGeometry();
  }
  ShowGeometry();
}

void TConfigPagePrintForm::RadioButtonClick(int panelChoice) {
  if (PanelBitmap(panelChoice))
    PanelChoice = panelChoice;
  else
    ui::MessageBox("No picture in panel " + std::to_string(panelChoice + 1), "CAUTION");
  ShowPanelChoice();
}

void TConfigPagePrintForm::ShowPanelChoice() {
  QRadioButton* radios[] = {RadioButton1, RadioButton2, RadioButton3};
  for (int k = 0; k < 3; ++k) radios[k]->setChecked(k == PanelChoice);
}

void TConfigPagePrintForm::OkBitBtnClick() {
  Finish(ui::mrOk);
}

void TConfigPagePrintForm::OnFinish(int modalResult) {
  if (modalResult == ui::mrOk) {
    PageRect = PageRectOf(*this, PagePrinter->PageWidthPixels(), PagePrinter->PageHeightPixels());
    return;
  }
  // Cancelled: the printer as it was when the dialog opened.
  PagePrinter->Restore(openingSettings_);
}
