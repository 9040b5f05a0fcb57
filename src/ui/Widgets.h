#pragma once
// Small builders for the controls the dialogs share: edits converted to a member at
// each change, radio groups that store an index, and the OK / Cancel buttons.
#include <functional>
#include <utility>
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

// An edit with room for six digits from its first show; every edit of the dialogs is one.
QLineEdit* NumberEdit(QWidget* parent);
// An edit whose text is converted (atol-like: "12a" is 12, "" is 0) into `member` at each change.
QLineEdit* IntegerEdit(QWidget* parent, int& member, std::function<void(int)> also = nullptr);
QLineEdit* ReadOnlyEdit(QWidget* parent);
// An edit whose text is converted (atof-like: "1.5x" is 1.5, "" is 0) into `member` at each change.
QLineEdit* RealEdit(QWidget* parent, double& member, std::function<void(double)> also = nullptr);

// A titled box of captioned controls, one a row: caption on the left, control on the right.
QGroupBox* LabeledRows(QWidget* parent, const QString& title,
                       const std::vector<std::pair<const char*, QWidget*>>& rows);
// The same with several captioned controls side by side in a row; a note (no control) takes a row.
QGroupBox* LabeledGrid(QWidget* parent, const QString& title,
                       const std::vector<std::vector<std::pair<const char*, QWidget*>>>& rows);

// Radio buttons that store their index into `member`; the one at `member` starts checked.
QGroupBox* RadioGroup(QWidget* parent, const QString& title, const std::vector<const char*>& captions,
                      int& member, std::vector<QRadioButton*>* radios = nullptr);

// Radio buttons that store codes 1, 2, ... into `member` when clicked, none checked at first (0: none
// chosen); a click checks its button and unchecks the others, then calls `also` with the code.
QGroupBox* CodeRadioGroup(QWidget* parent, const QString& title, const std::vector<const char*>& captions,
                          int& member, std::vector<QRadioButton*>* radios = nullptr,
                          std::function<void(int)> also = nullptr);
// Checks the button of `code` in such a group (none for a code outside 1 .. size), without a click.
void CheckCode(const std::vector<QRadioButton*>& radios, int code);
// Radio buttons that store their own code (not their index) into `member` when clicked; the one whose
// code `member` holds starts checked.
QGroupBox* ChoiceRadioGroup(QWidget* parent, const QString& title,
                            const std::vector<std::pair<const char*, int>>& choices, int& member,
                            std::vector<QRadioButton*>* radios = nullptr);
// Unchecks the buttons, exclusive groups included; the members they set keep their values.
void UncheckRadios(const std::vector<QRadioButton*>& radios);

// "OK" (the default button) ending the form with mrOk.
QPushButton* OkButton(Form* form);
// "OK" and "Cancel" side by side; Cancel ends the form with mrCancel.
QHBoxLayout* OkCancelButtons(Form* form);

}  // namespace ui
