#include "ui/Widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <algorithm>

#include "imaging/TextNumbers.h"
#include "ui/Form.h"

namespace ui {

namespace {

// An edit that never gets narrower than six digits: a layout squeezed to its minimum (a box shown
// after the dialog) would otherwise leave it room for one character.
class DigitsEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

  QSize minimumSizeHint() const override {
    QSize size = QLineEdit::minimumSizeHint();
    size.setWidth(std::max(size.width(), SixDigitsWidth()));
    return size;
  }

 private:
  int SixDigitsWidth() const {
    constexpr int kInnerMargin = 2;  // QLineEdit's own gap on each side of the text
    const QMargins text = textMargins() + contentsMargins();
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int cursor = style()->pixelMetric(QStyle::PM_TextCursorWidth, &option, this);
    const int inner = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + cursor + 2 * kInnerMargin +
                      text.left() + text.right();
    return style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(inner, sizeHint().height()), this)
        .width();
  }
};

}  // namespace

QLineEdit* NumberEdit(QWidget* parent) {
  return new DigitsEdit(parent);
}

QLineEdit* IntegerEdit(QWidget* parent, int& member, std::function<void(int)> also) {
  auto* edit = NumberEdit(parent);
  QObject::connect(edit, &QLineEdit::textChanged, parent, [&member, also](const QString& text) {
    member = TextToInt(text.toStdString());
    if (also) also(member);
  });
  return edit;
}

QLineEdit* RealEdit(QWidget* parent, double& member, std::function<void(double)> also) {
  auto* edit = NumberEdit(parent);
  QObject::connect(edit, &QLineEdit::textChanged, parent, [&member, also](const QString& text) {
    member = TextToDouble(text.toStdString());
    if (also) also(member);
  });
  return edit;
}

QGroupBox* LabeledRows(QWidget* parent, const QString& title,
                       const std::vector<std::pair<const char*, QWidget*>>& rows) {
  std::vector<std::vector<std::pair<const char*, QWidget*>>> grid;
  for (const auto& row : rows) grid.push_back({row});
  return LabeledGrid(parent, title, grid);
}

QGroupBox* LabeledGrid(QWidget* parent, const QString& title,
                       const std::vector<std::vector<std::pair<const char*, QWidget*>>>& rows) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QGridLayout(box);
  std::size_t columns = 1;
  for (const auto& row : rows) columns = std::max(columns, row.size());
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const int line = static_cast<int>(k);
    for (std::size_t c = 0; c < rows[k].size(); ++c) {
      const auto& [caption, control] = rows[k][c];
      auto* label = new QLabel(QString::fromUtf8(caption), box);
      if (!control) {
        layout->addWidget(label, line, 0, 1, static_cast<int>(2 * columns));  // a note
        continue;
      }
      layout->addWidget(label, line, static_cast<int>(2 * c));
      layout->addWidget(control, line, static_cast<int>(2 * c + 1));
    }
  }
  return box;
}

QLineEdit* ReadOnlyEdit(QWidget* parent) {
  auto* edit = NumberEdit(parent);
  edit->setReadOnly(true);
  return edit;
}

QGroupBox* RadioGroup(QWidget* parent, const QString& title, const std::vector<const char*>& captions,
                      int& member, std::vector<QRadioButton*>* radios) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  for (std::size_t k = 0; k < captions.size(); ++k) {
    auto* radio = new QRadioButton(QString::fromUtf8(captions[k]), box);
    radio->setChecked(static_cast<int>(k) == member);
    layout->addWidget(radio);
    QObject::connect(radio, &QRadioButton::clicked, parent, [&member, k] { member = static_cast<int>(k); });
    if (radios) radios->push_back(radio);
  }
  return box;
}

QGroupBox* CodeRadioGroup(QWidget* parent, const QString& title, const std::vector<const char*>& captions,
                          int& member, std::vector<QRadioButton*>* radios, std::function<void(int)> also) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  std::vector<QRadioButton*> buttons;
  for (const char* caption : captions) {
    auto* radio = new QRadioButton(QString::fromUtf8(caption), box);
    radio->setAutoExclusive(false);
    layout->addWidget(radio);
    buttons.push_back(radio);
  }
  for (std::size_t k = 0; k < buttons.size(); ++k) {
    const int code = static_cast<int>(k) + 1;
    QObject::connect(buttons[k], &QRadioButton::clicked, parent, [buttons, code, &member, also] {
      CheckCode(buttons, code);
      member = code;
      if (also) also(code);
    });
  }
  if (radios) radios->insert(radios->end(), buttons.begin(), buttons.end());
  return box;
}

void CheckCode(const std::vector<QRadioButton*>& radios, int code) {
  for (std::size_t k = 0; k < radios.size(); ++k) radios[k]->setChecked(static_cast<int>(k) + 1 == code);
}

QGroupBox* ChoiceRadioGroup(QWidget* parent, const QString& title,
                            const std::vector<std::pair<const char*, int>>& choices, int& member,
                            std::vector<QRadioButton*>* radios) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  for (const auto& [caption, code] : choices) {
    auto* radio = new QRadioButton(QString::fromUtf8(caption), box);
    radio->setChecked(code == member);
    layout->addWidget(radio);
    QObject::connect(radio, &QRadioButton::clicked, parent, [&member, code = code] { member = code; });
    if (radios) radios->push_back(radio);
  }
  return box;
}

void UncheckRadios(const std::vector<QRadioButton*>& radios) {
  for (QRadioButton* radio : radios) {
    // An exclusive group keeps one button checked unless it lets go for a moment.
    const bool exclusive = radio->autoExclusive();
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(exclusive);
  }
}

QPushButton* OkButton(Form* form) {
  auto* ok = new QPushButton(QStringLiteral("OK"), form);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, form, [form] { form->Finish(mrOk); });
  return ok;
}

QHBoxLayout* OkCancelButtons(Form* form) {
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), form);
  QObject::connect(cancel, &QPushButton::clicked, form, [form] { form->Finish(mrCancel); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(OkButton(form));
  buttons->addWidget(cancel);
  return buttons;
}

}  // namespace ui
