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
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

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
// The page of a window within a 1024 x 768 screen, once the title bar, the margins and OK are counted.
constexpr int kPageWidth = 960;
constexpr int kPageHeight = 640;
constexpr int kColumnGap = 16;
constexpr int kMaxColumns = 4;

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
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

// A wrapped text that keeps the whole of its lines at that width.
int FitText(QLabel* label, int width) {
  // A label measures itself within the size it is held to: free it first.
  label->setMinimumSize(0, 0);
  label->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  label->setFixedSize(width, label->heightForWidth(width));
  return label->height();
}

int FitMemo(QPlainTextEdit* memo, int width) {
  QTextDocument text;
  text.setDefaultFont(memo->font());
  text.setDocumentMargin(memo->document()->documentMargin());
  text.setPlainText(memo->toPlainText());
  const int frame = 2 * memo->frameWidth();
  text.setTextWidth(width - frame);
  // A line more than the text, so that no scroll bar is needed whatever the rounding.
  memo->setFixedSize(
      width, static_cast<int>(std::ceil(text.size().height())) + frame + memo->fontMetrics().lineSpacing());
  return memo->height();
}

// One block of the page, and how it takes the width of its column.
struct PageBlock {
  QWidget* widget;
  std::function<int(int)> fit;  // sets the block's size for a column width; returns its height
  int width = 0;                // the least width it needs (a row of pictures)
};

// A row of pictures: each in a cell at least as wide as itself, the captions wrapped under it.
PageBlock PictureRow(QWidget* row, const std::vector<std::pair<QLabel*, std::vector<QLabel*>>>& cells) {
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  std::vector<QVBoxLayout*> columns;
  int least = 0;
  for (const auto& [picture, captions] : cells) {
    auto* cell = columns.emplace_back(new QVBoxLayout);
    cell->addWidget(picture, 0, Qt::AlignHCenter);
    for (QLabel* caption : captions) cell->addWidget(caption);
    cell->addStretch();
    layout->addLayout(cell);
    least += picture->width();
  }
  least += layout->spacing() * static_cast<int>(cells.size() - 1);
  auto fit = [row, layout, columns, cells](int width) {
    const int count = static_cast<int>(cells.size());
    const int share = (width - layout->spacing() * (count - 1)) / count;
    for (const auto& [picture, captions] : cells)
      for (QLabel* caption : captions) FitText(caption, std::max(share, picture->width()));
    // The cells keep their former measures until told.
    for (QVBoxLayout* cell : columns) cell->invalidate();
    layout->invalidate();
    row->setFixedSize(row->sizeHint());
    return row->height();
  };
  return {row, fit, least};
}

// The blocks in reading order, in as few columns as fit the page; each column as high as it must.
std::vector<std::vector<QWidget*>> Columns(const std::vector<PageBlock>& blocks, int spacing) {
  int widest = 0;
  for (const PageBlock& block : blocks) widest = std::max(widest, block.width);
  for (int count = 1; count <= kMaxColumns; ++count) {
    const int width =
        std::max(widest, count == 1 ? kTextWidth : (kPageWidth - (count - 1) * kColumnGap) / count);
    if (count > 1 && count * width + (count - 1) * kColumnGap > kPageWidth) break;
    std::vector<int> heights;
    int total = 0;
    for (const PageBlock& block : blocks) total += heights.emplace_back(block.fit(width)) + spacing;
    // The lowest column height that holds the blocks in `count` columns, balanced.
    for (int limit = total / count; limit <= kPageHeight + spacing; limit += 8) {
      std::vector<std::vector<QWidget*>> columns(1);
      int height = 0, tallest = 0;
      for (std::size_t k = 0; k < blocks.size(); ++k) {
        const int block = heights[k] + spacing;
        if (height + block > limit && !columns.back().empty()) {
          columns.emplace_back();
          height = 0;
        }
        columns.back().push_back(blocks[k].widget);
        height += block;
        tallest = std::max(tallest, height);
      }
      if (static_cast<int>(columns.size()) <= count && tallest <= limit) return columns;
    }
  }
  return {};  // no page holds them: the caller scrolls
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
  auto* page = new QWidget(this);
  std::vector<PageBlock> blocks;
  if (content.memo) {
    auto* memo = new QPlainTextEdit(QString::fromUtf8(content.memo), page);
    memo->setReadOnly(true);
    blocks.push_back({memo, [memo](int width) { return FitMemo(memo, width); }});
  }
  for (const InfoBlock& block : content.blocks) {
    if (block.text) {
      QLabel* label = TextLabel(page, block.text);
      blocks.push_back({label, [label](int width) { return FitText(label, width); }});
      ++labels_;
    }
    if (block.pictures.empty()) continue;
    std::vector<std::pair<QLabel*, std::vector<QLabel*>>> cells;
    for (const InfoPicture& picture : block.pictures) {
      auto* shown = new QLabel(page);
      const QImage image = InfoPictureImage(picture.source);
      images_.push_back(image);
      shown->setPixmap(QPixmap::fromImage(image));
      shown->setFixedSize(image.size());
      ++pictures_;
      std::vector<QLabel*> captions;
      for (const char* caption : picture.captions) {
        captions.push_back(TextLabel(page, caption));
        captions.back()->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        ++labels_;
      }
      cells.emplace_back(shown, captions);
    }
    blocks.push_back(PictureRow(new QWidget(page), cells));
  }
  auto* layout = new QVBoxLayout(this);
  auto* pageLayout = new QHBoxLayout(page);
  pageLayout->setContentsMargins(0, 0, 0, 0);
  pageLayout->setSpacing(kColumnGap);
  const int spacing = layout->spacing();
  std::vector<std::vector<QWidget*>> columns = Columns(blocks, spacing);
  const bool scrolled = columns.empty();
  if (scrolled) {
    // Too much for one screen: one column that scrolls.
    for (const PageBlock& block : blocks) block.fit(kTextWidth);
    columns.emplace_back();
    for (const PageBlock& block : blocks) columns.back().push_back(block.widget);
  }
  for (const auto& widgets : columns) {
    auto* column = new QVBoxLayout;
    column->setSpacing(spacing);
    for (QWidget* widget : widgets) column->addWidget(widget, 0, Qt::AlignHCenter);
    column->addStretch();
    pageLayout->addLayout(column);
  }
  if (scrolled) {
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(page);
    scroll->setMinimumSize(page->sizeHint().width() + 24, kPageHeight);
    layout->addWidget(scroll);
  } else {
    layout->addWidget(page);
  }
  layout->addWidget(ui::OkButton(this), 0, Qt::AlignHCenter);
}

void ShowInfoWindow(InfoWindow window) {
  TInfoForm& form = *InfoForms[window];
  form.Build();
  ui::ShowModal(form);
}
