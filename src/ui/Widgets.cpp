#include "ui/Widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "imaging/TextNumbers.h"
#include "ui/Form.h"

namespace ui {

QLineEdit* IntegerEdit(QWidget* parent, int& member, std::function<void(int)> also) {
  auto* edit = new QLineEdit(parent);
  QObject::connect(edit, &QLineEdit::textChanged, parent, [&member, also](const QString& text) {
    member = TextToInt(text.toStdString());
    if (also) also(member);
  });
  return edit;
}

QLineEdit* RealEdit(QWidget* parent, double& member, std::function<void(double)> also) {
  auto* edit = new QLineEdit(parent);
  QObject::connect(edit, &QLineEdit::textChanged, parent, [&member, also](const QString& text) {
    member = TextToDouble(text.toStdString());
    if (also) also(member);
  });
  return edit;
}

QGroupBox* LabeledRows(QWidget* parent, const QString& title,
                       const std::vector<std::pair<const char*, QWidget*>>& rows) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QGridLayout(box);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const int row = static_cast<int>(k);
    if (rows[k].second) {
      layout->addWidget(new QLabel(QString::fromUtf8(rows[k].first), box), row, 0);
      layout->addWidget(rows[k].second, row, 1);
    } else {
      layout->addWidget(new QLabel(QString::fromUtf8(rows[k].first), box), row, 0, 1, 2);  // a note
    }
  }
  return box;
}

QLineEdit* ReadOnlyEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
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
