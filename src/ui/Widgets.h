#pragma once
// Small builders for the controls the dialogs share: edits converted to a member at
// each change, radio groups that store an index, and the OK / Cancel buttons.
#include <functional>
#include <vector>

class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QString;
class QWidget;

namespace ui {

class Form;

// An edit whose text is converted (atol-like: "12a" is 12, "" is 0) into `member` at each change.
QLineEdit* IntegerEdit(QWidget* parent, int& member, std::function<void(int)> also = nullptr);
// An edit whose text is converted (atof-like: "0.5x" is 0.5, "" is 0) into `member` at each change.
QLineEdit* RealEdit(QWidget* parent, double& member);
QLineEdit* ReadOnlyEdit(QWidget* parent);

// Radio buttons that store their index into `member`; the one at `member` starts checked.
QGroupBox* RadioGroup(QWidget* parent, const QString& title, const std::vector<const char*>& captions,
                      int& member, std::vector<QRadioButton*>* radios = nullptr);

// "OK" (the default button) ending the form with mrOk.
QPushButton* OkButton(Form* form);
// "OK" and "Cancel" side by side; Cancel ends the form with mrCancel.
QHBoxLayout* OkCancelButtons(Form* form);

}  // namespace ui
