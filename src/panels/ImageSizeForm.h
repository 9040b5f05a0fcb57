#pragma once
// " Image Size": asks the size of a raw image that has no size file beside it. Each change of an edit
// stores its number at once into the main window's image size.
#include "ui/Form.h"

class QLineEdit;

class TImageSizeForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TImageSizeForm(QWidget* owner);

  void NumLineEditChange(const QString& text);
  void NumColEditChange(const QString& text);

  // The numbers the edits hold now (0 when empty), so that a showing starts from what is seen.
  int TypedLines() const;
  int TypedColumns() const;

  QLineEdit* NumLineEdit = nullptr;
  QLineEdit* NumColEdit = nullptr;
};

extern TImageSizeForm* ImageSizeForm;
