#include "panels/InfoWindows.h"

#include <QAction>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "panels/InfoPictures.h"
#include "ui/Driver.h"
#include "ui/Jpeg.h"
#include "ui/Widgets.h"

std::array<TInfoForm*, InfoWindowCount> InfoForms{};

// The pictures are resources of a static library: they are registered by hand (outside any namespace,
// as the macro wants).
static void RegisterInfoResources() {
  Q_INIT_RESOURCE(vorn);
}

namespace {

constexpr int kGlyphSize = 32;
constexpr int kTextWidth = 560;

const std::array<InfoContent, InfoWindowCount>& Table() {
  static const std::array<InfoContent, InfoWindowCount> table = [] {
    std::array<InfoContent, InfoWindowCount> t{};
    GeneralInfoContents(t);
    BinaryInfoContents(t);
    UrbanInfoContents(t);
    GrayToneInfoContents(t);
    return t;
  }();
  return table;
}

QLabel* TextLabel(QWidget* parent, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setWordWrap(true);
  label->setMaximumWidth(kTextWidth);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

const InfoContent& InfoContents(InfoWindow window) {
  return Table()[window];
}

QImage InfoPictureImage(const std::string& source) {
  if (source.starts_with("jpeg:")) {
    QFile file(QString::fromStdString(":/info/" + source.substr(5) + ".jpg"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return ui::DecodeJpeg(reinterpret_cast<const unsigned char*>(bytes.constData()),
                          static_cast<std::size_t>(bytes.size()));
  }
  if (source.starts_with("glyph:")) {
    const QAction* button = MainForm ? MainForm->Item(source.substr(6)) : nullptr;
    if (!button) return {};
    return button->icon().pixmap(kGlyphSize, kGlyphSize).toImage();
  }
  return DrawInfoPicture(source);
}

TInfoForm::TInfoForm(QWidget* owner) : ui::Form(owner) {
  CloseIsOk = true;  // nothing to cancel
  RegisterInfoResources();
}

void TInfoForm::SetContent(InfoWindow window) {
  window_ = window;
  SetCaption(InfoContents(window).caption);
}

void TInfoForm::Build() {
  if (built_) return;
  built_ = true;
  const InfoContent& content = InfoContents(window_);
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  if (content.memo) {
    auto* memo = new QPlainTextEdit(QString::fromUtf8(content.memo), page);
    memo->setReadOnly(true);
    memo->setMinimumSize(kTextWidth, 220);
    column->addWidget(memo);
  }
  for (const InfoBlock& block : content.blocks) {
    if (block.text) {
      column->addWidget(TextLabel(page, block.text));
      ++labels_;
    }
    if (block.pictures.empty()) continue;
    auto* row = new QHBoxLayout;
    for (const InfoPicture& picture : block.pictures) {
      auto* cell = new QVBoxLayout;
      auto* shown = new QLabel(page);
      const QImage image = InfoPictureImage(picture.source);
      images_.push_back(image);
      shown->setPixmap(QPixmap::fromImage(image));
      shown->setAlignment(Qt::AlignCenter);
      cell->addWidget(shown);
      ++pictures_;
      for (const char* caption : picture.captions) {
        auto* label = TextLabel(page, caption);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        cell->addWidget(label);
        ++labels_;
      }
      cell->addStretch();
      row->addLayout(cell);
    }
    column->addLayout(row);
  }
  column->addStretch();
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(page);
  scroll->setWidgetResizable(true);
  scroll->setMinimumWidth(page->sizeHint().width() + 24);
  scroll->setMinimumHeight(std::min(page->sizeHint().height() + 8, 560));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroll);
  layout->addWidget(ui::OkButton(this), 0, Qt::AlignHCenter);
}

void ShowInfoWindow(InfoWindow window) {
  TInfoForm& form = *InfoForms[window];
  form.Build();
  ui::ShowModal(form);
}
